#include "documento/LectorJson.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

using simdjson::SUCCESS;
constexpr std::size_t npos = std::string_view::npos;
// The parsers take room as the values they read need it, so that a reader
// made for a few small values costs little; room over this is given back
// after a larger value.
constexpr std::size_t CapacidadHabitual = std::size_t{64} << 10;

bool Blanco(char c)
{
    return c == ' ' || c == '\n' || c == '\r' || c == '\t';
}
bool Puntuacion(char c)
{
    return c == '{' || c == '}' || c == '[' || c == ']' || c == ',' || c == ':' || c == '"';
}
bool Digito(char c)
{
    return c >= '0' && c <= '9';
}

std::size_t SaltaBlancos(std::string_view t, std::size_t i)
{
    while (i < t.size() && Blanco(t[i]))
        ++i;
    return i;
}

// Past the closing quote of the string that opens at t[i], or npos.
std::size_t FinDeTexto(std::string_view t, std::size_t i)
{
    const std::size_t inicio = i + 1;
    for (std::size_t desde = inicio;;) {
        const std::size_t q = t.find('"', desde);
        if (q == npos)
            return npos;
        std::size_t barras = 0;
        while (q - barras > inicio && t[q - barras - 1] == '\\')
            ++barras;
        if (barras % 2 == 0)
            return q + 1;
        desde = q + 1;
    }
}

// The length of the value that starts t, or npos when t ends inside it and
// more may come. Only strings and brackets are followed.
std::size_t LargoValor(std::string_view t, bool fin)
{
    const std::size_t incompleto = fin ? t.size() : npos;
    if (t[0] == '"') {
        const std::size_t f = FinDeTexto(t, 0);
        return f == npos ? incompleto : f;
    }
    if (t[0] == '{' || t[0] == '[') {
        std::size_t profundidad = 0;
        for (std::size_t i = 0; i < t.size(); ++i) {
            switch (t[i]) {
            case '"':
                i = FinDeTexto(t, i);
                if (i == npos)
                    return incompleto;
                --i;
                break;
            case '{':
            case '[':
                ++profundidad;
                break;
            case '}':
            case ']':
                if (--profundidad == 0)
                    return i + 1;
                break;
            default:
                break;
            }
        }
        return incompleto;
    }
    // A bare word: a number, a literal or something stray.
    std::size_t i = 0;
    while (i < t.size() && !Blanco(t[i]) && !Puntuacion(t[i]))
        ++i;
    if (i == t.size() && !fin)
        return npos;
    return std::max<std::size_t>(i, 1);
}

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

std::size_t Troceador::Corta(std::string_view t, std::size_t desde, bool fin, std::vector<Pieza>& piezas)
{
    std::size_t i = desde;
    auto pieza = [&](std::size_t inicio, std::size_t largo) {
        Pieza& p = piezas.emplace_back();
        p.inicio = inicio;
        p.largo = largo;
        p.byte = consumido_ + (inicio - desde);
        p.linea = linea_;
        return &p;
    };
    auto falla = [&](std::size_t donde, std::string error, bool termina = true) {
        Pieza* p = pieza(donde, 0);
        p->error = std::move(error);
        p->termina = termina;
        if (termina)
            paso_ = Paso::Terminado;
    };
    auto malformado = [&](std::size_t donde, const char* que) {
        falla(donde, "malformed JSON at byte " + std::to_string(consumido_ + (donde - desde)) + ": " + que);
    };
    // A value of the sequence or the array: false when more bytes are needed.
    auto valor = [&]() {
        const std::size_t n = LargoValor(t.substr(i), fin);
        if (n != npos && n <= MaximoJson) {
            pieza(i, n);
            i += n;
            return true;
        }
        if (n != npos || t.size() - i > MaximoJson)
            falla(i, "the value at byte " + std::to_string(consumido_ + (i - desde)) + " is longer than 8 MiB");
        return false;
    };

    while (paso_ != Paso::Terminado) {
        switch (paso_) {
        case Paso::Inicio:
            if (consumido_ + (i - desde) == 0) {
                if (t.size() - i < 3 && !fin)
                    goto espera;
                if (t.substr(i, 3) == "\xEF\xBB\xBF")
                    i += 3;
            }
            if (forma_ == FormaFlujo::Lineas) {
                paso_ = Paso::Linea;
                break;
            }
            i = SaltaBlancos(t, i);
            if (i == t.size()) {
                if (fin)
                    falla(i, "the input is empty");
                goto espera;
            }
            if (t[i] == '[') {
                forma_ = FormaFlujo::Lista;
                paso_ = Paso::PrimerElemento;
                ++i;
            } else {
                paso_ = Paso::Valor;
            }
            break;
        case Paso::Valor:
            i = SaltaBlancos(t, i);
            if (i == t.size()) {
                if (fin)
                    paso_ = Paso::Terminado;
                goto espera;
            }
            if (!valor())
                goto espera;
            break;
        case Paso::Linea: {
            if (i == t.size())
                goto espera;
            const void* nl = std::memchr(t.data() + i, '\n', t.size() - i);
            const std::size_t fl = nl ? static_cast<std::size_t>(static_cast<const char*>(nl) - t.data()) : t.size();
            if (!nl && !fin) {
                if (t.size() - i <= MaximoJson)
                    goto espera;
                ++linea_;
                falla(i, "line " + std::to_string(linea_) + " is longer than 8 MiB", false);
                paso_ = Paso::Descarta;
                break;
            }
            ++linea_;
            if (fl - i > MaximoJson)
                falla(i, "line " + std::to_string(linea_) + " is longer than 8 MiB", false);
            else if (SaltaBlancos(t.substr(0, fl), i) < fl)
                pieza(i, fl - i);
            i = nl ? fl + 1 : fl;
            break;
        }
        case Paso::Descarta: {
            const void* nl = std::memchr(t.data() + i, '\n', t.size() - i);
            if (!nl) {
                i = t.size();
                goto espera;
            }
            i = static_cast<std::size_t>(static_cast<const char*>(nl) - t.data()) + 1;
            paso_ = Paso::Linea;
            break;
        }
        case Paso::PrimerElemento:
        case Paso::Elemento:
        case Paso::Coma:
        case Paso::Cola:
            i = SaltaBlancos(t, i);
            if (i == t.size()) {
                if (fin) {
                    if (paso_ == Paso::Cola)
                        paso_ = Paso::Terminado;
                    else
                        malformado(i, "the array is not closed");
                }
                goto espera;
            }
            if (paso_ == Paso::Cola) {
                malformado(i, "unexpected text after the JSON value");
            } else if (paso_ == Paso::Coma) {
                if (t[i] != ',' && t[i] != ']')
                    malformado(i, "expected ',' or ']'");
                else
                    paso_ = t[i++] == ',' ? Paso::Elemento : Paso::Cola;
            } else if (paso_ == Paso::PrimerElemento && t[i] == ']') {
                ++i;
                paso_ = Paso::Cola;
            } else if (t[i] == ']' || t[i] == ',') {
                malformado(i, "a value expected");
            } else if (valor()) {
                paso_ = Paso::Coma;
            } else {
                goto espera;
            }
            break;
        case Paso::Terminado:
            break;
        }
    }
espera:
    consumido_ += i - desde;
    return i;
}
