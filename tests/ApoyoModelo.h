#pragma once

// Shared support of the model tests: a site from its condition II figures.

#include "model/ModeloCN.h"

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
