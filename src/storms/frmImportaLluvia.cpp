#include "storms/frmImportaLluvia.h"

#include "common/Catalogo.h"
#include "common/Mensajes.h"
#include "common/Variables.h"
#include "model/Humedad.h"
#include "widgets/CampoNumerico.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int FilasVistas = 10;

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
    if (f.error == ErrorLluvia::Fecha || f.error == ErrorLluvia::Profundidad || f.error == ErrorLluvia::Repetida)
        tres = texto;
    QString t = Texto(v, MensajeLluvia(f.error));
    t.replace(QStringLiteral("%1"), archivo);
    return Llena(t, {dos, tres, QString::number(f.otraLinea)});
}

frmImportaLluvia::frmImportaLluvia(const Variables& v, const QString& archivo, RegistroLluvia registro, QWidget* parent)
    : QDialog(parent), v_(v), archivo_(archivo), registro_(std::move(registro)), lblCuentas_(new QLabel(this)),
      tblDias_(new QTableWidget(this)), lstAnio_(new QComboBox(this)), txtDia_(new QLineEdit(this)),
      txtAguacero_(new QLineEdit(this)), lstMes1_(new QComboBox(this)), lstMes2_(new QComboBox(this))
{
    setObjectName(QStringLiteral("frmImportaLluvia"));
    setWindowTitle(Texto(v_, 1763).arg(QFileInfo(archivo_).fileName()));
    lblCuentas_->setObjectName(QStringLiteral("lblCuentas"));
    lblCuentas_->setWordWrap(true);
    tblDias_->setObjectName(QStringLiteral("tblDias"));
    lstAnio_->setObjectName(QStringLiteral("lstAnio"));
    txtDia_->setObjectName(QStringLiteral("txtDia"));
    txtAguacero_->setObjectName(QStringLiteral("txtAguacero"));
    lstMes1_->setObjectName(QStringLiteral("lstMes1"));
    lstMes2_->setObjectName(QStringLiteral("lstMes2"));

    // The first days as read: line, date, depth (blank when missing).
    const int filas = std::min<int>(FilasVistas, static_cast<int>(registro_.dias.size()));
    tblDias_->setRowCount(filas);
    tblDias_->setColumnCount(3);
    tblDias_->setHorizontalHeaderLabels({Texto(v_, 1764), Texto(v_, 1765), Texto(v_, 1766)});
    tblDias_->verticalHeader()->hide();
    tblDias_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int f = 0; f < filas; ++f) {
        const DiaLluvia& d = registro_.dias[static_cast<std::size_t>(f)];
        tblDias_->setItem(f, 0, new QTableWidgetItem(QString::number(d.linea)));
        tblDias_->setItem(f, 1, new QTableWidgetItem(Fecha10(FechaDe(d.fecha))));
        tblDias_->setItem(f, 2, new QTableWidgetItem(d.mm ? FormatoLocal(v_, *d.mm, 1) : QString()));
    }

    lstAnio_->addItem(Texto(v_, 1767));
    if (!registro_.dias.empty())
        for (int a = FechaDe(registro_.dias.front().fecha).anio; a <= FechaDe(registro_.dias.back().fecha).anio; ++a)
            lstAnio_->addItem(QString::number(a), a);
    for (int m = 1; m <= 12; ++m) {
        lstMes1_->addItem(Texto(v_, 1009 + m));
        lstMes2_->addItem(Texto(v_, 1009 + m));
    }
    // A site that imported before starts from the choices it made then.
    const OpcionesLluvia o = v_.Documento.importacion ? v_.Documento.importacion->opciones : OpcionesLluvia{};
    if (o.anio)
        lstAnio_->setCurrentIndex(std::max(0, lstAnio_->findData(*o.anio)));
    txtDia_->setText(ExactoLocal(v_, o.umbralDia, true));
    txtAguacero_->setText(ExactoLocal(v_, o.umbralAguacero, true));
    lstMes1_->setCurrentIndex(o.mesCrecimiento1 - 1);
    lstMes2_->setCurrentIndex(o.mesCrecimiento2 - 1);

    auto* estacion = new QHBoxLayout;
    estacion->addWidget(lstMes1_);
    estacion->addWidget(lstMes2_);
    auto* opciones = new QFormLayout;
    opciones->addRow(Texto(v_, 1768), lstAnio_);
    opciones->addRow(Texto(v_, 1769), txtDia_);
    opciones->addRow(Texto(v_, 1770), txtAguacero_);
    opciones->addRow(Texto(v_, 1771), estacion);
    auto* botones = new QDialogButtonBox(this);
    QPushButton* cmdAceptar = botones->addButton(Texto(v_, 1772), QDialogButtonBox::AcceptRole);
    cmdAceptar->setObjectName(QStringLiteral("cmdAceptar"));
    botones->addButton(Texto(v_, 1773), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("cmdCancelar"));
    auto* caja = new QVBoxLayout(this);
    caja->addWidget(lblCuentas_);
    caja->addWidget(tblDias_);
    caja->addLayout(opciones);
    caja->addWidget(EtiquetaCondicion(v_, this));
    caja->addWidget(botones);

    connect(botones, &QDialogButtonBox::accepted, this, &frmImportaLluvia::cmdAceptar_Click);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(txtDia_, &QLineEdit::editingFinished, this, &frmImportaLluvia::Cuentas);
    for (QComboBox* l : {lstMes1_, lstMes2_})
        connect(l, &QComboBox::currentIndexChanged, this, &frmImportaLluvia::Cuentas);
    connect(txtAguacero_, &QLineEdit::editingFinished, this, &frmImportaLluvia::Cuentas);
    connect(lstAnio_, &QComboBox::currentIndexChanged, this, &frmImportaLluvia::Cuentas);
    Cuentas();
    resize(520, 560);
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

// The counts of the choices in force; a threshold that is no number keeps
// the counts last shown.
void frmImportaLluvia::Cuentas()
{
    const std::optional<OpcionesLluvia> o = Opciones();
    ResultadoLluvia r;
    if (!o || SerieLluvia(registro_, *o, r))
        return;
    QString t = Texto(v_, 1774)
                    .arg(Fecha10(r.desde), Fecha10(r.hasta))
                    .arg(r.dias)
                    .arg(r.faltan)
                    .arg(r.lluviosos)
                    .arg(r.serie.size());
    if (registro_.desordenLinea)
        t += QLatin1Char(10) + Texto(v_, 1755).arg(registro_.desordenLinea);
    if (r.conFaltaEnCinco)
        t += QLatin1Char(10) + Texto(v_, 1756).arg(r.conFaltaEnCinco);
    if (!MesesLluvia(registro_, *o, r) && r.filasAjustadas)
        t += QLatin1Char(10) + Texto(v_, 1634).arg(r.filasAjustadas);
    if (v_.Documento.importacion)
        t += QLatin1Char(10) + Texto(v_, 1633).arg(QString::fromStdString(v_.Documento.importacion->archivo));
    lblCuentas_->setText(t);
}

void frmImportaLluvia::cmdAceptar_Click()
{
    const std::optional<OpcionesLluvia> o = Opciones();
    if (!o) {
        Mensaje(Icono::Informacion, QStringLiteral("Error"), Texto(v_, 1754));
        return;
    }
    ResultadoLluvia r;
    if (const std::optional<FalloLluvia> f = AnalizaLluvia(registro_, *o, r)) {
        Mensaje(Icono::Informacion, QStringLiteral("Error"), TextoFallo(v_, *f, archivo_));
        return;
    }
    res_ = std::move(r);
    eleccion_ = *o;
    accept();
}
