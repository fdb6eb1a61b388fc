// Start-up as the user meets it: the language read from the settings store,
// New, Exit, the window list and the navigation.
#include "Apoyo.h"
#include "ApoyoTormentas.h"

#include "app/frmContenedor.h"
#include "model/ModeloCN.h"

namespace {

const QString Entrada = QStringLiteral("frmEscorrentía");
const QString Otra = QStringLiteral("frmOtra");

// Every child window the user can reach: along each axis wholly in view,
// or from the area's edge and no larger than its layout allows, with the
// area scrolling to the rest.
bool TodasAlAlcance(QMdiArea* area)
{
    const QSize vista = area->viewport()->size();
    auto eje = [](int desde, int largo, int visto, int minimo) {
        return (desde >= 0 && desde + largo <= visto) || (desde == 0 && largo <= minimo);
    };
    const auto marcos = area->subWindowList();
    return std::all_of(marcos.cbegin(), marcos.cend(), [&](const QMdiSubWindow* m) {
        const QRect g = m->geometry();
        return eje(g.x(), g.width(), vista.width(), m->minimumSizeHint().width()) &&
               eje(g.y(), g.height(), vista.height(), m->minimumSizeHint().height());
    });
}

} // namespace

class TstArranque : public QObject {
    Q_OBJECT

    std::unique_ptr<Sesion> s;

    // Starts the program with `guardado` stored as the language (null:
    // nothing) and a second kind of child window, to see what New and
    // unloading leave.
    void Abre(const QString& guardado = QString())
    {
        s = apoyo::Arranca(guardado);
        s->nav.Registra(Otra, Navegacion::Tipo::Hija, [] {
            auto* w = new QWidget;
            w->setWindowTitle(QStringLiteral("Otra"));
            return w;
        });
    }
    frmContenedor* Principal() const { return qobject_cast<frmContenedor*>(s->nav.Ventana("frmContenedor")); }
    QAction* Accion(const QString& nombre) const { return Principal()->findChild<QAction*>(nombre); }
    // The check marks of the two languages, as "10" or "01".
    QString Marcas() const
    {
        return QStringLiteral("%1%2")
            .arg(Accion("mnuIdiomaEspañol")->isChecked())
            .arg(Accion("mnuIdiomaEnglish")->isChecked());
    }
    static QVariant Guardado() { return apoyo::Almacen().value(QStringLiteral("Options/Language")); }

  private slots:
    void init() { apoyo::AislaAjustes(); }

    void cleanup()
    {
        s.reset();
        apoyo::Recoge();
    }

    // Only the exact stored "Español" gives Spanish. The site entry window
    // opens inside the main window, in the same language; reading is not
    // writing. The other language chosen is stored at once, but the running
    // program keeps its own.
    void idioma_data()
    {
        QTest::addColumn<QString>("guardado");
        // language, File, Language menu, entry window, Qt's own Copy
        QTest::addColumn<QStringList>("textos");
        const QStringList ingles{"English", "&File", "&Language in next session", "HIDRELA data entry", "&Copy"};
        QTest::newRow("nothing stored") << QString() << ingles;
        QTest::newRow("Spanish") << QStringLiteral("Español")
                                 << QStringList{"Español", "&Archivo", "&Idioma para la próxima sesión",
                                                "Datos de entrada de HIDRELA", "&Copiar"};
        QTest::newRow("case matters") << QStringLiteral("español") << ingles;
    }
    void idioma()
    {
        QFETCH(QString, guardado);
        QFETCH(QStringList, textos);
        Abre(guardado);
        const bool espanol = textos[0] == "Español";
        QCOMPARE(QString::number(s->v.NumIdioma) + Marcas(), espanol ? "110" : "201");
        const auto marcos = Principal()->Area()->subWindowList();
        QVERIFY(marcos.size() == 1 && marcos[0]->widget()->objectName() == Entrada);
        const auto textosVistos = [&] {
            return QStringList{s->v.Idioma, Principal()->findChild<QMenu*>("mnuArchivo")->title(),
                               Accion("mnuIdioma")->text(), marcos[0]->windowTitle(),
                               QCoreApplication::translate("QLineEdit", "&Copy")};
        };
        QCOMPARE(textosVistos(), textos);
        QCOMPARE(Guardado(), guardado.isNull() ? QVariant() : QVariant(guardado));

        const QString otro = espanol ? "English" : "Español";
        Accion("mnuIdioma" + otro)->trigger();
        QCOMPARE(Guardado(), QVariant(otro));
        QCOMPARE(Marcas(), espanol ? "01" : "10");
        QVERIFY(s->v.NumIdioma == (espanol ? 1 : 2) && textosVistos() == textos);
    }

