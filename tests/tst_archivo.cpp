// The site file: saving and opening the work, the prompt about unsaved
// work, the recent files, the calculator on a saved file, and the report's
// preview.

#include "Apoyo.h"
#include "ApoyoEscritura.h"
#include "app/Informe.h"
#include "app/frmContenedor.h"
#include "common/Catalogo.h"
#include "common/Idioma.h"
#include "documento/ArchivoSitio.h"

#include <QPrintPreviewDialog>
#include <QPrinterInfo>

#include <sys/stat.h>

namespace {

const QString Entrada = QStringLiteral("frmEscorrentía");

// Every text a window shows in its fields and grids, in widget order.
QStringList Vistos(QWidget* w)
{
    QStringList t;
    for (auto* e : w->findChildren<QLineEdit*>())
        t << e->objectName() + u'=' + e->text();
    for (auto* g : w->findChildren<QTableView*>())
        for (int f = 0; f < g->model()->rowCount(); ++f)
            for (int c = 0; c < g->model()->columnCount(); ++c)
                t << g->model()->index(f, c).data().toString();
    return t;
}

} // namespace

class TstArchivo : public QObject {
    Q_OBJECT

    std::unique_ptr<Sesion> s;
    QTemporaryDir dir;

    frmContenedor* P() { return qobject_cast<frmContenedor*>(s->nav.Ventana(QStringLiteral("frmContenedor"))); }
    QWidget* W(const QString& n) { return s->nav.Ventana(n); }
    QLineEdit* Campo(int i) { return W(Entrada)->findChild<QLineEdit*>(QStringLiteral("txtDatos(%1)").arg(i)); }
    QString Ruta(const QString& n) { return dir.filePath(n); }
    void Nuevo() { P()->findChild<QAction*>(QStringLiteral("mnuNuevo"))->trigger(); }
    QWidget* Hijo(const QString& ventana, const char* n) { return W(ventana)->findChild<QWidget*>(QLatin1String(n)); }
    // The text of a label or a field.
    QString Texto(const QString& ventana, const char* n)
    {
        QWidget* h = Hijo(ventana, n);
        auto* l = qobject_cast<QLabel*>(h);
        return l ? l->text() : qobject_cast<QLineEdit*>(h)->text();
    }
    void Pulsa(const QString& ventana, const char* n)
    {
        // Near the left edge: an option button takes a click on its mark or label only.
        QWidget* b = Hijo(ventana, n);
        QTest::mouseClick(qobject_cast<QAbstractButton*>(b), Qt::LeftButton, {}, QPoint(8, b->height() / 2));
    }

    // A composite site of two zones, typed as a user would.
    void TecleaSitio()
    {
        const QStringList t{"70.123456789", "4.125", "1.5", "60", "500"};
        for (int i = 0; i < t.size(); ++i)
            apoyo::Escribe(Campo(i), t[i]);
        QTest::mouseClick(W(Entrada)->findChild<QRadioButton*>(QStringLiteral("opcComplejo(1)")), Qt::LeftButton);
        auto* lista = W(Entrada)->findChild<QComboBox*>(QStringLiteral("lstNumZonas"));
        lista->setFocus();
        for (int i = 0; i < 2; ++i)
            QTest::keyClick(lista, Qt::Key_Down);
        auto* zonas = W(Entrada)->findChild<QTableView*>(QStringLiteral("tblZonas"));
        const QStringList celdas{"2.5", "85.25", "1.625", "95.5"};
        for (int i = 0; i < 4; ++i) {
            apoyo::Teclea(zonas, i / 2, i % 2 + 1, celdas[i]);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }
    }

  private slots:
    void init()
    {
        apoyo::AislaAjustes();
        s = apoyo::Arranca(QStringLiteral("English"));
    }
    void cleanup()
    {
        s.reset();
        apoyo::Recoge();
    }

