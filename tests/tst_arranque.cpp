// Start-up as the user meets it: the language read from the settings store,
// the main window's menus, New, Exit, the window list and the navigation.
#include "Apoyo.h"

#include "app/Arranque.h"
#include "app/frmContenedor.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

namespace {

const QString Entrada = QStringLiteral("frmEscorrentía");

// Starts the program and clicks the presentation away.
std::unique_ptr<Sesion> Abre()
{
    auto s = Arrancar();
    auto* presentacion = s->nav.Ventana(QStringLiteral("frmPresentacion"));
    if (presentacion)
        QTest::mouseClick(presentacion, Qt::LeftButton, {}, QPoint(300, 404));
    apoyo::Recoge();
    return s;
}

frmContenedor* Principal(Sesion& s)
{
    return qobject_cast<frmContenedor*>(s.nav.Ventana(QStringLiteral("frmContenedor")));
}

template <typename T> T* Busca(QWidget* w, const QString& nombre)
{
    return w->findChild<T*>(nombre);
}

QVariant Guardado()
{
    return apoyo::Almacen().value(QStringLiteral("Options/Language"));
}

// A second kind of child window, to see what New and unloading leave.
void RegistraOtra(Sesion& s)
{
    s.nav.Registra(QStringLiteral("frmOtra"), Navegacion::Tipo::Hija, [] {
        auto* w = new QWidget;
        w->setWindowTitle(QStringLiteral("Otra"));
        return w;
    });
}

} // namespace

class TstArranque : public QObject {
    Q_OBJECT

  private slots:
    void init() { apoyo::AislaAjustes(); }

    void cleanup() { apoyo::Recoge(); }

    void idiomaAlArrancar_data()
    {
        QTest::addColumn<QString>("guardado");
        QTest::addColumn<int>("numIdioma");
        QTest::addColumn<bool>("espanolMarcado");
        QTest::addColumn<QString>("archivo");
        QTest::addColumn<QString>("entrada");
        QTest::newRow("nothing stored") << QString() << 2 << false << "&File"
                                        << "HIDRELA data entry";
        QTest::newRow("Spanish") << "Español" << 1 << true << "&Archivo"
                                 << "Datos de entrada de HIDRELA";
        QTest::newRow("English") << "English" << 2 << false << "&File"
                                 << "HIDRELA data entry";
        QTest::newRow("unknown value") << "Deutsch" << 2 << false << "&File"
                                       << "HIDRELA data entry";
        QTest::newRow("case matters") << "español" << 2 << false << "&File"
                                      << "HIDRELA data entry";
    }

    void idiomaAlArrancar()
    {
        QFETCH(QString, guardado);
        QFETCH(int, numIdioma);
        QFETCH(bool, espanolMarcado);
        QFETCH(QString, archivo);
        QFETCH(QString, entrada);
        apoyo::FijaIdioma(guardado);

        auto s = Abre();
        frmContenedor* w = Principal(*s);
        QVERIFY(w && w->isVisible());
        QCOMPARE(s->v.NumIdioma, numIdioma);
        QCOMPARE(s->v.Idioma, numIdioma == 1 ? QStringLiteral("Español") : QStringLiteral("English"));
        QCOMPARE(w->windowTitle(), QStringLiteral("HIDRELA"));
        QCOMPARE(Busca<QAction>(w, QStringLiteral("mnuIdiomaEspañol"))->isChecked(), espanolMarcado);
        QCOMPARE(Busca<QAction>(w, QStringLiteral("mnuIdiomaEnglish"))->isChecked(), !espanolMarcado);
        QCOMPARE(Busca<QMenu>(w, QStringLiteral("mnuArchivo"))->title(), archivo);

        // The site entry window opens inside the main window, in the same language.
        const auto marcos = w->Area()->subWindowList();
        QCOMPARE(marcos.size(), 1);
        QCOMPARE(marcos[0]->widget()->objectName(), Entrada);
        QCOMPARE(marcos[0]->windowTitle(), entrada);
        // Reading is not writing.
        QCOMPARE(Guardado(), guardado.isNull() ? QVariant() : QVariant(guardado));
    }

