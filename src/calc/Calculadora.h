#pragma once

#include <string>
#include <string_view>

// The calculator without the windows: JSON requests in, JSON answers out.

// Answers one request object or an array of them, as one line of compact
// JSON ending in a line break. `estado` becomes 0 when every request was
// answered, 2 when any was refused or the input was not usable JSON.
std::string Calcula(std::string_view entrada, int& estado);

// The whole answer, line break included, when there is no input to read.
std::string FalloDeLectura(std::string_view motivo);
