#pragma once

#include "model/DatosMes.h"

#include <QGroupBox>

#include <memory>
#include <optional>
#include <vector>

class BaseDatos;
class QAbstractItemModel;
class QTableWidget;
class RejillaDatos;
struct Variables;

// The year's data (Frame1): the month names tblAnoMes level with the rows of
// the grid tblAno, which is bound through datAnual to table Anual of the
// database file, so that an accepted cell edit is written to the file at
// once. When the file cannot be used, the twelve months live in memory.
class RejillaAnual : public QGroupBox {
    Q_OBJECT

  public:
    explicit RejillaAnual(Variables& v, QWidget* parent = nullptr);
    ~RejillaAnual() override;

    // The months are kept in the file rather than in memory only.
    bool EnArchivo() const;
    // The one message for a database file that cannot be used.
    void AvisaBaseDatos() const;
    void FijaTextos();
    void VaciaTabla();
    // Enters the cells of `t` that hold a value.
    void Rellena(const TablaAnual& t);
    // Every value of `t` stored as an accepted edit.
    void Llena(const TablaAnual& t);
    // The twelve months as stored, for LeeDatos.
    TablaAnual Celdas() const;
    // Focus on the grid, month `fila` (0-based), grid column `columna`.
    void Enfoca(int fila, int columna);
    // Whether the grid handles Enter itself rather than moving on.
    bool RetieneEnter() const;

  signals:
    // An accepted edit of month `mes` (1..12) has been stored.
    void Aceptada(int mes);

  private:
    RejillaDatos* HazRejilla();
    void Usa(QAbstractItemModel* modelo);
    void Guarda(const QModelIndex& indice, double valor);
    void PasaAMemoria();
    void Dimensiona();
    std::optional<double> Valor(int fila, int columnaModelo) const;
    void AyudaColumna() const;

    Variables& v_;
    std::unique_ptr<BaseDatos> base_;
    QAbstractItemModel* datAnual_ = nullptr;
    QTableWidget* tblAnoMes_;
    RejillaDatos* tblAno_;
    // Values accepted but not yet in the memory copy that replaces the file.
    struct Pendiente {
        int fila, columna;
        double valor;
    };
    std::vector<Pendiente> pendientes_;
};
