#include "ApoyoModelo.h"

#include "model/BalanceAguacero.h"
#include "model/Serie.h"

#include <QtTest>

#include <cmath>
#include <limits>

using ListaAguaceros = std::vector<Aguacero>;
Q_DECLARE_METATYPE(ListaAguaceros)

namespace {

constexpr double nd = std::numeric_limits<double>::quiet_NaN(); // figure not checked

// The storm examples' site, with the model run.
SiteState Modelo(double ni, double nr, double capa)
{
    SiteState s = Sitio(70, ni, nr, 4, 1, capa);
    EjecutaModelo(s, {});
    return s;
}

// Reference figures are known to two (or one) decimals only.
const auto Cent = [](double x) { return qRound(x * 100); };
const auto Decima = [](double x) { return qRound(x * 10); };

} // namespace

class TstBalance : public QObject {
    Q_OBJECT
  private slots:
    void ejemplos_data()
    {
        QTest::addColumn<double>("ni");
        QTest::addColumn<double>("nr");
        QTest::addColumn<double>("capa");
        QTest::addColumn<double>("p");               // < 0: exactly threshold -1 - p (P0AC, P0I, P0R, P0)
        QTest::addColumn<QList<double>>("esperado"); // the ten results in ScenarioResults order
        QTest::addColumn<QList<int>>("esc");         // ladera, impluvio, recepcion, unidad
        QTest::newRow("N 84, 50 mm, CAPA 100")
            << 90.0 << 60.0 << 100.0 << 50.0
            << QList<double>{44.19, 250.00, 158.43, 8.35, 158.43, 18.33, 91.65, 91.65, 22.89, 50.00}
            << QList<int>{1, 1, 1, 1};
        QTest::newRow("N 84, 50 mm, CAPA 10")
            << 90.0 << 60.0 << 10.0 << 50.0
            << QList<double>{44.19, 250.00, 158.43, -81.65, 76.78, 18.33, 91.65, 91.65, 22.89, 33.67}
            << QList<int>{1, 1, 1, 1};
        QTest::newRow("N 84, 10 mm, CAPA 100")
            << 90.0 << 60.0 << 100.0 << 10.0 << QList<double>{10.00, 50.00, 12.33, nd, nd, 0.00, 0.01, 0.01, nd, 10.00}
            << QList<int>{0, 1, 0, 1};
        QTest::newRow("NR > NI, 50 mm, CAPA 100")
            << 80.0 << 90.0 << 100.0 << 50.0
            << QList<double>{44.19, 250.00, 105.21, 17.68, 105.21, 16.46, 82.32, 82.32, 36.20, 50.00}
            << QList<int>{1, 1, 1, 1};
        QTest::newRow("NR > NI, 50 mm, CAPA 20")
            << 80.0 << 90.0 << 20.0 << 50.0
            << QList<double>{44.19, 250.00, 105.21, -62.32, 42.89, 16.46, 82.32, 82.32, 36.20, 37.54}
            << QList<int>{1, 1, 1, 1};
        // A depth equal to a threshold sheds nothing there.
        const QList<double> sin(10, nd);
        QTest::newRow("P = P0AC") << 90.0 << 60.0 << 100.0 << -1.0 << sin << QList<int>{0, 1, 0, 1};
        QTest::newRow("P = P0I") << 90.0 << 60.0 << 100.0 << -2.0 << sin << QList<int>{0, 0, 0, 0};
        QTest::newRow("P = P0R") << 90.0 << 60.0 << 100.0 << -3.0 << sin << QList<int>{1, 1, 0, 1};
        QTest::newRow("P = P0") << 90.0 << 60.0 << 100.0 << -4.0 << sin << QList<int>{0, 1, 0, 0};
        // P0 < P = P0I: the unit sheds only once the contributing area does.
        QTest::newRow("P = P0I > P0") << 80.0 << 80.0001 << 100.0 << -2.0 << sin << QList<int>{0, 0, 1, 0};
    }

    void ejemplos()
    {
        QFETCH(double, ni);
        QFETCH(double, nr);
        QFETCH(double, capa);
        QFETCH(double, p);
        QFETCH(QList<double>, esperado);
        QFETCH(QList<int>, esc);
        const SiteState s = Modelo(ni, nr, capa);
        const QList<double> umbrales{s.P0AC(2), s.P0I(2), s.P0R(2), s.P0(2)};
        if (ni == 90.0)
            QCOMPARE(QList<int>({Cent(umbrales[0]), Cent(umbrales[1]), Cent(umbrales[2]), Cent(umbrales[3])}),
                     QList<int>({2177, 564, 3387, 968}));
        if (p < 0)
            p = umbrales[int(-1 - p)];
        ScenarioResults r;
        const Indicadores e = BalanceAguacero(s, r, p, 2);
        QCOMPARE(QList<int>({e.EscLadera, e.EscImpluvio, e.EscRecepcion, e.EscUnidad}), esc);
        const double got[] = {r.PSinSist, r.PMaxImperm,    r.PMaxAlcorque,   r.CapaLibre, r.PBanqueta,
                              r.EscMedia, r.CapaNecesaria, r.AlturaRepresas, r.PImpluvio, r.PPromedio};
        for (int i = 0; i < 10; ++i) {
            if (!std::isnan(esperado[i]))
                QCOMPARE(Cent(got[i]), Cent(esperado[i]));
        }
        // Where nothing sheds, the depth passes through unchanged.
        if (!e.EscLadera)
            QVERIFY(r.PSinSist == p);
        if (!e.EscImpluvio)
            QVERIFY(r.PImpluvio == p && r.PMaxAlcorque == p);
        if (!s.NRMayorNI && !e.EscUnidad)
            QVERIFY(r.EscMedia == 0.0 && r.CapaLibre == s.CAPA);
    }

