#include "storms/frmResumen.h"

#include "common/Catalogo.h"
#include "common/Navegacion.h"
#include "common/NombresVentanas.h"
#include "common/Variables.h"
#include "widgets/Colocacion.h"
#include "widgets/Controles.h"
#include "widgets/Exportacion.h"
#include "widgets/Vigencia.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <tuple>

frmResumen::frmResumen(Variables& v, Navegacion& nav, QWidget* parent) : QWidget(parent), v_(v), nav_(nav)
{
    setObjectName(ventana::Resumen);
    ConstruyeAislado();
    ConstruyeSerie();
    ConstruyeDisponibilidad();
    QLayout* capa = ConstruyeCapacidad();

    botonAnterior_ = Boton(this, QStringLiteral("Command1"));
    auto* pie = new QHBoxLayout;
    pie->addStretch();
    pie->addWidget(botonAnterior_);

    auto* caja = new QVBoxLayout(this);
    caja->addWidget(mrcAislado_);
    caja->addWidget(mrcSerie_);
    caja->addWidget(marcoDisponibilidad_);
    caja->addLayout(capa);
    // Computed by the series' or the single storm's Summary button.
    vigencia_ = new Vigencia(this, v_, v_.EsSerie ? DatosDe::Serie : DatosDe::Aguacero,
                             {mrcAislado_, mrcSerie_, marcoDisponibilidad_, txtCapa_}, v_.EsSerie ? 1197 : 1122,
                             v_.EsSerie ? 1191 : 1117);
    caja->addWidget(vigencia_->Aviso());
    caja->addLayout(pie);
    vigencia_->Anota();

    // Load: the values once, then the captions.
    MuestraValores();
    FijaTextos();

    setMinimumWidth(440);
    resize(440, heightForWidth(440) > 0 ? heightForWidth(440) : sizeHint().height());
    CentraAlMostrar(this);
    // Nothing to type here: Space closes the window at once.
    botonAnterior_->setFocus();
    HazCopiablesResultados(this, v_);

    connect(botonAnterior_, &QPushButton::clicked, this, [this] { nav_.Descarga(objectName()); });
}

// The single storm: its depth and moisture condition.
void frmResumen::ConstruyeAislado()
{
    mrcAislado_ = Grupo(this, QStringLiteral("mrcAislado"));
    QGridLayout* aislado = RejillaSalidas(mrcAislado_);
    std::tie(rotuloPrecip_, txtPrecip_) = FilaSalida(aislado, 0, QStringLiteral("Label6"), QStringLiteral("txtPrecip"));
    std::tie(rotuloHumedad_, txtHumedad_) =
        FilaSalida(aislado, 1, QStringLiteral("Label7"), QStringLiteral("txtHumedad"));
}

// The series: its total depth, its storms and those that shed water.
void frmResumen::ConstruyeSerie()
{
    mrcSerie_ = Grupo(this, QStringLiteral("mrcSerie"));
    QGridLayout* serie = RejillaSalidas(mrcSerie_);
    std::tie(rotuloPTotal_, txtDato_[0]) = FilaSalida(serie, 0, QStringLiteral("Label1"), QStringLiteral("txtDato(0)"));
    std::tie(rotuloNumAguaceros_, txtDato_[1]) =
        FilaSalida(serie, 1, QStringLiteral("Label2"), QStringLiteral("txtDato(1)"));
    rotuloConEscorrentia_ = Rotulo(mrcSerie_, QStringLiteral("Label3"));
    serie->addWidget(rotuloConEscorrentia_, 2, 0, 1, 2);
    std::tie(rotuloDentroArea_, txtDato_[2]) =
        FilaSalida(serie, 3, QStringLiteral("Label4"), QStringLiteral("txtDato(2)"));
    std::tie(rotuloFueraArea_, txtDato_[3]) =
        FilaSalida(serie, 4, QStringLiteral("Label5"), QStringLiteral("txtDato(3)"));
    // The two counts below the heading are indented under it.
    rotuloDentroArea_->setIndent(16);
    rotuloFueraArea_->setIndent(16);
}

