#include "core/InputHelpers.h"

#include <QTest>

using namespace arvo;

class TestInputHelpers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void moneyFromText_data();
    void moneyFromText();
    void moneyFromTextFailsWithoutDigits_data();
    void moneyFromTextFailsWithoutDigits();
    void numberAndDateTextForSql_data();
    void numberAndDateTextForSql();
    void removesAccents();
    void documents_data();
    void documents();
    void moneyForDisplay_data();
    void moneyForDisplay();
    void codes();
};

void TestInputHelpers::moneyFromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("thousands dot, decimal comma") << "1.234,56" << 1234.56;
    QTest::newRow("currency sign") << "R$ 10,00" << 10.0;
    // Only the rightmost comma is decimal.
    QTest::newRow("several commas") << "1,2,3" << 12.3;
    QTest::newRow("comma is decimal") << "12,345" << 12.345;
    QTest::newRow("point is a thousands dot") << "1,234.56" << 1.23456;
    QTest::newRow("dot only") << "1.000" << 1000.0;
    QTest::newRow("zero") << "0" << 0.0;
    // A sign survives only as the very first character.
    QTest::newRow("leading minus") << "-5" << -5.0;
    QTest::newRow("leading plus") << "+3" << 3.0;
    QTest::newRow("sign after the currency") << "R$ -5,00" << 5.0;
    QTest::newRow("trailing sign") << "3-" << 3.0;
}

void TestInputHelpers::moneyFromText()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    const auto read = arvo::moneyFromText(text);
    QVERIFY2(read.ok(), qPrintable(text));
    QCOMPARE(read.value(), value);
}

void TestInputHelpers::moneyFromTextFailsWithoutDigits_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("currency only") << "R$";
    QTest::newRow("lone comma") << ",";
    QTest::newRow("lone sign") << "-";
}

void TestInputHelpers::moneyFromTextFailsWithoutDigits()
{
    QFETCH(QString, text);
    QVERIFY(!arvo::moneyFromText(text).ok());
}

void TestInputHelpers::numberAndDateTextForSql_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("sql");
    QTest::newRow("number with separators") << "number" << "1.234,56" << "1234.56";
    QTest::newRow("whole number") << "number" << "12" << "12";
    QTest::newRow("other characters kept") << "number" << "R$ 1,5" << "R$ 1.5";
    QTest::newRow("date") << "date" << "05/03/2024" << "2024/03/05";
    QTest::newRow("empty masked date") << "date" << "  /  /    " << "0000/00/00";
    QTest::newRow("empty text") << "date" << "" << "0000/00/00";
}

void TestInputHelpers::numberAndDateTextForSql()
{
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QFETCH(QString, sql);
    QCOMPARE(kind == "number" ? numberTextForSql(text) : dateTextForSql(text), sql);
}

void TestInputHelpers::removesAccents()
{
    QCOMPARE(withoutAccents(QStringLiteral("SÃO LUÍS")), QStringLiteral("SAO LUIS"));
    QCOMPARE(withoutAccents(QStringLiteral("Conceição do Araguaia, Goiânia")),
             QStringLiteral("Conceicao do Araguaia, Goiania"));
}

void TestInputHelpers::documents_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::newRow("cpf valid") << "cpf" << "52998224725" << true;
    QTest::newRow("cpf wrong last digit") << "cpf" << "52998224724" << false;
    QTest::newRow("cpf with mask") << "cpf" << "529.982.247-25" << true;
    QTest::newRow("cpf remainder below two gives zero") << "cpf" << "11144477735" << true;
    QTest::newRow("cpf letter") << "cpf" << "5299822472A" << false;
    QTest::newRow("cpf too short") << "cpf" << "5299822472" << false;
    QTest::newRow("cnpj valid") << "cnpj" << "11222333000181" << true;
    QTest::newRow("cnpj with mask") << "cnpj" << "11.222.333/0001-81" << true;
    QTest::newRow("cnpj wrong digit") << "cnpj" << "11222333000182" << false;
    QTest::newRow("cnpj empty") << "cnpj" << "" << false;
}

void TestInputHelpers::documents()
{
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QCOMPARE(kind == "cpf" ? isValidCpf(text) : isValidCnpj(text), valid);
}

void TestInputHelpers::moneyForDisplay_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("plain");
    QTest::newRow("thousands") << 1234.5 << "1.234,50" << "1234.50";
    QTest::newRow("millions") << 1234567.891 << "1.234.567,89" << "1234567.89";
    QTest::newRow("zero") << 0.0 << "0,00" << "0.00";
    QTest::newRow("negative") << -5.0 << "-5,00" << "-5.00";
    QTest::newRow("tiny negative is zero") << -0.001 << "0,00" << "0.00";
}

void TestInputHelpers::moneyForDisplay()
{
    QFETCH(double, value);
    QFETCH(QString, shown);
    QFETCH(QString, plain);
    QCOMPARE(arvo::moneyForDisplay(value), shown);
    QCOMPARE(plainTwoDecimals(value), plain);
}

void TestInputHelpers::codes()
{
    QCOMPARE(zeroPadded(42), QStringLiteral("000042"));
    QCOMPARE(zeroPadded(1234567), QStringLiteral("1234567"));
    QCOMPARE(digitsOnly(QStringLiteral("(98)9 8123-4567")), QStringLiteral("98981234567"));
}

QTEST_GUILESS_MAIN(TestInputHelpers)
#include "tst_input_helpers.moc"
