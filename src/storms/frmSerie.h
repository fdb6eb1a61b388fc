#pragma once

#include "model/Serie.h"
#include "storms/Escenario.h"

#include <QWidget>

#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class BarraAguaceros;
class Navegacion;
struct Variables;

// A series of storms entered one by one: the user pages through the list,
// changes any storm, and gets the totals of the whole series.
class frmSerie : public QWidget {
    Q_OBJECT

  public:
    // `maxAguaceros` is the most storms the list takes.
    frmSerie(Variables& v, Navegacion& nav, int maxAguaceros = MaxAguaceros, QWidget* parent = nullptr);

  private:
    void cmdAnadir_Click();
    void btnAguacero_Change(int valor);
    // Shows storm `aguacero` of the list and the totals.
    void MuestraAguacero(int aguacero);
    void cmdCalcular_Click();
    void cmdResumen_Click();
    void cmdSigue_Click();
    void cmdGrafico_Click();
    // Checks the storm shown and stores it in the list.
    bool ValidaSerie();
    // Replays the whole list and shows its totals.
    void Recalcula();
    void txtPrecip_GotFocus();

    Variables& v_;
    Navegacion& nav_;
    const int maxAguaceros_;

    int NumAguaceros_ = 0;
    int AguaceroActual_ = 0;
    // Storm k of the list is v_.Documento.serie[k - 1]: the list belongs to
    // the session, and a site file fills it while the window is closed.
    bool NuevoAguacero_ = false;
    bool paginando_ = false; // a page is being validated
    TotalesSerie t_;

    QLabel* Label4_;
    QLabel* lblNumAguacero_;
    BarraAguaceros* btnAguacero_;
    EntradaTormenta e_;
    QPushButton* cmdAnadir_;
    QPushButton* cmdCalcular_;
    QPushButton* cmdResumen_;
    QPushButton* cmdSigue_;
    QPushButton* cmdGrafico_;
    QGroupBox* Frame2_;
    std::array<QLabel*, 12> Label3_{};
    std::array<QLineEdit*, 12> txtResultado_{};
};
