#include "model/CalculoAnual.h"

#include "model/BalanceAguacero.h"
#include "model/Humedad.h"

#include <cmath>

void CalculaAguaceros(CalculoAnual& a, CasoEscorrentia caso)
{
    const DatosAnuales& d = a.datos;
    a.PMaxAnual = 0;
    for (double x : d.PMaxDia)
        if (x > a.PMaxAnual)
            a.PMaxAnual = x;
    a.PAnual = 0;
    double dias = 0;
    for (std::size_t i = 0; i < 12; ++i) {
        a.PAnual += d.PMes[i];
        dias += d.NDias[i];
    }
    // At most 12 x 31 days: always inside the 16-bit range.
    a.DiasAnual = static_cast<std::int16_t>(std::nearbyint(dias));

    for (std::size_t i = 0; i < 12; ++i) {
        const int m = static_cast<int>(i) + 1;
        const double P = d.PMes[i], Pmax = d.PMaxDia[i], N = d.NDias[i];
        const double R = P - Pmax;
        double PV1 = 0, N1 = 0, PV2 = 0, N2 = 0;
        if (N == 2) {
            PV1 = R;
            N1 = 1;
        } else if (N > 2) {
            switch (caso) {
            case CasoEscorrentia::II:
                PV2 = Pmax;
                N2 = R / Pmax;
                break;
            case CasoEscorrentia::I:
                PV1 = R / (N - 1);
                N1 = N - 1;
                break;
            case CasoEscorrentia::III:
                PV1 = R / (N - 1);
                N1 = ((N - 1) - R / Pmax) * 0.5;
                PV2 = (R / (N - 1) + Pmax) * 0.5;
                N2 = R / Pmax;
                break;
            }
        }

        double P5 = N <= 5 ? P / 3 : Pmax / 4 + P / 12 + PV1;
        if (caso == CasoEscorrentia::II)
            P5 = P * 7 / 12;
        else if (caso == CasoEscorrentia::I)
            P5 = P / 12;

        const double J = CondicionHumedad(P5, m >= MesCrecimientoDesde && m <= MesCrecimientoHasta);

        a.PV1[i] = PV1;
        a.N1[i] = N1;
        a.PV2[i] = PV2;
        a.N2[i] = N2;
        a.P5[i] = P5;
        a.J[i] = J;
        a.Aguaceros[i] = {Pmax, PV1, PV2};
    }
}

void BalanceAnual(const SiteState& s, ScenarioResults& r, CalculoAnual& a)
{
    for (auto& fila : a.Dispon)
        fila.fill(0);
    a.CapaMinAnual = 0;
    for (std::size_t i = 0; i < 12; ++i) {
        const std::array<double, 3> pesos{1, a.N1[i], a.N2[i]};
        const int c = static_cast<int>(a.J[i]);
        for (std::size_t k = 0; k < 3; ++k) {
            const double P = a.Aguaceros[i][k];
            const double w = pesos[k];
            if (P == 0)
                continue;
            BalanceAguacero(s, r, P, c);
            if (a.CapaMinAnual < r.CapaNecesaria)
                a.CapaMinAnual = r.CapaNecesaria;
            a.Dispon[0][i] += w * P;
            a.Dispon[1][i] += r.PSinSist * w;
            a.Dispon[2][i] += r.PBanqueta * w;
            a.Dispon[3][i] += r.PPromedio * w;
        }
    }
}
