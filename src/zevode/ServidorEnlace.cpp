#include "zevode/ServidorEnlace.h"

#include "common/EnlaceZevode.h"

#include <QLocalServer>
#include <QLocalSocket>

ServidorEnlace::ServidorEnlace(QObject* parent) : QObject(parent), servidor_(new QLocalServer(this))
{
    // Only the user's own programs may read the link.
    servidor_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(servidor_, &QLocalServer::newConnection, this, &ServidorEnlace::Acepta);
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
    if (prueba.waitForConnected(1000)) {
        error_ = QStringLiteral("already served");
        return Arranque::OtroAbierto;
    }
    if (servidor_->listen(nombre))
        return Arranque::Escuchando;
    if (servidor_->serverError() == QAbstractSocket::AddressInUseError) {
        QLocalServer::removeServer(nombre);
        if (servidor_->listen(nombre))
            return Arranque::Escuchando;
    }
    error_ = servidor_->errorString();
    return Arranque::Fallo;
}

void ServidorEnlace::Publica(const QString& texto)
{
    if (texto == texto_)
        return;
    texto_ = texto;
    const QByteArray mensaje = EnlaceZevode::ComponeMensaje(EnlaceZevode::Elemento, texto_);
    for (QLocalSocket* s : std::as_const(clientes_))
        s->write(mensaje);
}

void ServidorEnlace::Acepta()
{
    while (QLocalSocket* s = servidor_->nextPendingConnection()) {
        clientes_.append(s);
        connect(s, &QLocalSocket::disconnected, this, [this, s] {
            clientes_.removeOne(s);
            s->deleteLater();
            emit ClientesCambiados(Clientes());
        });
        s->write(EnlaceZevode::ComponeMensaje(EnlaceZevode::Elemento, texto_));
        emit ClientesCambiados(Clientes());
    }
}
