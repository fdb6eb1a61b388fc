#include "calc/Respuesta.h"

#include "calc/Calculadora.h"
#include "model/BalanceAguacero.h"
#include "model/Relaciones.h"

void EscribeFallo(Escritor& e, const FalloPeticion& f)
{
    e.AbreObjeto();
    e.Clave("error");
    e.AbreObjeto();
    e.Entero("id", f.id);
    e.Clave("field");
    e.Texto(f.campo);
    if (f.zona)
        e.Entero("zone", f.zona);
    if (f.aguacero)
        e.Entero("storm", f.aguacero);
    if (f.mes)
        e.Entero("month", f.mes);
    if (f.columna)
        e.Entero("column", f.columna);
    if (f.linea)
        e.Entero("line", f.linea);
    if (!f.motivo.empty()) {
        e.Clave("message");
        e.Texto(f.motivo);
    }
    e.CierraObjeto();
    e.CierraObjeto();
}

void EscribeSitio(Escritor& e, const SiteState& s, const ResultadoModelo& r)
{
    const bool completado = r.desenlace == Desenlace::Completado;
    e.AbreObjeto();
    e.Clave("outcome");
    e.Texto(completado ? "completed" : "abandoned");
    e.Logico("capacityCheck", r.comprobacionCapacidad);
    e.Logico("beep", r.pitido);
    e.Lista("NAC", s.NAC.v);
    e.Lista("NI", s.NI.v);
    e.Lista("NR", s.NR.v);
    e.Lista("N", s.N.v);
    e.Lista("P0AC", s.P0AC.v);
    e.Lista("P0I", s.P0I.v);
    e.Lista("P0R", s.P0R.v);
    e.Lista("P0", s.P0.v);
    // An abandoned run stops before the unit's thresholds.
    if (completado) {
        e.Lista("P0US", s.P0US.v);
        e.Lista("NUS", s.NUS.v);
    }
    e.Logico("NRMayorNI", s.NRMayorNI);
    e.Numero("CAPA", s.CAPA);
    if (s.NRMayorNI) {
        e.Lista("CapaMinCond", s.CapaMinCond.v);
        e.Numero("CapaMinima", s.CapaMinima);
    }
    if (completado) {
        e.Clave("relations");
        e.AbreLista();
        for (const FilaRelacion& f : Relaciones(s)) {
            e.AbreObjeto();
            e.Clave("relation");
            e.Texto(f.relacion);
            e.Entero("text", f.texto);
            e.CierraObjeto();
        }
        e.CierraLista();
        e.Entero("verdict", Veredicto(s));
    }
    e.CierraObjeto();
}

void EscribeAguacero(Escritor& e, const ScenarioResults& r, double SIxP)
{
    e.AbreObjeto();
    e.Numero("PSinSist", r.PSinSist);
    e.Numero("PMaxImperm", r.PMaxImperm);
    e.Numero("PMaxAlcorque", r.PMaxAlcorque);
    e.Numero("CapaLibre", r.CapaLibre);
    e.Numero("PBanqueta", r.PBanqueta);
    e.Numero("EscMedia", r.EscMedia);
    e.Numero("CapaNecesaria", r.CapaNecesaria);
    e.Numero("AlturaRepresas", r.AlturaRepresas);
    e.Numero("PImpluvio", r.PImpluvio);
    e.Numero("PPromedio", r.PPromedio);
    e.Numero("SIxP", SIxP);
    e.CierraObjeto();
}

void EscribeSerie(Escritor& e, const TotalesSerie& t, int numAguaceros, double alturaRepresas,
                  const std::array<double, 9>& resumen)
{
    e.AbreObjeto();
    e.Entero("NumAguaceros", numAguaceros);
    e.Entero("NumEscLadera", t.NumEscLadera);
    e.Entero("NumEscImpluvio", t.NumEscImpluvio);
    e.Entero("NumFuera", t.NumFuera);
    e.Lista("Acumulado", t.Acumulado);
    e.Numero("SumaMaxAlcorque", t.SumaMaxAlcorque);
    e.Numero("CapaMaxSerie", t.CapaMaxSerie);
    e.Numero("AlturaRepresas", alturaRepresas);
    e.Lista("ResumenSerie", resumen);
    e.CierraObjeto();
}

void EscribeAnio(Escritor& e, const CalculoAnual& a)
{
    e.AbreObjeto();
    e.Numero("PAnual", a.PAnual);
    e.Numero("PMaxAnual", a.PMaxAnual);
    e.Entero("DiasAnual", a.DiasAnual);
    e.Numero("CapaMinAnual", a.CapaMinAnual);
    e.Clave("months");
    e.AbreLista();
    for (std::size_t m = 0; m < 12; ++m) {
        e.AbreObjeto();
        e.Numero("PMes", a.datos.PMes[m]);
        e.Numero("PMaxDia", a.datos.PMaxDia[m]);
        e.Numero("NDias", a.datos.NDias[m]);
        e.Numero("PV1", a.PV1[m]);
        e.Numero("N1", a.N1[m]);
        e.Numero("PV2", a.PV2[m]);
        e.Numero("N2", a.N2[m]);
        e.Numero("P5", a.P5[m]);
        e.Numero("J", a.J[m]);
        e.Clave("Dispon");
        e.AbreLista();
        for (std::size_t k = 0; k < 4; ++k)
            e.Numero(a.Dispon[k][m]);
        e.CierraLista();
        e.CierraObjeto();
    }
    e.CierraLista();
    e.CierraObjeto();
}

void EscribeSinId(std::string& salida, std::string motivo)
{
    FalloPeticion f;
    f.motivo = std::move(motivo);
    Escritor e(salida);
    EscribeFallo(e, f);
}

bool Responde(const simdjson::dom::element& peticion, std::string& salida)
{
    if (!peticion.is_object()) {
        EscribeSinId(salida, "a request must be a JSON object");
        return false;
    }
    Peticion p;
    if (const std::optional<FalloPeticion> f = LeePeticion(peticion, p)) {
        Escritor e(salida);
        EscribeFallo(e, *f);
        return false;
    }
    Contesta(p, salida);
    return true;
}

void Contesta(Peticion& p, std::string& salida)
{
    Escritor e(salida);
    SiteState& s = p.sitio;
    // The capacity check window: confirm what the request says, or close it.
    const ResultadoModelo rm = CalculaSitio(s, p.capacidad);

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
}

std::string FalloDeLectura(std::string_view motivo)
{
    std::string salida;
    EscribeSinId(salida, std::string(motivo));
    salida += '\n';
    return salida;
}
