#include "storms/frmSerie.h"

#include "common/Catalogo.h"
#include "common/Mensajes.h"
#include "common/Navegacion.h"
#include "common/NombresVentanas.h"
#include "common/Variables.h"
#include "model/Resultados.h"
#include "storms/Escenario.h"
#include "storms/frmGraficoSerie.h"
#include "widgets/CampoNumerico.h"
#include "widgets/Colocacion.h"
#include "widgets/Controles.h"
#include "widgets/Exportacion.h"
#include "widgets/RejillaDatos.h"
#include "widgets/Vigencia.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

// The storm bar. A refused page stops the arrow's auto-repeat: the message
// box takes the button's release, and the bar would go on paging into one
// refusal after another.
class BarraAguaceros : public QScrollBar {
  public:
    using QScrollBar::QScrollBar;
    void Suelta()
    {
        setRepeatAction(SliderNoAction);
        setSliderDown(false);
    }
};

namespace {

std::size_t Indice(int aguacero)
{
    return static_cast<std::size_t>(aguacero - 1);
}

} // namespace

frmSerie::frmSerie(Variables& v, Navegacion& nav, int maxAguaceros, QWidget* parent)
    : QWidget(parent), v_(v), nav_(nav), maxAguaceros_(maxAguaceros)
{
    setObjectName(ventana::Serie);
    QLayout* datos = ConstruyeDatos();
    QLayout* botones = ConstruyeBotones();
    marcoResultados_ = MarcoResultados(this, 12, rotuloResultado_.data(), txtResultado_.data());

    auto* caja = new QVBoxLayout(this);
    caja->addLayout(datos);
    caja->addLayout(botones);
    caja->addWidget(marcoResultados_);
    vigencia_ = new Vigencia(this, v_, DatosDe::Serie, {marcoResultados_}, 1196, 1191);
    caja->addWidget(vigencia_->Aviso());

    PrevisualizaTeclas(this, v_);
    setTabOrder(e_.txtPrecip, e_.lstHumedad);
    setTabOrder(e_.lstHumedad, cmdAnadir_);
    setTabOrder(cmdAnadir_, cmdCalcular_);
    setTabOrder(cmdCalcular_, cmdResumen_);
    setTabOrder(cmdResumen_, cmdGrafico_);
    setTabOrder(cmdGrafico_, cmdSigue_);
    setTabOrder(cmdSigue_, btnAguacero_);

    CargaSerie();
    FijaTextos();

    setMinimumWidth(600);
    resize(600, heightForWidth(600) > 0 ? heightForWidth(600) : sizeHint().height());
    CentraAlMostrar(this);

    HazCopiablesResultados(this, v_);
    e_.txtPrecip->installEventFilter(this);
    connect(cmdAnadir_, &QPushButton::clicked, this, &frmSerie::cmdAnadir_Click);
    connect(btnAguacero_, &QScrollBar::valueChanged, this, &frmSerie::btnAguacero_Change);
    connect(cmdCalcular_, &QPushButton::clicked, this, &frmSerie::cmdCalcular_Click);
    connect(cmdResumen_, &QPushButton::clicked, this, &frmSerie::cmdResumen_Click);
    connect(cmdSigue_, &QPushButton::clicked, this, &frmSerie::cmdSigue_Click);
    connect(cmdGrafico_, &QPushButton::clicked, this, &frmSerie::cmdGrafico_Click);
    connect(v_.Aviso.get(), &AvisoDocumento::Llenado, this, &frmSerie::Carga);
}

