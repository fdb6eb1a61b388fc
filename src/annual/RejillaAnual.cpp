#include "annual/RejillaAnual.h"

#include "common/BaseDatos.h"
#include "common/Catalogo.h"
#include "common/Mensajes.h"
#include "common/Variables.h"
#include "widgets/CampoNumerico.h"
#include "widgets/RejillaDatos.h"
#include "widgets/RejillaFija.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QShortcut>
#include <QSqlTableModel>
#include <QStandardItemModel>
#include <QTableWidget>
#include <QTimer>
#include <QToolTip>

#include <algorithm>

namespace {

// Model columns of table Anual; the grid shows the last three, as grid
// columns 0..2.
constexpr int ColMes = 0, ColP = 1, ColN = 3;
constexpr int Meses = 12;

} // namespace

RejillaAnual::RejillaAnual(Variables& v, QWidget* parent)
    : QGroupBox(parent), v_(v), base_(std::make_unique<BaseDatos>()), tblAnoMes_(new QTableWidget(this)),
      tblAno_(HazRejilla())
{
    setObjectName(QStringLiteral("Frame1"));
    tblAnoMes_->setObjectName(QStringLiteral("tblAnoMes"));
    tblAno_->setObjectName(QStringLiteral("tblAno"));
    // F1, also while a cell is edited, explains the current cell's column.
    new QShortcut(
        QKeySequence(Qt::Key_F1), tblAno_, [this] { AyudaColumna(); }, Qt::WidgetWithChildrenShortcut);
    HazRejillaFija(tblAnoMes_, Meses + 1, 1);
    tblAnoMes_->setFocusPolicy(Qt::NoFocus);
    tblAnoMes_->setSelectionMode(QAbstractItemView::NoSelection);
    tblAnoMes_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    if (base_->Abierta()) {
        Usa(base_->Modelo(this, QStringLiteral("Anual"), ColMes));
    } else {
        PasaAMemoria();
    }

    auto* rejilla = new QHBoxLayout(this);
    rejilla->setSpacing(0);
    rejilla->addWidget(tblAnoMes_, 0, Qt::AlignTop);
    rejilla->addWidget(tblAno_, 0, Qt::AlignTop);
    rejilla->addStretch();
}

RejillaDatos* RejillaAnual::HazRejilla()
{
    RejillaDatos::Forma forma;
    forma.primera = ColP;
    forma.columnas = {{1, true}, {1, true}, {0, false}};
    // Out of range is blanked; text that is no number stays to be corrected.
    forma.comprueba = [this](int columna, const QString& texto) -> RejillaDatos::Chequeo {
        const ChequeoCelda c = ValidaCelda(columna, NumeroLocal(v_, texto));
        if (c.aceptada)
            return {.valor = c.valor};
        return {.mensaje = c.mensaje, .borra = c.mensaje != 1027};
    };
    forma.guarda = [this](const QModelIndex& indice, double valor) { Guarda(indice, valor); };
    forma.ayuda = [this](int fila, int columna) -> std::optional<double> {
        return Valor(fila, ColP + columna).value_or(0);
    };
    forma.fila = [this](int fila) { return Texto(v_, 1010 + fila); }; // the month
    forma.salidaCallada = true;
    return new RejillaDatos(v_, std::move(forma), this);
}

void RejillaAnual::AyudaColumna() const
{
    const QModelIndex i = tblAno_->currentIndex();
    const int columna = std::clamp(i.column() - ColP, 0, 2);
    QString texto = Texto(v_, 1856 + columna);
    if (columna == 2)
        texto = texto.arg(FormatoLocal(v_, 0.1, 1));
    const QRect celda = tblAno_->visualRect(i);
    // Shown until a key or a click, or for 30 s.
    QToolTip::showText(tblAno_->viewport()->mapToGlobal(celda.bottomLeft()), texto, tblAno_, {}, 30000);
}

RejillaAnual::~RejillaAnual()
{
    // The view and the model go before the connection they use.
    delete tblAno_;
    delete datAnual_;
}

bool RejillaAnual::EnArchivo() const
{
    return qobject_cast<QSqlTableModel*>(datAnual_) != nullptr;
}

void RejillaAnual::AvisaBaseDatos() const
{
    Mensaje(Icono::Informacion, QStringLiteral("Error"), Texto(v_, 1602).arg(QDir::toNativeSeparators(base_->Ruta())));
}

void RejillaAnual::Usa(QAbstractItemModel* modelo)
{
    // The current cell stays where it was, so that typing goes on in place.
    const QModelIndex actual = tblAno_->currentIndex();
    QAbstractItemModel* antes = datAnual_;
    datAnual_ = modelo;
    modelo->setObjectName(QStringLiteral("datAnual"));
    tblAno_->setModel(modelo);
    tblAno_->setColumnHidden(ColMes, true);
    delete antes;
    FijaTextos();
    if (actual.isValid())
        tblAno_->selectionModel()->setCurrentIndex(modelo->index(actual.row(), actual.column()),
                                                   QItemSelectionModel::NoUpdate);
}

