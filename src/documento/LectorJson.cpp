#include "documento/LectorJson.h"

#include "documento/Lexico.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

using namespace lexico;
using simdjson::SUCCESS;
constexpr std::size_t npos = std::string_view::npos;
// The parsers take room as the values they read need it, so that a reader
// made for a few small values costs little; room over this is given back
// after a larger value.
constexpr std::size_t CapacidadHabitual = std::size_t{64} << 10;

// Calls f on every bare word outside strings until f returns false.
template <class F> void Palabras(std::string_view t, F f)
{
    for (std::size_t i = 0; i < t.size();) {
        if (t[i] == '"') {
            i = FinDeTexto(t, i);
            if (i == npos)
                return;
        } else if (Blanco(t[i]) || Puntuacion(t[i])) {
            ++i;
        } else {
            std::size_t j = i;
            while (j < t.size() && !Blanco(t[j]) && !Puntuacion(t[j]))
                ++j;
            if (!f(t.substr(i, j - i)))
                return;
            i = j;
        }
    }
}

// The digits of a JSON integer, or 0 when the word is none.
std::size_t DigitosEntero(std::string_view w)
{
    const std::size_t signo = !w.empty() && w[0] == '-' ? 1 : 0;
    const std::size_t n = w.size() - signo;
    if (n == 0 || (n > 1 && w[signo] == '0'))
        return 0;
    for (std::size_t i = signo; i < w.size(); ++i)
        if (!Digito(w[i]))
            return 0;
    return n;
}

// The word is a number as JSON writes them.
bool NumeroJson(std::string_view w)
{
    std::size_t i = !w.empty() && w[0] == '-' ? 1 : 0;
    auto digitos = [&] {
        const std::size_t d = i;
        while (i < w.size() && Digito(w[i]))
            ++i;
        return i - d;
    };
    const std::size_t entero = i;
    const std::size_t n = digitos();
    if (n == 0 || (n > 1 && w[entero] == '0'))
        return false;
    if (i < w.size() && w[i] == '.' && (++i, digitos() == 0))
        return false;
    if (i < w.size() && (w[i] == 'e' || w[i] == 'E')) {
        ++i;
        if (i < w.size() && (w[i] == '+' || w[i] == '-'))
            ++i;
        if (digitos() == 0)
            return false;
    }
    return i == w.size();
}

// A bit of 64 for a key, from its length and its ends.
std::uint64_t Marca(std::string_view k)
{
    if (k.empty())
        return 1;
    const auto u = [](char c) { return static_cast<unsigned>(static_cast<unsigned char>(c)); };
    return std::uint64_t{1} << ((k.size() + 7 * u(k[0]) + 3 * u(k.back())) & 63);
}

// Up to n bytes of a valid UTF-8 text, not cutting a character.
std::string Muestra(std::string_view w, std::size_t n = 24)
{
    if (w.size() <= n)
        return std::string(w);
    while (n > 0 && (static_cast<unsigned char>(w[n]) & 0xC0) == 0x80)
        --n;
    return std::string(w.substr(0, n)) + "...";
}

// simdjson reads an integer in 64 bits or not at all, and -0 as 0. Written
// with a fraction they read as the double std::from_chars gives.
bool ConFraccion(std::string_view t, std::string& copia)
{
    copia.clear();
    std::size_t hecho = 0;
    Palabras(t, [&](std::string_view w) {
        if (DigitosEntero(w) >= 19 || w == "-0") {
            const auto fin = static_cast<std::size_t>(w.data() - t.data()) + w.size();
            copia.append(t.substr(hecho, fin - hecho)).append(".0");
            hecho = fin;
        }
        return true;
    });
    if (hecho == 0)
        return false;
    copia.append(t.substr(hecho));
    return true;
}

using Causa = CausaJson;

// What is wrong with a bare word, or nothing.
MotivoJson PalabraMala(std::string_view w)
{
    if (w == "true" || w == "false" || w == "null")
        return {};
    std::string sin(w.substr(w[0] == '-' ? 1 : 0, 3));
    for (char& c : sin)
        c = static_cast<char>(c | 0x20);
    if (sin == "nan" || sin == "inf")
        return {Causa::NanInf, {}};
    if (NumeroJson(w)) {
        if (std::isinf(std::strtod(std::string(w).c_str(), nullptr)))
            return {Causa::Rango, Muestra(w)};
        return {};
    }
    if (w[0] == '-' || Digito(w[0]))
        return {Causa::NumeroMalo, Muestra(w)};
    return {Causa::Inesperado, Muestra(w)};
}

// Brackets outside strings nested deeper than simdjson reads, or left open.
MotivoJson Corchetes(std::string_view t)
{
    std::size_t profundidad = 0, maxima = 0;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i] == '"') {
            i = FinDeTexto(t, i);
            if (i == npos)
                return {};
            --i;
        } else if (t[i] == '{' || t[i] == '[') {
            maxima = std::max(maxima, ++profundidad);
        } else if ((t[i] == '}' || t[i] == ']') && profundidad > 0) {
            --profundidad;
        }
    }
    if (maxima > simdjson::DEFAULT_MAX_DEPTH)
        return {Causa::Profundidad, {}};
    return {profundidad > 0 ? Causa::Abierto : Causa::Ninguna, {}};
}