// The storm shown, its number and the bar that pages through the list.
QLayout* frmSerie::ConstruyeDatos()
{
    rotuloNumAguacero_ = Rotulo(this, QStringLiteral("Label4"));
    lblNumAguacero_ = new QLabel(this);
    lblNumAguacero_->setObjectName(QStringLiteral("lblNumAguacero"));
    lblNumAguacero_->setMinimumWidth(60);
    QFont grueso = lblNumAguacero_->font();
    grueso.setBold(true);
    lblNumAguacero_->setFont(grueso);
    btnAguacero_ = new BarraAguaceros(Qt::Vertical, this);
    btnAguacero_->setObjectName(QStringLiteral("btnAguacero"));
    // Clicking or wheeling it takes the focus, so a depth being typed is
    // accepted before the page changes; the arrow keys page too.
    btnAguacero_->setFocusPolicy(Qt::WheelFocus);
    btnAguacero_->setPageStep(1);
    btnAguacero_->setMinimumHeight(60);

    auto* datos = new QGridLayout;
    datos->addWidget(rotuloNumAguacero_, 0, 0);
    datos->addWidget(lblNumAguacero_, 0, 1);
    datos->addWidget(btnAguacero_, 0, 2, 3, 1);
    e_ = HazEntradaTormenta(this, datos, 1, v_, [this] { txtPrecip_GotFocus(); });
    datos->setColumnStretch(0, 1);
    return datos;
}

QLayout* frmSerie::ConstruyeBotones()
{
    cmdAnadir_ = Boton(this, QStringLiteral("cmdAñadir"));
    cmdCalcular_ = Boton(this, QStringLiteral("cmdCalcular"));
    cmdResumen_ = Boton(this, QStringLiteral("cmdResumen"));
    cmdSigue_ = Boton(this, QStringLiteral("cmdSigue"));
    cmdGrafico_ = Boton(this, QStringLiteral("cmdGrafico"));
    auto* botones = new QHBoxLayout;
    for (QPushButton* b : {cmdAnadir_, cmdCalcular_, cmdResumen_, cmdGrafico_, cmdSigue_})
        botones->addWidget(b);
    return botones;
}

void frmSerie::CargaSerie()
{
    // A slot left blank at the end is no storm.
    std::vector<Aguacero>& serie = v_.Documento.serie;
    while (!serie.empty() && serie.back().cond == 0)
        serie.pop_back();
    if (static_cast<int>(serie.size()) > maxAguaceros_)
        serie.resize(static_cast<std::size_t>(maxAguaceros_));
    AguaceroActual_ = 0;
    NumAguaceros_ = static_cast<int>(serie.size());
    if (NumAguaceros_ == 0) {
        cmdAnadir_Click();
    } else {
        {
            const QSignalBlocker quieto(btnAguacero_);
            btnAguacero_->setRange(1, NumAguaceros_);
        }
        MuestraAguacero(1);
    }
}

void frmSerie::FijaTextos()
{
    setWindowTitle(Texto(v_, 1191));
    rotuloNumAguacero_->setText(Texto(v_, 1192));
    e_.rotuloPrecip->setText(Texto(v_, 1193));
    e_.rotuloHumedad->setText(Texto(v_, 1194));
    cmdAnadir_->setText(Texto(v_, 1195));
    cmdCalcular_->setText(Texto(v_, 1196));
    cmdResumen_->setText(Texto(v_, 1197));
    cmdSigue_->setText(Texto(v_, 1198));
    cmdGrafico_->setText(Texto(v_, 1710));
    marcoResultados_->setTitle(Texto(v_, 1199));
    for (std::size_t i = 0; i < rotuloResultado_.size(); ++i)
        rotuloResultado_[i]->setText(Texto(v_, FilasSerie[i].texto));
}

bool frmSerie::eventFilter(QObject* objeto, QEvent* evento)
{
    if (objeto == e_.txtPrecip && evento->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(evento)->matches(QKeySequence::Paste)) {
        const QString texto = QGuiApplication::clipboard()->text();
        const std::vector<QStringList> bloque = PartePegado(texto, v_.SepDecimal);
        // One number is pasted into the box as typed.
        if (bloque.size() > 1 || (bloque.size() == 1 && bloque.front().size() > 1)) {
            PegaAguaceros(texto);
            return true;
        }
    }
    return QWidget::eventFilter(objeto, evento);
}

