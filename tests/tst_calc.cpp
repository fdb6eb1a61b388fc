#include "calc/Calculadora.h"
#include "documento/Escritor.h"

#include "model/ModeloCN.h"
#include "model/Numero.h"

#include <QtTest>

#include <functional>

#include <charconv>
#include <cmath>
#include <limits>

namespace {

std::string Calcula(const QByteArray& entrada, int& estado, bool lineas = false)
{
    OpcionesCalculo o;
    o.lineas = lineas;
    return ::Calcula(std::string_view(entrada.constData(), static_cast<std::size_t>(entrada.size())), estado, o);
}

// A request of a site alone, and one of the storm examples' site with more parts.
const auto Pide = [](const QByteArray& partes) { return "{" + partes + "}"; };
const auto S = [](const QByteArray& campos) { return Pide("\"site\":{" + campos + "}"); };
const auto B = [](const QByteArray& partes = {}) {
    return Pide(R"("site":{"NAC":70,"NI":90,"NR":60,"SI":4,"SR":1,"CAPA":100})" + partes);
};
const QByteArray tormenta = R"(,"storm":{"P":50,"condition":2})";

// A year whose months are given from January on; the rest are dry.
QByteArray Anio(const QByteArray& caso, QList<QByteArray> filas)
{
    while (filas.size() < 12)
        filas << "[0,0,0]";
    return "\"year\":{\"case\":" + caso + ",\"months\":[" + filas.join(',') + "]}";
}

// n requests on lines of their own, varied so that both branches of the
// model run, with a refused one and a line that is not JSON now and then.
QByteArray Lineas(int n)
{
    QByteArray s;
    for (int i = 0; i < n; ++i)
        s += i % 97 == 5
                 ? QByteArray("{\"site\":\n")
                 : QString::asprintf(R"({"site":{"NAC":70,"NI":%d,"NR":%d,"SI":10,"SR":2,"CAPA":50,"capacity":60},)"
                                     R"("storm":{"P":%d,"condition":%d}})"
                                     "\n",
                                     50 + i % 40, 40 + i * 7 % 60, i % 89 == 3 ? 0 : 20 + i % 70, 1 + i % 3)
                       .toUtf8();
    return s;
}

// "site/N/1": keys of objects and indices of arrays.
QJsonValue En(QJsonValue v, const QString& ruta)
{
    for (const QString& paso : ruta.split('/')) {
        bool indice = false;
        const int i = paso.toInt(&indice);
        v = indice ? v.toArray().at(i) : v.toObject().value(paso);
    }
    return v;
}

// How a value shows: numbers with the display's two decimals.
QString Muestra(const QJsonValue& v)
{
    if (v.isDouble())
        return QString::fromStdString(Formato(v.toDouble(), 2));
    if (v.isBool())
        return v.toBool() ? "true" : "false";
    return v.isUndefined() ? "<absent>" : v.toString();
}

// A station's record of 2021 as downloaded: `linea` writes each day's line
// from its date and its day of the year; day 5 is the rainy one.
QByteArray Estacion(const QByteArray& cabecera, const std::function<QByteArray(QDate, int)>& linea)
{
    QByteArray t = cabecera.isEmpty() ? QByteArray() : cabecera + "\n";
    for (QDate d(2021, 1, 1); d.year() == 2021; d = d.addDays(1))
        t += linea(d, d.dayOfYear()) + "\n";
    return t;
}

} // namespace

class TstCalc : public QObject {
    Q_OBJECT
  private slots:
    void cifras_data();
    void cifras();
    void exactas();
    void lote();
    void respuestas_data();
    void respuestas();
    void proceso_data();
    void proceso();
};

