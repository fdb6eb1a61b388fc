#pragma once

// The name of every window and dialog: its objectName, and the name the
// navigation shows and unloads it by. A name written twice could differ.

#include <QString>

namespace ventana {

inline const QString Eleccion = QStringLiteral("frmEleccion");
inline const QString Anual = QStringLiteral("frmAnual");
inline const QString Serie = QStringLiteral("frmSerie");
inline const QString Resumen = QStringLiteral("frmResumen");
inline const QString ResEscorrentia = QStringLiteral("frmResEscorrentia");
inline const QString Presentacion = QStringLiteral("frmPresentacion");
inline const QString Precipitacion = QStringLiteral("frmPrecipitacion");
inline const QString Hidrico = QStringLiteral("frmHidrico");
inline const QString Escorrentia = QStringLiteral("frmEscorrentía");
inline const QString Metodos = QStringLiteral("frmMetodos");
inline const QString GraficoSerie = QStringLiteral("frmGraficoSerie");
inline const QString Esquema = QStringLiteral("frmEsquema");
inline const QString Contenedor = QStringLiteral("frmContenedor");
inline const QString AyudaCapa = QStringLiteral("frmAyudaCapa");
inline const QString AyudaArea = QStringLiteral("frmAyudaArea");
inline const QString Propiedades = QStringLiteral("frmPropiedades");
inline const QString ImportaLluvia = QStringLiteral("frmImportaLluvia");
inline const QString Capacidad = QStringLiteral("frmCapacidad");

} // namespace ventana
