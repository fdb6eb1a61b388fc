#pragma once

#include "model/SiteState.h"

#include <optional>
#include <vector>

// One record of the zone table: an empty or non-numeric cell is nullopt.
struct CeldaZona {
    std::optional<double> area;
    std::optional<double> numero;
    bool operator==(const CeldaZona&) const = default;
};

// Why the zone pass stopped: zone k (1-based; 0 for the sum check), grid
// column, and the message to show (0: focus only, no message).
struct FalloZona {
    int zona = 0;
    int columna = 0;
    int mensaje = 0;
    bool operator==(const FalloZona&) const = default;
};

// Running area-weighted mean: the zone's own number for one zone, and exact
// for zones of equal numbers.
double MediaPonderada(double media, double n, double area, double suma);

// Zone pass of the data check: fills SupZona, NZona, SumaSupZonas and NI(2).
// Returns nothing when the partial areas add up to SI, within a billionth of
// it: areas typed in decimals rarely add up exactly in binary (0.7 + 0.2 +
// 0.1 is not 1).
std::optional<FalloZona> PasoZonas(SiteState& s, const std::vector<CeldaZona>& zonas);

// Totals shown under the zone grid: the sum of the areas and the mean curve
// number of the zones entered so far (an invalid number counts as 0).
struct TotalesZonas {
    double suma = 0;
    double media = 0;
};
TotalesZonas TotalesParciales(const std::vector<CeldaZona>& zonas);
