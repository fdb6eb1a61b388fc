// The behaviour every numeric field shares: Tag, tooltip, selection on entry,
// format on leaving, Enter moving on and the decimal keys.
#include "app/Variables.h"
#include "text/CampoNumerico.h"

#include <QLineEdit>
#include <QVBoxLayout>
#include <QtTest>

class TstCampo : public QObject {
    Q_OBJECT

    Variables v;
    std::unique_ptr<QWidget> ventana;
    QLineEdit *a = nullptr, *b = nullptr, *area = nullptr;

    // Types into a field and leaves it with Tab.
    static void Escribe(QLineEdit* campo, const QString& texto)
    {
        campo->setFocus();
        QTest::keyClicks(campo, texto);
        QTest::keyClick(campo, Qt::Key_Tab);
    }

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

    void separadorDelPrograma() { QCOMPARE(v.SepDecimal, QString(".")); }

    void salida_data()
    {
        QTest::addColumn<int>("campo");
        QTest::addColumn<QString>("tecleado");
        QTest::addColumn<QString>("mostrado");
        QTest::addColumn<QString>("tag");
        QTest::newRow("comma types the separator") << 0 << "12,5"
                                                   << "12.5"
                                                   << "12.5";
        QTest::newRow("curve number") << 0 << "80"
                                      << "80.0"
                                      << "80";
        QTest::newRow("area") << 1 << "7"
                              << "7.000"
                              << "7";
        QTest::newRow("rounded for display only") << 1 << "381.20449"
                                                  << "381.204"
                                                  << "381.20449";
        QTest::newRow("letters kept in the Tag") << 0 << "abc"
                                                 << "abc"
                                                 << "abc";
        QTest::newRow("letters leave B's Tag") << 2 << "abc"
                                               << "abc"
                                               << "";
        QTest::newRow("number in B") << 2 << "25"
                                     << "25.0"
                                     << "25";
    }
    void salida()
    {
        QFETCH(int, campo);
        QFETCH(QString, tecleado);
        QFETCH(QString, mostrado);
        QFETCH(QString, tag);
        QLineEdit* c = std::array{a, area, b}[static_cast<std::size_t>(campo)];
        Escribe(c, tecleado);
        QCOMPARE(c->text(), mostrado);
        QCOMPARE(Tag(c), tag);
        QCOMPARE(c->toolTip(), tag);
    }

    void entradaMuestraElTagSeleccionado()
    {
        Escribe(a, "123.456789012");
        QCOMPARE(a->text(), QString("123.5"));
        a->setFocus();
        QCOMPARE(a->text(), QString("123.456789012"));
        QCOMPARE(a->selectionStart(), 0);
        QCOMPARE(a->selectedText(), QString("123.456789"));
        // Typing replaces the selected part only.
        QTest::keyClicks(a, "9");
        QCOMPARE(a->text(), QString("9012"));
    }

    void letrasNoBorranElValorDeB()
    {
        Escribe(b, "40");
        Escribe(b, "x");
        QCOMPARE(Tag(b), QString("40"));
        QCOMPARE(b->text(), QString("x"));
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
