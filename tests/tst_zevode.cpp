// The curve-number tables program: its table, the choice of a number, the
// weighted number of a composite cover, the language, and the link.
#include "ApoyoEnlace.h"
#include "common/EnlaceZevode.h"
#include "zevode/ServidorEnlace.h"
#include "zevode/TablaCN.h"
#include "zevode/frmCurva.h"

#include <QLocalSocket>
#include <QtTest>
#include <QtWidgets>

#include <memory>
#include <sys/resource.h>

namespace {

// Row of the table by its English cover (whole, or up to its ":" or ","),
// treatment and condition.
int Fila(const QList<FilaCN>& t, const QString& cubierta, const QString& tratamiento, const QString& condicion)
{
    for (int i = 0; i < t.size(); ++i)
        if ((t[i].cubierta[1] == cubierta || t[i].cubierta[1].startsWith(cubierta + ':') ||
             t[i].cubierta[1].startsWith(cubierta + ',')) &&
            t[i].tratamiento[1] == tratamiento && t[i].condicion == condicion)
            return i;
    return -1;
}

// A client of the link that keeps every text it receives.
struct Cliente {
    QLocalSocket socket;
    QStringList textos;

    Cliente()
    {
        QObject::connect(&socket, &QLocalSocket::readyRead, [this] {
            QString elemento, texto;
            while (socket.canReadLine())
                if (EnlaceZevode::LeeMensaje(socket.readLine().chopped(1), elemento, texto) &&
                    elemento == EnlaceZevode::Elemento)
                    textos << texto;
        });
    }
    bool Conecta(uid_t uid = geteuid())
    {
        socket.abort();
        const QString nombre = EnlaceZevode::NombreServidor();
        return apoyo::ComoUsuario(uid, [&] {
            socket.connectToServer(nombre);
            return socket.waitForConnected(2000);
        });
    }
    QString Ultimo() const { return textos.isEmpty() ? QStringLiteral("<nothing>") : textos.last(); }
};

// The window shown with the built-in table, clicked as the user does.
struct Ventana {
    QList<FilaCN> t = [] {
        QString error;
        return TablaIncorporada(error);
    }();
    frmCurva w;
    explicit Ventana(int idioma) : w(t, idioma) { w.show(); }
    QString Numero() { return w.findChild<QLabel*>("lblZevOdeva")->text(); }
    void Clic(int fila, int columna)
    {
        auto* tabla = w.findChild<QTableWidget*>("tblCurvas");
        tabla->scrollToItem(tabla->item(fila, columna));
        QTest::mouseClick(tabla->viewport(), Qt::LeftButton, {},
                          tabla->visualItemRect(tabla->item(fila, columna)).center());
    }
    // Column 4 + g holds soil group g (0 = A).
    void Clic(const QString& cubierta, const QString& condicion, int grupo)
    {
        Clic(Fila(t, cubierta, "", condicion), 4 + grupo);
    }
};

} // namespace

