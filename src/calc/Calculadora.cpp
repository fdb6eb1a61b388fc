#include "calc/Calculadora.h"

#include "calc/Peticion.h"
#include "calc/Respuesta.h"
#include "model/BalanceAguacero.h"
#include "model/ModeloCN.h"

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace {

// Room for a large answer. On Linux the buffer is asked to be backed by huge
// pages: filling many megabytes of fresh 4 KiB pages costs more in page
// faults than writing them.
void Reserva(std::string& s, std::size_t n)
{
    s.reserve(n);
#ifdef __linux__
    constexpr std::uintptr_t enorme = std::uintptr_t{1} << 21;
    if (n >= 4 * enorme) {
        const auto inicio = (reinterpret_cast<std::uintptr_t>(s.data()) + enorme - 1) & ~(enorme - 1);
        const auto fin = (reinterpret_cast<std::uintptr_t>(s.data()) + s.capacity()) & ~(enorme - 1);
        if (fin > inicio)
            madvise(reinterpret_cast<void*>(inicio), fin - inicio, MADV_HUGEPAGE);
    }
#endif
}

void EscribeSinId(std::string& salida, std::string motivo)
{
    FalloPeticion f;
    f.motivo = std::move(motivo);
    Escritor e(salida);
    EscribeFallo(e, f);
}

bool Responde(DocumentoJson::Valor peticion, std::string& salida)
{
    if (!peticion.EsObjeto()) {
        EscribeSinId(salida, "a request must be a JSON object");
        return false;
    }
    Peticion p;
    Escritor e(salida);
    if (const std::optional<FalloPeticion> f = LeePeticion(peticion, p)) {
        EscribeFallo(e, *f);
        return false;
    }

    SiteState& s = p.sitio;
    // The capacity check window: confirm what the request says, or close it.
    const ResultadoModelo rm = EjecutaModelo(s, [&p](SiteState& st) {
        if (p.capacidad) {
            st.CAPA = *p.capacidad;
            st.CapaConfirmada = true;
        }
    });

    e.AbreObjeto();
    e.Clave("site");
    EscribeSitio(e, s, rm);
    if (rm.desenlace == Desenlace::Completado) {
        // Every part starts from clean scenario results, as its window does.
        if (p.aguacero) {
            ScenarioResults r;
            LimpiaResultados(r);
            BalanceAguacero(s, r, p.aguacero->P, p.aguacero->cond);
            e.Clave("storm");
            EscribeAguacero(e, r, s.SI * p.aguacero->P);
        }
        if (p.serie) {
            ScenarioResults r;
            const TotalesSerie t = RecalculaSerie(s, r, *p.serie);
            const int n = static_cast<int>(p.serie->size());
            e.Clave("series");
            EscribeSerie(e, t, n, r.AlturaRepresas, ResumenDeSerie(t, n));
        }
        if (p.caso) {
            CalculoAnual a;
            a.datos = p.datos;
            CalculaAguaceros(a, *p.caso);
            ScenarioResults r;
            BalanceAnual(s, r, a);
            e.Clave("year");
            EscribeAnio(e, a);
        }
    }
    e.CierraObjeto();
    return true;
}

} // namespace

std::string Calcula(std::string_view entrada, int& estado)
{
    std::string salida;
    estado = 0;
    DocumentoJson doc;
    std::string error;
    std::size_t p = 0;
    if (entrada.substr(0, 3) == "\xEF\xBB\xBF")
        p = 3; // a byte order mark some editors write
    p = DocumentoJson::SaltaBlancos(entrada, p);

    // A batch is read and answered one request at a time; any break in the
    // JSON discards the answers so far for a single error.
    bool bien = true;
    if (p == entrada.size()) {
        error = "the input is empty";
        bien = false;
    } else if (entrada[p] != '[') {
        bien = doc.LeeValor(entrada, p, error);
        if (bien && !Responde(doc.Raiz(), salida))
            estado = 2;
    } else {
        // Most answers are a few times longer than their request.
        Reserva(salida, entrada.size() * 6 + 64);
        salida += '[';
        p = DocumentoJson::SaltaBlancos(entrada, p + 1);
        if (p < entrada.size() && entrada[p] == ']') {
            ++p;
        } else {
            for (;;) {
                if (!(bien = doc.LeeValor(entrada, p, error)))
                    break;
                if (!Responde(doc.Raiz(), salida))
                    estado = 2;
                p = DocumentoJson::SaltaBlancos(entrada, p);
                if (p < entrada.size() && entrada[p] == ',') {
                    salida += ',';
                    ++p;
                    continue;
                }
                if (p < entrada.size() && entrada[p] == ']') {
                    ++p;
                    break;
                }
                error = DocumentoJson::ErrorEn(p, "expected ',' or ']'");
                bien = false;
                break;
            }
        }
        salida += ']';
    }
    if (bien && DocumentoJson::SaltaBlancos(entrada, p) != entrada.size()) {
        error = DocumentoJson::ErrorEn(DocumentoJson::SaltaBlancos(entrada, p), "unexpected text after the JSON value");
        bien = false;
    }
    if (!bien) {
        salida.clear();
        EscribeSinId(salida, std::move(error));
        estado = 2;
    }
    salida += '\n';
    return salida;
}

std::string FalloDeLectura(std::string_view motivo)
{
    std::string salida;
    EscribeSinId(salida, std::string(motivo));
    salida += '\n';
    return salida;
}
