#include "widgets/RejillaDatos.h"

#include "common/Catalogo.h"
#include "common/Mensajes.h"
#include "common/Variables.h"
#include "model/Numero.h"
#include "widgets/AyudaCelda.h"
#include "widgets/CampoNumerico.h"
#include "widgets/Exportacion.h"

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QRegularExpression>
#include <QStyledItemDelegate>
#include <QTimer>

#include <algorithm>
#include <array>

std::optional<double> ValorCelda(const Variables& v, const QVariant& dato)
{
    if (dato.isNull())
        return std::nullopt;
    if (dato.typeId() == QMetaType::QString)
        return NumeroLocal(v, dato.toString());
    bool ok = false;
    const double x = dato.toDouble(&ok);
    return ok ? std::optional<double>(x) : std::nullopt;
}

QWidget* Formulario(QWidget* w)
{
    while (w && !w->isWindow() && !qobject_cast<QMdiSubWindow*>(w->parentWidget()))
        w = w->parentWidget();
    return w;
}

std::vector<QStringList> PartePegado(const QString& texto, const QString& sepDecimal)
{
    QStringList lineas = texto.split(QRegularExpression(QStringLiteral("\\r\\n|\\r|\\n")));
    // A spreadsheet ends its last row with a line break.
    while (!lineas.isEmpty() && lineas.back().trimmed().isEmpty())
        lineas.removeLast();
    QChar sep = QLatin1Char('\t');
    if (!texto.contains(sep))
        sep =
            texto.contains(QLatin1Char(';')) || sepDecimal == QLatin1String(",") ? QLatin1Char(';') : QLatin1Char(',');
    // One number with a decimal comma, as a cell's paste has always taken it.
    if (sep == QLatin1Char(',') && lineas.size() == 1 && lineas.front().count(sep) == 1)
        sep = QLatin1Char(';');
    const QChar otro = sepDecimal == QLatin1String(",") ? QLatin1Char('.') : QLatin1Char(',');
    std::vector<QStringList> filas;
    for (const QString& l : lineas) {
        QStringList celdas = l.split(sep);
        for (QString& c : celdas) {
            c = c.trimmed();
            if (c.size() >= 2 && c.startsWith(QLatin1Char('"')) && c.endsWith(QLatin1Char('"')))
                c = c.mid(1, c.size() - 2).trimmed();
            if (sepDecimal.size() == 1)
                c.replace(otro, sepDecimal.front());
        }
        filas.push_back(celdas);
    }
    return filas;
}

class DelegadoDatos : public QStyledItemDelegate {
  public:
    explicit DelegadoDatos(RejillaDatos* vista) : QStyledItemDelegate(vista), r_(*vista) {}

    // Leaving the cell being edited: refused text shows its message and keeps
    // the cell in edit; unchanged text is not stored again.
    bool PuedeDejarCelda()
    {
        if (!Editando())
            return true;
        const RejillaDatos::Chequeo c = Comprueba(indice_, editor_->text());
        if (c.mensaje == 0)
            return true;
        if (!avisando_) {
            avisando_ = true;
            Mensaje(Icono::Informacion, r_.Titulo(indice_), Texto(r_.v_, c.mensaje));
            avisando_ = false;
        }
        if (editor_) {
            if (c.borra)
                editor_->clear();
            editor_->setFocus();
        }
        return false;
    }
    // The focus is on its way back to a refused cell.
    bool Volviendo() const { return volviendo_; }
    // The model column shown in full, or -1.
    void FijaCompleta(int columna) { completa_ = columna; }

    void initStyleOption(QStyleOptionViewItem* opcion, const QModelIndex& indice) const override
    {
        QStyledItemDelegate::initStyleOption(opcion, indice);
        opcion->displayAlignment = Qt::AlignRight | Qt::AlignVCenter;
        const int c = indice.column() - r_.forma_.primera;
        if (c < 0 || c >= static_cast<int>(r_.forma_.columnas.size()))
            return;
        const std::optional<double> x = ValorCelda(r_.v_, indice.data(Qt::EditRole));
        if (!x)
            opcion->text.clear();
        else if (indice.column() == completa_)
            opcion->text = ExactoLocal(r_.v_, *x);
        else
            opcion->text = FormatoLocal(r_.v_, *x, r_.forma_.columnas[static_cast<std::size_t>(c)].decimales);
    }

