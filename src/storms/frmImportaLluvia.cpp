#include "storms/frmImportaLluvia.h"

#include "common/Catalogo.h"
#include "common/Mensajes.h"
#include "common/NombresVentanas.h"
#include "common/Variables.h"
#include "model/Humedad.h"
#include "widgets/CampoNumerico.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int LineasVistas = 8;

QString Fecha10(const Fecha& f)
{
    return QStringLiteral("%1-%2-%3")
        .arg(f.anio, 4, 10, QLatin1Char('0'))
        .arg(f.mes, 2, 10, QLatin1Char('0'))
        .arg(f.dia, 2, 10, QLatin1Char('0'));
}

// Fills what a catalogue text holds of %2.. in order, leaving the others out.
QString Llena(QString t, const QStringList& args)
{
    for (int i = 0; i < args.size(); ++i)
        if (t.contains(QStringLiteral("%%1").arg(i + 2)))
            t.replace(QStringLiteral("%%1").arg(i + 2), args[i]);
    return t;
}

// The items of a column list: found by the heading, or each column by its
// heading (or number); the data are what FormatoLluvia takes.
void LlenaColumnas(QComboBox* l, const Variables& v, const VistaLluvia& vista, bool hallada)
{
    l->clear();
    if (hallada)
        l->addItem(Texto(v, 1892), QString());
    const std::size_t n = std::max(vista.columnas, vista.cabeceras.size());
    for (std::size_t i = 0; i < n; ++i) {
        const QString numero = QString::number(i + 1);
        const QString cabecera = i < vista.cabeceras.size() ? QString::fromStdString(vista.cabeceras[i]) : QString();
        l->addItem(cabecera.isEmpty() ? Texto(v, 1893).arg(numero) : cabecera, cabecera.isEmpty() ? numero : cabecera);
    }
}

// Selects the item whose data is `columna`, leaving the list as it is if none.
void Elige(QComboBox* l, const std::string& columna)
{
    const int i = l->findData(QString::fromStdString(columna), Qt::UserRole, Qt::MatchFixedString);
    if (i >= 0)
        l->setCurrentIndex(i);
}

std::string Dato(const QComboBox* l)
{
    return l->currentData().toString().toStdString();
}

// The rule the storms' conditions follow, in the model's own figures.
QLabel* EtiquetaCondicion(const Variables& v, QWidget* padre)
{
    const auto mm = [&v](double x) { return ExactoLocal(v, x); };
    auto* l = new QLabel(Texto(v, 1840).arg(mm(HumedadBajaReposo), mm(HumedadAltaReposo), mm(HumedadBajaCrecimiento),
                                            mm(HumedadAltaCrecimiento)),
                         padre);
    l->setObjectName(QStringLiteral("lblCondicion"));
    l->setWordWrap(true);
    return l;
}

} // namespace

QString TextoFallo(const Variables& v, const FalloLluvia& f, const QString& archivo)
{
    const QString texto = QString::fromStdString(f.texto);
    QString dos = QString::number(f.linea), tres = ExactoLocal(v, f.valor);
    if (f.error == ErrorLluvia::NoSeLee)
        dos = texto;
    else if (f.error == ErrorLluvia::Grande)
        dos = QString::number(static_cast<qint64>(f.valor));
    else if (f.error == ErrorLluvia::MesExcesivo)
        dos = Texto(v, 1009 + f.mes);
    if (f.error == ErrorLluvia::Fecha || f.error == ErrorLluvia::Profundidad || f.error == ErrorLluvia::Repetida ||
        f.error == ErrorLluvia::ColumnaDesconocida)
        tres = texto;
    const QString cuatro = f.lista.empty() ? QString::number(f.otraLinea) : QString::fromStdString(f.lista);
    QString t = Texto(v, MensajeLluvia(f.error));
    t.replace(QStringLiteral("%1"), archivo);
    return Llena(t, {dos, tres, cuatro});
}

