#include "ApoyoModelo.h"
#include "model/CalculoAnual.h"
#include "model/DatosMes.h"

#include <QtTest>

#include <algorithm>

namespace {

const double nd = qQNaN(); // empty cell, or figure not checked

const auto C = [](double v) { return std::isnan(v) ? Celda{} : Celda{v}; };

// A year of dry months with one month set: P, maximum daily P, rain days.
DatosAnuales Anio(int mes, double p, double pmax, double n)
{
    DatosAnuales d;
    const auto i = static_cast<std::size_t>(mes - 1);
    d.PMes[i] = p, d.PMaxDia[i] = pmax, d.NDias[i] = n;
    return d;
}

// A month of the storm table: PV1, N1, PV2, N2 and P5 expected (NaN or none: not checked).
struct Mes {
    int mes, caso;
    double p, pmax, n;
    Cifras esperado;
    int j;
};

} // namespace

class TstAnual : public QObject {
    Q_OBJECT
  private slots:
    void validaCelda_data()
    {
        QTest::addColumn<int>("columna");
        QTest::addColumn<double>("texto");
        QTest::addColumn<int>("mensaje"); // 0: accepted
        QTest::addColumn<double>("valor");
        QTest::newRow("999.9") << 0 << 999.9 << 0 << 999.9;
        QTest::newRow("1000") << 0 << 1000.0 << 1028 << 0.0;
        QTest::newRow("max 0") << 1 << 0.0 << 0 << 0.0;
        QTest::newRow("max -0.1") << 1 << -0.1 << 1028 << 0.0;
        QTest::newRow("31.4") << 2 << 31.4 << 0 << 31.0;
        QTest::newRow("31.5") << 2 << 31.5 << 1029 << 0.0;
        QTest::newRow("2.5 a par") << 2 << 2.5 << 0 << 2.0;
        QTest::newRow("-0.6") << 2 << -0.6 << 1029 << 0.0;
        QTest::newRow("1e300") << 2 << 1e300 << 1029 << 0.0; // beyond any integer
        QTest::newRow("vacia") << 1 << nd << 1027 << 0.0;
    }

    void validaCelda()
    {
        QFETCH(int, columna);
        QFETCH(double, texto);
        QFETCH(int, mensaje);
        QFETCH(double, valor);
        const ChequeoCelda r = ValidaCelda(columna, C(texto));
        QVERIFY(r.aceptada == (mensaje == 0) && r.mensaje == mensaje && r.valor == valor);
    }

    void leeDatos_data()
    {
        // The month goes into March; January (12, 12, 1) and February dry come first.
        QTest::addColumn<Cifras>("marzo");   // P, maximum daily P, rain days; NaN: empty
        QTest::addColumn<FalloMes>("fallo"); // column -1: the year is valid
        const FalloMes bien{3, -1, 0};
        QTest::newRow("seco") << Cifras{0, 0, 0} << bien;
        QTest::newRow("10 9.5 6 igualdad") << Cifras{10, 9.5, 6} << bien;
        QTest::newRow("0 0 1") << Cifras{0, 0, 1} << FalloMes{3, 2, 1031}; // rain days without rain
        QTest::newRow("12 11 1") << Cifras{12, 11, 1} << FalloMes{3, 2, 1031};
        QTest::newRow("10 9.8 4") << Cifras{10, 9.8, 4} << FalloMes{3, 2, 1031};
        QTest::newRow("sin dias") << Cifras{12, 12, nd} << FalloMes{3, 2, 1031};
        QTest::newRow("50 60 4") << Cifras{50, 60, 4} << FalloMes{3, 1, 1030};
        QTest::newRow("sin maximo") << Cifras{12, nd, 1} << FalloMes{3, 1, 1027};
        QTest::newRow("sin P mes") << Cifras{nd, 12, 1} << FalloMes{3, 0, 1535};
    }

    void leeDatos()
    {
        QFETCH(Cifras, marzo);
        QFETCH(FalloMes, fallo);
        TablaAnual t;
        t.fill({0.0, 0.0, 0.0});
        t[0] = {12.0, 12.0, 1.0};
        t[2] = {C(marzo[0]), C(marzo[1]), C(marzo[2])};
        DatosAnuales d;
        d.PMes.fill(777), d.PMaxDia.fill(777), d.NDias.fill(777);
        const std::optional<FalloMes> f = LeeDatos(t, d);
        QVERIFY(f.value_or(FalloMes{3, -1, 0}) == fallo);
        // Months before the failing one keep what was read, and nothing is read past it.
        QVERIFY(d.PMes[0] == 12 && d.PMaxDia[0] == 12 && d.NDias[0] == 1 && d.PMes[1] == 0 && d.NDias[1] == 0);
        if (f)
            QVERIFY(d.PMes[3] == 777 && d.NDias[2] == 777);
        else
            QVERIFY(Cifras({d.PMes[2], d.PMaxDia[2], d.NDias[2]}) == marzo && d.NDias[11] == 0);
    }

