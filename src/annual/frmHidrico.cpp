#include "annual/frmHidrico.h"

#include "common/Catalogo.h"
#include "common/Navegacion.h"
#include "common/NombresVentanas.h"
#include "common/Variables.h"
#include "model/Resultados.h"
#include "widgets/AyudaCelda.h"
#include "widgets/CampoNumerico.h"
#include "widgets/Colocacion.h"
#include "widgets/Controles.h"
#include "widgets/Exportacion.h"
#include "widgets/RejillaFija.h"
#include "widgets/Vigencia.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

namespace {

constexpr int Meses = 12;

} // namespace

QChart* GraficoHidrico(const Variables& v)
{
    auto* serie = new QBarSeries;
    for (const int texto : TextosDisponibilidad)
        serie->append(new QBarSet(Texto(v, texto)));
    auto* grafico = new QChart;
    grafico->addSeries(serie);
    QStringList meses;
    for (int m = 1; m <= Meses; ++m)
        meses << Texto(v, 1009 + m).left(3);
    auto* ejeX = new QBarCategoryAxis;
    ejeX->append(meses);
    auto* ejeY = new QValueAxis;
    ejeY->setLabelFormat(QStringLiteral("%.0f"));
    ejeY->setTitleText(QStringLiteral("l/m²"));
    grafico->addAxis(ejeX, Qt::AlignBottom);
    grafico->addAxis(ejeY, Qt::AlignLeft);
    serie->attachAxis(ejeX);
    serie->attachAxis(ejeY);
    grafico->legend()->setAlignment(Qt::AlignBottom);
    grafico->setMargins(QMargins(4, 4, 4, 4));
    grafico->setBackgroundRoundness(0);
    return grafico;
}

void LlenaGraficoHidrico(QChart* grafico, const std::array<std::array<double, 12>, 4>& columnas)
{
    auto* serie = qobject_cast<QBarSeries*>(grafico->series().value(0));
    if (!serie)
        return;
    const QList<QBarSet*> barras = serie->barSets();
    double tope = 0;
    for (qsizetype c = 0; c < 4; ++c) {
        barras[c]->remove(0, barras[c]->count());
        barras[c]->append(QList<qreal>(columnas[c].begin(), columnas[c].end()));
        tope = std::max(tope, *std::max_element(columnas[c].begin(), columnas[c].end()));
    }
    const QList<QAbstractAxis*> ejes = grafico->axes(Qt::Vertical);
    if (auto* ejeY = ejes.isEmpty() ? nullptr : qobject_cast<QValueAxis*>(ejes.first())) {
        ejeY->setRange(0, tope > 0 ? tope * 1.1 : 1);
        ejeY->applyNiceNumbers();
    }
}

frmHidrico::frmHidrico(Variables& v, Navegacion& nav, QWidget* parent) : QWidget(parent), v_(v), nav_(nav)
{
    setObjectName(ventana::Hidrico);
    Construye();
    connect(&nav_, &Navegacion::Mostrada, this, [this](const QString& nombre) {
        if (nombre == objectName())
            Rellena();
    });
    resize(sizeHint());
    CentraAlMostrar(this);
}

void frmHidrico::Construye()
{
    ConstruyeTabla();
    ConstruyeTotales();

    rotuloCapacidad_ = Rotulo(this, QStringLiteral("Label1"));
    lblCap_ = new QLabel(this);
    lblCap_->setObjectName(QStringLiteral("lblCap"));
    lblCap_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblCap_->setMinimumWidth(lblCap_->fontMetrics().horizontalAdvance(QStringLiteral("00000000.0")));
    lblCap_->setFrameShape(QFrame::Panel);
    lblCap_->setFrameShadow(QFrame::Sunken);
    cmdVolver_ = Boton(this, QStringLiteral("cmdVolver"));
    cmdVolver_->setMinimumHeight(32);

    ConstruyeGrafico();
    HazCopiable(tblDispon_, v_);
    Coloca();

    setWindowTitle(Texto(v_, 1092));
    rotuloCapacidad_->setText(Texto(v_, 1097));
    for (std::size_t i = 0; i < lblTotales_.size(); ++i)
        lblTotales_[i]->setAccessibleName(Texto(v_, 1724).arg(Texto(v_, TextosDisponibilidad[i])));
    HazCopiablesResultados(this, v_);
    cmdVolver_->setText(Texto(v_, 1098));
    connect(cmdVolver_, &QPushButton::clicked, this, &frmHidrico::cmdVolver_Click);
}

// The grid: a row for each month, a column for each place the water reaches.
void frmHidrico::ConstruyeTabla()
{
    tblDispon_ = new QTableWidget(this);
    tblDispon_->setObjectName(QStringLiteral("tblDispon"));
    HazRejillaFija(tblDispon_, Meses + 1, 5);
    tblDispon_->setFocusPolicy(Qt::NoFocus);
    tblDispon_->setSelectionMode(QAbstractItemView::NoSelection);
    QString formato;
    for (const int texto : TextosDisponibilidad)
        formato += QLatin1Char('|') + Texto(v_, texto);
    formato += QLatin1Char(';');
    for (int m = 1; m <= Meses; ++m)
        formato += QLatin1Char('|') + Texto(v_, 1009 + m);
    FijaFormato(tblDispon_, formato);
    AnchoColumna(tblDispon_, 0, 1000);
    for (int c = 1; c <= 4; ++c) {
        AnchoColumna(tblDispon_, c, 1100);
        AlineaColumna(tblDispon_, c, Qt::AlignRight | Qt::AlignVCenter);
        tblDispon_->item(0, c)->setTextAlignment(Qt::AlignCenter);
    }
    AltoFila(tblDispon_, 0, 450);
    AjustaAContenido(tblDispon_);
    SigueAyuda(tblDispon_, [this](int fila, int columna) -> std::optional<QString> {
        if (fila < 1 || fila > Meses || columna < 1 || columna > 4)
            return QString();
        return FormatoLocal(v_, columnas_[static_cast<std::size_t>(columna - 1)][static_cast<std::size_t>(fila - 1)],
                            2);
    });
}

