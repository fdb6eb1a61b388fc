#include "site/frmResEscorrentia.h"

#include "common/Catalogo.h"
#include "common/Navegacion.h"
#include "common/NombresVentanas.h"
#include "common/Variables.h"
#include "model/Relaciones.h"
#include "widgets/AyudaCelda.h"
#include "widgets/CampoNumerico.h"
#include "widgets/Colocacion.h"
#include "widgets/Controles.h"
#include "widgets/Exportacion.h"
#include "widgets/RejillaFija.h"
#include "widgets/Vigencia.h"

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableWidget>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

const QString Entrada = ventana::Escorrentia;

QString Lineas(const Variables& v, std::initializer_list<int> textos)
{
    QStringList l;
    for (int n : textos)
        l << Texto(v, n);
    return l.join(QStringLiteral("\r\n"));
}

// A legend box: read-only, never selected, as tall as its text at `ancho`.
QTextEdit* Leyenda(QWidget* padre, const char* nombre)
{
    auto* e = new QTextEdit(padre);
    e->setObjectName(QString::fromUtf8(nombre));
    e->setReadOnly(true);
    e->setTextInteractionFlags(Qt::NoTextInteraction);
    // A click hands the focus on to the grid; Tab passes the legend by.
    e->setFocusPolicy(Qt::ClickFocus);
    e->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    e->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return e;
}

void AjustaLeyenda(QTextEdit* e, int ancho)
{
    const int marco = 2 * e->frameWidth();
    e->document()->setTextWidth(ancho - marco);
    e->setFixedSize(ancho, static_cast<int>(e->document()->size().height()) + marco);
}

// A curve number (even columns) or a threshold (odd columns) of rows 1..4,
// columns 2..7; the condition is the column divided by 2.
double Valor(const Variables& v, int fila, int columna)
{
    const PorCondicion* numeros[] = {&v.NAC, &v.NI, &v.NR, &v.NUS};
    const PorCondicion* umbrales[] = {&v.P0AC, &v.P0I, &v.P0R, &v.P0US};
    const auto f = static_cast<std::size_t>(fila - 1);
    return (columna % 2 == 0 ? *numeros[f] : *umbrales[f])(columna / 2);
}

} // namespace

frmResEscorrentia::frmResEscorrentia(Variables& v, Navegacion& nav, QWidget* parent)
    : QWidget(parent), v_(v), nav_(nav), marcoRelacion_(Grupo(this, QStringLiteral("Frame1"))),
      marcoResultados_(Grupo(this, QStringLiteral("Frame2"))), leyendaRelacion_(Leyenda(marcoRelacion_, "Text1")),
      txtLeyenda_(Leyenda(marcoResultados_, "txtLeyenda")), tblRelacion_(new QTableWidget(marcoRelacion_)),
      tblEscorrentia_(new QTableWidget(marcoResultados_)),
      lblConsejo_(Etiqueta(marcoRelacion_, QStringLiteral("lblConsejo"))),
      cmdAnterior_(Boton(this, QStringLiteral("cmdAnterior"))),
      cmdContinuar_(Boton(this, QStringLiteral("cmdContinuar")))
{
    setObjectName(ventana::ResEscorrentia);
    tblRelacion_->setObjectName(QStringLiteral("tblRelación"));
    tblEscorrentia_->setObjectName(QStringLiteral("tblEscorrentia"));

    HazRejillaFija(tblEscorrentia_, 5, 8);
    HazRejillaFija(tblRelacion_, 4, 2, 0, 0);
    HazCopiable(tblEscorrentia_, v_);
    HazCopiable(tblRelacion_, v_);
    // Tab moves between the controls; the arrow keys move between cells.
    tblEscorrentia_->setTabKeyNavigation(false);
    tblRelacion_->setTabKeyNavigation(false);
    QFont negrita = lblConsejo_->font();
    negrita.setBold(true);
    lblConsejo_->setFont(negrita);
    lblConsejo_->setAlignment(Qt::AlignCenter);

    auto* caja2 = new QVBoxLayout(marcoResultados_);
    caja2->addWidget(tblEscorrentia_);
    caja2->addWidget(txtLeyenda_);
    auto* caja1 = new QVBoxLayout(marcoRelacion_);
    caja1->addWidget(leyendaRelacion_);
    caja1->addWidget(tblRelacion_);
    caja1->addWidget(lblConsejo_);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(cmdAnterior_);
    botones->addWidget(cmdContinuar_);
    auto* caja = new QVBoxLayout(this);
    caja->addWidget(marcoResultados_);
    caja->addWidget(marcoRelacion_);
    vigencia_ = new Vigencia(this, v_, DatosDe::Sitio, {tblEscorrentia_, tblRelacion_, lblConsejo_}, 1071, 1057);
    caja->addWidget(vigencia_->Aviso());
    caja->addLayout(botones);
    caja->setSizeConstraint(QLayout::SetMinimumSize);
    setTabOrder(tblEscorrentia_, tblRelacion_);
    setTabOrder(tblRelacion_, cmdAnterior_);
    setTabOrder(cmdAnterior_, cmdContinuar_);

    // The legends hand the focus to their grids: they are never edited.
    leyendaRelacion_->installEventFilter(this);
    txtLeyenda_->installEventFilter(this);
    SigueAyuda(tblEscorrentia_, [this](int fila, int columna) { return TooltipResultados(fila, columna); });
    tblEscorrentia_->setMouseTracking(true);

    connect(cmdAnterior_, &QPushButton::clicked, this, &frmResEscorrentia::cmdAnterior_Click);
    connect(cmdContinuar_, &QPushButton::clicked, this, &frmResEscorrentia::cmdContinuar_Click);

    Rellena();
    HazCopiablesResultados(this, v_);
    adjustSize();
}

