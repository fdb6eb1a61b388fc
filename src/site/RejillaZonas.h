#pragma once

#include "model/Zonas.h"

#include <QFrame>

#include <array>
#include <memory>
#include <vector>

class BaseDatos;
class QAbstractItemModel;
class QComboBox;
class QLabel;
class QTableView;
class QTimer;
class RejillaDatos;
struct Variables;

// The frame of a composite contributing area (mrcComplejo): the number of
// zones (lstNumZonas), the zone grid tblZonas bound to table Zonas of the
// database file, and the running totals under it. An accepted cell edit is
// written to the file at once; once the file stops taking them, the zones go
// on in memory.
class RejillaZonas : public QFrame {
    Q_OBJECT

  public:
    explicit RejillaZonas(Variables& v, QWidget* parent = nullptr);
    ~RejillaZonas() override;

    // The database file could be used; else zones cannot be entered.
    bool Disponible() const;
    // The one message for a database file that cannot be used.
    void AvisaBaseDatos() const;
    void FijaTextos();

    // Empties the table and adds the zones chosen in lstNumZonas, clearing
    // every value entered before and the totals.
    void Reconstruye();
    // Chooses as many zones as `zonas` holds and enters their values.
    void Rellena(const std::vector<CeldaZona>& zonas);
    // The zone records in table order, as the zone pass reads them.
    std::vector<CeldaZona> Celdas() const;
    // Focus on the grid, on zone row `fila` (0-based) and grid column
    // `columna` (0 area, 1 curve number).
    void Enfoca(int fila, int columna);
    // Whether the grid handles Enter itself rather than moving on.
    bool RetieneEnter() const;
    // The list of the number of zones and the zone grid, for the entry
    // window's order of focus and its help keys.
    QComboBox* ListaZonas() const { return lstNumZonas_; }
    QTableView* Rejilla() const;

  signals:
    // The zones chosen, or a value of theirs, changed.
    void Cambiada();

  private:
    RejillaDatos* HazRejilla();
    void CalParcial_Timer();
    void Dimensiona(int n);
    void Usa(QAbstractItemModel* modelo);
    void PasaAMemoria();

    Variables& v_;
    std::unique_ptr<BaseDatos> base_;
    // Table Zonas of the file, or the zones in memory; none without the file.
    QAbstractItemModel* modelo_ = nullptr;
    QLabel* rotuloNumZonas_;
    QComboBox* lstNumZonas_;
    QTableView* tblZonaTitulo_;
    RejillaDatos* tblZonas_;
    QLabel* lblSupTotal_;
    QLabel* lblNC_;
    QTimer* CalParcial_;
    // The last valid area and curve number read for each zone, for the
    // tooltips of the grid.
    std::vector<std::array<double, 2>> trabajo_;
};
