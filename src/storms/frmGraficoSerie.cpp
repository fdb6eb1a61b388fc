#include "storms/frmGraficoSerie.h"

#include "common/Catalogo.h"
#include "common/Navegacion.h"
#include "common/Variables.h"
#include "widgets/CampoNumerico.h"
#include "widgets/Colocacion.h"
#include "widgets/Controles.h"
#include "widgets/Exportacion.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QLineSeries>
#include <QPushButton>
#include <QStackedBarSeries>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

namespace {

const QString Nombre = QStringLiteral("frmGraficoSerie");

// Category labels stay readable up to this many bars; beyond, the axis
// title says which storms the bars span.
constexpr int MaxRotulos = 40;

QChartView* Vista(QWidget* padre, const QString& nombre, QAbstractBarSeries* barras, const QString& unidad)
{
    auto* grafico = new QChart;
    grafico->addSeries(barras);
    auto* ejeX = new QBarCategoryAxis;
    auto* ejeY = new QValueAxis;
    ejeY->setLabelFormat(QStringLiteral("%.0f"));
    ejeY->setTitleText(unidad);
    grafico->addAxis(ejeX, Qt::AlignBottom);
    grafico->addAxis(ejeY, Qt::AlignLeft);
    barras->attachAxis(ejeX);
    barras->attachAxis(ejeY);
    barras->setBarWidth(0.9);
    grafico->legend()->setAlignment(Qt::AlignBottom);
    grafico->setMargins(QMargins(4, 4, 4, 4));
    grafico->setBackgroundRoundness(0);
    auto* vista = new QChartView(grafico, padre);
    vista->setObjectName(nombre);
    vista->setRenderHint(QPainter::Antialiasing);
    vista->setMinimumSize(560, 240);
    return vista;
}

void Escala(QChart* grafico, const QStringList& categorias, const QString& titulo, const QString& nota, double tope)
{
    auto* ejeX = qobject_cast<QBarCategoryAxis*>(grafico->axes(Qt::Horizontal).value(0));
    auto* ejeY = qobject_cast<QValueAxis*>(grafico->axes(Qt::Vertical).value(0));
    ejeX->clear();
    ejeX->append(categorias);
    ejeX->setLabelsVisible(categorias.size() <= MaxRotulos);
    ejeX->setTitleVisible(categorias.size() <= MaxRotulos);
    ejeX->setGridLineVisible(categorias.size() <= MaxRotulos);
    ejeY->setRange(0, tope > 0 ? tope * 1.1 : 1);
    ejeY->applyNiceNumbers();
    // Grouped bars say so on the chart itself, which is what a saved picture keeps.
    grafico->setTitle(nota.isEmpty() ? titulo : titulo + QStringLiteral("<br>") + nota);
}

} // namespace

std::vector<BarraSerie> AgrupaSerie(const std::vector<BarraSerie>& serie, std::size_t porBarra)
{
    porBarra = std::max<std::size_t>(porBarra, 1);
    std::vector<BarraSerie> grupos;
    grupos.reserve((serie.size() + porBarra - 1) / porBarra);
    for (std::size_t i = 0; i < serie.size(); i += porBarra) {
        BarraSerie g = serie[i];
        for (std::size_t k = i + 1; k < std::min(i + porBarra, serie.size()); ++k) {
            g.P = std::max(g.P, serie[k].P);
            g.PBanqueta = std::max(g.PBanqueta, serie[k].PBanqueta);
            g.CapaNecesaria = std::max(g.CapaNecesaria, serie[k].CapaNecesaria);
            g.Desborda = g.Desborda || serie[k].Desborda;
        }
        grupos.push_back(g);
    }
    return grupos;
}

void RefrescaGraficoSerie(Navegacion& nav)
{
    if (auto* g = qobject_cast<frmGraficoSerie*>(nav.Ventana(Nombre)))
        g->Rellena();
}

