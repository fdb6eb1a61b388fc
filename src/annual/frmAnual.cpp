#include "annual/frmAnual.h"

#include "annual/RejillaAnual.h"
#include "common/Catalogo.h"
#include "common/Mensajes.h"
#include "common/Navegacion.h"
#include "common/NombresVentanas.h"
#include "common/Variables.h"
#include "model/Numero.h"
#include "widgets/AyudaCelda.h"
#include "widgets/CampoNumerico.h"
#include "widgets/Colocacion.h"
#include "widgets/Controles.h"
#include "widgets/Exportacion.h"
#include "widgets/RejillaFija.h"
#include "widgets/Vigencia.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int Meses = 12;
// Widths of the partial results' columns, month names first.
constexpr std::array<int, 10> AnchosParcial{1000, 750, 600, 450, 600, 450, 600, 450, 600, 350};

// The refusal of a month: its name and, when its three values do not fit
// together, which of them and why, in the order the check finds it.
QString RechazoMes(const Variables& v, const FalloMes& f, const TablaAnual& t)
{
    const QString mes = Texto(v, 1010 + f.mes - 1);
    const auto& fila = t[static_cast<std::size_t>(f.mes - 1)];
    const auto x = [&v](double y) { return ExactoLocal(v, y); };
    if (f.mensaje == 1030)
        return Texto(v, 1850).arg(mes, x(*fila[1]), x(*fila[0]));
    if (f.mensaje != 1031)
        return Texto(v, 1854).arg(mes, Texto(v, f.mensaje));
    if (!fila[2])
        return Texto(v, 1854).arg(mes, Texto(v, 1535));
    const double p = *fila[0], pmax = *fila[1], n = *fila[2];
    if (n * pmax < p)
        return Texto(v, 1851).arg(mes, x(n), x(pmax), x(p));
    if (pmax == 0)
        return Texto(v, 1852).arg(mes, x(n));
    return Texto(v, 1853).arg(mes, x(pmax), x(0.1), x(n - 1), x(p));
}

} // namespace

frmAnual::frmAnual(Variables& v, Navegacion& nav, QWidget* parent) : QWidget(parent), v_(v), nav_(nav)
{
    setObjectName(ventana::Anual);
    Construye();
    if (!rejillaMeses_->EnArchivo())
        rejillaMeses_->AvisaBaseDatos();
    rejillaMeses_->VaciaTabla();
    // The year of the session, typed before or read from a site file.
    rejillaMeses_->Rellena(v_.Documento.meses);
    FijaTextos();
    opcEscorrentia_[static_cast<std::size_t>(std::clamp(v_.Documento.caso, 1, 3) - 1)]->setChecked(true);
    cmdHidricas_->setEnabled(false);
    // A whole year the session already holds shows its results at once.
    if (DatosAnuales d; !LeeDatos(rejillaMeses_->Celdas(), d))
        Calcula();
    resize(sizeHint());
    CentraAlMostrar(this);
    // Enter moves on as Tab does, unless the data grid keeps it.
    PrevisualizaTeclas(this, v_, [this] { return rejillaMeses_->RetieneEnter(); });
    // Every value accepted goes into the document at once; months filled
    // from outside are read again and computed.
    connect(rejillaMeses_, &RejillaAnual::Aceptada, this, &frmAnual::Anota);
    for (QRadioButton* opcion : opcEscorrentia_)
        connect(opcion, &QRadioButton::clicked, this, &frmAnual::Anota);
    connect(v_.Aviso.get(), &AvisoDocumento::Llenado, this, &frmAnual::Importa);
}

