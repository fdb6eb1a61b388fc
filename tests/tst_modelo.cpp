#include "ApoyoModelo.h"

#include "model/Rangos.h"

#include <QtTest>

#include <cmath>
#include <limits>

namespace {

// Reference figures are known to two decimals only.
const auto Cent = [](double x) { return qRound(x * 100); };

// Runoff of the collecting area alone at depth p, by area: what it must store.
double Recepcion(const SiteState& s, int i, double p)
{
    return s.SR * (p - s.P0R(i)) * (p - s.P0R(i)) / (p + 4 * s.P0R(i));
}

} // namespace

class TstModelo : public QObject {
    Q_OBJECT
  private slots:
    void conversiones()
    {
        QCOMPARE(QList<int>({Cent(NumeroCondicionI(70)), Cent(NumeroCondicionIII(70)), Cent(Umbral(70))}),
                 QList<int>({4949, 8429, 2177}));
        // 100 must stay exactly 100 so that no threshold turns negative.
        QVERIFY(NumeroCondicionI(100) == 100.0 && NumeroCondicionIII(100) == 100.0);
        QVERIFY(Umbral(100) == 0.0 && Umbral(100.00000000000001) == 0.0);
    }

    void ejemplos_data()
    {
        QTest::addColumn<double>("ni");
        QTest::addColumn<double>("nr");
        QTest::addColumn<QList<double>>("esperado"); // N, P0, P0US, NUS of condition II
        QTest::newRow("NR <= NI") << 80.0 << 60.0 << QList<double>{76.67, 15.46, 35.61, 58.79};
        QTest::newRow("NR > NI") << 60.0 << 80.0 << QList<double>{63.33, 29.41, 52.82, 49.03};
    }

    void ejemplos()
    {
        QFETCH(double, ni);
        QFETCH(double, nr);
        QFETCH(QList<double>, esperado);
        SiteState s = Sitio(70, ni, nr, 10, 2, 50);
        int llamadas = 0;
        const ResultadoModelo r = EjecutaModelo(s, [&](SiteState&) { ++llamadas; });
        QCOMPARE(r.desenlace, Desenlace::Completado);
        QVERIFY(llamadas == 0 && !r.comprobacionCapacidad);
        QCOMPARE(s.NRMayorNI, nr > ni);
        QCOMPARE(QList<int>({Cent(s.N(2)), Cent(s.P0(2)), Cent(s.P0US(2)), Cent(s.NUS(2))}),
                 QList<int>({Cent(esperado[0]), Cent(esperado[1]), Cent(esperado[2]), Cent(esperado[3])}));
        if (!s.NRMayorNI) {
            QCOMPARE(s.CapaMinima, 0.0);
            return;
        }
        QCOMPARE(Cent(s.CapaMinima), 2520);
        QCOMPARE(s.CapaMinima, s.CapaMinCond(1));
        QVERIFY(s.CapaMinCond(2) < s.CapaMinima && s.CapaMinCond(3) < s.CapaMinima);
        QCOMPARE(Cent(s.P0I(2)), 3387);
        // 189 whole steps of 0.1 from P0I(2), then the middle of the next one.
        QVERIFY(std::fabs(s.P0US(2) - (s.P0I(2) + 18.95)) < 1e-9);
    }

    void comprobacion_data()
    {
        QTest::addColumn<double>("capa");  // < 0: exactly CapaMinima
        QTest::addColumn<double>("nueva"); // capacity confirmed in the check; < 0: refused
        QTest::addColumn<int>("llamadas");
        QTest::addColumn<bool>("completado");
        QTest::addColumn<bool>("pitido");
        QTest::addColumn<QString>("ramas"); // R collecting area only, B search
        QTest::newRow("rechazada") << 5.0 << -1.0 << 1 << false << false << QString();
        QTest::newRow("confirmada corta") << 5.0 << 5.0 << 1 << true << true << QStringLiteral("RRB");
        QTest::newRow("confirmada suficiente") << 5.0 << 30.0 << 1 << true << false << QStringLiteral("BBB");
        QTest::newRow("igual a la minima") << -1.0 << -1.0 << 0 << true << false << QStringLiteral("RBB");
        QTest::newRow("sobrada") << 50.0 << -1.0 << 0 << true << false << QStringLiteral("BBB");
    }

