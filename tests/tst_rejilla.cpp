// The shared grids' copy and paste: a pasted block split into cells, the
// selection copied, and the CSV of a window (the heading strings, widths,
// alignment and the cell under the pointer are met in the reports' tests).
#include "common/Variables.h"
#include "widgets/AyudaCelda.h"
#include "widgets/Exportacion.h"
#include "widgets/RejillaDatos.h"
#include "widgets/RejillaFija.h"

#include <QApplication>
#include <QClipboard>
#include <QStandardPaths>
#include <QTableWidget>
#include <QtTest>

class TstRejilla : public QObject {
    Q_OBJECT

  private slots:
    // A block from a spreadsheet: rows "/"-joined, cells "|"-joined. Tabs,
    // and commas between cells, are the monthly grid's paste test.
    void partePegado_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("sep");
        QTest::addColumn<QString>("filas");
        QTest::newRow("semicolon, point into comma") << "1.5;\"2\"\n;4,25\n\n"
                                                     << ","
                                                     << "1,5|2/|4,25";
        QTest::newRow("one number with a decimal comma") << "1,5"
                                                         << "."
                                                         << "1.5";
        QTest::newRow("decimal comma, one column") << "1,5\n2,5"
                                                   << ","
                                                   << "1,5/2,5";
    }
    void partePegado()
    {
        QFETCH(QString, texto);
        QFETCH(QString, sep);
        QFETCH(QString, filas);
        QStringList r;
        for (const QStringList& f : PartePegado(texto, sep))
            r << f.join(QLatin1Char('|'));
        QCOMPARE(r.join(QLatin1Char('/')), filas);
    }

    // Ctrl+C copies the selection's rectangle, or the whole grid, headings
    // included, when nothing is selected; a cell's tab would split it.
    void copia_data()
    {
        QTest::addColumn<QList<int>>("seleccion"); // row, column pairs
        QTest::addColumn<QString>("tsv");
        QTest::newRow("nothing selected") << QList<int>{} << "\tA\tB\nx\t1,5\t2 a\ny\t3\t4\n";
        QTest::newRow("one cell") << QList<int>{1, 1} << "1,5\n";
        QTest::newRow("two apart") << QList<int>{1, 1, 2, 2} << "1,5\t\n\t4\n";
        QTest::newRow("a column") << QList<int>{1, 2, 2, 2} << "2 a\n4\n";
    }
    void copia()
    {
        QFETCH(QList<int>, seleccion);
        QFETCH(QString, tsv);
        Variables v;
        QTableWidget t;
        HazRejillaFija(&t, 3, 3);
        t.setSelectionMode(QAbstractItemView::MultiSelection);
        FijaFormato(&t, "|A|B;|x|y");
        FijaTexto(&t, 1, 1, "1,5");
        FijaTexto(&t, 1, 2, "2\ta");
        FijaTexto(&t, 2, 1, "3");
        FijaTexto(&t, 2, 2, "4");
        HazCopiable(&t, v);
        t.show();
        QVERIFY(QTest::qWaitForWindowActive(&t));
        for (int i = 0; i + 1 < seleccion.size(); i += 2)
            t.item(seleccion[i], seleccion[i + 1])->setSelected(true);
        QApplication::clipboard()->clear();
        QTest::keyClick(&t, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), tsv);
    }

    // A save dialog starts beside the site file, named after it; without
    // one, in the folder last saved to, else in Documents.
    void rutaPropuesta()
    {
        QStandardPaths::setTestModeEnabled(true);
        Variables v;
        const QString documentos = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QCOMPARE(RutaPropuesta(v, ".csv"), documentos);
        RecuerdaCarpeta("/tmp/informes/a.pdf");
        QCOMPARE(RutaPropuesta(v, ".csv"), QString("/tmp/informes"));
        v.RutaSitio = "/tmp/sitios/ladera.norte.hidrela";
        QCOMPARE(RutaPropuesta(v, ".pdf"), QString("/tmp/sitios/ladera.norte.pdf"));
    }

    // The CSV gives numbers with "." under the decimal comma, quotes text
    // holding a comma, and sets the tooltip's full value beside a column that
    // keeps more digits; a grid not offered for copying is left out.
    void csv()
    {
        const QString sep = ",";
        Variables v;
        v.SepDecimal = sep;
        v.NumIdioma = 2;
        QWidget ventana;
        auto* t = new QTableWidget(&ventana);
        HazRejillaFija(t, 3, 3);
        FijaFormato(t, "|A (mm)|B;|x|y, z");
        FijaTexto(t, 1, 1, QString("1.5").replace('.', sep));
        FijaTexto(t, 1, 2, "p, q");
        FijaTexto(t, 2, 1, QString("-12.0").replace('.', sep));
        SigueAyuda(t, [sep](int f, int c) -> std::optional<QString> {
            if (c != 1 || f < 1)
                return QString();
            return QString(f == 1 ? "1.4999" : "-12.04").replace('.', sep);
        });
        HazCopiable(t, v);
        HazRejillaFija(new QTableWidget(&ventana), 2, 2); // not offered for copying
        QCOMPARE(TextoCSV(&ventana, v), QString(",A (mm),A (mm) (exact),B\n"
                                                "x,1.5,1.4999,\"p, q\"\n"
                                                "\"y, z\",-12.0,-12.04,\n"));
    }
};

QTEST_MAIN(TstRejilla)
#include "tst_rejilla.moc"
