#include "model/Relaciones.h"

namespace {

// Literals in the order greater, smaller, equal; texts likewise from `base`.
FilaRelacion Compara(double a, double b, std::string_view mayor, std::string_view menor, std::string_view igual,
                     int base)
{
    if (a > b)
        return {mayor, base};
    if (a < b)
        return {menor, base + 1};
    return {igual, base + 2};
}

} // namespace

std::array<FilaRelacion, 4> Relaciones(const SiteState& s)
{
    return {
        Compara(s.NAC(2), s.NI(2), "NAC > NI", "NAC < NI", "NAC = NI", 1158),
        Compara(s.NAC(2), s.NR(2), "NAC > NR", "NAC < NR", "NAC = NR", 1161),
        Compara(s.NAC(2), s.N(2), "NAC > N", "NAC < N", "NAC = N", 1164),
        Compara(s.NI(2), s.NR(2), "NI > NR", "NI < NR", "NI = NR", 1167),
    };
}

int Veredicto(const SiteState& s)
{
    const double a = s.NAC(2), b = s.NI(2), c = s.NR(2), n = s.N(2);
    if (a > b && a > c && b >= c)
        return 1170;
    if (a > n)
        return 1171;
    if (a == b && a == c)
        return 1172;
    if (b < c && a < n)
        return 1173;
    return 1174;
}
