// The site results report as the user meets it after the calculations: the
// grid, the relations and the verdict, the tooltips, the legends, its place
// beside the entry window, and refilling when the site changes.
#include "ApoyoSitio.h"

#include "common/Catalogo.h"
#include "model/ModeloCN.h"
#include "widgets/RejillaFija.h"

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTextEdit>
#include <QToolTip>

namespace {

const QString Informe = QStringLiteral("frmResEscorrentia");

struct Caso {
    double NAC, NI, NR, SI, SR;
};

// Enters a site as the calculations would and shows the report.
QWidget* Calcula(apoyo::Sitio& sitio, Caso c)
{
    Variables& v = sitio.v();
    v.NAC(2) = c.NAC;
    v.NI(2) = c.NI;
    v.NR(2) = c.NR;
    v.SI = c.SI;
    v.SR = c.SR;
    v.CAPA = 50;
    if (EjecutaModelo(v, {}).desenlace != Desenlace::Completado)
        return nullptr;
    return sitio.nav().Muestra(Informe);
}

QTableWidget* Rejilla(QWidget* w, const char* nombre)
{
    return w->findChild<QTableWidget*>(QString::fromUtf8(nombre));
}

// Moves the pointer to the middle of a cell of the results grid.
QString TooltipEn(QTableWidget* t, int fila, int columna)
{
    QTest::mouseMove(t->viewport(), t->visualItemRect(t->item(fila, columna)).center());
    return t->toolTip();
}

} // namespace

Q_DECLARE_METATYPE(Caso)

class TstResEscorrentia : public QObject {
    Q_OBJECT

  private slots:
    void init() { apoyo::AislaAjustes(); }
    void cleanup() { apoyo::Recoge(); }

    // The signs of NAC?NI, NAC?NR, NAC?N and NI?NR; the catalogue texts of
    // their explanations, then of the verdict. Every relation and verdict is
    // met in the zones' tests; here the report shows them, in each language,
    // from the numbers themselves and not as displayed.
    void relacionesYVeredicto_data()
    {
        QTest::addColumn<int>("idioma");
        QTest::addColumn<Caso>("caso");
        QTest::addColumn<QString>("signos");
        QTest::addColumn<QList<int>>("textos");
        QTest::newRow("all equal, N(2) exactly 70")
            << 1 << Caso{70, 70, 70, 3, 1} << "====" << QList<int>{1160, 1163, 1166, 1169, 1172};
        QTest::newRow("70 against 70.04")
            << 2 << Caso{70, 70.04, 60, 10, 2} << "<>>>" << QList<int>{1159, 1161, 1164, 1167, 1171};
    }
    void relacionesYVeredicto()
    {
        QFETCH(int, idioma);
        QFETCH(Caso, caso);
        QFETCH(QString, signos);
        QFETCH(QList<int>, textos);
        apoyo::Sitio sitio(idioma);
        QWidget* w = Calcula(sitio, caso);
        QVERIFY(w);
        QTableWidget* t = Rejilla(w, "tblRelación");
        const char* pares[][2] = {{"NAC", "NI"}, {"NAC", "NR"}, {"NAC", "N"}, {"NI", "NR"}};
        for (int f = 0; f < 4; ++f) {
            QCOMPARE(TextoCelda(t, f, 0), QString("%1 %2 %3").arg(pares[f][0]).arg(signos[f]).arg(pares[f][1]));
            QCOMPARE(TextoCelda(t, f, 1), Texto(sitio.v(), textos[f]));
        }
        QCOMPARE(w->findChild<QLabel*>("lblConsejo")->text(), Texto(sitio.v(), textos[4]));
    }

