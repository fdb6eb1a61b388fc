// The capacity check as the curve-number model opens it: the warning, the
// proposed capacity, the beeps, what a confirmation writes back, and a
// refused or abandoned check.
#include "ApoyoSitio.h"

#include "common/Catalogo.h"
#include "model/ModeloCN.h"
#include "site/frmCapacidad.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include <functional>

namespace {

// What the user met in the window.
struct Visto {
    bool abierto = false;
    QString titulo, informa, entrada, seleccion;
    bool focoEntrada = false;
    int pitidosAlCargar = 0;
    std::optional<ConfirmacionCapacidad> confirmada;
};

QLineEdit* Entrada(QWidget* d)
{
    return d->findChild<QLineEdit*>("txtEntrada");
}

// Runs the model on the worked example with capacity 5, answering the check
// with `responde` when it opens. Whatever is left open afterwards is closed,
// so a failed check never leaves the test waiting.
ResultadoModelo Ejecuta(apoyo::Sitio& sitio, apoyo::Registro& registro, Visto& visto,
                        const std::function<void(QDialog*)>& responde)
{
    Variables& v = sitio.v();
    v.NAC(2) = 70;
    v.NI(2) = 60;
    v.NR(2) = 80;
    v.SI = 10;
    v.SR = 2;
    v.CAPA = 5;
    // Dies with this call, so that a check that never opened cannot answer a later one.
    QTimer cuando;
    cuando.setSingleShot(true);
    QObject::connect(&cuando, &QTimer::timeout, [&] {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!d)
            return;
        // The offscreen platform leaves activating a new window to the program.
        d->activateWindow();
        if (!QTest::qWaitFor([d] { return QApplication::activeWindow() == d; }))
            qWarning("the capacity check is not the active window");
        visto = {true,
                 d->windowTitle(),
                 d->findChild<QLabel*>("lblInforma")->text(),
                 Entrada(d)->text(),
                 Entrada(d)->selectedText(),
                 Entrada(d)->hasFocus(),
                 registro.pitidos,
                 {}};
        responde(d);
        if (d->isVisible())
            d->close();
    });
    cuando.start(0);
    return EjecutaModelo(v, [&](SiteState&) { visto.confirmada = ComprobarCapacidad(v, sitio.area.get()); });
}

void Acepta(QDialog* d)
{
    QTest::mouseClick(d->findChild<QPushButton*>("cmdAceptar"), Qt::LeftButton);
}

} // namespace

class TstCapacidad : public QObject {
    Q_OBJECT

  private slots:
    void init() { apoyo::AislaAjustes(); }
    void cleanup() { apoyo::Recoge(); }

    void ejemploConCapacidad5_data()
    {
        QTest::addColumn<int>("idioma");
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<QString>("aviso");
        QTest::newRow("Spanish")
            << 1 << "Aviso"
            << "Capacidad mínima de embalse aconsejada para el área de recepción:25.2 litros.\r\n\r\n"
               "De lo contrario el área de recepción puede funcionar como área de impluvio y viceversa.";
        QTest::newRow("English") << 2 << "Warning"
                                 << "Minimum advisable reservoir capacity for the collecting area:25.2 litres.\r\n\r\n"
                                    "Otherwise the collecting area could work as contributing area and vice versa.";
    }
    void ejemploConCapacidad5()
    {
        QFETCH(int, idioma);
        QFETCH(QString, titulo);
        QFETCH(QString, aviso);
        apoyo::Sitio sitio(idioma);
        apoyo::Registro registro;
        Visto visto;
        const ResultadoModelo r = Ejecuta(sitio, registro, visto, Acepta);

        QVERIFY(visto.abierto);
        QCOMPARE(visto.titulo, titulo);
        QCOMPARE(visto.informa, aviso);
        QCOMPARE(visto.entrada, QString("5"));
        QCOMPARE(visto.seleccion, QString("5"));
        QVERIFY(visto.focoEntrada);
        QCOMPARE(visto.pitidosAlCargar, 1);

        // Confirmed, still below the minimum: the run goes on. Conditions I and
        // II fill with the collecting area alone; III searches upwards from
        // the contributing area's threshold.
        const Variables& v = sitio.v();
        QCOMPARE(r.desenlace, Desenlace::Completado);
        QCOMPARE(QString::number(v.P0US(1), 'f', 2), QString("50.97"));
        QCOMPARE(QString::number(v.P0US(2), 'f', 2), QString("26.61"));
        QVERIFY(v.P0US(3) > v.P0I(3));
    }

    void confirmar_data()
    {
        QTest::addColumn<QString>("tecleado");
        QTest::addColumn<bool>("aceptado");
        QTest::addColumn<double>("capa");
        QTest::addColumn<bool>("pitido");
        QTest::newRow("5 kept, below the minimum") << "5" << true << 5.0 << true;
        QTest::newRow("12.34 kept as typed") << "12.34" << true << 12.3 << true;
        QTest::newRow("0") << "0" << true << 0.0 << true;
        QTest::newRow("just below 10000") << "9999.9" << true << 9999.9 << false;
        QTest::newRow("rounds to 10000") << "9999.96" << false << 5.0 << false;
        QTest::newRow("letters") << "abc" << false << 5.0 << false;
        QTest::newRow("long text") << "12345678901234" << false << 5.0 << false;
        // Enter moves to the button and back; only a click confirms.
        QTest::newRow("Enter twice") << "30\n\n" << false << 5.0 << false;
    }
    void confirmar()
    {
        QFETCH(QString, tecleado);
        QFETCH(bool, aceptado);
        QFETCH(double, capa);
        QFETCH(bool, pitido);
        apoyo::Sitio sitio(1);
        apoyo::Registro registro;
        Visto visto;
        bool sigueAbierta = false, focoDeVuelta = false;
        QString seleccion;
        const ResultadoModelo r = Ejecuta(sitio, registro, visto, [&](QDialog* d) {
            if (tecleado.endsWith('\n')) {
                QTest::keyClicks(Entrada(d), tecleado.trimmed());
                QTest::keyClick(Entrada(d), Qt::Key_Return);
                if (QWidget* foco = QApplication::focusWidget())
                    QTest::keyClick(foco, Qt::Key_Return);
                tecleado = tecleado.trimmed();
            } else {
                QTest::keyClicks(Entrada(d), tecleado);
                Acepta(d);
            }
            sigueAbierta = d->isVisible();
            focoDeVuelta = Entrada(d)->hasFocus();
            seleccion = Entrada(d)->selectedText();
        });
        QVERIFY(visto.abierto);
        QVERIFY(registro.cajas.empty());
        const Variables& v = sitio.v();
        QCOMPARE(v.CAPA, capa);
        QCOMPARE(v.CapaConfirmada, aceptado);
        QCOMPARE(visto.confirmada.has_value(), aceptado);
        if (aceptado)
            QVERIFY(visto.confirmada->capa == capa && visto.confirmada->texto == tecleado);
        if (aceptado) {
            QVERIFY(!sigueAbierta);
            QCOMPARE(r.desenlace, Desenlace::Completado);
            QCOMPARE(r.pitido, pitido);
        } else {
            // Refused without a message: the typed value selected for retyping,
            // its first ten characters.
            QVERIFY(sigueAbierta);
            QVERIFY(focoDeVuelta);
            QCOMPARE(seleccion, tecleado.left(10));
            QCOMPARE(r.desenlace, Desenlace::Abandonado);
        }
    }
};

QTEST_MAIN(TstCapacidad)
#include "tst_capacidad.moc"
