#include "calc/Calculadora.h"

#include "ApoyoModelo.h"
#include "model/BalanceAguacero.h"
#include "model/CalculoAnual.h"
#include "model/Numero.h"
#include "model/Serie.h"
#include "model/Zonas.h"

#include <QtTest>

#include <array>

namespace {

std::string Calcula(const QByteArray& entrada, int& estado)
{
    return ::Calcula(std::string_view(entrada.constData(), static_cast<std::size_t>(entrada.size())), estado);
}

// The site of the storm examples, and a site whose contributing area sheds first.
const QByteArray sitioB = R"("site":{"NAC":70,"NI":90,"NR":60,"SI":4,"SR":1,"CAPA":100})";

QByteArray Sitio(const QByteArray& campos)
{
    return "\"site\":{" + campos + "}";
}
QByteArray Pide(const QByteArray& partes)
{
    return "{" + partes + "}";
}
// A request of a site alone, and one of the storm site with more parts.
QByteArray S(const QByteArray& campos)
{
    return Pide(Sitio(campos));
}
QByteArray B(const QByteArray& partes = {})
{
    return Pide(sitioB + partes);
}

// A year whose months are given from January on; the rest are dry.
QByteArray Anio(const QByteArray& caso, QList<QByteArray> filas)
{
    while (filas.size() < 12)
        filas << "[0,0,0]";
    return "\"year\":{\"case\":" + caso + ",\"months\":[" + filas.join(',') + "]}";
}

QJsonDocument Lee(const std::string& salida)
{
    QJsonParseError e;
    const QJsonDocument d = QJsonDocument::fromJson(QByteArray::fromStdString(salida), &e);
    if (e.error != QJsonParseError::NoError)
        qWarning("not JSON: %s", salida.c_str());
    return d;
}

// The answer, checked to be one line of JSON with its single line break.
QJsonDocument Responde(const QByteArray& entrada, int* estado = nullptr)
{
    int e = -1;
    const std::string salida = Calcula(entrada, e);
    if (salida.empty() || salida.back() != '\n' || salida.find('\n') != salida.size() - 1)
        qWarning("not one line: %s", salida.c_str());
    if (estado)
        *estado = e;
    return Lee(salida);
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
    if (v.isUndefined())
        return "<absent>";
    return v.toString();
}

// Exact comparison of answer numbers with the core's own.
struct Exactas {
    QStringList fallos;
    void Uno(const QJsonValue& v, double x, const QString& que)
    {
        if (!(v.isDouble() && v.toDouble() == x))
            fallos << QStringLiteral("%1: %2 != %3").arg(que, Muestra(v), QString::number(x, 'g', 17));
    }
    template <std::size_t N> void Lista(const QJsonValue& v, const std::array<double, N>& xs, const QString& que)
    {
        if (v.toArray().size() != static_cast<qsizetype>(N))
            fallos << que + ": wrong length";
        for (std::size_t i = 0; i < N; ++i)
            Uno(v.toArray().at(static_cast<qsizetype>(i)), xs[i], que + "/" + QString::number(i));
    }
};

} // namespace

class TstCalc : public QObject {
    Q_OBJECT
  private slots:
    void cifras_data();
    void cifras();
    void exactas();
    void lote();
    void errores_data();
    void errores();
    void proceso_data();
    void proceso();
};

// One round trip per part, with the worked figures as the display shows them.
void TstCalc::cifras_data()
{
    QTest::addColumn<QByteArray>("entrada");
    QTest::addColumn<QStringList>("cifras"); // "path=shown"

    const QByteArray c = R"("NAC":70,"NI":60,"NR":80,"SI":10,"SR":2,"CAPA":)";
    const QByteArray aguacero = R"(,"storm":{"P":50,"condition":2})";
    QTest::newRow("site, NR <= NI") << S(R"("NAC":70,"NI":80,"NR":60,"SI":10,"SR":2,"CAPA":50)")
                                    << QStringList{"site/N/1=76.67",
                                                   "site/P0/1=15.46",
                                                   "site/P0US/1=35.61",
                                                   "site/NUS/1=58.79",
                                                   "site/CapaMinima=<absent>",
                                                   "site/relations/0/relation=NAC < NI",
                                                   "site/relations/0/text=1159.00"};
    QTest::newRow("site, NR > NI") << S(c + "50")
                                   << QStringList{"site/CapaMinima=25.20", "site/P0US/1=52.82", "site/NUS/1=49.03",
                                                  "site/capacityCheck=false"};
    // The capacity check closed: the site stops there and nothing else is computed.
    QTest::newRow("check closed") << Pide(Sitio(c + "5") + aguacero + R"(,"series":[],)" + Anio("3", {}))
                                  << QStringList{"site/outcome=abandoned", "site/capacityCheck=true",
                                                 "site/P0US=<absent>",     "site/verdict=<absent>",
                                                 "storm=<absent>",         "series=<absent>",
                                                 "year=<absent>",          "site/CapaMinima=25.20"};
    QTest::newRow("confirmed low") << S(c + R"(5,"capacity":5)")
                                   << QStringList{"site/outcome=completed", "site/beep=true"};
    QTest::newRow("confirmed 30") << S(c + R"(5,"capacity":30)") << QStringList{"site/beep=false", "site/CAPA=30.00"};
    QTest::newRow("confirmed is rounded") << S(c + R"(5,"capacity":12.34)") << QStringList{"site/CAPA=12.30"};
    QTest::newRow("capacity 9999.94") << S(c + R"(5,"capacity":9999.94)") << QStringList{"site/CAPA=9999.90"};
    QTest::newRow("capacity unused") << S(c + R"(50,"capacity":5)") << QStringList{"site/CAPA=50.00"};
    QTest::newRow("zones mean") << S(R"("NAC":70,"SI":10,"SR":2,"NR":60,"CAPA":50,"zones":[[4,90],[6,75]])")
                                << QStringList{"site/NI/1=81.00"};
    QTest::newRow("storm") << B(aguacero) << QStringList{"storm/PSinSist=44.19",      "storm/PMaxImperm=250.00",
                                                         "storm/PMaxAlcorque=158.43", "storm/CapaLibre=8.35",
                                                         "storm/CapaNecesaria=91.65", "storm/PPromedio=50.00",
                                                         "storm/SIxP=200.00"};
    QTest::newRow("P 999.9, condition 2.0")
        << B(R"(,"storm":{"P":999.9,"condition":2.0})") << QStringList{"storm/SIxP=3999.60"};
    QTest::newRow("null storm") << B(R"(,"storm":null)") << QStringList{"storm=<absent>"};
    // Acumulado 2 is twice the single storm's 44.187: 88.37, shown as 88.4. The
    // other totals are compared bit for bit below.
    QTest::newRow("series") << B(R"(,"series":[{"P":50,"condition":2},{"P":50,"condition":2}])")
                            << QStringList{"series/NumAguaceros=2.00",   "series/NumEscLadera=2.00",
                                           "series/NumEscImpluvio=2.00", "series/NumFuera=0.00",
                                           "series/Acumulado/1=88.37",   "series/CapaMaxSerie=91.65"};
    QTest::newRow("empty series") << B(R"(,"series":[])")
                                  << QStringList{"series/NumAguaceros=0.00", "series/AlturaRepresas=0.00"};
    QTest::newRow("year") << B("," + Anio("3", {"[60,30,4]"}))
                          << QStringList{"year/PAnual=60.00",     "year/PMaxAnual=30.00",
                                         "year/DiasAnual=4.00",   "year/months/0/PV1=10.00",
                                         "year/months/0/N1=1.00", "year/months/0/PV2=20.00",
                                         "year/months/0/N2=1.00", "year/months/0/P5=20.00",
                                         "year/months/0/J=2.00",  "year/months/11/Dispon/3=0.00"};
    QTest::newRow("days 2.5 stored as 2")
        << B("," + Anio("1", {"[10,5,2.5]"})) << QStringList{"year/months/0/NDias=2.00"};
    QTest::newRow("unknown keys ignored") << B(R"(,"remark":[1,{"x":null}],"storm":{"P":50,"condition":2,"unit":"mm"})")
                                          << QStringList{"storm/SIxP=200.00"};
}

void TstCalc::cifras()
{
    QFETCH(QByteArray, entrada);
    QFETCH(QStringList, cifras);
    int estado = -1;
    const QJsonObject o = Responde(entrada, &estado).object();
    QCOMPARE(estado, 0);
    for (const QString& cifra : cifras) {
        const qsizetype igual = cifra.indexOf('=');
        QCOMPARE(cifra.left(igual) + "=" + Muestra(En(o, cifra.left(igual))), cifra);
    }
}

