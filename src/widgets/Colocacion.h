#pragma once

#include <QWidget>

class QMdiArea;

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

// Moves a child window's frame into the visible part of the main window's
// area, shrinking it where it is larger, but never below what its layout
// needs (the area scrolls to the rest). A top-level, hidden, minimised or
// maximised window stays as it is. `ventana` is the window or its frame.
void TraeAVista(QWidget* ventana);
void TraeTodasAVista(QMdiArea* area);
// Tiles the area's windows so that each fits its tile whole: as many as fit a
// grid of equal tiles, the most recently used first; the rest stay behind
// as they were.
void Mosaico(QMdiArea* area);

// The main window before its first show: where and as it was left, within
// the working area of that screen; the first time, on the screen under the
// pointer, filling its working area, and maximised where that is narrower
// than `ancho` pixels.
void ColocaPrincipal(QWidget* ventana, int ancho);
// After it shows: a normal window's frame, caption included, within the
// working area of its screen.
void EncajaEnPantalla(QWidget* ventana);
// Stores the main window's normal geometry and whether it is maximised.
void GuardaPrincipal(const QWidget* ventana);

// A window of the help group: when it first shows, in its frame, it sizes the
// frame (AjustaMarco) and takes its place at the top right. Escape closes it.
class VentanaColocada : public QWidget {
    Q_OBJECT

  protected:
    explicit VentanaColocada(QWidget* parent = nullptr);
    void showEvent(QShowEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    virtual void AjustaMarco() {}

  private:
    bool colocada_ = false;
};
