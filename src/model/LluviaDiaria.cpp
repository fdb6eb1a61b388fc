#include "model/LluviaDiaria.h"

#include "model/Humedad.h"
#include "model/LluviaInterna.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <memory>
#include <utility>

namespace {

using namespace std::chrono;
using lluvia::Fallo;
using lluvia::Micras;

constexpr double Falta = std::numeric_limits<double>::quiet_NaN();

// An import's default season is the year's.
static_assert(OpcionesLluvia{}.mesCrecimiento1 == MesCrecimientoDesde &&
              OpcionesLluvia{}.mesCrecimiento2 == MesCrecimientoHasta);

bool EnTemporada(int mes, const OpcionesLluvia& o)
{
    const int a = o.mesCrecimiento1, b = o.mesCrecimiento2;
    return a <= b ? mes >= a && mes <= b : mes >= a || mes <= b;
}

} // namespace

int MensajeLluvia(ErrorLluvia e)
{
    if (e == ErrorLluvia::Ninguno)
        return 0;
    if (e >= ErrorLluvia::ColumnaDesconocida)
        return 1880 + static_cast<int>(e) - static_cast<int>(ErrorLluvia::ColumnaDesconocida);
    return 1739 + static_cast<int>(e);
}

DiaCivil DiaDe(Fecha f)
{
    const sys_days d{year(f.anio) / month(static_cast<unsigned>(f.mes)) / day(static_cast<unsigned>(f.dia))};
    return static_cast<DiaCivil>(d.time_since_epoch().count());
}

Fecha FechaDe(DiaCivil d)
{
    const year_month_day f{sys_days{days{d}}};
    return {static_cast<int>(f.year()), static_cast<int>(static_cast<unsigned>(f.month())),
            static_cast<int>(static_cast<unsigned>(f.day()))};
}

std::string TextoFecha(const Fecha& f)
{
    char s[16];
    std::snprintf(s, sizeof s, "%04d-%02d-%02d", f.anio, f.mes, f.dia);
    return s;
}

std::optional<Fecha> FechaDeTexto(std::string_view t)
{
    Fecha f;
    if (t.size() != 10 || std::sscanf(std::string(t).c_str(), "%4d-%2d-%2d", &f.anio, &f.mes, &f.dia) != 3 ||
        f.anio < 1000 || TextoFecha(f) != t ||
        !year_month_day{year(f.anio), month(static_cast<unsigned>(f.mes)), day(static_cast<unsigned>(f.dia))}.ok())
        return std::nullopt;
    return f;
}

