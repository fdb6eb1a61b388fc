#pragma once

#include "common/Navegacion.h"
#include "common/Variables.h"

#include <memory>

// What lives for the whole run: the shared variables and the navigation that
// knows every window. Windows are destroyed with it.
struct Sesion {
    Variables v;
    Navegacion nav;
    QString archivo; // a site file to open once the main window shows
};

// Registers every window with the navigation.
void RegistraVentanas(Sesion& s);

// Start-up: the shared variables, the language of the run, and the
// presentation screen, which hands over to the main window; that one opens
// `archivo`, when given.
std::unique_ptr<Sesion> Arrancar(const QString& archivo = QString());