    // Every menu item and push button has an access key, in both languages,
    // no two alike in one menu or window, nor a window's alike the menu
    // bar's (help buttons "?" excepted).
    void teclasDeAcceso_data()
    {
        QTest::addColumn<QString>("idioma");
        QTest::newRow("es") << QStringLiteral("Español");
        QTest::newRow("en") << QStringLiteral("English");
    }
    void teclasDeAcceso()
    {
        QFETCH(QString, idioma);
        Abre(idioma);
        apoyo::Sitio(s->v);
        QStringList mal;
        // A window's keys share the main window's with the menu bar's titles.
        const auto revisa = [&mal](const QString& donde, const QStringList& textos, QSet<QChar> vistas = {}) {
            for (const QString& t : textos) {
                const qsizetype i = QString(t).replace("&&", "").indexOf('&');
                const QChar k = i >= 0 && i + 1 < t.size() ? QString(t).replace("&&", "").at(i + 1).toLower() : QChar();
                if (k.isNull() || vistas.contains(k))
                    mal << donde + ": " + t;
                vistas.insert(k);
            }
        };
        std::function<void(const QString&, const QList<QAction*>&)> menu = [&](const QString& n, const auto& acciones) {
            QStringList t;
            for (QAction* a : acciones) {
                if (a->isSeparator() || a->text().isEmpty())
                    continue;
                t << a->text();
                if (QMenu* m = a->menu()) {
                    emit m->aboutToShow();
                    menu(m->objectName(), m->actions());
                }
            }
            revisa(n, t);
        };
        menu("menuBar", Principal()->menuBar()->actions());
        QSet<QChar> barra;
        for (QAction* a : Principal()->menuBar()->actions())
            barra.insert(a->text().at(a->text().indexOf('&') + 1).toLower());
        for (const char* n : {"frmEscorrentía", "frmResEscorrentia", "frmEleccion", "frmPrecipitacion", "frmSerie",
                              "frmResumen", "frmGraficoSerie", "frmAnual", "frmHidrico", "frmMetodos"}) {
            QWidget* w = s->nav.Muestra(QString::fromUtf8(n));
            QStringList t;
            for (QPushButton* b : w->findChildren<QPushButton*>())
                if (!b->text().isEmpty() && b->text() != "?")
                    t << b->text();
            revisa(QString::fromUtf8(n), t, barra);
        }
        QVERIFY2(mal.isEmpty(), qPrintable(mal.join('\n')));
    }

    // New unloads every child window and opens the site entry window afresh
    // at its place, keeping the site state.
    void nuevo()
    {
        Abre();
        frmContenedor* w = Principal();
        s->nav.Muestra(Otra);
        QPointer<QWidget> vieja = s->nav.Ventana(Entrada);
        s->nav.Marco(Entrada)->move(120, 80);
        s->v.NAC(2) = 70.0;
        Accion(QStringLiteral("mnuNuevo"))->trigger();
        apoyo::Recoge();
        QVERIFY(vieja.isNull() && !s->nav.Ventana(Otra));
        const auto marcos = w->Area()->subWindowList();
        QVERIFY(marcos.size() == 1 && marcos[0]->widget()->objectName() == Entrada);
        QCOMPARE(marcos[0]->pos(), QPoint(0, 0));
        QVERIFY(marcos[0]->isVisible() && w->isVisible() && s->v.NAC(2) == 70.0);
    }

