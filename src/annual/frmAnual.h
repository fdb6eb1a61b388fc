#pragma once

class Vigencia;

#include "model/CalculoAnual.h"

#include <QWidget>

#include <array>

class Navegacion;
class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;
class RejillaAnual;
struct DocumentoSitio;
struct Variables;

// The year month by month: the data grid on the left, the runoff case, the
// partial results and the annual totals on the right.
class frmAnual : public QWidget {
    Q_OBJECT

  public:
    frmAnual(Variables& v, Navegacion& nav, QWidget* parent = nullptr);

  private:
    // The months as stored and the runoff case chosen, written into the
    // document, which is told.
    void Anota();
    // Months filled from outside, put in the grid and computed.
    void Importa();
    void Construye();
    void ConstruyeCaso();
    void ConstruyeParciales();
    QLayout* ColocaIzquierda();
    QLayout* ColocaDerecha();
    void FijaTextos();
    CasoEscorrentia Caso() const;
    // LeeDatos and, when the year is valid, the computation and its display.
    bool Calcula();
    void MuestraParciales();
    void BorraParciales();
    void BorraMes(int mes);
    std::optional<QString> AyudaParcial(int fila, int columna) const;

    void cmdCalcular_Click();
    void cmdHidricas_Click();
    void cmdSigue_Click();

    Variables& v_;
    Navegacion& nav_;
    CalculoAnual a_;
    bool calculado_ = false;

    RejillaAnual* rejillaMeses_;
    QLabel* rotuloPAnual_;
    QLabel* rotuloPMax_;
    QLabel* rotuloNumDias_;
    QLineEdit* txtPrecip_;
    QLineEdit* txtPmax_;
    QLineEdit* txtNumDias_;
    QGroupBox* marcoTipoEscorrentia_;
    std::array<QRadioButton*, 3> opcEscorrentia_{};
    QLabel* rotuloParciales_;
    QLabel* lblTipo_;
    QTableWidget* tblParcial_;
    Vigencia* vigencia_;
    QPushButton* cmdCalcular_;
    QPushButton* cmdHidricas_;
    QPushButton* cmdSigue_;
};
