// hidrela-calc [--lines] [-j N] [FILE]: answers the JSON requests in FILE, or
// on standard input when FILE is absent or "-", with JSON on standard output.
// Exit status 0 when every request was answered, 2 otherwise.
// hidrela-calc --import-rain FILE.csv [...]: a daily rainfall record as the
// storm series and the year's table of a request.

#include "calc/Calculadora.h"
#include "calc/ImportaLluvia.h"

#include <QCommandLineParser>
#include <QStringList>
#include <simdjson.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <thread>

namespace {

constexpr std::string_view Uso = "usage: hidrela-calc [--lines] [-j N] [FILE]";
constexpr std::string_view Ayuda = R"(       hidrela-calc --import-rain FILE.csv [--year Y | --mean] [--rain-day MM]
                    [--storm MM] [--season M1-M2] [--date COL | --ymd Y,M,D]
                    [--depth COL] [--unit U] [--missing A,B]
                    [--duplicates first|last]

Answers the calculator's JSON requests in FILE, or on standard input when FILE
is absent or "-", on standard output, each answer as it is computed.

The input is either one array of requests, answered by one array on one line,
or a sequence of requests (JSON Lines among them), answered one line each;
a value that is not JSON ends the sequence with an error on its line.

  --lines    strict JSON Lines: one request per line, empty lines skipped; a
             line that is not JSON is answered by an error and the rest go on
  -j N       compute N requests at once (default: one per core); the answers
             keep the order of the requests
  --help     print this text
  --version  print the version

With --import-rain, reads a daily rainfall record instead: lines of a date
(YYYY-MM-DD, DD/MM/YYYY or DD-MM-YYYY) and a depth in mm, separated by ",",
";" or a tab, with a decimal point or comma; "Ip", "Inap" and "tr" are 0 and
an empty depth is a missing day. It prints one JSON object: "series", a list
of [depth, condition], one storm per day at or above the storm threshold,
its moisture condition from the rain of the five days before (outside the
growing season I under 12.5 mm, III over 28 mm, else II; in it, the limits
are 35.5 and 53 mm); "year", the twelve months as [P, Pmax, rain days]; and
the record's counts.

  --year Y        the months of calendar year Y (missing days taken as 0)
  --mean          the mean of the complete years (the default)
  --rain-day MM   a day with at least MM is a rain day (default 0.1)
  --storm MM      a day with at least MM is one storm (default 1)
  --season M1-M2  the growing season's months (default 4-9)
  --date COL      the date's column, by its heading or number from 1
  --ymd Y,M,D     the year's, month's and day's columns instead of a date's
  --depth COL     the depth's column (without these, the columns are found)
  --unit U        the depths' unit: mm (the default), 0.1mm, cm or in
  --missing A,B   the texts of a missing day (default: empty, NA, -9999, M)
  --duplicates first|last
                  of a date given twice with two depths, the line kept
                  (default: the record is refused)

Exit status: 0 when every request was answered (or the record imported),
2 otherwise.
)";

int errorSalida = 0;

