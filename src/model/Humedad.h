#pragma once

// The antecedent moisture condition of a storm, from the rain of the five
// days before it: the one rule of the year's computation and of a daily
// rainfall import.

// Growing season of the year's computation, April to September; an import
// starts from it and may choose another.
inline constexpr int MesCrecimientoDesde = 4, MesCrecimientoHasta = 9;

// Five-day rain (mm) under the lower limit gives I, over the upper one III;
// each limit itself gives II.
inline constexpr double HumedadBajaReposo = 12.5, HumedadAltaReposo = 28;
inline constexpr double HumedadBajaCrecimiento = 35.5, HumedadAltaCrecimiento = 53;

// Condition 1..3 from the five-day rain `p5` (mm), in or out of the growing season.
int CondicionHumedad(double p5, bool crecimiento);
