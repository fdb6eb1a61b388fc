#include "storms/Escenario.h"

#include "common/Catalogo.h"
#include "common/Mensajes.h"
#include "common/Variables.h"
#include "model/Rangos.h"
#include "widgets/CampoNumerico.h"

#include <QComboBox>
#include <QEvent>
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

void HazCampoAguacero(QLineEdit* campo, const Variables& v, std::function<void()> alEntrar)
{
    HazCampoNumerico(campo, v, VarianteCampo::B, 1);
    new EntradaAguacero(campo, std::move(alEntrar));
}

QComboBox* ListaHumedad(QWidget* padre)
{
    auto* lista = new QComboBox(padre);
    lista->setObjectName(QStringLiteral("lstHumedad"));
    lista->addItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
    lista->setCurrentIndex(-1);
    return lista;
}

std::optional<TormentaLeida> LeeTormenta(const Variables& v, QLineEdit* txtPrecip, QComboBox* lstHumedad,
                                         Tormenta tormenta)
{
    const std::optional<double> P = NumeroLocal(v, Tag(txtPrecip));
    if (!P) {
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
