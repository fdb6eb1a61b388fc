#pragma once

#include "documento/LectorJson.h"
#include "model/Documento.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace simdjson::dom {
class element;
}

// The site file (.hidrela): one JSON object with "format": "hidrela-site"
// and "version": 1 beside the members of a calculator request, plus an
// optional "name" and "notes". The program and the calculator read it here,
// and the calculator's requests are site files without the two marks.

inline constexpr std::string_view FormatoSitio = "hidrela-site";
inline constexpr int VersionSitio = 1;
// The longest name or notes a site file may hold: far more than a person
// writes, and a report of them lays out in moments.
inline constexpr std::size_t MaximoTextoSitio = 64 * 1024;

// What the marks of a document say.
enum class Formato : std::uint8_t {
    Peticion, // no "format": a calculator request
    Sitio,    // a site file this version reads
    OtroTipo, // another kind of document, or marks that make no sense
    Futura,   // a site file of a later version
};
Formato LeeFormato(const simdjson::dom::element& o, long long& version);

// Why a text is not a site this program can open.
struct FalloArchivo {
    enum class Tipo : std::uint8_t {
        Vacio,    // nothing but blanks
        Grande,   // longer than a request may be
        Truncado, // JSON that ends before its brackets close
        NoJson,
        OtroTipo,
        Futura,
        Rango, // a value the windows would refuse: `mensaje` is their message
        Zonas, // complete zones that do not add up to the contributing area
        Dato,  // a member of the wrong kind
        Largo, // a name or notes over MaximoTextoSitio
    };
    Tipo tipo = Tipo::NoJson;
    int mensaje = 0;
    std::string donde; // the member at fault, positions 1-based: "series[2].P"
    long long version = 0;
    MotivoJson por; // why the text is no JSON, when it is not
};

// Reads a site file or a calculator request into `d`, checking each value
// present as typing it would; what is absent stays empty. `d` is only
// written when the whole text is good.
std::optional<FalloArchivo> LeeArchivoSitio(std::string_view texto, DocumentoSitio& d);

// The site file of `d`, one top-level member a line. Numbers carry every
// digit, so that reading the file back gives the same doubles.
std::string EscribeArchivoSitio(const DocumentoSitio& d);
