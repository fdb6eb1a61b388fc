#include "model/ModeloCN.h"

#include "model/Numero.h"
#include "model/Rangos.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

int Signo(double v)
{
    return (v > 0) - (v < 0);
}

// The model asks that a curve number of 100 stay exactly 100; the formulas
// overshoot it by rounding, which would make a negative threshold.
double Acota100(double n)
{
    return n > 100.0 ? 100.0 : n;
}

// Threshold of the unit taken as one surface S with threshold p: the rain at
// which its runoff volume equals the capacity.
double UmbralConCapacidad(double capa, double S, double p)
{
    const double a = (capa / 2) / S + p;
    const double b = capa * 4 * p / S - p * p;
    return std::sqrt(std::fabs(a * a + b)) + a;
}

// True when fl(f(x)) < 0 for every x in [a, b], 0 <= a <= b, counting the
// rounding of both this bound and the evaluation of f.
bool NegativaSegura(const Cubica& f, double a, double b)
{
    auto mayor = [](double c, double enA, double enB) { return c >= 0 ? c * enB : c * enA; };
    const double U = mayor(f.c0, a * a * a, b * b * b) + mayor(f.c1, a * a, b * b) + mayor(f.c2, a, b) + f.c3;
    if (U == -std::numeric_limits<double>::infinity())
        return true; // a term is -inf all over [a, b] and none is +inf
    const double S = std::fabs(f.c0) * b * b * b + std::fabs(f.c1) * b * b + std::fabs(f.c2) * b + std::fabs(f.c3);
    if (!std::isfinite(U) || !std::isfinite(S))
        return false;
    return U + 32 * std::numeric_limits<double>::epsilon() * S < 0;
}

// First j in [lo, hi] with fl(f(x0 + j * inc)) not negative, or 0.
std::uint64_t PrimerNoNegativo(const Cubica& f, double x0, double inc, std::uint64_t lo, std::uint64_t hi)
{
    if (hi - lo < 16) {
        for (std::uint64_t j = lo; j <= hi; ++j)
            if (!(f(x0 + static_cast<double>(j) * inc) < 0))
                return j;
        return 0;
    }
    if (NegativaSegura(f, x0 + static_cast<double>(lo) * inc, x0 + static_cast<double>(hi) * inc))
        return 0;
    const std::uint64_t mitad = lo + (hi - lo) / 2;
    if (const std::uint64_t j = PrimerNoNegativo(f, x0, inc, lo, mitad))
        return j;
    return PrimerNoNegativo(f, x0, inc, mitad + 1, hi);
}

Busqueda Fin(double x, double pb, std::uint64_t pasos)
{
    return {(pb + x) / 2, pb, pasos};
}

} // namespace

double NumeroCondicionI(double n2)
{
    if (n2 == 100.0)
        return 100.0;
    return Acota100(4.2 * n2 / (10 - 0.058 * n2));
}

double NumeroCondicionIII(double n2)
{
    if (n2 == 100.0)
        return 100.0;
    return Acota100(23 * n2 / (10 + 0.13 * n2));
}

double Umbral(double n)
{
    const double p0 = (25400 - 254 * n) * (0.2 / n);
    return p0 < 0 ? 0.0 : p0;
}

Cubica CubicaUnidad(double SI, double SR, double PI, double PR, double C)
{
    Cubica f;
    f.c0 = 1 / SR + 1 / SI;
    f.c1 = (4 * PR - 2 * PI) / SR + (4 * PI - 2 * PR) / SI - C / SI / SR;
    f.c2 = (PI * PI - 8 * PI * PR) / SR + (PR * PR - 8 * PR * PI) / SI - (PR + PI) * 4 * C / SI / SR;
    f.c3 = PI * PI * 4 * PR / SR + PR * PR * 4 * PI / SI - 16 * PI * PR * C / SI / SR;
    return f;
}

// The walk ends where x no longer advances (x + 0.1 == x): written without
// that stop it would never end for areas so small that the root lies beyond.
Busqueda BuscaLiteral(const Cubica& f, double inicio)
{
    double x = inicio;
    std::uint64_t pasos = 0;
    if (!(f(x) < 0))
        return Fin(x, x + 0.1, 1);
    for (;;) {
        const double pb = x + 0.1;
        ++pasos;
        if (pb == x || Signo(f(x)) != Signo(f(pb)))
            return Fin(x, pb, pasos);
        x = pb;
    }
}

