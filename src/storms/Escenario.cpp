#include "storms/Escenario.h"

#include "common/Catalogo.h"
#include "common/Mensajes.h"
#include "common/Variables.h"
#include "widgets/CampoNumerico.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

namespace {

class Centrado : public QObject {
  public:
    explicit Centrado(QWidget* ventana) : QObject(ventana) { ventana->installEventFilter(this); }

    bool eventFilter(QObject* objeto, QEvent* evento) override
    {
        if (evento->type() == QEvent::Show) {
            auto* ventana = static_cast<QWidget*>(objeto);
            if (auto* marco = qobject_cast<QMdiSubWindow*>(ventana->parentWidget())) {
                if (QMdiArea* area = marco->mdiArea()) {
                    // Never above or left of the area: the title bar stays reachable.
                    const QSize libre = area->viewport()->size() - marco->size();
                    marco->move(std::max(0, libre.width() / 2), std::max(0, libre.height() / 2));
                }
            }
            objeto->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};

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

QString TituloPrograma()
{
    return QStringLiteral("HIDRELA");
}

void CentraAlMostrar(QWidget* ventana)
{
    new Centrado(ventana);
}

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

QLabel* Rotulo(QWidget* padre, const QString& nombre)
{
    auto* l = new QLabel(padre);
    l->setObjectName(nombre);
    l->setWordWrap(true);
    return l;
}

QGroupBox* Grupo(QWidget* padre, const QString& nombre)
{
    auto* m = new QGroupBox(padre);
    m->setObjectName(nombre);
    return m;
}

QPushButton* Boton(QWidget* padre, const QString& nombre)
{
    auto* b = new QPushButton(padre);
    b->setObjectName(nombre);
    return b;
}

QLineEdit* Salida(QWidget* padre, const QString& nombre)
{
    auto* c = new QLineEdit(padre);
    c->setObjectName(nombre);
    c->setReadOnly(true);
    c->setFocusPolicy(Qt::ClickFocus);
    c->setAlignment(Qt::AlignRight);
    c->setFixedWidth(90);
    return c;
}

void MuestraValor(QLineEdit* caja, const Variables& v, double x, int decTexto, int decAyuda, bool conTag)
{
    caja->setText(FormatoLocal(v, x, decTexto));
    const QString ayuda = decAyuda < 0 ? QString() : FormatoLocal(v, x, decAyuda);
    if (conTag)
        FijaTag(caja, ayuda);
    else
        caja->setToolTip(ayuda);
}

std::optional<TormentaLeida> LeeTormenta(const Variables& v, QLineEdit* txtPrecip, QComboBox* lstHumedad, int mensaje)
{
    const std::optional<double> P = NumeroLocal(v, Tag(txtPrecip));
    if (!P) {
        txtPrecip->setFocus();
        return std::nullopt;
    }
    if (*P <= 0 || *P >= 1000) {
        Mensaje(Icono::Ninguno, TituloPrograma(), Texto(v, mensaje));
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

QGroupBox* MarcoResultados(QWidget* padre, int n, QLabel** etiquetas, QLineEdit** cajas)
{
    QGroupBox* marco = Grupo(padre, QStringLiteral("Frame2"));
    auto* resultados = new QGridLayout(marco);
    resultados->setColumnStretch(0, 1);
    for (int i = 0; i < n; ++i) {
        etiquetas[i] = Rotulo(marco, QStringLiteral("Label3(%1)").arg(i));
        cajas[i] = Salida(marco, QStringLiteral("txtResultado(%1)").arg(i));
        resultados->addWidget(etiquetas[i], i, 0);
        resultados->addWidget(cajas[i], i, 1, Qt::AlignTop);
    }
    return marco;
}
