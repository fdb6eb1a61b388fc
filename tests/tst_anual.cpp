#include "ApoyoModelo.h"
#include "model/CalculoAnual.h"
#include "model/DatosMes.h"

#include <QtTest>

#include <cmath>
#include <limits>

namespace {

constexpr double nd = std::numeric_limits<double>::quiet_NaN(); // empty cell, or figure not checked

Celda C(double v)
{
    return std::isnan(v) ? Celda{} : Celda{v};
}

const auto Cent = [](double x) { return qRound(x * 100); };

// A year of dry months with one month set.
DatosAnuales Anio(int mes, double p, double pmax, double n)
{
    DatosAnuales d;
    const auto i = static_cast<std::size_t>(mes - 1);
    d.PMes[i] = p;
    d.PMaxDia[i] = pmax;
    d.NDias[i] = n;
    return d;
}

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
        QTest::newRow("max -0.1") << 1 << -0.1 << 1028 << 0.0;
        QTest::newRow("max 5000") << 1 << 5000.0 << 0 << 5000.0; // no upper bound of its own
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
        QCOMPARE(r.aceptada, mensaje == 0);
        QCOMPARE(r.mensaje, mensaje);
        if (r.aceptada)
            QVERIFY(r.valor == valor);
    }

    void leeDatos_data()
    {
        // The triple goes into March; January (12, 12, 1) and February dry come first.
        QTest::addColumn<double>("p");
        QTest::addColumn<double>("pmax");
        QTest::addColumn<double>("n");
        QTest::addColumn<int>("columna"); // -1: the year is valid
        QTest::addColumn<int>("mensaje");
        QTest::newRow("seco") << 0.0 << 0.0 << 0.0 << -1 << 0;
        QTest::newRow("12 12 1") << 12.0 << 12.0 << 1.0 << -1 << 0;
        QTest::newRow("10 9.5 6 igualdad") << 10.0 << 9.5 << 6.0 << -1 << 0;
        QTest::newRow("5 0 2") << 5.0 << 0.0 << 2.0 << 2 << 1031;
        QTest::newRow("12 11 1") << 12.0 << 11.0 << 1.0 << 2 << 1031;
        QTest::newRow("10 9.8 4") << 10.0 << 9.8 << 4.0 << 2 << 1031;
        QTest::newRow("sin dias") << 12.0 << 12.0 << nd << 2 << 1031;
        QTest::newRow("50 60 4") << 50.0 << 60.0 << 4.0 << 1 << 1030;
        QTest::newRow("sin maximo") << 12.0 << nd << 1.0 << 1 << 1027;
        QTest::newRow("sin P mes") << nd << 12.0 << 1.0 << 0 << 1535;
    }

    void leeDatos()
    {
        QFETCH(double, p);
        QFETCH(double, pmax);
        QFETCH(double, n);
        QFETCH(int, columna);
        QFETCH(int, mensaje);
        TablaAnual t;
        for (auto& fila : t)
            fila = {0.0, 0.0, 0.0};
        t[0] = {12.0, 12.0, 1.0};
        t[2] = {C(p), C(pmax), C(n)};
        DatosAnuales d;
        for (auto* lista : {&d.PMes, &d.PMaxDia, &d.NDias})
            lista->fill(777);
        const std::optional<FalloMes> f = LeeDatos(t, d);
        QCOMPARE(f.has_value(), columna >= 0);
        // Months before the failing one keep what was read.
        QVERIFY(d.PMes[0] == 12 && d.PMaxDia[0] == 12 && d.NDias[0] == 1);
        QVERIFY(d.PMes[1] == 0 && d.NDias[1] == 0);
        if (!f) {
            QVERIFY(d.PMes[2] == p && d.PMaxDia[2] == pmax && d.NDias[2] == n);
            QVERIFY(d.NDias[11] == 0);
            return;
        }
        QVERIFY(*f == (FalloMes{3, columna, mensaje}));
        QVERIFY(d.PMes[3] == 777 && d.NDias[2] == 777); // nothing read past the failure
    }

    void aguaceros_data()
    {
        QTest::addColumn<int>("mes");
        QTest::addColumn<int>("caso");
        QTest::addColumn<double>("p");
        QTest::addColumn<double>("pmax");
        QTest::addColumn<double>("n");
        QTest::addColumn<QList<double>>("esperado"); // PV1, N1, PV2, N2, P5; NaN: not checked
        QTest::addColumn<int>("j");
        QTest::newRow("enero I") << 1 << 1 << 60.0 << 30.0 << 4.0 << QList<double>{10, 3, 0, 0, 5} << 1;
        QTest::newRow("enero II") << 1 << 2 << 60.0 << 30.0 << 4.0 << QList<double>{0, 0, 30, 1, 35} << 3;
        QTest::newRow("enero III") << 1 << 3 << 60.0 << 30.0 << 4.0 << QList<double>{10, 1, 20, 1, 20} << 2;
        QTest::newRow("julio III") << 7 << 3 << 90.0 << 40.0 << 6.0 << QList<double>{10, 1.875, 25, 1.25, 27.5} << 1;
        for (int caso = 1; caso <= 3; ++caso) {
            const double p5 = caso == 1 ? 25.0 / 12 : caso == 2 ? 25.0 * 7 / 12 : 25.0 / 3;
            QTest::addRow("N 2, caso %d", caso)
                << 1 << caso << 25.0 << 20.0 << 2.0 << QList<double>{5, 1, 0, 0, p5} << (caso == 2 ? 2 : 1);
            QTest::addRow("N 1, caso %d", caso)
                << 1 << caso << 12.0 << 12.0 << 1.0 << QList<double>{0, 0, 0, 0, nd} << 1;
        }
        // Case I gives P5 = P / 12, so P sets P5 exactly on each threshold.
        const QList<double> sin{nd, nd, nd, nd, nd};
        QTest::newRow("marzo 12.5") << 3 << 1 << 150.0 << 50.0 << 3.0 << QList<double>{nd, nd, nd, nd, 12.5} << 2;
        QTest::newRow("marzo 12.49") << 3 << 1 << 149.88 << 50.0 << 3.0 << sin << 1;
        QTest::newRow("marzo 28") << 3 << 1 << 336.0 << 112.0 << 3.0 << QList<double>{nd, nd, nd, nd, 28} << 2;
        QTest::newRow("marzo 28.01") << 3 << 1 << 336.12 << 112.04 << 3.0 << sin << 3;
        QTest::newRow("mayo 35.5") << 5 << 1 << 426.0 << 142.0 << 3.0 << QList<double>{nd, nd, nd, nd, 35.5} << 2;
        QTest::newRow("mayo 53") << 5 << 1 << 636.0 << 212.0 << 3.0 << QList<double>{nd, nd, nd, nd, 53} << 2;
        QTest::newRow("mayo 53.01") << 5 << 1 << 636.12 << 212.04 << 3.0 << sin << 3;
        // P5 = 30: condition III from October to March, I from April to September.
        for (int mes : {3, 4, 9, 10})
            QTest::addRow("P5 30 en mes %d", mes)
                << mes << 1 << 360.0 << 120.0 << 3.0 << sin << (mes == 3 || mes == 10 ? 3 : 1);
    }

    void aguaceros()
    {
        QFETCH(int, mes);
        QFETCH(int, caso);
        QFETCH(double, p);
        QFETCH(double, pmax);
        QFETCH(double, n);
        QFETCH(QList<double>, esperado);
        QFETCH(int, j);
        CalculoAnual a;
        a.datos = Anio(mes, p, pmax, n);
        CalculaAguaceros(a, static_cast<CasoEscorrentia>(caso));
        const auto i = static_cast<std::size_t>(mes - 1);
        const QList<double> got{a.PV1[i], a.N1[i], a.PV2[i], a.N2[i], a.P5[i]};
        for (int k = 0; k < got.size(); ++k) {
            if (!std::isnan(esperado[k]))
                QCOMPARE(got[k], esperado[k]);
        }
        QCOMPARE(a.J[i], double(j));
        QVERIFY(a.Aguaceros[i] == (std::array<double, 3>{pmax, a.PV1[i], a.PV2[i]}));
        // The storms add up to the month.
        QVERIFY(std::fabs(pmax + a.N1[i] * a.PV1[i] + a.N2[i] * a.PV2[i] - p) < 1e-9);
        // Every other month is dry: no storms, condition I, whatever the case.
        const std::size_t otro = (i + 1) % 12;
        QVERIFY(a.Aguaceros[otro] == (std::array<double, 3>{}) && a.J[otro] == 1.0);
    }

    void disponibilidad()
    {
        SiteState s = Sitio(70, 90, 60, 4, 1, 100);
        QCOMPARE(EjecutaModelo(s, {}).desenlace, Desenlace::Completado);
        CalculoAnual a;
        ScenarioResults r;
        const auto calcula = [&](const DatosAnuales& d) {
            a.datos = d;
            CalculaAguaceros(a, CasoEscorrentia::III);
            BalanceAnual(s, r, a);
        };
        calcula(Anio(1, 60, 30, 4));
        QCOMPARE(a.J[0], 2.0);
        QCOMPARE(QList<int>({Cent(a.Dispon[0][0]), Cent(a.Dispon[1][0]), Cent(a.Dispon[2][0]), Cent(a.Dispon[3][0])}),
                 QList<int>({6000, 5942, 12682, 6000}));
        for (const auto& fila : a.Dispon)
            for (std::size_t m = 1; m < 12; ++m)
                QVERIFY(fila[m] == 0.0);
        QCOMPARE(Cent(a.CapaMinAnual), 3006);
        QVERIFY(a.PAnual == 60 && a.PMaxAnual == 30 && a.DiasAnual == 4);

        // A second computation starts afresh: nothing accumulates, in any month.
        DatosAnuales dos = a.datos;
        dos.PMes[11] = 300, dos.PMaxDia[11] = 100, dos.NDias[11] = 3;
        calcula(dos);
        const CalculoAnual primero = a;
        calcula(dos);
        QVERIFY(a.Dispon == primero.Dispon && a.CapaMinAnual == primero.CapaMinAnual);
        QVERIFY(a.PAnual == primero.PAnual && a.DiasAnual == primero.DiasAnual);
        QVERIFY(a.P5 == primero.P5 && a.J == primero.J && a.Aguaceros == primero.Aguaceros);
        // Back to the smaller year: the larger storage need does not linger.
        calcula(Anio(1, 60, 30, 4));
        QCOMPARE(Cent(a.CapaMinAnual), 3006);
    }
};

QTEST_APPLESS_MAIN(TstAnual)
#include "tst_anual.moc"
