#include "app/frmPresentacion.h"

#include "common/Catalogo.h"
#include "common/Idioma.h"
#include "common/Navegacion.h"
#include "common/NombresVentanas.h"
#include "common/Variables.h"
#include "widgets/Colocacion.h"
#include "widgets/Controles.h"

#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>
#include <QTimer>

namespace {

// Credit lines: the same in both languages.
const char* const AutorLargo = "HIDRELA";
const char* const Programacion = "HIDRELA · C++20 / Qt 6";
const char* const AutorCorto = "HIDRELA";
const char* const Colaboradores = "HIDRELA";

const QColor VerdeClaro(0x6a, 0xae, 0x3a);
const QColor VerdeOscuro(0x1f, 0x5c, 0x1a);

QLabel* EtiquetaEn(QWidget* padre, const QString& nombre, const QRect& sitio, int puntos = 9, bool negrita = false)
{
    QLabel* l = Etiqueta(padre, nombre);
    l->setGeometry(sitio);
    QFont f = l->font();
    f.setPointSize(puntos);
    f.setBold(negrita);
    l->setFont(f);
    return l;
}

QLabel* DibujoSvg(QWidget* padre, const QString& nombre, const QRect& sitio, const QString& recurso)
{
    QLabel* l = Etiqueta(padre, nombre);
    l->setGeometry(sitio);
    QPixmap pm(sitio.size());
    pm.fill(Qt::transparent);
    QSvgRenderer svg(recurso);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    svg.render(&p, QRectF(pm.rect()));
    p.end();
    l->setPixmap(pm);
    return l;
}

QFrame* LineaEn(QWidget* padre, const QString& nombre, const QRect& sitio)
{
    QFrame* l = Linea(padre, nombre);
    l->setGeometry(sitio);
    l->setStyleSheet(QStringLiteral("color: #1f5c1a;"));
    return l;
}

void Color(QLabel* l, const QColor& c)
{
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, c);
    l->setPalette(p);
}

} // namespace

