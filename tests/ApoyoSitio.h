#pragma once

// Shared support of the site window tests: a session over a window area of
// its own, with the site entry window open.

#include "Apoyo.h"

namespace apoyo {

struct Sitio {
    std::unique_ptr<Sesion> s = std::make_unique<Sesion>();
    // Declared after the session: the area and its windows go first.
    std::unique_ptr<QMdiArea> area = std::make_unique<QMdiArea>();

    explicit Sitio(int idioma)
    {
        s->v.NumIdioma = static_cast<qint16>(idioma);
        s->v.SepDecimal = QStringLiteral(".");
        RegistraVentanas(*s);
        s->nav.FijaArea(area.get());
        area->resize(1440, 800);
        area->show();
        if (!QTest::qWaitForWindowActive(area.get()))
            qWarning("the window area did not become active");
        s->nav.Muestra(QStringLiteral("frmEscorrentía"));
    }

    Variables& v() { return s->v; }
    Navegacion& nav() { return s->nav; }
};

} // namespace apoyo
