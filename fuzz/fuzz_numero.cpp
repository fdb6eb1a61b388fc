// Any text through the number rules: recognition and conversion agree and
// match the C library's strtod, the shortest text reads back to the same
// double, and a formatted number is a number within half a unit of its last
// digit.
#include "Exige.h"
#include "model/Numero.h"

#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

// strtod on the text without its outer blanks and its thousands separators:
// the value, or nullopt when strtod does not take all of it or overflows.
// Only asked about texts the number rules accept, or of plain decimal
// characters, where the two grammars agree.
std::optional<double> SegunStrtod(std::string_view texto)
{
    std::string t;
    for (char c : texto)
        if (c != ',')
            t += c;
    const std::size_t i = t.find_first_not_of(" \t");
    if (i == std::string::npos)
        return std::nullopt;
    t = t.substr(i, t.find_last_not_of(" \t") - i + 1);
    char* fin = nullptr;
    errno = 0;
    const double v = std::strtod(t.c_str(), &fin);
    if (fin != t.c_str() + t.size() || (errno == ERANGE && std::isinf(v)))
        return std::nullopt;
    return v;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n)
{
    const std::string_view texto(reinterpret_cast<const char*>(datos), n);
    const bool numerico = EsNumerico(texto);
    const auto x = ANumero(texto);
    EXIGE(numerico == x.has_value());
    // strtod also reads "inf", "nan", hexadecimal and other blanks; commas
    // are kept out since strtod cannot check their grouping.
    const bool llano = texto.find_first_not_of("0123456789.eE+- \t") == std::string_view::npos;
    if (x || llano) {
        const auto y = SegunStrtod(texto);
        EXIGE(x.has_value() == y.has_value());
        if (x) {
            EXIGE(*x == *y);
            EXIGE(std::signbit(*x) == std::signbit(*y));
        }
    }
    if (!x)
        return 0;
    EXIGE(std::isfinite(*x));
    EXIGE(ANumero(TextoExacto(*x)) == *x);
    for (int decimales : {0, 1, 2, 4}) {
        const std::string f = Formato(*x, decimales);
        const auto y = ANumero(f);
        EXIGE(y.has_value());
        const double mitad = 0.5 * std::pow(10.0, -decimales);
        EXIGE(std::fabs(*y - *x) <= mitad * (1 + 1e-9) + std::fabs(*x) * 1e-15);
    }
    return 0;
}
