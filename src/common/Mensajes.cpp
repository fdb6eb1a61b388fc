#include "common/Mensajes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

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

bool PreguntaReal(const QString& titulo, const QString& texto, const QString& si, const QString& no)
{
    QMessageBox caja(QMessageBox::Question, titulo, texto, QMessageBox::NoButton, QApplication::activeWindow());
    QPushButton* boton = caja.addButton(si, QMessageBox::YesRole);
    QPushButton* rehusa = caja.addButton(no, QMessageBox::NoRole);
    caja.setDefaultButton(rehusa);
    caja.setEscapeButton(rehusa);
    caja.exec();
    return caja.clickedButton() == boton;
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

FuncionPregunta& Duda()
{
    static FuncionPregunta f = PreguntaReal;
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

bool Pregunta(const QString& titulo, const QString& texto, const QString& si, const QString& no)
{
    return Duda()(titulo, texto, si, no);
}

FuncionMensaje CambiaMensaje(FuncionMensaje nueva)
{
    return std::exchange(Caja(), std::move(nueva));
}

FuncionPitido CambiaPitido(FuncionPitido nueva)
{
    return std::exchange(Pito(), std::move(nueva));
}

FuncionPregunta CambiaPregunta(FuncionPregunta nueva)
{
    return std::exchange(Duda(), std::move(nueva));
}
