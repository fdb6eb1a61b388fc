#pragma once

#include "documento/LectorJson.h"
#include "documento/Troceador.h"
#include "model/CalculoAnual.h"
#include "model/DatosMes.h"
#include "model/Documento.h"
#include "model/Serie.h"
#include "model/SiteState.h"

#include <simdjson.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One request of the calculator, read and checked: the site inputs copied
// into `sitio` (NI(2) already the zones' mean for a composite area) and the
// parts that were asked for.
struct Peticion {
    SiteState sitio;
    // What the user would confirm in the capacity check, already rounded to
    // one decimal as that window stores it; none: the window is closed.
    std::optional<double> capacidad;
    std::optional<Aguacero> aguacero;
    std::optional<std::vector<Aguacero>> serie;
    std::optional<CasoEscorrentia> caso; // set when the year was asked for
    DatosAnuales datos;                  // the year as LeeDatos read it
};

// Why a request was refused. `id` is the catalogue message the windows would
// show, or 0 when they would only move the focus (then `motivo` says why).
// The positions are 1-based; 0 leaves them out of the answer.
struct FalloPeticion {
    int id = 0;
    std::string_view campo;
    int zona = 0;
    int aguacero = 0;
    int mes = 0;
    int columna = 0;
    int linea = 0; // of a daily rainfall record
    std::string motivo;
};

// Checks the request in the order the windows check the same values and fills
// `p`; returns the first failure, if any. Nothing is computed here apart from
// the zone pass, which is part of reading the site.
std::optional<FalloPeticion> LeePeticion(const simdjson::dom::element& o, Peticion& p);

// The same checks on the document the windows keep, as if it were saved and
// read back as a request: what the calculator would compute of it, or why
// it would refuse it.
std::optional<FalloPeticion> PeticionDeDocumento(const DocumentoSitio& d, Peticion& p);

// The five checked numbers of the data check into the site, as both readings
// of a request put them.
struct DatosSitio;
void PonSitio(SiteState& s, const DatosSitio& d);

// The common request, a site with NI and a storm, every value a plain
// number in range, read lazily from `texto` (RellenoJson readable after it)
// into `p`. False for anything else, malformed or not: LeePeticion then
// reads the same text whole and says what is wrong, if anything. What is
// read here is what LeePeticion would have read.
bool LeePeticionDirecta(simdjson::ondemand::parser& parser, std::string_view texto, Peticion& p);
// The same for a document of a stream: the caller makes sure that it ends
// where its text does.
bool LeePeticionDirecta(simdjson::ondemand::document_reference& doc, Peticion& p);

// The common requests of the pieces cut from `datos` (RellenoJson readable
// after the last), read as one stream of documents: one pass finds the
// tokens of them all. A document counts only when it begins where its piece
// does and the next one where the next piece does, so that it holds its
// piece and nothing else; any other piece is left to be read on its own, as
// is the last, whose end is not known, and the pieces of an array.
class FlujoPeticiones {
  public:
    FlujoPeticiones(const char* datos, const std::vector<Pieza>& piezas, FormaFlujo forma,
                    simdjson::ondemand::parser& parser);
    // Piece i as a common request, the pieces taken in order.
    bool Lee(std::size_t i, Peticion& p);

  private:
    std::size_t Inicio(std::size_t i) const;

    const char* datos_;
    const std::vector<Pieza>& piezas_;
    std::size_t base_ = 0;
    bool vivo_ = false;
    simdjson::ondemand::document_stream flujo_;
    simdjson::ondemand::document_stream::iterator it_;
};
