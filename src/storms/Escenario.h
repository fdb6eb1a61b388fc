#pragma once

#include "model/Rangos.h"

#include <functional>
#include <optional>

class QComboBox;
class QLineEdit;
class QWidget;
struct Variables;

// What the two storm windows share: the storm depth field, the moisture
// condition list and the reading of a storm from them.

// The storm depth field: a numeric field that keeps only numbers, shown with
// one decimal, whose tooltip empties on entry. `alEntrar` runs first on
// every entry (the series uses it to blank a new storm).
void HazCampoAguacero(QLineEdit* campo, const Variables& v, std::function<void()> alEntrar = {});

// The moisture condition list: items "1", "2", "3", none chosen.
QComboBox* ListaHumedad(QWidget* padre);

// A storm as the two storm windows read it before computing.
struct TormentaLeida {
    double P = 0;
    int c = 0;
};
// The depth's Tag and the chosen condition. A missing depth or condition
// only takes the focus; a depth out of its range shows the message of the
// storm's window (no icon, the program's title) first.
std::optional<TormentaLeida> LeeTormenta(const Variables& v, QLineEdit* txtPrecip, QComboBox* lstHumedad,
                                         Tormenta tormenta);
