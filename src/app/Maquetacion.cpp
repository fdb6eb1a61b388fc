// The report's page layout: blocks down the pages of a printer or a PDF.
#include "app/Informe.h"

#include <QChart>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <numeric>

namespace {

using Tipo = BloqueInforme::Tipo;

// Lays the blocks out down the pages of a device. A first pass with no
// total only measures, to count the pages each foot names.
class Maquetador {
  public:
    Maquetador(QPagedPaintDevice& d, int paginas) : d_(d), paginas_(paginas)
    {
        if (paginas_ > 0)
            p_.begin(&d);
        const double mm = d.logicalDpiY() / 25.4;
        ancho_ = d.width();
        alto_ = d.height();
        hueco_ = 2.5 * mm;
        relleno_ = 1.0 * mm;
        normal_ = QFont(QStringLiteral("DejaVu Sans"), 9);
        compacta_ = QFont(QStringLiteral("DejaVu Sans"), 7);
        // The foot of each page keeps room for its number.
        pie_ = QFontMetricsF(compacta_, &d).lineSpacing();
        alto_ -= pie_ + hueco_;
        if (p_.isActive()) {
            p_.setRenderHint(QPainter::Antialiasing);
            p_.setPen(QPen(Qt::black, 0));
        }
    }

    // Numbers the last page; the count of pages laid out.
    int Termina()
    {
        Pie();
        return pagina_;
    }

    // `siguiente`, when any, is the block after `b`, which a heading keeps
    // on its page.
    void Pinta(const BloqueInforme& b, const BloqueInforme* siguiente)
    {
        switch (b.tipo) {
        case Tipo::Titulo:
            Parrafo(b.texto, 15, true, 0);
            break;
        case Tipo::Apartado:
            // A heading keeps company with what it introduces.
            Parrafo(b.texto, 11.5, true, siguiente ? Comienzo(*siguiente) : 0);
            break;
        case Tipo::Texto:
        case Tipo::Aviso:
            Parrafo(b.texto, 9, b.negrita, 0);
            break;
        case Tipo::Tabla:
            TablaPintada(b);
            break;
        case Tipo::Grafico:
            GraficoPintado(b);
            break;
        }
    }

  private:
    // The height of the start of a block, which may not be parted from it.
    double Comienzo(const BloqueInforme& b) const
    {
        const QFontMetricsF fm(b.grupos > 1 ? compacta_ : normal_, &d_);
        switch (b.tipo) {
        case Tipo::Grafico:
            return AltoGrafico();
        case Tipo::Tabla:
            return 4 * fm.lineSpacing() + 4 * relleno_;
        default:
            return 2 * fm.lineSpacing();
        }
    }

    double AltoGrafico() const { return ancho_ * Logico.height() / Logico.width(); }

    void NuevaPagina()
    {
        Pie();
        if (p_.isActive())
            d_.newPage();
        ++pagina_;
        y_ = 0;
    }

    void Pie()
    {
        if (!p_.isActive())
            return;
        p_.setFont(compacta_);
        p_.drawText(QRectF(0, alto_ + hueco_, ancho_, pie_), Qt::AlignCenter,
                    QStringLiteral("%1 / %2").arg(pagina_).arg(paginas_));
    }

    // Moves to a new page unless `alto` more fits on this one.
    void Cabe(double alto)
    {
        if (y_ > 0 && y_ + alto > alto_)
            NuevaPagina();
    }

    void Parrafo(const QString& texto, double puntos, bool negrita, double despues)
    {
        QFont f = normal_;
        f.setPointSizeF(puntos);
        f.setBold(negrita);
        const QRectF caja = QFontMetricsF(f, &d_).boundingRect(QRectF(0, 0, ancho_, 1e9), Qt::TextWordWrap, texto);
        Cabe(caja.height() + despues + hueco_);
        if (p_.isActive()) {
            p_.setFont(f);
            p_.drawText(QRectF(0, y_, ancho_, caja.height()), Qt::TextWordWrap, texto);
        }
        y_ += caja.height() + hueco_;
    }

