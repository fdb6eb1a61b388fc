#include "model/CalculoAnual.h"
#include "model/LluviaDiaria.h"

#include <QtTest>

namespace {

// Every day from `desde` to `hasta` as dry ("0"), except those given as "date=depth".
QByteArray Registro(Fecha desde, Fecha hasta, const QStringList& dias = {})
{
    QByteArray t = "fecha;lluvia\n";
    for (DiaCivil d = DiaDe(desde); d <= DiaDe(hasta); ++d) {
        const Fecha f = FechaDe(d);
        const QString fecha = QString::asprintf("%04d-%02d-%02d", f.anio, f.mes, f.dia);
        const QStringList dado = dias.filter(fecha + '=');
        t += (fecha + ';' + (dado.isEmpty() ? "0" : dado[0].mid(11)) + '\n').toUtf8();
    }
    return t;
}

} // namespace

class TstLluvia : public QObject {
    Q_OBJECT
  private slots:

    // January is dormant and June growing by default. Two days of a January or a
    // June give the five days' rain before the storm of the 15th; the year's
    // computation, given that rain as a month's P5, must find the same condition.
    void condicion_data()
    {
        QTest::addColumn<int>("mes");
        QTest::addColumn<QStringList>("antes"); // the 10th and the 12th; empty: missing
        QTest::addColumn<double>("p5");
        QTest::addColumn<QList<int>>("temporada");
        QTest::addColumn<int>("cond");
        const QList<int> abrilSeptiembre{4, 9};
        QTest::newRow("dormant 12.49 is I") << 1 << QStringList{"5.1", "7.39"} << 12.49 << abrilSeptiembre << 1;
        QTest::newRow("dormant 12.5 is II") << 1 << QStringList{"5.1", "7.4"} << 12.5 << abrilSeptiembre << 2;
        QTest::newRow("dormant 28 is II") << 1 << QStringList{"20.3", "7.7"} << 28.0 << abrilSeptiembre << 2;
        QTest::newRow("dormant 28.01 is III") << 1 << QStringList{"20.3", "7.71"} << 28.01 << abrilSeptiembre << 3;
        QTest::newRow("growing 35.49 is I") << 6 << QStringList{"30.1", "5.39"} << 35.49 << abrilSeptiembre << 1;
        QTest::newRow("growing 35.5 is II") << 6 << QStringList{"1.01", "34.49"} << 35.5 << abrilSeptiembre << 2;
        QTest::newRow("growing 53 is II") << 6 << QStringList{"50.2", "2.8"} << 53.0 << abrilSeptiembre << 2;
        QTest::newRow("growing 53.01 is III") << 6 << QStringList{"50.2", "2.81"} << 53.01 << abrilSeptiembre << 3;
        QTest::newRow("season 10-3: June is dormant")
            << 6 << QStringList{"20.3", "9.7"} << 30.0 << QList<int>{10, 3} << 3;
        QTest::newRow("season 10-3: January grows")
            << 1 << QStringList{"20.3", "9.7"} << 30.0 << QList<int>{10, 3} << 1;
        QTest::newRow("a missing day counts 0") << 1 << QStringList{"12.5", ""} << 12.5 << abrilSeptiembre << 2;
        QTest::newRow("a trace counts 0") << 1 << QStringList{"12,5", "Ip"} << 12.5 << abrilSeptiembre << 2;
    }

    void condicion()
    {
        QFETCH(int, mes);
        QFETCH(QStringList, antes);
        QFETCH(double, p5);
        QFETCH(QList<int>, temporada);
        QFETCH(int, cond);
        auto dia = [mes](int d) { return QString::asprintf("2021-%02d-%02d", mes, d); };
        const QByteArray t = Registro({2021, mes, 1}, {2021, mes + 1, 5},
                                      {dia(10) + '=' + antes[0], dia(12) + '=' + antes[1], dia(15) + "=1"});
        RegistroLluvia r;
        QVERIFY(!LeeRegistro(t.toStdString(), r));
        OpcionesLluvia o;
        o.mesCrecimiento1 = temporada[0], o.mesCrecimiento2 = temporada[1];
        ResultadoLluvia res;
        QVERIFY(!SerieLluvia(r, o, res));
        QCOMPARE(res.serie.back().P, 1.0);
        QCOMPARE(res.serie.back().cond, cond);
        QCOMPARE(res.conFaltaEnCinco, int(antes.contains(QString())));
        if (o != OpcionesLluvia{})
            return; // the year's season is fixed
        // Runoff case I takes P5 as the month's rain over 12.
        CalculoAnual a;
        const auto i = static_cast<std::size_t>(mes - 1);
        a.datos.PMes[i] = 12 * p5, a.datos.PMaxDia[i] = 4 * p5, a.datos.NDias[i] = 3;
        CalculaAguaceros(a, CasoEscorrentia::I);
        QCOMPARE(a.J[i], double(cond));
    }

