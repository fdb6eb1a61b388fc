#include "common/Navegacion.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>

#include <algorithm>

Navegacion::~Navegacion()
{
    // Child windows go with the main window; what is left is top-level.
    const auto ventanas = cargadas_;
    cargadas_.clear();
    for (const auto& v : ventanas)
        if (v && !qobject_cast<QMdiSubWindow*>(v->parentWidget()))
            delete v.data();
}

void Navegacion::Registra(const QString& nombre, Tipo tipo, Fabrica fabrica)
{
    registros_.insert(nombre, Registro{tipo, std::move(fabrica)});
}

void Navegacion::FijaArea(QMdiArea* area)
{
    area_ = area;
}

QWidget* Exterior(QWidget* ventana)
{
    if (auto* marco = qobject_cast<QMdiSubWindow*>(ventana->parentWidget()))
        return marco;
    return ventana;
}

QWidget* Navegacion::Ventana(const QString& nombre) const
{
    return cargadas_.value(nombre).data();
}

QMdiSubWindow* Navegacion::Marco(const QString& nombre) const
{
    QWidget* v = Ventana(nombre);
    return v ? qobject_cast<QMdiSubWindow*>(v->parentWidget()) : nullptr;
}

QWidget* Navegacion::Muestra(const QString& nombre)
{
    const auto r = registros_.constFind(nombre);
    // Help is read beside the field that asked for it, whose keys it never
    // takes; it gives the focus back when it closes.
    const bool ayuda = r != registros_.constEnd() && r->tipo == Tipo::Ayuda;
    QWidget* foco = QApplication::focusWidget();
    if (ayuda && foco && !(Ventana(nombre) && Ventana(nombre)->isAncestorOf(foco))) {
        pideAyuda_ = foco;
        // Escape in the field closes the help it asked for.
        foco->installEventFilter(this);
    }
    // In front, the keys left where they are.
    const bool aparte = ayuda && foco && pideAyuda_ == foco && area_;
    if (QWidget* v = Ventana(nombre)) {
        QWidget* exterior = Exterior(v);
        exterior->show();
        exterior->raise();
        if (auto* marco = qobject_cast<QMdiSubWindow*>(exterior); marco && area_) {
            if (!aparte)
                area_->setActiveSubWindow(marco);
        } else {
            exterior->activateWindow();
        }
        emit Mostrada(nombre);
        return v;
    }
    if (r == registros_.constEnd())
        return nullptr;
    if (ayuda)
        DescargaTipo(Tipo::Ayuda);
    QWidget* v = r->fabrica();
    v->setObjectName(nombre);
    v->installEventFilter(this);
    cargadas_.insert(nombre, v);
    if ((r->tipo == Tipo::Hija || r->tipo == Tipo::Ayuda) && area_) {
        // A window that sized itself keeps its size inside the frame.
        const QSize tam = v->testAttribute(Qt::WA_Resized) ? v->size() : QSize();
        QMdiSubWindow* marco = area_->addSubWindow(v);
        marco->setAttribute(Qt::WA_DeleteOnClose);
        if (tam.isValid()) {
            if (QLayout* l = marco->layout())
                l->activate();
            marco->resize(marco->size() - v->size() + tam);
        }
        // The area activates a frame that shows, unless it is disabled.
        marco->setEnabled(!aparte);
        marco->show();
        marco->setEnabled(true);
        if (aparte)
            marco->raise();
        else
            area_->setActiveSubWindow(marco);
    } else {
        v->setAttribute(Qt::WA_DeleteOnClose);
        v->show();
        v->raise();
        v->activateWindow();
    }
    emit Mostrada(nombre);
    return v;
}

void Navegacion::DevuelveFoco()
{
    QWidget* campo = pideAyuda_;
    if (!campo || !campo->isVisible() || !area_)
        return;
    for (QWidget* w = campo; w; w = w->parentWidget()) {
        if (auto* marco = qobject_cast<QMdiSubWindow*>(w); marco && marco->mdiArea() == area_) {
            area_->setActiveSubWindow(marco);
            break;
        }
    }
    campo->setFocus(Qt::OtherFocusReason);
}

void Navegacion::Oculta(const QString& nombre)
{
    if (QWidget* v = Ventana(nombre))
        Exterior(v)->hide();
}

void Navegacion::Descarga(const QString& nombre)
{
    if (QWidget* v = Ventana(nombre))
        Exterior(v)->close();
}

// By registration, never by caption: the main window's caption changes while
// a child window is maximised in it.
void Navegacion::DescargaTodasMenosPrincipal()
{
    const auto ventanas = cargadas_;
    for (auto it = ventanas.cbegin(); it != ventanas.cend(); ++it)
        if (it.value() && registros_.value(it.key()).tipo != Tipo::Principal)
            Descarga(it.key());
}

void Navegacion::DescargaTipo(Tipo tipo)
{
    const auto ventanas = cargadas_;
    for (auto it = ventanas.cbegin(); it != ventanas.cend(); ++it)
        if (it.value() && registros_.value(it.key()).tipo == tipo)
            Descarga(it.key());
}

bool Navegacion::eventFilter(QObject* objeto, QEvent* evento)
{
    // A window closed by the user unloads it just as Descarga does: from here
    // on it is not loaded, and the next show creates it anew.
    if (evento->type() == QEvent::KeyPress && objeto == pideAyuda_) {
        const auto* k = static_cast<QKeyEvent*>(evento);
        const bool ayudaAbierta = std::any_of(cargadas_.keyBegin(), cargadas_.keyEnd(), [this](const QString& n) {
            return registros_.value(n).tipo == Tipo::Ayuda;
        });
        if (k->key() == Qt::Key_Escape && k->modifiers() == Qt::NoModifier && ayudaAbierta) {
            DescargaTipo(Tipo::Ayuda);
            return true;
        }
    }
    if (evento->type() == QEvent::Close) {
        for (auto it = cargadas_.begin(); it != cargadas_.end(); ++it) {
            if (it.value() == objeto) {
                // After the area has handed the front to another window.
                if (registros_.value(it.key()).tipo == Tipo::Ayuda)
                    QTimer::singleShot(0, this, &Navegacion::DevuelveFoco);
                cargadas_.erase(it);
                break;
            }
        }
    }
    return QObject::eventFilter(objeto, evento);
}
