// The report without windows: the PDF's text and the CSV's figures of the
// sample request, in both languages, and the exit status when a file cannot
// be read or written.

#include "common/Catalogo.h"

#include <QtTest>

namespace {

struct Salida {
    int estado = -1;
    QString error;
};

Salida Hidrela(const QStringList& argumentos, const QString& locale = QString())
{
    QProcess p;
    if (!locale.isEmpty()) {
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert("LC_ALL", locale);
        p.setProcessEnvironment(e);
    }
    p.start(QStringLiteral(HIDRELA), argumentos);
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardError())};
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
        QTest::newRow("es under es_ES") << "es" << "es_ES.UTF-8" << ",";
        QTest::newRow("en under en_US") << "en" << "en_US.UTF-8" << ".";
        QTest::newRow("es under C") << "es" << "C" << ".";
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
};

QTEST_GUILESS_MAIN(TstInforme)
#include "tst_informe.moc"
