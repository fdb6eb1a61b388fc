// The calculator: a batch in-process (parse, compute, write), the reading
// alone, and the installed form of the work, the executable over a file of
// JSON Lines, timed whole with its peak memory.
#include "calc/Calculadora.h"
#include "documento/LectorJson.h"
#include "documento/Peticion.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace {

// A site and a storm; the site varies so that both branches of the model
// and the search run.
std::string Peticion(int i)
{
    return R"({"site":{"NAC":70,"NI":)" + std::to_string(50 + i % 40) + R"(,"NR":)" +
           std::to_string(40 + (i * 7) % 60) + R"(,"SI":10,"SR":2,"CAPA":50,"capacity":60},"storm":{"P":)" +
           std::to_string(20 + i % 70) + R"(,"condition":)" + std::to_string(1 + i % 3) + "}}";
}

std::string Lineas(int n, int desde = 0)
{
    std::string s;
    for (int i = desde; i < desde + n; ++i)
        s += Peticion(i) + '\n';
    return s;
}

void CalculadoraLote(benchmark::State& st)
{
    std::string entrada = "[";
    for (int i = 0; i < 10000; ++i) {
        if (i)
            entrada += ',';
        entrada += Peticion(i);
    }
    entrada += ']';
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

// Reading alone, as the calculator reads JSON Lines: cut into lines 64 KiB
// at a time, each run read as one stream straight into requests, a line
// read on its own when the stream cannot tell it, or whole (UTF-8 and numbers
// checked, repeated keys refused) when neither can. With two threads each
// reads half of the lines, as the calculator's two workers do with -j 2;
// the rate is of both together, over the wall time.
void Lectura(benchmark::State& st)
{
    constexpr int n = 100000;
    const int propias = n / st.threads();
    const std::string texto = Lineas(propias, propias * st.thread_index()) + std::string(RellenoJson, ' ');
    const std::string_view lineas(texto.data(), texto.size() - RellenoJson);
    LectorJson lector;
    std::vector<Pieza> piezas;
    for (auto _ : st) {
        Troceador t(true);
        for (std::size_t desde = 0; desde < lineas.size();) {
            const std::size_t hasta = std::min(lineas.size(), desde + (std::size_t{64} << 10));
            piezas.clear();
            desde = t.Corta(lineas.substr(0, hasta), desde, hasta == lineas.size(), piezas);
            FlujoPeticiones flujo(texto.data(), piezas, FormaFlujo::Lineas, lector.Flujo());
            for (std::size_t i = 0; i < piezas.size(); ++i) {
                const std::string_view linea(texto.data() + piezas[i].inicio, piezas[i].largo);
                struct Peticion peticion; // the struct, not the text maker above
                if (flujo.Lee(i, peticion) || LeePeticionDirecta(lector.Directo(), linea, peticion))
                    benchmark::DoNotOptimize(peticion);
                else if (lector.Lee(linea, true) != LectorJson::Lectura::Bien)
                    st.SkipWithError("a line was refused");
            }
        }
    }
    st.SetItemsProcessed(st.iterations() * propias);
    st.SetBytesProcessed(st.iterations() * static_cast<std::int64_t>(lineas.size()));
}
BENCHMARK(Lectura)->Threads(1)->Threads(2)->UseRealTime()->Unit(benchmark::kMillisecond);

// Every line read whole, as a request of another kind is.
void LecturaEntera(benchmark::State& st)
{
    const std::string texto = Lineas(100000) + std::string(RellenoJson, ' ');
    const std::string_view lineas(texto.data(), texto.size() - RellenoJson);
    LectorJson lector;
    std::vector<Pieza> piezas;
    for (auto _ : st) {
        Troceador t(true);
        piezas.clear();
        t.Corta(lineas, 0, true, piezas);
        for (const Pieza& p : piezas)
            if (lector.Lee(std::string_view(texto.data() + p.inicio, p.largo), true) != LectorJson::Lectura::Bien)
                st.SkipWithError("a line was refused");
    }
    st.SetItemsProcessed(st.iterations() * 100000);
    st.SetBytesProcessed(st.iterations() * static_cast<std::int64_t>(lineas.size()));
}
BENCHMARK(LecturaEntera)->Unit(benchmark::kMillisecond);

// simdjson's own stream of documents over the same text, for comparison.
void LecturaSimdjson(benchmark::State& st)
{
    const simdjson::padded_string texto(Lineas(100000));
    simdjson::dom::parser parser;
    for (auto _ : st) {
        simdjson::dom::document_stream documentos;
        if (parser.parse_many(texto).get(documentos) != simdjson::SUCCESS)
            st.SkipWithError("simdjson refused the text");
        for (auto d : documentos)
            benchmark::DoNotOptimize(d.error());
    }
    st.SetItemsProcessed(st.iterations() * 100000);
    st.SetBytesProcessed(st.iterations() * static_cast<std::int64_t>(texto.size()));
}
BENCHMARK(LecturaSimdjson)->Unit(benchmark::kMillisecond);

// The executable over a million site+storm requests as JSON Lines, file in,
// /dev/null out: the time of the whole process and its peak resident memory.
void Proceso(benchmark::State& st)
{
    constexpr int n = 1000000;
    // Written once, removed when the benchmarks end.
    static const struct Fichero {
        std::string ruta;
        bool escrito = false;
        Fichero() : ruta(std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + "/hidrela-bench.jsonl")
        {
            std::FILE* f = std::fopen(ruta.c_str(), "wb");
            for (int i = 0; f && i < n; ++i) {
                const std::string linea = Peticion(i) + '\n';
                std::fwrite(linea.data(), 1, linea.size(), f);
            }
            escrito = f && std::fclose(f) == 0;
        }
        ~Fichero() { std::remove(ruta.c_str()); }
    } fichero;
    if (!fichero.escrito) {
        st.SkipWithError("cannot write the input file");
        return;
    }
    const std::string hilos = "-j" + std::to_string(st.range(0));
    long picoKiB = 0;
    double cpu = 0; // the child's, in seconds
    for (auto _ : st) {
        posix_spawn_file_actions_t acciones;
        posix_spawn_file_actions_init(&acciones);
        posix_spawn_file_actions_addopen(&acciones, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        char* argv[] = {const_cast<char*>(HIDRELA_CALC), const_cast<char*>("--lines"), const_cast<char*>(hilos.c_str()),
                        const_cast<char*>(fichero.ruta.c_str()), nullptr};
        const auto t0 = std::chrono::steady_clock::now();
        pid_t pid = 0;
        int estado = -1;
        if (posix_spawn(&pid, HIDRELA_CALC, &acciones, nullptr, argv, environ) != 0) {
            st.SkipWithError("cannot start the calculator");
            break;
        }
        // The child's own high-water mark, read while it runs: the one
        // wait4 reports also counts the memory of this process, which the
        // child starts from.
        const std::string estadoHijo = "/proc/" + std::to_string(pid) + "/status";
        rusage uso{};
        while (wait4(pid, &estado, WNOHANG, &uso) == 0) {
            if (std::FILE* f = std::fopen(estadoHijo.c_str(), "r")) {
                char linea[256];
                long kib = 0;
                while (std::fgets(linea, sizeof linea, f))
                    if (std::sscanf(linea, "VmHWM: %ld kB", &kib) == 1)
                        picoKiB = std::max(picoKiB, kib);
                std::fclose(f);
            }
            usleep(2000);
        }
        st.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
        cpu += static_cast<double>(uso.ru_utime.tv_sec + uso.ru_stime.tv_sec) +
               static_cast<double>(uso.ru_utime.tv_usec + uso.ru_stime.tv_usec) / 1e6;
        posix_spawn_file_actions_destroy(&acciones);
        if (!WIFEXITED(estado) || WEXITSTATUS(estado) != 0) {
            st.SkipWithError("the calculator failed");
            break;
        }
    }
    st.SetItemsProcessed(st.iterations() * n);
    st.counters["peak_RSS_MiB"] = static_cast<double>(picoKiB) / 1024.0;
    // Less sensitive to other work on the machine than the wall time.
    st.counters["requests_per_CPU_s"] = static_cast<double>(st.iterations()) * n / cpu;
}
BENCHMARK(Proceso)->Arg(1)->Arg(2)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace
