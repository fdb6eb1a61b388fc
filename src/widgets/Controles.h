#pragma once

#include <QSize>
#include <QString>

class QLabel;
class QWidget;

// The pieces of the help windows: headings and paragraphs in Arial, and
// pictures stretched to the size of their place.
QLabel* Titulo(QWidget* padre, const QString& nombre);
QLabel* Parrafo(QWidget* padre, const QString& nombre);
QLabel* Estirada(QWidget* padre, const QString& nombre, QSize tam);
