#include "model/Serie.h"

void PasoSerie(const SiteState& s, ScenarioResults& r, TotalesSerie& t, double P, int c)
{
    // The balance computes in the same order; the series only adds its
    // bookkeeping, which reads the results and never feeds back into them.
    t.indicadores = BalanceAguacero(s, r, P, c);
    if (P > s.P0AC(c))
        ++t.NumEscLadera;
    if (P > s.P0I(c))
        ++t.NumEscImpluvio;
    t.SumaMaxAlcorque += r.PMaxAlcorque;
    if (r.CapaLibre < 0)
        ++t.NumFuera;
    if (t.CapaMaxSerie < r.CapaNecesaria)
        t.CapaMaxSerie = r.CapaNecesaria;
    r.AlturaRepresas = t.CapaMaxSerie / s.SR;
    t.Acum(1) += P;
    t.Acum(2) += r.PSinSist;
    t.Acum(3) += r.PBanqueta;
    t.Acum(4) += r.PPromedio;
    t.Acum(5) += r.PImpluvio;
}

TotalesSerie RecalculaSerie(const SiteState& s, ScenarioResults& r, const std::vector<Aguacero>& lista)
{
    LimpiaResultados(r);
    TotalesSerie t;
    for (const Aguacero& a : lista)
        PasoSerie(s, r, t, a.P, a.cond);
    return t;
}

TotalesSerie RecalculaSerie(const SiteState& s, ScenarioResults& r, const std::vector<Aguacero>& lista,
                            std::vector<BarraSerie>& detalle)
{
    LimpiaResultados(r);
    TotalesSerie t;
    detalle.clear();
    detalle.reserve(lista.size());
    for (const Aguacero& a : lista) {
        PasoSerie(s, r, t, a.P, a.cond);
        detalle.push_back({a.P, r.PBanqueta, r.CapaNecesaria, r.CapaLibre < 0, a.cond});
    }
    return t;
}

std::array<double, 9> ResumenDeSerie(const TotalesSerie& t, int numAguaceros)
{
    return {t.Acum(1),
            static_cast<double>(numAguaceros),
            static_cast<double>(t.NumEscImpluvio),
            static_cast<double>(t.NumFuera),
            t.Acum(1),
            t.Acum(2),
            t.Acum(4),
            t.Acum(3),
            t.CapaMaxSerie};
}