    // Typed, saved, cleared, opened: every value, cell and figure comes back
    // bit for bit, and the calculator reads the same figures from the file.
    void idaYVuelta()
    {
        apoyo::Registro registro;
        TecleaSitio();
        // The session's storm, series and year, as their windows keep them.
        DocumentoSitio& d = s->v.Documento;
        d.PAguacero = 0.1 + 0.2;
        d.CondAguacero = 3;
        d.serie = {{50.5, 2}, {22.25, 1}, {1.0 / 3, 3}};
        d.caso = 1;
        d.importacion = ImportacionLluvia{"lluvia 2021.csv", {2021, 1.0 / 3, 2.5, 10, 3}, {}, {}};
        d.importacion->formato = {
            {}, {"Y", "M", "D"}, "3", UnidadLluvia::Pulgada, {"", "NA", "x"}, RepetidasLluvia::Ultima};
        d.importacion->resumen = {{2021, 1, 1}, {2021, 12, 31}, 365, 2, 40, 0, 1, "Y,M,D", "PRCP"};
        for (std::size_t m = 0; m < 12; ++m)
            d.meses[m] = {10.0 + static_cast<double>(m) / 7, 5.5, 3};
        for (const char* n : {"frmPrecipitacion", "frmSerie", "frmAnual"})
            s->nav.Muestra(QString::fromLatin1(n));
        s->nav.Muestra(Entrada);
        QTest::mouseClick(W(Entrada)->findChild<QPushButton*>(QStringLiteral("cmdAceptar")), Qt::LeftButton);
        const DocumentoSitio antes = P()->Actual();
        const SiteState sitio = s->v;
        const QStringList informe = Vistos(W(QStringLiteral("frmResEscorrentia")));
        QVERIFY(antes.complejo && antes.zonas.size() == 2 && antes.serie.size() == 3 && antes.datos[4] == 500.0);
        QTRY_VERIFY(P()->isWindowModified());

        QVERIFY(P()->GuardaEn(Ruta("a.hidrela")));
        QVERIFY(!P()->isWindowModified() && P()->windowTitle().startsWith(QStringLiteral("a.hidrela")));
        // An editor may put a byte-order mark before the text.
        apoyo::EscribeArchivo(Ruta("a.hidrela"), "\xEF\xBB\xBF" + apoyo::Contenido(Ruta("a.hidrela")));
        Nuevo();
        QCOMPARE(P()->Actual(), DocumentoSitio{});
        QVERIFY(P()->AbreArchivo(Ruta("a.hidrela")));
        QVERIFY(P()->Actual() == antes);
        QVERIFY(W(QStringLiteral("frmResEscorrentia")));
        QCOMPARE(Vistos(W(QStringLiteral("frmResEscorrentia"))), informe);
        for (const char* n : {"frmPrecipitacion", "frmSerie", "frmAnual"})
            s->nav.Muestra(QString::fromLatin1(n));
        QVERIFY(P()->Actual() == antes && !P()->isWindowModified());
        QCOMPARE(registro.cajas.size(), 0u);

        QProcess calc;
        calc.start(QStringLiteral(HIDRELA_CALC), {Ruta("a.hidrela")});
        QVERIFY(calc.waitForFinished(60000));
        const QJsonObject r = QJsonDocument::fromJson(calc.readAllStandardOutput()).object()["site"].toObject();
        QCOMPARE(r["outcome"].toString(), QStringLiteral("completed"));
        // The session and the calculator both hold the figures of before.
        const std::pair<const char*, PorCondicion SiteState::*> cifras[] = {
            {"N", &SiteState::N}, {"NUS", &SiteState::NUS}, {"P0US", &SiteState::P0US}};
        for (const auto& [k, x] : cifras)
            for (int c = 1; c <= 3; ++c)
                QVERIFY((s->v.*x)(c) == (sitio.*x)(c) && r[k].toArray()[c - 1].toDouble() == (sitio.*x)(c));
    }

