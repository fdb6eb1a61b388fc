// The behaviour every numeric field shares: Tag, tooltip, selection on entry,
// format on leaving, Enter moving on and the decimal keys.
#include "Apoyo.h"

#include "widgets/CampoNumerico.h"

using apoyo::Escribe;

namespace {

// Texts typed into a field (0: variant A, 1: area, 2: variant B), each left
// with Tab, and what the field then shows and keeps.
struct Salida {
    int campo;
    QStringList tecleos;
    QString mostrado, tag;
    bool pegado = false; // the last text pasted rather than typed
};

} // namespace

class TstCampo : public QObject {
    Q_OBJECT

    Variables v;
    std::unique_ptr<QWidget> ventana;
    QLineEdit *a = nullptr, *b = nullptr, *area = nullptr;

  private slots:
    void init()
    {
        v.SepDecimal = BuscaSepDecimal();
        ventana = std::make_unique<QWidget>();
        auto* caja = new QVBoxLayout(ventana.get());
        for (QLineEdit** c : {&a, &area, &b}) {
            *c = new QLineEdit(ventana.get());
            caja->addWidget(*c);
        }
        HazCampoNumerico(a, v, VarianteCampo::A, 1);
        HazCampoNumerico(area, v, VarianteCampo::A, 3);
        HazCampoNumerico(b, v, VarianteCampo::B, 1);
        PrevisualizaTeclas(ventana.get(), v);
        ventana->show();
        QVERIFY(QTest::qWaitForWindowActive(ventana.get()));
    }
    void cleanup() { ventana.reset(); }

    void salida_data()
    {
        QTest::addColumn<Salida>("caso");
        QTest::newRow("comma types the separator") << Salida{0, {"12,5"}, "12.5", "12.5"};
        QTest::newRow("rounded for display only") << Salida{1, {"381.20449"}, "381.204", "381.20449"};
        QTest::newRow("letters kept in the Tag") << Salida{0, {"abc"}, "abc", "abc"};
        QTest::newRow("letters leave B's value") << Salida{2, {"40", "x"}, "x", "40"};
        QTest::newRow("number in B") << Salida{2, {"25"}, "25.0", "25"};
        QTest::newRow("pasted comma") << Salida{2, {"40", "66,5"}, "66.5", "66.5", true};
    }
    void salida()
    {
        QFETCH(Salida, caso);
        QLineEdit* c = std::array{a, area, b}[static_cast<std::size_t>(caso.campo)];
        for (const QString& t : caso.tecleos.mid(0, caso.tecleos.size() - caso.pegado))
            Escribe(c, t);
        if (caso.pegado) {
            QGuiApplication::clipboard()->setText(caso.tecleos.last());
            c->setFocus();
            QTest::keySequence(c, QKeySequence::Paste);
            QTest::keyClick(c, Qt::Key_Tab);
        }
        QCOMPARE(c->text(), caso.mostrado);
        QCOMPARE(Tag(c), caso.tag);
        QCOMPARE(c->toolTip(), caso.tag);
    }

    void entradaMuestraElTagSeleccionado()
    {
        Escribe(a, "123.456789012");
        QCOMPARE(a->text(), QString("123.5"));
        a->setFocus();
        QCOMPARE(a->text() + '|' + a->selectedText(), QString("123.456789012|123.456789"));
        QCOMPARE(a->selectionStart(), 0);
        // Typing replaces the selected part only.
        QTest::keyClicks(a, "9");
        QCOMPARE(a->text(), QString("9012"));
    }

    void enterPasaAlSiguiente()
    {
        a->setFocus();
        QTest::keyClick(a, Qt::Key_Return);
        QVERIFY(area->hasFocus());
        b->setFocus();
        QTest::keyClick(b, Qt::Key_Enter);
        QVERIFY(a->hasFocus()); // from the last field back to the first
    }
};

QTEST_MAIN(TstCampo)
#include "tst_campo.moc"
