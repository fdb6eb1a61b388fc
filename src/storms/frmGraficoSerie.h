#pragma once

class Vigencia;

#include "model/ScenarioResults.h"

#include <QWidget>

#include <vector>

class Navegacion;
class QChart;
class QChartView;
class QPushButton;
struct Variables;

// The series storm by storm: the depth and the water the collecting area
// receives, and the storage each storm needs against the capacity, the
// storms that overflow marked. Drawn again on every recomputation.
class frmGraficoSerie : public QWidget {
    Q_OBJECT

  public:
    // More storms than this are drawn in groups of consecutive storms.
    static constexpr int MaxBarras = 300;

    frmGraficoSerie(Variables& v, Navegacion& nav, QWidget* parent = nullptr);
    // Shows the series in the shared state.
    void Rellena();

  private:
    void cmdVolver_Click();

    Variables& v_;
    Navegacion& nav_;
    QChartView* grfLluvia_;
    QChartView* grfCapa_;
    Vigencia* vigencia_;
    QPushButton* cmdVolver_;
};

// Groups of `porBarra` consecutive storms, each drawn as the largest of its
// figures, overflowing when any of its storms does.
std::vector<BarraSerie> AgrupaSerie(const std::vector<BarraSerie>& serie, std::size_t porBarra);

// The series' two charts, empty: the depth and the water the collecting area
// receives, and the storage needed against the capacity. The window and the
// report draw the same ones.
QChart* GraficoLluvia(const Variables& v);
QChart* GraficoCapa(const Variables& v);
// Draws `serie` on them, grouping storms beyond MaxBarras bars.
void LlenaGraficosSerie(QChart* lluvia, QChart* capa, const Variables& v, const std::vector<BarraSerie>& serie,
                        double CAPA);

// Draws the series chart when it is open.
void RefrescaGraficoSerie(Navegacion& nav);