void frmSerie::PegaAguaceros(const QString& texto)
{
    std::vector<Aguacero> nuevos;
    const std::vector<QStringList> bloque = PartePegado(texto, v_.SepDecimal);
    for (std::size_t i = 0; i < bloque.size(); ++i) {
        const QStringList& fila = bloque[i];
        const int linea = static_cast<int>(i) + 1;
        const std::optional<double> P = NumeroLocal(v_, fila.front());
        const std::optional<FueraDeRango> f = P ? CompruebaAguacero(*P, Tormenta::Serie) : std::nullopt;
        if (!P || f) {
            const QString motivo = P ? Texto(v_, f->mensaje) : NoNumerico(v_, e_.rotuloPrecip, fila.front());
            Mensaje(Icono::Ninguno, TituloPrograma(), Texto(v_, 1761).arg(linea).arg(motivo));
            return;
        }
        const std::optional<double> c = fila.size() == 2 ? NumeroLocal(v_, fila[1]) : std::nullopt;
        if (UnoATres(c) == 0) {
            Mensaje(Icono::Ninguno, TituloPrograma(), Texto(v_, 1762).arg(linea));
            return;
        }
        nuevos.push_back(Aguacero{*P, static_cast<int>(*c)});
    }
    Inserta(nuevos);
}

bool frmSerie::Inserta(const std::vector<Aguacero>& nuevos)
{
    const bool blanco =
        Tag(e_.txtPrecip).isEmpty() && e_.txtPrecip->text().trimmed().isEmpty() && e_.lstHumedad->currentIndex() < 0;
    if (!blanco && !ValidaSerie())
        return false;
    const int desde = blanco ? AguaceroActual_ - 1 : AguaceroActual_;
    const std::size_t total = static_cast<std::size_t>(NumAguaceros_ - (blanco ? 1 : 0)) + nuevos.size();
    if (total > static_cast<std::size_t>(maxAguaceros_)) {
        Mensaje(Icono::Ninguno, TituloPrograma(), Texto(v_, 1601));
        return false;
    }
    if (nuevos.empty())
        return true;
    std::vector<Aguacero>& serie = v_.Documento.serie;
    if (blanco)
        serie.erase(serie.begin() + desde);
    serie.insert(serie.begin() + desde, nuevos.begin(), nuevos.end());
    v_.Aviso->Anota();
    NumAguaceros_ = static_cast<int>(total);
    MuestraAguacero(desde + static_cast<int>(nuevos.size()));
    return true;
}

void frmSerie::Carga()
{
    if (v_.Documento.serie.empty())
        return;
    NumAguaceros_ = static_cast<int>(v_.Documento.serie.size());
    MuestraAguacero(1);
    // Storms that came in whole are computed at once.
    cmdCalcular_Click();
}

void frmSerie::txtPrecip_GotFocus()
{
    if (NuevoAguacero_) {
        NuevoAguacero_ = false;
        e_.txtPrecip->clear();
        FijaTag(e_.txtPrecip, QString());
    }
}

void frmSerie::cmdAnadir_Click()
{
    if (NumAguaceros_ > 0) {
        if (!ValidaSerie())
            return;
        Recalcula();
        if (NumAguaceros_ >= maxAguaceros_) {
            Mensaje(Icono::Ninguno, TituloPrograma(), Texto(v_, 1601));
            return;
        }
    }
    ++NumAguaceros_;
    v_.Documento.serie.resize(static_cast<std::size_t>(NumAguaceros_));
    AguaceroActual_ = NumAguaceros_;

    lblNumAguacero_->setText(QString::number(AguaceroActual_));
    // The new storm starts blank wherever the focus is.
    e_.txtPrecip->clear();
    FijaTag(e_.txtPrecip, QString());
    e_.lstHumedad->setCurrentIndex(-1);
    {
        // Moving the bar to the new storm is no paging: nothing to validate.
        const QSignalBlocker quieto(btnAguacero_);
        btnAguacero_->setRange(1, NumAguaceros_);
        btnAguacero_->setValue(AguaceroActual_);
    }
    NuevoAguacero_ = true;
    e_.txtPrecip->setFocus();
}

