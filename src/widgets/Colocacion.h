#pragma once

#include <QWidget>

// The help windows' sizes are given in twips, the unit of the original
// design: 15 twips a pixel.
constexpr int Twips(int twips)
{
    return (twips + 7) / 15;
}

// The window as the user sees it: its frame inside the main window's area, or
// the window itself when it is top-level.
QWidget* Exterior(QWidget* ventana);

// The height of the window as the user sees it, frame and caption included.
void FijaAlto(QWidget* ventana, int pixeles);

// Places the window at the top of the main window's client area with its
// right edge at the client area's right edge: top = 0, left = client width −
// window width. A top-level window stays where it is.
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
