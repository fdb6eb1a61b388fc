#include "zevode/ServidorEnlace.h"

#include "common/EnlaceZevode.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

namespace {

// What a client may have waiting to be sent before it counts as not reading.
constexpr qint64 PendienteMaximo = 64 * 1024;

} // namespace

ServidorEnlace::ServidorEnlace(QObject* parent)
    : QObject(parent), servidor_(new QLocalServer(this)), vigilancia_(new QTimer(this))
{
    // Only the user's own programs may read the link.
    servidor_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(servidor_, &QLocalServer::newConnection, this, &ServidorEnlace::Acepta);
    // A failed accept closes the listening socket and deletes its name
    // without a signal, so it is looked for.
    vigilancia_->setInterval(500);
    connect(vigilancia_, &QTimer::timeout, this, &ServidorEnlace::Vigila);
}

ServidorEnlace::~ServidorEnlace()
{
    servidor_->close();
    for (QLocalSocket* s : std::as_const(clientes_)) {
        s->disconnect(this);
        // The last text must reach the client before the link ends.
        s->flush();
        s->abort();
    }
}

ServidorEnlace::Arranque ServidorEnlace::Escucha()
{
    const QString nombre = EnlaceZevode::NombreServidor();
    // Listening would quietly take the name from a copy that is running, so
    // ask first; a name that does not answer was left by one that died.
    QLocalSocket prueba;
    prueba.connectToServer(nombre);
    if (prueba.waitForConnected(1000) && EnlaceZevode::MismoUsuario(prueba.socketDescriptor())) {
        error_ = QStringLiteral("already served");
        return Arranque::OtroAbierto;
    }
    prueba.abort();
    if (!servidor_->listen(nombre) && servidor_->serverError() == QAbstractSocket::AddressInUseError) {
        QLocalServer::removeServer(nombre);
        servidor_->listen(nombre);
    }
    if (servidor_->isListening()) {
        vigilancia_->start();
        return Arranque::Escuchando;
    }
    error_ = servidor_->errorString();
    return Arranque::Fallo;
}

void ServidorEnlace::Vigila()
{
    if (servidor_->socketDescriptor() >= 0)
        return;
    // Retried on the next round while descriptors are still short; given up
    // only when another copy has started and answers under the name.
    servidor_->close();
    if (Escucha() == Arranque::OtroAbierto)
        vigilancia_->stop();
}

void ServidorEnlace::Publica(const QString& texto)
{
    if (texto == texto_)
        return;
    texto_ = texto;
    const QByteArray mensaje = EnlaceZevode::ComponeMensaje(EnlaceZevode::Elemento, texto_);
    for (QLocalSocket* s : QList<QLocalSocket*>(clientes_)) {
        if (s->bytesToWrite() > PendienteMaximo)
            Corta(s);
        else
            s->write(mensaje);
    }
}

void ServidorEnlace::Acepta()
{
    while (QLocalSocket* s = servidor_->nextPendingConnection()) {
        if (clientes_.size() >= ClientesMaximos || !EnlaceZevode::MismoUsuario(s->socketDescriptor())) {
            s->abort();
            s->deleteLater();
            continue;
        }
        clientes_.append(s);
        connect(s, &QLocalSocket::disconnected, this, [this, s] { Corta(s); });
        // Clients only listen: what one sends is never read, so it is not
        // left to pile up.
        s->setReadBufferSize(1);
        connect(s, &QLocalSocket::readyRead, this, [this, s] { Corta(s); });
        s->write(EnlaceZevode::ComponeMensaje(EnlaceZevode::Elemento, texto_));
        emit ClientesCambiados(Clientes());
    }
}

void ServidorEnlace::Corta(QLocalSocket* s)
{
    if (!clientes_.removeOne(s))
        return;
    s->disconnect(this);
    s->abort();
    s->deleteLater();
    emit ClientesCambiados(Clientes());
}
