#include "help/frmAyudaArea.h"

#include "common/Catalogo.h"
#include "common/Imagenes.h"
#include "common/NombresVentanas.h"
#include "common/Variables.h"
#include "widgets/Controles.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

constexpr int Ancho = 674;

} // namespace

frmAyudaArea::frmAyudaArea(Variables& v, QWidget* parent) : VentanaColocada(parent)
{
    setObjectName(ventana::AyudaArea);
    QLabel* Label3 = Titulo(this, QStringLiteral("Label3"));
    QLabel* Label4 = Parrafo(this, QStringLiteral("Label4"));
    QLabel* Label1 = Titulo(this, QStringLiteral("Label1"));
    QLabel* lblImpluvio = Parrafo(this, QStringLiteral("lblImpluvio"));
    QLabel* Label2 = Titulo(this, QStringLiteral("Label2"));
    QLabel* lblRecepcion = Parrafo(this, QStringLiteral("lblRecepción"));
    // Image2 keeps the proportions of picture 202 (237 × 217) at its width.
    const int ancho2 = Pixeles(3615);
    QLabel* Image1 = Estirada(this, QStringLiteral("Image1"), {Pixeles(6075), Pixeles(4230)});
    QLabel* Image2 = Estirada(this, QStringLiteral("Image2"), {ancho2, (ancho2 * 217 + 118) / 237});
    QFrame* Line1 = Linea(this, QStringLiteral("Line1"));
    Line1->setFrameShadow(QFrame::Sunken);

    auto* dibujos = new QHBoxLayout;
    dibujos->addWidget(Image1, 0, Qt::AlignTop);
    dibujos->addStretch();
    dibujos->addWidget(Image2, 0, Qt::AlignVCenter);
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(10, 8, 10, 10);
    l->addWidget(Label3);
    l->addWidget(Label4);
    l->addSpacing(4);
    l->addLayout(dibujos);
    l->addSpacing(4);
    l->addWidget(Line1);
    l->addWidget(Label1);
    l->addWidget(lblImpluvio);
    l->addSpacing(4);
    l->addWidget(Label2);
    l->addWidget(lblRecepcion);
    l->addStretch();

    // Load: captions; the two pictures, one after the other through the
    // scratch file.
    setWindowTitle(Texto(v, 1032));
    Label3->setText(Texto(v, 1033));
    Label4->setText(Texto(v, 1034));
    Label1->setText(Texto(v, 1035));
    lblImpluvio->setText(Texto(v, 1036));
    Label2->setText(Texto(v, 1037));
    lblRecepcion->setText(Texto(v, 1038));
    CargaImagen(v, 201, Image1);
    CargaImagen(v, 202, Image2);
    resize(Ancho, l->totalHeightForWidth(Ancho));
}
