#pragma once

struct Variables;
class Navegacion;

// The capacity check: shows frmCapacidad modally and returns when it closes.
// A confirmed capacity is in CAPA, CapaConfirmada and the capacity field of
// the site entry window; closing without confirming leaves CapaConfirmada
// false.
void ComprobarCapacidad(Variables& v, Navegacion& nav);