frmPresentacion::frmPresentacion(Variables& v, Navegacion& nav, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), v_(v), nav_(nav)
{
    setObjectName(ventana::Presentacion);
    setFixedSize(620, 420);
    setAutoFillBackground(true);
    QPalette fondo = palette();
    fondo.setColor(QPalette::Window, QColor(0xfb, 0xfa, 0xf3));
    fondo.setColor(QPalette::WindowText, QColor(0x20, 0x2a, 0x1c));
    setPalette(fondo);
    // The language of the run first: the texts below are in it.
    AplicaReglaIdioma(v_);

    // Decoration first, so that it lies beneath the texts.
    ConstruyeDecoracion();
    const QFont cursiva = ConstruyeTitulo();
    ConstruyeCreditos(cursiva);

    cierre_ = new QTimer(this);
    cierre_->setObjectName(QStringLiteral("Timer1"));
    cierre_->setSingleShot(true);
    cierre_->setInterval(30000);
    connect(cierre_, &QTimer::timeout, this, &frmPresentacion::Cierra);
    cierre_->start();

    // Clicks close the screen only on its surface, Image1, Label1 and the
    // credit names; every other label or picture takes the click and keeps it.
    // Lines and shapes let it through to the surface.
    for (QWidget* w : findChildren<QWidget*>()) {
        if (qobject_cast<QLabel*>(w))
            w->installEventFilter(this);
        else
            w->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    figBorde_->raise();

    CentraEnPantalla(this);
}

// The shaded band of the title, the border and the pictures.
void frmPresentacion::ConstruyeDecoracion()
{
    auto* Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setGeometry(12, 12, 596, 104);
    Shape1->setStyleSheet(QStringLiteral("background: #e6f1da; border: 1px solid #b9d6a0; border-radius: 8px;"));
    figBorde_ = new QFrame(this);
    figBorde_->setObjectName(QStringLiteral("figBorde"));
    figBorde_->setStyleSheet(QStringLiteral("#figBorde { border: 3px solid #1f5c1a; background: transparent; }"));
    figBorde_->setGeometry(rect());

    auto* Image1 =
        DibujoSvg(this, QStringLiteral("Image1"), QRect(24, 20, 88, 88), QStringLiteral(":/presentacion/emblema.svg"));
    auto* Image2 = DibujoSvg(this, QStringLiteral("Image2"), QRect(336, 150, 260, 156),
                             QStringLiteral(":/presentacion/ladera.svg"));
    DibujoSvg(this, QStringLiteral("Image3"), QRect(452, 336, 64, 64), QStringLiteral(":/presentacion/gota.svg"));
    DibujoSvg(this, QStringLiteral("Image4"), QRect(528, 336, 64, 64), QStringLiteral(":/presentacion/planton.svg"));
    Image2->setFrameShape(QFrame::Box);
    Image2->setStyleSheet(QStringLiteral("border: 1px solid #b9d6a0;"));
    clicables_.append(Image1);
}

// The product's name, shadowed, its title and subtitle; the italic font of
// the subtitle, which a credit line shares.
QFont frmPresentacion::ConstruyeTitulo()
{
    auto* Label5 = EtiquetaEn(this, QStringLiteral("Label5"), QRect(130, 19, 320, 62), 40, true);
    auto* Label1 = EtiquetaEn(this, QStringLiteral("Label1"), QRect(128, 22, 320, 62), 40, true);
    Color(Label5, VerdeOscuro);
    Color(Label1, VerdeClaro);
    auto* Label8 = EtiquetaEn(this, QStringLiteral("Label8"), QRect(130, 84, 470, 24), 12, true);
    Color(Label8, VerdeOscuro);
    auto* Label2 = EtiquetaEn(this, QStringLiteral("Label2"), QRect(24, 120, 572, 24), 10);
    Label2->setAlignment(Qt::AlignCenter);
    QFont cursiva = Label2->font();
    cursiva.setItalic(true);
    Label2->setFont(cursiva);

    Label1->setText(QStringLiteral("HIDRELA"));
    Label5->setText(QStringLiteral("HIDRELA"));
    Label2->setText(Texto(v_, 1137));
    Label8->setText(Texto(v_, 1136));
    clicables_.append(Label1);
    return cursiva;
}

// Authors, versions and collaborators.
void frmPresentacion::ConstruyeCreditos(const QFont& cursiva)
{
    auto* Label6 = EtiquetaEn(this, QStringLiteral("Label6"), QRect(24, 162, 104, 20), 9, true);
    auto* Autor0 = EtiquetaEn(this, QStringLiteral("lblAutor(0)"), QRect(128, 162, 204, 20));
    auto* Label7 = EtiquetaEn(this, QStringLiteral("Label7"), QRect(24, 190, 104, 20), 9, true);
    auto* Autor1 = EtiquetaEn(this, QStringLiteral("lblAutor(1)"), QRect(128, 190, 204, 20));
    auto* Autor2 = EtiquetaEn(this, QStringLiteral("lblAutor(2)"), QRect(336, 308, 260, 18), 8);
    Autor2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Autor2->setFont(cursiva);
    auto* Label3 = EtiquetaEn(this, QStringLiteral("Label3"), QRect(24, 226, 200, 20), 10, true);
    auto* Label4 = EtiquetaEn(this, QStringLiteral("Label4"), QRect(24, 248, 200, 20));
    auto* Label9 = EtiquetaEn(this, QStringLiteral("Label9"), QRect(24, 276, 308, 20));
    auto* Line1 = LineaEn(this, QStringLiteral("Line1"), QRect(24, 285, 130, 2));
    auto* Line2 = LineaEn(this, QStringLiteral("Line2"), QRect(202, 285, 130, 2));
    auto* Label10 = EtiquetaEn(this, QStringLiteral("Label10"), QRect(24, 300, 308, 20), 8);
    LineaEn(this, QStringLiteral("Line3"), QRect(24, 326, 572, 2));
    auto* lblEncabezado = EtiquetaEn(this, QStringLiteral("lblEncabezado"), QRect(24, 338, 410, 48));

    if (v_.Idioma == IdiomaIngles) {
        Line1->hide();
        Line2->hide();
    }
    Label6->setText(Texto(v_, 1138));
    Autor0->setText(QString::fromUtf8(AutorLargo));
    Label7->setText(Texto(v_, 1139));
    Autor1->setText(QString::fromUtf8(Programacion));
    Autor2->setText(QString::fromUtf8(AutorCorto));
    Label4->setText(Texto(v_, 1141));
    Label3->setText(Texto(v_, 1140));
    Label9->setText(Texto(v_, 1547));
    Label10->setText(Texto(v_, 1548));
    lblEncabezado->setText(Texto(v_, 1135) + QLatin1Char('\n') + QLatin1Char(' ') + QString::fromUtf8(Colaboradores));
    clicables_.append({Autor0, Autor1, Autor2});
}

bool frmPresentacion::eventFilter(QObject* objeto, QEvent* evento)
{
    switch (evento->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        return true;
    case QEvent::MouseButtonRelease: {
        auto* w = static_cast<QWidget*>(objeto);
        const auto* e = static_cast<QMouseEvent*>(evento);
        if (clicables_.contains(w) && w->rect().contains(e->position().toPoint()))
            Cierra();
        return true;
    }
    default:
        return QWidget::eventFilter(objeto, evento);
    }
}

void frmPresentacion::mousePressEvent(QMouseEvent* evento)
{
    evento->accept();
}

void frmPresentacion::mouseReleaseEvent(QMouseEvent* evento)
{
    if (rect().contains(evento->position().toPoint()))
        Cierra();
}

void frmPresentacion::resizeEvent(QResizeEvent* evento)
{
    QWidget::resizeEvent(evento);
    figBorde_->setGeometry(rect());
}

void frmPresentacion::keyPressEvent(QKeyEvent* evento)
{
    switch (evento->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Space:
        Cierra();
        break;
    default:
        QWidget::keyPressEvent(evento);
    }
}

// Every way out ends here, closing from outside (the window manager, Alt+F4)
// included: the user is done with the presentation, not with the program.
// The timer and a click may both come; only the first hands over. The main
// window is shown before this one goes, so that the program never stands
// without a window and quits.
void frmPresentacion::closeEvent(QCloseEvent* evento)
{
    if (!cerrando_) {
        cerrando_ = true;
        cierre_->stop();
        nav_.Muestra(ventana::Contenedor);
    }
    QWidget::closeEvent(evento);
}

void frmPresentacion::Cierra()
{
    nav_.Descarga(ventana::Presentacion);
}
