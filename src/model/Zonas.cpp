#include "model/Zonas.h"

#include "model/Rangos.h"

#include <cmath>

double MediaPonderada(double media, double n, double area, double suma)
{
    return media + (n - media) * (area / suma);
}

std::optional<FalloZona> PasoZonas(SiteState& s, const std::vector<CeldaZona>& zonas)
{
    // Without records the arrays keep what an earlier pass left.
    if (!zonas.empty()) {
        s.SupZona.assign(zonas.size(), 0.0);
        s.NZona.assign(zonas.size(), 0.0);
    }
    s.NI(2) = 0;
    s.SumaSupZonas = 0;
    for (std::size_t i = 0; i < zonas.size(); ++i) {
        const int k = static_cast<int>(i) + 1;
        const CeldaZona& z = zonas[i];
        if (!z.area)
            return FalloZona{k, 0, 0};
        if (!AreaValida(*z.area))
            return FalloZona{k, 0, 1074};
        s.SupZona[i] = *z.area;
        if (!z.numero)
            return FalloZona{k, 1, 0};
        if (!CurvaValida(*z.numero))
            return FalloZona{k, 1, 1076};
        s.NZona[i] = *z.numero;
        s.SumaSupZonas = s.SumaSupZonas + s.SupZona[i];
        s.NI(2) = MediaPonderada(s.NI(2), s.NZona[i], s.SupZona[i], s.SumaSupZonas);
    }
    if (std::abs(s.SumaSupZonas - s.SI) <= 1e-9 * s.SI)
        return std::nullopt;
    return FalloZona{0, 0, 1077};
}

TotalesZonas TotalesParciales(const std::vector<CeldaZona>& zonas)
{
    TotalesZonas t;
    for (const CeldaZona& z : zonas) {
        const double a = z.area.value_or(0.0);
        const double n = z.numero && CurvaValida(*z.numero) ? *z.numero : 0.0;
        t.suma = t.suma + a;
        if (t.suma != 0)
            t.media = MediaPonderada(t.media, n, a, t.suma);
    }
    return t;
}
