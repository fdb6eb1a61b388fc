#include "common/ClienteZevode.h"

#include "common/EnlaceZevode.h"

#include <QDir>
#include <QLocalSocket>
#include <QProcess>
#include <QTimer>

ClienteZevode::ClienteZevode(QObject* parent) : QObject(parent), reintento_(new QTimer(this))
{
    reintento_->setObjectName(QStringLiteral("tmrEnlace"));
    reintento_->setSingleShot(true);
    reintento_->setInterval(IntervaloMs);
    connect(reintento_, &QTimer::timeout, this, &ClienteZevode::Intenta);
}

ClienteZevode::~ClienteZevode()
{
    // Ending the window is not the tables program ending the link.
    if (socket_) {
        socket_->disconnect(this);
        socket_->abort();
    }
}

bool ClienteZevode::Enlazado() const
{
    return socket_ && socket_->state() == QLocalSocket::ConnectedState;
}

void ClienteZevode::Inicia(const QString& directorio)
{
    if (Enlazado())
        return;
#ifdef Q_OS_WIN
    const QString programa = QDir(directorio).absoluteFilePath(QStringLiteral("Zevode.exe"));
#else
    const QString programa = QDir(directorio).absoluteFilePath(QStringLiteral("Zevode"));
#endif
    // Started directly, with the absolute path: no shell, no search path.
    reintentar_ = QProcess::startDetached(programa, {}, directorio);
    reloj_.start();
    Intenta();
}

void ClienteZevode::Intenta()
{
    if (socket_) {
        socket_->disconnect(this);
        socket_->deleteLater();
    }
    socket_ = new QLocalSocket(this);
    linea_.clear();
    descarta_ = confiable_ = false;
    const QString nombre = EnlaceZevode::NombreServidor();
    if (nombre.isEmpty())
        return; // no private place to meet
    connect(socket_, &QLocalSocket::connected, this, &ClienteZevode::Conectado);
    connect(socket_, &QLocalSocket::readyRead, this, &ClienteZevode::Lee);
    connect(socket_, &QLocalSocket::errorOccurred, this, &ClienteZevode::Fallo);
    connect(socket_, &QLocalSocket::disconnected, this, [this] {
        if (socket_->bytesAvailable() > 0)
            Lee();
        emit Cerrado();
    });
    socket_->connectToServer(nombre);
}

void ClienteZevode::Conectado()
{
    reintentar_ = false;
    reintento_->stop();
    // Anyone else listening under the name is no tables program of ours:
    // nothing it sends is taken, and the link never was.
    confiable_ = EnlaceZevode::MismoUsuario(socket_->socketDescriptor());
    if (!confiable_) {
        socket_->disconnect(this);
        socket_->abort();
    }
}

void ClienteZevode::Fallo()
{
    // The tables program may still be starting: try again, for a while.
    if (Enlazado() || reintento_->isActive())
        return;
    if (reintentar_ && reloj_.elapsed() < EsperaMaximaMs)
        reintento_->start();
}

void ClienteZevode::Lee()
{
    if (!confiable_)
        return;
    // Read in pieces, so that a server that never ends its line costs no
    // more than one line's worth of memory.
    while (socket_->bytesAvailable() > 0) {
        const QByteArray trozo = socket_->read(EnlaceZevode::LineaMaxima);
        qsizetype desde = 0;
        for (qsizetype fin; (fin = trozo.indexOf('\n', desde)) >= 0; desde = fin + 1) {
            Anade(QByteArrayView(trozo).sliced(desde, fin - desde));
            QString elemento, texto;
            if (!descarta_ && EnlaceZevode::LeeMensaje(linea_, elemento, texto) && elemento == EnlaceZevode::Elemento)
                emit Texto(texto);
            linea_.clear();
            descarta_ = false;
        }
        Anade(QByteArrayView(trozo).sliced(desde));
    }
}

void ClienteZevode::Anade(QByteArrayView parte)
{
    if (descarta_)
        return;
    if (linea_.size() + parte.size() > EnlaceZevode::LineaMaxima) {
        linea_.clear();
        descarta_ = true;
        return;
    }
    linea_ += parte;
}