    void comprobacion()
    {
        QFETCH(double, capa);
        QFETCH(double, nueva);
        QFETCH(int, llamadas);
        QFETCH(bool, completado);
        QFETCH(bool, pitido);
        QFETCH(QString, ramas);
        SiteState s = Sitio(70, 60, 80, 10, 2, capa < 0 ? 50 : capa);
        if (capa < 0) {
            EjecutaModelo(s, {});
            s.CAPA = s.CapaMinima;
        }
        s.P0US = PorCondicion{{-1, -1, -1}};
        s.CapaConfirmada = true;
        int vistas = 0;
        const ResultadoModelo r = EjecutaModelo(s, [&](SiteState& e) {
            ++vistas;
            // The check opens unconfirmed and already knows the minimum.
            QVERIFY(!e.CapaConfirmada);
            QCOMPARE(Cent(e.CapaMinima), 2520);
            if (nueva >= 0) {
                e.CAPA = nueva;
                e.CapaConfirmada = true;
            }
        });
        QCOMPARE(vistas, llamadas);
        QCOMPARE(r.comprobacionCapacidad, llamadas > 0);
        QCOMPARE(r.desenlace, completado ? Desenlace::Completado : Desenlace::Abandonado);
        QCOMPARE(r.pitido, pitido);
        if (!completado) {
            QVERIFY(s.P0US == (PorCondicion{{-1, -1, -1}}));
            QCOMPARE(Cent(s.P0I(2)), 3387); // thresholds are already there
            return;
        }
        for (int i = 1; i <= 3; ++i) {
            const bool soloRecepcion = ramas[i - 1] == u'R';
            QCOMPARE(s.CAPA <= s.CapaMinCond(i), soloRecepcion);
            if (soloRecepcion) {
                QVERIFY(std::fabs(Recepcion(s, i, s.P0US(i)) / s.CAPA - 1) < 1e-12);
            } else {
                // The first 0.1 mm step whose middle passes the root.
                const Cubica f = CubicaUnidad(s.SI, s.SR, s.P0I(i), s.P0R(i), s.CAPA);
                QVERIFY(f(s.P0US(i) - 0.05) < 0 && f(s.P0US(i) + 0.05) >= 0);
                const double pasos = (s.P0US(i) - s.P0I(i)) / 0.1 - 0.5;
                QVERIFY(std::fabs(pasos - std::round(pasos)) < 1e-6);
            }
            QCOMPARE(s.NUS(i), 5080 / (s.P0US(i) + 50.8));
        }
    }

    // No search is needed: with no capacity the thresholds stay; with every
    // number 100 they are 0 and the unit holds CAPA over its whole area.
    void sinBusqueda_data()
    {
        QTest::addColumn<double>("n"); // NAC and NR
        QTest::addColumn<double>("ni");
        QTest::addColumn<double>("capa");
        QTest::newRow("CAPA 0, NR < NI") << 60.0 << 80.0 << 0.0;
        QTest::newRow("CAPA 0, NR == NI") << 70.0 << 70.0 << 0.0;
        QTest::newRow("todo 100") << 100.0 << 100.0 << 60.0;
    }

    void sinBusqueda()
    {
        QFETCH(double, n);
        QFETCH(double, ni);
        QFETCH(double, capa);
        SiteState s = Sitio(n, ni, n, 10, 2, capa);
        int llamadas = 0;
        QCOMPARE(EjecutaModelo(s, [&](SiteState&) { ++llamadas; }).desenlace, Desenlace::Completado);
        QVERIFY(llamadas == 0 && !s.NRMayorNI);
        for (int i = 1; i <= 3; ++i) {
            QVERIFY(s.P0US(i) == s.P0(i) + capa / 12);
            QVERIFY(capa == 0 ? qFuzzyCompare(s.NUS(i), s.N(i)) : s.P0(i) == 0.0 && s.P0I(i) == 0.0 && s.P0R(i) == 0.0);
        }
    }

