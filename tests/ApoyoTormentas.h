#pragma once

// Shared support of the storm window tests: the program opened on an example
// site, and the user's gestures on fields, lists and buttons.

#include "Apoyo.h"

#include "model/ModeloCN.h"
#include "widgets/CampoNumerico.h"

namespace apoyo {

// The example site: NAC 70, NI 90, NR 60, SI 4 m², SR 1 m², CAPA litres.
inline void Sitio(Variables& v, double capa = 100)
{
    v.NAC(2) = 70, v.NI(2) = 90, v.NR(2) = 60, v.SI = 4, v.SR = 1, v.CAPA = capa;
    CalculaSitio(v);
}

// The program past its presentation, in English, on the example site, with
// the user's settings out of reach.
inline std::unique_ptr<Sesion> AbrePrograma()
{
    AislaAjustes();
    auto s = Arranca();
    s->v.SepDecimal = BuscaSepDecimal();
    Sitio(s->v);
    return s;
}

template <typename T = QWidget> T* Control(QWidget* ventana, const QString& nombre)
{
    return ventana ? ventana->findChild<T*>(nombre) : nullptr;
}

// Types the depth and leaves the field with Tab; picks the condition with
// the keyboard (Home, then Down to it) unless `cond` is empty.
inline void Rellena(QWidget* w, const QString& P, const QString& cond)
{
    Escribe(Control<QLineEdit>(w, QStringLiteral("txtPrecip")), P);
    if (cond.isEmpty())
        return;
    auto* lista = Control<QComboBox>(w, QStringLiteral("lstHumedad"));
    lista->setFocus();
    QTest::keyClick(lista, Qt::Key_Home);
    for (int i = lista->findText(cond); i > 0; --i)
        QTest::keyClick(lista, Qt::Key_Down);
    QCOMPARE(lista->currentText(), cond);
}

// A click on a button; "Enter:name" presses it with Enter on it instead.
inline void Pulsa(QWidget* ventana, const QString& boton)
{
    if (boton.startsWith(QLatin1String("Enter:"))) {
        Control(ventana, boton.mid(6))->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        return Recoge();
    }
    auto* b = Control<QAbstractButton>(ventana, boton);
    QVERIFY2(b, qPrintable(boton));
    // A user clicks what is visible: no other window may cover the button.
    const QPoint centro = b->rect().center();
    QVERIFY2(b->window()->childAt(b->mapTo(b->window(), centro)) == b, qPrintable(boton + " is covered"));
    QTest::mouseClick(b, Qt::LeftButton, {}, centro);
    Recoge();
}

// A box's text, or its tooltip.
inline QString Texto(QWidget* ventana, const QString& caja, const char* que = "text")
{
    auto* c = Control(ventana, caja);
    return c ? c->property(que).toString() : QStringLiteral("<none>");
}

inline QString Ayuda(QWidget* ventana, const QString& caja)
{
    return Texto(ventana, caja, "toolTip");
}

// The refusal of a depth outside (0, 1000).
inline const QString FueraDeRango = QStringLiteral("Value must be >0 and <1000");

// Pages with the arrow keys, as a keyboard user does on the series' bar.
inline void Pagina(QWidget* w, Qt::Key tecla)
{
    auto* barra = Control<QScrollBar>(w, QStringLiteral("btnAguacero"));
    barra->setFocus();
    QTest::keyClick(barra, tecla);
}

// A storm typed into a window, the gesture that tries to go on with it (a
// button, or "up" on the series' bar), the message that refuses the depth
// (none: empty), and where the focus is left.
struct Intento {
    QString P, cond, gesto, mensaje, foco;
};

inline void Intenta(QWidget* w, const Intento& caso)
{
    Registro r;
    Rellena(w, caso.P, caso.cond);
    if (caso.gesto == QLatin1String("up"))
        Pagina(w, Qt::Key_Up);
    else
        Pulsa(w, caso.gesto);
    QCOMPARE(r.Textos().join(u'\n'), caso.mensaje);
    if (!caso.mensaje.isEmpty())
        QVERIFY(r.cajas[0].titulo == "HIDRELA" && r.cajas[0].icono == Icono::Ninguno);
    QCOMPARE(Foco(), caso.foco);
}

// Opens a storm window from the scenario choice, as the user does.
inline QWidget* AbreDesdeEleccion(Sesion& s, const QString& boton, const QString& ventana)
{
    Pulsa(s.nav.Muestra(QStringLiteral("frmEleccion")), boton);
    return s.nav.Ventana(ventana);
}

// The texts of the result boxes 0..n-1.
inline QStringList Resultados(QWidget* w, int n)
{
    QStringList t;
    for (int i = 0; i < n; ++i)
        t << Texto(w, QStringLiteral("txtResultado(%1)").arg(i));
    return t;
}

// The window whose frame is at the front of the main window.
inline QString AlFrente(Sesion& s)
{
    QMdiSubWindow* marco = s.nav.Ventana(QStringLiteral("frmContenedor"))->findChild<QMdiArea*>()->activeSubWindow();
    return marco && marco->widget() ? marco->widget()->objectName() : QString();
}

} // namespace apoyo
