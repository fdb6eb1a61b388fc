// The text catalogue and the pictures: every documented text is there in both
// languages exactly as written, and pictures show also where the scratch
// file cannot be written.
#include "ApoyoAyuda.h"

#include "common/Catalogo.h"
#include "common/Directorios.h"
#include "common/Imagenes.h"

namespace {

QSet<int> IdsDocumentados()
{
    QSet<int> ids;
    for (const auto& [a, b] : {std::pair{1001, 1212}, {1300, 1306}, {1350, 1352}, {1531, 1548}})
        for (int i = a; i <= b; ++i)
            ids << i << i + 1000;
    return ids;
}

Variables EnIdioma(int idioma)
{
    Variables v;
    v.NumIdioma = static_cast<qint16>(idioma);
    return v;
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
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString todo = utf8(apoyo::Contenido(QStringLiteral(":/textos.tsv")));
        QVERIFY(!utf8.hasError() && !todo.isEmpty() && !todo.contains(u'\r'));

        QHash<int, QString> textos;
        for (const QString& linea : todo.split(u'\n', Qt::SkipEmptyParts)) {
            const qsizetype tab = linea.indexOf(u'\t');
            bool ok = false;
            const int id = linea.left(tab).toInt(&ok);
            QVERIFY2(tab > 0 && ok, qPrintable(linea));
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
            QVERIFY2(espanol || (id >= 2600 && id < 3000),
                     qPrintable(QStringLiteral("id %1 is no catalogue id").arg(id)));
            QVERIFY2(textos.contains(espanol ? id + 1000 : id - 1000),
                     qPrintable(QStringLiteral("id %1 has no twin").arg(id)));
        }
        // Blanks and signs reach the windows as written.
        QCOMPARE((QStringList{Texto(EnIdioma(1), 1547), Texto(EnIdioma(2), 1169), Texto(EnIdioma(1), 1022)}),
                 (QStringList{" ", "Contributing area and collecting area  with equal infiltration capacity",
                              "Precipitación anual (l/m²)"}));
    }

    // The picture passes through a private scratch file, or with nowhere to
    // write, straight from memory: it is shown always, and a link planted
    // beside the program is never written through.
    void archivoTemporal_data()
    {
        QTest::addColumn<bool>("escribible");
        QTest::newRow("a private scratch file") << true;
        QTest::newRow("nowhere to write") << false;
    }
    void archivoTemporal()
    {
        QFETCH(bool, escribible);
        const QString lejos = dir_.filePath(QStringLiteral("lejos"));
        CambiaDirectorioPrograma(dir_.path());
        QFile::remove(dir_.filePath(QStringLiteral("b.jpg")));
        QVERIFY(QFile::link(lejos, dir_.filePath(QStringLiteral("b.jpg"))));
        // Nothing can be created below a plain file, whoever runs the test.
        const QByteArrayList variables{"HOME", "TMPDIR", "XDG_RUNTIME_DIR"};
        QByteArrayList antes;
        for (const QByteArray& v : variables) {
            antes << qgetenv(v);
            if (!escribible)
                qputenv(v, QFile::encodeName(QCoreApplication::applicationFilePath()) + "/x");
        }
        QLabel a, b;
        CargaImagen(EnIdioma(1), 201, &a);
        CargaImagen(EnIdioma(2), 202, &b);
        for (qsizetype i = 0; i < variables.size(); ++i)
            qputenv(variables[i], antes[i]);

        QCOMPARE(a.pixmap().size(), QSize(426, 322));
        QCOMPARE(b.pixmap().size(), QSize(237, 217));
        QVERIFY(!QFile::exists(lejos));
    }
};

QTEST_MAIN(TstCatalogo)
#include "tst_catalogo.moc"