    void menus_data()
    {
        QTest::addColumn<QString>("guardado");
        QTest::addColumn<QStringList>("esperado");
        QTest::newRow("Spanish") << "Español"
                                 << QStringList{"mnuArchivo=&Archivo",
                                                "mnuNuevo=&Nuevo",
                                                "mnuAbrir=A&brir...-",
                                                "mnuBarra1=",
                                                "mnuGuardar=&Guardar-",
                                                "mnuGuardarComo=G&uardar como...-",
                                                "mnuBarra2=",
                                                "mnuSalir=&Salir",
                                                "mnuModelo=&Modelo",
                                                "MnuHidrela=&Hidrela",
                                                "mnuOtros=&Otros-",
                                                "mnuVentanas=&Ventanas",
                                                "mnuOpciones=&Opciones",
                                                "mnuIdioma=&Idioma para la próxima sesión",
                                                "mnuIdiomaEspañol=Españ&ol",
                                                "mnuIdiomaEnglish=&Inglés"};
        QTest::newRow("English") << "English"
                                 << QStringList{"mnuArchivo=&File",
                                                "mnuNuevo=&New",
                                                "mnuAbrir=&Open...-",
                                                "mnuBarra1=",
                                                "mnuGuardar=&Save-",
                                                "mnuGuardarComo=Save &as...-",
                                                "mnuBarra2=",
                                                "mnuSalir=&Exit",
                                                "mnuModelo=&Model",
                                                "MnuHidrela=&Hidrela",
                                                "mnuOtros=&Others-",
                                                "mnuVentanas=&Windows",
                                                "mnuOpciones=&Options",
                                                "mnuIdioma=&Language in next session",
                                                "mnuIdiomaEspañol=&Spanish",
                                                "mnuIdiomaEnglish=&English"};
    }

    // The whole menu tree in order: name=caption, "-" marking a disabled item.
    void menus()
    {
        QFETCH(QString, guardado);
        QFETCH(QStringList, esperado);
        apoyo::FijaIdioma(guardado);
        auto s = Abre();
        QStringList visto;
        std::function<void(const QList<QAction*>&)> recorre = [&](const QList<QAction*>& acciones) {
            for (const QAction* a : acciones) {
                visto << a->objectName() + u'=' + a->text() + (a->isEnabled() ? "" : "-");
                if (a->menu() && a->objectName() != QStringLiteral("mnuVentanas"))
                    recorre(a->menu()->actions());
            }
        };
        recorre(Principal(*s)->menuBar()->actions());
        QCOMPARE(visto, esperado);
    }

    void eleccionIdioma_data()
    {
        QTest::addColumn<QString>("guardado");
        QTest::addColumn<QString>("elegido");
        QTest::newRow("nothing stored, English again") << QString() << "mnuIdiomaEnglish";
        QTest::newRow("nothing stored, Spanish") << QString() << "mnuIdiomaEspañol";
        QTest::newRow("Spanish, English") << "Español"
                                          << "mnuIdiomaEnglish";
        QTest::newRow("Spanish, Spanish again") << "Español"
                                                << "mnuIdiomaEspañol";
    }

    void eleccionIdioma()
    {
        QFETCH(QString, guardado);
        QFETCH(QString, elegido);
        apoyo::FijaIdioma(guardado);
        auto s = Abre();
        frmContenedor* w = Principal(*s);
        QVERIFY(w);
        const qint16 antes = s->v.NumIdioma;
        const QString titulo = Busca<QMenu>(w, QStringLiteral("mnuArchivo"))->title();
        auto* espanol = Busca<QAction>(w, QStringLiteral("mnuIdiomaEspañol"));
        auto* ingles = Busca<QAction>(w, QStringLiteral("mnuIdiomaEnglish"));

        Busca<QAction>(w, elegido)->trigger();

        const bool aEspanol = elegido == QStringLiteral("mnuIdiomaEspañol");
        QCOMPARE(Guardado(), QVariant(aEspanol ? QStringLiteral("Español") : QStringLiteral("English")));
        QCOMPARE(espanol->isChecked(), aEspanol);
        QCOMPARE(ingles->isChecked(), !aEspanol);
        // The running program keeps its language until the next start.
        QCOMPARE(s->v.NumIdioma, antes);
        QCOMPARE(Busca<QMenu>(w, QStringLiteral("mnuArchivo"))->title(), titulo);
    }