// Every number read back from the answer is the core's double, bit for bit,
// and is written as the shortest text that does so.
void TstCalc::exactas()
{
    const QByteArray entrada =
        Pide(Sitio(R"("NAC":70,"SI":0.3,"SR":0.7,"NR":80,"CAPA":0.25,"zones":[[0.1,61.3],[0.2,59.9]],"capacity":1)") +
             R"(,"storm":{"P":37.3,"condition":3},"series":[{"P":50,"condition":2},{"P":12.7,"condition":1}],)" +
             Anio("3", {"[60,30,4]", "[0,0,0]", "[0,0,0]", "[0,0,0]", "[0,0,0]", "[0,0,0]", "[90,40,6]"}));
    // 0.1 + 0.2 is not 0.3: give SI the sum the zones really make.
    QByteArray conSuma = entrada;
    conSuma.replace("\"SI\":0.3", "\"SI\":" + QByteArray::fromStdString(TextoExacto(0.1 + 0.2)));
    int estado = -1;
    const std::string salida = Calcula(conSuma, estado);
    QCOMPARE(estado, 0);
    const QJsonObject o = Lee(salida).object();

    SiteState s = Sitio(70, 0, 80, 0.1 + 0.2, 0.7, 0.25);
    QVERIFY(!PasoZonas(s, {{0.1, 61.3}, {0.2, 59.9}}));
    const ResultadoModelo rm = EjecutaModelo(s, [](SiteState& t) {
        t.CAPA = 1;
        t.CapaConfirmada = true;
    });
    QVERIFY(rm.comprobacionCapacidad);

    Exactas x;
    const QJsonValue sitio = o.value("site");
    x.Lista(En(sitio, "NI"), s.NI.v, "NI");
    x.Lista(En(sitio, "N"), s.N.v, "N");
    x.Lista(En(sitio, "P0US"), s.P0US.v, "P0US");
    x.Lista(En(sitio, "NUS"), s.NUS.v, "NUS");
    x.Lista(En(sitio, "CapaMinCond"), s.CapaMinCond.v, "CapaMinCond");
    x.Uno(En(sitio, "CapaMinima"), s.CapaMinima, "CapaMinima");
    x.Uno(En(sitio, "CAPA"), 1, "CAPA");

    ScenarioResults r;
    LimpiaResultados(r);
    BalanceAguacero(s, r, 37.3, 3);
    x.Uno(En(o, "storm/PBanqueta"), r.PBanqueta, "PBanqueta");
    x.Uno(En(o, "storm/CapaLibre"), r.CapaLibre, "CapaLibre");
    x.Uno(En(o, "storm/SIxP"), s.SI * 37.3, "SIxP");

    ScenarioResults rs;
    const TotalesSerie t = RecalculaSerie(s, rs, {{50, 2}, {12.7, 1}});
    x.Lista(En(o, "series/Acumulado"), t.Acumulado, "Acumulado");
    x.Uno(En(o, "series/AlturaRepresas"), rs.AlturaRepresas, "series/AlturaRepresas");
    x.Lista(En(o, "series/ResumenSerie"), ResumenDeSerie(t, 2), "ResumenSerie");

    CalculoAnual a;
    a.datos.PMes[0] = 60, a.datos.PMaxDia[0] = 30, a.datos.NDias[0] = 4;
    a.datos.PMes[6] = 90, a.datos.PMaxDia[6] = 40, a.datos.NDias[6] = 6;
    CalculaAguaceros(a, CasoEscorrentia::III);
    ScenarioResults ra;
    BalanceAnual(s, ra, a);
    x.Uno(En(o, "year/CapaMinAnual"), a.CapaMinAnual, "CapaMinAnual");
    for (int m : {0, 6})
        for (std::size_t k = 0; k < 4; ++k)
            x.Uno(En(o, QStringLiteral("year/months/%1/Dispon/%2").arg(m).arg(k)),
                  a.Dispon[k][static_cast<std::size_t>(m)], "Dispon");
    x.Uno(En(o, "year/months/6/N1"), a.N1[6], "N1");
    QVERIFY2(x.fallos.isEmpty(), qPrintable(x.fallos.join("; ")));

    // Shortest text: the very characters TextoExacto gives.
    const std::string nus =
        "\"NUS\":[" + TextoExacto(s.NUS(1)) + "," + TextoExacto(s.NUS(2)) + "," + TextoExacto(s.NUS(3)) + "]";
    QVERIFY2(salida.find(nus) != std::string::npos, nus.c_str());
}

