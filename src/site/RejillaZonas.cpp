#include "site/RejillaZonas.h"

#include "common/BaseDatos.h"
#include "common/Catalogo.h"
#include "common/Mensajes.h"
#include "common/Variables.h"
#include "model/Rangos.h"
#include "widgets/CampoNumerico.h"
#include "widgets/RejillaDatos.h"

#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSqlTableModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimer>

namespace {

// Model columns of table Zonas; the grid shows the last two.
constexpr int ColNumero = 0, ColArea = 1, ColCurva = 2;
constexpr int MaxFilasVisibles = 6; // header and five zones

// The check of a typed area (column 0) or curve number (1).
RejillaDatos::Chequeo Comprueba(const Variables& v, int columna, const QString& texto)
{
    const std::optional<double> x = NumeroLocal(v, texto);
    if (!x)
        return {.mensaje = 1027};
    if (columna == 0 && !AreaValida(*x))
        return {.mensaje = 1546};
    if (columna == 1 && !CurvaValida(*x))
        return {.mensaje = 1075};
    return {.valor = *x};
}

} // namespace

RejillaZonas::RejillaZonas(Variables& v, QWidget* parent)
    : QFrame(parent), v_(v), base_(std::make_unique<BaseDatos>()), rotuloNumZonas_(new QLabel(this)),
      lstNumZonas_(new QComboBox(this)), tblZonaTitulo_(new QTableView(this)), tblZonas_(HazRejilla()),
      lblSupTotal_(new QLabel(this)), lblNC_(new QLabel(this)), CalParcial_(new QTimer(this))
{
    setObjectName(QStringLiteral("mrcComplejo"));
    rotuloNumZonas_->setObjectName(QStringLiteral("Label1"));
    rotuloNumZonas_->setWordWrap(true);
    rotuloNumZonas_->setBuddy(lstNumZonas_);
    lstNumZonas_->setObjectName(QStringLiteral("lstNumZonas"));
    lstNumZonas_->addItems({"1", "2", "3", "4", "5"});
    lstNumZonas_->setCurrentIndex(-1);
    tblZonaTitulo_->setObjectName(QStringLiteral("tblZonaTitulo"));
    tblZonas_->setObjectName(QStringLiteral("tblZonas"));
    lblSupTotal_->setObjectName(QStringLiteral("lblSupTotal"));
    lblNC_->setObjectName(QStringLiteral("lblNC"));
    CalParcial_->setObjectName(QStringLiteral("CalParcial"));
    CalParcial_->setSingleShot(true);
    CalParcial_->setInterval(75);
    connect(CalParcial_, &QTimer::timeout, this, &RejillaZonas::CalParcial_Timer);

    if (base_->Abierta()) {
        Usa(base_->Modelo(this, QStringLiteral("Zonas"), ColNumero));
    }
    // The zone numbers, level with the grid's rows.
    tblZonaTitulo_->verticalHeader()->hide();
    tblZonaTitulo_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    tblZonaTitulo_->horizontalHeader()->setHighlightSections(false);
    tblZonaTitulo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    tblZonaTitulo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    tblZonaTitulo_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    tblZonaTitulo_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblZonaTitulo_->setFocusPolicy(Qt::NoFocus);
    tblZonaTitulo_->setSelectionMode(QAbstractItemView::NoSelection);
    for (QLabel* l : {lblSupTotal_, lblNC_})
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto* rejilla = new QHBoxLayout;
    rejilla->setSpacing(0);
    rejilla->addWidget(tblZonaTitulo_, 0, Qt::AlignTop);
    rejilla->addWidget(tblZonas_, 0, Qt::AlignTop);
    rejilla->addStretch();
    auto* totales = new QHBoxLayout;
    totales->setSpacing(0);
    totales->addSpacing(1); // set in Dimensiona
    totales->addWidget(lblSupTotal_);
    totales->addWidget(lblNC_);
    totales->addStretch();
    auto* caja = new QGridLayout(this);
    caja->setContentsMargins(0, 0, 0, 0);
    caja->addWidget(rotuloNumZonas_, 0, 0);
    caja->addWidget(lstNumZonas_, 0, 1, Qt::AlignTop);
    caja->addLayout(rejilla, 1, 0, 1, 2);
    caja->addLayout(totales, 2, 0, 1, 2);
    caja->setColumnStretch(0, 1);

    setTabOrder(lstNumZonas_, tblZonas_);
    // Choosing a number, even the same one again, rebuilds the table.
    connect(lstNumZonas_, &QComboBox::activated, this, &RejillaZonas::Reconstruye);
}

