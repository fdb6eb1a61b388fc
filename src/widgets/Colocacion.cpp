#include "widgets/Colocacion.h"

#include "common/Navegacion.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>

#include <algorithm>

namespace {

QMdiArea* Area(QWidget* ventana)
{
    auto* marco = qobject_cast<QMdiSubWindow*>(ventana->parentWidget());
    return marco ? marco->mdiArea() : nullptr;
}

class Centrado : public QObject {
  public:
    explicit Centrado(QWidget* ventana) : QObject(ventana) { ventana->installEventFilter(this); }

    bool eventFilter(QObject* objeto, QEvent* evento) override
    {
        if (evento->type() == QEvent::Show) {
            auto* ventana = static_cast<QWidget*>(objeto);
            if (QMdiArea* area = Area(ventana)) {
                // Never above or left of the area: the title bar stays reachable.
                QWidget* marco = Exterior(ventana);
                const QSize libre = area->viewport()->size() - marco->size();
                marco->move(std::max(0, libre.width() / 2), std::max(0, libre.height() / 2));
            }
            objeto->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};

} // namespace

void CentraEnPantalla(QWidget* ventana)
{
    if (const QScreen* pantalla = QGuiApplication::primaryScreen()) {
        QRect r = ventana->frameGeometry();
        r.moveCenter(pantalla->availableGeometry().center());
        ventana->move(r.topLeft());
    }
}

void CentraAlMostrar(QWidget* ventana)
{
    new Centrado(ventana);
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
