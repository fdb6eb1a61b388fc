// The scenario choice, the single storm window and its summary, driven as a
// forester would from the site results onwards. The storm's figures are the
// storm balance's own tests.
#include "ApoyoTormentas.h"

using namespace apoyo;

namespace {

const QString Eleccion = QStringLiteral("frmEleccion");
const QString VentanaAguacero = QStringLiteral("frmPrecipitacion");
const QString Resumen = QStringLiteral("frmResumen");

// EsSerie before and after the button; the window it opens.
struct Eleccion_ {
    bool antes, despues;
    QString boton, abierta;
};

} // namespace

class TstAguacero : public QObject {
    Q_OBJECT

    std::unique_ptr<Sesion> s;
    QWidget* AbreAguacero() { return AbreDesdeEleccion(*s, QStringLiteral("cmdAguacero"), VentanaAguacero); }

  private slots:
    void init() { s = AbrePrograma(); }
    void cleanup()
    {
        s.reset();
        Recoge();
    }

    void eleccion_data()
    {
        QTest::addColumn<Eleccion_>("caso");
        QTest::newRow("single storm after a series") << Eleccion_{true, false, "cmdAguacero", VentanaAguacero};
        QTest::newRow("year leaves the scenario") << Eleccion_{true, true, "cmdAnual", "frmAnual"};
    }
    void eleccion()
    {
        QFETCH(Eleccion_, caso);
        s->v.EsSerie = caso.antes;
        Pulsa(s->nav.Muestra(Eleccion), caso.boton);
        QCOMPARE(s->v.EsSerie, caso.despues);
        // The two replace each other; with nothing to go on to, the choice stays.
        QCOMPARE(!s->nav.Ventana(Eleccion), s->nav.Ventana(caso.abierta) != nullptr);
    }

    // Bounds of the depth and the missing condition: refused before any result.
    void validacion_data()
    {
        QTest::addColumn<Intento>("caso");
        QTest::newRow("0") << Intento{"0", "2", "cmdCalcular", FueraDeRango, "txtPrecip"};
        QTest::newRow("1000, summary") << Intento{"1000", "2", "cmdResumen", FueraDeRango, "txtPrecip"};
        QTest::newRow("0.1") << Intento{"0.1", "1", "Enter:cmdCalcular", "", "cmdCalcular"};
        QTest::newRow("letters only") << Intento{"abc", "2", "cmdResumen",
                                                 "Precipitation (mm): \"abc\" is not a numerical value.", "txtPrecip"};
        QTest::newRow("no condition") << Intento{"50", "", "cmdResumen", "", "lstHumedad"};
    }
    void validacion()
    {
        QFETCH(Intento, caso);
        QWidget* w = AbreAguacero();
        Intenta(w, caso);
        QCOMPARE(Texto(w, "txtResultado(0)").isEmpty(), caso.foco != "cmdCalcular");
        QVERIFY(!s->nav.Ventana(Resumen) && s->v.PAguacero == 0.0);
    }

    // 50 mm in condition II on the example site with a reservoir that
    // overflows: each box shows one decimal and keeps the full value, to two
    // decimals, as tooltip and tag. Ctrl+C puts the results on the clipboard
    // as caption<TAB>value lines under their group's title, from a button or
    // a result box with nothing selected; a box's selection copies itself.
    void resultados_data()
    {
        QTest::addColumn<QString>("foco");
        QTest::addColumn<bool>("elige");
        QTest::addColumn<QString>("inicio");
        const QString todo = "Results\nAvailable precipitation without systematization (l/m²)\t44.2\n"
                             "Available precipitation in the systematized small plateau (l/m²)\t76.8\n";
        QTest::newRow("button") << "cmdCalcular" << false << todo;
        QTest::newRow("box") << "txtResultado(1)" << false << todo;
        QTest::newRow("selection") << "txtResultado(1)" << true << "76.8";
    }
    void resultados()
    {
        QFETCH(QString, foco);
        QFETCH(bool, elige);
        QFETCH(QString, inicio);
        Sitio(s->v, 10);
        QWidget* w = AbreAguacero();
        Rellena(w, "50", "2");
        Pulsa(w, "cmdCalcular");
        QCOMPARE(Resultados(w, 9), QString("44.2 76.8 33.7 22.9 158.4 91.7 91.7 250.0 200.0").split(' '));
        QCOMPARE(Ayuda(w, "txtResultado(1)"), QString("76.78"));
        // A result box is read-only and coloured so.
        const QPalette p = Control<QLineEdit>(w, "txtResultado(1)")->palette();
        QVERIFY(Control<QLineEdit>(w, "txtResultado(1)")->isReadOnly());
        QCOMPARE(p.color(QPalette::Base), p.color(QPalette::Window));
        for (int i = 0; i < 9; ++i) {
            const QString caja = QStringLiteral("txtResultado(%1)").arg(i);
            QCOMPARE(Tag(Control(w, caja)), Ayuda(w, caja));
        }
        auto* f = Control(w, foco);
        f->setFocus();
        if (elige)
            Control<QLineEdit>(w, foco)->selectAll();
        QApplication::clipboard()->clear();
        QTest::keyClick(f, Qt::Key_C, Qt::ControlModifier);
        const QString copia = QApplication::clipboard()->text();
        QVERIFY2(copia.startsWith(inicio), qPrintable(copia));
        QCOMPARE(copia.count('\n'), elige ? 0 : 10);
    }

