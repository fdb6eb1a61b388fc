#pragma once

#include "widgets/Colocacion.h"

#include <array>

class QAbstractButton;
class QLabel;
struct Variables;

// The land preparation methods browser: eight picture buttons, one for each
// method; choosing one shows the large drawing of that method below them.
// Short (3300 twips) until the first choice, tall (7965 twips) afterwards.
class frmMetodos : public VentanaColocada {
    Q_OBJECT

  public:
    explicit frmMetodos(Variables& v, QWidget* parent = nullptr);

    // The method whose picture place was made visible last; 1 at load.
    qint16 MetodoActual() const { return MetodoActual_; }

  protected:
    void AjustaMarco() override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

  private:
    void opcMetodos_Click(int i);
    void capturaFoco_KeyUp();
    void Flecha(int desde, int paso);

    Variables& v_;
    QWidget* capturaFoco_;
    std::array<QAbstractButton*, 9> opcMetodos_{}; // 1..8
    std::array<QLabel*, 9> Imagen_{};              // 1..8
    qint16 MetodoActual_ = 1;
};
