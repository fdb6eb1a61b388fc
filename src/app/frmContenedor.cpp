#include "app/frmContenedor.h"

#include "app/ImportaLluvia.h"
#include "app/Informe.h"
#include "common/Catalogo.h"
#include "common/Escritura.h"
#include "common/Idioma.h"
#include "common/Mensajes.h"
#include "common/Navegacion.h"
#include "common/NombresVentanas.h"
#include "common/Variables.h"
#include "documento/ArchivoSitio.h"
#include "documento/LectorJson.h"
#include "site/frmEscorrentia.h"
#include "widgets/Colocacion.h"
#include "widgets/Controles.h"
#include "widgets/Exportacion.h"
#include "widgets/Vigencia.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QShortcut>

#include <QPushButton>
#include <QTimer>

#include <algorithm>

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
    setObjectName(ventana::Contenedor);
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
            // Closing the entry window is watched: it ends the work.
            if (nombre == ventana::Escorrentia)
                marco->installEventFilter(this);
        }
    });
    auto* cerrar = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F4), this);
    connect(cerrar, &QShortcut::activated, area_, &QMdiArea::closeActiveSubWindow);

    ConstruyeMenus();

    // Load: the language of the run, its check mark, then the captions.
    const QString guardado = AplicaReglaIdioma(v_);
    const bool espanol = guardado == IdiomaEspanol;
    mnuIdiomaEspanol_->setChecked(espanol);
    mnuIdiomaEnglish_->setChecked(!espanol);

    TextosMenus();
    ConectaMenus();

    // The windows say when the document changes: the title's mark is
    // brought up to date once the events of the moment are handled.
    // Nothing once this window is gone: the shared variables may outlive it.
    v_.DatosActuales = [w = QPointer<frmContenedor>(this)]() -> std::optional<DocumentoSitio> {
        return w ? std::optional<DocumentoSitio>(w->Actual()) : std::nullopt;
    };
    revisa_ = new QTimer(this);
    revisa_->setSingleShot(true);
    revisa_->setInterval(0);
    connect(revisa_, &QTimer::timeout, this, &frmContenedor::ActualizaTitulo);
    connect(v_.Aviso.get(), &AvisoDocumento::Cambiado, revisa_, qOverload<>(&QTimer::start));
    connect(v_.Aviso.get(), &AvisoDocumento::Calculado, revisa_, qOverload<>(&QTimer::start));
    setAcceptDrops(true);
    ActualizaTitulo();
    ListaRecientes();

    ColocaPrincipal(this, AnchoDosVentanas);
}

void frmContenedor::ConstruyeMenus()
{
    mnuArchivo_ = Submenu(this, QStringLiteral("mnuArchivo"));
    mnuNuevo_ = Orden(mnuArchivo_, QStringLiteral("mnuNuevo"));
    mnuAbrir_ = Orden(mnuArchivo_, QStringLiteral("mnuAbrir"));
    mnuArchivo_->addSeparator()->setObjectName(QStringLiteral("mnuBarra1"));
    mnuGuardar_ = Orden(mnuArchivo_, QStringLiteral("mnuGuardar"));
    mnuGuardarComo_ = Orden(mnuArchivo_, QStringLiteral("mnuGuardarComo"));
    mnuPropiedades_ = Orden(mnuArchivo_, QStringLiteral("mnuPropiedades"));
    mnuExportarCSV_ = Orden(mnuArchivo_, QStringLiteral("mnuExportarCSV"));
    mnuInforme_ = Orden(mnuArchivo_, QStringLiteral("mnuInforme"));
    mnuImportaLluvia_ = Orden(mnuArchivo_, QStringLiteral("mnuImportaLluvia"));
    mnuArchivo_->addSeparator()->setObjectName(QStringLiteral("mnuBarra2"));
    mnuSalir_ = Orden(mnuArchivo_, QStringLiteral("mnuSalir"));
    mnuBarra3_ = mnuArchivo_->addSeparator();
    mnuBarra3_->setObjectName(QStringLiteral("mnuBarra3"));

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
}

