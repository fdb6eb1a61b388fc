#pragma once

#include "model/PorCondicion.h"

#include <vector>

// The description of one systematized unit and everything the curve-number
// model derives from it. Starts at zero; never saved.
struct SiteState {
    // Curve numbers: current slope, contributing area, collecting area,
    // area-weighted mean of the unit, and the unit with its storage capacity.
    PorCondicion NAC, NI, NR, N, NUS;
    // Runoff thresholds (mm) of the same surfaces.
    PorCondicion P0AC, P0I, P0R, P0, P0US;
    // Volume (l) the collecting area sheds before the contributing area does.
    PorCondicion CapaMinCond;

    double SI = 0.0;   // contributing area, m²
    double SR = 0.0;   // collecting area, m²
    double CAPA = 0.0; // storage capacity of the collecting area, l
    double CapaMinima = 0.0;
    bool NRMayorNI = false;
    bool CapaConfirmada = false;

    // Zones of a composite contributing area; zone k is element k - 1.
    std::vector<double> SupZona, NZona;
    double SumaSupZonas = 0.0;

    double PBusca = 0.0; // upper end of the last step of the threshold search
};
