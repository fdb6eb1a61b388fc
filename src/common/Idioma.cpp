#include "common/Idioma.h"

#include "common/Variables.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QSettings>
#include <QTranslator>

namespace {

QSettings Almacen()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, NombreAjustes);
}

} // namespace

QString LeeIdioma()
{
    const QSettings s = Almacen();
    return s.value(ClaveIdioma, QString()).toString();
}

void GuardaIdioma(const QString& valor)
{
    QSettings s = Almacen();
    s.setValue(ClaveIdioma, valor);
}

QVariant LeeAjuste(const QString& clave)
{
    return Almacen().value(clave);
}

void GuardaAjuste(const QString& clave, const QVariant& valor)
{
    QSettings s = Almacen();
    s.setValue(clave, valor);
}

int NumIdioma(const QString& valor)
{
    return valor == IdiomaEspanol ? 1 : 2;
}

QString AplicaReglaIdioma(Variables& v)
{
    const QString valor = LeeIdioma();
    v.NumIdioma = static_cast<qint16>(NumIdioma(valor));
    v.Idioma = v.NumIdioma == 1 ? IdiomaEspanol : IdiomaIngles;
    return valor;
}

bool TraduceQt(int numIdioma)
{
    static QPointer<QTranslator> cargado;
    if (cargado) {
        QCoreApplication::removeTranslator(cargado);
        delete cargado;
    }
    if (numIdioma != 1)
        return true;
    auto* t = new QTranslator(QCoreApplication::instance());
    if (!t->load(QLocale(QLocale::Spanish, QLocale::Spain), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete t;
        return false;
    }
    QCoreApplication::installTranslator(t);
    cargado = t;
    return true;
}
