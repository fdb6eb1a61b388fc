// The site entry window as the user meets it: the data check and its
// messages, the help keys, the zone grid with its checks and totals, the
// database file gone wrong, and the live link with the tables program.
#include "Apoyo.h"

#include "app/BaseDatos.h"
#include "app/Directorios.h"
#include "app/EnlaceZevOde.h"
#include "app/Navegacion.h"
#include "app/Variables.h"
#include "site/frmEscorrentia.h"
#include "text/CampoNumerico.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString Entrada = QStringLiteral("frmEscorrentía");

} // namespace

class TstEscorrentia : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    Variables v;
    std::unique_ptr<Navegacion> nav;
    QWidget* w = nullptr;
    std::unique_ptr<apoyo::Registro> registro;

    template <typename T = QWidget> T* C(const QString& nombre) const
    {
        T* c = w->findChild<T*>(nombre);
        if (!c)
            qFatal("no control %s", qPrintable(nombre));
        return c;
    }
    // The control with the window's focus; a cell editor stands for its grid.
    QString Foco() const
    {
        QWidget* f = w->focusWidget();
        while (f && (f->objectName().isEmpty() || f->objectName().startsWith(QLatin1String("qt_"))))
            f = f->parentWidget();
        return f ? f->objectName() : QString();
    }
    QLineEdit* Campo(int i) const { return C<QLineEdit>(QStringLiteral("txtDatos(%1)").arg(i)); }
    QTableView* Rejilla() const { return C<QTableView>(QStringLiteral("tblZonas")); }

    void Abre()
    {
        nav->Muestra(Entrada);
        w = nav->Ventana(Entrada);
        QVERIFY(QTest::qWaitForWindowActive(w));
    }

    // Types into field i and leaves it with Tab.
    void Escribe(int i, const QString& texto)
    {
        Campo(i)->setFocus();
        QTest::keyClicks(Campo(i), texto);
        QTest::keyClick(Campo(i), Qt::Key_Tab);
    }
    void Rellena(const QStringList& textos)
    {
        for (int i = 0; i < textos.size(); ++i)
            if (!textos[i].isEmpty())
                Escribe(i, textos[i]);
    }
    void Compuesta(int zonas)
    {
        QTest::mouseClick(C<QAbstractButton>(QStringLiteral("opcComplejo(1)")), Qt::LeftButton);
        EligeZonas(zonas);
    }
    // The arrow keys on the closed list, as a user without the mouse would.
    void EligeZonas(int zonas)
    {
        auto* lista = C<QComboBox>(QStringLiteral("lstNumZonas"));
        lista->setFocus();
        while (lista->currentIndex() != zonas - 1)
            QTest::keyClick(lista, lista->currentIndex() < zonas - 1 ? Qt::Key_Down : Qt::Key_Up);
    }
    // Clicks a cell of the grid (column 0 area, 1 curve number) and types.
    void Celda(int fila, int columna, const QString& texto, Qt::Key fin = Qt::Key_Return)
    {
        QTableView* t = Rejilla();
        const QRect r = t->visualRect(t->model()->index(fila, columna + 1));
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, r.center());
        Teclea(texto);
        QTest::keyClick(QApplication::focusWidget(), fin);
    }
    // Keys to whatever has the focus: the first one typed on a cell opens its editor.
    static void Teclea(const QString& texto)
    {
        for (const QChar c : texto)
            QTest::keyClicks(QApplication::focusWidget(), QString(c));
    }
    QVariant Guardado(int fila, int columna) const
    {
        BaseDatos b;
        QSqlQuery q(b.Conexion());
        q.exec(QStringLiteral("SELECT * FROM Zonas ORDER BY 1"));
        for (int i = 0; i <= fila; ++i)
            q.next();
        return q.value(columna + 1);
    }
    QStringList Textos() const
    {
        QStringList t;
        for (const auto& c : registro->cajas)
            t << c.texto;
        return t;
    }

  private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        QStandardPaths::setTestModeEnabled(true);
    }

    void init()
    {
        CambiaDirectorioPrograma(dir_.path());
        v = Variables{};
        v.NumIdioma = 2;
        nav = std::make_unique<Navegacion>();
        nav->Registra(Entrada, Navegacion::Tipo::Hija, [this] { return new frmEscorrentia(v, *nav); });
        for (const char* ayuda : {"frmAyudaArea", "frmAyudaCapa", "frmEsquema", "frmMetodos"})
            nav->Registra(QString::fromLatin1(ayuda), Navegacion::Tipo::Suelta, [] { return new QWidget; });
        registro = std::make_unique<apoyo::Registro>();
    }

    void cleanup()
    {
        nav->Descarga(Entrada);
        apoyo::Recoge();
        nav.reset();
        registro.reset();
        w = nullptr;
        QFile::remove(dir_.filePath(BaseDatos::NombreArchivo));
        QFile::remove(dir_.filePath(QStringLiteral("Zevode")));
    }

    void textos_data()
    {
        QTest::addColumn<int>("idioma");
        QTest::addColumn<QStringList>("esperado");
        QTest::newRow("Spanish") << 1
                                 << QStringList{"Datos de entrada de HIDRELA", "&Cálculos",
                                                "Nº de curva del área de impluvio en condición II:",
                                                "Superficie parcial (m²)", "Nº curva en condición II"};
        QTest::newRow("English") << 2
                                 << QStringList{"HIDRELA data entry", "Calculations",
                                                "Contributing area curve number under condition II:",
                                                "Partial surface (m²)", "Curve number under condition II"};
    }
    void textos()
    {
        QFETCH(int, idioma);
        QFETCH(QStringList, esperado);
        v.NumIdioma = static_cast<qint16>(idioma);
        Abre();
        const QAbstractItemModel* m = Rejilla()->model();
        QCOMPARE((QStringList{w->windowTitle(), C<QAbstractButton>("cmdAceptar")->text(),
                              C<QLabel>("lblEtiqueta(3)")->text(), m->headerData(1, Qt::Horizontal).toString(),
                              m->headerData(2, Qt::Horizontal).toString()}),
                 esperado);
        QVERIFY(C("mrcSimple")->isVisible());
        QVERIFY(!C("mrcComplejo")->isVisible());
        QCOMPARE(v.SepDecimal, QString("."));
    }

    // Fields 0..5: current slope N, contributing area, collecting area,
    // collecting area N, capacity, simple contributing area N.
    void comprobacion_data()
    {
        QTest::addColumn<QStringList>("campos");
        QTest::addColumn<QString>("mensaje");
        QTest::addColumn<QString>("foco");
        const QString curva = "Value must be >0 and <=100", area = "Value must be >0 and <1000";
        QTest::newRow("first empty field") << QStringList{"70", "", "", "60", "50", "80"} << ""
                                           << "txtDatos(1)";
        QTest::newRow("letters left in a field") << QStringList{"70", "10", "2", "6o", "50", "80"} << ""
                                                 << "txtDatos(3)";
        QTest::newRow("curve number 0") << QStringList{"0", "10", "2", "60", "50", "80"} << curva << "txtDatos(0)";
        QTest::newRow("collecting N checked before the areas")
            << QStringList{"70", "1000", "2", "100.1", "50", "80"} << curva << "txtDatos(3)";
        QTest::newRow("area 1000") << QStringList{"70", "10", "1000", "60", "50", "80"} << area << "txtDatos(2)";
        QTest::newRow("capacity 10000") << QStringList{"70", "10", "2", "60", "10000", "80"}
                                        << "Value must be >=0 and <10000"
                                        << "txtDatos(4)";
        QTest::newRow("simple N empty") << QStringList{"70", "10", "2", "60", "50", ""} << ""
                                        << "txtDatos(5)";
        QTest::newRow("simple N above 100")
            << QStringList{"70", "10", "2", "60", "50", "100.01"} << curva << "txtDatos(5)";
        QTest::newRow("boundaries accepted") << QStringList{"100", "999.999", "2", "60", "0", "100"} << ""
                                             << "cmdAceptar";
    }
    void comprobacion()
    {
        QFETCH(QStringList, campos);
        QFETCH(QString, mensaje);
        QFETCH(QString, foco);
        Abre();
        Rellena(campos);
        C<QAbstractButton>("cmdAceptar")->setFocus();
        QTest::keyClick(C("cmdAceptar"), Qt::Key_Space);
        QCOMPARE(Textos(), mensaje.isEmpty() ? QStringList() : QStringList{mensaje});
        if (!mensaje.isEmpty()) {
            QCOMPARE(registro->cajas[0].titulo, QString("Error"));
            QVERIFY(registro->cajas[0].icono == Icono::Informacion);
        }
        QCOMPARE(Foco(), foco);
        // Only a complete check reaches the site state and the model.
        const bool corrido = foco == QLatin1String("cmdAceptar");
        QCOMPARE(v.N(2) != 0, corrido);
        if (corrido)
            QCOMPARE(v.SI, 999.999);
    }

    void capacidadAbandonada()
    {
        Abre();
        // Contributing area 60, collecting area 80: 5 l is below the advisable
        // minimum, and the capacity check is left without confirming.
        Rellena({"70", "10", "2", "80", "5", "60"});
        QTimer::singleShot(0, [] {
            if (QWidget* m = QApplication::activeModalWidget())
                m->close();
        });
        QTest::mouseClick(C<QAbstractButton>("cmdAceptar"), Qt::LeftButton);
        QCOMPARE(Foco(), QString("txtDatos(4)"));
        QCOMPARE(v.NUS(2), 0.0);
    }

    void ayudas_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("clic");
        QTest::addColumn<QString>("ventana");
        QTest::newRow("F1 on the contributing area") << "txtDatos(1)" << false << "frmAyudaArea";
        QTest::newRow("F1 on the collecting area") << "txtDatos(2)" << false << "frmAyudaArea";
        QTest::newRow("F1 on the collecting N") << "txtDatos(3)" << false << "frmEsquema";
        QTest::newRow("F1 on the capacity") << "txtDatos(4)" << false << "frmAyudaCapa";
        QTest::newRow("F1 on the simple N") << "txtDatos(5)" << false << "frmEsquema";
        QTest::newRow("F1 on the current slope: none") << "txtDatos(0)" << false << "";
        QTest::newRow("F1 on a help button") << "cmdAyudaCapa" << false << "frmAyudaCapa";
        QTest::newRow("area button") << "cmdArea(1)" << true << "frmAyudaArea";
        QTest::newRow("labour button") << "cmdLabor(0)" << true << "frmEsquema";
        QTest::newRow("methods") << "cmdMetodos" << true << "frmMetodos";
    }
    void ayudas()
    {
        QFETCH(QString, control);
        QFETCH(bool, clic);
        QFETCH(QString, ventana);
        Abre();
        QWidget* c = C(control);
        c->setFocus();
        if (clic)
            QTest::mouseClick(c, Qt::LeftButton);
        else
            QTest::keyClick(c, Qt::Key_F1);
        for (const char* n : {"frmAyudaArea", "frmAyudaCapa", "frmEsquema", "frmMetodos"})
            QCOMPARE(nav->Ventana(QString::fromLatin1(n)) != nullptr, ventana == QLatin1String(n));
    }

    void celdas_data()
    {
        QTest::addColumn<int>("columna");
        QTest::addColumn<QString>("tecleado");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("letters") << 0 << "x"
                                 << "Incorrect data. Need a numerical value.";
        QTest::newRow("area 0") << 0 << "0"
                                << "Surface must be >0 and <1000.";
        QTest::newRow("area 1000") << 0 << "1000"
                                   << "Surface must be >0 and <1000.";
        QTest::newRow("curve number 0") << 1 << "0"
                                        << "Curve number must be >0 and <=100";
        QTest::newRow("area 999.999") << 0 << "999.999"
                                      << "";
        QTest::newRow("curve number 100") << 1 << "100"
                                          << "";
    }
    void celdas()
    {
        QFETCH(int, columna);
        QFETCH(QString, tecleado);
        QFETCH(QString, mensaje);
        Abre();
        Compuesta(2);
        Celda(0, columna, tecleado);
        QCOMPARE(Textos(), mensaje.isEmpty() ? QStringList() : QStringList{mensaje});
        if (mensaje.isEmpty()) {
            // Written at once; Enter goes on to the next cell.
            QCOMPARE(Guardado(0, columna).toString(), tecleado);
            QCOMPARE(Rejilla()->currentIndex().column(), columna == 0 ? 2 : 1);
            QVERIFY(C<QTimer>("CalParcial")->isActive());
        } else {
            // Refused: the cell stays in edit with the text typed, nothing stored.
            auto* editor = qobject_cast<QLineEdit*>(w->focusWidget());
            QVERIFY(editor && Rejilla()->isAncestorOf(editor));
            QCOMPARE(editor->text(), tecleado);
            QVERIFY(Guardado(0, columna).isNull());
        }
    }

    void celdaRechazadaAlSalir()
    {
        Abre();
        Compuesta(1);
        QTableView* t = Rejilla();
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, t->visualRect(t->model()->index(0, 1)).center());
        Teclea("abc");
        QTest::mouseClick(Campo(1), Qt::LeftButton);
        QTRY_COMPARE(Foco(), QString("tblZonas"));
        QCOMPARE(Textos(), QStringList{"Incorrect data. Need a numerical value."});
        QCOMPARE(qobject_cast<QLineEdit*>(w->focusWidget())->text(), QString("abc"));
    }

    // Refused text in a cell: Escape gives it up for good, Shift and Ctrl
    // move nowhere, an arrow moves and so is checked.
    void teclasEnEdicion_data()
    {
        QTest::addColumn<int>("tecla");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("Escape, then another cell") << int(Qt::Key_Escape) << "";
        QTest::newRow("Shift") << int(Qt::Key_Shift) << "";
        QTest::newRow("Ctrl") << int(Qt::Key_Control) << "";
        QTest::newRow("arrow down") << int(Qt::Key_Down) << "Incorrect data. Need a numerical value.";
    }
    void teclasEnEdicion()
    {
        QFETCH(int, tecla);
        QFETCH(QString, mensaje);
        Abre();
        Compuesta(2);
        QTableView* t = Rejilla();
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, t->visualRect(t->model()->index(0, 1)).center());
        Teclea("abc");
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(tecla));
        QCOMPARE(Textos(), mensaje.isEmpty() ? QStringList() : QStringList{mensaje});
        auto* editor = qobject_cast<QLineEdit*>(w->focusWidget());
        QCOMPARE(editor != nullptr, tecla != Qt::Key_Escape);
        if (editor) {
            QCOMPARE(editor->text(), QString("abc"));
            QCOMPARE(t->currentIndex().row(), 0);
        } else {
            QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, t->visualRect(t->model()->index(1, 1)).center());
            QVERIFY(Textos().isEmpty());
            QCOMPARE(t->currentIndex().row(), 1);
        }
        QVERIFY(Guardado(0, 0).isNull());
    }

    // 0.1 + 0.2 is not 0.3 in binary: the sum check is exact.
    void zonas_data()
    {
        QTest::addColumn<QStringList>("zonas"); // area, curve number, ...
        QTest::addColumn<QString>("area");
        QTest::addColumn<QString>("mensaje");
        QTest::addColumn<int>("fila");
        QTest::addColumn<int>("columna");
        QTest::addColumn<double>("NI");
        QTest::newRow("one zone") << QStringList{"7", "65"} << "7"
                                  << "" << -1 << -1 << 65.0;
        QTest::newRow("two zones") << QStringList{"3", "80", "1", "60"} << "4"
                                   << "" << -1 << -1 << 75.0;
        QTest::newRow("0.1 + 0.2") << QStringList{"0.1", "80", "0.2", "70"} << "0.3"
                                   << "Incorrect entry data: partial surface sum need to be equal to the surface "
                                      "of the contributing area."
                                   << 0 << 1 << 0.0;
        QTest::newRow("empty curve number") << QStringList{"0.1", "80", "0.2", ""} << "0.3"
                                            << "" << 1 << 2 << 0.0;
    }
    void zonas()
    {
        QFETCH(QStringList, zonas);
        QFETCH(QString, area);
        QFETCH(QString, mensaje);
        QFETCH(int, fila);
        QFETCH(int, columna);
        QFETCH(double, NI);
        Abre();
        Rellena({"70", area, "2", "60", "0"});
        Compuesta(static_cast<int>(zonas.size() / 2));
        for (int i = 0; i < zonas.size(); ++i)
            if (!zonas[i].isEmpty())
                Celda(i / 2, i % 2, zonas[i]);
        QTest::mouseClick(C<QAbstractButton>("cmdAceptar"), Qt::LeftButton);
        QCOMPARE(Textos(), mensaje.isEmpty() ? QStringList() : QStringList{mensaje});
        if (!mensaje.isEmpty()) {
            QCOMPARE(registro->cajas[0].titulo, QString("WARNING"));
            QVERIFY(registro->cajas[0].icono == Icono::Aviso);
        }
        if (fila < 0) {
            QCOMPARE(v.NI(2), NI);
            QVERIFY(v.P0I(2) > 0);
        } else {
            QCOMPARE(Foco(), QString("tblZonas"));
            QCOMPARE(Rejilla()->currentIndex().row(), fila);
            QCOMPARE(Rejilla()->currentIndex().column(), columna);
            QCOMPARE(v.P0I(2), 0.0);
        }
    }

    void totalesYAyudas()
    {
        Abre();
        Compuesta(2);
        Celda(0, 0, "0.1234");
        Celda(0, 1, "80");
        Celda(1, 0, "0.2");
        apoyo::Dispara(C<QTimer>("CalParcial"));
        // The empty curve number counts as 0 in the displayed mean.
        QCOMPARE(C<QLabel>("lblSupTotal")->text(), QString("0.323"));
        QCOMPARE(C<QLabel>("lblSupTotal")->toolTip(), QString("0.3234"));
        QCOMPARE(C<QLabel>("lblNC")->text(), QString("30.5"));
        QCOMPARE(C<QLabel>("lblNC")->toolTip(), QString("30.53"));

        // Out of the grid the values show in their format, and the full value
        // under the pointer.
        Campo(0)->setFocus();
        QTableView* t = Rejilla();
        const QRect r = t->visualRect(t->model()->index(0, 1));
        QTest::mouseMove(w->windowHandle(), t->viewport()->mapTo(w, r.center()));
        QTRY_COMPARE(t->toolTip(), QString("0.1234"));

        // Another number of zones starts again.
        EligeZonas(3);
        QCOMPARE(t->model()->rowCount(), 3);
        for (int f = 0; f < 3; ++f)
            QVERIFY(Guardado(f, 0).isNull() && Guardado(f, 1).isNull());
        QCOMPARE(C<QLabel>("lblSupTotal")->text(), QString());
    }

    void enterRecorreLaRejilla()
    {
        Abre();
        Compuesta(2);
        Celda(0, 0, "1");
        QCOMPARE(Foco(), QString("tblZonas"));
        // Enter on cells not being edited walks on, and leaves from the last.
        QTest::keyClick(Rejilla(), Qt::Key_Return);
        QCOMPARE(Rejilla()->currentIndex().row(), 1);
        QTest::keyClick(Rejilla(), Qt::Key_Return);
        QCOMPARE(Rejilla()->currentIndex().column(), 2);
        QTest::keyClick(Rejilla(), Qt::Key_Return);
        QCOMPARE(Foco(), QString("cmdAceptar"));
        // Leaving the grid goes back to its first zone.
        QCOMPARE(Rejilla()->currentIndex().row(), 0);
        Rejilla()->setFocus();
        // F1 in the grid shows the sketch of the land preparation methods.
        QTest::keyClick(Rejilla(), Qt::Key_F1);
        QVERIFY(nav->Ventana(QStringLiteral("frmEsquema")));
        // Enter in a field moves on as Tab does.
        Campo(4)->setFocus();
        QTest::keyClick(Campo(4), Qt::Key_Return);
        QCOMPARE(Foco(), QString("opcComplejo(1)"));
    }

    void archivoInservible()
    {
        QFile f(dir_.filePath(BaseDatos::NombreArchivo));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
        f.close();
        Abre();
        QCOMPARE(registro->cajas.size(), std::size_t(1));
        QVERIFY(registro->cajas[0].texto.contains(QDir::toNativeSeparators(f.fileName())));
        QVERIFY(!C<QAbstractButton>("opcComplejo(1)")->isEnabled());
        // A simple contributing area is still computed.
        Rellena({"70", "10", "2", "60", "50", "80"});
        QTest::mouseClick(C<QAbstractButton>("cmdAceptar"), Qt::LeftButton);
        QVERIFY(v.P0I(2) > 0);
        QCOMPARE(registro->cajas.size(), std::size_t(1));
    }

    void enlace_data()
    {
        QTest::addColumn<bool>("programa");
        QTest::newRow("tables program already open") << false;
        QTest::newRow("tables program starting") << true;
    }
    void enlace()
    {
        QFETCH(bool, programa);
        if (programa) {
            // A stand-in that starts and ends at once; the link is opened by
            // the test's own server after the first attempt fails.
            QFile p(dir_.filePath(QStringLiteral("Zevode")));
            QVERIFY(p.open(QIODevice::WriteOnly));
            p.write("#!/bin/sh\nexit 0\n");
            p.close();
            p.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        QLocalServer servidor;
        if (!programa)
            QVERIFY(servidor.listen(EnlaceZevOde::NombreServidor()));
        Abre();
        Escribe(0, "50");
        QTest::mouseClick(C<QAbstractButton>("cmdZevOde"), Qt::LeftButton);
        QCOMPARE(Foco(), QString("txtDatos(1)"));
        if (programa) {
            QVERIFY(C<QTimer>("tmrEnlace")->isActive());
            QVERIFY(servidor.listen(EnlaceZevOde::NombreServidor()));
            apoyo::Dispara(C<QTimer>("tmrEnlace"));
        }
        QVERIFY(servidor.waitForNewConnection(5000));
        QLocalSocket* s = servidor.nextPendingConnection();
        s->write(EnlaceZevOde::Mensaje(QStringLiteral("otro"), QStringLiteral("1")));
        s->write(EnlaceZevOde::Mensaje(EnlaceZevOde::Elemento, QStringLiteral("72.25")));
        s->flush();
        QTRY_COMPARE(Campo(0)->text(), QString("72.25"));
        QCOMPARE(Tag(Campo(0)), QString("50"));
        // The tables program closes: the value is kept and shown in its format.
        s->disconnectFromServer();
        QTRY_COMPARE(Tag(Campo(0)), QString("72.25"));
        QCOMPARE(Campo(0)->toolTip(), QString("72.25"));
        QCOMPARE(Campo(0)->text(), QString("72.3"));
    }

    void programaAusente()
    {
        Abre();
        QTest::mouseClick(C<QAbstractButton>("cmdZevOde"), Qt::LeftButton);
        // Passed over in silence; nothing keeps trying.
        QCOMPARE(Foco(), QString("txtDatos(1)"));
        QVERIFY(registro->cajas.empty());
        QVERIFY(!C<QTimer>("tmrEnlace")->isActive());
        Escribe(1, "12");
        QCOMPARE(Campo(1)->text(), QString("12.000"));
    }
};

QTEST_MAIN(TstEscorrentia)
#include "tst_escorrentia.moc"
