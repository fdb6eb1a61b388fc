#include "calc/ImportaLluvia.h"

#include "calc/Calculadora.h"
#include "calc/Escritor.h"

#include <charconv>
#include <cstdio>
#include <string_view>

namespace {

std::string Cifra(double x)
{
    char s[32];
    return std::string(s, std::to_chars(s, s + sizeof s, x).ptr);
}

std::string FechaTexto(Fecha f)
{
    char s[16];
    std::snprintf(s, sizeof s, "%04d-%02d-%02d", f.anio, f.mes, f.dia);
    return s;
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
        return l + "a depth of " + Cifra(f.valor) + " mm in one day; it must be under 1000 mm";
    case ErrorLluvia::Columnas:
        return l + "more columns than a date and a depth";
    case ErrorLluvia::Repetida:
        return l + "the date " + f.texto + " is already on line " + std::to_string(f.otraLinea);
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

std::string Error(int id, std::string_view campo, int linea, const std::string& motivo)
{
    std::string s;
    {
        Escritor e(s);
        e.AbreObjeto();
        e.Clave("error");
        e.AbreObjeto();
        e.Entero("id", id);
        e.Clave("field");
        e.Texto(campo);
        if (linea)
            e.Entero("line", linea);
        e.Clave("message");
        e.Texto(motivo);
        e.CierraObjeto();
        e.CierraObjeto();
    }
    return s + '\n';
}

template <class T> bool Lee(std::string_view s, T& v)
{
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    return !s.empty() && r.ec == std::errc() && r.ptr == s.data() + s.size();
}

} // namespace

std::string ImportaLluvia(const std::string& ruta, const OpcionesLluvia& o, int& estado)
{
    // The answer is UTF-8 JSON whatever bytes name the file.
    std::string nombre = ruta;
    if (LineaNoTexto(nombre))
        for (char& c : nombre)
            if (static_cast<unsigned char>(c) >= 0x80)
                c = '?';
    RegistroLluvia r;
    ResultadoLluvia res;
    std::optional<FalloLluvia> f = LeeArchivoLluvia(ruta, r);
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
        e.Clave("period");
        e.AbreLista();
        e.Texto(FechaTexto(res.desde));
        e.Texto(FechaTexto(res.hasta));
        e.CierraLista();
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
            if (!Lee(v, y) || y < 1000 || y > 9999)
                return falla("year", "--year takes a year of four digits");
            o.anio = y;
            ++i;
        } else if (a == "--rain-day" || a == "--storm") {
            double mm = 0;
            if (!Lee(v, mm) || !(mm > 0 && mm < 1000))
                return falla(a.substr(2), std::string(a) + " takes a depth over 0 and under 1000 mm");
            (a == "--storm" ? o.umbralAguacero : o.umbralDia) = mm;
            ++i;
        } else if (a == "--season") {
            const std::size_t g = v.find('-');
            int m1 = 0, m2 = 0;
            if (g == std::string_view::npos || !Lee(v.substr(0, g), m1) || !Lee(v.substr(g + 1), m2) || m1 < 1 ||
                m1 > 12 || m2 < 1 || m2 > 12)
                return falla("season", "--season takes two months M1-M2, each 1 to 12");
            o.mesCrecimiento1 = m1;
            o.mesCrecimiento2 = m2;
            ++i;
        } else {
            return FalloDeLectura("usage: hidrela-calc --import-rain FILE.csv [--year Y | --mean] [--rain-day MM] "
                                  "[--storm MM] [--season M1-M2]");
        }
    }
    if (media && o.anio)
        return Error(0, "year", 0, "--year and --mean exclude each other");
    if (!ruta)
        return Error(0, "import-rain", 0, "--import-rain takes the record's file");
    return ImportaLluvia(ruta, o, estado);
}
