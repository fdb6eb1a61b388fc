#pragma once

#include "model/CalculoAnual.h"
#include "model/DatosMes.h"
#include "model/Serie.h"
#include "model/SiteState.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace simdjson::dom {
class element;
}

// One request of the calculator, read and checked: the site inputs copied
// into `sitio` (NI(2) already the zones' mean for a composite area) and the
// parts that were asked for.
struct Peticion {
    SiteState sitio;
    // What the user would confirm in the capacity check, already rounded to
    // one decimal as that window stores it; none: the window is closed.
    std::optional<double> capacidad;
    std::optional<Aguacero> aguacero;
    std::optional<std::vector<Aguacero>> serie;
    std::optional<CasoEscorrentia> caso; // set when the year was asked for
    DatosAnuales datos;                  // the year as LeeDatos read it
};

// Why a request was refused. `id` is the catalogue message the windows would
// show, or 0 when they would only move the focus (then `motivo` says why).
// The positions are 1-based; 0 leaves them out of the answer.
struct FalloPeticion {
    int id = 0;
    std::string_view campo;
    int zona = 0;
    int aguacero = 0;
    int mes = 0;
    int columna = 0;
    std::string motivo;
};

// Checks the request in the order the windows check the same values and fills
// `p`; returns the first failure, if any. Nothing is computed here apart from
// the zone pass, which is part of reading the site.
std::optional<FalloPeticion> LeePeticion(const simdjson::dom::element& o, Peticion& p);
