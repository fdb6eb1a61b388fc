#include "site/ModeloCN.h"

#include <QtTest>

#include <cmath>

namespace {

SiteState Sitio(double nac, double ni, double nr, double si, double sr, double capa)
{
    SiteState s;
    s.NAC(2) = nac;
    s.NI(2) = ni;
    s.NR(2) = nr;
    s.SI = si;
    s.SR = sr;
    s.CAPA = capa;
    return s;
}

// Reference figures are known to two decimals only.
const auto Cent = [](double x) { return qRound(x * 100); };

double SoloRecepcion(const SiteState& s, int i)
{
    const double a = (s.CAPA / 2) / s.SR + s.P0R(i);
    const double b = s.CAPA * 4 * s.P0R(i) / s.SR - s.P0R(i) * s.P0R(i);
    return std::sqrt(std::fabs(a * a + b)) + a;
}

} // namespace

class TstModelo : public QObject {
    Q_OBJECT
  private slots:
    void conversiones_data()
    {
        QTest::addColumn<double>("n2");
        QTest::addColumn<double>("n1");
        QTest::addColumn<double>("n3");
        QTest::addColumn<double>("p0");
        QTest::newRow("50") << 50.0 << 210 / 7.1 << 1150 / 16.5 << 50.8;
        QTest::newRow("70") << 70.0 << 294 / 5.94 << 1610 / 19.1 << 5080 / 70.0 - 50.8;
        QTest::newRow("100") << 100.0 << 100.0 << 100.0 << 0.0;
    }

    void conversiones()
    {
        QFETCH(double, n2);
        QFETCH(double, n1);
        QFETCH(double, n3);
        QFETCH(double, p0);
        QCOMPARE(NumeroCondicionI(n2), n1);
        QCOMPARE(NumeroCondicionIII(n2), n3);
        QCOMPARE(Umbral(n2), p0);
        if (n2 == 100.0) {
            // 100 must stay exactly 100 so that no threshold turns negative.
            QVERIFY(NumeroCondicionI(n2) == 100.0);
            QVERIFY(NumeroCondicionIII(n2) == 100.0);
            QVERIFY(Umbral(n2) == 0.0);
            QVERIFY(Umbral(100.00000000000001) == 0.0);
        }
    }

    void ejemplos_data()
    {
        QTest::addColumn<double>("ni");
        QTest::addColumn<double>("nr");
        QTest::addColumn<double>("n2");
        QTest::addColumn<double>("p02");
        QTest::addColumn<double>("p0us2");
        QTest::addColumn<double>("nus2");
        QTest::newRow("NR <= NI") << 80.0 << 60.0 << 76.67 << 15.46 << 35.61 << 58.79;
        QTest::newRow("NR > NI") << 60.0 << 80.0 << 63.33 << 29.41 << 52.82 << 49.03;
    }

    void ejemplos()
    {
        QFETCH(double, ni);
        QFETCH(double, nr);
        QFETCH(double, n2);
        QFETCH(double, p02);
        QFETCH(double, p0us2);
        QFETCH(double, nus2);
        SiteState s = Sitio(70, ni, nr, 10, 2, 50);
        int llamadas = 0;
        const ResultadoModelo r = EjecutaModelo(s, [&](SiteState&) { ++llamadas; });
        QCOMPARE(r.desenlace, Desenlace::Completado);
        QCOMPARE(llamadas, 0);
        QVERIFY(!r.comprobacionCapacidad);
        QCOMPARE(s.NRMayorNI, nr > ni);
        QCOMPARE(Cent(s.N(2)), Cent(n2));
        QCOMPARE(Cent(s.P0(2)), Cent(p02));
        QCOMPARE(Cent(s.P0US(2)), Cent(p0us2));
        QCOMPARE(Cent(s.NUS(2)), Cent(nus2));
        if (s.NRMayorNI) {
            QCOMPARE(Cent(s.CapaMinima), 2520);
            QCOMPARE(s.CapaMinima, s.CapaMinCond(1));
            QVERIFY(s.CapaMinCond(2) < s.CapaMinima && s.CapaMinCond(3) < s.CapaMinima);
            QCOMPARE(Cent(s.P0I(2)), 3387);
            // 189 whole steps of 0.1 from P0I(2), then the middle of the next one.
            QVERIFY(std::fabs(s.P0US(2) - (s.P0I(2) + 18.95)) < 1e-9);
        } else {
            QCOMPARE(s.CapaMinima, 0.0);
        }
    }

    void comprobacion_data()
    {
        QTest::addColumn<double>("capa"); // < 0: exactly CapaMinima
        QTest::addColumn<bool>("confirma");
        QTest::addColumn<double>("nueva");
        QTest::addColumn<int>("llamadas");
        QTest::addColumn<bool>("completado");
        QTest::addColumn<bool>("pitido");
        QTest::addColumn<QString>("ramas"); // R collecting area only, B search
        QTest::newRow("rechazada") << 5.0 << false << 0.0 << 1 << false << false << QStringLiteral("");
        QTest::newRow("confirmada corta") << 5.0 << true << 5.0 << 1 << true << true << QStringLiteral("RRB");
        QTest::newRow("confirmada suficiente") << 5.0 << true << 30.0 << 1 << true << false << QStringLiteral("BBB");
        QTest::newRow("igual a la minima") << -1.0 << false << 0.0 << 0 << true << false << QStringLiteral("RBB");
        QTest::newRow("sobrada") << 50.0 << false << 0.0 << 0 << true << false << QStringLiteral("BBB");
    }

