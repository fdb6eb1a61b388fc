#include "documento/Peticion.h"

#include "documento/ArchivoSitio.h"
#include "documento/LectorJson.h"
#include "model/ModeloCN.h"
#include "model/Numero.h"
#include "model/Rangos.h"
#include "model/Zonas.h"

#include <simdjson.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <utility>

namespace {

using simdjson::SUCCESS;
using simdjson::dom::array;
using simdjson::dom::element;
// A member looked up, or the error of its absence.
using Valor = simdjson::simdjson_result<element>;

// A moisture condition or runoff case: exactly 1, 2 or 3 (2.0 is 2).
template <class V> std::optional<int> UnoATres(const V& v)
{
    const std::optional<double> d = NumeroJson(v);
    if (!d || !(*d == 1 || *d == 2 || *d == 3))
        return std::nullopt;
    return static_cast<int>(*d);
}

FalloPeticion Sin(std::string_view campo, std::string motivo)
{
    FalloPeticion f;
    f.campo = campo;
    f.motivo = std::move(motivo);
    return f;
}

// Both readings put the checked site data in place the same way.
void PonSitio(SiteState& s, const DatosSitio& d)
{
    s.NAC(2) = d.NAC;
    s.SI = d.SI;
    s.SR = d.SR;
    s.NR(2) = d.NR;
    s.CAPA = d.CAPA;
}

FalloPeticion Rechazo(int id, std::string_view campo)
{
    FalloPeticion f;
    f.id = id;
    f.campo = campo;
    return f;
}

std::optional<FalloPeticion> LeeSitio(const Valor& v, Peticion& p)
{
    if (!Presente(v))
        return Sin("site", "the site is missing");
    if (!v.is_object())
        return Sin("site", "the site must be an object");
    const Valor& o = v;

    // The data check first asks for the five numbers, then their ranges in the
    // entry window's order, which is not the order of the fields.
    static constexpr std::string_view campos[5] = {"NAC", "SI", "SR", "NR", "CAPA"};
    double valor[5] = {};
    for (int i = 0; i < 5; ++i) {
        const std::optional<double> d = NumeroJson(o[campos[i]]);
        if (!d)
            return Sin(campos[i], std::string(campos[i]) + " is missing or not a number");
        valor[i] = *d;
    }
    const DatosSitio datos{.NAC = valor[0], .SI = valor[1], .SR = valor[2], .NR = valor[3], .CAPA = valor[4]};
    if (const std::optional<FueraDeRango> f = CompruebaSitio(datos))
        return Rechazo(f->mensaje, NombreCampo(f->campo));

    SiteState& s = p.sitio;
    PonSitio(s, datos);

    const Valor ni = o["NI"];
    const Valor zonas = o["zones"];
    if (Presente(ni) == Presente(zonas)) {
        if (Presente(ni))
            return Sin("zones", "give either NI or zones, not both");
        return Sin("NI", "give the contributing area as NI or as zones");
    }
    if (Presente(ni)) {
        const std::optional<double> d = NumeroJson(ni);
        if (!d)
            return Sin("NI", "NI is not a number");
        if (const std::optional<FueraDeRango> f = CompruebaNI(*d))
            return Rechazo(f->mensaje, NombreCampo(f->campo));
        s.NI(2) = *d;
    } else {
        array lista;
        if (zonas.get_array().get(lista) != SUCCESS)
            return Sin("zones", "zones must be a list of [area, curve number] pairs");
        if (lista.size() > 5)
            return Sin("zones", "at most 5 zones");
        std::vector<CeldaZona> celdas;
        celdas.reserve(lista.size());
        for (const element z : lista) {
            std::optional<double> area, numero;
            array par;
            if (z.get_array().get(par) == SUCCESS && par.size() == 2) {
                area = NumeroJson(par.at(0));
                numero = NumeroJson(par.at(1));
            }
            if (!area || !numero) {
                FalloPeticion f = Sin("zones", "a zone must be a pair of numbers [area, curve number]");
                f.zona = static_cast<int>(celdas.size()) + 1;
                return f;
            }
            celdas.push_back({area, numero});
        }
        if (const std::optional<FalloZona> fz = PasoZonas(s, celdas)) {
            // Every cell is a number here, so the pass always names a message.
            FalloPeticion f = Rechazo(fz->mensaje, "zones");
            f.zona = fz->zona;
            if (f.id == 0)
                f.motivo = "a zone is incomplete";
            return f;
        }
    }

    const Valor capacidad = o["capacity"];
    if (Presente(capacidad)) {
        const std::optional<double> d = NumeroJson(capacidad);
        if (!d || !CapacidadValida(*d))
            return Sin("capacity", "capacity must be a number >= 0 and < 10000");
        const std::optional<double> guardada = CapacidadConfirmada(*d);
        if (!guardada)
            return Sin("capacity", "capacity rounds to 10000.0, which the capacity check refuses");
        p.capacidad = *guardada;
    }
    return std::nullopt;
}

// Depth and condition of one storm, checked as its window checks them.
std::optional<FalloPeticion> LeeAguacero(const element& o, Tormenta t, Aguacero& a)
{
    const std::optional<double> P = NumeroJson(o["P"]);
    if (!P)
        return Sin("P", "P is missing or not a number");
    if (const std::optional<FueraDeRango> f = CompruebaAguacero(*P, t))
        return Rechazo(f->mensaje, NombreCampo(f->campo));
    const std::optional<int> c = UnoATres(o["condition"]);
    if (!c)
        return Sin("condition", "condition must be 1, 2 or 3");
    a.P = *P;
    a.cond = *c;
    return std::nullopt;
}

std::optional<FalloPeticion> LeeSerie(const Valor& v, Peticion& p)
{
    array lista;
    if (v.get_array().get(lista) != SUCCESS)
        return Sin("series", "series must be a list of storms");
    // The series' counts are 16-bit.
    if (lista.size() > MaxAguaceros)
        return Sin("series", "a series holds at most 32767 storms");
    std::vector<Aguacero>& serie = p.serie.emplace(lista.size());
    std::size_t i = 0;
    for (const element item : lista) {
        std::optional<FalloPeticion> f;
        if (!item.is_object())
            f = Sin("series", "a storm must be an object");
        else
            f = LeeAguacero(item, Tormenta::Serie, serie[i]);
        if (f) {
            f->aguacero = static_cast<int>(i) + 1;
            return f;
        }
        ++i;
    }
    return std::nullopt;
}

std::optional<FalloPeticion> LeeAnio(const Valor& v, Peticion& p)
{
    if (!v.is_object())
        return Sin("year", "year must be an object");
    const Valor& o = v;
    const std::optional<int> caso = UnoATres(o["case"]);
    if (!caso)
        return Sin("case", "case must be 1, 2 or 3");

    // Shape first: twelve rows of three cells, each a number or null.
    array meses;
    if (o["months"].get_array().get(meses) != SUCCESS || meses.size() != 12)
        return Sin("months", "months must be a list of 12 rows");
    TablaAnual tabla;
    int mes = 0;
    for (const element fila : meses) {
        FalloPeticion f = Sin("months", "");
        f.mes = mes + 1;
        array celdas;
        if (fila.get_array().get(celdas) != SUCCESS || celdas.size() != 3) {
            f.motivo = "a month must be a row of 3 cells";
            return f;
        }
        int c = 0;
        for (const element celda : celdas) {
            if (celda.is_null()) {
                ++c;
                continue;
            }
            const std::optional<double> d = NumeroJson(celda);
            if (!d) {
                f.columna = c + 1;
                f.motivo = "a cell must be a number or null";
                return f;
            }
            tabla[static_cast<std::size_t>(mes)][static_cast<std::size_t>(c)] = d;
            ++c;
        }
        ++mes;
    }

    // What typing each cell into the grid would do, then the check of the
    // whole year on what the grid stored.
    for (int m = 0; m < 12; ++m) {
        for (int c = 0; c < 3; ++c) {
            Celda& celda = tabla[static_cast<std::size_t>(m)][static_cast<std::size_t>(c)];
            if (!celda)
                continue;
            const ChequeoCelda ch = ValidaCelda(c, celda);
            if (!ch.aceptada) {
                FalloPeticion f = Rechazo(ch.mensaje, "months");
                f.mes = m + 1;
                f.columna = c + 1;
                return f;
            }
            celda = ch.valor;
        }
    }
    if (const std::optional<FalloMes> fm = LeeDatos(tabla, p.datos)) {
        FalloPeticion f = Rechazo(fm->mensaje, "months");
        f.mes = fm->mes;
        f.columna = fm->columna + 1;
        return f;
    }
    p.caso = static_cast<CasoEscorrentia>(*caso);
    return std::nullopt;
}

} // namespace

