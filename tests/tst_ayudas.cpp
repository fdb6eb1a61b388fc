// The sketch window and the help on areas and on capacity: their texts and
// pictures in both languages, their place at the top right of the main
// window, and the rule that at most one of the three is open, while the
// methods browser stays open beside them.
#include "ApoyoAyuda.h"

#include "help/frmEsquema.h"

#include <QScrollArea>
#include <QScrollBar>

namespace {

const QString Esquema = QStringLiteral("frmEsquema");
const QString Area = QStringLiteral("frmAyudaArea");
const QString Capa = QStringLiteral("frmAyudaCapa");
const QString Metodos = QStringLiteral("frmMetodos");

// The help windows that are loaded.
QStringList Cargadas(Sesion& s)
{
    QStringList cargadas;
    for (const QString& n : {Esquema, Area, Capa})
        if (s.nav.Ventana(n))
            cargadas << n;
    return cargadas;
}

} // namespace

class TstAyudas : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void init() { apoyo::Prepara(dir_); }

    void cleanup() { apoyo::Recoge(); }

    // Each picture at its stated size (width 0: not fixed; height 0: follows the width).
    void ventanas_data()
    {
        QTest::addColumn<int>("idioma");
        QTest::addColumn<QString>("ventana");
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<QString>("rotulo"); // name=text of one label, or nothing
        QTest::addColumn<QList<int>>("ids"); // Image1, Image2...
        QTest::addColumn<QList<QSize>>("tamanos");
        const QList<int> area{201, 202};
        const QList<QSize> tamanos{QSize(405, 282), QSize(241, 0)};
        QTest::newRow("areas, Spanish") << 1 << Area << "Ayuda"
                                        << "Label1=Área de impluvio" << area << tamanos;
        QTest::newRow("areas, English") << 2 << Area << "Help" << QString() << area << tamanos;
        QTest::newRow("capacity, Spanish") << 1 << Capa << "Ayuda" << QString() << QList<int>{301} << QList<QSize>{{}};
        QTest::newRow("capacity, English")
            << 2 << Capa << "Help"
            << "lblDef=Water volume (in litres) that can be stored by the collecting area due to its microtopography"
            << QList<int>{301} << QList<QSize>{{}};
    }

    // Caption and labels in the language of the run, the pictures of the language; the window at the top right of
    // the main window's client area.
    void ventanas()
    {
        QFETCH(int, idioma);
        QFETCH(QString, ventana);
        QFETCH(QString, titulo);
        QFETCH(QString, rotulo);
        QFETCH(QList<int>, ids);
        QFETCH(QList<QSize>, tamanos);
        auto s = apoyo::AbrePrograma(idioma);
        QWidget* w = s->nav.Muestra(ventana);
        QWidget* marco = apoyo::Exterior(*s, ventana);
        QVERIFY(w && marco && marco->isVisible());
        QCOMPARE(marco->windowTitle(), titulo);
        if (!rotulo.isEmpty()) {
            QLabel* l = w->findChild<QLabel*>(rotulo.section(u'=', 0, 0));
            QVERIFY(l && l->isVisible());
            QCOMPARE(l->text(), rotulo.section(u'=', 1));
        }
        for (qsizetype i = 0; i < ids.size(); ++i) {
            auto* imagen = w->findChild<QLabel*>(QStringLiteral("Image%1").arg(i + 1));
            QVERIFY(imagen && imagen->isVisible());
            QVERIFY(apoyo::Muestra(imagen, 1000 * idioma + ids[i]));
            if (tamanos[i].width() > 0) {
                QVERIFY(imagen->hasScaledContents());
                QCOMPARE(imagen->width(), tamanos[i].width());
            }
            if (tamanos[i].height() > 0)
                QCOMPARE(imagen->height(), tamanos[i].height());
        }
        QCOMPARE(marco->pos(), apoyo::ArribaDerecha(*s, marco));
        QVERIFY(marco->height() <= apoyo::AreaPrincipal(*s)->viewport()->height());
    }

    void esquema_data()
    {
        QTest::addColumn<int>("idioma");
        QTest::addColumn<QString>("visible");
        QTest::addColumn<QString>("oculto");
        QTest::addColumn<QSize>("tamano");
        QTest::addColumn<QString>("titulo");
        QTest::newRow("Spanish") << 1 << "Picture1"
                                 << "Picture2" << QSize(912, 669) << "Ayuda";
        QTest::newRow("English") << 2 << "Picture2"
                                 << "Picture1" << QSize(510, 693) << "Help";
    }

    // The table of the language of the run in its own picture box, whole or,
    // where the main window is too small for it, scrolled within the window.
    void esquema()
    {
        QFETCH(int, idioma);
        QFETCH(QString, visible);
        QFETCH(QString, oculto);
        QFETCH(QSize, tamano);
        QFETCH(QString, titulo);
        auto s = apoyo::AbrePrograma(idioma);
        QWidget* w = s->nav.Muestra(Esquema);
        QCoreApplication::processEvents();
        QWidget* marco = apoyo::Exterior(*s, Esquema);
        QCOMPARE(marco->windowTitle(), titulo);
        QLabel* cuadro = w->findChild<QLabel*>(visible);
        QLabel* otro = w->findChild<QLabel*>(oculto);
        QVERIFY(cuadro && otro);
        QVERIFY(cuadro->isVisible() && !otro->isVisible());
        QVERIFY(otro->pixmap().isNull());
        QVERIFY(apoyo::Muestra(cuadro, 1000 * idioma + 401));
        QCOMPARE(cuadro->pixmap().size(), tamano);
        QCOMPARE(marco->pos(), apoyo::ArribaDerecha(*s, marco));
        QVERIFY(marco->height() <= apoyo::AreaPrincipal(*s)->viewport()->height());
        auto* desplazable = w->findChild<QScrollArea*>();
        QVERIFY(desplazable);
        const QSize vista = desplazable->viewport()->size();
        QCOMPARE(vista.width() + desplazable->horizontalScrollBar()->maximum(), tamano.width());
        QCOMPARE(vista.height() + desplazable->verticalScrollBar()->maximum(), tamano.height());
        // A click on the picture does nothing.
        QTest::mouseClick(cuadro, Qt::LeftButton);
        QCOMPARE(Cargadas(*s), QStringList{Esquema});
    }

    // With a language flag that is neither 1 nor 2 no table is loaded.
    void esquemaSinIdioma()
    {
        Variables v;
        frmEsquema w(v);
        QVERIFY(w.findChild<QLabel*>(QStringLiteral("Picture1"))->pixmap().isNull());
        QVERIFY(w.findChild<QLabel*>(QStringLiteral("Picture2"))->pixmap().isNull());
    }

    void unoDeTres_data()
    {
        QTest::addColumn<QStringList>("pasos");
        QTest::newRow("each after each other") << QStringList{Esquema, Capa, Area, Esquema, Area, Capa, Esquema};
        QTest::newRow("the same twice") << QStringList{Capa, Capa, Area, Area};
        QTest::newRow("with the methods browser") << QStringList{Metodos, Area, Esquema, Metodos, Capa};
    }

    // Each help window, when it loads, unloads the other two; the methods
    // browser is none of them and stays; each opens at the same place.
    void unoDeTres()
    {
        QFETCH(QStringList, pasos);
        auto s = apoyo::AbrePrograma(1);
        QString ultima;
        bool metodos = false;
        for (const QString& paso : pasos) {
            s->nav.Muestra(paso);
            apoyo::Recoge();
            if (paso == Metodos)
                metodos = true;
            else
                ultima = paso;
            QCOMPARE(Cargadas(*s), ultima.isEmpty() ? QStringList{} : QStringList{ultima});
            QCOMPARE(bool(s->nav.Ventana(Metodos)), metodos);
            // Nothing of the unloaded ones is left in the main window.
            QCOMPARE(apoyo::AreaPrincipal(*s)->subWindowList().size(), 1 + int(metodos) + int(!ultima.isEmpty()));
            QWidget* marco = apoyo::Exterior(*s, paso);
            QCOMPARE(marco->pos(), apoyo::ArribaDerecha(*s, marco));
            QVERIFY(marco->isVisible());
        }
        QVERIFY(s->nav.Ventana(QStringLiteral("frmEscorrentía")));
    }

    // Opening the one that is open shows it again as it is, not reloaded;
    // once closed by the user, it loads anew.
    void reabrir()
    {
        auto s = apoyo::AbrePrograma(2);
        QWidget* w = s->nav.Muestra(Area);
        auto rotulo = [&w] { return w->findChild<QLabel*>(QStringLiteral("Label3")); };
        rotulo()->setText(QStringLiteral("marca"));
        QCOMPARE(s->nav.Muestra(Area), w);
        QCOMPARE(rotulo()->text(), QStringLiteral("marca"));
        apoyo::Exterior(*s, Area)->close();
        apoyo::Recoge();
        QVERIFY(!s->nav.Ventana(Area));
        w = s->nav.Muestra(Area);
        QCOMPARE(rotulo()->text(), QStringLiteral("Water harvesting"));
    }

  private:
    QTemporaryDir dir_;
};

QTEST_MAIN(TstAyudas)
#include "tst_ayudas.moc"