void frmResEscorrentia::showEvent(QShowEvent* evento)
{
    QWidget::showEvent(evento);
    if (enlazada_)
        return;
    enlazada_ = true;
    // Inside the main window's area activation comes from the area.
    if (auto* marco = qobject_cast<QMdiSubWindow*>(parentWidget()); marco && marco->mdiArea()) {
        connect(marco->mdiArea(), &QMdiArea::subWindowActivated, this, [this, marco](QMdiSubWindow* activa) {
            if (activa == marco)
                Rellena();
        });
    }
    Coloca();
}

void frmResEscorrentia::changeEvent(QEvent* evento)
{
    QWidget::changeEvent(evento);
    if (evento->type() == QEvent::ActivationChange && isWindow() && isActiveWindow())
        Rellena();
}

bool frmResEscorrentia::eventFilter(QObject* objeto, QEvent* evento)
{
    if (evento->type() == QEvent::FocusIn) {
        if (objeto == leyendaRelacion_)
            tblRelacion_->setFocus();
        else if (objeto == txtLeyenda_)
            tblEscorrentia_->setFocus();
    }
    return QWidget::eventFilter(objeto, evento);
}

// Beside the entry window: left edge at its width, top at its top; where
// there is no room, over it from the right, in view.
void frmResEscorrentia::Coloca()
{
    QWidget* entrada = nav_.Ventana(Entrada);
    if (!entrada || entrada == this)
        return;
    QWidget* suya = Exterior(entrada);
    Exterior(this)->move(suya->isWindow() ? suya->x() + suya->frameGeometry().width() : suya->width(), suya->y());
    TraeAVista(this);
}

void frmResEscorrentia::Rellena()
{
    Coloca();
    setWindowTitle(Texto(v_, 1142));
    marcoRelacion_->setTitle(Texto(v_, 1143));
    lblConsejo_->setAccessibleName(marcoRelacion_->title());
    marcoResultados_->setTitle(Texto(v_, 1148));
    cmdAnterior_->setText(Texto(v_, 1156));
    cmdContinuar_->setText(Texto(v_, 1157));
    leyendaRelacion_->setPlainText(Lineas(v_, {1144, 1145, 1146, 1147}));
    txtLeyenda_->setPlainText(Lineas(v_, {1153, 1154, 1155}));
    Resultados();
    Relacion();
    vigencia_->Anota();
    AjustaLeyenda(txtLeyenda_, tblEscorrentia_->width());
    AjustaLeyenda(leyendaRelacion_, tblRelacion_->width());
}

void frmResEscorrentia::Resultados()
{
    QTableWidget* t = tblEscorrentia_;
    FijaFormato(t, QStringLiteral("| S (m²) | N1 | P0(1) (mm) | N2 | P0(2) (mm) | N3 | P0(3) (mm); | ") +
                       Texto(v_, 1149) + QStringLiteral(" | ") + Texto(v_, 1150) + QStringLiteral(" | ") +
                       Texto(v_, 1151) + QStringLiteral(" | ") + Texto(v_, 1152));
    AnchoColumna(t, 1, 800);
    for (int c = 2; c <= 7; ++c)
        AnchoColumna(t, c, c % 2 == 0 ? 560 : 1000);
    for (int c = 1; c <= 7; ++c)
        AlineaColumna(t, c, Qt::AlignCenter);

    FijaTexto(t, 1, 1, QStringLiteral("----"));
    FijaTexto(t, 2, 1, FormatoLocal(v_, v_.SI, 3));
    FijaTexto(t, 3, 1, FormatoLocal(v_, v_.SR, 3));
    FijaTexto(t, 4, 1, FormatoLocal(v_, v_.SI + v_.SR, 3));
    for (int f = 1; f <= 4; ++f)
        for (int c = 2; c <= 7; ++c)
            FijaTexto(t, f, c, FormatoLocal(v_, Valor(v_, f, c), 1));
    AjustaAContenido(t);
}

void frmResEscorrentia::Relacion()
{
    QTableWidget* t = tblRelacion_;
    AnchoColumna(t, 0, 1000);
    AnchoColumna(t, 1, 6150);
    AlineaColumna(t, 0, Qt::AlignCenter);
    const auto filas = Relaciones(v_);
    for (int f = 0; f < 4; ++f) {
        const FilaRelacion& r = filas[static_cast<std::size_t>(f)];
        FijaTexto(t, f, 0, QString::fromLatin1(r.relacion.data(), static_cast<qsizetype>(r.relacion.size())));
        FijaTexto(t, f, 1, Texto(v_, r.texto));
    }
    AjustaAContenido(t);
    lblConsejo_->setText(Texto(v_, Veredicto(v_)));
}

// The grid's tooltip follows the pointer: two more decimals than the cell.
std::optional<QString> frmResEscorrentia::TooltipResultados(int fila, int columna) const
{
    if (fila < 0 || columna < 1)
        return std::nullopt; // the row titles keep the tooltip as it was
    if (fila == 0 || (columna == 1 && fila == 1))
        return QString();
    if (columna == 1) {
        const double sup[] = {0.0, v_.SI, v_.SR, v_.SI + v_.SR};
        return FormatoLocal(v_, sup[static_cast<std::size_t>(fila - 1)], 4);
    }
    return FormatoLocal(v_, Valor(v_, fila, columna), 2);
}

void frmResEscorrentia::cmdAnterior_Click()
{
    nav_.Muestra(Entrada);
    nav_.Descarga(objectName());
}

void frmResEscorrentia::cmdContinuar_Click()
{
    nav_.Muestra(ventana::Eleccion);
}
