#include "documento/ImportacionSitio.h"

#include "documento/Escritor.h"
#include "documento/LectorJson.h"

namespace {

using simdjson::SUCCESS;
using simdjson::dom::array;
using simdjson::dom::element;
using simdjson::dom::object;

constexpr std::string_view Repetidas[] = {"refuse", "first", "last"};

bool LeeFechaTexto(std::string_view t, Fecha& f)
{
    const std::optional<Fecha> leida = FechaDeTexto(t);
    if (leida)
        f = *leida;
    return leida.has_value();
}

bool Textos(const element& v, std::vector<std::string>& destino)
{
    array lista;
    if (v.get_array().get(lista) != SUCCESS)
        return false;
    destino.clear();
    for (const element x : lista) {
        std::string_view t;
        if (x.get_string().get(t) != SUCCESS)
            return false;
        destino.emplace_back(t);
    }
    return true;
}

void Resumen(Escritor& e, const ImportacionLluvia::Resumen& r)
{
    e.Clave("record");
    e.AbreObjeto();
    EscribePeriodo(e, r.desde, r.hasta);
    e.Entero("days", r.dias);
    e.Entero("missing", r.faltan);
    e.Entero("storms", r.aguaceros);
    e.Entero("years_averaged", r.aniosMedia);
    e.Entero("months_adjusted", r.filasAjustadas);
    e.Clave("date_column");
    e.Texto(r.columnaFecha);
    e.Clave("depth_column");
    e.Texto(r.columnaProfundidad);
    e.CierraObjeto();
}

std::optional<std::string> LeeResumen(const element& v, ImportacionLluvia::Resumen& r)
{
    array periodo;
    std::string_view a, b;
    if (v["period"].get_array().get(periodo) != SUCCESS || periodo.size() != 2 ||
        periodo.at(0).get_string().get(a) != SUCCESS || periodo.at(1).get_string().get(b) != SUCCESS ||
        !LeeFechaTexto(a, r.desde) || !LeeFechaTexto(b, r.hasta))
        return "rain_import.record.period";
    const std::pair<const char*, int*> cuentas[] = {{"days", &r.dias},
                                                    {"missing", &r.faltan},
                                                    {"storms", &r.aguaceros},
                                                    {"years_averaged", &r.aniosMedia},
                                                    {"months_adjusted", &r.filasAjustadas}};
    for (const auto& [clave, destino] : cuentas) {
        std::int64_t n = 0;
        if (v[clave].get_int64().get(n) != SUCCESS || n < 0 || n > 100000000)
            return std::string("rain_import.record.") + clave;
        *destino = static_cast<int>(n);
    }
    for (const auto& [clave, destino] :
         {std::pair{"date_column", &r.columnaFecha}, std::pair{"depth_column", &r.columnaProfundidad}}) {
        std::string_view t;
        if (v[clave].get_string().get(t) != SUCCESS)
            return std::string("rain_import.record.") + clave;
        *destino = t;
    }
    return std::nullopt;
}

} // namespace

void EscribePeriodo(Escritor& e, const Fecha& desde, const Fecha& hasta)
{
    e.Clave("period");
    e.AbreLista();
    e.Texto(TextoFecha(desde));
    e.Texto(TextoFecha(hasta));
    e.CierraLista();
}

void EscribeLecturaLluvia(Escritor& e, const ImportacionLluvia& i)
{
    const FormatoLluvia& f = i.formato;
    const FormatoLluvia omision;
    if (f.unidad != omision.unidad) {
        e.Clave("unit");
        e.Texto(NombreUnidad(f.unidad));
    }
    if (!f.fecha.empty() || !f.ymd[0].empty() || !f.profundidad.empty()) {
        e.Clave("columns");
        e.AbreObjeto();
        if (!f.ymd[0].empty()) {
            e.Clave("ymd");
            e.AbreLista();
            for (const std::string& c : f.ymd)
                e.Texto(c);
            e.CierraLista();
        } else if (!f.fecha.empty()) {
            e.Clave("date");
            e.Texto(f.fecha);
        }
        if (!f.profundidad.empty()) {
            e.Clave("depth");
            e.Texto(f.profundidad);
        }
        e.CierraObjeto();
    }
    if (f.faltan != omision.faltan) {
        e.Clave("missing");
        e.AbreLista();
        for (const std::string& m : f.faltan)
            e.Texto(m);
        e.CierraLista();
    }
    if (f.repetidas != omision.repetidas) {
        e.Clave("duplicates");
        e.Texto(Repetidas[static_cast<std::size_t>(f.repetidas)]);
    }
    if (i.resumen)
        Resumen(e, *i.resumen);
}

std::optional<std::string> LeeLecturaLluvia(const element& v, ImportacionLluvia& i)
{
    FormatoLluvia& f = i.formato;
    std::string_view t;
    if (const auto u = v["unit"]; Presente(u))
        if (u.get_string().get(t) != SUCCESS || !LeeUnidad(t))
            return "rain_import.unit";
    if (!t.empty())
        f.unidad = *LeeUnidad(t);
    if (const auto c = v["columns"]; Presente(c)) {
        object o;
        if (c.get_object().get(o) != SUCCESS)
            return "rain_import.columns";
        std::vector<std::string> ymd;
        if (const auto x = o["ymd"]; Presente(x) && (!Textos(x.value_unsafe(), ymd) || ymd.size() != 3))
            return "rain_import.columns.ymd";
        std::copy(ymd.begin(), ymd.end(), f.ymd.begin());
        for (const auto& [clave, destino] : {std::pair{"date", &f.fecha}, std::pair{"depth", &f.profundidad}})
            if (const auto x = o[clave]; Presente(x)) {
                if (x.get_string().get(t) != SUCCESS || t.empty())
                    return std::string("rain_import.columns.") + clave;
                *destino = t;
            }
    }
    if (const auto m = v["missing"]; Presente(m) && !Textos(m.value_unsafe(), f.faltan))
        return "rain_import.missing";
    if (const auto r = v["duplicates"]; Presente(r)) {
        if (r.get_string().get(t) != SUCCESS)
            return "rain_import.duplicates";
        const auto k = std::find(std::begin(Repetidas), std::end(Repetidas), t) - std::begin(Repetidas);
        if (k == std::ssize(Repetidas))
            return "rain_import.duplicates";
        f.repetidas = static_cast<RepetidasLluvia>(k);
    }
    if (const auto r = v["record"]; Presente(r)) {
        ImportacionLluvia::Resumen x;
        if (!r.is_object())
            return "rain_import.record";
        if (std::optional<std::string> fallo = LeeResumen(r.value_unsafe(), x))
            return fallo;
        i.resumen = std::move(x);
    }
    return std::nullopt;
}
