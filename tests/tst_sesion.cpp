// A forester's afternoon at random: from start-up, a seeded walk of user
// actions through whatever windows are open (typing, keys, clicks, grid
// cells, menus, closing windows), with message boxes
// answered by the seam and the capacity check confirmed or closed at random.
// The main window must be there after every action, and every action return.
//
//   HIDRELA_SEMILLA   seed of the walk (printed; a fixed one when not set,
//                     so that a failed run replays; `make soak` draws one)
//   HIDRELA_ACCIONES  number of actions (2000)
//   HIDRELA_TRAZA     when set, every action is printed before it runs
#include "Apoyo.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <random>

#include <unistd.h>

namespace {

// The walk of `make test`: one that meets the storm and year windows, the
// series' chart and the storm summary among them.
constexpr quint64 SemillaFija = 14;
constexpr int SegundosPorAccion = 60;

// A frozen window is a failure like a crash: an action that does not return
// in time aborts the run with this text, written before each action.
char avisoCongelada[200];

extern "C" void Congelada(int)
{
    [[maybe_unused]] const auto escrito = write(STDERR_FILENO, avisoCongelada, std::strlen(avisoCongelada));
    std::abort();
}

class Paseo : public QObject {
  public:
    Paseo(Sesion& s, quint64 semilla, bool traza, const QString& casa)
        : s_(s), azar_(semilla), traza_(traza), casa_(QDir(casa).canonicalPath())
    {
        // Answers a modal window from inside its own event loop.
        connect(&respuesta_, &QTimer::timeout, this, &Paseo::RespondeModal);
        respuesta_.start(0);
    }

    // One action; false when no window is left open.
    bool Paso(int i)
    {
        // Each action as often as its weight.
        static constexpr std::pair<int, bool (Paseo::*)()> pesos[] = {
            {22, &Paseo::Teclea}, {18, &Paseo::Tecla}, {20, &Paseo::Pulsa},  {10, &Paseo::Celda},
            {2, &Paseo::Menu},    {2, &Paseo::Cierra}, {6, &Paseo::Rellena},
        };
        static const auto acciones = [] {
            std::vector<bool (Paseo::*)()> t;
            for (const auto& [peso, accion] : pesos)
                t.insert(t.end(), peso, accion);
            return t;
        }();
        numero_ = i;
        Confina();
        // An action with nothing to act on gives way to another.
        while (!(this->*acciones[R(acciones.size())])()) {
        }
        apoyo::Recoge();
        QCoreApplication::processEvents();
        apoyo::Recoge();
        bool abierta = false;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (!w->isVisible() || qobject_cast<QMenu*>(w))
                continue;
            abierta = true;
            ventanas.insert(w->objectName());
            if (auto* area = w->findChild<QMdiArea*>())
                for (QMdiSubWindow* m : area->subWindowList())
                    if (m->isVisible() && m->widget())
                        ventanas.insert(m->widget()->objectName());
        }
        return abierta;
    }

    // The windows the walk met, for the report.
    QSet<QString> ventanas;

  private:
    quint64 R(quint64 n) { return n ? azar_() % n : 0; }
    bool Moneda(int porCiento) { return static_cast<int>(R(100)) < porCiento; }
    template <typename T> T Uno(const QList<T>& l)
    {
        return l.isEmpty() ? T{} : l[static_cast<qsizetype>(R(l.size()))];
    }

    void Traza(const char* que, const QObject* donde, const QString& detalle = QString())
    {
        if (traza_)
            std::fprintf(stderr, "%d: %s %s %s\n", numero_, que, donde ? qPrintable(donde->objectName()) : "-",
                         qPrintable(detalle.left(60)));
    }

