#pragma once

#include <QString>

#include <functional>
#include <optional>

class QTableView;

// The tooltip of a grid that follows the pointer. `texto` is asked for the
// cell under the pointer (row or column -1 where there is none) and gives the
// grid's new tooltip, or nothing to leave it as it was. The tooltip is the
// grid's own (toolTip()), shown as the pointer rests.
using TextoAyuda = std::function<std::optional<QString>(int fila, int columna)>;
void SigueAyuda(QTableView* rejilla, TextoAyuda texto);
// The tooltip the grid gives for a cell, if it has one.
std::optional<QString> AyudaDe(const QTableView* rejilla, int fila, int columna);
