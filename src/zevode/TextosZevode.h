#pragma once

#include <QString>

// The tables program's own short catalogue, in Spanish and English.
enum class TextoZ {
    Titulo,
    Introduccion,
    Cubierta,
    EligeCubierta,
    Condicion,
    SinCondicion,
    Mala,
    Regular,
    Buena,
    CondicionDe,
    Grupo,
    GrupoA,
    GrupoB,
    GrupoC,
    GrupoD,
    Valor,
    EligeFila,
    SinValor,
    FilaElegida,
    Nota,
    Fuente,
    ColTabla,
    ColCubierta,
    ColTratamiento,
    ColCondicion,
    Compuesta,
    Porcentaje,
    Anadir,
    Quitar,
    Suma,
    SumaMal,
    UsarMedia,
    MediaElegida,
    Cerrar,
    YaAbierto,
    TablaDanada,
    SinEnlace,
    Leyenda,
    Cuantos
};

// 1 Spanish, 2 English, by the main program's rule: the stored language
// "Español" means Spanish and anything else, nothing included, English.
int LeeNumIdioma();

QString TextoZevode(int numIdioma, TextoZ t);
