#pragma once

#include <QString>

class QAbstractItemView;
class QWidget;
struct Variables;

// Charts leave the program as pictures: the context menu saves the chart as
// PNG or SVG (vector).
void HazGuardable(QWidget* vista, const Variables& v);
// Writes the picture of `vista` to `ruta`: SVG when the name ends in ".svg",
// else PNG. The file appears whole or not at all; when it cannot be written
// a message names it and the answer is false.
bool GuardaGrafico(QWidget* vista, const QString& ruta, const Variables& v);

// Grids leave it as text for spreadsheets: "Copy" in the context menu and
// Ctrl+C put the selection, or the whole grid when nothing is selected, on
// the clipboard as tab-separated lines.
void HazCopiable(QAbstractItemView* t, const Variables& v);
QString TextoTabulado(const QAbstractItemView* t);
