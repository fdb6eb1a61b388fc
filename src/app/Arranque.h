#pragma once

#include "common/Navegacion.h"
#include "common/Variables.h"

#include <memory>

// What lives for the whole run: the shared variables and the navigation that
// knows every window. Windows are destroyed with it.
struct Sesion {
    Variables v;
    Navegacion nav;
};

// Registers every window with the navigation.
void RegistraVentanas(Sesion& s);

// Start-up: the shared variables, the language of the run, and the
// presentation screen, which hands over to the main window.
std::unique_ptr<Sesion> Arrancar();
