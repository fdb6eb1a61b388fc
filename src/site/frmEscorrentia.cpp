#include "site/frmEscorrentia.h"

#include "common/Catalogo.h"
#include "common/ClienteZevode.h"
#include "common/Directorios.h"
#include "common/Mensajes.h"
#include "common/Navegacion.h"
#include "common/NombresVentanas.h"
#include "common/Variables.h"
#include "model/Documento.h"
#include "model/ModeloCN.h"
#include "model/Numero.h"
#include "model/Rangos.h"
#include "site/RejillaZonas.h"
#include "site/frmCapacidad.h"
#include "widgets/CampoNumerico.h"
#include "widgets/Controles.h"
#include "widgets/Vigencia.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QString Indexado(const char* nombre, int i)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(nombre)).arg(i);
}

QPushButton* BotonAyuda(QWidget* padre, const QString& nombre)
{
    QPushButton* b = Boton(padre, nombre);
    b->setText(QStringLiteral("?"));
    b->setFixedWidth(b->fontMetrics().horizontalAdvance(QStringLiteral("?")) + 20);
    return b;
}

// The zones' sum beside the contributing area, with the fewest decimals from
// the fields' three on that tell them apart.
QString SumaYArea(const Variables& v)
{
    for (int d = 3; d <= 9; ++d) {
        const QString suma = FormatoLocal(v, v.SumaSupZonas, d), area = FormatoLocal(v, v.SI, d);
        if (suma != area)
            return Texto(v, 1610).arg(suma, area);
    }
    return Texto(v, 1610).arg(ExactoLocal(v, v.SumaSupZonas, true), ExactoLocal(v, v.SI, true));
}

// The label of each field: the fields and labels run in different orders.
constexpr std::array<std::size_t, 6> EtiquetaDe{0, 1, 2, 4, 5, 3};

} // namespace

frmEscorrentia::frmEscorrentia(Variables& v, Navegacion& nav, QWidget* parent) : QWidget(parent), v_(v), nav_(nav)
{
    setObjectName(ventana::Escorrentia);
    // Load: the separator first, as every field reads and shows numbers with it.
    v_.SepDecimal = BuscaSepDecimal();
    Construye();
    if (!mrcComplejo_->Disponible()) {
        // Without the file only a simple contributing area can be described.
        mrcComplejo_->AvisaBaseDatos();
        opcComplejo_[1]->setEnabled(false);
    }
    mrcComplejo_->Reconstruye();
    FijaTextos();
    resize(sizeHint().expandedTo(QSize(760, 600)));
}

frmEscorrentia::~frmEscorrentia()
{
    // The link and the grid first: neither may call back into a window
    // already half destroyed.
    delete enlace_;
    delete mrcComplejo_;
}

void frmEscorrentia::Construye()
{
    ConstruyeDatos();
    ConstruyeArea();
    QLayout* botones = ConstruyeBotones();
    auto* caja = new QVBoxLayout(this);
    caja->addWidget(mrcDatos_);
    caja->addWidget(mrcArea_);
    caja->addStretch();
    caja->addLayout(botones);
    FijaOrdenTab();
    ConectaSenales();
}

