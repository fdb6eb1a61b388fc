#include "documento/ArchivoSitio.h"

#include "documento/ImportacionSitio.h"
#include "documento/LectorJson.h"
#include "documento/Meses.h"
#include "model/ModeloCN.h"
#include "model/Rangos.h"

#include <simdjson.h>

#include <algorithm>

namespace {

using simdjson::SUCCESS;
using simdjson::dom::array;
using simdjson::dom::element;
using Valor = simdjson::simdjson_result<element>;
using Tipo = FalloArchivo::Tipo;

FalloArchivo Falla(Tipo t, std::string donde, int mensaje = 0)
{
    FalloArchivo f;
    f.tipo = t;
    f.donde = std::move(donde);
    f.mensaje = mensaje;
    return f;
}

std::string En(std::string_view lista, std::size_t i)
{
    return std::string(lista) + '[' + std::to_string(i + 1) + ']';
}

// Not JSON, but would it have been had it gone on? Brackets or a string
// still open at the end say the file was cut short.
bool Cortado(std::string_view t)
{
    int nivel = 0;
    bool cadena = false, escape = false;
    for (const char c : t) {
        if (cadena) {
            if (escape)
                escape = false;
            else if (c == '\\')
                escape = true;
            else if (c == '"')
                cadena = false;
        } else if (c == '"') {
            cadena = true;
        } else if (c == '{' || c == '[') {
            ++nivel;
        } else if (c == '}' || c == ']') {
            if (--nivel < 0)
                return false;
        }
    }
    return cadena || nivel > 0;
}

// A curve number, area or capacity of the entry window: a number within its
// range, or nothing.
std::optional<FalloArchivo> LeeCampo(const Valor& v, Campo campo, std::optional<double>& destino)
{
    if (!Presente(v))
        return std::nullopt;
    const std::string donde = "site." + std::string(NombreCampo(campo));
    const std::optional<double> x = NumeroJson(v);
    if (!x)
        return Falla(Tipo::Dato, donde);
    if (const std::optional<FueraDeRango> f = CompruebaCampo(campo, *x))
        return Falla(Tipo::Rango, donde, f->mensaje);
    destino = *x;
    return std::nullopt;
}

std::optional<FalloArchivo> LeeSitio(const Valor& v, DocumentoSitio& d)
{
    if (!Presente(v))
        return std::nullopt;
    if (!v.is_object())
        return Falla(Tipo::Dato, "site");
    for (std::size_t i = 0; i < CamposDatos.size(); ++i)
        if (auto f = LeeCampo(v[NombreCampo(CamposDatos[i])], CamposDatos[i], d.datos[i]))
            return f;

    const Valor zonas = v["zones"];
    if (Presente(zonas)) {
        if (d.datos[5])
            return Falla(Tipo::Dato, "site.zones");
        array lista;
        if (zonas.get_array().get(lista) != SUCCESS || lista.size() > 5)
            return Falla(Tipo::Dato, "site.zones");
        d.complejo = true;
        for (const element z : lista) {
            const std::string donde = En("site.zones", d.zonas.size());
            array par;
            if (z.get_array().get(par) != SUCCESS || par.size() != 2)
                return Falla(Tipo::Dato, donde);
            CeldaZona c;
            // The grid's own checks and messages.
            const std::pair<std::optional<double>*, int> celdas[2] = {{&c.area, 1546}, {&c.numero, 1075}};
            for (std::size_t k = 0; k < 2; ++k) {
                const Valor x = par.at(k);
                if (!Presente(x))
                    continue;
                const std::optional<double> n = NumeroJson(x);
                if (!n)
                    return Falla(Tipo::Dato, donde);
                if (!(k == 0 ? AreaValida(*n) : CurvaValida(*n)))
                    return Falla(Tipo::Rango, donde, celdas[k].second);
                *celdas[k].first = *n;
            }
            d.zonas.push_back(c);
        }
        // Complete zones must make up the contributing area, as the data
        // check demands.
        const bool completas = d.datos[1] && std::all_of(d.zonas.begin(), d.zonas.end(),
                                                         [](const CeldaZona& c) { return c.area && c.numero; });
        SiteState s;
        s.SI = d.datos[1].value_or(0);
        if (completas && !d.zonas.empty())
            if (const std::optional<FalloZona> f = PasoZonas(s, d.zonas))
                return Falla(Tipo::Zonas, "site.zones", f->mensaje);
    }

    const Valor capacidad = v["capacity"];
    if (Presente(capacidad)) {
        const std::optional<double> x = NumeroJson(capacidad);
        if (!x)
            return Falla(Tipo::Dato, "site.capacity");
        d.capacidad = CapacidadConfirmada(*x);
        if (!d.capacidad)
            return Falla(Tipo::Rango, "site.capacity", 1538);
    }
    return std::nullopt;
}

// A storm; the series' storms are complete, the single storm's may not be.
template <class V>
std::optional<FalloArchivo> LeeAguacero(const V& v, const std::string& donde, Tormenta t, std::optional<double>& P,
                                        int& cond)
{
    if (!v.is_object())
        return Falla(Tipo::Dato, donde);
    const bool completo = t == Tormenta::Serie;
    const Valor p = v["P"];
    if (completo || Presente(p)) {
        P = NumeroJson(p);
        if (!P)
            return Falla(Tipo::Dato, donde + ".P");
        if (const std::optional<FueraDeRango> f = CompruebaAguacero(*P, t))
            return Falla(Tipo::Rango, donde + ".P", f->mensaje);
    }
    const Valor c = v["condition"];
    if (completo || Presente(c)) {
        cond = UnoATres(NumeroJson(c));
        if (cond == 0)
            return Falla(Tipo::Dato, donde + ".condition");
    }
    return std::nullopt;
}

std::optional<FalloArchivo> LeeAnio(const Valor& v, DocumentoSitio& d)
{
    if (!v.is_object())
        return Falla(Tipo::Dato, "year");
    d.caso = UnoATres(NumeroJson(v["case"]));
    if (d.caso == 0)
        return Falla(Tipo::Dato, "year.case");
    // What typing each cell into the grid would store, or its message.
    std::optional<FalloArchivo> rango;
    const std::optional<MesesMalos> mala = RecorreMeses(v["months"], [&](std::size_t m, std::size_t c, double x) {
        const ChequeoCelda ch = ValidaCelda(static_cast<int>(c), x);
        if (!ch.aceptada) {
            rango = Falla(Tipo::Rango, En(En("year.months", m), c), ch.mensaje);
            return false;
        }
        d.meses[m][c] = ch.valor;
        return true;
    });
    if (rango || !mala)
        return rango;
    switch (mala->que) {
    case MesesMalos::Que::Lista:
        return Falla(Tipo::Dato, "year.months");
    case MesesMalos::Que::Fila:
        return Falla(Tipo::Dato, En("year.months", mala->mes));
    case MesesMalos::Que::Valor:
        break;
    }
    return Falla(Tipo::Dato, En(En("year.months", mala->mes), mala->columna));
}

// Where the series and the months were imported from, every member present;
// the choices are held to the import dialog's limits.
std::optional<FalloArchivo> LeeImportacion(const Valor& v, DocumentoSitio& d)
{
    if (!v.is_object())
        return Falla(Tipo::Dato, "rain_import");
    ImportacionLluvia i;
    OpcionesLluvia& o = i.opciones;
    std::string_view archivo;
    if (v["file"].get_string().get(archivo) != SUCCESS || archivo.empty())
        return Falla(Tipo::Dato, "rain_import.file");
    i.archivo = archivo;

    // A calendar year, or "mean": true; never both.
    const Valor anio = v["year"], media = v["mean"];
    bool esMedia = false;
    if (Presente(media) && (media.get_bool().get(esMedia) != SUCCESS || !esMedia))
        return Falla(Tipo::Dato, "rain_import.mean");
    if (Presente(anio) == esMedia)
        return Falla(Tipo::Dato, "rain_import.year");
    if (!esMedia) {
        std::int64_t a = 0;
        if (anio.get_int64().get(a) != SUCCESS || !AnioValido(a))
            return Falla(Tipo::Dato, "rain_import.year");
        o.anio = static_cast<int>(a);
    }

    for (const auto& [clave, destino] : {std::pair{"rain_day", &o.umbralDia}, std::pair{"storm", &o.umbralAguacero}}) {
        const std::string donde = std::string("rain_import.") + clave;
        const std::optional<double> x = NumeroJson(v[clave]);
        if (!x)
            return Falla(Tipo::Dato, donde);
        if (!UmbralLluviaValido(*x))
            return Falla(Tipo::Rango, donde, 1754);
        *destino = *x;
    }

    array estacion;
    if (v["season"].get_array().get(estacion) != SUCCESS || estacion.size() != 2)
        return Falla(Tipo::Dato, "rain_import.season");
    int* meses[2] = {&o.mesCrecimiento1, &o.mesCrecimiento2};
    std::size_t k = 0;
    for (const element m : estacion) {
        std::int64_t x = 0;
        if (m.get_int64().get(x) != SUCCESS)
            return Falla(Tipo::Dato, En("rain_import.season", k));
        if (!MesValido(x))
            return Falla(Tipo::Rango, En("rain_import.season", k), 1754);
        *meses[k++] = static_cast<int>(x);
    }
    if (std::optional<std::string> donde = LeeLecturaLluvia(v.value_unsafe(), i))
        return Falla(Tipo::Dato, *donde);
    d.importacion = std::move(i);
    return std::nullopt;
}

std::optional<FalloArchivo> LeeDocumento(const element& o, DocumentoSitio& d)
{
    for (const auto& [clave, destino] : {std::pair{"name", &d.nombre}, std::pair{"notes", &d.notas}}) {
        const Valor t = o[clave];
        std::string_view s;
        if (Presente(t) && t.get_string().get(s) != SUCCESS)
            return Falla(Tipo::Dato, clave);
        if (s.size() > MaximoTextoSitio)
            return Falla(Tipo::Largo, clave);
        *destino = s;
    }
    if (auto f = LeeSitio(o["site"], d))
        return f;
    const Valor aguacero = o["storm"];
    if (Presente(aguacero))
        if (auto f = LeeAguacero(aguacero, "storm", Tormenta::Unica, d.PAguacero, d.CondAguacero))
            return f;
    const Valor serie = o["series"];
    if (Presente(serie)) {
        array lista;
        if (serie.get_array().get(lista) != SUCCESS || lista.size() > MaxAguaceros)
            return Falla(Tipo::Dato, "series");
        d.serie.resize(lista.size());
        std::size_t i = 0;
        for (const element a : lista) {
            std::optional<double> P;
            if (auto f = LeeAguacero(a, En("series", i), Tormenta::Serie, P, d.serie[i].cond))
                return f;
            d.serie[i++].P = *P;
        }
    }
    const Valor importacion = o["rain_import"];
    if (Presente(importacion))
        if (auto f = LeeImportacion(importacion, d))
            return f;
    const Valor anio = o["year"];
    if (Presente(anio))
        return LeeAnio(anio, d);
    return std::nullopt;
}

} // namespace

