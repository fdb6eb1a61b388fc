#pragma once

// Shared support of the tests of the methods browser and the help windows:
// the program opened in a language, the place of a child window, pictures
// compared with the embedded ones.

#include "Apoyo.h"

#include "app/frmContenedor.h"

namespace apoyo {

// Before each test: a settings store of its own, and the scratch picture
// written in the test's own directory.
inline void Prepara(const QTemporaryDir& dir)
{
    AislaAjustes();
    CambiaDirectorioPrograma(dir.path());
}

// The program past its presentation in a language (1 Spanish, 2 English).
inline std::unique_ptr<Sesion> AbrePrograma(int idioma)
{
    return Arranca(idioma == 1 ? QStringLiteral("Español") : QStringLiteral("English"));
}

inline QMdiArea* AreaPrincipal(Sesion& s)
{
    auto* w = qobject_cast<frmContenedor*>(s.nav.Ventana(QStringLiteral("frmContenedor")));
    return w ? w->Area() : nullptr;
}

// The window's frame stands in the top right corner of the main window's
// client area, and no taller than it.
inline bool ArribaDerecha(Sesion& s, const QString& ventana)
{
    const QMdiSubWindow* marco = s.nav.Marco(ventana);
    const QRect area = AreaPrincipal(s)->viewport()->rect();
    return marco && marco->isVisible() && marco->geometry().topRight() == area.topRight() &&
           marco->height() <= area.height();
}

// The control shows embedded picture `id`, decoded at its own size.
inline bool Muestra(const QLabel* control, int id)
{
    const QImage esperada(QStringLiteral(":/imagenes/%1.jpg").arg(id), "JPG");
    return !esperada.isNull() && control->pixmap().toImage().convertToFormat(esperada.format()) == esperada;
}

} // namespace apoyo
