#pragma once

#include <QStringList>
#include <QTableView>

#include <functional>
#include <optional>
#include <vector>

class DelegadoDatos;
struct Variables;

// A stored value: null, or a number (text read with the separator in force).
std::optional<double> ValorCelda(const Variables& v, const QVariant& dato);
// The window a control belongs to: its top-level window, or the form inside
// a child window of the main window.
QWidget* Formulario(QWidget* w);
// A block copied from a spreadsheet, as rows of cell texts: rows by line,
// cells by tab, `;` or, when it is not the decimal separator in force, `,`.
// Either decimal character becomes the one in force.
std::vector<QStringList> PartePegado(const QString& texto, const QString& sepDecimal);

// A grid of numbers bound to a model and edited in place. Typed text is
// checked before it is stored: refused text shows its message and keeps the
// cell in edit. Enter walks through the editable cells and leaves the grid
// from the last one; Tab leaves it. While the grid has the focus (its Tag is
// "1") the column of the current cell may show its values in full; out of it
// the tooltip gives the full value under the pointer.
class RejillaDatos : public QTableView {
  public:
    struct Columna {
        int decimales; // shown with this many decimals
        bool completa; // shown in full while it is current
    };
    struct Chequeo {
        int mensaje = 0;    // the message that refuses the text; 0 accepts it
        double valor = 0;   // what is stored when accepted
        bool borra = false; // refused text is cleared from the cell
    };
    struct Forma {
        int primera = 0;               // the model column of the first editable column
        std::vector<Columna> columnas; // the editable columns, in Enter order
        // The check of text typed in editable column `columna` (0-based).
        std::function<Chequeo(int columna, const QString& texto)> comprueba;
        // Stores an accepted value.
        std::function<void(const QModelIndex& indice, double valor)> guarda;
        // The name of row `fila`, which a refusal's title gives beside the
        // column's heading.
        std::function<QString(int fila)> fila;
        // The value in a cell's tooltip while the grid has no focus.
        std::function<std::optional<double>(int fila, int columna)> ayuda;
        // Leaving the grid for another control checks silently: an emptied
        // cell is given up, refused text keeps the focus without a message.
        bool salidaCallada = false;
        // Leaving the grid makes its first row current.
        bool vuelveArriba = false;
    };

    RejillaDatos(const Variables& v, Forma forma, QWidget* padre);
    ~RejillaDatos() override;

    bool Enfocada() const { return enfocada_; }
    bool Editando() const { return state() == EditingState; }
    bool UltimaCelda() const;
    // Whether the grid handles Enter itself rather than the window moving on:
    // an edit in progress is finished by the grid, also in the last cell.
    bool RetieneEnter() const { return Enfocada() && (Editando() || !UltimaCelda()); }
    // Focus on row `fila`, editable column `columna` (0-based).
    void Enfoca(int fila, int columna);
    // Enter: the next editable cell, or out of the grid from the last one.
    void Siguiente();
    void Sal(bool adelante) { focusNextPrevChild(adelante); }
    // Ctrl+V: a block pasted from the current cell on, each cell checked and
    // stored as if typed; the first refused cell stops it with its message.
    // A block larger than the room left is refused whole.
    void Pega(const QString& texto);

  protected:
    void keyPressEvent(QKeyEvent* evento) override;
    void mousePressEvent(QMouseEvent* evento) override;
    void currentChanged(const QModelIndex& actual, const QModelIndex& anterior) override;

  private:
    friend class DelegadoDatos;

    int Ultima() const { return forma_.primera + static_cast<int>(forma_.columnas.size()) - 1; }
    void CambioFoco(QWidget* ahora);
    void Formatos();
    // A refusal's title names the cell.
    QString Titulo(const QModelIndex& indice) const;

    const Variables& v_;
    Forma forma_;
    // The focus is in the grid, as far as its window is concerned.
    bool enfocada_ = false;
    DelegadoDatos* delegado_;
};
