#pragma once

class Vigencia;

#include <QWidget>

#include <array>

class Navegacion;
class QChart;
class QChartView;
class QLabel;
class QPushButton;
class QTableWidget;
struct Variables;

// The chart of the twelve months, empty, and the four columns drawn on it:
// flat ground, current slope, systematized slope, collecting area. The window
// and the report draw the same one.
QChart* GraficoHidrico(const Variables& v);
void LlenaGraficoHidrico(QChart* grafico, const std::array<std::array<double, 12>, 4>& columnas);

// The water available month by month on flat ground, on the current slope,
// on the systematized slope and in the collecting area, with the annual
// totals, the storage the year needs, and a bar chart of the twelve months:
// the year in the shared state, read again each time the window is shown.
class frmHidrico : public QWidget {
    Q_OBJECT

  public:
    frmHidrico(Variables& v, Navegacion& nav, QWidget* parent = nullptr);

  protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

  private:
    using Mensual = std::array<double, 12>;

    void Construye();
    void ConstruyeTabla();
    void ConstruyeTotales();
    void ConstruyeGrafico();
    // The grid, its totals, the capacity and the chart, one below the other.
    void Coloca();
    // Shows the year in the shared state, in place of everything shown before.
    void Rellena();
    void ColocaTotales();
    void cmdVolver_Click();

    Variables& v_;
    Navegacion& nav_;
    // The values of columns 1..4 as shown, for the tooltips and the chart.
    std::array<Mensual, 4> columnas_{};

    QTableWidget* tblDispon_;
    QWidget* filaTotales_;
    std::array<QLabel*, 4> lblTotales_{};
    QLabel* rotuloCapacidad_;
    QLabel* lblCap_;
    QChartView* grfDispon_;
    Vigencia* vigencia_;
    QPushButton* cmdVolver_;
};
