#pragma once

// The few lexical facts of JSON that the readers and the stream cutter
// share: blanks, punctuation and where a string ends.

#include <cstddef>
#include <string_view>

namespace lexico {

inline bool Blanco(char c)
{
    return c == ' ' || c == '\n' || c == '\r' || c == '\t';
}
inline bool Puntuacion(char c)
{
    return c == '{' || c == '}' || c == '[' || c == ']' || c == ',' || c == ':' || c == '"';
}
inline bool Digito(char c)
{
    return c >= '0' && c <= '9';
}

inline std::size_t SaltaBlancos(std::string_view t, std::size_t i)
{
    while (i < t.size() && Blanco(t[i]))
        ++i;
    return i;
}

// Past the closing quote of the string that opens at t[i], or npos.
inline std::size_t FinDeTexto(std::string_view t, std::size_t i)
{
    const std::size_t inicio = i + 1;
    for (std::size_t desde = inicio;;) {
        const std::size_t q = t.find('"', desde);
        if (q == std::string_view::npos)
            return std::string_view::npos;
        std::size_t barras = 0;
        while (q - barras > inicio && t[q - barras - 1] == '\\')
            ++barras;
        if (barras % 2 == 0)
            return q + 1;
        desde = q + 1;
    }
}

} // namespace lexico