void TstCalc::lote()
{
    const QByteArray bien = B(R"(,"storm":{"P":50,"condition":2})");
    const QByteArray otro = S(R"("NAC":70,"NI":80,"NR":60,"SI":10,"SR":2,"CAPA":50)");
    const QByteArray mal = B(R"(,"storm":{"P":0,"condition":2})");
    int e1 = -1, e2 = -1;
    const QJsonDocument uno = Responde(bien, &e1), dos = Responde(otro, &e2);
    QCOMPARE(e1 + e2, 0);

    int estado = -1;
    const QJsonArray l = Responde("[" + bien + "," + mal + "," + otro + ",7]", &estado).array();
    QCOMPARE(l.size(), 4);
    QCOMPARE(l.at(0).toObject(), uno.object());
    QCOMPARE(En(l.at(1), "error/id").toInt(), 1134);
    QCOMPARE(l.at(2).toObject(), dos.object());
    QCOMPARE(En(l.at(3), "error/id").toInt(), 0);
    QCOMPARE(estado, 2);

    QCOMPARE(Responde("[" + bien + "," + otro + "]", &estado).array().size(), 2);
    QCOMPARE(estado, 0);
    QCOMPARE(Calcula(QByteArray(" [ ] "), estado), std::string("[]\n"));
    QCOMPARE(estado, 0);
}

