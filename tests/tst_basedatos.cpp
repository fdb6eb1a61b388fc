// The database file: where it lives, what is created when missing, and files
// that cannot be used, which are left as they are.
#include "Apoyo.h"

#include <QSqlRecord>
#include <QtTest>

using apoyo::Contenido;

namespace {

QStringList Campos(const BaseDatos& b, const QString& tabla)
{
    QStringList c;
    const QSqlRecord r = b.Conexion().record(tabla);
    for (int i = 0; i < r.count(); ++i)
        c << r.fieldName(i);
    return c;
}

// Every row of a table, its fields joined by "|" (null as "-").
QStringList Filas(const BaseDatos& b, const QString& tabla)
{
    QStringList filas;
    QSqlQuery q(b.Conexion());
    q.exec(QStringLiteral("SELECT * FROM \"%1\" ORDER BY 1").arg(tabla));
    while (q.next()) {
        QStringList f;
        for (int i = 0; i < q.record().count(); ++i)
            f << (q.isNull(i) ? QStringLiteral("-") : q.value(i).toString());
        filas << f.join(u'|');
    }
    return filas;
}

} // namespace

class TstBaseDatos : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString Propio() const { return dir_.filePath(BaseDatos::NombreArchivo); }

  private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(dir_.isValid());
    }
    void init() { CambiaDirectorioPrograma(dir_.path()); }
    void cleanup()
    {
        QFile::setPermissions(Propio(), QFile::ReadOwner | QFile::WriteOwner);
        QFile::remove(Propio());
        QFile::remove(QDir(DirectorioUsuario()).filePath(BaseDatos::NombreArchivo));
    }

    void creaLoQueFalta()
    {
        {
            BaseDatos b;
            QVERIFY(b.Abierta());
            QCOMPARE(b.Ruta(), Propio());
            QCOMPARE(Campos(b, "Zonas"), (QStringList{"Nº Zona", "Sup parcial (m²)", "Nº curva en Cond II"}));
            QCOMPARE(Campos(b, "Anual"), (QStringList{"Mes", "P mes", "P máx", "N"}));
            QCOMPARE(Filas(b, "Anual").size(), 12);
            QVERIFY(b.ReconstruyeZonas(3));
            QCOMPARE(Filas(b, "Zonas"), (QStringList{"1|-|-", "2|-|-", "3|-|-"}));
            QSqlQuery(b.Conexion()).exec("UPDATE Anual SET \"P mes\" = 5, N = 2 WHERE Mes = 4");
            QSqlQuery(b.Conexion()).exec("DELETE FROM Anual WHERE Mes = 12");
        }
        // Opened again: Anual gets its twelfth row back, nothing else changes.
        BaseDatos b;
        QCOMPARE(Filas(b, "Anual").size(), 12);
        QCOMPARE(Filas(b, "Anual")[3], QString("4|5|-|2"));
        QVERIFY(b.VaciaAnual());
        QCOMPARE(Filas(b, "Anual")[3], QString("4|-|-|-"));
        QVERIFY(b.ReconstruyeZonas(0));
        QVERIFY(Filas(b, "Zonas").isEmpty());
    }

    // A program directory that cannot be written sends the file to the
    // user's; a file that is not the program's own is used by no one. Either
    // way the program's file is left as it was.
    void archivoMalo_data()
    {
        QTest::addColumn<int>("caso");
        QTest::addColumn<bool>("abierta");
        QTest::newRow("read-only file") << 0 << true;
        QTest::newRow("program directory that cannot be written") << 1 << true;
        QTest::newRow("not a database") << 2 << false;
        QTest::newRow("a table of another shape") << 3 << false;
    }
    void archivoMalo()
    {
        QFETCH(int, caso);
        QFETCH(bool, abierta);
        if (caso == 1) {
            // A directory below a plain file can never be created.
            CambiaDirectorioPrograma(dir_.filePath(QStringLiteral("archivo/programa")));
            QFile f(dir_.filePath(QStringLiteral("archivo")));
            QVERIFY(f.open(QIODevice::WriteOnly));
        } else if (caso == 2) {
            QFile f(Propio());
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(2048, 'z'));
        } else {
            BaseDatos crea;
            if (caso == 3) {
                QSqlQuery(crea.Conexion()).exec("DROP TABLE Zonas");
                QVERIFY(QSqlQuery(crea.Conexion()).exec("CREATE TABLE Zonas (a, b)"));
            }
        }
        if (caso == 0)
            QVERIFY(QFile::setPermissions(Propio(), QFile::ReadOwner | QFile::ReadGroup));
        const QByteArray antes = Contenido(Propio());
        BaseDatos b;
        QCOMPARE(b.Abierta(), abierta);
        QCOMPARE(b.Ruta(), abierta ? QDir(DirectorioUsuario()).filePath(BaseDatos::NombreArchivo) : Propio());
        QCOMPARE(b.ReconstruyeZonas(2), abierta);
        if (!abierta)
            QVERIFY(!b.VaciaAnual());
        QCOMPARE(Contenido(Propio()), antes);
    }
};

QTEST_MAIN(TstBaseDatos)
#include "tst_basedatos.moc"