    // 2022 lacks a day, 2023 and 2024 (leap) are whole: the mean takes those two.
    void meses_data()
    {
        QTest::addColumn<int>("anio"); // 0: the mean
        QTest::addColumn<int>("mes");
        QTest::addColumn<QList<double>>("fila"); // P, Pmax, rain days
        QTest::addColumn<int>("faltan");         // of the chosen year; of the mean: years averaged
        // The largest day takes up rain under the rain-day threshold: 4 mm alone cannot hold 4.05.
        QTest::newRow("a day under the rain-day threshold") << 2023 << 2 << QList<double>{4.05, 4.05, 1} << 0;
        QTest::newRow("29 February, 2 days of 3 raised to hold 6.09")
            << 2024 << 2 << QList<double>{6.09, 3.045, 2} << 0;
        QTest::newRow("a missing day is 0") << 2022 << 7 << QList<double>{2.6, 2.5, 2} << 1;
        QTest::newRow("mean of two, 1.5 rain days is 2") << 0 << 2 << QList<double>{5.07, 3.5, 2} << 2;
        QTest::newRow("mean of a dry month") << 0 << 3 << QList<double>{0, 0, 0} << 2;
        // Means that the year's grid would refuse as rounded one by one.
        QTest::newRow("mean: 2.5 rain days is 2 when 3 do not fit") << 0 << 4 << QList<double>{10.15, 10, 2} << 2;
    }

    void meses()
    {
        QFETCH(int, anio);
        QFETCH(int, mes);
        QFETCH(QList<double>, fila);
        QFETCH(int, faltan);
        const QByteArray t =
            Registro({2022, 1, 1}, {2024, 12, 31},
                     {"2022-07-04=", "2022-07-05=2,5", "2022-07-06=0.1", "2023-02-10=0.05", "2023-02-28=4",
                      "2023-03-03=tr", "2024-02-01=3", "2024-02-28=0.09", "2024-02-29=3", "2023-04-10=10",
                      "2023-04-11=0.1", "2023-04-12=0.1", "2024-04-10=10", "2024-04-11=0.1"});
        RegistroLluvia r;
        QVERIFY(!LeeRegistro(t.toStdString(), r));
        OpcionesLluvia o;
        if (anio)
            o.anio = anio;
        ResultadoLluvia res;
        QVERIFY(!AnalizaLluvia(r, o, res));
        QCOMPARE((QList<int>{res.dias, res.faltan, res.lluviosos}), (QList<int>{1096, 1, 10}));
        DatosAnuales grid;
        QVERIFY(!LeeDatos(res.anio, grid));
        const auto& m = res.anio[static_cast<std::size_t>(mes - 1)];
        QCOMPARE((QList<double>{*m[0], *m[1], *m[2]}), fila);
        QCOMPARE(anio ? res.faltanAnio : res.aniosMedia, faltan);
    }

    // Rows the year's grid would refuse, mended with the month's rain kept.
    void ajuste_data()
    {
        QTest::addColumn<QList<double>>("fila"); // P, Pmax, rain days' mean
        QTest::addColumn<QList<double>>("fija"); // Pmax, rain days
        QTest::newRow("rain under a micrometre") << QList<double>{0, 0, 1} << QList<double>{0, 0};
        QTest::newRow("1.33 days: 2 hold it") << QList<double>{13.333333, 10, 4.0 / 3} << QList<double>{10, 2};
        QTest::newRow("three days raised, up to the micrometre")
            << QList<double>{10, 3, 3} << QList<double>{3.333334, 3};
        QTest::newRow("rain on no rain day") << QList<double>{0.025, 0.025, 0} << QList<double>{0.025, 1};
        QTest::newRow("no count fits") << QList<double>{0.15, 0.05, 1.5} << QList<double>{0.15, 1};
    }

    void ajuste()
    {
        QFETCH(QList<double>, fila);
        QFETCH(QList<double>, fija);
        double pmax = fila[1], n = std::round(fila[2]);
        AjustaFila(fila[0], pmax, n, fila[2]);
        QCOMPARE((QList<double>{pmax, n}), fija);
        QCOMPARE(TernaMes(fila[0], pmax, n), 0);
    }