MotivoJson Explica(simdjson::error_code e, std::string_view t)
{
    switch (e) {
    case simdjson::UTF8_ERROR:
        return {Causa::Utf8, {}};
    case simdjson::UNESCAPED_CHARS:
        return {Causa::Control, {}};
    case simdjson::UNCLOSED_STRING:
        return {Causa::Cadena, {}};
    case simdjson::STRING_ERROR:
        return {Causa::Escape, {}};
    case simdjson::DEPTH_ERROR:
        return {Causa::Profundidad, {}};
    case simdjson::EMPTY:
        return {Causa::Vacio, {}};
    default:
        break;
    }
    MotivoJson por = Corchetes(t);
    if (por.causa != Causa::Ninguna)
        return por;
    Palabras(t, [&](std::string_view w) {
        por = PalabraMala(w);
        return por.causa == Causa::Ninguna;
    });
    if (por.causa != Causa::Ninguna)
        return por;
    return {Causa::Puntuacion, {}};
}

} // namespace

std::string Ingles(const MotivoJson& m)
{
    switch (m.causa) {
    case Causa::Ninguna:
        return {};
    case Causa::Utf8:
        return "the text is not valid UTF-8";
    case Causa::Control:
        return "a control character in a string";
    case Causa::Cadena:
        return "an unterminated string";
    case Causa::Escape:
        return "a bad escape in a string";
    case Causa::Profundidad:
        return "nested too deeply";
    case Causa::Vacio:
        return "no value";
    case Causa::NanInf:
        return "NaN and Infinity are not JSON numbers";
    case Causa::Rango:
        return "a number beyond the range of a double: " + m.muestra;
    case Causa::NumeroMalo:
        return "a malformed number: " + m.muestra;
    case Causa::Inesperado:
        return "unexpected text: " + m.muestra;
    case Causa::Abierto:
        return "a bracket or brace left open";
    case Causa::Puntuacion:
        return "a missing or stray comma, colon, quote, bracket or brace";
    case Causa::Repetida:
        return "the key \"" + m.muestra + "\" appears twice in one object";
    }
    return {};
}

LectorJson::Lectura LectorJson::Lee(std::string_view texto, bool relleno)
{
    motivo_.clear();
    por_ = {};
    if (parser_.capacity() > 16 * CapacidadHabitual && texto.size() <= CapacidadHabitual)
        parser_ = simdjson::dom::parser();
    simdjson::error_code e = parser_.parse(texto.data(), texto.size(), !relleno).get(valor_);
    // A plain "-0" only costs a second look at the text.
    const bool menosCero = e == SUCCESS && texto.find("-0") != npos;
    if ((e == simdjson::NUMBER_ERROR || menosCero) && ConFraccion(texto, copia_)) {
        const std::size_t n = copia_.size();
        copia_.append(RellenoJson, ' ');
        e = parser_.parse(copia_.data(), n, false).get(valor_);
    }
    if (e == simdjson::MEMALLOC)
        throw std::bad_alloc();
    if (e != SUCCESS) {
        por_ = Explica(e, texto);
        motivo_ = Ingles(por_);
        return Lectura::Malformado;
    }
    return Repetida(valor_) ? Lectura::Repetida : Lectura::Bien;
}

bool LectorJson::Repetida(simdjson::dom::element v)
{
    const auto contenedor = [](const simdjson::dom::element& e) { return e.is_array() || e.is_object(); };
    const auto avisa = [this](std::string_view clave) {
        por_ = {CausaJson::Repetida, Muestra(clave, 64)};
        motivo_ = Ingles(por_);
        return true;
    };
    simdjson::dom::array lista;
    if (v.get_array().get(lista) == SUCCESS) {
        for (const simdjson::dom::element e : lista)
            if (contenedor(e) && Repetida(e))
                return true;
        return false;
    }
    simdjson::dom::object objeto;
    if (v.get_object().get(objeto) != SUCCESS)
        return false;
    // Requests have a handful of keys, checked on the spot; a long object is
    // sorted after. A key whose length and ends mark a bit not yet set is
    // new without comparing it to any other.
    constexpr std::size_t Pocas = 16;
    struct Clave {
        const char* p;
        std::size_t n;
    } pocas[Pocas]; // left unset: filled as they come
    std::size_t n = 0;
    std::uint64_t vistas = 0;
    for (const simdjson::dom::key_value_pair kv : objeto) {
        if (n < Pocas) {
            const std::string_view k = kv.key;
            const std::uint64_t bit = Marca(k);
            if (vistas & bit) {
                for (std::size_t i = 0; i < n; ++i)
                    if (pocas[i].n == k.size() && std::memcmp(pocas[i].p, k.data(), k.size()) == 0)
                        return avisa(k);
            }
            vistas |= bit;
            pocas[n] = {k.data(), k.size()};
        }
        ++n;
        if (contenedor(kv.value) && Repetida(kv.value))
            return true;
    }
    if (n <= Pocas)
        return false;
    claves_.clear();
    for (const simdjson::dom::key_value_pair kv : objeto)
        claves_.push_back(kv.key);
    std::sort(claves_.begin(), claves_.end());
    const auto r = std::adjacent_find(claves_.begin(), claves_.end());
    return r != claves_.end() && avisa(*r);
}
