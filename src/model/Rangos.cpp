#include "model/Rangos.h"

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

std::optional<FueraDeRango> CompruebaSitio(const DatosSitio& d)
{
    if (!CurvaValida(d.NAC))
        return FueraDeRango{1076, Campo::NAC};
    if (!CurvaValida(d.NR))
        return FueraDeRango{1076, Campo::NR};
    if (!AreaValida(d.SI))
        return FueraDeRango{1074, Campo::SI};
    if (!AreaValida(d.SR))
        return FueraDeRango{1074, Campo::SR};
    if (!CapacidadValida(d.CAPA))
        return FueraDeRango{1538, Campo::CAPA};
    return std::nullopt;
}

std::optional<FueraDeRango> CompruebaNI(double ni)
{
    if (!CurvaValida(ni))
        return FueraDeRango{1076, Campo::NI};
    return std::nullopt;
}

std::optional<FueraDeRango> CompruebaAguacero(double P, Tormenta t)
{
    if (!AguaceroValido(P))
        return FueraDeRango{t == Tormenta::Unica ? 1134 : 1212, Campo::P};
    return std::nullopt;
}