// The unit's fields, each with its label and the button beside it.
void frmEscorrentia::ConstruyeDatos()
{
    mrcDatos_ = new QGroupBox(this);
    mrcDatos_->setObjectName(QStringLiteral("mrcDatos"));
    auto* datos = new QGridLayout(mrcDatos_);
    datos->setColumnStretch(0, 1);
    // Field i, its label and the button beside it, in display order.
    const std::array<int, 5> etiqueta{0, 1, 2, 4, 5};
    for (int i = 0; i < 6; ++i) {
        txtDatos_[i] = new QLineEdit(this);
        txtDatos_[i]->setObjectName(Indexado("txtDatos", i));
        txtDatos_[i]->setFixedWidth(110);
        txtDatos_[i]->setAlignment(Qt::AlignRight);
        HazCampoNumerico(txtDatos_[i], v_, VarianteCampo::A, DecimalesDatos[static_cast<std::size_t>(i)]);
        FijaTag(txtDatos_[i], QString());
    }
    for (int e = 0; e < 6; ++e) {
        lblEtiqueta_[e] = new QLabel(this);
        lblEtiqueta_[e]->setObjectName(Indexado("lblEtiqueta", e));
        lblEtiqueta_[e]->setWordWrap(true);
    }
    cmdZevOde_ = Boton(this, QStringLiteral("cmdZevOde"));
    cmdArea_ = {BotonAyuda(this, Indexado("cmdArea", 0)), BotonAyuda(this, Indexado("cmdArea", 1))};
    cmdLabor_ = {BotonAyuda(this, Indexado("cmdLabor", 0)), BotonAyuda(this, Indexado("cmdLabor", 1))};
    cmdAyudaCapa_ = BotonAyuda(this, QStringLiteral("cmdAyudaCapa"));
    const std::array<QWidget*, 5> lado{cmdZevOde_, cmdArea_[0], cmdArea_[1], cmdLabor_[0], cmdAyudaCapa_};
    for (int i = 0; i < 5; ++i) {
        lblEtiqueta_[etiqueta[i]]->setBuddy(txtDatos_[i]);
        datos->addWidget(lblEtiqueta_[etiqueta[i]], i, 0);
        datos->addWidget(txtDatos_[i], i, 1);
        datos->addWidget(lado[i], i, 2, Qt::AlignLeft);
    }
}

// The contributing area, simple (one curve number) or composite (zones).
void frmEscorrentia::ConstruyeArea()
{
    mrcArea_ = new QGroupBox(this);
    mrcArea_->setObjectName(QStringLiteral("mrcArea"));
    auto* area = new QVBoxLayout(mrcArea_);
    auto* opciones = new QHBoxLayout;
    for (int i = 0; i < 2; ++i) {
        opcComplejo_[i] = new QRadioButton(mrcArea_);
        opcComplejo_[i]->setObjectName(Indexado("opcComplejo", i));
        opciones->addWidget(opcComplejo_[i]);
        connect(opcComplejo_[i], &QRadioButton::clicked, this, &frmEscorrentia::opcComplejo_Click);
    }
    opciones->addStretch();
    opcComplejo_[0]->setChecked(true);
    mrcSimple_ = new QWidget(mrcArea_);
    mrcSimple_->setObjectName(QStringLiteral("mrcSimple"));
    auto* simple = new QHBoxLayout(mrcSimple_);
    simple->setContentsMargins(0, 0, 0, 0);
    lblEtiqueta_[3]->setBuddy(txtDatos_[5]);
    simple->addWidget(lblEtiqueta_[3], 1);
    simple->addWidget(txtDatos_[5]);
    simple->addWidget(cmdLabor_[1]);
    mrcComplejo_ = new RejillaZonas(v_, mrcArea_);
    mrcComplejo_->hide();
    area->addLayout(opciones);
    area->addWidget(mrcSimple_);
    area->addWidget(mrcComplejo_);
}

QLayout* frmEscorrentia::ConstruyeBotones()
{
    cmdMetodos_ = Boton(this, QStringLiteral("cmdMetodos"));
    cmdAceptar_ = Boton(this, QStringLiteral("cmdAceptar"));
    auto* botones = new QHBoxLayout;
    botones->addWidget(cmdMetodos_);
    botones->addStretch();
    botones->addWidget(cmdAceptar_);
    return botones;
}