    // The widgets a user could reach now: only the modal window's while one is open.
    template <typename T> QList<T*> Alcanzables()
    {
        QList<QWidget*> raices;
        if (QWidget* modal = QApplication::activeModalWidget())
            raices << modal;
        else
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->isVisible() && !qobject_cast<QMenu*>(w))
                    raices << w;
        QList<T*> r;
        for (QWidget* raiz : raices) {
            if (auto* t = qobject_cast<T*>(raiz))
                r << t;
            for (T* t : raiz->findChildren<T*>())
                if (t->isVisible() && t->isEnabled())
                    r << t;
        }
        return r;
    }

    // A click on a window brings it to the front first, as the window
    // manager does; without that no field would ever get or lose the focus.
    static void Activa(QWidget* w)
    {
        if (!w || QApplication::activeModalWidget() || QApplication::activeWindow() == w->window())
            return;
        w->window()->activateWindow();
        QCoreApplication::processEvents();
    }

    // Where a key goes: never past an open modal window, which the window
    // system would not allow either.
    static QWidget* Foco()
    {
        QWidget* f = QApplication::focusWidget();
        if (QWidget* modal = QApplication::activeModalWidget())
            return f && f->window() == modal ? f : modal;
        return f ? f : QApplication::activeWindow();
    }

    // Clicks a field and selects what it holds, as before typing over it;
    // false when the click closed its window.
    static bool Marca(QLineEdit* e)
    {
        const QPointer<QLineEdit> campo(e);
        QTest::mouseClick(e, Qt::LeftButton);
        if (campo)
            QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
        return campo;
    }

    // Numbers near the limits of every field, with either separator, and
    // things that are not numbers at all.
    QString Texto()
    {
        static const QStringList cerca = QStringLiteral("0|-0|0.1|0,1|1|4|50|60|70|90|99.99|100|100.01|0.001|9999.9|"
                                                        "9999.95|10000|999.9|1000|31|32|32767|32768|-1|1e308|1e-320|"
                                                        "1,234.5|1.234,5|2.5|12,5|1e5| 7 ")
                                             .split(u'|');
        static const QString letras = QStringLiteral("0123456789.,-+eE abcñáéíóú%$\t");
        const quint64 tipo = R(5);
        if (tipo < 3)
            return Uno(cerca);
        if (tipo == 3) {
            QString t;
            for (quint64 k = R(12); k > 0; --k)
                t += letras[static_cast<qsizetype>(R(letras.size()))];
            return t;
        }
        return QString::number(static_cast<double>(R(2000000)) / std::pow(10.0, static_cast<double>(R(5))), 'g', 12);
    }

    // Key by key, as typed: each key goes where the focus is then (a grid
    // opens its editor on the first), or to `w` while nothing has the focus.
    static void Escribe(QWidget* w, const QString& t)
    {
        const QPointer<QWidget> respaldo(w);
        for (QChar c : t) {
            QWidget* destino = Foco();
            const QWidget* modal = QApplication::activeModalWidget();
            if (respaldo && (modal ? respaldo->window() == modal : !destino))
                destino = respaldo;
            if (!destino)
                return;
            if (c.unicode() < 128)
                QTest::keyClick(destino, static_cast<char>(c.unicode()));
            else
                QTest::sendKeyEvent(QTest::Click, destino, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }

    bool Teclea()
    {
        QWidget* w = Moneda(60) ? Foco() : Uno(Alcanzables<QLineEdit>());
        if (!w)
            return false;
        const QString t = Texto();
        Traza("type", w, t);
        Activa(w);
        const QPointer<QWidget> destino(w);
        if (auto* e = qobject_cast<QLineEdit*>(w); e && Moneda(50))
            Marca(e);
        if (destino)
            Escribe(destino, t);
        return true;
    }

    bool Tecla()
    {
        static const Qt::Key teclas[] = {
            Qt::Key_Return, Qt::Key_Enter,     Qt::Key_Tab,  Qt::Key_Backtab, Qt::Key_Escape, Qt::Key_F1,
            Qt::Key_Up,     Qt::Key_Down,      Qt::Key_Left, Qt::Key_Right,   Qt::Key_PageUp, Qt::Key_PageDown,
            Qt::Key_Delete, Qt::Key_Backspace, Qt::Key_Home, Qt::Key_End,     Qt::Key_Space,  Qt::Key_F2};
        QWidget* w = Foco();
        if (!w)
            return false;
        const Qt::Key k = teclas[R(std::size(teclas))];
        Traza("key", w, QKeySequence(k).toString());
        QTest::keyClick(w, k, Moneda(10) ? Qt::ShiftModifier : Qt::NoModifier);
        return true;
    }

    bool Pulsa()
    {
        QAbstractButton* b = Uno(Alcanzables<QAbstractButton>());
        if (!b)
            return false;
        Traza("click", b, b->text());
        Activa(b);
        QTest::mouseClick(b, Qt::LeftButton);
        return true;
    }

    // A click on an item of a view, scrolled into sight first.
    static QPoint Sobre(QAbstractItemView* v, int fila, int columna)
    {
        const QModelIndex i = v->model()->index(fila, columna);
        v->scrollTo(i);
        return v->visualRect(i).center();
    }

    bool Celda()
    {
        QAbstractItemView* v = Uno(Alcanzables<QAbstractItemView>());
        if (!v || !v->model() || v->model()->rowCount() == 0 || v->model()->columnCount() == 0)
            return false;
        // One expression, so that a seed replays the same cells.
        const QModelIndex i = v->model()->index(static_cast<int>(R(v->model()->rowCount())),
                                                static_cast<int>(R(v->model()->columnCount())));
        const QPoint centro = Sobre(v, i.row(), i.column());
        Traza("cell", v, QStringLiteral("%1,%2").arg(i.row()).arg(i.column()));
        Activa(v);
        QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, centro);
        if (Moneda(30))
            QTest::mouseDClick(v->viewport(), Qt::LeftButton, {}, centro);
        if (Moneda(70)) {
            Escribe(Foco(), Texto());
            static const Qt::Key fin[] = {Qt::Key_Return, Qt::Key_Tab, Qt::Key_Down, Qt::Key_Escape, Qt::Key_Up};
            if (QWidget* f = Foco())
                QTest::keyClick(f, fin[R(std::size(fin))]);
        }
        return true;
    }

    // Any menu item but Exit, which would end the afternoon, and the file
    // dialogs, which would wander the disk.
    bool Menu()
    {
        auto* principal = qobject_cast<QMainWindow*>(s_.nav.Ventana(QStringLiteral("frmContenedor")));
        if (QApplication::activeModalWidget() || !principal)
            return false;
        if (auto* lista = principal->findChild<QMenu*>(QStringLiteral("mnuVentanas")))
            emit lista->aboutToShow();
        QList<QAction*> ordenes;
        for (QList<QAction*> pendientes = principal->menuBar()->actions(); !pendientes.isEmpty();) {
            QAction* a = pendientes.takeFirst();
            if (a->menu())
                pendientes << a->menu()->actions();
            // The report's preview opens dialogs from its own toolbar, which
            // a walk answering from within a modal window cannot answer.
            else if (!a->isSeparator() && a->isEnabled() && a->objectName() != u"mnuSalir" &&
                     !a->objectName().startsWith(u"mnuAbrir") && !a->objectName().startsWith(u"mnuGuardar") &&
                     !a->objectName().startsWith(u"mnuReciente") && a->objectName() != u"mnuInforme")
                ordenes << a;
        }
        QAction* a = Uno(ordenes);
        if (!a)
            return false;
        Traza("menu", a, a->text());
        a->trigger();
        return true;
    }

    bool Cierra()
    {
        if (QApplication::activeModalWidget())
            return false;
        const QList<QMdiSubWindow*> marcos = Alcanzables<QMdiSubWindow>();
        QList<QWidget*> cerrables(marcos.cbegin(), marcos.cend());
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && !qobject_cast<QMainWindow*>(w) && !qobject_cast<QMenu*>(w))
                cerrables << w;
        QWidget* w = Uno(cerrables);
        if (!w)
            return false;
        auto* marco = qobject_cast<QMdiSubWindow*>(w);
        Traza("close", marco ? marco->widget() : w);
        w->close();
        return true;
    }

    // A forester at work: every field and grid cell of one window given a
    // sensible value, then one of its buttons clicked. Rows of three cells
    // get a month that passes the checks.
    bool Rellena()
    {
        QWidget* ventana = QApplication::activeModalWidget();
        if (!ventana) {
            // Mostly the window in use, else any.
            const QList<QMdiSubWindow*> marcos = Alcanzables<QMdiSubWindow>();
            QMdiSubWindow* m = Uno(marcos);
            for (QMdiSubWindow* activo : marcos)
                if (activo->mdiArea() && activo == activo->mdiArea()->activeSubWindow() && Moneda(50))
                    m = activo;
            ventana = m ? m->widget() : nullptr;
        }
        if (!ventana)
            return false;
        Traza("fill", ventana);
        Activa(ventana);
        static const QStringList valores = QStringLiteral("70 60 90 4 1 100 50 2,5 2.5 85").split(u' ');
        static const QStringList meses = QStringLiteral("60 30 4|0 0 0|25 10 3|90 40 6").split(u'|');
        const QPointer<QWidget> v(ventana);
        for (QLineEdit* e : ventana->findChildren<QLineEdit*>()) {
            if (!v)
                return true;
            // A grid's cell editor is filled as a cell, below.
            if (!e->isVisible() || !e->isEnabled() ||
                qobject_cast<QAbstractItemView*>(e->parentWidget()->parentWidget()))
                continue;
            const QPointer<QLineEdit> campo(e);
            if (Marca(e))
                Escribe(e, Uno(valores));
            if (campo)
                QTest::keyClick(e, Qt::Key_Tab);
        }
        for (QAbstractItemView* t : ventana->findChildren<QAbstractItemView*>()) {
            // Only grids the user can type into; keys would go elsewhere.
            if (!v || !t->isVisible() || !t->model() || t->model()->rowCount() == 0 ||
                t->focusPolicy() == Qt::NoFocus || t->editTriggers() == QAbstractItemView::NoEditTriggers)
                continue;
            if (t->model()->columnCount() == 1) { // a list: choose an item
                QTest::mouseClick(t->viewport(), Qt::LeftButton, {},
                                  Sobre(t, static_cast<int>(R(t->model()->rowCount())), 0));
                continue;
            }
            QList<int> visibles;
            const auto* vista = qobject_cast<QTableView*>(t);
            for (int c = 0; c < t->model()->columnCount(); ++c)
                if (!vista || !vista->isColumnHidden(c))
                    visibles << c;
            const QPointer<QAbstractItemView> tabla(t);
            for (int f = 0; tabla && f < std::min(t->model()->rowCount(), 12); ++f) {
                const QStringList mes = Uno(meses).split(u' ');
                for (qsizetype k = 0; tabla && k < visibles.size(); ++k) {
                    QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, Sobre(t, f, visibles[k]));
                    // Over whatever a refused entry left in the editor.
                    if (QWidget* foco = Foco(); qobject_cast<QLineEdit*>(foco))
                        QTest::keyClick(foco, Qt::Key_A, Qt::ControlModifier);
                    if (QWidget* foco = Foco())
                        Escribe(foco, visibles.size() == 3 ? mes[k] : Uno(valores));
                    if (QWidget* foco = Foco())
                        QTest::keyClick(foco, Qt::Key_Return);
                }
            }
        }
        // Then mostly a button that leads on, and maybe the next one: the
        // year's availability is two buttons past its data.
        static const QStringList adelante =
            QStringLiteral("cmdAceptar cmdCalcular cmdContinuar cmdSeguir cmdSigue cmdAguacero cmdSerie cmdAnual "
                           "cmdResumen cmdHidricas cmdAñadir btnAguacero")
                .split(u' ');
        for (int vez = 0; vez < 2 && v && Moneda(70); ++vez) {
            QList<QAbstractButton*> botones, avanzan;
            for (QAbstractButton* b : v->findChildren<QAbstractButton*>())
                if (b->isVisible() && b->isEnabled()) {
                    botones << b;
                    if (adelante.contains(b->objectName()))
                        avanzan << b;
                }
            if (!avanzan.isEmpty() && Moneda(60))
                botones = avanzan;
            if (QAbstractButton* b = Uno(botones)) {
                Traza("click", b, b->text());
                QTest::mouseClick(b, Qt::LeftButton);
            }
        }
        return true;
    }

    // A file dialog is browsed like any window, but only within the walk's
    // scratch folder, so that nothing made through it lands anywhere else.
    void Confina()
    {
        auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!d)
            return;
        const auto devuelve = [this, d] {
            const QString aqui = d->directory().canonicalPath();
            if (aqui != casa_ && !aqui.startsWith(casa_ + u'/'))
                d->setDirectory(casa_);
        };
        if (!d->property("confinado").toBool()) {
            d->setProperty("confinado", true);
            connect(d, &QFileDialog::directoryEntered, this, devuelve);
        }
        devuelve();
    }

    // Types a capacity into the modal window and confirms it, or closes it.
    void RespondeModal()
    {
        Confina();
        QWidget* m = QApplication::activeModalWidget();
        if (!qobject_cast<QDialog*>(m))
            return;
        ventanas.insert(m->objectName());
        if (Moneda(30)) {
            Traza("modal-close", m);
            m->close();
            return;
        }
        if (QApplication::activeWindow() != m) {
            m->activateWindow();
            QCoreApplication::processEvents();
        }
        if (auto* e = m->findChild<QLineEdit*>()) {
            e->setFocus();
            QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
            Escribe(e, Texto());
        }
        if (QAbstractButton* b = Uno(m->findChildren<QAbstractButton*>())) {
            Traza("modal-confirm", m);
            QTest::mouseClick(b, Qt::LeftButton);
        }
    }

    Sesion& s_;
    std::mt19937_64 azar_;
    const bool traza_;
    const QString casa_;
    int numero_ = 0;
    QTimer respuesta_;
};

