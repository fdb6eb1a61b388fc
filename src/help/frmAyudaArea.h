#pragma once

#include "widgets/Colocacion.h"

class QLabel;
struct Variables;

// Help on areas: water harvesting, the contributing area and the collecting
// area, with the hillside drawing (201) and the box diagram (202). One of the
// three help windows, of which at most one is open.
class frmAyudaArea : public VentanaColocada {
    Q_OBJECT

  public:
    explicit frmAyudaArea(Variables& v, QWidget* parent = nullptr);
};
