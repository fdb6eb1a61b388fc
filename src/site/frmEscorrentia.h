#pragma once

#include <QWidget>

#include <array>
#include <optional>

class ClienteZevode;
class Navegacion;
class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;
class RejillaZonas;
struct DocumentoSitio;
struct FueraDeRango;
struct Variables;

// The site entry window, the first working window: the unit's data, a simple
// or composite contributing area, the help buttons, the link with the
// curve-number tables program and the calculations.
class frmEscorrentia : public QWidget {
    Q_OBJECT

  public:
    frmEscorrentia(Variables& v, Navegacion& nav, QWidget* parent = nullptr);
    ~frmEscorrentia() override;

    // The first field holding text that is no number, which the document
    // leaves out, and the message naming it; nullptr when there is none.
    QLineEdit* NoNumerico(QString& mensaje) const;
    // Fills the window from `d`, then computes as "Cálculos" does; the
    // capacity check, if it comes, takes the capacity `d` confirmed.
    void Rellena(const DocumentoSitio& d);

  protected:
    void closeEvent(QCloseEvent* evento) override;

  private:
    // This window's part of a site: the fields, the choice and the zones as
    // accepted, and the capacity last confirmed.
    void Recoge(DocumentoSitio& d) const;
    // What the window holds, written into the document, which is told.
    void Anota();
    void Construye();
    void ConstruyeDatos();
    void ConstruyeArea();
    QLayout* ConstruyeBotones();
    void FijaOrdenTab();
    void ConectaSenales();
    void FijaTextos();
    void Ayuda(QWidget* control, const QString& ventana);
    void opcComplejo_Click();
    void cmdZevOde_Click();
    void FinEnlace();
    // The number in field i's Tag; else the field takes the focus.
    std::optional<double> Lee(std::size_t i);
    void cmdAceptar_Click();
    // The data check and the model; true when the run completes and the
    // report is shown.
    bool CompruebaYCalcula();
    bool Calcula();
    void Error(int id);
    // The message of a value out of range, and the focus on its field.
    void Rechaza(const FueraDeRango& f);

    Variables& v_;
    Navegacion& nav_;
    std::array<QLineEdit*, 6> txtDatos_{};
    std::array<QLabel*, 6> lblEtiqueta_{};
    std::array<QRadioButton*, 2> opcComplejo_{};
    std::array<QPushButton*, 2> cmdArea_{};
    std::array<QPushButton*, 2> cmdLabor_{};
    QPushButton* cmdAyudaCapa_ = nullptr;
    QPushButton* cmdZevOde_ = nullptr;
    QPushButton* cmdMetodos_ = nullptr;
    QPushButton* cmdAceptar_ = nullptr;
    QGroupBox* mrcDatos_ = nullptr;
    QGroupBox* mrcArea_ = nullptr;
    QWidget* mrcSimple_ = nullptr;
    RejillaZonas* mrcComplejo_ = nullptr;
    ClienteZevode* enlace_ = nullptr;
    std::optional<double> capacidad_; // the last confirmed
    std::optional<double> respuesta_; // the capacity check's answer, given
    bool rellenando_ = false;         // filled from a document: told once, at the end
};