void frmAnual::Construye()
{
    rejillaMeses_ = new RejillaAnual(v_, this);
    rotuloPAnual_ = Rotulo(this, QStringLiteral("Label2"));
    rotuloPMax_ = Rotulo(this, QStringLiteral("Label3"));
    rotuloNumDias_ = Rotulo(this, QStringLiteral("Label4"));
    txtPrecip_ = Salida(this, QStringLiteral("txtPrecip"));
    txtPmax_ = Salida(this, QStringLiteral("txtPmax"));
    txtNumDias_ = Salida(this, QStringLiteral("txtNumDias"));
    ConstruyeCaso();
    ConstruyeParciales();
    cmdCalcular_ = Boton(this, QStringLiteral("cmdCalcular"));
    cmdHidricas_ = Boton(this, QStringLiteral("cmdHidricas"));
    cmdSigue_ = Boton(this, QStringLiteral("cmdSigue"));

    QLayout* izquierda = ColocaIzquierda();
    QLayout* derecha = ColocaDerecha();
    auto* caja = new QHBoxLayout(this);
    caja->setContentsMargins(12, 12, 12, 12);
    caja->setSpacing(16);
    caja->addLayout(izquierda);
    caja->addLayout(derecha);

    connect(rejillaMeses_, &RejillaAnual::Aceptada, this, &frmAnual::BorraMes);
    connect(cmdCalcular_, &QPushButton::clicked, this, &frmAnual::cmdCalcular_Click);
    connect(cmdHidricas_, &QPushButton::clicked, this, &frmAnual::cmdHidricas_Click);
    connect(cmdSigue_, &QPushButton::clicked, this, &frmAnual::cmdSigue_Click);
    HazCopiablesResultados(this, v_);
}

// The runoff case: choosing another clears the partial results.
void frmAnual::ConstruyeCaso()
{
    marcoTipoEscorrentia_ = Grupo(this, QStringLiteral("Frame2"));
    auto* casos = new QVBoxLayout(marcoTipoEscorrentia_);
    for (int i = 0; i < 3; ++i) {
        opcEscorrentia_[static_cast<std::size_t>(i)] = new QRadioButton(marcoTipoEscorrentia_);
        opcEscorrentia_[static_cast<std::size_t>(i)]->setObjectName(QStringLiteral("opcEscorrentia(%1)").arg(i));
        casos->addWidget(opcEscorrentia_[static_cast<std::size_t>(i)]);
        connect(opcEscorrentia_[static_cast<std::size_t>(i)], &QRadioButton::clicked, this, &frmAnual::BorraParciales);
    }
}

// The partial results' heading, with the year's type beside it, and their grid.
void frmAnual::ConstruyeParciales()
{
    rotuloParciales_ = Rotulo(this, QStringLiteral("Label1"));
    rotuloParciales_->setWordWrap(false);
    lblTipo_ = Rotulo(this, QStringLiteral("lblTipo"));
    lblTipo_->setWordWrap(false);
    QFont negrita = lblTipo_->font();
    negrita.setBold(true);
    lblTipo_->setFont(negrita);
    lblTipo_->setMinimumWidth(lblTipo_->fontMetrics().horizontalAdvance(QStringLiteral("IIII")));
    tblParcial_ = new QTableWidget(this);
    tblParcial_->setObjectName(QStringLiteral("tblParcial"));
    HazRejillaFija(tblParcial_, Meses + 1, static_cast<int>(AnchosParcial.size()));
    tblParcial_->setFocusPolicy(Qt::NoFocus);
    tblParcial_->setSelectionMode(QAbstractItemView::NoSelection);
    HazCopiable(tblParcial_, v_);
    for (int c = 1; c < static_cast<int>(AnchosParcial.size()); ++c)
        AlineaColumna(tblParcial_, c, c == 9 ? Qt::AlignCenter : Qt::AlignRight | Qt::AlignVCenter);
    SigueAyuda(tblParcial_, [this](int fila, int columna) { return AyudaParcial(fila, columna); });
}

// The data grid with the annual totals below it.
QLayout* frmAnual::ColocaIzquierda()
{
    auto* totales = new QGridLayout;
    const std::array<std::pair<QLabel*, QLineEdit*>, 3> filas{
        {{rotuloPAnual_, txtPrecip_}, {rotuloPMax_, txtPmax_}, {rotuloNumDias_, txtNumDias_}}};
    for (int f = 0; f < 3; ++f) {
        totales->addWidget(filas[static_cast<std::size_t>(f)].first, f, 0);
        totales->addWidget(filas[static_cast<std::size_t>(f)].second, f, 1, Qt::AlignTop);
        filas[static_cast<std::size_t>(f)].first->setBuddy(filas[static_cast<std::size_t>(f)].second);
    }
    totales->setColumnStretch(0, 1);
    auto* izquierda = new QVBoxLayout;
    izquierda->addWidget(rejillaMeses_);
    izquierda->addLayout(totales);
    izquierda->addStretch();
    return izquierda;
}

