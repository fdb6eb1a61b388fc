#pragma once

// Shared support of the window tests: an isolated settings store, recorded
// messages and beeps, timers fired by hand.

#include "app/BaseDatos.h"
#include "app/Mensajes.h"

#include <QCoreApplication>
#include <QSettings>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QStringList>
#include <QTimer>
#include <QTimerEvent>

#include <utility>
#include <vector>

namespace apoyo {

// Tests never touch the user's own settings.
inline void AislaAjustes()
{
    QStandardPaths::setTestModeEnabled(true);
    QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Hidrela20")).clear();
}

inline QSettings Almacen()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Hidrela20"));
}

// Stores a language, or removes the entry when `valor` is null.
inline void FijaIdioma(const QString& valor)
{
    QSettings s = Almacen();
    if (valor.isNull())
        s.remove(QStringLiteral("Options/Language"));
    else
        s.setValue(QStringLiteral("Options/Language"), valor);
}

// Fires a timer now, as if its interval had run out.
inline void Dispara(QTimer* t)
{
    QTimerEvent e(t->timerId());
    QCoreApplication::sendEvent(t, &e);
}

// Windows unloaded by deleteLater are destroyed here.
inline void Recoge()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Records every message box and beep for its lifetime instead of showing them.
struct Registro {
    struct Caja {
        Icono icono;
        QString titulo, texto;
    };
    std::vector<Caja> cajas;
    int pitidos = 0;
    FuncionMensaje caja_;
    FuncionPitido pito_;

    Registro()
    {
        caja_ = CambiaMensaje([this](Icono i, const QString& t, const QString& x) { cajas.push_back({i, t, x}); });
        pito_ = CambiaPitido([this] { ++pitidos; });
    }
    ~Registro()
    {
        CambiaMensaje(std::move(caja_));
        CambiaPitido(std::move(pito_));
    }
    Registro(const Registro&) = delete;
    Registro& operator=(const Registro&) = delete;

    // The texts of the boxes shown, in order.
    QStringList Textos() const
    {
        QStringList t;
        for (const auto& c : cajas)
            t << c.texto;
        return t;
    }
};

// What the database file holds in a row and value column of a table, read
// afresh from the file.
inline QVariant Guardado(const QString& tabla, int fila, int columna)
{
    BaseDatos b;
    QSqlQuery q(b.Conexion());
    q.exec(QStringLiteral("SELECT * FROM \"%1\" ORDER BY 1").arg(tabla));
    for (int i = 0; i <= fila; ++i)
        q.next();
    return q.value(columna + 1);
}

} // namespace apoyo