    void aguaceros_data()
    {
        QTest::addColumn<Mes>("m");
        QTest::newRow("enero I") << Mes{1, 1, 60, 30, 4, {10, 3, 0, 0, 5}, 1};
        QTest::newRow("enero II") << Mes{1, 2, 60, 30, 4, {0, 0, 30, 1, 35}, 3};
        QTest::newRow("enero III") << Mes{1, 3, 60, 30, 4, {10, 1, 20, 1, 20}, 2};
        // Two days: one storm of the rest, whatever the case; one day: none.
        QTest::newRow("N 2, caso II") << Mes{1, 2, 25, 20, 2, {5, 1, 0, 0, 25.0 * 7 / 12}, 2};
        QTest::newRow("N 1") << Mes{1, 3, 12, 12, 1, {0, 0, 0, 0, 4}, 1};
        // The thresholds of the condition are met through the year and an import alike in tst_lluvia.
        QTest::newRow("caso I: P5 = P / 12") << Mes{3, 1, 150, 50, 3, {nd, nd, nd, nd, 12.5}, 2};
        // P5 = 30: condition III from October to March, I from April to September.
        for (int mes : {3, 4, 9, 10})
            QTest::addRow("P5 30 en mes %d", mes) << Mes{mes, 1, 360, 120, 3, {}, mes == 3 || mes == 10 ? 3 : 1};
    }

    void aguaceros()
    {
        QFETCH(Mes, m);
        CalculoAnual a;
        a.datos = Anio(m.mes, m.p, m.pmax, m.n);
        CalculaAguaceros(a, static_cast<CasoEscorrentia>(m.caso));
        const auto i = static_cast<std::size_t>(m.mes - 1);
        if (!m.esperado.isEmpty())
            QCOMPARE(Cent({a.PV1[i], a.N1[i], a.PV2[i], a.N2[i], a.P5[i]}, m.esperado), Cent(m.esperado));
        QCOMPARE(a.J[i], double(m.j)); // that the storms add up to the month is the fuzz target's
    }

    // January's water on the storm examples' site (NAC 70, NI 90, NR 60, SI 4),
    // computed after a wet December that must leave nothing behind.
    void balanceAnual_data()
    {
        QTest::addColumn<int>("caso");
        QTest::addColumn<double>("sr");
        QTest::addColumn<Cifras>("enero");    // P, maximum daily P, rain days
        QTest::addColumn<Cifras>("esperado"); // Dispon 1..4 of January, CapaMinAnual
        QTest::newRow("caso III") << 3 << 1.0 << Cifras{60, 30, 4} << Cifras{60, 59.42, 126.82, 60, 30.06};
        // Case II has no storms of the first kind: the second kind still counts, 1.25 times.
        QTest::newRow("caso II, SR 2") << 2 << 2.0 << Cifras{90, 40, 6} << Cifras{90, 63.06, 207.91, 86.86, 108.38};
        QTest::newRow("seco") << 3 << 1.0 << Cifras{0, 0, 0} << Cifras{0, 0, 0, 0, 0};
    }

    void balanceAnual()
    {
        QFETCH(int, caso);
        QFETCH(double, sr);
        QFETCH(Cifras, enero);
        QFETCH(Cifras, esperado);
        SiteState s = Sitio(70, 90, 60, 4, sr, 100);
        CalculaSitio(s);
        CalculoAnual a;
        ScenarioResults r;
        a.datos = Anio(12, 300, 100, 3);
        CalculaAguaceros(a, CasoEscorrentia::III);
        BalanceAnual(s, r, a);
        a.datos = Anio(1, enero[0], enero[1], enero[2]);
        CalculaAguaceros(a, static_cast<CasoEscorrentia>(caso));
        BalanceAnual(s, r, a);
        QCOMPARE(Cent({a.Dispon[0][0], a.Dispon[1][0], a.Dispon[2][0], a.Dispon[3][0], a.CapaMinAnual}),
                 Cent(esperado));
        for (const auto& fila : a.Dispon)
            QVERIFY(std::all_of(fila.begin() + 1, fila.end(), [](double x) { return x == 0.0; }));
        QVERIFY(Cifras({a.PAnual, a.PMaxAnual, double(a.DiasAnual)}) == enero);
    }
};

QTEST_APPLESS_MAIN(TstAnual)
#include "tst_anual.moc"