    QWidget* createEditor(QWidget* padre, const QStyleOptionViewItem&, const QModelIndex& indice) const override
    {
        auto* e = new QLineEdit(padre);
        e->setFrame(false);
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        TrataPegado(e, r_.v_);
        editor_ = e;
        indice_ = indice;
        return e;
    }

    void destroyEditor(QWidget* editor, const QModelIndex& indice) const override
    {
        // A closed editor (Escape, a commit) is no longer an edit to check,
        // though it lives on until its deferred deletion.
        if (editor == editor_)
            editor_ = nullptr;
        QStyledItemDelegate::destroyEditor(editor, indice);
    }

    void setEditorData(QWidget* editor, const QModelIndex& indice) const override
    {
        auto* e = static_cast<QLineEdit*>(editor);
        const std::optional<double> x = ValorCelda(r_.v_, indice.data(Qt::EditRole));
        e->setText(x ? ExactoLocal(r_.v_, *x) : QString());
        e->setModified(false);
    }

    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& indice) const override
    {
        auto* e = static_cast<QLineEdit*>(editor);
        // Every way out of an edit is checked first; refused text that still
        // gets here is not stored.
        if (!e->isModified())
            return;
        const RejillaDatos::Chequeo c = Comprueba(indice, e->text());
        if (c.mensaje != 0)
            return;
        e->setModified(false);
        r_.forma_.guarda(indice, c.valor);
    }

  protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

  private:
    bool Editando() const { return editor_ && editor_->isModified() && indice_.isValid(); }
    RejillaDatos::Chequeo Comprueba(const QModelIndex& indice, const QString& texto) const
    {
        return r_.forma_.comprueba(indice.column() - r_.forma_.primera, texto);
    }
    // Back into the cell once the other control has taken the focus, so that
    // its own entry and leaving run in order.
    void Vuelve(QLineEdit* editor)
    {
        volviendo_ = true;
        QTimer::singleShot(0, editor, [this, editor] {
            volviendo_ = false;
            editor->setFocus();
        });
    }

    RejillaDatos& r_;
    mutable QPointer<QLineEdit> editor_;
    mutable QPersistentModelIndex indice_;
    int completa_ = -1;
    bool avisando_ = false;
    bool volviendo_ = false;
};