    void nuevo()
    {
        auto s = Abre();
        frmContenedor* w = Principal(*s);
        RegistraOtra(*s);
        s->nav.Muestra(QStringLiteral("frmOtra"));
        QPointer<QWidget> vieja = s->nav.Ventana(Entrada);
        s->nav.Marco(Entrada)->move(120, 80);
        s->v.NAC(2) = 70.0;
        QCOMPARE(w->Area()->subWindowList().size(), 2);

        Busca<QAction>(w, QStringLiteral("mnuNuevo"))->trigger();
        apoyo::Recoge();

        QVERIFY(vieja.isNull());
        const auto marcos = w->Area()->subWindowList();
        QCOMPARE(marcos.size(), 1);
        QCOMPARE(marcos[0]->widget()->objectName(), Entrada);
        QCOMPARE(marcos[0]->pos(), QPoint(0, 0));
        QVERIFY(marcos[0]->isVisible());
        QVERIFY(!s->nav.Ventana(QStringLiteral("frmOtra")));
        QVERIFY(w->isVisible());
        QCOMPARE(s->v.NAC(2), 70.0); // the site state is kept
    }

    // Closing the site entry window takes every other window with it, but
    // not the main window.
    void cerrarEntradaDescargaLasDemas()
    {
        auto s = Abre();
        frmContenedor* w = Principal(*s);
        RegistraOtra(*s);
        QPointer<QWidget> otra = s->nav.Muestra(QStringLiteral("frmOtra"));
        s->nav.Marco(Entrada)->close();
        apoyo::Recoge();
        QVERIFY(otra.isNull());
        QVERIFY(w->Area()->subWindowList().isEmpty());
        QVERIFY(s->nav.Ventana(QStringLiteral("frmContenedor")) == w);
        QVERIFY(w->isVisible());

        // It can be opened again, as new.
        QVERIFY(s->nav.Muestra(Entrada));
        QCOMPARE(w->Area()->subWindowList().size(), 1);
    }

    void listaDeVentanas()
    {
        apoyo::FijaIdioma(QStringLiteral("Español"));
        auto s = Abre();
        frmContenedor* w = Principal(*s);
        RegistraOtra(*s);
        s->nav.Muestra(QStringLiteral("frmOtra"));
        auto* ventanas = Busca<QMenu>(w, QStringLiteral("mnuVentanas"));
        emit ventanas->aboutToShow();

        const auto items = ventanas->actions();
        QCOMPARE(items.size(), 2);
        QVERIFY(items[0]->text().endsWith(QStringLiteral("Datos de entrada de HIDRELA")));
        QVERIFY(items[1]->text().endsWith(QStringLiteral("Otra")));
        QVERIFY(!items[0]->isChecked() && items[1]->isChecked());

        items[0]->trigger();
        QCOMPARE(w->Area()->activeSubWindow(), s->nav.Marco(Entrada));
        // Showing a loaded window brings it to the front, without a second copy.
        QWidget* otra = s->nav.Ventana(QStringLiteral("frmOtra"));
        QCOMPARE(s->nav.Muestra(QStringLiteral("frmOtra")), otra);
        QCOMPARE(w->Area()->activeSubWindow(), s->nav.Marco(QStringLiteral("frmOtra")));

        s->nav.Descarga(QStringLiteral("frmOtra"));
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
        QTimer::singleShot(0, w, [w] { Busca<QAction>(w, QStringLiteral("mnuSalir"))->trigger(); });
        // Only a guard against a hang; it never decides the result.
        QTimer guardia;
        guardia.setSingleShot(true);
        connect(&guardia, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        guardia.start(60000);
        QCOMPARE(QApplication::exec(), 0);
        guardia.stop();
        QVERIFY(w->isVisible());
        QCOMPARE(s->nav.Ventana(Entrada), entrada);
    }
};

QTEST_MAIN(TstArranque)
#include "tst_arranque.moc"
