#include "widgets/CampoNumerico.h"

#include "common/Catalogo.h"
#include "common/Variables.h"
#include "model/Numero.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVariant>

#include <charconv>
#include <string>

namespace {

const char* const PropiedadTag = "Tag";

class Campo : public QObject {
  public:
    Campo(QLineEdit* campo, const Variables& v, VarianteCampo variante, int decimales, int seleccion)
        : QObject(campo), campo_(campo), v_(v), variante_(variante), decimales_(decimales), seleccion_(seleccion)
    {
        campo->installEventFilter(this);
        TrataPegado(campo, v);
    }

    bool eventFilter(QObject* objeto, QEvent* evento) override
    {
        // A field destroyed with the focus loses it when it is no longer a
        // QLineEdit: nothing to keep then.
        if (objeto == campo_ && qobject_cast<QLineEdit*>(objeto)) {
            if (evento->type() == QEvent::FocusIn)
                Entra();
            else if (evento->type() == QEvent::FocusOut)
                Sale();
        }
        return false;
    }

  private:
    void Entra()
    {
        campo_->setText(Tag(campo_));
        Selecciona();
        // A click places the cursor after the focus arrives; select again then.
        QTimer::singleShot(0, this, [this] {
            if (campo_->hasFocus() && !campo_->hasSelectedText())
                Selecciona();
        });
    }

    void Selecciona() { campo_->setSelection(0, std::min<int>(seleccion_, static_cast<int>(campo_->text().size()))); }

    void Sale()
    {
        const QString texto = campo_->text();
        const std::optional<double> n = NumeroLocal(v_, texto);
        if (variante_ == VarianteCampo::B && !n)
            return;
        FijaTag(campo_, texto);
        if (n)
            campo_->setText(FormatoLocal(v_, *n, decimales_));
    }

    QLineEdit* campo_;
    const Variables& v_;
    VarianteCampo variante_;
    int decimales_;
    int seleccion_;
};

class Teclas : public QObject {
  public:
    Teclas(QWidget* ventana, const Variables& v, std::function<bool()> retieneEnter)
        : QObject(ventana), ventana_(ventana), v_(v), retieneEnter_(std::move(retieneEnter))
    {
        qApp->installEventFilter(this);
    }

    bool eventFilter(QObject* objeto, QEvent* evento) override
    {
        if (evento->type() != QEvent::KeyPress || !objeto->isWidgetType())
            return false;
        auto* w = static_cast<QWidget*>(objeto);
        if (!ventana_ || (w != ventana_ && !ventana_->isAncestorOf(w)))
            return false;
        auto* k = static_cast<QKeyEvent*>(evento);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            // A focused button takes Enter itself: it is pressed.
            if (qobject_cast<QPushButton*>(w) || (retieneEnter_ && retieneEnter_()))
                return false;
            // The Enter goes on to the control; a Tab follows it.
            if (reenviando_)
                return false;
            QPointer<QWidget> destino = w;
            reenviando_ = true;
            QKeyEvent copia(k->type(), k->key(), k->modifiers(), k->text());
            QCoreApplication::sendEvent(w, &copia);
            reenviando_ = false;
            if (destino) {
                QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
                QCoreApplication::sendEvent(destino, &tab);
            }
            return true;
        }
        const bool punto = k->key() == Qt::Key_Period;
        const bool coma = k->key() == Qt::Key_Comma;
        QString sustituto;
        if (punto && v_.SepDecimal == QLatin1String(","))
            sustituto = QStringLiteral(",");
        else if (coma && v_.SepDecimal == QLatin1String("."))
            sustituto = QStringLiteral(".");
        if (sustituto.isEmpty() || k->text() == sustituto)
            return false;
        QKeyEvent otro(QEvent::KeyPress, sustituto == QLatin1String(".") ? Qt::Key_Period : Qt::Key_Comma,
                       k->modifiers(), sustituto);
        QCoreApplication::sendEvent(w, &otro);
        return true;
    }