bool DelegadoDatos::eventFilter(QObject* objeto, QEvent* evento)
{
    auto* editor = qobject_cast<QLineEdit*>(objeto);
    if (!editor)
        return QStyledItemDelegate::eventFilter(objeto, evento);
    if (evento->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent*>(evento)->key();
        // A block pasted into an open cell: the cell is left as by Enter,
        // then the block goes in from it. One cell pastes into the editor.
        if (static_cast<QKeyEvent*>(evento)->matches(QKeySequence::Paste)) {
            const QString texto = QGuiApplication::clipboard()->text();
            const std::vector<QStringList> bloque = PartePegado(texto, r_.v_.SepDecimal);
            if (bloque.size() < 2 && (bloque.empty() || bloque.front().size() < 2))
                return QStyledItemDelegate::eventFilter(objeto, evento);
            if (!PuedeDejarCelda())
                return true;
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::NoHint);
            r_.Pega(texto);
            return true;
        }
        const bool enter = tecla == Qt::Key_Return || tecla == Qt::Key_Enter;
        const bool tab = tecla == Qt::Key_Tab || tecla == Qt::Key_Backtab;
        if (!enter && !tab)
            return QStyledItemDelegate::eventFilter(objeto, evento);
        if (!PuedeDejarCelda())
            return true;
        emit commitData(editor);
        emit closeEditor(editor, QAbstractItemDelegate::NoHint);
        if (enter)
            r_.Siguiente();
        else
            r_.Sal(tecla == Qt::Key_Tab);
        return true;
    }
    if (evento->type() == QEvent::FocusOut) {
        const auto razon = static_cast<QFocusEvent*>(evento)->reason();
        QWidget* ahora = QApplication::focusWidget();
        // A message box, another window or another program taking the focus
        // is not a move to another control: the edit stays as it is.
        if (razon == Qt::ActiveWindowFocusReason || razon == Qt::PopupFocusReason || volviendo_ || !ahora ||
            Formulario(ahora) != Formulario(editor))
            return true;
        const bool fuera = ahora != &r_ && !r_.isAncestorOf(ahora);
        if (fuera && r_.forma_.salidaCallada && Editando()) {
            if (editor->text().trimmed().isEmpty()) {
                editor->setModified(false);
            } else if (Comprueba(indice_, editor->text()).mensaje != 0) {
                Vuelve(editor);
                return true;
            }
        } else if (!PuedeDejarCelda()) {
            Vuelve(editor);
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(objeto, evento);
}

RejillaDatos::RejillaDatos(const Variables& v, Forma forma, QWidget* padre)
    : QTableView(padre), v_(v), forma_(std::move(forma)), delegado_(new DelegadoDatos(this))
{
    HazCopiable(this, v_);
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A block is selected as it is pasted: a rectangle.
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setTabKeyNavigation(false);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setItemDelegate(delegado_);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    // The full value of the cell under the pointer, while the grid is not
    // being edited.
    SigueAyuda(this, [this](int fila, int columna) -> std::optional<QString> {
        const int c = columna - forma_.primera;
        if (Enfocada() || fila < 0 || c < 0 || columna > Ultima() || !forma_.ayuda)
            return QString();
        const std::optional<double> x = forma_.ayuda(fila, c);
        return x ? ExactoLocal(v_, *x) : QString();
    });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* ahora) { CambioFoco(ahora); });
}

RejillaDatos::~RejillaDatos()
{
    // The editor and the children go later, in QWidget's destructor, and may
    // move the focus: this part is gone by then.
    disconnect(qApp, nullptr, this, nullptr);
}

bool RejillaDatos::UltimaCelda() const
{
    const QModelIndex i = currentIndex();
    return !model() || !i.isValid() || (i.row() == model()->rowCount() - 1 && i.column() == Ultima());
}

void RejillaDatos::Enfoca(int fila, int columna)
{
    setFocus(Qt::OtherFocusReason);
    if (model() && fila >= 0 && fila < model()->rowCount())
        setCurrentIndex(model()->index(fila, forma_.primera + columna));
}

void RejillaDatos::Siguiente()
{
    const QModelIndex i = currentIndex();
    if (!model())
        Sal(true);
    else if (i.isValid() && i.column() >= forma_.primera && i.column() < Ultima())
        setCurrentIndex(model()->index(i.row(), i.column() + 1));
    else if (i.isValid() && i.row() + 1 < model()->rowCount())
        setCurrentIndex(model()->index(i.row() + 1, forma_.primera));
    else
        Sal(true);
}

QString RejillaDatos::Titulo(const QModelIndex& indice) const
{
    if (!forma_.fila || !model())
        return QStringLiteral("Error");
    const QString columna = model()->headerData(indice.column(), Qt::Horizontal).toString();
    return Texto(v_, 1631).arg(columna, forma_.fila(indice.row()));
}

