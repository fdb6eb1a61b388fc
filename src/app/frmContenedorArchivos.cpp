// The main window's work with site files: open, save, the recent list,
// the properties and files dropped on it.
#include "app/frmContenedor.h"

#include "annual/frmAnual.h"
#include "app/ImportaLluvia.h"
#include "app/Informe.h"
#include "common/Catalogo.h"
#include "common/Escritura.h"
#include "common/Idioma.h"
#include "common/Mensajes.h"
#include "common/Navegacion.h"
#include "common/NombresVentanas.h"
#include "common/Variables.h"
#include "documento/ArchivoSitio.h"
#include "documento/LectorJson.h"
#include "site/frmEscorrentia.h"
#include "storms/frmPrecipitacion.h"
#include "widgets/Colocacion.h"
#include "widgets/Controles.h"
#include "widgets/Exportacion.h"
#include "widgets/Vigencia.h"
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <algorithm>

namespace {

constexpr int MaxRecientes = 5;

QStringList Recientes()
{
    return LeeAjuste(ClaveRecientes).toStringList();
}

void FijaRecientes(const QStringList& lista)
{
    GuardaAjuste(ClaveRecientes, lista);
}

// The site file among dropped things.
QString Soltado(const QMimeData* datos)
{
    for (const QUrl& u : datos->urls())
        if (u.isLocalFile() && u.toLocalFile().endsWith(QStringLiteral(".hidrela"), Qt::CaseInsensitive))
            return u.toLocalFile();
    return QString();
}

} // namespace

bool frmContenedor::PuedeSeguir()
{
    if (!Modificado())
        return true;
    const QString nombre = archivo_.isEmpty() ? Texto(v_, 1673) : QFileInfo(archivo_).fileName();
    switch (Elige(TituloPrograma(), Texto(v_, 1672).arg(nombre), {Texto(v_, 1674), Texto(v_, 1675), Texto(v_, 1676)})) {
    case 0:
        return mnuGuardar_Click();
    case 1:
        return true;
    default:
        return false;
    }
}

void frmContenedor::mnuAbrir_Click()
{
    if (!PuedeSeguir())
        return;
    const QString ruta = QFileDialog::getOpenFileName(this, Texto(v_, 1679), LeeAjuste(ClaveCarpeta).toString(),
                                                      Texto(v_, 1677) + QStringLiteral(";;") + Texto(v_, 1678));
    if (ruta.isEmpty())
        return;
    GuardaAjuste(ClaveCarpeta, QFileInfo(ruta).absolutePath());
    AbreArchivo(ruta);
}

void frmContenedor::PideAbrir(const QString& ruta)
{
    if (PuedeSeguir())
        AbreArchivo(ruta);
}

bool frmContenedor::AbreArchivo(const QString& ruta)
{
    DocumentoSitio d;
    if (const std::optional<QString> problema = Lee(ruta, d)) {
        Mensaje(Icono::Aviso, TituloPrograma(), Texto(v_, 1661).arg(QDir::toNativeSeparators(ruta), *problema));
        return false;
    }
    const QString absoluta = QFileInfo(ruta).absoluteFilePath();
    Recuerda(absoluta);
    Empieza(d, absoluta);
    return true;
}

std::optional<QString> frmContenedor::Lee(const QString& ruta, DocumentoSitio& d) const
{
    return LeeArchivo(v_, ruta, d);
}

bool frmContenedor::mnuGuardar_Click()
{
    return archivo_.isEmpty() ? mnuGuardarComo_Click() : GuardaEn(archivo_);
}

bool frmContenedor::mnuGuardarComo_Click()
{
    const QString carpeta = archivo_.isEmpty() ? LeeAjuste(ClaveCarpeta).toString() : archivo_;
    QString ruta = QFileDialog::getSaveFileName(this, Texto(v_, 1680), carpeta, Texto(v_, 1677));
    if (ruta.isEmpty())
        return false;
    if (QFileInfo(ruta).suffix().isEmpty())
        ruta += QStringLiteral(".hidrela");
    GuardaAjuste(ClaveCarpeta, QFileInfo(ruta).absolutePath());
    return GuardaEn(ruta);
}

bool frmContenedor::NadaSeQueda()
{
    auto* entrada = qobject_cast<frmEscorrentia*>(nav_.Ventana(ventana::Escorrentia));
    QString mensaje;
    QLineEdit* campo = entrada ? entrada->NoNumerico(mensaje) : nullptr;
    if (!campo)
        return true;
    if (Elige(TituloPrograma(), mensaje + QStringLiteral("\n\n") + Texto(v_, 1824),
              {Texto(v_, 1825), Texto(v_, 1826)}) == 0)
        return true;
    nav_.Muestra(ventana::Escorrentia);
    campo->setFocus();
    campo->selectAll();
    return false;
}

