#include "app/frmContenedor.h"

#include "common/Catalogo.h"
#include "common/Idioma.h"
#include "common/Mensajes.h"
#include "common/Navegacion.h"
#include "common/Variables.h"
#include "widgets/Colocacion.h"
#include "widgets/Controles.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QShortcut>
#include <QTimer>

namespace {

// The site entry window and its report side by side, frames included.
constexpr int AnchoDosVentanas = 1400;

// Each frame's own menu claims Ctrl+F4 as well, and two claims on one key
// cancel each other: the main window's is the one that stays.
void SueltaCerrar(QMdiSubWindow* marco)
{
    if (QMenu* menu = marco->systemMenu())
        for (QAction* a : menu->actions())
            if (a->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_F4)))
                a->setShortcuts({});
}

} // namespace

frmContenedor::frmContenedor(Variables& v, Navegacion& nav, QWidget* parent)
    : QMainWindow(parent), v_(v), nav_(nav), area_(new QMdiArea(this))
{
    setObjectName(QStringLiteral("frmContenedor"));
    // While a child window is maximised, the area adds its caption to this one
    // ("HIDRELA - [...]"): nothing may tell the main window by its caption.
    setWindowTitle(TituloPrograma());
    area_->setObjectName(QStringLiteral("areaVentanas"));
    setCentralWidget(area_);
    // A window that closes hands the front to the one used before it, so a
    // summary closed returns to the storm window that opened it.
    area_->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    // What reaches past the area stays reachable.
    area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area_->viewport()->installEventFilter(this);
    nav_.FijaArea(area_);
    // Every window shown, wherever it placed itself, ends within view.
    connect(&nav_, &Navegacion::Mostrada, this, [this](const QString& nombre) {
        if (QMdiSubWindow* marco = nav_.Marco(nombre)) {
            SueltaCerrar(marco);
            TraeAVista(marco);
        }
    });
    auto* cerrar = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F4), this);
    connect(cerrar, &QShortcut::activated, area_, &QMdiArea::closeActiveSubWindow);

    mnuArchivo_ = Submenu(this, QStringLiteral("mnuArchivo"));
    mnuNuevo_ = Orden(mnuArchivo_, QStringLiteral("mnuNuevo"));
    mnuAbrir_ = Orden(mnuArchivo_, QStringLiteral("mnuAbrir"), false);
    mnuArchivo_->addSeparator()->setObjectName(QStringLiteral("mnuBarra1"));
    mnuGuardar_ = Orden(mnuArchivo_, QStringLiteral("mnuGuardar"), false);
    mnuGuardarComo_ = Orden(mnuArchivo_, QStringLiteral("mnuGuardarComo"), false);
    mnuArchivo_->addSeparator()->setObjectName(QStringLiteral("mnuBarra2"));
    mnuSalir_ = Orden(mnuArchivo_, QStringLiteral("mnuSalir"));

    mnuModelo_ = Submenu(this, QStringLiteral("mnuModelo"));
    MnuHidrela_ = Orden(mnuModelo_, QStringLiteral("MnuHidrela"));
    mnuOtros_ = Orden(mnuModelo_, QStringLiteral("mnuOtros"), false);

    mnuVentanas_ = Submenu(this, QStringLiteral("mnuVentanas"));
    mnuCascada_ = Orden(mnuVentanas_, QStringLiteral("mnuCascada"));
    mnuMosaico_ = Orden(mnuVentanas_, QStringLiteral("mnuMosaico"));

    mnuOpciones_ = Submenu(this, QStringLiteral("mnuOpciones"));
    mnuIdioma_ = Submenu(mnuOpciones_, QStringLiteral("mnuIdioma"));
    mnuOpciones_->addMenu(mnuIdioma_);
    mnuIdiomaEspanol_ = Orden(mnuIdioma_, QStringLiteral("mnuIdiomaEspañol"));
    mnuIdiomaEnglish_ = Orden(mnuIdioma_, QStringLiteral("mnuIdiomaEnglish"));
    mnuIdiomaEspanol_->setCheckable(true);
    mnuIdiomaEnglish_->setCheckable(true);

    for (QMenu* m : {mnuArchivo_, mnuModelo_, mnuVentanas_, mnuOpciones_})
        menuBar()->addMenu(m);

    // Load: the language of the run, its check mark, then the captions.
    const QString guardado = AplicaReglaIdioma(v_);
    const bool espanol = guardado == QStringLiteral("Español");
    mnuIdiomaEspanol_->setChecked(espanol);
    mnuIdiomaEnglish_->setChecked(!espanol);

    mnuArchivo_->setTitle(Texto(v_, 1046));
    mnuNuevo_->setText(Texto(v_, 1047));
    mnuAbrir_->setText(Texto(v_, 1048));
    mnuGuardar_->setText(Texto(v_, 1049));
    mnuGuardarComo_->setText(Texto(v_, 1050));
    mnuSalir_->setText(Texto(v_, 1051));
    mnuModelo_->setTitle(Texto(v_, 1300));
    MnuHidrela_->setText(Texto(v_, 1301));
    mnuOtros_->setText(Texto(v_, 1302));
    mnuVentanas_->setTitle(Texto(v_, 1052));
    mnuCascada_->setText(Texto(v_, 1603));
    mnuMosaico_->setText(Texto(v_, 1604));
    mnuOpciones_->setTitle(Texto(v_, 1303));
    mnuIdioma_->setTitle(Texto(v_, 1304));
    mnuIdiomaEspanol_->setText(Texto(v_, 1305));
    mnuIdiomaEnglish_->setText(Texto(v_, 1306));

    connect(mnuNuevo_, &QAction::triggered, this, &frmContenedor::mnuNuevo_Click);
    connect(mnuSalir_, &QAction::triggered, this, &frmContenedor::mnuSalir_Click);
    connect(mnuIdiomaEspanol_, &QAction::triggered, this, &frmContenedor::mnuIdiomaEspanol_Click);
    connect(mnuIdiomaEnglish_, &QAction::triggered, this, &frmContenedor::mnuIdiomaEnglish_Click);
    connect(mnuCascada_, &QAction::triggered, area_, &QMdiArea::cascadeSubWindows);
    connect(mnuMosaico_, &QAction::triggered, area_, &QMdiArea::tileSubWindows);
    connect(mnuVentanas_, &QMenu::aboutToShow, this, &frmContenedor::ListaVentanas);

    ColocaPrincipal(this, AnchoDosVentanas);
}

