#pragma once

#include <optional>

// `hidrela --help` and `hidrela --version`: printed on standard output before
// any window platform is loaded, so that they need no display. Nothing when
// the arguments ask for neither, else the exit status.
std::optional<int> AyudaSinVentanas(int argc, char** argv);
