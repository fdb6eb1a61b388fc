#include "text/Catalogo.h"

#include "app/Variables.h"

#include <QFile>
#include <QHash>

namespace {

// Read once from the embedded file; read-only afterwards. Each line is
// "id<TAB>text", and the text keeps its leading and trailing blanks.
QHash<int, QString> Lee()
{
    QHash<int, QString> textos;
    QFile f(QStringLiteral(":/textos.tsv"));
    if (!f.open(QIODevice::ReadOnly))
        return textos;
    const QString todo = QString::fromUtf8(f.readAll());
    const auto lineas = QStringView(todo).split(u'\n');
    for (QStringView linea : lineas) {
        if (linea.endsWith(u'\r'))
            linea.chop(1);
        const qsizetype tab = linea.indexOf(u'\t');
        if (tab <= 0)
            continue;
        bool ok = false;
        const int id = linea.left(tab).toInt(&ok);
        if (ok)
            textos.insert(id, linea.mid(tab + 1).toString());
    }
    return textos;
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
