#include "common/Mensajes.h"

#include <QApplication>
#include <QMessageBox>

#include <utility>

namespace {

void CajaReal(Icono icono, const QString& titulo, const QString& texto)
{
    const QMessageBox::Icon i = icono == Icono::Informacion ? QMessageBox::Information
                                : icono == Icono::Aviso     ? QMessageBox::Warning
                                                            : QMessageBox::NoIcon;
    QMessageBox caja(i, titulo, texto, QMessageBox::Ok, QApplication::activeWindow());
    caja.exec();
}

FuncionMensaje& Caja()
{
    static FuncionMensaje f = CajaReal;
    return f;
}

FuncionPitido& Pito()
{
    static FuncionPitido f = [] { QApplication::beep(); };
    return f;
}

} // namespace

QString TituloPrograma()
{
    return QStringLiteral("HIDRELA");
}

void Mensaje(Icono icono, const QString& titulo, const QString& texto)
{
    Caja()(icono, titulo, texto);
}

void Pitido()
{
    Pito()();
}

FuncionMensaje CambiaMensaje(FuncionMensaje nueva)
{
    return std::exchange(Caja(), std::move(nueva));
}

FuncionPitido CambiaPitido(FuncionPitido nueva)
{
    return std::exchange(Pito(), std::move(nueva));
}
