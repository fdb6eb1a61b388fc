#include "app/Arranque.h"
#include "app/AyudaLinea.h"
#include "app/Informe.h"
#include "common/Idioma.h"

#include <QApplication>

int main(int argc, char** argv)
{
    if (const std::optional<int> estado = AyudaSinVentanas(argc, argv))
        return *estado;
    // A report from the shell needs no display: without one, or a platform
    // chosen by the user, it is drawn offscreen.
    if (PideInforme(argc, argv) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(NombreAjustes);
    QApplication::setDesktopFileName(QStringLiteral("hidrela"));
    const QStringList argumentos = QApplication::arguments();
    if (const std::optional<int> estado = InformeSinVentanas(argumentos))
        return *estado;
    // `hidrela FILE` opens a site file; Qt has taken its own options out.
    const auto sesion = Arrancar(argumentos.size() > 1 ? argumentos.at(1) : QString());
    return QApplication::exec();
}
