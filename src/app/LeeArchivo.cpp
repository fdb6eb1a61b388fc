// Opening a site file, as the main window and the report from the shell do.
#include "app/Informe.h"

#include "common/Catalogo.h"
#include "common/Variables.h"
#include "documento/ArchivoSitio.h"
#include "documento/LectorJson.h"

#include <QFile>
#include <QFileInfo>

namespace {

// Why a text is no JSON, in the program's language.
QString PorQueNoJson(const Variables& v, const MotivoJson& m)
{
    if (m.causa == CausaJson::Ninguna)
        return Texto(v, 1662);
    QString por = Texto(v, 1804 + static_cast<int>(m.causa));
    if (!m.muestra.empty())
        por = por.arg(QString::fromStdString(m.muestra));
    return Texto(v, 1804).arg(por);
}

} // namespace

std::optional<QString> LeeArchivo(const Variables& v, const QString& ruta, DocumentoSitio& d)
{
    // A pipe would hold the program until something wrote to it, a device
    // forever: only a regular file, or a link to one, is opened.
    const QFileInfo info(ruta);
    if (info.exists() && !info.isFile())
        return Texto(v, 1803);
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        return Texto(v, 1668).arg(f.errorString());
    // Never more than a request may be: a huge file is refused, not loaded.
    const QByteArray datos = f.read(static_cast<qint64>(MaximoJson) + 1);
    if (f.error() != QFileDevice::NoError)
        return Texto(v, 1668).arg(f.errorString());
    const std::optional<FalloArchivo> fallo =
        LeeArchivoSitio(std::string_view(datos.constData(), static_cast<std::size_t>(datos.size())), d);
    if (!fallo)
        return std::nullopt;
    using T = FalloArchivo::Tipo;
    switch (fallo->tipo) {
    case T::Vacio:
        return Texto(v, 1663);
    case T::Grande:
        return Texto(v, 1667);
    case T::Truncado:
        return Texto(v, 1664);
    case T::NoJson:
        return PorQueNoJson(v, fallo->por);
    case T::OtroTipo:
        return Texto(v, 1665);
    case T::Futura:
        return Texto(v, 1666).arg(fallo->version);
    case T::Rango:
    case T::Zonas:
        return Texto(v, 1670).arg(Texto(v, fallo->mensaje), QString::fromStdString(fallo->donde));
    case T::Largo:
        return Texto(v, 1818).arg(QString::fromStdString(fallo->donde));
    case T::Dato:
        break;
    }
    return Texto(v, 1669).arg(QString::fromStdString(fallo->donde));
}
