#pragma once

#include <array>
#include <vector>

// One storm of a series as its chart shows it.
struct BarraSerie {
    double P = 0;             // depth, mm
    double PBanqueta = 0;     // water received by the collecting area, l/m²
    double CapaNecesaria = 0; // storage that keeps all runoff, l
    bool Desborda = false;    // the runoff exceeds the capacity
    int cond = 0;             // moisture condition, 1..3
};

// What the storm balance leaves for the storm just computed, and what the
// storm windows hand to the summary. Starts at zero; never saved.
struct ScenarioResults {
    double PSinSist = 0;       // available without systematization, l/m²
    double PMaxImperm = 0;     // collecting area, impermeable contributing area, l/m²
    double PMaxAlcorque = 0;   // collecting area, basin keeping all runoff, l/m²
    double CapaLibre = 0;      // capacity less the runoff volume; < 0 overflows, l
    double PBanqueta = 0;      // available in the collecting area, l/m²
    double EscMedia = 0;       // mean runoff depth of the unit, mm
    double CapaNecesaria = 0;  // storage that keeps all runoff, l
    double AlturaRepresas = 0; // height of the basin walls, mm
    double PImpluvio = 0;      // available in the contributing area, l/m²
    double PPromedio = 0;      // mean available over the systematized slope, l/m²

    int CondHumedad = 0; // moisture condition of the single storm, 0 before any
    bool EsSerie = false;
    double PAguacero = 0;
    std::array<double, 9> ResumenSerie{};
    // Storm by storm, the series last computed by the series window.
    std::vector<BarraSerie> DetalleSerie;
};

// Clears the per-storm results a new computation starts from; CapaLibre,
// EscMedia and PImpluvio are overwritten by every balance before use.
void LimpiaResultados(ScenarioResults& r);
