// The database file: where it lives, what is created when missing, and files
// that cannot be used, which are left as they are.
#include "Apoyo.h"
#include "annual/RejillaAnual.h"
#include "site/RejillaZonas.h"

#include <QSqlRecord>

using apoyo::Contenido;

namespace {

// Every row a query gives, its fields joined by "|" (null as "-"); a bare
// name is the whole table.
QStringList Filas(const BaseDatos& b, const QString& consulta)
{
    QStringList filas;
    QSqlQuery q(b.Conexion());
    q.exec(consulta.contains(u' ') ? consulta : QStringLiteral("SELECT * FROM \"%1\" ORDER BY 1").arg(consulta));
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
        QSqlDatabase::removeDatabase(QStringLiteral("otro"));
    }

    void creaLoQueFalta()
    {
        {
            BaseDatos b;
            QVERIFY(b.Abierta() && b.Ruta() == Propio() && Filas(b, "Anual").size() == 12);
            QCOMPARE(Filas(b, "SELECT name FROM pragma_table_info('Zonas')"),
                     (QStringList{"Nº Zona", "Sup parcial (m²)", "Nº curva en Cond II"}));
            QCOMPARE(Filas(b, "SELECT name FROM pragma_table_info('Anual')"),
                     (QStringList{"Mes", "P mes", "P máx", "N"}));
            QVERIFY(b.ReconstruyeZonas(3));
            QCOMPARE(Filas(b, "Zonas"), (QStringList{"1|-|-", "2|-|-", "3|-|-"}));
            QSqlQuery(b.Conexion()).exec("UPDATE Anual SET \"P mes\" = 5, N = 2 WHERE Mes = 4");
            QSqlQuery(b.Conexion()).exec("DELETE FROM Anual WHERE Mes = 12");
        }
        // Opened again: Anual gets its twelfth row back, nothing else changes.
        BaseDatos b;
        QCOMPARE(Filas(b, "Anual").size(), 12);
        QCOMPARE(Filas(b, "Anual")[3], QString("4|5|-|2"));
        QVERIFY(b.VaciaAnual() && Filas(b, "Anual")[3] == "4|-|-|-");
        QVERIFY(b.ReconstruyeZonas(0) && Filas(b, "Zonas").isEmpty());
    }

