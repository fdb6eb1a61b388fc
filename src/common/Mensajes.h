#pragma once

#include <QString>

#include <functional>

// Every message box and every beep of the program goes through these two
// functions, so that a test can record them and answer at once.

enum class Icono { Ninguno, Informacion, Aviso };

using FuncionMensaje = std::function<void(Icono icono, const QString& titulo, const QString& texto)>;
using FuncionPitido = std::function<void()>;

// The program's own title: the main window's caption and the title of the
// plain message boxes.
QString TituloPrograma();

// A modal box with an OK button.
void Mensaje(Icono icono, const QString& titulo, const QString& texto);
void Pitido();

// Replace the real box or beep; each returns the one it replaces.
FuncionMensaje CambiaMensaje(FuncionMensaje nueva);
FuncionPitido CambiaPitido(FuncionPitido nueva);
