#include "zevode/frmCurva.h"

#include "model/Numero.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>

#include <algorithm>

namespace {

const QString Grupos = QStringLiteral("ABCD");

// A share as typed: "." or "," as the decimal separator.
std::optional<double> LeePorcentaje(QString texto)
{
    texto.replace(QLatin1Char(','), QLatin1Char('.'));
    const auto x = ANumero(texto.toStdString());
    if (!x || !(*x > 0) || *x > 100)
        return std::nullopt;
    return x;
}

// Numbers on screen take the decimal separator of the user's locale; the
// link to the data window keeps the point.
QString Local(QString s)
{
    if (QLocale::system().decimalPoint() == QLatin1String(","))
        s.replace(QLatin1Char('.'), QLatin1Char(','));
    return s;
}

QString Corto(double x)
{
    QString s = QString::fromStdString(Formato(x, 2));
    while (s.contains(QLatin1Char('.')) && (s.endsWith(QLatin1Char('0')) || s.endsWith(QLatin1Char('.'))))
        s.chop(1);
    return s;
}

} // namespace

QString frmCurva::Valor() const
{
    return lblZevOdeva_->text();
}

QString frmCurva::T(TextoZ t) const
{
    return TextoZevode(idioma_, t);
}

QString frmCurva::DescribeFila(int fila) const
{
    const FilaCN& f = filas_[fila];
    QString texto = f.cubierta[idioma_ - 1];
    if (!f.tratamiento[idioma_ - 1].isEmpty())
        texto += QStringLiteral(", ") + f.tratamiento[idioma_ - 1];
    if (f.condicion == QLatin1String("poor"))
        texto += QStringLiteral(", ") + T(TextoZ::CondicionDe).arg(T(TextoZ::Mala));
    else if (f.condicion == QLatin1String("fair"))
        texto += QStringLiteral(", ") + T(TextoZ::CondicionDe).arg(T(TextoZ::Regular));
    else if (f.condicion == QLatin1String("good"))
        texto += QStringLiteral(", ") + T(TextoZ::CondicionDe).arg(T(TextoZ::Buena));
    return texto;
}

void frmCurva::LlenaCondiciones()
{
    lstCondicion_->clear();
    const int entrada = lstCubierta_->currentIndex();
    if (entrada < 0) {
        lstCondicion_->setEnabled(false);
        return;
    }
    for (const int i : entradas_[entrada]) {
        const QString& c = filas_[i].condicion;
        const QString texto = c == QLatin1String("poor")   ? T(TextoZ::Mala)
                              : c == QLatin1String("fair") ? T(TextoZ::Regular)
                              : c == QLatin1String("good") ? T(TextoZ::Buena)
                                                           : T(TextoZ::SinCondicion);
        lstCondicion_->addItem(texto, i);
    }
    lstCondicion_->setEnabled(lstCondicion_->count() > 1);
}

void frmCurva::Elige(int fila, int grupo)
{
    fila_ = fila;
    grupo_ = grupo;
    usaMedia_ = false;
    if (fila_ >= 0) {
        // Lists, groups and table show the same choice, whichever was used.
        for (int e = 0; e < entradas_.size(); ++e) {
            if (!entradas_[e].contains(fila_))
                continue;
            if (lstCubierta_->currentIndex() != e || lstCondicion_->findData(fila_) < 0) {
                const QSignalBlocker b(lstCubierta_);
                lstCubierta_->setCurrentIndex(e);
                LlenaCondiciones();
            }
            const QSignalBlocker b(lstCondicion_);
            lstCondicion_->setCurrentIndex(lstCondicion_->findData(fila_));
        }
        const QSignalBlocker b(tblCurvas_);
        tblCurvas_->setCurrentCell(fila_, grupo_ >= 0 ? ColA + grupo_ : 1);
        tblCurvas_->scrollToItem(tblCurvas_->currentItem());
    }
    if (grupo_ >= 0)
        opcGrupo_->button(grupo_)->setChecked(true);
    Actualiza();
}

