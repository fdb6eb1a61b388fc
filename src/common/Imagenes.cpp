#include "common/Imagenes.h"

#include "common/Variables.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPixmap>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {

// Writes the bytes whole to a new file of the user's own, or reports
// failure: a half-written JPEG would still decode, as a picture with a grey
// band. The file is created afresh, never opened through a name someone
// else could have planted.
bool Escribe(const QString& dir, const QByteArray& datos, QTemporaryFile& f)
{
    if (dir.isEmpty() || !QDir().mkpath(dir))
        return false;
    f.setFileTemplate(QDir(dir).filePath(QStringLiteral("b-XXXXXX.jpg")));
    if (!f.open())
        return false;
    const bool entero = f.write(datos) == datos.size() && f.flush();
    return entero && f.error() == QFileDevice::NoError;
}

} // namespace

void CargaImagen(const Variables& v, int m, QLabel* control)
{
    const int id = 1000 * v.NumIdioma + m;
    QFile recurso(QStringLiteral(":/imagenes/%1.jpg").arg(id));
    const QByteArray datos = recurso.open(QIODevice::ReadOnly) ? recurso.readAll() : QByteArray();

    QPixmap imagen;
    {
        QTemporaryFile propio, cache;
        if (Escribe(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation), datos, propio))
            imagen.load(propio.fileName(), "JPG");
        else if (Escribe(QStandardPaths::writableLocation(QStandardPaths::CacheLocation), datos, cache))
            imagen.load(cache.fileName(), "JPG");
    }
    if (imagen.isNull())
        imagen.loadFromData(datos, "JPG");
    control->setPixmap(imagen);
}