// One round trip per part, with the worked figures as the display shows them.
void TstCalc::cifras_data()
{
    QTest::addColumn<QByteArray>("entrada");
    QTest::addColumn<QString>("cifras"); // "path=shown; ..."

    const QByteArray c = R"("NAC":70,"NI":60,"NR":80,"SI":10,"SR":2,"CAPA":)";
    auto fila = [](const char* nombre, const QByteArray& entrada, const char* cifras) {
        QTest::newRow(nombre) << entrada << QString(cifras);
    };
    fila("site, NR <= NI", S(R"("NAC":70,"NI":80,"NR":60,"SI":10,"SR":2,"CAPA":50)"),
         "site/N/1=76.67; site/P0/1=15.46; site/P0US/1=35.61; site/NUS/1=58.79; site/CapaMinima=<absent>; "
         "site/relations/0/relation=NAC < NI; site/relations/0/text=1159.00");
    fila("site, NR > NI", S(c + "50"),
         "site/CapaMinima=25.20; site/CapaMinCond/2=4.60; site/P0US/1=52.82; site/NUS/1=49.03; "
         "site/capacityCheck=false");
    // The capacity check closed: the site stops there and nothing else is computed.
    fila("check closed", Pide("\"site\":{" + c + "5}" + tormenta + R"(,"series":[],)" + Anio("3", {})),
         "site/outcome=abandoned; site/capacityCheck=true; site/P0US=<absent>; site/verdict=<absent>; "
         "storm=<absent>; series=<absent>; year=<absent>; site/CapaMinima=25.20");
    fila("confirmed low", S(c + R"(5,"capacity":5)"), "site/outcome=completed; site/beep=true");
    fila("confirmed 30", S(c + R"(5,"capacity":30)"), "site/beep=false; site/CAPA=30.00");
    fila("confirmed is rounded", S(c + R"(5,"capacity":12.34)"), "site/CAPA=12.30");
    fila("capacity unused", S(c + R"(50,"capacity":5)"), "site/CAPA=50.00");
    fila("zones mean", S(R"("NAC":70,"SI":10,"SR":2,"NR":60,"CAPA":50,"zones":[[4,90],[6,75]])"), "site/NI/1=81.00");
    fila("0.7 + 0.2 + 0.1 is 1", S(R"("NAC":70,"SI":1,"SR":2,"NR":60,"CAPA":50,"zones":[[0.7,90],[0.2,90],[0.1,90]])"),
         "site/NI/1=90.00");
    fila("storm", B(tormenta),
         "storm/PSinSist=44.19; storm/PMaxImperm=250.00; storm/PMaxAlcorque=158.43; storm/CapaLibre=8.35; "
         "storm/CapaNecesaria=91.65; storm/PPromedio=50.00; storm/SIxP=200.00");
    fila("P 999.9, condition 2.0", B(R"(,"storm":{"P":999.9,"condition":2.0})"),
         "storm/SIxP=3999.60; storm/PBanqueta=246.67");
    fila("null storm", B(R"(,"storm":null)"), "storm=<absent>");
    // Acumulado 2 is twice the single storm's 44.187: 88.37, shown as 88.4.
    fila("series", B(R"(,"series":[{"P":50,"condition":2},{"P":50,"condition":2}])"),
         "series/NumAguaceros=2.00; series/NumEscLadera=2.00; series/NumEscImpluvio=2.00; series/NumFuera=0.00; "
         "series/Acumulado/1=88.37; series/CapaMaxSerie=91.65; series/ResumenSerie/1=2.00; "
         "series/ResumenSerie/7=316.86");
    fila("empty series", B(R"(,"series":[])"), "series/NumAguaceros=0.00; series/AlturaRepresas=0.00");
    fila("year", B("," + Anio("3", {"[60,30,4]"})),
         "year/PAnual=60.00; year/PMaxAnual=30.00; year/DiasAnual=4.00; year/months/0/PV1=10.00; "
         "year/months/0/N1=1.00; year/months/0/PV2=20.00; year/months/0/N2=1.00; year/months/0/P5=20.00; "
         "year/months/0/J=2.00; year/months/11/Dispon/3=0.00; year/CapaMinAnual=30.06; year/months/0/Dispon/2=126.82");
    fila("days 2.5 stored as 2", B("," + Anio("1", {"[10,5,2.5]"})), "year/months/0/NDias=2.00");
    fila("unknown keys ignored",
         B(R"(,"remark":[-1e20,{"x":-100000000000000000000}],"storm":{"P":50,"condition":2,"unit":"mm"})"),
         "storm/SIxP=200.00");
}

