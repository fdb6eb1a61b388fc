#pragma once

#include "documento/Escritor.h"
#include "documento/Peticion.h"
#include "model/CalculoAnual.h"
#include "model/ModeloCN.h"
#include "model/ScenarioResults.h"
#include "model/Serie.h"
#include "model/SiteState.h"

#include <array>
#include <string>

// {"error": {...}} for a refused request or unreadable input.
void EscribeFallo(Escritor& e, const FalloPeticion& f);

// The same for a reason with no request behind it.
void EscribeSinId(std::string& salida, std::string motivo);

// Computes a request read and checked and appends its answer.
void Contesta(Peticion& p, std::string& salida);

// The parts of an answer, each as the value of its key.
void EscribeSitio(Escritor& e, const SiteState& s, const ResultadoModelo& r);
void EscribeAguacero(Escritor& e, const ScenarioResults& r, double SIxP);
void EscribeSerie(Escritor& e, const TotalesSerie& t, int numAguaceros, double alturaRepresas,
                  const std::array<double, 9>& resumen);
void EscribeAnio(Escritor& e, const CalculoAnual& a);
