#pragma once

#include "model/DatosMes.h"
#include "model/Serie.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A daily rainfall record read from CSV text, and the storm series and the
// year's table it gives.
//
// Each line holds a date (YYYY-MM-DD, DD/MM/YYYY or DD-MM-YYYY) and a depth
// in mm, separated by `,`, `;` or a tab, as found on the first line of data.
// The depth takes a decimal point, or a decimal comma when the separator is
// not the comma (or the depth is quoted). Trace marks ("Ip", "Inap", "tr")
// read as 0; an empty depth is a missing day. The first line may be a
// heading; blank lines and lines starting with `#` are skipped.

// Bigger than this is refused before it is read.
inline constexpr long long MaxBytesLluvia = 50LL * 1024 * 1024;

// What went wrong; nothing is taken from a record that fails. MensajeLluvia
// gives the catalogue text of each, from 1740 on in this order.
enum class ErrorLluvia {
    Ninguno,
    NoSeLee,             // the file cannot be opened or read
    Grande,              // valor: its size in bytes
    NoEsTexto,           // a NUL byte or invalid UTF-8 on `linea`
    Fecha,               // texto: the date as written
    Profundidad,         // texto: the depth as written
    Negativa,            // valor: the depth
    Excesiva,            // valor: the depth, 1000 mm or more in one day
    Columnas,            // more fields than a date and a depth
    Repetida,            // `linea` repeats the date of `otraLinea`; texto: the date
    Corta,               // the dates span less than a month
    AnioFuera,           // valor: the chosen year is not wholly inside the record
    SinAnioCompleto,     // no year without a missing day to average
    MesExcesivo,         // valor: the month's rain, 1000 mm or more (the table's limit); mes
    DemasiadosAguaceros, // valor: the count
    Opciones,            // a threshold or a season month out of range
    // From here on the catalogue texts run from 1880.
    ColumnaDesconocida, // texto: the column asked for; lista: the headings
    ColumnasDudosas,    // which columns hold the date and the depth cannot be told; lista: the headings
};
int MensajeLluvia(ErrorLluvia e);

struct FalloLluvia {
    ErrorLluvia error = ErrorLluvia::Ninguno;
    int linea = 0;     // 1-based, 0 when no line is to blame
    int otraLinea = 0; // the first line of a repeated date
    int mes = 0;
    double valor = 0;
    std::string texto;
    std::string lista; // the record's headings, ", " between them
};

// A calendar date as the number of days since 1970-01-01.
using DiaCivil = int;
struct Fecha {
    int anio = 0, mes = 0, dia = 0;
    bool operator==(const Fecha&) const = default;
};
DiaCivil DiaDe(Fecha f);
Fecha FechaDe(DiaCivil d);
// YYYY-MM-DD, and back: nothing for a text that is not a real date so written.
std::string TextoFecha(const Fecha& f);
std::optional<Fecha> FechaDeTexto(std::string_view t);

struct DiaLluvia {
    DiaCivil fecha = 0;
    std::optional<double> mm; // nullopt: missing
    int linea = 0;
};

// Units a record's depths may come in; each is turned into mm on reading.
enum class UnidadLluvia : std::uint8_t { Mm, DecimaMm, Cm, Pulgada };
double MmPorUnidad(UnidadLluvia u);
std::optional<UnidadLluvia> LeeUnidad(std::string_view s); // "mm", "0.1mm", "cm", "in"
std::string_view NombreUnidad(UnidadLluvia u);

// A date given twice: refused (naming both lines), or the first or the last
// line kept. The same date with the same depth is always kept once.
enum class RepetidasLluvia : std::uint8_t { Rechaza, Primera, Ultima };

// Deeper than any day ever measured: a wrong unit, most likely.
inline constexpr double MaxMmDia = 2000;

// How a record is read. A column is named by its heading (any case) or by
// its 1-based number; left empty, it is found: a two-column record holds
// the date and the depth, and a wider one with a heading is searched for
// one column of dates (or year, month and day) and one of rain.
struct FormatoLluvia {
    std::string fecha;
    std::array<std::string, 3> ymd{}; // year, month, day columns; in use when the first is set
    std::string profundidad;
    UnidadLluvia unidad = UnidadLluvia::Mm;
    std::vector<std::string> faltan{"", "NA", "-9999", "M"}; // a missing day
    RepetidasLluvia repetidas = RepetidasLluvia::Rechaza;
    bool operator==(const FormatoLluvia&) const = default;
};