// Within one binade [2^e, 2^(e+1)) with e >= -1, x + 0.1 rounds to x plus a
// fixed increment (no ties there), so x_j = x_0 + j * inc exactly and the
// first sign change can be found without visiting every step. Below 0.5, and
// at each binade boundary, the walk goes step by step as written.
Busqueda BuscaRapida(const Cubica& f, double inicio)
{
    double x = inicio;
    std::uint64_t pasos = 0;
    if (!(f(x) < 0))
        return Fin(x, x + 0.1, 1);
    for (;;) {
        if (x >= 0.5) {
            const double tope = std::ldexp(1.0, std::ilogb(x) + 1);
            const double inc = (x + 0.1) - x;
            if (inc > 0 && x + 0.1 < tope) {
                const double cuantos = std::floor((tope - x) / inc) - 2;
                if (cuantos >= 2) {
                    const auto K = static_cast<std::uint64_t>(cuantos);
                    if (const std::uint64_t j = PrimerNoNegativo(f, x, inc, 1, K)) {
                        const double pb = x + static_cast<double>(j) * inc;
                        const double xa = x + static_cast<double>(j - 1) * inc;
                        return Fin(xa, pb, pasos + j);
                    }
                    x += static_cast<double>(K) * inc;
                    pasos += K;
                    continue;
                }
            }
        }
        const double pb = x + 0.1;
        ++pasos;
        if (pb == x || !(f(pb) < 0))
            return Fin(x, pb, pasos);
        x = pb;
    }
}

bool PreparaModelo(SiteState& s)
{
    s.NRMayorNI = s.NR(2) > s.NI(2);

    s.NAC(1) = NumeroCondicionI(s.NAC(2));
    s.NI(1) = NumeroCondicionI(s.NI(2));
    s.NR(1) = NumeroCondicionI(s.NR(2));
    s.NAC(3) = NumeroCondicionIII(s.NAC(2));
    s.NI(3) = NumeroCondicionIII(s.NI(2));
    s.NR(3) = NumeroCondicionIII(s.NR(2));

    for (int i = 1; i <= 3; ++i) {
        s.N(i) = (s.SI * s.NI(i) + s.SR * s.NR(i)) / (s.SR + s.SI);
        s.P0AC(i) = Umbral(s.NAC(i));
        s.P0(i) = Umbral(s.N(i));
        s.P0I(i) = Umbral(s.NI(i));
        s.P0R(i) = Umbral(s.NR(i));
    }

    if (!s.NRMayorNI)
        return false;
    s.CapaMinima = 0;
    for (int i = 1; i <= 3; ++i) {
        const double d = s.P0I(i) - s.P0R(i);
        s.CapaMinCond(i) = s.SR * (d * d) / (4 * s.P0R(i) + s.P0I(i));
        if (s.CapaMinCond(i) > s.CapaMinima)
            s.CapaMinima = s.CapaMinCond(i);
    }
    if (!(s.CAPA < s.CapaMinima))
        return false;
    s.CapaConfirmada = false;
    return true;
}

ResultadoModelo CompletaModelo(SiteState& s, bool comprobacionDebida)
{
    ResultadoModelo r;
    if (comprobacionDebida) {
        r.comprobacionCapacidad = true;
        if (!s.CapaConfirmada) {
            r.desenlace = Desenlace::Abandonado;
            return r;
        }
        r.pitido = s.CAPA < s.CapaMinima;
    }

    for (int i = 1; i <= 3; ++i) {
        if (!s.NRMayorNI) {
            s.P0US(i) = UmbralConCapacidad(s.CAPA, s.SR + s.SI, s.P0(i));
        } else if (s.CAPA <= s.CapaMinCond(i)) {
            s.P0US(i) = UmbralConCapacidad(s.CAPA, s.SR, s.P0R(i));
        } else {
            const Busqueda b = BuscaRapida(CubicaUnidad(s.SI, s.SR, s.P0I(i), s.P0R(i), s.CAPA), s.P0I(i));
            s.PBusca = b.PBusca;
            s.P0US(i) = b.P0US;
        }
        s.NUS(i) = 5080 / (s.P0US(i) + 50.8);
    }
    return r;
}

ResultadoModelo CalculaSitio(SiteState& s, std::optional<double> capacidad)
{
    const bool debida = PreparaModelo(s);
    if (debida && capacidad) {
        s.CAPA = *capacidad;
        s.CapaConfirmada = true;
    }
    return CompletaModelo(s, debida);
}

std::optional<double> CapacidadConfirmada(double tecleada)
{
    if (!CapacidadValida(tecleada))
        return std::nullopt;
    // A whole number is its own rounding, -0 aside, which reads back as 0;
    // it spares the decimal expansion on the calculator's common path.
    if (tecleada == std::trunc(tecleada))
        return tecleada + 0.0;
    const std::optional<double> redondeada = ANumero(Formato(tecleada, 1));
    if (!redondeada || *redondeada >= 10000)
        return std::nullopt;
    return redondeada;
}