std::optional<FalloPeticion> LeePeticion(const element& o, Peticion& p)
{
    // A saved site file is a request with its marks.
    if (!o["format"].error()) {
        long long version = 0;
        switch (LeeFormato(o, version)) {
        case Formato::OtroTipo:
            return Sin("format", "not a HIDRELA site file");
        case Formato::Futura:
            return Sin("version", "version " + std::to_string(version) + " of the site file is newer than version " +
                                      std::to_string(VersionSitio) + ", the one read here");
        default:
            break;
        }
    }
    if (std::optional<FalloPeticion> f = LeeSitio(o["site"], p))
        return f;

    const Valor aguacero = o["storm"];
    if (Presente(aguacero)) {
        if (!aguacero.is_object())
            return Sin("storm", "storm must be an object");
        if (std::optional<FalloPeticion> f =
                LeeAguacero(aguacero.value_unsafe(), Tormenta::Unica, p.aguacero.emplace()))
            return f;
    }

    const Valor serie = o["series"];
    if (Presente(serie))
        if (std::optional<FalloPeticion> f = LeeSerie(serie, p))
            return f;

    const Valor anio = o["year"];
    if (Presente(anio))
        if (std::optional<FalloPeticion> f = LeeAnio(anio, p))
            return f;
    return std::nullopt;
}

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
    if (aguacero && (CompruebaAguacero(v[7], Tormenta::Unica) || !(v[8] == 1 || v[8] == 2 || v[8] == 3)))
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