// The totals stand under their columns: placed from the grid's geometry.
void frmHidrico::ConstruyeTotales()
{
    filaTotales_ = new QWidget(this);
    for (int i = 0; i < 4; ++i) {
        auto* l = new QLabel(filaTotales_);
        l->setObjectName(QStringLiteral("lblTotales(%1)").arg(i));
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QFont negrita = l->font();
        negrita.setBold(true);
        l->setFont(negrita);
        lblTotales_[static_cast<std::size_t>(i)] = l;
    }
    filaTotales_->setFixedHeight(lblTotales_[0]->sizeHint().height() + 4);
    filaTotales_->installEventFilter(this);
    tblDispon_->installEventFilter(this);
}

// The year at a glance: the four columns of the grid side by side, month by
// month, captioned as the grid's columns.
void frmHidrico::ConstruyeGrafico()
{
    auto* grafico = GraficoHidrico(v_);
    grfDispon_ = new QChartView(grafico, this);
    grfDispon_->setObjectName(QStringLiteral("grfDispon"));
    grfDispon_->setRenderHint(QPainter::Antialiasing);
    grfDispon_->setMinimumSize(std::max(tblDispon_->width(), 560), 300);
    HazGuardable(grfDispon_, v_);
}

void frmHidrico::Coloca()
{
    auto* capacidad = new QHBoxLayout;
    capacidad->addWidget(rotuloCapacidad_, 1);
    capacidad->addWidget(lblCap_, 0, Qt::AlignTop);
    rotuloCapacidad_->setBuddy(lblCap_);
    auto* pie = new QHBoxLayout;
    pie->addStretch();
    pie->addWidget(cmdVolver_);
    auto* caja = new QVBoxLayout(this);
    caja->setContentsMargins(12, 12, 12, 12);
    caja->addWidget(tblDispon_, 0, Qt::AlignLeft);
    caja->setSpacing(2);
    caja->addWidget(filaTotales_);
    caja->addSpacing(8);
    caja->addLayout(capacidad);
    caja->addSpacing(8);
    caja->addWidget(grfDispon_, 1);
    vigencia_ =
        new Vigencia(this, v_, DatosDe::Disponibilidad, {tblDispon_, filaTotales_, lblCap_, grfDispon_}, 1025, 1001);
    caja->addWidget(vigencia_->Aviso());
    caja->addLayout(pie);
}

void frmHidrico::Rellena()
{
    const double CapaMinAnual = v_.Anio.CapaMinAnual;
    const Disponibilidad d = DisponibilidadAnual(v_.Anio);
    columnas_ = d.columnas;
    for (std::size_t c = 0; c < 4; ++c)
        for (std::size_t m = 0; m < Meses; ++m)
            FijaTexto(tblDispon_, static_cast<int>(m) + 1, static_cast<int>(c) + 1,
                      FormatoLocal(v_, columnas_[c][m], 1));
    const std::array<double, 4>& sumas = d.totales;
    for (std::size_t i = 0; i < 4; ++i) {
        lblTotales_[i]->setText(FormatoLocal(v_, sumas[i], 1));
        lblTotales_[i]->setToolTip(FormatoLocal(v_, sumas[i], 2));
    }
    lblCap_->setText(FormatoLocal(v_, CapaMinAnual, 1));
    lblCap_->setToolTip(FormatoLocal(v_, CapaMinAnual, 2));
    ColocaTotales();

    LlenaGraficoHidrico(grfDispon_->chart(), columnas_);
    vigencia_->Anota();
}

void frmHidrico::ColocaTotales()
{
    // Each total under its column, whatever the widths the grid has taken.
    const int origen = tblDispon_->mapTo(this, QPoint(0, 0)).x() - filaTotales_->mapTo(this, QPoint(0, 0)).x() +
                       tblDispon_->frameWidth();
    for (int i = 0; i < 4; ++i)
        lblTotales_[static_cast<std::size_t>(i)]->setGeometry(origen + tblDispon_->columnViewportPosition(i + 1), 0,
                                                              tblDispon_->columnWidth(i + 1) - 6,
                                                              filaTotales_->height());
}

bool frmHidrico::eventFilter(QObject* objeto, QEvent* evento)
{
    if ((objeto == filaTotales_ || objeto == tblDispon_) &&
        (evento->type() == QEvent::Move || evento->type() == QEvent::Resize || evento->type() == QEvent::Show))
        ColocaTotales();
    return QWidget::eventFilter(objeto, evento);
}

void frmHidrico::cmdVolver_Click()
{
    nav_.Muestra(ventana::Anual);
    nav_.Descarga(objectName());
}
