#include "core/AmountInWords.h"

#include <QTest>

using namespace arvo;

class TestAmountInWords : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void words_data();
    void words();
    void outOfRange_data();
    void outOfRange();
};

void TestAmountInWords::words_data()
{
    QTest::addColumn<double>("amount");
    QTest::addColumn<QString>("text");
    // Spacing is exactly what the pieces carry: tens and round hundreds end with a blank,
    // "cento e" starts with one.
    QTest::newRow("0,01") << 0.01 << "Um centavo";
    QTest::newRow("0,50") << 0.50 << "Cinquenta  centavos";
    QTest::newRow("1,00") << 1.00 << "Um real";
    QTest::newRow("2,00") << 2.00 << "Dois reais";
    QTest::newRow("21,00") << 21.00 << "Vinte e Um reais";
    QTest::newRow("100,00") << 100.00 << "Cem  reais";
    QTest::newRow("101,00") << 101.00 << " cento e Um reais";
    QTest::newRow("1.234,56") << 1234.56
                              << "Um mil Duzentos e Trinta e Quatro reais e Cinquenta e Seis "
                                 "centavos";
    QTest::newRow("1.500,00") << 1500.00 << "Um mil Quinhentos  reais";
    QTest::newRow("1.000.000,00") << 1000000.00 << "Um milhão  reais";
    QTest::newRow("2.000.001,10") << 2000001.10 << "Dois milhões Um reais e Dez centavos";
    QTest::newRow("maximum") << 4294967295.99
                             << "Quatro bilhões Duzentos e Noventa e Quatro milhões Novecentos e "
                                "Sessenta e Sete mil Duzentos e Noventa e Cinco reais e Noventa e "
                                "Nove centavos";
    // Rounded to cents before splitting: never "Dezenove reais e Cem centavos".
    QTest::newRow("float just below 20") << 19.999999999999996 << "Vinte  reais";
    QTest::newRow("float just below 0,29") << 0.28999999999999998 << "Vinte e Nove centavos";
}

void TestAmountInWords::words()
{
    QFETCH(double, amount);
    QFETCH(QString, text);
    const auto result = amountInWords(amount);
    QVERIFY2(result.ok(), qPrintable(result.ok() ? QString() : result.error().message));
    QCOMPARE(result.value(), text);
}

void TestAmountInWords::outOfRange_data()
{
    QTest::addColumn<double>("amount");
    QTest::addColumn<QString>("message");
    QTest::newRow("half a cent") << 0.005 << "0.005 Valor fora da faixa 0.01..4294967295.99";
    QTest::newRow("zero") << 0.0 << "0 Valor fora da faixa 0.01..4294967295.99";
    QTest::newRow("above") << 4294967296.0 << "4294967296 Valor fora da faixa 0.01..4294967295.99";
}

void TestAmountInWords::outOfRange()
{
    QFETCH(double, amount);
    QFETCH(QString, message);
    const auto result = amountInWords(amount);
    QVERIFY(!result.ok());
    QCOMPARE(result.error().message, message);
}

QTEST_GUILESS_MAIN(TestAmountInWords)
#include "tst_amount_in_words.moc"
