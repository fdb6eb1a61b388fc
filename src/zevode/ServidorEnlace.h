#pragma once

#include <QList>
#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;
class QTimer;

// The server end of the live link: every client gets the current text of
// the item when it connects, then each new text. Destroying the server
// closes every connection, which the clients see as the end of the link.
// Only the user's own programs are served, and only while they listen: a
// client that sends anything, or stops reading, is cut off.
class ServidorEnlace : public QObject {
    Q_OBJECT

  public:
    // One window per running copy of the program is all the link serves;
    // a client beyond these is cut off at once, so that a flood of
    // connections costs nothing.
    static constexpr int ClientesMaximos = 8;

    explicit ServidorEnlace(QObject* parent = nullptr);
    ~ServidorEnlace() override;

    enum class Arranque { Escuchando, OtroAbierto, Fallo };
    // Starts listening under the link's name. A name left behind by a
    // program that died is taken over; one that still answers is not. Should
    // the listening socket be lost later (no descriptor left to accept a
    // connection), it listens again as soon as it can.
    Arranque Escucha();
    QString Error() const { return error_; }

    int Clientes() const { return int(clientes_.size()); }

  public slots:
    void Publica(const QString& texto);

  signals:
    void ClientesCambiados(int cuantos);

  private:
    void Acepta();
    void Corta(QLocalSocket* s);
    void Vigila();

    QLocalServer* servidor_;
    QTimer* vigilancia_;
    QList<QLocalSocket*> clientes_;
    QString texto_;
    QString error_;
};
