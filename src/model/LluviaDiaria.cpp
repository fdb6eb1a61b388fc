#include "model/LluviaDiaria.h"

#include "model/Humedad.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <memory>

namespace {

using namespace std::chrono;

constexpr double Falta = std::numeric_limits<double>::quiet_NaN();

// Sums of decimal depths carry binary noise (5.1 + 7.6 is not 12.7); taken to
// the micrometre they land on the decimal value, thresholds included.
double Micras(double x)
{
    return std::round(x * 1e6) / 1e6;
}

FalloLluvia Fallo(ErrorLluvia e, int linea = 0)
{
    FalloLluvia f;
    f.error = e;
    f.linea = linea;
    return f;
}

std::string_view Recorta(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

} // namespace

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
    return igual("ip") || igual("inap") || igual("tr");
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
    return e == ErrorLluvia::Ninguno ? 0 : 1739 + static_cast<int>(e);
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

std::optional<FalloLluvia> LeeRegistro(std::string_view texto, RegistroLluvia& r)
{
    if (texto.starts_with("\xEF\xBB\xBF"))
        texto.remove_prefix(3);
    if (const int l = LineaNoTexto(texto))
        return Fallo(ErrorLluvia::NoEsTexto, l);

    std::vector<DiaLluvia> dias;
    char sep = 0;
    bool primera = true;
    int linea = 0;
    while (!texto.empty()) {
        const std::size_t salto = texto.find('\n');
        const std::string_view bruta = texto.substr(0, salto);
        texto.remove_prefix(salto == std::string_view::npos ? texto.size() : salto + 1);
        ++linea;
        const std::string_view l = Recorta(bruta);
        if (l.empty() || l.front() == '#')
            continue;
        if (!sep) {
            const std::size_t i = l.find_first_of("\t;,");
            if (i != std::string_view::npos)
                sep = l[i];
        }
        std::vector<std::string> c = Campos(l, sep ? sep : '\n');
        const std::string_view textoFecha = Recorta(c[0]);
        const std::optional<DiaCivil> fecha = LeeFecha(textoFecha);
        const bool eraPrimera = primera;
        primera = false;
        if (!fecha) {
            // Only the first line may be a heading, and a heading has words.
            if (eraPrimera && Letras(textoFecha)) {
                sep = 0;
                continue;
            }
            FalloLluvia f = Fallo(ErrorLluvia::Fecha, linea);
            f.texto = textoFecha;
            return f;
        }
        for (std::size_t k = 2; k < c.size(); ++k)
            if (!Recorta(c[k]).empty())
                return Fallo(ErrorLluvia::Columnas, linea);

        DiaLluvia d;
        d.fecha = *fecha;
        d.linea = linea;
        const std::string_view textoMm = c.size() > 1 ? Recorta(c[1]) : std::string_view();
        if (Traza(textoMm)) {
            d.mm = 0.0;
        } else if (!textoMm.empty()) {
            std::string n(textoMm);
            if (n.find('.') == std::string::npos)
                std::replace(n.begin(), n.end(), ',', '.');
            double v = 0;
            const auto res = std::from_chars(n.data(), n.data() + n.size(), v, std::chars_format::fixed);
            if (res.ec != std::errc() || res.ptr != n.data() + n.size() || !std::isfinite(v)) {
                FalloLluvia f = Fallo(ErrorLluvia::Profundidad, linea);
                f.texto = textoMm;
                return f;
            }
            if (v < 0 || v >= 1000) {
                FalloLluvia f = Fallo(v < 0 ? ErrorLluvia::Negativa : ErrorLluvia::Excesiva, linea);
                f.valor = v;
                return f;
            }
            d.mm = v;
        }
        dias.push_back(d);
    }

    int desorden = 0;
    for (std::size_t i = 1; i < dias.size() && !desorden; ++i)
        if (dias[i].fecha < dias[i - 1].fecha)
            desorden = dias[i].linea;
    if (desorden)
        std::stable_sort(dias.begin(), dias.end(),
                         [](const DiaLluvia& a, const DiaLluvia& b) { return a.fecha < b.fecha; });
    for (std::size_t i = 1; i < dias.size(); ++i)
        if (dias[i].fecha == dias[i - 1].fecha) {
            FalloLluvia f = Fallo(ErrorLluvia::Repetida, std::max(dias[i].linea, dias[i - 1].linea));
            f.otraLinea = std::min(dias[i].linea, dias[i - 1].linea);
            const Fecha x = FechaDe(dias[i].fecha);
            char s[16];
            std::snprintf(s, sizeof s, "%04d-%02d-%02d", x.anio, x.mes, x.dia);
            f.texto = s;
            return f;
        }

    // A month from the first day: up to the day before the same day of the
    // next month, or before that month's last day when the same day does not
    // exist there (from 31 January to 27 February, or 28 in a leap year).
    if (dias.empty())
        return Fallo(ErrorLluvia::Corta);
    const year_month_day inicio{sys_days{days{dias.front().fecha}}};
    year_month_day sigue = inicio + months(1);
    if (!sigue.ok())
        sigue = sigue.year() / sigue.month() / last;
    if (dias.back().fecha < sys_days(sigue).time_since_epoch().count() - 1)
        return Fallo(ErrorLluvia::Corta);

    r.dias = std::move(dias);
    r.desordenLinea = desorden;
    return std::nullopt;
}

std::optional<FalloLluvia> LeeArchivoLluvia(const std::string& ruta, RegistroLluvia& r)
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
    std::string texto;
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
    return LeeRegistro(texto, r);
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
    auto umbral = [](double u) { return u > 0 && u < 1000; };
    auto mes = [](int m) { return m >= 1 && m <= 12; };
    if (!umbral(o.umbralDia) || !umbral(o.umbralAguacero) || !mes(o.mesCrecimiento1) || !mes(o.mesCrecimiento2) ||
        r.dias.empty())
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

std::optional<FalloLluvia> MesesLluvia(const RegistroLluvia& r, const OpcionesLluvia& o, ResultadoLluvia& x)
{
    if (std::optional<FalloLluvia> f = Comprueba(r, o))
        return f;
    const std::vector<double> mm = PorDia(r, o, x);
    const DiaCivil d0 = r.dias.front().fecha, d1 = r.dias.back().fecha;
    x.aniosMedia = x.faltanAnio = x.filasAjustadas = 0;
    // One calendar year's months: sums, maxima, rain days, missing days.
    struct Meses {
        std::array<double, 12> p{}, pmax{};
        std::array<int, 12> n{};
        int faltan = 0;
    };
    auto meses = [&](int anio) {
        Meses s;
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
    };
    auto dentro = [&](int anio) { return DiaDe({anio, 1, 1}) >= d0 && DiaDe({anio, 12, 31}) <= d1; };

    std::array<double, 12> p{}, pmax{}, n{};
    if (o.anio) {
        if (*o.anio < 1000 || *o.anio > 9999 || !dentro(*o.anio)) {
            FalloLluvia f = Fallo(ErrorLluvia::AnioFuera);
            f.valor = *o.anio;
            return f;
        }
        const Meses s = meses(*o.anio);
        p = s.p;
        pmax = s.pmax;
        std::copy(s.n.begin(), s.n.end(), n.begin());
        x.faltanAnio = s.faltan;
    } else {
        for (int anio = x.desde.anio; anio <= x.hasta.anio; ++anio) {
            if (!dentro(anio))
                continue;
            const Meses s = meses(anio);
            if (s.faltan)
                continue;
            ++x.aniosMedia;
            for (std::size_t k = 0; k < 12; ++k) {
                p[k] += s.p[k];
                pmax[k] += s.pmax[k];
                n[k] += s.n[k];
            }
        }
        if (!x.aniosMedia)
            return Fallo(ErrorLluvia::SinAnioCompleto);
        for (std::size_t k = 0; k < 12; ++k) {
            p[k] /= x.aniosMedia;
            pmax[k] /= x.aniosMedia;
            n[k] /= x.aniosMedia;
        }
    }
    for (std::size_t k = 0; k < 12; ++k) {
        const double pm = Micras(p[k]);
        // The year's table holds under 1000 mm a month.
        if (pm >= 1000) {
            FalloLluvia f = Fallo(ErrorLluvia::MesExcesivo);
            f.mes = static_cast<int>(k) + 1;
            f.valor = pm;
            return f;
        }
        // The nearest whole day, halves up.
        double pmaxFila = Micras(pmax[k]), nFila = std::round(n[k]);
        x.filasAjustadas += AjustaFila(pm, pmaxFila, nFila, n[k]);
        x.anio[k] = {pm, pmaxFila, nFila};
    }
    return std::nullopt;
}

std::optional<FalloLluvia> AnalizaLluvia(const RegistroLluvia& r, const OpcionesLluvia& o, ResultadoLluvia& res)
{
    ResultadoLluvia x;
    if (std::optional<FalloLluvia> f = SerieLluvia(r, o, x))
        return f;
    if (std::optional<FalloLluvia> f = MesesLluvia(r, o, x))
        return f;
    res = std::move(x);
    return std::nullopt;
}
