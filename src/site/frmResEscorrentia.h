#pragma once

class Vigencia;

#include <QWidget>

#include <optional>

class Navegacion;
class QGroupBox;
class QLabel;
class QPushButton;
class QTableWidget;
class QTextEdit;
struct Variables;

// The site results report: curve numbers and runoff thresholds of every part
// of the unit, the relations among the curve numbers and a verdict. It holds
// nothing of its own and fills itself from the site state on every
// activation.
class frmResEscorrentia : public QWidget {
    Q_OBJECT

  public:
    frmResEscorrentia(Variables& v, Navegacion& nav, QWidget* parent = nullptr);

  protected:
    void showEvent(QShowEvent* evento) override;
    void changeEvent(QEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

  private:
    void Rellena();
    void Coloca();
    void Resultados();
    void Relacion();
    std::optional<QString> TooltipResultados(int fila, int columna) const;
    void cmdAnterior_Click();
    void cmdContinuar_Click();

    Variables& v_;
    Navegacion& nav_;
    QGroupBox* marcoRelacion_;
    QGroupBox* marcoResultados_;
    QTextEdit* leyendaRelacion_;
    QTextEdit* txtLeyenda_;
    QTableWidget* tblRelacion_;
    QTableWidget* tblEscorrentia_;
    QLabel* lblConsejo_;
    QPushButton* cmdAnterior_;
    QPushButton* cmdContinuar_;
    bool enlazada_ = false;
    Vigencia* vigencia_;
};
