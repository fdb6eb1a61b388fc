// The storm series window and its summary: building the list, paging,
// recomputation of the whole list, refusals, and the hand-over.
#include "ApoyoTormentas.h"

#include "app/ImportaLluvia.h"
#include "common/Catalogo.h"
#include "documento/ArchivoSitio.h"
#include "storms/frmGraficoSerie.h"
#include "storms/frmSerie.h"
#include "widgets/Exportacion.h"

#include <QAbstractBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>

using namespace apoyo;

namespace {

const QString Serie = QStringLiteral("frmSerie");

// The storm shown, the bar's value and end, then the depth and the condition shown.
QString Estado(QWidget* w)
{
    auto* barra = Control<QScrollBar>(w, QStringLiteral("btnAguacero"));
    return QStringLiteral("%1 %2/%3 [%4] %5")
        .arg(Texto(w, "lblNumAguacero"), QString::number(barra->value()), QString::number(barra->maximum()),
             Texto(w, "txtPrecip"), Texto(w, "lstHumedad", "currentText"));
}

// The bars of a chart of the series window, set by set: "h1 h2 ...".
QStringList Barras(QWidget* g, const QString& vista)
{
    QStringList sets;
    for (QAbstractSeries* serie : Control<QChartView>(g, vista)->chart()->series())
        if (auto* barras = qobject_cast<QAbstractBarSeries*>(serie))
            for (const QBarSet* b : barras->barSets()) {
                QStringList h;
                for (int i = 0; i < b->count(); ++i)
                    h << QString::number(b->at(i), 'f', 1);
                sets << h.join(' ');
            }
    return sets;
}

} // namespace

class TstSerie : public QObject {
    Q_OBJECT

    std::unique_ptr<Sesion> s;
    QWidget* AbreSerie() { return AbreDesdeEleccion(*s, QStringLiteral("cmdSerie"), Serie); }

  private slots:
    void init() { s = AbrePrograma(); }
    void cleanup()
    {
        s.reset();
        Recoge();
    }

    // A blank first storm, then two storms of 50 mm in condition II; then
    // storm 1 changed to 20 mm: stored on paging, totals from both. Going
    // back asks first once a storm is typed: No stays, Yes goes.
    void dosAguaceros()
    {
        QWidget* w = AbreSerie();
        QCOMPARE(Estado(w), QString("1 1/1 [] "));
        QCOMPARE(Resultados(w, 12), QStringList(12, QString()));
        QCOMPARE(Foco(), QString("txtPrecip"));
        QStringList preguntas;
        auto anterior = [&](bool si) {
            FuncionPregunta antes =
                CambiaPregunta([&](const QString& t, const QString& x, const QString&, const QString& no) {
                    preguntas << t + ": " + x + " " + no;
                    return si;
                });
            Pulsa(w, "cmdSigue");
            CambiaPregunta(std::move(antes));
        };

        Rellena(w, "50", "2");
        anterior(false);
        QVERIFY(s->nav.Ventana(Serie) == w);
        QCOMPARE(Estado(w), QString("1 1/1 [50.0] 2"));
        Pulsa(w, "cmdAñadir");
        QCOMPARE(Estado(w), QString("2 2/2 [] "));
        Rellena(w, "50", "2");
        Pulsa(w, "cmdResumen");
        QCOMPARE(Resultados(w, 12), QString("2 2 2 0 100.0 88.4 316.9 45.8 100.0 316.9 91.7 91.7").split(' '));
        QCOMPARE(Ayuda(w, "txtResultado(4)"), QString("100.00"));
        QWidget* r = s->nav.Ventana("frmResumen");
        QVERIFY(r && s->nav.Ventana(Serie) && Texto(r, "txtDato(1)") == "2");
        QVERIFY(Control(r, "mrcSerie")->isVisible() && !Control(r, "mrcAislado")->isVisible());
        // Its CSV: the boxes shown, "." decimals, full values beside, the
        // single storm's hidden group left out.
        const QString csv = TextoCSV(r, s->v);
        QVERIFY2(csv.startsWith("Result,Value,Value (exact)\nPrecipitation series,,\n") && csv.count('\n') == 13 &&
                     csv.contains("\nOn the current slope,88.4,88.37\nOn the systematized slope,100.0,100.00\n"),
                 qPrintable(csv));
        Pulsa(r, "Command1");

        Pagina(w, Qt::Key_Up);
        QCOMPARE(Estado(w), QString("1 1/2 [50.0] 2"));
        Rellena(w, "20", "");
        Pagina(w, Qt::Key_Down);
        QCOMPARE(Estado(w) + ' ' + Texto(w, "txtResultado(4)"), QString("2 2/2 [50.0] 2 70.0"));
        Pulsa(w, "cmdCalcular");
        QCOMPARE(Texto(w, "txtResultado(4)"), QString("70.0"));
        anterior(true);
        QVERIFY(!s->nav.Ventana(Serie) && s->nav.Ventana("frmEleccion"));
        QCOMPARE(preguntas, (QStringList{"HIDRELA: Discard the storm of this series? No",
                                         "HIDRELA: Discard the 2 storms of this series? No"}));
    }

