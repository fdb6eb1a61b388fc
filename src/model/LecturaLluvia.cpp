// Reading a daily rainfall record: its lines, columns, units, missing days
// and repeated dates.
#include "model/LluviaDiaria.h"
#include "model/LluviaInterna.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <utility>

namespace {

using namespace std::chrono;
using lluvia::Fallo;
using lluvia::Micras;
using lluvia::Recorta;

} // namespace

namespace {

bool Entero(std::string_view s, int& v)
{
    if (s.empty() || s.size() > 4)
        return false;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    return r.ec == std::errc() && r.ptr == s.data() + s.size() && v >= 0;
}

std::optional<DiaCivil> LeeFecha(std::string_view s)
{
    int a = 0, m = 0, d = 0;
    if (s.size() == 10 && s[4] == '-' && s[7] == '-') {
        if (!Entero(s.substr(0, 4), a) || !Entero(s.substr(5, 2), m) || !Entero(s.substr(8, 2), d))
            return std::nullopt;
    } else if (s.size() == 10 && s[2] == s[5] && (s[2] == '/' || s[2] == '-')) {
        if (!Entero(s.substr(0, 2), d) || !Entero(s.substr(3, 2), m) || !Entero(s.substr(6, 4), a))
            return std::nullopt;
    } else {
        return std::nullopt;
    }
    const year_month_day f{year(a), month(static_cast<unsigned>(m)), day(static_cast<unsigned>(d))};
    if (a < 1000 || !f.ok())
        return std::nullopt;
    return DiaDe({a, m, d});
}

bool Traza(std::string_view s)
{
    auto igual = [s](std::string_view marca) {
        return s.size() == marca.size() && std::equal(s.begin(), s.end(), marca.begin(), [](char a, char b) {
                   return (a >= 'A' && a <= 'Z' ? a - 'A' + 'a' : a) == b;
               });
    };
    return igual("ip") || igual("inap") || igual("tr") || s == "T";
}

// Fields split at `sep`; a quoted field may hold the separator. Quotes go.
std::vector<std::string> Campos(std::string_view linea, char sep)
{
    std::vector<std::string> c(1);
    bool comillas = false;
    for (char x : linea) {
        if (x == '"')
            comillas = !comillas;
        else if (x == sep && !comillas)
            c.emplace_back();
        else
            c.back() += x;
    }
    return c;
}

bool Letras(std::string_view s)
{
    return std::any_of(s.begin(), s.end(), [](char x) {
        return (x >= 'A' && x <= 'Z') || (x >= 'a' && x <= 'z') || static_cast<unsigned char>(x) >= 0x80;
    });
}

} // namespace

