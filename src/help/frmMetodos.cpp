#include "help/frmMetodos.h"

#include "common/Catalogo.h"
#include "common/Imagenes.h"
#include "common/NombresVentanas.h"
#include "common/Variables.h"
#include "widgets/Colocacion.h"
#include "widgets/Controles.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QStyleOptionButton>

namespace {

// Caption text of each method, by index 1..8.
constexpr std::array<int, 9> TextoMetodo{0, 1100, 1101, 1102, 1103, 1541, 1104, 1105, 1542};

constexpr int Columnas = 4;
constexpr int AnchoBoton = 184;
constexpr int AltoBoton = 92;
constexpr int Margen = 4; // beside the buttons
constexpr int Borde = 2;  // above, below and between the rows, inside the buttons
constexpr QSize Boceto(172, 60);
// The largest of the method pictures (108: 654 × 299).
constexpr QSize Dibujo(654, 299);

constexpr int AnchoCliente = Margen + Columnas * (AnchoBoton + Margen);
// The short window (3300 twips, some 192 pixels inside the frame) shows the two
// rows of buttons whole: a sketch and two lines of caption each.
constexpr int ArribaImagen = Borde + 2 * (AltoBoton + Borde);

// An option button in picture style: the method's profile sketch above its
// caption, sunk while chosen.
class BotonMetodo : public QAbstractButton {
  public:
    BotonMetodo(int indice, QWidget* padre) : QAbstractButton(padre)
    {
        setCheckable(true);
        setAutoExclusive(true);
        boceto_.load(QStringLiteral(":/imagenes/perfil%1.jpg").arg(indice), "JPG");
        QFont f = font();
        f.setPointSize(8);
        setFont(f);
    }

    QSize sizeHint() const override { return {AnchoBoton, AltoBoton}; }

  protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        QStyleOptionButton o;
        o.initFrom(this);
        const bool hundido = isChecked() || isDown();
        o.state |= hundido ? (QStyle::State_Sunken | QStyle::State_On) : QStyle::State_Raised;
        style()->drawControl(QStyle::CE_PushButtonBevel, &o, &p, this);

        const int d = hundido ? 1 : 0;
        const QRect sitio(QPoint((width() - Boceto.width()) / 2 + d, Borde + d), Boceto);
        if (!boceto_.isNull())
            p.drawPixmap(sitio, boceto_);
        const int arriba = sitio.bottom() + 1 + Borde;
        const QRect texto(Margen + d, arriba, width() - 2 * Margen, height() - arriba - Borde);
        style()->drawItemText(&p, texto, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, palette(), isEnabled(),
                              text(), QPalette::ButtonText);
        if (hasFocus()) {
            QStyleOptionFocusRect f;
            f.initFrom(this);
            f.rect = rect().adjusted(3, 3, -3, -3);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &f, &p, this);
        }
    }

  private:
    QPixmap boceto_;
};

} // namespace

frmMetodos::frmMetodos(Variables& v, QWidget* parent) : VentanaColocada(parent), v_(v)
{
    setObjectName(ventana::Metodos);

    // First in the tab order, below the part of the window that shows at load.
    capturaFoco_ = Etiqueta(this, QStringLiteral("Picture1"));
    capturaFoco_->setGeometry(Margen, ArribaImagen + Dibujo.height() + 40, 8, 8);
    capturaFoco_->setFocusPolicy(Qt::StrongFocus);
    capturaFoco_->installEventFilter(this);

    for (int i = 1; i <= 8; ++i) {
        auto* b = new BotonMetodo(i, this);
        b->setObjectName(QStringLiteral("opcMetodos(%1)").arg(i));
        const int fila = (i - 1) / Columnas;
        const int columna = (i - 1) % Columnas;
        b->setGeometry(Margen + columna * (AnchoBoton + Margen), Borde + fila * (AltoBoton + Borde), AnchoBoton,
                       AltoBoton);
        b->installEventFilter(this);
        connect(b, &QAbstractButton::clicked, this, [this, i] { opcMetodos_Click(i); });
        opcMetodos_[i] = b;

        QLabel* imagen = Etiqueta(this, QStringLiteral("Imagen(%1)").arg(i));
        imagen->setGeometry((AnchoCliente - Dibujo.width()) / 2, ArribaImagen, Dibujo.width(), Dibujo.height());
        imagen->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        imagen->hide();
        Imagen_[i] = imagen;
    }
    resize(AnchoCliente, ArribaImagen + Dibujo.height() + Margen);

    // Load.
    MetodoActual_ = 1;
    setWindowTitle(Texto(v_, 1099));
    for (int i = 1; i <= 8; ++i)
        opcMetodos_[i]->setText(Texto(v_, TextoMetodo[i]));
}

// Short: the eight buttons only.
void frmMetodos::AjustaMarco()
{
    FijaAlto(this, Pixeles(3300));
    if (capturaFoco_->isEnabled())
        capturaFoco_->setFocus(Qt::OtherFocusReason);
}

void frmMetodos::opcMetodos_Click(int i)
{
    Imagen_[MetodoActual_]->hide();
    CargaImagen(v_, 100 + i, Imagen_[i]);
    Imagen_[i]->show();
    MetodoActual_ = static_cast<qint16>(i);
    FijaAlto(this, Pixeles(7965));
}

void frmMetodos::capturaFoco_KeyUp()
{
    opcMetodos_[1]->setFocus(Qt::OtherFocusReason);
    capturaFoco_->setEnabled(false);
}

// The arrow keys move through the options in order, round the ends, and
// choose the option they reach, as in an option group.
void frmMetodos::Flecha(int desde, int paso)
{
    const int i = (desde - 1 + paso + 8) % 8 + 1;
    opcMetodos_[i]->setFocus(paso > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    opcMetodos_[i]->click();
}

bool frmMetodos::eventFilter(QObject* objeto, QEvent* evento)
{
    if (objeto == capturaFoco_) {
        if (evento->type() == QEvent::KeyRelease) {
            capturaFoco_KeyUp();
            return true;
        }
        return QWidget::eventFilter(objeto, evento);
    }
    if (evento->type() == QEvent::KeyPress) {
        for (int i = 1; i <= 8; ++i) {
            if (objeto != opcMetodos_[i])
                continue;
            switch (static_cast<QKeyEvent*>(evento)->key()) {
            case Qt::Key_Right:
            case Qt::Key_Down:
                Flecha(i, 1);
                return true;
            case Qt::Key_Left:
            case Qt::Key_Up:
                Flecha(i, -1);
                return true;
            default:
                break;
            }
        }
    }
    return QWidget::eventFilter(objeto, evento);
}
