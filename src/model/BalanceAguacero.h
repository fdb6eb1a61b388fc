#pragma once

#include "model/ScenarioResults.h"
#include "model/SiteState.h"

// Which surfaces shed runoff in the storm just balanced (0 or 1 each).
struct Indicadores {
    int EscLadera = 0;
    int EscImpluvio = 0;
    int EscRecepcion = 0;
    int EscUnidad = 0;
};

// Runoff balance of one storm of depth P (mm, > 0) in moisture condition c
// (1..3) on a site the curve-number model has run on.
Indicadores BalanceAguacero(const SiteState& s, ScenarioResults& r, double P, int c);
