#include "common/LeeCatalogo.h"

#include <QStringView>

QHash<int, QString> LeeCatalogo(const QByteArray& contenido)
{
    QHash<int, QString> textos;
    const QString todo = QString::fromUtf8(contenido);
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
