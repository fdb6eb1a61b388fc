// The calculator end to end in-process: parse a batch, compute, write.
#include "calc/Calculadora.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

std::string Lote(int n)
{
    std::string s = "[";
    for (int i = 0; i < n; ++i) {
        if (i)
            s += ',';
        // Vary the site so that both branches of the model and the search run.
        const int ni = 50 + i % 40;
        const int nr = 40 + (i * 7) % 60;
        s += R"({"site":{"NAC":70,"NI":)" + std::to_string(ni) + R"(,"NR":)" + std::to_string(nr) +
             R"(,"SI":10,"SR":2,"CAPA":50,"capacity":60},"storm":{"P":)" + std::to_string(20 + i % 70) +
             R"(,"condition":)" + std::to_string(1 + i % 3) + "}}";
    }
    return s + "]";
}

void CalculadoraLote(benchmark::State& st)
{
    const std::string entrada = Lote(10000);
    int estado = 0;
    for (auto _ : st) {
        std::string salida = Calcula(std::string_view(entrada), estado);
        benchmark::DoNotOptimize(salida);
    }
    if (estado != 0)
        st.SkipWithError("the batch was refused");
    st.SetItemsProcessed(st.iterations() * 10000);
    st.SetBytesProcessed(st.iterations() * static_cast<std::int64_t>(entrada.size()));
}
BENCHMARK(CalculadoraLote)->Unit(benchmark::kMillisecond);

} // namespace
