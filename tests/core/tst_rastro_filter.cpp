#include "core/Audit.h"
#include "core/RastroFilter.h"

#include "tests/support/TestDatabase.h"

#include <QTest>

Q_DECLARE_METATYPE(arvo::RastroFilter)

using namespace arvo;

class TestRastroFilter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void filters_data();
    void filters();
    void needsBothDates();
    void refusesUnreadableInput();
};

namespace {

Status addRow(Db& db, QDate date, const QString& time, const QString& user, const QString& routine,
              const QString& op, const QString& text, double value, const QString& obs)
{
    AuditEntry e{{date, time}, user, routine, op, text, 0, value, obs};
    return writeAudit(db, e);
}

// Keys "time user" of the rows, in the order returned.
QStringList keys(const Rows& rows)
{
    QStringList out;
    for (const Row& r : rows)
        out << r["hora"].toString() + u' ' + r["operador"].toString();
    return out;
}

} // namespace

void TestRastroFilter::filters_data()
{
    QTest::addColumn<RastroFilter>("filter");
    QTest::addColumn<QStringList>("expected");
    const RastroFilter day{"05/03/2024", "05/03/2024", {}, {}, {}, {}, {}, {}};
    QTest::newRow("equal dates: that day, by operator")
        << day << QStringList{"10:00:00 ANA", "11:00:00 ANA", "09:00:00 BETO", "08:00:00 CAIO"};
    RastroFilter r = day;
    r.dataFinal = "06/03/2024";
    QTest::newRow("period ordered by date then operator")
        << r << QStringList{"10:00:00 ANA", "11:00:00 ANA", "09:00:00 BETO", "08:00:00 CAIO",
                            "07:00:00 ANA"};
    r = day;
    r.operador = "ANA";
    QTest::newRow("operator") << r << QStringList{"10:00:00 ANA", "11:00:00 ANA"};
    r = day;
    r.rotina = "CLIENTE";
    QTest::newRow("routine matched whole") << r << QStringList{"10:00:00 ANA"};
    r = day;
    r.operacao = "EXCLUSÃO";
    QTest::newRow("operation by its first letter") << r << QStringList{"09:00:00 BETO"};
    r = day;
    r.historico = "SILVA";
    QTest::newRow("description anywhere") << r << QStringList{"10:00:00 ANA", "09:00:00 BETO"};
    r = day;
    r.historico = "D'AVILA";
    QTest::newRow("description with an apostrophe") << r << QStringList{"08:00:00 CAIO"};
    r = day;
    r.obs = "PARC";
    QTest::newRow("remark anywhere") << r << QStringList{"11:00:00 ANA"};
    r = day;
    r.valor = "1.234,50";
    QTest::newRow("amount with thousands dot and comma") << r << QStringList{"11:00:00 ANA"};
}

void TestRastroFilter::filters()
{
    QFETCH(RastroFilter, filter);
    QFETCH(QStringList, expected);
    ARVO_TEST_DB(t);
    Db& db = t.db();
    const QDate d(2024, 3, 5);
    QVERIFY(addRow(db, d, "08:00:00", "CAIO", "FORNECEDOR", "A", "JOAO D'AVILA", 0, "").ok());
    QVERIFY(addRow(db, d, "09:00:00", "BETO", "CLIENTES2", "E", "MARIA SILVA", 10, "").ok());
    QVERIFY(addRow(db, d, "10:00:00", "ANA", "CLIENTE", "I", "JOSE SILVA", 0, "").ok());
    QVERIFY(addRow(db, d, "11:00:00", "ANA", "DOC. RECEBER", "B", "DOC 15", 1234.5, "PARC 2").ok());
    QVERIFY(addRow(db, d.addDays(1), "07:00:00", "ANA", "CLIENTE", "I", "X", 0, "").ok());
    QVERIFY(addRow(db, d.addDays(-1), "07:00:00", "ANA", "CLIENTE", "I", "Y", 0, "").ok());

    auto rows = findRastro(db, filter);
    QVERIFY2(rows.ok(), qPrintable(rows.ok() ? QString() : rows.error().text()));
    QCOMPARE(keys(rows.value()), expected);
}

void TestRastroFilter::needsBothDates()
{
    QVERIFY(!rastroFilterReady({"05/03/2024", "  /  /    ", {}, {}, {}, {}, {}, {}}));
    QVERIFY(rastroFilterReady({"05/03/2024", "05/03/2024", {}, {}, {}, {}, {}, {}}));
}

void TestRastroFilter::refusesUnreadableInput()
{
    QVERIFY(!rastroFilterQuery({"31/02/2024", "05/03/2024", {}, {}, {}, {}, {}, {}}).ok());
    QVERIFY(!rastroFilterQuery({"05/03/2024", "05/03/2024", {}, {}, {}, {}, "abc", {}}).ok());
}

QTEST_GUILESS_MAIN(TestRastroFilter)
#include "tst_rastro_filter.moc"
