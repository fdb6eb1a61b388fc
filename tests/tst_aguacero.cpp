// The scenario choice, the single storm window and its summary, driven as a
// forester would from the site results onwards.
#include "ApoyoTormentas.h"

using namespace apoyo;

namespace {

const QString Eleccion = QStringLiteral("frmEleccion");
const QString Aguacero = QStringLiteral("frmPrecipitacion");
const QString Resumen = QStringLiteral("frmResumen");

QWidget* AbreAguacero(Sesion& s)
{
    Pulsa(s.nav.Muestra(Eleccion), QStringLiteral("cmdAguacero"));
    return s.nav.Ventana(Aguacero);
}

} // namespace

class TstAguacero : public QObject {
    Q_OBJECT

    std::unique_ptr<Sesion> s;

  private slots:
    void init()
    {
        AislaAjustes();
        s = AbrePrograma();
    }
    void cleanup()
    {
        s.reset();
        Recoge();
    }

    void eleccion_data()
    {
        QTest::addColumn<bool>("antes");
        QTest::addColumn<QString>("boton");
        QTest::addColumn<bool>("despues");
        QTest::addColumn<QString>("abierta");
        QTest::newRow("single storm after a series") << true << "cmdAguacero" << false << Aguacero;
        QTest::newRow("series") << false << "cmdSerie" << true << "frmSerie";
        QTest::newRow("year leaves the scenario") << true << "cmdAnual" << true << "frmAnual";
    }
    void eleccion()
    {
        QFETCH(bool, antes);
        QFETCH(QString, boton);
        QFETCH(bool, despues);
        QFETCH(QString, abierta);
        s->v.EsSerie = antes;
        QWidget* w = s->nav.Muestra(Eleccion);
        QCOMPARE(w->windowTitle(), QString("Choose an option"));
        Pulsa(w, boton);
        QCOMPARE(s->v.EsSerie, despues);
        // The two replace each other; with nothing to go on to, the choice stays.
        QCOMPARE(!s->nav.Ventana(Eleccion), s->nav.Ventana(abierta) != nullptr);
    }

    void validacion_data()
    {
        QTest::addColumn<QString>("P");
        QTest::addColumn<QString>("cond");
        QTest::addColumn<QString>("boton");
        QTest::addColumn<bool>("mensaje");
        QTest::addColumn<QString>("foco");
        QTest::newRow("0") << "0"
                           << "2"
                           << "cmdCalcular" << true << "txtPrecip";
        QTest::newRow("1000, summary") << "1000"
                                       << "2"
                                       << "cmdResumen" << true << "txtPrecip";
        QTest::newRow("0.1") << "0.1"
                             << "1"
                             << "cmdCalcular" << false << "cmdCalcular";
        QTest::newRow("999.9") << "999.9"
                               << "3"
                               << "cmdCalcular" << false << "cmdCalcular";
        QTest::newRow("letters only") << "abc"
                                      << "2"
                                      << "cmdResumen" << false << "txtPrecip";
        QTest::newRow("no condition") << "50"
                                      << ""
                                      << "cmdResumen" << false << "lstHumedad";
    }
    void validacion()
    {
        QFETCH(QString, P);
        QFETCH(QString, cond);
        QFETCH(QString, boton);
        QFETCH(bool, mensaje);
        QFETCH(QString, foco);
        Registro r;
        QWidget* w = AbreAguacero(*s);
        Rellena(w, P, cond);
        Pulsa(w, boton);
        QCOMPARE(r.cajas.size(), std::size_t(mensaje ? 1 : 0));
        if (mensaje) {
            QCOMPARE(r.cajas[0].texto, QString("Value must be >0 and <1000"));
            QCOMPARE(r.cajas[0].titulo, QString("HIDRELA"));
            QVERIFY(r.cajas[0].icono == Icono::Ninguno);
        }
        QCOMPARE(Foco(), foco);
        QCOMPARE(Texto(w, "txtResultado(0)").isEmpty(), foco != "cmdCalcular");
        QVERIFY(!s->nav.Ventana(Resumen));
        QCOMPARE(s->v.PAguacero, 0.0);
    }

