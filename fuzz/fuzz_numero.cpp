// Any text through the number rules: recognition and conversion agree, the
// shortest text reads back to the same double, and a formatted number is a
// number within half a unit of its last digit.
#include "Exige.h"
#include "model/Numero.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n)
{
    const std::string_view texto(reinterpret_cast<const char*>(datos), n);
    const bool numerico = EsNumerico(texto);
    const auto x = ANumero(texto);
    EXIGE(numerico == x.has_value());
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
