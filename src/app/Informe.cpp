#include "app/Informe.h"

#include "annual/frmHidrico.h"
#include "common/Catalogo.h"
#include "common/Variables.h"
#include "documento/Peticion.h"
#include "model/ModeloCN.h"
#include "model/Relaciones.h"
#include "model/Resultados.h"
#include "storms/frmGraficoSerie.h"
#include "widgets/CampoNumerico.h"

#include <QChart>

#include <algorithm>

namespace {

using Tipo = BloqueInforme::Tipo;

BloqueInforme Bloque(Tipo t, const QString& texto, bool negrita = false)
{
    BloqueInforme b;
    b.tipo = t;
    b.texto = texto;
    b.negrita = negrita;
    return b;
}

BloqueInforme Tabla(QStringList cabecera, QList<QStringList> filas = {})
{
    BloqueInforme b;
    b.tipo = Tipo::Tabla;
    b.cabecera = std::move(cabecera);
    b.filas = std::move(filas);
    return b;
}

BloqueInforme Grafico(std::function<QChart*()> f)
{
    BloqueInforme b;
    b.tipo = Tipo::Grafico;
    b.grafico = std::move(f);
    return b;
}

// A table of captions and their values.
BloqueInforme Datos(const Variables& v)
{
    return Tabla({Texto(v, 1782), Texto(v, 1723)});
}

QString Num(const Variables& v, double x, int decimales)
{
    return FormatoLocal(v, x, decimales);
}

// The part of the document a request of its own reads, or why the
// calculator would refuse it.
struct ParteLeida {
    std::optional<Peticion> peticion;
    FalloPeticion fallo;
};

ParteLeida Parte(const DocumentoSitio& d)
{
    ParteLeida r;
    Peticion p;
    if (std::optional<FalloPeticion> f = PeticionDeDocumento(d, p)) {
        r.fallo = std::move(*f);
        return r;
    }
    r.peticion = std::move(p);
    return r;
}

// Why a part is left out, as the windows word it.
QString PorQue(const Variables& v, const FalloPeticion& f)
{
    const QString campo = QString::fromUtf8(f.campo.data(), static_cast<qsizetype>(f.campo.size()));
    if (f.id != 0)
        return Texto(v, 1670).arg(Texto(v, f.id), campo);
    return Texto(v, 1821).arg(campo);
}

// A note, in the report and on standard error, of what was not computed.
BloqueInforme Omitido(const Variables& v, int titulo, const QString& por, bool sitio)
{
    BloqueInforme b = Bloque(Tipo::Aviso, Texto(v, sitio ? 1820 : 1822).arg(Texto(v, titulo), por), true);
    b.sinSitio = sitio;
    return b;
}

void Cabecera(std::vector<BloqueInforme>& b, const Variables& v, const FuenteInforme& f)
{
    b.push_back(Bloque(Tipo::Titulo, Texto(v, 1779)));
    BloqueInforme t = Datos(v);
    t.filas << QStringList{Texto(v, 1780), f.archivo.isEmpty() ? Texto(v, 1673) : f.archivo};
    if (!f.documento.nombre.empty())
        t.filas << QStringList{Texto(v, 1683), QString::fromStdString(f.documento.nombre)};
    if (!f.documento.notas.empty())
        t.filas << QStringList{Texto(v, 1684), QString::fromStdString(f.documento.notas)};
    t.filas << QStringList{Texto(v, 1765), f.fecha.toString(Qt::ISODate)};
    b.push_back(t);
}

void DatosDelSitio(std::vector<BloqueInforme>& b, const Variables& v, const DocumentoSitio& d)
{
    const bool alguno =
        d.complejo || std::any_of(d.datos.begin(), d.datos.end(), [](auto& x) { return x.has_value(); });
    if (!alguno)
        return;
    b.push_back(Bloque(Tipo::Apartado, Texto(v, 1059)));
    BloqueInforme t = Datos(v);
    auto fila = [&](int texto, std::size_t i) {
        QString rotulo = Texto(v, texto);
        if (rotulo.endsWith(QLatin1Char(':')))
            rotulo.chop(1);
        t.filas << QStringList{rotulo, d.datos[i] ? Num(v, *d.datos[i], DecimalesDatos[i]) : QString()};
    };
    fila(1060, 0);
    fila(1062, 1);
    fila(1063, 2);
    t.filas << QStringList{Texto(v, 1537), Texto(v, d.complejo ? 1065 : 1064)};
    if (!d.complejo)
        fila(1540, 5);
    fila(1069, 3);
    fila(1070, 4);
    b.push_back(t);
    if (!d.complejo || d.zonas.empty())
        return;
    BloqueInforme z = Tabla({Texto(v, 1784), Texto(v, 1067), Texto(v, 1068)});
    for (std::size_t k = 0; k < d.zonas.size(); ++k) {
        const CeldaZona& c = d.zonas[k];
        z.filas << QStringList{QString::number(k + 1), c.area ? Num(v, *c.area, 3) : QString(),
                               c.numero ? Num(v, *c.numero, 1) : QString()};
    }
    b.push_back(z);
}

QString FechaInforme(const Fecha& f)
{
    return QDate(f.anio, f.mes, f.dia).toString(Qt::ISODate);
}

// Where the series and the year's months came from, when imported.
void RegistroDeLluvia(std::vector<BloqueInforme>& b, const Variables& v, const ImportacionLluvia& i)
{
    b.push_back(Bloque(Tipo::Apartado, Texto(v, 1904)));
    BloqueInforme t = Datos(v);
    const OpcionesLluvia& o = i.opciones;
    const auto fila = [&](int rotulo, const QString& valor) { t.filas << QStringList{Texto(v, rotulo), valor}; };
    fila(1780, QString::fromStdString(i.archivo));
    if (const auto& r = i.resumen) {
        fila(1906, Texto(v, 1905).arg(FechaInforme(r->desde), FechaInforme(r->hasta)));
        fila(1907, QString::number(r->dias));
        fila(1908, QString::number(r->faltan));
        fila(1909, QString::number(r->aguaceros));
        if (!r->columnaFecha.empty())
            fila(1916, QString::fromStdString(r->columnaFecha + "; " + r->columnaProfundidad));
        fila(1917, QString::number(r->filasAjustadas));
    }
    fila(1910, o.anio ? Texto(v, 1911).arg(*o.anio)
                      : Texto(v, 1912).arg(i.resumen ? QString::number(i.resumen->aniosMedia) : QString()));
    fila(1769, ExactoLocal(v, o.umbralDia, true));
    fila(1770, ExactoLocal(v, o.umbralAguacero, true));
    fila(1771, Texto(v, 1914).arg(Texto(v, 1009 + o.mesCrecimiento1), Texto(v, 1009 + o.mesCrecimiento2)));
    const UnidadLluvia u = i.formato.unidad;
    fila(1915, u == UnidadLluvia::DecimaMm ? Texto(v, 1902)
               : u == UnidadLluvia::Pulgada
                   ? Texto(v, 1903)
                   : QString::fromLatin1(NombreUnidad(u).data(), static_cast<qsizetype>(NombreUnidad(u).size())));
    b.push_back(t);
}

void ResultadosSitio(std::vector<BloqueInforme>& b, const Variables& v, const SiteState& s,
                     const std::optional<double>& capacidad)
{
    b.push_back(Bloque(Tipo::Apartado, Texto(v, 1142)));
    BloqueInforme t =
        Tabla({QString(), QStringLiteral("S (m²)"), QStringLiteral("N1"), QStringLiteral("P0(1) (mm)"),
               QStringLiteral("N2"), QStringLiteral("P0(2) (mm)"), QStringLiteral("N3"), QStringLiteral("P0(3) (mm)")});
    const std::array<const PorCondicion*, 4> numeros{&s.NAC, &s.NI, &s.NR, &s.NUS};
    const std::array<const PorCondicion*, 4> umbrales{&s.P0AC, &s.P0I, &s.P0R, &s.P0US};
    const std::array<double, 4> sup{0.0, s.SI, s.SR, s.SI + s.SR};
    for (std::size_t f = 0; f < 4; ++f) {
        QStringList fila{Texto(v, 1149 + static_cast<int>(f)), f == 0 ? QStringLiteral("----") : Num(v, sup[f], 3)};
        for (int c = 1; c <= 3; ++c)
            fila << Num(v, (*numeros[f])(c), 1) << Num(v, (*umbrales[f])(c), 1);
        t.filas << fila;
    }
    b.push_back(t);
    b.push_back(Bloque(Tipo::Texto, QStringList{Texto(v, 1153), Texto(v, 1154), Texto(v, 1155)}.join('\n')));

    b.push_back(Bloque(Tipo::Apartado, Texto(v, 1143)));
    b.push_back(
        Bloque(Tipo::Texto, QStringList{Texto(v, 1144), Texto(v, 1145), Texto(v, 1146), Texto(v, 1147)}.join('\n')));
    BloqueInforme r = Tabla({Texto(v, 1785), Texto(v, 1797)});
    for (const FilaRelacion& f : Relaciones(s))
        r.filas << QStringList{QString::fromLatin1(f.relacion.data(), static_cast<qsizetype>(f.relacion.size())),
                               Texto(v, f.texto)};
    b.push_back(r);
    b.push_back(Bloque(Tipo::Texto, Texto(v, Veredicto(s)), true));
    if (capacidad) {
        BloqueInforme c = Datos(v);
        c.filas << QStringList{Texto(v, 1786), Num(v, *capacidad, 1)};
        b.push_back(c);
    }
}

void Aguacero1(std::vector<BloqueInforme>& b, const Variables& v, const SiteState& s, const Aguacero& a)
{
    ScenarioResults r;
    LimpiaResultados(r);
    BalanceAguacero(s, r, a.P, a.cond);
    b.push_back(Bloque(Tipo::Apartado, Texto(v, 1117)));
    BloqueInforme t = Datos(v);
    t.filas << QStringList{Texto(v, 1119), Num(v, a.P, 1)} << QStringList{Texto(v, 1120), QString::number(a.cond)};
    const std::array<double, 9> valores = ValoresAguacero(s, r, a.P);
    for (std::size_t i = 0; i < valores.size(); ++i)
        t.filas << QStringList{Texto(v, FilasAguacero[i].texto), Num(v, valores[i], FilasAguacero[i].decimales)};
    b.push_back(t);
}

void SerieAguaceros(std::vector<BloqueInforme>& b, const Variables& v, const SiteState& s,
                    const std::vector<Aguacero>& lista)
{
    ScenarioResults r;
    auto detalle = std::make_shared<std::vector<BarraSerie>>();
    const TotalesSerie t = RecalculaSerie(s, r, lista, *detalle);
    const int n = static_cast<int>(lista.size());

    b.push_back(Bloque(Tipo::Apartado, Texto(v, 1191)));
    BloqueInforme res = Datos(v);
    const std::array<double, 12> valores = ValoresSerie(t, n, s.SR);
    for (std::size_t i = 0; i < valores.size(); ++i)
        res.filas << QStringList{Texto(v, FilasSerie[i].texto), Num(v, valores[i], FilasSerie[i].decimales)};
    b.push_back(res);

    const std::array<double, 9> z = ResumenDeSerie(t, n);
    b.push_back(Bloque(Tipo::Apartado, Texto(v, 1175) + QStringLiteral(": ") + Texto(v, 1176)));
    BloqueInforme resumen = Datos(v);
    resumen.filas << QStringList{Texto(v, 1177), Num(v, z[0], 1)} << QStringList{Texto(v, 1178), Num(v, z[1], 0)};
    for (std::size_t i = 2; i < 4; ++i)
        resumen.filas << QStringList{Texto(v, 1179) + QLatin1Char(' ') + Texto(v, 1178 + static_cast<int>(i)),
                                     Num(v, z[i], 0)};
    for (std::size_t i = 4; i < 8; ++i)
        resumen.filas << QStringList{Texto(v, 1182) + QLatin1Char(' ') + Texto(v, 1179 + static_cast<int>(i)),
                                     Num(v, z[i], 1)};
    resumen.filas << QStringList{Texto(v, 1187), Num(v, z[8], 1)};
    b.push_back(resumen);

    b.push_back(Bloque(Tipo::Apartado, Texto(v, 1700)));
    const double CAPA = s.CAPA;
    const Variables* pv = &v;
    // The two charts are filled together; each is painted on its own.
    for (const bool lluvia : {true, false})
        b.push_back(Grafico([pv, detalle, CAPA, lluvia] {
            QChart* l = GraficoLluvia(*pv);
            QChart* c = GraficoCapa(*pv);
            LlenaGraficosSerie(l, c, *pv, *detalle, CAPA);
            delete (lluvia ? c : l);
            return lluvia ? l : c;
        }));

    b.push_back(Bloque(Tipo::Apartado, Texto(v, 1795)));
    BloqueInforme l = Tabla({Texto(v, 1787), QStringLiteral("P (mm)"), Texto(v, 1788)});
    for (std::size_t i = 0; i < lista.size(); ++i)
        l.filas << QStringList{QString::number(i + 1), Num(v, lista[i].P, 1), QString::number(lista[i].cond)};
    // A long series takes a few columns of storms a page.
    l.grupos = lista.size() > 40 ? 5 : 1;
    b.push_back(l);
}

void Anio(std::vector<BloqueInforme>& b, const Variables& v, const SiteState& s, const DatosAnuales& datos,
          CasoEscorrentia caso)
{
    auto a = std::make_shared<CalculoAnual>();
    a->datos = datos;
    CalculaAguaceros(*a, caso);
    ScenarioResults r;
    BalanceAnual(s, r, *a);

    b.push_back(Bloque(Tipo::Apartado, Texto(v, 1001)));
    BloqueInforme t = Datos(v);
    t.filas << QStringList{Texto(v, 1004), Texto(v, 1004 + static_cast<int>(caso))}
            << QStringList{Texto(v, 1022), Num(v, a->PAnual, 1)} << QStringList{Texto(v, 1023), Num(v, a->PMaxAnual, 1)}
            << QStringList{Texto(v, 1024), Num(v, a->DiasAnual, 0)};
    b.push_back(t);

    b.push_back(Bloque(Tipo::Apartado, Texto(v, 1009)));
    BloqueInforme p = Tabla({Texto(v, 1531), Texto(v, 1532), Texto(v, 1533), Texto(v, 1534), QStringLiteral("PV1"),
                             QStringLiteral("N1"), QStringLiteral("PV2"), QStringLiteral("N2"), QStringLiteral("P5"),
                             QStringLiteral("J")});
    for (std::size_t m = 0; m < 12; ++m)
        p.filas << QStringList{Texto(v, 1010 + static_cast<int>(m)),
                               Num(v, datos.PMes[m], 1),
                               Num(v, datos.PMaxDia[m], 1),
                               ExactoLocal(v, datos.NDias[m]),
                               Num(v, a->PV1[m], 1),
                               Num(v, a->N1[m], 1),
                               Num(v, a->PV2[m], 1),
                               Num(v, a->N2[m], 1),
                               Num(v, a->P5[m], 1),
                               ExactoLocal(v, a->J[m])};
    b.push_back(p);

    const Disponibilidad disp = DisponibilidadAnual(*a);
    const std::array<std::array<double, 12>, 4> columnas = disp.columnas;
    b.push_back(Bloque(Tipo::Apartado, Texto(v, 1092)));
    QStringList cabecera{Texto(v, 1531)};
    for (const int texto : TextosDisponibilidad)
        cabecera << Texto(v, texto);
    BloqueInforme d = Tabla(cabecera);
    for (std::size_t m = 0; m < 12; ++m) {
        QStringList fila{Texto(v, 1010 + static_cast<int>(m))};
        for (std::size_t c = 0; c < 4; ++c)
            fila << Num(v, columnas[c][m], 1);
        d.filas << fila;
    }
    QStringList total{Texto(v, 1789)};
    for (double x : disp.totales)
        total << Num(v, x, 1);
    d.filas << total;
    b.push_back(d);
    BloqueInforme c = Datos(v);
    c.filas << QStringList{Texto(v, 1097), Num(v, a->CapaMinAnual, 1)};
    b.push_back(c);
    b.push_back(Bloque(Tipo::Apartado, Texto(v, 1799)));
    const Variables* pv = &v;
    b.push_back(Grafico([pv, columnas] {
        QChart* g = GraficoHidrico(*pv);
        LlenaGraficoHidrico(g, columnas);
        return g;
    }));
}

} // namespace

