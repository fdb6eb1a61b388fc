#include "app/Idioma.h"

#include "app/Variables.h"

#include <QSettings>

namespace {

const QString Espanol = QStringLiteral("Español");
const QString Ingles = QStringLiteral("English");

QSettings Almacen()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Hidrela20"));
}

} // namespace

QString LeeIdioma()
{
    const QSettings s = Almacen();
    return s.value(QStringLiteral("Options/Language"), QString()).toString();
}

void GuardaIdioma(const QString& valor)
{
    QSettings s = Almacen();
    s.setValue(QStringLiteral("Options/Language"), valor);
}

QString AplicaReglaIdioma(Variables& v)
{
    const QString valor = LeeIdioma();
    v.Idioma = valor;
    if (valor == Espanol) {
        v.NumIdioma = 1;
    } else {
        v.Idioma = Ingles;
        v.NumIdioma = 2;
    }
    return valor;
}
