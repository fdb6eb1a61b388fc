#pragma once

#include <QString>
#include <Qt>

class QTableWidget;

// A fixed grid: a QTableWidget whose heading rows and columns are ordinary
// cells (row 0 and column 0 by default) drawn as headings, so that every cell,
// headings included, is addressed by the row and column the user sees. The
// grid is read-only.

void HazRejillaFija(QTableWidget* t, int filas, int columnas, int filasFijas = 1, int columnasFijas = 1);

// Applies a heading string: "|" separates cells, ";" the column headings from
// the row headings. The column headings fill row 0 from column 0 (the
// top-left cell) and fix the number of columns; the row headings fill
// column 0 from row 1 (their first item, the top-left cell's place, is not
// used) and the grid grows to hold them. Blanks are kept as written.
void FijaFormato(QTableWidget* t, const QString& formato);

// The width a column is meant to have, in twips; AjustaAContenido widens it
// where its text would be cut.
void AnchoColumna(QTableWidget* t, int columna, int twips);
void AltoFila(QTableWidget* t, int fila, int twips);
// Alignment of every cell of a column, now and when later written.
void AlineaColumna(QTableWidget* t, int columna, Qt::Alignment alineacion);

void FijaTexto(QTableWidget* t, int fila, int columna, const QString& texto);
QString TextoCelda(const QTableWidget* t, int fila, int columna);

// Widens the columns whose text does not fit and gives the grid exactly the
// size of its cells, so that nothing is cut off and no scroll bar appears.
void AjustaAContenido(QTableWidget* t);