void frmContenedor::TextosMenus()
{
    mnuArchivo_->setTitle(Texto(v_, 1046));
    mnuNuevo_->setText(Texto(v_, 1047));
    mnuAbrir_->setText(Texto(v_, 1048));
    mnuGuardar_->setText(Texto(v_, 1049));
    mnuGuardarComo_->setText(Texto(v_, 1050));
    mnuPropiedades_->setText(Texto(v_, 1682));
    mnuAbrir_->setShortcut(QKeySequence::Open);
    mnuGuardar_->setShortcut(QKeySequence::Save);
    mnuExportarCSV_->setText(Texto(v_, 1716));
    mnuInforme_->setText(Texto(v_, 1778));
    mnuSalir_->setText(Texto(v_, 1051));
    mnuImportaLluvia_->setText(Texto(v_, 1777));
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
}

void frmContenedor::ConectaMenus()
{
    connect(mnuNuevo_, &QAction::triggered, this, &frmContenedor::mnuNuevo_Click);
    connect(mnuAbrir_, &QAction::triggered, this, &frmContenedor::mnuAbrir_Click);
    connect(mnuGuardar_, &QAction::triggered, this, [this] { mnuGuardar_Click(); });
    connect(mnuGuardarComo_, &QAction::triggered, this, [this] { mnuGuardarComo_Click(); });
    connect(mnuPropiedades_, &QAction::triggered, this, &frmContenedor::mnuPropiedades_Click);
    connect(mnuArchivo_, &QMenu::aboutToShow, this, &frmContenedor::ListaRecientes);
    connect(mnuExportarCSV_, &QAction::triggered, this, &frmContenedor::mnuExportarCSV_Click);
    connect(mnuInforme_, &QAction::triggered, this, &frmContenedor::mnuInforme_Click);
    connect(mnuSalir_, &QAction::triggered, this, &frmContenedor::mnuSalir_Click);
    connect(mnuImportaLluvia_, &QAction::triggered, this, &frmContenedor::mnuImportaLluvia_Click);
    connect(mnuIdiomaEspanol_, &QAction::triggered, this, &frmContenedor::mnuIdiomaEspanol_Click);
    connect(mnuIdiomaEnglish_, &QAction::triggered, this, &frmContenedor::mnuIdiomaEnglish_Click);
    connect(mnuCascada_, &QAction::triggered, area_, &QMdiArea::cascadeSubWindows);
    connect(mnuMosaico_, &QAction::triggered, area_, [this] { Mosaico(area_); });
    connect(mnuVentanas_, &QMenu::aboutToShow, this, &frmContenedor::ListaVentanas);
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

void frmContenedor::showEvent(QShowEvent* evento)
{
    QMainWindow::showEvent(evento);
    if (!mostrada_) {
        mostrada_ = true;
        // The frame, caption included, within the screen too: the window
        // manager tells its size some time after the first show.
        encaje_ = Encaje::AlConocerMarco;
        nav_.Muestra(ventana::Escorrentia);
        if (!pendiente_.isEmpty())
            QTimer::singleShot(0, this, [this] { AbreArchivo(std::exchange(pendiente_, QString())); });
    }
}

void frmContenedor::mnuNuevo_Click()
{
    if (!PuedeSeguir())
        return;
    Empieza(DocumentoSitio{}, QString());
}

void frmContenedor::Empieza(const DocumentoSitio& d, const QString& ruta)
{
    sinPreguntar_ = true;
    nav_.Descarga(ventana::Escorrentia);
    nav_.DescargaTodasMenosPrincipal();
    sinPreguntar_ = false;
    QCoreApplication::processEvents();
    v_.Documento = d;
    v_.CalculadoDe = {};
    archivo_ = ruta;
    nav_.Muestra(ventana::Escorrentia);
    if (QMdiSubWindow* marco = nav_.Marco(ventana::Escorrentia))
        marco->move(0, 0);
    if (!ruta.isEmpty())
        if (auto* w = qobject_cast<frmEscorrentia*>(nav_.Ventana(ventana::Escorrentia)))
            w->Rellena(d);
    guardado_ = Actual();
    ActualizaTitulo();
}

// The tables of the window in front.
void frmContenedor::mnuExportarCSV_Click()
{
    QMdiSubWindow* marco = area_->activeSubWindow();
    ExportaCSV(marco ? marco->widget() : nullptr, v_);
}

// Everything the session computed, as the windows hold it now.
void frmContenedor::mnuInforme_Click()
{
    PrevisualizaInforme(this, v_, FuenteInforme{Actual(), QFileInfo(archivo_).fileName(), QDate::currentDate()});
}

void frmContenedor::mnuSalir_Click()
{
    // No window is asked whether it may close; only unsaved work is.
    if (!PuedeSeguir())
        return;
    GuardaPrincipal(this);
    QCoreApplication::exit(0);
}

void frmContenedor::mnuImportaLluvia_Click()
{
    ImportaLluvia(v_, nav_, this);
}

void frmContenedor::closeEvent(QCloseEvent* evento)
{
    if (!PuedeSeguir()) {
        evento->ignore();
        return;
    }
    GuardaPrincipal(this);
    QMainWindow::closeEvent(evento);
}

DocumentoSitio frmContenedor::Actual() const
{
    DocumentoSitio d = v_.Documento;
    // What a file does not keep: a storm slot not yet entered, the case of
    // a year without data.
    while (!d.serie.empty() && d.serie.back().cond == 0)
        d.serie.pop_back();
    if (d.meses == TablaAnual{})
        d.caso = DocumentoSitio{}.caso;
    return d;
}

bool frmContenedor::Modificado() const
{
    return Actual() != guardado_;
}

void frmContenedor::ActualizaTitulo()
{
    const QString titulo = archivo_.isEmpty()
                               ? TituloPrograma() + QStringLiteral("[*]")
                               : QFileInfo(archivo_).fileName() + QStringLiteral("[*] - ") + TituloPrograma();
    // A maximised window adds its caption to this one: the caption is only
    // set again when the file changes.
    if (!windowTitle().startsWith(titulo))
        setWindowTitle(titulo);
    setWindowModified(Modificado());
    v_.RutaSitio = archivo_;
    RevisaVigencias();
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
    switch (evento->type()) {
    case QEvent::Close:
        // Closing the entry window ends the work, as New does.
        if (!sinPreguntar_ && objeto == nav_.Marco(ventana::Escorrentia)) {
            if (!PuedeSeguir()) {
                evento->ignore();
                return true;
            }
            QTimer::singleShot(0, this, [this] {
                if (!nav_.Ventana(ventana::Escorrentia)) {
                    v_.Documento = DocumentoSitio{};
                    archivo_.clear();
                    guardado_ = Actual();
                    ActualizaTitulo();
                }
            });
        }
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(objeto, evento);
}

void frmContenedor::mnuIdiomaEspanol_Click()
{
    mnuIdiomaEspanol_->setChecked(true);
    mnuIdiomaEnglish_->setChecked(false);
    GuardaIdioma(IdiomaEspanol);
}

void frmContenedor::mnuIdiomaEnglish_Click()
{
    mnuIdiomaEnglish_->setChecked(true);
    mnuIdiomaEspanol_->setChecked(false);
    GuardaIdioma(IdiomaIngles);
}

void frmContenedor::ListaVentanas()
{
    for (QAction* a : mnuVentanas_->actions())
        if (a != mnuCascada_ && a != mnuMosaico_)
            delete a;
    const auto marcos = area_->subWindowList();
    // With no window open there is nothing to arrange.
    mnuCascada_->setEnabled(!marcos.isEmpty());
    mnuMosaico_->setEnabled(!marcos.isEmpty());
    if (!marcos.isEmpty())
        mnuVentanas_->addSeparator();
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
