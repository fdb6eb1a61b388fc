#pragma once

#include "documento/LectorJson.h"

#include <cstddef>
#include <cstdint>
#include <optional>

// Where a year's "months" stop being twelve rows of three cells, each null or
// a number; positions 0-based.
struct MesesMalos {
    enum class Que : std::uint8_t { Lista, Fila, Valor };
    Que que = Que::Lista;
    std::size_t mes = 0, columna = 0;
};

// Walks the months in order, handing celda(mes, columna, x) each cell that
// is a number, and stops at the first cell of the wrong kind, or where
// `celda` says false (its own reason, which the caller keeps).
template <class F> std::optional<MesesMalos> RecorreMeses(const ValorJson& meses, F celda)
{
    using Que = MesesMalos::Que;
    simdjson::dom::array filas;
    if (meses.get_array().get(filas) != simdjson::SUCCESS || filas.size() != 12)
        return MesesMalos{};
    std::size_t m = 0;
    for (const simdjson::dom::element fila : filas) {
        simdjson::dom::array celdas;
        if (fila.get_array().get(celdas) != simdjson::SUCCESS || celdas.size() != 3)
            return MesesMalos{Que::Fila, m, 0};
        std::size_t c = 0;
        for (const simdjson::dom::element x : celdas) {
            if (!x.is_null()) {
                const std::optional<double> n = NumeroJson(x);
                if (!n)
                    return MesesMalos{Que::Valor, m, c};
                if (!celda(m, c, *n))
                    return std::nullopt;
            }
            ++c;
        }
        ++m;
    }
    return std::nullopt;
}
