#pragma once

#include "widgets/Colocacion.h"

class QLabel;
class QScrollArea;
struct Variables;

// The sketch window: the table of land preparation methods, one picture in
// the language of the run (Picture1 Spanish, Picture2 English). One of the
// three help windows, of which at most one is open.
class frmEsquema : public VentanaColocada {
    Q_OBJECT

  public:
    explicit frmEsquema(Variables& v, QWidget* parent = nullptr);

  protected:
    void AjustaMarco() override;

  private:
    Variables& v_;
    QScrollArea* marco_;
    QLabel* imagenEspanol_;
    QLabel* imagenIngles_;
};