    // Closing the site entry window takes every other window with it, but
    // not the main window; it can be opened again. Maximised, the entry
    // window changes the main window's caption, which must not matter.
    void cerrarEntradaDescargaLasDemas()
    {
        Abre();
        QPointer<frmContenedor> w = Principal();
        QPointer<QWidget> otra = s->nav.Muestra(Otra);
        s->nav.Marco(Entrada)->showMaximized();
        QVERIFY(w->windowTitle() != QStringLiteral("HIDRELA"));
        s->nav.Marco(Entrada)->close();
        apoyo::Recoge();
        QVERIFY(otra.isNull() && w && Principal() == w && w->isVisible());
        QVERIFY(w->Area()->subWindowList().isEmpty() && s->nav.Muestra(Entrada));
        QCOMPARE(w->Area()->subWindowList().size(), 1);
    }

    // The window list, after Cascade and Tile, names every child window and
    // checks the one in front; choosing one brings it to the front, in view.
    // Showing a loaded window brings it to the front, without a second copy.
    void listaDeVentanas()
    {
        Abre(QStringLiteral("Español"));
        frmContenedor* w = Principal();
        QWidget* otra = s->nav.Muestra(Otra);
        auto* ventanas = w->findChild<QMenu*>(QStringLiteral("mnuVentanas"));
        emit ventanas->aboutToShow();
        const auto items = ventanas->actions().mid(3);
        QCOMPARE(items.size(), 2);
        QVERIFY(items[0]->text().endsWith("Datos de entrada de HIDRELA") && items[1]->text().endsWith("Otra"));
        QVERIFY(!items[0]->isChecked() && items[1]->isChecked());
        // A window lost out of view, or minimised, comes back when chosen.
        QMdiSubWindow* entrada = s->nav.Marco(Entrada);
        entrada->move(5000, 5000);
        items[0]->trigger();
        QCOMPARE(w->Area()->activeSubWindow(), entrada);
        QVERIFY(w->Area()->viewport()->rect().contains(entrada->geometry()));
        QCOMPARE(s->nav.Muestra(Otra), otra);
        QCOMPARE(w->Area()->activeSubWindow(), s->nav.Marco(Otra));
        entrada->showMinimized();
        items[0]->trigger();
        QVERIFY(!entrada->isMinimized() && entrada->isVisible());
        // Ctrl+F4 closes the window in front.
        s->nav.Muestra(Otra);
        QTest::keyClick(otra, Qt::Key_F4, Qt::ControlModifier);
        apoyo::Recoge();
        QVERIFY(!s->nav.Ventana(Otra) && s->nav.Ventana(Entrada));
        emit ventanas->aboutToShow();
        QCOMPARE(ventanas->actions().size(), 4);
        QVERIFY(ventanas->actions()[0]->isEnabled());
        // With no window left, Cascade and Tile have nothing to arrange.
        entrada->close();
        apoyo::Recoge();
        emit ventanas->aboutToShow();
        QVERIFY(ventanas->actions().size() == 2 && !ventanas->actions()[1]->isEnabled());
    }

