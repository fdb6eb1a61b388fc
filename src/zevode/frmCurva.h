#pragma once

#include "zevode/TablaCN.h"
#include "zevode/TextosZevode.h"

#include <QWidget>

#include <array>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QTableWidget;

// The window of the tables program: the user picks a row of the table and a
// soil group, or a composite of up to five covers, and lblZevOdeva shows the
// curve number chosen. Every change of that text is announced, for the link.
class frmCurva : public QWidget {
    Q_OBJECT

  public:
    frmCurva(const QList<FilaCN>& filas, int numIdioma, QWidget* parent = nullptr);

    // The text of lblZevOdeva: a whole number from the table, a weighted
    // number with one decimal, or empty while nothing is chosen.
    QString Valor() const;

  signals:
    void ValorCambiado(const QString& texto);

  private:
    struct Linea {
        int fila = -1;
        int grupo = -1;
    };

    // The column of soil group A; table, cover, treatment and condition come first.
    static constexpr int ColA = 4;

    // The window's parts; the constructor puts them together.
    QLayout* ConstruyeEleccion();
    QGroupBox* ConstruyeValor();
    QGroupBox* ConstruyeFuente();
    QGroupBox* ConstruyeCompuesta();
    void ConectaSenales(QPushButton* cmdCerrar);

    QString T(TextoZ t) const;
    QString DescribeFila(int fila) const;
    void LlenaTabla();
    void LlenaCondiciones();
    void Elige(int fila, int grupo);
    void Actualiza();
    void FijaValor(const QString& texto);
    void Anade();
    void Quita(int i);
    void MuestraLineas();
    std::optional<QList<Componente>> Componentes() const;
    void CalculaMedia();

    QList<FilaCN> filas_;
    int idioma_;
    // Rows of each entry of lstCubierta (same cover and treatment).
    QList<QList<int>> entradas_;
    int fila_ = -1;
    int grupo_ = -1;
    bool usaMedia_ = false;
    std::array<Linea, MaxComponentes> lineas_;

    QComboBox* lstCubierta_;
    QComboBox* lstCondicion_;
    QButtonGroup* opcGrupo_;
    QTableWidget* tblCurvas_;
    QLabel* lblZevOdeva_;
    QLabel* lblFila_;
    QLabel* lblNota_;
    QLabel* lblFuente_;
    std::array<QLineEdit*, MaxComponentes> txtPorcentaje_{};
    std::array<QLabel*, MaxComponentes> lblComponente_{};
    std::array<QPushButton*, MaxComponentes> cmdQuitar_{};
    QPushButton* cmdAnadir_;
    QLabel* lblMedia_;
    QPushButton* cmdUsarMedia_;
};