// The runoff case, the partial results and the buttons.
QLayout* frmAnual::ColocaDerecha()
{
    auto* titulo = new QHBoxLayout;
    titulo->addWidget(rotuloParciales_);
    titulo->addSpacing(12);
    titulo->addWidget(lblTipo_);
    titulo->addStretch();
    auto* botones = new QHBoxLayout;
    for (QPushButton* b : {cmdCalcular_, cmdHidricas_, cmdSigue_}) {
        b->setMinimumHeight(32);
        botones->addWidget(b);
    }
    auto* derecha = new QVBoxLayout;
    derecha->addWidget(marcoTipoEscorrentia_);
    derecha->addLayout(titulo);
    derecha->addWidget(tblParcial_);
    vigencia_ =
        new Vigencia(this, v_, DatosDe::Anio, {tblParcial_, txtPrecip_, txtPmax_, txtNumDias_, lblTipo_}, 1008, 1001);
    derecha->addWidget(vigencia_->Aviso());
    derecha->addStretch();
    derecha->addLayout(botones);
    return derecha;
}

void frmAnual::FijaTextos()
{
    setWindowTitle(Texto(v_, 1001));
    for (int i = 0; i < 3; ++i)
        opcEscorrentia_[static_cast<std::size_t>(i)]->setText(Texto(v_, 1005 + i));
    marcoTipoEscorrentia_->setTitle(Texto(v_, 1004));
    rotuloParciales_->setText(Texto(v_, 1009));
    rotuloPAnual_->setText(Texto(v_, 1022));
    rotuloPMax_->setText(Texto(v_, 1023));
    rotuloNumDias_->setText(Texto(v_, 1024));
    cmdCalcular_->setText(Texto(v_, 1008));
    cmdHidricas_->setText(Texto(v_, 1025));
    cmdSigue_->setText(Texto(v_, 1026));

    QString formato =
        QStringLiteral("|%1|%2|%3| PV1 |N1| PV2 |N2|   P5 |J;").arg(Texto(v_, 1532), Texto(v_, 1533), Texto(v_, 1534));
    for (int m = 1; m <= Meses; ++m)
        formato += QLatin1Char('|') + Texto(v_, 1009 + m);
    FijaFormato(tblParcial_, formato);
    for (int c = 1; c < static_cast<int>(AnchosParcial.size()); ++c)
        tblParcial_->item(0, c)->setTextAlignment(Qt::AlignCenter);
    for (int c = 0; c < static_cast<int>(AnchosParcial.size()); ++c)
        AnchoColumna(tblParcial_, c, AnchosParcial[static_cast<std::size_t>(c)]);
    // Room for every figure the year can give (a precipitation up to 999.9,
    // a maximum day up to 999.9).
    for (int c = 1; c <= 8; ++c)
        FijaTexto(tblParcial_, 1, c, QStringLiteral("999.9"));
    AjustaAContenido(tblParcial_);
    for (int c = 1; c <= 8; ++c)
        FijaTexto(tblParcial_, 1, c, QString());
}

void frmAnual::Anota()
{
    v_.Documento.meses = rejillaMeses_->Celdas();
    v_.Documento.caso = static_cast<int>(Caso());
    v_.Aviso->Anota();
}

void frmAnual::Importa()
{
    rejillaMeses_->Llena(v_.Documento.meses);
    Anota();
    Calcula();
}

CasoEscorrentia frmAnual::Caso() const
{
    if (opcEscorrentia_[1]->isChecked())
        return CasoEscorrentia::II;
    if (opcEscorrentia_[0]->isChecked())
        return CasoEscorrentia::I;
    return CasoEscorrentia::III;
}

