// Any year typed into the months grid, on any site: each cell goes through
// the grid's check as it is typed, the year through LeeDatos, then the
// storms and the balance of the year. A year that passes must split into
// storms that add up to each month, and give finite water that is never
// below zero.
#include "Exige.h"
#include "model/CalculoAnual.h"
#include "model/DatosMes.h"
#include "model/ModeloCN.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

// Reads the input as a stream of values; past its end everything is zero.
struct Lector {
    const std::uint8_t* p;
    std::size_t n;

    std::uint8_t Byte()
    {
        if (n == 0)
            return 0;
        --n;
        return *p++;
    }
    std::uint16_t U16() { return static_cast<std::uint16_t>(Byte() | Byte() << 8); }
    double Doble()
    {
        std::uint64_t b = 0;
        for (int i = 0; i < 8; ++i)
            b |= std::uint64_t{Byte()} << (8 * i);
        double x;
        std::memcpy(&x, &b, sizeof x);
        return x;
    }

    // A typed cell: empty, any finite double, a whole number near the day
    // limits, or a depth with one decimal.
    Celda Tecleada()
    {
        switch (Byte() % 4) {
        case 0:
            return std::nullopt;
        case 1: {
            const double x = Doble();
            return std::isfinite(x) ? Celda(x) : std::nullopt;
        }
        case 2:
            return static_cast<double>(Byte()) - 10.0;
        default:
            return U16() / 10.0;
        }
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n)
{
    Lector l{datos, n};
    const auto caso = static_cast<CasoEscorrentia>(1 + l.Byte() % 3);

    // Curve numbers 0.1 to 100, areas 0.01 to 1000 m2, capacity 0 to 9999.9 l.
    // Far smaller collecting areas (1e-12 m2 beside 999 m2) lose the overflow
    // balance to cancellation: that is arithmetic, not a fault to look for.
    SiteState s;
    s.NAC(2) = 0.1 + (l.U16() % 9991) * 0.01;
    s.NI(2) = 0.1 + (l.U16() % 9991) * 0.01;
    s.NR(2) = 0.1 + (l.U16() % 9991) * 0.01;
    s.SI = std::pow(10.0, (l.U16() % 500) / 100.0 - 2);
    s.SR = std::pow(10.0, (l.U16() % 500) / 100.0 - 2);
    s.CAPA = (l.U16() % 100000) / 10.0;
    const std::uint8_t confirma = l.Byte();
    // The capacity check closed, or confirmed with a value of its own.
    const std::optional<double> confirmada = confirma % 2 == 0 ? std::nullopt : CapacidadConfirmada(confirma * 40.0);

    TablaAnual tabla{};
    for (auto& fila : tabla)
        for (int c = 0; c < 3; ++c) {
            const ChequeoCelda k = ValidaCelda(c, l.Tecleada());
            fila[static_cast<std::size_t>(c)] = k.aceptada ? Celda(k.valor) : std::nullopt;
        }

    CalculoAnual a;
    if (LeeDatos(tabla, a.datos))
        return 0;
    CalculaAguaceros(a, caso);
    for (std::size_t m = 0; m < 12; ++m) {
        const double p = a.datos.PMes[m];
        const double suma = a.Aguaceros[m][0] + a.N1[m] * a.PV1[m] + a.N2[m] * a.PV2[m];
        if (p > 0)
            EXIGE(std::fabs(suma - p) <= 1e-9 * p);
        EXIGE(a.J[m] >= 1 && a.J[m] <= 3);
    }

    if (CalculaSitio(s, confirmada).desenlace != Desenlace::Completado)
        return 0;
    ScenarioResults r;
    BalanceAnual(s, r, a);
    // Flat ground and the current slope keep rain minus runoff, which is
    // never negative. The collecting area's and the unit's figures subtract
    // an overflow of the whole unit, divided by the collecting area: they may
    // fall below zero by the rounding of that, a few ulps of the month's rain
    // times SI / SR.
    for (std::size_t k = 0; k < 4; ++k)
        for (std::size_t m = 0; m < 12; ++m) {
            const double x = a.Dispon[k][m];
            const double redondeo = k < 2 ? 0.0 : 1e-13 * a.datos.PMes[m] * (1 + s.SI / s.SR);
            EXIGE(std::isfinite(x) && x >= -redondeo);
        }
    EXIGE(std::isfinite(a.CapaMinAnual) && a.CapaMinAnual >= 0);
    return 0;
}
