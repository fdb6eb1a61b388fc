#pragma once

class Vigencia;

#include "widgets/Controles.h"

#include <QWidget>

#include <array>

class Navegacion;
class QLayout;
struct Variables;

// The storm scenario just worked, condensed: the storm or the series, the
// water it leaves available and the storage it calls for. The figures are
// those of the moment the window opened.
class frmResumen : public QWidget {
    Q_OBJECT

  public:
    frmResumen(Variables& v, Navegacion& nav, QWidget* parent = nullptr);

  private:
    void ConstruyeAislado();
    void ConstruyeSerie();
    void ConstruyeDisponibilidad();
    QLayout* ConstruyeCapacidad();
    void MuestraValores();
    void FijaTextos();

    Variables& v_;
    Navegacion& nav_;

    QGroupBox* mrcAislado_;
    QLabel* rotuloPrecip_;
    QLineEdit* txtPrecip_;
    QLabel* rotuloHumedad_;
    QLineEdit* txtHumedad_;
    QGroupBox* mrcSerie_;
    QLabel* rotuloPTotal_;
    QLabel* rotuloNumAguaceros_;
    QLabel* rotuloConEscorrentia_;
    QLabel* rotuloDentroArea_;
    QLabel* rotuloFueraArea_;
    std::array<QLineEdit*, 4> txtDato_{};
    QGroupBox* marcoDisponibilidad_;
    std::array<QLabel*, 4> rotuloDisp_{}; // Label8 .. Label11
    std::array<QLineEdit*, 4> txtDisp_{};
    QLabel* rotuloCapacidad_;
    QLineEdit* txtCapa_;
    Vigencia* vigencia_;
    QPushButton* botonAnterior_;
};