Formato LeeFormato(const element& o, long long& version)
{
    const Valor formato = o["format"];
    if (formato.error())
        return o["site"].is_object() ? Formato::Peticion : Formato::OtroTipo;
    std::string_view f;
    if (formato.get_string().get(f) != SUCCESS || f != FormatoSitio)
        return Formato::OtroTipo;
    std::int64_t n = 0;
    if (o["version"].get_int64().get(n) != SUCCESS || n < 1)
        return Formato::OtroTipo;
    version = n;
    return version > VersionSitio ? Formato::Futura : Formato::Sitio;
}

std::optional<FalloArchivo> LeeArchivoSitio(std::string_view texto, DocumentoSitio& d)
{
    if (texto.find_first_not_of(" \t\r\n") == std::string_view::npos)
        return Falla(Tipo::Vacio, {});
    if (texto.size() > MaximoJson)
        return Falla(Tipo::Grande, {});
    // A byte-order mark is no part of the JSON, as the calculator reads it.
    if (texto.starts_with("\xEF\xBB\xBF"))
        texto.remove_prefix(3);
    LectorJson lector;
    if (lector.Lee(texto) != LectorJson::Lectura::Bien) {
        FalloArchivo f = Falla(Cortado(texto) ? Tipo::Truncado : Tipo::NoJson, {});
        f.por = lector.Por();
        return f;
    }
    const element o = lector.Valor();
    if (!o.is_object())
        return Falla(Tipo::OtroTipo, {});
    FalloArchivo f;
    switch (LeeFormato(o, f.version)) {
    case Formato::OtroTipo:
        return Falla(Tipo::OtroTipo, {});
    case Formato::Futura:
        f.tipo = Tipo::Futura;
        return f;
    default:
        break;
    }
    DocumentoSitio leido;
    if (std::optional<FalloArchivo> fallo = LeeDocumento(o, leido))
        return fallo;
    d = std::move(leido);
    return std::nullopt;
}
