// The year as the user meets it: the monthly grid with its checks, the
// partial results of the three runoff cases, the monthly availability with
// its chart, the way back, and a database file that cannot be used. The
// year's figures and every bound of its data are the year's own tests.
#include "ApoyoTormentas.h"

#include "annual/frmAnual.h"
#include "annual/frmHidrico.h"
#include "common/Catalogo.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChartView>

namespace {

const QString Anual = QStringLiteral("frmAnual");
const QString Hidrico = QStringLiteral("frmHidrico");
const QString Eleccion = QStringLiteral("frmEleccion");

struct Tecleo {
    int columna;
    QString texto;
    int mensaje; // 0: accepted
    QVariant guardado;
    QString enEdicion; // the editor's text when refused
};

// Texts of a grid's cells in a row from column `de` to `a`, or in a column.
QStringList Textos(QTableWidget* t, int fila, int de, int a, bool columna = false)
{
    QStringList l;
    for (int i = de; i <= a; ++i) {
        const QTableWidgetItem* c = columna ? t->item(i, fila) : t->item(fila, i);
        l << (c ? c->text() : QString());
    }
    return l;
}

// Clears the editor that has the focus.
void Borra()
{
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
}

} // namespace

class TstFrmAnual : public QObject, apoyo::Banco {
    Q_OBJECT

    QTableView* Ano() const { return C<QTableView>(QStringLiteral("tblAno")); }
    // The current cell of the data grid (column, row), when it has the focus.
    QPoint EnRejilla() const
    {
        const QModelIndex i = Ano()->currentIndex();
        return apoyo::Foco() == QStringLiteral("tblAno") ? QPoint(i.column(), i.row()) : QPoint(-1, -1);
    }
    QTableWidget* Parcial() const { return C<QTableWidget>(QStringLiteral("tblParcial")); }
    // Columns 1..9 of a row of partial results.
    QStringList Fila(int fila) const { return Textos(Parcial(), fila, 1, 9); }
    void Pulsa(const QString& boton, QWidget* en = nullptr) const
    {
        // Near the left edge: on the indicator of an option button.
        auto* b = C<QAbstractButton>(boton, en);
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
    }
    // Clicks a cell of the data grid (columns 0..2) and types; the first key
    // opens the editor, an empty text clears the cell.
    void Celda(int fila, int columna, const QString& texto, Qt::Key fin = Qt::Key_Return)
    {
        apoyo::Teclea(Ano(), fila, columna + 1, texto);
        if (texto.isEmpty()) {
            QTest::keyClick(Ano(), Qt::Key_F2);
            Borra();
        }
        if (fin != Qt::Key_unknown)
            QTest::keyClick(QApplication::focusWidget(), fin);
    }
    // A month typed in, the other months dry straight into the table as a
    // shortcut. The worked year: January 60 mm, 30 mm in a day, 4 days.
    void Mes(int mes, const QStringList& datos = {"60", "30", "4"})
    {
        QAbstractItemModel* m = C<QAbstractItemModel>(QStringLiteral("datAnual"));
        for (int f = 0; f < 12; ++f)
            for (int c = 1; c <= 3 && f != mes - 1; ++c)
                QVERIFY(m->setData(m->index(f, c), 0));
        for (int c = 0; c < 3; ++c)
            Celda(mes - 1, c, datos[c]);
    }
    QVariant Guardado(int fila, int columna) const { return apoyo::Guardado(QStringLiteral("Anual"), fila, columna); }
    QStringList Mensajes() const { return registro->Textos(); }
    QStringList Mensaje(int id) const { return id ? QStringList{TextoCatalogo(id)} : QStringList{}; }

  private slots:
    void init()
    {
        Empieza();
        v.NumIdioma = 1;
        v.SepDecimal = QStringLiteral(".");
        apoyo::Sitio(v);
        nav->Registra(Anual, Navegacion::Tipo::Suelta, [this] { return new frmAnual(v, *nav); });
        nav->Registra(Hidrico, Navegacion::Tipo::Suelta, [this] { return new frmHidrico(v, *nav); });
        nav->Registra(Eleccion, Navegacion::Tipo::Suelta, [] { return new QWidget; });
    }

    void cleanup() { Termina({Hidrico, Anual, Eleccion}); }