void frmEscorrentia::FijaOrdenTab()
{
    // Enter walks through the data; the buttons beside the fields come after.
    QTableView* tblZonas = mrcComplejo_->Rejilla();
    const QList<QWidget*> orden{txtDatos_[0],    txtDatos_[1],  txtDatos_[2],
                                txtDatos_[3],    txtDatos_[4],  opcComplejo_[0],
                                opcComplejo_[1], txtDatos_[5],  mrcComplejo_->ListaZonas(),
                                tblZonas,        cmdAceptar_,   cmdMetodos_,
                                cmdZevOde_,      cmdArea_[0],   cmdArea_[1],
                                cmdLabor_[0],    cmdAyudaCapa_, cmdLabor_[1]};
    for (qsizetype i = 1; i < orden.size(); ++i)
        setTabOrder(orden[i - 1], orden[i]);
}

// The help windows of the fields and buttons, the buttons, and the link with
// the tables program.
void frmEscorrentia::ConectaSenales()
{
    QTableView* tblZonas = mrcComplejo_->Rejilla();
    const QString ayudaArea = ventana::AyudaArea, esquema = ventana::Esquema, capa = ventana::AyudaCapa;
    for (QWidget* w : {static_cast<QWidget*>(cmdArea_[0]), static_cast<QWidget*>(cmdArea_[1]),
                       static_cast<QWidget*>(txtDatos_[1]), static_cast<QWidget*>(txtDatos_[2])})
        Ayuda(w, ayudaArea);
    for (QWidget* w :
         {static_cast<QWidget*>(cmdLabor_[0]), static_cast<QWidget*>(cmdLabor_[1]), static_cast<QWidget*>(txtDatos_[3]),
          static_cast<QWidget*>(txtDatos_[5]), static_cast<QWidget*>(tblZonas)})
        Ayuda(w, esquema);
    Ayuda(cmdAyudaCapa_, capa);
    Ayuda(txtDatos_[4], capa);
    connect(cmdMetodos_, &QPushButton::clicked, this, [this] { nav_.Muestra(ventana::Metodos); });
    connect(cmdZevOde_, &QPushButton::clicked, this, &frmEscorrentia::cmdZevOde_Click);
    connect(cmdAceptar_, &QPushButton::clicked, this, &frmEscorrentia::cmdAceptar_Click);

    enlace_ = new ClienteZevode(this);
    connect(enlace_, &ClienteZevode::Texto, this, [this](const QString& t) {
        // The link writes a point whatever the locale; the field shows the separator in force.
        const std::optional<double> n = ANumero(t.toStdString());
        txtDatos_[0]->setText(n ? ExactoLocal(v_, *n) : t);
    });
    connect(enlace_, &ClienteZevode::Cerrado, this, &frmEscorrentia::FinEnlace);

    // Enter in the zone grid walks its cells before it moves on.
    PrevisualizaTeclas(this, v_, [this] { return mrcComplejo_->RetieneEnter(); });

    // Every value accepted goes into the document at once.
    for (QLineEdit* campo : txtDatos_)
        AlAceptar(campo, [this] { Anota(); });
    for (QRadioButton* opcion : opcComplejo_)
        connect(opcion, &QRadioButton::clicked, this, &frmEscorrentia::Anota);
    connect(mrcComplejo_, &RejillaZonas::Cambiada, this, &frmEscorrentia::Anota);
}

void frmEscorrentia::Anota()
{
    if (rellenando_)
        return;
    Recoge(v_.Documento);
    v_.Aviso->Anota();
}

void frmEscorrentia::FijaTextos()
{
    setWindowTitle(Texto(v_, 1057));
    mrcDatos_->setTitle(Texto(v_, 1059));
    const std::array<int, 6> textos{1060, 1062, 1063, 1540, 1069, 1070};
    for (int e = 0; e < 6; ++e)
        lblEtiqueta_[e]->setText(Texto(v_, textos[e]));
    mrcArea_->setTitle(Texto(v_, 1537));
    opcComplejo_[0]->setText(Texto(v_, 1064));
    opcComplejo_[1]->setText(Texto(v_, 1065));
    cmdZevOde_->setText(Texto(v_, 1061));
    cmdMetodos_->setText(Texto(v_, 1058));
    cmdAceptar_->setText(Texto(v_, 1071));
    mrcComplejo_->FijaTextos();
}

