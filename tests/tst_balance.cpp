#include "ApoyoModelo.h"

#include "model/BalanceAguacero.h"
#include "model/Serie.h"

#include <QtTest>

using ListaAguaceros = std::vector<Aguacero>;
Q_DECLARE_METATYPE(ListaAguaceros)

namespace {

const double nd = qQNaN(); // figure not checked

// The storm examples' site: NAC 70, SI 4 and NI, NR, SR, CAPA; the model run.
SiteState Modelo(const Cifras& n)
{
    SiteState s = Sitio(70, n[0], n[1], 4, n[2], n[3]);
    CalculaSitio(s);
    return s;
}

const Cifras ejemplo{90, 60, 1, 100};

} // namespace

class TstBalance : public QObject {
    Q_OBJECT
  private slots:
    void ejemplos_data()
    {
        QTest::addColumn<Cifras>("sitio"); // NI, NR, SR, CAPA
        QTest::addColumn<double>("p");     // < 0: exactly threshold -1 - p (P0AC, P0I, P0R, P0)
        // Which surfaces shed (ladera, impluvio, recepcion, unidad), then the ten
        // results in ScenarioResults order; NaN: not checked.
        QTest::addColumn<Cifras>("esperado");
        const auto fila = [](const char* nombre, const Cifras& sitio, double p, const Cifras& e) {
            QTest::newRow(nombre) << sitio << p << e;
        };
        fila("N 84, 50 mm, CAPA 100", ejemplo, 50,
             {1, 1, 1, 1, 44.19, 250, 158.43, 8.35, 158.43, 18.33, 91.65, 91.65, 22.89, 50});
        fila("N 84, 50 mm, CAPA 10", {90, 60, 1, 10}, 50,
             {1, 1, 1, 1, 44.19, 250, 158.43, -81.65, 76.78, 18.33, 91.65, 91.65, 22.89, 33.67});
        fila("N 84, 10 mm, CAPA 100", ejemplo, 10, {0, 1, 0, 1, 10, 50, 12.33, nd, nd, 0, 0.01, 0.01, nd, 10});
        fila("NR > NI, 50 mm, CAPA 100", {80, 90, 1, 100}, 50,
             {1, 1, 1, 1, 44.19, 250, 105.21, 17.68, 105.21, 16.46, 82.32, 82.32, 36.20, 50});
        fila("NR > NI, 50 mm, CAPA 20", {80, 90, 1, 20}, 50,
             {1, 1, 1, 1, 44.19, 250, 105.21, -62.32, 42.89, 16.46, 82.32, 82.32, 36.20, 37.54});
        fila("NR > NI, SR 2, CAPA 20", {80, 90, 2, 20}, 50,
             {1, 1, 1, 1, 44.19, 150, 77.60, -89.43, 32.89, 18.24, 109.43, 54.71, 36.20, 35.10});
        // A depth equal to a threshold sheds nothing there.
        const Cifras sin(10, nd);
        fila("P = P0AC", ejemplo, -1, Cifras{0, 1, 0, 1} + sin);
        fila("P = P0I", ejemplo, -2, Cifras{0, 0, 0, 0} + sin);
        fila("P = P0R", ejemplo, -3, Cifras{1, 1, 0, 1} + sin);
        fila("P = P0", ejemplo, -4, Cifras{0, 1, 0, 0} + sin);
        // P0 < P = P0I: the unit sheds only once the contributing area does.
        fila("P = P0I > P0", {80, 80.0001, 1, 100}, -2, Cifras{0, 0, 1, 0} + sin);
    }

    void ejemplos()
    {
        QFETCH(Cifras, sitio);
        QFETCH(double, p);
        QFETCH(Cifras, esperado);
        const SiteState s = Modelo(sitio);
        if (p < 0)
            p = Cifras{s.P0AC(2), s.P0I(2), s.P0R(2), s.P0(2)}[int(-1 - p)];
        ScenarioResults r;
        const Indicadores e = BalanceAguacero(s, r, p, 2);
        QCOMPARE(Cent({double(e.EscLadera), double(e.EscImpluvio), double(e.EscRecepcion), double(e.EscUnidad),
                       r.PSinSist, r.PMaxImperm, r.PMaxAlcorque, r.CapaLibre, r.PBanqueta, r.EscMedia, r.CapaNecesaria,
                       r.AlturaRepresas, r.PImpluvio, r.PPromedio},
                      esperado),
                 Cent(esperado));
        // Where nothing sheds, the depth passes through unchanged.
        if (!e.EscLadera)
            QVERIFY(r.PSinSist == p);
        if (!e.EscImpluvio)
            QVERIFY(r.PImpluvio == p && r.PMaxAlcorque == p);
        if (!s.NRMayorNI && !e.EscUnidad)
            QVERIFY(r.EscMedia == 0.0 && r.CapaLibre == s.CAPA);
    }

