#pragma once

#include <QString>
#include <QVariant>

struct Variables;

// The per-user settings store, shared by the program and the tables program.
// Its organisation name is also the application name the program runs under.
inline const QString NombreAjustes = QStringLiteral("Hidrela20");

// The two values the language setting takes, as the settings store keeps them.
inline const QString IdiomaEspanol = QStringLiteral("Español");
inline const QString IdiomaIngles = QStringLiteral("English");

// The language of the next session.
QString LeeIdioma();
void GuardaIdioma(const QString& valor);

// The keys of the store, every one of them.
inline const QString ClaveIdioma = QStringLiteral("Options/Language");
inline const QString ClaveRecientes = QStringLiteral("Files/Recent");
inline const QString ClaveCarpeta = QStringLiteral("Files/Folder");
inline const QString ClaveGeometria = QStringLiteral("Window/Geometry");
inline const QString ClaveMaximizada = QStringLiteral("Window/Maximized");

// Any other setting of the store, by key.
QVariant LeeAjuste(const QString& clave);
void GuardaAjuste(const QString& clave, const QVariant& valor);

// 1 for Spanish, 2 for English. Nothing stored means English; so does a value
// the program never writes, rather than leaving the run without a language.
int NumIdioma(const QString& valor);

// Sets Idioma and NumIdioma from the stored value and returns that value.
QString AplicaReglaIdioma(Variables& v);

// Qt's own texts (file dialogs, print preview, the fields' context menus) in
// the language `numIdioma` (1 Spanish, 2 English), replacing those of an
// earlier call. Whether they are in that language: Qt writes English itself,
// Spanish needs its translations installed.
bool TraduceQt(int numIdioma);
