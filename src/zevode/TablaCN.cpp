#include "zevode/TablaCN.h"

#include <QFile>

#include <cmath>

namespace {

// Columns of the data file.
enum Columna {
    Tabla,
    CubiertaEs,
    CubiertaEn,
    TratamientoEs,
    TratamientoEn,
    Condicion,
    A,
    B,
    C,
    D,
    NotaEn,
    NotaEs,
    Fuente,
    NumColumnas
};

// A value of groups A-D: a whole number, or nothing (0).
bool LeeNumeroGrupo(const QString& texto, int& valor)
{
    if (texto.isEmpty()) {
        valor = 0;
        return true;
    }
    bool ok = false;
    valor = texto.toInt(&ok);
    return ok && texto == QString::number(valor);
}

QString Comprueba(const FilaCN& f)
{
    if (f.cubierta[0].isEmpty() || f.cubierta[1].isEmpty())
        return QStringLiteral("cover missing");
    if (f.fuente.isEmpty())
        return QStringLiteral("source missing");
    if (!f.condicion.isEmpty() && f.condicion != QLatin1String("poor") && f.condicion != QLatin1String("fair") &&
        f.condicion != QLatin1String("good"))
        return QStringLiteral("unknown condition \"%1\"").arg(f.condicion);
    int anterior = 0;
    for (const int n : f.N) {
        if (n == 0)
            continue;
        if (n < 30 || n > 100)
            return QStringLiteral("value %1 outside 30..100").arg(n);
        if (n < anterior)
            return QStringLiteral("values not in order A <= B <= C <= D");
        anterior = n;
    }
    if (anterior == 0)
        return QStringLiteral("no value");
    return {};
}

} // namespace

std::optional<QList<FilaCN>> LeeTablaCN(const QByteArray& datos, QString& error)
{
    QList<FilaCN> filas;
    const QList<QByteArray> lineas = datos.split('\n');
    for (qsizetype i = 1; i < lineas.size(); ++i) {
        QByteArray linea = lineas[i];
        if (linea.endsWith('\r'))
            linea.chop(1);
        if (linea.isEmpty())
            continue;
        const QStringList c = QString::fromUtf8(linea).split(QLatin1Char('\t'));
        const auto falla = [&](const QString& que) {
            error = QStringLiteral("line %1: %2").arg(i + 1).arg(que);
            return std::nullopt;
        };
        if (c.size() != NumColumnas)
            return falla(QStringLiteral("%1 columns instead of %2").arg(c.size()).arg(int(NumColumnas)));
        FilaCN f;
        f.tabla = c[Tabla];
        f.cubierta = {c[CubiertaEs], c[CubiertaEn]};
        f.tratamiento = {c[TratamientoEs], c[TratamientoEn]};
        f.condicion = c[Condicion];
        for (int g = 0; g < 4; ++g)
            if (!LeeNumeroGrupo(c[A + g], f.N[g]))
                return falla(QStringLiteral("\"%1\" is not a whole number").arg(c[A + g]));
        f.nota = {c[NotaEs], c[NotaEn]};
        f.fuente = c[Fuente];
        if (const QString fallo = Comprueba(f); !fallo.isEmpty())
            return falla(fallo);
        filas.append(f);
    }
    if (filas.isEmpty()) {
        error = QStringLiteral("no rows");
        return std::nullopt;
    }
    return filas;
}

QList<FilaCN> TablaIncorporada(QString& error)
{
    QFile archivo(QStringLiteral(":/zevode/curve_numbers.tsv"));
    if (!archivo.open(QIODevice::ReadOnly)) {
        error = archivo.errorString();
        return {};
    }
    return LeeTablaCN(archivo.readAll(), error).value_or(QList<FilaCN>());
}

double SumaPorcentajes(const QList<Componente>& c)
{
    double suma = 0;
    for (const Componente& x : c)
        suma += x.porcentaje;
    return suma;
}

std::optional<double> MediaCompuesta(const QList<Componente>& c)
{
    if (c.isEmpty() || c.size() > MaxComponentes)
        return std::nullopt;
    double suma = 0;
    for (const Componente& x : c) {
        if (!(x.porcentaje > 0) || x.N <= 0)
            return std::nullopt;
        suma += x.porcentaje * x.N;
    }
    // Shares typed with decimals ("33.3") do not add up to exactly 100 in
    // binary; a rounding's worth of room, no more.
    const double total = SumaPorcentajes(c);
    if (std::fabs(total - 100.0) > 1e-9)
        return std::nullopt;
    return suma / total;
}
