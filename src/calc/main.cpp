// hidrela-calc [FILE]: answers the JSON requests in FILE, or on standard
// input when FILE is absent or "-", with one line of JSON on standard output.
// Exit status 0 when every request was answered, 2 otherwise.

#include "calc/Calculadora.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace {

// The whole input in one buffer. Grown with realloc, which moves large
// blocks by remapping rather than copying; a file's size is known up front.
struct Bytes {
    std::unique_ptr<char, decltype(&std::free)> p{nullptr, &std::free};
    std::size_t n = 0, cap = 0;

    bool Crece(std::size_t minimo)
    {
        if (cap >= minimo)
            return true;
        const std::size_t nueva = std::max(minimo, cap * 2);
        char* q = static_cast<char*>(std::realloc(p.get(), nueva));
        if (!q)
            return false;
        p.release();
        p.reset(q);
        cap = nueva;
        return true;
    }
};

// Reads the whole stream; false with errno set on a read error.
bool LeeTodo(std::FILE* f, Bytes& b)
{
    struct stat st {};
    if (fstat(fileno(f), &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0)
        if (!b.Crece(static_cast<std::size_t>(st.st_size) + 1))
            return false;
    for (;;) {
        if (!b.Crece(b.n + (1 << 16)))
            return errno = ENOMEM, false;
        const std::size_t leidos = std::fread(b.p.get() + b.n, 1, b.cap - b.n, f);
        b.n += leidos;
        if (leidos == 0)
            return !std::ferror(f);
    }
}

int Escribe(const std::string& salida, int estado)
{
    if (std::fwrite(salida.data(), 1, salida.size(), stdout) != salida.size() || std::fflush(stdout) != 0)
        return 2;
    return estado;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 2)
        return Escribe(FalloDeLectura("usage: hidrela-calc [FILE]"), 2);

    const std::string_view ruta = argc == 2 ? argv[1] : "-";
    Bytes entrada;
    if (ruta == "-") {
        if (!LeeTodo(stdin, entrada))
            return Escribe(FalloDeLectura(std::string("cannot read standard input: ") + std::strerror(errno)), 2);
    } else {
        std::FILE* f = std::fopen(argv[1], "rb");
        if (!f)
            return Escribe(FalloDeLectura(std::string("cannot open the file: ") + std::strerror(errno)), 2);
        const bool leido = LeeTodo(f, entrada);
        const int err = errno;
        std::fclose(f);
        if (!leido)
            return Escribe(FalloDeLectura(std::string("cannot read the file: ") + std::strerror(err)), 2);
    }

    int estado = 0;
    const std::string salida = Calcula(std::string_view(entrada.p.get(), entrada.n), estado);
    return Escribe(salida, estado);
}
