#pragma once

#include <QString>

#include <optional>

class QWidget;
struct Variables;

// What the user confirmed in the capacity check: the capacity as stored,
// rounded to one decimal, and the text typed for it.
struct ConfirmacionCapacidad {
    double capa = 0;
    QString texto;
};

// The capacity check: shows frmCapacidad modally over the window of
// `llamante` and returns when it closes. A confirmed capacity is in CAPA and
// CapaConfirmada, and is returned for the caller to show; closing without
// confirming leaves CapaConfirmada false and returns nothing.
std::optional<ConfirmacionCapacidad> ComprobarCapacidad(Variables& v, QWidget* llamante);
