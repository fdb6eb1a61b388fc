#pragma once

#include "model/LluviaDiaria.h"

#include <string>

// hidrela-calc --import-rain: the daily record read and analysed, written as
// one JSON line, or the calculator's error object for the first fault.

// The answer to the record at `ruta` (line break included); `estado` is 0,
// or 2 when it was refused.
std::string ImportaLluvia(const std::string& ruta, const OpcionesLluvia& o, int& estado, const FormatoLluvia& f = {});

// The whole command line, from the arguments after the program's name.
std::string ImportaLluviaOrden(int argc, const char* const* argv, int& estado);
