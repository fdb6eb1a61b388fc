#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace simdjson::dom {
class element;
}

// The calculator without the windows: JSON requests in, JSON answers out.

struct OpcionesCalculo {
    bool lineas = false; // strict JSON Lines: one request per line
    int hilos = 1;       // requests computed at once
    bool directa = true; // the common request read lazily; off, every one read whole
};

// Where the requests come from: `lee` fills up to n bytes and says how many,
// 0 at the end or -1 with errno set; `nombre` names it in a read error.
struct Entrada {
    std::function<std::ptrdiff_t(char*, std::size_t)> lee;
    std::string nombre;
    std::size_t largo = 0; // the bytes to come, when known: a short input takes no more room
};

// Answers the requests of `entrada` as they come, in input order whatever
// the number of threads: a line per request of a sequence or of JSON Lines,
// one line for an array. `escribe` takes each piece of the output and
// returns false to stop. Only a value at a time is held, apart from an
// array's answers, which are one line written at its end. Returns 0 when
// every request was answered, 2 otherwise.
int CalculaFlujo(const Entrada& entrada, const std::function<bool(std::string_view)>& escribe,
                 const OpcionesCalculo& o);

// The same over a text in memory.
std::string Calcula(std::string_view entrada, int& estado, const OpcionesCalculo& o = {});

// The whole answer, line break included, when there is no input to read.
std::string FalloDeLectura(std::string_view motivo);

// Checks one request, computes it and appends its answer (no line break) to
// `salida`; false when it was refused.
bool Responde(const simdjson::dom::element& peticion, std::string& salida);
