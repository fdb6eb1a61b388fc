#pragma once

// Shared support of the model tests: a site from its condition II figures,
// and figures rounded as the reference gives them.

#include "model/ModeloCN.h"

#include <QList>

#include <cmath>

inline SiteState Sitio(double nac, double ni, double nr, double si, double sr, double capa)
{
    SiteState s;
    s.NAC(2) = nac;
    s.NI(2) = ni;
    s.NR(2) = nr;
    s.SI = si;
    s.SR = sr;
    s.CAPA = capa;
    return s;
}

using Cifras = QList<double>;

// Figures in hundredths: reference figures are known to two decimals only.
// Where `como` holds NaN the figure is not checked.
inline QList<qint64> Cent(const Cifras& x, const Cifras& como = {})
{
    QList<qint64> r;
    for (qsizetype i = 0; i < x.size(); ++i)
        r << (std::isnan(i < como.size() ? como[i] : x[i]) ? -1 : qRound64(x[i] * 100));
    return r;
}