// The days as read, in date order.
struct RegistroLluvia {
    std::vector<DiaLluvia> dias;
    int desordenLinea = 0;              // first line found before an earlier date; 0 when in order
    std::vector<std::string> cabeceras; // the heading line's fields, when there is one
    // The columns read, by heading (or number), when the record has more than two.
    std::string columnaFecha, columnaProfundidad;
    int repetidasIguales = 0;   // dates given again with the same depth, kept once
    int repetidasResueltas = 0; // dates given again with another depth, resolved as asked
};

// The line of the first byte that is NUL or not valid UTF-8, or 0.
int LineaNoTexto(std::string_view t);

// Reads CSV text. The record is sorted when its dates were out of order.
std::optional<FalloLluvia> LeeRegistro(std::string_view texto, RegistroLluvia& r, const FormatoLluvia& f = {});

// A first look at a record, for choosing how to read it: its first lines as
// written, its heading's fields (none without a heading) and the count of
// columns of its first line of data.
struct VistaLluvia {
    std::vector<std::string> primeras;
    std::vector<std::string> cabeceras;
    std::size_t columnas = 0;
};
VistaLluvia MiraRegistro(std::string_view texto, int lineas);

// The file, at most MaxBytesLluvia, read whole.
std::optional<FalloLluvia> LeeTextoLluvia(const std::string& ruta, std::string& texto);
// The file read whole, then LeeRegistro.
std::optional<FalloLluvia> LeeArchivoLluvia(const std::string& ruta, RegistroLluvia& r, const FormatoLluvia& f = {});

// The limits of an import's choices, as every reader of them checks them.
inline bool UmbralLluviaValido(double mm)
{
    return mm > 0 && mm < 1000;
}
inline bool MesValido(long long m)
{
    return m >= 1 && m <= 12;
}
inline bool AnioValido(long long a)
{
    return a >= 1000 && a <= 9999;
}

struct OpcionesLluvia {
    std::optional<int> anio;                      // the calendar year; none: the mean of the complete years
    double umbralDia = 0.1;                       // a day with at least this much is a rain day
    double umbralAguacero = 1.0;                  // a day with at least this much is one storm
    int mesCrecimiento1 = 4, mesCrecimiento2 = 9; // growing season, inclusive; may wrap the year
    bool operator==(const OpcionesLluvia&) const = default;
};

struct ResultadoLluvia {
    Fecha desde, hasta;
    int dias = 0;      // days with a line in the record
    int faltan = 0;    // days of the period without a depth
    int lluviosos = 0; // days at or above the rain-day threshold
    std::vector<Aguacero> serie;
    int conFaltaEnCinco = 0;          // storms with a missing day among the five before
    TablaAnual anio{};                // P, Pmax, rain days of each month
    int aniosMedia = 0;               // complete years averaged; 0 for a chosen year
    int faltanAnio = 0;               // missing days of a chosen year, taken as 0
    int filasAjustadas = 0;           // months whose rain days or largest day were moved to fit the table's checks
    std::array<bool, 12> ajustadas{}; // the months counted in filasAjustadas
    Fecha diaMayor;                   // the record's deepest day (the first of equals), and its depth
    double mayor = 0;
    double mediaAnual = 0; // the year's rain: the chosen year's, or the mean of the complete years
};

// The counts and the storm series, or the counts and the year's table, into
// `res`; on a failure `res` may hold part of it.
std::optional<FalloLluvia> SerieLluvia(const RegistroLluvia& r, const OpcionesLluvia& o, ResultadoLluvia& res);
std::optional<FalloLluvia> MesesLluvia(const RegistroLluvia& r, const OpcionesLluvia& o, ResultadoLluvia& res);

// Both, into `res` only when both succeed.
std::optional<FalloLluvia> AnalizaLluvia(const RegistroLluvia& r, const OpcionesLluvia& o, ResultadoLluvia& res);

// A month's row as the year's grid takes it (TernaMes). Rain under the
// rain-day threshold, or means rounded one by one, can leave rain days that
// cannot hold the month's rain (N * Pmax < P) or more of them than it has
// (each brings 0.1 mm). The rain `p` stays as it fell. The rounded rain days
// `n` may go to the other whole day next to their mean `media` (a single
// year's count stays); where that does not fit either, the largest day is
// raised to the month's rain shared over the rain days, fewer of them if
// need be. True when the row changed.
bool AjustaFila(double p, double& pmax, double& n, double media);
