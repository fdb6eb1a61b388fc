#pragma once

#include <simdjson.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Strict JSON reading through simdjson: RFC 8259, UTF-8 checked. On top of
// simdjson, numbers read as std::from_chars reads them (integers of any
// length and -0 included), and an object that names a key twice is refused.
// Standard C++ and simdjson only, for the calculator's requests and for any
// other document of the program.

// The longest value read: a request with the longest series is about a
// megabyte, even pretty-printed.
inline constexpr std::size_t MaximoJson = std::size_t{8} << 20;
// Bytes readable after a text handed over with its padding.
inline constexpr std::size_t RellenoJson = simdjson::SIMDJSON_PADDING;
// A number's text no longer than this is read lazily; a double needs 17
// significant digits, and a sign, point and exponent come on top.
inline constexpr std::size_t MaxCifrasDirectas = 24;

// A member looked up, or the error of its absence.
using ValorJson = simdjson::simdjson_result<simdjson::dom::element>;

// A null value counts as absent, so a script may blank a field.
inline bool Presente(const ValorJson& v)
{
    return !v.error() && !v.is_null();
}

// A JSON number as a double; integers read as doubles too.
template <class V> std::optional<double> NumeroJson(const V& v)
{
    double d = 0;
    if (v.get_double().get(d) != simdjson::SUCCESS)
        return std::nullopt;
    return d;
}

// Why a text is not JSON the reader takes: the program words it in its
// own language, the calculator in English (Ingles).
enum class CausaJson : std::uint8_t {
    Ninguna,
    Utf8,
    Control,
    Cadena,
    Escape,
    Profundidad,
    Vacio,
    NanInf,
    Rango,      // muestra: the number
    NumeroMalo, // muestra: the word
    Inesperado, // muestra: the word
    Abierto,
    Puntuacion,
    Repetida, // muestra: the key
};
struct MotivoJson {
    CausaJson causa = CausaJson::Ninguna;
    std::string muestra; // the start of the text at fault, valid UTF-8
};
std::string Ingles(const MotivoJson& m);

class LectorJson {
  public:
    enum class Lectura : std::uint8_t {
        Bien,
        Malformado, // not JSON at all: nothing after it can be trusted
        Repetida,   // well-formed, but an object names a key twice
    };

    // Reads `texto` as one JSON value. With `relleno`, RellenoJson bytes
    // after the text may be read, which spares a copy.
    Lectura Lee(std::string_view texto, bool relleno = false);
    // The value read; it lives until the next Lee.
    simdjson::dom::element Valor() const { return valor_; }
    // Why the last Lee failed, in a few words.
    const std::string& Motivo() const { return motivo_; }
    const MotivoJson& Por() const { return por_; }
    // The same text read lazily, straight into the caller's structures; it
    // checks less on its own, so a caller takes it only for a text it reads
    // to the end and falls back on Lee for anything it does not know.
    simdjson::ondemand::parser& Directo() { return directo_; }
    // For a run of such texts read as one stream.
    simdjson::ondemand::parser& Flujo() { return flujo_; }

  private:
    bool Repetida(simdjson::dom::element v);

    simdjson::dom::parser parser_;
    simdjson::ondemand::parser directo_, flujo_;
    simdjson::dom::element valor_;
    std::string copia_;
    std::string motivo_;
    MotivoJson por_;
    std::vector<std::string_view> claves_;
};
