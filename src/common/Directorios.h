#pragma once

#include <QString>

// The program's directory: the executable's, unless a test points it elsewhere.
QString DirectorioPrograma();
void CambiaDirectorioPrograma(const QString& dir);

// The per-user data directory that stands in for a program directory the user
// cannot write to (an installed program).
QString DirectorioUsuario();
