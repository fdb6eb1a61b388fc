#pragma once

#include "model/DatosMes.h"
#include "model/ScenarioResults.h"
#include "model/SiteState.h"

#include <array>
#include <cstdint>

// Runoff case of the year: how each month's rain is split into storms.
enum class CasoEscorrentia { I = 1, II = 2, III = 3 };

struct CalculoAnual {
    DatosAnuales datos;

    double PAnual = 0;
    double PMaxAnual = 0;
    std::int16_t DiasAnual = 0;

    std::array<double, 12> PV1{}, N1{}, PV2{}, N2{}, P5{}, J{};
    // Storm depths of each month: maximum day, first kind, second kind.
    std::array<std::array<double, 3>, 12> Aguaceros{};

    // Dispon[k - 1][m - 1]: 1 flat ground, 2 current slope, 3 collecting
    // area, 4 systematized slope.
    std::array<std::array<double, 12>, 4> Dispon{};
    double CapaMinAnual = 0;
};

// Annual totals, then each month's storms, P5 and moisture condition.
void CalculaAguaceros(CalculoAnual& a, CasoEscorrentia caso);

// Balances every storm of the year and accumulates the monthly availability.
void BalanceAnual(const SiteState& s, ScenarioResults& r, CalculoAnual& a);
