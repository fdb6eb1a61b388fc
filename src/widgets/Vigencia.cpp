#include "widgets/Vigencia.h"

#include "common/Catalogo.h"
#include "common/Variables.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QPalette>

namespace {

// The entry window's button and caption.
constexpr int BotonSitio = 1071, VentanaSitio = 1057;

bool MismoSitio(const DocumentoSitio& a, const DocumentoSitio& b)
{
    return a.datos == b.datos && a.complejo == b.complejo && (!a.complejo || a.zonas == b.zonas);
}

bool MismosPropios(const DocumentoSitio& a, const DocumentoSitio& b, DatosDe d)
{
    switch (d) {
    case DatosDe::Sitio:
        return true;
    case DatosDe::Aguacero:
        return a.PAguacero == b.PAguacero && a.CondAguacero == b.CondAguacero;
    case DatosDe::Serie:
        return a.serie == b.serie;
    case DatosDe::Anio:
    case DatosDe::Disponibilidad:
        return a.caso == b.caso && a.meses == b.meses;
    }
    return true;
}

QString SinAcceso(QString s)
{
    return s.remove(QLatin1Char('&'));
}

} // namespace

Vigencia::Vigencia(QWidget* resultados, const Variables& v, DatosDe datos, QList<QWidget*> controles, int boton,
                   int ventana)
    : QObject(resultados), v_(v), datos_(datos), controles_(std::move(controles)), boton_(boton), ventana_(ventana),
      aviso_(new QLabel(resultados))
{
    setObjectName(QStringLiteral("Vigencia"));
    aviso_->setObjectName(QStringLiteral("lblCaducado"));
    aviso_->setWordWrap(true);
    QPalette p = aviso_->palette();
    p.setColor(QPalette::WindowText, QColor(0xa0, 0x30, 0x00));
    aviso_->setPalette(p);
    aviso_->hide();
    resultados->installEventFilter(this);
}

void Vigencia::Anota()
{
    calculado_ = v_.CalculadoDe[static_cast<std::size_t>(datos_)];
    Revisa();
}

void Vigencia::Revisa()
{
    caducada_ = false;
    // The site first: while its data differ from those last computed, only
    // the entry window's button helps.
    bool sitio = false;
    if (const auto ahora = calculado_ && v_.DatosActuales ? v_.DatosActuales() : std::nullopt) {
        caducada_ = !MismoSitio(*ahora, *calculado_) || !MismosPropios(*ahora, *calculado_, datos_);
        const auto& ultimo = v_.CalculadoDe[static_cast<std::size_t>(DatosDe::Sitio)];
        sitio = !ultimo || !MismoSitio(*ahora, *ultimo);
    }
    for (QWidget* c : controles_)
        c->setEnabled(!caducada_);
    if (caducada_)
        aviso_->setText(Texto(v_, 1855).arg(SinAcceso(Texto(v_, sitio ? BotonSitio : boton_)),
                                            Texto(v_, sitio ? VentanaSitio : ventana_)));
    aviso_->setVisible(caducada_);
}

bool Vigencia::eventFilter(QObject* objeto, QEvent* evento)
{
    if (evento->type() == QEvent::Show)
        Revisa();
    return QObject::eventFilter(objeto, evento);
}

void AnotaCalculo(Variables& v, DatosDe d)
{
    auto& calculado = v.CalculadoDe[static_cast<std::size_t>(d)];
    calculado.reset();
    if (v.DatosActuales)
        calculado = v.DatosActuales();
    const auto& sitio = v.CalculadoDe[static_cast<std::size_t>(DatosDe::Sitio)];
    if (calculado && sitio && d != DatosDe::Sitio) {
        calculado->datos = sitio->datos;
        calculado->complejo = sitio->complejo;
        calculado->zonas = sitio->zonas;
    }
    v.Aviso->AvisaCalculo();
}

void RevisaVigencias()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        for (Vigencia* r : w->findChildren<Vigencia*>())
            r->Revisa();
}