    // A curve number of 100 sheds the whole storm, and rounding never makes
    // the runoff more than the rain: the slope keeps exactly nothing.
    void sinInfiltracion()
    {
        SiteState s = Sitio(100, 100, 100, 4, 1, 100);
        CalculaSitio(s);
        ScenarioResults r;
        for (double p : {0.2, 0.7, 6.6, 13.0, 17.0, 1e-3, 123.4}) {
            for (int c = 1; c <= 3; ++c) {
                BalanceAguacero(s, r, p, c);
                QVERIFY2(r.PSinSist == 0.0, qPrintable(QString::number(p)));
                QVERIFY(r.PImpluvio >= 0 && r.PBanqueta >= 0 && r.PPromedio >= 0);
            }
        }
    }

    void serie_data()
    {
        QTest::addColumn<Cifras>("sitio");         // NI, NR, SR, CAPA
        QTest::addColumn<ListaAguaceros>("lista"); // P < 0: exactly P0AC (-1) or P0I (-2) of its condition
        // The summary; then NumEscLadera, Acum(5), SumaMaxAlcorque, and the last
        // storm's AlturaRepresas and CapaNecesaria.
        QTest::addColumn<Cifras>("esperado");
        const auto fila = [](const char* nombre, const Cifras& sitio, const ListaAguaceros& l, const Cifras& e) {
            QTest::newRow(nombre) << sitio << l << e;
        };
        fila("dos de 50", ejemplo, {{50, 2}, {50, 2}},
             {100, 2, 2, 0, 100, 88.37, 100, 316.86, 91.65, 2, 45.78, 316.86, 91.65, 91.65});
        // The height follows the largest storage of the series, not the last storm's.
        fila("50 y luego 10", ejemplo, {{50, 2}, {10, 2}},
             {60, 2, 2, 0, 60, 54.19, 60, 170.76, 91.65, 1, 32.31, 170.76, 91.65, 0.01});
        fila("desborde", {90, 60, 1, 10}, {{50, 2}, {50, 2}},
             {100, 2, 2, 2, 100, 88.37, 67.34, 153.56, 91.65, 2, 45.78, 316.86, 91.65, 91.65});
        fila("desborde, SR 2, NR > NI", {80, 90, 2, 20}, {{50, 2}, {10, 3}},
             {60, 2, 2, 1, 60, 54.18, 45.10, 44.14, 109.43, 2, 45.57, 88.85, 54.71, 8.25});
        // A depth equal to a threshold is not counted as shedding there.
        fila("en P0I y en P0AC", ejemplo, {{-2, 2}, {-1, 2}},
             {27.42, 2, 1, 0, 27.42, 27.42, 27.42, 50.87, 12.10, 0, 21.55, 50.87, 12.10, 12.10});
    }

    void serie()
    {
        QFETCH(Cifras, sitio);
        QFETCH(ListaAguaceros, lista);
        QFETCH(Cifras, esperado);
        const SiteState s = Modelo(sitio);
        for (Aguacero& a : lista)
            a.P = a.P == -1 ? s.P0AC(a.cond) : a.P == -2 ? s.P0I(a.cond) : a.P;
        ScenarioResults r;
        const TotalesSerie t = RecalculaSerie(s, r, lista);
        const std::array<double, 9> resumen = ResumenDeSerie(t, int(lista.size()));
        QCOMPARE(Cent(Cifras(resumen.begin(), resumen.end()) +
                      Cifras{double(t.NumEscLadera), t.Acum(5), t.SumaMaxAlcorque, r.AlturaRepresas, r.CapaNecesaria}),
                 Cent(esperado));
    }

    // A capacity that holds a storm exactly is full to the brim, not
    // overflowing; a hundredth of a millimetre more overflows. Counted, and
    // flagged storm by storm for the chart.
    void desbordeJusto()
    {
        SiteState s = Modelo(ejemplo);
        ScenarioResults r;
        BalanceAguacero(s, r, 50, 2);
        s.CAPA = r.CapaNecesaria;
        BalanceAguacero(s, r, 50, 2);
        QCOMPARE(r.CapaLibre, 0.0);
        std::vector<BarraSerie> barras;
        const TotalesSerie t = RecalculaSerie(s, r, {{50.01, 2}, {50, 2}, {49.99, 2}}, barras);
        QCOMPARE(barras.size(), std::size_t(3));
        QCOMPARE((QList<bool>{barras[0].Desborda, barras[1].Desborda, barras[2].Desborda}),
                 (QList<bool>{true, false, false}));
        QCOMPARE(t.NumFuera, 1);
    }

    // Clearing keeps the figures the windows still show, and the storm's settings.
    void limpiaResultados()
    {
        ScenarioResults r{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 2, true, 11, {}, {}};
        r.ResumenSerie.fill(12);
        LimpiaResultados(r);
        QCOMPARE(Cifras({r.PSinSist, r.PMaxImperm, r.PMaxAlcorque, r.CapaLibre, r.PBanqueta, r.EscMedia,
                         r.CapaNecesaria, r.AlturaRepresas, r.PImpluvio, r.PPromedio}),
                 Cifras({0, 0, 0, 4, 0, 6, 0, 0, 9, 0}));
        QVERIFY(r.CondHumedad == 2 && r.EsSerie && r.PAguacero == 11.0 && r.ResumenSerie[8] == 12.0);
    }
};

QTEST_APPLESS_MAIN(TstBalance)
#include "tst_balance.moc"
