#pragma once

#include "common/AvisoDocumento.h"
#include "model/CalculoAnual.h"
#include "model/Documento.h"
#include "model/ScenarioResults.h"
#include "model/SiteState.h"

#include <QString>
#include <QtGlobal>

#include <array>
#include <functional>
#include <memory>
#include <optional>

// The kinds of result, by the data they are computed from: the site alone,
// or the site with the single storm, the series, or the year (the year's
// partial results and its availability being computed apart).
enum class DatosDe { Sitio, Aguacero, Serie, Anio, Disponibilidad };

// Everything the windows share: the site, the results of the last storm and
// the settings of the run. One object lives for the whole run and is handed by
// reference to every window; members are read and assigned directly
// (v.NAC(2), v.PSinSist, v.NumIdioma). Starts at zero; a site file keeps
// what Documento holds.
struct Variables : SiteState, ScenarioResults {
    QString Idioma;       // language name read from the settings store
    qint16 NumIdioma = 0; // 1 Spanish, 2 English; fixed at start-up
    QString SepDecimal;   // decimal separator in force, "," or "."
    // The year whose availability is asked for, as the annual window computed it.
    CalculoAnual Anio;
    // What the user typed, as a site file keeps it: each window fills itself
    // from it when it opens, writes every value it accepts into it and says
    // so through Aviso.
    DocumentoSitio Documento;
    std::shared_ptr<AvisoDocumento> Aviso = std::make_shared<AvisoDocumento>();
    // The data each kind of result was last computed from (the site part
    // being the one of the site then computed), and the data every window
    // holds now (set by the main window): results whose data differ from
    // now's are marked out of date.
    std::array<std::optional<DocumentoSitio>, 5> CalculadoDe;
    std::function<std::optional<DocumentoSitio>()> DatosActuales;
    // The site file's path, empty while the work has none (set by the main window).
    QString RutaSitio;
};