    // The examples of the balance on the example site, 50 mm in condition II.
    void resultados_data()
    {
        QTest::addColumn<double>("capa");
        QTest::addColumn<QStringList>("textos");
        QTest::addColumn<QStringList>("ayudas");
        QTest::newRow("no overflow") << 100.0 << QStringList{"44.2", "158.4", "50.0",  "22.9", "158.4",
                                                             "91.7", "91.7",  "250.0", "200.0"}
                                     << QStringList{"44.19", "158.43", "50.00",  "22.89", "158.43",
                                                    "91.65", "91.65",  "250.00", "200.00"};
        QTest::newRow("overflow") << 10.0 << QStringList{"44.2", "76.8", "33.7",  "22.9", "158.4",
                                                         "91.7", "91.7", "250.0", "200.0"}
                                  << QStringList{"44.19", "76.78", "33.67",  "22.89", "158.43",
                                                 "91.65", "91.65", "250.00", "200.00"};
    }
    void resultados()
    {
        QFETCH(double, capa);
        QFETCH(QStringList, textos);
        QFETCH(QStringList, ayudas);
        Sitio(s->v, capa);
        QWidget* w = AbreAguacero(*s);
        Rellena(w, "50", "2");
        Pulsa(w, "cmdCalcular");
        for (int i = 0; i < 9; ++i) {
            const QString caja = QStringLiteral("txtResultado(%1)").arg(i);
            QCOMPARE(Texto(w, caja), textos[i]);
            QCOMPARE(Ayuda(w, caja), ayudas[i]);
            QCOMPARE(Tag(Control(w, caja)), ayudas[i]);
        }
    }

    void letrasGuardanLaUltimaPrecipitacion()
    {
        QWidget* w = AbreAguacero(*s);
        auto* txt = Control<QLineEdit>(w, "txtPrecip");
        Rellena(w, "40", "2");
        QCOMPARE(txt->toolTip(), QString("40"));
        // On entry the depth shows in full, selected, and the tooltip goes.
        txt->setFocus();
        QCOMPARE(txt->selectedText(), QString("40"));
        QCOMPARE(txt->toolTip(), QString());
        QTest::keyClicks(txt, "abc");
        Pulsa(w, "cmdCalcular");
        QCOMPARE(txt->text(), QString("abc"));
        QCOMPARE(Texto(w, "txtResultado(8)"), QString("160.0")); // SI × 40
    }

    // Condition III is shown as 3; a summary open keeps its figures until it
    // is closed, and closing it returns to the storm window.
    void resumen()
    {
        QWidget* w = AbreAguacero(*s);
        Rellena(w, "25", "3");
        Pulsa(w, "cmdResumen");
        QWidget* r = s->nav.Ventana(Resumen);
        QVERIFY(r);
        QCOMPARE(Texto(r, "txtPrecip"), QString("25.0"));
        QCOMPARE(Ayuda(r, "txtPrecip"), QString("25.00"));
        QCOMPARE(Texto(r, "txtHumedad"), QString("3"));
        QCOMPARE(Ayuda(r, "txtHumedad"), QString());
        QCOMPARE(Texto(r, "txtDisp(0)"), QString("25.0"));
        QVERIFY(Control(r, "mrcAislado")->isVisible());
        QVERIFY(!Control(r, "mrcSerie")->isVisible());
        QVERIFY(Control(r, "Frame3")->isVisible() && Control(r, "txtCapa")->isVisible());

        s->nav.Muestra(Aguacero); // the user brings the storm window forward
        Rellena(w, "30", "");
        Pulsa(w, "cmdResumen");
        QCOMPARE(s->nav.Ventana(Resumen), r);
        QCOMPARE(AlFrente(*s), Resumen);
        QCOMPARE(Texto(r, "txtPrecip"), QString("25.0"));

        Pulsa(r, "Command1");
        QVERIFY(!s->nav.Ventana(Resumen));
        QCOMPARE(AlFrente(*s), Aguacero);
        Pulsa(w, "cmdResumen");
        QCOMPARE(Texto(s->nav.Ventana(Resumen), "txtPrecip"), QString("30.0"));
    }

    void anteriorEmpiezaDeNuevo()
    {
        QWidget* w = AbreAguacero(*s);
        Rellena(w, "50", "2");
        Pulsa(w, "cmdCalcular");
        Pulsa(w, "cmdSeguir");
        QVERIFY(!s->nav.Ventana(Aguacero));
        QVERIFY(s->nav.Ventana(Eleccion));
        w = AbreAguacero(*s);
        QCOMPARE(s->v.CondHumedad, 0);
        QCOMPARE(Control<QComboBox>(w, "lstHumedad")->currentIndex(), -1);
        QCOMPARE(Texto(w, "txtPrecip"), QString());
        // Centred in the main window's area.
        QMdiSubWindow* marco = s->nav.Marco(Aguacero);
        const QSize libre = marco->mdiArea()->viewport()->size() - marco->size();
        QCOMPARE(marco->pos(), QPoint(std::max(0, libre.width() / 2), std::max(0, libre.height() / 2)));
    }
};

QTEST_MAIN(TstAguacero)
#include "tst_aguacero.moc"
