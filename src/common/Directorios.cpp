#include "common/Directorios.h"

#include <QCoreApplication>
#include <QStandardPaths>

namespace {

QString& Cambiado()
{
    static QString dir;
    return dir;
}

} // namespace

QString DirectorioPrograma()
{
    return Cambiado().isEmpty() ? QCoreApplication::applicationDirPath() : Cambiado();
}

void CambiaDirectorioPrograma(const QString& dir)
{
    Cambiado() = dir;
}

QString DirectorioUsuario()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}
