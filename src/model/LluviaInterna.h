#pragma once

// What the reading and the analysis of a rain record share; not for use
// outside them.

#include "model/LluviaDiaria.h"

#include <cmath>
#include <string_view>

namespace lluvia {

// Sums of decimal depths carry binary noise (5.1 + 7.6 is not 12.7); taken to
// the micrometre they land on the decimal value, thresholds included.
inline double Micras(double x)
{
    return std::round(x * 1e6) / 1e6;
}

inline FalloLluvia Fallo(ErrorLluvia e, int linea = 0)
{
    FalloLluvia f;
    f.error = e;
    f.linea = linea;
    return f;
}

inline std::string_view Recorta(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

} // namespace lluvia
