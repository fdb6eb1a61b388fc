#pragma once

#include <QString>

#include <functional>
#include <optional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
struct Variables;

// What the storm windows share: their message title, their placement, and
// the look of their labels, lists and output boxes.

// Title of the storm windows' message boxes: the program's own.
QString TituloPrograma();

// Centres the window's frame in the main window's working area the first
// time it is shown.
void CentraAlMostrar(QWidget* ventana);

// The storm depth field: a numeric field that keeps only numbers, shown with
// one decimal, whose tooltip empties on entry. `alEntrar` runs first on
// every entry (the series uses it to blank a new storm).
void HazCampoAguacero(QLineEdit* campo, const Variables& v, std::function<void()> alEntrar = {});

// A storm as the two storm windows read it before computing.
struct TormentaLeida {
    double P = 0;
    int c = 0;
};
// The depth's Tag and the chosen condition. A missing depth or condition
// only takes the focus; a depth outside 0 < P < 1000 shows `mensaje` (no
// icon, the program's title) first.
std::optional<TormentaLeida> LeeTormenta(const Variables& v, QLineEdit* txtPrecip, QComboBox* lstHumedad, int mensaje);

// The moisture condition list: items "1", "2", "3", none chosen.
QComboBox* ListaHumedad(QWidget* padre);

// A label that wraps long captions.
QLabel* Rotulo(QWidget* padre, const QString& nombre);
QGroupBox* Grupo(QWidget* padre, const QString& nombre);
QPushButton* Boton(QWidget* padre, const QString& nombre);
// The results frame "Frame2": labels "Label3(i)" beside read-only boxes
// "txtResultado(i)", i = 0..n-1, written into the two arrays given.
QGroupBox* MarcoResultados(QWidget* padre, int n, QLabel** etiquetas, QLineEdit** cajas);
// A read-only box for a result; reached by clicking, not by Tab.
QLineEdit* Salida(QWidget* padre, const QString& nombre);

// Shows x with `decTexto` decimals and its tooltip with `decAyuda` (none when
// negative). The tooltip goes through the Tag where `conTag` says so.
void MuestraValor(QLineEdit* caja, const Variables& v, double x, int decTexto, int decAyuda, bool conTag = false);
