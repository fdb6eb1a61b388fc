// The land preparation methods browser as the user meets it: the eight
// picture buttons in the language of the run, the short window at load with
// the focus out of sight, the drawing of each method on its choice, by mouse
// or by arrow keys, the tall window afterwards, and its place in the main
// window.
#include "ApoyoAyuda.h"

#include "help/frmMetodos.h"

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

// The method whose picture shows, 0 for none; -1 for more than one.
int Visible(QWidget* w)
{
    int visible = 0;
    for (int i = 1; i <= 8; ++i)
        if (Imagen(w, i)->isVisible())
            visible = visible ? -1 : i;
    return visible;
}

} // namespace

class TstMetodos : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    std::unique_ptr<Sesion> s_;

    frmMetodos* Abre(int idioma)
    {
        s_ = apoyo::AbrePrograma(idioma);
        return qobject_cast<frmMetodos*>(s_->nav.Muestra(Metodos));
    }
    int Alto() const { return s_->nav.Marco(Metodos)->height(); }

  private slots:
    void init() { apoyo::Prepara(dir_); }
    void cleanup()
    {
        s_.reset();
        apoyo::Recoge();
    }

    // At load: no picture, the short window at the top right, showing the
    // eight buttons only, and the focus on Picture1 out of sight. A key
    // released on Picture1 hands the focus to the first method and Picture1
    // never takes it again; then the arrow keys move through the methods
    // round the ends, choosing each one they reach and showing its drawing in
    // the tall window, as a click does.
    void carga()
    {
        frmMetodos* w = Abre(2);
        QVERIFY(apoyo::ArribaDerecha(*s_, Metodos));
        for (int i = 1; i <= 8; ++i) {
            QVERIFY(Opcion(w, i)->isVisible() && !Opcion(w, i)->isChecked());
            QVERIFY2(Opcion(w, i)->geometry().bottom() < w->height(), "a button out of sight");
        }
        auto* picture1 = w->findChild<QWidget*>(QStringLiteral("Picture1"));
        QVERIFY(picture1->hasFocus() && picture1->y() >= w->height());
        // Opening the browser leaves the site entry window open.
        QVERIFY(s_->nav.Ventana(QStringLiteral("frmEscorrentía")));

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QVERIFY(Opcion(w, 1)->hasFocus() && !picture1->isEnabled() && Visible(w) == 0);
        QCOMPARE(Alto(), Corta);
        const QList<std::pair<Qt::Key, int>> pasos{{Qt::Key_Right, 2}, {Qt::Key_Down, 3}, {Qt::Key_Left, 2},
                                                   {Qt::Key_Up, 1},    {Qt::Key_Up, 8},   {Qt::Key_Down, 1}};
        for (const auto& [tecla, metodo] : pasos) {
            QTest::keyClick(QApplication::focusWidget(), tecla);
            QCOMPARE(Visible(w), metodo);
            QVERIFY(Opcion(w, metodo)->hasFocus() && Opcion(w, metodo)->isChecked() &&
                    apoyo::Muestra(Imagen(w, metodo), 2100 + metodo));
        }
        QCOMPARE(Alto(), Alta);
        picture1->setFocus();
        QVERIFY(!picture1->hasFocus());
        // A click chooses as well; the drawing shows whole and the window stays tall.
        QTest::mouseClick(Opcion(w, 3), Qt::LeftButton);
        QVERIFY(Visible(w) == 3 && w->MetodoActual() == 3 && Alto() == Alta);
        QVERIFY2(Imagen(w, 3)->y() + Imagen(w, 3)->pixmap().height() <= w->height(), "picture cut off");
    }
};

QTEST_MAIN(TstMetodos)
#include "tst_metodos.moc"