void frmEscorrentia::Ayuda(QWidget* control, const QString& ventana)
{
    // F1 on the control, or a click on a help button, opens its help.
    new QShortcut(
        QKeySequence(Qt::Key_F1), control, [this, ventana] { nav_.Muestra(ventana); }, Qt::WidgetWithChildrenShortcut);
    if (auto* boton = qobject_cast<QPushButton*>(control))
        connect(boton, &QPushButton::clicked, this, [this, ventana] { nav_.Muestra(ventana); });
}

void frmEscorrentia::opcComplejo_Click()
{
    const bool complejo = opcComplejo_[1]->isChecked();
    mrcSimple_->setVisible(!complejo);
    mrcComplejo_->setVisible(complejo);
}

void frmEscorrentia::cmdZevOde_Click()
{
    txtDatos_[1]->setFocus();
    enlace_->Inicia(DirectorioPrograma());
}

void frmEscorrentia::FinEnlace()
{
    // The last value the tables program sent is the field's value now.
    QLineEdit* campo = txtDatos_[0];
    FijaTag(campo, campo->text());
    if (const std::optional<double> n = NumeroLocal(v_, campo->text()))
        campo->setText(FormatoLocal(v_, *n, 1));
}

void frmEscorrentia::Error(int id)
{
    Mensaje(Icono::Informacion, QStringLiteral("Error"), Texto(v_, id));
}

void frmEscorrentia::Rechaza(const FueraDeRango& f)
{
    Error(f.mensaje);
    const auto campo = std::find(CamposDatos.begin(), CamposDatos.end(), f.campo);
    txtDatos_[static_cast<std::size_t>(campo - CamposDatos.begin())]->setFocus();
}

std::optional<double> frmEscorrentia::Lee(std::size_t i)
{
    // An empty field only takes the focus; text that is no number is named.
    const QString tag = Tag(txtDatos_[i]);
    const std::optional<double> n = NumeroLocal(v_, tag);
    if (!n) {
        if (!tag.trimmed().isEmpty())
            Mensaje(Icono::Informacion, QStringLiteral("Error"), ::NoNumerico(v_, lblEtiqueta_[EtiquetaDe[i]], tag));
        txtDatos_[i]->setFocus();
    }
    return n;
}

void frmEscorrentia::cmdAceptar_Click()
{
    // A report left from an earlier run would stand beside data it was not
    // computed from: it goes when a run does not complete.
    if (!CompruebaYCalcula())
        nav_.Descarga(ventana::ResEscorrentia);
}

bool frmEscorrentia::CompruebaYCalcula()
{
    std::array<double, 5> x{};
    for (std::size_t i = 0; i < x.size(); ++i) {
        const std::optional<double> n = Lee(i);
        if (!n)
            return false;
        x[i] = *n;
    }
    if (const std::optional<FueraDeRango> f =
            CompruebaSitio({.NAC = x[0], .SI = x[1], .SR = x[2], .NR = x[3], .CAPA = x[4]})) {
        Rechaza(*f);
        return false;
    }
    v_.NAC(2) = x[0];
    v_.SI = x[1];
    v_.SR = x[2];
    v_.NR(2) = x[3];
    v_.CAPA = x[4];

    if (opcComplejo_[0]->isChecked()) {
        const std::optional<double> n = Lee(5);
        if (!n)
            return false;
        if (const std::optional<FueraDeRango> f = CompruebaNI(*n)) {
            Rechaza(*f);
            return false;
        }
        v_.NI(2) = *n;
    } else if (opcComplejo_[1]->isChecked()) {
        if (const std::optional<FalloZona> f = PasoZonas(v_, mrcComplejo_->Celdas())) {
            if (f->mensaje == 1077)
                Mensaje(Icono::Aviso, Texto(v_, 1539), Texto(v_, 1077) + QStringLiteral("\r\n\r\n") + SumaYArea(v_));
            else if (f->mensaje != 0)
                Error(f->mensaje);
            mrcComplejo_->Enfoca(std::max(f->zona - 1, 0), f->columna);
            return false;
        }
    }
    return Calcula();
}

