#include "model/Rangos.h"

#include <utility>

// Each test is written so that a NaN fails it.

bool CurvaValida(double n)
{
    return n > 0 && n <= 100;
}

bool AreaValida(double a)
{
    return a > 0 && a < 1000;
}

bool CapacidadValida(double c)
{
    return c >= 0 && c < 10000;
}

bool AguaceroValido(double p)
{
    return p > 0 && p < 1000;
}

int UnoATres(std::optional<double> x)
{
    return x && (*x == 1 || *x == 2 || *x == 3) ? static_cast<int>(*x) : 0;
}

std::string_view NombreCampo(Campo c)
{
    switch (c) {
    case Campo::NAC:
        return "NAC";
    case Campo::NI:
        return "NI";
    case Campo::NR:
        return "NR";
    case Campo::SI:
        return "SI";
    case Campo::SR:
        return "SR";
    case Campo::CAPA:
        return "CAPA";
    case Campo::P:
        return "P";
    }
    return {};
}

std::optional<FueraDeRango> CompruebaCampo(Campo c, double x)
{
    switch (c) {
    case Campo::NAC:
    case Campo::NI:
    case Campo::NR:
        if (!CurvaValida(x))
            return FueraDeRango{1076, c};
        break;
    case Campo::SI:
    case Campo::SR:
        if (!AreaValida(x))
            return FueraDeRango{1074, c};
        break;
    case Campo::CAPA:
        if (!CapacidadValida(x))
            return FueraDeRango{1538, c};
        break;
    case Campo::P:
        return CompruebaAguacero(x, Tormenta::Unica);
    }
    return std::nullopt;
}

std::optional<FueraDeRango> CompruebaSitio(const DatosSitio& d)
{
    for (const auto& [c, x] : {std::pair{Campo::NAC, d.NAC}, std::pair{Campo::NR, d.NR}, std::pair{Campo::SI, d.SI},
                               std::pair{Campo::SR, d.SR}, std::pair{Campo::CAPA, d.CAPA}})
        if (std::optional<FueraDeRango> f = CompruebaCampo(c, x))
            return f;
    return std::nullopt;
}

std::optional<FueraDeRango> CompruebaNI(double ni)
{
    return CompruebaCampo(Campo::NI, ni);
}

std::optional<FueraDeRango> CompruebaAguacero(double P, Tormenta t)
{
    if (!AguaceroValido(P))
        return FueraDeRango{t == Tormenta::Unica ? 1134 : 1212, Campo::P};
    return std::nullopt;
}
