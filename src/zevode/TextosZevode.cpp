#include "zevode/TextosZevode.h"

#include <array>
#include <utility>

namespace {

using Par = std::pair<const char*, const char*>;

// Spanish, English; in the order of TextoZ.
constexpr std::array<Par, static_cast<std::size_t>(TextoZ::Cuantos)> Textos{{
    {"Tablas de números de curva – HIDRELA", "Curve-number tables – HIDRELA"},
    {"Números de curva en condición de humedad II (Ia = 0.2 S) de USDA-SCS/NRCS TR-55, "
     "Urban Hydrology for Small Watersheds, 2.ª ed. (junio de 1986), tablas 2-2a a 2-2d. "
     "Elija cubierta, condición y grupo de suelo, o pulse una casilla de la tabla.",
     "Curve numbers for antecedent moisture condition II (Ia = 0.2 S) from USDA-SCS/NRCS TR-55, "
     "Urban Hydrology for Small Watersheds, 2nd ed. (June 1986), Tables 2-2a to 2-2d. "
     "Choose the cover, condition and soil group, or click a cell of the table."},
    {"C&ubierta y tratamiento:", "Land c&over and treatment:"},
    {"Elija una cubierta", "Choose a land cover"},
    {"Condición &hidrológica:", "&Hydrologic condition:"},
    {"(la tabla no la distingue)", "(not distinguished)"},
    {"mala", "poor"},
    {"regular", "fair"},
    {"buena", "good"},
    {"condición %1", "%1 condition"},
    {"Grupo hidrológico de suelo", "Hydrologic soil group"},
    {"&A: escorrentía baja; infiltración alta aun empapado (arenas y gravas profundas; > 7.6 mm/h)",
     "&A: low runoff potential; high infiltration even when wet (deep sands and gravels; > 7.6 mm/h)"},
    {"&B: infiltración moderada empapado; suelos profundos y bien drenados (francos, franco-limosos; "
     "3.8–7.6 mm/h)",
     "&B: moderate infiltration when wet; deep, well-drained soils (loam, silt loam; 3.8–7.6 mm/h)"},
    {"&C: infiltración baja empapado; capa que frena el agua o textura fina (franco-arcillo-arenosos; "
     "1.3–3.8 mm/h)",
     "&C: low infiltration when wet; a layer that impedes drainage, or fine texture (sandy clay loam; "
     "1.3–3.8 mm/h)"},
    {"&D: escorrentía alta; infiltración muy baja (arcillas expansivas, capa freática alta, suelo somero; "
     "< 1.3 mm/h)",
     "&D: high runoff potential; very low infiltration (swelling clays, high water table, shallow soil; "
     "< 1.3 mm/h)"},
    {"Nº de curva en condición II:", "Curve number, condition II:"},
    {"Elija una fila de la tabla y un grupo de suelo.", "Choose a row of the table and a soil group."},
    {"La tabla no da número de curva para el grupo %1 en esta fila.",
     "The table gives no curve number for group %1 in this row."},
    {"%1, grupo %2 (tabla %3)", "%1, group %2 (Table %3)"},
    {"Nota: ", "Note: "},
    {"Fuente: ", "Source: "},
    {"Tabla", "Table"},
    {"Cubierta", "Land cover"},
    {"Tratamiento", "Treatment"},
    {"Condición", "Condition"},
    {"Cubierta compuesta (hasta cinco cubiertas)", "Composite cover (up to five covers)"},
    {"% del área", "% of area"},
    {"Añadir la &elección actual", "A&dd the current choice"},
    {"Quitar", "Remove"},
    {"Suma: %1 %    N ponderado: %2", "Total: %1 %    weighted N: %2"},
    {"Suma: %1 % (debe ser 100 %)", "Total: %1 % (must be 100 %)"},
    {"Usar el N &ponderado", "&Use the weighted N"},
    {"N ponderado por área de la cubierta compuesta (abajo).", "Area-weighted N of the composite cover (below)."},
    {"Ce&rrar", "C&lose"},
    {"Las tablas de números de curva ya están abiertas.", "The curve-number tables are already open."},
    {"La tabla de números de curva incorporada está dañada (%1).", "The built-in curve-number table is damaged (%1)."},
    {"No se pudo abrir el enlace con HIDRELA (%1); el número elegido no llegará a la ventana de datos.",
     "The link with HIDRELA could not be opened (%1); the chosen number will not reach the data window."},
    {"Transcripciones cotejadas:", "Transcriptions compared:"},
}};

} // namespace

QString TextoZevode(int numIdioma, TextoZ t)
{
    const Par& p = Textos[static_cast<std::size_t>(t)];
    return QString::fromUtf8(numIdioma == 1 ? p.first : p.second);
}
