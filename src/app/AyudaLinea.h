#pragma once

#include <QStringList>

#include <optional>

// hidrela's command line, as QCommandLineParser reads it.
struct LineaOrdenes {
    bool leida = false; // no unknown option, no option without its value
    bool ayuda = false, version = false;
    bool informe = false;     // --report or --csv: a report without windows
    QString pdf, csv, idioma; // their last values, empty when not given
    QStringList sitios;       // the words that are no options nor their values
};

// Reads the arguments, the program's name first. It needs no application
// object, so it serves before the window platform is loaded too (Qt's own
// options, still there, are then unknown options and do no harm).
LineaOrdenes LeeLineaOrdenes(const QStringList& argumentos);

// The arguments as main() has them, before any application object exists.
QStringList ArgumentosDe(int argc, char** argv);

// `hidrela --help` and `hidrela --version`: printed on standard output before
// any window platform is loaded, so that they need no display. Nothing when
// the arguments ask for neither, else the exit status.
std::optional<int> AyudaSinVentanas(const LineaOrdenes& o);
