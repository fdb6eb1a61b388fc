#include "app/Arranque.h"

#include "app/Idioma.h"
#include "app/frmContenedor.h"
#include "app/frmPresentacion.h"
#include "site/frmEscorrentia.h"

#include <QApplication>
#include <QIcon>

void RegistraVentanas(Sesion& s)
{
    using T = Navegacion::Tipo;
    s.nav.Registra(QStringLiteral("frmPresentacion"), T::Suelta, [&s] { return new frmPresentacion(s.v, s.nav); });
    s.nav.Registra(QStringLiteral("frmContenedor"), T::Suelta, [&s] { return new frmContenedor(s.v, s.nav); });
    s.nav.Registra(QStringLiteral("frmEscorrentía"), T::Hija, [&s] { return new frmEscorrentia(s.v, s.nav); });
}

std::unique_ptr<Sesion> Arrancar()
{
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/hidrela.svg")));
    auto s = std::make_unique<Sesion>();
    RegistraVentanas(*s);
    AplicaReglaIdioma(s->v);
    s->nav.Muestra(QStringLiteral("frmPresentacion"));
    return s;
}
