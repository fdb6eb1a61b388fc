// The year as the user meets it: the monthly grid with its checks, the
// partial results of the three runoff cases, the monthly availability with
// its chart, the way back, and a database file that cannot be used.
#include "ApoyoTormentas.h"

#include "annual/frmAnual.h"
#include "annual/frmHidrico.h"
#include "common/Catalogo.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QLabel>
#include <QTableView>
#include <QTableWidget>

namespace {

const QString Anual = QStringLiteral("frmAnual");
const QString Hidrico = QStringLiteral("frmHidrico");
const QString Eleccion = QStringLiteral("frmEleccion");

using Mes = std::array<QString, 3>;

struct Tecleo {
    int columna;
    QString texto;
    int mensaje; // 0: accepted
    QVariant guardado;
    QString enEdicion; // the editor's text when refused
};

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
    QString Parcial(int fila, int columna) const
    {
        const QTableWidgetItem* i = Parcial()->item(fila, columna);
        return i ? i->text() : QString();
    }
    // Columns 1..9 of a row of partial results.
    QStringList Fila(int fila) const
    {
        QStringList t;
        for (int c = 1; c <= 9; ++c)
            t << Parcial(fila, c);
        return t;
    }
    void Pulsa(const QString& boton, QWidget* en = nullptr) const
    {
        // Near the left edge: on the indicator of an option button.
        auto* b = C<QAbstractButton>(boton, en);
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
    }

    void Abre()
    {
        w = nav->Muestra(Anual);
        QVERIFY(QTest::qWaitForWindowActive(w));
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
    // Clears the editor that has the focus.
    static void Borra()
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home, Qt::ShiftModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
    }
    void Mes_(int mes, const Mes& datos)
    {
        for (int c = 0; c < 3; ++c)
            Celda(mes - 1, c, datos[static_cast<std::size_t>(c)]);
    }
    // The other months dry, straight into the table as a shortcut.
    void Secos(int salvo)
    {
        QAbstractItemModel* m = C<QAbstractItemModel>(QStringLiteral("datAnual"));
        for (int f = 0; f < 12; ++f)
            for (int c = 1; c <= 3 && f != salvo - 1; ++c)
                QVERIFY(m->setData(m->index(f, c), 0));
    }
    // The worked year: January 60 mm, 30 mm in a day, 4 days; the rest dry.
    void Enero()
    {
        Secos(1);
        Mes_(1, {"60", "30", "4"});
    }
    QVariant Guardado(int fila, int columna) const { return apoyo::Guardado(QStringLiteral("Anual"), fila, columna); }
    QStringList Textos() const { return registro->Textos(); }
    // The tooltip a grid takes with the pointer over a cell.
    static QString Ayuda(QTableView* t, int fila, int columna)
    {
        const QRect r = t->visualRect(t->model()->index(fila, columna));
        QMouseEvent mueve(QEvent::MouseMove, r.center(), t->viewport()->mapToGlobal(r.center()), Qt::NoButton,
                          Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(t->viewport(), &mueve);
        return t->toolTip();
    }

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
        Abre();
        for (int f = 0; f < 12; ++f)
            QVERIFY(Guardado(f, 0).isNull());
        QVERIFY(C<QAbstractButton>(QStringLiteral("opcEscorrentia(2)"))->isChecked());
        QVERIFY(!C<QWidget>(QStringLiteral("cmdHidricas"))->isEnabled());
        // Each month name level with its data row.
        auto* meses = C<QTableWidget>(QStringLiteral("tblAnoMes"));
        QCOMPARE(meses->item(7, 0)->text(), QStringLiteral("Julio"));
        const QRect julio = Ano()->visualRect(Ano()->model()->index(6, 1));
        QCOMPARE(meses->viewport()->mapToGlobal(meses->visualItemRect(meses->item(7, 0)).center()).y(),
                 Ano()->viewport()->mapToGlobal(julio.center()).y());

        Pulsa(QStringLiteral("cmdCalcular"));
        QCOMPARE(Textos(), QStringList{QStringLiteral("Dato no válido")});
        QCOMPARE(EnRejilla(), QPoint(1, 0));
    }

