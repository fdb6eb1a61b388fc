#pragma once

#include "model/LluviaDiaria.h"

#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;
struct Variables;

// The text of a record's failure, naming the file.
QString TextoFallo(const Variables& v, const FalloLluvia& f, const QString& archivo);

// The preview of a daily rainfall record read from a file: its period and
// counts, its first days as read, and the choices of the import. Accepted
// only once the record gives both the series and the year's table.
class frmImportaLluvia : public QDialog {
  public:
    frmImportaLluvia(const Variables& v, const QString& archivo, RegistroLluvia registro, QWidget* parent = nullptr);
    const ResultadoLluvia& Resultado() const { return res_; }
    // The choices the result was computed with.
    const OpcionesLluvia& Eleccion() const { return eleccion_; }

  private:
    std::optional<OpcionesLluvia> Opciones() const;
    void Cuentas();
    void cmdAceptar_Click();

    const Variables& v_;
    QString archivo_;
    RegistroLluvia registro_;
    ResultadoLluvia res_;
    OpcionesLluvia eleccion_;
    QLabel* lblCuentas_;
    QTableWidget* tblDias_;
    QComboBox* lstAnio_;
    QLineEdit* txtDia_;
    QLineEdit* txtAguacero_;
    QComboBox* lstMes1_;
    QComboBox* lstMes2_;
};
