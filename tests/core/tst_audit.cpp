#include "core/Audit.h"

#include "tests/support/TestDatabase.h"

#include <QTest>

using namespace arvo;

class TestAudit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void bothWaysStoreTheSameRow_data();
    void bothWaysStoreTheSameRow();
    void stampIsLongTimeFormat();
};

void TestAudit::bothWaysStoreTheSameRow_data()
{
    QTest::addColumn<int>("way");
    QTest::newRow("procedure") << int(AuditWay::Procedure);
    QTest::newRow("direct insert") << int(AuditWay::DirectInsert);
}

// Texts longer than their columns are cut instead of failing under the strict sql_mode.
void TestAudit::bothWaysStoreTheSameRow()
{
    QFETCH(int, way);
    ARVO_TEST_DB(t);
    AuditEntry e;
    e.stamp = AuditStamp::at(QDateTime(QDate(2024, 3, 5), QTime(9, 7, 3)));
    e.operador = QString(35, u'O');
    e.rotina = QStringLiteral("REL FLUXO CAIXA MENSAL");
    e.operacao = QStringLiteral("I");
    e.historico = QString(69, u'H') + QStringLiteral("ÇÃO");
    e.favorecido = 42;
    e.valor = 1234.5;
    e.obs = QString(80, u'x');
    const Status written = writeAudit(t.db(), e, AuditWay(way));
    QVERIFY2(written.ok(), qPrintable(written.ok() ? QString() : written.error().text()));

    auto rows = t.db().select(QStringLiteral("select * from rastro"));
    QVERIFY(rows.ok());
    QCOMPARE(rows->size(), 1);
    const Row& r = rows.value()[0];
    QCOMPARE(r["data"].toDate(), QDate(2024, 3, 5));
    QCOMPARE(r["hora"].toString(), QStringLiteral("09:07:03"));
    QCOMPARE(r["operador"].toString(), QString(30, u'O'));
    QCOMPARE(r["rotina"].toString(), QStringLiteral("REL FLUXO CAIXA"));
    QCOMPARE(r["operacao"].toString(), QStringLiteral("I"));
    QCOMPARE(r["historico"].toString(), QString(69, u'H') + QStringLiteral("Ç"));
    QCOMPARE(r["favorecido"].toInt(), 42);
    QCOMPARE(r["valor"].toDouble(), 1234.5);
    QCOMPARE(r["obs"].toString(), QString(70, u'x'));
}

void TestAudit::stampIsLongTimeFormat()
{
    const AuditStamp s = AuditStamp::at(QDateTime(QDate(2024, 12, 31), QTime(23, 59, 59, 999)));
    QCOMPARE(s.time, QStringLiteral("23:59:59"));
    QCOMPARE(s.date, QDate(2024, 12, 31));
}

QTEST_GUILESS_MAIN(TestAudit)
#include "tst_audit.moc"
