// The fixed grid's heading strings, for the site report and the monthly
// tables alike (widths, alignment and the cell under the pointer are met in
// the report's tests).
#include "widgets/RejillaFija.h"

#include <QTableWidget>
#include <QtTest>

class TstRejilla : public QObject {
    Q_OBJECT

  private slots:
    void formato_data()
    {
        QTest::addColumn<QString>("formato");
        QTest::addColumn<QStringList>("fila0");
        QTest::addColumn<QStringList>("columna0");
        QTest::newRow("site results") << "| S (m²) | N1; | Ladera actual | Unidad sistematizada"
                                      << QStringList{"", " S (m²) ", " N1"}
                                      << QStringList{"", " Ladera actual ", " Unidad sistematizada"};
        QTest::newRow("months") << "|P. Mes| PV1 |   P5 |J;|Enero|Febrero|Marzo"
                                << QStringList{"", "P. Mes", " PV1 ", "   P5 ", "J"}
                                << QStringList{"", "Enero", "Febrero", "Marzo"};
        QTest::newRow("column headings only") << "|A|B" << QStringList{"", "A", "B"} << QStringList{"", ""};
    }
    void formato()
    {
        QFETCH(QString, formato);
        QFETCH(QStringList, fila0);
        QFETCH(QStringList, columna0);
        QTableWidget t;
        HazRejillaFija(&t, 2, 2);
        FijaFormato(&t, formato);
        QCOMPARE(t.columnCount(), fila0.size());
        QCOMPARE(t.rowCount(), columna0.size());
        for (int c = 0; c < fila0.size(); ++c)
            QCOMPARE(TextoCelda(&t, 0, c), fila0[c]);
        for (int f = 0; f < columna0.size(); ++f)
            QCOMPARE(TextoCelda(&t, f, 0), columna0[f]);
        // Headings are not selectable; the cells are.
        QVERIFY(!(t.item(0, 1)->flags() & Qt::ItemIsSelectable));
        FijaTexto(&t, 1, 1, "x");
        QVERIFY(t.item(1, 1)->flags() & Qt::ItemIsSelectable);
    }
};

QTEST_MAIN(TstRejilla)
#include "tst_rejilla.moc"
