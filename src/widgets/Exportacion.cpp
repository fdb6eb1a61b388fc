#include "widgets/Exportacion.h"

#include "common/Catalogo.h"
#include "common/Escritura.h"
#include "common/Mensajes.h"
#include "common/Variables.h"
#include "widgets/AyudaCelda.h"
#include "widgets/CampoNumerico.h"
#include "widgets/RejillaDatos.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGraphicsView>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSet>
#include <QStandardPaths>
#include <QSvgGenerator>
#include <QTableView>

#include <algorithm>

namespace {

// The folder the last picture or table went to, for the next one.
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

// The name grids that leave the program carry.
const char* const PropCopiable = "Exportacion.copiable";

bool Escribe(const QString& ruta, const QByteArray& datos, const Variables& v)
{
    std::optional<QString> fallo;
    if (datos.isEmpty())
        fallo = Texto(v, 1802);
    else
        fallo = EscribeEntero(ruta, datos, v);
    if (fallo)
        Mensaje(Icono::Aviso, TituloPrograma(), Texto(v, 1798).arg(QDir::toNativeSeparators(ruta), *fallo));
    return !fallo;
}

// A number with the point as its decimal separator; other text as it is.
QString Decimal(const QString& texto, const Variables& v)
{
    if (!NumeroLocal(v, texto.trimmed()))
        return texto;
    QString t = texto.trimmed();
    if (v.SepDecimal == QLatin1String(","))
        t.replace(QLatin1Char(','), QLatin1Char('.'));
    return t;
}

// One grid: its rows as shown, with the full values beside where the tooltips
// hold them.
QStringList LineasCSV(const QTableView* t, const Variables& v)
{
    const QAbstractItemModel* m = t->model();
    const int filas = m->rowCount(), columnas = m->columnCount();
    std::vector<std::vector<QString>> exactos(static_cast<std::size_t>(columnas));
    std::vector<bool> conExacto(static_cast<std::size_t>(columnas), false);
    for (int c = 0; c < columnas; ++c) {
        auto& col = exactos[static_cast<std::size_t>(c)];
        col.resize(static_cast<std::size_t>(filas));
        for (int f = 0; f < filas; ++f) {
            const std::optional<QString> a = AyudaDe(t, f, c);
            if (a && NumeroLocal(v, a->trimmed())) {
                col[static_cast<std::size_t>(f)] = Decimal(*a, v);
                conExacto[static_cast<std::size_t>(c)] = true;
            }
        }
    }
    const bool cabecera = !t->horizontalHeader()->isHidden();
    QStringList lineas;
    for (int f = cabecera ? -1 : 0; f < filas; ++f) {
        if (f >= 0 && t->isRowHidden(f))
            continue;
        QStringList campos;
        for (int c = 0; c < columnas; ++c) {
            if (t->isColumnHidden(c))
                continue;
            const QString celda =
                f < 0 ? m->headerData(c, Qt::Horizontal).toString() : m->index(f, c).data().toString();
            campos << CampoCSV(Decimal(celda, v));
            if (conExacto[static_cast<std::size_t>(c)]) {
                // The heading row names the column of full values.
                const bool titulo = f < 0 || (!cabecera && f == 0);
                campos << CampoCSV(titulo ? Texto(v, 1721).arg(celda.trimmed())
                                          : exactos[static_cast<std::size_t>(c)][static_cast<std::size_t>(f)]);
            }
        }
        lineas << campos.join(QLatin1Char(','));
    }
    return lineas;
}

// The name windows whose results leave the program carry.
const char* const PropResultados = "Exportacion.resultados";

// One line of a window's results: a group's title has no value.
struct Resultado {
    QString rotulo, valor, exacto;
    bool titulo = false;
};

QString Valor(const QWidget* w)
{
    if (const auto* c = qobject_cast<const QLineEdit*>(w))
        return c->text();
    const auto* l = qobject_cast<const QLabel*>(w);
    return l ? l->text() : QString();
}

QGroupBox* GrupoDe(const QWidget* w, const QWidget* ventana)
{
    for (QWidget* p = w->parentWidget(); p && p != ventana; p = p->parentWidget())
        if (auto* g = qobject_cast<QGroupBox*>(p))
            return g;
    return nullptr;
}

// A result with the label naming it, if any (else its own name is its
// caption), or a label of a group of results that names none: a heading.
struct Salida {
    QWidget* w;
    QLabel* rotulo;
    bool encabezado;
};

// The window's results and headings in the order they were built, the order
// they read in.
std::vector<Salida> Salidas(const QWidget* ventana)
{
    const QList<QWidget*> hijos = ventana->findChildren<QWidget*>();
    QHash<const QWidget*, QLabel*> rotulos;
    for (QWidget* w : hijos)
        if (auto* l = qobject_cast<QLabel*>(w); l && l->buddy())
            rotulos.insert(l->buddy(), l);
    const auto esResultado = [&rotulos](const QWidget* w) {
        const auto* c = qobject_cast<const QLineEdit*>(w);
        return ((c && c->isReadOnly()) || qobject_cast<const QLabel*>(w)) &&
               (rotulos.contains(w) || !w->accessibleName().isEmpty());
    };
    QSet<const QGroupBox*> grupos;
    for (const QWidget* w : hijos)
        if (esResultado(w))
            grupos.insert(GrupoDe(w, ventana));
    std::vector<Salida> r;
    for (QWidget* w : hijos) {
        auto* l = qobject_cast<QLabel*>(w);
        if (esResultado(w))
            r.push_back({w, rotulos.value(w), false});
        else if (l && !l->buddy() && !l->text().isEmpty() && GrupoDe(l, ventana) &&
                 grupos.contains(GrupoDe(l, ventana)))
            r.push_back({w, nullptr, true});
    }
    return r;
}

// What of them the window shows, a group of several headed by its title.
std::vector<Resultado> Resultados(const QWidget* ventana)
{
    std::vector<Salida> salidas = Salidas(ventana);
    std::erase_if(salidas, [ventana](const Salida& s) { return !s.w->isVisibleTo(ventana); });
    std::vector<Resultado> r;
    for (std::size_t i = 0; i < salidas.size(); ++i) {
        const auto [w, l, encabezado] = salidas[i];
        const QGroupBox* g = GrupoDe(w, ventana);
        const bool nuevo = i == 0 || GrupoDe(salidas[i - 1].w, ventana) != g;
        const bool varios = i + 1 < salidas.size() && GrupoDe(salidas[i + 1].w, ventana) == g;
        if (g && nuevo && varios && !g->title().isEmpty())
            r.push_back({g->title().simplified(), QString(), QString(), true});
        if (encabezado)
            r.push_back({Valor(w).simplified(), QString(), QString(), true});
        else
            r.push_back(
                {(l ? l->text() : w->accessibleName()).simplified(), Valor(w).simplified(), w->toolTip().trimmed()});
    }
    return r;
}

QStringList LineasResultados(const QWidget* ventana, const Variables& v)
{
    const std::vector<Resultado> r = Resultados(ventana);
    const bool conExacto =
        std::any_of(r.begin(), r.end(), [&v](const Resultado& x) { return NumeroLocal(v, x.exacto).has_value(); });
    const QString valor = Texto(v, 1723);
    QStringList lineas{CampoCSV(Texto(v, 1722)) + QLatin1Char(',') + CampoCSV(valor) +
                       (conExacto ? QLatin1Char(',') + CampoCSV(Texto(v, 1721).arg(valor)) : QString())};
    for (const Resultado& x : r) {
        QStringList campos{CampoCSV(x.rotulo), CampoCSV(Decimal(x.valor, v))};
        if (conExacto)
            campos << (NumeroLocal(v, x.exacto) ? CampoCSV(Decimal(x.exacto, v)) : QString());
        lineas << campos.join(QLatin1Char(','));
    }
    return lineas;
}

// Ctrl+C that reaches the window unclaimed, or a result box with nothing
// selected, copies the results.
class CopiaConTeclado : public QObject {
  public:
    CopiaConTeclado(QAction* copia, QObject* padre) : QObject(padre), copia_(copia) {}

  protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override
    {
        if (evento->type() != QEvent::KeyPress || !static_cast<QKeyEvent*>(evento)->matches(QKeySequence::Copy))
            return false;
        if (const auto* c = qobject_cast<QLineEdit*>(objeto); c && c->hasSelectedText())
            return false;
        copia_->trigger();
        return true;
    }

  private:
    QAction* copia_;
};

// Ctrl+C in a grid with the focus copies that grid: it claims the key before
// any window-wide copy can, so that no two claims on one key meet.
class CopiaPropia : public QObject {
  public:
    CopiaPropia(QAction* copia, QObject* padre) : QObject(padre), copia_(copia) {}

  protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override
    {
        const auto t = evento->type();
        if ((t != QEvent::ShortcutOverride && t != QEvent::KeyPress) ||
            !static_cast<QKeyEvent*>(evento)->matches(QKeySequence::Copy))
            return QObject::eventFilter(objeto, evento);
        evento->accept();
        if (t == QEvent::KeyPress)
            copia_->trigger();
        return true;
    }

  private:
    QAction* copia_;
};

} // namespace

QString TextoCSV(const QWidget* ventana, const Variables& v)
{
    QStringList bloques;
    for (const QTableView* t : ventana->findChildren<QTableView*>())
        if (t->property(PropCopiable).toBool() && t->model())
            bloques << LineasCSV(t, v).join(QLatin1Char('\n')) + QLatin1Char('\n');
    if (ventana->property(PropResultados).toBool() && !Resultados(ventana).empty())
        bloques << LineasResultados(ventana, v).join(QLatin1Char('\n')) + QLatin1Char('\n');
    return bloques.join(QLatin1Char('\n'));
}

