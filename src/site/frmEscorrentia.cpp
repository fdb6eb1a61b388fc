#include "site/frmEscorrentia.h"

#include "app/Navegacion.h"
#include "app/Variables.h"
#include "text/Catalogo.h"

#include <QCloseEvent>

frmEscorrentia::frmEscorrentia(Variables& v, Navegacion& nav, QWidget* parent) : QWidget(parent), v_(v), nav_(nav)
{
    setObjectName(QStringLiteral("frmEscorrentía"));
    setWindowTitle(CargaTexto(v_, 57));
    resize(720, 520);
}

void frmEscorrentia::closeEvent(QCloseEvent* evento)
{
    // Every later window depends on this one's data: they all go with it.
    nav_.DescargaTodasMenosPrincipal();
    QWidget::closeEvent(evento);
}