bool frmContenedor::GuardaEn(const QString& ruta)
{
    // Text that is no number cannot be kept: the user hears of it first.
    if (!NadaSeQueda())
        return false;
    const DocumentoSitio d = Actual();
    const std::string texto = EscribeArchivoSitio(d);
    // A failure on the way leaves the old file as it was.
    if (const std::optional<QString> fallo = EscribeEntero(ruta, QByteArray::fromStdString(texto), v_)) {
        Mensaje(Icono::Aviso, TituloPrograma(), Texto(v_, 1671).arg(QDir::toNativeSeparators(ruta), *fallo));
        ActualizaTitulo();
        return false;
    }
    archivo_ = QFileInfo(ruta).absoluteFilePath();
    guardado_ = d;
    Recuerda(archivo_);
    ActualizaTitulo();
    return true;
}

void frmContenedor::Recuerda(const QString& ruta)
{
    QStringList lista = Recientes();
    lista.removeAll(ruta);
    lista.prepend(ruta);
    FijaRecientes(lista.mid(0, MaxRecientes));
    ListaRecientes();
}

void frmContenedor::ListaRecientes()
{
    for (QAction* a : mnuArchivo_->actions())
        if (a->objectName().startsWith(QLatin1String("mnuReciente")))
            delete a;
    const QStringList lista = Recientes();
    mnuBarra3_->setVisible(!lista.isEmpty());
    const qsizetype n = std::min<qsizetype>(lista.size(), MaxRecientes);
    QStringList nombres;
    for (qsizetype i = 0; i < n; ++i)
        nombres << QFileInfo(lista[i]).fileName();
    for (qsizetype i = 0; i < n; ++i) {
        const QString ruta = lista[i];
        // Two files of one name in different folders are told apart by their paths.
        const QString nombre = nombres.count(nombres[i]) > 1 ? QDir::toNativeSeparators(ruta) : nombres[i];
        QAction* a = mnuArchivo_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(nombre));
        a->setObjectName(QStringLiteral("mnuReciente(%1)").arg(i));
        a->setToolTip(QDir::toNativeSeparators(ruta));
        connect(a, &QAction::triggered, this, [this, ruta] {
            if (!QFileInfo::exists(ruta)) {
                Mensaje(Icono::Aviso, TituloPrograma(), Texto(v_, 1681).arg(QDir::toNativeSeparators(ruta)));
                QStringList resto = Recientes();
                resto.removeAll(ruta);
                FijaRecientes(resto);
                ListaRecientes();
                return;
            }
            PideAbrir(ruta);
        });
    }
}

void frmContenedor::mnuPropiedades_Click()
{
    QDialog d(this);
    d.setObjectName(ventana::Propiedades);
    d.setWindowTitle(Texto(v_, 1685));
    auto* txtNombre = new QLineEdit(QString::fromStdString(v_.Documento.nombre), &d);
    txtNombre->setObjectName(QStringLiteral("txtNombre"));
    auto* txtNotas = new QPlainTextEdit(QString::fromStdString(v_.Documento.notas), &d);
    txtNotas->setObjectName(QStringLiteral("txtNotas"));
    auto* botones = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &d);
    botones->button(QDialogButtonBox::Ok)->setText(Texto(v_, 1686));
    botones->button(QDialogButtonBox::Cancel)->setText(Texto(v_, 1676));
    auto* forma = new QFormLayout(&d);
    forma->addRow(Texto(v_, 1683), txtNombre);
    forma->addRow(Texto(v_, 1684), txtNotas);
    forma->addRow(botones);
    // A text the file could not hold would make a site that never opens again.
    connect(botones, &QDialogButtonBox::accepted, &d, [&] {
        for (const auto& [texto, rotulo] : {std::pair{txtNombre->text(), 1683}, {txtNotas->toPlainText(), 1684}})
            if (static_cast<std::size_t>(texto.toUtf8().size()) > MaximoTextoSitio) {
                Mensaje(Icono::Aviso, TituloPrograma(), Texto(v_, 1819).arg(Texto(v_, rotulo)));
                return;
            }
        d.accept();
    });
    connect(botones, &QDialogButtonBox::rejected, &d, &QDialog::reject);
    d.resize(420, 300);
    if (d.exec() != QDialog::Accepted)
        return;
    v_.Documento.nombre = txtNombre->text().toStdString();
    v_.Documento.notas = txtNotas->toPlainText().toStdString();
    ActualizaTitulo();
}

void frmContenedor::dragEnterEvent(QDragEnterEvent* evento)
{
    if (!Soltado(evento->mimeData()).isEmpty())
        evento->acceptProposedAction();
}

void frmContenedor::dropEvent(QDropEvent* evento)
{
    const QString ruta = Soltado(evento->mimeData());
    if (ruta.isEmpty())
        return;
    evento->acceptProposedAction();
    // After the drag has ended: the prompt and the opening are modal.
    QTimer::singleShot(0, this, [this, ruta] { PideAbrir(ruta); });
}

// A checkable item toggles itself on a click; the item chosen always ends
// checked and the other unchecked, and the choice is written every time.
