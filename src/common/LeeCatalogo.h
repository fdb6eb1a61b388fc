#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

// The catalogue file's texts by id. Each line is "id<TAB>text" in UTF-8, the
// text keeping its leading and trailing blanks; a line without a tab after a
// whole number is skipped, and a later line of the same id wins.
QHash<int, QString> LeeCatalogo(const QByteArray& contenido);