RejillaDatos* RejillaZonas::HazRejilla()
{
    RejillaDatos::Forma forma;
    forma.primera = ColArea;
    forma.columnas = {{3, true}, {1, true}};
    forma.comprueba = [this](int columna, const QString& texto) { return Comprueba(v_, columna, texto); };
    forma.guarda = [this](const QModelIndex& indice, double valor) {
        // A value the file refuses stays in the table's cache, from which the
        // zones move to memory once the edit is over.
        if (!modelo_->setData(indice, valor))
            QTimer::singleShot(0, this, [this] {
                if (qobject_cast<QSqlTableModel*>(modelo_))
                    PasaAMemoria();
            });
        CalParcial_->start();
        emit Cambiada();
    };
    // The last valid value read for the zone.
    forma.ayuda = [this](int fila, int columna) -> std::optional<double> {
        if (static_cast<std::size_t>(fila) >= trabajo_.size())
            return std::nullopt;
        return trabajo_[static_cast<std::size_t>(fila)][static_cast<std::size_t>(columna)];
    };
    forma.fila = [this](int fila) { return Texto(v_, 1632).arg(fila + 1); };
    forma.vuelveArriba = true;
    return new RejillaDatos(v_, std::move(forma), this);
}

RejillaZonas::~RejillaZonas()
{
    // The views and the model go before the connection they use.
    delete tblZonas_;
    delete tblZonaTitulo_;
    delete modelo_;
}

bool RejillaZonas::Disponible() const
{
    return modelo_ != nullptr;
}

void RejillaZonas::AvisaBaseDatos() const
{
    Mensaje(Icono::Informacion, QStringLiteral("Error"), Texto(v_, 1600).arg(QDir::toNativeSeparators(base_->Ruta())));
}

void RejillaZonas::Usa(QAbstractItemModel* modelo)
{
    QAbstractItemModel* antes = modelo_;
    modelo_ = modelo;
    modelo->setObjectName(QStringLiteral("datZonas"));
    tblZonaTitulo_->setModel(modelo);
    tblZonas_->setModel(modelo);
    tblZonaTitulo_->setColumnHidden(ColArea, true);
    tblZonaTitulo_->setColumnHidden(ColCurva, true);
    tblZonas_->setColumnHidden(ColNumero, true);
    delete antes;
}

void RejillaZonas::PasaAMemoria()
{
    const int filas = modelo_->rowCount();
    auto* memoria = new QStandardItemModel(filas, ColCurva + 1, this);
    for (int f = 0; f < filas; ++f)
        for (int c = ColNumero; c <= ColCurva; ++c)
            memoria->setData(memoria->index(f, c), modelo_->index(f, c).data());
    const QModelIndex actual = tblZonas_->currentIndex();
    Usa(memoria);
    FijaTextos();
    if (actual.isValid())
        tblZonas_->selectionModel()->setCurrentIndex(memoria->index(actual.row(), actual.column()),
                                                     QItemSelectionModel::NoUpdate);
    Mensaje(Icono::Informacion, QStringLiteral("Error"), Texto(v_, 1660).arg(QDir::toNativeSeparators(base_->Ruta())));
}

void RejillaZonas::FijaTextos()
{
    rotuloNumZonas_->setText(Texto(v_, 1066));
    if (!modelo_)
        return;
    modelo_->setHeaderData(ColNumero, Qt::Horizontal, QStringLiteral("Nº"));
    modelo_->setHeaderData(ColArea, Qt::Horizontal, Texto(v_, 1067));
    modelo_->setHeaderData(ColCurva, Qt::Horizontal, Texto(v_, 1068));
    const QFontMetrics fm = tblZonas_->horizontalHeader()->fontMetrics();
    auto ancho = [&fm](int minimo, const QString& t) { return std::max(minimo, fm.horizontalAdvance(t) + 16); };
    tblZonaTitulo_->setColumnWidth(ColNumero, ancho(36, QStringLiteral("Nº")));
    tblZonas_->setColumnWidth(ColArea, ancho(130, Texto(v_, 1067)));
    tblZonas_->setColumnWidth(ColCurva, ancho(160, Texto(v_, 1068))); // 2400 twips at least
    Dimensiona(modelo_->rowCount());
}