frmImportaLluvia::frmImportaLluvia(const Variables& v, const QString& archivo, std::string texto, QWidget* parent)
    : QDialog(parent), v_(v), archivo_(archivo), texto_(std::move(texto)), vista_(MiraRegistro(texto_, LineasVistas)),
      txtLineas_(new QPlainTextEdit(this)), lstFecha_(new QComboBox(this)), chkYmd_(new QCheckBox(this)),
      lstProfundidad_(new QComboBox(this)), lstUnidad_(new QComboBox(this)), txtFaltan_(new QLineEdit(this)),
      lstRepetidas_(new QComboBox(this)), lblCuentas_(new QLabel(this)), tblMeses_(new QTableWidget(this)),
      lstAnio_(new QComboBox(this)), txtDia_(new QLineEdit(this)), txtAguacero_(new QLineEdit(this)),
      lstMes1_(new QComboBox(this)), lstMes2_(new QComboBox(this))
{
    setObjectName(ventana::ImportaLluvia);
    setWindowTitle(Texto(v_, 1763).arg(QFileInfo(archivo_).fileName()));
    for (auto& l : lstYmd_)
        l = new QComboBox(this);
    Construye();
    // A site that imported before starts from the choices it made then;
    // what the record shows of itself comes first.
    const auto& antes = v_.Documento.importacion;
    Presenta(antes ? antes->formato : FormatoLluvia{}, antes ? antes->opciones : OpcionesLluvia{});
    for (QComboBox* l : {lstFecha_, lstProfundidad_, lstUnidad_, lstRepetidas_, lstYmd_[0], lstYmd_[1], lstYmd_[2],
                         lstAnio_, lstMes1_, lstMes2_})
        connect(l, &QComboBox::currentIndexChanged, this, &frmImportaLluvia::Cuentas);
    for (QLineEdit* t : {txtFaltan_, txtDia_, txtAguacero_})
        connect(t, &QLineEdit::editingFinished, this, &frmImportaLluvia::Cuentas);
    connect(chkYmd_, &QCheckBox::toggled, this, &frmImportaLluvia::Cuentas);
    Cuentas();
}

void frmImportaLluvia::Construye()
{
    const std::pair<QWidget*, const char*> nombres[] = {{txtLineas_, "txtLineas"},
                                                        {lstFecha_, "lstFecha"},
                                                        {chkYmd_, "chkYmd"},
                                                        {lstProfundidad_, "lstProfundidad"},
                                                        {lstUnidad_, "lstUnidad"},
                                                        {txtFaltan_, "txtFaltan"},
                                                        {lstRepetidas_, "lstRepetidas"},
                                                        {lblCuentas_, "lblCuentas"},
                                                        {tblMeses_, "tblMeses"},
                                                        {lstAnio_, "lstAnio"},
                                                        {txtDia_, "txtDia"},
                                                        {txtAguacero_, "txtAguacero"},
                                                        {lstMes1_, "lstMes1"},
                                                        {lstMes2_, "lstMes2"}};
    for (const auto& [w, n] : nombres)
        w->setObjectName(QString::fromLatin1(n));
    for (std::size_t k = 0; k < 3; ++k)
        lstYmd_[k]->setObjectName(QStringLiteral("lstYmd(%1)").arg(k));

    QStringList lineas;
    for (const std::string& l : vista_.primeras)
        lineas << QString::fromStdString(l);
    txtLineas_->setPlainText(lineas.join(QLatin1Char('\n')));
    txtLineas_->setReadOnly(true);
    txtLineas_->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtLineas_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    txtLineas_->setFixedHeight(txtLineas_->fontMetrics().lineSpacing() * (LineasVistas + 1));
    lblCuentas_->setWordWrap(true);
    // Long lines and headings scroll or elide rather than widen the dialog.
    txtLineas_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    for (QComboBox* l : {lstFecha_, lstProfundidad_, lstYmd_[0], lstYmd_[1], lstYmd_[2]}) {
        l->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        l->setMinimumContentsLength(8);
    }

    tblMeses_->setRowCount(12);
    tblMeses_->setColumnCount(3);
    tblMeses_->setHorizontalHeaderLabels({Texto(v_, 1898), Texto(v_, 1899), Texto(v_, 1900)});
    QStringList meses;
    for (int m = 1; m <= 12; ++m)
        meses << Texto(v_, 1009 + m);
    tblMeses_->setVerticalHeaderLabels(meses);
    tblMeses_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblMeses_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tblMeses_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tblMeses_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);

    auto* botones = new QDialogButtonBox(this);
    QPushButton* cmdAceptar = botones->addButton(Texto(v_, 1772), QDialogButtonBox::AcceptRole);
    cmdAceptar->setObjectName(QStringLiteral("cmdAceptar"));
    botones->addButton(Texto(v_, 1773), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("cmdCancelar"));
    connect(botones, &QDialogButtonBox::accepted, this, &frmImportaLluvia::cmdAceptar_Click);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* izquierda = new QVBoxLayout;
    izquierda->addWidget(new QLabel(Texto(v_, 1882), this));
    izquierda->addWidget(txtLineas_);
    izquierda->addLayout(ConstruyeLectura());
    izquierda->addLayout(ConstruyeOpciones());
    izquierda->addWidget(EtiquetaCondicion(v_, this));
    izquierda->addStretch();
    lblCuentas_->setMinimumWidth(360);
    tblMeses_->setMinimumWidth(360);
    auto* derecha = new QVBoxLayout;
    derecha->addWidget(lblCuentas_);
    derecha->addWidget(tblMeses_, 1);
    auto* lados = new QHBoxLayout;
    lados->addLayout(izquierda, 3);
    lados->addLayout(derecha, 2);
    auto* caja = new QVBoxLayout(this);
    caja->addLayout(lados);
    caja->addWidget(botones);
    resize(1000, 640);
}

