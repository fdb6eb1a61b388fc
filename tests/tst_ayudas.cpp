// The sketch window and the help on areas and on capacity: their texts and
// pictures in the language of the run, their place at the top right of the
// main window, and the rule that at most one of the three is open, while the
// methods browser stays open beside them.
#include "ApoyoAyuda.h"

namespace {

const QString Esquema = QStringLiteral("frmEsquema");
const QString Area = QStringLiteral("frmAyudaArea");
const QString Capa = QStringLiteral("frmAyudaCapa");
const QString Metodos = QStringLiteral("frmMetodos");

} // namespace

class TstAyudas : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

  private slots:
    void init() { apoyo::Prepara(dir_); }
    void cleanup() { apoyo::Recoge(); }

    // The table of the language of the run in its own picture box, whole or,
    // where the main window is too small for it, scrolled within the window.
    void esquema_data()
    {
        QTest::addColumn<int>("idioma");
        QTest::addColumn<QStringList>("cuadros"); // shown, hidden, caption
        QTest::newRow("Spanish") << 1 << QStringList{"Picture1", "Picture2", "Ayuda"};
        QTest::newRow("English") << 2 << QStringList{"Picture2", "Picture1", "Help"};
    }
    void esquema()
    {
        QFETCH(int, idioma);
        QFETCH(QStringList, cuadros);
        auto s = apoyo::AbrePrograma(idioma);
        QWidget* w = s->nav.Muestra(Esquema);
        QCoreApplication::processEvents();
        QVERIFY(apoyo::ArribaDerecha(*s, Esquema));
        QCOMPARE(s->nav.Marco(Esquema)->windowTitle(), cuadros[2]);
        QLabel* cuadro = w->findChild<QLabel*>(cuadros[0]);
        QLabel* otro = w->findChild<QLabel*>(cuadros[1]);
        QVERIFY(cuadro->isVisible() && !otro->isVisible() && otro->pixmap().isNull() &&
                apoyo::Muestra(cuadro, 1000 * idioma + 401));
        auto* desplazable = w->findChild<QScrollArea*>();
        const QSize vista = desplazable->viewport()->size();
        QCOMPARE(QSize(vista.width() + desplazable->horizontalScrollBar()->maximum(),
                       vista.height() + desplazable->verticalScrollBar()->maximum()),
                 cuadro->pixmap().size());
    }

    // Each help window, when it loads, unloads the other two, even the same
    // one asked for twice; the methods browser is none of them and stays;
    // each opens at the same place.
    void unoDeTres()
    {
        auto s = apoyo::AbrePrograma(1);
        QString ultima;
        bool metodos = false;
        for (const QString& paso : {Esquema, Capa, Area, Esquema, Area, Capa, Capa, Metodos, Area, Esquema, Metodos}) {
            s->nav.Muestra(paso);
            apoyo::Recoge();
            metodos = metodos || paso == Metodos;
            ultima = paso == Metodos ? ultima : paso;
            QStringList cargadas;
            for (const QString& n : {Esquema, Area, Capa, Metodos})
                if (s->nav.Ventana(n))
                    cargadas << n;
            QCOMPARE(cargadas, metodos ? (QStringList{ultima, Metodos}) : QStringList{ultima});
            // Nothing of the unloaded ones is left in the main window.
            QCOMPARE(apoyo::AreaPrincipal(*s)->subWindowList().size(), cargadas.size() + 1);
            QVERIFY(apoyo::ArribaDerecha(*s, paso));
        }
        QVERIFY(s->nav.Ventana(QStringLiteral("frmEscorrentía")));
    }

    // F1 in a field shows its help in front without taking the keys from
    // the field; once the user has gone into the help, Escape closes it and
    // the field has the keys again.
    void ayudaDeCampo()
    {
        auto s = apoyo::AbrePrograma(1);
        auto* campo = s->nav.Ventana(QStringLiteral("frmEscorrentía"))->findChild<QLineEdit*>("txtDatos(1)");
        campo->setFocus();
        QTest::keyClicks(campo, QStringLiteral("1"));
        QTest::keyClick(campo, Qt::Key_F1);
        QWidget* ayuda = s->nav.Ventana(Area);
        QVERIFY(ayuda && ayuda->isVisible());
        QCOMPARE(apoyo::AreaPrincipal(*s)->subWindowList(QMdiArea::StackingOrder).last(), s->nav.Marco(Area));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("2"));
        QTest::keyClick(campo, Qt::Key_F1); // again, with the help open
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("3"));
        QCOMPARE(campo->text(), QStringLiteral("123"));
        // Escape from the field closes it too.
        QTest::keyClick(campo, Qt::Key_Escape);
        apoyo::Recoge();
        QVERIFY(!s->nav.Ventana(Area) && campo->hasFocus());
        QTest::keyClick(campo, Qt::Key_F1);
        ayuda = s->nav.Ventana(Area);
        QTest::mouseClick(ayuda, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), ayuda);
        QTest::keyClick(ayuda, Qt::Key_Escape);
        apoyo::Recoge();
        QVERIFY(!s->nav.Ventana(Area));
        QTRY_COMPARE(QApplication::focusWidget(), campo);
    }
};

QTEST_MAIN(TstAyudas)
#include "tst_ayudas.moc"
