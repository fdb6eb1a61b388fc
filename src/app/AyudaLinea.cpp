#include "app/AyudaLinea.h"

#include "common/Catalogo.h"
#include "common/Idioma.h"
#include "common/Variables.h"

#include <QStringList>
#include <QTextStream>

#include <cstring>

namespace {

// Folded at a terminal's width, word by word.
QString Pliega(const QString& texto)
{
    QString salida, linea;
    for (const QString& palabra : texto.split(u' ', Qt::SkipEmptyParts)) {
        if (!linea.isEmpty() && linea.size() + 1 + palabra.size() > 79) {
            salida += linea + u'\n';
            linea.clear();
        }
        linea += (linea.isEmpty() ? QString() : QStringLiteral(" ")) + palabra;
    }
    return salida + linea + u'\n';
}

// The catalogue holds "--report OUT.pdf  what it does": the option and its
// text, two blanks apart, the text put in its column here.
QString Opcion(const QString& texto)
{
    const qsizetype corte = texto.indexOf(QLatin1String("  "));
    return QStringLiteral("  %1  %2\n").arg(texto.left(corte), -20).arg(texto.mid(corte).trimmed());
}

QString Ayuda(const Variables& v)
{
    QString s = Texto(v, 1920) + u'\n';
    for (int id : {1921, 1922})
        s += QStringLiteral("  ") + Texto(v, id) + u'\n';
    s += u'\n' + Pliega(Texto(v, 1923)) + u'\n' + Texto(v, 1924) + u'\n';
    for (int id = 1925; id <= 1929; ++id)
        s += Opcion(Texto(v, id));
    return s;
}

bool Es(const char* a, const char* b)
{
    return std::strcmp(a, b) == 0;
}

} // namespace

std::optional<int> AyudaSinVentanas(int argc, char** argv)
{
    enum class Pide { Nada, Ayuda, Version } pide = Pide::Nada;
    const char* lengua = nullptr;
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        // An option's value is never an option of its own: --report --help
        // writes a report named "--help", as the report's reading has it.
        const bool conValor = Es(a, "--report") || Es(a, "--csv") || Es(a, "--lang");
        if (conValor && i + 1 < argc && Es(a, "--lang"))
            lengua = argv[i + 1];
        if (conValor)
            ++i;
        else if (Es(a, "--help"))
            pide = Pide::Ayuda;
        else if (Es(a, "--version") && pide == Pide::Nada)
            pide = Pide::Version;
    }
    if (pide == Pide::Nada)
        return std::nullopt;

    QTextStream salida(stdout);
    if (pide == Pide::Version) {
        salida << "hidrela " << HIDRELA_VERSION << Qt::endl;
        return 0;
    }
    Variables v;
    AplicaReglaIdioma(v);
    if (lengua && (Es(lengua, "es") || Es(lengua, "en")))
        v.NumIdioma = static_cast<qint16>(Es(lengua, "es") ? 1 : 2);
    salida << Ayuda(v);
    salida.flush();
    return 0;
}