QLayout* frmImportaLluvia::ConstruyeLectura()
{
    const bool ancho = vista_.columnas > 2 || vista_.cabeceras.size() > 2;
    const bool cabecera = !vista_.cabeceras.empty();
    LlenaColumnas(lstFecha_, v_, vista_, cabecera);
    LlenaColumnas(lstProfundidad_, v_, vista_, cabecera);
    for (QComboBox* l : lstYmd_)
        LlenaColumnas(l, v_, vista_, false);
    lstUnidad_->addItem(QStringLiteral("mm"), static_cast<int>(UnidadLluvia::Mm));
    lstUnidad_->addItem(Texto(v_, 1902), static_cast<int>(UnidadLluvia::DecimaMm));
    lstUnidad_->addItem(QStringLiteral("cm"), static_cast<int>(UnidadLluvia::Cm));
    lstUnidad_->addItem(Texto(v_, 1903), static_cast<int>(UnidadLluvia::Pulgada));
    for (int id : {1889, 1890, 1891})
        lstRepetidas_->addItem(Texto(v_, id));
    chkYmd_->setText(Texto(v_, 1884));
    auto* ymd = new QHBoxLayout;
    for (QComboBox* l : lstYmd_)
        ymd->addWidget(l);
    auto* forma = new QFormLayout;
    forma->addRow(Texto(v_, 1883), lstFecha_);
    forma->addRow(chkYmd_, ymd);
    forma->addRow(Texto(v_, 1885), lstProfundidad_);
    forma->addRow(Texto(v_, 1886), lstUnidad_);
    forma->addRow(Texto(v_, 1887), txtFaltan_);
    forma->addRow(Texto(v_, 1888), lstRepetidas_);
    // A two-column record has nothing to choose between.
    for (QWidget* w : std::initializer_list<QWidget*>{lstFecha_, chkYmd_, lstProfundidad_})
        w->setEnabled(ancho);
    return forma;
}

