#pragma once

#include "widgets/Colocacion.h"

struct Variables;

// Help on the storage capacity of the collecting area, with its drawing
// (301). One of the three help windows, of which at most one is open.
class frmAyudaCapa : public VentanaColocada {
    Q_OBJECT

  public:
    explicit frmAyudaCapa(Variables& v, QWidget* parent = nullptr);
};
