#include "widgets/Rotulos.h"

#include <QLabel>

namespace {

QLabel* Rotulo(QWidget* padre, const QString& nombre, int puntos, bool negrita)
{
    auto* l = new QLabel(padre);
    l->setObjectName(nombre);
    QFont f(QStringLiteral("Arial"), puntos);
    f.setBold(negrita);
    l->setFont(f);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

} // namespace

QLabel* Titulo(QWidget* padre, const QString& nombre)
{
    return Rotulo(padre, nombre, 11, true);
}

QLabel* Parrafo(QWidget* padre, const QString& nombre)
{
    return Rotulo(padre, nombre, 9, false);
}

QLabel* Estirada(QWidget* padre, const QString& nombre, QSize tam)
{
    auto* l = new QLabel(padre);
    l->setObjectName(nombre);
    l->setScaledContents(true);
    l->setFixedSize(tam);
    return l;
}
