#pragma once

// Shared support of the window tests: an isolated settings store, recorded
// messages and beeps, timers fired by hand, the user's gestures, and a window
// tested on a navigation of its own.

#include "app/Arranque.h"
#include "common/BaseDatos.h"
#include "common/Directorios.h"
#include "common/Mensajes.h"

// The widgets and the test library whole: every window test drives both.
#include <QSqlQuery>
#include <QtTest>
#include <QtWidgets>

#include <memory>
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
    valor.isNull() ? Almacen().remove("Options/Language") : Almacen().setValue("Options/Language", valor);
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
    q.seek(fila);
    return q.value(columna + 1);
}

inline QByteArray Contenido(const QString& ruta)
{
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void EscribeArchivo(const QString& ruta, const QByteArray& datos)
{
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(datos) == datos.size());
}

// The program started as the user does with `idioma` stored as the language
// (null: nothing stored) and `archivo` named, the presentation clicked away,
// the main window active.
inline std::unique_ptr<Sesion> Arranca(const QString& idioma = QString(), const QString& archivo = QString())
{
    FijaIdioma(idioma);
    auto s = Arrancar(archivo);
    if (QWidget* presentacion = s->nav.Ventana(QStringLiteral("frmPresentacion")))
        QTest::mouseClick(presentacion, Qt::LeftButton, {}, QPoint(300, 404));
    Recoge();
    if (!QTest::qWaitForWindowActive(s->nav.Ventana(QStringLiteral("frmContenedor"))))
        qWarning("the main window did not become active");
    return s;
}

// The control with the focus; a cell editor stands for its grid.
inline QString Foco(QWidget* f = QApplication::focusWidget())
{
    for (; f; f = f->parentWidget())
        if (qobject_cast<QAbstractItemView*>(f) ||
            (!f->objectName().isEmpty() && !f->objectName().startsWith(QLatin1String("qt_"))))
            return f->objectName();
    return QString();
}

// The tooltip a grid takes with the pointer over a cell.
inline QString Ayuda(QAbstractItemView* t, int fila, int columna)
{
    const QPoint p = t->visualRect(t->model()->index(fila, columna)).center();
    QMouseEvent mueve(QEvent::MouseMove, p, t->viewport()->mapToGlobal(p), Qt::NoButton, Qt::NoButton, {});
    QCoreApplication::sendEvent(t->viewport(), &mueve);
    return t->toolTip();
}

// Types into a field and leaves it with Tab.
inline void Escribe(QLineEdit* campo, const QString& texto)
{
    campo->setFocus();
    QTest::keyClicks(campo, texto);
    QTest::keyClick(campo, Qt::Key_Tab);
}

// Clicks a cell of a grid and types key by key to whatever has the focus:
// the first key opens the cell's editor.
inline void Teclea(QAbstractItemView* t, int fila, int columna, const QString& texto)
{
    QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, t->visualRect(t->model()->index(fila, columna)).center());
    for (const QChar c : texto)
        QTest::keyClicks(QApplication::focusWidget(), QString(c));
}

// A window tested on a navigation of its own, its messages recorded, the
// database file in a directory of the test's own and removed after each test.
struct Banco {
    QTemporaryDir dir;
    Variables v;
    std::unique_ptr<Navegacion> nav;
    std::unique_ptr<Registro> registro;
    QWidget* w = nullptr;

    void Empieza()
    {
        QStandardPaths::setTestModeEnabled(true);
        CambiaDirectorioPrograma(dir.path());
        v = Variables{};
        nav = std::make_unique<Navegacion>();
        registro = std::make_unique<Registro>();
    }
    void Termina(const QStringList& ventanas)
    {
        for (const QString& n : ventanas)
            nav->Descarga(n);
        Recoge();
        nav.reset();
        registro.reset();
        w = nullptr;
        QFile::remove(dir.filePath(BaseDatos::NombreArchivo));
    }
    // Shows a window of the bench and waits for the user to be able to use it.
    void Abre(const QString& ventana)
    {
        w = nav->Muestra(ventana);
        QVERIFY(QTest::qWaitForWindowActive(w));
    }
    // A control of the window (or of `en`); a missing one ends the test program.
    template <typename T = QWidget> T* C(const QString& nombre, QWidget* en = nullptr) const
    {
        T* c = (en ? en : w)->findChild<T*>(nombre);
        if (!c)
            qFatal("no control %s", qPrintable(nombre));
        return c;
    }
    // A database file that is not one, as a user's broken copy would be.
    QString Estropea()
    {
        QFile f(dir.filePath(BaseDatos::NombreArchivo));
        if (f.open(QIODevice::WriteOnly))
            f.write(QByteArray(4096, 'x'));
        return QDir::toNativeSeparators(f.fileName());
    }
};

} // namespace apoyo
