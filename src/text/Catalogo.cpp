#include "text/Catalogo.h"

#include "app/Variables.h"
#include "text/LeeCatalogo.h"

#include <QFile>
#include <QHash>

namespace {

// Read once from the embedded file; read-only afterwards.
QHash<int, QString> Lee()
{
    QFile f(QStringLiteral(":/textos.tsv"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return LeeCatalogo(f.readAll());
}

const QHash<int, QString>& Textos()
{
    static const QHash<int, QString> textos = Lee();
    return textos;
}

} // namespace

QString TextoCatalogo(int id)
{
    return Textos().value(id);
}

QString CargaTexto(const Variables& v, int n)
{
    const auto id = static_cast<qint16>(1000 * v.NumIdioma + n);
    return TextoCatalogo(id);
}
