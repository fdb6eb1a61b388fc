#include "storms/frmResumen.h"

#include "common/Catalogo.h"
#include "common/Navegacion.h"
#include "common/Variables.h"
#include "storms/Escenario.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmResumen::frmResumen(Variables& v, Navegacion& nav, QWidget* parent) : QWidget(parent), v_(v), nav_(nav)
{
    setObjectName(QStringLiteral("frmResumen"));

    mrcAislado_ = Grupo(this, QStringLiteral("mrcAislado"));
    Label6_ = Rotulo(mrcAislado_, QStringLiteral("Label6"));
    txtPrecip_ = Salida(mrcAislado_, QStringLiteral("txtPrecip"));
    Label7_ = Rotulo(mrcAislado_, QStringLiteral("Label7"));
    txtHumedad_ = Salida(mrcAislado_, QStringLiteral("txtHumedad"));
    auto* aislado = new QGridLayout(mrcAislado_);
    aislado->setColumnStretch(0, 1);
    aislado->addWidget(Label6_, 0, 0);
    aislado->addWidget(txtPrecip_, 0, 1);
    aislado->addWidget(Label7_, 1, 0);
    aislado->addWidget(txtHumedad_, 1, 1);

    mrcSerie_ = Grupo(this, QStringLiteral("mrcSerie"));
    Label1_ = Rotulo(mrcSerie_, QStringLiteral("Label1"));
    Label2_ = Rotulo(mrcSerie_, QStringLiteral("Label2"));
    Label3_ = Rotulo(mrcSerie_, QStringLiteral("Label3"));
    Label4_ = Rotulo(mrcSerie_, QStringLiteral("Label4"));
    Label5_ = Rotulo(mrcSerie_, QStringLiteral("Label5"));
    for (std::size_t i = 0; i < txtDato_.size(); ++i)
        txtDato_[i] = Salida(mrcSerie_, QStringLiteral("txtDato(%1)").arg(i));
    auto* serie = new QGridLayout(mrcSerie_);
    serie->setColumnStretch(0, 1);
    serie->addWidget(Label1_, 0, 0);
    serie->addWidget(txtDato_[0], 0, 1);
    serie->addWidget(Label2_, 1, 0);
    serie->addWidget(txtDato_[1], 1, 1);
    serie->addWidget(Label3_, 2, 0, 1, 2);
    // The two counts below the heading are indented under it.
    Label4_->setIndent(16);
    Label5_->setIndent(16);
    serie->addWidget(Label4_, 3, 0);
    serie->addWidget(txtDato_[2], 3, 1);
    serie->addWidget(Label5_, 4, 0);
    serie->addWidget(txtDato_[3], 4, 1);

    Frame3_ = Grupo(this, QStringLiteral("Frame3"));
    auto* disp = new QGridLayout(Frame3_);
    disp->setColumnStretch(0, 1);
    for (std::size_t i = 0; i < txtDisp_.size(); ++i) {
        const int fila = static_cast<int>(i);
        LabelDisp_[i] = Rotulo(Frame3_, QStringLiteral("Label%1").arg(8 + fila));
        txtDisp_[i] = Salida(Frame3_, QStringLiteral("txtDisp(%1)").arg(fila));
        disp->addWidget(LabelDisp_[i], fila, 0);
        disp->addWidget(txtDisp_[i], fila, 1);
    }

    Label12_ = Rotulo(this, QStringLiteral("Label12"));
    txtCapa_ = Salida(this, QStringLiteral("txtCapa"));
    auto* capa = new QHBoxLayout;
    capa->setContentsMargins(10, 0, 12, 0);
    capa->addWidget(Label12_, 1);
    capa->addWidget(txtCapa_, 0, Qt::AlignTop);

    Command1_ = Boton(this, QStringLiteral("Command1"));
    auto* pie = new QHBoxLayout;
    pie->addStretch();
    pie->addWidget(Command1_);

    auto* caja = new QVBoxLayout(this);
    caja->addWidget(mrcAislado_);
    caja->addWidget(mrcSerie_);
    caja->addWidget(Frame3_);
    caja->addLayout(capa);
    caja->addLayout(pie);

    // Load: the values once, then the captions.
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

    setWindowTitle(Texto(v_, 1175));
    mrcAislado_->setTitle(Texto(v_, 1188));
    Label6_->setText(Texto(v_, 1189));
    Label7_->setText(Texto(v_, 1190));
    mrcSerie_->setTitle(Texto(v_, 1176));
    Label1_->setText(Texto(v_, 1177));
    Label2_->setText(Texto(v_, 1178));
    Label3_->setText(Texto(v_, 1179));
    Label4_->setText(Texto(v_, 1180));
    Label5_->setText(Texto(v_, 1181));
    Frame3_->setTitle(Texto(v_, 1182));
    for (std::size_t i = 0; i < LabelDisp_.size(); ++i)
        LabelDisp_[i]->setText(Texto(v_, 1183 + static_cast<int>(i)));
    Label12_->setText(Texto(v_, 1187));
    Command1_->setText(Texto(v_, 1123));

    setMinimumWidth(440);
    resize(440, heightForWidth(440) > 0 ? heightForWidth(440) : sizeHint().height());
    CentraAlMostrar(this);
    // Nothing to type here: Space closes the window at once.
    Command1_->setFocus();

    connect(Command1_, &QPushButton::clicked, this, [this] { nav_.Descarga(objectName()); });
}