    // A site with NR <= NI computes no minimum, but keeps the one found before.
    void capaMinimaSeConserva()
    {
        SiteState s = Sitio(70, 80, 60, 10, 2, 50);
        EjecutaModelo(s, {});
        QVERIFY(s.CapaMinCond == PorCondicion{} && s.CapaMinima == 0.0);
        std::swap(s.NI(2), s.NR(2));
        EjecutaModelo(s, {});
        const SiteState antes = s;
        QVERIFY(antes.CapaMinima > 0);
        std::swap(s.NI(2), s.NR(2));
        EjecutaModelo(s, {});
        QVERIFY(s.CapaMinCond == antes.CapaMinCond && s.CapaMinima == antes.CapaMinima);
    }

    // Each range just inside and just outside: one value of a valid site,
    // NI, or the depth of the single storm (P) or of a series' storm.
    void rangos_data()
    {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<double>("dentro");
        QTest::addColumn<double>("fuera");
        QTest::addColumn<int>("mensaje");
        const double min = std::numeric_limits<double>::denorm_min(), sobre100 = std::nextafter(100.0, 200.0);
        const auto bajo = [](double x) { return std::nextafter(x, 0.0); };
        for (const char* curva : {"NAC", "NR", "NI"}) {
            QTest::addRow("%s 0", curva) << curva << min << 0.0 << 1076;
            QTest::addRow("%s 100", curva) << curva << 100.0 << sobre100 << 1076;
        }
        for (const char* area : {"SI", "SR"}) {
            QTest::addRow("%s 0", area) << area << min << 0.0 << 1074;
            QTest::addRow("%s 1000", area) << area << bajo(1000) << 1000.0 << 1074;
        }
        QTest::newRow("CAPA 0") << "CAPA" << 0.0 << -min << 1538;
        QTest::newRow("CAPA 10000") << "CAPA" << bajo(10000) << 10000.0 << 1538;
        QTest::newRow("P 1000") << "P" << bajo(1000) << 1000.0 << 1134;
        QTest::newRow("series 0") << "series" << min << 0.0 << 1212;
    }

    void rangos()
    {
        QFETCH(QString, campo);
        QFETCH(double, dentro);
        QFETCH(double, fuera);
        QFETCH(int, mensaje);
        auto comprueba = [&](double x) {
            if (campo == "NI")
                return CompruebaNI(x);
            if (campo == "P" || campo == "series")
                return CompruebaAguacero(x, campo == "P" ? Tormenta::Unica : Tormenta::Serie);
            DatosSitio d{.NAC = 70, .SI = 10, .SR = 2, .NR = 60, .CAPA = 50};
            double* const valores[] = {&d.NAC, &d.SI, &d.SR, &d.NR, &d.CAPA};
            *valores[QStringList{"NAC", "SI", "SR", "NR", "CAPA"}.indexOf(campo)] = x;
            return CompruebaSitio(d);
        };
        const std::optional<FueraDeRango> f = comprueba(fuera);
        QVERIFY(!comprueba(dentro) && f);
        QCOMPARE(QStringLiteral("%1 %2").arg(f->mensaje).arg(QLatin1String(NombreCampo(f->campo))),
                 QStringLiteral("%1 %2").arg(mensaje).arg(campo == "series" ? "P" : campo));
    }

    void busquedaSinPaso()
    {
        // CAPA exceeds CapaMinCond(1) by less than the rounding of the cubic, so
        // f is not negative where the search starts: it must stop at once.
        SiteState s = Sitio(70, 40, 41, 4, 1, 0.06197600991616201);
        QCOMPARE(EjecutaModelo(s, {}).desenlace, Desenlace::Completado);
        QVERIFY(s.CAPA > s.CapaMinCond(1));
        const double inicio = s.P0I(1);
        QVERIFY(!(CubicaUnidad(s.SI, s.SR, inicio, s.P0R(1), s.CAPA)(inicio) < 0));
        QVERIFY(s.P0US(1) == ((inicio + 0.1) + inicio) / 2);
    }
};

QTEST_APPLESS_MAIN(TstModelo)
#include "tst_modelo.moc"
