#pragma once

class Vigencia;

#include "widgets/Controles.h"

#include <QWidget>

#include <array>

class Navegacion;
struct Variables;

// The storm scenario just worked, condensed: the storm or the series, the
// water it leaves available and the storage it calls for. The figures are
// those of the moment the window opened.
class frmResumen : public QWidget {
    Q_OBJECT

  public:
    frmResumen(Variables& v, Navegacion& nav, QWidget* parent = nullptr);

  private:
    Variables& v_;
    Navegacion& nav_;

    QGroupBox* mrcAislado_;
    QLabel* Label6_;
    QLineEdit* txtPrecip_;
    QLabel* Label7_;
    QLineEdit* txtHumedad_;
    QGroupBox* mrcSerie_;
    QLabel* Label1_;
    QLabel* Label2_;
    QLabel* Label3_;
    QLabel* Label4_;
    QLabel* Label5_;
    std::array<QLineEdit*, 4> txtDato_{};
    QGroupBox* Frame3_;
    std::array<QLabel*, 4> LabelDisp_{}; // Label8 .. Label11
    std::array<QLineEdit*, 4> txtDisp_{};
    QLabel* Label12_;
    QLineEdit* txtCapa_;
    Vigencia* vigencia_;
    QPushButton* Command1_;
};