bool frmAnual::Calcula()
{
    // Read into a copy: a year that fails the check changes nothing held.
    DatosAnuales d = a_.datos;
    const TablaAnual celdas = rejillaMeses_->Celdas();
    if (const std::optional<FalloMes> fallo = LeeDatos(celdas, d)) {
        Mensaje(Icono::Informacion, QStringLiteral("Error"), RechazoMes(v_, *fallo, celdas));
        rejillaMeses_->Enfoca(fallo->mes - 1, fallo->columna);
        return false;
    }
    a_ = CalculoAnual{};
    a_.datos = d;
    CalculaAguaceros(a_, Caso());
    MuestraParciales();
    cmdHidricas_->setEnabled(true);
    return true;
}

void frmAnual::MuestraParciales()
{
    const DatosAnuales& d = a_.datos;
    for (int m = 1; m <= Meses; ++m) {
        const auto i = static_cast<std::size_t>(m - 1);
        const std::array<QString, 9> celdas{
            FormatoLocal(v_, d.PMes[i], 1), FormatoLocal(v_, d.PMaxDia[i], 1), ExactoLocal(v_, d.NDias[i]),
            FormatoLocal(v_, a_.PV1[i], 1), FormatoLocal(v_, a_.N1[i], 1),     FormatoLocal(v_, a_.PV2[i], 1),
            FormatoLocal(v_, a_.N2[i], 1),  FormatoLocal(v_, a_.P5[i], 1),     ExactoLocal(v_, a_.J[i])};
        for (int c = 1; c <= 9; ++c)
            FijaTexto(tblParcial_, m, c, celdas[static_cast<std::size_t>(c - 1)]);
    }
    const std::array<const char*, 3> tipos{"I", "II", "III"};
    lblTipo_->setText(QString::fromLatin1(tipos[static_cast<std::size_t>(Caso()) - 1]));
    MuestraValor(txtPrecip_, v_, a_.PAnual, 1, 2, true);
    MuestraValor(txtPmax_, v_, a_.PMaxAnual, 1, 2, true);
    MuestraValor(txtNumDias_, v_, a_.DiasAnual, 0, 1, true);
    calculado_ = true;
    BalanceAnual(v_, v_, a_);
    AnotaCalculo(v_, DatosDe::Anio);
    vigencia_->Anota();
}

void frmAnual::BorraParciales()
{
    for (int m = 1; m <= Meses; ++m)
        for (int c = 4; c <= 9; ++c)
            FijaTexto(tblParcial_, m, c, QString());
    lblTipo_->clear();
}

// An accepted edit: the month's results and the totals no longer stand.
void frmAnual::BorraMes(int mes)
{
    for (int c = 1; c <= 9; ++c)
        FijaTexto(tblParcial_, mes, c, QString());
    for (QLineEdit* caja : {txtPrecip_, txtPmax_, txtNumDias_})
        caja->clear();
}

// The value held for the cell under the pointer, with two more decimals;
// also where the cell has been blanked since.
std::optional<QString> frmAnual::AyudaParcial(int fila, int columna) const
{
    if (!calculado_ || fila < 1 || fila > Meses || columna < 1)
        return QString();
    const auto i = static_cast<std::size_t>(fila - 1);
    const DatosAnuales& d = a_.datos;
    switch (columna) {
    case 3:
        return ExactoLocal(v_, d.NDias[i]);
    case 9:
        return ExactoLocal(v_, a_.J[i]);
    default:
        break;
    }
    const std::array<double, 8> valores{d.PMes[i], d.PMaxDia[i], 0, a_.PV1[i], a_.N1[i], a_.PV2[i], a_.N2[i], a_.P5[i]};
    return FormatoLocal(v_, valores[static_cast<std::size_t>(columna - 1)], 2);
}

void frmAnual::cmdCalcular_Click()
{
    Calcula();
}

void frmAnual::cmdHidricas_Click()
{
    // The availability always follows the data and case now on screen; a
    // year that fails the check is fixed first.
    if (!Calcula())
        return;
    v_.Anio = a_;
    AnotaCalculo(v_, DatosDe::Disponibilidad);
    nav_.Muestra(ventana::Hidrico);
}

void frmAnual::cmdSigue_Click()
{
    nav_.Muestra(ventana::Eleccion);
    // The availability belongs to this year: it goes with it.
    nav_.Descarga(ventana::Hidrico);
    nav_.Descarga(objectName());
}
