#pragma once

#include "model/CalculoAnual.h"
#include "model/ScenarioResults.h"
#include "model/Serie.h"
#include "model/SiteState.h"

#include <array>

// What the windows and the report show of each computation, row by row and
// in the same order, so that the two cannot drift apart: the catalogue text
// that names a row (its unit within the name) and the decimals it is shown
// with, beside a function that gives the rows' values.
struct FilaResultado {
    int texto = 0;
    int decimales = 1;
};

// One storm on the site: what each part receives, the storage and wall
// height its basins need, and the water the contributing area gathers.
inline constexpr std::array<FilaResultado, 9> FilasAguacero{
    {{1125, 1}, {1126, 1}, {1127, 1}, {1128, 1}, {1129, 1}, {1130, 1}, {1131, 1}, {1132, 1}, {1133, 1}}};
std::array<double, 9> ValoresAguacero(const SiteState& s, const ScenarioResults& r, double P);

// A series: the storms, then those that ran off the current slope, off the
// contributing area and out of the basins; then the water each part gathered
// over the series, the basins' largest need and the wall height it asks.
inline constexpr std::array<FilaResultado, 12> FilasSerie{{{1200, 0},
                                                           {1201, 0},
                                                           {1202, 0},
                                                           {1203, 0},
                                                           {1204, 1},
                                                           {1205, 1},
                                                           {1206, 1},
                                                           {1207, 1},
                                                           {1208, 1},
                                                           {1209, 1},
                                                           {1210, 1},
                                                           {1211, 1}}};
std::array<double, 12> ValoresSerie(const TotalesSerie& t, int numAguaceros, double SR);

// The year's water month by month (l/m², one decimal): flat ground, current
// slope, systematized slope and collecting area, the columns named by these
// texts; and each column's total, the flat ground's being the year's rain as
// given.
inline constexpr std::array<int, 4> TextosDisponibilidad{1093, 1094, 1095, 1096};
struct Disponibilidad {
    std::array<std::array<double, 12>, 4> columnas{};
    std::array<double, 4> totales{};
};
Disponibilidad DisponibilidadAnual(const CalculoAnual& a);
