#pragma once

#include <QList>
#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

// The server end of the live link: every client gets the current text of
// the item when it connects, then each new text. Destroying the server
// closes every connection, which the clients see as the end of the link.
class ServidorEnlace : public QObject {
    Q_OBJECT

  public:
    explicit ServidorEnlace(QObject* parent = nullptr);
    ~ServidorEnlace() override;

    enum class Arranque { Escuchando, OtroAbierto, Fallo };
    // Starts listening under the link's name. A name left behind by a
    // program that died is taken over; one that still answers is not.
    Arranque Escucha();
    QString Error() const { return error_; }

    int Clientes() const { return int(clientes_.size()); }

  public slots:
    void Publica(const QString& texto);

  signals:
    void ClientesCambiados(int cuantos);

  private:
    void Acepta();

    QLocalServer* servidor_;
    QList<QLocalSocket*> clientes_;
    QString texto_;
    QString error_;
};
