#include "app/ImportaLluvia.h"

#include "common/Catalogo.h"
#include "common/Mensajes.h"
#include "common/Navegacion.h"
#include "common/NombresVentanas.h"
#include "common/Variables.h"
#include "storms/frmImportaLluvia.h"

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
    // Read once; the dialog reads the text again for every choice.
    std::string texto;
    std::optional<FalloLluvia> f = LeeTextoLluvia(QFile::encodeName(ruta).toStdString(), texto);
    if (!f)
        if (const int linea = LineaNoTexto(texto)) {
            f = FalloLluvia{};
            f->error = ErrorLluvia::NoEsTexto;
            f->linea = linea;
        }
    if (f) {
        Mensaje(Icono::Informacion, QStringLiteral("Error"), TextoFallo(v, *f, archivo));
        return;
    }
    frmImportaLluvia dialogo(v, archivo, std::move(texto), padre);
    if (dialogo.exec() != QDialog::Accepted)
        return;
    const ResultadoLluvia& r = dialogo.Resultado();
    const RegistroLluvia& registro = dialogo.Registro();
    ImportacionLluvia i{QFileInfo(ruta).fileName().toStdString(), dialogo.Eleccion(), dialogo.Formato(), {}};
    i.resumen = ImportacionLluvia::Resumen{r.desde,
                                           r.hasta,
                                           r.dias,
                                           r.faltan,
                                           static_cast<int>(r.serie.size()),
                                           r.aniosMedia,
                                           r.filasAjustadas,
                                           registro.columnaFecha,
                                           registro.columnaProfundidad};
    v.Documento.importacion = std::move(i);
    v.Documento.meses = r.anio;
    if (!r.serie.empty())
        v.Documento.serie = r.serie;
    // Both windows open, read what was filled and compute it.
    nav.Muestra(ventana::Anual);
    nav.Muestra(ventana::Serie);
    v.Aviso->Anuncia();
}