void RejillaDatos::Pega(const QString& texto)
{
    const std::vector<QStringList> bloque = PartePegado(texto, v_.SepDecimal);
    if (!model() || bloque.empty())
        return;
    const QModelIndex actual = currentIndex();
    const int columnas = static_cast<int>(forma_.columnas.size());
    const int fila0 = actual.isValid() ? actual.row() : 0;
    const int columna0 = actual.isValid() ? std::clamp(actual.column() - forma_.primera, 0, columnas - 1) : 0;
    const int filas = model()->rowCount() - fila0, huecos = columnas - columna0;
    int anchura = 0;
    for (const QStringList& f : bloque)
        anchura = std::max(anchura, static_cast<int>(f.size()));
    if (static_cast<int>(bloque.size()) > filas || anchura > huecos) {
        Mensaje(Icono::Informacion, QStringLiteral("Error"),
                Texto(v_, 1760).arg(bloque.size()).arg(anchura).arg(filas).arg(huecos));
        return;
    }
    for (int f = 0; f < static_cast<int>(bloque.size()); ++f)
        for (int c = 0; c < static_cast<int>(bloque[static_cast<std::size_t>(f)].size()); ++c) {
            const QString& celda = bloque[static_cast<std::size_t>(f)][c];
            // A blank cell of the block leaves the cell as it is.
            if (celda.isEmpty())
                continue;
            const QModelIndex i = model()->index(fila0 + f, forma_.primera + columna0 + c);
            const Chequeo ch = forma_.comprueba(columna0 + c, celda);
            if (ch.mensaje != 0) {
                setCurrentIndex(i);
                Mensaje(Icono::Informacion, Titulo(i), Texto(v_, ch.mensaje));
                return;
            }
            forma_.guarda(i, ch.valor);
        }
    viewport()->update();
}

void RejillaDatos::keyPressEvent(QKeyEvent* evento)
{
    if (evento->matches(QKeySequence::Paste)) {
        Pega(QGuiApplication::clipboard()->text());
        evento->accept();
        return;
    }
    if (evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter) {
        // From the last cell the window's key preview moves on.
        if (!UltimaCelda())
            Siguiente();
        evento->accept();
        return;
    }
    // Keys the editor leaves to the grid and that move to another cell check
    // the edit first; others (Shift, Ctrl) do not.
    static const std::array<int, 8> mueven{Qt::Key_Up,   Qt::Key_Down,  Qt::Key_PageUp, Qt::Key_PageDown,
                                           Qt::Key_Left, Qt::Key_Right, Qt::Key_Home,   Qt::Key_End};
    const bool mueve = std::find(mueven.begin(), mueven.end(), evento->key()) != mueven.end();
    if (mueve && Editando() && !delegado_->PuedeDejarCelda())
        return;
    QTableView::keyPressEvent(evento);
}

void RejillaDatos::mousePressEvent(QMouseEvent* evento)
{
    if (!delegado_->PuedeDejarCelda())
        return;
    QTableView::mousePressEvent(evento);
}

void RejillaDatos::currentChanged(const QModelIndex& actual, const QModelIndex& anterior)
{
    QTableView::currentChanged(actual, anterior);
    Formatos();
}

void RejillaDatos::CambioFoco(QWidget* ahora)
{
    const bool dentro = ahora && (ahora == this || isAncestorOf(ahora));
    if (dentro && !Enfocada()) {
        enfocada_ = true;
        setToolTip(QString());
        if (model() && model()->rowCount() > 0 && !currentIndex().isValid())
            setCurrentIndex(model()->index(0, forma_.primera));
        if (currentIndex().isValid())
            selectionModel()->select(currentIndex(), QItemSelectionModel::ClearAndSelect);
        Formatos();
    } else if (!dentro && Enfocada()) {
        // Only a move to another control of this window leaves the grid; a
        // message box, another window or another program does not.
        if (!ahora || Formulario(ahora) != Formulario(this) || delegado_->Volviendo())
            return;
        enfocada_ = false;
        clearSelection();
        if (forma_.vuelveArriba && model() && model()->rowCount() > 0) {
            const int columna = currentIndex().isValid() ? currentIndex().column() : forma_.primera;
            selectionModel()->setCurrentIndex(model()->index(0, columna), QItemSelectionModel::NoUpdate);
        }
        Formatos();
    }
}

void RejillaDatos::Formatos()
{
    // The column of the current cell shows its values in full while the grid
    // has the focus.
    const QModelIndex i = currentIndex();
    const int c = i.isValid() ? i.column() - forma_.primera : -1;
    const bool completa =
        Enfocada() && c >= 0 && i.column() <= Ultima() && forma_.columnas[static_cast<std::size_t>(c)].completa;
    delegado_->FijaCompleta(completa ? i.column() : -1);
    viewport()->update();
}
