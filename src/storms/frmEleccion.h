#pragma once

#include <QWidget>

class QPushButton;
class Navegacion;
struct Variables;

// The choice between the scenarios once the site is computed: one storm, a
// series of storms or a year month by month.
class frmEleccion : public QWidget {
    Q_OBJECT

  public:
    frmEleccion(Variables& v, Navegacion& nav, QWidget* parent = nullptr);

  private:
    void cmdAguacero_Click();
    void cmdSerie_Click();
    void cmdAnual_Click();
    // Shows the scenario's window in place of this one.
    void Pasa(const QString& ventana);

    Variables& v_;
    Navegacion& nav_;
    QPushButton* cmdAguacero_;
    QPushButton* cmdSerie_;
    QPushButton* cmdAnual_;
};
