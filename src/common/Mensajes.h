#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Every message box, question and beep of the program goes through these
// functions, so that a test can record them and answer at once.

enum class Icono { Ninguno, Informacion, Aviso };

using FuncionMensaje = std::function<void(Icono icono, const QString& titulo, const QString& texto)>;
using FuncionPitido = std::function<void()>;
// True for the first answer (`si`).
using FuncionPregunta =
    std::function<bool(const QString& titulo, const QString& texto, const QString& si, const QString& no)>;
// The index of the answer chosen; the last (the one that cancels) when the
// box is closed otherwise.
using FuncionEleccion = std::function<int(const QString& titulo, const QString& texto, const QStringList& botones)>;

// The program's own title: the main window's caption and the title of the
// plain message boxes.
QString TituloPrograma();

// A modal box with an OK button.
void Mensaje(Icono icono, const QString& titulo, const QString& texto);
void Pitido();
// A modal question with two answers named in the program's language; No is
// the default, and Escape answers it.
bool Pregunta(const QString& titulo, const QString& texto, const QString& si, const QString& no);
// A modal question with a button for each answer; the first is the default,
// and Escape answers the last.
int Elige(const QString& titulo, const QString& texto, const QStringList& botones);

// Replace the real box or beep; each returns the one it replaces.
FuncionMensaje CambiaMensaje(FuncionMensaje nueva);
FuncionPitido CambiaPitido(FuncionPitido nueva);
FuncionPregunta CambiaPregunta(FuncionPregunta nueva);
FuncionEleccion CambiaEleccion(FuncionEleccion nueva);
