// The scenario choice, the single storm window and its summary, driven as a
// forester would from the site results onwards.
#include "ApoyoTormentas.h"

using namespace apoyo;

namespace {

const QString Eleccion = QStringLiteral("frmEleccion");
const QString Aguacero = QStringLiteral("frmPrecipitacion");
const QString Resumen = QStringLiteral("frmResumen");

struct Eleccion_ {
    bool antes;
    QString boton;
    bool despues;
    QString abierta;
};

QWidget* AbreAguacero(Sesion& s)
{
    return AbreDesdeEleccion(s, QStringLiteral("cmdAguacero"), Aguacero);
}

} // namespace

class TstAguacero : public QObject {
    Q_OBJECT

    std::unique_ptr<Sesion> s;

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
        QTest::newRow("single storm after a series") << Eleccion_{true, "cmdAguacero", false, Aguacero};
        QTest::newRow("series") << Eleccion_{false, "cmdSerie", true, "frmSerie"};
        QTest::newRow("year leaves the scenario") << Eleccion_{true, "cmdAnual", true, "frmAnual"};
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
        QTest::newRow("0") << Intento{"0", "2", "cmdCalcular", true, "txtPrecip"};
        QTest::newRow("1000, summary") << Intento{"1000", "2", "cmdResumen", true, "txtPrecip"};
        QTest::newRow("0.1") << Intento{"0.1", "1", "cmdCalcular", false, "cmdCalcular"};
        QTest::newRow("999.9") << Intento{"999.9", "3", "cmdCalcular", false, "cmdCalcular"};
        QTest::newRow("letters only") << Intento{"abc", "2", "cmdResumen", false, "txtPrecip"};
        QTest::newRow("no condition") << Intento{"50", "", "cmdResumen", false, "lstHumedad"};
    }
    void validacion()
    {
        QFETCH(Intento, caso);
        QWidget* w = AbreAguacero(*s);
        Intenta(w, caso);
        QCOMPARE(Texto(w, "txtResultado(0)").isEmpty(), caso.foco != "cmdCalcular");
        QVERIFY(!s->nav.Ventana(Resumen));
        QCOMPARE(s->v.PAguacero, 0.0);
    }

    // 50 mm in condition II on the example site, with and without overflow;
    // each box keeps the full value, to two decimals, as tooltip and tag.
    void resultados_data()
    {
        QTest::addColumn<double>("capa");
        QTest::addColumn<QString>("textos");
        QTest::addColumn<QString>("ayuda1");
        QTest::newRow("no overflow") << 100.0 << "44.2 158.4 50.0 22.9 158.4 91.7 91.7 250.0 200.0"
                                     << "158.43";
        QTest::newRow("overflow") << 10.0 << "44.2 76.8 33.7 22.9 158.4 91.7 91.7 250.0 200.0"
                                  << "76.78";
    }
    void resultados()
    {
        QFETCH(double, capa);
        QFETCH(QString, textos);
        QFETCH(QString, ayuda1);
        Sitio(s->v, capa);
        QWidget* w = AbreAguacero(*s);
        Rellena(w, "50", "2");
        Pulsa(w, "cmdCalcular");
        QCOMPARE(Resultados(w, 9), textos.split(' '));
        QCOMPARE(Ayuda(w, "txtResultado(1)"), ayuda1);
        for (int i = 0; i < 9; ++i) {
            const QString caja = QStringLiteral("txtResultado(%1)").arg(i);
            QCOMPARE(Tag(Control(w, caja)), Ayuda(w, caja));
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
    // is closed, and closing it returns to the storm window. Back at the
    // choice and in again, the storm window is blank and centred.
    void resumenYVuelta()
    {
        QWidget* w = AbreAguacero(*s);
        Rellena(w, "25", "3");
        Pulsa(w, "cmdResumen");
        QWidget* r = s->nav.Ventana(Resumen);
        QVERIFY(r);
        QCOMPARE(Texto(r, "txtPrecip"), QString("25.0"));
        QCOMPARE(Ayuda(r, "txtPrecip"), QString("25.00"));
        QCOMPARE(Texto(r, "txtHumedad"), QString("3"));
        QCOMPARE(Texto(r, "txtDisp(0)"), QString("25.0"));
        QVERIFY(Control(r, "mrcAislado")->isVisible() && !Control(r, "mrcSerie")->isVisible());
        QVERIFY(Control(r, "txtCapa")->isVisible());

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

        Pulsa(s->nav.Ventana(Resumen), "Command1");
        Pulsa(w, "cmdSeguir");
        QVERIFY(!s->nav.Ventana(Aguacero) && s->nav.Ventana(Eleccion));
        w = AbreAguacero(*s);
        QCOMPARE(s->v.CondHumedad, 0);
        QCOMPARE(Control<QComboBox>(w, "lstHumedad")->currentIndex(), -1);
        QCOMPARE(Texto(w, "txtPrecip"), QString());
        QMdiSubWindow* marco = s->nav.Marco(Aguacero);
        const QSize libre = marco->mdiArea()->viewport()->size() - marco->size();
        QCOMPARE(marco->pos(), QPoint(std::max(0, libre.width() / 2), std::max(0, libre.height() / 2)));
    }
};

QTEST_MAIN(TstAguacero)
#include "tst_aguacero.moc"
