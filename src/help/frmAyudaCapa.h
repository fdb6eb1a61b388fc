#pragma once

#include "widgets/Colocacion.h"

class Navegacion;
struct Variables;

// Help on the storage capacity of the collecting area, with its drawing
// (301). One of the three help windows, of which at most one is open.
class frmAyudaCapa : public VentanaColocada {
    Q_OBJECT

  public:
    frmAyudaCapa(Variables& v, Navegacion& nav, QWidget* parent = nullptr);
};
