#pragma once

class Vigencia;

#include "model/Serie.h"
#include "storms/Escenario.h"

#include <QWidget>

#include <array>

class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class BarraAguaceros;
class Navegacion;
struct Variables;

// A series of storms entered one by one: the user pages through the list,
// changes any storm, and gets the totals of the whole series.
class frmSerie : public QWidget {
    Q_OBJECT

  public:
    // `maxAguaceros` is the most storms the list takes.
    frmSerie(Variables& v, Navegacion& nav, int maxAguaceros = MaxAguaceros, QWidget* parent = nullptr);

    // Storms added after the one shown (in its place when it is still
    // blank), the last of them shown and the series computed. False, with
    // the message, when the shown storm is refused or the list would be full.
    bool Inserta(const std::vector<Aguacero>& nuevos);

  protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

  private:
    // The list filled from outside (not empty) read again, its first storm
    // shown and the series computed.
    void Carga();
    QLayout* ConstruyeDatos();
    QLayout* ConstruyeBotones();
    // Load: the session's list at its first storm, or an empty list that gets
    // its first, blank storm.
    void CargaSerie();
    void FijaTextos();
    // A column of depths pasted into the depth box, with a second column of
    // conditions: one storm a line, or nothing and the first line at fault.
    void PegaAguaceros(const QString& texto);
    void cmdAnadir_Click();
    void btnAguacero_Change(int valor);
    // Shows storm `aguacero` of the list and the totals.
    void MuestraAguacero(int aguacero);
    void cmdCalcular_Click();
    void cmdResumen_Click();
    void cmdSigue_Click();
    void cmdGrafico_Click();
    // Checks the storm shown and stores it in the list.
    bool ValidaSerie();
    // Replays the whole list and shows its totals.
    void Recalcula();
    void txtPrecip_GotFocus();

    Variables& v_;
    Navegacion& nav_;
    const int maxAguaceros_;

    int NumAguaceros_ = 0;
    int AguaceroActual_ = 0;
    // Storm k of the list is v_.Documento.serie[k - 1]: the list belongs to
    // the session, and a site file fills it while the window is closed.
    bool NuevoAguacero_ = false;
    bool paginando_ = false; // a page is being validated
    TotalesSerie t_;

    QLabel* rotuloNumAguacero_;
    QLabel* lblNumAguacero_;
    BarraAguaceros* btnAguacero_;
    EntradaTormenta e_;
    QPushButton* cmdAnadir_;
    QPushButton* cmdCalcular_;
    QPushButton* cmdResumen_;
    QPushButton* cmdSigue_;
    QPushButton* cmdGrafico_;
    QGroupBox* marcoResultados_;
    Vigencia* vigencia_;
    std::array<QLabel*, 12> rotuloResultado_{};
    std::array<QLineEdit*, 12> txtResultado_{};
};
