// The database file: where it lives, what is created when missing, and files
// that cannot be used, which are left as they are.
#include "app/BaseDatos.h"
#include "app/Directorios.h"

#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QtTest>

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

QByteArray Contenido(const QString& ruta)
{
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
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

    void archivoPropioNoEscribible_data()
    {
        QTest::addColumn<bool>("directorio");
        QTest::newRow("read-only file") << false;
        QTest::newRow("program directory that cannot be written") << true;
    }
    void archivoPropioNoEscribible()
    {
        QFETCH(bool, directorio);
        QByteArray antes;
        if (directorio) {
            // A directory below a plain file can never be created.
            CambiaDirectorioPrograma(dir_.filePath(QStringLiteral("archivo/programa")));
            QFile f(dir_.filePath(QStringLiteral("archivo")));
            QVERIFY(f.open(QIODevice::WriteOnly));
        } else {
            {
                BaseDatos b;
            }
            antes = Contenido(Propio());
            QVERIFY(QFile::setPermissions(Propio(), QFile::ReadOwner | QFile::ReadGroup));
        }
        BaseDatos b;
        QVERIFY(b.Abierta());
        QCOMPARE(b.Ruta(), QDir(DirectorioUsuario()).filePath(BaseDatos::NombreArchivo));
        QVERIFY(b.ReconstruyeZonas(2));
        QCOMPARE(Contenido(Propio()), antes);
    }

    void archivoInservible_data()
    {
        QTest::addColumn<QByteArray>("sql");
        QTest::newRow("not a database") << QByteArray();
        QTest::newRow("a table of another shape") << QByteArray("CREATE TABLE Zonas (a, b)");
    }
    void archivoInservible()
    {
        QFETCH(QByteArray, sql);
        if (sql.isEmpty()) {
            QFile f(Propio());
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(2048, 'z'));
        } else {
            BaseDatos crea;
            QSqlQuery(crea.Conexion()).exec("DROP TABLE Zonas");
            QVERIFY(QSqlQuery(crea.Conexion()).exec(QString::fromUtf8(sql)));
        }
        const QByteArray antes = Contenido(Propio());
        BaseDatos b;
        QVERIFY(!b.Abierta());
        QCOMPARE(b.Ruta(), Propio());
        QVERIFY(!b.ReconstruyeZonas(2));
        QVERIFY(!b.VaciaAnual());
        QCOMPARE(Contenido(Propio()), antes);
    }
};

QTEST_MAIN(TstBaseDatos)
#include "tst_basedatos.moc"
