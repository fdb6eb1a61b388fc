#pragma once

#include <QWidget>

class Navegacion;
struct Variables;

// The site entry window: the first working window.
class frmEscorrentia : public QWidget {
    Q_OBJECT

  public:
    frmEscorrentia(Variables& v, Navegacion& nav, QWidget* parent = nullptr);

  protected:
    void closeEvent(QCloseEvent* evento) override;

  private:
    Variables& v_;
    Navegacion& nav_;
};
