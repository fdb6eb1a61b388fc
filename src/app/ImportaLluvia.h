#pragma once

#include <QString>

class Navegacion;
class QWidget;
struct Variables;

// File -> Import daily rainfall: the file chosen, read and previewed; on
// acceptance the series window shows the storms and the year window's grid
// takes the twelve months. A failure changes nothing. `ruta` skips the file
// dialog.
void ImportaLluvia(Variables& v, Navegacion& nav, QWidget* padre, QString ruta = QString());