    // A storm that does not validate keeps the list as it is.
    void rechazos_data()
    {
        QTest::addColumn<Intento>("caso");
        QTest::newRow("paging past a blank storm") << Intento{"", "", "up", "", "txtPrecip"};
        QTest::newRow("paging without a condition") << Intento{"30", "", "up", "", "lstHumedad"};
        QTest::newRow("paging with 1000 mm") << Intento{"1000", "2", "up", apoyo::FueraDeRango, "txtPrecip"};
        QTest::newRow("adding after 0 mm") << Intento{"0", "2", "cmdAñadir", apoyo::FueraDeRango, "txtPrecip"};
    }
    void rechazos()
    {
        QFETCH(Intento, caso);
        QWidget* w = AbreSerie();
        Rellena(w, "50", "2");
        Pulsa(w, "cmdAñadir");
        Intenta(w, caso);
        QCOMPARE(Estado(w).left(5) + ' ' + Texto(w, "txtResultado(0)"), QString("2 2/2 1"));
    }

    // The bar's auto-repeat goes on while the refusal is on screen: it asks
    // for no second refusal, and the bar stays on the storm shown.
    void rechazoDuranteLaRepeticion()
    {
        QWidget* w = AbreSerie();
        auto* barra = Control<QScrollBar>(w, "btnAguacero");
        Rellena(w, "50", "2");
        Pulsa(w, "cmdAñadir");
        Rellena(w, "1000", "2");
        int cajas = 0;
        FuncionMensaje antes = CambiaMensaje([&](Icono, const QString&, const QString&) {
            if (++cajas == 1)
                barra->triggerAction(QAbstractSlider::SliderSingleStepSub); // the repeat timer
        });
        Pagina(w, Qt::Key_Up);
        CambiaMensaje(std::move(antes));
        QVERIFY(cajas == 1 && Estado(w).startsWith("2 2/2"));
    }