    // A cell accepts, rounds or refuses what is typed (each column's bounds
    // are met in the year's own tests).
    void tecleo_data()
    {
        QTest::addColumn<Tecleo>("caso");
        QTest::newRow("1000") << Tecleo{0, "1000", 1028, {}, {}};
        QTest::newRow("31.5 días") << Tecleo{2, "31.5", 1029, {}, {}};
        QTest::newRow("2.5 días") << Tecleo{2, "2.5", 0, 2, {}};
        QTest::newRow("coma") << Tecleo{0, "12,5", 0, 12.5, {}};
        QTest::newRow("letras") << Tecleo{1, "abc", 1027, {}, "abc"};
    }
    void tecleo()
    {
        QFETCH(Tecleo, caso);
        const auto& [columna, texto, mensaje, guardado, enEdicion] = caso;
        Abre();
        Celda(3, columna, texto);
        QCOMPARE(Textos(), mensaje ? QStringList{TextoCatalogo(mensaje)} : QStringList{});
        const QVariant g = Guardado(3, columna);
        QCOMPARE(g.isNull(), guardado.isNull());
        if (!guardado.isNull())
            QCOMPARE(g.toDouble(), guardado.toDouble());
        if (mensaje) {
            // Refused: still in edit on the same cell.
            auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            QVERIFY(editor);
            QCOMPARE(editor->text(), enEdicion);
            QCOMPARE(EnRejilla(), QPoint(columna + 1, 3));
        } else {
            // Accepted: Enter goes on to the next cell; the tooltip, once the
            // grid is left, shows the value as stored.
            QCOMPARE(Ano()->currentIndex().column(), columna == 2 ? 1 : columna + 2);
            C<QWidget>(QStringLiteral("cmdCalcular"))->setFocus();
            QCOMPARE(Ayuda(Ano(), 3, columna + 1), QString::number(guardado.toDouble()));
        }
    }

    // Leaving the grid checks silently: a value the check refuses keeps the
    // focus in the cell, an emptied cell is given up.
    void salida()
    {
        Abre();
        Celda(0, 0, QStringLiteral("12.345"));
        Celda(0, 0, QString());
        QCOMPARE(Textos(), QStringList{TextoCatalogo(1027)});
        registro->cajas.clear();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        Celda(0, 0, QStringLiteral("abc"), Qt::Key_unknown);
        C<QWidget>(QStringLiteral("opcEscorrentia(0)"))->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(apoyo::Foco(), QStringLiteral("tblAno"));
        QVERIFY(Textos().isEmpty());
        Borra();
        C<QWidget>(QStringLiteral("opcEscorrentia(0)"))->setFocus(Qt::TabFocusReason);
        QCOMPARE(apoyo::Foco(), QStringLiteral("opcEscorrentia(0)"));
        QVERIFY(Textos().isEmpty());
        QCOMPARE(Guardado(0, 0).toDouble(), 12.345);
        QCOMPARE(Ayuda(Ano(), 0, 1), QStringLiteral("12.345"));
    }

    // The three values of a month against each other, on computing; the
    // refusal leaves the focus on the column at fault.
    void terna_data()
    {
        QTest::addColumn<Mes>("enero");
        QTest::addColumn<int>("mensaje");
        QTest::addColumn<int>("columna");
        QTest::newRow("seco") << Mes{"0", "0", "0"} << 0 << 0;
        QTest::newRow("12 12 1") << Mes{"12", "12", "1"} << 0 << 0;
        QTest::newRow("12 11 1") << Mes{"12", "11", "1"} << 1031 << 2;
        QTest::newRow("50 60 4") << Mes{"50", "60", "4"} << 1030 << 1;
    }
    void terna()
    {
        QFETCH(Mes, enero);
        QFETCH(int, mensaje);
        QFETCH(int, columna);
        Abre();
        Secos(1);
        Mes_(1, enero);
        Pulsa(QStringLiteral("cmdCalcular"));
        QCOMPARE(Textos(), mensaje ? QStringList{TextoCatalogo(mensaje)} : QStringList{});
        QCOMPARE(C<QWidget>(QStringLiteral("cmdHidricas"))->isEnabled(), mensaje == 0);
        if (mensaje) {
            QCOMPARE(EnRejilla(), QPoint(columna + 1, 0));
            QCOMPARE(Parcial(1, 1), QString());
        } else {
            QCOMPARE(Parcial(1, 1), enero[0] + (enero[0].contains('.') ? "" : ".0"));
        }
    }

