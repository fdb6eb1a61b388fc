#include "app/Arranque.h"

#include "annual/frmAnual.h"
#include "annual/frmHidrico.h"
#include "app/frmContenedor.h"
#include "app/frmPresentacion.h"
#include "common/Idioma.h"
#include "common/NombresVentanas.h"
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
    s.nav.Registra(ventana::Presentacion, T::Suelta, [&s] { return new frmPresentacion(s.v, s.nav); });
    s.nav.Registra(ventana::Contenedor, T::Principal, [&s] {
        auto* w = new frmContenedor(s.v, s.nav);
        w->AbreAlMostrar(s.archivo);
        return w;
    });
    s.nav.Registra(ventana::Escorrentia, T::Hija, [&s] { return new frmEscorrentia(s.v, s.nav); });
    s.nav.Registra(ventana::ResEscorrentia, T::Hija, [&s] { return new frmResEscorrentia(s.v, s.nav); });
    s.nav.Registra(ventana::Eleccion, T::Hija, [&s] { return new frmEleccion(s.v, s.nav); });
    s.nav.Registra(ventana::Precipitacion, T::Hija, [&s] { return new frmPrecipitacion(s.v, s.nav); });
    s.nav.Registra(ventana::Serie, T::Hija, [&s] { return new frmSerie(s.v, s.nav); });
    s.nav.Registra(ventana::Resumen, T::Hija, [&s] { return new frmResumen(s.v, s.nav); });
    s.nav.Registra(ventana::GraficoSerie, T::Hija, [&s] { return new frmGraficoSerie(s.v, s.nav); });
    s.nav.Registra(ventana::Anual, T::Hija, [&s] { return new frmAnual(s.v, s.nav); });
    s.nav.Registra(ventana::Hidrico, T::Hija, [&s] { return new frmHidrico(s.v, s.nav); });
    s.nav.Registra(ventana::Metodos, T::Hija, [&s] { return new frmMetodos(s.v); });
    s.nav.Registra(ventana::Esquema, T::Ayuda, [&s] { return new frmEsquema(s.v); });
    s.nav.Registra(ventana::AyudaArea, T::Ayuda, [&s] { return new frmAyudaArea(s.v); });
    s.nav.Registra(ventana::AyudaCapa, T::Ayuda, [&s] { return new frmAyudaCapa(s.v); });
}

std::unique_ptr<Sesion> Arrancar(const QString& archivo)
{
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/hidrela.svg")));
    auto s = std::make_unique<Sesion>();
    s->archivo = archivo;
    RegistraVentanas(*s);
    AplicaReglaIdioma(s->v);
    TraduceQt(s->v.NumIdioma);
    s->nav.Muestra(ventana::Presentacion);
    return s;
}