QLayout* frmImportaLluvia::ConstruyeOpciones()
{
    lstAnio_->addItem(Texto(v_, 1767));
    for (int m = 1; m <= 12; ++m) {
        lstMes1_->addItem(Texto(v_, 1009 + m));
        lstMes2_->addItem(Texto(v_, 1009 + m));
    }
    auto* estacion = new QHBoxLayout;
    estacion->addWidget(lstMes1_);
    estacion->addWidget(lstMes2_);
    auto* opciones = new QFormLayout;
    opciones->addRow(Texto(v_, 1768), lstAnio_);
    opciones->addRow(Texto(v_, 1769), txtDia_);
    opciones->addRow(Texto(v_, 1770), txtAguacero_);
    opciones->addRow(Texto(v_, 1771), estacion);
    return opciones;
}

void frmImportaLluvia::Presenta(const FormatoLluvia& f, const OpcionesLluvia& o)
{
    const QSignalBlocker bloqueo(this);
    Elige(lstFecha_, f.fecha);
    Elige(lstProfundidad_, f.profundidad);
    chkYmd_->setChecked(!f.ymd[0].empty());
    for (std::size_t k = 0; k < 3; ++k) {
        lstYmd_[k]->setCurrentIndex(std::min(static_cast<int>(k), lstYmd_[k]->count() - 1));
        Elige(lstYmd_[k], f.ymd[k]);
    }
    lstUnidad_->setCurrentIndex(std::max(0, lstUnidad_->findData(static_cast<int>(f.unidad))));
    QStringList faltan;
    for (const std::string& m : f.faltan)
        if (!m.empty())
            faltan << QString::fromStdString(m);
    txtFaltan_->setText(faltan.join(QLatin1Char(',')));
    lstRepetidas_->setCurrentIndex(static_cast<int>(f.repetidas));
    if (o.anio)
        lstAnio_->addItem(QString::number(*o.anio), *o.anio);
    lstAnio_->setCurrentIndex(o.anio ? 1 : 0);
    txtDia_->setText(ExactoLocal(v_, o.umbralDia, true));
    txtAguacero_->setText(ExactoLocal(v_, o.umbralAguacero, true));
    lstMes1_->setCurrentIndex(o.mesCrecimiento1 - 1);
    lstMes2_->setCurrentIndex(o.mesCrecimiento2 - 1);
}

FormatoLluvia frmImportaLluvia::FormatoElegido() const
{
    FormatoLluvia f;
    const bool ancho = lstFecha_->isEnabled();
    if (ancho && chkYmd_->isChecked())
        for (std::size_t k = 0; k < 3; ++k)
            f.ymd[k] = Dato(lstYmd_[k]);
    else if (ancho)
        f.fecha = Dato(lstFecha_);
    if (ancho)
        f.profundidad = Dato(lstProfundidad_);
    f.unidad = static_cast<UnidadLluvia>(lstUnidad_->currentData().toInt());
    f.faltan = {std::string()};
    for (const QString& m : txtFaltan_->text().split(QLatin1Char(','), Qt::SkipEmptyParts))
        f.faltan.push_back(m.trimmed().toStdString());
    f.repetidas = static_cast<RepetidasLluvia>(lstRepetidas_->currentIndex());
    return f;
}

std::optional<OpcionesLluvia> frmImportaLluvia::Opciones() const
{
    const std::optional<double> dia = NumeroLocal(v_, txtDia_->text());
    const std::optional<double> aguacero = NumeroLocal(v_, txtAguacero_->text());
    if (!dia || !aguacero)
        return std::nullopt;
    OpcionesLluvia o;
    if (lstAnio_->currentIndex() > 0)
        o.anio = lstAnio_->currentData().toInt();
    o.umbralDia = *dia;
    o.umbralAguacero = *aguacero;
    o.mesCrecimiento1 = lstMes1_->currentIndex() + 1;
    o.mesCrecimiento2 = lstMes2_->currentIndex() + 1;
    return o;
}

