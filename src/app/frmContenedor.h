#pragma once

#include <QMainWindow>

class QAction;
class QMdiArea;
class QMenu;
class Navegacion;
struct Variables;

// The main window: the menus and the area that holds every working window.
class frmContenedor : public QMainWindow {
    Q_OBJECT

  public:
    frmContenedor(Variables& v, Navegacion& nav, QWidget* parent = nullptr);
    QMdiArea* Area() const { return area_; }

  protected:
    void showEvent(QShowEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;
    bool event(QEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

  private:
    void mnuNuevo_Click();
    void mnuSalir_Click();
    void mnuIdiomaEspanol_Click();
    void mnuIdiomaEnglish_Click();
    void ListaVentanas();

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
    QAction* mnuSalir_;
    QAction* MnuHidrela_;
    QAction* mnuOtros_;
    QAction* mnuIdiomaEspanol_;
    QAction* mnuIdiomaEnglish_;
    QAction* mnuCascada_;
    QAction* mnuMosaico_;
    QSize tamArea_;
    bool mostrada_ = false;
};