    void capaLibreCero()
    {
        SiteState s = Modelo(90, 60, 100);
        ScenarioResults r;
        BalanceAguacero(s, r, 50, 2);
        s.CAPA = r.CapaNecesaria;
        BalanceAguacero(s, r, 50, 2);
        QVERIFY(r.CapaLibre == 0.0 && r.PBanqueta == r.PMaxAlcorque);
        QCOMPARE(int(RecalculaSerie(s, r, {{50, 2}}).NumFuera), 0);
    }

    // A curve number of 100 sheds the whole storm, and rounding never makes
    // the runoff more than the rain: the slope keeps exactly nothing.
    void sinInfiltracion_data()
    {
        QTest::addColumn<double>("p");
        for (double p : {0.2, 0.7, 6.6, 13.0, 17.0, 1e-3, 123.4})
            QTest::newRow(qPrintable(QString::number(p))) << p;
    }
    void sinInfiltracion()
    {
        QFETCH(double, p);
        SiteState s = Sitio(100, 100, 100, 4, 1, 100);
        EjecutaModelo(s, {});
        ScenarioResults r;
        for (int c = 1; c <= 3; ++c) {
            BalanceAguacero(s, r, p, c);
            QVERIFY2(r.PSinSist == 0.0, qPrintable(QString::number(r.PSinSist, 'g', 17)));
            QVERIFY(r.PImpluvio >= 0 && r.PBanqueta >= 0 && r.PPromedio >= 0);
        }
    }

    void serie_data()
    {
        QTest::addColumn<double>("capa");
        QTest::addColumn<ListaAguaceros>("lista");
        QTest::addColumn<QList<int>>("cuentas"); // ladera, impluvio, fuera
        QTest::addColumn<QList<double>>("acum"); // Acum(1..5), SumaMaxAlcorque, CapaMaxSerie, one decimal
        QTest::addColumn<double>("capaUltimo");  // CapaNecesaria of the last storm
        QTest::newRow("dos de 50") << 100.0 << ListaAguaceros{{50, 2}, {50, 2}} << QList<int>{2, 2, 0}
                                   << QList<double>{100.0, 88.4, 316.9, 100.0, 45.8, 316.9, 91.7} << 91.65;
        QTest::newRow("50 y luego 10") << 100.0 << ListaAguaceros{{50, 2}, {10, 2}} << QList<int>{1, 2, 0}
                                       << QList<double>{60.0, 54.2, 170.8, 60.0, 32.3, 170.8, 91.7} << 0.01;
        QTest::newRow("desborde") << 10.0 << ListaAguaceros{{50, 2}, {50, 2}} << QList<int>{2, 2, 2}
                                  << QList<double>{100.0, 88.4, 153.6, 67.3, 45.8, 316.9, 91.7} << 91.65;
    }

    void serie()
    {
        QFETCH(double, capa);
        QFETCH(ListaAguaceros, lista);
        QFETCH(QList<int>, cuentas);
        QFETCH(QList<double>, acum);
        QFETCH(double, capaUltimo);
        const SiteState s = Modelo(90, 60, capa);
        ScenarioResults r;
        const TotalesSerie t = RecalculaSerie(s, r, lista);
        QCOMPARE(QList<int>({t.NumEscLadera, t.NumEscImpluvio, t.NumFuera}), cuentas);
        const QList<double> got{t.Acum(1), t.Acum(2),         t.Acum(3),     t.Acum(4),
                                t.Acum(5), t.SumaMaxAlcorque, t.CapaMaxSerie};
        for (int i = 0; i < got.size(); ++i)
            QCOMPARE(Decima(got[i]), Decima(acum[i]));
        // The height follows the largest storage of the series, not the last storm's.
        QVERIFY(r.AlturaRepresas == t.CapaMaxSerie / s.SR);
        QCOMPARE(Cent(r.CapaNecesaria), Cent(capaUltimo));

        const std::array<double, 9> resumen = ResumenDeSerie(t, 2);
        const std::array<double, 9> esperado{t.Acum(1),          2,         double(t.NumEscImpluvio),
                                             double(t.NumFuera), t.Acum(1), t.Acum(2),
                                             t.Acum(4),          t.Acum(3), t.CapaMaxSerie};
        QVERIFY(resumen == esperado);

        // Computed again, the series carries nothing over.
        const double altura = r.AlturaRepresas, promedio = r.PPromedio;
        const TotalesSerie otra = RecalculaSerie(s, r, lista);
        QVERIFY(otra.Acumulado == t.Acumulado && otra.SumaMaxAlcorque == t.SumaMaxAlcorque);
        QVERIFY(otra.NumEscLadera == t.NumEscLadera && otra.NumFuera == t.NumFuera &&
                otra.CapaMaxSerie == t.CapaMaxSerie);
        QVERIFY(r.AlturaRepresas == altura && r.PPromedio == promedio);
    }

    // Clearing keeps the figures the windows still show, and the storm's settings.
    void limpiaResultados()
    {
        ScenarioResults r{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 2, true, 11, {}};
        r.ResumenSerie.fill(12);
        LimpiaResultados(r);
        QCOMPARE(QList<double>({r.PSinSist, r.PMaxImperm, r.PMaxAlcorque, r.CapaLibre, r.PBanqueta, r.EscMedia,
                                r.CapaNecesaria, r.AlturaRepresas, r.PImpluvio, r.PPromedio}),
                 QList<double>({0, 0, 0, 4, 0, 6, 0, 0, 9, 0}));
        QVERIFY(r.CondHumedad == 2 && r.EsSerie && r.PAguacero == 11.0 && r.ResumenSerie[8] == 12.0);
    }
};

QTEST_APPLESS_MAIN(TstBalance)
#include "tst_balance.moc"
