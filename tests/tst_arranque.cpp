// Start-up as the user meets it: the language read from the settings store,
// the main window's menus, New, Exit, the window list and the navigation.
#include "Apoyo.h"

#include "app/frmContenedor.h"

namespace {

const QString Entrada = QStringLiteral("frmEscorrentía");
const QString Otra = QStringLiteral("frmOtra");

// Starts the program with `guardado` stored as the language (null: nothing)
// and registers a second kind of child window, to see what New and
// unloading leave.
std::unique_ptr<Sesion> Abre(const QString& guardado = QString())
{
    auto s = apoyo::Arranca(guardado);
    s->nav.Registra(Otra, Navegacion::Tipo::Hija, [] {
        auto* w = new QWidget;
        w->setWindowTitle(QStringLiteral("Otra"));
        return w;
    });
    return s;
}

frmContenedor* Principal(Sesion& s)
{
    return qobject_cast<frmContenedor*>(s.nav.Ventana(QStringLiteral("frmContenedor")));
}

QAction* Accion(Sesion& s, const QString& nombre)
{
    return Principal(s)->findChild<QAction*>(nombre);
}

// The check marks of the two languages, as "10" or "01".
QString Marcas(Sesion& s)
{
    return QString::number(Accion(s, QStringLiteral("mnuIdiomaEspañol"))->isChecked()) +
           QString::number(Accion(s, QStringLiteral("mnuIdiomaEnglish"))->isChecked());
}

QString TituloArchivo(Sesion& s)
{
    return Principal(s)->findChild<QMenu*>(QStringLiteral("mnuArchivo"))->title();
}

QVariant Guardado()
{
    return apoyo::Almacen().value(QStringLiteral("Options/Language"));
}

} // namespace

class TstArranque : public QObject {
    Q_OBJECT

  private slots:
    void init() { apoyo::AislaAjustes(); }

    void cleanup() { apoyo::Recoge(); }

    // Only the exact stored "Español" gives Spanish. The site entry window
    // opens inside the main window, in the same language; reading is not
    // writing.
    void idiomaAlArrancar_data()
    {
        QTest::addColumn<QString>("guardado");
        QTest::addColumn<QStringList>("textos"); // language, File, Language menu, entry window
        const QStringList ingles{"English", "&File", "&Language in next session", "HIDRELA data entry"};
        QTest::newRow("nothing stored") << QString() << ingles;
        QTest::newRow("Spanish") << QStringLiteral("Español")
                                 << QStringList{"Español", "&Archivo", "&Idioma para la próxima sesión",
                                                "Datos de entrada de HIDRELA"};
        QTest::newRow("case matters") << QStringLiteral("español") << ingles;
    }
    void idiomaAlArrancar()
    {
        QFETCH(QString, guardado);
        QFETCH(QStringList, textos);
        auto s = Abre(guardado);
        frmContenedor* w = Principal(*s);
        QVERIFY(w && w->isVisible());
        const bool espanol = textos[0] == "Español";
        QCOMPARE(QString::number(s->v.NumIdioma) + Marcas(*s), espanol ? "110" : "201");
        const auto marcos = w->Area()->subWindowList();
        QVERIFY(marcos.size() == 1 && marcos[0]->widget()->objectName() == Entrada);
        QCOMPARE(
            (QStringList{s->v.Idioma, TituloArchivo(*s), Accion(*s, "mnuIdioma")->text(), marcos[0]->windowTitle()}),
            textos);
        QCOMPARE(Guardado(), guardado.isNull() ? QVariant() : QVariant(guardado));
    }

    // The menu tree, "-" marking a disabled item.
    void menus()
    {
        auto s = Abre(QStringLiteral("Español"));
        QStringList visto;
        std::function<void(const QList<QAction*>&)> recorre = [&](const QList<QAction*>& acciones) {
            for (const QAction* a : acciones) {
                visto << a->objectName() + (a->isEnabled() ? "" : "-");
                if (a->menu() && a->objectName() != QStringLiteral("mnuVentanas"))
                    recorre(a->menu()->actions());
            }
        };
        recorre(Principal(*s)->menuBar()->actions());
        QCOMPARE(visto.join(u' '), QStringLiteral("mnuArchivo mnuNuevo mnuAbrir- mnuBarra1 mnuGuardar- "
                                                  "mnuGuardarComo- mnuBarra2 mnuSalir mnuModelo MnuHidrela "
                                                  "mnuOtros- mnuVentanas mnuOpciones mnuIdioma mnuIdiomaEspañol "
                                                  "mnuIdiomaEnglish"));
    }

