// The land preparation methods browser as the user meets it: the eight
// picture buttons in the language of the run, the short window at load with
// the focus out of sight, the drawing of each method on its choice, by mouse
// or by arrow keys, the tall window afterwards, and its place in the main
// window.
#include "ApoyoAyuda.h"

#include "help/frmMetodos.h"
#include "text/Imagenes.h"

#include <QAbstractButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString Metodos = QStringLiteral("frmMetodos");

QAbstractButton* Opcion(QWidget* w, int i)
{
    return w->findChild<QAbstractButton*>(QStringLiteral("opcMetodos(%1)").arg(i));
}

QLabel* Imagen(QWidget* w, int i)
{
    return w->findChild<QLabel*>(QStringLiteral("Imagen(%1)").arg(i));
}

// The indices of the picture places that show.
QList<int> Visibles(QWidget* w)
{
    QList<int> vistas;
    for (int i = 1; i <= 8; ++i)
        if (Imagen(w, i)->isVisible())
            vistas << i;
    return vistas;
}

} // namespace

class TstMetodos : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void init() { apoyo::Prepara(dir_); }

    void cleanup() { apoyo::Recoge(); }

    // The sketches on the buttons are embedded at their design size.
    void bocetos()
    {
        for (int i = 1; i <= 8; ++i) {
            const QImage boceto(QStringLiteral(":/imagenes/perfil%1.jpg").arg(i), "JPG");
            QVERIFY2(!boceto.isNull(), qPrintable(QString::number(i)));
            QCOMPARE(boceto.size(), QSize(172, 60));
        }
    }

    void carga_data()
    {
        QTest::addColumn<int>("idioma");
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<QStringList>("opciones");
        QTest::newRow("Spanish") << 1 << "Métodos de preparación del terreno"
                                 << QStringList{"Ahoyado con alcorque",
                                                "Acaballonado según curvas de nivel",
                                                "Acaballonado superficial",
                                                "Aterrazado en contrapendiente",
                                                "Zanjas de infiltración",
                                                "Subsolado lineal",
                                                "Laboreo pleno",
                                                "Otra labor"};
        QTest::newRow("English") << 2 << "Land set up methods"
                                 << QStringList{"Microcatchments",       "Ridging (by deep cultivation)",
                                                "Surface ridging",       "Reverse-sloped terraces",
                                                "Infiltration trenches", "Contour subsoiling",
                                                "Full ploughing",        "Other labour"};
    }

    // At load: the captions, no picture, the short window at the top right,
    // showing the eight buttons only, and the focus on Picture1 out of sight.
    void carga()
    {
        QFETCH(int, idioma);
        QFETCH(QString, titulo);
        QFETCH(QStringList, opciones);
        auto s = apoyo::AbrePrograma(idioma);
        auto* w = qobject_cast<frmMetodos*>(s->nav.Muestra(Metodos));
        QVERIFY(w);
        QWidget* marco = apoyo::Exterior(*s, Metodos);
        QVERIFY(marco && marco->isVisible());

        QCOMPARE(w->windowTitle(), titulo);
        QCOMPARE(marco->windowTitle(), titulo);
        for (int i = 1; i <= 8; ++i) {
            QCOMPARE(Opcion(w, i)->text(), opciones[i - 1]);
            QVERIFY(Opcion(w, i)->isVisible());
            QVERIFY(!Opcion(w, i)->isChecked());
            QVERIFY2(Opcion(w, i)->geometry().bottom() < w->height(), "a button out of sight");
        }
        QCOMPARE(Visibles(w), QList<int>{});
        QCOMPARE(w->MetodoActual(), qint16(1));
        QCOMPARE(marco->height(), 220);
        QCOMPARE(marco->pos(), apoyo::ArribaDerecha(*s, marco));

        auto* picture1 = w->findChild<QWidget*>(QStringLiteral("Picture1"));
        QVERIFY(picture1);
        QVERIFY(picture1->hasFocus());
        QVERIFY(picture1->y() >= w->height());
        // Opening the browser leaves the site entry window open.
        QVERIFY(s->nav.Ventana(QStringLiteral("frmEscorrentía")));
    }

    void eleccion_data()
    {
        QTest::addColumn<int>("idioma");
        QTest::addColumn<int>("metodo");
        QTest::addColumn<QSize>("tamano");
        for (int idioma : {1, 2})
            for (int i = 1; i <= 8; ++i)
                QTest::addRow("%s %d", idioma == 1 ? "Spanish" : "English", i) << idioma << i
                                                                               << (i == 5   ? QSize(649, 260)
                                                                                   : i == 8 ? QSize(654, 299)
                                                                                            : QSize(650, 295));
    }

    // A click on a method shows its drawing in the language of the run,
    // through the scratch file, whole, in the tall window.
    void eleccion()
    {
        QFETCH(int, idioma);
        QFETCH(int, metodo);
        QFETCH(QSize, tamano);
        auto s = apoyo::AbrePrograma(idioma);
        auto* w = qobject_cast<frmMetodos*>(s->nav.Muestra(Metodos));
        QWidget* marco = apoyo::Exterior(*s, Metodos);
        const int id = 1000 * idioma + 100 + metodo;

        QTest::mouseClick(Opcion(w, metodo), Qt::LeftButton);

        QCOMPARE(Visibles(w), QList<int>{metodo});
        QVERIFY(Opcion(w, metodo)->isChecked());
        QCOMPARE(w->MetodoActual(), qint16(metodo));
        QLabel* imagen = Imagen(w, metodo);
        QCOMPARE(imagen->pixmap().size(), tamano);
        QVERIFY(apoyo::Muestra(imagen, id));
        QCOMPARE(apoyo::Contenido(ArchivoTemporalImagen()), apoyo::BytesImagen(id));
        QCOMPARE(ArchivoTemporalImagen(), QDir(dir_.path()).filePath(QStringLiteral("b.jpg")));
        QCOMPARE(marco->height(), 531);
        QVERIFY2(imagen->y() + tamano.height() <= w->height(), "picture cut off");
        QCOMPARE(marco->pos(), apoyo::ArribaDerecha(*s, marco));
    }

    // One picture place at a time; the same choice twice loads its picture
    // again; the window is not shortened again.
    void sucesion()
    {
        auto s = apoyo::AbrePrograma(1);
        auto* w = qobject_cast<frmMetodos*>(s->nav.Muestra(Metodos));
        QWidget* marco = apoyo::Exterior(*s, Metodos);

        QTest::mouseClick(Opcion(w, 3), Qt::LeftButton);
        QTest::mouseClick(Opcion(w, 7), Qt::LeftButton);
        QCOMPARE(Visibles(w), QList<int>{7});
        QVERIFY(apoyo::Muestra(Imagen(w, 7), 1107));
        QVERIFY(!Opcion(w, 3)->isChecked());

        const QString archivo = ArchivoTemporalImagen();
        QVERIFY(QFile::remove(archivo));
        QTest::mouseClick(Opcion(w, 7), Qt::LeftButton);
        QCOMPARE(apoyo::Contenido(archivo), apoyo::BytesImagen(1107));
        QCOMPARE(Visibles(w), QList<int>{7});
        QCOMPARE(marco->height(), 531);

        QTest::mouseClick(Opcion(w, 1), Qt::LeftButton);
        QCOMPARE(Visibles(w), QList<int>{1});
        QCOMPARE(w->MetodoActual(), qint16(1));
        QCOMPARE(marco->height(), 531);

        // Showing it again brings it to the front as it is.
        QCOMPARE(s->nav.Muestra(Metodos), w);
        QCOMPARE(Visibles(w), QList<int>{1});
    }

    // A key released on Picture1 hands the focus to the first method and
    // Picture1 never takes it again; then the arrow keys move through the
    // methods round the ends, choosing each one they reach.
    void flechas_data()
    {
        QTest::addColumn<int>("idioma");
        QTest::newRow("Spanish") << 1;
        QTest::newRow("English") << 2;
    }

    void flechas()
    {
        QFETCH(int, idioma);
        auto s = apoyo::AbrePrograma(idioma);
        auto* w = qobject_cast<frmMetodos*>(s->nav.Muestra(Metodos));
        QWidget* marco = apoyo::Exterior(*s, Metodos);
        auto* picture1 = w->findChild<QWidget*>(QStringLiteral("Picture1"));
        QVERIFY(picture1->hasFocus());

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QVERIFY(Opcion(w, 1)->hasFocus());
        QVERIFY(!picture1->isEnabled());
        QCOMPARE(Visibles(w), QList<int>{});
        QCOMPARE(marco->height(), 220);

        const QList<std::pair<Qt::Key, int>> pasos{{Qt::Key_Right, 2}, {Qt::Key_Down, 3}, {Qt::Key_Left, 2},
                                                   {Qt::Key_Up, 1},    {Qt::Key_Up, 8},   {Qt::Key_Down, 1}};
        for (const auto& [tecla, metodo] : pasos) {
            QTest::keyClick(QApplication::focusWidget(), tecla);
            QVERIFY(Opcion(w, metodo)->hasFocus());
            QVERIFY(Opcion(w, metodo)->isChecked());
            QCOMPARE(Visibles(w), QList<int>{metodo});
            QVERIFY(apoyo::Muestra(Imagen(w, metodo), 1000 * idioma + 100 + metodo));
        }
        QCOMPARE(marco->height(), 531);
        picture1->setFocus();
        QVERIFY(!picture1->hasFocus());
    }

  private:
    QTemporaryDir dir_;
};

QTEST_MAIN(TstMetodos)
#include "tst_metodos.moc"