void TstCalc::errores_data()
{
    QTest::addColumn<QByteArray>("entrada");
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QVariantMap>("donde");

    // One row: name, request, catalogue id (0: none), field, and where.
    auto fila = [](const char* nombre, const QByteArray& entrada, int id, const char* campo,
                   const QVariantMap& donde = {}) {
        QTest::newRow(nombre) << entrada << id << QString(campo) << donde;
    };
    auto en = [](const char* k, int v) { return QVariantMap{{k, v}}; };
    auto celda = [](int m, int c) { return QVariantMap{{"month", m}, {"column", c}}; };
    auto anio = [](const char* caso, const QList<QByteArray>& filas) { return B("," + Anio(caso, filas)); };

    fila("no site", Pide(R"("storm":{"P":50,"condition":2})"), 0, "site");
    fila("site not object", Pide(R"("site":[70])"), 0, "site");
    fila("SI text", S(R"("NAC":70,"NI":90,"NR":60,"SI":"4","SR":1,"CAPA":100)"), 0, "SI");
    fila("presence before ranges", S(R"("NAC":0,"NI":90,"NR":60,"SI":4,"SR":1)"), 0, "CAPA");
    fila("NAC 0", S(R"("NAC":0,"NI":90,"NR":60,"SI":4,"SR":1,"CAPA":100)"), 1076, "NAC");
    fila("NR before SI", S(R"("NAC":70,"NI":90,"NR":100.5,"SI":0,"SR":1,"CAPA":100)"), 1076, "NR");
    fila("SI 1000", S(R"("NAC":70,"NI":90,"NR":60,"SI":1000,"SR":1,"CAPA":100)"), 1074, "SI");
    fila("SR 0", S(R"("NAC":70,"NI":90,"NR":60,"SI":4,"SR":0,"CAPA":100)"), 1074, "SR");
    fila("CAPA 10000 before NI", S(R"("NAC":70,"NI":0,"NR":60,"SI":4,"SR":1,"CAPA":10000)"), 1538, "CAPA");

    const QByteArray base = R"("NAC":70,"NR":60,"SI":4,"SR":1,"CAPA":100)";
    fila("neither NI nor zones", S(base + R"(,"NI":null)"), 0, "NI");
    fila("NI and zones", S(base + R"(,"NI":90,"zones":[[4,90]])"), 0, "zones");
    fila("NI text", S(base + R"(,"NI":"90")"), 0, "NI");
    fila("NI 0", S(base + R"(,"NI":0)"), 1076, "NI");
    fila("zones not a list", S(base + R"(,"zones":{"1":[4,90]})"), 0, "zones");
    fila("6 zones", S(base + R"(,"zones":[[1,90],[1,90],[1,90],[1,90],[0,90],[0,90]])"), 0, "zones");
    fila("zone not a pair", S(base + R"(,"zones":[[1,90],[3]])"), 0, "zones", en("zone", 2));
    fila("zone area 1000", S(base + R"(,"zones":[[3,90],[1000,0]])"), 1074, "zones", en("zone", 2));
    fila("zone N 0", S(base + R"(,"zones":[[3,0],[1000,90]])"), 1076, "zones", en("zone", 1));
    fila("0.1 + 0.2 vs 0.3", S(R"("NAC":70,"NR":60,"SI":0.3,"SR":1,"CAPA":100,"zones":[[0.1,90],[0.2,90]])"), 1077,
         "zones");
    fila("capacity 10000", S(base + R"(,"NI":90,"capacity":10000)"), 0, "capacity");
    fila("capacity 9999.95", S(base + R"(,"NI":90,"capacity":9999.95)"), 0, "capacity");

    fila("storm not object", B(R"(,"storm":[50,2])"), 0, "storm");
    fila("storm no P", B(R"(,"storm":{"condition":2})"), 0, "P");
    fila("storm 1e-400 reads as 0", B(R"(,"storm":{"P":1e-400,"condition":2})"), 1134, "P");
    fila("storm 1000 before condition", B(R"(,"storm":{"P":1000,"condition":7})"), 1134, "P");
    fila("condition 2.5", B(R"(,"storm":{"P":50,"condition":2.5})"), 0, "condition");
    fila("site before storm", Pide(Sitio(base) + R"(,"storm":{"P":0,"condition":2})"), 0, "NI");

    fila("series not list", B(R"(,"series":{"P":50})"), 0, "series");
    fila("series item", B(R"(,"series":[{"P":50,"condition":2},3])"), 0, "series", en("storm", 2));
    fila("series 1000", B(R"(,"series":[{"P":50,"condition":2},{"P":1000,"condition":2}])"), 1212, "P", en("storm", 2));
    fila("storm before series", B(R"(,"series":[{"P":0,"condition":2}],"storm":{"P":0,"condition":2})"), 1134, "P");
    fila("series before year", B(R"(,"series":[{"P":0,"condition":2}],)" + Anio("9", {})), 1212, "P", en("storm", 1));

    fila("year not object", B(R"(,"year":[])"), 0, "year");
    fila("case 4", anio("4", {}), 0, "case");
    fila("11 months", B(R"(,"year":{"case":1,"months":[[0,0,0]]})"), 0, "months");
    fila("short row", anio("1", {"[0,0,0]", "[0,0]"}), 0, "months", en("month", 2));
    fila("shape before cells", anio("1", {"[1000,0,0]", "[0,0,0]", "[0,\"0\",0]"}), 0, "months", celda(3, 2));
    fila("P 1000", anio("1", {"[1000,0,0]"}), 1028, "months", celda(1, 1));
    fila("days 31.5", anio("1", {"[900,30,31.5]"}), 1029, "months", celda(1, 3));
    fila("cells before the year check", anio("1", {"[null,0,0]", "[0,0,0]", "[0,0,40]"}), 1029, "months", celda(3, 3));
    fila("empty P", anio("1", {"[0,0,0]", "[null,0,0]"}), 1535, "months", celda(2, 1));
    fila("empty Pmax", anio("1", {"[10,null,2]"}), 1027, "months", celda(1, 2));
    fila("Pmax above P", anio("1", {"[50,60,4]"}), 1030, "months", celda(1, 2));
    fila("wrong triple", anio("1", {"[0,0,0]", "[5,0,2]"}), 1031, "months", celda(2, 3));

    // Input that is no usable JSON gets one error naming no field, even for a batch.
    const QByteArray bien = B();
    fila("cut short", "{\"site\":", 0, "");
    fila("empty", " \n", 0, "");
    fila("NaN", B(R"(,"storm":{"P":NaN,"condition":2})"), 0, "");
    fila("1e999", B(R"(,"storm":{"P":1e999,"condition":2})"), 0, "");
    fila("leading zero", B(R"(,"storm":{"P":050,"condition":2})"), 0, "");
    fila("trailing comma", "[" + bien + ",]", 0, "");
    fila("broken batch", "[" + bien + "," + bien + "{]", 0, "");
    fila("text after", bien + " x", 0, "");
    fila("control character", "{\"a\":\"\t\"}", 0, "");
    fila("deep", QByteArray(100000, '['), 0, "");
    fila("top-level number", "5", 0, "");
}

