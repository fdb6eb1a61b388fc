#include "common/Catalogo.h"

#include "common/LeeCatalogo.h"
#include "common/Variables.h"

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

QString Texto(const Variables& v, int n)
{
    return TextoCatalogo(n + 1000 * (v.NumIdioma - 1));
}