// The water left available, from flat ground to the collecting area.
void frmResumen::ConstruyeDisponibilidad()
{
    marcoDisponibilidad_ = Grupo(this, QStringLiteral("Frame3"));
    QGridLayout* disp = RejillaSalidas(marcoDisponibilidad_);
    for (std::size_t i = 0; i < txtDisp_.size(); ++i) {
        const int fila = static_cast<int>(i);
        std::tie(rotuloDisp_[i], txtDisp_[i]) =
            FilaSalida(disp, fila, QStringLiteral("Label%1").arg(8 + fila), QStringLiteral("txtDisp(%1)").arg(fila));
    }
}

// The storage the scenario calls for.
QLayout* frmResumen::ConstruyeCapacidad()
{
    rotuloCapacidad_ = Rotulo(this, QStringLiteral("Label12"));
    txtCapa_ = Salida(this, QStringLiteral("txtCapa"));
    auto* capa = new QHBoxLayout;
    capa->setContentsMargins(10, 0, 12, 0);
    capa->addWidget(rotuloCapacidad_, 1);
    capa->addWidget(txtCapa_, 0, Qt::AlignTop);
    rotuloCapacidad_->setBuddy(txtCapa_);
    return capa;
}

void frmResumen::MuestraValores()
{
    if (!v_.EsSerie) {
        mrcSerie_->hide();
        mrcAislado_->show();
        MuestraValor(txtPrecip_, v_, v_.PAguacero, 1, 2);
        MuestraValor(txtHumedad_, v_, v_.CondHumedad, 0, -1);
        MuestraValor(txtDisp_[0], v_, v_.PAguacero, 1, 2);
        MuestraValor(txtDisp_[1], v_, v_.PSinSist, 1, 2);
        MuestraValor(txtDisp_[2], v_, v_.PPromedio, 1, 2);
        MuestraValor(txtDisp_[3], v_, v_.PBanqueta, 1, 2);
        MuestraValor(txtCapa_, v_, v_.CapaNecesaria, 1, 2);
    } else {
        mrcAislado_->hide();
        mrcSerie_->show();
        const auto& r = v_.ResumenSerie;
        MuestraValor(txtDato_[0], v_, r[0], 1, 2);
        for (std::size_t i = 1; i < 4; ++i)
            MuestraValor(txtDato_[i], v_, r[i], 0, -1);
        for (std::size_t i = 0; i < 4; ++i)
            MuestraValor(txtDisp_[i], v_, r[4 + i], 1, 2);
        MuestraValor(txtCapa_, v_, r[8], 1, 2);
    }
}

void frmResumen::FijaTextos()
{
    setWindowTitle(Texto(v_, 1175));
    mrcAislado_->setTitle(Texto(v_, 1188));
    rotuloPrecip_->setText(Texto(v_, 1189));
    rotuloHumedad_->setText(Texto(v_, 1190));
    mrcSerie_->setTitle(Texto(v_, 1176));
    rotuloPTotal_->setText(Texto(v_, 1177));
    rotuloNumAguaceros_->setText(Texto(v_, 1178));
    rotuloConEscorrentia_->setText(Texto(v_, 1179));
    rotuloDentroArea_->setText(Texto(v_, 1180));
    rotuloFueraArea_->setText(Texto(v_, 1181));
    marcoDisponibilidad_->setTitle(Texto(v_, 1182));
    for (std::size_t i = 0; i < rotuloDisp_.size(); ++i)
        rotuloDisp_[i]->setText(Texto(v_, 1183 + static_cast<int>(i)));
    rotuloCapacidad_->setText(Texto(v_, 1187));
    botonAnterior_->setText(Texto(v_, 1123));
}
