#include "model/DatosMes.h"

#include <cmath>
#include <cstdint>

std::optional<int> DiasEnteros(double v)
{
    const double n = std::nearbyint(v);
    if (!(n >= INT16_MIN && n <= INT16_MAX))
        return std::nullopt;
    return static_cast<int>(n);
}

ChequeoCelda ValidaCelda(int columna, Celda t)
{
    if (!t)
        return {false, 0, 1027};
    const double v = *t;
    switch (columna) {
    case 0:
        if (v >= 0 && v < 1000)
            return {true, v, 0};
        return {false, 0, 1028};
    case 1:
        if (v >= 0)
            return {true, v, 0};
        return {false, 0, 1028};
    default: {
        const std::optional<int> n = DiasEnteros(v);
        if (n && *n >= 0 && *n <= 31)
            return {true, static_cast<double>(*n), 0};
        return {false, 0, 1029};
    }
    }
}

int TernaMes(double p, double pmax, double n)
{
    if (pmax > p)
        return 1030;
    if (n * pmax < p || (n != 0 && pmax == 0) || pmax + (n - 1) * 0.1 > p)
        return 1031;
    return 0;
}

std::optional<FalloMes> LeeDatos(const TablaAnual& tabla, DatosAnuales& d)
{
    for (std::size_t i = 0; i < 12; ++i) {
        const int m = static_cast<int>(i) + 1;
        const auto& fila = tabla[i];
        if (!fila[0])
            return FalloMes{m, 0, 1535};
        d.PMes[i] = *fila[0];

        const Celda& x = fila[1];
        if (!x)
            return FalloMes{m, 1, 1027};
        if (TernaMes(d.PMes[i], *x, 0) == 1030)
            return FalloMes{m, 1, 1030};
        d.PMaxDia[i] = *x;

        const Celda& n = fila[2];
        if (!n)
            return FalloMes{m, 2, 1031};
        if (const int e = TernaMes(d.PMes[i], d.PMaxDia[i], *n))
            return FalloMes{m, 2, e};
        d.NDias[i] = *n;
    }
    return std::nullopt;
}
