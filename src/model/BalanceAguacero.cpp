#include "model/BalanceAguacero.h"

#include <algorithm>

void LimpiaResultados(ScenarioResults& r)
{
    r.PSinSist = 0;
    r.PBanqueta = 0;
    r.PPromedio = 0;
    r.PMaxAlcorque = 0;
    r.AlturaRepresas = 0;
    r.CapaNecesaria = 0;
    r.PMaxImperm = 0;
}

namespace {

// Runoff of a storm. It never exceeds P - p0: at p0 = 0 rounding alone
// would give P(1 + eps), and a surface would keep a negative depth.
double Q(int esc, double P, double p0)
{
    if (!esc)
        return 0;
    return std::min(((P - p0) * (P - p0)) / (P + 4 * p0), P - p0);
}

} // namespace

Indicadores BalanceAguacero(const SiteState& s, ScenarioResults& r, double P, int c)
{
    Indicadores e;
    e.EscLadera = P > s.P0AC(c) ? 1 : 0;
    e.EscImpluvio = P > s.P0I(c) ? 1 : 0;
    e.EscRecepcion = P > s.P0R(c) ? 1 : 0;
    e.EscUnidad = (P > s.P0I(c) && P > s.P0(c)) ? 1 : 0;

    const double QAC = Q(e.EscLadera, P, s.P0AC(c));
    const double QI = Q(e.EscImpluvio, P, s.P0I(c));
    const double QR = Q(e.EscRecepcion, P, s.P0R(c));
    const double QU = Q(e.EscUnidad, P, s.P0(c));
    const double SI = s.SI, SR = s.SR;

    r.PSinSist = P - QAC;
    r.PMaxImperm = P + P * SI / SR;
    r.PMaxAlcorque = P + QI * SI / SR;
    r.CapaLibre = s.NRMayorNI ? s.CAPA - QR * SR - QI * SI : s.CAPA - (SR + SI) * QU;
    r.PBanqueta = r.CapaLibre < 0 ? (SR * P + QI * SI + r.CapaLibre) / SR : r.PMaxAlcorque;
    r.EscMedia = s.NRMayorNI ? (QR * SR + QI * SI) / (SR + SI) : QU;
    r.CapaNecesaria = (SR + SI) * r.EscMedia;
    r.AlturaRepresas = r.CapaNecesaria / SR;
    r.PImpluvio = P - QI;
    r.PPromedio = (r.PBanqueta * SR + r.PImpluvio * SI) / (SR + SI);
    return e;
}
