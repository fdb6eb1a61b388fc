// The report without windows: the PDF's text and the CSV's figures of the
// sample request, in both languages, and the exit status when a file cannot
// be read or written.

#include "common/Catalogo.h"

#include <QtTest>

#include <csignal>

#include <sys/resource.h>

namespace {

struct Salida {
    int estado = -1;
    QString error;
    QByteArray salida;
};

// `limite`: no file the program writes may grow past it, as on a full disk;
// `locale`, when given, is the one the program runs in.
Salida Hidrela(const QStringList& argumentos, const QString& locale = QString(), rlim_t limite = RLIM_INFINITY)
{
    QProcess p;
    if (!locale.isEmpty()) {
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert("LC_ALL", locale);
        p.setProcessEnvironment(e);
    }
    p.setChildProcessModifier([limite] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit r{limite, limite};
        setrlimit(RLIMIT_FSIZE, &r);
    });
    p.start(QStringLiteral(HIDRELA), argumentos);
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardError()),
            p.readAllStandardOutput()};
}

} // namespace

class TstInforme : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

  private slots:
    void testPdfYCsv_data()
    {
        // The PDF's decimal separator is the locale's, whatever the language.
        QTest::addColumn<QString>("idioma");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("sep");
        QTest::newRow("es under es_ES") << "es"
                                        << "es_ES.UTF-8"
                                        << ",";
        QTest::newRow("en under en_US") << "en"
                                        << "en_US.UTF-8"
                                        << ".";
        QTest::newRow("es under C") << "es"
                                    << "C"
                                    << ".";
    }

    void testPdfYCsv()
    {
        QFETCH(QString, idioma);
        QFETCH(QString, locale);
        QFETCH(QString, sep);
        const int desfase = idioma == "es" ? 0 : 1000;
        const QString pdf = dir.filePath(idioma + locale + ".pdf"), csv = dir.filePath(idioma + locale + ".csv");
        const Salida s = Hidrela({"--report", pdf, "--csv", csv, "--lang", idioma, HIDRELA_EJEMPLO}, locale);
        QCOMPARE(s.estado, 0);

        QProcess texto;
        texto.start("pdftotext", {pdf, "-"});
        QVERIFY(texto.waitForFinished(60000));
        const QString crudo = QString::fromUtf8(texto.readAllStandardOutput()), t = crudo.simplified();
        // Each foot names its page and the count of pages; pdftotext ends
        // every page with a form feed.
        const QStringList paginas = crudo.split(u'\f');
        const qsizetype n = paginas.size() - 1;
        for (qsizetype k = 1; k <= n; ++k)
            QVERIFY(QString(paginas[k - 1]).remove(QRegularExpression("\\s")).contains(QString("%1/%2").arg(k).arg(n)));
        QVERIFY(n > 1);
        // The verdict, and the titles of the storm, series and year sections.
        for (int id : {1174, 1117, 1191, 1001, 1092})
            QVERIFY2(t.contains(TextoCatalogo(id + desfase).simplified()), qPrintable(TextoCatalogo(id + desfase)));
        // The site's areas, the single storm's water without systematization,
        // the series' total depth and the year's totals and minimum capacity.
        for (const char* f : {"4.000", "44.2", "72.5", "417.5", "413.2", "752.0", "58.4"})
            QVERIFY2(t.contains(QString(f).replace('.', sep)), f);

        QFile f(csv);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QHash<QString, QStringList> filas;
        for (const QString& l : QString::fromUtf8(f.readAll()).split('\n')) {
            const QStringList c = l.split(',');
            filas.insert(c.first(), c.mid(1));
        }
        // The annual precipitation, January's availability (its later row)
        // and the availability totals.
        QCOMPARE(filas.value(TextoCatalogo(1022 + desfase)), QStringList{"417.5"});
        QCOMPARE(filas.value(TextoCatalogo(1010 + desfase)), (QStringList{"60.0", "59.4", "60.0", "126.8"}));
        QCOMPARE(filas.value(TextoCatalogo(1789 + desfase)), (QStringList{"417.5", "413.2", "417.5", "752.0"}));
        QCOMPARE(filas.value(TextoCatalogo(1204 + desfase)), QStringList{"72.5"});
    }

    void testFallos_data()
    {
        QTest::addColumn<QString>("opcion");
        QTest::addColumn<QString>("salida");
        QTest::addColumn<QString>("sitio");
        // Tests run as root: a path under a regular file cannot be written.
        const auto fila = [](const char* n, const char* opcion, const char* salida, const char* sitio) {
            QTest::newRow(n) << QString(opcion) << QString(salida) << QString(sitio);
        };
        fila("sitio ausente", "--report", "a.pdf", "no-existe.hidrela");
        fila("pdf no escribible", "--report", "texto.hidrela/a.pdf", HIDRELA_EJEMPLO);
        fila("csv no escribible", "--csv", "texto.hidrela/a.csv", HIDRELA_EJEMPLO);
    }

    void testFallos()
    {
        QFETCH(QString, opcion);
        QFETCH(QString, salida);
        QFETCH(QString, sitio);
        QFile texto(dir.filePath("texto.hidrela"));
        QVERIFY(texto.open(QIODevice::WriteOnly) && texto.write("not a site\n") > 0);
        texto.close();
        const QString ruta = dir.filePath(salida);
        const Salida s = Hidrela({opcion, ruta, QFileInfo(sitio).isAbsolute() ? sitio : dir.filePath(sitio)});
        QCOMPARE(s.estado, 2);
        QCOMPARE(s.error.trimmed().count('\n'), 0);
        QVERIFY(!s.error.trimmed().isEmpty());
        QVERIFY(!QFileInfo::exists(ruta));
    }

    // The command line: a wrong word, a missing value or a second site is
    // answered with the usage and writes nothing; Qt's own options are
    // taken out before the program reads its own.
    void testOrdenes_data()
    {
        QTest::addColumn<QStringList>("argumentos"); // OUT is the CSV, SITE the sample
        QTest::addColumn<int>("estado");
        QTest::newRow("valor ausente") << QStringList{"--csv", "OUT", "SITE", "--lang"} << 2;
        QTest::newRow("idioma desconocido") << QStringList{"--csv", "OUT", "--lang", "xx", "SITE"} << 2;
        QTest::newRow("dos sitios") << QStringList{"--csv", "OUT", "SITE", "SITE"} << 2;
        QTest::newRow("opcion desconocida") << QStringList{"--frob", "--csv", "OUT", "SITE"} << 2;
        QTest::newRow("opcion de Qt") << QStringList{"-platform", "offscreen", "--csv", "OUT", "SITE"} << 0;
    }

    void testOrdenes()
    {
        QFETCH(QStringList, argumentos);
        QFETCH(int, estado);
        const QString csv = dir.filePath("ordenes.csv");
        QFile::remove(csv);
        argumentos.replaceInStrings(QRegularExpression("^OUT$"), csv);
        argumentos.replaceInStrings(QRegularExpression("^SITE$"), HIDRELA_EJEMPLO);
        const Salida s = Hidrela(argumentos);
        QCOMPARE(s.estado, estado);
        QCOMPARE(QFileInfo::exists(csv), estado == 0);
        QCOMPARE(s.error.contains("hidrela --report"), estado != 0);
    }

    // Both outputs or neither: on a full disk the old PDF and CSV stay as
    // they were; standard output takes the PDF as it is.
    void testEnteroONada()
    {
        const QString pdf = dir.filePath("viejo.pdf"), csv = dir.filePath("viejo.csv");
        for (const QString& r : {pdf, csv}) {
            QFile f(r);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write("old\n") == 4);
        }
        const Salida s = Hidrela({"--report", pdf, "--csv", csv, HIDRELA_EJEMPLO}, QString(), 16 * 1024);
        QCOMPARE(s.estado, 2);
        QCOMPARE(s.error.trimmed().count('\n'), 0);
        QVERIFY(s.error.contains(QDir::toNativeSeparators(pdf)));
        for (const QString& r : {pdf, csv}) {
            QFile f(r);
            QVERIFY(f.open(QIODevice::ReadOnly) && f.readAll() == "old\n");
        }
        const Salida a = Hidrela({"--report", "/dev/stdout", HIDRELA_EJEMPLO});
        QCOMPARE(a.estado, 0);
        QVERIFY(a.salida.startsWith("%PDF") && a.salida.trimmed().endsWith("%%EOF"));
    }

    // Long notes go on over the pages; a part that cannot be computed is
    // named, with the reason, in the report and on standard error; a site
    // that cannot be computed at all makes no report.
    void testPartesYNotas_data()
    {
        QTest::addColumn<QByteArray>("sitio");
        QTest::addColumn<int>("estado");
        QTest::addColumn<QString>("queja");
        QTest::addColumn<QStringList>("texto");
        const QByteArray datos = R"("site":{"NAC":70,"NI":90,"NR":60,"SI":4,"SR":1,"CAPA":100})";
        QByteArray notas;
        QStringList lineas;
        for (int i = 1; i <= 200; ++i) {
            lineas << QString("Note %1 ends here.").arg(i);
            notas += lineas.back().toUtf8() + "\\n";
        }
        QTest::newRow("200 lines of notes") << "{" + datos + ",\"notes\":\"" + notas + "\"}" << 0 << "" << lineas;
        QTest::newRow("storm without condition")
            << "{" + datos + R"(,"storm":{"P":50}})" << 0 << TextoCatalogo(2822).arg(TextoCatalogo(2117), "")
            << QStringList{TextoCatalogo(2822).arg(TextoCatalogo(2117), "").simplified(), "condition"};
        const QByteArray registro =
            R"("rain_import":{"file":"station.csv","mean":true,"rain_day":0.1,"storm":1,"season":[4,9],"unit":"0.1mm",)"
            R"("record":{"period":["1990-01-01","2019-12-31"],"days":10957,"missing":3,"storms":812,)"
            R"("years_averaged":29,"months_adjusted":2,"date_column":"DATE","depth_column":"PRCP"}})";
        QTest::newRow("rain record") << "{" + datos + "," + registro + "}" << 0 << ""
                                     << QStringList{"Rainfall record",          "station.csv",
                                                    "1990-01-01 to 2019-12-31", "Mean of 29 complete years",
                                                    "tenths of a mm",           "DATE; PRCP",
                                                    "April to September"};
        QTest::newRow("site without SR") << QByteArray(R"({"site":{"NAC":70,"NI":90,"NR":60,"SI":4,"CAPA":100}})") << 2
                                         << TextoCatalogo(2821).arg("SR") << QStringList();
    }

    void testPartesYNotas()
    {
        QFETCH(QByteArray, sitio);
        QFETCH(int, estado);
        QFETCH(QString, queja);
        QFETCH(QStringList, texto);
        const QString ruta = dir.filePath("partes.hidrela"), pdf = dir.filePath("partes.pdf");
        QFile f(ruta);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(sitio) == sitio.size());
        f.close();
        QFile::remove(pdf);
        const Salida s = Hidrela({"--report", pdf, "--lang", "en", ruta});
        QCOMPARE(s.estado, estado);
        QVERIFY2(queja.isEmpty() ? s.error.isEmpty() : s.error.contains(queja) && s.error.contains(ruta),
                 qPrintable(s.error));
        QCOMPARE(QFileInfo::exists(pdf), estado == 0);
        QProcess p;
        p.start("pdftotext", {pdf, "-"});
        QVERIFY(p.waitForFinished(60000));
        const QString t = QString::fromUtf8(p.readAllStandardOutput()).simplified();
        for (const QString& x : texto)
            QVERIFY2(t.contains(x), qPrintable(x));
    }
};

QTEST_GUILESS_MAIN(TstInforme)
#include "tst_informe.moc"
