#pragma once

#include <optional>
#include <string>
#include <string_view>

// The one place that decides what text is a number and how numbers are shown,
// with the program's own number locale: decimal separator ".", thousands
// separator "," (only where it groups three digits). Standard C++ only, so
// the model and the calculator share it with the windows.

// Optional blanks, optional sign, digits with at most one decimal separator,
// optional exponent, optional blanks. Not numeric: empty text, "abc",
// "1.2.3", "nan", "inf", hexadecimal, and anything beyond the double range.
bool EsNumerico(std::string_view texto);

// The number a numeric text stands for; nullopt when it is not numeric.
std::optional<double> ANumero(std::string_view texto);

// x with exactly `decimales` decimals, rounded to the nearest last digit
// (halves away from zero, on the exact binary value), "." as separator.
std::string Formato(double x, int decimales);

// Shortest text that reads back to the same double.
std::string TextoExacto(double x);