    // A year left in the file is not offered again; computing at once stops
    // on January's precipitation.
    void abreVacia()
    {
        {
            BaseDatos b;
            QSqlQuery(b.Conexion()).exec(QStringLiteral("UPDATE Anual SET \"P mes\" = 5, \"P máx\" = 5, N = 1"));
        }
        Abre(Anual);
        for (int f = 0; f < 12; ++f)
            QVERIFY(Guardado(f, 0).isNull());
        QVERIFY(C<QAbstractButton>("opcEscorrentia(2)")->isChecked() && !C("cmdHidricas")->isEnabled());
        // Each month name level with its data row.
        auto* meses = C<QTableWidget>(QStringLiteral("tblAnoMes"));
        QCOMPARE(meses->item(7, 0)->text(), QStringLiteral("Julio"));
        const QRect julio = Ano()->visualRect(Ano()->model()->index(6, 1));
        QCOMPARE(meses->viewport()->mapToGlobal(meses->visualItemRect(meses->item(7, 0)).center()).y(),
                 Ano()->viewport()->mapToGlobal(julio.center()).y());

        Pulsa(QStringLiteral("cmdCalcular"));
        QCOMPARE(Mensajes(), QStringList{"Enero: Dato no válido"});
        QCOMPARE(EnRejilla(), QPoint(1, 0));
    }

    // A cell accepts, rounds or refuses what is typed: a number out of
    // bounds is blanked, text that is no number stays to be corrected.
    void tecleo_data()
    {
        QTest::addColumn<Tecleo>("caso");
        QTest::newRow("1000") << Tecleo{0, "1000", 1028, {}, {}};
        QTest::newRow("2.5 días") << Tecleo{2, "2.5", 0, 2, {}};
        QTest::newRow("letras") << Tecleo{1, "abc", 1027, {}, "abc"};
    }
    void tecleo()
    {
        QFETCH(Tecleo, caso);
        const auto& [columna, texto, mensaje, guardado, enEdicion] = caso;
        Abre(Anual);
        Celda(3, columna, texto);
        QCOMPARE(Mensajes(), Mensaje(mensaje));
        QCOMPARE(Guardado(3, columna).toString(), guardado.toString());
        if (mensaje) {
            // Refused: still in edit on the same cell.
            auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            QVERIFY(editor && editor->text() == enEdicion && EnRejilla() == QPoint(columna + 1, 3));
        } else {
            // Accepted: Enter goes on to the next cell; the tooltip, once the
            // grid is left, shows the value as stored.
            QCOMPARE(Ano()->currentIndex().column(), columna == 2 ? 1 : columna + 2);
            C(QStringLiteral("cmdCalcular"))->setFocus();
            QCOMPARE(apoyo::Ayuda(Ano(), 3, columna + 1), guardado.toString());
        }
    }

    // Leaving the grid checks silently: a value the check refuses keeps the
    // focus in the cell, an emptied cell is given up.
    void salida()
    {
        Abre(Anual);
        Celda(0, 0, QStringLiteral("12.345"));
        Celda(0, 0, QString());
        QCOMPARE(Mensajes(), Mensaje(1027));
        registro->cajas.clear();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        Celda(0, 0, QStringLiteral("abc"), Qt::Key_unknown);
        C(QStringLiteral("opcEscorrentia(0)"))->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(apoyo::Foco(), QStringLiteral("tblAno"));
        Borra();
        C(QStringLiteral("opcEscorrentia(0)"))->setFocus(Qt::TabFocusReason);
        QVERIFY(apoyo::Foco() == "opcEscorrentia(0)" && Mensajes().isEmpty());
        QCOMPARE(Guardado(0, 0).toDouble(), 12.345);
        QCOMPARE(apoyo::Ayuda(Ano(), 0, 1), QStringLiteral("12.345"));
    }