void RejillaZonas::Reconstruye()
{
    CalParcial_->stop();
    const int n = lstNumZonas_->currentIndex() < 0 ? 0 : lstNumZonas_->currentText().toInt();
    auto* tabla = qobject_cast<QSqlTableModel*>(modelo_);
    if (tabla && base_->ReconstruyeZonas(n)) {
        tabla->select();
    } else if (modelo_) {
        if (tabla)
            PasaAMemoria();
        modelo_->removeRows(0, modelo_->rowCount());
        modelo_->insertRows(0, n);
        for (int k = 0; k < n; ++k)
            modelo_->setData(modelo_->index(k, ColNumero), k + 1);
    }
    trabajo_.assign(static_cast<std::size_t>(n), {0.0, 0.0});
    Dimensiona(modelo_ ? modelo_->rowCount() : 0);
    for (QLabel* l : {lblSupTotal_, lblNC_}) {
        l->clear();
        FijaTag(l, QString());
    }
    emit Cambiada();
}

void RejillaZonas::Rellena(const std::vector<CeldaZona>& zonas)
{
    lstNumZonas_->setCurrentIndex(static_cast<int>(zonas.size()) - 1);
    Reconstruye();
    for (int k = 0; modelo_ && k < std::min(modelo_->rowCount(), static_cast<int>(zonas.size())); ++k) {
        const CeldaZona& z = zonas[static_cast<std::size_t>(k)];
        if (z.area)
            modelo_->setData(modelo_->index(k, ColArea), *z.area);
        if (z.numero)
            modelo_->setData(modelo_->index(k, ColCurva), *z.numero);
    }
    CalParcial_Timer();
    emit Cambiada();
}

void RejillaZonas::Dimensiona(int n)
{
    for (QTableView* t : {tblZonaTitulo_, static_cast<QTableView*>(tblZonas_)}) {
        int ancho = 2 * t->frameWidth();
        for (int c = 0; c < 3; ++c)
            if (!t->isColumnHidden(c))
                ancho += t->columnWidth(c);
        const int filas = std::min(n + 1, MaxFilasVisibles) - 1;
        t->setFixedSize(ancho, 2 * t->frameWidth() + t->horizontalHeader()->sizeHint().height() +
                                   filas * t->verticalHeader()->defaultSectionSize());
    }
    // The totals stand under their columns.
    auto* totales = static_cast<QGridLayout*>(layout())->itemAtPosition(2, 0)->layout();
    totales->itemAt(0)->spacerItem()->changeSize(tblZonaTitulo_->width() + tblZonas_->frameWidth(), 1);
    lblSupTotal_->setFixedWidth(tblZonas_->columnWidth(ColArea) - 2);
    lblNC_->setFixedWidth(tblZonas_->columnWidth(ColCurva) - 3);
    // Lay the window out again now, not a few posted events later, so that
    // the new rows show at once.
    for (QWidget* w = this; w; w = w->isWindow() ? nullptr : w->parentWidget()) {
        if (QLayout* l = w->layout()) {
            l->invalidate();
            l->activate();
        }
    }
}

std::vector<CeldaZona> RejillaZonas::Celdas() const
{
    std::vector<CeldaZona> celdas;
    for (int r = 0; modelo_ && r < modelo_->rowCount(); ++r)
        celdas.push_back(
            {ValorCelda(v_, modelo_->index(r, ColArea).data()), ValorCelda(v_, modelo_->index(r, ColCurva).data())});
    return celdas;
}

void RejillaZonas::Enfoca(int fila, int columna)
{
    tblZonas_->Enfoca(fila, columna);
}

bool RejillaZonas::RetieneEnter() const
{
    return tblZonas_->RetieneEnter();
}

QTableView* RejillaZonas::Rejilla() const
{
    return tblZonas_;
}

void RejillaZonas::CalParcial_Timer()
{
    CalParcial_->stop();
    const std::vector<CeldaZona> celdas = Celdas();
    for (std::size_t k = 0; k < celdas.size() && k < trabajo_.size(); ++k) {
        if (celdas[k].area)
            trabajo_[k][0] = *celdas[k].area;
        if (celdas[k].numero && CurvaValida(*celdas[k].numero))
            trabajo_[k][1] = *celdas[k].numero;
    }
    const TotalesZonas t = TotalesParciales(celdas);
    FijaTag(lblSupTotal_, ExactoLocal(v_, t.suma));
    lblSupTotal_->setText(FormatoLocal(v_, t.suma, 3));
    FijaTag(lblNC_, FormatoLocal(v_, t.media, 2));
    lblNC_->setText(FormatoLocal(v_, t.media, 1));
}