int LineaNoTexto(std::string_view t)
{
    int linea = 1;
    const auto* p = reinterpret_cast<const unsigned char*>(t.data());
    const auto* fin = p + t.size();
    while (p < fin) {
        const unsigned c = *p;
        if (c == 0)
            return linea;
        if (c == '\n')
            ++linea;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int n = 0;
        unsigned minimo = 0, cp = 0;
        if ((c & 0xE0) == 0xC0)
            n = 1, minimo = 0x80, cp = c & 0x1F;
        else if ((c & 0xF0) == 0xE0)
            n = 2, minimo = 0x800, cp = c & 0x0F;
        else if ((c & 0xF8) == 0xF0)
            n = 3, minimo = 0x10000, cp = c & 0x07;
        else
            return linea;
        if (fin - p <= n)
            return linea;
        for (int k = 1; k <= n; ++k) {
            if ((p[k] & 0xC0) != 0x80)
                return linea;
            cp = (cp << 6) | (p[k] & 0x3F);
        }
        // Overlong forms, surrogates and beyond Unicode are not text either.
        if (cp < minimo || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return linea;
        p += n + 1;
    }
    return 0;
}

double MmPorUnidad(UnidadLluvia u)
{
    switch (u) {
    case UnidadLluvia::DecimaMm:
        return 0.1;
    case UnidadLluvia::Cm:
        return 10;
    case UnidadLluvia::Pulgada:
        return 25.4;
    case UnidadLluvia::Mm:
        break;
    }
    return 1;
}

std::optional<UnidadLluvia> LeeUnidad(std::string_view s)
{
    for (const UnidadLluvia u : {UnidadLluvia::Mm, UnidadLluvia::DecimaMm, UnidadLluvia::Cm, UnidadLluvia::Pulgada})
        if (NombreUnidad(u) == s)
            return u;
    return std::nullopt;
}

std::string_view NombreUnidad(UnidadLluvia u)
{
    switch (u) {
    case UnidadLluvia::DecimaMm:
        return "0.1mm";
    case UnidadLluvia::Cm:
        return "cm";
    case UnidadLluvia::Pulgada:
        return "in";
    case UnidadLluvia::Mm:
        break;
    }
    return "mm";
}

std::optional<FalloLluvia> LeeTextoLluvia(const std::string& ruta, std::string& texto)
{
    auto sinLeer = [](int e) {
        FalloLluvia f = Fallo(ErrorLluvia::NoSeLee);
        f.texto = std::strerror(e);
        return f;
    };
    auto grande = [](double n) {
        FalloLluvia f = Fallo(ErrorLluvia::Grande);
        f.valor = n;
        return f;
    };
    std::error_code ec;
    const std::uintmax_t tam = std::filesystem::file_size(ruta, ec);
    if (!ec && tam > static_cast<std::uintmax_t>(MaxBytesLluvia))
        return grande(static_cast<double>(tam));

    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(ruta.c_str(), "rb"), std::fclose);
    if (!f)
        return sinLeer(errno);
    texto.clear();
    char trozo[65536];
    for (;;) {
        const std::size_t n = std::fread(trozo, 1, sizeof trozo, f.get());
        texto.append(trozo, n);
        // It may have grown since it was measured.
        if (texto.size() > static_cast<std::size_t>(MaxBytesLluvia))
            return grande(static_cast<double>(texto.size()));
        if (n < sizeof trozo) {
            if (std::ferror(f.get()))
                return sinLeer(errno ? errno : EIO);
            break;
        }
    }
    return std::nullopt;
}

std::optional<FalloLluvia> LeeArchivoLluvia(const std::string& ruta, RegistroLluvia& r, const FormatoLluvia& formato)
{
    std::string texto;
    if (std::optional<FalloLluvia> f = LeeTextoLluvia(ruta, texto))
        return f;
    return LeeRegistro(texto, r, formato);
}

namespace {

// The period's depths by day, NaN where missing; with the counts of the record.
std::vector<double> PorDia(const RegistroLluvia& r, const OpcionesLluvia& o, ResultadoLluvia& x)
{
    const DiaCivil d0 = r.dias.front().fecha, d1 = r.dias.back().fecha;
    x.desde = FechaDe(d0);
    x.hasta = FechaDe(d1);
    x.dias = static_cast<int>(r.dias.size());
    x.lluviosos = 0;
    std::vector<double> mm(static_cast<std::size_t>(d1 - d0 + 1), Falta);
    for (const DiaLluvia& d : r.dias)
        if (d.mm) {
            mm[static_cast<std::size_t>(d.fecha - d0)] = *d.mm;
            if (*d.mm >= o.umbralDia)
                ++x.lluviosos;
        }
    x.faltan = static_cast<int>(std::count_if(mm.begin(), mm.end(), [](double v) { return std::isnan(v); }));
    return mm;
}

std::optional<FalloLluvia> Comprueba(const RegistroLluvia& r, const OpcionesLluvia& o)
{
    if (!UmbralLluviaValido(o.umbralDia) || !UmbralLluviaValido(o.umbralAguacero) || !MesValido(o.mesCrecimiento1) ||
        !MesValido(o.mesCrecimiento2) || r.dias.empty())
        return Fallo(ErrorLluvia::Opciones);
    return std::nullopt;
}

} // namespace

