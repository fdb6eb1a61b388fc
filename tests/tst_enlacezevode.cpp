// The site entry window and the tables window linked as the user meets them:
// txtDatos(0) follows the number chosen, and keeps it when the tables close.
#include "Apoyo.h"
#include "ApoyoEnlace.h"

#include "common/ClienteZevode.h"
#include "common/EnlaceZevode.h"

#include "widgets/CampoNumerico.h"
#include "zevode/ServidorEnlace.h"
#include "zevode/TablaCN.h"
#include "zevode/frmCurva.h"

#include <QtNetwork>

class TstEnlaceZevode : public QObject {
    Q_OBJECT

  private slots:
    void init() { apoyo::AislaAjustes(); }
    void cleanup() { apoyo::Recoge(); }

    void enlace()
    {
        // No program to start in this directory: the tables window of this
        // process serves the link instead.
        QTemporaryDir directorio;
        CambiaDirectorioPrograma(directorio.path());
        auto sesion = apoyo::Arranca();
        QWidget* entrada = sesion->nav.Ventana(QStringLiteral("frmEscorrentía"));
        auto* campo = entrada->findChild<QLineEdit*>(QStringLiteral("txtDatos(0)"));

        QString error;
        const QList<FilaCN> t = TablaIncorporada(error);
        auto tablas = std::make_unique<frmCurva>(t, 2);
        auto servidor = std::make_unique<ServidorEnlace>();
        QObject::connect(tablas.get(), &frmCurva::ValorCambiado, servidor.get(), &ServidorEnlace::Publica);
        QCOMPARE(servidor->Escucha(), ServidorEnlace::Arranque::Escuchando);
        tablas->show();

        QTest::mouseClick(entrada->findChild<QPushButton*>(QStringLiteral("cmdZevOde")), Qt::LeftButton);
        QTRY_COMPARE(servidor->Clientes(), 1);
        auto* tabla = tablas->findChild<QTableWidget*>(QStringLiteral("tblCurvas"));
        const auto clic = [tabla](int fila, int columna) {
            tabla->scrollToItem(tabla->item(fila, columna));
            QTest::mouseClick(tabla->viewport(), Qt::LeftButton, {},
                              tabla->visualItemRect(tabla->item(fila, columna)).center());
        };
        clic(47, 5); // woods, fair, group B
        QTRY_COMPARE(campo->text(), QStringLiteral("60"));
        clic(37, 6); // pasture, fair, group C
        QTRY_COMPARE(campo->text(), QStringLiteral("79"));

        // Closing the tables ends the link: the last number becomes the field's value.
        tablas->close();
        tablas.reset();
        servidor.reset();
        QTRY_COMPARE(Tag(campo), QStringLiteral("79"));
        QCOMPARE(campo->toolTip(), QStringLiteral("79"));
        QCOMPARE(campo->text(), QStringLiteral("79.0"));
    }

    // Whoever serves the name, only the user's own program is listened to,
    // and no more than a line's worth of what it sends is kept: a longer line
    // is dropped up to its end.
    void servidorAjeno_data()
    {
        const QByteArray e = EnlaceZevode::Elemento.toUtf8() + '\t';
        const qsizetype cabe = EnlaceZevode::LineaMaxima - e.size();
        QTest::addColumn<uint>("uid");
        QTest::addColumn<QByteArray>("envio");
        QTest::addColumn<QStringList>("textos");
        QTest::newRow("another user's server") << uint(apoyo::Nadie) << e + "99\n" << QStringList();
        QTest::newRow("an endless line, the longest, one longer")
            << uint(geteuid())
            << e + QByteArray(1 << 20, '9') + '\n' + e + QByteArray(cabe, '8') + '\n' + e + QByteArray(cabe + 1, '7') +
                   '\n' + e + "42\n"
            << QStringList{QString(cabe, u'8'), "42"};
    }
    void servidorAjeno()
    {
        QFETCH(uint, uid);
        QFETCH(QByteArray, envio);
        QFETCH(QStringList, textos);
        QLocalServer servidor;
        const QString nombre = EnlaceZevode::NombreServidor();
        QVERIFY(apoyo::ComoUsuario(uid, [&] { return servidor.listen(nombre); }));
        ClienteZevode cliente;
        QStringList recibidos;
        connect(&cliente, &ClienteZevode::Texto, [&recibidos](const QString& t) { recibidos << t; });
        cliente.Inicia(QStringLiteral("/nowhere")); // no program to start
        QVERIFY(servidor.waitForNewConnection(5000));
        QLocalSocket* s = servidor.nextPendingConnection();
        s->write(envio);
        s->disconnectFromServer();
        QTRY_VERIFY(s->state() == QLocalSocket::UnconnectedState && !cliente.Enlazado());
        QCOMPARE(recibidos, textos);
    }
};

QTEST_MAIN(TstEnlaceZevode)
#include "tst_enlacezevode.moc"