    void letrasGuardanLaUltimaPrecipitacion()
    {
        QWidget* w = AbreAguacero();
        auto* txt = Control<QLineEdit>(w, "txtPrecip");
        Rellena(w, "40", "2");
        // On entry the depth shows in full, selected, and the tooltip goes.
        txt->setFocus();
        QVERIFY(txt->selectedText() == "40" && txt->toolTip().isEmpty());
        QTest::keyClicks(txt, "abc");
        Pulsa(w, "cmdCalcular");
        QCOMPARE(txt->text() + ' ' + Texto(w, "txtResultado(8)"), QString("abc 160.0")); // SI × 40
    }

    // The summary of a single storm, condition III shown as 3; open, it keeps
    // its figures until it is closed, and closing it returns to the storm
    // window. Back at the choice and in again, the storm window is blank and
    // centred in the main window.
    void resumenYVuelta()
    {
        QWidget* w = AbreAguacero();
        Rellena(w, "25", "3");
        Pulsa(w, "cmdResumen");
        QWidget* r = s->nav.Ventana(Resumen);
        QStringList cajas;
        for (const char* c :
             {"txtPrecip", "txtHumedad", "txtDisp(0)", "txtDisp(1)", "txtDisp(2)", "txtDisp(3)", "txtCapa"})
            cajas << Texto(r, c) << Ayuda(r, c);
        QCOMPARE(cajas.join(' '), QString("25.0 25.00 3  25.0 25.00 21.2 21.16 25.0 25.00 83.4 83.40 48.6 48.62"));
        QVERIFY(Control(r, "mrcAislado")->isVisible() && !Control(r, "mrcSerie")->isVisible());

        s->nav.Muestra(VentanaAguacero); // the user brings the storm window forward
        Rellena(w, "30", "");
        Pulsa(w, "cmdResumen");
        QVERIFY(s->nav.Ventana(Resumen) == r && AlFrente(*s) == Resumen && Texto(r, "txtPrecip") == "25.0");

        Pulsa(r, "Enter:Command1");
        QVERIFY(!s->nav.Ventana(Resumen) && AlFrente(*s) == VentanaAguacero);
        Pulsa(w, "cmdResumen");
        QCOMPARE(Texto(s->nav.Ventana(Resumen), "txtPrecip"), QString("30.0"));

        Pulsa(s->nav.Ventana(Resumen), "Command1");
        Pulsa(w, "cmdSeguir");
        QVERIFY(!s->nav.Ventana(VentanaAguacero) && s->nav.Ventana(Eleccion));
        w = AbreAguacero();
        // Opened again, the window shows the storm the work keeps, computed.
        QCOMPARE(s->v.CondHumedad, 3);
        QCOMPARE(Control<QComboBox>(w, "lstHumedad")->currentIndex(), 2);
        QCOMPARE(Texto(w, "txtPrecip"), QString("30")); // the field has the focus
        const QMdiSubWindow* marco = s->nav.Marco(VentanaAguacero);
        const QPoint desvio = marco->geometry().center() - marco->mdiArea()->viewport()->rect().center();
        QVERIFY2(desvio.manhattanLength() <= 2, "not centred");
    }
};

QTEST_MAIN(TstAguacero)
#include "tst_aguacero.moc"