bool AjustaFila(double p, double& pmax, double& n, double media)
{
    if (!TernaMes(p, pmax, n))
        return false;
    if (p == 0) {
        pmax = n = 0;
        return true;
    }
    for (const double k : {std::floor(media), std::ceil(media)})
        if (!TernaMes(p, pmax, k)) {
            n = k;
            return true;
        }
    // One day holding the whole month always fits.
    for (double k = std::clamp(n, 1.0, 31.0); k >= 1; --k) {
        double m = std::max(pmax, Micras(p / k));
        if (k * m < p)
            m = Micras(m + 1e-6);
        m = k == 1 ? p : std::min(m, p);
        if (!TernaMes(p, m, k)) {
            pmax = m;
            n = k;
            break;
        }
    }
    return true;
}

std::optional<FalloLluvia> SerieLluvia(const RegistroLluvia& r, const OpcionesLluvia& o, ResultadoLluvia& x)
{
    if (std::optional<FalloLluvia> f = Comprueba(r, o))
        return f;
    const std::vector<double> mm = PorDia(r, o, x);
    const DiaCivil d0 = r.dias.front().fecha;
    int aguaceros = 0;
    for (double v : mm)
        aguaceros += v >= o.umbralAguacero;
    if (aguaceros > MaxAguaceros) {
        FalloLluvia f = Fallo(ErrorLluvia::DemasiadosAguaceros);
        f.valor = aguaceros;
        return f;
    }
    x.serie.clear();
    x.conFaltaEnCinco = 0;
    x.serie.reserve(static_cast<std::size_t>(aguaceros));
    for (std::size_t i = 0; i < mm.size(); ++i) {
        if (!(mm[i] >= o.umbralAguacero))
            continue;
        double p5 = 0;
        bool falta = false;
        // Days before the record are missing days too.
        for (std::size_t k = 1; k <= 5; ++k) {
            if (k > i || std::isnan(mm[i - k]))
                falta = true;
            else
                p5 += mm[i - k];
        }
        x.conFaltaEnCinco += falta;
        const int m = FechaDe(d0 + static_cast<DiaCivil>(i)).mes;
        x.serie.push_back({mm[i], CondicionHumedad(Micras(p5), EnTemporada(m, o))});
    }
    return std::nullopt;
}

namespace {

// One calendar year's months: sums, maxima, rain days, missing days.
struct MesesAnio {
    std::array<double, 12> p{}, pmax{};
    std::array<int, 12> n{};
    int faltan = 0;
};

// The months the year's table is made from: one year's, or the means.
struct MesesTabla {
    std::array<double, 12> p{}, pmax{}, n{};
};

// The record's depths by day, NaN where missing, from its first day `d0` to its last `d1`.
struct Periodo {
    const std::vector<double>& mm;
    DiaCivil d0, d1;

    bool Abarca(int anio) const { return DiaDe({anio, 1, 1}) >= d0 && DiaDe({anio, 12, 31}) <= d1; }

