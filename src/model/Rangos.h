#pragma once

#include <array>
#include <optional>
#include <string_view>

// The ranges the site and storm data must keep: one rule each, shared by the
// entry window, the zone pass, the storm windows and the calculator.

// 0 < n <= 100: a curve number, of a surface or of a zone.
bool CurvaValida(double n);
// 0 < a < 1000: the contributing area, the collecting area and each zone, m².
bool AreaValida(double a);
// 0 <= c < 10000: the storage capacity of the collecting area, l.
bool CapacidadValida(double c);
// 0 < P < 1000: the depth of a storm, mm.
bool AguaceroValido(double p);
// A moisture condition or runoff case: exactly 1, 2 or 3 (2.0 is 2), or 0
// for anything else.
int UnoATres(std::optional<double> x);

// The value that broke its range, named as the calculator names it.
enum class Campo { NAC, NI, NR, SI, SR, CAPA, P };
std::string_view NombreCampo(Campo c);

struct FueraDeRango {
    int mensaje = 0; // the catalogue message the windows show
    Campo campo = Campo::NAC;
    bool operator==(const FueraDeRango&) const = default;
};

// The entry window's fields in the order of DocumentoSitio::datos.
inline constexpr std::array<Campo, 6> CamposDatos{Campo::NAC, Campo::SI, Campo::SR, Campo::NR, Campo::CAPA, Campo::NI};

// One value of the entry window in its range, or the message that refuses it.
std::optional<FueraDeRango> CompruebaCampo(Campo c, double x);

// The five numbers of the data check, checked in the entry window's order,
// which is not the order of the fields: NAC, NR, SI, SR, CAPA.
struct DatosSitio {
    double NAC = 0, SI = 0, SR = 0, NR = 0, CAPA = 0;
};
std::optional<FueraDeRango> CompruebaSitio(const DatosSitio& d);

// The curve number of a simple contributing area.
std::optional<FueraDeRango> CompruebaNI(double ni);

// A storm's depth; the single storm's window and the series' name it in
// messages of their own.
enum class Tormenta { Unica, Serie };
std::optional<FueraDeRango> CompruebaAguacero(double P, Tormenta t);
