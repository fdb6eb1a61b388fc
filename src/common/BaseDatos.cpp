#include "common/BaseDatos.h"

#include "common/Directorios.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSqlTableModel>
#include <QStringList>

#include <atomic>

namespace {

const QStringList CamposZonas{QStringLiteral("Nº Zona"), QStringLiteral("Sup parcial (m²)"),
                              QStringLiteral("Nº curva en Cond II")};
const QStringList CamposAnual{QStringLiteral("Mes"), QStringLiteral("P mes"), QStringLiteral("P máx"),
                              QStringLiteral("N")};

// A file marked read-only counts as such even for a user the system lets
// write anywhere.
bool Escribible(const QString& ruta)
{
    const QFileInfo archivo(ruta);
    const QFileInfo dir(archivo.absolutePath());
    if (!dir.isDir() || !dir.isWritable())
        return false;
    if (!archivo.exists())
        return true;
    const auto escritura = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return archivo.isWritable() && (archivo.permissions() & escritura);
}

// Nothing is created through a symbolic link beside the program: one that
// leads to a file in use is followed, one that leads nowhere (or to an
// empty file) is not.
bool EnlaceVacio(const QString& ruta)
{
    const QFileInfo f(ruta);
    return f.isSymLink() && (!f.exists() || f.size() == 0);
}

// The program's mark in the header of every file it makes ("HDRL"), which
// no other program's file bears.
constexpr int MarcaPropia = 0x4844524C;

// A number the file's header holds (application_id, page_count), or -1.
qint64 Cabecera(const QSqlDatabase& db, const char* pragma)
{
    QSqlQuery q(db);
    return q.exec(QStringLiteral("PRAGMA %1").arg(QLatin1String(pragma))) && q.next() ? q.value(0).toLongLong() : -1;
}

bool Ejecuta(QSqlDatabase& db, const QString& sql)
{
    QSqlQuery q(db);
    return q.exec(sql);
}

// The table has exactly these fields, in this order (or does not exist yet).
bool Forma(const QSqlDatabase& db, const QString& tabla, const QStringList& campos)
{
    const QSqlRecord r = db.record(tabla);
    if (r.isEmpty())
        return !db.tables().contains(tabla);
    if (r.count() != campos.size())
        return false;
    for (int i = 0; i < r.count(); ++i)
        if (r.fieldName(i) != campos[i])
            return false;
    return true;
}

} // namespace

QString RutaBaseDatos()
{
    const QString propia = QDir(DirectorioPrograma()).filePath(BaseDatos::NombreArchivo);
    if (Escribible(propia))
        return propia;
    const QString usuario = DirectorioUsuario();
    QDir().mkpath(usuario);
    return QDir(usuario).filePath(BaseDatos::NombreArchivo);
}

BaseDatos::BaseDatos()
{
    static std::atomic<int> cuenta{0};
    conexion_ = QStringLiteral("Datos-%1").arg(++cuenta);
    ruta_ = RutaBaseDatos();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), conexion_);
        db.setDatabaseName(ruta_);
        // A file another program holds locked is given up after a moment,
        // not after the driver's five seconds of a frozen window.
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(EsperaMs));
        abierta_ = !EnlaceVacio(ruta_) && db.open() && Prepara();
        if (!abierta_)
            db.close();
    }
}

BaseDatos::~BaseDatos()
{
    {
        QSqlDatabase db = QSqlDatabase::database(conexion_, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(conexion_);
}

QSqlDatabase BaseDatos::Conexion() const
{
    return QSqlDatabase::database(conexion_, false);
}

QSqlTableModel* BaseDatos::Modelo(QObject* padre, const QString& tabla, int columnaClave) const
{
    auto* modelo = new QSqlTableModel(padre, Conexion());
    modelo->setTable(tabla);
    modelo->setEditStrategy(QSqlTableModel::OnFieldChange);
    modelo->setSort(columnaClave, Qt::AscendingOrder);
    modelo->select();
    return modelo;
}

bool BaseDatos::Prepara()
{
    QSqlDatabase db = Conexion();
    // The first statement that reads the file tells a database from any
    // other file; the shapes are checked before anything is written.
    QSqlQuery prueba(db);
    if (!prueba.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type IN ('table', 'view') "
                                    "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\'")))
        return false;
    bool tablas = false;
    while (prueba.next()) {
        const QString tabla = prueba.value(0).toString();
        tablas = tablas || tabla.compare(QStringLiteral("Zonas"), Qt::CaseInsensitive) == 0 ||
                 tabla.compare(QStringLiteral("Anual"), Qt::CaseInsensitive) == 0;
    }
    prueba.finish();
    // Written only when the program made it: a file of no pages yet, one
    // with its mark, or one from before the mark that holds its tables. Any
    // other database, even one without a table, is another program's.
    const qint64 marca = Cabecera(db, "application_id");
    const qint64 paginas = Cabecera(db, "page_count");
    if (marca < 0 || paginas < 0 || (marca != 0 && marca != MarcaPropia) || (marca == 0 && paginas > 0 && !tablas))
        return false;
    if (!Forma(db, QStringLiteral("Zonas"), CamposZonas) || !Forma(db, QStringLiteral("Anual"), CamposAnual))
        return false;
    if (!db.transaction())
        return false;
    bool ok = Ejecuta(db, QStringLiteral("CREATE TABLE IF NOT EXISTS \"Zonas\" (\"Nº Zona\" INTEGER PRIMARY KEY, "
                                         "\"Sup parcial (m²)\" REAL, \"Nº curva en Cond II\" REAL)")) &&
              Ejecuta(db, QStringLiteral("CREATE TABLE IF NOT EXISTS \"Anual\" (\"Mes\" INTEGER PRIMARY KEY, "
                                         "\"P mes\" REAL, \"P máx\" REAL, \"N\" INTEGER)")) &&
              (marca == MarcaPropia || Ejecuta(db, QStringLiteral("PRAGMA application_id = %1").arg(MarcaPropia))) &&
              Ejecuta(db, QStringLiteral("DELETE FROM \"Anual\" WHERE \"Mes\" NOT BETWEEN 1 AND 12"));
    for (int mes = 1; ok && mes <= 12; ++mes)
        ok = Ejecuta(db, QStringLiteral("INSERT OR IGNORE INTO \"Anual\" (\"Mes\") VALUES (%1)").arg(mes));
    if (ok)
        return db.commit();
    db.rollback();
    return false;
}

bool BaseDatos::ReconstruyeZonas(int n)
{
    if (!abierta_)
        return false;
    QSqlDatabase db = Conexion();
    if (!db.transaction())
        return false;
    bool ok = Ejecuta(db, QStringLiteral("DELETE FROM \"Zonas\""));
    for (int k = 1; ok && k <= n; ++k)
        ok = Ejecuta(db, QStringLiteral("INSERT INTO \"Zonas\" (\"Nº Zona\") VALUES (%1)").arg(k));
    if (ok)
        return db.commit();
    db.rollback();
    return false;
}

bool BaseDatos::VaciaAnual()
{
    if (!abierta_)
        return false;
    QSqlDatabase db = Conexion();
    return Ejecuta(db, QStringLiteral("UPDATE \"Anual\" SET \"P mes\" = NULL, \"P máx\" = NULL, \"N\" = NULL"));
}
