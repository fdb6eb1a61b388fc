#include "site/frmCapacidad.h"

#include "app/Variables.h"

// Until the capacity check window exists, the check is closed at once.
void ComprobarCapacidad(Variables& v, Navegacion&)
{
    v.CapaConfirmada = false;
}
