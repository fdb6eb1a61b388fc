#pragma once

#include "model/CalculoAnual.h"
#include "model/DatosMes.h"
#include "model/Serie.h"
#include "model/SiteState.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A parsed JSON value: strict grammar, numbers read with std::from_chars
// (correctly rounded), a number beyond the double range refused. Containers
// are linked lists of nodes in one vector, reused from one value to the next
// so a batch read request by request stays in the cache. Keys point into the text read (or, when they hold escapes,
// into decoded copies kept here): the text must outlive the document.
class DocumentoJson {
  public:
    enum class Tipo : std::uint8_t { Ausente, Nulo, Logico, Numero, Texto, Lista, Objeto };

    struct Nodo {
        Tipo tipo = Tipo::Nulo;
        double numero = 0;
        std::string_view clave;      // name of an object member
        std::uint32_t hijo = 0;      // first child, or 0
        std::uint32_t siguiente = 0; // next sibling, or 0
        std::uint32_t cuenta = 0;    // children of a container
    };

    // A node, or the absent value (a missing key, the end of a container).
    class Valor {
      public:
        Valor() = default;
        Tipo tipo() const { return n_ ? n_->tipo : Tipo::Ausente; }
        // Neither absent nor null: a null counts as left out.
        bool Presente() const { return tipo() != Tipo::Ausente && tipo() != Tipo::Nulo; }
        bool EsNulo() const { return tipo() == Tipo::Nulo; }
        bool EsLista() const { return tipo() == Tipo::Lista; }
        bool EsObjeto() const { return tipo() == Tipo::Objeto; }
        std::optional<double> Numero() const;
        std::uint32_t Tamano() const { return EsLista() || EsObjeto() ? n_->cuenta : 0; }
        // Member of an object (the last of that name, as most readers do).
        Valor operator[](std::string_view clave) const;
        // First child of a container, then the one after each.
        Valor Primero() const;
        Valor Siguiente() const;

      private:
        friend class DocumentoJson;
        Valor(const DocumentoJson* d, std::uint32_t i) : d_(d), n_(i ? &d->nodos_[i] : nullptr) {}
        const DocumentoJson* d_ = nullptr;
        const Nodo* n_ = nullptr;
    };

    // Reads the one value that starts at `pos` (after blanks), in place of
    // what was read before; `pos` ends just past it. On failure says why.
    bool LeeValor(std::string_view texto, std::size_t& pos, std::string& error);
    Valor Raiz() const { return Valor(this, nodos_.size() > 1 ? 1 : 0); }

    // The helpers for reading a batch one request at a time.
    static std::size_t SaltaBlancos(std::string_view t, std::size_t p);
    static std::string ErrorEn(std::size_t pos, std::string_view que);

  private:
    friend class LectorJson;
    std::vector<Nodo> nodos_; // node 0 is unused: index 0 means none
    std::deque<std::string> claves_;
};

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
    std::string motivo;
};

// Checks the request in the order the windows check the same values and fills
// `p`; returns the first failure, if any. Nothing is computed here apart from
// the zone pass, which is part of reading the site.
std::optional<FalloPeticion> LeePeticion(DocumentoJson::Valor o, Peticion& p);
