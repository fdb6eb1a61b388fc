#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>
#include <optional>

// The curve-number table of the tables program (condition II, groups A-D)
// and the area-weighted number of a composite cover. No windows here.

// One row of the table, in the order and with the texts of the data file.
// Texts in two languages are indexed 0 Spanish, 1 English (NumIdioma - 1).
struct FilaCN {
    QString tabla; // "2-2a" ... "2-2d"
    std::array<QString, 2> cubierta;
    std::array<QString, 2> tratamiento; // empty where the table gives none
    QString condicion;                  // "poor", "fair", "good" or empty
    std::array<int, 4> N{};             // groups A..D; 0 where the table gives none
    std::array<QString, 2> nota;
    QString fuente;
};

// Reads the tab-separated table (one header line). Each row must have its 13
// columns, whole numbers or nothing in A-D, every value in 30..100,
// A <= B <= C <= D among the values given, at least one value, a cover and
// a source. On the first fault returns nullopt and says where in `error`.
std::optional<QList<FilaCN>> LeeTablaCN(const QByteArray& datos, QString& error);

// The table built into the program; empty with `error` set if it is faulty.
QList<FilaCN> TablaIncorporada(QString& error);

// One cover of a composite: its share of the area in percent and its number.
struct Componente {
    double porcentaje = 0;
    int N = 0;
};

// Sum of the shares, in percent.
double SumaPorcentajes(const QList<Componente>& c);

// The area-weighted curve number of up to five covers whose shares, each
// greater than 0, add up to 100 %; nullopt otherwise.
inline constexpr int MaxComponentes = 5;
std::optional<double> MediaCompuesta(const QList<Componente>& c);
