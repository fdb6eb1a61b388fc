#include "storms/frmPrecipitacion.h"

#include "common/Catalogo.h"
#include "common/Mensajes.h"
#include "common/Navegacion.h"
#include "common/NombresVentanas.h"
#include "common/Variables.h"
#include "model/BalanceAguacero.h"
#include "model/Resultados.h"
#include "storms/Escenario.h"
#include "widgets/CampoNumerico.h"
#include "widgets/Colocacion.h"
#include "widgets/Controles.h"
#include "widgets/Exportacion.h"
#include "widgets/Vigencia.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmPrecipitacion::frmPrecipitacion(Variables& v, Navegacion& nav, QWidget* parent) : QWidget(parent), v_(v), nav_(nav)
{
    setObjectName(ventana::Precipitacion);

    marcoDatos_ = Grupo(this, QStringLiteral("Frame1"));
    auto* datos = new QGridLayout(marcoDatos_);
    e_ = HazEntradaTormenta(marcoDatos_, datos, 0, v_);
    datos->setColumnStretch(0, 1);

    cmdCalcular_ = Boton(this, QStringLiteral("cmdCalcular"));
    cmdResumen_ = Boton(this, QStringLiteral("cmdResumen"));
    cmdSeguir_ = Boton(this, QStringLiteral("cmdSeguir"));
    auto* botones = new QHBoxLayout;
    for (QPushButton* b : {cmdCalcular_, cmdResumen_, cmdSeguir_})
        botones->addWidget(b);

    marcoResultados_ = MarcoResultados(this, 9, rotuloResultado_.data(), txtResultado_.data());

    auto* caja = new QVBoxLayout(this);
    caja->addWidget(marcoDatos_);
    caja->addLayout(botones);
    caja->addWidget(marcoResultados_);
    vigencia_ = new Vigencia(this, v_, DatosDe::Aguacero, {marcoResultados_}, 1121, 1117);
    caja->addWidget(vigencia_->Aviso());

    PrevisualizaTeclas(this, v_);
    setTabOrder(e_.txtPrecip, e_.lstHumedad);
    setTabOrder(e_.lstHumedad, cmdCalcular_);
    setTabOrder(cmdCalcular_, cmdResumen_);
    setTabOrder(cmdResumen_, cmdSeguir_);

    // Load: a fresh storm; results stay empty until the first computation.
    P_ = 0;
    v_.CondHumedad = 0;
    LimpiaResultados(v_);
    setWindowTitle(Texto(v_, 1117));
    marcoDatos_->setTitle(Texto(v_, 1118));
    e_.rotuloPrecip->setText(Texto(v_, 1119));
    e_.rotuloHumedad->setText(Texto(v_, 1120));
    cmdCalcular_->setText(Texto(v_, 1121));
    cmdResumen_->setText(Texto(v_, 1122));
    cmdSeguir_->setText(Texto(v_, 1123));
    marcoResultados_->setTitle(Texto(v_, 1124));
    for (std::size_t i = 0; i < rotuloResultado_.size(); ++i)
        rotuloResultado_[i]->setText(Texto(v_, FilasAguacero[i].texto));

    // The storm of the session, typed before or read from a site file.
    if (const std::optional<double> P = v_.Documento.PAguacero) {
        FijaTag(e_.txtPrecip, ExactoLocal(v_, *P));
        e_.txtPrecip->setText(FormatoLocal(v_, *P, 1));
    }
    e_.lstHumedad->setCurrentIndex(v_.Documento.CondAguacero - 1);
    // A storm the session already holds shows its results at once, as the
    // series does.
    if (v_.Documento.PAguacero && v_.Documento.CondAguacero > 0)
        ValidaAguacero();

    setMinimumWidth(560);
    resize(560, heightForWidth(560) > 0 ? heightForWidth(560) : sizeHint().height());
    CentraAlMostrar(this);
    e_.txtPrecip->setFocus();
    HazCopiablesResultados(this, v_);

    connect(cmdCalcular_, &QPushButton::clicked, this, &frmPrecipitacion::cmdCalcular_Click);
    connect(cmdResumen_, &QPushButton::clicked, this, &frmPrecipitacion::cmdResumen_Click);
    connect(cmdSeguir_, &QPushButton::clicked, this, &frmPrecipitacion::cmdSeguir_Click);
    // Every value accepted goes into the document at once.
    AlAceptar(e_.txtPrecip, [this] { Anota(); });
    connect(e_.lstHumedad, &QComboBox::currentIndexChanged, this, &frmPrecipitacion::Anota);
}

void frmPrecipitacion::Anota()
{
    v_.Documento.PAguacero = NumeroLocal(v_, Tag(e_.txtPrecip));
    v_.Documento.CondAguacero = e_.lstHumedad->currentIndex() + 1;
    v_.Aviso->Anota();
}

void frmPrecipitacion::cmdCalcular_Click()
{
    ValidaAguacero();
}

void frmPrecipitacion::cmdResumen_Click()
{
    if (!ValidaAguacero())
        return;
    v_.PAguacero = P_;
    v_.EsSerie = false;
    nav_.Muestra(ventana::Resumen);
}

void frmPrecipitacion::cmdSeguir_Click()
{
    nav_.Muestra(ventana::Eleccion);
    nav_.Descarga(objectName());
}

bool frmPrecipitacion::ValidaAguacero()
{
    const std::optional<TormentaLeida> t = LeeTormenta(v_, e_, Tormenta::Unica);
    if (!t)
        return false;

    LimpiaResultados(v_);
    P_ = t->P;
    v_.CondHumedad = t->c;
    BalanceAguacero(v_, v_, P_, v_.CondHumedad);

    const std::array<double, 9> valores = ValoresAguacero(v_, v_, P_);
    for (std::size_t i = 0; i < valores.size(); ++i)
        MuestraValor(txtResultado_[i], v_, valores[i], FilasAguacero[i].decimales, 2, true);
    AnotaCalculo(v_, DatosDe::Aguacero);
    vigencia_->Anota();
    return true;
}
