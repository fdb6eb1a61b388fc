#include "app/Arranque.h"
#include "app/AyudaLinea.h"
#include "app/Informe.h"
#include "common/Idioma.h"

#include <QApplication>

int main(int argc, char** argv)
{
    const LineaOrdenes antes = LeeLineaOrdenes(ArgumentosDe(argc, argv));
    if (const std::optional<int> estado = AyudaSinVentanas(antes))
        return *estado;
    // A report from the shell needs no display: without one, or a platform
    // chosen by the user, it is drawn offscreen.
    if (antes.informe && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(NombreAjustes);
    QApplication::setDesktopFileName(QStringLiteral("hidrela"));
    // Read again once Qt has taken its own options (-platform…) out.
    const QStringList argumentos = QApplication::arguments();
    const LineaOrdenes ordenes = LeeLineaOrdenes(argumentos);
    if (ordenes.informe)
        return InformeSinVentanas(ordenes);
    // `hidrela FILE` opens a site file. A word the parser cannot read is
    // opened as one too, as it always was: a file named -x.hidrela, say.
    const auto sesion = Arrancar(ordenes.leida ? ordenes.sitios.value(0) : argumentos.value(1));
    return QApplication::exec();
}