void TstCalc::cifras()
{
    QFETCH(QByteArray, entrada);
    QFETCH(QString, cifras);
    int estado = -1;
    const QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(Calcula(entrada, estado))).object();
    QCOMPARE(estado, 0);
    for (const QString& cifra : cifras.split("; ")) {
        const qsizetype igual = cifra.indexOf('=');
        QCOMPARE(cifra.left(igual) + "=" + Muestra(En(o, cifra.left(igual))), cifra);
    }
}

// Every number is the core's double, bit for bit, written as the shortest
// text that does so; one JSON cannot carry is null. Each part answers as
// when it is asked alone.
void TstCalc::exactas()
{
    // 0.1 + 0.2 is not 0.3: SI is the sum the zones really make.
    const QByteArray sitio = R"("site":{"NAC":70,"SI":)" + QByteArray::fromStdString(TextoExacto(0.1 + 0.2)) +
                             R"(,"SR":0.7,"NR":80,"CAPA":0.25,"zones":[[0.1,61.3],[0.2,59.9]],"capacity":1})";
    const QList<QByteArray> partes = {
        R"(,"storm":{"P":37.3,"condition":3})", R"(,"series":[{"P":50,"condition":2},{"P":12.7,"condition":1}])",
        "," + Anio("3", {"[60,30,4]", "[0,0,0]", "[0,0,0]", "[0,0,0]", "[0,0,0]", "[0,0,0]", "[90,40,6]"})};
    int estado = -1;
    const std::string todo = Calcula(Pide(sitio + partes.join()), estado), solo = Calcula(Pide(sitio), estado);
    QVERIFY(todo.find("\"SIxP\":" + TextoExacto((0.1 + 0.2) * 37.3) + "}") != std::string::npos);
    for (const QByteArray& parte : partes) {
        const std::string una = Calcula(Pide(sitio + parte), estado);
        QVERIFY(estado == 0 && todo.find(una.substr(solo.size() - 2, una.size() - solo.size())) != std::string::npos);
    }
    QVERIFY(Calcula(S(R"("NAC":70,"NI":90,"NR":60,"SI":4,"SR":1,"CAPA":-0)"), estado).find("\"CAPA\":-0,") !=
            std::string::npos);
    // A whole capacity skips the rounding to one decimal, which turns -0 into 0.
    QVERIFY(!std::signbit(*CapacidadConfirmada(-0.0)) && CapacidadConfirmada(9999) == 9999.0);

    const double inf = std::numeric_limits<double>::infinity();
    std::string escrito;
    {
        Escritor e(escrito);
        e.AbreLista();
        for (const double v : {inf, -inf, std::nan(""), -0.0, 1e21, 0.1 + 0.2})
            e.Numero(v);
        e.CierraLista();
    }
    QCOMPARE(escrito, std::string("[null,null,null,-0,1e+21,0.30000000000000004]"));
    // Whole numbers take a shorter road, to the same text.
    for (double x = -100001; x <= 100001; ++x) {
        char t[32];
        escrito.clear();
        Escritor(escrito).Numero(x);
        QCOMPARE(escrito, std::string(t, std::to_chars(t, t + sizeof t, x).ptr));
    }
}

// An array is answered by one array, a refusal in place of its request; a
// break anywhere leaves a single error.
void TstCalc::lote()
{
    const QByteArray bien = B(tormenta), otro = S(R"("NAC":70,"NI":80,"NR":60,"SI":10,"SR":2,"CAPA":50)");
    const QList<QByteArray> peticiones = {bien, B(R"(,"storm":{"P":0,"condition":2})"), otro, "7",
                                          B(R"(,"storm":{"P":50,"P":50,"condition":2})")};
    int estado = -1;
    std::string esperada;
    for (const QByteArray& p : peticiones) {
        const std::string una = Calcula(p, estado);
        esperada += (esperada.empty() ? "[" : ",") + una.substr(0, una.size() - 1);
    }
    QCOMPARE(Calcula("\xEF\xBB\xBF [" + peticiones.join(",\n ") + "]\n", estado), esperada + "]\n");
    QCOMPARE(estado, 2);
    QCOMPARE(Calcula(QByteArray(" [ ] "), estado), std::string("[]\n"));
    QCOMPARE(estado, 0);
}

