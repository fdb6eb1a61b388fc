#pragma once

#include "model/DatosMes.h"
#include "model/LluviaDiaria.h"
#include "model/Serie.h"
#include "model/Zonas.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

// The decimals the entry window's fields show, in the order of
// DocumentoSitio::datos (CamposDatos).
inline constexpr std::array<int, 6> DecimalesDatos{1, 3, 3, 1, 1, 1};

// Where the series and the year's months were last imported from: the daily
// record's file name, without its folder, and the choices of the import.
struct ImportacionLluvia {
    std::string archivo;
    OpcionesLluvia opciones;
    FormatoLluvia formato; // how the record was read
    // What the record held, for the report; absent from files written before.
    struct Resumen {
        Fecha desde, hasta;
        int dias = 0, faltan = 0, aguaceros = 0, aniosMedia = 0, filasAjustadas = 0;
        std::string columnaFecha, columnaProfundidad; // when the record had more than two columns
        bool operator==(const Resumen&) const = default;
    };
    std::optional<Resumen> resumen;
    bool operator==(const ImportacionLluvia&) const = default;
};

// What the user typed for one site, whatever has been computed from it: the
// values the windows accepted, as a site file keeps them. A value never typed
// or refused is nullopt.
struct DocumentoSitio {
    std::string nombre, notas; // free text of the file's properties

    // The entry window's fields in their order: NAC, SI, SR, NR, CAPA and
    // the NI of a simple contributing area.
    std::array<std::optional<double>, 6> datos{};
    bool complejo = false;
    std::vector<CeldaZona> zonas; // one record per zone chosen
    // What the user confirmed the last time the capacity check opened.
    std::optional<double> capacidad;

    // The single storm's window: depth and moisture condition (0: none).
    std::optional<double> PAguacero;
    int CondAguacero = 0;

    // The series; a trailing slot with no condition is a storm not yet entered.
    std::vector<Aguacero> serie;

    int caso = 3; // runoff case of the year, 1..3
    TablaAnual meses{};
    // Kept when a storm or a month is typed over afterwards: it still says
    // where the rest came from.
    std::optional<ImportacionLluvia> importacion;

    bool operator==(const DocumentoSitio&) const = default;
};