    // A block of the data grid, chosen with Shift and a click, copied with
    // Ctrl+C: the one copy the key has there (the partial results' copy is
    // for the rest of the window).
    void copiaUnBloque()
    {
        QTest::failOnWarning(QRegularExpression("Ambiguous"));
        Abre(Anual);
        Mes(1);
        const auto centro = [this](int f, int c) { return Ano()->visualRect(Ano()->model()->index(f, c)).center(); };
        QTest::mouseClick(Ano()->viewport(), Qt::LeftButton, {}, centro(0, 1));
        QTest::mouseClick(Ano()->viewport(), Qt::LeftButton, Qt::ShiftModifier, centro(1, 2));
        QApplication::clipboard()->clear();
        QTest::keyClick(Ano(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QString("60\t30\n0\t0\n"));
    }

    // F1 in the grid explains the current cell's column.
    void ayudaDeColumna()
    {
        Abre(Anual);
        QTest::mouseClick(Ano()->viewport(), Qt::LeftButton, {},
                          Ano()->visualRect(Ano()->model()->index(2, 3)).center());
        QTest::keyClick(Ano(), Qt::Key_F1);
        QTRY_VERIFY(QToolTip::text().startsWith("Días de lluvia: los días del mes con lluvia, de 0 a 31. Cada uno "
                                                "recibe al menos 0.1 mm"));
    }

    // The three values of a month against each other, on computing: the
    // refusal names the month and what does not fit, and leaves the focus on
    // the column at fault.
    void terna_data()
    {
        QTest::addColumn<QStringList>("enero");
        QTest::addColumn<QString>("mensaje");
        QTest::addColumn<int>("columna");
        QTest::newRow("12 11 1") << QStringList{"12", "11", "1"}
                                 << "Enero: 1 días de lluvia de 11 mm como máximo no reúnen la precipitación del mes "
                                    "(12 mm)."
                                 << 2;
        QTest::newRow("50 60 4") << QStringList{"50", "60", "4"}
                                 << "Enero: la precipitación máxima diaria (60 mm) es mayor que la precipitación del "
                                    "mes (50 mm)."
                                 << 1;
        QTest::newRow("0 0 2") << QStringList{"0", "0", "2"}
                               << "Enero: hay 2 días de lluvia, pero la precipitación máxima diaria es 0 mm." << 2;
        QTest::newRow("10 9.95 2") << QStringList{"10", "9.95", "2"}
                                   << "Enero: la precipitación máxima diaria (9.95 mm) y al menos 0.1 mm en cada uno "
                                      "de los otros 1 días de lluvia suman más que la precipitación del mes (10 mm)."
                                   << 2;
    }
    void terna()
    {
        QFETCH(QStringList, enero);
        QFETCH(QString, mensaje);
        QFETCH(int, columna);
        Abre(Anual);
        Mes(1, enero);
        Pulsa(QStringLiteral("cmdCalcular"));
        QCOMPARE(Mensajes(), QStringList{mensaje});
        QVERIFY(!C("cmdHidricas")->isEnabled() && Fila(1) == QStringList(9, QString()));
        QCOMPARE(EnRejilla(), QPoint(columna + 1, 0));
    }

    // The worked year in each runoff case: precipitations to one decimal,
    // days and J as they are; January stays on show below the grid, its
    // full values as tooltips.
    void anoTrabajado_data()
    {
        QTest::addColumn<int>("caso");
        QTest::addColumn<QString>("enero"); // columns 4..9
        QTest::newRow("I") << 0 << "10.0 3.0 0.0 0.0 5.0 1";
        QTest::newRow("II") << 1 << "0.0 0.0 30.0 1.0 35.0 3";
        QTest::newRow("III") << 2 << "10.0 1.0 20.0 1.0 20.0 2";
    }
    void anoTrabajado()
    {
        QFETCH(int, caso);
        QFETCH(QString, enero);
        Abre(Anual);
        Mes(1);
        Pulsa(QStringLiteral("opcEscorrentia(%1)").arg(caso));
        Pulsa(QStringLiteral("cmdCalcular"));
        QVERIFY(Mensajes().isEmpty());
        QCOMPARE(Fila(1), ("60.0 30.0 4 " + enero).split(' '));
        QStringList cajas{C<QLabel>("lblTipo")->text()};
        for (const char* c : {"txtPrecip", "txtPmax", "txtNumDias"})
            cajas << C<QLineEdit>(c)->text() << C<QLineEdit>(c)->toolTip();
        QCOMPARE(cajas, (QString("I").repeated(caso + 1) + " 60.0 60.00 30.0 30.00 4 4.0").split(' '));
    }

    // The availability opens only on a year computed and still valid. The
    // worked year in case III, opened twice: it is recomputed and shows the
    // same; chart and totals follow the table. Back returns to the year,
    // going on closes both.
    void disponibilidad()
    {
        Abre(Anual);
        Mes(1);
        Pulsa(QStringLiteral("cmdHidricas"));
        QVERIFY(!nav->Ventana(Hidrico));
        Pulsa(QStringLiteral("cmdCalcular"));
        Celda(0, 1, QStringLiteral("70"));
        Pulsa(QStringLiteral("cmdHidricas"));
        QCOMPARE(Mensajes(), QStringList{"Enero: la precipitación máxima diaria (70 mm) es mayor que la "
                                         "precipitación del mes (60 mm)."});
        QVERIFY(!nav->Ventana(Hidrico) && apoyo::Foco() == "tblAno");
        Celda(0, 1, QStringLiteral("30"));
        QWidget* h = nullptr;
        for (int vez = 0; vez < 2; ++vez) {
            Pulsa(QStringLiteral("cmdHidricas"));
            h = nav->Ventana(Hidrico);
            QVERIFY(h && h->isVisible());
            auto* t = C<QTableWidget>(QStringLiteral("tblDispon"), h);
            QCOMPARE(Textos(t, 1, 1, 4), (QStringList{"60.0", "59.4", "60.0", "126.8"}));
            const QList<QBarSet*> barras =
                qobject_cast<QBarSeries*>(C<QChartView>(QStringLiteral("grfDispon"), h)->chart()->series().value(0))
                    ->barSets();
            QCOMPARE(barras.size(), 4);
            for (int c = 1; c <= 4; ++c) {
                // Each bar set as its column: heading, then the months.
                QStringList barra{barras[c - 1]->label()};
                for (int m = 0; m < barras[c - 1]->count(); ++m)
                    barra << QString::number(barras[c - 1]->at(m), 'f', 1);
                QCOMPARE(barra, Textos(t, c, 0, 12, true));
                // Each total under its column.
                const auto* total = C<QLabel>(QStringLiteral("lblTotales(%1)").arg(c - 1), h);
                QCOMPARE(total->text(), t->item(1, c)->text());
                const int centro = t->viewport()->mapToGlobal(t->visualItemRect(t->item(12, c)).center()).x();
                const QRect r(total->mapToGlobal(QPoint(0, 0)), total->size());
                QVERIFY(r.left() <= centro && centro <= r.right());
            }
            const auto* capacidad = C<QLabel>(QStringLiteral("lblCap"), h);
            QCOMPARE(capacidad->text() + ' ' + capacidad->toolTip(), QStringLiteral("30.1 30.06"));
            C<QAction>(QStringLiteral("mnuCopiarResultados"), h)->trigger();
            QCOMPARE(
                QApplication::clipboard()->text(),
                QStringLiteral("Total: Llano (P. mes)\t60.0\nTotal: Ladera actual\t59.4\n"
                               "Total: Ladera sistematizada\t60.0\nTotal: Área de recepción\t126.8\n"
                               "Capacidad mínima de embalse para recoger toda la escorrentía superficial (l)\t30.1\n"));
            QCOMPARE(apoyo::Ayuda(t, 1, 2) + ' ' + apoyo::Ayuda(t, 1, 0), QStringLiteral("59.42 "));
            t->item(1, 1)->setText(QString()); // the next show fills it again
            nav->Muestra(Anual);
        }
        Pulsa(QStringLiteral("cmdVolver"), h);
        apoyo::Recoge();
        QVERIFY(!nav->Ventana(Hidrico) && nav->Ventana(Anual)->isVisible());
        Pulsa(QStringLiteral("cmdHidricas"));
        Pulsa(QStringLiteral("cmdSigue"));
        apoyo::Recoge();
        QVERIFY(nav->Ventana(Eleccion) && !nav->Ventana(Anual) && !nav->Ventana(Hidrico));
    }

    // A change of case blanks what depends on it; an accepted edit blanks its
    // month and the totals; the tooltips keep the values computed.
    void borrados()
    {
        Abre(Anual);
        Mes(7, {"90", "40", "6"});
        Pulsa(QStringLiteral("cmdCalcular"));
        QCOMPARE(apoyo::Ayuda(Parcial(), 7, 5) + ' ' + apoyo::Ayuda(Parcial(), 7, 0), QStringLiteral("1.88 "));
        Pulsa(QStringLiteral("opcEscorrentia(1)"));
        QCOMPARE(Fila(7), QString("90.0 40.0 6      ").split(' '));
        QCOMPARE(C<QLabel>("lblTipo")->text() + '|' + C<QLineEdit>("txtPrecip")->text() + '|' +
                     apoyo::Ayuda(Parcial(), 7, 5),
                 QStringLiteral("|90.0|1.88"));
        QVERIFY(C("cmdHidricas")->isEnabled());

        Celda(2, 0, QStringLiteral("0"));
        QCOMPARE(Fila(3), QStringList(9, QString()));
        QVERIFY(Fila(7)[0] == "90.0" && C<QLineEdit>("txtPrecip")->text().isEmpty());
    }

    // A block pasted from a cell on: each cell checked as typed, the first
    // refusal stops it, a block too tall is refused whole.
    void pegado_data()
    {
        QTest::addColumn<QPoint>("desde"); // month row, grid column
        QTest::addColumn<QString>("sep");
        QTest::addColumn<bool>("editando");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("aviso");
        QTest::addColumn<QStringList>("filas"); // the two rows from `desde`, as stored
        const QStringList bloque{"10 5 2", "20.5 7.5 3"};
        QTest::newRow("tab") << QPoint(0, 0) << "." << false << "10\t5\t2\r\n20,5\t7.5\t3\r\n"
                             << "" << bloque;
        QTest::newRow("semicolon, into an open cell") << QPoint(0, 0) << "," << true << "10;5;2\n20,5;7.5;3"
                                                      << "" << bloque;
        QTest::newRow("comma") << QPoint(4, 1) << "." << false << "5,2\n7.5,3"
                               << "" << QStringList{" 5 2", " 7.5 3"};
        QTest::newRow("refused cell") << QPoint(0, 0) << "." << false << "10\t5\t2\n20\tabc\t3" << TextoCatalogo(1027)
                                      << QStringList{"10 5 2", "20  "};
        QTest::newRow("too many rows") << QPoint(11, 0) << "." << false << "1\t1\t1\n2\t2\t2"
                                       << TextoCatalogo(1760).arg(2).arg(3).arg(1).arg(3) << QStringList{"  "};
    }
    void pegado()
    {
        QFETCH(QPoint, desde);
        QFETCH(QString, sep);
        QFETCH(bool, editando);
        QFETCH(QString, texto);
        QFETCH(QString, aviso);
        QFETCH(QStringList, filas);
        v.SepDecimal = sep;
        Abre(Anual);
        apoyo::Teclea(Ano(), desde.x(), desde.y() + 1, editando ? QStringLiteral("7") : QString());
        QGuiApplication::clipboard()->setText(texto);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(Mensajes(), aviso.isEmpty() ? QStringList{} : QStringList{aviso});
        for (int f = 0; f < filas.size(); ++f) {
            QStringList guardado;
            for (int c = 0; c < 3; ++c)
                guardado << Guardado(desde.x() + f, c).toString();
            QCOMPARE(guardado.join(' '), filas[f]);
        }
        if (aviso == TextoCatalogo(1027))
            QCOMPARE(EnRejilla(), QPoint(2, 1));
    }

    // Enter walks the cells and leaves the grid from December's days.
    void enter()
    {
        Abre(Anual);
        Celda(11, 1, QStringLiteral("5"));
        QCOMPARE(EnRejilla(), QPoint(3, 11));
        QTest::keyClick(Ano(), Qt::Key_Return);
        QVERIFY(apoyo::Foco() != "tblAno");
        Celda(11, 2, QStringLiteral("3"));
        QVERIFY(apoyo::Foco() != "tblAno" && Guardado(11, 2).toInt() == 3);
    }

    // A file that is not a database: one message naming it, and the year
    // goes on in memory.
    void archivoInutil()
    {
        const QString archivo = Estropea();
        Abre(Anual);
        Mes(1);
        Pulsa(QStringLiteral("cmdCalcular"));
        QCOMPARE(registro->cajas.size(), std::size_t{1});
        QVERIFY(registro->cajas[0].texto.contains(archivo));
        QCOMPARE(Fila(1).last(), QStringLiteral("2"));
    }
};

QTEST_MAIN(TstFrmAnual)
#include "tst_frmanual.moc"
