#include "common/Imagenes.h"

#include "common/Directorios.h"
#include "common/Variables.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPixmap>

namespace {

// Writes the bytes whole, or reports failure: a half-written JPEG would still
// decode, as a picture with a grey band.
bool Escribe(const QString& dir, const QByteArray& datos, QString& ruta)
{
    if (dir.isEmpty() || !QDir().mkpath(dir))
        return false;
    QFile f(QDir(dir).filePath(QStringLiteral("b.jpg")));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const bool entero = f.write(datos) == datos.size() && f.flush();
    f.close();
    if (!entero || f.error() != QFileDevice::NoError)
        return false;
    ruta = f.fileName();
    return true;
}

} // namespace

void CargaImagen(const Variables& v, int m, QLabel* control)
{
    const int id = 1000 * v.NumIdioma + m;
    QFile recurso(QStringLiteral(":/imagenes/%1.jpg").arg(id));
    const QByteArray datos = recurso.open(QIODevice::ReadOnly) ? recurso.readAll() : QByteArray();

    QString ruta;
    if (!Escribe(DirectorioPrograma(), datos, ruta))
        Escribe(DirectorioUsuario(), datos, ruta);

    QPixmap imagen;
    if (!ruta.isEmpty())
        imagen.load(ruta, "JPG");
    if (imagen.isNull())
        imagen.loadFromData(datos, "JPG");
    control->setPixmap(imagen);
}