    MesesAnio Meses(int anio, const OpcionesLluvia& o) const
    {
        MesesAnio s;
        const DiaCivil a = DiaDe({anio, 1, 1}), b = DiaDe({anio, 12, 31});
        for (DiaCivil d = a; d <= b; ++d) {
            const double v = mm[static_cast<std::size_t>(d - d0)];
            if (std::isnan(v)) {
                ++s.faltan;
                continue;
            }
            const auto k = static_cast<std::size_t>(FechaDe(d).mes - 1);
            s.p[k] += v;
            s.pmax[k] = std::max(s.pmax[k], v);
            s.n[k] += v >= o.umbralDia;
        }
        return s;
    }
};

// The chosen year's months as they fell; its missing days count as 0.
std::optional<FalloLluvia> AnioElegido(const Periodo& per, const OpcionesLluvia& o, ResultadoLluvia& x, MesesTabla& t)
{
    const int anio = *o.anio;
    if (anio < 1000 || anio > 9999 || !per.Abarca(anio)) {
        FalloLluvia f = Fallo(ErrorLluvia::AnioFuera);
        f.valor = anio;
        return f;
    }
    const MesesAnio s = per.Meses(anio, o);
    t.p = s.p;
    t.pmax = s.pmax;
    std::copy(s.n.begin(), s.n.end(), t.n.begin());
    x.faltanAnio = s.faltan;
    return std::nullopt;
}

// The mean of the years the record holds whole, with a depth every day.
std::optional<FalloLluvia> MediaAnios(const Periodo& per, const OpcionesLluvia& o, ResultadoLluvia& x, MesesTabla& t)
{
    for (int anio = x.desde.anio; anio <= x.hasta.anio; ++anio) {
        if (!per.Abarca(anio))
            continue;
        const MesesAnio s = per.Meses(anio, o);
        if (s.faltan)
            continue;
        ++x.aniosMedia;
        for (std::size_t k = 0; k < 12; ++k) {
            t.p[k] += s.p[k];
            t.pmax[k] += s.pmax[k];
            t.n[k] += s.n[k];
        }
    }
    if (!x.aniosMedia)
        return Fallo(ErrorLluvia::SinAnioCompleto);
    for (std::size_t k = 0; k < 12; ++k) {
        t.p[k] /= x.aniosMedia;
        t.pmax[k] /= x.aniosMedia;
        t.n[k] /= x.aniosMedia;
    }
    return std::nullopt;
}

// The twelve rows of the year's table, each one the table accepts.
std::optional<FalloLluvia> FilasAnio(const MesesTabla& t, ResultadoLluvia& x)
{
    for (std::size_t k = 0; k < 12; ++k) {
        const double pm = Micras(t.p[k]);
        // The year's table holds under 1000 mm a month.
        if (pm >= 1000) {
            FalloLluvia f = Fallo(ErrorLluvia::MesExcesivo);
            f.mes = static_cast<int>(k) + 1;
            f.valor = pm;
            return f;
        }
        // The nearest whole day, halves up.
        double pmaxFila = Micras(t.pmax[k]), nFila = std::round(t.n[k]);
        x.ajustadas[k] = AjustaFila(pm, pmaxFila, nFila, t.n[k]);
        x.filasAjustadas += x.ajustadas[k];
        x.anio[k] = {pm, pmaxFila, nFila};
    }
    return std::nullopt;
}

} // namespace

std::optional<FalloLluvia> MesesLluvia(const RegistroLluvia& r, const OpcionesLluvia& o, ResultadoLluvia& x)
{
    if (std::optional<FalloLluvia> f = Comprueba(r, o))
        return f;
    const std::vector<double> mm = PorDia(r, o, x);
    const Periodo per{mm, r.dias.front().fecha, r.dias.back().fecha};
    x.aniosMedia = x.faltanAnio = x.filasAjustadas = 0;
    x.ajustadas = {};
    MesesTabla t;
    if (std::optional<FalloLluvia> f = o.anio ? AnioElegido(per, o, x, t) : MediaAnios(per, o, x, t))
        return f;
    return FilasAnio(t, x);
}

std::optional<FalloLluvia> AnalizaLluvia(const RegistroLluvia& r, const OpcionesLluvia& o, ResultadoLluvia& res)
{
    ResultadoLluvia x;
    if (std::optional<FalloLluvia> f = SerieLluvia(r, o, x))
        return f;
    if (std::optional<FalloLluvia> f = MesesLluvia(r, o, x))
        return f;
    // What shows a wrong unit at a glance.
    for (const DiaLluvia& d : r.dias)
        if (d.mm && (*d.mm > x.mayor || x.diaMayor.anio == 0)) {
            x.mayor = *d.mm;
            x.diaMayor = FechaDe(d.fecha);
        }
    for (const auto& fila : x.anio)
        x.mediaAnual += fila[0].value_or(0);
    x.mediaAnual = Micras(x.mediaAnual);
    res = std::move(x);
    return std::nullopt;
}
