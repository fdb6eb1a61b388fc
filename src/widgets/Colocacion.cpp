#include "widgets/Colocacion.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

QMdiArea* Area(QWidget* ventana)
{
    auto* marco = qobject_cast<QMdiSubWindow*>(ventana->parentWidget());
    return marco ? marco->mdiArea() : nullptr;
}

} // namespace

QWidget* Exterior(QWidget* ventana)
{
    if (auto* marco = qobject_cast<QMdiSubWindow*>(ventana->parentWidget()))
        return marco;
    return ventana;
}

void FijaAlto(QWidget* ventana, int pixeles)
{
    QWidget* exterior = Exterior(ventana);
    exterior->resize(exterior->width(), pixeles);
}

void ColocaArribaDerecha(QWidget* ventana)
{
    if (QMdiArea* area = Area(ventana)) {
        QWidget* marco = Exterior(ventana);
        marco->move(area->viewport()->width() - marco->width(), 0);
    }
}

int AltoArea(QWidget* ventana)
{
    QMdiArea* area = Area(ventana);
    return area ? area->viewport()->height() : 0;
}

void VentanaColocada::showEvent(QShowEvent* evento)
{
    QWidget::showEvent(evento);
    if (colocada_)
        return;
    colocada_ = true;
    AjustaMarco();
    ColocaArribaDerecha(this);
}
