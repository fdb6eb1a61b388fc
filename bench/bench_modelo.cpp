// Speed of the model: the threshold search on the slowest sites, an ordinary
// site, one storm, and one year in each runoff case.
#include "../tests/ApoyoModelo.h"
#include "model/BalanceAguacero.h"
#include "model/CalculoAnual.h"
#include "model/ModeloCN.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

// The smallest areas the entry window shows, with the largest capacity.
SiteState PeorCaso()
{
    return Sitio(70, 50, 100, 0.001, 0.001, 9999.9);
}
// Tiny, nearly equal curve numbers on top of that: the longest walks found.
SiteState Extremo()
{
    return Sitio(70, 0.0005, 0.000500051, 0.001, 0.001, 9999.9);
}
SiteState Ordinario()
{
    return Sitio(70, 60, 80, 10, 2, 50);
}

void Modelo(benchmark::State& st, SiteState (*sitio)())
{
    const SiteState base = sitio();
    for (auto _ : st) {
        SiteState s = base;
        benchmark::DoNotOptimize(CalculaSitio(s));
        benchmark::DoNotOptimize(s.P0US);
    }
}
BENCHMARK_CAPTURE(Modelo, peor_caso, PeorCaso)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Modelo, extremo, Extremo)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Modelo, ordinario, Ordinario)->Unit(benchmark::kMicrosecond);

// Both searches on condition II of a site, and a check that they agree.
void Busca(benchmark::State& st, SiteState (*sitio)(), bool literal)
{
    SiteState s = sitio();
    CalculaSitio(s);
    const Cubica f = CubicaUnidad(s.SI, s.SR, s.P0I(2), s.P0R(2), s.CAPA);
    Busqueda b;
    for (auto _ : st) {
        b = literal ? BuscaLiteral(f, s.P0I(2)) : BuscaRapida(f, s.P0I(2));
        benchmark::DoNotOptimize(b);
    }
    const Busqueda r = BuscaRapida(f, s.P0I(2));
    st.counters["pasos"] = static_cast<double>(b.pasos);
    if (b.pasos != r.pasos || std::memcmp(&b.P0US, &r.P0US, sizeof(double)) != 0)
        st.SkipWithError("the fast search differs from the literal walk");
}
BENCHMARK_CAPTURE(Busca, literal_peor_caso, PeorCaso, true)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(Busca, rapida_peor_caso, PeorCaso, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Busca, literal_extremo, Extremo, true)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(Busca, rapida_extremo, Extremo, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Busca, literal_ordinario, Ordinario, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Busca, rapida_ordinario, Ordinario, false)->Unit(benchmark::kMicrosecond);

void Aguacero(benchmark::State& st)
{
    SiteState s = Sitio(70, 90, 60, 4, 1, 100);
    CalculaSitio(s);
    ScenarioResults r;
    for (auto _ : st) {
        benchmark::DoNotOptimize(BalanceAguacero(s, r, 50, 2));
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(Aguacero);

// A wet year: every month has storms of all three kinds.
void Ano(benchmark::State& st, CasoEscorrentia caso)
{
    SiteState s = Sitio(70, 90, 60, 4, 1, 100);
    CalculaSitio(s);
    ScenarioResults r;
    CalculoAnual a;
    for (std::size_t m = 0; m < 12; ++m) {
        a.datos.PMes[m] = 60 + 10.0 * static_cast<double>(m);
        a.datos.PMaxDia[m] = 30;
        a.datos.NDias[m] = 8;
    }
    for (auto _ : st) {
        CalculaAguaceros(a, caso);
        BalanceAnual(s, r, a);
        benchmark::DoNotOptimize(a.Dispon);
    }
}
BENCHMARK_CAPTURE(Ano, caso_I, CasoEscorrentia::I);
BENCHMARK_CAPTURE(Ano, caso_II, CasoEscorrentia::II);
BENCHMARK_CAPTURE(Ano, caso_III, CasoEscorrentia::III);

} // namespace
