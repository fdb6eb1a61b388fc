#pragma once

#include "model/SiteState.h"

#include <cstdint>
#include <optional>

// Curve number of condition I or III from condition II.
double NumeroCondicionI(double n2);
double NumeroCondicionIII(double n2);

// Runoff threshold (mm) of a curve number: (25400 - 254 N)(0.2 / N), never
// below 0.
double Umbral(double n);

// The cubic whose root is the threshold of the unit when both areas shed.
struct Cubica {
    double c0 = 0, c1 = 0, c2 = 0, c3 = 0;
    double operator()(double x) const { return c0 * x * x * x + c1 * x * x + c2 * x + c3; }
};
Cubica CubicaUnidad(double SI, double SR, double PI, double PR, double C);

// Result of the 0.1 mm stepwise search: the midpoint of the step in which f
// changes sign, the upper end of that step, and the number of steps taken.
struct Busqueda {
    double P0US = 0;
    double PBusca = 0;
    std::uint64_t pasos = 0;
};
// x := x + 0.1 repeated from `inicio`, comparing signs at every step.
Busqueda BuscaLiteral(const Cubica& f, double inicio);
// Same result, bit for bit, without walking the steps where the sign
// provably cannot change.
Busqueda BuscaRapida(const Cubica& f, double inicio);

enum class Desenlace { Completado, Abandonado };

struct ResultadoModelo {
    Desenlace desenlace = Desenlace::Completado;
    bool comprobacionCapacidad = false; // the capacity check was due
    bool pitido = false;                // confirmed capacity still below the minimum
};

// The curve-number model on the inputs NAC(2), NI(2), NR(2), SI, SR, CAPA, in
// two steps, so that whoever runs it can settle the capacity between them.
// First: the curve numbers and thresholds of every condition and the least
// capacity the collecting area needs. True when CAPA is below it: the
// capacity check is due, and CapaConfirmada is cleared until it is answered.
bool PreparaModelo(SiteState& s);
// Second: the unit's thresholds with the capacity s.CAPA holds. A due check
// left unconfirmed abandons the computation.
ResultadoModelo CompletaModelo(SiteState& s, bool comprobacionDebida);
// Both steps, the capacity check answered with `capacidad` (a confirmed value,
// as CapacidadConfirmada gives it) or closed (nothing): what the calculator
// and the report do with the capacity a site keeps.
ResultadoModelo CalculaSitio(SiteState& s, std::optional<double> capacidad = std::nullopt);

// The capacity the capacity check stores for a confirmed value: rounded to one
// decimal, as the capacity field shows it. Nothing for a value outside
// 0 <= x < 10000, or one that rounds to 10000, which would break the
// capacity's range.
std::optional<double> CapacidadConfirmada(double tecleada);
