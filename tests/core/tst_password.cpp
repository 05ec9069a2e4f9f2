#include "core/Password.h"

#include <QTest>

using namespace arvo;

class TestPassword : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void scrambles_data();
    void scrambles();
    void matchesTrimmed_data();
    void matchesTrimmed();
};

void TestPassword::scrambles_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("codes");
    QTest::newRow("ABC") << QStringLiteral("ABC") << QList<int>{57, 57, 57};
    QTest::newRow("empty") << QString() << QList<int>{};
    // Shifts 8, 9, ..., 22 and again 8 at position 16.
    QTest::newRow("sixteen A")
        << QStringLiteral("AAAAAAAAAAAAAAAA")
        << QList<int>{57, 56, 55, 54, 53, 52, 51, 50, 49, 48, 47, 46, 45, 44, 43, 57};
    // Codes wrap within one byte.
    QTest::newRow("wraps below zero") << QString(QChar(3)) << QList<int>{251};
}

void TestPassword::scrambles()
{
    QFETCH(QString, text);
    QFETCH(QList<int>, codes);
    const QString scrambled = scramblePassword(text);
    QList<int> actual;
    for (QChar c : scrambled)
        actual << c.unicode();
    QCOMPARE(actual, codes);
    QCOMPARE(scramblePassword(scrambled, true), text);
}

void TestPassword::matchesTrimmed_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("matches");
    QTest::newRow("equal") << "ABC" << "999" << true;
    QTest::newRow("stored with blanks") << "ABC" << " 999  " << true;
    QTest::newRow("wrong") << "ABD" << "999" << false;
    QTest::newRow("lower case is another password") << "abc" << "999" << false;
}

void TestPassword::matchesTrimmed()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(bool, matches);
    QCOMPARE(passwordMatches(typed, stored), matches);
}

QTEST_GUILESS_MAIN(TestPassword)
#include "tst_password.moc"
