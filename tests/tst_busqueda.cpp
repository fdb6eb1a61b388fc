// The fast threshold search must give exactly what the literal 0.1 mm walk
// gives: the same double and the same number of steps.
#include "ApoyoModelo.h"

#include <QtTest>

#include <cstring>
#include <random>

class TstBusqueda : public QObject {
    Q_OBJECT

    // Both searches on each condition of a site; literal walks longer than
    // 400,000 steps are left to the benchmark.
    static void Compara(double SI, double SR, double NI, double NR, double capa, int& comparadas)
    {
        SiteState s = Sitio(70, NI, NR, SI, SR, capa);
        CalculaSitio(s, capa);
        for (int i = 1; i <= 3; ++i) {
            const Cubica f = CubicaUnidad(SI, SR, s.P0I(i), s.P0R(i), capa);
            const Busqueda rapida = BuscaRapida(f, s.P0I(i));
            if (rapida.pasos > 400000)
                continue;
            const Busqueda literal = BuscaLiteral(f, s.P0I(i));
            QVERIFY2(literal.pasos == rapida.pasos && std::memcmp(&literal.P0US, &rapida.P0US, sizeof(double)) == 0 &&
                         std::memcmp(&literal.PBusca, &rapida.PBusca, sizeof(double)) == 0,
                     qPrintable(QString::asprintf("SI %.17g SR %.17g NI %.17g NR %.17g CAPA %.17g cond %d", SI, SR, NI,
                                                  NR, capa, i)));
            ++comparadas;
        }
    }

  private slots:
    // Sites that once told the two apart, then random sites over the whole
    // input range, weighted towards the extremes of the curve numbers where
    // the search starts below 0.5 mm.
    void literalYRapidaCoinciden()
    {
        int comparadas = 0;
        const double casos[][5] = {
            {10, 2, 60, 80, 50},       // the worked example
            {1, 1, 99.4, 99.9, 3},     // start in the binade of ties
            {1, 1, 99.7, 99.95, 5},    // start below a quarter
            {0.5, 0.2, 30, 100, 500},  // collecting area of 100
            {0.01, 0.02, 20, 90, 900}, // crossing many binades
            {2, 1, 50, 60, 226},       // root near a power of two
            {4, 1, 40, 41, 0.062},     // capacity just above the minimum
        };
        for (const auto& c : casos)
            Compara(c[0], c[1], c[2], c[3], c[4], comparadas);
        QCOMPARE(comparadas, 21);
        std::mt19937_64 azar(20261206);
        std::uniform_real_distribution<double> u(0.0, 1.0);
        auto area = [&] { return std::pow(10.0, -3.0 + 5.99 * u(azar)); };
        for (int k = 0; k < 1500; ++k) {
            const double NI = (k % 3 == 0) ? 100.0 - std::pow(10.0, -4.0 + 4.0 * u(azar)) : 1.0 + 98.0 * u(azar);
            const double NR = NI + (100.0 - NI) * (k % 5 == 0 ? 1.0 : u(azar));
            if (!(NR > NI))
                continue;
            const double capa = (k % 4 == 0) ? 10000.0 * u(azar) : 50.0 * u(azar);
            Compara(area(), area(), NI, NR, capa, comparadas);
        }
        QVERIFY2(comparadas > 1521, qPrintable(QString::number(comparadas)));
    }

    // The slowest sites the entry lets through (0.001 m²), and areas so small
    // that x + 0.1 stops advancing before the root: the search ends.
    void areasDiminutasTerminan_data()
    {
        QTest::addColumn<double>("area");
        QTest::newRow("0.001") << 0.001;
        QTest::newRow("1e-12") << 1e-12;
        QTest::newRow("1e-300") << 1e-300;
        QTest::newRow("denormal") << 1e-310;
    }
    void areasDiminutasTerminan()
    {
        QFETCH(double, area);
        SiteState s = Sitio(70, 50, 100, area, area, 9999.9);
        QCOMPARE(CalculaSitio(s).desenlace, Desenlace::Completado);
        for (int i = 1; i <= 3; ++i)
            QVERIFY(s.P0US(i) >= s.P0I(i));
        // Two areas of 0.001 m² shed about CAPA / 0.002 mm at the root.
        QVERIFY(area < 0.001 || std::fabs(s.P0US(2) - 5.0e6) < 1000);
    }
};

QTEST_APPLESS_MAIN(TstBusqueda)
#include "tst_busqueda.moc"