    void comprobacion()
    {
        QFETCH(double, capa);
        QFETCH(bool, confirma);
        QFETCH(double, nueva);
        QFETCH(int, llamadas);
        QFETCH(bool, completado);
        QFETCH(bool, pitido);
        QFETCH(QString, ramas);
        SiteState s = Sitio(70, 60, 80, 10, 2, capa);
        if (capa < 0) {
            s.CAPA = 50;
            EjecutaModelo(s, {});
            s.CAPA = s.CapaMinima;
        }
        s.P0US = PorCondicion{{-1, -1, -1}};
        s.CapaConfirmada = true;
        int vistas = 0;
        bool confirmadaAlAbrir = true;
        double minimaAlAbrir = 0;
        const ResultadoModelo r = EjecutaModelo(s, [&](SiteState& e) {
            ++vistas;
            confirmadaAlAbrir = e.CapaConfirmada;
            minimaAlAbrir = e.CapaMinima;
            if (confirma) {
                e.CAPA = nueva;
                e.CapaConfirmada = true;
            }
        });
        QCOMPARE(vistas, llamadas);
        QCOMPARE(r.comprobacionCapacidad, llamadas > 0);
        QCOMPARE(r.desenlace, completado ? Desenlace::Completado : Desenlace::Abandonado);
        QCOMPARE(r.pitido, pitido);
        if (llamadas > 0) {
            QVERIFY(!confirmadaAlAbrir);
            QCOMPARE(Cent(minimaAlAbrir), 2520);
        }
        if (!completado) {
            QVERIFY(s.P0US == (PorCondicion{{-1, -1, -1}}));
            QCOMPARE(Cent(s.P0I(2)), 3387); // thresholds are already there
            return;
        }
        for (int i = 1; i <= 3; ++i) {
            const bool soloRecepcion = ramas[i - 1] == u'R';
            QCOMPARE(s.CAPA <= s.CapaMinCond(i), soloRecepcion);
            if (soloRecepcion) {
                QCOMPARE(s.P0US(i), SoloRecepcion(s, i));
            } else {
                const Cubica f = CubicaUnidad(s.SI, s.SR, s.P0I(i), s.P0R(i), s.CAPA);
                QVERIFY(f(s.P0US(i) - 0.05) < 0);
                QVERIFY(f(s.P0US(i) + 0.05) >= 0);
                const double pasos = (s.P0US(i) - s.P0I(i)) / 0.1 - 0.5;
                QVERIFY(std::fabs(pasos - std::round(pasos)) < 1e-6);
            }
            QCOMPARE(s.NUS(i), 5080 / (s.P0US(i) + 50.8));
        }
    }

    void capaCero_data()
    {
        QTest::addColumn<double>("ni");
        QTest::addColumn<double>("nr");
        QTest::newRow("NR < NI") << 80.0 << 60.0;
        QTest::newRow("NR == NI") << 70.0 << 70.0;
    }

    void capaCero()
    {
        QFETCH(double, ni);
        QFETCH(double, nr);
        SiteState s = Sitio(70, ni, nr, 10, 2, 0);
        int llamadas = 0;
        QCOMPARE(EjecutaModelo(s, [&](SiteState&) { ++llamadas; }).desenlace, Desenlace::Completado);
        QCOMPARE(llamadas, 0);
        QVERIFY(!s.NRMayorNI);
        for (int i = 1; i <= 3; ++i) {
            QVERIFY(s.P0US(i) == s.P0(i));
            QCOMPARE(s.NUS(i), s.N(i));
        }
    }

    void capaMinimaSeConserva()
    {
        SiteState s = Sitio(70, 80, 60, 10, 2, 50);
        EjecutaModelo(s, {});
        QVERIFY(s.CapaMinCond == PorCondicion{});
        QCOMPARE(s.CapaMinima, 0.0);

        s.NI(2) = 60;
        s.NR(2) = 80;
        EjecutaModelo(s, {});
        const PorCondicion cond = s.CapaMinCond;
        const double minima = s.CapaMinima;
        QVERIFY(minima > 0);

        s.NI(2) = 80;
        s.NR(2) = 60;
        EjecutaModelo(s, {});
        QVERIFY(s.CapaMinCond == cond);
        QVERIFY(s.CapaMinima == minima);
    }

    void todoCien()
    {
        // Thresholds of 0 everywhere: the unit holds CAPA over its whole area.
        SiteState s = Sitio(100, 100, 100, 10, 2, 60);
        QCOMPARE(EjecutaModelo(s, {}).desenlace, Desenlace::Completado);
        for (int i = 1; i <= 3; ++i) {
            QVERIFY(s.NAC(i) == 100.0 && s.N(i) == 100.0);
            QVERIFY(s.P0AC(i) == 0.0 && s.P0I(i) == 0.0 && s.P0R(i) == 0.0 && s.P0(i) == 0.0);
            QVERIFY(s.P0US(i) == 5.0);
        }
    }

    void busquedaSinPaso()
    {
        // CAPA exceeds CapaMinCond(1) by less than the rounding of the cubic, so
        // f is not negative where the search starts: it must stop at once.
        SiteState s = Sitio(70, 40, 41, 4, 1, 0.06197600991616201);
        const ResultadoModelo r = EjecutaModelo(s, {});
        QCOMPARE(r.desenlace, Desenlace::Completado);
        QVERIFY(s.CAPA > s.CapaMinCond(1));
        const double inicio = s.P0I(1);
        QVERIFY(!(CubicaUnidad(s.SI, s.SR, inicio, s.P0R(1), s.CAPA)(inicio) < 0));
        QVERIFY(s.P0US(1) == ((inicio + 0.1) + inicio) / 2);
    }
};

QTEST_APPLESS_MAIN(TstModelo)
#include "tst_modelo.moc"
