#pragma once

#include "model/Documento.h"

#include <QMainWindow>

#include <functional>
#include <optional>

class QAction;
class QMdiArea;
class QMenu;
class QTimer;
class Navegacion;
struct Variables;

// The main window: the menus, the area that holds every working window, and
// the site file the work is kept in.
class frmContenedor : public QMainWindow {
    Q_OBJECT

  public:
    frmContenedor(Variables& v, Navegacion& nav, QWidget* parent = nullptr);
    QMdiArea* Area() const { return area_; }

    // The site file of the work, absolute; empty before the first save.
    QString Archivo() const { return archivo_; }
    // What the windows hold now differs from what was last opened or saved.
    bool Modificado() const;
    // What a save would write now.
    DocumentoSitio Actual() const;
    // Opens a site file without asking about the work it replaces; a file
    // that cannot be opened is told and leaves the work as it was.
    bool AbreArchivo(const QString& ruta);
    // Writes the work to `ruta` at once and whole, or tells why not.
    bool GuardaEn(const QString& ruta);
    // A file to open once the main window shows, as named at start-up.
    void AbreAlMostrar(const QString& ruta) { pendiente_ = ruta; }
    // Runs on the written but not yet committed file of every save, so that
    // a save can be made to fail there.

  protected:
    void showEvent(QShowEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;
    bool event(QEvent* evento) override;
    void dragEnterEvent(QDragEnterEvent* evento) override;
    void dropEvent(QDropEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

  private:
    void mnuNuevo_Click();
    void mnuAbrir_Click();
    bool mnuGuardar_Click();
    bool mnuGuardarComo_Click();
    void mnuPropiedades_Click();
    void mnuExportarCSV_Click();
    void mnuInforme_Click();
    void mnuSalir_Click();
    void mnuImportaLluvia_Click();
    void mnuIdiomaEspanol_Click();
    void mnuIdiomaEnglish_Click();
    void ListaVentanas();
    void ListaRecientes();

    // Asks whether to save unsaved work; false when the user cancels.
    // The menus built, captioned in the run's language and connected.
    void ConstruyeMenus();
    void TextosMenus();
    void ConectaMenus();
    bool PuedeSeguir();
    // Whether a field whose text is no number may be left out of a save:
    // the user is asked, and otherwise taken back to it.
    bool NadaSeQueda();
    // Opens `ruta` after asking about the work it replaces.
    void PideAbrir(const QString& ruta);
    // Why `ruta` cannot be opened, or nothing with `d` read.
    std::optional<QString> Lee(const QString& ruta, DocumentoSitio& d) const;
    // Starts the work afresh from `d`: every window unloaded, the entry
    // window filled and computed.
    void Empieza(const DocumentoSitio& d, const QString& ruta);
    void Recuerda(const QString& ruta);
    void ActualizaTitulo();

    Variables& v_;
    Navegacion& nav_;
    // Before the area: its creation already sends this window events.
    // When the frame is next fitted into the screen.
    enum class Encaje { No, AlConocerMarco, AlMoverse } encaje_ = Encaje::No;
    QMdiArea* area_;
    QMenu* mnuArchivo_;
    QMenu* mnuModelo_;
    QMenu* mnuVentanas_;
    QMenu* mnuOpciones_;
    QMenu* mnuIdioma_;
    QAction* mnuNuevo_;
    QAction* mnuAbrir_;
    QAction* mnuGuardar_;
    QAction* mnuGuardarComo_;
    QAction* mnuPropiedades_;
    QAction* mnuExportarCSV_;
    QAction* mnuInforme_;
    QAction* mnuSalir_;
    QAction* mnuBarra3_;
    QAction* mnuImportaLluvia_;
    QAction* MnuHidrela_;
    QAction* mnuOtros_;
    QAction* mnuIdiomaEspanol_;
    QAction* mnuIdiomaEnglish_;
    QAction* mnuCascada_;
    QAction* mnuMosaico_;
    QSize tamArea_;
    QTimer* revisa_ = nullptr;
    bool mostrada_ = false;
    bool sinPreguntar_ = false; // the work is being replaced on purpose

    QString archivo_;
    DocumentoSitio guardado_;
    QString pendiente_;
};
