#include "widgets/Controles.h"

#include "widgets/CampoNumerico.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShortcutEvent>
#include <QTimer>

#include <tuple>

namespace {

// What a button does with the keyboard and the mouse in every window. A click
// or the access key first takes the focus, so that the control being left
// finishes its edit as any move of the focus would; where that edit is
// refused and the focus goes back to it, the button is not pressed. Enter on
// the focused button presses it.
class Pulsacion : public QObject {
  public:
    explicit Pulsacion(QPushButton* boton) : QObject(boton), boton_(boton) { boton->installEventFilter(this); }

    bool eventFilter(QObject* objeto, QEvent* evento) override
    {
        if (objeto != boton_)
            return false;
        switch (evento->type()) {
        case QEvent::KeyPress: {
            const int tecla = static_cast<QKeyEvent*>(evento)->key();
            if (tecla != Qt::Key_Return && tecla != Qt::Key_Enter)
                return false;
            boton_->click();
            return true;
        }
        case QEvent::Shortcut:
            if (static_cast<QShortcutEvent*>(evento)->isAmbiguous() || !(boton_->focusPolicy() & Qt::TabFocus))
                return false;
            boton_->setFocus(Qt::ShortcutFocusReason);
            // A refused edit may take the focus back only once the events
            // posted by its leaving have run.
            QTimer::singleShot(0, boton_, [b = boton_] {
                if (QApplication::focusWidget() == b && b->isEnabled())
                    b->animateClick();
            });
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
            if (!Rechazado())
                return false;
            boton_->setDown(false);
            return evento->type() == QEvent::MouseButtonPress;
        default:
            return false;
        }
    }

  private:
    // The control left by the click kept the focus, or took it back.
    bool Rechazado() const
    {
        return (boton_->focusPolicy() & Qt::ClickFocus) && boton_->window()->isActiveWindow() &&
               QApplication::focusWidget() != boton_;
    }

    QPushButton* boton_;
};

QLabel* RotuloArial(QWidget* padre, const QString& nombre, int puntos, bool negrita)
{
    QLabel* l = Rotulo(padre, nombre);
    QFont f(QStringLiteral("Arial"), puntos);
    f.setBold(negrita);
    l->setFont(f);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

} // namespace

QLabel* Etiqueta(QWidget* padre, const QString& nombre)
{
    auto* l = new QLabel(padre);
    l->setObjectName(nombre);
    return l;
}

QLabel* Rotulo(QWidget* padre, const QString& nombre)
{
    QLabel* l = Etiqueta(padre, nombre);
    l->setWordWrap(true);
    return l;
}

QLabel* Titulo(QWidget* padre, const QString& nombre)
{
    return RotuloArial(padre, nombre, 11, true);
}

QLabel* Parrafo(QWidget* padre, const QString& nombre)
{
    return RotuloArial(padre, nombre, 9, false);
}

QLabel* Estirada(QWidget* padre, const QString& nombre, QSize tam)
{
    QLabel* l = Etiqueta(padre, nombre);
    l->setScaledContents(true);
    l->setFixedSize(tam);
    return l;
}

QFrame* Linea(QWidget* padre, const QString& nombre)
{
    auto* l = new QFrame(padre);
    l->setObjectName(nombre);
    l->setFrameShape(QFrame::HLine);
    return l;
}

QGroupBox* Grupo(QWidget* padre, const QString& nombre)
{
    auto* m = new QGroupBox(padre);
    m->setObjectName(nombre);
    return m;
}

QPushButton* Boton(QWidget* padre, const QString& nombre)
{
    auto* b = new QPushButton(padre);
    b->setObjectName(nombre);
    new Pulsacion(b);
    return b;
}

QLineEdit* Salida(QWidget* padre, const QString& nombre)
{
    auto* c = new QLineEdit(padre);
    c->setObjectName(nombre);
    c->setReadOnly(true);
    c->setFocusPolicy(Qt::ClickFocus);
    c->setAlignment(Qt::AlignRight);
    c->setFixedWidth(90);
    // Read-only and looking it: the background of the window, not of a field.
    QPalette p = c->palette();
    for (const auto grupo : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        p.setBrush(grupo, QPalette::Base, p.brush(grupo, QPalette::Window));
    c->setPalette(p);
    return c;
}

QGridLayout* RejillaSalidas(QWidget* marco)
{
    auto* rejilla = new QGridLayout(marco);
    rejilla->setColumnStretch(0, 1);
    return rejilla;
}

std::pair<QLabel*, QLineEdit*> FilaSalida(QGridLayout* rejilla, int fila, const QString& rotulo, const QString& caja,
                                          Qt::Alignment alineacionCaja)
{
    QWidget* marco = rejilla->parentWidget();
    QLabel* l = Rotulo(marco, rotulo);
    QLineEdit* c = Salida(marco, caja);
    l->setBuddy(c);
    rejilla->addWidget(l, fila, 0);
    rejilla->addWidget(c, fila, 1, alineacionCaja);
    return {l, c};
}

QGroupBox* MarcoResultados(QWidget* padre, int n, QLabel** etiquetas, QLineEdit** cajas)
{
    QGroupBox* marco = Grupo(padre, QStringLiteral("Frame2"));
    QGridLayout* resultados = RejillaSalidas(marco);
    for (int i = 0; i < n; ++i)
        std::tie(etiquetas[i], cajas[i]) = FilaSalida(resultados, i, QStringLiteral("Label3(%1)").arg(i),
                                                      QStringLiteral("txtResultado(%1)").arg(i), Qt::AlignTop);
    return marco;
}

void MuestraValor(QLineEdit* caja, const Variables& v, double x, int decTexto, int decAyuda, bool conTag)
{
    caja->setText(FormatoLocal(v, x, decTexto));
    const QString ayuda = decAyuda < 0 ? QString() : FormatoLocal(v, x, decAyuda);
    if (conTag)
        FijaTag(caja, ayuda);
    else
        caja->setToolTip(ayuda);
}

QMenu* Submenu(QWidget* padre, const QString& nombre)
{
    auto* m = new QMenu(padre);
    m->setObjectName(nombre);
    m->menuAction()->setObjectName(nombre);
    return m;
}

QAction* Orden(QMenu* menu, const QString& nombre, bool activa)
{
    QAction* a = menu->addAction(QString());
    a->setObjectName(nombre);
    a->setEnabled(activa);
    return a;
}
