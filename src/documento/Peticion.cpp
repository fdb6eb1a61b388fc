#include "documento/Peticion.h"

#include "documento/ArchivoSitio.h"
#include "documento/LectorJson.h"
#include "documento/Meses.h"
#include "model/ModeloCN.h"
#include "model/Numero.h"
#include "model/Rangos.h"
#include "model/Zonas.h"

#include <simdjson.h>

#include <algorithm>
#include <utility>

namespace {

using simdjson::SUCCESS;
using simdjson::dom::array;
using simdjson::dom::element;
// A member looked up, or the error of its absence.
using Valor = simdjson::simdjson_result<element>;

FalloPeticion Sin(std::string_view campo, std::string motivo)
{
    FalloPeticion f;
    f.campo = campo;
    f.motivo = std::move(motivo);
    return f;
}

FalloPeticion Rechazo(int id, std::string_view campo)
{
    FalloPeticion f;
    f.id = id;
    f.campo = campo;
    return f;
}

FalloPeticion DemasiadasZonas()
{
    return Sin("zones", "at most 5 zones");
}

FalloPeticion ZonaMala(std::size_t zona)
{
    FalloPeticion f = Sin("zones", "a zone must be a pair of numbers [area, curve number]");
    f.zona = static_cast<int>(zona) + 1;
    return f;
}

// One storm as its source holds it, unchecked.
struct AguaceroLeido {
    bool objeto = true;
    std::optional<double> P, condicion;
};

// The request's rules, the same whatever holds the request: a JSON text
// (FuenteJson) or the document the windows keep (FuenteDocumento). A source
// says what it holds and refuses only what its own shape cannot carry; the
// checks of the values, and their order, are the windows' and live here.
template <class F> class Reglas {
  public:
    Reglas(const F& f, Peticion& p) : f_(f), p_(p) {}

    std::optional<FalloPeticion> Todo()
    {
        if (auto e = Sitio())
            return e;
        if (f_.HayAguacero())
            if (auto e = Aguacero(f_.Aguacero(), Tormenta::Unica, p_.aguacero.emplace()))
                return e;
        if (f_.HaySerie())
            if (auto e = Serie())
                return e;
        if (f_.HayAnio())
            return Anio();
        return std::nullopt;
    }

  private:
    std::optional<FalloPeticion> Sitio()
    {
        if (auto e = f_.Sitio())
            return e;
        // The data check first asks for the five numbers, then their ranges
        // in the entry window's order, which is not the order of the fields.
        static constexpr std::string_view campos[5] = {"NAC", "SI", "SR", "NR", "CAPA"};
        double valor[5] = {};
        for (int i = 0; i < 5; ++i) {
            const std::optional<double> d = f_.Dato(campos[i]);
            if (!d)
                return Sin(campos[i], std::string(campos[i]) + " is missing or not a number");
            valor[i] = *d;
        }
        const DatosSitio datos{.NAC = valor[0], .SI = valor[1], .SR = valor[2], .NR = valor[3], .CAPA = valor[4]};
        if (const std::optional<FueraDeRango> f = CompruebaSitio(datos))
            return Rechazo(f->mensaje, NombreCampo(f->campo));
        PonSitio(p_.sitio, datos);
        if (auto e = Contribuyente())
            return e;
        return Capacidad();
    }

    std::optional<FalloPeticion> Contribuyente()
    {
        const bool ni = f_.Hay("NI"), zonas = f_.Hay("zones");
        if (ni == zonas) {
            if (ni)
                return Sin("zones", "give either NI or zones, not both");
            return Sin("NI", "give the contributing area as NI or as zones");
        }
        SiteState& s = p_.sitio;
        if (ni) {
            const std::optional<double> d = f_.Dato("NI");
            if (!d)
                return Sin("NI", "NI is not a number");
            if (const std::optional<FueraDeRango> f = CompruebaNI(*d))
                return Rechazo(f->mensaje, NombreCampo(f->campo));
            s.NI(2) = *d;
            return std::nullopt;
        }
        std::vector<CeldaZona> celdas;
        if (auto e = f_.Zonas(celdas))
            return e;
        for (std::size_t z = 0; z < celdas.size(); ++z)
            if (!celdas[z].area || !celdas[z].numero)
                return ZonaMala(z);
        if (const std::optional<FalloZona> fz = PasoZonas(s, celdas)) {
            // Every cell is a number here, so the pass always names a message.
            FalloPeticion f = Rechazo(fz->mensaje, "zones");
            f.zona = fz->zona;
            if (f.id == 0)
                f.motivo = "a zone is incomplete";
            return f;
        }
        return std::nullopt;
    }

    std::optional<FalloPeticion> Capacidad()
    {
        if (!f_.Hay("capacity"))
            return std::nullopt;
        const std::optional<double> d = f_.Dato("capacity");
        if (!d || !CapacidadValida(*d))
            return Sin("capacity", "capacity must be a number >= 0 and < 10000");
        const std::optional<double> guardada = CapacidadConfirmada(*d);
        if (!guardada)
            return Sin("capacity", "capacity rounds to 10000.0, which the capacity check refuses");
        p_.capacidad = *guardada;
        return std::nullopt;
    }

    // Depth and condition of one storm, checked as its window checks them.
    static std::optional<FalloPeticion> Aguacero(const AguaceroLeido& l, Tormenta t, ::Aguacero& a)
    {
        if (!l.objeto)
            return Sin(t == Tormenta::Unica ? "storm" : "series",
                       t == Tormenta::Unica ? "storm must be an object" : "a storm must be an object");
        if (!l.P)
            return Sin("P", "P is missing or not a number");
        if (const std::optional<FueraDeRango> f = CompruebaAguacero(*l.P, t))
            return Rechazo(f->mensaje, NombreCampo(f->campo));
        const int c = UnoATres(l.condicion);
        if (c == 0)
            return Sin("condition", "condition must be 1, 2 or 3");
        a.P = *l.P;
        a.cond = c;
        return std::nullopt;
    }

    std::optional<FalloPeticion> Serie()
    {
        std::vector<::Aguacero>& serie = p_.serie.emplace();
        return f_.Serie(serie, [&serie](std::size_t i, const AguaceroLeido& l) {
            std::optional<FalloPeticion> f = Aguacero(l, Tormenta::Serie, serie[i]);
            if (f)
                f->aguacero = static_cast<int>(i) + 1;
            return f;
        });
    }

    std::optional<FalloPeticion> Anio()
    {
        if (auto e = f_.Anio())
            return e;
        const int caso = UnoATres(f_.Caso());
        if (caso == 0)
            return Sin("case", "case must be 1, 2 or 3");
        TablaAnual tabla;
        if (auto e = f_.Meses(tabla))
            return e;
        // What typing each cell into the grid would do, then the check of
        // the whole year on what the grid stored.
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
        if (const std::optional<FalloMes> fm = LeeDatos(tabla, p_.datos)) {
            FalloPeticion f = Rechazo(fm->mensaje, "months");
            f.mes = fm->mes;
            f.columna = fm->columna + 1;
            return f;
        }
        p_.caso = static_cast<CasoEscorrentia>(caso);
        return std::nullopt;
    }

    const F& f_;
    Peticion& p_;
};

// A request as JSON: what its shape cannot carry is refused here, with the
// calculator's words.
class FuenteJson {
  public:
    explicit FuenteJson(const element& o) : o_(o), sitio_(o["site"]) {}

