#pragma once

#include <QSize>
#include <QString>
#include <Qt>

#include <utility>

class QAction;
class QFrame;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QWidget;
struct Variables;

// The controls the windows build alike, each under its object name.

// The sizes of the original design are in twips: 15 a pixel.
constexpr int Pixeles(int twips)
{
    return (twips + 7) / 15;
}

// A plain label.
QLabel* Etiqueta(QWidget* padre, const QString& nombre);
// A label that wraps long captions.
QLabel* Rotulo(QWidget* padre, const QString& nombre);
// The help windows' headings and paragraphs, in Arial, and their pictures,
// stretched to the size of their place.
QLabel* Titulo(QWidget* padre, const QString& nombre);
QLabel* Parrafo(QWidget* padre, const QString& nombre);
QLabel* Estirada(QWidget* padre, const QString& nombre, QSize tam);
// A horizontal rule.
QFrame* Linea(QWidget* padre, const QString& nombre);

QGroupBox* Grupo(QWidget* padre, const QString& nombre);
// A push button; a click or its access key finishes the edit being left
// first, and Enter presses it when it has the focus.
QPushButton* Boton(QWidget* padre, const QString& nombre);
// A read-only box for a result, coloured as such; reached by clicking, not
// by Tab, its text selectable for copying.
QLineEdit* Salida(QWidget* padre, const QString& nombre);
// A grid of labels beside result boxes, on `marco`; the labels take the
// spare width.
QGridLayout* RejillaSalidas(QWidget* marco);
// Row `fila` of such a grid: a wrapping label beside a result box, its buddy.
std::pair<QLabel*, QLineEdit*> FilaSalida(QGridLayout* rejilla, int fila, const QString& rotulo, const QString& caja,
                                          Qt::Alignment alineacionCaja = {});
// The results frame "Frame2": labels "Label3(i)" beside read-only boxes
// "txtResultado(i)", i = 0..n-1, written into the two arrays given.
QGroupBox* MarcoResultados(QWidget* padre, int n, QLabel** etiquetas, QLineEdit** cajas);
// Shows x with `decTexto` decimals and its tooltip with `decAyuda` (none when
// negative). The tooltip goes through the Tag where `conTag` says so.
void MuestraValor(QLineEdit* caja, const Variables& v, double x, int decTexto, int decAyuda, bool conTag = false);

// A menu whose title item carries its name too, and an item of a menu.
QMenu* Submenu(QWidget* padre, const QString& nombre);
QAction* Orden(QMenu* menu, const QString& nombre, bool activa = true);
