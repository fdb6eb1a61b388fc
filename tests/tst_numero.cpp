// Which texts are numbers and how numbers are shown: the rules every numeric
// field and every displayed figure depend on.
#include "model/Numero.h"

#include <QtTest>

class TstNumero : public QObject {
    Q_OBJECT

  private slots:
    // Plain decimal texts are held to the C library's reading by the number
    // fuzz target's seeds; here the thousands separators, and what strtod
    // would take but a field must refuse.
    void reconocimiento_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("numerico");
        QTest::addColumn<double>("valor");
        QTest::newRow("thousands") << "1,234.5" << true << 1234.5;
        QTest::newRow("two groups") << "1,234,567" << true << 1234567.0;
        QTest::newRow("first group of three") << "123,456" << true << 123456.0;
        QTest::newRow("hexadecimal") << "0x1A" << false << 0.0;
        QTest::newRow("comma as decimal") << "12,5" << false << 0.0;
        QTest::newRow("badly grouped") << "1,23" << false << 0.0;
        QTest::newRow("group of four") << "1,2345" << false << 0.0;
        QTest::newRow("leading separator") << ",123" << false << 0.0;
        QTest::newRow("separator after point") << "1.234,5" << false << 0.0;
        // Too large by the value's exponent, wherever the point stands.
        QTest::newRow("overflow, point first") << "0.5e400" << false << 0.0;
        QTest::newRow("overflow, negative") << "-0.5e400" << false << 0.0;
        QTest::newRow("overflow, long mantissa") << QString(400, '9') + "e-10" << false << 0.0;
        QTest::newRow("group of four first") << "1234,567" << false << 0.0;
        // Too small, which is zero, however far from the point its first digit stands.
        const QString ceros(400, '0');
        QTest::newRow("tiny, point first") << "." + ceros + "1e2" << true << 0.0;
        QTest::newRow("tiny, zeros after the point") << "0." + ceros + "5e2" << true << 0.0;
        QTest::newRow("tiny, leading zeros") << ceros + "1e-400" << true << 0.0;
        QTest::newRow("tiny, long exponent") << "5e-" + ceros + "400" << true << 0.0;
        QTest::newRow("overflow, long exponent") << "5e" + ceros + "400" << false << 0.0;
        QTest::newRow("overflow, zeros both sides of the point") << ceros + "." + ceros + "1e720" << false << 0.0;
    }
    void reconocimiento()
    {
        QFETCH(QString, texto);
        QFETCH(bool, numerico);
        QFETCH(double, valor);
        const std::string t = texto.toStdString();
        QCOMPARE(EsNumerico(t), numerico);
        const std::optional<double> v = ANumero(t);
        QCOMPARE(v.has_value(), numerico);
        if (numerico)
            QCOMPARE(*v, valor);
        // A view ends the text even where digits or separators follow it.
        const std::string mas = t + "5,";
        QCOMPARE(ANumero(std::string_view(mas).substr(0, t.size())), v);
    }

    void formato_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("decimales");
        QTest::addColumn<QString>("texto");
        QTest::newRow("exact half away from zero") << 12.25 << 1 << "12.3";
        QTest::newRow("half below in binary") << 12.35 << 1 << "12.3";
        QTest::newRow("half above in binary") << 0.05 << 1 << "0.1";
        QTest::newRow("carry into the integer") << 9999.95 << 1 << "10000.0";
        QTest::newRow("whole number") << 2.5 << 0 << "3";
        QTest::newRow("negative half") << -2.5 << 0 << "-3";
        QTest::newRow("negative to zero") << -0.04 << 1 << "0.0";
        QTest::newRow("four decimals") << 381.204 << 4 << "381.2040";
        QTest::newRow("large") << 5000312.8021356883 << 1 << "5000312.8";
    }
    void formato()
    {
        QFETCH(double, x);
        QFETCH(int, decimales);
        QFETCH(QString, texto);
        QCOMPARE(QString::fromStdString(Formato(x, decimales)), texto);
    }

    // Reading back to the same double is the fuzz target's; here, the shortest text.
    void textoExactoEsElMasCorto()
    {
        QCOMPARE(QString::fromStdString(TextoExacto(0.1) + ' ' + TextoExacto(100.0)), QString("0.1 100"));
    }
};

QTEST_APPLESS_MAIN(TstNumero)
#include "tst_numero.moc"