    // One caption per language; the worked example in the grid.
    void rejilla_data()
    {
        QTest::addColumn<int>("idioma");
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<QString>("fila1");
        QTest::newRow("Spanish") << 1 << "Resultados: números de curva y umbrales de escorrentía"
                                 << " Ladera actual ";
        QTest::newRow("English") << 2 << "Results: curve numbers and runoff thresholds "
                                 << " Current slope ";
    }
    void rejilla()
    {
        QFETCH(int, idioma);
        QFETCH(QString, titulo);
        QFETCH(QString, fila1);
        apoyo::Sitio sitio(idioma);
        QWidget* w = Calcula(sitio, {70, 80, 60, 10, 2});
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), titulo);
        QTableWidget* t = Rejilla(w, "tblEscorrentia");
        QCOMPARE(t->rowCount(), 5);
        QCOMPARE(TextoCelda(t, 1, 0), fila1);
        // Surfaces and condition II of every part.
        const QStringList s{"----", "10.000", "2.000", "12.000"}, n2{"70.0", "80.0", "60.0", "58.8"},
            p02{"21.8", "12.7", "33.9", "35.6"};
        for (int f = 1; f <= 4; ++f) {
            QCOMPARE(TextoCelda(t, f, 1), s[f - 1]);
            QCOMPARE(TextoCelda(t, f, 4), n2[f - 1]);
            QCOMPARE(TextoCelda(t, f, 5), p02[f - 1]);
        }
        QCOMPARE(t->item(2, 3)->textAlignment(), int(Qt::AlignCenter));
        // No text is cut short.
        for (int f = 0; f < 5; ++f)
            for (int c = 0; c < 8; ++c)
                QVERIFY(t->columnWidth(c) > t->fontMetrics().horizontalAdvance(TextoCelda(t, f, c)));
    }

    // The pointer rests on (2, 4) first, NI(2) = 70.04, then moves on.
    void tooltips_data()
    {
        QTest::addColumn<int>("fila");
        QTest::addColumn<int>("columna");
        QTest::addColumn<QString>("tooltip");
        QTest::newRow("contributing area") << 2 << 1 << "10.5000";
        QTest::newRow("unit area") << 4 << 1 << "12.5000";
        QTest::newRow("slope has no area") << 1 << 1 << "";
        QTest::newRow("heading") << 0 << 3 << "";
        QTest::newRow("row title keeps the last") << 3 << 0 << "70.04";
        QTest::newRow("NAC(2) shown as 70.0") << 1 << 4 << "70.00";
        QTest::newRow("P0I(2)") << 2 << 5 << "21.73";
    }
    void tooltips()
    {
        QFETCH(int, fila);
        QFETCH(int, columna);
        QFETCH(QString, tooltip);
        apoyo::Sitio sitio(1);
        QWidget* w = Calcula(sitio, {70, 70.04, 60, 10.5, 2});
        QVERIFY(w);
        QTableWidget* t = Rejilla(w, "tblEscorrentia");
        QCOMPARE(TextoCelda(t, 2, 4), QString("70.0"));
        QCOMPARE(TooltipEn(t, 2, 4), QString("70.04"));
        QCOMPARE(TooltipEn(t, fila, columna), tooltip);
        if (tooltip.isEmpty())
            return;
        // What a pause of the pointer shows.
        const QPoint p = t->visualItemRect(t->item(fila, columna)).center();
        QHelpEvent ayuda(QEvent::ToolTip, p, t->viewport()->mapToGlobal(p));
        QCoreApplication::sendEvent(t->viewport(), &ayuda);
        QCOMPARE(QToolTip::text(), tooltip);
        QToolTip::hideText();
    }

    void leyendasPasanElFoco()
    {
        apoyo::Sitio sitio(1);
        QWidget* w = Calcula(sitio, {70, 80, 60, 10, 2});
        QVERIFY(w);
        QTest::mouseClick(w->findChild<QTextEdit*>("Text1")->viewport(), Qt::LeftButton);
        QVERIFY(Rejilla(w, "tblRelación")->hasFocus());
        QTest::mouseClick(w->findChild<QTextEdit*>("txtLeyenda")->viewport(), Qt::LeftButton);
        QVERIFY(Rejilla(w, "tblEscorrentia")->hasFocus());
        // Tab goes from grid to grid, never into a legend.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(Rejilla(w, "tblRelación")->hasFocus());
    }

    void navegacionYRelleno()
    {
        apoyo::Sitio sitio(1);
        QMdiSubWindow* entrada = sitio.nav().Marco("frmEscorrentía");
        entrada->move(0, 20);
        QWidget* w = Calcula(sitio, {70, 80, 60, 10, 2});
        QVERIFY(w);
        QCOMPARE(sitio.nav().Marco(Informe)->pos(), QPoint(entrada->width(), 20));

        // On to the scenario choice; the report stays loaded underneath.
        QTest::mouseClick(w->findChild<QPushButton*>("cmdContinuar"), Qt::LeftButton);
        QVERIFY(sitio.nav().Ventana("frmEleccion"));
        QCOMPARE(sitio.nav().Ventana(Informe), w);

        // The site changes; coming back shows the new state.
        Variables& v = sitio.v();
        v.NAC(2) = 80;
        v.NI(2) = 70;
        QCOMPARE(EjecutaModelo(v, {}).desenlace, Desenlace::Completado);
        QCOMPARE(sitio.nav().Muestra(Informe), w);
        QTableWidget* t = Rejilla(w, "tblEscorrentia");
        QCOMPARE(TextoCelda(t, 1, 4), QString("80.0"));
        QCOMPARE(TextoCelda(Rejilla(w, "tblRelación"), 3, 0), QString("NI > NR"));
        QCOMPARE(w->findChild<QLabel*>("lblConsejo")->text(), Texto(v, 1170));

        // Back to the entry window, which keeps its inputs; the report goes.
        QTest::mouseClick(w->findChild<QPushButton*>("cmdAnterior"), Qt::LeftButton);
        apoyo::Recoge();
        QVERIFY(!sitio.nav().Ventana(Informe));
        QCOMPARE(sitio.area->activeSubWindow(), entrada);
    }
};

QTEST_MAIN(TstResEscorrentia)
#include "tst_resescorrentia.moc"
