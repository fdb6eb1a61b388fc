#pragma once

// Shared support of the tests of the methods browser and the help windows:
// the program opened in a language, the frame of a child window, pictures
// compared with the embedded ones.

#include "Apoyo.h"

#include "app/frmContenedor.h"
#include "common/Idioma.h"

#include <QImage>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <memory>

namespace apoyo {

// Before each test: a settings store of its own, and the scratch picture
// written in the test's own directory.
inline void Prepara(const QTemporaryDir& dir)
{
    AislaAjustes();
    CambiaDirectorioPrograma(dir.path());
}

// The session of the program in a language (1 Spanish, 2 English), past the
// presentation: the main window, active, with every window registered as the
// program registers it.
inline std::unique_ptr<Sesion> AbrePrograma(int idioma)
{
    FijaIdioma(idioma == 1 ? QStringLiteral("Español") : QStringLiteral("English"));
    auto s = std::make_unique<Sesion>();
    RegistraVentanas(*s);
    AplicaReglaIdioma(s->v);
    QWidget* principal = s->nav.Muestra(QStringLiteral("frmContenedor"));
    if (principal && !QTest::qWaitForWindowActive(principal))
        qWarning("the main window did not become active");
    return s;
}

inline QMdiArea* AreaPrincipal(Sesion& s)
{
    auto* w = qobject_cast<frmContenedor*>(s.nav.Ventana(QStringLiteral("frmContenedor")));
    return w ? w->Area() : nullptr;
}

// The frame of a child window, as the user sees it.
inline QWidget* Exterior(Sesion& s, const QString& nombre)
{
    return s.nav.Marco(nombre);
}

// Where the window should be: at the top of the main window's client area,
// its right edge at the client area's right edge.
inline QPoint ArribaDerecha(Sesion& s, const QWidget* marco)
{
    return {AreaPrincipal(s)->viewport()->width() - marco->width(), 0};
}

inline QByteArray BytesImagen(int id)
{
    QFile f(QStringLiteral(":/imagenes/%1.jpg").arg(id));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The control shows embedded picture `id`, decoded at its own size.
inline bool Muestra(const QLabel* control, int id)
{
    const QImage esperada = QImage::fromData(BytesImagen(id), "JPG");
    return !esperada.isNull() && control->pixmap().toImage().convertToFormat(esperada.format()) == esperada;
}

} // namespace apoyo
