#include "common/Escritura.h"

#include "common/Catalogo.h"
#include "common/Variables.h"

#include <QFile>

#include <cerrno>
#include <cstdint>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

enum class Destino : std::uint8_t { Archivo, Dispositivo, Rechazado };

Destino Clase(const QString& ruta)
{
    struct stat st {};
    const QByteArray local = QFile::encodeName(ruta);
    if (::stat(local.constData(), &st) != 0)
        return Destino::Archivo; // new, or a reason QSaveFile will tell
    if (S_ISCHR(st.st_mode) || S_ISFIFO(st.st_mode))
        return Destino::Dispositivo;
    if (!S_ISREG(st.st_mode))
        return Destino::Rechazado;
    // /dev/stdout or /proc/self/fd/1 redirected to a file: the shell holds
    // that file open, and a file renamed over it would never reach it.
    if (ruta.startsWith(QLatin1String("/dev/")) || ruta.startsWith(QLatin1String("/proc/")))
        return Destino::Dispositivo;
    return Destino::Archivo;
}

// The descriptor a path names when it is one the process already holds
// (/dev/stdout, /dev/fd/3): written where it stands, appending if it appends.
int Descriptor(const QString& ruta)
{
    if (ruta == QLatin1String("/dev/stdout"))
        return STDOUT_FILENO;
    if (ruta == QLatin1String("/dev/stderr"))
        return STDERR_FILENO;
    for (const QLatin1String prefijo : {QLatin1String("/dev/fd/"), QLatin1String("/proc/self/fd/")})
        if (ruta.startsWith(prefijo)) {
            bool bien = false;
            const int fd = ruta.mid(prefijo.size()).toInt(&bien);
            return bien && fd >= 0 ? fd : -1;
        }
    return -1;
}

QString Sistema(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Every byte to an open descriptor; the error number, or 0.
int TodoA(int fd, const QByteArray& datos)
{
    const char* p = datos.constData();
    qsizetype falta = datos.size();
    while (falta > 0) {
        const ssize_t n = ::write(fd, p, static_cast<std::size_t>(falta));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        p += n;
        falta -= n;
    }
    return 0;
}

} // namespace

EscrituraEntera::EscrituraEntera(const QString& ruta, const Variables& v) : ruta_(ruta), v_(v) {}

EscrituraEntera::~EscrituraEntera()
{
    Cancela();
}

bool EscrituraEntera::Falla(const QString& por)
{
    Cancela();
    fallo_ = por;
    return false;
}

QIODevice* EscrituraEntera::Abre()
{
    switch (Clase(ruta_)) {
    case Destino::Rechazado:
        Falla(Texto(v_, 1800));
        return nullptr;
    case Destino::Dispositivo:
        memoria_ = std::make_unique<QBuffer>(&datos_);
        memoria_->open(QIODevice::WriteOnly);
        return memoria_.get();
    case Destino::Archivo:
        break;
    }
    archivo_ = std::make_unique<QSaveFile>(ruta_);
    if (!archivo_->open(QIODevice::WriteOnly)) {
        Falla(archivo_->errorString());
        return nullptr;
    }
    return archivo_.get();
}

bool EscrituraEntera::Escribe(const QByteArray& datos)
{
    QIODevice* d = Abre();
    if (!d)
        return false;
    if (d->write(datos) != datos.size())
        return Falla(d->errorString());
    return Prepara();
}

bool EscrituraEntera::Prepara()
{
    if (memoria_)
        return true;
    if (!archivo_)
        return false;
    // QSaveFile would rename a file whose last bytes never reached the disk:
    // each byte is checked here first.
    if (!archivo_->flush() || archivo_->error() != QFileDevice::NoError)
        return Falla(archivo_->errorString());
    if (::fsync(archivo_->handle()) != 0)
        return Falla(Sistema(errno));
    return true;
}

bool EscrituraEntera::Confirma()
{
    if (memoria_) {
        memoria_.reset();
        // A FIFO with no reader is said at once rather than waited on.
        int fd = Descriptor(ruta_);
        const bool propio = fd < 0;
        if (propio) {
            const QByteArray local = QFile::encodeName(ruta_);
            fd = ::open(local.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd < 0)
                return Falla(errno == ENXIO ? Texto(v_, 1801) : Sistema(errno));
            ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        }
        const int error = TodoA(fd, datos_);
        if (propio)
            ::close(fd);
        datos_.clear();
        return error == 0 || Falla(Sistema(error));
    }
    if (!archivo_ || !Prepara())
        return false;
    const bool bien = archivo_->commit();
    const QString por = archivo_->errorString();
    archivo_.reset();
    return bien || Falla(por);
}

void EscrituraEntera::Cancela()
{
    if (archivo_)
        archivo_->cancelWriting();
    archivo_.reset();
    memoria_.reset();
    datos_.clear();
}

std::optional<QString> EscribeEntero(const QString& ruta, const QByteArray& datos, const Variables& v)
{
    EscrituraEntera e(ruta, v);
    if (!e.Escribe(datos) || !e.Confirma())
        return e.Fallo();
    return std::nullopt;
}
