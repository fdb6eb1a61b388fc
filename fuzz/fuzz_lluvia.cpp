// Any text as a daily rainfall record. A record that is read is in date
// order without repeats, its depths at most MaxMmDia and never negative; its
// storms, if it gives them, are at or above the threshold with a condition
// of 1 to 3, and its months are what the year's grid takes.
#include "Exige.h"
#include "model/LluviaDiaria.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n)
{
    const std::string_view texto(reinterpret_cast<const char*>(datos), n);
    RegistroLluvia r;
    if (LeeRegistro(texto, r))
        return 0;
    EXIGE(!r.dias.empty());
    for (std::size_t i = 0; i < r.dias.size(); ++i) {
        const DiaLluvia& d = r.dias[i];
        EXIGE(i == 0 || r.dias[i - 1].fecha < d.fecha);
        EXIGE(!d.mm || (*d.mm >= 0 && *d.mm <= MaxMmDia));
    }
    OpcionesLluvia o;
    ResultadoLluvia res;
    if (SerieLluvia(r, o, res))
        return 0;
    EXIGE(res.faltan >= 0 && res.lluviosos <= res.dias);
    for (const Aguacero& a : res.serie)
        EXIGE(a.P >= o.umbralAguacero && a.P <= MaxMmDia && a.cond >= 1 && a.cond <= 3);
    if (MesesLluvia(r, o, res))
        return 0;
    for (int c = 0; c < 3; ++c)
        for (const auto& fila : res.anio)
            EXIGE(ValidaCelda(c, fila[static_cast<std::size_t>(c)]).aceptada);
    return 0;
}
