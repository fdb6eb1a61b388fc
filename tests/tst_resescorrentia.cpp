// The site results report as the user meets it after the calculations: the
// grid in its formats, the relations and the verdict as the model gives them,
// the tooltips, the legends, its place beside the entry window, and refilling
// when the site changes. The figures themselves are the model's tests.
#include "ApoyoSitio.h"

#include "common/Catalogo.h"
#include "model/ModeloCN.h"
#include "widgets/RejillaFija.h"

namespace {

const QString Informe = QStringLiteral("frmResEscorrentia");

// Enters a site (NAC, NI, NR, SI, SR) as the calculations would and shows the report.
QWidget* Calcula(apoyo::Sitio& sitio, std::array<double, 5> c)
{
    Variables& v = sitio.v();
    std::tie(v.NAC(2), v.NI(2), v.NR(2), v.SI, v.SR) = std::tuple(c[0], c[1], c[2], c[3], c[4]);
    v.CAPA = 50;
    if (CalculaSitio(v).desenlace != Desenlace::Completado)
        return nullptr;
    return sitio.nav().Muestra(Informe);
}

QTableWidget* Rejilla(QWidget* w, const char* nombre)
{
    return w ? w->findChild<QTableWidget*>(QString::fromUtf8(nombre)) : nullptr;
}

} // namespace

class TstResEscorrentia : public QObject {
    Q_OBJECT

  private slots:
    void init() { apoyo::AislaAjustes(); }
    void cleanup() { apoyo::Recoge(); }

    // Captions in the language of the run; areas to three decimals, curve
    // numbers and thresholds to one. NI(2) = 70.04 shows as 70.0 but relates
    // to NAC = 70 as the number it is.
    void rejilla()
    {
        apoyo::Sitio sitio(2);
        QWidget* w = Calcula(sitio, {70, 70.04, 60, 10, 2});
        QVERIFY(w);
        QTableWidget* t = Rejilla(w, "tblEscorrentia");
        QTableWidget* r = Rejilla(w, "tblRelación");
        QCOMPARE(w->windowTitle() + '|' + TextoCelda(t, 1, 0),
                 QString("Results: curve numbers and runoff thresholds | Current slope "));
        QVERIFY(TextoCelda(r, 0, 1) == Texto(sitio.v(), 1159) &&
                w->findChild<QLabel*>("lblConsejo")->text() == Texto(sitio.v(), 1171));
        QCOMPARE((QStringList{TextoCelda(t, 1, 1), TextoCelda(t, 2, 1), TextoCelda(t, 4, 1), TextoCelda(t, 2, 4),
                              TextoCelda(t, 2, 5)}),
                 (QStringList{"----", "10.000", "12.000", "70.0", "21.7"}));
        QCOMPARE(TextoCelda(r, 0, 0) + TextoCelda(r, 3, 0), QString("NAC < NINI > NR"));

        // A click on a legend hands the focus to its grid; Tab goes from grid
        // to grid, never into a legend.
        QTest::mouseClick(w->findChild<QTextEdit*>("Text1")->viewport(), Qt::LeftButton);
        QVERIFY(r->hasFocus());
        QTest::mouseClick(w->findChild<QTextEdit*>("txtLeyenda")->viewport(), Qt::LeftButton);
        QVERIFY(t->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(r->hasFocus());
    }

    // The pointer rests on (2, 4) first, then moves on: areas with four
    // decimals, the rest with two; headings and the slope's area have none,
    // and the row titles keep what was shown before.
    void tooltips_data()
    {
        QTest::addColumn<int>("fila");
        QTest::addColumn<int>("columna");
        QTest::addColumn<QString>("tooltip");
        QTest::newRow("contributing area") << 2 << 1 << "10.5000";
        QTest::newRow("slope has no area") << 1 << 1 << "";
        QTest::newRow("heading") << 0 << 3 << "";
        QTest::newRow("row title keeps the last") << 3 << 0 << "70.04";
        QTest::newRow("NAC(2) shown as 70.0") << 1 << 4 << "70.00";
    }
    void tooltips()
    {
        QFETCH(int, fila);
        QFETCH(int, columna);
        QFETCH(QString, tooltip);
        apoyo::Sitio sitio(1);
        QTableWidget* t = Rejilla(Calcula(sitio, {70, 70.04, 60, 10.5, 2}), "tblEscorrentia");
        QVERIFY(t);
        QCOMPARE(apoyo::Ayuda(t, 2, 4), QString("70.04"));
        QCOMPARE(apoyo::Ayuda(t, fila, columna), tooltip);
        // What a pause of the pointer shows.
        const QPoint p = t->visualItemRect(t->item(fila, columna)).center();
        QHelpEvent ayuda(QEvent::ToolTip, p, t->viewport()->mapToGlobal(p));
        QCoreApplication::sendEvent(t->viewport(), &ayuda);
        QCOMPARE(QToolTip::isVisible() ? QToolTip::text() : QString(), tooltip);
        QToolTip::hideText();
    }

    void navegacionYRelleno()
    {
        apoyo::Sitio sitio(1);
        QMdiSubWindow* entrada = sitio.nav().Marco("frmEscorrentía");
        entrada->move(0, 20);
        QWidget* w = Calcula(sitio, {70, 80, 60, 10, 2});
        QVERIFY(w);
        // Beside the entry window, level with it.
        QCOMPARE(sitio.nav().Marco(Informe)->pos(), QPoint(entrada->width(), 20));

        // On to the scenario choice; the report stays loaded underneath.
        QTest::mouseClick(w->findChild<QPushButton*>("cmdContinuar"), Qt::LeftButton);
        QVERIFY(sitio.nav().Ventana("frmEleccion"));
        QCOMPARE(sitio.nav().Ventana(Informe), w);

        // The site changes; coming back shows the new state.
        sitio.v().NAC(2) = 80;
        QCOMPARE(CalculaSitio(sitio.v()).desenlace, Desenlace::Completado);
        QCOMPARE(sitio.nav().Muestra(Informe), w);
        QCOMPARE(TextoCelda(Rejilla(w, "tblEscorrentia"), 1, 4) + TextoCelda(Rejilla(w, "tblRelación"), 0, 0),
                 QString("80.0NAC = NI"));

        // Back to the entry window, which keeps its inputs; the report goes.
        QTest::mouseClick(w->findChild<QPushButton*>("cmdAnterior"), Qt::LeftButton);
        apoyo::Recoge();
        QVERIFY(!sitio.nav().Ventana(Informe) && sitio.area->activeSubWindow() == entrada);
    }
};

QTEST_MAIN(TstResEscorrentia)
#include "tst_resescorrentia.moc"
