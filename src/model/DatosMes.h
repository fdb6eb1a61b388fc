#pragma once

#include <array>
#include <optional>

// One cell of the year's table: nullopt when empty or not numeric.
using Celda = std::optional<double>;
using TablaAnual = std::array<std::array<Celda, 3>, 12>;

// Check of a typed cell before it is stored. Column 0 monthly precipitation,
// 1 maximum daily precipitation, 2 rain days.
struct ChequeoCelda {
    bool aceptada = false;
    double valor = 0; // what is stored: the days rounded, halves to even
    int mensaje = 0;  // 1027, 1028 or 1029 when refused
};
ChequeoCelda ValidaCelda(int columna, Celda t);

// Rain days as a 16-bit integer, halves to even; nullopt outside that range.
std::optional<int> DiasEnteros(double v);

// Whether a month's three values fit together as LeeDatos demands: 0 when
// they do, else 1030 (the largest day over the month) or 1031.
int TernaMes(double p, double pmax, double n);

// The year as read by LeeDatos.
struct DatosAnuales {
    std::array<double, 12> PMes{};
    std::array<double, 12> PMaxDia{};
    std::array<double, 12> NDias{};
};

// Where LeeDatos stopped: month 1..12, grid column 0..2, message.
struct FalloMes {
    int mes = 0;
    int columna = 0;
    int mensaje = 0;
    bool operator==(const FalloMes&) const = default;
};

// Reads and checks the twelve months in order. Months before a failing one
// keep what was read into `d`. Returns nothing when the whole year is valid.
std::optional<FalloMes> LeeDatos(const TablaAnual& tabla, DatosAnuales& d);
