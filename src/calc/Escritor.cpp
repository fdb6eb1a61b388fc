#include "calc/Escritor.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace {

__extension__ typedef unsigned __int128 u128;

// The doubles from here up to 2^53 are written by the exact path below.
constexpr double Minimo = 1e-3;
constexpr double Entero53 = 9007199254740992.0;
// Room a number is written in: Forma copies blocks past its digits.
constexpr std::size_t Holgura = 64;

// Powers of ten from 1e-4 on, inexact below 1: Corto counts those up to x
// and checks that the count left enough digits.
constexpr std::array<double, 21> Decenas = {1e-4, 1e-3, 1e-2, 1e-1, 1e0,  1e1,  1e2,  1e3,  1e4,  1e5, 1e6,
                                            1e7,  1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16};

constexpr char Pares[] = "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
                         "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
                         "8081828384858687888990919293949596979899";

constexpr std::array<std::uint64_t, 20> Potencias64 = [] {
    std::array<std::uint64_t, 20> p{};
    p[0] = 1;
    for (std::size_t i = 1; i < p.size(); ++i)
        p[i] = p[i - 1] * 10;
    return p;
}();

// The count of decimal digits of c > 0.
int Cifras(std::uint64_t c)
{
    const int t = ((64 - std::countl_zero(c)) * 1233) >> 12;
    return t + (c >= Potencias64[static_cast<std::size_t>(t)] ? 1 : 0);
}

// Writes the digits of c, two at a time from the last, to end just before
// `fin`, with a point before the last k of them (k = 0: none). The digits go
// straight to their place: a copy of bytes just written stalls the store.
void Digitos(char* fin, std::uint64_t c, int k)
{
    if (k > 0) {
        for (; k >= 2; k -= 2) {
            fin -= 2;
            std::memcpy(fin, Pares + 2 * (c % 100), 2);
            c /= 100;
        }
        if (k == 1) {
            *--fin = static_cast<char>('0' + c % 10);
            c /= 10;
        }
        *--fin = '.';
    }
    while (c >= 100) {
        fin -= 2;
        std::memcpy(fin, Pares + 2 * (c % 100), 2);
        c /= 100;
    }
    if (c >= 10) {
        fin -= 2;
        std::memcpy(fin, Pares + 2 * c, 2);
    } else {
        *--fin = static_cast<char>('0' + c);
    }
}

// c * 10^-k (c > 0) as std::to_chars writes a double of that value in its
// shortest form: fixed or scientific, whichever is shorter, fixed on a tie.
// The caller leaves Holgura bytes of room.
char* Forma(char* p, std::uint64_t c, int k)
{
    while (c % 10 == 0) {
        c /= 10;
        --k;
    }
    const int n = Cifras(c);
    const int e = n - 1 - k;
    const int cientifica = n + (n > 1 ? 1 : 0) + (e <= -100 || e >= 100 ? 5 : 4);
    const int fija = k <= 0 ? n - k : k < n ? n + 1 : k + 2;
    if (fija <= cientifica) {
        if (k <= 0) {
            // At most five zeros: the scientific form is shorter beyond.
            Digitos(p + n, c, 0);
            std::memset(p + n, '0', 8);
            return p + n - k;
        }
        if (k < n) {
            Digitos(p + n + 1, c, k);
            return p + n + 1;
        }
        // At most three zeros after the point, for the same reason.
        std::memcpy(p, "0.000", 5);
        Digitos(p + 2 + k, c, 0);
        return p + 2 + k;
    }
    Digitos(p + (n > 1 ? n + 1 : 1), c, n - 1);
    p += n > 1 ? n + 1 : 1;
    *p++ = 'e';
    *p++ = e < 0 ? '-' : '+';
    const int a = e < 0 ? -e : e;
    if (a >= 100)
        *p++ = static_cast<char>('0' + a / 100);
    std::memcpy(p, Pares + 2 * (a % 100), 2);
    return p + 2;
}

