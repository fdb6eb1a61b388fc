#include "storms/frmGraficoSerie.h"

#include "common/Catalogo.h"
#include "common/Navegacion.h"
#include "common/NombresVentanas.h"
#include "common/Variables.h"
#include "widgets/CampoNumerico.h"
#include "widgets/Colocacion.h"
#include "widgets/Controles.h"
#include "widgets/Exportacion.h"
#include "widgets/Vigencia.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QHBoxLayout>
#include <QLineSeries>
#include <QPushButton>
#include <QStackedBarSeries>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

namespace {

const QString Nombre = ventana::GraficoSerie;

// Every bar has its storm number up to this many bars; beyond, every few.
constexpr int MaxRotulos = 40;
// Each bar's tooltip, kept on its bar sets.
const char* const PropAyudas = "ayudas";

// The storm numbers under their bars, every bar's or, on many bars, those of
// a round step that leaves twenty or so.
void Rotula(QCategoryAxis* eje, const QStringList& categorias)
{
    for (const QString& r : eje->categoriesLabels())
        eje->remove(r);
    const qsizetype n = categorias.size();
    qsizetype paso = 1;
    if (n > MaxRotulos)
        for (const qsizetype p : {2, 5, 10, 20, 25, 50, 100}) {
            paso = p;
            if (n / p <= 20)
                break;
        }
    eje->setRange(-0.5, std::max<qreal>(static_cast<qreal>(n) - 0.5, 0.5));
    for (qsizetype i = 0; i < n; ++i)
        if (i == 0 || (i + 1) % paso == 0)
            eje->append(categorias[i], static_cast<qreal>(i));
}

// The tooltip of the bar under the pointer, shown at once and kept by the
// chart's view while the pointer rests there.
void ConAyudas(QAbstractBarSeries* barras)
{
    for (QBarSet* b : barras->barSets())
        QObject::connect(b, &QBarSet::hovered, b, [b, barras](bool encima, int i) {
            const QString texto = encima ? b->property(PropAyudas).toStringList().value(i) : QString();
            const QGraphicsScene* escena = barras->chart() ? barras->chart()->scene() : nullptr;
            for (QGraphicsView* vista : escena ? escena->views() : QList<QGraphicsView*>()) {
                vista->setToolTip(texto);
                QToolTip::showText(QCursor::pos(), texto, vista);
            }
        });
}

QString Ayuda(const Variables& v, const BarraSerie& b, std::size_t primero, std::size_t ultimo)
{
    const QString desborda = Texto(v, b.Desborda ? 1860 : 1861);
    const QString P = FormatoLocal(v, b.P, 1), capa = FormatoLocal(v, b.CapaNecesaria, 1);
    if (primero != ultimo)
        return Texto(v, 1862).arg(QString::number(primero), QString::number(ultimo), P, capa, desborda);
    const QString cond = b.cond >= 1 && b.cond <= 3 ? QString(b.cond, QLatin1Char('I')) : QStringLiteral("?");
    return Texto(v, 1859).arg(QString::number(primero), P, cond, capa, desborda);
}

QChart* Grafico(QAbstractBarSeries* barras, const QString& unidad, const QString& tituloX)
{
    auto* grafico = new QChart;
    grafico->addSeries(barras);
    auto* ejeX = new QCategoryAxis;
    ejeX->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    ejeX->setGridLineVisible(false);
    auto* ejeY = new QValueAxis;
    ejeY->setLabelFormat(QStringLiteral("%.0f"));
    ejeY->setTitleText(unidad);
    ejeX->setTitleText(tituloX);
    grafico->addAxis(ejeX, Qt::AlignBottom);
    grafico->addAxis(ejeY, Qt::AlignLeft);
    barras->attachAxis(ejeX);
    barras->attachAxis(ejeY);
    barras->setBarWidth(0.9);
    grafico->legend()->setAlignment(Qt::AlignBottom);
    grafico->setMargins(QMargins(4, 4, 4, 4));
    grafico->setBackgroundRoundness(0);
    return grafico;
}

QChartView* Vista(QWidget* padre, const QString& nombre, QChart* grafico)
{
    auto* vista = new QChartView(grafico, padre);
    vista->setObjectName(nombre);
    vista->setRenderHint(QPainter::Antialiasing);
    vista->setMinimumSize(560, 240);
    return vista;
}

// The bar sets of a chart's first series, in their order.
QList<QBarSet*> Conjuntos(const QChart* grafico)
{
    auto* barras = qobject_cast<QAbstractBarSeries*>(grafico->series().value(0));
    return barras ? barras->barSets() : QList<QBarSet*>();
}

void Escala(QChart* grafico, const QStringList& categorias, const QString& titulo, const QString& nota, double tope)
{
    Rotula(qobject_cast<QCategoryAxis*>(grafico->axes(Qt::Horizontal).value(0)), categorias);
    auto* ejeY = qobject_cast<QValueAxis*>(grafico->axes(Qt::Vertical).value(0));
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

QChart* GraficoLluvia(const Variables& v)
{
    auto* P = new QBarSet(Texto(v, 1703));
    auto* banqueta = new QBarSet(Texto(v, 1704));
    auto* lluvia = new QBarSeries;
    lluvia->append({P, banqueta});
    // Bars a pixel wide would be all border.
    for (QBarSet* b : {P, banqueta})
        b->setPen(Qt::NoPen);
    ConAyudas(lluvia);
    return Grafico(lluvia, QStringLiteral("l/m²"), Texto(v, 1708));
}

QChart* GraficoCapa(const Variables& v)
{
    // One bar per storm: the storage it needs, in the overflow colour when it
    // exceeds the capacity.
    auto* cabe = new QBarSet(Texto(v, 1705));
    auto* desborda = new QBarSet(Texto(v, 1706));
    desborda->setColor(QColor(200, 40, 40));
    auto* capa = new QStackedBarSeries;
    capa->append({cabe, desborda});
    QChart* grafico = Grafico(capa, QStringLiteral("l"), Texto(v, 1708));
    auto* linea = new QLineSeries;
    linea->setName(Texto(v, 1707));
    linea->setPen(QPen(QColor(30, 30, 30), 2, Qt::DashLine));
    grafico->addSeries(linea);
    for (QAbstractAxis* eje : grafico->axes())
        linea->attachAxis(eje);
    for (QBarSet* b : {cabe, desborda})
        b->setPen(Qt::NoPen);
    ConAyudas(capa);
    return grafico;
}

void LlenaGraficosSerie(QChart* lluvia, QChart* capa, const Variables& v, const std::vector<BarraSerie>& serie,
                        double CAPA)
{
    const std::size_t porBarra = (serie.size() + frmGraficoSerie::MaxBarras - 1) / frmGraficoSerie::MaxBarras;
    const std::vector<BarraSerie> barras = porBarra > 1 ? AgrupaSerie(serie, porBarra) : serie;

    QList<qreal> P, banqueta, cabe, desborda;
    QStringList categorias, ayudas;
    double topeLluvia = 0, topeCapa = CAPA;
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
        ayudas << Ayuda(v, b, primero, ultimo);
    }
    const QList<QBarSet*> deLluvia = Conjuntos(lluvia), deCapa = Conjuntos(capa);
    for (auto [barra, valores] : {std::pair{deLluvia.value(0), &P}, std::pair{deLluvia.value(1), &banqueta},
                                  std::pair{deCapa.value(0), &cabe}, std::pair{deCapa.value(1), &desborda}}) {
        barra->remove(0, barra->count());
        barra->append(*valores);
        barra->setProperty(PropAyudas, ayudas);
    }

    const QString nota = porBarra > 1 ? Texto(v, 1709).arg(porBarra) : QString();
    Escala(lluvia, categorias, Texto(v, 1701), nota, topeLluvia);
    Escala(capa, categorias, Texto(v, 1702).arg(FormatoLocal(v, CAPA, 1)), nota, topeCapa);
    const qreal fin = std::max<qreal>(static_cast<qreal>(barras.size()) - 0.5, 0.5);
    if (auto* linea = qobject_cast<QLineSeries*>(capa->series().value(1)))
        linea->replace({QPointF(-0.5, CAPA), QPointF(fin, CAPA)});
}

void RefrescaGraficoSerie(Navegacion& nav)
{
    if (auto* g = qobject_cast<frmGraficoSerie*>(nav.Ventana(Nombre)))
        g->Rellena();
}

frmGraficoSerie::frmGraficoSerie(Variables& v, Navegacion& nav, QWidget* parent) : QWidget(parent), v_(v), nav_(nav)
{
    setObjectName(Nombre);

    grfLluvia_ = Vista(this, QStringLiteral("grfLluvia"), GraficoLluvia(v_));
    grfCapa_ = Vista(this, QStringLiteral("grfCapa"), GraficoCapa(v_));
    HazGuardable(grfLluvia_, v_);
    HazGuardable(grfCapa_, v_);

    cmdVolver_ = Boton(this, QStringLiteral("cmdVolver"));
    auto* pie = new QHBoxLayout;
    pie->addStretch();
    pie->addWidget(cmdVolver_);
    auto* caja = new QVBoxLayout(this);
    caja->addWidget(grfLluvia_, 1);
    caja->addWidget(grfCapa_, 1);
    vigencia_ = new Vigencia(this, v_, DatosDe::Serie, {grfLluvia_, grfCapa_}, 1710, 1191);
    caja->addWidget(vigencia_->Aviso());
    caja->addLayout(pie);

    setWindowTitle(Texto(v_, 1700));
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
    LlenaGraficosSerie(grfLluvia_->chart(), grfCapa_->chart(), v_, v_.DetalleSerie, v_.CAPA);
    vigencia_->Anota();
}

void frmGraficoSerie::cmdVolver_Click()
{
    nav_.Descarga(objectName());
}
