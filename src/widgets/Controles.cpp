#include "widgets/Controles.h"

#include "widgets/CampoNumerico.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include <tuple>

namespace {

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