    // The worked year, January 60, 30, 4 and the other months dry, in each
    // runoff case.
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
        Abre();
        Enero();
        Pulsa(QStringLiteral("opcEscorrentia(%1)").arg(caso));
        Pulsa(QStringLiteral("cmdCalcular"));
        QVERIFY(Textos().isEmpty());
        QCOMPARE(Fila(1), ("60.0 30.0 4 " + enero).split(' '));
        QCOMPARE(Fila(2), QString("0.0 0.0 0 0.0 0.0 0.0 0.0 0.0 1").split(' '));
        QCOMPARE(C<QLabel>(QStringLiteral("lblTipo"))->text(), QString("I").repeated(caso + 1));
        // January stays on show below the grid, its full values as tooltips.
        const QStringList cajas{"txtPrecip", "txtPmax", "txtNumDias"};
        QStringList textos, ayudas;
        for (const QString& c : cajas) {
            textos << C<QLineEdit>(c)->text();
            ayudas << C<QLineEdit>(c)->toolTip();
        }
        QCOMPARE(textos, QString("60.0 30.0 4").split(' '));
        QCOMPARE(ayudas, QString("60.00 30.00 4.0").split(' '));
    }

    // The availability opens only on a year computed and still valid. The
    // worked year in case III, opened twice: it is recomputed and shows the
    // same; chart and totals follow the table. Back returns to the year,
    // going on closes both.
    void disponibilidad()
    {
        Abre();
        Enero();
        Pulsa(QStringLiteral("opcEscorrentia(2)"));
        Pulsa(QStringLiteral("cmdHidricas"));
        QVERIFY(!nav->Ventana(Hidrico));
        Pulsa(QStringLiteral("cmdCalcular"));
        Celda(0, 1, QStringLiteral("70"));
        Pulsa(QStringLiteral("cmdHidricas"));
        QCOMPARE(Textos(), QStringList{TextoCatalogo(1030)});
        QVERIFY(!nav->Ventana(Hidrico));
        QCOMPARE(apoyo::Foco(), QStringLiteral("tblAno"));
        Celda(0, 1, QStringLiteral("30"));
        QWidget* h = nullptr;
        for (int vez = 0; vez < 2; ++vez) {
            Pulsa(QStringLiteral("cmdHidricas"));
            h = nav->Ventana(Hidrico);
            QVERIFY(h && h->isVisible());
            auto* t = C<QTableWidget>(QStringLiteral("tblDispon"), h);
            auto* serie =
                qobject_cast<QBarSeries*>(C<QChartView>(QStringLiteral("grfDispon"), h)->chart()->series().value(0));
            QVERIFY(serie);
            QCOMPARE(serie->barSets().size(), 4);
            const QStringList enero{"60.0", "59.4", "60.0", "126.8"};
            for (int c = 1; c <= 4; ++c) {
                QCOMPARE(t->item(1, c)->text(), enero[c - 1]);
                QCOMPARE(t->item(7, c)->text(), QStringLiteral("0.0"));
                const QBarSet* barras = serie->barSets()[c - 1];
                QCOMPARE(barras->label(), t->item(0, c)->text());
                QCOMPARE(barras->count(), 12);
                for (int m = 1; m <= 12; ++m)
                    QCOMPARE(QString::number(barras->at(m - 1), 'f', 1), t->item(m, c)->text());
                const auto* total = C<QLabel>(QStringLiteral("lblTotales(%1)").arg(c - 1), h);
                QCOMPARE(total->text(), enero[c - 1]);
                // Under its column.
                const int centro = t->viewport()->mapToGlobal(t->visualItemRect(t->item(12, c)).center()).x();
                const QRect r(total->mapToGlobal(QPoint(0, 0)), total->size());
                QVERIFY2(r.left() <= centro && centro <= r.right(), qPrintable(total->objectName()));
            }
            QCOMPARE(C<QLabel>(QStringLiteral("lblCap"), h)->text(), QStringLiteral("30.1"));
            QCOMPARE(C<QLabel>(QStringLiteral("lblCap"), h)->toolTip(), QStringLiteral("30.06"));
            QCOMPARE(Ayuda(t, 1, 2), QStringLiteral("59.42"));
            QCOMPARE(Ayuda(t, 1, 0), QString());
            t->item(1, 1)->setText(QString()); // the next show fills it again
            nav->Muestra(Anual);
        }
        Pulsa(QStringLiteral("cmdVolver"), h);
        apoyo::Recoge();
        QVERIFY(!nav->Ventana(Hidrico));
        QVERIFY(nav->Ventana(Anual)->isVisible());
        Pulsa(QStringLiteral("cmdHidricas"));
        Pulsa(QStringLiteral("cmdSigue"));
        apoyo::Recoge();
        QVERIFY(nav->Ventana(Eleccion));
        QVERIFY(!nav->Ventana(Anual) && !nav->Ventana(Hidrico));
    }

    // A change of case blanks what depends on it; an accepted edit blanks its
    // month and the totals; the tooltips keep the values computed.
    void borrados()
    {
        Abre();
        Secos(7);
        Mes_(7, {"90", "40", "6"});
        Pulsa(QStringLiteral("cmdCalcular"));
        QCOMPARE(Parcial(7, 5), QStringLiteral("1.9"));
        QCOMPARE(Ayuda(Parcial(), 7, 5), QStringLiteral("1.88"));
        QCOMPARE(Ayuda(Parcial(), 7, 0), QString());
        Pulsa(QStringLiteral("opcEscorrentia(1)"));
        for (int c = 1; c <= 9; ++c)
            QCOMPARE(Parcial(7, c).isEmpty(), c >= 4);
        QCOMPARE(C<QLabel>(QStringLiteral("lblTipo"))->text(), QString());
        QCOMPARE(C<QLineEdit>(QStringLiteral("txtPrecip"))->text(), QStringLiteral("90.0"));
        QVERIFY(C<QWidget>(QStringLiteral("cmdHidricas"))->isEnabled());
        QCOMPARE(Ayuda(Parcial(), 7, 5), QStringLiteral("1.88"));

        Celda(2, 0, QStringLiteral("0"));
        QCOMPARE(Fila(3), QStringList(9, QString()));
        QCOMPARE(Parcial(7, 1), QStringLiteral("90.0"));
        QCOMPARE(C<QLineEdit>(QStringLiteral("txtPrecip"))->text(), QString());
    }

    // Enter walks the cells and leaves the grid from December's days.
    void enter()
    {
        Abre();
        Celda(11, 1, QStringLiteral("5"));
        QCOMPARE(EnRejilla(), QPoint(3, 11));
        QTest::keyClick(Ano(), Qt::Key_Return);
        QVERIFY(apoyo::Foco() != QStringLiteral("tblAno"));
        Celda(11, 2, QStringLiteral("3"));
        QVERIFY(apoyo::Foco() != QStringLiteral("tblAno"));
        QCOMPARE(Guardado(11, 2).toInt(), 3);
    }

    // A file that is not a database: one message naming it, and the year
    // goes on in memory.
    void archivoInutil()
    {
        const QString archivo = Estropea();
        Abre();
        QCOMPARE(registro->cajas.size(), std::size_t{1});
        QVERIFY(registro->cajas[0].texto.contains(archivo));
        registro->cajas.clear();
        Enero();
        Pulsa(QStringLiteral("cmdCalcular"));
        QVERIFY(Textos().isEmpty());
        QCOMPARE(Parcial(1, 9), QStringLiteral("2"));
    }
};

QTEST_MAIN(TstFrmAnual)
#include "tst_frmanual.moc"
