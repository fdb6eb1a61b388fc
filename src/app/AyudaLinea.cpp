#include "app/AyudaLinea.h"

#include "common/Catalogo.h"
#include "common/Idioma.h"
#include "common/Variables.h"

#include <QCommandLineParser>
#include <QTextStream>

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

} // namespace

LineaOrdenes LeeLineaOrdenes(const QStringList& argumentos)
{
    // The texts of --help come from the catalogue, not from the parser, and
    // its own --help and --version would leave the program at once.
    const QCommandLineOption pdf(QStringLiteral("report"), QString(), QStringLiteral("OUT.pdf"));
    const QCommandLineOption csv(QStringLiteral("csv"), QString(), QStringLiteral("OUT.csv"));
    const QCommandLineOption idioma(QStringLiteral("lang"), QString(), QStringLiteral("es|en"));
    const QCommandLineOption ayuda(QStringLiteral("help"));
    const QCommandLineOption version(QStringLiteral("version"));
    QCommandLineParser p;
    p.addOptions({pdf, csv, idioma, ayuda, version});

    LineaOrdenes o;
    // The parser goes on past a wrong word, so what it did read still counts.
    o.leida = p.parse(argumentos);
    o.ayuda = p.isSet(ayuda);
    o.version = p.isSet(version);
    o.informe = p.isSet(pdf) || p.isSet(csv);
    o.pdf = p.value(pdf);
    o.csv = p.value(csv);
    o.idioma = p.value(idioma);
    o.sitios = p.positionalArguments();
    return o;
}

QStringList ArgumentosDe(int argc, char** argv)
{
    QStringList argumentos;
    for (int i = 0; i < argc; ++i)
        argumentos << QString::fromLocal8Bit(argv[i]);
    return argumentos;
}

std::optional<int> AyudaSinVentanas(const LineaOrdenes& o)
{
    // Read before Qt has taken its own options out, a wrong word may be one
    // of them: --help and --version are answered all the same.
    if (!o.ayuda && !o.version)
        return std::nullopt;

    QTextStream salida(stdout);
    if (!o.ayuda) {
        salida << "hidrela " << HIDRELA_VERSION << Qt::endl;
        return 0;
    }
    Variables v;
    AplicaReglaIdioma(v);
    if (o.idioma == QLatin1String("es") || o.idioma == QLatin1String("en"))
        v.NumIdioma = static_cast<qint16>(o.idioma == QLatin1String("es") ? 1 : 2);
    salida << Ayuda(v);
    salida.flush();
    return 0;
}
