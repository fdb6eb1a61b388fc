#pragma once

#include "model/SiteState.h"

#include <array>
#include <string_view>

// One row of the relation part of the site report: the relation literal and
// the catalogue text that explains it.
struct FilaRelacion {
    std::string_view relacion;
    int texto = 0;
};

// The four comparisons of condition II curve numbers, exact, no tolerance.
std::array<FilaRelacion, 4> Relaciones(const SiteState& s);

// Catalogue text of the verdict on the layout (1170..1174).
int Veredicto(const SiteState& s);
