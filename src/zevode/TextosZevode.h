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

QString TextoZevode(int numIdioma, TextoZ t);
