// The report's outputs: CSV, PDF, the preview and the report from the shell.
#include "app/Informe.h"

#include "app/AyudaLinea.h"
#include "common/Catalogo.h"
#include "common/Escritura.h"
#include "common/Idioma.h"
#include "common/Mensajes.h"
#include "common/Variables.h"
#include "widgets/CampoNumerico.h"
#include "widgets/Colocacion.h"
#include "widgets/Exportacion.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QTextStream>
#include <QTimer>
#include <QToolBar>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

using Tipo = BloqueInforme::Tipo;

QString Linea(const QStringList& celdas)
{
    QStringList campos;
    for (const QString& c : celdas)
        campos << CampoCSV(c);
    return campos.join(QLatin1Char(',')) + QLatin1Char('\n');
}

// The language and the separators of the report.
Variables Ajusta(const Variables& v, bool csv)
{
    Variables r;
    r.Idioma = v.Idioma;
    r.NumIdioma = v.NumIdioma;
    r.SepDecimal = csv ? QStringLiteral(".") : v.SepDecimal;
    return r;
}

void Configura(QPagedPaintDevice& d, const QPageSize& papel)
{
    d.setPageLayout(QPageLayout(papel, QPageLayout::Portrait, QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
}

} // namespace

QString CSVInforme(const std::vector<BloqueInforme>& bloques)
{
    QString s, titulo;
    for (const BloqueInforme& b : bloques) {
        if (b.tipo == Tipo::Titulo || b.tipo == Tipo::Apartado)
            titulo = b.texto;
        if (b.tipo != Tipo::Tabla)
            continue;
        if (!s.isEmpty())
            s += QLatin1Char('\n');
        // The section a table belongs to names it, on a line of its own.
        if (!titulo.isEmpty())
            s += Linea({titulo});
        titulo.clear();
        s += Linea(b.cabecera);
        for (const QStringList& f : b.filas)
            s += Linea(f);
    }
    return s;
}

QPageSize PapelPorDefecto()
{
    const QPrinterInfo impresora = QPrinterInfo::defaultPrinter();
    if (!impresora.isNull() && impresora.defaultPageSize().isValid())
        return impresora.defaultPageSize();
    return QPageSize(QLocale::system().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                                        : QPageSize::A4);
}

namespace {

// Paints the report into a file opened for it; false, with the reason in the
// writer, when it cannot be opened or a byte of it does not reach the disk.
bool PreparaPdf(EscrituraEntera& e, const Variables& v, const FuenteInforme& f, const QPageSize& papel)
{
    const Variables w = Ajusta(v, false);
    const std::vector<BloqueInforme> bloques = ContenidoInforme(w, f);
    QIODevice* d = e.Abre();
    if (!d)
        return false;
    {
        QPdfWriter pdf(d);
        Configura(pdf, papel);
        pdf.setTitle(Texto(w, 1779));
        pdf.setCreator(QStringLiteral("HIDRELA"));
        PintaInforme(pdf, bloques);
    }
    return e.Prepara();
}

bool PreparaCSV(EscrituraEntera& e, const Variables& v, const FuenteInforme& f)
{
    return e.Escribe(CSVInforme(ContenidoInforme(Ajusta(v, true), f)).toUtf8());
}

} // namespace

std::optional<QString> EscribePdf(const Variables& v, const FuenteInforme& f, const QString& ruta,
                                  const QPageSize& papel)
{
    EscrituraEntera e(ruta, v);
    if (!PreparaPdf(e, v, f, papel) || !e.Confirma())
        return e.Fallo();
    return std::nullopt;
}

std::optional<QString> EscribeCSV(const Variables& v, const FuenteInforme& f, const QString& ruta)
{
    EscrituraEntera e(ruta, v);
    if (!PreparaCSV(e, v, f) || !e.Confirma())
        return e.Fallo();
    return std::nullopt;
}

void PrevisualizaInforme(QWidget* padre, const Variables& v, const FuenteInforme& f)
{
    const std::vector<BloqueInforme> bloques = ContenidoInforme(v, f);
    QPrinter impresora(QPrinter::HighResolution);
    Configura(impresora, PapelPorDefecto());
    impresora.setDocName(Texto(v, 1779));
    QPrintPreviewDialog dialogo(&impresora, padre);
    dialogo.setWindowTitle(Texto(v, 1779));
    QObject::connect(&dialogo, &QPrintPreviewDialog::paintRequested, &dialogo,
                     [&bloques](QPrinter* p) { PintaInforme(*p, bloques); });

    QToolBar* barra = dialogo.findChild<QToolBar*>();
    if (barra && QPrinterInfo::availablePrinters().isEmpty()) {
        // The dialog's own print action is the one wired to the dialog's
        // print slot (its header declares it), whatever a translation of Qt
        // calls it. Cut off from it, and disabled, it says why instead.
        for (QAction* a : barra->actions())
            if (QObject::disconnect(a, SIGNAL(triggered(bool)), &dialogo, SLOT(_q_print()))) {
                a->setEnabled(false);
                a->setToolTip(Texto(v, 1790));
            }
    }
    if (barra) {
        QAction* pdf = barra->addAction(Texto(v, 1791));
        pdf->setObjectName(QStringLiteral("cmdPdf"));
        QObject::connect(pdf, &QAction::triggered, &dialogo, [&] {
            QString ruta = QFileDialog::getSaveFileName(&dialogo, Texto(v, 1792),
                                                        RutaPropuesta(v, QStringLiteral(".pdf")), Texto(v, 1793));
            if (ruta.isEmpty())
                return;
            if (QFileInfo(ruta).suffix().isEmpty())
                ruta += QStringLiteral(".pdf");
            RecuerdaCarpeta(ruta);
            if (const std::optional<QString> fallo = EscribePdf(v, f, ruta, impresora.pageLayout().pageSize()))
                Mensaje(Icono::Aviso, TituloPrograma(), Texto(v, 1798).arg(QDir::toNativeSeparators(ruta), *fallo));
        });
    }
    // Within the working area of its screen, caption included (900 x 800
    // would cross the foot of a 1280 x 800 screen).
    if (const QScreen* pantalla = padre && padre->screen() ? padre->screen() : QGuiApplication::primaryScreen())
        dialogo.resize(QSize(900, 800).boundedTo(pantalla->availableGeometry().size() - QSize(16, 48)));
    QTimer::singleShot(0, &dialogo, [&dialogo] { EncajaEnPantalla(&dialogo); });
    dialogo.exec();
}

int InformeSinVentanas(const LineaOrdenes& o)
{
    Variables v;
    AplicaReglaIdioma(v);
    // A language other than these two says its fault in English.
    if (!o.idioma.isEmpty())
        v.NumIdioma = static_cast<qint16>(o.idioma == QLatin1String("es") ? 1 : 2);
    const bool idiomaMal = !o.idioma.isEmpty() && o.idioma != QLatin1String("es") && o.idioma != QLatin1String("en");
    v.SepDecimal = BuscaSepDecimal();
    QTextStream error(stderr);
    // One site, and every word read: else the usage, as for a missing value.
    const QString sitio = o.sitios.value(0);
    if (!o.leida || o.sitios.size() > 1 || idiomaMal || sitio.isEmpty()) {
        error << Texto(v, 1796) << Qt::endl;
        return 2;
    }
    FuenteInforme f;
    if (const std::optional<QString> fallo = LeeArchivo(v, sitio, f.documento)) {
        error << Texto(v, 1661).arg(QDir::toNativeSeparators(sitio), *fallo) << Qt::endl;
        return 2;
    }
    f.archivo = QFileInfo(sitio).fileName();
    f.fecha = QDate::currentDate();
    // What the report leaves out is said here too; a site that cannot be
    // computed at all makes no report.
    bool sinSitio = false;
    for (const BloqueInforme& b : ContenidoInforme(v, f))
        if (b.tipo == BloqueInforme::Tipo::Aviso) {
            error << QDir::toNativeSeparators(sitio) << QStringLiteral(": ") << b.texto << Qt::endl;
            sinSitio = sinSitio || b.sinSitio;
        }
    if (sinSitio)
        return 2;
    // Both outputs or neither: each is made whole beside its place first,
    // and only then are they put there, devices first.
    std::vector<std::unique_ptr<EscrituraEntera>> salidas;
    for (const auto& [ruta, esPdf] : {std::pair{o.pdf, true}, std::pair{o.csv, false}}) {
        if (ruta.isEmpty())
            continue;
        auto& e = *salidas.emplace_back(std::make_unique<EscrituraEntera>(ruta, v));
        if (!(esPdf ? PreparaPdf(e, v, f, PapelPorDefecto()) : PreparaCSV(e, v, f))) {
            error << Texto(v, 1798).arg(QDir::toNativeSeparators(ruta), e.Fallo()) << Qt::endl;
            return 2;
        }
    }
    std::stable_partition(salidas.begin(), salidas.end(), [](const auto& e) { return e->Directa(); });
    for (const auto& e : salidas)
        if (!e->Confirma()) {
            error << Texto(v, 1798).arg(QDir::toNativeSeparators(e->Ruta()), e->Fallo()) << Qt::endl;
            return 2;
        }
    return 0;
}