    std::optional<FalloPeticion> Sitio() const
    {
        if (!Presente(sitio_))
            return Sin("site", "the site is missing");
        if (!sitio_.is_object())
            return Sin("site", "the site must be an object");
        return std::nullopt;
    }
    bool Hay(std::string_view campo) const { return Presente(sitio_[campo]); }
    std::optional<double> Dato(std::string_view campo) const { return NumeroJson(sitio_[campo]); }

    // Pairs of numbers, up to the first that is not one.
    std::optional<FalloPeticion> Zonas(std::vector<CeldaZona>& celdas) const
    {
        array lista;
        if (sitio_["zones"].get_array().get(lista) != SUCCESS)
            return Sin("zones", "zones must be a list of [area, curve number] pairs");
        if (lista.size() > 5)
            return DemasiadasZonas();
        celdas.reserve(lista.size());
        for (const element z : lista) {
            CeldaZona& c = celdas.emplace_back();
            array par;
            if (z.get_array().get(par) != SUCCESS || par.size() != 2)
                return ZonaMala(celdas.size() - 1);
            c.area = NumeroJson(par.at(0));
            c.numero = NumeroJson(par.at(1));
            if (!c.area || !c.numero)
                return ZonaMala(celdas.size() - 1);
        }
        return std::nullopt;
    }

    bool HayAguacero() const { return Presente(o_["storm"]); }
    AguaceroLeido Aguacero() const { return Lee(o_["storm"]); }

    bool HaySerie() const { return Presente(o_["series"]); }
    template <class G> std::optional<FalloPeticion> Serie(std::vector<::Aguacero>& serie, G cada) const
    {
        array lista;
        if (o_["series"].get_array().get(lista) != SUCCESS)
            return Sin("series", "series must be a list of storms");
        // The series' counts are 16-bit.
        if (lista.size() > MaxAguaceros)
            return Sin("series", "a series holds at most 32767 storms");
        serie.resize(lista.size());
        std::size_t i = 0;
        for (const element item : lista)
            if (std::optional<FalloPeticion> f = cada(i++, Lee(item)))
                return f;
        return std::nullopt;
    }

