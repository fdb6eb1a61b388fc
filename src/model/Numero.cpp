#include "model/Numero.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

bool EsBlanco(char c)
{
    return c == ' ' || c == '\t';
}
bool EsDigito(char c)
{
    return c >= '0' && c <= '9';
}

// Strips thousands separators from a well-formed text; empty on error.
std::optional<std::string> Normaliza(std::string_view t)
{
    std::size_t i = 0, n = t.size();
    while (i < n && EsBlanco(t[i]))
        ++i;
    while (n > i && EsBlanco(t[n - 1]))
        --n;
    t = t.substr(i, n - i);
    std::string out;
    std::size_t p = 0;
    if (p < t.size() && (t[p] == '+' || t[p] == '-')) {
        if (t[p] == '-')
            out += '-';
        ++p;
    }
    // Integer part, with optional thousands separators grouping three digits.
    std::size_t digitosGrupo = 0, digitosEnteros = 0;
    bool conSeparador = false;
    while (p < t.size() && (EsDigito(t[p]) || t[p] == ',')) {
        if (t[p] == ',') {
            if (digitosEnteros == 0 || (conSeparador && digitosGrupo != 3) || (!conSeparador && digitosGrupo > 3))
                return std::nullopt;
            conSeparador = true;
            digitosGrupo = 0;
        } else {
            out += t[p];
            ++digitosGrupo;
            ++digitosEnteros;
        }
        ++p;
    }
    if (conSeparador && digitosGrupo != 3)
        return std::nullopt;
    std::size_t digitosDecimales = 0;
    if (p < t.size() && t[p] == '.') {
        out += '.';
        ++p;
        while (p < t.size() && EsDigito(t[p])) {
            out += t[p++];
            ++digitosDecimales;
        }
    }
    if (digitosEnteros + digitosDecimales == 0)
        return std::nullopt;
    if (p < t.size() && (t[p] == 'e' || t[p] == 'E')) {
        out += 'e';
        ++p;
        if (p < t.size() && (t[p] == '+' || t[p] == '-'))
            out += t[p++];
        std::size_t digitosExp = 0;
        while (p < t.size() && EsDigito(t[p])) {
            out += t[p++];
            ++digitosExp;
        }
        if (digitosExp == 0)
            return std::nullopt;
    }
    if (p != t.size())
        return std::nullopt;
    return out;
}

// Power of ten of the first significant digit of a normalised text: 2 for
// "123", -3 for "0.00123", 397 for "0.5e398". Out of the double range, it
// alone tells too large from too small, wherever the point stands.
long long ExponenteDecimal(std::string_view n)
{
    const std::size_t e = std::min(n.find('e'), n.size());
    long long exponente = 0;
    bool negativo = false;
    for (std::size_t i = e + 1; i < n.size(); ++i) {
        if (n[i] == '-')
            negativo = true;
        // Saturates far beyond any double and any text's length.
        else if (EsDigito(n[i]) && exponente < 1'000'000'000'000)
            exponente = exponente * 10 + (n[i] - '0');
    }
    const std::string_view mantisa = n.substr(0, e);
    const std::size_t punto = std::min(mantisa.find('.'), mantisa.size());
    // An all-zero mantissa is zero, never out of range.
    const std::size_t primero = mantisa.find_first_of("123456789");
    const long long posicion =
        primero < punto ? static_cast<long long>(punto - primero) - 1 : -static_cast<long long>(primero - punto);
    return (negativo ? -exponente : exponente) + posicion;
}

} // namespace

std::optional<double> ANumero(std::string_view texto)
{
    const std::optional<std::string> n = Normaliza(texto);
    if (!n)
        return std::nullopt;
    double v = 0;
    const char* inicio = n->data();
    const char* fin = n->data() + n->size();
    const auto [ptr, ec] = std::from_chars(inicio, fin, v);
    if (ptr != fin)
        return std::nullopt;
    if (ec == std::errc::result_out_of_range) {
        // Too small to tell from zero is still a number; too large is not.
        if (ExponenteDecimal(*n) >= 0)
            return std::nullopt;
        return (*n)[0] == '-' ? -0.0 : 0.0;
    }
    if (ec != std::errc() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

bool EsNumerico(std::string_view texto)
{
    return ANumero(texto).has_value();
}

std::string Formato(double x, int decimales)
{
    if (!std::isfinite(x))
        return TextoExacto(x);
    // Enough digits to see whether the first dropped digit is an exact half:
    // a tie ends at that digit, a near-tie shows a non-zero digit soon after.
    const int extra = 40;
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::fixed, decimales + extra);
    const std::string s(buf, res.ptr);
    const std::size_t punto = s.find('.');
    const std::size_t corte = punto + 1 + static_cast<std::size_t>(decimales);
    const char primero = s[corte];
    bool sube = primero >= '5';
    std::string r = s.substr(0, decimales == 0 ? punto : corte);
    if (sube) {
        int i = static_cast<int>(r.size()) - 1;
        for (; i >= 0; --i) {
            if (r[static_cast<std::size_t>(i)] == '.')
                continue;
            if (r[static_cast<std::size_t>(i)] == '9') {
                r[static_cast<std::size_t>(i)] = '0';
            } else {
                ++r[static_cast<std::size_t>(i)];
                break;
            }
        }
        if (i < 0)
            r.insert(r.begin(), '1');
    }
    bool cero = true;
    for (char c : r)
        if (c != '0' && c != '.')
            cero = false;
    if (x < 0 && !cero)
        r.insert(r.begin(), '-');
    return r;
}

std::string TextoExacto(double x)
{
    char buf[64];
    const auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, x);
    return std::string(buf, ptr);
}
