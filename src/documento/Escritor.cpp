#include "documento/Escritor.h"

#include <charconv>
#include <cmath>

namespace {
// The longest shortest-form double, sign and exponent included, and a comma.
constexpr std::size_t LargoNumero = 32;
// Below this a whole number's digits are no longer than its scientific form.
constexpr double Cifras5 = 1e5;
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
    char* p = Reserva(LargoNumero);
    char* const fin = p + LargoNumero;
    if (coma_)
        *p++ = ',';
    coma_ = true;
    if (std::fabs(x) < Cifras5 && x == std::trunc(x) && !(x == 0 && std::signbit(x))) {
        // A whole number below 10^5 is its digits in the shortest form too,
        // and the integer conversion is much cheaper than the double one.
        p = std::to_chars(p, fin, static_cast<long>(x)).ptr;
    } else if (std::isfinite(x)) {
        p = std::to_chars(p, fin, x).ptr;
    } else {
        std::memcpy(p, "null", 4);
        p += 4;
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
