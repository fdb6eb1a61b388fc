#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// How a stream holds its values.
enum class FormaFlujo : std::uint8_t {
    Secuencia, // one after another, separated by blanks
    Lineas,    // JSON Lines: one per line, empty lines skipped
    Lista,     // one array, taken an element at a time
};

// A value cut out of a stream, or the reason none could be.
struct Pieza {
    std::size_t inicio = 0, largo = 0; // in the text given to Corta
    std::uint64_t byte = 0;            // where it starts in the stream
    std::uint64_t linea = 0;           // its line, in JSON Lines
    std::string error;                 // none cut: the whole answer's message
    bool termina = false;              // with an error: nothing after it is read
};

// Cuts a byte stream into values without reading them: it follows strings
// and brackets and nothing else, so a value in memory at a time is enough.
// Unless JSON Lines are asked for, the first byte that is not blank decides:
// '[' an array, anything else a sequence. A byte order mark is skipped.
class Troceador {
  public:
    explicit Troceador(bool lineas) : forma_(lineas ? FormaFlujo::Lineas : FormaFlujo::Secuencia) {}

    // Cuts the values that end within texto[desde, end), appending them to
    // `piezas`, and returns where the bytes not yet cut begin; they come
    // again at the front of the next call. `fin`: no more bytes will come.
    std::size_t Corta(std::string_view texto, std::size_t desde, bool fin, std::vector<Pieza>& piezas);
    FormaFlujo Forma() const { return forma_; }
    // No more values: the stream ended or could not be cut further.
    bool Terminado() const { return paso_ == Paso::Terminado; }

  private:
    enum class Paso : std::uint8_t { Inicio, Valor, Linea, Descarta, PrimerElemento, Elemento, Coma, Cola, Terminado };
    // One call of Corta: its bytes, where the next uncut byte is, and the
    // pieces cut so far.
    struct Llamada {
        std::string_view t;
        std::size_t desde, i;
        bool fin;
        std::vector<Pieza>& piezas;
    };
    // Each step cuts what it can; false when it needs more bytes.
    bool Inicio(Llamada& c);
    bool Valor(Llamada& c);
    bool Linea(Llamada& c);
    bool Descarta(Llamada& c);
    bool Lista(Llamada& c);
    bool UnValor(Llamada& c);
    Pieza& Corte(Llamada& c, std::size_t inicio, std::size_t largo);
    void Falla(Llamada& c, std::size_t donde, std::string error, bool termina = true);
    void Malformado(Llamada& c, std::size_t donde, const char* que);

    FormaFlujo forma_;
    Paso paso_ = Paso::Inicio;
    std::uint64_t consumido_ = 0; // bytes of the stream before `desde`
    std::uint64_t linea_ = 0;
};