// The record read as chosen and analysed; the list of years follows its period.
std::optional<FalloLluvia> frmImportaLluvia::Analiza(ResultadoLluvia& r)
{
    const std::optional<OpcionesLluvia> o = Opciones();
    if (!o) {
        FalloLluvia f;
        f.error = ErrorLluvia::Opciones;
        return f;
    }
    RegistroLluvia registro;
    if (std::optional<FalloLluvia> f = LeeRegistro(texto_, registro, FormatoElegido()))
        return f;
    registro_ = std::move(registro);
    const int anio = lstAnio_->currentData().toInt();
    {
        const QSignalBlocker bloqueo(lstAnio_);
        while (lstAnio_->count() > 1)
            lstAnio_->removeItem(1);
        for (int a = FechaDe(registro_.dias.front().fecha).anio; a <= FechaDe(registro_.dias.back().fecha).anio; ++a)
            lstAnio_->addItem(QString::number(a), a);
        lstAnio_->setCurrentIndex(std::max(0, lstAnio_->findData(anio)));
    }
    OpcionesLluvia elegidas = *o;
    if (lstAnio_->currentIndex() == 0)
        elegidas.anio.reset();
    return AnalizaLluvia(registro_, elegidas, r);
}

// What the choices in force give; what is wrong with them, instead, when
// they give nothing.
void frmImportaLluvia::Cuentas()
{
    ResultadoLluvia r;
    if (const std::optional<FalloLluvia> f = Analiza(r)) {
        lblCuentas_->setText(f->error == ErrorLluvia::Opciones ? Texto(v_, 1754) : TextoFallo(v_, *f, archivo_));
        Meses(nullptr);
        return;
    }
    QStringList t{Texto(v_, 1774)
                      .arg(Fecha10(r.desde), Fecha10(r.hasta))
                      .arg(r.dias)
                      .arg(r.faltan)
                      .arg(r.lluviosos)
                      .arg(r.serie.size())};
    t << Texto(v_, 1895).arg(Fecha10(r.diaMayor), FormatoLocal(v_, r.mayor, 1), FormatoLocal(v_, r.mediaAnual, 1));
    if (!registro_.columnaFecha.empty())
        t << Texto(v_, 1896).arg(QString::fromStdString(registro_.columnaFecha),
                                 QString::fromStdString(registro_.columnaProfundidad));
    if (registro_.repetidasIguales || registro_.repetidasResueltas)
        t << Texto(v_, 1894).arg(registro_.repetidasIguales).arg(registro_.repetidasResueltas);
    if (registro_.desordenLinea)
        t << Texto(v_, 1755).arg(registro_.desordenLinea);
    if (r.conFaltaEnCinco)
        t << Texto(v_, 1756).arg(r.conFaltaEnCinco);
    if (r.filasAjustadas)
        t << Texto(v_, 1634).arg(r.filasAjustadas);
    if (v_.Documento.importacion)
        t << Texto(v_, 1633).arg(QString::fromStdString(v_.Documento.importacion->archivo));
    lblCuentas_->setText(t.join(QLatin1Char('\n')));
    Meses(&r);
}

void frmImportaLluvia::Meses(const ResultadoLluvia* r)
{
    for (int m = 0; m < 12; ++m) {
        const auto k = static_cast<std::size_t>(m);
        for (int c = 0; c < 3; ++c) {
            QString t;
            if (r) {
                t = FormatoLocal(v_, r->anio[k][static_cast<std::size_t>(c)].value_or(0), c == 2 ? 0 : 1);
                if (r->ajustadas[k] && c > 0)
                    t = Texto(v_, 1901).arg(t);
            }
            auto* celda = new QTableWidgetItem(t);
            celda->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            tblMeses_->setItem(m, c, celda);
        }
    }
}

void frmImportaLluvia::cmdAceptar_Click()
{
    ResultadoLluvia r;
    if (const std::optional<FalloLluvia> f = Analiza(r)) {
        Mensaje(Icono::Informacion, QStringLiteral("Error"),
                f->error == ErrorLluvia::Opciones ? Texto(v_, 1754) : TextoFallo(v_, *f, archivo_));
        return;
    }
    res_ = std::move(r);
    eleccion_ = *Opciones();
    if (lstAnio_->currentIndex() == 0)
        eleccion_.anio.reset();
    formato_ = FormatoElegido();
    accept();
}
