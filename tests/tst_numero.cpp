// Which texts are numbers and how numbers are shown: the rules every numeric
// field and every displayed figure depend on.
#include "model/Numero.h"

#include <QtTest>

class TstNumero : public QObject {
    Q_OBJECT

  private slots:
    void reconocimiento_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("numerico");
        QTest::addColumn<double>("valor");
        QTest::newRow("integer") << "12" << true << 12.0;
        QTest::newRow("decimal") << "12.5" << true << 12.5;
        QTest::newRow("blanks and sign") << "  -3.25  " << true << -3.25;
        QTest::newRow("plus sign") << "+7" << true << 7.0;
        QTest::newRow("leading point") << ".5" << true << 0.5;
        QTest::newRow("trailing point") << "5." << true << 5.0;
        QTest::newRow("exponent") << "1.5e2" << true << 150.0;
        QTest::newRow("negative exponent") << "25E-1" << true << 2.5;
        QTest::newRow("thousands") << "1,234.5" << true << 1234.5;
        QTest::newRow("two groups") << "1,234,567" << true << 1234567.0;
        QTest::newRow("first group of three") << "123,456" << true << 123456.0;
        QTest::newRow("first group of three, decimals") << "100,000.5" << true << 100000.5;
        QTest::newRow("underflow is zero") << "1e-400" << true << 0.0;
        QTest::newRow("underflow keeps the sign") << "-1e-400" << true << -0.0;
        QTest::newRow("underflow, point far left") << "0." + QString(300, '0') + "1e-330" << true << 0.0;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("blanks only") << "   " << false << 0.0;
        QTest::newRow("letters") << "abc" << false << 0.0;
        QTest::newRow("two points") << "1.2.3" << false << 0.0;
        QTest::newRow("point alone") << "." << false << 0.0;
        QTest::newRow("sign alone") << "-" << false << 0.0;
        QTest::newRow("nan") << "nan" << false << 0.0;
        QTest::newRow("inf") << "inf" << false << 0.0;
        QTest::newRow("hexadecimal") << "0x1A" << false << 0.0;
        QTest::newRow("comma as decimal") << "12,5" << false << 0.0;
        QTest::newRow("badly grouped") << "1,23" << false << 0.0;
        QTest::newRow("group of four") << "1,2345" << false << 0.0;
        QTest::newRow("leading separator") << ",123" << false << 0.0;
        QTest::newRow("separator after point") << "1.234,5" << false << 0.0;
        QTest::newRow("exponent without digits") << "1e" << false << 0.0;
        QTest::newRow("overflow") << "1e999" << false << 0.0;
        // Too large by the value's exponent, wherever the point stands.
        QTest::newRow("overflow, point first") << "0.5e400" << false << 0.0;
        QTest::newRow("overflow, negative") << "-0.5e400" << false << 0.0;
        QTest::newRow("overflow, long mantissa") << QString(400, '9') + "e-10" << false << 0.0;
        QTest::newRow("group of four first") << "1234,567" << false << 0.0;
        QTest::newRow("inner blank") << "1 2" << false << 0.0;
        QTest::newRow("unit after number") << "12mm" << false << 0.0;
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
        if (numerico) {
            QCOMPARE(*v, valor);
            QCOMPARE(std::signbit(*v), std::signbit(valor));
        }
    }

    void formato_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("decimales");
        QTest::addColumn<QString>("texto");
        QTest::newRow("one decimal") << 76.6667 << 1 << "76.7";
        QTest::newRow("exact half away from zero") << 12.25 << 1 << "12.3";
        QTest::newRow("half below in binary") << 12.35 << 1 << "12.3";
        QTest::newRow("half above in binary") << 0.05 << 1 << "0.1";
        QTest::newRow("carry into the integer") << 9999.95 << 1 << "10000.0";
        QTest::newRow("whole number") << 2.5 << 0 << "3";
        QTest::newRow("negative half") << -2.5 << 0 << "-3";
        QTest::newRow("negative to zero") << -0.04 << 1 << "0.0";
        QTest::newRow("two decimals") << 0.125 << 2 << "0.13";
        QTest::newRow("four decimals") << 381.204 << 4 << "381.2040";
        QTest::newRow("zero") << 0.0 << 2 << "0.00";
        QTest::newRow("large") << 5000312.8021356883 << 1 << "5000312.8";
    }
    void formato()
    {
        QFETCH(double, x);
        QFETCH(int, decimales);
        QFETCH(QString, texto);
        QCOMPARE(QString::fromStdString(Formato(x, decimales)), texto);
    }

    void textoExactoReleeElMismoDoble()
    {
        for (double x : {0.1, 1.0 / 3, 35.611922990386294, 1e-300, 5e-324, 1.7976931348623157e308})
            QCOMPARE(ANumero(TextoExacto(x)).value(), x);
        QCOMPARE(QString::fromStdString(TextoExacto(0.1)), QString("0.1"));
        QCOMPARE(QString::fromStdString(TextoExacto(100.0)), QString("100"));
    }
};

QTEST_APPLESS_MAIN(TstNumero)
#include "tst_numero.moc"