    // A column of depths and one of conditions pasted into the depth box:
    // one storm a line after the storm shown, or in its place while blank.
    void pegado_data()
    {
        QTest::addColumn<QString>("primero");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("aviso"); // the start of the refusal
        QTest::addColumn<QString>("estado");
        const auto fila = [](const char* n, const char* primero, const char* texto, const char* aviso, const char* e) {
            QTest::newRow(n) << QString(primero) << QString(texto) << QString(aviso) << QString(e);
        };
        fila("into a blank storm", "", "30\t2\r\n12,5\t3\r\n", "", "2 2/2 [12.5] 3");
        fila("after a storm", "50", "30;1\n20;2", "", "3 3/3 [20.0] 2");
        fila("no conditions", "", "30\n20", "Line 1 of the pasted text: the second", "1 1/1 [] ");
        fila("0 mm on line 2", "50", "30\t2\n0\t2", "Line 2 of the pasted text: ", "1 1/1 [50] 2");
    }
    void pegado()
    {
        QFETCH(QString, primero);
        QFETCH(QString, texto);
        QFETCH(QString, aviso);
        QFETCH(QString, estado);
        Registro r;
        QWidget* w = AbreSerie();
        if (!primero.isEmpty())
            Rellena(w, primero, "2");
        auto* caja = Control<QLineEdit>(w, "txtPrecip");
        caja->setFocus();
        QGuiApplication::clipboard()->setText(texto);
        QTest::keyClick(caja, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(r.cajas.size(), std::size_t(aviso.isEmpty() ? 0 : 1));
        QVERIFY(aviso.isEmpty() || r.cajas[0].texto.startsWith(aviso));
        QCOMPARE(Estado(w), estado);
    }

    // A year of 10 mm on the first of each month: twelve storms in condition
    // I and twelve months of 10 mm in one day; a bad line changes nothing.
    void importa_data()
    {
        QTest::addColumn<QString>("malo"); // a line replacing 2023-03-01, refused
        QTest::newRow("a year") << QString();
        QTest::newRow("negative depth") << QString("2023-03-01;-2");
    }
    void importa()
    {
        QFETCH(QString, malo);
        const bool bien = malo.isEmpty();
        QTemporaryDir dir;
        QFile f(dir.filePath("lluvia.csv"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("fecha;mm\n");
        for (QDate d(2023, 1, 1); d.year() == 2023; d = d.addDays(1))
            f.write((d == QDate(2023, 3, 1) && !bien ? malo : d.toString("yyyy-MM-dd;") + (d.day() == 1 ? "10,0" : "0"))
                        .toUtf8() +
                    '\n');
        f.close();
        const QString antes = Guardado("Anual", 11, 0).toString() + Guardado("Anual", 11, 2).toString();
        Registro r;
        // OK; a record that gives nothing leaves the dialog open, saying why.
        QString dicho, regla;
        QTimer::singleShot(0, [&dicho, &regla] {
            if (QWidget* d = QApplication::activeModalWidget()) {
                regla = Control<QLabel>(d, "lblCondicion")->text();
                QTest::mouseClick(Control<QPushButton>(d, "cmdAceptar"), Qt::LeftButton);
                if (QApplication::activeModalWidget() == d) {
                    dicho = Control<QLabel>(d, "lblCuentas")->text();
                    QTest::mouseClick(Control<QPushButton>(d, "cmdCancelar"), Qt::LeftButton);
                }
            }
        });
        ImportaLluvia(s->v, s->nav, nullptr, f.fileName());
        QCOMPARE(r.cajas.size(), std::size_t(bien ? 0 : 1));
        QVERIFY(bien || dicho.startsWith("Line 61 of "));
        // The year is computed at once: March's storm volume is shown.
        if (bien) {
            const QTableWidgetItem* marzo = Control<QTableWidget>(s->nav.Ventana("frmAnual"), "tblParcial")->item(3, 4);
            QVERIFY(marzo && !marzo->text().isEmpty());
        }
        QVERIFY(!bien || (regla.contains(" 12.5 mm is I, 12.5 to 28 mm is II ") && regla.contains(" 35.5 and 53 mm")));
        QVERIFY(bien || r.cajas[0].texto.startsWith("Line 61 of "));
        QWidget* w = s->nav.Ventana(Serie);
        QCOMPARE(w ? Estado(w) : QString(), bien ? "1 1/12 [10.0] 1" : "");
        QCOMPARE(Guardado("Anual", 11, 0).toString() + Guardado("Anual", 11, 2).toString(), bien ? "101" : antes);
        // The record and the choices, kept in the site file.
        DocumentoSitio d;
        QVERIFY(!LeeArchivoSitio(EscribeArchivoSitio(s->v.Documento), d) &&
                d.importacion == s->v.Documento.importacion);
        QCOMPARE(d.importacion.value_or(ImportacionLluvia{}).archivo, bien ? "lluvia.csv" : "");
    }

    // One bar per storm: depth and water received; the storage needed as a
    // bar that fits or one that overflows the 100 l. Storm 2 cut to 20 mm
    // on paging: drawn again, it fits.
    void grafico()
    {
        QWidget* w = AbreSerie();
        for (const char* P : {"50", "80"}) {
            Rellena(w, P, "2");
            Pulsa(w, "cmdAñadir");
        }
        Rellena(w, "5", "1");
        Pulsa(w, "cmdGrafico");
        QWidget* g = s->nav.Ventana("frmGraficoSerie");
        QVERIFY(g && g->isVisible());
        QCOMPARE(Barras(g, "grfLluvia"), (QStringList{"50.0 80.0 5.0", "158.4 187.3 5.0"}));
        QCOMPARE(Barras(g, "grfCapa"), (QStringList{"91.7 0.0 0.0", "0.0 208.3 0.0"}));
        // Each bar names its storm under it and in its tooltip.
        QChart* capa = Control<QChartView>(g, "grfCapa")->chart();
        QCOMPARE(qobject_cast<QCategoryAxis*>(capa->axes(Qt::Horizontal).value(0))->categoriesLabels(),
                 (QStringList{"1", "2", "3"}));
        emit qobject_cast<QAbstractBarSeries*>(capa->series().value(0))->barSets().value(1)->hovered(true, 1);
        QCOMPARE(QToolTip::text(),
                 "Storm 2: 80.0 mm under moisture condition II; storage needed 208.3 l; it overflows.");
        Pagina(w, Qt::Key_Up);
        Rellena(w, "20", "");
        Pagina(w, Qt::Key_Up);
        QCOMPARE(Barras(g, "grfCapa"), (QStringList{"91.7 9.1 0.0", "0.0 0.0 0.0"}));
    }

    // Long series are drawn in groups of consecutive storms, each the
    // largest of its storms, and the axis says so.
    void agrupado_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<QStringList>("esperado"); // bars, first depth, last depth, overflows in the last
        QTest::newRow("300: a bar each") << 300 << QStringList{"300", "1.0", "300.0", "0.0 300.0"};
        QTest::newRow("301: pairs") << 301 << QStringList{"151", "2.0", "301.0", "301.0 0.0"};
        QTest::newRow("32767: groups of 110") << 32767 << QStringList{"298", "110.0", "32767.0", "0.0 32767.0"};
    }
    void agrupado()
    {
        QFETCH(int, n);
        QFETCH(QStringList, esperado);
        // Storm k: k mm, k litres needed; every tenth overflows.
        s->v.DetalleSerie.clear();
        for (int k = 1; k <= n; ++k)
            s->v.DetalleSerie.push_back({double(k), double(k), double(k), k % 10 == 0});
        QWidget* g = s->nav.Muestra("frmGraficoSerie");
        const QStringList lluvia = Barras(g, "grfLluvia");
        const QStringList P = lluvia[0].split(' '), capa = Barras(g, "grfCapa");
        const QString ultima = capa[0].split(' ').last() + ' ' + capa[1].split(' ').last();
        QCOMPARE((QStringList{QString::number(P.size()), P.first(), P.last(), ultima}), esperado);
        const QString titulo = Control<QChartView>(g, "grfCapa")->chart()->title();
        QCOMPARE(titulo.contains(QStringLiteral(" %1 consecutive").arg((n + 299) / 300)), n > 300);
        // Storm numbers every so many bars, twenty or so.
        const QStringList rotulos =
            qobject_cast<QCategoryAxis*>(Control<QChartView>(g, "grfCapa")->chart()->axes(Qt::Horizontal).value(0))
                ->categoriesLabels();
        QVERIFY(rotulos.size() >= 10 && rotulos.size() <= 22 && rotulos.first().startsWith("1"));
    }

    // A chart saved whole as PNG or SVG; a folder that cannot be written
    // gives a message naming the file, and no file.
    void guardaGrafico_data()
    {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QByteArray>("cabecera");
        QTest::newRow("png") << "g.png" << QByteArray("\x89PNG");
        QTest::newRow("svg") << "g.svg" << QByteArray("<?xml");
        QTest::newRow("no such folder") << "no/g.png" << QByteArray();
    }
    void guardaGrafico()
    {
        QFETCH(QString, nombre);
        QFETCH(QByteArray, cabecera);
        QTemporaryDir dir;
        s->v.DetalleSerie = {{50, 158, 92, false}};
        QWidget* g = s->nav.Muestra("frmGraficoSerie");
        Registro r;
        const QString ruta = dir.filePath(nombre);
        QCOMPARE(GuardaGrafico(Control(g, "grfCapa"), ruta, s->v), !cabecera.isEmpty());
        QCOMPARE(Contenido(ruta).left(cabecera.size()), cabecera);
        QCOMPARE(r.Textos(), cabecera.isEmpty()
                                 ? QStringList{TextoCatalogo(2798).arg(ruta, "No such file or directory")}
                                 : QStringList{});
    }

    // Beyond the most storms the list takes: refused, the last one kept.
    void limiteDeAguaceros()
    {
        Registro r;
        Navegacion nav;
        frmSerie w(s->v, nav, 2);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        for (int i = 0; i < 2; ++i) {
            Rellena(&w, "50", "2");
            Pulsa(&w, "cmdAñadir");
        }
        QCOMPARE(r.Textos(), QStringList{"A series holds at most 32767 events"});
        QCOMPARE(Estado(&w).left(5) + ' ' + Texto(&w, "txtResultado(4)"), QString("2 2/2 100.0"));
    }
};

QTEST_MAIN(TstSerie)
#include "tst_serie.moc"
