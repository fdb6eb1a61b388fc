#pragma once

#include <QWidget>

// Where the windows stand. A top-level window stays where it is unless said
// otherwise.

// Centres the window on the screen's working area.
void CentraEnPantalla(QWidget* ventana);

// Centres the window's frame in the main window's working area the first
// time it is shown.
void CentraAlMostrar(QWidget* ventana);

// The height of the window as the user sees it, frame and caption included.
void FijaAlto(QWidget* ventana, int pixeles);

// Places the window at the top of the main window's client area with its
// right edge at the client area's right edge: top = 0, left = client width −
// window width.
void ColocaArribaDerecha(QWidget* ventana);

// The height of the main window's client area, or 0 for a top-level window.
int AltoArea(QWidget* ventana);

// A window of the help group: when it first shows, in its frame, it sizes the
// frame (AjustaMarco) and takes its place at the top right.
class VentanaColocada : public QWidget {
    Q_OBJECT

  protected:
    using QWidget::QWidget;
    void showEvent(QShowEvent* evento) override;
    virtual void AjustaMarco() {}

  private:
    bool colocada_ = false;
};
