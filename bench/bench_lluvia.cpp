// A 30-year daily rainfall record (10,958 days, written here from a fixed
// seed) imported as the calculator does it: the file read and checked, the
// storm series and the mean of the complete years, the JSON written.
#include "calc/ImportaLluvia.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

namespace {

std::string Registro30()
{
    const std::string ruta = (std::filesystem::temp_directory_path() / "hidrela-bench-lluvia.csv").string();
    std::mt19937 azar(19);
    std::bernoulli_distribution lluvia(0.3);
    std::exponential_distribution<double> mm(1 / 8.0);
    std::string t = "fecha;lluvia\n";
    for (DiaCivil d = DiaDe({1991, 1, 1}); d <= DiaDe({2020, 12, 31}); ++d) {
        const Fecha f = FechaDe(d);
        char linea[40];
        std::snprintf(linea, sizeof linea, "%02d/%02d/%04d;%.1f\n", f.dia, f.mes, f.anio,
                      lluvia(azar) ? mm(azar) : 0.0);
        t += linea;
    }
    std::FILE* f = std::fopen(ruta.c_str(), "wb");
    if (f) {
        std::fwrite(t.data(), 1, t.size(), f);
        std::fclose(f);
    }
    return ruta;
}

void ImportaLluvia30(benchmark::State& st)
{
    const std::string ruta = Registro30();
    int estado = 0;
    std::size_t bytes = 0;
    for (auto _ : st) {
        const std::string salida = ImportaLluvia(ruta, OpcionesLluvia{}, estado);
        bytes = salida.size();
        benchmark::DoNotOptimize(salida);
    }
    std::filesystem::remove(ruta);
    if (estado != 0)
        st.SkipWithError("the record was refused");
    st.counters["answer_bytes"] = static_cast<double>(bytes);
    st.SetItemsProcessed(st.iterations() * (DiaDe({2020, 12, 31}) - DiaDe({1991, 1, 1}) + 1));
}

} // namespace

BENCHMARK(ImportaLluvia30)->Unit(benchmark::kMillisecond);
