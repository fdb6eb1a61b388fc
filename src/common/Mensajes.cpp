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

int EligeReal(const QString& titulo, const QString& texto, const QStringList& botones)
{
    QMessageBox caja(QMessageBox::Question, titulo, texto, QMessageBox::NoButton, QApplication::activeWindow());
    QList<QAbstractButton*> lista;
    for (qsizetype i = 0; i < botones.size(); ++i)
        lista << caja.addButton(botones[i], i + 1 == botones.size() ? QMessageBox::RejectRole
                                            : i == 0                ? QMessageBox::AcceptRole
                                                                    : QMessageBox::DestructiveRole);
    if (!lista.isEmpty()) {
        caja.setDefaultButton(qobject_cast<QPushButton*>(lista.first()));
        caja.setEscapeButton(lista.last());
    }
    caja.exec();
    const auto i = lista.indexOf(caja.clickedButton());
    return static_cast<int>(i < 0 ? botones.size() - 1 : i);
}

FuncionEleccion& Eleccion()
{
    static FuncionEleccion f = EligeReal;
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

int Elige(const QString& titulo, const QString& texto, const QStringList& botones)
{
    return Eleccion()(titulo, texto, botones);
}

FuncionEleccion CambiaEleccion(FuncionEleccion nueva)
{
    return std::exchange(Eleccion(), std::move(nueva));
}

FuncionPregunta CambiaPregunta(FuncionPregunta nueva)
{
    return std::exchange(Duda(), std::move(nueva));
}
