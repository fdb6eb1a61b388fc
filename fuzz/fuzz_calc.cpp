// Any bytes as calculator input, read as it comes (a sequence or an array)
// and as JSON Lines: the status is 0 or 2, every line of the answer is JSON
// to Qt's reader, not to the one that read the input, an array gets one
// line, and in JSON Lines every line that is not blank gets one answer.
// Requests read lazily answer exactly as when every one is read whole.
//
// An input is read four times, so the work one may ask for is bounded: one
// with many objects (requests, each with its model run and threshold
// search, or the storms of a long series) is set aside unread, and the
// fuzzer tries many short inputs rather than a few long ones.
#include "Exige.h"
#include "calc/Calculadora.h"

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonParseError>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace {

// A few requests, or one with a dozen storms; no seed holds more.
constexpr std::ptrdiff_t MaxObjetos = 16;

// The answer's lines, each checked to be a JSON object or array.
std::size_t Lineas(const std::string& salida)
{
    EXIGE(salida.empty() || salida.back() == '\n');
    std::size_t n = 0;
    for (std::size_t i = 0; i < salida.size(); ++n) {
        const std::size_t f = salida.find('\n', i);
        QJsonParseError error;
        const QJsonDocument doc =
            QJsonDocument::fromJson(QByteArray::fromRawData(salida.data() + i, static_cast<qsizetype>(f - i)), &error);
        if (error.error != QJsonParseError::NoError)
            std::fprintf(stderr, "%s at %d in: %s", qPrintable(error.errorString()), error.offset, salida.c_str());
        EXIGE(error.error == QJsonParseError::NoError);
        EXIGE(doc.isObject() || doc.isArray());
        i = f + 1;
    }
    return n;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n)
{
    // -1: not kept in the corpus.
    if (std::count(datos, datos + n, '{') > MaxObjetos)
        return -1;
    std::string_view texto(reinterpret_cast<const char*>(datos), n);
    int estado = -1;
    const std::string salida = Calcula(texto, estado);
    const std::size_t lineas = Lineas(salida);
    EXIGE(estado == 0 || estado == 2);
    // The common request read lazily answers as when read whole.
    OpcionesCalculo entera;
    entera.directa = false;
    int estadoEntera = -1;
    EXIGE(Calcula(texto, estadoEntera, entera) == salida && estadoEntera == estado);
    EXIGE(lineas >= 1);

    if (texto.starts_with("\xEF\xBB\xBF"))
        texto.remove_prefix(3);
    const std::size_t inicio = texto.find_first_not_of(" \t\r\n");
    if (inicio != std::string_view::npos && texto[inicio] == '[')
        EXIGE(lineas == 1);

    std::size_t llenas = 0;
    for (std::size_t i = 0; i <= texto.size();) {
        const std::size_t f = std::min(texto.find('\n', i), texto.size());
        if (texto.substr(i, f - i).find_first_not_of(" \t\r") != std::string_view::npos)
            ++llenas;
        i = f + 1;
    }
    OpcionesCalculo o;
    o.lineas = true;
    const std::string porLineas = Calcula(std::string_view(reinterpret_cast<const char*>(datos), n), estado, o);
    EXIGE(Lineas(porLineas) == llenas);
    entera.lineas = true;
    EXIGE(Calcula(std::string_view(reinterpret_cast<const char*>(datos), n), estadoEntera, entera) == porLineas &&
          estadoEntera == estado);
    EXIGE(llenas > 0 || estado == 0);
    return 0;
}
