// The year as the user meets it: the monthly grid with its checks, the
// partial results of the three runoff cases, the monthly availability with
// its chart, the way back, and a database file that cannot be used.
#include "Apoyo.h"

#include "annual/frmAnual.h"
#include "annual/frmHidrico.h"
#include "app/BaseDatos.h"
#include "app/Directorios.h"
#include "app/Navegacion.h"
#include "app/Variables.h"
#include "site/ModeloCN.h"
#include "text/Catalogo.h"

#include <QAbstractButton>
#include <QApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSqlQuery>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString Anual = QStringLiteral("frmAnual");
const QString Hidrico = QStringLiteral("frmHidrico");
const QString Eleccion = QStringLiteral("frmEleccion");

using Mes = std::array<QString, 3>;

QString Foco()
{
    // A cell editor stands for its grid.
    for (QWidget* f = QApplication::focusWidget(); f; f = f->parentWidget())
        if (qobject_cast<QAbstractItemView*>(f) || (!f->objectName().isEmpty() && !f->objectName().startsWith("qt_")))
            return f->objectName();
    return QString();
}

} // namespace

class TstFrmAnual : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    Variables v;
    std::unique_ptr<Navegacion> nav;
    QWidget* w = nullptr;
    std::unique_ptr<apoyo::Registro> registro;

    template <typename T = QWidget> T* C(const QString& nombre, QWidget* en = nullptr) const
    {
        T* c = (en ? en : w)->findChild<T*>(nombre);
        if (!c)
            qFatal("no control %s", qPrintable(nombre));
        return c;
    }
    QTableView* Ano() const { return C<QTableView>(QStringLiteral("tblAno")); }
    QTableWidget* Parcial() const { return C<QTableWidget>(QStringLiteral("tblParcial")); }
    QString Parcial(int fila, int columna) const
    {
        const QTableWidgetItem* i = Parcial()->item(fila, columna);
        return i ? i->text() : QString();
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
        QTableView* t = Ano();
        const QRect r = t->visualRect(t->model()->index(fila, columna + 1));
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, r.center());
        if (texto.isEmpty()) {
            QTest::keyClick(t, Qt::Key_F2);
            Borra();
        }
        for (const QChar c : texto)
            QTest::keyClicks(QApplication::focusWidget(), QString(c));
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
    QVariant Guardado(int fila, int columna) const
    {
        BaseDatos b;
        QSqlQuery q(b.Conexion());
        q.exec(QStringLiteral("SELECT * FROM Anual ORDER BY 1"));
        for (int i = 0; i <= fila; ++i)
            q.next();
        return q.value(columna + 1);
    }
    QStringList Textos() const
    {
        QStringList t;
        for (const auto& c : registro->cajas)
            t << c.texto;
        return t;
    }
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
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        QStandardPaths::setTestModeEnabled(true);
    }

    void init()
    {
        CambiaDirectorioPrograma(dir_.path());
        v = Variables{};
        v.NumIdioma = 1;
        v.SepDecimal = QStringLiteral(".");
        v.NAC(2) = 70;
        v.NI(2) = 90;
        v.NR(2) = 60;
        v.SI = 4;
        v.SR = 1;
        v.CAPA = 100;
        QCOMPARE(EjecutaModelo(v, {}).desenlace, Desenlace::Completado);
        nav = std::make_unique<Navegacion>();
        nav->Registra(Anual, Navegacion::Tipo::Suelta, [this] { return new frmAnual(v, *nav); });
        nav->Registra(Hidrico, Navegacion::Tipo::Suelta, [this] { return new frmHidrico(v, *nav); });
        nav->Registra(Eleccion, Navegacion::Tipo::Suelta, [] { return new QWidget; });
        registro = std::make_unique<apoyo::Registro>();
    }

    void cleanup()
    {
        for (const QString& n : {Hidrico, Anual, Eleccion})
            nav->Descarga(n);
        apoyo::Recoge();
        nav.reset();
        registro.reset();
        w = nullptr;
        QFile::remove(dir_.filePath(BaseDatos::NombreArchivo));
    }

    // A year left in the file is not offered again; computing at once stops
    // on January's precipitation.
    void abreVacia()
    {
        {
            BaseDatos b;
            QSqlQuery(b.Conexion()).exec(QStringLiteral("UPDATE Anual SET \"P mes\" = 5, \"P máx\" = 5, N = 1"));
        }
        Abre();
        QCOMPARE(w->windowTitle(), QStringLiteral("Datos Anuales"));
        for (int f = 0; f < 12; ++f)
            QVERIFY(Guardado(f, 0).isNull());
        QVERIFY(C<QAbstractButton>(QStringLiteral("opcEscorrentia(2)"))->isChecked());
        QVERIFY(!C<QWidget>(QStringLiteral("cmdHidricas"))->isEnabled());
        const QStringList cabecera{"", "P. Mes", "P. máx", "N", " PV1 ", "N1", " PV2 ", "N2", "   P5 ", "J"};
        for (int c = 0; c < cabecera.size(); ++c)
            QCOMPARE(Parcial(0, c), cabecera[c]);
        QCOMPARE(Parcial(12, 0), QStringLiteral("Diciembre"));
        // Each month name level with its data row.
        auto* meses = C<QTableWidget>(QStringLiteral("tblAnoMes"));
        QCOMPARE(meses->item(7, 0)->text(), QStringLiteral("Julio"));
        const QRect julio = Ano()->visualRect(Ano()->model()->index(6, 1));
        QCOMPARE(meses->viewport()->mapToGlobal(meses->visualItemRect(meses->item(7, 0)).center()).y(),
                 Ano()->viewport()->mapToGlobal(julio.center()).y());

        Pulsa(QStringLiteral("cmdCalcular"));
        QCOMPARE(Textos(), QStringList{QStringLiteral("Dato no válido")});
        QCOMPARE(Foco(), QStringLiteral("tblAno"));
        QCOMPARE(Ano()->currentIndex().row(), 0);
        QCOMPARE(Ano()->currentIndex().column(), 1);
    }

    void tecleo_data()
    {
        QTest::addColumn<int>("columna");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("mensaje"); // 0: accepted
        QTest::addColumn<QVariant>("guardado");
        QTest::addColumn<QString>("enEdicion"); // the editor's text when refused

        QTest::newRow("999.9") << 0 << "999.9" << 0 << QVariant(999.9) << "";
        QTest::newRow("1000") << 0 << "1000" << 1028 << QVariant() << "";
        QTest::newRow("-0.1 máx") << 1 << "-0.1" << 1028 << QVariant() << "";
        QTest::newRow("5000 máx") << 1 << "5000" << 0 << QVariant(5000) << "";
        QTest::newRow("31.4 días") << 2 << "31.4" << 0 << QVariant(31) << "";
        QTest::newRow("31.5 días") << 2 << "31.5" << 1029 << QVariant() << "";
        QTest::newRow("2.5 días") << 2 << "2.5" << 0 << QVariant(2) << "";
        QTest::newRow("70000 días") << 2 << "70000" << 1029 << QVariant() << "";
        QTest::newRow("coma") << 0 << "12,5" << 0 << QVariant(12.5) << "";
        QTest::newRow("letras") << 1 << "abc" << 1027 << QVariant() << "abc";
    }
    void tecleo()
    {
        QFETCH(int, columna);
        QFETCH(QString, texto);
        QFETCH(int, mensaje);
        QFETCH(QVariant, guardado);
        QFETCH(QString, enEdicion);
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
            QCOMPARE(Ano()->currentIndex().row(), 3);
            QCOMPARE(Ano()->currentIndex().column(), columna + 1);
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
        QTRY_COMPARE(Foco(), QStringLiteral("tblAno"));
        QVERIFY(Textos().isEmpty());
        Borra();
        C<QWidget>(QStringLiteral("opcEscorrentia(0)"))->setFocus(Qt::TabFocusReason);
        QCOMPARE(Foco(), QStringLiteral("opcEscorrentia(0)"));
        QVERIFY(Textos().isEmpty());
        QCOMPARE(Guardado(0, 0).toDouble(), 12.345);
        QCOMPARE(Ayuda(Ano(), 0, 1), QStringLiteral("12.345"));
    }

    void terna_data()
    {
        QTest::addColumn<Mes>("enero");
        QTest::addColumn<int>("mensaje");
        QTest::addColumn<int>("columna");
        QTest::newRow("seco") << Mes{"0", "0", "0"} << 0 << 0;
        QTest::newRow("5 0 2") << Mes{"5", "0", "2"} << 1031 << 2;
        QTest::newRow("0 0 1") << Mes{"0", "0", "1"} << 1031 << 2;
        QTest::newRow("12 12 1") << Mes{"12", "12", "1"} << 0 << 0;
        QTest::newRow("12 11 1") << Mes{"12", "11", "1"} << 1031 << 2;
        QTest::newRow("10 9.8 4") << Mes{"10", "9.8", "4"} << 1031 << 2;
        QTest::newRow("10 9.5 6") << Mes{"10", "9.5", "6"} << 0 << 0;
        QTest::newRow("50 10 4") << Mes{"50", "10", "4"} << 1031 << 2;
        QTest::newRow("50 60 4") << Mes{"50", "60", "4"} << 1030 << 1;
        QTest::newRow("10 5000 4") << Mes{"10", "5000", "4"} << 1030 << 1;
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
            QCOMPARE(Foco(), QStringLiteral("tblAno"));
            QCOMPARE(Ano()->currentIndex().row(), 0);
            QCOMPARE(Ano()->currentIndex().column(), columna + 1);
            QCOMPARE(Parcial(1, 1), QString());
        } else {
            QCOMPARE(Parcial(1, 1), enero[0] + (enero[0].contains('.') ? "" : ".0"));
        }
    }

    // The worked year: January 60, 30, 4, the other months dry.
    void anoTrabajado_data()
    {
        QTest::addColumn<int>("caso");
        QTest::addColumn<QStringList>("enero"); // columns 4..9
        QTest::addColumn<QString>("tipo");
        QTest::newRow("I") << 0 << QStringList{"10.0", "3.0", "0.0", "0.0", "5.0", "1"} << "I";
        QTest::newRow("II") << 1 << QStringList{"0.0", "0.0", "30.0", "1.0", "35.0", "3"} << "II";
        QTest::newRow("III") << 2 << QStringList{"10.0", "1.0", "20.0", "1.0", "20.0", "2"} << "III";
    }
    void anoTrabajado()
    {
        QFETCH(int, caso);
        QFETCH(QStringList, enero);
        QFETCH(QString, tipo);
        Abre();
        Secos(1);
        Mes_(1, {"60", "30", "4"});
        Pulsa(QStringLiteral("opcEscorrentia(%1)").arg(caso));
        Pulsa(QStringLiteral("cmdCalcular"));
        QVERIFY(Textos().isEmpty());
        for (int c = 0; c < 9; ++c)
            QCOMPARE(Parcial(1, c + 1), (QStringList{"60.0", "30.0", "4"} + enero)[c]);
        const QStringList seco{"0.0", "0.0", "0", "0.0", "0.0", "0.0", "0.0", "0.0", "1"};
        for (int c = 0; c < 9; ++c)
            QCOMPARE(Parcial(2, c + 1), seco[c]);
        QCOMPARE(C<QLabel>(QStringLiteral("lblTipo"))->text(), tipo);
        const QStringList cajas{"txtPrecip", "txtPmax", "txtNumDias"};
        const QStringList textos{"60.0", "30.0", "4"}, ayudas{"60.00", "30.00", "4.0"};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(C<QLineEdit>(cajas[i])->text(), textos[i]);
            QCOMPARE(C<QLineEdit>(cajas[i])->toolTip(), ayudas[i]);
        }

        // Twice: the availability is recomputed and shows the same year.
        QStringList antes;
        for (int vez = 0; vez < 2; ++vez) {
            Pulsa(QStringLiteral("cmdHidricas"));
            QWidget* h = nav->Ventana(Hidrico);
            QVERIFY(h && h->isVisible());
            auto* t = C<QTableWidget>(QStringLiteral("tblDispon"), h);
            QStringList ahora;
            auto* serie =
                qobject_cast<QBarSeries*>(C<QChartView>(QStringLiteral("grfDispon"), h)->chart()->series().value(0));
            QVERIFY(serie);
            QCOMPARE(serie->barSets().size(), 4);
            for (int c = 1; c <= 4; ++c) {
                const QBarSet* barras = serie->barSets()[c - 1];
                QCOMPARE(barras->label(), t->item(0, c)->text());
                QCOMPARE(barras->count(), 12);
                for (int m = 1; m <= 12; ++m) {
                    ahora << t->item(m, c)->text();
                    QCOMPARE(QString::number(barras->at(m - 1), 'f', 1), t->item(m, c)->text());
                }
                const auto* total = C<QLabel>(QStringLiteral("lblTotales(%1)").arg(c - 1), h);
                ahora << total->text() << total->toolTip();
                // Under its column.
                const QRect celda = t->visualItemRect(t->item(12, c));
                const int centro = t->viewport()->mapToGlobal(celda.center()).x();
                const QRect r(total->mapToGlobal(QPoint(0, 0)), total->size());
                QVERIFY2(r.left() <= centro && centro <= r.right(), qPrintable(total->objectName()));
            }
            ahora << C<QLabel>(QStringLiteral("lblCap"), h)->text()
                  << C<QLabel>(QStringLiteral("lblCap"), h)->toolTip();
            if (vez == 1)
                QCOMPARE(ahora, antes);
            antes = ahora;
            if (caso == 2) {
                const QStringList fila{"60.0", "59.4", "60.0", "126.8"};
                for (int c = 1; c <= 4; ++c) {
                    QCOMPARE(t->item(1, c)->text(), fila[c - 1]);
                    QCOMPARE(t->item(7, c)->text(), QStringLiteral("0.0"));
                    QCOMPARE(C<QLabel>(QStringLiteral("lblTotales(%1)").arg(c - 1), h)->text(), fila[c - 1]);
                }
                QCOMPARE(C<QLabel>(QStringLiteral("lblCap"), h)->text(), QStringLiteral("30.1"));
                QCOMPARE(C<QLabel>(QStringLiteral("lblCap"), h)->toolTip(), QStringLiteral("30.06"));
                QCOMPARE(Ayuda(t, 1, 2), QStringLiteral("59.42"));
                QCOMPARE(Ayuda(t, 1, 0), QString());
            }
            nav->Muestra(Anual);
        }
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
        for (int c = 1; c <= 9; ++c)
            QCOMPARE(Parcial(3, c), QString());
        QCOMPARE(Parcial(7, 1), QStringLiteral("90.0"));
        QCOMPARE(C<QLineEdit>(QStringLiteral("txtPrecip"))->text(), QString());
    }

    // Enter walks the cells and leaves the grid from December's days.
    void enter()
    {
        Abre();
        Celda(11, 1, QStringLiteral("5"));
        QCOMPARE(Ano()->currentIndex().column(), 3);
        QCOMPARE(Foco(), QStringLiteral("tblAno"));
        QTest::keyClick(Ano(), Qt::Key_Return);
        QVERIFY(Foco() != QStringLiteral("tblAno"));
        Celda(11, 2, QStringLiteral("3"));
        QVERIFY(Foco() != QStringLiteral("tblAno"));
        QCOMPARE(Guardado(11, 2).toInt(), 3);
    }

    // A year that no longer passes the check opens no availability.
    void hidricasTrasError()
    {
        Abre();
        Secos(1);
        Mes_(1, {"60", "30", "4"});
        Pulsa(QStringLiteral("cmdHidricas"));
        QVERIFY(!nav->Ventana(Hidrico));
        Pulsa(QStringLiteral("cmdCalcular"));
        Celda(0, 1, QStringLiteral("70"));
        Pulsa(QStringLiteral("cmdHidricas"));
        QCOMPARE(Textos(), QStringList{TextoCatalogo(1030)});
        QVERIFY(!nav->Ventana(Hidrico));
        QCOMPARE(Foco(), QStringLiteral("tblAno"));
    }

    void navegacion()
    {
        Abre();
        Secos(0);
        Pulsa(QStringLiteral("cmdHidricas"));
        QVERIFY(!nav->Ventana(Hidrico));
        Pulsa(QStringLiteral("cmdCalcular"));
        Pulsa(QStringLiteral("cmdHidricas"));
        QWidget* h = nav->Ventana(Hidrico);
        QVERIFY(h);
        Pulsa(QStringLiteral("cmdVolver"), h);
        apoyo::Recoge();
        QVERIFY(!nav->Ventana(Hidrico));
        QVERIFY(nav->Ventana(Anual)->isVisible());
        Pulsa(QStringLiteral("cmdHidricas"));
        Pulsa(QStringLiteral("cmdSigue"));
        apoyo::Recoge();
        QVERIFY(nav->Ventana(Eleccion));
        QVERIFY(!nav->Ventana(Anual));
        QVERIFY(!nav->Ventana(Hidrico));
    }

    // A file that is not a database: one message naming it, and the year
    // goes on in memory.
    void archivoInutil()
    {
        QFile f(dir_.filePath(BaseDatos::NombreArchivo));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("no es una base de datos");
        f.close();
        Abre();
        QCOMPARE(registro->cajas.size(), std::size_t{1});
        QVERIFY(registro->cajas[0].texto.contains(QDir::toNativeSeparators(f.fileName())));
        registro->cajas.clear();
        Secos(1);
        Mes_(1, {"60", "30", "4"});
        Pulsa(QStringLiteral("cmdCalcular"));
        QVERIFY(Textos().isEmpty());
        QCOMPARE(Parcial(1, 9), QStringLiteral("2"));
    }
};

QTEST_MAIN(TstFrmAnual)
#include "tst_frmanual.moc"
