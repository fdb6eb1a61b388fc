#include "help/frmEsquema.h"

#include "common/Catalogo.h"
#include "common/Imagenes.h"
#include "common/Navegacion.h"
#include "common/NombresVentanas.h"
#include "common/Variables.h"
#include "widgets/Colocacion.h"
#include "widgets/Controles.h"

#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

namespace {

// The table pictures: Spanish 1401 and English 2401.
constexpr QSize Espanol(912, 669);
constexpr QSize Ingles(510, 693);

QLabel* Cuadro(QWidget* padre, const char* nombre, QSize tam)
{
    QLabel* l = Etiqueta(padre, QString::fromLatin1(nombre));
    l->setGeometry(QRect(QPoint(0, 0), tam));
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

} // namespace

frmEsquema::frmEsquema(Variables& v, QWidget* parent) : VentanaColocada(parent), v_(v), marco_(new QScrollArea(this))
{
    setObjectName(ventana::Esquema);
    // The table is shown whole; where the main window is too small for it,
    // the window is shortened to the main window and the table scrolls.
    auto* lienzo = new QWidget;
    imagenEspanol_ = Cuadro(lienzo, "Picture1", Espanol);
    imagenIngles_ = Cuadro(lienzo, "Picture2", Ingles);
    imagenIngles_->hide();
    marco_->setFrameShape(QFrame::NoFrame);
    marco_->setWidget(lienzo);
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(marco_);

    // Load.
    setWindowTitle(Texto(v_, 1078));
    if (v_.NumIdioma == 1) {
        CargaImagen(v_, 401, imagenEspanol_);
        imagenIngles_->hide();
        imagenEspanol_->show();
    } else if (v_.NumIdioma == 2) {
        CargaImagen(v_, 401, imagenIngles_);
        imagenEspanol_->hide();
        imagenIngles_->show();
    }
    lienzo->resize(imagenIngles_->isHidden() ? Espanol : Ingles);
    resize(lienzo->size());
}

void frmEsquema::AjustaMarco()
{
    QWidget* exterior = Exterior(this);
    const int alto = AltoArea(this);
    if (alto > 0 && exterior->height() > alto) {
        const int barra = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, marco_);
        exterior->resize(exterior->width() + barra, alto);
    }
}
