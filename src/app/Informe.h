#pragma once

#include "model/Documento.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class QChart;
class QPageSize;
class QPagedPaintDevice;
class QWidget;
struct LineaOrdenes;
struct Variables;

// The report of a site: everything computed from what the user typed, in the
// program's language and the windows' number formats, painted page by page
// on a printer or a PDF, or written as CSV tables.

// What the report is made from.
struct FuenteInforme {
    DocumentoSitio documento;
    QString archivo; // the site file's name, empty when never saved
    QDate fecha;
};

// One piece of the report, in reading order.
struct BloqueInforme {
    // Aviso: a part that was not computed, and why.
    enum class Tipo { Titulo, Apartado, Texto, Aviso, Tabla, Grafico };
    Tipo tipo = Tipo::Texto;
    QString texto;
    bool negrita = false;
    bool sinSitio = false; // an Aviso that the site itself is not computed
    // A table: the heading row and the rows; on paper `grupos` rows stand
    // side by side, so that a long list takes few pages.
    QStringList cabecera;
    QList<QStringList> filas;
    int grupos = 1;
    // A chart, made when painted; the caller owns it.
    std::function<QChart*()> grafico;
};

// Computes the site, the single storm, the series and the year of the
// source as the calculator does, each part on its own: a part with missing
// or refused input is left out, with an Aviso saying why when the user began it. The blocks refer to `v` for the
// language.
std::vector<BloqueInforme> ContenidoInforme(const Variables& v, const FuenteInforme& f);

// Paints the blocks on `dispositivo` from its first page; a table's heading
// never ends a page, and continued tables repeat it.
void PintaInforme(QPagedPaintDevice& dispositivo, const std::vector<BloqueInforme>& bloques);

// Every table of the blocks as CSV: the section it belongs to on a line of
// its own, then its heading row and rows; a blank line between tables.
QString CSVInforme(const std::vector<BloqueInforme>& bloques);

// The paper the default printer uses, else the one of the system's locale.
QPageSize PapelPorDefecto();

// Writes the report of `f` as a PDF or CSV to `ruta`, whole or not at all;
// the reason when it cannot be written.
std::optional<QString> EscribePdf(const Variables& v, const FuenteInforme& f, const QString& ruta,
                                  const QPageSize& papel);
std::optional<QString> EscribeCSV(const Variables& v, const FuenteInforme& f, const QString& ruta);

// Reads a site file as the main window opens it; why not, in the language
// of `v`, when it cannot.
std::optional<QString> LeeArchivo(const Variables& v, const QString& ruta, DocumentoSitio& d);

// File -> Report: previews the report of `f`, with printing and a PDF
// export. Printing is disabled, saying why, when no printer is installed.
void PrevisualizaInforme(QWidget* padre, const Variables& v, const FuenteInforme& f);

// `hidrela --report OUT.pdf FILE` and `hidrela --csv OUT.csv FILE`, with an
// optional `--lang es|en`, as read from the command line: the exit status
// (0 written, 2 when a word is wrong or a file cannot be read or written).
int InformeSinVentanas(const LineaOrdenes& o);
