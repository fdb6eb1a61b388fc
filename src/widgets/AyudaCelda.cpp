#include "widgets/AyudaCelda.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QTableView>
#include <QToolTip>

namespace {

class Ayuda : public QObject {
  public:
    Ayuda(QTableView* rejilla, TextoAyuda texto)
        : QObject(rejilla), rejilla_(rejilla), vista_(rejilla->viewport()), texto_(std::move(texto))
    {
        setObjectName(QStringLiteral("AyudaCelda"));
        rejilla->viewport()->setMouseTracking(true);
        rejilla->viewport()->installEventFilter(this);
    }

    bool eventFilter(QObject* objeto, QEvent* evento) override
    {
        // Compared by address: the viewport outlives the grid's own part
        // while the grid is destroyed.
        if (objeto != vista_)
            return false;
        if (evento->type() == QEvent::MouseMove) {
            Aplica(static_cast<QMouseEvent*>(evento)->position().toPoint());
        } else if (evento->type() == QEvent::ToolTip) {
            auto* ayuda = static_cast<QHelpEvent*>(evento);
            Aplica(ayuda->pos());
            if (rejilla_->toolTip().isEmpty())
                QToolTip::hideText();
            else
                QToolTip::showText(ayuda->globalPos(), rejilla_->toolTip(), rejilla_->viewport());
            return true;
        }
        return false;
    }

    std::optional<QString> Texto(int fila, int columna) const { return texto_(fila, columna); }

  private:
    void Aplica(const QPoint& enVista)
    {
        if (const std::optional<QString> t = texto_(rejilla_->rowAt(enVista.y()), rejilla_->columnAt(enVista.x())))
            rejilla_->setToolTip(*t);
    }

    QTableView* rejilla_;
    QObject* vista_;
    TextoAyuda texto_;
};

} // namespace

void SigueAyuda(QTableView* rejilla, TextoAyuda texto)
{
    new Ayuda(rejilla, std::move(texto));
}

std::optional<QString> AyudaDe(const QTableView* rejilla, int fila, int columna)
{
    const auto* a = static_cast<const Ayuda*>(rejilla->findChild<QObject*>(QStringLiteral("AyudaCelda")));
    return a ? a->Texto(fila, columna) : std::nullopt;
}