    bool HayAnio() const { return Presente(o_["year"]); }
    std::optional<FalloPeticion> Anio() const
    {
        if (!o_["year"].is_object())
            return Sin("year", "year must be an object");
        return std::nullopt;
    }
    std::optional<double> Caso() const { return NumeroJson(o_["year"]["case"]); }
    // Twelve rows of three cells, each a number or null.
    std::optional<FalloPeticion> Meses(TablaAnual& tabla) const
    {
        const std::optional<MesesMalos> mala =
            RecorreMeses(o_["year"]["months"], [&tabla](std::size_t m, std::size_t c, double x) {
                tabla[m][c] = x;
                return true;
            });
        if (!mala)
            return std::nullopt;
        if (mala->que == MesesMalos::Que::Lista)
            return Sin("months", "months must be a list of 12 rows");
        FalloPeticion f = Sin("months", "a month must be a row of 3 cells");
        f.mes = static_cast<int>(mala->mes) + 1;
        if (mala->que == MesesMalos::Que::Valor) {
            f.columna = static_cast<int>(mala->columna) + 1;
            f.motivo = "a cell must be a number or null";
        }
        return f;
    }

  private:
    template <class V> static AguaceroLeido Lee(const V& v)
    {
        if (!v.is_object())
            return {.objeto = false, .P = {}, .condicion = {}};
        return {.objeto = true, .P = NumeroJson(v["P"]), .condicion = NumeroJson(v["condition"])};
    }

    element o_;
    Valor sitio_;
};

// The document the windows keep: every value it holds is one a window
// accepted, so only what is missing or out of turn is refused.
class FuenteDocumento {
  public:
    explicit FuenteDocumento(const DocumentoSitio& d) : d_(d) {}

    std::optional<FalloPeticion> Sitio() const { return std::nullopt; }
    bool Hay(std::string_view campo) const
    {
        if (campo == "zones")
            return d_.complejo;
        return Dato(campo).has_value();
    }
    std::optional<double> Dato(std::string_view campo) const
    {
        if (campo == "capacity")
            return d_.capacidad;
        for (std::size_t i = 0; i < CamposDatos.size(); ++i)
            if (campo == NombreCampo(CamposDatos[i]))
                return i == 5 && d_.complejo ? std::nullopt : d_.datos[i];
        return std::nullopt;
    }
    std::optional<FalloPeticion> Zonas(std::vector<CeldaZona>& celdas) const
    {
        if (d_.zonas.size() > 5)
            return DemasiadasZonas();
        celdas = d_.zonas;
        return std::nullopt;
    }

    bool HayAguacero() const { return d_.PAguacero || d_.CondAguacero != 0; }
    AguaceroLeido Aguacero() const
    {
        return {.objeto = true, .P = d_.PAguacero, .condicion = Condicion(d_.CondAguacero)};
    }

    // A trailing storm with no condition is one not yet entered.
    bool HaySerie() const { return Entrados() > 0; }
    template <class G> std::optional<FalloPeticion> Serie(std::vector<::Aguacero>& serie, G cada) const
    {
        const std::size_t n = Entrados();
        serie.resize(n);
        for (std::size_t i = 0; i < n; ++i)
            if (std::optional<FalloPeticion> f =
                    cada(i, AguaceroLeido{.objeto = true, .P = d_.serie[i].P, .condicion = d_.serie[i].cond}))
                return f;
        return std::nullopt;
    }

    // The year counts once a month's cell holds something.
    bool HayAnio() const
    {
        return std::any_of(d_.meses.begin(), d_.meses.end(), [](const auto& fila) {
            return std::any_of(fila.begin(), fila.end(), [](const Celda& c) { return c.has_value(); });
        });
    }
    std::optional<FalloPeticion> Anio() const { return std::nullopt; }
    std::optional<double> Caso() const { return d_.caso; }
    std::optional<FalloPeticion> Meses(TablaAnual& tabla) const
    {
        tabla = d_.meses;
        return std::nullopt;
    }

  private:
    static std::optional<double> Condicion(int c) { return c != 0 ? std::optional<double>(c) : std::nullopt; }
    std::size_t Entrados() const
    {
        std::size_t n = d_.serie.size();
        while (n > 0 && d_.serie[n - 1].cond == 0)
            --n;
        return n;
    }

    const DocumentoSitio& d_;
};

} // namespace

void PonSitio(SiteState& s, const DatosSitio& d)
{
    s.NAC(2) = d.NAC;
    s.SI = d.SI;
    s.SR = d.SR;
    s.NR(2) = d.NR;
    s.CAPA = d.CAPA;
}

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
    const FuenteJson f(o);
    return Reglas<FuenteJson>(f, p).Todo();
}

std::optional<FalloPeticion> PeticionDeDocumento(const DocumentoSitio& d, Peticion& p)
{
    const FuenteDocumento f(d);
    return Reglas<FuenteDocumento>(f, p).Todo();
}