    // Each value a window accepts is in the document at once, and the work
    // is marked unsaved, whichever window took it.
    void cadaValorSeAnota()
    {
        apoyo::Registro registro;
        for (const char* n : {"frmPrecipitacion", "frmSerie", "frmAnual"})
            s->nav.Muestra(QString::fromLatin1(n));
        const DocumentoSitio& d = s->v.Documento;
        const auto guarda = [&] {
            QVERIFY(P()->GuardaEn(Ruta("c.hidrela")));
            QVERIFY(!P()->isWindowModified());
        };
        const auto lista = [&](const char* ventana, int i) {
            auto* l = qobject_cast<QComboBox*>(Hijo(QString::fromLatin1(ventana), "lstHumedad"));
            l->setFocus();
            l->setCurrentIndex(i);
        };

        guarda();
        apoyo::Escribe(Campo(0), "70");
        QTRY_VERIFY(P()->isWindowModified());
        QCOMPARE(d.datos[0], 70.0);

        guarda();
        apoyo::Escribe(qobject_cast<QLineEdit*>(Hijo("frmPrecipitacion", "txtPrecip")), "40");
        QTRY_VERIFY(P()->isWindowModified());
        QCOMPARE(d.PAguacero, 40.0);
        guarda();
        lista("frmPrecipitacion", 1);
        QTRY_VERIFY(P()->isWindowModified());
        QCOMPARE(d.CondAguacero, 2);

        guarda();
        apoyo::Escribe(qobject_cast<QLineEdit*>(Hijo("frmSerie", "txtPrecip")), "12");
        lista("frmSerie", 2);
        Pulsa("frmSerie", "cmdCalcular");
        QTRY_VERIFY(P()->isWindowModified());
        QCOMPARE(d.serie.front(), (Aguacero{12, 3}));

        guarda();
        apoyo::Teclea(W("frmAnual")->findChild<QTableView*>(QStringLiteral("tblAno")), 0, 1, "100");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_VERIFY(P()->isWindowModified());
        QCOMPARE(d.meses[0][0], 100.0);
        guarda();
        Pulsa("frmAnual", "opcEscorrentia(0)");
        QTRY_VERIFY(P()->isWindowModified());
        QCOMPARE(d.caso, 1);
    }

    // Opened, the site shows its storm's and year's results at once. A datum
    // changed greys the results of every window computed from it, with one
    // line naming the button that computes them again (the entry's, when the
    // site changed); that button brings them back.
    void resultadosCaducados()
    {
        apoyo::Registro registro;
        QVERIFY(P()->AbreArchivo(QStringLiteral(HIDRELA_SITIO)));
        for (const char* n : {"frmPrecipitacion", "frmSerie", "frmAnual"})
            s->nav.Muestra(QString::fromLatin1(n));
        QVERIFY(!Texto("frmPrecipitacion", "txtResultado(0)").isEmpty());
        QVERIFY(!qobject_cast<QTableWidget*>(Hijo("frmAnual", "tblParcial"))->item(1, 4)->text().isEmpty());
        Pulsa("frmSerie", "cmdGrafico");
        Pulsa("frmSerie", "cmdResumen");
        QVERIFY(Hijo("frmResumen", "mrcSerie")->isVisible()); // the series' own summary
        Pulsa("frmAnual", "cmdHidricas");
        const QStringList todas{"frmResEscorrentia", "frmPrecipitacion", "frmSerie",  "frmGraficoSerie",
                                "frmResumen",        "frmAnual",         "frmHidrico"};
        const auto caducadas = [&] {
            QStringList c;
            for (const QString& n : todas)
                if (Hijo(n, "lblCaducado")->isVisible())
                    c << n;
            return c;
        };
        QCOMPARE(caducadas(), QStringList{});

        apoyo::Escribe(qobject_cast<QLineEdit*>(Hijo("frmPrecipitacion", "txtPrecip")), "40");
        QTRY_COMPARE(caducadas(), QStringList{"frmPrecipitacion"});
        QVERIFY(!Hijo("frmPrecipitacion", "Frame2")->isEnabled());
        QVERIFY(Texto("frmPrecipitacion", "lblCaducado").contains("“Calculate” in “Single precipitation event”"));
        Pulsa("frmPrecipitacion", "cmdCalcular");
        QTRY_COMPARE(caducadas(), QStringList{});
        QVERIFY(Hijo("frmPrecipitacion", "Frame2")->isEnabled());

        Pulsa("frmAnual", "opcEscorrentia(0)");
        QTRY_COMPARE(caducadas(), (QStringList{"frmAnual", "frmHidrico"}));
        Pulsa("frmAnual", "cmdCalcular");
        QTRY_COMPARE(caducadas(), QStringList{"frmHidrico"});

        apoyo::Escribe(Campo(4), "120");
        QTRY_COMPARE(caducadas(), todas);
        QVERIFY(Texto("frmSerie", "lblCaducado").contains("“Calculations”"));
        Pulsa(Entrada, "cmdAceptar");
        QTRY_COMPARE(caducadas(), todas.mid(1));
        QTRY_VERIFY(Texto("frmSerie", "lblCaducado").contains("“Calculate” in “Precipitation series”"));
        QCOMPARE(registro.cajas.size(), 0u);
    }

