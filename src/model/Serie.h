#pragma once

#include "model/BalanceAguacero.h"
#include "model/ScenarioResults.h"
#include "model/SiteState.h"

#include <array>
#include <cstdint>
#include <vector>

// The most storms a series holds: its counts are 16-bit.
inline constexpr int MaxAguaceros = 32767;

struct Aguacero {
    double P = 0; // depth, mm; 0 for a slot not yet filled
    int cond = 0; // moisture condition 1..3; 0 for a slot not yet filled
    bool operator==(const Aguacero&) const = default;
};

// Counts, sums and maximum of a series, replayed from its storm list.
struct TotalesSerie {
    std::int16_t NumEscLadera = 0;
    std::int16_t NumEscImpluvio = 0;
    std::int16_t NumFuera = 0;
    std::array<double, 5> Acumulado{}; // P, PSinSist, PBanqueta, PPromedio, PImpluvio
    double SumaMaxAlcorque = 0;
    double CapaMaxSerie = 0;
    Indicadores indicadores;

    // Acumulado(1..5) as written in the model.
    double& Acum(int k) { return Acumulado[static_cast<std::size_t>(k - 1)]; }
    double Acum(int k) const { return Acumulado[static_cast<std::size_t>(k - 1)]; }
};

// One storm of the series: the balance with the series' counting, summing and
// its own basin-wall height (largest storage need so far over SR).
void PasoSerie(const SiteState& s, ScenarioResults& r, TotalesSerie& t, double P, int c);

// Clears the results and replays the whole list in order.
TotalesSerie RecalculaSerie(const SiteState& s, ScenarioResults& r, const std::vector<Aguacero>& lista);

// The same, keeping each storm's figures in `detalle`.
TotalesSerie RecalculaSerie(const SiteState& s, ScenarioResults& r, const std::vector<Aguacero>& lista,
                            std::vector<BarraSerie>& detalle);

// The nine figures the summary shows for a series.
std::array<double, 9> ResumenDeSerie(const TotalesSerie& t, int numAguaceros);