frmGraficoSerie::frmGraficoSerie(Variables& v, Navegacion& nav, QWidget* parent) : QWidget(parent), v_(v), nav_(nav)
{
    setObjectName(Nombre);

    barP_ = new QBarSet(Texto(v_, 1703));
    barBanqueta_ = new QBarSet(Texto(v_, 1704));
    auto* lluvia = new QBarSeries;
    lluvia->append({barP_, barBanqueta_});
    grfLluvia_ = Vista(this, QStringLiteral("grfLluvia"), lluvia, QStringLiteral("l/m²"));

    // One bar per storm: the storage it needs, in the overflow colour when it
    // exceeds the capacity.
    barCabe_ = new QBarSet(Texto(v_, 1705));
    barDesborda_ = new QBarSet(Texto(v_, 1706));
    barDesborda_->setColor(QColor(200, 40, 40));
    auto* capa = new QStackedBarSeries;
    capa->append({barCabe_, barDesborda_});
    grfCapa_ = Vista(this, QStringLiteral("grfCapa"), capa, QStringLiteral("l"));
    lineaCapa_ = new QLineSeries;
    lineaCapa_->setName(Texto(v_, 1707));
    lineaCapa_->setPen(QPen(QColor(30, 30, 30), 2, Qt::DashLine));
    QChart* grafico = grfCapa_->chart();
    grafico->addSeries(lineaCapa_);
    for (QAbstractAxis* eje : grafico->axes())
        lineaCapa_->attachAxis(eje);

    // Bars a pixel wide would be all border.
    for (QBarSet* b : {barP_, barBanqueta_, barCabe_, barDesborda_})
        b->setPen(Qt::NoPen);
    HazGuardable(grfLluvia_, v_);
    HazGuardable(grfCapa_, v_);

    cmdVolver_ = Boton(this, QStringLiteral("cmdVolver"));
    auto* pie = new QHBoxLayout;
    pie->addStretch();
    pie->addWidget(cmdVolver_);
    auto* caja = new QVBoxLayout(this);
    caja->addWidget(grfLluvia_, 1);
    caja->addWidget(grfCapa_, 1);
    caja->addLayout(pie);

    setWindowTitle(Texto(v_, 1700));
    for (QChartView* vista : {grfLluvia_, grfCapa_})
        vista->chart()->axes(Qt::Horizontal).value(0)->setTitleText(Texto(v_, 1708));
    cmdVolver_->setText(Texto(v_, 1098));
    connect(cmdVolver_, &QPushButton::clicked, this, &frmGraficoSerie::cmdVolver_Click);
    connect(&nav_, &Navegacion::Mostrada, this, [this](const QString& nombre) {
        if (nombre == objectName())
            Rellena();
    });

    resize(760, 620);
    CentraAlMostrar(this);
}

void frmGraficoSerie::Rellena()
{
    const std::vector<BarraSerie>& serie = v_.DetalleSerie;
    const std::size_t porBarra = (serie.size() + MaxBarras - 1) / MaxBarras;
    const std::vector<BarraSerie> barras = porBarra > 1 ? AgrupaSerie(serie, porBarra) : serie;

    QList<qreal> P, banqueta, cabe, desborda;
    QStringList categorias;
    double topeLluvia = 0, topeCapa = v_.CAPA;
    for (std::size_t i = 0; i < barras.size(); ++i) {
        const BarraSerie& b = barras[i];
        P << b.P;
        banqueta << b.PBanqueta;
        cabe << (b.Desborda ? 0.0 : b.CapaNecesaria);
        desborda << (b.Desborda ? b.CapaNecesaria : 0.0);
        topeLluvia = std::max({topeLluvia, b.P, b.PBanqueta});
        topeCapa = std::max(topeCapa, b.CapaNecesaria);
        const std::size_t primero = i * std::max<std::size_t>(porBarra, 1) + 1;
        const std::size_t ultimo = std::min(primero + std::max<std::size_t>(porBarra, 1) - 1, serie.size());
        categorias << (primero == ultimo ? QString::number(primero) : QStringLiteral("%1-%2").arg(primero).arg(ultimo));
    }
    for (auto [barra, valores] : {std::pair{barP_, &P}, std::pair{barBanqueta_, &banqueta}, std::pair{barCabe_, &cabe},
                                  std::pair{barDesborda_, &desborda}}) {
        barra->remove(0, barra->count());
        barra->append(*valores);
    }

    const QString nota = porBarra > 1 ? Texto(v_, 1709).arg(porBarra) : QString();
    Escala(grfLluvia_->chart(), categorias, Texto(v_, 1701), nota, topeLluvia);
    Escala(grfCapa_->chart(), categorias, Texto(v_, 1702).arg(FormatoLocal(v_, v_.CAPA, 1)), nota, topeCapa);
    const qreal fin = std::max<qreal>(static_cast<qreal>(barras.size()) - 0.5, 0.5);
    lineaCapa_->replace({QPointF(-0.5, v_.CAPA), QPointF(fin, v_.CAPA)});
}

void frmGraficoSerie::cmdVolver_Click()
{
    nav_.Descarga(objectName());
}