    // A file that cannot be opened is told once, by name and problem, and
    // the work stays as it was.
    void archivosMalos_data()
    {
        QTest::addColumn<QByteArray>("contenido");
        QTest::addColumn<QString>("problema");
        const QByteArray marca = R"({"format":"hidrela-site","version":1,)";
        const auto fila = [](const char* n, const QByteArray& contenido, const char* problema) {
            QTest::newRow(n) << contenido << QString(problema);
        };
        fila("not JSON", "NAC=70", "not valid JSON: unexpected text: NAC=70");
        fila("key twice", marca + R"("name":"a","name":"b"})", "the key \"name\" appears twice");
        fila("beyond a double", marca + R"("site":{"NAC":1e999}})", "beyond the range of a double: 1e999");
        fila("notes over 64 KiB", marca + "\"notes\":\"" + QByteArray(65537, 'n') + "\"}",
             "notes is longer than 64 KiB");
        fila("other kind", R"({"format":"other","version":1})", "not a HIDRELA site");
        fila("a list", "[1,2]", "not a HIDRELA site");
        fila("future", R"({"format":"hidrela-site","version":2})", "version 2 ");
        fila("range", marca + R"("site":{"NR":100.5}})", "<=100 (site.NR)");
        fila("zone range", marca + R"("site":{"zones":[[1000,50]]}})", "(site.zones[1])");
        fila("storm range", marca + R"("series":[{"P":1000,"condition":1}]})", "(series[1].P)");
        fila("month range", marca + R"("year":{"case":1,"months":[[1,2,32])" + QByteArray(11, ' ') + "]}}",
             "not valid");
        fila("zones add up", marca + R"("site":{"SI":4,"zones":[[1,50],[2.5,60]]}})", "(site.zones)");
        const QByteArray lluvia = R"("rain_import":{"file":"x","rain_day":0.1,"storm":1,"season":[4,9],)";
        fila("import: year and mean", marca + lluvia + R"("year":2021,"mean":true}})", "rain_import.year is not valid");
        fila("import: month 13", marca + QByteArray(lluvia).replace("9]", "13]") + R"("mean":true}})",
             "(rain_import.season[2])");
        fila("import: unit", marca + lluvia + R"("mean":true,"unit":"furlong"}})", "rain_import.unit is not valid");
        fila("wrong kind", marca + R"("storm":{"P":"50"}})", "storm.P is not valid");
        fila("truncated", marca + R"("site":{"NAC":70,"SI")", "incomplete");
        fila("empty", "", "empty");
        fila("too large", QByteArray(9 << 20, 'x'), "larger than 8 MiB");
        fila("a folder", "dir", "not a regular file");
        fila("a pipe", "fifo", "not a regular file");
    }
    void archivosMalos()
    {
        QFETCH(QByteArray, contenido);
        QFETCH(QString, problema);
        const QString ruta = Ruta("malo.hidrela");
        QFile f(ruta);
        QVERIFY(contenido == "dir"    ? QDir().mkpath(ruta)
                : contenido == "fifo" ? ::mkfifo(QFile::encodeName(ruta).constData(), 0600) == 0
                                      : f.open(QIODevice::WriteOnly) && f.write(contenido) >= 0);
        f.close();
        apoyo::Escribe(Campo(0), QStringLiteral("70"));
        const DocumentoSitio antes = P()->Actual();
        apoyo::Registro registro;
        QVERIFY(!P()->AbreArchivo(ruta));
        QCOMPARE(registro.cajas.size(), 1u);
        QVERIFY2(registro.cajas[0].texto.contains(ruta) && registro.cajas[0].texto.contains(problema),
                 qPrintable(registro.cajas[0].texto));
        QVERIFY(P()->Actual() == antes && P()->Archivo().isEmpty());
        QDir(ruta).removeRecursively();
        QFile::remove(ruta);
    }

