#include "calc/ImportaLluvia.h"

#include "calc/Calculadora.h"
#include "calc/Respuesta.h"
#include "documento/Escritor.h"
#include "documento/ImportacionSitio.h"

#include <algorithm>
#include <charconv>
#include <string_view>
#include <vector>

namespace {

std::string Cifra(double x)
{
    char s[32];
    return std::string(s, std::to_chars(s, s + sizeof s, x).ptr);
}

// A comma-separated list; an empty text is one empty item.
std::vector<std::string> Trozos(std::string_view s)
{
    std::vector<std::string> r(1);
    for (const char c : s)
        if (c == ',')
            r.emplace_back();
        else
            r.back() += c;
    return r;
}

// The English of each fault, naming the file and the line.
std::string Motivo(const FalloLluvia& f, const std::string& ruta)
{
    const std::string l = "line " + std::to_string(f.linea) + " of " + ruta + ": ";
    switch (f.error) {
    case ErrorLluvia::NoSeLee:
        return "cannot read " + ruta + ": " + f.texto;
    case ErrorLluvia::Grande:
        return ruta + " is over 50 MB (" + std::to_string(static_cast<long long>(f.valor)) +
               " bytes); at most 50 MB can be imported";
    case ErrorLluvia::NoEsTexto:
        return l + "not text (a NUL byte or invalid UTF-8)";
    case ErrorLluvia::Fecha:
        return l + "cannot read the date \"" + f.texto + "\" (YYYY-MM-DD, DD/MM/YYYY or DD-MM-YYYY)";
    case ErrorLluvia::Profundidad:
        return l + "cannot read the depth \"" + f.texto + "\"";
    case ErrorLluvia::Negativa:
        return l + "negative depth " + Cifra(f.valor) + " mm";
    case ErrorLluvia::Excesiva:
        return l + Cifra(f.valor) + " mm in one day, more than any day ever measured (2000 mm): is --unit right?";
    case ErrorLluvia::Columnas:
        return l + "more columns than a date and a depth, and no heading to tell which: choose them by number "
                   "(--date N or --ymd Y,M,D, and --depth N)";
    case ErrorLluvia::Repetida:
        return l + "the date " + f.texto + " is already on line " + std::to_string(f.otraLinea) +
               " with another depth: choose which to keep (--duplicates first|last)";
    case ErrorLluvia::ColumnaDesconocida:
        return ruta + " has no column \"" + f.texto + "\"; its columns are: " + f.lista;
    case ErrorLluvia::ColumnasDudosas:
        return ruta + ": cannot tell which column holds the date and which the depth; its columns are: " + f.lista +
               "; choose them with --date COL (or --ymd YCOL,MCOL,DCOL) and --depth COL";
    case ErrorLluvia::Corta:
        return ruta + ": the record spans less than a month";
    case ErrorLluvia::AnioFuera:
        return ruta + ": the record does not hold the whole year " + std::to_string(static_cast<int>(f.valor));
    case ErrorLluvia::SinAnioCompleto:
        return ruta + ": no year of the record is complete (every day with a depth) to average";
    case ErrorLluvia::MesExcesivo:
        return ruta + ": month " + std::to_string(f.mes) + " has " + Cifra(f.valor) +
               " mm; the year's table holds under 1000 mm a month";
    case ErrorLluvia::DemasiadosAguaceros:
        return ruta + ": the record gives " + std::to_string(static_cast<long long>(f.valor)) +
               " storms; a series holds at most 32767";
    case ErrorLluvia::Opciones:
    case ErrorLluvia::Ninguno:
        break;
    }
    return "thresholds must be over 0 and under 1000 mm, and season months 1 to 12";
}

std::string Error(int id, std::string_view campo, int linea, std::string motivo)
{
    FalloPeticion f;
    f.id = id;
    f.campo = campo;
    f.linea = linea;
    f.motivo = std::move(motivo);
    std::string s;
    {
        Escritor e(s);
        EscribeFallo(e, f);
    }
    return s + '\n';
}

template <class T> bool Lee(std::string_view s, T& v)
{
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    return !s.empty() && r.ec == std::errc() && r.ptr == s.data() + s.size();
}

// How the record was read and what shows a wrong unit at a glance.
void Lectura(Escritor& e, const RegistroLluvia& r, const ResultadoLluvia& res, const FormatoLluvia& formato)
{
    if (!r.columnaFecha.empty()) {
        e.Clave("columns");
        e.AbreObjeto();
        e.Clave("date");
        e.Texto(r.columnaFecha);
        e.Clave("depth");
        e.Texto(r.columnaProfundidad);
        e.CierraObjeto();
    }
    if (formato.unidad != UnidadLluvia::Mm) {
        e.Clave("unit");
        e.Texto(NombreUnidad(formato.unidad));
    }
    if (r.repetidasIguales)
        e.Entero("duplicates_same", r.repetidasIguales);
    if (r.repetidasResueltas)
        e.Entero("duplicates_resolved", r.repetidasResueltas);
    e.Clave("largest_day");
    e.AbreLista();
    e.Texto(TextoFecha(res.diaMayor));
    e.Numero(res.mayor);
    e.CierraLista();
    e.Numero("mean_annual", res.mediaAnual);
}

} // namespace

