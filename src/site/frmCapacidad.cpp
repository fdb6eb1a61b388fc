#include "site/frmCapacidad.h"

#include "common/Catalogo.h"
#include "common/Mensajes.h"
#include "common/NombresVentanas.h"
#include "common/Variables.h"
#include "model/ModeloCN.h"
#include "widgets/CampoNumerico.h"
#include "widgets/Controles.h"

#include <QApplication>
#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace {

// The modal warning that the collecting area cannot hold what it sheds by
// itself; it proposes the capacity entered for the user to confirm or change.
class frmCapacidad : public QDialog {
  public:
    frmCapacidad(Variables& v, QWidget* parent)
        : QDialog(parent), v_(v), lblInforma_(new QLabel(this)), rotuloCapacidad_(new QLabel(this)),
          txtEntrada_(new QLineEdit(this)), cmdAceptar_(Boton(this, QStringLiteral("cmdAceptar")))
    {
        setObjectName(ventana::Capacidad);
        lblInforma_->setObjectName(QStringLiteral("lblInforma"));
        rotuloCapacidad_->setObjectName(QStringLiteral("Label2"));
        txtEntrada_->setObjectName(QStringLiteral("txtEntrada"));
        // Enter in the field moves on to the button; only Enter on the button,
        // a click or Space confirms.
        cmdAceptar_->setAutoDefault(false);

        lblInforma_->setWordWrap(true);
        rotuloCapacidad_->setBuddy(txtEntrada_);
        auto* rejilla = new QGridLayout(this);
        rejilla->addWidget(lblInforma_, 0, 0, 1, 3);
        rejilla->addWidget(rotuloCapacidad_, 1, 0);
        rejilla->addWidget(txtEntrada_, 1, 1);
        rejilla->addWidget(cmdAceptar_, 1, 2);
        rejilla->setSizeConstraint(QLayout::SetFixedSize);

        HazCampoNumerico(txtEntrada_, v_, VarianteCampo::A, 1, 20);
        PrevisualizaTeclas(this, v_);
        connect(cmdAceptar_, &QPushButton::clicked, this, &frmCapacidad::cmdAceptar_Click);

        // Load.
        v_.CapaConfirmada = false;
        const QString minimo = Texto(v_, 1543) + FormatoLocal(v_, v_.CapaMinima, 1) + Texto(v_, 1544);
        lblInforma_->setText(minimo + QStringLiteral("\r\n\r\n") + Texto(v_, 1545));
        // Wide enough for the minimum to stand on one line.
        lblInforma_->setMinimumWidth(std::max(380, lblInforma_->fontMetrics().horizontalAdvance(minimo) + 8));
        // Every digit the capacity needs to read back exactly, never in exponent form.
        FijaTag(txtEntrada_, ExactoLocal(v_, v_.CAPA, true));
        txtEntrada_->setText(Tag(txtEntrada_));
        setWindowTitle(Texto(v_, 1042));
        rotuloCapacidad_->setText(Texto(v_, 1043));
        cmdAceptar_->setText(Texto(v_, 1044));
        txtEntrada_->setFocus();
        Pitido();
    }

    const std::optional<ConfirmacionCapacidad>& Confirmada() const { return confirmada_; }

  private:
    void cmdAceptar_Click()
    {
        const std::optional<double> tecleada = NumeroLocal(v_, txtEntrada_->text());
        const std::optional<double> capa = tecleada ? CapacidadConfirmada(*tecleada) : std::nullopt;
        if (!capa) {
            txtEntrada_->setFocus();
            txtEntrada_->setText(Tag(txtEntrada_));
            txtEntrada_->setSelection(0, std::min<int>(10, static_cast<int>(txtEntrada_->text().size())));
            return;
        }
        confirmada_ = ConfirmacionCapacidad{*capa, Tag(txtEntrada_)};
        v_.CAPA = *capa;
        v_.CapaConfirmada = true;
        accept();
    }

    Variables& v_;
    std::optional<ConfirmacionCapacidad> confirmada_;
    QLabel* lblInforma_;
    QLabel* rotuloCapacidad_;
    QLineEdit* txtEntrada_;
    QPushButton* cmdAceptar_;
};

} // namespace

std::optional<ConfirmacionCapacidad> ComprobarCapacidad(Variables& v, QWidget* llamante)
{
    frmCapacidad ventana(v, llamante ? llamante->window() : QApplication::activeWindow());
    ventana.exec();
    return ventana.Confirmada();
}
