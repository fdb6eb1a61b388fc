#pragma once

#include <QString>

struct Variables;

// The text of catalogue id n (the Spanish id, 1001..1999, also the id of the
// calculator's answers) in the language of the run: n, or n + 1000 in English.
// Empty for an id the catalogue does not hold.
QString Texto(const Variables& v, int n);

// The text of a catalogue id, whatever the language.
QString TextoCatalogo(int id);