  private:
    QPointer<QWidget> ventana_;
    const Variables& v_;
    std::function<bool()> retieneEnter_;
    bool reenviando_ = false;
};

} // namespace

void HazCampoNumerico(QLineEdit* campo, const Variables& v, VarianteCampo variante, int decimales, int seleccion)
{
    new Campo(campo, v, variante, decimales, seleccion);
}

QString Tag(const QWidget* control)
{
    return control->property(PropiedadTag).toString();
}

void FijaTag(QWidget* control, const QString& tag)
{
    control->setProperty(PropiedadTag, tag);
    control->setToolTip(tag);
}

namespace {

class Aceptacion : public QObject {
  public:
    Aceptacion(QWidget* campo, std::function<void()> aceptado) : QObject(campo), aceptado_(std::move(aceptado))
    {
        campo->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override
    {
        if (evento->type() == QEvent::DynamicPropertyChange &&
            static_cast<QDynamicPropertyChangeEvent*>(evento)->propertyName() == PropiedadTag)
            aceptado_();
        return QObject::eventFilter(objeto, evento);
    }

  private:
    std::function<void()> aceptado_;
};

} // namespace

void AlAceptar(QWidget* campo, std::function<void()> aceptado)
{
    new Aceptacion(campo, std::move(aceptado));
}

namespace {

// The one place that puts the separator in force into a number's text.
QString ConSeparador(const Variables& v, const std::string& texto)
{
    QString t = QString::fromStdString(texto);
    if (v.SepDecimal == QLatin1String(","))
        t.replace(QLatin1Char('.'), QLatin1Char(','));
    return t;
}

} // namespace

QString FormatoLocal(const Variables& v, double x, int decimales)
{
    return ConSeparador(v, Formato(x, decimales));
}

QString ExactoLocal(const Variables& v, double x, bool sinExponente)
{
    if (!sinExponente)
        return ConSeparador(v, TextoExacto(x));
    char buf[400]; // the longest double written out in full
    const auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed);
    return ConSeparador(v, std::string(buf, res.ptr));
}

std::optional<double> NumeroLocal(const Variables& v, const QString& texto)
{
    QString t = texto;
    if (v.SepDecimal == QLatin1String(",")) {
        // Swap the roles of the two characters for the program's rules.
        t.replace(QLatin1Char('.'), QChar(0x1));
        t.replace(QLatin1Char(','), QLatin1Char('.'));
        t.replace(QChar(0x1), QLatin1Char(','));
    }
    return ANumero(t.toStdString());
}

QString BuscaSepDecimal()
{
    // The user's own locale (LC_ALL, LC_NUMERIC, LANG), from Qt's data: no
    // system locale need be installed. The program's number rules know the
    // comma and the point; any other separator reads as the point.
    return QLocale::system().decimalPoint() == QLatin1String(",") ? QStringLiteral(",") : QStringLiteral(".");
}

QString NoNumerico(const Variables& v, const QLabel* etiqueta, const QString& texto)
{
    QString nombre = etiqueta->text().trimmed();
    if (nombre.endsWith(QLatin1Char(':')))
        nombre.chop(1);
    return Texto(v, 1630).arg(nombre, texto);
}

void TrataPegado(QLineEdit* campo, const Variables& v)
{
    // Typed text never holds the other character, the decimal keys see to
    // that: only pasted or dropped text is changed, and only then is the
    // undo history lost.
    QObject::connect(campo, &QLineEdit::textEdited, campo, [campo, &v](const QString& texto) {
        const QChar otro = v.SepDecimal == QLatin1String(",") ? QLatin1Char('.') : QLatin1Char(',');
        if (v.SepDecimal.size() != 1 || !texto.contains(otro))
            return;
        const int cursor = campo->cursorPosition();
        campo->setText(QString(texto).replace(otro, v.SepDecimal.front()));
        campo->setCursorPosition(cursor);
        campo->setModified(true);
    });
}

void PrevisualizaTeclas(QWidget* ventana, const Variables& v, std::function<bool()> retieneEnter)
{
    new Teclas(ventana, v, std::move(retieneEnter));
}