// What the walk's file dialogs could have made in the folders above `desde`,
// up to the build tree's root: new folders and files of the kinds the
// program writes. Other tests may add anything else there meanwhile.
QStringList Arriba(const QString& desde)
{
    static const QStringList hechos{"New Folder*", "*.csv", "*.hidrela", "*.pdf", "*.png", "*.svg", "*.jpg"};
    QStringList r;
    for (QDir d(desde); d.cdUp();) {
        for (const QString& e : d.entryList(hechos, QDir::AllEntries | QDir::NoDotAndDotDot))
            r << d.filePath(e);
        if (d.exists(QStringLiteral("CMakeCache.txt")))
            break;
    }
    return r;
}

} // namespace

class TstSesion : public QObject {
    Q_OBJECT

  private slots:
    void paseoAleatorio()
    {
        // File dialogs open in a scratch home and folder of the walk's own, so
        // that folders and files made in them never land in the build tree.
        const QString antes = QDir::currentPath();
        QTemporaryDir casa;
        QVERIFY(casa.isValid() && QDir::setCurrent(casa.path()));
        qputenv("HOME", QFile::encodeName(casa.path()));
        const auto arriba = Arriba(casa.path());
        apoyo::AislaAjustes();
        bool ok = false;
        const quint64 dada = qEnvironmentVariable("HIDRELA_SEMILLA").toULongLong(&ok);
        const quint64 semilla = ok ? dada : SemillaFija;
        const int pedidas = qEnvironmentVariableIntValue("HIDRELA_ACCIONES");
        const int acciones = pedidas > 0 ? pedidas : 2000;
        std::fprintf(stderr, "seed %llu, %d actions (replay: HIDRELA_SEMILLA=%llu)\n",
                     static_cast<unsigned long long>(semilla), acciones, static_cast<unsigned long long>(semilla));

        apoyo::FijaIdioma(semilla % 2 ? QStringLiteral("Español") : QStringLiteral("English"));
        const bool traza = qEnvironmentVariableIsSet("HIDRELA_TRAZA");
        apoyo::Registro registro;
        // Unsaved work is discarded or kept in turn, never saved through a dialog.
        CambiaEleccion([](const QString&, const QString&, const QStringList&) {
            static int n = 0;
            return 1 + ++n % 2;
        });

        auto s = Arrancar();
        Paseo paseo(*s, semilla, traza, casa.path());
        std::signal(SIGALRM, Congelada);
        bool vista = false;
        for (int i = 1; i <= acciones; ++i) {
            std::snprintf(avisoCongelada, sizeof avisoCongelada,
                          "action %d did not return within %d s (seed %llu): replay with HIDRELA_TRAZA=1\n", i,
                          SegundosPorAccion, static_cast<unsigned long long>(semilla));
            alarm(SegundosPorAccion);
            const bool abierta = paseo.Paso(i);
            alarm(0);
            // Nothing is left to walk through once the main window is gone;
            // before it is up the presentation stands alone.
            QWidget* principal = s->nav.Ventana(QStringLiteral("frmContenedor"));
            const bool viva = principal && principal->isVisible();
            vista = vista || viva;
            if (!viva && (vista || !abierta))
                QFAIL(qPrintable(QStringLiteral("the main window is gone after action %1; replay: HIDRELA_SEMILLA=%2 "
                                                "HIDRELA_ACCIONES=%1 HIDRELA_TRAZA=1")
                                     .arg(i)
                                     .arg(semilla)));
        }

        QStringList vistas(paseo.ventanas.begin(), paseo.ventanas.end());
        vistas.sort();
        std::fprintf(stderr, "%zu message boxes, %d beeps; windows met:%s\n", registro.cajas.size(), registro.pitidos,
                     qPrintable(vistas.join(u' ')));
        // A walk that stops reaching the windows would pass unnoticed: the
        // fixed one meets these, and any of 2,000 actions or more at least ten.
        const QStringList propias = vistas.filter(QRegularExpression(QStringLiteral("^frm")));
        if (semilla == SemillaFija && acciones == 2000)
            QCOMPARE(propias.join(u' '), QStringLiteral("frmAnual frmAyudaArea frmAyudaCapa frmCapacidad frmContenedor "
                                                        "frmEleccion frmEscorrentía frmEsquema frmGraficoSerie "
                                                        "frmMetodos frmPrecipitacion frmPresentacion frmPropiedades "
                                                        "frmResEscorrentia frmSerie"));
        QVERIFY2(acciones < 2000 || propias.size() >= 10, qPrintable(propias.join(u' ')));
        s.reset();
        apoyo::Recoge();
        QDir::setCurrent(antes);
        QCOMPARE(Arriba(casa.path()), arriba);
    }
};

QTEST_MAIN(TstSesion)
#include "tst_sesion.moc"
