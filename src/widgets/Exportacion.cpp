#include "widgets/Exportacion.h"

#include "common/Catalogo.h"
#include "common/Mensajes.h"
#include "common/Variables.h"
#include "widgets/RejillaDatos.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QGraphicsView>
#include <QHeaderView>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QTableView>

#include <algorithm>

namespace {

// The folder the last picture went to, for the next one.
QString& CarpetaGraficos()
{
    static QString carpeta;
    return carpeta;
}

// A view draws its scene itself, so that an SVG keeps it as vectors.
void Pinta(QWidget* vista, QPainter& p)
{
    if (auto* g = qobject_cast<QGraphicsView*>(vista))
        g->render(&p, QRectF(), g->viewport()->rect());
    else
        vista->render(&p);
}

QByteArray Imagen(QWidget* vista, bool svg)
{
    QByteArray datos;
    QBuffer b(&datos);
    b.open(QIODevice::WriteOnly);
    if (svg) {
        QSvgGenerator g;
        g.setOutputDevice(&b);
        g.setSize(vista->size());
        g.setViewBox(QRect(QPoint(0, 0), vista->size()));
        g.setTitle(vista->window()->windowTitle());
        QPainter p(&g);
        Pinta(vista, p);
    } else {
        vista->grab().save(&b, "PNG");
    }
    return datos;
}

void PideYGuarda(QWidget* vista, const Variables& v, bool svg)
{
    const QString extension = svg ? QStringLiteral(".svg") : QStringLiteral(".png");
    QString ruta = QFileDialog::getSaveFileName(vista, Texto(v, 1713), CarpetaGraficos(), Texto(v, svg ? 1718 : 1717));
    if (ruta.isEmpty())
        return;
    if (!ruta.endsWith(extension, Qt::CaseInsensitive))
        ruta += extension;
    CarpetaGraficos() = QFileInfo(ruta).absolutePath();
    GuardaGrafico(vista, ruta, v);
}

// A cell as one field of a line: its own tabs and line breaks would split it.
QString Campo(const QVariant& dato)
{
    QString s = dato.toString();
    s.replace(QLatin1Char('\t'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return s;
}

} // namespace

void HazGuardable(QWidget* vista, const Variables& v)
{
    vista->setContextMenuPolicy(Qt::ActionsContextMenu);
    for (const bool svg : {false, true}) {
        auto* a = new QAction(Texto(v, svg ? 1712 : 1711), vista);
        a->setObjectName(svg ? QStringLiteral("mnuGuardaSvg") : QStringLiteral("mnuGuardaPng"));
        QObject::connect(a, &QAction::triggered, vista, [vista, &v, svg] { PideYGuarda(vista, v, svg); });
        vista->addAction(a);
    }
}

bool GuardaGrafico(QWidget* vista, const QString& ruta, const Variables& v)
{
    const QByteArray datos = Imagen(vista, ruta.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive));
    QSaveFile f(ruta);
    if (datos.isEmpty() || !f.open(QIODevice::WriteOnly) || f.write(datos) != datos.size() || !f.commit()) {
        Mensaje(Icono::Aviso, TituloPrograma(), Texto(v, 1714).arg(QDir::toNativeSeparators(ruta)));
        return false;
    }
    return true;
}

void HazCopiable(QAbstractItemView* t, const Variables& v)
{
    auto* a = new QAction(Texto(v, 1715), t);
    a->setObjectName(QStringLiteral("mnuCopiar"));
    a->setShortcut(QKeySequence::Copy);
    a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(a, &QAction::triggered, t, [t] { QApplication::clipboard()->setText(TextoTabulado(t)); });
    t->setContextMenuPolicy(Qt::ActionsContextMenu);
    t->addAction(a);
    // A grid that takes no focus is copied from anywhere in its window.
    if (t->focusPolicy() == Qt::NoFocus)
        Formulario(t)->addAction(a);
}

QString TextoTabulado(const QAbstractItemView* t)
{
    const QAbstractItemModel* m = t->model();
    if (!m)
        return QString();
    const auto* tabla = qobject_cast<const QTableView*>(t);
    const QModelIndexList elegidas = t->selectionModel() ? t->selectionModel()->selectedIndexes() : QModelIndexList();
    // The selection's bounding rectangle; its unselected cells stay blank.
    int f0 = 0, f1 = m->rowCount() - 1, c0 = 0, c1 = m->columnCount() - 1;
    if (!elegidas.isEmpty()) {
        f0 = c0 = INT_MAX;
        f1 = c1 = -1;
        for (const QModelIndex& i : elegidas) {
            f0 = std::min(f0, i.row());
            f1 = std::max(f1, i.row());
            c0 = std::min(c0, i.column());
            c1 = std::max(c1, i.column());
        }
    }
    const bool cabeceraX = elegidas.isEmpty() && tabla && !tabla->horizontalHeader()->isHidden();
    const bool cabeceraY = elegidas.isEmpty() && tabla && !tabla->verticalHeader()->isHidden();
    const auto oculta = [tabla](bool fila, int k) {
        return tabla && (fila ? tabla->isRowHidden(k) : tabla->isColumnHidden(k));
    };
    QStringList lineas;
    if (cabeceraX) {
        QStringList campos;
        if (cabeceraY)
            campos << QString();
        for (int c = c0; c <= c1; ++c)
            if (!oculta(false, c))
                campos << Campo(m->headerData(c, Qt::Horizontal));
        lineas << campos.join(QLatin1Char('\t'));
    }
    for (int f = f0; f <= f1; ++f) {
        if (oculta(true, f))
            continue;
        QStringList campos;
        if (cabeceraY)
            campos << Campo(m->headerData(f, Qt::Vertical));
        for (int c = c0; c <= c1; ++c) {
            if (oculta(false, c))
                continue;
            const QModelIndex i = m->index(f, c);
            campos << (elegidas.isEmpty() || elegidas.contains(i) ? Campo(i.data()) : QString());
        }
        lineas << campos.join(QLatin1Char('\t'));
    }
    return lineas.isEmpty() ? QString() : lineas.join(QLatin1Char('\n')) + QLatin1Char('\n');
}
