#include "model/Humedad.h"

int CondicionHumedad(double p5, bool crecimiento)
{
    const double bajo = crecimiento ? HumedadBajaCrecimiento : HumedadBajaReposo;
    const double alto = crecimiento ? HumedadAltaCrecimiento : HumedadAltaReposo;
    return p5 < bajo ? 1 : p5 > alto ? 3 : 2;
}
