// Any bytes as a calculator request: every input gets one line of valid JSON
// and an exit status of 0 or 2, whatever the computation behind it does.
#include "Exige.h"
#include "calc/Calculadora.h"
#include "calc/Peticion.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n)
{
    int estado = -1;
    const std::string salida = Calcula(std::string_view(reinterpret_cast<const char*>(datos), n), estado);
    EXIGE(estado == 0 || estado == 2);
    EXIGE(!salida.empty() && salida.back() == '\n');
    EXIGE(salida.find('\n') == salida.size() - 1);

    DocumentoJson doc;
    std::size_t pos = 0;
    std::string error;
    EXIGE(doc.LeeValor(salida, pos, error));
    EXIGE(DocumentoJson::SaltaBlancos(salida, pos) == salida.size());
    return 0;
}
