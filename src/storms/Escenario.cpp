#include "storms/Escenario.h"

#include "common/Catalogo.h"
#include "common/Mensajes.h"
#include "common/Variables.h"
#include "model/Rangos.h"
#include "widgets/CampoNumerico.h"
#include "widgets/Controles.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

class EntradaAguacero : public QObject {
  public:
    EntradaAguacero(QLineEdit* campo, std::function<void()> alEntrar)
        : QObject(campo), campo_(campo), alEntrar_(std::move(alEntrar))
    {
        // Installed after the common field behaviour, so it runs before it.
        campo->installEventFilter(this);
    }

    bool eventFilter(QObject* objeto, QEvent* evento) override
    {
        if (objeto == campo_ && evento->type() == QEvent::FocusIn) {
            if (alEntrar_)
                alEntrar_();
            campo_->setToolTip(QString());
        }
        return false;
    }

  private:
    QLineEdit* campo_;
    std::function<void()> alEntrar_;
};

} // namespace

EntradaTormenta HazEntradaTormenta(QWidget* padre, QGridLayout* rejilla, int fila, const Variables& v,
                                   std::function<void()> alEntrar)
{
    EntradaTormenta e;
    e.rotuloPrecip = Rotulo(padre, QStringLiteral("Label1"));
    e.txtPrecip = new QLineEdit(padre);
    e.txtPrecip->setObjectName(QStringLiteral("txtPrecip"));
    e.txtPrecip->setFixedWidth(90);
    e.txtPrecip->setAlignment(Qt::AlignRight);
    HazCampoNumerico(e.txtPrecip, v, VarianteCampo::B, 1);
    new EntradaAguacero(e.txtPrecip, std::move(alEntrar));
    e.rotuloHumedad = Rotulo(padre, QStringLiteral("Label2"));
    e.lstHumedad = new QComboBox(padre);
    e.lstHumedad->setObjectName(QStringLiteral("lstHumedad"));
    e.lstHumedad->addItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
    e.lstHumedad->setCurrentIndex(-1);
    e.lstHumedad->setFixedWidth(90);
    rejilla->addWidget(e.rotuloPrecip, fila, 0);
    rejilla->addWidget(e.txtPrecip, fila, 1);
    rejilla->addWidget(e.rotuloHumedad, fila + 1, 0);
    rejilla->addWidget(e.lstHumedad, fila + 1, 1);
    return e;
}

std::optional<TormentaLeida> LeeTormenta(const Variables& v, const EntradaTormenta& e, Tormenta tormenta)
{
    QLineEdit* txtPrecip = e.txtPrecip;
    QComboBox* lstHumedad = e.lstHumedad;
    const std::optional<double> P = NumeroLocal(v, Tag(txtPrecip));
    if (!P) {
        // Without a depth kept, text left in the field is what was refused.
        if (!txtPrecip->text().trimmed().isEmpty())
            Mensaje(Icono::Ninguno, TituloPrograma(), NoNumerico(v, e.rotuloPrecip, txtPrecip->text()));
        txtPrecip->setFocus();
        return std::nullopt;
    }
    if (const std::optional<FueraDeRango> f = CompruebaAguacero(*P, tormenta)) {
        Mensaje(Icono::Ninguno, TituloPrograma(), Texto(v, f->mensaje));
        txtPrecip->setFocus();
        return std::nullopt;
    }
    const std::optional<double> c = NumeroLocal(v, lstHumedad->currentText());
    if (!c) {
        lstHumedad->setFocus();
        return std::nullopt;
    }
    return TormentaLeida{*P, static_cast<int>(*c)};
}
