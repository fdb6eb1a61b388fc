#pragma once

class Vigencia;

#include "storms/Escenario.h"
#include "widgets/Controles.h"

#include <QWidget>

#include <array>

class Navegacion;
struct DocumentoSitio;
struct Variables;

// One storm: its depth and moisture condition in, the water each part of the
// unit receives out.
class frmPrecipitacion : public QWidget {
    Q_OBJECT

  public:
    frmPrecipitacion(Variables& v, Navegacion& nav, QWidget* parent = nullptr);

  private:
    // The storm as accepted in the two fields, written into the document,
    // which is told.
    void Anota();
    void cmdCalcular_Click();
    void cmdResumen_Click();
    void cmdSeguir_Click();
    // Checks the depth and the condition; on success computes and shows the
    // storm. Returns whether it did.
    bool ValidaAguacero();

    Variables& v_;
    Navegacion& nav_;
    double P_ = 0; // the depth last computed

    QGroupBox* marcoDatos_;
    Vigencia* vigencia_;
    EntradaTormenta e_;
    QPushButton* cmdCalcular_;
    QPushButton* cmdResumen_;
    QPushButton* cmdSeguir_;
    QGroupBox* marcoResultados_;
    std::array<QLabel*, 9> rotuloResultado_{};
    std::array<QLineEdit*, 9> txtResultado_{};
};