// The shortest decimal c * 10^-k that reads back as x, the nearest to x of
// those, for Minimo <= x < 2^53 and x not an integer. The rounding interval
// of x is scaled by 10^k exactly in 128 bits, with k such that 17 digits
// are kept (always enough to read back), then digits are dropped while the
// interval still holds a multiple of the next power of ten. False on an
// exact tie, or when the scale does not fit: std::to_chars decides then.
bool Corto(double x, std::uint64_t& c, int& k)
{
    const auto bits = std::bit_cast<std::uint64_t>(x);
    const std::uint64_t fraccion = bits & ((std::uint64_t{1} << 52) - 1);
    const std::uint64_t m = fraccion | (std::uint64_t{1} << 52);
    const int s = 1077 - static_cast<int>(bits >> 52); // x = 4m / 2^s
    // d: the count of Decenas up to x. floor(log10(2^b)) is b * 78913 >> 18.
    const int b = static_cast<int>(bits >> 52) - 1023;
    int d = ((b * 78913) >> 18) + 5;
    if (d < static_cast<int>(Decenas.size()) && x >= Decenas[static_cast<std::size_t>(d)])
        ++d;
    k = 21 - d;
    if (k < 0 || k >= static_cast<int>(Potencias64.size()))
        return false;
    // The interval's ends belong to it when m is even (reading rounds to even);
    // below a power of two the lower neighbour is half as far.
    const bool par = (m & 1) == 0;
    const std::uint64_t p = Potencias64[static_cast<std::size_t>(k)];
    const u128 exacto = u128{4 * m} * p, alto = exacto + 2 * u128{p}, bajo = exacto - (fraccion ? 2 : 1) * u128{p};
    const u128 mascara = (u128{1} << s) - 1;
    std::uint64_t hi = static_cast<std::uint64_t>(alto >> s) - ((alto & mascara) == 0 && !par ? 1 : 0);
    std::uint64_t lo = static_cast<std::uint64_t>(bajo >> s) + ((bajo & mascara) != 0 || !par ? 1 : 0);
    if (lo > hi)
        return false;
    // The digits dropped from the exact value: the last one, and whether all
    // below it (the bits below the point included) are zero.
    std::uint64_t q = static_cast<std::uint64_t>(exacto >> s);
    const u128 resto = exacto & mascara;
    int j = 0, ultima = 0;
    bool ceros = true;
    for (;;) {
        const std::uint64_t l = (lo + 9) / 10, h = hi / 10;
        if (l > h)
            break;
        lo = l;
        hi = h;
        ceros = ceros && ultima == 0;
        ultima = static_cast<int>(q % 10);
        q /= 10;
        ++j;
    }
    if (j == 0) {
        const u128 mitad = u128{1} << (s - 1);
        if (resto == mitad)
            return false;
        q += resto > mitad ? 1 : 0;
    } else {
        ceros = ceros && resto == 0;
        if (ultima == 5 && ceros)
            return false;
        q += ultima >= 5 ? 1 : 0;
    }
    c = std::clamp(q, lo, hi);
    k -= j;
    return true;
}

} // namespace

void Escritor::Abre(char c)
{
    char* p = Reserva(2);
    if (coma_)
        *p++ = ',';
    *p++ = c;
    n_ = static_cast<std::size_t>(p - s_.data());
    coma_ = false;
}

void Escritor::Cierra(char c)
{
    *Reserva(1) = c;
    ++n_;
    coma_ = true;
}

void Escritor::Numero(double x)
{
    char* p = Reserva(Holgura);
    char* const fin = p + Holgura;
    if (coma_)
        *p++ = ',';
    coma_ = true;
    const double a = std::fabs(x);
    std::uint64_t c = 0;
    int k = 0;
    if (!std::isfinite(x)) {
        std::memcpy(p, "null", 4);
        p += 4;
    } else if (a < Entero53 && a == std::trunc(a)) {
        // An integer's own digits are its shortest text.
        if (std::signbit(x))
            *p++ = '-';
        c = static_cast<std::uint64_t>(a);
        if (c == 0)
            *p++ = '0';
        else
            p = Forma(p, c, 0);
    } else if (a >= Minimo && a < Entero53 && Corto(a, c, k)) {
        if (x < 0)
            *p++ = '-';
        p = Forma(p, c, k);
    } else {
        p = std::to_chars(p, fin, x).ptr;
    }
    n_ = static_cast<std::size_t>(p - s_.data());
}

void Escritor::Entero(long long n)
{
    char* p = Reserva(24);
    char* const fin = p + 24;
    if (coma_)
        *p++ = ',';
    coma_ = true;
    p = std::to_chars(p, fin, n).ptr;
    n_ = static_cast<std::size_t>(p - s_.data());
}

void Escritor::Logico(bool b)
{
    char* p = Reserva(6);
    if (coma_)
        *p++ = ',';
    coma_ = true;
    const std::string_view t = b ? "true" : "false";
    std::memcpy(p, t.data(), t.size());
    n_ = static_cast<std::size_t>(p + t.size() - s_.data());
}

void Escritor::Texto(std::string_view t)
{
    // Every byte takes at most six characters escaped.
    char* p = Reserva(t.size() * 6 + 3);
    if (coma_)
        *p++ = ',';
    coma_ = true;
    *p++ = '"';
    for (const char c : t) {
        if (c == '"' || c == '\\') {
            *p++ = '\\';
            *p++ = c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            static constexpr char hex[] = "0123456789abcdef";
            std::memcpy(p, "\\u00", 4);
            p[4] = hex[(c >> 4) & 0xf];
            p[5] = hex[c & 0xf];
            p += 6;
        } else {
            *p++ = c;
        }
    }
    *p++ = '"';
    n_ = static_cast<std::size_t>(p - s_.data());
}
