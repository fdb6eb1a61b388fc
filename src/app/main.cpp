#include "app/Arranque.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Hidrela20"));
    QApplication::setDesktopFileName(QStringLiteral("hidrela"));
    const auto sesion = Arrancar();
    return QApplication::exec();
}
