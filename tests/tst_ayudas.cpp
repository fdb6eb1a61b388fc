// The sketch window and the help on areas and on capacity: their texts and
// pictures in both languages, their place at the top right of the main
// window, and the rule that at most one of the three is open, while the
// methods browser stays open beside them.
#include "ApoyoAyuda.h"

#include "app/Variables.h"
#include "help/frmEsquema.h"
#include "text/Imagenes.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString Esquema = QStringLiteral("frmEsquema");
const QString Area = QStringLiteral("frmAyudaArea");
const QString Capa = QStringLiteral("frmAyudaCapa");
const QString Metodos = QStringLiteral("frmMetodos");
const QStringList Grupo{Esquema, Area, Capa};

QLabel* Control(QWidget* w, const char* nombre)
{
    return w->findChild<QLabel*>(QString::fromUtf8(nombre));
}

// The windows of `nombres` that are loaded, in that order.
QStringList Cargadas(Sesion& s, const QStringList& nombres)
{
    QStringList cargadas;
    for (const QString& n : nombres)
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

    void textos_data()
    {
        QTest::addColumn<int>("idioma");
        QTest::addColumn<QString>("ventana");
        QTest::addColumn<QStringList>("esperado"); // caption, then name=text
        QTest::newRow("areas, Spanish")
            << 1 << Area
            << QStringList{
                   "Ayuda",
                   "Label3=Recolección de agua",
                   "Label4=Un sistema de recolección de agua consiste en dos partes: un área donde se induce y genera "
                   "la escorrentía superficial (área de impluvio) y un área donde se recogen y almacenan dichos "
                   "aportes hídricos (área de recepción). Área de impluvio y área de recepción conforman la unidad "
                   "sistematizada.",
                   "Label1=Área de impluvio",
                   "lblImpluvio=Dentro de la unidad sistematizada, es la superficie (en m²) que aporta escorrentía al "
                   "área de recepción.",
                   "Label2=Área de recepción",
                   "lblRecepción=Dentro de la unidad sistematizada, es la superficie (en m²) que recibe la escorrentía "
                   "procedente del área de impluvio."};
        QTest::newRow("areas, English")
            << 2 << Area
            << QStringList{
                   "Help",
                   "Label3=Water harvesting",
                   "Label4=A water harvesting system is made up by two parts: an area from which surface runoff is "
                   "induced and generated (contributing area), and an area in which water inputs are gathered and "
                   "stored (collecting area). Contributing and collecting area form one systematized unit.",
                   "Label1=Contributing area",
                   "lblImpluvio=Within the systematized unit, it is the surface (in m²) yielding runoff into the "
                   "collecting area.",
                   "Label2=Collecting area",
                   "lblRecepción=Within the systematized unit, it is the surface (in m²) receiving runoff from the "
                   "contributing area."};
        QTest::newRow("capacity, Spanish")
            << 1 << Capa
            << QStringList{"Ayuda", "Label1=Capacidad de embalse",
                           "lblDef=Volumen de agua (en litros) que puede almacenar el área de recepción debido a su "
                           "microrrelieve."};
        QTest::newRow("capacity, English")
            << 2 << Capa
            << QStringList{"Help", "Label1=Reservoir capacity",
                           "lblDef=Water volume (in litres) that can be stored by the collecting area due to its "
                           "microtopography"};
        QTest::newRow("sketch, Spanish") << 1 << Esquema << QStringList{"Ayuda"};
        QTest::newRow("sketch, English") << 2 << Esquema << QStringList{"Help"};
    }

    // Captions and labels in the language of the run, the labels in Arial;
    // the window at the top right of the main window's client area.
    void textos()
    {
        QFETCH(int, idioma);
        QFETCH(QString, ventana);
        QFETCH(QStringList, esperado);
        auto s = apoyo::AbrePrograma(idioma);
        QWidget* w = s->nav.Muestra(ventana);
        QVERIFY(w);
        QWidget* marco = apoyo::Exterior(*s, ventana);
        QVERIFY(marco && marco->isVisible());

        QCOMPARE(marco->windowTitle(), esperado.takeFirst());
        for (const QString& par : std::as_const(esperado)) {
            const QString nombre = par.section(u'=', 0, 0);
            QLabel* l = w->findChild<QLabel*>(nombre);
            QVERIFY2(l && l->isVisible(), qPrintable(nombre));
            QCOMPARE(l->text(), par.section(u'=', 1));
            QCOMPARE(l->font().family(), QStringLiteral("Arial"));
        }
        QCOMPARE(marco->pos(), apoyo::ArribaDerecha(*s, marco));
        QVERIFY(marco->height() <= apoyo::AreaPrincipal(*s)->viewport()->height());
    }

    void imagenesArea_data()
    {
        QTest::addColumn<int>("idioma");
        QTest::newRow("Spanish") << 1;
        QTest::newRow("English") << 2;
    }

    // The drawing and the diagram at their stated sizes, the diagram shown
    // last, so that the scratch file holds it.
    void imagenesArea()
    {
        QFETCH(int, idioma);
        auto s = apoyo::AbrePrograma(idioma);
        QWidget* w = s->nav.Muestra(Area);
        QLabel* image1 = Control(w, "Image1");
        QLabel* image2 = Control(w, "Image2");
        QVERIFY(apoyo::Muestra(image1, 1000 * idioma + 201));
        QVERIFY(apoyo::Muestra(image2, 1000 * idioma + 202));
        QCOMPARE(image1->size(), QSize(405, 282)); // 6075 × 4230 twips
        QCOMPARE(image2->width(), 241);            // 3615 twips
        QVERIFY(image1->hasScaledContents() && image2->hasScaledContents());
        QVERIFY(image1->isVisible() && image2->isVisible());
        QVERIFY(w->findChild<QFrame*>(QStringLiteral("Line1")));
        QCOMPARE(ArchivoTemporalImagen(), QDir(dir_.path()).filePath(QStringLiteral("b.jpg")));
        QCOMPARE(apoyo::Contenido(ArchivoTemporalImagen()), apoyo::BytesImagen(1000 * idioma + 202));
    }

    void imagenCapa_data() { imagenesArea_data(); }

    void imagenCapa()
    {
        QFETCH(int, idioma);
        auto s = apoyo::AbrePrograma(idioma);
        QWidget* w = s->nav.Muestra(Capa);
        QLabel* image1 = Control(w, "Image1");
        QVERIFY(apoyo::Muestra(image1, 1000 * idioma + 301));
        QVERIFY(image1->isVisible());
        QCOMPARE(apoyo::Contenido(ArchivoTemporalImagen()), apoyo::BytesImagen(1000 * idioma + 301));
    }

    void esquema_data()
    {
        QTest::addColumn<int>("idioma");
        QTest::addColumn<QString>("visible");
        QTest::addColumn<QString>("oculto");
        QTest::addColumn<QSize>("tamano");
        QTest::newRow("Spanish") << 1 << "Picture1"
                                 << "Picture2" << QSize(912, 669);
        QTest::newRow("English") << 2 << "Picture2"
                                 << "Picture1" << QSize(510, 693);
    }

    // The table of the language of the run in its own picture box, whole or,
    // where the main window is too small for it, scrolled within the window.
    void esquema()
    {
        QFETCH(int, idioma);
        QFETCH(QString, visible);
        QFETCH(QString, oculto);
        QFETCH(QSize, tamano);
        auto s = apoyo::AbrePrograma(idioma);
        QWidget* w = s->nav.Muestra(Esquema);
        QCoreApplication::processEvents();
        QWidget* marco = apoyo::Exterior(*s, Esquema);
        QLabel* cuadro = w->findChild<QLabel*>(visible);
        QLabel* otro = w->findChild<QLabel*>(oculto);
        QVERIFY(cuadro && otro);
        QVERIFY(cuadro->isVisible());
        QVERIFY(!otro->isVisible());
        QVERIFY(otro->pixmap().isNull());
        QVERIFY(apoyo::Muestra(cuadro, 1000 * idioma + 401));
        QCOMPARE(cuadro->pixmap().size(), tamano);
        QCOMPARE(apoyo::Contenido(ArchivoTemporalImagen()), apoyo::BytesImagen(1000 * idioma + 401));

        QCOMPARE(marco->pos(), apoyo::ArribaDerecha(*s, marco));
        QVERIFY(marco->height() <= apoyo::AreaPrincipal(*s)->viewport()->height());
        auto* desplazable = w->findChild<QScrollArea*>();
        QVERIFY(desplazable);
        const QSize vista = desplazable->viewport()->size();
        QCOMPARE(vista.width() + desplazable->horizontalScrollBar()->maximum(), tamano.width());
        QCOMPARE(vista.height() + desplazable->verticalScrollBar()->maximum(), tamano.height());

        // A click on the picture does nothing.
        QTest::mouseClick(cuadro, Qt::LeftButton);
        QCOMPARE(Cargadas(*s, Grupo), QStringList{Esquema});
    }

    // With a language flag that is neither 1 nor 2 no table is loaded.
    void esquemaSinIdioma()
    {
        Variables v;
        Navegacion nav;
        frmEsquema w(v, nav);
        QLabel* picture1 = w.findChild<QLabel*>(QStringLiteral("Picture1"));
        QLabel* picture2 = w.findChild<QLabel*>(QStringLiteral("Picture2"));
        QVERIFY(picture1->pixmap().isNull());
        QVERIFY(picture2->pixmap().isNull());
    }

    void unoDeTres_data()
    {
        QTest::addColumn<QStringList>("pasos");
        QTest::newRow("sketch, capacity, areas") << QStringList{Esquema, Capa, Area};
        QTest::newRow("capacity, sketch, areas") << QStringList{Capa, Esquema, Area};
        QTest::newRow("areas, capacity, sketch") << QStringList{Area, Capa, Esquema};
        QTest::newRow("areas, sketch, capacity") << QStringList{Area, Esquema, Capa};
        QTest::newRow("the same twice") << QStringList{Capa, Capa, Area, Area, Esquema, Esquema};
        QTest::newRow("with the methods browser") << QStringList{Metodos, Area, Esquema, Capa, Area};
        QTest::newRow("methods browser last") << QStringList{Capa, Metodos, Esquema, Metodos};
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
            QCOMPARE(Cargadas(*s, Grupo), ultima.isEmpty() ? QStringList{} : QStringList{ultima});
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
        Control(w, "Label3")->setText(QStringLiteral("marca"));
        QCOMPARE(s->nav.Muestra(Area), w);
        QCOMPARE(Control(w, "Label3")->text(), QStringLiteral("marca"));

        apoyo::Exterior(*s, Area)->close();
        apoyo::Recoge();
        QVERIFY(!s->nav.Ventana(Area));
        w = s->nav.Muestra(Area);
        QCOMPARE(Control(w, "Label3")->text(), QStringLiteral("Water harvesting"));
    }

  private:
    QTemporaryDir dir_;
};

QTEST_MAIN(TstAyudas)
#include "tst_ayudas.moc"