bool frmEscorrentia::Calcula()
{
    // Between the model's two steps, the capacity check: the site's own
    // answer when it keeps one, else the user's.
    const bool debida = PreparaModelo(v_);
    if (debida && respuesta_) {
        // The field already shows what the site says was typed.
        v_.CAPA = *respuesta_;
        v_.CapaConfirmada = true;
    } else if (debida) {
        // A confirmed capacity is shown in its field as if typed there.
        if (const std::optional<ConfirmacionCapacidad> c = ComprobarCapacidad(v_, this)) {
            txtDatos_[4]->setText(FormatoLocal(v_, c->capa, 1));
            capacidad_ = c->capa;
            FijaTag(txtDatos_[4], c->texto);
        }
    }
    const ResultadoModelo r = CompletaModelo(v_, debida);
    if (r.desenlace == Desenlace::Abandonado) {
        txtDatos_[4]->setFocus();
        return false;
    }
    if (r.pitido)
        Pitido();
    AnotaCalculo(v_, DatosDe::Sitio);
    nav_.Muestra(ventana::ResEscorrentia);
    return true;
}

void frmEscorrentia::Recoge(DocumentoSitio& d) const
{
    for (std::size_t i = 0; i < txtDatos_.size(); ++i)
        d.datos[i] = NumeroLocal(v_, Tag(txtDatos_[i]));
    d.complejo = opcComplejo_[1]->isChecked();
    // Only the contributing area chosen describes the site.
    d.zonas = d.complejo ? mrcComplejo_->Celdas() : std::vector<CeldaZona>{};
    if (d.complejo)
        d.datos[5].reset();
    d.capacidad = capacidad_;
}

QLineEdit* frmEscorrentia::NoNumerico(QString& mensaje) const
{
    const std::size_t campos = opcComplejo_[1]->isChecked() ? 5 : 6;
    for (std::size_t i = 0; i < campos; ++i) {
        const QString tag = Tag(txtDatos_[i]);
        if (!tag.trimmed().isEmpty() && !NumeroLocal(v_, tag)) {
            mensaje = ::NoNumerico(v_, lblEtiqueta_[EtiquetaDe[i]], tag);
            return txtDatos_[i];
        }
    }
    return nullptr;
}

void frmEscorrentia::Rellena(const DocumentoSitio& d)
{
    rellenando_ = true;
    // Not into a field with the focus: leaving it would keep the rounded
    // text shown instead of the value.
    cmdAceptar_->setFocus();
    for (std::size_t i = 0; i < txtDatos_.size(); ++i) {
        FijaTag(txtDatos_[i], d.datos[i] ? ExactoLocal(v_, *d.datos[i]) : QString());
        txtDatos_[i]->setText(d.datos[i] ? FormatoLocal(v_, *d.datos[i], DecimalesDatos[i]) : QString());
    }
    const bool complejo = d.complejo && opcComplejo_[1]->isEnabled();
    opcComplejo_[complejo ? 1 : 0]->setChecked(true);
    opcComplejo_Click();
    if (complejo)
        mrcComplejo_->Rellena(d.zonas);
    capacidad_ = d.capacidad;
    rellenando_ = false;
    Anota();
    respuesta_ = d.capacidad;
    cmdAceptar_Click();
    respuesta_.reset();
}

void frmEscorrentia::closeEvent(QCloseEvent* evento)
{
    // Every later window depends on this one's data: they all go with it.
    nav_.DescargaTodasMenosPrincipal();
    QWidget::closeEvent(evento);
}
