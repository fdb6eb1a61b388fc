#include "documento/Troceador.h"

#include "documento/LectorJson.h"
#include "documento/Lexico.h"

#include <algorithm>
#include <cstring>

namespace {

using namespace lexico;
constexpr std::size_t npos = std::string_view::npos;

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

} // namespace

std::size_t Troceador::Corta(std::string_view t, std::size_t desde, bool fin, std::vector<Pieza>& piezas)
{
    Llamada c{t, desde, desde, fin, piezas};
    bool sigue = true;
    while (sigue && paso_ != Paso::Terminado) {
        switch (paso_) {
        case Paso::Inicio:
            sigue = Inicio(c);
            break;
        case Paso::Valor:
            sigue = Valor(c);
            break;
        case Paso::Linea:
            sigue = Linea(c);
            break;
        case Paso::Descarta:
            sigue = Descarta(c);
            break;
        case Paso::PrimerElemento:
        case Paso::Elemento:
        case Paso::Coma:
        case Paso::Cola:
            sigue = Lista(c);
            break;
        case Paso::Terminado:
            break;
        }
    }
    consumido_ += c.i - desde;
    return c.i;
}

Pieza& Troceador::Corte(Llamada& c, std::size_t inicio, std::size_t largo)
{
    Pieza& p = c.piezas.emplace_back();
    p.inicio = inicio;
    p.largo = largo;
    p.byte = consumido_ + (inicio - c.desde);
    p.linea = linea_;
    return p;
}

void Troceador::Falla(Llamada& c, std::size_t donde, std::string error, bool termina)
{
    Pieza& p = Corte(c, donde, 0);
    p.error = std::move(error);
    p.termina = termina;
    if (termina)
        paso_ = Paso::Terminado;
}

void Troceador::Malformado(Llamada& c, std::size_t donde, const char* que)
{
    Falla(c, donde, "malformed JSON at byte " + std::to_string(consumido_ + (donde - c.desde)) + ": " + que);
}

// A value of the sequence or the array.
bool Troceador::UnValor(Llamada& c)
{
    const std::size_t n = LargoValor(c.t.substr(c.i), c.fin);
    if (n != npos && n <= MaximoJson) {
        Corte(c, c.i, n);
        c.i += n;
        return true;
    }
    if (n != npos || c.t.size() - c.i > MaximoJson)
        Falla(c, c.i, "the value at byte " + std::to_string(consumido_ + (c.i - c.desde)) + " is longer than 8 MiB");
    return false;
}

// The stream's first bytes: a byte order mark, then what kind of stream.
bool Troceador::Inicio(Llamada& c)
{
    if (consumido_ + (c.i - c.desde) == 0) {
        if (c.t.size() - c.i < 3 && !c.fin)
            return false;
        if (c.t.substr(c.i, 3) == "\xEF\xBB\xBF")
            c.i += 3;
    }
    if (forma_ == FormaFlujo::Lineas) {
        paso_ = Paso::Linea;
        return true;
    }
    c.i = SaltaBlancos(c.t, c.i);
    if (c.i == c.t.size()) {
        if (c.fin)
            Falla(c, c.i, "the input is empty");
        return false;
    }
    if (c.t[c.i] == '[') {
        forma_ = FormaFlujo::Lista;
        paso_ = Paso::PrimerElemento;
        ++c.i;
    } else {
        paso_ = Paso::Valor;
    }
    return true;
}

bool Troceador::Valor(Llamada& c)
{
    c.i = SaltaBlancos(c.t, c.i);
    if (c.i == c.t.size()) {
        if (c.fin)
            paso_ = Paso::Terminado;
        return false;
    }
    return UnValor(c);
}

// A line of JSON Lines; a blank one is skipped, one too long is refused and
// the rest of it passed over.
bool Troceador::Linea(Llamada& c)
{
    const std::string_view t = c.t;
    if (c.i == t.size())
        return false;
    const void* nl = std::memchr(t.data() + c.i, '\n', t.size() - c.i);
    const std::size_t fl = nl ? static_cast<std::size_t>(static_cast<const char*>(nl) - t.data()) : t.size();
    if (!nl && !c.fin) {
        if (t.size() - c.i <= MaximoJson)
            return false;
        ++linea_;
        Falla(c, c.i, "line " + std::to_string(linea_) + " is longer than 8 MiB", false);
        paso_ = Paso::Descarta;
        return true;
    }
    ++linea_;
    if (fl - c.i > MaximoJson)
        Falla(c, c.i, "line " + std::to_string(linea_) + " is longer than 8 MiB", false);
    else if (SaltaBlancos(t.substr(0, fl), c.i) < fl)
        Corte(c, c.i, fl - c.i);
    c.i = nl ? fl + 1 : fl;
    return true;
}

bool Troceador::Descarta(Llamada& c)
{
    const void* nl = std::memchr(c.t.data() + c.i, '\n', c.t.size() - c.i);
    if (!nl) {
        c.i = c.t.size();
        return false;
    }
    c.i = static_cast<std::size_t>(static_cast<const char*>(nl) - c.t.data()) + 1;
    paso_ = Paso::Linea;
    return true;
}

// Inside an array: its elements, the commas between them, and nothing but
// blanks after it.
bool Troceador::Lista(Llamada& c)
{
    c.i = SaltaBlancos(c.t, c.i);
    if (c.i == c.t.size()) {
        if (c.fin) {
            if (paso_ == Paso::Cola)
                paso_ = Paso::Terminado;
            else
                Malformado(c, c.i, "the array is not closed");
        }
        return false;
    }
    const char x = c.t[c.i];
    if (paso_ == Paso::Cola) {
        Malformado(c, c.i, "unexpected text after the JSON value");
    } else if (paso_ == Paso::Coma) {
        if (x != ',' && x != ']')
            Malformado(c, c.i, "expected ',' or ']'");
        else
            paso_ = c.t[c.i++] == ',' ? Paso::Elemento : Paso::Cola;
    } else if (paso_ == Paso::PrimerElemento && x == ']') {
        ++c.i;
        paso_ = Paso::Cola;
    } else if (x == ']' || x == ',') {
        Malformado(c, c.i, "a value expected");
    } else if (UnValor(c)) {
        paso_ = Paso::Coma;
    } else {
        return false;
    }
    return true;
}