void RejillaAnual::PasaAMemoria()
{
    auto* memoria = new QStandardItemModel(Meses, ColN + 1, this);
    for (int f = 0; f < Meses; ++f) {
        memoria->setData(memoria->index(f, ColMes), f + 1);
        for (int c = ColP; c <= ColN; ++c)
            if (const std::optional<double> x = Valor(f, c))
                memoria->setData(memoria->index(f, c), *x);
    }
    for (const Pendiente& p : pendientes_)
        memoria->setData(memoria->index(p.fila, p.columna), p.valor);
    pendientes_.clear();
    Usa(memoria);
}

void RejillaAnual::Guarda(const QModelIndex& indice, double valor)
{
    if (!EnArchivo() || datAnual_->setData(indice, valor)) {
        if (!EnArchivo())
            datAnual_->setData(indice, valor);
        emit Aceptada(indice.row() + 1);
        return;
    }
    // The file stopped taking the year: it goes on in memory, with this value.
    pendientes_.push_back({indice.row(), indice.column(), valor});
    QTimer::singleShot(0, this, [this] {
        if (EnArchivo()) {
            PasaAMemoria();
            AvisaBaseDatos();
        }
    });
    emit Aceptada(indice.row() + 1);
}

void RejillaAnual::FijaTextos()
{
    setTitle(Texto(v_, 1536));
    FijaTexto(tblAnoMes_, 0, 0, Texto(v_, 1531));
    for (int m = 1; m <= Meses; ++m)
        FijaTexto(tblAnoMes_, m, 0, Texto(v_, 1009 + m));
    if (!datAnual_)
        return;
    const QFontMetrics fm = tblAno_->horizontalHeader()->fontMetrics();
    for (int c = ColP; c <= ColN; ++c) {
        const QString titulo = Texto(v_, 1532 + c - ColP);
        datAnual_->setHeaderData(c, Qt::Horizontal, titulo);
        tblAno_->setColumnWidth(c, std::max(c == ColN ? 48 : 72, fm.horizontalAdvance(titulo) + 16));
    }
    Dimensiona();
}

void RejillaAnual::Dimensiona()
{
    // Each month name level with its data row.
    const int cabecera = tblAno_->horizontalHeader()->sizeHint().height();
    const int fila = tblAno_->verticalHeader()->defaultSectionSize();
    tblAnoMes_->setRowHeight(0, cabecera);
    for (int m = 1; m <= Meses; ++m)
        tblAnoMes_->setRowHeight(m, fila);
    AjustaAContenido(tblAnoMes_);
    int ancho = 2 * tblAno_->frameWidth();
    for (int c = ColP; c <= ColN; ++c)
        ancho += tblAno_->columnWidth(c);
    tblAno_->setFixedSize(ancho, 2 * tblAno_->frameWidth() + cabecera + Meses * fila);
}

void RejillaAnual::Llena(const TablaAnual& t)
{
    for (int f = 0; f < Meses; ++f)
        for (int c = ColP; c <= ColN; ++c)
            if (const std::optional<double> x = t[static_cast<std::size_t>(f)][static_cast<std::size_t>(c - ColP)])
                Guarda(datAnual_->index(f, c), *x);
    tblAno_->viewport()->update();
}

void RejillaAnual::VaciaTabla()
{
    if (EnArchivo()) {
        if (base_->VaciaAnual()) {
            static_cast<QSqlTableModel*>(datAnual_)->select();
            return;
        }
        AvisaBaseDatos();
    }
    // The twelve months empty, in memory.
    auto* memoria = new QStandardItemModel(Meses, ColN + 1, this);
    for (int f = 0; f < Meses; ++f)
        memoria->setData(memoria->index(f, ColMes), f + 1);
    pendientes_.clear();
    Usa(memoria);
}

void RejillaAnual::Rellena(const TablaAnual& t)
{
    for (int f = 0; f < Meses; ++f)
        for (int c = ColP; c <= ColN; ++c)
            if (const Celda x = t[static_cast<std::size_t>(f)][static_cast<std::size_t>(c - ColP)])
                Guarda(datAnual_->index(f, c), *x);
}

std::optional<double> RejillaAnual::Valor(int fila, int columnaModelo) const
{
    if (!datAnual_)
        return std::nullopt;
    const QVariant dato = datAnual_->index(fila, columnaModelo).data(Qt::EditRole);
    bool ok = false;
    const double x = dato.toDouble(&ok);
    return dato.isNull() || !ok ? std::nullopt : std::optional<double>(x);
}

TablaAnual RejillaAnual::Celdas() const
{
    TablaAnual t{};
    for (int f = 0; f < Meses; ++f)
        for (int c = ColP; c <= ColN; ++c)
            t[static_cast<std::size_t>(f)][static_cast<std::size_t>(c - ColP)] = Valor(f, c);
    return t;
}

void RejillaAnual::Enfoca(int fila, int columna)
{
    tblAno_->Enfoca(fila, columna);
}

bool RejillaAnual::RetieneEnter() const
{
    return tblAno_->RetieneEnter();
}
