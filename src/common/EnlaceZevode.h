#pragma once

#include <QByteArray>
#include <QDir>
#include <QStandardPaths>
#include <QString>

#if defined(Q_OS_LINUX)
#include <sys/socket.h>
#include <unistd.h>
#elif defined(Q_OS_UNIX)
#include <sys/types.h>
#include <unistd.h>
#endif

// The live data link between the site entry window and the curve-number
// tables program. The tables program listens on a local socket named after
// the link's application and topic; on every connection it first sends the
// current text of the item, then one message each time that text changes.
// A message is one line of UTF-8: the item name, a tab, the text, "\n".
// The link ends when the tables program closes the socket. Clients only
// listen: one that sends anything is cut off.
namespace EnlaceZevode {

inline const QString Aplicacion = QStringLiteral("Zevode");
inline const QString Tema = QStringLiteral("frmCurva");
inline const QString Elemento = QStringLiteral("lblZevOdeva");

// Longest line either end takes; a longer one is dropped up to its "\n".
inline constexpr qsizetype LineaMaxima = 4096;

// Where the local server listens. On Unix, a socket in the user's runtime
// directory, which only the user can enter, so that two users on one machine
// never meet; empty when there is no such directory (no link then).
inline QString NombreServidor()
{
    const QString nombre = Aplicacion + QLatin1Char('-') + Tema;
#if defined(Q_OS_UNIX)
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return dir.isEmpty() ? QString() : QDir(dir).filePath(nombre);
#else
    return nombre;
#endif
}

#if defined(Q_OS_UNIX)
// Whether the process at the other end of a connected local socket runs as
// `uid`; false for a descriptor that is no such socket.
inline bool DeUsuario(qintptr descriptor, uid_t uid)
{
#if defined(Q_OS_LINUX)
    ucred par{};
    socklen_t largo = sizeof par;
    return getsockopt(int(descriptor), SOL_SOCKET, SO_PEERCRED, &par, &largo) == 0 && largo == sizeof par &&
           par.uid == uid;
#else
    uid_t suyo = 0;
    gid_t gid = 0;
    return getpeereid(int(descriptor), &suyo, &gid) == 0 && suyo == uid;
#endif
}
#endif

// Whether the other end runs as this user: a link with anyone else is not
// taken up.
inline bool MismoUsuario(qintptr descriptor)
{
#if defined(Q_OS_UNIX)
    return DeUsuario(descriptor, geteuid());
#else
    Q_UNUSED(descriptor);
    return true; // a named pipe open to the user alone
#endif
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
