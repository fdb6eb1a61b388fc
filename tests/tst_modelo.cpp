#include "ApoyoModelo.h"

#include "model/Rangos.h"

#include <QtTest>

#include <limits>

namespace {

// A site NAC 70, NI, NR, SI 10, SR 2, CAPA; N and P0 of condition II, P0US
// of I to III, NUS of II, CapaMinCond of I to III; the capacity confirmed in
// the check (< 0 refused, NaN: no check expected) and whether it beeps.
struct Caso {
    double ni, nr, capa;
    Cifras esperado;
    double nueva = qQNaN();
    bool pitido = false;
};

} // namespace

Q_DECLARE_METATYPE(Caso)

class TstModelo : public QObject {
    Q_OBJECT
  private slots:
    void conversiones()
    {
        QCOMPARE(Cent({NumeroCondicionI(70), NumeroCondicionIII(70), Umbral(70), Umbral(99.5)}),
                 Cent({49.49, 84.29, 21.77, 0.26}));
        // 100 must stay exactly 100 so that no threshold turns negative.
        QVERIFY(NumeroCondicionI(100) == 100.0 && NumeroCondicionIII(100) == 100.0);
        QVERIFY(Umbral(100) == 0.0 && Umbral(100.00000000000001) == 0.0);
        // A confirmed capacity is kept to one decimal, inside 0 <= x < 10000.
        QVERIFY(CapacidadConfirmada(0.5) == 0.5 && CapacidadConfirmada(0.04) == 0.0);
        QVERIFY(CapacidadConfirmada(9999.94) == 9999.9);
        QVERIFY(!CapacidadConfirmada(-0.01) && !CapacidadConfirmada(9999.95));
    }

    // The worked example (NAC 70, SI 10, SR 2), its variants, and the
    // capacity check on it.
    void ejemplos_data()
    {
        QTest::addColumn<Caso>("caso");
        QTest::newRow("NR < NI") << Caso{80, 60, 50, {76.67, 15.46, 65.23, 35.61, 21.10, 58.79, 0, 0, 0}};
        QTest::newRow("NR > NI") << Caso{60, 80, 50, {63.33, 29.41, 98.48, 52.82, 30.17, 49.03, 25.20, 10.58, 4.60}};
        // Every threshold 0: the unit holds CAPA over its whole area.
        QTest::newRow("todo 100") << Caso{100, 100, 60, {100, 0, 5, 5, 5, 91.04, 0, 0, 0}};
        // Abandoned: the thresholds are there, the unit's are not.
        QTest::newRow("rechazada") << Caso{60, 80, 5, {63.33, 29.41, -1, -1, -1, 0, 25.20, 10.58, 4.60}, -1};
        // The collecting area alone in conditions I and II, both areas in III.
        QTest::newRow("confirmada corta")
            << Caso{60, 80, 5, {63.33, 29.41, 50.97, 26.61, 15.17, 65.62, 25.20, 10.58, 4.60}, 5, true};
        QTest::newRow("confirmada suficiente")
            << Caso{60, 80, 5, {63.33, 29.41, 85.38, 45.62, 25.37, 52.69, 25.20, 10.58, 4.60}, 30};
        // Exactly CapaMinima, as given or confirmed: no beep, the collecting area alone in condition I.
        const double minima = 25.198412698412703;
        const Cifras enMinima{63.33, 29.41, 80.63, 43.42, 23.97, 53.92, 25.20, 10.58, 4.60};
        QTest::newRow("igual a la minima") << Caso{60, 80, minima, enMinima};
        QTest::newRow("confirmada la minima") << Caso{60, 80, 5, enMinima, minima};
    }

    void ejemplos()
    {
        QFETCH(Caso, caso);
        SiteState s = Sitio(70, caso.ni, caso.nr, 10, 2, caso.capa);
        s.P0US = PorCondicion{{-1, -1, -1}};
        s.CapaConfirmada = true;
        const bool debida = PreparaModelo(s);
        QCOMPARE(debida, !std::isnan(caso.nueva));
        if (debida) {
            // The check opens unconfirmed and already knows the minimum.
            QVERIFY(!s.CapaConfirmada && qRound(s.CapaMinima * 100) == 2520);
            s.CapaConfirmada = caso.nueva >= 0;
            s.CAPA = s.CapaConfirmada ? caso.nueva : s.CAPA;
        }
        const ResultadoModelo r = CompletaModelo(s, debida);
        QCOMPARE(r.comprobacionCapacidad, debida);
        QCOMPARE(r.desenlace, caso.nueva < 0 ? Desenlace::Abandonado : Desenlace::Completado);
        QCOMPARE(r.pitido, caso.pitido);
        QCOMPARE(s.NRMayorNI, caso.nr > caso.ni);
        QCOMPARE(Cent({s.N(2), s.P0(2), s.P0US(1), s.P0US(2), s.P0US(3), s.NUS(2), s.CapaMinCond(1), s.CapaMinCond(2),
                       s.CapaMinCond(3)}),
                 Cent(caso.esperado));
        QCOMPARE(s.CapaMinima, s.CapaMinCond(1)); // the driest condition needs the most
    }

    // A site with NR <= NI computes no minimum, but keeps the one found before.
    void capaMinimaSeConserva()
    {
        SiteState s = Sitio(70, 60, 80, 10, 2, 50);
        CalculaSitio(s);
        const SiteState antes = s;
        std::swap(s.NI(2), s.NR(2));
        CalculaSitio(s);
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
        QCOMPARE(CalculaSitio(s).desenlace, Desenlace::Completado);
        const double inicio = s.P0I(1);
        QVERIFY(s.CAPA > s.CapaMinCond(1));
        QVERIFY(!(CubicaUnidad(s.SI, s.SR, inicio, s.P0R(1), s.CAPA)(inicio) < 0));
        QVERIFY(s.P0US(1) == ((inicio + 0.1) + inicio) / 2);
    }
};

QTEST_APPLESS_MAIN(TstModelo)
#include "tst_modelo.moc"
