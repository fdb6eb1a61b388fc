#pragma once

#include <QObject>

// Word that the document in Variables changed. A window that accepts a value
// writes it into the document and says so (Cambiado): the main window knows
// from the document whether the work is saved, and results computed from
// other data are marked out of date. Parts filled from outside the windows
// that show them, as an import fills the series and the year, are announced
// with Llenado: those windows read them again and compute them. A
// computation done (Calculado) can make results elsewhere current or out of
// date without any change to the document.
class AvisoDocumento : public QObject {
    Q_OBJECT

  public:
    void Anota() { emit Cambiado(); }
    void Anuncia() { emit Llenado(); }
    void AvisaCalculo() { emit Calculado(); }

  signals:
    void Cambiado();
    void Llenado();
    void Calculado();
};
