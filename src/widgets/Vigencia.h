#pragma once

#include "common/Variables.h"

#include <QLabel>
#include <QList>
#include <QObject>

#include <optional>

class QWidget;

// Results that no longer match their data: a window's results are greyed,
// and one line says that the data changed and which button computes them
// again, as soon as the data they were computed from differ from the data
// the windows hold now. The site part is the one of the site last computed
// (Cálculos), so a storm computed on a site whose data changed since is out
// of date too, and its line names Cálculos. Lives as long as its window.
class Vigencia : public QObject {
    Q_OBJECT

  public:
    // `boton` and `ventana` are the texts of the button that computes the
    // results again and of the window that holds it.
    Vigencia(QWidget* resultados, const Variables& v, DatosDe datos, QList<QWidget*> controles, int boton, int ventana);

    // The line to place in the window's layout; hidden while up to date.
    QLabel* Aviso() const { return aviso_; }
    // The results were just filled from the last computation of their kind.
    void Anota();
    // Greys or restores the results after comparing their data with now's.
    void Revisa();
    bool Caducada() const { return caducada_; }

  protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

  private:
    const Variables& v_;
    DatosDe datos_;
    QList<QWidget*> controles_;
    int boton_, ventana_;
    QLabel* aviso_;
    std::optional<DocumentoSitio> calculado_;
    bool caducada_ = false;
};

// A computation of kind `d` is done: it used the windows' data now, with the
// site last computed.
void AnotaCalculo(Variables& v, DatosDe d);

// Every window's results checked against the data now.
void RevisaVigencias();