    // Unsaved work asks before New and Exit; Save keeps it in its file,
    // Discard drops it, Cancel stays.
    void pregunta_data()
    {
        QTest::addColumn<bool>("salir");
        QTest::addColumn<int>("respuesta");
        for (const bool salir : {false, true})
            for (int r = 0; r < 3; ++r)
                QTest::addRow("%s %d", salir ? "exit" : "new", r) << salir << r;
    }
    void pregunta()
    {
        QFETCH(bool, salir);
        QFETCH(int, respuesta);
        apoyo::Escribe(Campo(0), QStringLiteral("70"));
        QVERIFY(P()->GuardaEn(Ruta("p.hidrela")));
        apoyo::Escribe(Campo(0), QStringLiteral("71"));
        QStringList preguntas;
        const FuncionEleccion antes = CambiaEleccion([&](const QString&, const QString& t, const QStringList&) {
            preguntas << t;
            return respuesta;
        });
        int salida = -1;
        if (salir) {
            // Exit stays in the loop only when cancelled; then 7 ends it.
            QTimer::singleShot(0, P(), [this] {
                P()->findChild<QAction*>(QStringLiteral("mnuSalir"))->trigger();
                QTimer::singleShot(0, [] { QCoreApplication::exit(7); });
            });
            salida = QApplication::exec();
        } else {
            Nuevo();
        }
        CambiaEleccion(antes);
        QCOMPARE(preguntas, QStringList{QStringLiteral("Save changes to p.hidrela?")});
        DocumentoSitio leido;
        QVERIFY(!LeeArchivoSitio(apoyo::Contenido(Ruta("p.hidrela")).toStdString(), leido));
        QCOMPARE(leido.datos[0], respuesta == 0 ? 71.0 : 70.0);
        // Discarded on the way out, the work is still there, unsaved, as the program ends.
        QCOMPARE(P()->Modificado(), respuesta == 2 || (salir && respuesta == 1));
        if (salir)
            QCOMPARE(salida, respuesta == 2 ? 7 : 0);
        else
            QCOMPARE(Campo(0)->text().isEmpty(), respuesta != 2);
    }

    // The last five files, newest first; one gone is told and dropped.
    void recientes()
    {
        for (int i = 0; i < 7; ++i)
            QVERIFY(P()->GuardaEn(Ruta(QStringLiteral("r%1.hidrela").arg(i))));
        auto* menu = P()->findChild<QMenu*>(QStringLiteral("mnuArchivo"));
        emit menu->aboutToShow();
        QStringList vistos;
        for (QAction* a : menu->actions())
            if (a->objectName().startsWith(QLatin1String("mnuReciente")))
                vistos << a->text();
        QCOMPARE(vistos.join(u' '),
                 QStringLiteral("&1 r6.hidrela &2 r5.hidrela &3 r4.hidrela &4 r3.hidrela &5 r2.hidrela"));
        // A namesake in another folder shows both paths.
        QVERIFY(QDir(Ruta("")).mkpath(QStringLiteral("otra")));
        QVERIFY(P()->GuardaEn(Ruta("otra/r5.hidrela")));
        emit menu->aboutToShow();
        QCOMPARE(menu->findChild<QAction*>(QStringLiteral("mnuReciente(0)"))->text(),
                 QStringLiteral("&1 ") + QDir::toNativeSeparators(Ruta("otra/r5.hidrela")));
        QVERIFY(menu->findChild<QAction*>(QStringLiteral("mnuReciente(2)"))->text().endsWith(u"/r5.hidrela"));
        QFile::remove(Ruta("r5.hidrela"));
        apoyo::Registro registro;
        P()->findChild<QAction*>(QStringLiteral("mnuReciente(2)"))->trigger();
        QCOMPARE(registro.cajas.size(), 1u);
        QVERIFY(registro.cajas[0].texto.contains(QStringLiteral("no longer exists")));
        QCOMPARE(apoyo::Almacen().value(QStringLiteral("Files/Recent")).toStringList().size(), 4);
    }

    // `hidrela FILE` opens it once the main window shows.
    void lineaDeOrdenes()
    {
        apoyo::Escribe(Campo(0), QStringLiteral("42.5"));
        QVERIFY(P()->GuardaEn(Ruta("o.hidrela")));
        s.reset();
        apoyo::Recoge();
        s = apoyo::Arranca(QStringLiteral("English"), Ruta("o.hidrela"));
        QTRY_COMPARE(P()->Archivo(), QFileInfo(Ruta("o.hidrela")).absoluteFilePath());
        QCOMPARE(Campo(0)->text(), QStringLiteral("42.5"));
        QVERIFY(P()->windowTitle().startsWith(QStringLiteral("o.hidrela")));
    }