    // Column widths: each its widest text, headings whole when they fit and
    // else broken into words; the widest ones narrowed to fit, and a table of
    // one group spread over the page.
    std::vector<double> Anchos(const BloqueInforme& b, const QFontMetricsF& fm, const QFontMetricsF& fn) const
    {
        const auto n = static_cast<std::size_t>(b.cabecera.size());
        std::vector<double> w(n, 0), entero(n, 0);
        // A long list is measured on a sample: its numbers are alike.
        const qsizetype muestra = std::min<qsizetype>(b.filas.size(), 200);
        for (std::size_t c = 0; c < n; ++c) {
            const auto ci = static_cast<qsizetype>(c);
            double x = 0;
            for (qsizetype f = 0; f < muestra; ++f)
                x = std::max({x, fm.horizontalAdvance(b.filas[f].value(ci)),
                              fm.horizontalAdvance(b.filas[b.filas.size() - 1 - f].value(ci))});
            // Some slack: words wrap where figures would only overflow.
            const double holgura = 2 * relleno_ + fm.averageCharWidth();
            entero[c] = std::max(x, fn.horizontalAdvance(b.cabecera[ci])) + holgura;
            for (const QString& palabra : b.cabecera[ci].split(QLatin1Char(' ')))
                x = std::max(x, fn.horizontalAdvance(palabra));
            w[c] = x + holgura;
        }
        const double disponible = ancho_ / std::max(b.grupos, 1);
        const auto Suma = [](const std::vector<double>& v) { return std::accumulate(v.begin(), v.end(), 0.0); };
        if (Suma(entero) <= disponible)
            w = entero;
        const double total = Suma(w);
        if (total > disponible) {
            // Columns within a fair share keep their width; the rest share what is left.
            const double justo = disponible / static_cast<double>(n);
            double fijo = 0, ancho = 0;
            for (double x : w)
                (x <= justo ? fijo : ancho) += x;
            for (double& x : w)
                if (x > justo)
                    x = x * (disponible - fijo) / ancho;
        } else if (b.grupos <= 1 && n == 2) {
            // Caption and value: the values to the right edge.
            w[0] += disponible - total;
        } else if (b.grupos <= 1) {
            for (double& x : w)
                x *= disponible / total;
        }
        return w;
    }

    double AltoFila(const QStringList& celdas, const std::vector<double>& w, const QFontMetricsF& fm) const
    {
        double h = fm.height();
        for (std::size_t c = 0; c < w.size(); ++c)
            h = std::max(h, fm.boundingRect(QRectF(0, 0, w[c] - 2 * relleno_, 1e9), Qt::TextWordWrap,
                                            celdas.value(static_cast<qsizetype>(c)))
                                .height());
        return h + 2 * relleno_;
    }

    void Fila(const QStringList& celdas, const std::vector<double>& w, double h, const QFont& fuente, bool cabecera)
    {
        if (!p_.isActive()) {
            y_ += h;
            return;
        }
        p_.setFont(fuente);
        double x = 0;
        const int grupos = static_cast<int>(celdas.size() / std::max<std::size_t>(w.size(), 1));
        for (int g = 0; g < std::max(grupos, 1); ++g) {
            for (std::size_t c = 0; c < w.size(); ++c) {
                const QRectF celda(x, y_, w[c], h);
                if (cabecera)
                    p_.fillRect(celda, QColor(225, 225, 225));
                p_.drawRect(celda);
                const QString t = celdas.value(g * static_cast<qsizetype>(w.size()) + static_cast<qsizetype>(c));
                // Figures to the right, words to the left.
                const bool cifra = !cabecera && c > 0 && !t.isEmpty() && (t[0].isDigit() || t[0] == QLatin1Char('-'));
                const Qt::Alignment a = cabecera ? Qt::AlignCenter : cifra ? Qt::AlignRight : Qt::AlignLeft;
                p_.drawText(celda.adjusted(relleno_, relleno_, -relleno_, -relleno_),
                            static_cast<int>(a | Qt::AlignVCenter) | Qt::TextWordWrap, t);
                x += w[c];
            }
        }
        y_ += h;
    }

    // The lines a cell's text wraps into at `ancho`, as drawText wraps them.
    QStringList Renglones(const QString& texto, double ancho, const QFont& fuente) const
    {
        QStringList r;
        QTextOption opcion;
        opcion.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        for (const QString& parrafo : texto.split(QLatin1Char('\n'))) {
            QTextLayout l(parrafo, fuente, &d_);
            l.setTextOption(opcion);
            l.beginLayout();
            const qsizetype antes = r.size();
            for (QTextLine linea = l.createLine(); linea.isValid(); linea = l.createLine()) {
                linea.setLineWidth(ancho);
                r << parrafo.mid(linea.textStart(), linea.textLength());
            }
            l.endLayout();
            if (r.size() == antes)
                r << QString();
        }
        return r;
    }

