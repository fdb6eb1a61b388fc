#include "storms/frmEleccion.h"

#include "common/Catalogo.h"
#include "common/Navegacion.h"
#include "common/NombresVentanas.h"
#include "common/Variables.h"
#include "widgets/Colocacion.h"
#include "widgets/Controles.h"

#include <QPushButton>
#include <QVBoxLayout>

frmEleccion::frmEleccion(Variables& v, Navegacion& nav, QWidget* parent) : QWidget(parent), v_(v), nav_(nav)
{
    setObjectName(ventana::Eleccion);
    cmdAguacero_ = Boton(this, QStringLiteral("cmdAguacero"));
    cmdSerie_ = Boton(this, QStringLiteral("cmdSerie"));
    cmdAnual_ = Boton(this, QStringLiteral("cmdAnual"));

    auto* caja = new QVBoxLayout(this);
    caja->setContentsMargins(24, 20, 24, 20);
    caja->setSpacing(12);
    for (QPushButton* b : {cmdAguacero_, cmdSerie_, cmdAnual_}) {
        b->setMinimumSize(220, 36);
        caja->addWidget(b);
    }

    setWindowTitle(Texto(v_, 1053));
    cmdAguacero_->setText(Texto(v_, 1054));
    cmdSerie_->setText(Texto(v_, 1055));
    cmdAnual_->setText(Texto(v_, 1056));
    resize(sizeHint().expandedTo(QSize(300, 0)));
    CentraAlMostrar(this);

    connect(cmdAguacero_, &QPushButton::clicked, this, &frmEleccion::cmdAguacero_Click);
    connect(cmdSerie_, &QPushButton::clicked, this, &frmEleccion::cmdSerie_Click);
    connect(cmdAnual_, &QPushButton::clicked, this, &frmEleccion::cmdAnual_Click);
}

void frmEleccion::cmdAguacero_Click()
{
    v_.EsSerie = false;
    Pasa(ventana::Precipitacion);
}

void frmEleccion::cmdSerie_Click()
{
    v_.EsSerie = true;
    Pasa(ventana::Serie);
}

// The year leaves the scenario of the summary as it was.
void frmEleccion::cmdAnual_Click()
{
    Pasa(ventana::Anual);
}

void frmEleccion::Pasa(const QString& ventana)
{
    // While a scenario's window is not part of the program, the choice stays
    // open rather than leave the user with nothing to go on with.
    if (nav_.Muestra(ventana))
        nav_.Descarga(objectName());
}