namespace {

std::string Minusculas(std::string_view s)
{
    std::string m(Recorta(s));
    for (char& c : m)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return m;
}

// A heading of rain: its name without the unit after it ("PRCP_MM", "Rain
// (mm)"); `mm` says whether it named millimetres.
bool DeLluvia(std::string_view cabecera, bool& mm)
{
    static constexpr std::string_view nombres[] = {
        "prcp", "precip",   "precipitation", "prec",          "pcp",           "ppt", "pp",
        "rain", "rainfall", "lluvia",        "precipitacion", "precipitación", "mm"};
    std::string n = Minusculas(cabecera);
    mm = n == "mm";
    for (const std::string_view unidad : {"_mm", "(mm)", "[mm]", " mm", "-mm", ".mm"})
        if (n.size() > unidad.size() && n.ends_with(unidad)) {
            n = Minusculas(std::string_view(n).substr(0, n.size() - unidad.size()));
            mm = true;
            break;
        }
    return std::find(std::begin(nombres), std::end(nombres), n) != std::end(nombres);
}

// 0, 1, 2 for a heading of the year, month or day; -1 for any other.
int ParteFecha(std::string_view cabecera)
{
    const std::string n = Minusculas(cabecera);
    for (const std::string_view a : {"year", "año", "ano", "anio", "yr"})
        if (n == a)
            return 0;
    for (const std::string_view m : {"month", "mes", "mo"})
        if (n == m)
            return 1;
    for (const std::string_view d : {"day", "dia", "día", "dd"})
        if (n == d)
            return 2;
    return -1;
}

std::string Lista(const std::vector<std::string>& cabeceras)
{
    std::string l;
    for (const std::string& c : cabeceras)
        l += (l.empty() ? "" : ", ") + std::string(Recorta(c));
    return l;
}

// Fields up to the last that holds something.
std::size_t Ocupados(const std::vector<std::string>& campos)
{
    std::size_t n = campos.size();
    while (n > 0 && Recorta(campos[n - 1]).empty())
        --n;
    return n;
}

// Where a record's fields are read.
struct Columnas {
    int fecha = 0, profundidad = 1;
    std::array<int, 3> ymd{-1, -1, -1}; // in use when the first is set
    bool anchas = false;                // columns were chosen: the others are not looked at
};

// The column `nombre` names, a heading or a 1-based number; -1 when none.
int Columna(const std::string& nombre, const std::vector<std::string>& cabeceras, std::size_t n)
{
    int k = 0;
    if (Entero(Recorta(nombre), k) && k >= 1 && static_cast<std::size_t>(k) <= n)
        return k - 1;
    for (std::size_t i = 0; i < cabeceras.size(); ++i)
        if (Minusculas(cabeceras[i]) == Minusculas(nombre))
            return static_cast<int>(i);
    return -1;
}

// The one index `bien` holds for, or -1.
template <class F> int Unica(std::size_t n, F bien)
{
    int hallada = -1;
    for (std::size_t i = 0; i < n; ++i)
        if (bien(i)) {
            if (hallada >= 0)
                return -2;
            hallada = static_cast<int>(i);
        }
    return hallada;
}

// The date's column (or columns) of a wide record with a heading, found
// from the first line of data and the headings.
bool HallaFecha(const std::vector<std::string>& cab, const std::vector<std::string>& datos, Columnas& c)
{
    const std::size_t n = std::min(cab.size(), datos.size());
    const auto esFecha = [&](std::size_t i) { return LeeFecha(Recorta(datos[i])).has_value(); };
    int k = Unica(n, esFecha);
    if (k == -2)
        k = Unica(n, [&](std::size_t i) {
            const std::string h = Minusculas(cab[i]);
            return esFecha(i) && (h.find("date") != std::string::npos || h.find("fecha") != std::string::npos);
        });
    if (k >= 0) {
        c.fecha = k;
        return true;
    }
    for (int parte = 0; parte < 3; ++parte) {
        c.ymd[static_cast<std::size_t>(parte)] =
            Unica(cab.size(), [&](std::size_t i) { return ParteFecha(cab[i]) == parte; });
        if (c.ymd[static_cast<std::size_t>(parte)] < 0) {
            c.ymd[0] = -1;
            return false;
        }
    }
    return true;
}

bool HallaLluvia(const std::vector<std::string>& cab, Columnas& c)
{
    bool mm = false;
    int k = Unica(cab.size(), [&](std::size_t i) { return DeLluvia(cab[i], mm); });
    if (k == -2)
        k = Unica(cab.size(), [&](std::size_t i) { return DeLluvia(cab[i], mm) && mm; });
    c.profundidad = k;
    return k >= 0;
}

// Chooses the columns from the format, the heading (if any) and the first
// line of data.
std::optional<FalloLluvia> Elige(const FormatoLluvia& f, const std::vector<std::string>& cab,
                                 const std::vector<std::string>& datos, int linea, Columnas& c)
{
    const std::size_t n = cab.empty() ? Ocupados(datos) : cab.size();
    std::optional<FalloLluvia> fallo;
    const auto busca = [&](const std::string& nombre, int& destino) {
        destino = Columna(nombre, cab, std::max(n, datos.size()));
        if (destino < 0 && !fallo) {
            fallo = Fallo(ErrorLluvia::ColumnaDesconocida);
            fallo->texto = nombre;
            fallo->lista = Lista(cab);
        }
    };
    const bool fechaDada = !f.ymd[0].empty() || !f.fecha.empty();
    if (!f.ymd[0].empty())
        for (std::size_t k = 0; k < 3; ++k)
            busca(f.ymd[k], c.ymd[k]);
    else if (!f.fecha.empty())
        busca(f.fecha, c.fecha);
    if (!f.profundidad.empty())
        busca(f.profundidad, c.profundidad);
    if (fallo)
        return fallo;
    c.anchas = fechaDada || !f.profundidad.empty() || n > 2;
    if (n <= 2 || (fechaDada && !f.profundidad.empty()))
        return std::nullopt;
    // Wider, with a column to find: only a heading can tell which.
    if (cab.empty())
        return Fallo(ErrorLluvia::Columnas, linea);
    if ((!fechaDada && !HallaFecha(cab, datos, c)) || (f.profundidad.empty() && !HallaLluvia(cab, c))) {
        FalloLluvia x = Fallo(ErrorLluvia::ColumnasDudosas);
        x.lista = Lista(cab);
        return x;
    }
    return std::nullopt;
}

std::string_view Campo(const std::vector<std::string>& campos, int i)
{
    return i >= 0 && static_cast<std::size_t>(i) < campos.size() ? Recorta(campos[static_cast<std::size_t>(i)])
                                                                 : std::string_view();
}

std::optional<DiaCivil> LeeFechaDe(const std::vector<std::string>& campos, const Columnas& c, std::string& texto)
{
    if (c.ymd[0] < 0) {
        texto = Campo(campos, c.fecha);
        return LeeFecha(texto);
    }
    int p[3] = {};
    texto.clear();
    bool bien = true;
    for (std::size_t k = 0; k < 3; ++k) {
        const std::string_view t = Campo(campos, c.ymd[k]);
        texto += (k ? "-" : "") + std::string(t);
        bien = Entero(t, p[k]) && bien;
    }
    const year_month_day f{year(p[0]), month(static_cast<unsigned>(p[1])), day(static_cast<unsigned>(p[2]))};
    if (!bien || p[0] < 1000 || !f.ok())
        return std::nullopt;
    return DiaDe({p[0], p[1], p[2]});
}

bool EsFalta(std::string_view t, const FormatoLluvia& f)
{
    return t.empty() || std::any_of(f.faltan.begin(), f.faltan.end(),
                                    [&](const std::string& m) { return Minusculas(m) == Minusculas(t); });
}

// One line of data into `d`.
std::optional<FalloLluvia> LeeDia(const std::vector<std::string>& campos, const Columnas& c, const FormatoLluvia& f,
                                  int linea, DiaLluvia& d)
{
    std::string textoFecha;
    const std::optional<DiaCivil> fecha = LeeFechaDe(campos, c, textoFecha);
    if (!fecha) {
        FalloLluvia x = Fallo(ErrorLluvia::Fecha, linea);
        x.texto = textoFecha;
        return x;
    }
    if (!c.anchas)
        for (std::size_t k = 2; k < campos.size(); ++k)
            if (!Recorta(campos[k]).empty())
                return Fallo(ErrorLluvia::Columnas, linea);
    d.fecha = *fecha;
    d.linea = linea;
    const std::string_view textoMm = Campo(campos, c.profundidad);
    if (Traza(textoMm)) {
        d.mm = 0.0;
        return std::nullopt;
    }
    if (EsFalta(textoMm, f))
        return std::nullopt;
    std::string n(textoMm);
    if (n.find('.') == std::string::npos)
        std::replace(n.begin(), n.end(), ',', '.');
    double v = 0;
    const auto res = std::from_chars(n.data(), n.data() + n.size(), v, std::chars_format::fixed);
    if (res.ec != std::errc() || res.ptr != n.data() + n.size() || !std::isfinite(v)) {
        FalloLluvia x = Fallo(ErrorLluvia::Profundidad, linea);
        x.texto = textoMm;
        return x;
    }
    // Converted once, to the micrometre, so that sums of tenths stay decimal.
    v = Micras(v * MmPorUnidad(f.unidad));
    if (v < 0 || v > MaxMmDia) {
        FalloLluvia x = Fallo(v < 0 ? ErrorLluvia::Negativa : ErrorLluvia::Excesiva, linea);
        x.valor = v;
        return x;
    }
    d.mm = v;
    return std::nullopt;
}

// Days sorted by date, the file's order kept among equal dates: each date once.
std::optional<FalloLluvia> QuitaRepetidas(std::vector<DiaLluvia>& dias, RepetidasLluvia modo, RegistroLluvia& r)
{
    std::vector<DiaLluvia> quedan;
    quedan.reserve(dias.size());
    for (const DiaLluvia& d : dias) {
        if (quedan.empty() || quedan.back().fecha != d.fecha) {
            quedan.push_back(d);
            continue;
        }
        DiaLluvia& antes = quedan.back();
        if (antes.mm == d.mm) {
            ++r.repetidasIguales;
            continue;
        }
        if (modo == RepetidasLluvia::Rechaza) {
            FalloLluvia f = Fallo(ErrorLluvia::Repetida, std::max(d.linea, antes.linea));
            f.otraLinea = std::min(d.linea, antes.linea);
            f.texto = TextoFecha(FechaDe(d.fecha));
            return f;
        }
        ++r.repetidasResueltas;
        if (modo == RepetidasLluvia::Ultima)
            antes = d;
    }
    dias = std::move(quedan);
    return std::nullopt;
}

// A month from the first day: up to the day before the same day of the
// next month, or before that month's last day when the same day does not
// exist there (from 31 January to 27 February, or 28 in a leap year).
bool Corta(const std::vector<DiaLluvia>& dias)
{
    if (dias.empty())
        return true;
    const year_month_day inicio{sys_days{days{dias.front().fecha}}};
    year_month_day sigue = inicio + months(1);
    if (!sigue.ok())
        sigue = sigue.year() / sigue.month() / last;
    return dias.back().fecha < sys_days(sigue).time_since_epoch().count() - 1;
}

// The next line taken off `texto`, without the blanks around it.
std::string_view SiguienteLinea(std::string_view& texto)
{
    const std::size_t salto = texto.find('\n');
    const std::string_view l = Recorta(texto.substr(0, salto));
    texto.remove_prefix(salto == std::string_view::npos ? texto.size() : salto + 1);
    return l;
}

// A line's fields; the separator is the first tab, ';' or ',' of the first
// line that has one.
std::vector<std::string> CamposDe(std::string_view l, char& sep)
{
    if (!sep) {
        const std::size_t i = l.find_first_of("\t;,");
        if (i != std::string_view::npos)
            sep = l[i];
    }
    return Campos(l, sep ? sep : '\n');
}

// A first line with words and no date is a heading.
bool Cabecera(const std::vector<std::string>& campos)
{
    return std::any_of(campos.begin(), campos.end(), [](const std::string& c) { return Letras(Recorta(c)); }) &&
           std::none_of(campos.begin(), campos.end(),
                        [](const std::string& c) { return LeeFecha(Recorta(c)).has_value(); });
}

} // namespace

