#pragma once

#include <QWidget>

class QLabel;
class QFrame;
class QTimer;
class Navegacion;
struct Variables;

// The first window: the product, its title and credits, for 30 seconds or
// until the user clicks it, presses Enter, Escape or Space, or closes it;
// then the main window takes over.
class frmPresentacion : public QWidget {
    Q_OBJECT

  public:
    frmPresentacion(Variables& v, Navegacion& nav, QWidget* parent = nullptr);

  protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void mousePressEvent(QMouseEvent* evento) override;
    void mouseReleaseEvent(QMouseEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;

  private:
    void ConstruyeDecoracion();
    QFont ConstruyeTitulo();
    void ConstruyeCreditos(const QFont& cursiva);
    void Cierra();

    Variables& v_;
    Navegacion& nav_;
    QFrame* figBorde_;
    QTimer* cierre_; // leads on after 30 seconds (Timer1)
    QList<QWidget*> clicables_;
    bool cerrando_ = false;
};
