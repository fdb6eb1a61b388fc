#include "widgets/RejillaFija.h"

#include "widgets/Controles.h"

#include <QHeaderView>
#include <QTableWidget>

#include <algorithm>

namespace {

// The grid's settings live on the widget itself, so that any QTableWidget
// can be made a fixed grid.
const char* const PropFilasFijas = "RejillaFija.filasFijas";
const char* const PropColumnasFijas = "RejillaFija.columnasFijas";

QByteArray PropAncho(int columna)
{
    return "RejillaFija.ancho." + QByteArray::number(columna);
}

QByteArray PropAlineacion(int columna)
{
    return "RejillaFija.alineacion." + QByteArray::number(columna);
}

bool EsFija(const QTableWidget* t, int fila, int columna)
{
    return fila < t->property(PropFilasFijas).toInt() || columna < t->property(PropColumnasFijas).toInt();
}

// Room for the grid lines and a little air on both sides of the text.
constexpr int MargenCelda = 12;

int Avance(const QTableWidget* t, const QTableWidgetItem* item)
{
    const QFont letra = item->data(Qt::FontRole).isValid() ? item->font() : t->font();
    return QFontMetrics(letra).horizontalAdvance(item->text());
}

} // namespace

void HazRejillaFija(QTableWidget* t, int filas, int columnas, int filasFijas, int columnasFijas)
{
    t->setProperty(PropFilasFijas, filasFijas);
    t->setProperty(PropColumnasFijas, columnasFijas);
    t->horizontalHeader()->hide();
    t->verticalHeader()->hide();
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    t->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    t->setWordWrap(false);
    t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 6);
    t->setRowCount(filas);
    t->setColumnCount(columnas);
}

void FijaFormato(QTableWidget* t, const QString& formato)
{
    const qsizetype puntoYComa = formato.indexOf(QLatin1Char(';'));
    const QStringList columnas = formato.left(puntoYComa).split(QLatin1Char('|'));
    QStringList filas;
    if (puntoYComa >= 0)
        filas = formato.mid(puntoYComa + 1).split(QLatin1Char('|'));

    t->setColumnCount(static_cast<int>(columnas.size()));
    t->setRowCount(std::max({t->rowCount(), static_cast<int>(filas.size()), 1}));
    for (int c = 0; c < columnas.size(); ++c)
        FijaTexto(t, 0, c, columnas[c]);
    for (int f = 1; f < filas.size(); ++f)
        FijaTexto(t, f, 0, filas[f]);
}

void AnchoColumna(QTableWidget* t, int columna, int twips)
{
    t->setProperty(PropAncho(columna), twips);
    t->setColumnWidth(columna, Pixeles(twips));
}

void AltoFila(QTableWidget* t, int fila, int twips)
{
    t->setRowHeight(fila, Pixeles(twips));
}

void AlineaColumna(QTableWidget* t, int columna, Qt::Alignment alineacion)
{
    t->setProperty(PropAlineacion(columna), static_cast<int>(alineacion));
    for (int f = 0; f < t->rowCount(); ++f)
        if (QTableWidgetItem* item = t->item(f, columna))
            item->setTextAlignment(alineacion);
}

void FijaTexto(QTableWidget* t, int fila, int columna, const QString& texto)
{
    QTableWidgetItem* item = t->item(fila, columna);
    if (!item) {
        item = new QTableWidgetItem;
        if (EsFija(t, fila, columna)) {
            item->setFlags(Qt::ItemIsEnabled);
            item->setBackground(t->palette().button());
            item->setForeground(t->palette().buttonText());
        } else {
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        }
        const QVariant alineacion = t->property(PropAlineacion(columna));
        item->setTextAlignment(alineacion.isValid() ? Qt::Alignment(alineacion.toInt())
                                                    : Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
        t->setItem(fila, columna, item);
    }
    item->setText(texto);
}

QString TextoCelda(const QTableWidget* t, int fila, int columna)
{
    const QTableWidgetItem* item = t->item(fila, columna);
    return item ? item->text() : QString();
}

void AjustaAContenido(QTableWidget* t)
{
    int ancho = 0;
    for (int c = 0; c < t->columnCount(); ++c) {
        const QVariant twips = t->property(PropAncho(c));
        int w = twips.isValid() ? Pixeles(twips.toInt()) : 0;
        for (int f = 0; f < t->rowCount(); ++f)
            if (const QTableWidgetItem* item = t->item(f, c))
                w = std::max(w, Avance(t, item) + MargenCelda);
        t->setColumnWidth(c, w);
        ancho += w;
    }
    int alto = 0;
    for (int f = 0; f < t->rowCount(); ++f)
        alto += t->rowHeight(f);
    const int marco = 2 * t->frameWidth();
    t->setFixedSize(ancho + marco, alto + marco);
}