    // The choice is stored at once but the running program keeps its language.
    void eleccionIdioma_data()
    {
        QTest::addColumn<QString>("guardado");
        QTest::addColumn<QString>("eleccion");
        QTest::newRow("nothing stored, Spanish") << QString() << "Español";
        QTest::newRow("Spanish, English") << QStringLiteral("Español") << "English";
        QTest::newRow("Spanish, Spanish again") << QStringLiteral("Español") << "Español";
    }
    void eleccionIdioma()
    {
        QFETCH(QString, guardado);
        QFETCH(QString, eleccion);
        auto s = Abre(guardado);
        const qint16 antes = s->v.NumIdioma;
        const QString titulo = TituloArchivo(*s);
        Accion(*s, "mnuIdioma" + eleccion)->trigger();
        QCOMPARE(Guardado(), QVariant(eleccion));
        QCOMPARE(Marcas(*s), eleccion == "Español" ? "10" : "01");
        QVERIFY(s->v.NumIdioma == antes && TituloArchivo(*s) == titulo);
    }

    // New unloads every child window and opens the site entry window afresh
    // at its place, keeping the site state.
    void nuevo()
    {
        auto s = Abre();
        frmContenedor* w = Principal(*s);
        s->nav.Muestra(Otra);
        QPointer<QWidget> vieja = s->nav.Ventana(Entrada);
        s->nav.Marco(Entrada)->move(120, 80);
        s->v.NAC(2) = 70.0;
        Accion(*s, QStringLiteral("mnuNuevo"))->trigger();
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
        auto s = Abre();
        QPointer<frmContenedor> w = Principal(*s);
        QPointer<QWidget> otra = s->nav.Muestra(Otra);
        s->nav.Marco(Entrada)->showMaximized();
        QVERIFY(w->windowTitle() != QStringLiteral("HIDRELA"));
        s->nav.Marco(Entrada)->close();
        apoyo::Recoge();
        QVERIFY(otra.isNull() && w && Principal(*s) == w && w->isVisible());
        QVERIFY(w->Area()->subWindowList().isEmpty() && s->nav.Muestra(Entrada));
        QCOMPARE(w->Area()->subWindowList().size(), 1);
    }

    // The window list names every child window and checks the one in front;
    // choosing one brings it to the front. Showing a loaded window brings it
    // to the front, without a second copy.
    void listaDeVentanas()
    {
        auto s = Abre(QStringLiteral("Español"));
        frmContenedor* w = Principal(*s);
        QWidget* otra = s->nav.Muestra(Otra);
        auto* ventanas = w->findChild<QMenu*>(QStringLiteral("mnuVentanas"));
        emit ventanas->aboutToShow();
        const auto items = ventanas->actions();
        QCOMPARE(items.size(), 2);
        QVERIFY(items[0]->text().endsWith("Datos de entrada de HIDRELA") && items[1]->text().endsWith("Otra"));
        QVERIFY(!items[0]->isChecked() && items[1]->isChecked());
        items[0]->trigger();
        QCOMPARE(w->Area()->activeSubWindow(), s->nav.Marco(Entrada));
        QCOMPARE(s->nav.Muestra(Otra), otra);
        QCOMPARE(w->Area()->activeSubWindow(), s->nav.Marco(Otra));
        s->nav.Descarga(Otra);
        apoyo::Recoge();
        emit ventanas->aboutToShow();
        QCOMPARE(ventanas->actions().size(), 1);
    }

    // Exit ends the program at once: the event loop returns and no window is
    // closed on the way.
    void salir()
    {
        auto s = Abre();
        frmContenedor* w = Principal(*s);
        QWidget* entrada = s->nav.Ventana(Entrada);
        QTimer::singleShot(0, w, [&s] { Accion(*s, QStringLiteral("mnuSalir"))->trigger(); });
        // Only a guard against a hang; it never decides the result.
        QTimer::singleShot(60000, [] { QCoreApplication::exit(1); });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(w->isVisible());
        QCOMPARE(s->nav.Ventana(Entrada), entrada);
    }
};

QTEST_MAIN(TstArranque)
#include "tst_arranque.moc"