class TstZevode : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // Every row of the table the program carries names its source; a few
    // rows checked by hand against TR-55 Tables 2-2a to 2-2d (0: none).
    void tablaIncorporada()
    {
        QString error;
        const QList<FilaCN> t = TablaIncorporada(error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        for (const FilaCN& f : t)
            QVERIFY2(f.fuente.startsWith(QStringLiteral("TR-55 (1986) Table ") + f.tabla), qPrintable(f.fuente));
        const auto n = [&t](const char* cubierta, const char* tratamiento, const char* condicion, int grupo) {
            const int i = Fila(t, cubierta, tratamiento, condicion);
            return i < 0 ? -1 : t[i].N[static_cast<std::size_t>(grupo)];
        };
        QCOMPARE((QList<int>{n("Woods", "", "good", 1), n("Brush", "", "good", 0),
                             n("Row crops", "Straight row (SR)", "good", 3),
                             n("Streets and roads: dirt (including right-of-way)", "", "", 0),
                             n("Herbaceous", "", "poor", 0)}),
                 (QList<int>{55, 30, 89, 72, 0}));
    }

    void comprobacion_data()
    {
        QTest::addColumn<QByteArray>("fila");
        QTest::addColumn<bool>("valida");
        const QByteArray n = "2-2c\tBosque\tWoods\t\t\tgood\t";
        const QByteArray fin = "\tnote\tnota\tTR-55 (1986) Table 2-2c";
        QTest::newRow("correct") << n + "30\t55\t70\t77" + fin << true;
        QTest::newRow("below 30") << n + "29\t55\t70\t77" + fin << false;
        QTest::newRow("above 100") << n + "30\t55\t70\t101" + fin << false;
        QTest::newRow("B below A") << n + "56\t55\t70\t77" + fin << false;
        QTest::newRow("D below C after a gap") << "2-2d\tX\tX\t\t\tpoor\t\t80\t87\t79" + fin << false;
        QTest::newRow("no value") << n + "\t\t\t" + fin << false;
        QTest::newRow("decimal") << n + "30\t55.5\t70\t77" + fin << false;
        QTest::newRow("source missing") << n + "30\t55\t70\t77\tnote\tnota\t" << false;
        QTest::newRow("unknown condition") << "2-2c\tBosque\tWoods\t\t\tbad\t30\t55\t70\t77" + fin << false;
        QTest::newRow("column missing") << n + "30\t55\t70\t77\tnote\tTR-55" << false;
    }
    void comprobacion()
    {
        QFETCH(QByteArray, fila);
        QFETCH(bool, valida);
        QString error;
        QCOMPARE(LeeTablaCN("header\n" + fila + "\n", error).has_value(), valida);
        QCOMPARE(error.startsWith("line 2: "), !valida);
    }

    // A row without a group, or a cell without a value, is no number; the
    // group's button, or a click on the cell after another, makes it one.
    void eleccion()
    {
        Ventana v(2);
        QVERIFY(QTest::qWaitForWindowExposed(&v.w));
        const int i = Fila(v.t, "Row crops", "Straight row (SR)", "good");
        auto* opcion = v.w.findChild<QRadioButton*>(QStringLiteral("opcGrupo(3)"));
        v.Clic(i, 0);
        QCOMPARE(v.Numero(), QString());
        QTest::mouseClick(opcion, Qt::LeftButton);
        QCOMPARE(v.Numero(), QStringLiteral("89"));
        v.Clic("Herbaceous", "poor", 0);
        QCOMPARE(v.Numero(), QString());
        v.Clic(i, 7);
        QVERIFY(v.Numero() == "89" && opcion->isChecked());
        QVERIFY(v.w.findChild<QLabel*>("lblFuente")->text().contains(v.t[i].fuente));
    }

    // The weighted number of a composite cover, as the user builds it.
    void compuesta()
    {
        Ventana v(2);
        QVERIFY(QTest::qWaitForWindowExposed(&v.w));
        auto* anadir = v.w.findChild<QPushButton*>("cmdAnadir");
        auto* usar = v.w.findChild<QPushButton*>("cmdUsarMedia");
        QVERIFY(!anadir->isEnabled());
        v.Clic("Woods", "good", 1);
        QTest::mouseClick(anadir, Qt::LeftButton);
        QTest::keyClicks(QApplication::focusWidget(), "60");
        v.Clic("Pasture", "fair", 2);
        QTest::mouseClick(anadir, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("txtPorcentaje(1)"));
        QTest::keyClicks(QApplication::focusWidget(), "40");
        QCOMPARE(v.Numero(), QStringLiteral("79")); // the table's choice until the mean is asked for
        usar->setFocus();
        QTest::keyClick(usar, Qt::Key_Return); // Enter presses a focused button
        QCOMPARE(v.Numero(), QStringLiteral("64.6"));
        // The number in use follows the shares, and is none while they do not make 100.
        auto* segundo = v.w.findChild<QLineEdit*>("txtPorcentaje(1)");
        segundo->selectAll();
        QTest::keyClicks(segundo, "30");
        QVERIFY(v.Numero().isEmpty() && !usar->isEnabled());
        segundo->selectAll();
        QTest::keyClicks(segundo, "40,0");
        QCOMPARE(v.Numero(), QStringLiteral("64.6"));
        // Shares with decimals that miss 100 in binary by a rounding make 100;
        // six covers, or a share of 0, give no mean.
        QVERIFY(qAbs(MediaCompuesta({{0.1, 60}, {66.6, 70}, {33.3, 80}}).value_or(0) - 73.32) < 1e-9);
        QVERIFY(!MediaCompuesta({{20, 30}, {20, 40}, {20, 50}, {20, 60}, {10, 70}, {10, 80}}) &&
                !MediaCompuesta({{100, 55}, {0, 79}}));
    }

    // A copy that still answers keeps the link; a name left by a dead one is
    // taken over. Another user, and a client that talks instead of listening,
    // are cut off.
    void arranqueServidor()
    {
        {
            ServidorEnlace primero;
            QCOMPARE(primero.Escucha(), ServidorEnlace::Arranque::Escuchando);
            ServidorEnlace segundo;
            QCOMPARE(segundo.Escucha(), ServidorEnlace::Arranque::OtroAbierto);
        }
        QFile resto(EnlaceZevode::NombreServidor());
        QVERIFY(resto.open(QIODevice::WriteOnly));
        resto.close();
        ServidorEnlace tercero;
        QCOMPARE(tercero.Escucha(), ServidorEnlace::Arranque::Escuchando);
        Cliente c, ajeno, hablador;
        const bool otro = apoyo::PuedeSerOtro();
        QVERIFY(c.Conecta() && (!otro || ajeno.Conecta(apoyo::Nadie)) && hablador.Conecta());
        hablador.socket.write(QByteArray(1 << 20, 'x'));
        QTRY_COMPARE(ajeno.socket.state(), QLocalSocket::UnconnectedState);
        QTRY_COMPARE(hablador.socket.state(), QLocalSocket::UnconnectedState);
        QCOMPARE(ajeno.textos, QStringList());
        QCOMPARE(tercero.Clientes(), 1);
    }

    // Two clients at once follow the window; closing it ends both links.
    void enlace()
    {
        auto v = std::make_unique<Ventana>(2);
        auto servidor = std::make_unique<ServidorEnlace>();
        QObject::connect(&v->w, &frmCurva::ValorCambiado, servidor.get(), &ServidorEnlace::Publica);
        QCOMPARE(servidor->Escucha(), ServidorEnlace::Arranque::Escuchando);
        QVERIFY(QTest::qWaitForWindowExposed(&v->w));
        Cliente uno, dos;
        QVERIFY(uno.Conecta() && dos.Conecta());
        QTRY_VERIFY(uno.textos == QStringList{QString()} && dos.textos == QStringList{QString()});
        v->Clic("Woods", "good", 1);
        QTRY_VERIFY(uno.Ultimo() == "55" && dos.Ultimo() == "55");
        // One client leaves; the other keeps following, and a newcomer starts from the number shown.
        uno.socket.disconnectFromServer();
        QTRY_COMPARE(servidor->Clientes(), 1);
        v->Clic("Woods", "fair", 2);
        QTRY_COMPARE(dos.Ultimo(), QStringLiteral("73"));
        Cliente tres;
        QVERIFY(tres.Conecta());
        QTRY_COMPARE(tres.textos, QStringList{QStringLiteral("73")});
        QCOMPARE(dos.textos, (QStringList{QString(), QStringLiteral("55"), QStringLiteral("73")}));
        // The last choice reaches the clients even when the window closes at once.
        v->Clic("Woods", "poor", 3);
        v->w.close();
        v.reset();
        servidor.reset();
        QTRY_VERIFY(dos.socket.state() == QLocalSocket::UnconnectedState &&
                    tres.socket.state() == QLocalSocket::UnconnectedState);
        QVERIFY(dos.Ultimo() == "83" && tres.Ultimo() == "83");
    }

    // The real program serves the link from its start and ends it when it
    // ends; out of descriptors for a while, it listens again afterwards.
    void programa()
    {
        QProcess zevode;
        zevode.setProgram(QStringLiteral(ZEVODE));
        zevode.start();
        QVERIFY(zevode.waitForStarted(10000));
        Cliente c;
        QTRY_VERIFY_WITH_TIMEOUT(c.Conecta(), 20000);
        QTRY_COMPARE(c.textos, QStringList{QString()});

        // No descriptor left for a while: a connection cannot be accepted, and later can.
        const auto pid = pid_t(zevode.processId());
        rlimit antes{};
        QCOMPARE(prlimit(pid, RLIMIT_NOFILE, nullptr, &antes), 0);
        const rlimit ninguno{0, antes.rlim_max};
        QCOMPARE(prlimit(pid, RLIMIT_NOFILE, &ninguno, nullptr), 0);
        Cliente d;
        QVERIFY(d.Conecta());
        QTRY_COMPARE(d.socket.state(), QLocalSocket::UnconnectedState);
        QCOMPARE(prlimit(pid, RLIMIT_NOFILE, &antes, nullptr), 0);
        QTRY_VERIFY(d.Conecta());
        QTRY_COMPARE(d.textos, QStringList{QString()});

        zevode.terminate();
        QVERIFY(zevode.waitForFinished(10000));
        QTRY_COMPARE(c.socket.state(), QLocalSocket::UnconnectedState);
    }
};

QTEST_MAIN(TstZevode)
#include "tst_zevode.moc"