    // Each bad record, and the ones that pass: the error, its line and the other
    // line of a repeated date (of a sorted record: the first line out of order).
    void malos_data()
    {
        QTest::addColumn<QByteArray>("texto"); // "-": no file; "+": one byte over the limit
        QTest::addColumn<int>("anio");         // 0: the series alone; -1: the mean
        QTest::addColumn<ErrorLluvia>("error");
        QTest::addColumn<QList<int>>("lineas");
        const QByteArray mes = Registro({2020, 2, 1}, {2020, 2, 29}); // a leap February: one month
        auto fila = [](const char* n, const QByteArray& t, ErrorLluvia e, QList<int> l, int anio = 0) {
            QTest::newRow(n) << t << anio << e << l;
        };
        fila("no file", "-", ErrorLluvia::NoSeLee, {0, 0});
        fila("over 50 MB", "+", ErrorLluvia::Grande, {0, 0});
        fila("NUL", mes + QByteArray("2020-03-01;\0", 12), ErrorLluvia::NoEsTexto, {31, 0});
        fila("not UTF-8", "fecha,\xe9\n" + mes, ErrorLluvia::NoEsTexto, {1, 0});
        fila("30 February", "2020-02-30,1\n" + mes, ErrorLluvia::Fecha, {1, 0});
        fila("heading not first", mes + "fecha,lluvia", ErrorLluvia::Fecha, {31, 0});
        fila("depth", mes + "2020-03-01;1.5mm", ErrorLluvia::Profundidad, {31, 0});
        fila("negative", mes + "2020-03-01;-0.1", ErrorLluvia::Negativa, {31, 0});
        fila("2000 mm", mes + "2020-03-01;2000", ErrorLluvia::Ninguno, {0, 0});
        fila("over 2000 mm", mes + "2020-03-01;2000.001", ErrorLluvia::Excesiva, {31, 0});
        fila("decimal comma with commas", "2020-01-31,1,5\n", ErrorLluvia::Columnas, {1, 0});
        fila("repeated, unsorted", mes + "2020-02-10;2", ErrorLluvia::Repetida, {31, 11});
        fila("unsorted", mes + "2020-01-31;1", ErrorLluvia::Ninguno, {31, 0});
        fila("a day short", Registro({2021, 1, 1}, {2021, 1, 30}), ErrorLluvia::Corta, {0, 0});
        fila("a month", Registro({2021, 1, 1}, {2021, 1, 31}), ErrorLluvia::Ninguno, {0, 0});
        fila("empty", "\xEF\xBB\xBF\n", ErrorLluvia::Corta, {0, 0});
        fila("year outside", Registro({2020, 1, 1}, {2020, 12, 30}), ErrorLluvia::AnioFuera, {0, 0}, 2020);
        fila("no complete year", Registro({2020, 1, 2}, {2021, 12, 30}), ErrorLluvia::SinAnioCompleto, {0, 0}, -1);
        fila("1000 mm a month", Registro({2020, 1, 1}, {2020, 12, 31}, {"2020-05-01=999", "2020-05-02=1"}),
             ErrorLluvia::MesExcesivo, {0, 0}, 2020);
        QByteArray muchos = "# 32768 storms\n";
        for (int d = 0; d < 32768; ++d) {
            const Fecha f = FechaDe(d);
            muchos += QByteArray::number(f.dia).rightJustified(2, '0') + '/' +
                      QByteArray::number(f.mes).rightJustified(2, '0') + '/' + QByteArray::number(f.anio) + "\t1\n";
        }
        fila("32768 storms", muchos, ErrorLluvia::DemasiadosAguaceros, {0, 0});
        fila("32767 storms", muchos.left(muchos.lastIndexOf('\n', -2) + 1), ErrorLluvia::Ninguno, {0, 0});
    }

    void malos()
    {
        QFETCH(QByteArray, texto);
        QFETCH(int, anio);
        QFETCH(ErrorLluvia, error);
        QFETCH(QList<int>, lineas);
        QTemporaryDir dir;
        QFile f(dir.filePath("lluvia.csv"));
        if (texto != "-")
            QVERIFY(f.open(QIODevice::WriteOnly) &&
                    (texto == "+" ? f.resize(MaxBytesLluvia + 1) : f.write(texto) == texto.size()));
        f.close();
        RegistroLluvia r;
        std::optional<FalloLluvia> e = LeeArchivoLluvia(f.fileName().toStdString(), r);
        OpcionesLluvia o;
        if (anio > 0)
            o.anio = anio;
        ResultadoLluvia res;
        if (!e)
            e = anio ? AnalizaLluvia(r, o, res) : SerieLluvia(r, o, res);
        QCOMPARE(e ? e->error : ErrorLluvia::Ninguno, error);
        QCOMPARE((QList<int>{e ? e->linea : r.desordenLinea, e ? e->otraLinea : 0}), lineas);
        if (e && anio)
            QVERIFY(res.serie.empty() && !res.anio[0][0]);
    }
};

QTEST_APPLESS_MAIN(TstLluvia)
#include "tst_lluvia.moc"
