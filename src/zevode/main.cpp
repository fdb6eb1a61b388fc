#include "common/Idioma.h"
#include "zevode/ServidorEnlace.h"
#include "zevode/TablaCN.h"
#include "zevode/TextosZevode.h"
#include "zevode/frmCurva.h"

#include <QApplication>
#include <QMessageBox>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zevode"));
    const int idioma = NumIdioma(LeeIdioma());
    TraduceQt(idioma);

    QString error;
    const QList<FilaCN> filas = TablaIncorporada(error);
    if (filas.isEmpty()) {
        QMessageBox::critical(nullptr, TextoZevode(idioma, TextoZ::Titulo),
                              TextoZevode(idioma, TextoZ::TablaDanada).arg(error));
        return 1;
    }

    ServidorEnlace enlace;
    switch (enlace.Escucha()) {
    case ServidorEnlace::Arranque::Escuchando:
        break;
    case ServidorEnlace::Arranque::OtroAbierto:
        // The running copy already serves the link; a second would only
        // confuse which window feeds the data window.
        QMessageBox::information(nullptr, TextoZevode(idioma, TextoZ::Titulo), TextoZevode(idioma, TextoZ::YaAbierto));
        return 0;
    case ServidorEnlace::Arranque::Fallo:
        QMessageBox::warning(nullptr, TextoZevode(idioma, TextoZ::Titulo),
                             TextoZevode(idioma, TextoZ::SinEnlace).arg(enlace.Error()));
        break;
    }

    frmCurva ventana(filas, idioma);
    QObject::connect(&ventana, &frmCurva::ValorCambiado, &enlace, &ServidorEnlace::Publica);
    ventana.show();
    return QApplication::exec();
}