// Each row: the input, and the start of each line of the answer. A refusal
// with a catalogue id is written whole; one without says why in a message.
void TstCalc::respuestas_data()
{
    QTest::addColumn<QByteArray>("entrada");
    QTest::addColumn<QStringList>("respuestas");
    QTest::addColumn<bool>("lineas");

    auto fila = [](const char* nombre, const QByteArray& entrada, const QStringList& respuestas, bool lineas = false) {
        QTest::newRow(nombre) << entrada << respuestas << lineas;
    };
    auto fallo = [](int id, const char* campo, const QString& donde = {}, const QString& mensaje = {}) {
        const QString f = QStringLiteral("{\"error\":{\"id\":%1,\"field\":\"%2\"%3").arg(id).arg(campo, donde);
        return id ? f + "}}" : f + ",\"message\":\"" + mensaje;
    };
    auto uno = [&](const char* nombre, const QByteArray& entrada, int id, const char* campo,
                   const QString& donde = {}) { fila(nombre, entrada, {fallo(id, campo, donde)}); };
    auto en = [](const char* k, int v) { return QStringLiteral(",\"%1\":%2").arg(k).arg(v); };
    auto celda = [](int m, int c) { return QStringLiteral(",\"month\":%1,\"column\":%2").arg(m).arg(c); };
    auto anio = [](const char* caso, const QList<QByteArray>& filas) { return B("," + Anio(caso, filas)); };

    uno("no site", Pide(tormenta.mid(1)), 0, "site");
    uno("site not object", Pide(R"("site":[70])"), 0, "site");
    uno("presence before ranges", S(R"("NAC":0,"NI":90,"NR":60,"SI":4,"SR":1)"), 0, "CAPA");
    uno("NR before SI", S(R"("NAC":70,"NI":90,"NR":100.5,"SI":0,"SR":1,"CAPA":100)"), 1076, "NR");
    uno("CAPA 10000 before NI", S(R"("NAC":70,"NI":0,"NR":60,"SI":4,"SR":1,"CAPA":10000)"), 1538, "CAPA");

    const QByteArray base = R"("NAC":70,"NR":60,"SI":4,"SR":1,"CAPA":100)";
    uno("neither NI nor zones", S(base + R"(,"NI":null)"), 0, "NI");
    uno("NI and zones", S(base + R"(,"NI":90,"zones":[[4,90]])"), 0, "zones");
    uno("NI text", S(base + R"(,"NI":"90")"), 0, "NI");
    uno("NI 0", S(base + R"(,"NI":0)"), 1076, "NI");
    uno("zones not a list", S(base + R"(,"zones":{"1":[4,90]})"), 0, "zones");
    uno("6 zones", S(base + R"(,"zones":[[1,90],[1,90],[1,90],[1,90],[0,90],[0,90]])"), 0, "zones");
    uno("zone not a pair", S(base + R"(,"zones":[[1,90],[3]])"), 0, "zones", en("zone", 2));
    uno("zone area 1000", S(base + R"(,"zones":[[3,90],[1000,0]])"), 1074, "zones", en("zone", 2));
    uno("capacity 10000", S(base + R"(,"NI":90,"capacity":10000)"), 0, "capacity");
    uno("capacity 2^64", S(base + R"(,"NI":90,"capacity":18446744073709551616)"), 0, "capacity");

    uno("storm not object", B(R"(,"storm":[50,2])"), 0, "storm");
    uno("storm no P", B(R"(,"storm":{"condition":2})"), 0, "P");
    uno("storm 1e-400 reads as 0", B(R"(,"storm":{"P":1e-400,"condition":2})"), 1134, "P");
    uno("storm 1000 before condition", B(R"(,"storm":{"P":1000,"condition":7})"), 1134, "P");
    uno("condition 2.5", B(R"(,"storm":{"P":50,"condition":2.5})"), 0, "condition");
    uno("site before storm", Pide("\"site\":{" + base + R"(},"storm":{"P":0,"condition":2})"), 0, "NI");

    uno("series not list", B(R"(,"series":{"P":50})"), 0, "series");
    uno("series item", B(R"(,"series":[{"P":50,"condition":2},3])"), 0, "series", en("storm", 2));
    uno("series 1000", B(R"(,"series":[{"P":50,"condition":2},{"P":1000,"condition":2}])"), 1212, "P", en("storm", 2));
    uno("storm before series", B(R"(,"series":[{"P":0,"condition":2}],"storm":{"P":0,"condition":2})"), 1134, "P");
    uno("series before year", B(R"(,"series":[{"P":0,"condition":2}],)" + Anio("9", {})), 1212, "P", en("storm", 1));

    uno("year not object", B(R"(,"year":[])"), 0, "year");
    uno("case 4", anio("4", {}), 0, "case");
    uno("11 months", B(R"(,"year":{"case":1,"months":[[0,0,0]]})"), 0, "months");
    uno("short row", anio("1", {"[0,0,0]", "[0,0]"}), 0, "months", en("month", 2));
    uno("shape before cells", anio("1", {"[1000,0,0]", "[0,0,0]", "[0,\"0\",0]"}), 0, "months", celda(3, 2));
    uno("P 1000", anio("1", {"[1000,0,0]"}), 1028, "months", celda(1, 1));
    uno("cells before the year check", anio("1", {"[null,0,0]", "[0,0,0]", "[0,0,40]"}), 1029, "months", celda(3, 3));
    uno("wrong triple", anio("1", {"[0,0,0]", "[5,0,2]"}), 1031, "months", celda(2, 3));

    // Input that is no usable JSON: one error naming no field, even for a batch.
    auto mal = [&](const char* nombre, const QByteArray& entrada, const QString& mensaje) {
        fila(nombre, entrada, {fallo(0, "", {}, mensaje)});
    };
    auto valor = [](const char* que) { return QString("malformed JSON in the value at byte 0: ") + que; };
    const QByteArray bien = B();
    mal("cut short", "{\"site\":", valor("a bracket or brace left open"));
    mal("empty", " \n", "the input is empty");
    mal("NaN", B(R"(,"storm":{"P":NaN,"condition":2})"), valor("NaN and Infinity are not JSON numbers"));
    mal("10,000 digits", B(",\"storm\":{\"P\":" + QByteArray(10000, '7') + "}"),
        valor("a number beyond the range of a double: 777"));
    mal("leading zero", B(R"(,"storm":{"P":050,"condition":2})"), valor("a malformed number: 050"));
    mal("missing colon", R"({"site" 1})", valor("a missing or stray comma"));
    mal("trailing comma", "[" + bien + ",]", "malformed JSON at byte 62: a value expected");
    mal("broken batch", "[" + bien + "," + bien + "{]", "malformed JSON at byte 122: expected ',' or ']'");
    mal("text after an array", "[" + bien + "] x", "malformed JSON at byte 63: unexpected text after the JSON value");
    mal("array not closed", "[" + bien + ",", "malformed JSON at byte 62: the array is not closed");
    mal("control character", "{\"a\":\"\t\"}", valor("a control character in a string"));
    mal("invalid UTF-8", B(",\"note\":\"\xC3\x28\""), valor("the text is not valid UTF-8"));
    mal("lone surrogate in a key", B(",\"\\uD800\":1"), valor("a bad escape in a string"));
    mal("deep", QByteArray(100000, '['), "malformed JSON in the value at byte 1: nested too deeply");
    mal("a request in a string", "\"" + QByteArray(bien).replace("\"", "\\\"") + "\"",
        "a request must be a JSON object");
    mal("duplicate key", B(R"(,"remark":{"a":1,"\u0061":2})"), "the key \\\"a\\\" appears twice in one object");

    // Streams: a line per request, a refusal in its place.
    const QByteArray otro = B(tormenta), rechazada = B(R"(,"storm":{"P":0,"condition":2})");
    const QString s = "{\"site\":{\"outcome\":\"completed\"", rechazo = fallo(1134, "P");
    const QByteArray enorme = "{\"note\":\"" + QByteArray(9 << 20, 'x') + "\"}\n" + otro;
    fila("sequence", otro + "\n" + otro + otro + "\n\n  " + otro, {s, s, s, s});
    fila("pretty, with a byte order mark", "\xEF\xBB\xBF" + B().replace(",", ",\n  ").replace(":", ": ") + "\n", {s});
    fila("refused goes on", otro + "\n" + rechazada + "\n" + otro, {s, rechazo, s});
    fila("duplicate goes on", B(R"(,"site":1)") + otro, {fallo(0, "", {}, "the key"), s});
    fila("malformed ends", otro + "\n{\"a\":1,}\n" + otro,
         {s, fallo(0, "", {}, "malformed JSON in the value at byte 92")});
    fila("text after", otro + " x",
         {s, fallo(0, "", {}, "malformed JSON in the value at byte 92: unexpected text: x")});
    fila("too long ends", enorme, {fallo(0, "", {}, "the value at byte 0 is longer than 8 MiB")});
    // JSON Lines: a line that is not JSON is answered and the rest go on.
    auto linea = [&](int n, const char* que) {
        return fallo(0, "", {}, QStringLiteral("malformed JSON on line %1: %2").arg(n).arg(que));
    };
    fila("lines", otro + "\r\n\n \t\r\n{\"a\":\n" + rechazada + "\n" + otro + " x\n" + otro + otro + "\n[1]\n" + otro,
         {s, linea(4, "a bracket or brace left open"), rechazo, linea(6, "unexpected text: x"), linea(7, "a missing"),
          fallo(0, "", {}, "a request must be a JSON object"), s},
         true);
    fila("long line skipped", enorme, {fallo(0, "", {}, "line 1 is longer than 8 MiB"), s}, true);
    fila("no lines", "\n \n", {}, true);
}

