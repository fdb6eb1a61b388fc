// The text catalogue and the pictures: every documented text is there in both
// languages exactly as written, and every picture shows at its size, also
// where the scratch file cannot be written.
#include "app/Directorios.h"
#include "app/Variables.h"
#include "text/Catalogo.h"
#include "text/Imagenes.h"

#include <QFile>
#include <QLabel>
#include <QSet>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QSet<int> IdsDocumentados()
{
    QSet<int> ids;
    auto rango = [&ids](int a, int b) {
        for (int i = a; i <= b; ++i) {
            ids.insert(i);
            ids.insert(i + 1000);
        }
    };
    rango(1001, 1212);
    rango(1300, 1306);
    rango(1350, 1352);
    rango(1531, 1548);
    return ids;
}

QByteArray Recurso(int id)
{
    QFile f(QStringLiteral(":/imagenes/%1.jpg").arg(id));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray Contenido(const QString& ruta)
{
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Two pictures that exist, for the scratch-file tests.
QList<int> DosImagenes()
{
    QList<int> ids;
    for (int id : {1201, 1202, 1101, 1102, 1105, 1301, 1401, 2101, 2201, 2202, 2401})
        if (!Recurso(id).isEmpty())
            ids << id;
    return ids.mid(0, 2);
}

} // namespace

class TstCatalogo : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

  private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(dir_.isValid());
    }

    void cleanup() { CambiaDirectorioPrograma(QString()); }

    void archivoCompleto()
    {
        QFile f(QStringLiteral(":/textos.tsv"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString todo = utf8(bytes);
        QVERIFY2(!utf8.hasError(), "the catalogue is not valid UTF-8");
        QVERIFY(!todo.contains(u'\r'));

        QHash<int, QString> textos;
        const auto lineas = todo.split(u'\n', Qt::SkipEmptyParts);
        for (const QString& linea : lineas) {
            const qsizetype tab = linea.indexOf(u'\t');
            QVERIFY2(tab > 0, qPrintable(linea));
            bool ok = false;
            const int id = linea.left(tab).toInt(&ok);
            QVERIFY2(ok, qPrintable(linea));
            QVERIFY2(!textos.contains(id), qPrintable(QStringLiteral("id %1 twice").arg(id)));
            QVERIFY2(!linea.mid(tab + 1).isEmpty(), qPrintable(QStringLiteral("id %1 is empty").arg(id)));
            textos.insert(id, linea.mid(tab + 1));
        }

        const QSet<int> documentados = IdsDocumentados();
        QCOMPARE(documentados.size(), 480);
        for (int id : documentados)
            QVERIFY2(textos.contains(id), qPrintable(QStringLiteral("id %1 missing").arg(id)));
        // Beyond them only the program's own messages: Spanish from 1600,
        // English from 2600, each with its twin.
        for (auto it = textos.cbegin(); it != textos.cend(); ++it) {
            const int id = it.key();
            if (documentados.contains(id))
                continue;
            const bool espanol = id >= 1600 && id < 2000;
            const bool ingles = id >= 2600 && id < 3000;
            QVERIFY2(espanol || ingles, qPrintable(QStringLiteral("id %1 is not a catalogue id").arg(id)));
            QVERIFY2(textos.contains(espanol ? id + 1000 : id - 1000),
                     qPrintable(QStringLiteral("id %1 has no twin").arg(id)));
        }
    }

    void textosExactos_data()
    {
        QTest::addColumn<int>("idioma");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("texto");
        QTest::newRow("single blank kept") << 1 << 547 << " ";
        QTest::newRow("trailing blank") << 1 << 138 << "Autor: ";
        QTest::newRow("trailing blank, accent") << 1 << 139 << "Programación: ";
        QTest::newRow("leading blank") << 1 << 544 << " litros.";
        QTest::newRow("double blank") << 2 << 169
                                      << "Contributing area and collecting area  with equal infiltration capacity";
        QTest::newRow("triple blank") << 2 << 93 << "Flat   (month P.)";
        QTest::newRow("English trailing blank") << 2 << 142 << "Results: curve numbers and runoff thresholds ";
        QTest::newRow("menu accelerator") << 1 << 305 << "Españ&ol";
        QTest::newRow("superscript two") << 1 << 22 << "Precipitación anual (l/m²)";
        QTest::newRow("ordinal sign") << 1 << 24 << "Nº de días de lluvia en el año";
        QTest::newRow("slip kept") << 2 << 97 << "Mimimum reservoir capacity to collect the whole surface runoff (l)";
        QTest::newRow("tern kept") << 2 << 31 << "Incorrect tern";
        QTest::newRow("caption") << 1 << 57 << "Datos de entrada de HIDRELA";
        QTest::newRow("English caption") << 2 << 57 << "HIDRELA data entry";
        QTest::newRow("back button") << 2 << 26 << "Previous";
    }

    void textosExactos()
    {
        QFETCH(int, idioma);
        QFETCH(int, n);
        QFETCH(QString, texto);
        Variables v;
        v.NumIdioma = static_cast<qint16>(idioma);
        QCOMPARE(CargaTexto(v, n), texto);
    }

    void imagenes_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QSize>("tamano");
        const QSize metodo(650, 295);
        for (int base : {1000, 2000}) {
            for (int m : {101, 102, 103, 104, 106, 107})
                QTest::addRow("%d", base + m) << base + m << metodo;
            QTest::addRow("%d", base + 105) << base + 105 << QSize(649, 260);
            QTest::addRow("%d", base + 108) << base + 108 << QSize(654, 299);
            QTest::addRow("%d", base + 201) << base + 201 << QSize(426, 322);
            QTest::addRow("%d", base + 202) << base + 202 << QSize(237, 217);
            QTest::addRow("%d", base + 301) << base + 301 << QSize(426, 322);
        }
        QTest::addRow("1401") << 1401 << QSize(912, 669);
        QTest::addRow("2401") << 2401 << QSize(510, 693);
    }

    void imagenes()
    {
        QFETCH(int, id);
        QFETCH(QSize, tamano);
        if (Recurso(id).isEmpty())
            QSKIP("picture source not drawn yet");
        CambiaDirectorioPrograma(dir_.path());
        Variables v;
        v.NumIdioma = static_cast<qint16>(id / 1000);
        QLabel control;
        CargaImagen(v, id % 1000, &control);
        QCOMPARE(control.pixmap().size(), tamano);
    }

    // The scratch file holds the last picture shown. An installed program
    // cannot write beside itself: the user's data directory takes the file,
    // and failing that the picture is decoded from memory; it is shown always.
    void archivoTemporal_data()
    {
        QTest::addColumn<bool>("programaEscribible");
        QTest::addColumn<bool>("usuarioEscribible");
        QTest::newRow("program directory") << true << true;
        QTest::newRow("user data directory") << false << true;
        QTest::newRow("nowhere to write") << false << false;
    }

    void archivoTemporal()
    {
        QFETCH(bool, programaEscribible);
        QFETCH(bool, usuarioEscribible);
        const QList<int> ids = DosImagenes();
        if (ids.size() < 2)
            QSKIP("fewer than two pictures drawn yet");
        // Nothing can be created below a plain file, whoever runs the test.
        const QString archivo = dir_.filePath(QStringLiteral("archivo"));
        QFile f(archivo);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        CambiaDirectorioPrograma(programaEscribible ? dir_.path() : archivo + QStringLiteral("/programa"));
        const QByteArray home = qgetenv("HOME");
        if (!usuarioEscribible)
            qputenv("HOME", (archivo + QStringLiteral("/casa")).toLocal8Bit());
        const QString esperado = !usuarioEscribible   ? QString()
                                 : programaEscribible ? dir_.filePath(QStringLiteral("b.jpg"))
                                                      : QDir(DirectorioUsuario()).filePath(QStringLiteral("b.jpg"));

        Variables v;
        QLabel a, b;
        v.NumIdioma = static_cast<qint16>(ids[0] / 1000);
        CargaImagen(v, ids[0] % 1000, &a);
        v.NumIdioma = static_cast<qint16>(ids[1] / 1000);
        CargaImagen(v, ids[1] % 1000, &b);
        const QString usado = ArchivoTemporalImagen();
        qputenv("HOME", home);

        QCOMPARE(a.pixmap().size(), QImage::fromData(Recurso(ids[0])).size());
        QCOMPARE(b.pixmap().size(), QImage::fromData(Recurso(ids[1])).size());
        QCOMPARE(usado, esperado);
        if (!usado.isEmpty())
            QCOMPARE(Contenido(usado), Recurso(ids[1]));
    }
};

QTEST_MAIN(TstCatalogo)
#include "tst_catalogo.moc"
