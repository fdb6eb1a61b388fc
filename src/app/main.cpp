#include "app/Arranque.h"
#include "common/Idioma.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(NombreAjustes);
    QApplication::setDesktopFileName(QStringLiteral("hidrela"));
    const auto sesion = Arrancar();
    return QApplication::exec();
}
