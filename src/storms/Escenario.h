#pragma once

#include "model/Rangos.h"

#include <functional>
#include <optional>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QWidget;
struct Variables;

// What the two storm windows share: the storm depth field, the moisture
// condition list and the reading of a storm from them.

// "Label1" beside the depth field "txtPrecip", "Label2" beside the condition
// list "lstHumedad".
struct EntradaTormenta {
    QLabel* rotuloPrecip = nullptr;
    QLineEdit* txtPrecip = nullptr;
    QLabel* rotuloHumedad = nullptr;
    QComboBox* lstHumedad = nullptr;
};

// Lays the storm's entry out in rows `fila` and `fila + 1` of `rejilla`. The
// depth is a numeric field that keeps only numbers, shown with one decimal,
// whose tooltip empties on entry; `alEntrar` runs first on every entry (the
// series uses it to blank a new storm). The list holds "1", "2", "3", none
// chosen.
EntradaTormenta HazEntradaTormenta(QWidget* padre, QGridLayout* rejilla, int fila, const Variables& v,
                                   std::function<void()> alEntrar = {});

// A storm as the two storm windows read it before computing.
struct TormentaLeida {
    double P = 0;
    int c = 0;
};
// The depth's Tag and the chosen condition. A missing depth or condition
// only takes the focus; a depth out of its range shows the message of the
// storm's window (no icon, the program's title) first.
std::optional<TormentaLeida> LeeTormenta(const Variables& v, const EntradaTormenta& e, Tormenta tormenta);