// All of it, or false with errorSalida set.
bool Escribe(int fd, std::string_view s)
{
    while (!s.empty()) {
        const ssize_t n = ::write(fd, s.data(), s.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            errorSalida = n < 0 ? errno : EIO;
            return false;
        }
        s.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// A mistake in the call is answered as a request would be, in JSON.
// A file's name as the answers may carry it: valid UTF-8, as JSON text must be.
std::string Nombre(std::string nombre)
{
    if (!simdjson::validate_utf8(nombre.data(), nombre.size()))
        for (char& c : nombre)
            if (static_cast<unsigned char>(c) >= 0x80)
                c = '?';
    return nombre;
}

int Falla(std::string_view motivo)
{
    Escribe(STDOUT_FILENO, FalloDeLectura(motivo));
    return 2;
}

// --help or --version: a text that cannot be written is a failure like any
// other; a reader that stopped early (`| head`) wanted no more.
int Informa(bool ayuda)
{
    const std::string texto =
        ayuda ? std::string(Uso) + "\n" + std::string(Ayuda) : std::string("hidrela-calc ") + HIDRELA_VERSION + "\n";
    if (Escribe(STDOUT_FILENO, texto) || errorSalida == EPIPE)
        return 0;
    std::fprintf(stderr, "hidrela-calc: cannot write the text: %s\n", std::strerror(errorSalida));
    return 2;
}

// The requests of the file at `ruta` (standard input when there is none, or
// it is "-") answered on standard output.
int RespondeArchivo(const QByteArray& ruta, bool hayArchivo, const OpcionesCalculo& o)
{
    // Said before anything is read: a file opened now could take its place.
    if (::fcntl(STDOUT_FILENO, F_GETFD) < 0) {
        std::fprintf(stderr, "hidrela-calc: cannot write the answers: standard output is closed\n");
        return 2;
    }

    Entrada entrada;
    int fd = STDIN_FILENO;
    entrada.nombre = "standard input";
    if (hayArchivo && ruta != "-") {
        fd = ::open(ruta.constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return Falla("cannot open " + Nombre(ruta.toStdString()) + ": " + std::strerror(errno));
        entrada.nombre = Nombre(ruta.toStdString());
    }
    entrada.lee = [fd](char* p, std::size_t n) {
        ssize_t r;
        do
            r = ::read(fd, p, n);
        while (r < 0 && errno == EINTR);
        return static_cast<std::ptrdiff_t>(r);
    };

    const int estado = CalculaFlujo(
        entrada, [](std::string_view s) { return Escribe(STDOUT_FILENO, s); }, o);
    if (fd != STDIN_FILENO)
        ::close(fd);
    // Whoever stopped reading the answers wanted no more of them.
    if (errorSalida == EPIPE)
        return 0;
    if (errorSalida) {
        std::fprintf(stderr, "hidrela-calc: cannot write the answers: %s\n", std::strerror(errorSalida));
        return 2;
    }
    return estado;
}

// The import's own command line, everything from --import-rain on.
int Importa(int argc, char** argv)
{
    int estado = 0;
    Escribe(STDOUT_FILENO, ImportaLluviaOrden(argc, argv, estado));
    if (errorSalida && errorSalida != EPIPE) {
        std::fprintf(stderr, "hidrela-calc: cannot write the answer: %s\n", std::strerror(errorSalida));
        return 2;
    }
    return estado;
}

} // namespace

int main(int argc, char** argv)
{
    // A closed pipe ends the writing (EPIPE) instead of the process.
    std::signal(SIGPIPE, SIG_IGN);

    // From --import-rain on, the words are the import's, which reads them
    // all itself; before it they are the calculator's. Latin-1 keeps every
    // byte of a file's name, which need not be UTF-8.
    const int corte = static_cast<int>(
        std::find_if(argv + 1, argv + argc, [](const char* a) { return std::string_view(a) == "--import-rain"; }) -
        argv);
    QStringList argumentos;
    for (int i = 0; i < corte; ++i)
        argumentos << QString::fromLatin1(argv[i]);
    const QCommandLineOption lineas(QStringLiteral("lines")),
        hilos(QStringLiteral("j"), QString(), QStringLiteral("N")), ayuda(QStringLiteral("help")),
        version(QStringLiteral("version"));
    QCommandLineParser lector;
    lector.addOptions({lineas, hilos, ayuda, version});
    const bool leida = lector.parse(argumentos);
    const QStringList nombres = lector.optionNames();
    const QStringList valoresHilos = lector.values(hilos);
    // Of --help and --version, the first one given, whatever else the words
    // hold.
    if (const auto pide = std::find_if(nombres.begin(), nombres.end(),
                                       [](const QString& n) { return n == u"help" || n == u"version"; });
        pide != nombres.end())
        return Informa(*pide == u"help");
    // A word the parser does not know is answered with the usage, as is a
    // second file; a -j without its number as a wrong number.
    const bool hilosSinValor = nombres.count(QStringLiteral("j")) > valoresHilos.size();
    if ((!leida && (!hilosSinValor || !lector.unknownOptionNames().isEmpty())) ||
        lector.positionalArguments().size() > 1)
        return Falla(Uso);
    OpcionesCalculo o;
    o.hilos = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    for (const QString& valor : valoresHilos) {
        const QByteArray n = valor.toLatin1();
        const auto r = std::from_chars(n.data(), n.data() + n.size(), o.hilos);
        if (r.ec != std::errc() || r.ptr != n.data() + n.size() || o.hilos < 1 || o.hilos > 256)
            return Falla("-j takes a number of threads from 1 to 256");
    }
    if (hilosSinValor)
        return Falla("-j takes a number of threads from 1 to 256");
    if (corte < argc)
        return Importa(argc - 1, argv + 1);
    o.lineas = lector.isSet(lineas);
    const QStringList archivos = lector.positionalArguments();
    return RespondeArchivo(archivos.value(0).toLatin1(), !archivos.isEmpty(), o);
}
