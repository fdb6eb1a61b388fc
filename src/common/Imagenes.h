#pragma once

#include <QString>

class QLabel;
struct Variables;

// Shows picture number m (id 1000 × NumIdioma + m) in a picture control. The
// picture's JPEG bytes are written to a private scratch file, made afresh in
// the user's runtime directory (or cache directory) and gone once read back;
// when neither can be written the picture is decoded from memory, so it is
// always shown. Nothing is written beside the program.
void CargaImagen(const Variables& v, int m, QLabel* control);