    // A row too tall for any page, painted a page's worth of lines at a
    // time; `cabecera` repeats the table's heading on each new page.
    void FilaLarga(const QStringList& celdas, const std::vector<double>& w, const QFont& fuente,
                   const std::function<void()>& cabecera)
    {
        const double renglon = QFontMetricsF(fuente, &d_).lineSpacing();
        std::vector<QStringList> lineas(w.size());
        qsizetype total = 0;
        for (std::size_t c = 0; c < w.size(); ++c) {
            lineas[c] = Renglones(celdas.value(static_cast<qsizetype>(c)), w[c] - 2 * relleno_, fuente);
            total = std::max(total, lineas[c].size());
        }
        for (qsizetype hecho = 0; hecho < total;) {
            auto caben = static_cast<qsizetype>((alto_ - y_ - 2 * relleno_) / renglon);
            if (caben < 1 && y_ > 0) {
                NuevaPagina();
                cabecera();
                continue;
            }
            const qsizetype n = std::min(std::max<qsizetype>(caben, 1), total - hecho);
            QStringList trozo;
            for (const QStringList& l : lineas)
                trozo << l.mid(hecho, n).join(QLatin1Char('\n'));
            Fila(trozo, w, static_cast<double>(n) * renglon + 2 * relleno_, fuente, false);
            hecho += n;
            if (hecho < total) {
                NuevaPagina();
                cabecera();
            }
        }
    }

    void TablaPintada(const BloqueInforme& b)
    {
        const QFont& fuente = b.grupos > 1 ? compacta_ : normal_;
        QFont negrita = fuente;
        negrita.setBold(true);
        const QFontMetricsF fm(fuente, &d_), fn(negrita, &d_);
        const std::vector<double> w = Anchos(b, fm, fn);
        const int g = std::max(b.grupos, 1);

        QStringList cabecera;
        for (int i = 0; i < g; ++i)
            cabecera << b.cabecera;
        const double hCabecera = AltoFila(b.cabecera, w, fn);
        const qsizetype filas = (b.filas.size() + g - 1) / g;
        for (qsizetype f = 0; f < filas; ++f) {
            QStringList celdas;
            for (qsizetype i = 0; i < g; ++i) {
                const qsizetype k = f * g + i;
                celdas << (k < b.filas.size() ? b.filas[k] : QStringList(b.cabecera.size(), QString()));
            }
            // A short row sits on one line; measuring every cell of a long
            // list would cost more than painting it.
            const double h = g > 1 ? fm.height() + 2 * relleno_ : AltoFila(celdas, w, fm);
            if (hCabecera + h > alto_) {
                // Taller than a page: it goes on over the next ones.
                if (f == 0) {
                    Cabe(hCabecera + 3 * fm.lineSpacing() + 2 * relleno_);
                    Fila(cabecera, w, hCabecera, negrita, true);
                }
                FilaLarga(celdas, w, fuente, [&] { Fila(cabecera, w, hCabecera, negrita, true); });
                continue;
            }
            if (f == 0 || y_ + h > alto_) {
                // The heading goes with at least the row under it.
                Cabe(hCabecera + h);
                Fila(cabecera, w, hCabecera, negrita, true);
            }
            Fila(celdas, w, h, fuente, false);
        }
        y_ += hueco_;
    }

    void GraficoPintado(const BloqueInforme& b)
    {
        const double alto = AltoGrafico();
        Cabe(alto);
        if (!p_.isActive()) {
            y_ += alto + hueco_;
            return;
        }
        QGraphicsScene escena;
        QChart* g = b.grafico();
        escena.addItem(g);
        g->resize(Logico);
        if (g->layout())
            g->layout()->activate();
        // Only what concerns this chart: the preview runs inside the windows.
        QCoreApplication::sendPostedEvents(g);
        QCoreApplication::sendPostedEvents(&escena);
        escena.render(&p_, QRectF(0, y_, ancho_, alto), QRectF(QPointF(0, 0), Logico));
        y_ += alto + hueco_;
    }

    // Charts are laid out at a screen size, then scaled onto the page as vectors.
    static constexpr QSizeF Logico{760, 340};
    QPagedPaintDevice& d_;
    QPainter p_;
    double ancho_ = 0, alto_ = 0, y_ = 0, hueco_ = 0, relleno_ = 0, pie_ = 0;
    int pagina_ = 1;
    const int paginas_;
    QFont normal_, compacta_;
};

} // namespace

void PintaInforme(QPagedPaintDevice& dispositivo, const std::vector<BloqueInforme>& bloques)
{
    const auto Maqueta = [&](int paginas) {
        Maquetador m(dispositivo, paginas);
        for (std::size_t i = 0; i < bloques.size(); ++i)
            m.Pinta(bloques[i], i + 1 < bloques.size() ? &bloques[i + 1] : nullptr);
        return m.Termina();
    };
    Maqueta(Maqueta(0));
}
