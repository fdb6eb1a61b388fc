#include "app/ImportaLluvia.h"

#include "annual/RejillaAnual.h"
#include "common/Catalogo.h"
#include "common/Mensajes.h"
#include "common/Navegacion.h"
#include "common/Variables.h"
#include "storms/frmImportaLluvia.h"
#include "storms/frmSerie.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

void ImportaLluvia(Variables& v, Navegacion& nav, QWidget* padre, QString ruta)
{
    if (ruta.isEmpty())
        ruta = QFileDialog::getOpenFileName(padre, Texto(v, 1775), QString(), Texto(v, 1776));
    if (ruta.isEmpty())
        return;
    const QString archivo = QDir::toNativeSeparators(ruta);
    RegistroLluvia registro;
    if (const std::optional<FalloLluvia> f = LeeArchivoLluvia(QFile::encodeName(ruta).toStdString(), registro)) {
        Mensaje(Icono::Informacion, QStringLiteral("Error"), TextoFallo(v, *f, archivo));
        return;
    }
    frmImportaLluvia dialogo(v, archivo, std::move(registro), padre);
    if (dialogo.exec() != QDialog::Accepted)
        return;
    const ResultadoLluvia& r = dialogo.Resultado();
    v.Documento.importacion = ImportacionLluvia{QFileInfo(ruta).fileName().toStdString(), dialogo.Eleccion()};
    if (auto* anual = nav.Muestra(QStringLiteral("frmAnual")))
        if (auto* rejilla = anual->findChild<RejillaAnual*>())
            rejilla->Llena(r.anio);
    if (auto* serie = qobject_cast<frmSerie*>(nav.Muestra(QStringLiteral("frmSerie"))))
        serie->Carga(r.serie);
}
