// Any bytes as a site file. A file the program opens is saved and read back
// unchanged, and what the report computes of it is what the calculator
// computes of the saved file: the document's rules and the request's are
// the same rules.
#include "Exige.h"
#include "documento/ArchivoSitio.h"
#include "documento/LectorJson.h"
#include "documento/Peticion.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace {

// What reading a request puts in the site; the rest is computed later.
bool Igual(const SiteState& a, const SiteState& b)
{
    return a.NAC == b.NAC && a.NI == b.NI && a.NR == b.NR && a.SI == b.SI && a.SR == b.SR && a.CAPA == b.CAPA &&
           a.SupZona == b.SupZona && a.NZona == b.NZona && a.SumaSupZonas == b.SumaSupZonas;
}

bool Igual(const FalloPeticion& a, const FalloPeticion& b)
{
    return a.id == b.id && a.campo == b.campo && a.zona == b.zona && a.aguacero == b.aguacero && a.mes == b.mes &&
           a.columna == b.columna && a.motivo == b.motivo;
}

bool Igual(const Peticion& a, const Peticion& b)
{
    return Igual(a.sitio, b.sitio) && a.capacidad == b.capacidad && a.aguacero == b.aguacero && a.serie == b.serie &&
           a.caso == b.caso && a.datos.PMes == b.datos.PMes && a.datos.PMaxDia == b.datos.PMaxDia &&
           a.datos.NDias == b.datos.NDias;
}

// The calculator's request of the saved document, and the report's.
void Compara(const DocumentoSitio& d)
{
    LectorJson lector;
    EXIGE(lector.Lee(EscribeArchivoSitio(d)) == LectorJson::Lectura::Bien);
    Peticion calculadora, informe;
    const std::optional<FalloPeticion> a = LeePeticion(lector.Valor(), calculadora);
    const std::optional<FalloPeticion> b = PeticionDeDocumento(d, informe);
    EXIGE(a.has_value() == b.has_value());
    EXIGE(a ? Igual(*a, *b) : Igual(calculadora, informe));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n)
{
    DocumentoSitio d;
    if (LeeArchivoSitio(std::string_view(reinterpret_cast<const char*>(datos), n), d))
        return 0;
    const std::string guardado = EscribeArchivoSitio(d);
    DocumentoSitio releido;
    EXIGE(!LeeArchivoSitio(guardado, releido));
    EXIGE(releido == d);
    EXIGE(EscribeArchivoSitio(releido) == guardado);

    // The whole document, and each part with the site alone, as the report
    // computes them.
    Compara(d);
    DocumentoSitio sitio = d;
    sitio.PAguacero.reset();
    sitio.CondAguacero = 0;
    sitio.serie.clear();
    sitio.meses = TablaAnual{};
    DocumentoSitio parte = sitio;
    parte.PAguacero = d.PAguacero;
    parte.CondAguacero = d.CondAguacero;
    Compara(parte);
    parte = sitio;
    parte.serie = d.serie;
    Compara(parte);
    parte = sitio;
    parte.meses = d.meses;
    Compara(parte);
    return 0;
}
