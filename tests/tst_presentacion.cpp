// The presentation screen: its texts in both languages, its 30-second timer,
// the places a click closes it and the other ways of leaving it.
#include "Apoyo.h"

#include "app/Arranque.h"

#include <QFrame>
#include <QLabel>
#include <QtTest>

namespace {

const QString Pantalla = QStringLiteral("frmPresentacion");

QString Texto(QWidget* w, const char* nombre)
{
    auto* l = w->findChild<QLabel*>(QString::fromUtf8(nombre));
    return l ? l->text() : QStringLiteral("<missing %1>").arg(QString::fromUtf8(nombre));
}

bool Visible(QWidget* w, const char* nombre)
{
    return w->findChild<QFrame*>(QString::fromUtf8(nombre))->isVisible();
}

} // namespace

class TstPresentacion : public QObject {
    Q_OBJECT

  private slots:
    void init() { apoyo::AislaAjustes(); }

    void cleanup() { apoyo::Recoge(); }

    void textos_data()
    {
        QTest::addColumn<QString>("guardado");
        QTest::addColumn<bool>("espanol");
        QTest::addColumn<QStringList>("esperados"); // Label3, Label9, lblEncabezado
        QTest::newRow("nothing stored") << QString() << false
                                        << QStringList{"Version 2.0", "English version by the HIDRELA project",
                                                       "Collaboration agreement\n HIDRELA"};
        QTest::newRow("Spanish") << "Español" << true
                                 << QStringList{"Versión 2.0", " ", "Convenio de colaboración\n HIDRELA"};
    }
    // Shown before the main window, in the language of the run; the two
    // upper lines only in Spanish.
    void textos()
    {
        QFETCH(QString, guardado);
        QFETCH(bool, espanol);
        QFETCH(QStringList, esperados);
        apoyo::FijaIdioma(guardado);
        auto s = Arrancar();
        QWidget* w = s->nav.Ventana(Pantalla);
        QVERIFY(w && w->isVisible());
        QVERIFY(!s->nav.Ventana(QStringLiteral("frmContenedor")));
        QCOMPARE(Visible(w, "Line1"), espanol);
        QCOMPARE(Visible(w, "Line2"), espanol);
        QVERIFY(Visible(w, "Line3"));
        QCOMPARE((QStringList{Texto(w, "Label3"), Texto(w, "Label9"), Texto(w, "lblEncabezado")}), esperados);
        for (const char* n : {"Label1", "Label5"})
            QCOMPARE(Texto(w, n), QStringLiteral("HIDRELA"));
        for (const char* n : {"Label2", "Label8", "Label10", "lblAutor(0)", "lblAutor(1)", "lblAutor(2)"})
            QVERIFY2(!Texto(w, n).trimmed().isEmpty(), n);
        QVERIFY(Texto(w, "Label2") != Texto(w, "Label8"));
        // The darker copy of the title sits 30 twips right and 45 twips above,
        // so the title stands in relief; the border frames the whole screen.
        QCOMPARE(w->findChild<QLabel*>(QStringLiteral("Label5"))->pos() -
                     w->findChild<QLabel*>(QStringLiteral("Label1"))->pos(),
                 QPoint(2, -3));
        QCOMPARE(w->findChild<QFrame*>(QStringLiteral("figBorde"))->geometry(), w->rect());
        for (const char* n : {"Image1", "Image2", "Image3", "Image4"})
            QVERIFY2(!w->findChild<QLabel*>(QString::fromUtf8(n))->pixmap().isNull(), n);
    }

    void temporizador()
    {
        auto s = Arrancar();
        QPointer<QWidget> w = s->nav.Ventana(Pantalla);
        auto* t = w->findChild<QTimer*>(QStringLiteral("Timer1"));
        QVERIFY(t && t->isActive() && t->isSingleShot());
        QCOMPARE(t->interval(), 30000);
        apoyo::Dispara(t);
        apoyo::Recoge();
        QVERIFY(w.isNull());
        QWidget* principal = s->nav.Ventana(QStringLiteral("frmContenedor"));
        QVERIFY(principal && principal->isVisible());
        QVERIFY(s->nav.Ventana(QStringLiteral("frmEscorrentía")));
    }

    void clics_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("cierra");
        QTest::newRow("surface") << Pantalla << true;
        for (const char* n : {"Image1", "Label1", "lblAutor(0)", "lblAutor(1)", "lblAutor(2)"})
            QTest::newRow(n) << QString::fromUtf8(n) << true;
        for (const char* n : {"Label5", "Image2", "Image4", "Label2", "Label9", "Label10", "lblEncabezado"})
            QTest::newRow(n) << QString::fromUtf8(n) << false;
    }
    void clics()
    {
        QFETCH(QString, control);
        QFETCH(bool, cierra);
        auto s = Arrancar();
        QPointer<QWidget> w = s->nav.Ventana(Pantalla);
        QWidget* c = control == Pantalla ? w.data() : w->findChild<QWidget*>(control);
        QVERIFY(c);
        // A point of the control that no other control covers: Label1 lies
        // over most of Label5, and the window's surface is bare at its foot.
        QPoint donde = c->rect().center();
        if (control == QStringLiteral("Label5"))
            donde.setY(1);
        if (c == w)
            donde = QPoint(300, 404);
        QTest::mouseClick(c, Qt::LeftButton, {}, donde);
        apoyo::Recoge();
        QCOMPARE(w.isNull(), cierra);
        QCOMPARE(s->nav.Ventana(QStringLiteral("frmContenedor")) != nullptr, cierra);
        if (!cierra)
            QVERIFY(w->findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
    }

    // Whatever way the presentation goes, the main window follows it.
    void otrasSalidas_data()
    {
        QTest::addColumn<int>("tecla"); // 0: closed from outside
        QTest::addColumn<bool>("cierra");
        QTest::newRow("closed") << 0 << true;
        QTest::newRow("Enter") << int(Qt::Key_Return) << true;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << true;
        QTest::newRow("Space") << int(Qt::Key_Space) << true;
        QTest::newRow("a letter") << int(Qt::Key_A) << false;
    }
    void otrasSalidas()
    {
        QFETCH(int, tecla);
        QFETCH(bool, cierra);
        auto s = Arrancar();
        QPointer<QWidget> w = s->nav.Ventana(Pantalla);
        if (tecla)
            QTest::keyClick(w, static_cast<Qt::Key>(tecla));
        else
            w->close();
        apoyo::Recoge();
        QCOMPARE(w.isNull(), cierra);
        QWidget* principal = s->nav.Ventana(QStringLiteral("frmContenedor"));
        QCOMPARE(principal && principal->isVisible(), cierra);
    }
};

QTEST_MAIN(TstPresentacion)
#include "tst_presentacion.moc"
