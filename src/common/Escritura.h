#pragma once

#include <QBuffer>
#include <QSaveFile>
#include <QString>

#include <memory>
#include <optional>

struct Variables;

// A file written whole or not at all. A regular file, or a new one, is
// written beside its place and renamed over it only once every byte is on
// the disk, so that a full disk leaves the old file byte for byte. A
// character device or a FIFO (/dev/stdout, a pipe) has no "beside": it gets
// the bytes straight, when confirmed. Anything else, a directory above all,
// is refused and never replaced by a regular file.
class EscrituraEntera {
  public:
    EscrituraEntera(const QString& ruta, const Variables& v);
    ~EscrituraEntera();
    EscrituraEntera(const EscrituraEntera&) = delete;
    EscrituraEntera& operator=(const EscrituraEntera&) = delete;

    // Where to write, or nullptr when the target is refused (see Fallo).
    QIODevice* Abre();
    // Abre, writes `datos` and Prepara.
    bool Escribe(const QByteArray& datos);
    // Flushes and syncs what was written; false, with the reason, when any
    // byte of it did not reach the disk. A failed preparation is cancelled.
    bool Prepara();
    // Puts the file in its place, or sends the bytes to the device.
    bool Confirma();
    // Leaves the target as it was.
    void Cancela();
    const QString& Fallo() const { return fallo_; }
    const QString& Ruta() const { return ruta_; }
    // Whether the bytes go straight to a device when confirmed.
    bool Directa() const { return memoria_ != nullptr; }

  private:
    bool Falla(const QString& por);

    QString ruta_;
    const Variables& v_;
    std::unique_ptr<QSaveFile> archivo_;
    std::unique_ptr<QBuffer> memoria_; // for a device, until confirmed
    QByteArray datos_;
    QString fallo_;
};

// Writes `datos` whole to `ruta`; the reason when it could not.
std::optional<QString> EscribeEntero(const QString& ruta, const QByteArray& datos, const Variables& v);
