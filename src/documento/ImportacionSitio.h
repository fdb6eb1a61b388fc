#pragma once

#include "model/Documento.h"

#include <optional>
#include <string>

#include <simdjson.h>

class Escritor;

// How a site's rain record was read and what it held, as the members of its
// "rain_import" beyond the file and the choices of the series and the year:
// "unit", "columns", "missing" and "duplicates" when not the defaults, and
// "record" with the period and counts. Files written before have none of them.
void EscribeLecturaLluvia(Escritor& e, const ImportacionLluvia& i);

// "period": [from, to], as the import's answer and the site file give it.
void EscribePeriodo(Escritor& e, const Fecha& desde, const Fecha& hasta);

// Reads those members into `i`; the member at fault ("rain_import.unit"), or
// nothing.
std::optional<std::string> LeeLecturaLluvia(const simdjson::dom::element& v, ImportacionLluvia& i);
