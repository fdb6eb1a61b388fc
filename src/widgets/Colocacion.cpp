#include "widgets/Colocacion.h"

#include "common/Idioma.h"
#include "common/Navegacion.h"

#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>

#include <algorithm>

namespace {

// `r` moved, and shrunk where larger, into `dentro`.
QRect Dentro(QRect r, const QRect& dentro)
{
    r.setSize(r.size().boundedTo(dentro.size()));
    r.moveLeft(std::clamp(r.left(), dentro.left(), dentro.right() + 1 - r.width()));
    r.moveTop(std::clamp(r.top(), dentro.top(), dentro.bottom() + 1 - r.height()));
    return r;
}

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
                TraeAVista(marco);
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
    TraeAVista(exterior);
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

VentanaColocada::VentanaColocada(QWidget* parent) : QWidget(parent)
{
    // Even a window of pictures and text takes the keys once clicked.
    setFocusPolicy(Qt::ClickFocus);
}

void VentanaColocada::keyPressEvent(QKeyEvent* evento)
{
    if (evento->key() == Qt::Key_Escape && evento->modifiers() == Qt::NoModifier)
        Exterior(this)->close();
    else
        QWidget::keyPressEvent(evento);
}

void VentanaColocada::showEvent(QShowEvent* evento)
{
    QWidget::showEvent(evento);
    if (colocada_)
        return;
    colocada_ = true;
    AjustaMarco();
    ColocaArribaDerecha(this);
    TraeAVista(this);
}

void TraeAVista(QWidget* ventana)
{
    auto* marco = qobject_cast<QMdiSubWindow*>(ventana);
    if (!marco)
        marco = qobject_cast<QMdiSubWindow*>(ventana->parentWidget());
    QMdiArea* area = marco ? marco->mdiArea() : nullptr;
    if (!area || marco->isHidden() || marco->isMinimized() || marco->isMaximized())
        return;
    const QRect vista = area->viewport()->rect();
    // A window without a layout would only be cut: it keeps its size.
    const QWidget* dentro = marco->widget();
    const QSize minimo =
        dentro && dentro->layout() ? marco->minimumSizeHint().expandedTo(marco->minimumSize()) : marco->size();
    const QSize tam = marco->size().boundedTo(vista.size()).expandedTo(minimo.boundedTo(marco->size()));
    const QRect r(std::max(0, std::min(marco->x(), vista.width() - tam.width())),
                  std::max(0, std::min(marco->y(), vista.height() - tam.height())), tam.width(), tam.height());
    if (r != marco->geometry())
        marco->setGeometry(r);
}

void TraeTodasAVista(QMdiArea* area)
{
    for (QMdiSubWindow* marco : area->subWindowList())
        TraeAVista(marco);
}

void ColocaPrincipal(QWidget* ventana, int ancho)
{
    const QRect guardada = LeeAjuste(ClaveGeometria).toRect();
    const QScreen* pantalla = guardada.isValid() ? QGuiApplication::screenAt(guardada.center()) : nullptr;
    if (!pantalla)
        pantalla = QGuiApplication::screenAt(QCursor::pos());
    if (!pantalla)
        pantalla = QGuiApplication::primaryScreen();
    if (!pantalla)
        return;
    const QRect libre = pantalla->availableGeometry();
    if (guardada.isValid()) {
        ventana->setGeometry(Dentro(guardada, libre));
        if (LeeAjuste(ClaveMaximizada).toBool())
            ventana->setWindowState(ventana->windowState() | Qt::WindowMaximized);
        return;
    }
    ventana->setGeometry(libre);
    if (libre.width() < ancho)
        ventana->setWindowState(ventana->windowState() | Qt::WindowMaximized);
}

void EncajaEnPantalla(QWidget* ventana)
{
    const QScreen* pantalla = ventana->screen();
    if (!pantalla || ventana->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized))
        return;
    const QRect marco = ventana->frameGeometry();
    const QRect cliente = ventana->geometry();
    const QMargins borde(cliente.left() - marco.left(), cliente.top() - marco.top(), marco.right() - cliente.right(),
                         marco.bottom() - cliente.bottom());
    const QRect r = Dentro(cliente, pantalla->availableGeometry().marginsRemoved(borde));
    if (r != cliente)
        ventana->setGeometry(r);
}

void GuardaPrincipal(const QWidget* ventana)
{
    GuardaAjuste(ClaveGeometria, ventana->normalGeometry());
    GuardaAjuste(ClaveMaximizada, ventana->isMaximized());
}

namespace {

bool Cabe(const QMdiSubWindow* m, QSize tesela)
{
    const QSize minimo = m->minimumSizeHint().expandedTo(m->minimumSize());
    return minimo.width() <= tesela.width() && minimo.height() <= tesela.height();
}

} // namespace

void Mosaico(QMdiArea* area)
{
    QList<QMdiSubWindow*> marcos;
    const auto historia = area->subWindowList(QMdiArea::ActivationHistoryOrder);
    for (auto it = historia.crbegin(); it != historia.crend(); ++it)
        if (!(*it)->isHidden() && !(*it)->isMinimized())
            marcos << *it;
    const QSize vista = area->viewport()->size();
    // The most tiles that as many windows fit, taken in the order of use.
    for (auto n = static_cast<int>(marcos.size()); n > 0; --n) {
        for (int columnas = 1; columnas <= n; ++columnas) {
            const int filas = (n + columnas - 1) / columnas;
            const QSize tesela(vista.width() / columnas, vista.height() / filas);
            QList<QMdiSubWindow*> caben;
            for (QMdiSubWindow* m : marcos)
                if (caben.size() < n && Cabe(m, tesela))
                    caben << m;
            if (caben.size() < n)
                continue;
            for (int k = n - 1; k >= 0; --k) {
                if (caben[k]->isMaximized())
                    caben[k]->showNormal();
                caben[k]->setGeometry(
                    QRect(QPoint(k % columnas * tesela.width(), k / columnas * tesela.height()), tesela));
                caben[k]->raise();
            }
            return;
        }
    }
}