    // A file the program made before it marked its files, and an empty one,
    // are taken as its own.
    void archivoPropio_data()
    {
        QTest::addColumn<QStringList>("sql");
        QTest::newRow("an empty file") << QStringList();
        QTest::newRow("the tables of an older file")
            << QStringList{"CREATE TABLE Zonas (\"Nº Zona\" INTEGER PRIMARY KEY, \"Sup parcial (m²)\" REAL, "
                           "\"Nº curva en Cond II\" REAL)",
                           "CREATE TABLE Anual (Mes INTEGER PRIMARY KEY, \"P mes\" REAL, \"P máx\" REAL, N INTEGER)"};
    }
    void archivoPropio()
    {
        QFETCH(QStringList, sql);
        QFile f(Propio());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        {
            QSqlDatabase otro = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("otro"));
            otro.setDatabaseName(Propio());
            QVERIFY(otro.open());
            for (const QString& orden : sql)
                QVERIFY(QSqlQuery(otro).exec(orden));
            otro.close();
        }
        BaseDatos b;
        QVERIFY(b.Abierta() && b.Ruta() == Propio() && b.ReconstruyeZonas(2));
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
        QTest::newRow("another program's database") << 4 << false;
        QTest::newRow("locked by another program") << 5 << false;
        QTest::newRow("a link to nowhere") << 6 << false;
        QTest::newRow("another program's, with no table at all") << 7 << false;
        QTest::newRow("another program's mark over tables like ours") << 8 << false;
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
        } else if (caso == 6) {
            QVERIFY(QFile::link(dir_.filePath(QStringLiteral("lejos.mdb")), Propio()));
        } else if (caso != 4 && caso != 7) {
            BaseDatos crea;
            if (caso == 3) {
                QSqlQuery(crea.Conexion()).exec("DROP TABLE Zonas");
                QVERIFY(QSqlQuery(crea.Conexion()).exec("CREATE TABLE Zonas (a, b)"));
            }
        }
        if (caso == 0)
            QVERIFY(QFile::setPermissions(Propio(), QFile::ReadOwner | QFile::ReadGroup));
        QSqlDatabase otro = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("otro"));
        otro.setDatabaseName(Propio());
        const QHash<int, QString> ajeno{{4, "CREATE TABLE Cuentas (a)"},
                                        {5, "BEGIN EXCLUSIVE"},
                                        {7, "PRAGMA user_version = 7"},
                                        {8, "PRAGMA application_id = 7"}};
        if (ajeno.contains(caso))
            QVERIFY(otro.open() && QSqlQuery(otro).exec(ajeno[caso]));
        const QByteArray antes = Contenido(Propio());
        BaseDatos b;
        QVERIFY(b.Abierta() == abierta && b.ReconstruyeZonas(2) == abierta && b.VaciaAnual() == abierta);
        QCOMPARE(b.Ruta(), abierta ? QDir(DirectorioUsuario()).filePath(BaseDatos::NombreArchivo) : Propio());
        QCOMPARE(Contenido(Propio()), antes);
        QVERIFY(caso != 6 || !QFile::exists(Propio())); // nothing made at the link's target
    }

    // The file stops taking writes while a grid is being filled in (turned
    // read-only, the disk full): one message naming it, and every value typed
    // before and after stays in the grid. Every open connection is made to
    // refuse writes, as a file opened as root would not by its permissions.
    void dejaDeEscribir_data()
    {
        QTest::addColumn<bool>("zonas");
        QTest::addColumn<QStringList>("tecleado"); // row by row, a column each
        QTest::newRow("zones") << true << QStringList{"10", "50", "20", "60", "30", "70"};
        QTest::newRow("months") << false << QStringList{"60", "30", "4", "50", "20", "3"};
    }
    void dejaDeEscribir()
    {
        QFETCH(bool, zonas);
        QFETCH(QStringList, tecleado);
        Variables v;
        v.NumIdioma = 2;
        apoyo::Registro registro;
        const std::unique_ptr<QWidget> w(zonas ? static_cast<QWidget*>(new RejillaZonas(v)) : new RejillaAnual(v));
        auto* lista = w->findChild<QComboBox*>(QStringLiteral("lstNumZonas"));
        const auto elige = [lista](int i) {
            lista->setCurrentIndex(i);
            emit lista->activated(i);
        };
        if (lista)
            elige(2);
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        auto* rejilla = w->findChild<QTableView*>(zonas ? QStringLiteral("tblZonas") : QStringLiteral("tblAno"));
        const int columnas = zonas ? 2 : 3;
        // Enter walks the cells, across the move to memory too.
        apoyo::Teclea(rejilla, 0, 1, QString());
        for (int i = 0; i < tecleado.size(); ++i) {
            if (i == columnas)
                for (const QString& c : QSqlDatabase::connectionNames())
                    QVERIFY(QSqlQuery(QSqlDatabase::database(c, false)).exec("PRAGMA query_only = ON"));
            for (const QChar c : tecleado[i] + QChar(u'\r'))
                QTest::keyClicks(QApplication::focusWidget(), QString(c));
            QCoreApplication::processEvents();
        }
        QCOMPARE(registro.cajas.size(), std::size_t{1});
        QVERIFY(registro.cajas[0].texto.contains(QDir::toNativeSeparators(Propio())));
        for (int i = 0; i < tecleado.size(); ++i)
            QCOMPARE(rejilla->model()->index(i / columnas, 1 + i % columnas).data().toString(), tecleado[i]);
        const QString tabla = zonas ? "Zonas" : "Anual";
        QVERIFY(apoyo::Guardado(tabla, 0, 0).toString() == tecleado[0] && apoyo::Guardado(tabla, 1, 0).isNull());
        if (lista) {
            // Zones chosen again are built in memory, without a word.
            elige(1);
            QVERIFY(rejilla->model()->rowCount() == 2 && rejilla->model()->index(0, 1).data().isNull());
            QCOMPARE(registro.cajas.size(), std::size_t{1});
        }
    }
};

QTEST_MAIN(TstBaseDatos)
#include "tst_basedatos.moc"
