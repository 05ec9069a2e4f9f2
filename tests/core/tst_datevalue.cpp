#include "core/DateValue.h"

#include <QDateTime>
#include <QTest>

using namespace arvo;

class TestDateValue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsDate_data();
    void readsDate();
    void writesDateForSql_data();
    void writesDateForSql();
};

void TestDateValue::readsDate_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QDate>("expected"); // invalid: no date

    QTest::newRow("date") << QVariant(QDate(2016, 3, 30)) << QDate(2016, 3, 30);
    QTest::newRow("datetime") << QVariant(QDateTime(QDate(2016, 3, 30), QTime(10, 5)))
                              << QDate(2016, 3, 30);
    QTest::newRow("text with slashes") << QVariant(QStringLiteral("2016/03/30"))
                                       << QDate(2016, 3, 30);
    QTest::newRow("text with dashes") << QVariant(QStringLiteral("2016-03-30"))
                                      << QDate(2016, 3, 30);
    QTest::newRow("day before the empty date") << QVariant(QDate(1899, 12, 29))
                                               << QDate(1899, 12, 29);
    // The three stored forms of "no date".
    QTest::newRow("NULL") << QVariant(QMetaType(QMetaType::QDate)) << QDate();
    QTest::newRow("no value") << QVariant() << QDate();
    QTest::newRow("zero date as QtSql reads it") << QVariant(QDate()) << QDate();
    QTest::newRow("zero date text") << QVariant(QStringLiteral("0000/00/00")) << QDate();
    QTest::newRow("30/12/1899") << QVariant(QDate(1899, 12, 30)) << QDate();
    QTest::newRow("30/12/1899 datetime") << QVariant(QDateTime(QDate(1899, 12, 30), QTime(0, 0)))
                                         << QDate();
    QTest::newRow("30/12/1899 text") << QVariant(QStringLiteral("1899/12/30")) << QDate();
    // Anything else is no date rather than a wrong one.
    QTest::newRow("impossible text") << QVariant(QStringLiteral("2016/02/30")) << QDate();
    QTest::newRow("number") << QVariant(42) << QDate();
}

void TestDateValue::readsDate()
{
    QFETCH(QVariant, value);
    QFETCH(QDate, expected);
    QCOMPARE(readDate(value).value_or(QDate()), expected);
}

void TestDateValue::writesDateForSql_data()
{
    QTest::addColumn<QDate>("date"); // invalid: nothing
    QTest::addColumn<QString>("sql");
    QTest::newRow("date") << QDate(2016, 3, 5) << QStringLiteral("2016/03/05");
    QTest::newRow("no date") << QDate() << QStringLiteral("0000/00/00");
    QTest::newRow("30/12/1899 is no date") << QDate(1899, 12, 30) << QStringLiteral("0000/00/00");
}

void TestDateValue::writesDateForSql()
{
    QFETCH(QDate, date);
    QFETCH(QString, sql);
    QCOMPARE(dateForSql(date.isValid() ? std::optional(date) : std::nullopt), sql);
    if (!date.isValid())
        QCOMPARE(dateForSql(date), sql); // an invalid date passed as a value is no date too
}

QTEST_GUILESS_MAIN(TestDateValue)
#include "tst_datevalue.moc"
