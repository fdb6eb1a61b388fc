#pragma once

#include <QString>

class QLabel;
struct Variables;

// Shows picture number m (id 1000 × NumIdioma + m) in a picture control. The
// picture's JPEG bytes are written to the scratch file "b.jpg" in the
// program's directory, or in the user's data directory when the program's
// cannot be written, and read back from there; when neither can be written
// the picture is decoded from memory, so it is always shown.
void CargaImagen(const Variables& v, int m, QLabel* control);
