// The fast threshold search must give exactly what the literal 0.1 mm walk
// gives: the same double and the same number of steps.
#include "ApoyoModelo.h"

#include <QtTest>

#include <cmath>
#include <random>

class TstBusqueda : public QObject {
    Q_OBJECT

    // Literal walks longer than this are left to the benchmark.
    static constexpr std::uint64_t MaxPasosLiteral = 400000;

    static void Compara(double SI, double SR, double NI, double NR, double capa, int& comparadas)
    {
        SiteState s = Sitio(70, NI, NR, SI, SR, capa);
        EjecutaModelo(s, [](SiteState& t) { t.CapaConfirmada = true; });
        for (int i = 1; i <= 3; ++i) {
            const Cubica f = CubicaUnidad(SI, SR, s.P0I(i), s.P0R(i), capa);
            const Busqueda rapida = BuscaRapida(f, s.P0I(i));
            if (rapida.pasos > MaxPasosLiteral)
                continue;
            const Busqueda literal = BuscaLiteral(f, s.P0I(i));
            const QString caso = QString("SI %1 SR %2 NI %3 NR %4 CAPA %5 cond %6")
                                     .arg(SI, 0, 'g', 17)
                                     .arg(SR, 0, 'g', 17)
                                     .arg(NI, 0, 'g', 17)
                                     .arg(NR, 0, 'g', 17)
                                     .arg(capa, 0, 'g', 17)
                                     .arg(i);
            QVERIFY2(literal.pasos == rapida.pasos, qPrintable(caso));
            QVERIFY2(std::memcmp(&literal.P0US, &rapida.P0US, sizeof(double)) == 0, qPrintable(caso));
            QVERIFY2(std::memcmp(&literal.PBusca, &rapida.PBusca, sizeof(double)) == 0, qPrintable(caso));
            ++comparadas;
        }
    }

  private slots:
    void literalYRapidaCoinciden_data()
    {
        QTest::addColumn<double>("SI");
        QTest::addColumn<double>("SR");
        QTest::addColumn<double>("NI");
        QTest::addColumn<double>("NR");
        QTest::addColumn<double>("capa");
        QTest::newRow("worked example") << 10.0 << 2.0 << 60.0 << 80.0 << 50.0;
        QTest::newRow("start in the binade of ties") << 1.0 << 1.0 << 99.4 << 99.9 << 3.0;
        QTest::newRow("start below a quarter") << 1.0 << 1.0 << 99.7 << 99.95 << 5.0;
        QTest::newRow("collecting area of 100") << 0.5 << 0.2 << 30.0 << 100.0 << 500.0;
        QTest::newRow("crossing many binades") << 0.01 << 0.02 << 20.0 << 90.0 << 900.0;
        QTest::newRow("root near a power of two") << 2.0 << 1.0 << 50.0 << 60.0 << 226.0;
        QTest::newRow("capacity just above the minimum") << 4.0 << 1.0 << 40.0 << 41.0 << 0.062;
    }
    void literalYRapidaCoinciden()
    {
        QFETCH(double, SI);
        QFETCH(double, SR);
        QFETCH(double, NI);
        QFETCH(double, NR);
        QFETCH(double, capa);
        int comparadas = 0;
        Compara(SI, SR, NI, NR, capa, comparadas);
        QVERIFY(comparadas > 0);
    }

    // Random sites over the whole input range, weighted towards the extremes
    // of the curve numbers where the search starts below 0.5 mm.
    void literalYRapidaCoincidenAlAzar()
    {
        std::mt19937_64 azar(20261206);
        std::uniform_real_distribution<double> u(0.0, 1.0);
        auto area = [&] { return std::pow(10.0, -3.0 + 5.99 * u(azar)); };
        int comparadas = 0;
        for (int k = 0; k < 1500; ++k) {
            const double NI = (k % 3 == 0) ? 100.0 - std::pow(10.0, -4.0 + 4.0 * u(azar)) : 1.0 + 98.0 * u(azar);
            const double NR = NI + (100.0 - NI) * (k % 5 == 0 ? 1.0 : u(azar));
            if (!(NR > NI))
                continue;
            const double capa = (k % 4 == 0) ? 10000.0 * u(azar) : 50.0 * u(azar);
            Compara(area(), area(), NI, NR, capa, comparadas);
        }
        QVERIFY2(comparadas > 1500, qPrintable(QString::number(comparadas)));
    }

    // The walk of the slowest sites the entry window lets through.
    void peorCasoTermina()
    {
        SiteState s = Sitio(70, 50, 100, 0.001, 0.001, 9999.9);
        QCOMPARE(EjecutaModelo(s, {}).desenlace, Desenlace::Completado);
        const Busqueda b = BuscaRapida(CubicaUnidad(s.SI, s.SR, s.P0I(2), s.P0R(2), s.CAPA), s.P0I(2));
        QVERIFY(b.pasos > 40000000);
        // Two areas of 0.001 m² shed about CAPA / 0.002 mm at the root.
        QVERIFY(std::fabs(s.P0US(2) - 5.0e6) < 1000);
    }

    // Areas so small that x + 0.1 stops advancing before the root: the
    // search must end, at the point where the walk stands still.
    void areasDiminutasTerminan_data()
    {
        QTest::addColumn<double>("area");
        QTest::newRow("1e-12") << 1e-12;
        QTest::newRow("1e-300") << 1e-300;
        QTest::newRow("denormal") << 1e-310;
    }
    void areasDiminutasTerminan()
    {
        QFETCH(double, area);
        SiteState s = Sitio(70, 50, 90, area, area, 9999.9);
        QCOMPARE(EjecutaModelo(s, {}).desenlace, Desenlace::Completado);
        for (int i = 1; i <= 3; ++i)
            QVERIFY(s.P0US(i) >= s.P0I(i));
    }
};

QTEST_APPLESS_MAIN(TstBusqueda)
#include "tst_busqueda.moc"