void frmCurva::Actualiza()
{
    const int n = fila_ >= 0 && grupo_ >= 0 ? filas_[fila_].N[grupo_] : 0;
    cmdAnadir_->setEnabled(n > 0 &&
                           std::any_of(lineas_.begin(), lineas_.end(), [](const Linea& l) { return l.fila < 0; }));
    if (usaMedia_)
        return;
    if (fila_ < 0 || grupo_ < 0) {
        lblFila_->setText(fila_ >= 0 ? DescribeFila(fila_) : T(TextoZ::EligeFila));
        lblNota_->setText(fila_ >= 0 ? T(TextoZ::EligeFila) : QString());
        lblFuente_->clear();
        FijaValor(QString());
        return;
    }
    const FilaCN& f = filas_[fila_];
    lblFila_->setText(T(TextoZ::FilaElegida).arg(DescribeFila(fila_), Grupos[grupo_], f.tabla));
    lblNota_->setText(n > 0 ? T(TextoZ::Nota) + f.nota[idioma_ - 1] : T(TextoZ::SinValor).arg(Grupos[grupo_]));
    lblFuente_->setText(T(TextoZ::Fuente) + f.fuente);
    FijaValor(n > 0 ? QString::number(n) : QString());
}

void frmCurva::FijaValor(const QString& texto)
{
    if (Local(texto) == lblZevOdeva_->text())
        return;
    lblZevOdeva_->setText(Local(texto));
    emit ValorCambiado(texto);
}

void frmCurva::Anade()
{
    if (fila_ < 0 || grupo_ < 0 || filas_[fila_].N[grupo_] <= 0)
        return;
    for (int i = 0; i < MaxComponentes; ++i) {
        Linea& l = lineas_[i];
        // A cover already listed gets no second line: its share is edited instead.
        if (l.fila < 0 || (l.fila == fila_ && l.grupo == grupo_)) {
            l = {fila_, grupo_};
            MuestraLineas();
            txtPorcentaje_[i]->setFocus();
            txtPorcentaje_[i]->selectAll();
            break;
        }
    }
    Actualiza();
}

void frmCurva::Quita(int i)
{
    for (int j = i; j + 1 < MaxComponentes; ++j) {
        lineas_[j] = lineas_[j + 1];
        txtPorcentaje_[j]->setText(txtPorcentaje_[j + 1]->text());
    }
    lineas_.back() = {};
    txtPorcentaje_.back()->clear();
    MuestraLineas();
    Actualiza();
}

void frmCurva::MuestraLineas()
{
    for (int i = 0; i < MaxComponentes; ++i) {
        const Linea& l = lineas_[i];
        const bool usada = l.fila >= 0;
        txtPorcentaje_[i]->setEnabled(usada);
        cmdQuitar_[i]->setEnabled(usada);
        if (!usada) {
            const QSignalBlocker b(txtPorcentaje_[i]);
            txtPorcentaje_[i]->clear();
        }
        lblComponente_[i]->setText(
            usada ? T(TextoZ::FilaElegida).arg(DescribeFila(l.fila), Grupos[l.grupo], filas_[l.fila].tabla) +
                        QStringLiteral(": N = %1").arg(filas_[l.fila].N[l.grupo])
                  : QString());
    }
    CalculaMedia();
}

std::optional<QList<Componente>> frmCurva::Componentes() const
{
    QList<Componente> c;
    for (int i = 0; i < MaxComponentes; ++i) {
        if (lineas_[i].fila < 0)
            continue;
        const auto p = LeePorcentaje(txtPorcentaje_[i]->text());
        if (!p)
            return std::nullopt;
        c.append({*p, filas_[lineas_[i].fila].N[lineas_[i].grupo]});
    }
    return c;
}

void frmCurva::CalculaMedia()
{
    const auto c = Componentes();
    std::optional<double> media;
    if (c)
        media = MediaCompuesta(*c);
    const QString textoMedia = media ? QString::fromStdString(Formato(*media, 1)) : QString();
    const QString suma = c ? Corto(SumaPorcentajes(*c)) : QStringLiteral("?");
    const bool hay = std::any_of(lineas_.begin(), lineas_.end(), [](const Linea& l) { return l.fila >= 0; });
    if (!hay)
        lblMedia_->clear();
    else if (media)
        lblMedia_->setText(T(TextoZ::Suma).arg(Local(suma), Local(textoMedia)));
    else
        lblMedia_->setText(T(TextoZ::SumaMal).arg(Local(suma)));
    cmdUsarMedia_->setEnabled(media.has_value());
    if (!usaMedia_)
        return;
    // While the weighted number is in use, it follows every change of the shares.
    lblFila_->setText(T(TextoZ::MediaElegida));
    lblNota_->setText(media ? QString() : lblMedia_->text());
    lblFuente_->clear();
    FijaValor(textoMedia);
}