std::optional<FalloLluvia> LeeRegistro(std::string_view texto, RegistroLluvia& r, const FormatoLluvia& formato)
{
    if (texto.starts_with("\xEF\xBB\xBF"))
        texto.remove_prefix(3);
    if (const int l = LineaNoTexto(texto))
        return Fallo(ErrorLluvia::NoEsTexto, l);

    RegistroLluvia leido;
    std::vector<DiaLluvia>& dias = leido.dias;
    char sep = 0;
    bool primera = true, elegidas = false;
    Columnas c;
    int linea = 0;
    while (!texto.empty()) {
        const std::string_view l = SiguienteLinea(texto);
        ++linea;
        if (l.empty() || l.front() == '#')
            continue;
        const std::vector<std::string> campos = CamposDe(l, sep);
        if (std::exchange(primera, false) && Cabecera(campos)) {
            leido.cabeceras = campos;
            for (std::string& h : leido.cabeceras)
                h = Recorta(h);
            // A heading of one field tells no separator.
            if (campos.size() == 1)
                sep = 0;
            continue;
        }
        if (!std::exchange(elegidas, true))
            if (std::optional<FalloLluvia> f = Elige(formato, leido.cabeceras, campos, linea, c))
                return f;
        DiaLluvia d;
        if (std::optional<FalloLluvia> f = LeeDia(campos, c, formato, linea, d))
            return f;
        dias.push_back(d);
    }

    for (std::size_t i = 1; i < dias.size() && !leido.desordenLinea; ++i)
        if (dias[i].fecha < dias[i - 1].fecha)
            leido.desordenLinea = dias[i].linea;
    if (leido.desordenLinea)
        std::stable_sort(dias.begin(), dias.end(),
                         [](const DiaLluvia& a, const DiaLluvia& b) { return a.fecha < b.fecha; });
    if (std::optional<FalloLluvia> f = QuitaRepetidas(dias, formato.repetidas, leido))
        return f;
    if (Corta(dias))
        return Fallo(ErrorLluvia::Corta);
    if (c.anchas && !leido.cabeceras.empty()) {
        const auto nombre = [&](int i) { return std::string(Campo(leido.cabeceras, i)); };
        leido.columnaFecha =
            c.ymd[0] >= 0 ? nombre(c.ymd[0]) + "," + nombre(c.ymd[1]) + "," + nombre(c.ymd[2]) : nombre(c.fecha);
        leido.columnaProfundidad = nombre(c.profundidad);
    }
    r = std::move(leido);
    return std::nullopt;
}

VistaLluvia MiraRegistro(std::string_view texto, int lineas)
{
    VistaLluvia v;
    if (texto.starts_with("\xEF\xBB\xBF"))
        texto.remove_prefix(3);
    char sep = 0;
    bool primera = true;
    while (!texto.empty() && (static_cast<int>(v.primeras.size()) < lineas || v.columnas == 0)) {
        const std::string_view l = SiguienteLinea(texto);
        if (static_cast<int>(v.primeras.size()) < lineas)
            v.primeras.emplace_back(l);
        if (l.empty() || l.front() == '#' || v.columnas)
            continue;
        const std::vector<std::string> campos = CamposDe(l, sep);
        if (std::exchange(primera, false) && Cabecera(campos)) {
            for (const std::string& c : campos)
                v.cabeceras.emplace_back(Recorta(c));
            continue;
        }
        v.columnas = std::max(v.cabeceras.size(), Ocupados(campos));
    }
    return v;
}