bool GuardaCSV(const QWidget* ventana, const QString& ruta, const Variables& v)
{
    return Escribe(ruta, TextoCSV(ventana, v).toUtf8(), v);
}

void ExportaCSV(QWidget* ventana, const Variables& v)
{
    if (!ventana || TextoCSV(ventana, v).isEmpty()) {
        Mensaje(Icono::Informacion, TituloPrograma(), Texto(v, 1720));
        return;
    }
    QString ruta = QFileDialog::getSaveFileName(ventana, Texto(v, 1716).remove(QStringLiteral("...")).remove(u'&'),
                                                RutaPropuesta(v, QStringLiteral(".csv")), Texto(v, 1719));
    if (ruta.isEmpty())
        return;
    if (!ruta.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        ruta += QStringLiteral(".csv");
    CarpetaGraficos() = QFileInfo(ruta).absolutePath();
    GuardaCSV(ventana, ruta, v);
}

QString RutaPropuesta(const Variables& v, const QString& sufijo)
{
    if (!v.RutaSitio.isEmpty()) {
        const QFileInfo sitio(v.RutaSitio);
        return sitio.dir().filePath(sitio.completeBaseName() + sufijo);
    }
    return CarpetaGraficos().isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                                       : CarpetaGraficos();
}

void RecuerdaCarpeta(const QString& ruta)
{
    CarpetaGraficos() = QFileInfo(ruta).absolutePath();
}

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
    return Escribe(ruta, Imagen(vista, ruta.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)), v);
}

void HazCopiable(QAbstractItemView* t, const Variables& v)
{
    auto* a = new QAction(Texto(v, 1715), t);
    a->setObjectName(QStringLiteral("mnuCopiar"));
    t->setProperty(PropCopiable, true);
    a->setShortcut(QKeySequence::Copy);
    a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(a, &QAction::triggered, t, [t] { QApplication::clipboard()->setText(TextoTabulado(t)); });
    t->setContextMenuPolicy(Qt::ActionsContextMenu);
    t->addAction(a);
    // A grid that takes no focus is copied from anywhere in its window; one
    // that does, only while it has it.
    if (t->focusPolicy() == Qt::NoFocus)
        Formulario(t)->addAction(a);
    else
        t->installEventFilter(new CopiaPropia(a, t));
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

void HazCopiablesResultados(QWidget* ventana, const Variables& v)
{
    ventana->setProperty(PropResultados, true);
    auto* a = new QAction(Texto(v, 1715), ventana);
    a->setObjectName(QStringLiteral("mnuCopiarResultados"));
    QObject::connect(a, &QAction::triggered, ventana,
                     [ventana] { QApplication::clipboard()->setText(TextoResultados(ventana)); });
    // The window's menu, unless its actions belong to a grid there already;
    // the menus of the results, their captions and their groups.
    std::vector<QWidget*> conMenu;
    if (ventana->actions().isEmpty())
        conMenu.push_back(ventana);
    auto* teclado = new CopiaConTeclado(a, ventana);
    ventana->installEventFilter(teclado);
    for (const auto& [w, l, encabezado] : Salidas(ventana)) {
        if (qobject_cast<QLineEdit*>(w))
            w->installEventFilter(teclado);
        else
            conMenu.push_back(w);
        if (l)
            conMenu.push_back(l);
        if (QGroupBox* g = GrupoDe(w, ventana))
            conMenu.push_back(g);
    }
    for (QWidget* w : conMenu)
        if (!w->actions().contains(a)) {
            w->setContextMenuPolicy(Qt::ActionsContextMenu);
            w->addAction(a);
        }
}

QString TextoResultados(const QWidget* ventana)
{
    QString texto;
    for (const Resultado& r : Resultados(ventana))
        texto += Campo(r.rotulo) + (r.titulo ? QString() : QLatin1Char('\t') + Campo(r.valor)) + QLatin1Char('\n');
    return texto;
}

QString CampoCSV(QString s)
{
    if (s.contains(QLatin1Char(',')) || s.contains(QLatin1Char('"')) || s.contains(QLatin1Char('\n')))
        s = QLatin1Char('"') + s.replace(QLatin1String("\""), QLatin1String("\"\"")) + QLatin1Char('"');
    return s;
}
