#pragma once

#include <QString>

struct Variables;

// Text number n (1..548) in the language of the run: catalogue id
// 1000 × NumIdioma + n. Empty for an id the catalogue does not hold.
QString CargaTexto(const Variables& v, int n);

// The text of a catalogue id, whatever the language.
QString TextoCatalogo(int id);
