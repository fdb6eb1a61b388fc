#pragma once

#include <QSqlDatabase>
#include <QString>

class QObject;
class QSqlTableModel;

// The database file Datos.mdb (SQLite) with the two input tables:
//   Zonas  "Nº Zona" (key), "Sup parcial (m²)", "Nº curva en Cond II"
//   Anual  "Mes" (key, 1..12), "P mes", "P máx", "N"
// The value fields are nullable: null is a value not entered yet.
//
// Each object holds its own connection for as long as it lives, so a window
// can bind a QSqlTableModel to it. Destroy the models bound to Conexion()
// before the object.
class BaseDatos {
  public:
    static inline const QString NombreArchivo = QStringLiteral("Datos.mdb");
    // How long a file locked by another program is waited for.
    static constexpr int EsperaMs = 250;

    // Opens the file (see RutaBaseDatos) and creates what is missing: the
    // file, either table, the twelve rows of Anual.
    BaseDatos();
    ~BaseDatos();
    BaseDatos(const BaseDatos&) = delete;
    BaseDatos& operator=(const BaseDatos&) = delete;

    // False when the file cannot be opened, is not a database, is another
    // program's database (one the program did not make: see README), holds
    // a table of another shape, is locked by another program, or is a
    // symbolic link to nothing; nothing of it is then changed.
    bool Abierta() const { return abierta_; }
    // The file used, or the one that failed.
    QString Ruta() const { return ruta_; }
    QSqlDatabase Conexion() const;
    // A model of one of the tables, sorted on its key, that writes every
    // edited field at once.
    QSqlTableModel* Modelo(QObject* padre, const QString& tabla, int columnaClave) const;

    // Empties Zonas and adds zones 1..n with their values null.
    bool ReconstruyeZonas(int n);
    // Sets the values of the twelve months of Anual to null.
    bool VaciaAnual();

  private:
    bool Prepara();

    QString conexion_;
    QString ruta_;
    bool abierta_ = false;
};

// Where Datos.mdb lives: the program's directory, unless the file there, or
// the directory for a file still to be made, cannot be written (an installed
// program); then the per-user data directory.
QString RutaBaseDatos();
