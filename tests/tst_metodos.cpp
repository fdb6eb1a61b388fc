// The land preparation methods browser as the user meets it: the eight
// picture buttons in the language of the run, the short window at load with
// the focus out of sight, the drawing of each method on its choice, by mouse
// or by arrow keys, the tall window afterwards, and its place in the main
// window.
#include "ApoyoAyuda.h"

#include "help/frmMetodos.h"

#include <QAbstractButton>

namespace {

const QString Metodos = QStringLiteral("frmMetodos");
constexpr int Corta = 220, Alta = 531; // 3300 and 7965 twips

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

    // The browser opened in a language, and its frame.
    frmMetodos* Abre(int idioma)
    {
        sesion_ = apoyo::AbrePrograma(idioma);
        marco_ = nullptr;
        auto* w = qobject_cast<frmMetodos*>(sesion_->nav.Muestra(Metodos));
        if (w)
            marco_ = apoyo::Exterior(*sesion_, Metodos);
        return w;
    }
    bool EnSuSitio() const { return marco_->pos() == apoyo::ArribaDerecha(*sesion_, marco_); }

  private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void init() { apoyo::Prepara(dir_); }

    void cleanup()
    {
        sesion_.reset();
        apoyo::Recoge();
    }

    void carga_data()
    {
        QTest::addColumn<int>("idioma");
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<QString>("ultima"); // caption of the eighth button
        QTest::newRow("Spanish") << 1 << "Métodos de preparación del terreno"
                                 << "Otra labor";
        QTest::newRow("English") << 2 << "Land set up methods"
                                 << "Other labour";
    }

    // At load: no picture, the short window at the top right, showing the
    // eight buttons only, and the focus on Picture1 out of sight. A key
    // released on Picture1 hands the focus to the first method and Picture1
    // never takes it again; then the arrow keys move through the methods
    // round the ends, choosing each one they reach.
    void carga()
    {
        QFETCH(int, idioma);
        QFETCH(QString, titulo);
        QFETCH(QString, ultima);
        frmMetodos* w = Abre(idioma);
        QVERIFY(w && marco_->isVisible());
        QCOMPARE(marco_->windowTitle(), titulo);
        QCOMPARE(Opcion(w, 8)->text(), ultima);
        for (int i = 1; i <= 8; ++i) {
            QVERIFY(Opcion(w, i)->isVisible() && !Opcion(w, i)->isChecked());
            QVERIFY2(Opcion(w, i)->geometry().bottom() < w->height(), "a button out of sight");
        }
        QCOMPARE(w->MetodoActual(), qint16(1));
        QVERIFY(EnSuSitio());
        auto* picture1 = w->findChild<QWidget*>(QStringLiteral("Picture1"));
        QVERIFY(picture1 && picture1->hasFocus());
        QVERIFY(picture1->y() >= w->height());
        // Opening the browser leaves the site entry window open.
        QVERIFY(sesion_->nav.Ventana(QStringLiteral("frmEscorrentía")));

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QVERIFY(Opcion(w, 1)->hasFocus());
        QVERIFY(!picture1->isEnabled());
        QCOMPARE(Visibles(w), QList<int>{});
        QCOMPARE(marco_->height(), Corta);
        const QList<std::pair<Qt::Key, int>> pasos{{Qt::Key_Right, 2}, {Qt::Key_Down, 3}, {Qt::Key_Left, 2},
                                                   {Qt::Key_Up, 1},    {Qt::Key_Up, 8},   {Qt::Key_Down, 1}};
        for (const auto& [tecla, metodo] : pasos) {
            QTest::keyClick(QApplication::focusWidget(), tecla);
            QVERIFY(Opcion(w, metodo)->hasFocus() && Opcion(w, metodo)->isChecked());
            QCOMPARE(Visibles(w), QList<int>{metodo});
            QVERIFY(apoyo::Muestra(Imagen(w, metodo), 1000 * idioma + 100 + metodo));
        }
        QCOMPARE(marco_->height(), Alta);
        picture1->setFocus();
        QVERIFY(!picture1->hasFocus());
    }

    void eleccion_data()
    {
        QTest::addColumn<int>("idioma");
        QTest::addColumn<int>("metodo");
        QTest::addColumn<QSize>("tamano");
        QTest::newRow("Spanish 1") << 1 << 1 << QSize(650, 295);
        QTest::newRow("Spanish 5") << 1 << 5 << QSize(649, 260);
        QTest::newRow("English 8") << 2 << 8 << QSize(654, 299);
    }

    // A click on a method shows its drawing in the language of the run,
    // whole, in the tall window.
    void eleccion()
    {
        QFETCH(int, idioma);
        QFETCH(int, metodo);
        QFETCH(QSize, tamano);
        frmMetodos* w = Abre(idioma);
        const int id = 1000 * idioma + 100 + metodo;
        QTest::mouseClick(Opcion(w, metodo), Qt::LeftButton);
        QCOMPARE(Visibles(w), QList<int>{metodo});
        QVERIFY(Opcion(w, metodo)->isChecked());
        QCOMPARE(w->MetodoActual(), qint16(metodo));
        QLabel* imagen = Imagen(w, metodo);
        QCOMPARE(imagen->pixmap().size(), tamano);
        QVERIFY(apoyo::Muestra(imagen, id));
        QCOMPARE(marco_->height(), Alta);
        QVERIFY2(imagen->y() + tamano.height() <= w->height(), "picture cut off");
        QVERIFY(EnSuSitio());
    }

    // One picture place at a time; the same choice twice loads its picture
    // again; the window is not shortened again.
    void sucesion()
    {
        frmMetodos* w = Abre(1);
        QTest::mouseClick(Opcion(w, 3), Qt::LeftButton);
        QTest::mouseClick(Opcion(w, 7), Qt::LeftButton);
        QCOMPARE(Visibles(w), QList<int>{7});
        QVERIFY(apoyo::Muestra(Imagen(w, 7), 1107));
        QVERIFY(!Opcion(w, 3)->isChecked());
        const QString archivo = dir_.filePath(QStringLiteral("b.jpg"));
        QVERIFY(QFile::remove(archivo));
        QTest::mouseClick(Opcion(w, 7), Qt::LeftButton);
        QCOMPARE(apoyo::Contenido(archivo), apoyo::BytesImagen(1107));
        QCOMPARE(Visibles(w), QList<int>{7});
        QTest::mouseClick(Opcion(w, 1), Qt::LeftButton);
        QCOMPARE(Visibles(w), QList<int>{1});
        QCOMPARE(w->MetodoActual(), qint16(1));
        QCOMPARE(marco_->height(), Alta);
    }

  private:
    QTemporaryDir dir_;
    std::unique_ptr<Sesion> sesion_;
    QWidget* marco_ = nullptr;
};

QTEST_MAIN(TstMetodos)
#include "tst_metodos.moc"
