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
    connect(socket_, &QLocalSocket::connected, this, [this] {
        reintentar_ = false;
        reintento_->stop();
    });
    connect(socket_, &QLocalSocket::readyRead, this, &ClienteZevode::Lee);
    connect(socket_, &QLocalSocket::errorOccurred, this, &ClienteZevode::Fallo);
    connect(socket_, &QLocalSocket::disconnected, this, [this] {
        if (socket_->bytesAvailable() > 0)
            Lee();
        emit Cerrado();
    });
    socket_->connectToServer(EnlaceZevode::NombreServidor());
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
    while (socket_->canReadLine()) {
        QByteArray linea = socket_->readLine();
        linea.chop(1);
        QString elemento, texto;
        if (EnlaceZevode::LeeMensaje(linea, elemento, texto) && elemento == EnlaceZevode::Elemento)
            emit Texto(texto);
    }
}
