#pragma once

#include <QString>

struct Variables;

// The one per-user setting: the language of the next session.
QString LeeIdioma();
void GuardaIdioma(const QString& valor);

// Sets Idioma and NumIdioma from the stored value and returns that value.
// Nothing stored means English; so does a value the program never writes,
// rather than leaving the run without a language.
QString AplicaReglaIdioma(Variables& v);