    // Text that is no number is named before a save: kept out on the
    // user's word, else the save waits and the field has the focus.
    void textoNoNumerico_data()
    {
        QTest::addColumn<int>("respuesta");
        QTest::newRow("save without it") << 0;
        QTest::newRow("go back") << 1;
    }
    void textoNoNumerico()
    {
        QFETCH(int, respuesta);
        apoyo::Escribe(Campo(0), QStringLiteral("70"));
        apoyo::Escribe(Campo(2), QStringLiteral("1.234.5"));
        QStringList preguntas;
        const FuncionEleccion antes = CambiaEleccion([&](const QString&, const QString& t, const QStringList&) {
            preguntas << t;
            return respuesta;
        });
        const bool guardado = P()->GuardaEn(Ruta("n.hidrela"));
        CambiaEleccion(antes);
        QCOMPARE(preguntas.size(), 1);
        QVERIFY2(preguntas[0].contains(QStringLiteral("\"1.234.5\"")), qPrintable(preguntas[0]));
        QCOMPARE(guardado, respuesta == 0);
        QCOMPARE(QFileInfo::exists(Ruta("n.hidrela")), respuesta == 0);
        if (respuesta == 1)
            QTRY_COMPARE(QApplication::focusWidget(), Campo(2));
        QFile::remove(Ruta("n.hidrela"));
    }

    // A save that fails leaves the old file byte for byte and the work unsaved.
    void guardadoAtomico()
    {
        apoyo::Escribe(Campo(0), QStringLiteral("70"));
        const QString ruta = Ruta("g.hidrela");
        QVERIFY(P()->GuardaEn(ruta));
        const QByteArray viejo = apoyo::Contenido(ruta);
        apoyo::Escribe(Campo(0), QStringLiteral("80"));
        apoyo::Registro registro;
        {
            // A disk that fills up before the last byte is out.
            apoyo::DiscoLleno lleno(static_cast<rlim_t>(viejo.size() / 2));
            QVERIFY(!P()->GuardaEn(ruta));
        }
        QVERIFY(!P()->GuardaEn(Ruta("g.hidrela/x.hidrela"))); // a file for a folder
        QCOMPARE(apoyo::Contenido(ruta), viejo);
        QCOMPARE(registro.cajas.size(), 2u);
        QVERIFY(P()->isWindowModified() && P()->windowTitle().contains(QStringLiteral("g.hidrela[*]")));
    }

    // With no printer installed, the preview's own print action, as Qt words
    // it in either language, is the one disabled saying why.
    void vistaPrevia_data()
    {
        QTest::addColumn<QString>("idioma");
        QTest::addColumn<QString>("imprimir");
        QTest::newRow("es") << IdiomaEspanol << "Imprimir";
        QTest::newRow("en") << IdiomaIngles << "Print";
    }
    void vistaPrevia()
    {
        if (!QPrinterInfo::availablePrinters().isEmpty())
            QSKIP("a printer is installed here");
        QFETCH(QString, idioma);
        QFETCH(QString, imprimir);
        s.reset();
        apoyo::Recoge();
        s = apoyo::Arranca(idioma);
        QStringList avisan; // text, "-" when disabled, and the next action
        QTimer::singleShot(0, P(), [&] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* d = qobject_cast<QPrintPreviewDialog*>(w)) {
                    const QList<QAction*> a = d->findChild<QToolBar*>()->actions();
                    for (qsizetype i = 0; i < a.size(); ++i)
                        if (a[i]->toolTip() == ::Texto(s->v, 1790))
                            avisan << a[i]->text() + (a[i]->isEnabled() ? "+" : "-") +
                                          (i + 1 < a.size() ? a[i + 1]->objectName() : QString());
                    d->reject();
                }
        });
        PrevisualizaInforme(P(), s->v, FuenteInforme{P()->Actual(), QString(), QDate::currentDate()});
        QCOMPARE(avisan, QStringList{imprimir + "-cmdPdf"});
    }
};

QTEST_MAIN(TstArchivo)
#include "tst_archivo.moc"
