#include "app/Arranque.h"

#include "annual/frmAnual.h"
#include "annual/frmHidrico.h"
#include "app/frmContenedor.h"
#include "app/frmPresentacion.h"
#include "common/Idioma.h"
#include "help/frmAyudaArea.h"
#include "help/frmAyudaCapa.h"
#include "help/frmEsquema.h"
#include "help/frmMetodos.h"
#include "site/frmEscorrentia.h"
#include "site/frmResEscorrentia.h"
#include "storms/frmEleccion.h"
#include "storms/frmGraficoSerie.h"
#include "storms/frmPrecipitacion.h"
#include "storms/frmResumen.h"
#include "storms/frmSerie.h"

#include <QApplication>
#include <QIcon>

void RegistraVentanas(Sesion& s)
{
    using T = Navegacion::Tipo;
    s.nav.Registra(QStringLiteral("frmPresentacion"), T::Suelta, [&s] { return new frmPresentacion(s.v, s.nav); });
    s.nav.Registra(QStringLiteral("frmContenedor"), T::Principal, [&s] {
        auto* w = new frmContenedor(s.v, s.nav);
        w->AbreAlMostrar(s.archivo);
        return w;
    });
    s.nav.Registra(QStringLiteral("frmEscorrentía"), T::Hija, [&s] { return new frmEscorrentia(s.v, s.nav); });
    s.nav.Registra(QStringLiteral("frmResEscorrentia"), T::Hija, [&s] { return new frmResEscorrentia(s.v, s.nav); });
    s.nav.Registra(QStringLiteral("frmEleccion"), T::Hija, [&s] { return new frmEleccion(s.v, s.nav); });
    s.nav.Registra(QStringLiteral("frmPrecipitacion"), T::Hija, [&s] { return new frmPrecipitacion(s.v, s.nav); });
    s.nav.Registra(QStringLiteral("frmSerie"), T::Hija, [&s] { return new frmSerie(s.v, s.nav); });
    s.nav.Registra(QStringLiteral("frmResumen"), T::Hija, [&s] { return new frmResumen(s.v, s.nav); });
    s.nav.Registra(QStringLiteral("frmGraficoSerie"), T::Hija, [&s] { return new frmGraficoSerie(s.v, s.nav); });
    s.nav.Registra(QStringLiteral("frmAnual"), T::Hija, [&s] { return new frmAnual(s.v, s.nav); });
    s.nav.Registra(QStringLiteral("frmHidrico"), T::Hija, [&s] { return new frmHidrico(s.v, s.nav); });
    s.nav.Registra(QStringLiteral("frmMetodos"), T::Hija, [&s] { return new frmMetodos(s.v); });
    s.nav.Registra(QStringLiteral("frmEsquema"), T::Ayuda, [&s] { return new frmEsquema(s.v); });
    s.nav.Registra(QStringLiteral("frmAyudaArea"), T::Ayuda, [&s] { return new frmAyudaArea(s.v); });
    s.nav.Registra(QStringLiteral("frmAyudaCapa"), T::Ayuda, [&s] { return new frmAyudaCapa(s.v); });
}

std::unique_ptr<Sesion> Arrancar(const QString& archivo)
{
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/hidrela.svg")));
    auto s = std::make_unique<Sesion>();
    s->archivo = archivo;
    RegistraVentanas(*s);
    AplicaReglaIdioma(s->v);
    TraduceQt(s->v.NumIdioma);
    s->nav.Muestra(QStringLiteral("frmPresentacion"));
    return s;
}
