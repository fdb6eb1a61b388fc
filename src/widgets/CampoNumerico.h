#pragma once

#include <QString>

#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QWidget;
struct Variables;

// The common behaviour of the program's numeric entry fields. A field keeps
// its last accepted text in its Tag (the dynamic property "Tag"), which the
// calculations read and the tooltip shows; on entry the field shows the Tag
// selected, on leaving it keeps the text and shows a number in its format.
enum class VarianteCampo {
    A, // the Tag takes any text
    B  // the Tag takes numeric text only; other text is left on screen
};

void HazCampoNumerico(QLineEdit* campo, const Variables& v, VarianteCampo variante, int decimales, int seleccion = 10);

QString Tag(const QWidget* control);
// Sets the Tag and, as leaving the field would, the tooltip.
void FijaTag(QWidget* control, const QString& tag);

// Calls `aceptado` whenever the field's Tag is set: the field accepted a
// text, which its window keeps in the document.
void AlAceptar(QWidget* campo, std::function<void()> aceptado);

// A number with `decimales` decimals and the separator in force.
QString FormatoLocal(const Variables& v, double x, int decimales);
// Every digit of a number (its shortest exact text), with the separator in
// force; `sinExponente` writes it out in full, never in exponent form.
QString ExactoLocal(const Variables& v, double x, bool sinExponente = false);
// The number a text stands for, read with the separator in force.
std::optional<double> NumeroLocal(const Variables& v, const QString& texto);

// The separator in force: the decimal separator of the user's locale.
QString BuscaSepDecimal();

// The refusal of text that is no number, naming the field by its label.
QString NoNumerico(const Variables& v, const QLabel* etiqueta, const QString& texto);

// Text pasted or dropped into `campo` gets what typing it would give: both
// decimal characters become the separator in force. Numeric fields and grid
// cells have it.
void TrataPegado(QLineEdit* campo, const Variables& v);

// Key preview of a window: Enter moves the focus on as Tab does (unless
// `retieneEnter` says a grid keeps it, or a focused push button takes it to
// be pressed), and the two decimal keys type the separator in force. Lives as
// long as the window.
void PrevisualizaTeclas(QWidget* ventana, const Variables& v, std::function<bool()> retieneEnter = {});
