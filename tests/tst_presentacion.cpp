// The presentation screen: the ways of leaving it, by its timer, by a click
// or a key, or closed.
#include "Apoyo.h"

namespace {

const QString Pantalla = QStringLiteral("frmPresentacion");

} // namespace

class TstPresentacion : public QObject {
    Q_OBJECT

  private slots:
    void init() { apoyo::AislaAjustes(); }

    void cleanup() { apoyo::Recoge(); }

    // Whatever way the presentation goes, the main window follows it: its
    // timer running out, a click on the surface or on some of its controls,
    // Enter, Escape, Space, or closing it. A click elsewhere or a letter
    // leaves it up, its timer still running.
    void salidas_data()
    {
        QTest::addColumn<QString>("control"); // clicked; empty: the key, or
        QTest::addColumn<int>("tecla");       // 0: closed from outside, -1: the timer
        QTest::addColumn<bool>("cierra");
        QTest::newRow("30 seconds") << QString() << -1 << true;
        QTest::newRow("surface") << Pantalla << 0 << true;
        for (const char* n : {"Image1", "Label1", "lblAutor(0)", "lblAutor(1)", "lblAutor(2)"})
            QTest::newRow(n) << QString::fromUtf8(n) << 0 << true;
        for (const char* n : {"Label5", "Image2", "Image4", "Label2", "Label9", "Label10", "lblEncabezado"})
            QTest::newRow(n) << QString::fromUtf8(n) << 0 << false;
        QTest::newRow("closed") << QString() << 0 << true;
        QTest::newRow("Enter") << QString() << int(Qt::Key_Return) << true;
        QTest::newRow("Escape") << QString() << int(Qt::Key_Escape) << true;
        QTest::newRow("Space") << QString() << int(Qt::Key_Space) << true;
        QTest::newRow("a letter") << QString() << int(Qt::Key_A) << false;
    }
    void salidas()
    {
        QFETCH(QString, control);
        QFETCH(int, tecla);
        QFETCH(bool, cierra);
        auto s = Arrancar();
        QPointer<QWidget> w = s->nav.Ventana(Pantalla);
        auto* reloj = w->findChild<QTimer*>(QStringLiteral("Timer1"));
        QVERIFY(reloj && reloj->isActive());
        if (!control.isEmpty()) {
            QWidget* c = control == Pantalla ? w.data() : w->findChild<QWidget*>(control);
            // A point of the control that no other control covers: Label1 lies
            // over most of Label5, and the window's surface is bare at its foot.
            QPoint donde = c == w ? QPoint(300, 404) : c->rect().center();
            if (control == QStringLiteral("Label5"))
                donde.setY(1);
            QTest::mouseClick(c, Qt::LeftButton, {}, donde);
        } else if (tecla > 0) {
            QTest::keyClick(w, static_cast<Qt::Key>(tecla));
        } else if (tecla < 0) {
            apoyo::Dispara(reloj);
        } else {
            w->close();
        }
        apoyo::Recoge();
        QCOMPARE(w.isNull(), cierra);
        QWidget* principal = s->nav.Ventana(QStringLiteral("frmContenedor"));
        QCOMPARE(principal && principal->isVisible(), cierra);
        QVERIFY(cierra || reloj->isActive());
    }
};

QTEST_MAIN(TstPresentacion)
#include "tst_presentacion.moc"
