#include "app/Arranque.h"
#include "common/Idioma.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(NombreAjustes);
    QApplication::setDesktopFileName(QStringLiteral("hidrela"));
    // `hidrela FILE` opens a site file; Qt has taken its own options out.
    const QStringList argumentos = QApplication::arguments();
    const auto sesion = Arrancar(argumentos.size() > 1 ? argumentos.at(1) : QString());
    return QApplication::exec();
}