std::string ImportaLluvia(const std::string& ruta, const OpcionesLluvia& o, int& estado, const FormatoLluvia& formato)
{
    // The answer is UTF-8 JSON whatever bytes name the file.
    std::string nombre = ruta;
    if (LineaNoTexto(nombre))
        for (char& c : nombre)
            if (static_cast<unsigned char>(c) >= 0x80)
                c = '?';
    RegistroLluvia r;
    ResultadoLluvia res;
    std::optional<FalloLluvia> f = LeeArchivoLluvia(ruta, r, formato);
    if (!f)
        f = AnalizaLluvia(r, o, res);
    if (f) {
        estado = 2;
        return Error(MensajeLluvia(f->error), "import-rain", f->linea, Motivo(*f, nombre));
    }
    estado = 0;
    std::string s;
    {
        Escritor e(s);
        e.AbreObjeto();
        EscribePeriodo(e, res.desde, res.hasta);
        e.Entero("days", res.dias);
        e.Entero("missing", res.faltan);
        e.Entero("rainy", res.lluviosos);
        e.Entero("storms", static_cast<long long>(res.serie.size()));
        e.Entero("storms_missing_in_five", res.conFaltaEnCinco);
        if (r.desordenLinea)
            e.Entero("sorted_from_line", r.desordenLinea);
        if (o.anio)
            e.Entero("year_missing", res.faltanAnio);
        else
            e.Entero("years_averaged", res.aniosMedia);
        if (res.filasAjustadas)
            e.Entero("months_adjusted", res.filasAjustadas);
        Lectura(e, r, res, formato);
        e.Clave("series");
        e.AbreLista();
        for (const Aguacero& a : res.serie) {
            e.AbreLista();
            e.Numero(a.P);
            e.Entero(a.cond);
            e.CierraLista();
        }
        e.CierraLista();
        e.Clave("year");
        e.AbreLista();
        for (const auto& fila : res.anio) {
            e.AbreLista();
            for (const Celda& c : fila)
                e.Numero(c.value_or(0));
            e.CierraLista();
        }
        e.CierraLista();
        e.CierraObjeto();
    }
    return s + '\n';
}

std::string ImportaLluviaOrden(int argc, const char* const* argv, int& estado)
{
    estado = 2;
    OpcionesLluvia o;
    FormatoLluvia f;
    const char* ruta = nullptr;
    bool media = false;
    for (int i = 0; i < argc; ++i) {
        const std::string_view a = argv[i];
        const std::string_view v = i + 1 < argc ? argv[i + 1] : "";
        auto falla = [&](std::string_view campo, std::string motivo) { return Error(0, campo, 0, motivo); };
        if (a == "--import-rain" && !ruta && i + 1 < argc) {
            ruta = argv[++i];
        } else if (a == "--mean") {
            media = true;
        } else if (a == "--year") {
            int y = 0;
            if (!Lee(v, y) || !AnioValido(y))
                return falla("year", "--year takes a year of four digits");
            o.anio = y;
            ++i;
        } else if (a == "--rain-day" || a == "--storm") {
            double mm = 0;
            if (!Lee(v, mm) || !UmbralLluviaValido(mm))
                return falla(a.substr(2), std::string(a) + " takes a depth over 0 and under 1000 mm");
            (a == "--storm" ? o.umbralAguacero : o.umbralDia) = mm;
            ++i;
        } else if (a == "--date" || a == "--depth") {
            if (v.empty())
                return falla(a.substr(2), std::string(a) + " takes a column: its heading or its number");
            (a == "--date" ? f.fecha : f.profundidad) = v;
            ++i;
        } else if (a == "--ymd") {
            const std::vector<std::string> c = Trozos(v);
            if (c.size() != 3 || std::any_of(c.begin(), c.end(), [](auto& x) { return x.empty(); }))
                return falla("ymd", "--ymd takes three columns YCOL,MCOL,DCOL");
            std::copy(c.begin(), c.end(), f.ymd.begin());
            ++i;
        } else if (a == "--unit") {
            const std::optional<UnidadLluvia> u = LeeUnidad(v);
            if (!u)
                return falla("unit", "--unit takes mm, 0.1mm, cm or in");
            f.unidad = *u;
            ++i;
        } else if (a == "--missing") {
            f.faltan = Trozos(v);
            ++i;
        } else if (a == "--duplicates") {
            if (v != "first" && v != "last")
                return falla("duplicates", "--duplicates takes first or last");
            f.repetidas = v == "first" ? RepetidasLluvia::Primera : RepetidasLluvia::Ultima;
            ++i;
        } else if (a == "--season") {
            const std::size_t g = v.find('-');
            int m1 = 0, m2 = 0;
            if (g == std::string_view::npos || !Lee(v.substr(0, g), m1) || !Lee(v.substr(g + 1), m2) ||
                !MesValido(m1) || !MesValido(m2))
                return falla("season", "--season takes two months M1-M2, each 1 to 12");
            o.mesCrecimiento1 = m1;
            o.mesCrecimiento2 = m2;
            ++i;
        } else {
            return FalloDeLectura("usage: hidrela-calc --import-rain FILE.csv [--year Y | --mean] [--rain-day MM] "
                                  "[--storm MM] [--season M1-M2] [--date COL | --ymd YCOL,MCOL,DCOL] [--depth COL] "
                                  "[--unit mm|0.1mm|cm|in] [--missing TOKENS] [--duplicates first|last]");
        }
    }
    if (media && o.anio)
        return Error(0, "year", 0, "--year and --mean exclude each other");
    if (!ruta)
        return Error(0, "import-rain", 0, "--import-rain takes the record's file");
    if (!f.ymd[0].empty() && !f.fecha.empty())
        return Error(0, "date", 0, "--date and --ymd exclude each other");
    return ImportaLluvia(ruta, o, estado, f);
}
