// The report of a site with a 1,000-storm series and a year: the preview's
// work (computing and painting every page, as File -> Report does before it
// shows), and `hidrela --report` as a whole process.
#include "app/Informe.h"
#include "common/Variables.h"
#include "documento/ArchivoSitio.h"

#include <QApplication>
#include <QFile>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <random>

namespace {

// The sample request with its series replaced by 1,000 storms from a fixed seed.
DocumentoSitio Sitio1000()
{
    QFile f(QStringLiteral(HIDRELA_EJEMPLO));
    f.open(QIODevice::ReadOnly);
    const QByteArray texto = f.readAll();
    DocumentoSitio d;
    LeeArchivoSitio(std::string_view(texto.constData(), static_cast<std::size_t>(texto.size())), d);
    std::mt19937 azar(5);
    std::uniform_real_distribution<double> P(1, 80);
    std::uniform_int_distribution<int> c(1, 3);
    d.serie.clear();
    for (int i = 0; i < 1000; ++i)
        d.serie.push_back(Aguacero{std::round(P(azar) * 10) / 10, c(azar)});
    return d;
}

Variables Ingles()
{
    Variables v;
    v.NumIdioma = 2;
    v.SepDecimal = QStringLiteral(".");
    return v;
}

void VistaPrevia(benchmark::State& st)
{
    const Variables v = Ingles();
    const FuenteInforme f{Sitio1000(), QStringLiteral("bench.hidrela"), QDate(2026, 1, 1)};
    int paginas = 0;
    for (auto _ : st) {
        QPrinter impresora(QPrinter::HighResolution);
        QPrintPreviewWidget vista(&impresora);
        QObject::connect(&vista, &QPrintPreviewWidget::paintRequested,
                         [&](QPrinter* p) { PintaInforme(*p, ContenidoInforme(v, f)); });
        vista.updatePreview();
        paginas = vista.pageCount();
    }
    st.counters["pages"] = paginas;
}
BENCHMARK(VistaPrevia)->Unit(benchmark::kMillisecond);

void Proceso(benchmark::State& st)
{
    QTemporaryDir dir;
    const QString sitio = dir.filePath(QStringLiteral("bench.hidrela"));
    QFile f(sitio);
    const std::string texto = EscribeArchivoSitio(Sitio1000());
    if (!f.open(QIODevice::WriteOnly) || f.write(texto.data(), static_cast<qint64>(texto.size())) < 0) {
        st.SkipWithError("cannot write the site file");
        return;
    }
    f.close();
    for (auto _ : st) {
        const auto t0 = std::chrono::steady_clock::now();
        const int estado = QProcess::execute(
            QStringLiteral(HIDRELA), {QStringLiteral("--report"), dir.filePath(QStringLiteral("b.pdf")), sitio});
        st.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
        if (estado != 0) {
            st.SkipWithError("the report failed");
            break;
        }
    }
}
BENCHMARK(Proceso)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
