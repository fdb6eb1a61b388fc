#include "help/frmAyudaCapa.h"

#include "common/Catalogo.h"
#include "common/Imagenes.h"
#include "common/NombresVentanas.h"
#include "common/Variables.h"
#include "widgets/Controles.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {

// Picture 301 at its own size.
constexpr QSize Dibujo(426, 322);
constexpr int Ancho = 446;

} // namespace

frmAyudaCapa::frmAyudaCapa(Variables& v, QWidget* parent) : VentanaColocada(parent)
{
    setObjectName(ventana::AyudaCapa);
    QLabel* Label1 = Titulo(this, QStringLiteral("Label1"));
    QLabel* lblDef = Parrafo(this, QStringLiteral("lblDef"));
    QLabel* Image1 = Estirada(this, QStringLiteral("Image1"), Dibujo);

    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(10, 8, 10, 10);
    l->addWidget(Label1);
    l->addWidget(lblDef);
    l->addSpacing(4);
    l->addWidget(Image1, 0, Qt::AlignHCenter);
    l->addStretch();

    // Load: captions; the picture.
    setWindowTitle(Texto(v, 1039));
    Label1->setText(Texto(v, 1040));
    lblDef->setText(Texto(v, 1041));
    CargaImagen(v, 301, Image1);
    resize(Ancho, l->totalHeightForWidth(Ancho));
}