void TstCalc::respuestas()
{
    QFETCH(QByteArray, entrada);
    QFETCH(QStringList, respuestas);
    QFETCH(bool, lineas);
    int estado = -1;
    QList<QByteArray> salida = QByteArray::fromStdString(Calcula(entrada, estado, lineas)).split('\n');
    QCOMPARE(salida.takeLast(), QByteArray()); // the last line ends too
    QCOMPARE(salida.size(), respuestas.size());
    for (int i = 0; i < salida.size(); ++i) {
        QVERIFY(QJsonDocument::fromJson(salida[i]).isObject());
        QVERIFY2(salida[i].startsWith(respuestas[i].toUtf8()), salida[i].left(300).constData());
    }
    QCOMPARE(estado, respuestas.join("").contains("{\"error\"") ? 2 : 0);
}

// The executable: FILE holds the input, DIR is a scratch folder; an answer
// left empty must equal the one computed here.
void TstCalc::proceso_data()
{
    QTest::addColumn<QString>("orden"); // run by bash, with $C the calculator
    QTest::addColumn<QByteArray>("entrada");
    QTest::addColumn<int>("salida");
    QTest::addColumn<QString>("respuesta"); // what standard output holds
    QTest::addColumn<QString>("queja");     // what standard error holds, if anything

    auto fila = [](const char* nombre, const QString& orden, const QByteArray& entrada, int salida,
                   const char* respuesta, const char* queja) {
        QTest::newRow(nombre) << orden << entrada << salida << QString(respuesta) << QString(queja);
    };
    const QByteArray bien = B(tormenta), mal = B(R"(,"storm":{"P":1000,"condition":2})");
    fila("file", "$C FILE", "[" + bien + "," + bien + "]", 0, "", "");
    fila("stdin", "$C < FILE", bien, 0, "", "");
    fila("dash, lines, -j 2", "$C --lines -j 2 - < FILE", bien + "\n{\n" + mal, 2, "", "");
    fila("refused", "$C -j1 FILE", mal, 2, "", "");
    fila("no such file", "$C DIR/none", QByteArray(), 2, "cannot open DIR/none: No such file", "");
    fila("a directory", "$C DIR", QByteArray(), 2, "cannot read DIR: Is a directory", "");
    fila("example", "$C " HIDRELA_EJEMPLO, QByteArray(), 0, "\"year\":{\"PAnual\":", "");
    fila("help", "$C --help", QByteArray(), 0, "usage: hidrela-calc [--lines] [-j N] [FILE]", "");
    fila("version", "$C --version", QByteArray(), 0, "hidrela-calc ", "");
    fila("two files", "$C FILE FILE", bien, 2, "usage: hidrela-calc", "");
    fila("-j 0", "$C -j 0 FILE", bien, 2, "-j takes a number of threads", "");
    fila("full device", "$C FILE > /dev/full", bien, 2, "", "No space left on device");
    fila("closed output", "$C FILE >&-", bien, 2, "", "standard output is closed");
    fila("help on a full device", "$C --help > /dev/full", QByteArray(), 2, "", "No space left on device");
    fila("version on a full device", "$C --version > /dev/full", QByteArray(), 2, "", "No space left on device");
    // Any number of threads gives the answers of one, byte for byte.
    fila("10,000 lines, -j 1", "$C --lines -j 1 FILE", Lineas(10000), 2, "", "");
    fila("10,000 lines, -j 2", "$C --lines -j 2 FILE", Lineas(10000), 2, "", "");
    // The answers are far more than a pipe holds: the writing meets a closed pipe.
    fila("broken pipe", "$C --lines FILE | head -c 10", Lineas(2000), 0, "{\"site\":{", "");
    // A daily record of 2021, dry but for two days in March (dormant): 15 mm, then 2.5 mm two days later.
    QByteArray lluvia;
    for (QDate d(2021, 1, 1); d.year() == 2021; d = d.addDays(1))
        lluvia += d.toString("yyyy-MM-dd;").toUtf8() + (d.dayOfYear() == 69   ? "15\n"
                                                        : d.dayOfYear() == 71 ? "2,5\n"
                                                                              : "0\n");
    fila(
        "import rain", "$C --import-rain FILE --year 2021", lluvia, 0,
        R"("storms":2,"storms_missing_in_five":0,"year_missing":0,"largest_day":["2021-03-10",15],"mean_annual":17.5,"series":[[15,1],[2.5,2]],"year":[[0,0,0],[0,0,0],[17.5,15,2],[0,0,0])",
        "");
    fila("import rain, negative", "$C --import-rain FILE", "fecha;mm\n" + lluvia.replace(";15", ";-15"), 2,
         R"({"error":{"id":1745,"field":"import-rain","line":70,"message":"line 70 of )", "");
    // Station records as published: the columns found or chosen, the unit,
    // missing markers, traces and dates given twice.
    const auto iso = [](QDate d) { return d.toString(Qt::ISODate).toUtf8(); };
    fila("CDO, quoted, inches", "$C --import-rain FILE --unit in",
         Estacion(R"("STATION","NAME","DATE","PRCP","PRCP_ATTRIBUTES")",
                  [&](QDate d, int n) {
                      return R"("XX0001","SYNTHETIC, NOWHERE",")" + iso(d) + R"(",")" + (n == 5 ? "0.50" : "0.00") +
                             R"(",",,7,")";
                  }),
         0, R"("columns":{"date":"DATE","depth":"PRCP"},"unit":"in","largest_day":["2021-01-05",12.7])", "");
    fila("wide, NA", "$C --import-rain FILE --year 2021",
         Estacion("year,month,day,date,day_of_year,PRCP_MM,PRCP,TMAX",
                  [&](QDate d, int n) {
                      const QByteArray mm = n == 3 ? "NA" : n == 5 ? "12.5" : "0", t = n == 5 ? "125" : "0";
                      return QByteArray::number(d.year()) + "," + QByteArray::number(d.month()) + "," +
                             QByteArray::number(d.day()) + "," + iso(d) + "," + QByteArray::number(n) + "," + mm + "," +
                             t + ",NA";
                  }),
         0, R"("storms_missing_in_five":1,"year_missing":1,"columns":{"date":"date","depth":"PRCP_MM"},)", "");
    fila("year, month, day; tenths", "$C --import-rain FILE --unit 0.1mm",
         Estacion("year;month;day;rain",
                  [](QDate d, int n) {
                      return QByteArray::number(d.year()) + ";" + QByteArray::number(d.month()) + ";" +
                             QByteArray::number(d.day()) + ";" + (n == 5 ? "125" : "0");
                  }),
         0, R"("columns":{"date":"year,month,day","depth":"rain"},"unit":"0.1mm","largest_day":["2021-01-05",12.5])",
         "");
    fila("chosen by number, cm", "$C --import-rain FILE --date 2 --depth 3 --unit cm",
         Estacion("", [&](QDate d, int n) { return "x;" + iso(d) + ";" + (n == 5 ? "1,25" : "Ip"); }), 0,
         R"("largest_day":["2021-01-05",12.5])", "");
    fila("M and T", "$C --import-rain FILE --unit in --year 2021",
         Estacion("DATE,PRCP", [&](QDate d, int n) { return iso(d) + "," +
                                                            (n == 2   ? "M"
                                                             : n == 5 ? "1.00"
                                                                      : "T"); }),
         0, R"("missing":1,"rainy":1,"storms":1,)", "");
    fila("own missing marker", "$C --import-rain FILE --missing -99.9 --year 2021",
         Estacion("fecha;prec", [&](QDate d, int n) { return iso(d) + ";" + (n == 2 ? "-99.9" : "0"); }), 0,
         R"("missing":1,)", "");
    fila("no column", "$C --import-rain FILE --depth lluvia",
         Estacion("fecha;prec", [&](QDate d, int) { return iso(d) + ";0"; }), 2,
         R"(entrada has no column \"lluvia\"; its columns are: fecha, prec"}})", "");
    fila("which columns", "$C --import-rain FILE",
         Estacion("station,date,tmax", [&](QDate d, int) { return "X," + iso(d) + ",12"; }), 2,
         R"({"error":{"id":1881,)", "");
    fila("over 2000 mm", "$C --import-rain FILE",
         Estacion("date,mm", [&](QDate d, int n) { return iso(d) + "," + (n == 5 ? "2000.1" : "0"); }), 2,
         R"({"error":{"id":1746,"field":"import-rain","line":6,)", "");
    const QByteArray dos =
        Estacion("date,mm", [&](QDate d, int n) { return iso(d) + "," + (n == 5 ? "8\n" + iso(d) + ",9" : "0"); });
    fila("twice, refused", "$C --import-rain FILE", dos, 2, R"({"error":{"id":1748,"field":"import-rain","line":7,)",
         "");
    fila("twice, first", "$C --import-rain FILE --duplicates first", dos, 0,
         R"("duplicates_resolved":1,"largest_day":["2021-01-05",8])", "");
    fila("twice, last", "$C --import-rain FILE --duplicates last", dos, 0,
         R"("duplicates_resolved":1,"largest_day":["2021-01-05",9])", "");
    fila("twice, same depth", "$C --import-rain FILE", QByteArray(dos).replace(",9\n", ",8\n"), 0,
         R"("duplicates_same":1,"largest_day":["2021-01-05",8])", "");
}

void TstCalc::proceso()
{
    QFETCH(QString, orden);
    QFETCH(QByteArray, entrada);
    QFETCH(int, salida);
    QFETCH(QString, respuesta);
    QFETCH(QString, queja);

    QTemporaryDir dir;
    QFile f(dir.filePath("entrada"));
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(entrada) == entrada.size());
    f.close();
    orden.replace("FILE", f.fileName()).replace("DIR", dir.path());
    respuesta.replace("DIR", dir.path());
    QProcess p;
    p.setEnvironment(QProcess::systemEnvironment() << "C=" HIDRELA_CALC);
    p.start("bash", {"-c", "set -o pipefail; " + orden});
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), salida);
    const QByteArray out = p.readAllStandardOutput(), err = p.readAllStandardError();
    QVERIFY2(queja.isEmpty() ? err.isEmpty() : err.contains(queja.toUtf8()), err.constData());
    int estado = -1;
    if (respuesta.isEmpty() && queja.isEmpty())
        QCOMPARE(out.toStdString(), Calcula(entrada, estado, orden.contains("--lines")));
    QVERIFY2(out.contains(respuesta.toUtf8()), out.left(200).constData());
}

QTEST_APPLESS_MAIN(TstCalc)
#include "tst_calc.moc"
