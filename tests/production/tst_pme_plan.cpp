#include "production/DueDates.h"
#include "production/PmeReceivables.h"

#include <QTest>

using namespace arvo;

namespace {

PmeProposal proposal(const QString& insurer, double premium, const QDate& effective, int lives = 0)
{
    PmeProposal p;
    p.code = 1;
    p.number = QStringLiteral("P1");
    p.insurer = 7;
    p.insurerName = insurer;
    p.effective = effective;
    p.premium = premium;
    p.lives = lives;
    return p;
}

/// "n:valor/liquido" for each installment with an amount, "n:-" without; "*" marks settled.
QString describe(const QList<PlannedInstallment>& plan)
{
    QStringList parts;
    for (const PlannedInstallment& i : plan) {
        if (!i.hasAmount)
            parts << QStringLiteral("%1:-").arg(i.parc);
        else
            parts << QStringLiteral("%1:%2/%3%4")
                         .arg(i.parc)
                         .arg(i.valor, 0, 'f', 2)
                         .arg(i.liquido, 0, 'f', 2)
                         .arg(i.settled ? QStringLiteral("*") + QString::number(i.valorpago, 'f', 2)
                                        : QString());
    }
    return parts.join(QLatin1Char(' '));
}

} // namespace

class TestPmePlan : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dueDates_data();
    void dueDates();
    void insurerRules_data();
    void insurerRules();
    void scheduleTakesPrecedence();
};

void TestPmePlan::dueDates_data()
{
    QTest::addColumn<QDate>("effective");
    QTest::addColumn<int>("n");
    QTest::addColumn<QDate>("due");
    QTest::newRow("first is the effective date") << QDate(2024, 1, 10) << 1 << QDate(2024, 1, 10);
    QTest::newRow("24th across a year") << QDate(2024, 1, 10) << 24 << QDate(2025, 12, 10);
    QTest::newRow("31 Jan to February") << QDate(2024, 1, 31) << 2 << QDate(2024, 2, 28);
    QTest::newRow("31 Jan to March") << QDate(2024, 1, 31) << 3 << QDate(2024, 3, 31);
    QTest::newRow("31 Jan to April") << QDate(2024, 1, 31) << 4 << QDate(2024, 4, 28);
    QTest::newRow("29 Jan in a leap February") << QDate(2024, 1, 29) << 2 << QDate(2024, 2, 29);
    QTest::newRow("29 Jan in a common February") << QDate(2025, 1, 29) << 2 << QDate(2025, 2, 28);
    QTest::newRow("30 Jan in a leap February") << QDate(2024, 1, 30) << 2 << QDate(2024, 2, 28);
    QTest::newRow("December to January") << QDate(2024, 12, 15) << 2 << QDate(2025, 1, 15);
}

void TestPmePlan::dueDates()
{
    QFETCH(QDate, effective);
    QFETCH(int, n);
    QFETCH(QDate, due);
    QCOMPARE(installmentDueDate(effective, n), due);
}

void TestPmePlan::insurerRules_data()
{
    QTest::addColumn<QString>("insurer");
    QTest::addColumn<double>("premium");
    QTest::addColumn<int>("lives");
    QTest::addColumn<QString>("expected");
    const QString bradesco = [] {
        QStringList s{"1:1000.00/1000.00*1000.00", "2:1000.00/1000.00", "3:1000.00/1000.00",
                      "4:1000.00/520.00", "5:1000.00/520.00"};
        for (int n = 6; n <= 24; ++n)
            s << QStringLiteral("%1:1000.00/20.00").arg(n);
        return s.join(QLatin1Char(' '));
    }();
    QTest::newRow("BRADESCO") << "BRADESCO" << 1000.0 << 0 << bradesco;
    QTest::newRow("CNU") << "CNU" << 100.0 << 0
                         << "1:300.00/99.00 2:300.00/75.00 3:300.00/75.00 4:300.00/51.00";
    QTest::newRow("AMIL and further words")
        << "AMIL SAUDE PME" << 100.0 << 0
        << "1:100.00/100.00*0.00 2:100.00/70.00 3:100.00/70.00 4:100.00/70.00";
    QTest::newRow("HAPVIDA 30 lives")
        << "HAPVIDA" << 100.0 << 30
        << "1:100.00/100.00*100.00 2:100.00/50.00 3:100.00/50.00 4:100.00/50.00 "
           "5:100.00/50.00 6:100.00/50.00 7:100.00/50.00 8:100.00/50.00";
    QTest::newRow("HAPVIDA 29 lives")
        << "HAPVIDA" << 100.0 << 29
        << "1:100.00/100.00*100.00 2:100.00/50.00 3:100.00/50.00 4:100.00/50.00 "
           "5:100.00/10.00 6:100.00/10.00 7:100.00/10.00 8:100.00/10.00";
    QTest::newRow("HAPVIDA AFFIX") << "HAPVIDA AFFIX" << 100.0 << 0
                                   << "1:100.00/100.00*0.00 2:100.00/100.00 3:100.00/100.00";
    QTest::newRow("UNIHOSP has no rule") << "UNIHOSP" << 100.0 << 0 << "1:- 2:- 3:- 4:-";
}

void TestPmePlan::insurerRules()
{
    QFETCH(QString, insurer);
    QFETCH(double, premium);
    QFETCH(int, lives);
    QFETCH(QString, expected);
    const auto plan = planPmeReceivables(proposal(insurer, premium, QDate(2024, 1, 10), lives),
                                         std::nullopt);
    QCOMPARE(describe(plan), expected);
    // A first installment recorded as received is due and paid on the effective date.
    if (plan.first().settled)
        QCOMPARE(plan.first().vencto, QDate(2024, 1, 10));
}

void TestPmePlan::scheduleTakesPrecedence()
{
    BrokerSchedule s;
    s.com[0] = 100;
    s.com[1] = 50;
    s.com[2] = 50;
    s.com[3] = 10;
    s.com[4] = 10;
    auto plan = planPmeReceivables(proposal(QStringLiteral("AMIL"), 200.0, QDate(2024, 1, 10)), s);
    QCOMPARE(describe(plan), QStringLiteral("1:200.00/200.00 2:200.00/100.00 3:200.00/100.00 "
                                            "4:200.00/20.00"));
    // Not lifetime: installment 6 of a 24-installment insurer has no amount.
    plan = planPmeReceivables(proposal(QStringLiteral("OUTRA"), 200.0, QDate(2024, 1, 10)), s);
    QCOMPARE(plan.size(), qsizetype(24));
    QVERIFY(plan[4].hasAmount);
    QVERIFY(!plan[5].hasAmount);
    s.lifetime = true;
    plan = planPmeReceivables(proposal(QStringLiteral("OUTRA"), 200.0, QDate(2024, 1, 10)), s);
    QCOMPARE(plan[23].liquido, 4.0);
}

QTEST_GUILESS_MAIN(TestPmePlan)
#include "tst_pme_plan.moc"
