// Start-up as the user meets it: the language read from the settings store,
// the main window's menus, New, Exit, the window list and the navigation.
#include "Apoyo.h"

#include "app/frmContenedor.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

namespace {

const QString Entrada = QStringLiteral("frmEscorrentía");
const QString Otra = QStringLiteral("frmOtra");

// Starts the program with `guardado` stored as the language (null: nothing),
// clicks the presentation away, and registers a second kind of child window,
// to see what New and unloading leave.
std::unique_ptr<Sesion> Abre(const QString& guardado = QString())
{
    apoyo::FijaIdioma(guardado);
    auto s = apoyo::Arranca();
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

    // Only the exact stored "Español" gives Spanish.
    void idiomaAlArrancar_data()
    {
        QTest::addColumn<QString>("guardado");
        QTest::addColumn<bool>("espanol");
        QTest::newRow("nothing stored") << QString() << false;
        QTest::newRow("Spanish") << QStringLiteral("Español") << true;
        QTest::newRow("unknown value") << QStringLiteral("Deutsch") << false;
        QTest::newRow("case matters") << QStringLiteral("español") << false;
    }
    void idiomaAlArrancar()
    {
        QFETCH(QString, guardado);
        QFETCH(bool, espanol);
        auto s = Abre(guardado);
        frmContenedor* w = Principal(*s);
        QVERIFY(w && w->isVisible());
        QCOMPARE(s->v.NumIdioma, espanol ? 1 : 2);
        QCOMPARE(s->v.Idioma, espanol ? QStringLiteral("Español") : QStringLiteral("English"));
        QCOMPARE(Accion(*s, QStringLiteral("mnuIdiomaEspañol"))->isChecked(), espanol);
        QCOMPARE(Accion(*s, QStringLiteral("mnuIdiomaEnglish"))->isChecked(), !espanol);
        QCOMPARE(TituloArchivo(*s), espanol ? QStringLiteral("&Archivo") : QStringLiteral("&File"));
        QCOMPARE(Accion(*s, QStringLiteral("mnuIdioma"))->text(), espanol
                                                                      ? QStringLiteral("&Idioma para la próxima sesión")
                                                                      : QStringLiteral("&Language in next session"));
        // The site entry window opens inside the main window, in the same language.
        const auto marcos = w->Area()->subWindowList();
        QCOMPARE(marcos.size(), 1);
        QCOMPARE(marcos[0]->widget()->objectName(), Entrada);
        QCOMPARE(marcos[0]->windowTitle(),
                 espanol ? QStringLiteral("Datos de entrada de HIDRELA") : QStringLiteral("HIDRELA data entry"));
        // Reading is not writing.
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
        QTest::addColumn<bool>("aEspanol");
        QTest::newRow("nothing stored, Spanish") << QString() << true;
        QTest::newRow("Spanish, English") << QStringLiteral("Español") << false;
        QTest::newRow("Spanish, Spanish again") << QStringLiteral("Español") << true;
    }
    void eleccionIdioma()
    {
        QFETCH(QString, guardado);
        QFETCH(bool, aEspanol);
        auto s = Abre(guardado);
        const qint16 antes = s->v.NumIdioma;
        const QString titulo = TituloArchivo(*s);
        Accion(*s, aEspanol ? QStringLiteral("mnuIdiomaEspañol") : QStringLiteral("mnuIdiomaEnglish"))->trigger();
        QCOMPARE(Guardado(), QVariant(aEspanol ? QStringLiteral("Español") : QStringLiteral("English")));
        QCOMPARE(Accion(*s, QStringLiteral("mnuIdiomaEspañol"))->isChecked(), aEspanol);
        QCOMPARE(Accion(*s, QStringLiteral("mnuIdiomaEnglish"))->isChecked(), !aEspanol);
        QCOMPARE(s->v.NumIdioma, antes);
        QCOMPARE(TituloArchivo(*s), titulo);
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
        QVERIFY(vieja.isNull());
        const auto marcos = w->Area()->subWindowList();
        QCOMPARE(marcos.size(), 1);
        QCOMPARE(marcos[0]->widget()->objectName(), Entrada);
        QCOMPARE(marcos[0]->pos(), QPoint(0, 0));
        QVERIFY(marcos[0]->isVisible() && w->isVisible());
        QVERIFY(!s->nav.Ventana(Otra));
        QCOMPARE(s->v.NAC(2), 70.0);
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
        QVERIFY(otra.isNull());
        QVERIFY(w && Principal(*s) == w && w->isVisible());
        QVERIFY(w->Area()->subWindowList().isEmpty());
        QVERIFY(s->nav.Muestra(Entrada));
        QCOMPARE(w->Area()->subWindowList().size(), 1);
    }

    void listaDeVentanas()
    {
        auto s = Abre(QStringLiteral("Español"));
        frmContenedor* w = Principal(*s);
        QWidget* otra = s->nav.Muestra(Otra);
        auto* ventanas = w->findChild<QMenu*>(QStringLiteral("mnuVentanas"));
        emit ventanas->aboutToShow();
        const auto items = ventanas->actions();
        QCOMPARE(items.size(), 2);
        QVERIFY(items[0]->text().endsWith(QStringLiteral("Datos de entrada de HIDRELA")));
        QVERIFY(items[1]->text().endsWith(QStringLiteral("Otra")));
        QVERIFY(!items[0]->isChecked() && items[1]->isChecked());
        items[0]->trigger();
        QCOMPARE(w->Area()->activeSubWindow(), s->nav.Marco(Entrada));
        // Showing a loaded window brings it to the front, without a second copy.
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
        QTimer guardia;
        guardia.setSingleShot(true);
        connect(&guardia, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        guardia.start(60000);
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(w->isVisible());
        QCOMPARE(s->nav.Ventana(Entrada), entrada);
    }
};

QTEST_MAIN(TstArranque)
#include "tst_arranque.moc"