void frmSerie::btnAguacero_Change(int valor)
{
    if (valor == AguaceroActual_)
        return;
    // A page asked for while a refusal is on screen is dropped.
    bool valida = !paginando_;
    if (valida) {
        paginando_ = true;
        valida = ValidaSerie();
        paginando_ = false;
    }
    if (!valida) {
        // The bar stays on the storm still shown.
        btnAguacero_->Suelta();
        const QSignalBlocker quieto(btnAguacero_);
        btnAguacero_->setValue(AguaceroActual_);
        return;
    }
    MuestraAguacero(valor);
}

void frmSerie::MuestraAguacero(int aguacero)
{
    AguaceroActual_ = aguacero;
    lblNumAguacero_->setText(QString::number(AguaceroActual_));
    {
        const QSignalBlocker quieto(btnAguacero_);
        btnAguacero_->setRange(1, NumAguaceros_);
        btnAguacero_->setValue(aguacero);
    }
    const Aguacero a = v_.Documento.serie[Indice(AguaceroActual_)];
    NuevoAguacero_ = false;
    FijaTag(e_.txtPrecip, ExactoLocal(v_, a.P));
    e_.txtPrecip->setText(FormatoLocal(v_, a.P, 1));
    e_.lstHumedad->setCurrentIndex(a.cond - 1);
    Recalcula();
}

void frmSerie::cmdCalcular_Click()
{
    if (ValidaSerie())
        Recalcula();
}

// Validated once: a second check of the same storm could only repeat its
// message.
void frmSerie::cmdResumen_Click()
{
    if (!ValidaSerie())
        return;
    Recalcula();
    // The series' summary, also when the series was reached without the
    // scenario choice (an import, a site file).
    v_.EsSerie = true;
    v_.ResumenSerie = ResumenDeSerie(t_, NumAguaceros_);
    nav_.Muestra(ventana::Resumen);
}

void frmSerie::cmdSigue_Click()
{
    // Going back discards the list: storms stored, and a depth shown but not
    // yet stored, are not thrown away without asking.
    int tormentas = 0;
    for (int k = 1; k <= NumAguaceros_; ++k)
        if (v_.Documento.serie[Indice(k)].P != 0 || (k == AguaceroActual_ && !e_.txtPrecip->text().trimmed().isEmpty()))
            ++tormentas;
    if (tormentas > 0 && !Pregunta(TituloPrograma(), tormentas == 1 ? Texto(v_, 1612) : Texto(v_, 1611).arg(tormentas),
                                   Texto(v_, 1613), Texto(v_, 1614)))
        return;
    v_.Documento.serie.clear();
    v_.Aviso->Anota();
    nav_.Muestra(ventana::Eleccion);
    nav_.Descarga(objectName());
}

void frmSerie::cmdGrafico_Click()
{
    if (!ValidaSerie())
        return;
    Recalcula();
    nav_.Muestra(ventana::GraficoSerie);
}

bool frmSerie::ValidaSerie()
{
    const std::optional<TormentaLeida> t = LeeTormenta(v_, e_, Tormenta::Serie);
    if (!t)
        return false;
    v_.Documento.serie[Indice(AguaceroActual_)] = Aguacero{t->P, t->c};
    v_.Aviso->Anota();
    return true;
}

void frmSerie::Recalcula()
{
    t_ = RecalculaSerie(v_, v_, v_.Documento.serie, v_.DetalleSerie);
    AnotaCalculo(v_, DatosDe::Serie);

    const std::array<double, 12> valores = ValoresSerie(t_, NumAguaceros_, v_.SR);
    for (std::size_t i = 0; i < valores.size(); ++i) {
        // A count shows no decimals, even in its tooltip.
        const int decimales = FilasSerie[i].decimales;
        MuestraValor(txtResultado_[i], v_, valores[i], decimales, decimales == 0 ? 0 : 2);
    }
    vigencia_->Anota();
    RefrescaGraficoSerie(nav_);
}