    // Tile at 1280 x 800: as many windows as fit are tiled, each fitting its
    // tile whole, no two overlapping.
    void mosaico()
    {
        Abre(QStringLiteral("English"));
        apoyo::Sitio(s->v);
        frmContenedor* w = Principal();
        w->showNormal();
        w->resize(1280, 800);
        for (const char* n : {"frmResEscorrentia", "frmPrecipitacion", "frmSerie", "frmAnual"})
            s->nav.Muestra(QString::fromLatin1(n));
        w->findChild<QAction*>(QStringLiteral("mnuMosaico"))->trigger();
        const QRect vista = w->Area()->viewport()->rect();
        // The tiles, from the front down to the first window left behind.
        QList<QRect> teselas;
        auto marcos = w->Area()->subWindowList(QMdiArea::StackingOrder);
        std::reverse(marcos.begin(), marcos.end());
        for (QMdiSubWindow* m : marcos) {
            const QRect g = m->geometry();
            if (!vista.contains(g) ||
                std::any_of(teselas.cbegin(), teselas.cend(), [g](QRect t) { return t.intersects(g); }))
                break;
            QVERIFY2(g.width() >= m->minimumSizeHint().width() && g.height() >= m->minimumSizeHint().height(),
                     qPrintable(m->widget()->objectName()));
            teselas << g;
        }
        QVERIFY(teselas.size() >= 2);
    }

    // The site entry window and its report in main windows of several
    // sizes, then the main window resized: every window stays in view, the
    // report beside the entry window where there is room for it, else over
    // it from the right.
    void ventanasAlAlcance_data()
    {
        QTest::addColumn<QSize>("tam");
        QTest::addColumn<QSize>("despues");
        QTest::newRow("wide enough") << QSize(1500, 760) << QSize(700, 500);
        QTest::newRow("a laptop") << QSize(1280, 740) << QSize(1000, 700);
        QTest::newRow("narrow") << QSize(800, 560) << QSize(1280, 740);
    }
    void ventanasAlAlcance()
    {
        QFETCH(QSize, tam);
        QFETCH(QSize, despues);
        Abre();
        frmContenedor* w = Principal();
        w->showNormal();
        w->resize(tam);
        std::tie(s->v.NAC(2), s->v.NI(2), s->v.NR(2), s->v.SI, s->v.SR, s->v.CAPA) = std::tuple(70, 60, 80, 10, 2, 50);
        QCOMPARE(CalculaSitio(s->v).desenlace, Desenlace::Completado);
        s->nav.Muestra(QStringLiteral("frmEsquema"));
        s->nav.Muestra(QStringLiteral("frmResEscorrentia"));
        QTRY_VERIFY(TodasAlAlcance(w->Area()));
        const QRect entrada = s->nav.Marco(Entrada)->geometry();
        const QRect suyo = s->nav.Marco(QStringLiteral("frmResEscorrentia"))->geometry();
        QCOMPARE(suyo.left() >= entrada.right(), tam.width() >= entrada.width() + suyo.width());
        w->resize(despues);
        QTRY_VERIFY(TodasAlAlcance(w->Area()));
    }

    // The first time, on a screen narrower than the two windows need, the
    // main window opens maximised within the screen's working area; its
    // place and state are there in the next session.
    void lugarRecordado()
    {
        const QRect normal(40, 30, 600, 400);
        Abre();
        frmContenedor* w = Principal();
        QVERIFY(w->isMaximized() && w->screen()->availableGeometry().contains(w->geometry()));
        w->showNormal();
        w->setGeometry(normal);
        w->showMaximized();
        w->close();
        cleanup();
        Abre();
        QVERIFY(Principal()->isMaximized());
        QCOMPARE(Principal()->normalGeometry(), normal);
    }

    // Exit ends the program at once: the event loop returns and no window is
    // closed on the way.
    void salir()
    {
        Abre();
        frmContenedor* w = Principal();
        QWidget* entrada = s->nav.Ventana(Entrada);
        QTimer::singleShot(0, w, [this] { Accion(QStringLiteral("mnuSalir"))->trigger(); });
        // Only a guard against a hang; it never decides the result.
        QTimer::singleShot(60000, [] { QCoreApplication::exit(1); });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(w->isVisible());
        QCOMPARE(s->nav.Ventana(Entrada), entrada);
    }
};

QTEST_MAIN(TstArranque)
#include "tst_arranque.moc"
