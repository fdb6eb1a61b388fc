#pragma once

#include <QByteArray>
#include <QString>

// The live data link between the site entry window and the curve-number
// tables program. The tables program listens on a local socket named after
// the link's application and topic; on every connection it first sends the
// current text of the item, then one message each time that text changes.
// A message is one line of UTF-8: the item name, a tab, the text, "\n".
// The link ends when the tables program closes the socket.
namespace EnlaceZevode {

inline const QString Aplicacion = QStringLiteral("Zevode");
inline const QString Tema = QStringLiteral("frmCurva");
inline const QString Elemento = QStringLiteral("lblZevOdeva");

// Name of the local server. QLocalServer places it in the temporary
// directory, so runs with their own TMPDIR never meet.
inline QString NombreServidor()
{
    return Aplicacion + QLatin1Char('-') + Tema;
}

inline QByteArray ComponeMensaje(const QString& elemento, const QString& texto)
{
    return (elemento + QLatin1Char('\t') + texto + QLatin1Char('\n')).toUtf8();
}

// Splits one received line (without its "\n") into item and text; false when
// the line is not a message of the link.
inline bool LeeMensaje(const QByteArray& linea, QString& elemento, QString& texto)
{
    const qsizetype tab = linea.indexOf('\t');
    if (tab < 0)
        return false;
    elemento = QString::fromUtf8(linea.left(tab));
    texto = QString::fromUtf8(linea.mid(tab + 1));
    return true;
}

} // namespace EnlaceZevode
