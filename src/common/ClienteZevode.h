#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>

class QLocalSocket;
class QTimer;

// The site entry window's end of the live link with the curve-number tables
// program: starts the program and connects to it, retrying while it starts,
// on a timer so that the window stays responsive. Only a program of the same
// user is listened to, and a line longer than the link allows is dropped.
class ClienteZevode : public QObject {
    Q_OBJECT

  public:
    // How long the program is given to open the link.
    static constexpr int EsperaMaximaMs = 10000;
    static constexpr int IntervaloMs = 200;

    explicit ClienteZevode(QObject* parent = nullptr);
    ~ClienteZevode() override;

    // Starts the tables program from `directorio`, never through a shell or
    // the search path, and links to it. A program that cannot be started is
    // passed over in silence; one already running still links.
    void Inicia(const QString& directorio);
    bool Enlazado() const;

  signals:
    void Texto(const QString& texto); // a new text of the item
    void Cerrado();                   // the tables program ended the link

  private:
    void Intenta();
    void Fallo();
    void Conectado();
    void Lee();
    void Anade(QByteArrayView parte);

    QLocalSocket* socket_ = nullptr;
    QByteArray linea_;      // the line being received
    bool descarta_ = false; // the line being received is too long
    bool confiable_ = false;
    QTimer* reintento_;
    QElapsedTimer reloj_;
    bool reintentar_ = false;
};
