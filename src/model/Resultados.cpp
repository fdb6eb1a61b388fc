#include "model/Resultados.h"

#include <cstddef>

std::array<double, 9> ValoresAguacero(const SiteState& s, const ScenarioResults& r, double P)
{
    return {r.PSinSist,      r.PBanqueta,      r.PPromedio,  r.PImpluvio, r.PMaxAlcorque,
            r.CapaNecesaria, r.AlturaRepresas, r.PMaxImperm, s.SI * P};
}

std::array<double, 12> ValoresSerie(const TotalesSerie& t, int numAguaceros, double SR)
{
    return {static_cast<double>(numAguaceros),
            static_cast<double>(t.NumEscLadera),
            static_cast<double>(t.NumEscImpluvio),
            static_cast<double>(t.NumFuera),
            t.Acum(1),
            t.Acum(2),
            t.Acum(3),
            t.Acum(5),
            t.Acum(4),
            t.SumaMaxAlcorque,
            t.CapaMaxSerie,
            t.CapaMaxSerie / SR};
}

Disponibilidad DisponibilidadAnual(const CalculoAnual& a)
{
    // Dispon's own order is flat ground, current slope, collecting area,
    // systematized slope; the columns put the systematized slope first.
    static constexpr std::array<std::size_t, 4> acumulacion{0, 1, 3, 2};
    Disponibilidad d;
    for (std::size_t c = 0; c < 4; ++c) {
        d.columnas[c] = c == 0 ? a.datos.PMes : a.Dispon[acumulacion[c]];
        for (const double x : d.columnas[c])
            d.totales[c] += x;
    }
    d.totales[0] = a.PAnual;
    return d;
}
