// The lazy reading of the common request: a fast path of LeePeticion, which
// reads what it knows straight into the request and leaves the rest, and
// every doubt, to the whole reading.
#include "documento/LectorJson.h"
#include "documento/Peticion.h"
#include "model/ModeloCN.h"
#include "model/Rangos.h"

#include <simdjson.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace {

namespace od = simdjson::ondemand;

// The keys read directly, one bit each: a second sight of one is left to
// the whole reading, which refuses it.
enum Clave : std::uint16_t {
    kNAC = 1 << 0,
    kSI = 1 << 1,
    kSR = 1 << 2,
    kNR = 1 << 3,
    kCAPA = 1 << 4,
    kNI = 1 << 5,
    kCapacidad = 1 << 6,
    kP = 1 << 7,
    kCondicion = 1 << 8,
    kSitio = 1 << 9,
    kAguacero = 1 << 10,
};

// The key as written, its closing quote included: a key with an escape
// never matches and goes the long way. The text is padded, so reading a
// few bytes past a short key is safe.
bool Es(const char* k, std::string_view nombre)
{
    return std::memcmp(k, nombre.data(), nombre.size()) == 0 && k[nombre.size()] == '"';
}

struct Directa {
    double v[9] = {};
    std::uint16_t vistas = 0;

    // The members of an object, each a number under a known key. The
    // fields are read through their results: a copy of each costs more
    // than the rest of the reading.
    template <class F> bool Numeros(od::object& o, F clave)
    {
        for (auto campo : o) {
            od::raw_json_string k;
            if (campo.key().get(k) != simdjson::SUCCESS)
                return false;
            const Clave c = clave(k.raw());
            if (!c || (vistas & c))
                return false;
            vistas |= c;
            auto valor = campo.value();
            // The lazy number reader can go wrong on long digit runs
            // (0.1111…1 of 57 digits read as 1e-38): those go the whole way.
            std::string_view crudo;
            if (valor.raw_json_token().get(crudo) != simdjson::SUCCESS || crudo.size() > MaxCifrasDirectas)
                return false;
            if (valor.get_double().get(v[std::countr_zero(static_cast<unsigned>(c))]) != simdjson::SUCCESS)
                return false;
        }
        return true;
    }
};

// The root object of a common request into `d`; the checks and the filling
// of the request come after, once the whole text is known to be right.
template <class Documento> bool Recorre(Documento& doc, Directa& d)
{
    od::object raiz;
    if (doc.get_object().get(raiz) != simdjson::SUCCESS)
        return false;
    for (auto campo : raiz) {
        od::raw_json_string clave;
        od::object o;
        if (campo.key().get(clave) != simdjson::SUCCESS)
            return false;
        const char* k = clave.raw();
        if (Es(k, "site") && !(d.vistas & kSitio)) {
            d.vistas |= kSitio;
            if (campo.value().get_object().get(o) != simdjson::SUCCESS || !d.Numeros(o, [](const char* c) {
                    return Es(c, "NAC")        ? kNAC
                           : Es(c, "SI")       ? kSI
                           : Es(c, "SR")       ? kSR
                           : Es(c, "NR")       ? kNR
                           : Es(c, "CAPA")     ? kCAPA
                           : Es(c, "NI")       ? kNI
                           : Es(c, "capacity") ? kCapacidad
                                               : Clave{};
                }))
                return false;
        } else if (Es(k, "storm") && !(d.vistas & kAguacero)) {
            d.vistas |= kAguacero;
            if (campo.value().get_object().get(o) != simdjson::SUCCESS || !d.Numeros(o, [](const char* c) {
                    return Es(c, "P") ? kP : Es(c, "condition") ? kCondicion : Clave{};
                }))
                return false;
        } else {
            return false;
        }
    }
    return true;
}

