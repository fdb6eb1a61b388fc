#pragma once

#include "model/LluviaDiaria.h"

#include <QDialog>
#include <QString>

#include <array>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTableWidget;
struct Variables;

// The text of a record's failure, naming the file.
QString TextoFallo(const Variables& v, const FalloLluvia& f, const QString& archivo);

// The import of a daily rainfall record: the file's first lines, how to read
// it (the date and depth columns, the unit, the missing-day markers, what a
// date given twice keeps) and the choices of the series and the year, with
// a preview of what the import gives, redone on every change: its period and
// counts, largest day, year's rain and the twelve rows for the year.
// Accepted only once the record gives both the series and the year's table.
class frmImportaLluvia : public QDialog {
  public:
    frmImportaLluvia(const Variables& v, const QString& archivo, std::string texto, QWidget* parent = nullptr);
    const ResultadoLluvia& Resultado() const { return res_; }
    const RegistroLluvia& Registro() const { return registro_; }
    // The choices the result was computed with.
    const OpcionesLluvia& Eleccion() const { return eleccion_; }
    const FormatoLluvia& Formato() const { return formato_; }

  private:
    void Construye();
    QLayout* ConstruyeLectura();
    QLayout* ConstruyeOpciones();
    void Presenta(const FormatoLluvia& f, const OpcionesLluvia& o);
    std::optional<OpcionesLluvia> Opciones() const;
    FormatoLluvia FormatoElegido() const;
    std::optional<FalloLluvia> Analiza(ResultadoLluvia& r);
    void Cuentas();
    void Meses(const ResultadoLluvia* r);
    void cmdAceptar_Click();

    const Variables& v_;
    QString archivo_;
    std::string texto_;
    VistaLluvia vista_;
    RegistroLluvia registro_;
    ResultadoLluvia res_;
    OpcionesLluvia eleccion_;
    FormatoLluvia formato_;
    QPlainTextEdit* txtLineas_;
    QComboBox* lstFecha_;
    QCheckBox* chkYmd_;
    std::array<QComboBox*, 3> lstYmd_{};
    QComboBox* lstProfundidad_;
    QComboBox* lstUnidad_;
    QLineEdit* txtFaltan_;
    QComboBox* lstRepetidas_;
    QLabel* lblCuentas_;
    QTableWidget* tblMeses_;
    QComboBox* lstAnio_;
    QLineEdit* txtDia_;
    QLineEdit* txtAguacero_;
    QComboBox* lstMes1_;
    QComboBox* lstMes2_;
};
