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

// Where a save dialog starts: beside the site file, named after it with
// `sufijo` (".csv"); without a site file, in the folder last saved to, else
// in Documents.
QString RutaPropuesta(const Variables& v, const QString& sufijo);
// The folder a file was just saved to, for the next dialog.
void RecuerdaCarpeta(const QString& ruta);

// Windows that show results in read-only boxes beside their labels leave
// them as `label<TAB>value` lines: "Copy" in the context menu of the labels,
// of the groups holding them and of the window, and Ctrl+C wherever nothing
// else copies (a result box copies its own selection when it has one). A
// result is a read-only line edit or a label that a label names as its
// buddy, or that carries its caption as its accessible name. Results hidden
// in the window are left out; a group of several is headed by its title, and
// a label of it that names no result stands as a heading line.
void HazCopiablesResultados(QWidget* ventana, const Variables& v);
QString TextoResultados(const QWidget* ventana);

// The window's grids as CSV, one after another: "." decimals, "," between
// fields, each grid's heading row first, and beside a column whose tooltips
// keep more digits a column of the full values; then its results as a table
// of caption, value and, where the tooltips keep more digits, full value.
// Empty when the window has neither.
QString TextoCSV(const QWidget* ventana, const Variables& v);

// A CSV field: quoted, its quotes doubled, when it holds a comma, a quote or
// a line break.
QString CampoCSV(QString s);
// Writes it whole or not at all; a message when it cannot be written.
bool GuardaCSV(const QWidget* ventana, const QString& ruta, const Variables& v);
// Asks for the file and writes it; a message when the window has nothing.
void ExportaCSV(QWidget* ventana, const Variables& v);