std::vector<BloqueInforme> ContenidoInforme(const Variables& v, const FuenteInforme& f)
{
    std::vector<BloqueInforme> b;
    const DocumentoSitio& d = f.documento;
    Cabecera(b, v, f);
    DatosDelSitio(b, v, d);
    if (d.importacion)
        RegistroDeLluvia(b, v, *d.importacion);

    DocumentoSitio sitio = d;
    sitio.PAguacero.reset();
    sitio.CondAguacero = 0;
    sitio.serie.clear();
    sitio.meses = TablaAnual{};
    ParteLeida leida = Parte(sitio);
    if (!leida.peticion) {
        b.push_back(Omitido(v, 1142, PorQue(v, leida.fallo), true));
        return b;
    }
    std::optional<Peticion>& p = leida.peticion;
    SiteState& s = p->sitio;
    const ResultadoModelo rm = CalculaSitio(s, p->capacidad);
    if (rm.desenlace != Desenlace::Completado) {
        b.push_back(Omitido(v, 1142, Texto(v, 1823), true));
        return b;
    }
    ResultadosSitio(b, v, s, p->capacidad);

    // Each part on its own, as its window computes it; a part the user began
    // and the calculator refuses is named with the reason.
    DocumentoSitio parte = sitio;
    parte.PAguacero = d.PAguacero;
    parte.CondAguacero = d.CondAguacero;
    if (const ParteLeida q = Parte(parte); q.peticion && q.peticion->aguacero)
        Aguacero1(b, v, s, *q.peticion->aguacero);
    else if (d.PAguacero || d.CondAguacero != 0)
        b.push_back(Omitido(v, 1117, PorQue(v, q.fallo), false));
    parte = sitio;
    parte.serie = d.serie;
    if (const ParteLeida q = Parte(parte); q.peticion && q.peticion->serie && !q.peticion->serie->empty())
        SerieAguaceros(b, v, s, *q.peticion->serie);
    else if (!q.peticion && !d.serie.empty())
        b.push_back(Omitido(v, 1191, PorQue(v, q.fallo), false));
    parte = sitio;
    parte.meses = d.meses;
    parte.caso = d.caso;
    if (const ParteLeida q = Parte(parte); q.peticion && q.peticion->caso)
        Anio(b, v, s, q.peticion->datos, *q.peticion->caso);
    else if (!q.peticion && d.meses != TablaAnual{})
        b.push_back(Omitido(v, 1001, PorQue(v, q.fallo), false));
    return b;
}