// The same checks as the whole reading, which alone says why they fail.
bool Rellena(const Directa& d, Peticion& p)
{
    constexpr std::uint16_t sitio = kSitio | kNAC | kSI | kSR | kNR | kCAPA | kNI;
    if ((d.vistas & sitio) != sitio)
        return false;
    const double* v = d.v;
    const DatosSitio datos{.NAC = v[0], .SI = v[1], .SR = v[2], .NR = v[3], .CAPA = v[4]};
    if (CompruebaSitio(datos) || CompruebaNI(v[5]))
        return false;
    std::optional<double> capacidad;
    if (d.vistas & kCapacidad) {
        capacidad = CapacidadConfirmada(v[6]);
        if (!capacidad)
            return false;
    }
    const std::uint16_t aguacero = d.vistas & (kAguacero | kP | kCondicion);
    if (aguacero && aguacero != (kAguacero | kP | kCondicion))
        return false;
    if (aguacero && (CompruebaAguacero(v[7], Tormenta::Unica) || UnoATres(v[8]) == 0))
        return false;

    SiteState& s = p.sitio;
    PonSitio(s, datos);
    s.NI(2) = v[5];
    p.capacidad = capacidad;
    p.aguacero.reset();
    if (aguacero)
        p.aguacero = Aguacero{.P = v[7], .cond = static_cast<int>(v[8])};
    return true;
}

} // namespace

bool LeePeticionDirecta(od::parser& parser, std::string_view texto, Peticion& p)
{
    od::document doc;
    const simdjson::padded_string_view relleno(texto.data(), texto.size(), texto.size() + RellenoJson);
    if (parser.iterate(relleno).get(doc) != simdjson::SUCCESS)
        return false;
    Directa d;
    // Nothing may follow the object.
    return Recorre(doc, d) && doc.current_location().error() == simdjson::OUT_OF_BOUNDS && Rellena(d, p);
}

bool LeePeticionDirecta(od::document_reference& doc, Peticion& p)
{
    Directa d;
    return Recorre(doc, d) && Rellena(d, p);
}

namespace {
// The longest run of pieces read as one stream.
constexpr std::size_t LargoFlujo = std::size_t{256} << 10;
} // namespace

FlujoPeticiones::FlujoPeticiones(const char* datos, const std::vector<Pieza>& piezas, FormaFlujo forma,
                                 od::parser& parser)
    : datos_(datos), piezas_(piezas)
{
    if (forma == FormaFlujo::Lista || piezas.empty())
        return;
    for (const Pieza& p : piezas)
        if (!p.error.empty())
            return;
    base_ = piezas.front().inicio;
    const std::size_t largo = piezas.back().inicio + piezas.back().largo - base_;
    if (largo > LargoFlujo)
        return;
    // The stream's parser takes new room whenever the batch size changes: it
    // keeps what it has, or grows by powers of two, so that it settles.
    const std::size_t lote = std::max(parser.capacity(), std::bit_ceil(largo));
    vivo_ = parser.iterate_many(datos + base_, largo, lote).get(flujo_) == simdjson::SUCCESS;
    if (vivo_)
        it_ = flujo_.begin();
}

bool FlujoPeticiones::Lee(std::size_t i, Peticion& p)
{
    if (!vivo_ || !(it_ != flujo_.end()) || it_.current_index() != Inicio(i)) {
        vivo_ = false;
        return false;
    }
    od::document_reference doc;
    if ((*it_).get(doc) != simdjson::SUCCESS) {
        vivo_ = false;
        return false;
    }
    // A document that is not a common request may be malformed, which leaves
    // the stream unable to go on: the rest are read on their own.
    if (!LeePeticionDirecta(doc, p)) {
        vivo_ = false;
        return false;
    }
    ++it_;
    return i + 1 < piezas_.size() && it_ != flujo_.end() && it_.current_index() == Inicio(i + 1);
}

std::size_t FlujoPeticiones::Inicio(std::size_t i) const
{
    const Pieza& p = piezas_[i];
    std::size_t j = p.inicio;
    while (j < p.inicio + p.largo && (datos_[j] == ' ' || datos_[j] == '\t' || datos_[j] == '\r'))
        ++j;
    return j - base_;
}