void frmContenedor::closeEvent(QCloseEvent* evento)
{
    GuardaPrincipal(this);
    QMainWindow::closeEvent(evento);
}

bool frmContenedor::event(QEvent* evento)
{
    const auto tipo = evento->type();
    if (tipo == QEvent::WindowStateChange) {
        // Restored from maximised: the window manager gives back a place
        // that may have been the whole screen, frame left out.
        encaje_ = isMaximized() ? Encaje::No : Encaje::AlMoverse;
    } else if ((encaje_ == Encaje::AlMoverse && (tipo == QEvent::Move || tipo == QEvent::Resize)) ||
               (encaje_ == Encaje::AlConocerMarco && frameGeometry() != geometry())) {
        encaje_ = Encaje::No;
        QTimer::singleShot(0, this, [this] { EncajaEnPantalla(this); });
    }
    // Last: the event may be the one that deletes this window.
    return QMainWindow::event(evento);
}

bool frmContenedor::eventFilter(QObject* objeto, QEvent* evento)
{
    // The main window resized, maximised or restored: no window is left
    // out of view. Scroll bars that come and go leave the area's own size.
    if (objeto == area_->viewport() && evento->type() == QEvent::Resize && area_->size() != tamArea_) {
        tamArea_ = area_->size();
        TraeTodasAVista(area_);
        // Again once the scroll bars have come or gone with it.
        QTimer::singleShot(0, this, [this] { TraeTodasAVista(area_); });
    }
    return QMainWindow::eventFilter(objeto, evento);
}

void frmContenedor::showEvent(QShowEvent* evento)
{
    QMainWindow::showEvent(evento);
    if (!mostrada_) {
        mostrada_ = true;
        // The frame, caption included, within the screen too: the window
        // manager tells its size some time after the first show.
        encaje_ = Encaje::AlConocerMarco;
        nav_.Muestra(QStringLiteral("frmEscorrentía"));
    }
}

void frmContenedor::mnuNuevo_Click()
{
    const QString entrada = QStringLiteral("frmEscorrentía");
    nav_.Descarga(entrada);
    QCoreApplication::processEvents();
    nav_.Muestra(entrada);
    if (QMdiSubWindow* marco = nav_.Marco(entrada))
        marco->move(0, 0);
}

void frmContenedor::mnuSalir_Click()
{
    // At once: no window is asked whether it may close.
    GuardaPrincipal(this);
    QCoreApplication::exit(0);
}

// A checkable item toggles itself on a click; the item chosen always ends
// checked and the other unchecked, and the choice is written every time.
void frmContenedor::mnuIdiomaEspanol_Click()
{
    mnuIdiomaEspanol_->setChecked(true);
    mnuIdiomaEnglish_->setChecked(false);
    GuardaIdioma(QStringLiteral("Español"));
}

void frmContenedor::mnuIdiomaEnglish_Click()
{
    mnuIdiomaEnglish_->setChecked(true);
    mnuIdiomaEspanol_->setChecked(false);
    GuardaIdioma(QStringLiteral("English"));
}

void frmContenedor::ListaVentanas()
{
    for (QAction* a : mnuVentanas_->actions())
        if (a != mnuCascada_ && a != mnuMosaico_)
            delete a;
    mnuVentanas_->addSeparator();
    const auto marcos = area_->subWindowList();
    for (int i = 0; i < marcos.size(); ++i) {
        QMdiSubWindow* marco = marcos[i];
        QAction* a = mnuVentanas_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(marco->windowTitle()));
        a->setCheckable(true);
        a->setChecked(marco == area_->activeSubWindow());
        connect(a, &QAction::triggered, this, [this, marco = QPointer<QMdiSubWindow>(marco)] {
            if (!marco)
                return;
            // A window chosen is one the user can see and type into.
            if (marco->isMinimized())
                marco->showNormal();
            area_->setActiveSubWindow(marco);
            TraeAVista(marco);
        });
    }
}