void TstCalc::errores()
{
    QFETCH(QByteArray, entrada);
    QFETCH(int, id);
    QFETCH(QString, campo);
    QFETCH(QVariantMap, donde);
    int estado = -1;
    const QJsonDocument d = Responde(entrada, &estado);
    QCOMPARE(estado, 2);
    const QJsonObject o = d.object();
    QCOMPARE(o.keys(), QStringList{"error"});
    const QJsonObject e = o.value("error").toObject();

    QVariantMap esperado = donde;
    esperado["id"] = id;
    esperado["field"] = campo;
    QVariantMap visto = e.toVariantMap();
    // Every id-0 error says why in words; catalogue errors need not.
    QCOMPARE(visto.contains("message"), id == 0);
    QVERIFY(id != 0 || !visto.take("message").toString().isEmpty());
    QCOMPARE(QJsonObject::fromVariantMap(visto), QJsonObject::fromVariantMap(esperado));
}

void TstCalc::proceso_data()
{
    QTest::addColumn<QStringList>("argumentos");
    QTest::addColumn<QByteArray>("entrada"); // on stdin, or in the file named "FILE"
    QTest::addColumn<int>("salida");

    const QByteArray bien = B(R"(,"storm":{"P":50,"condition":2})");
    const QByteArray mal = B(R"(,"storm":{"P":1000,"condition":2})");
    QTest::newRow("stdin") << QStringList{} << bien << 0;
    QTest::newRow("dash") << QStringList{"-"} << bien << 0;
    QTest::newRow("file") << QStringList{"FILE"} << "[" + bien + "," + bien + "]" << 0;
    QTest::newRow("refused") << QStringList{"FILE"} << mal << 2;
    QTest::newRow("malformed") << QStringList{} << QByteArray("{") << 2;
    QTest::newRow("no such file") << QStringList{"NONE"} << QByteArray() << 2;
    QTest::newRow("a directory") << QStringList{"DIR"} << QByteArray() << 2;
    QTest::newRow("example") << QStringList{"EXAMPLE"} << QByteArray() << 0;
}

void TstCalc::proceso()
{
    QFETCH(QStringList, argumentos);
    QFETCH(QByteArray, entrada);
    QFETCH(int, salida);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString fichero = dir.filePath("peticion.json");
    QFile f(fichero);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(entrada);
    f.close();
    for (QString& a : argumentos) {
        if (a == "FILE")
            a = fichero;
        else if (a == "NONE")
            a = dir.filePath("no-such.json");
        else if (a == "DIR")
            a = dir.path();
        else if (a == "EXAMPLE")
            a = QStringLiteral(HIDRELA_EJEMPLO);
    }

    QProcess p;
    p.start(HIDRELA_CALC, argumentos);
    QVERIFY(p.waitForStarted());
    if (argumentos.isEmpty() || argumentos.first() == "-")
        p.write(entrada);
    p.closeWriteChannel();
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), salida);

    const QByteArray out = p.readAllStandardOutput();
    QCOMPARE(out.count('\n'), 1);
    QVERIFY(out.endsWith('\n'));
    QJsonParseError e;
    const QJsonDocument d = QJsonDocument::fromJson(out, &e);
    QCOMPARE(e.error, QJsonParseError::NoError);
    if (!entrada.isEmpty()) {
        int estado = -1;
        QCOMPARE(out.toStdString(), Calcula(entrada, estado));
        QCOMPARE(estado, salida);
    } else if (salida == 2) {
        QVERIFY(!En(d.object(), "error/message").toString().isEmpty());
    } else {
        for (const char* parte : {"site", "storm", "series", "year"})
            QVERIFY2(d.object().contains(parte), parte);
    }
}

QTEST_APPLESS_MAIN(TstCalc)
#include "tst_calc.moc"
