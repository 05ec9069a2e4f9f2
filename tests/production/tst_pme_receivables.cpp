#include "production/PmeReceivables.h"
#include "tests/support/TestDatabase.h"

#include <QTest>


using namespace arvo;

namespace {

/// An insurer, an insured company and a PME proposal; returns the proposal code.
int addProposal(Db& db, const QString& insurer, double premium, const QString& effective,
                int holders = 0)
{
    db.exec(QStringLiteral("INSERT INTO clientes (nome, fantasia) VALUES (:n, :n)"),
            {{QStringLiteral("n"), insurer}})
        .value();
    const int cia = int(db.lastInsertId().value());
    db.exec(QStringLiteral("INSERT INTO seguros_clientes (nome) VALUES ('ACME LTDA')")).value();
    const int company = int(db.lastInsertId().value());
    db.exec(QStringLiteral("INSERT INTO seguros (segurado, produto, proposta, seguradora, "
                           "vendedor, vlrcomissionado, producao, efetivacao, tipo) VALUES "
                           "(:s, 1, :p, :c, 1, :v, '2024/01/02', :e, '01')"),
            {{QStringLiteral("s"), company},
             {QStringLiteral("p"), QStringLiteral("PR-%1").arg(cia)},
             {QStringLiteral("c"), cia},
             {QStringLiteral("v"), premium},
             {QStringLiteral("e"), effective}})
        .value();
    const int code = int(db.lastInsertId().value());
    for (int i = 0; i < holders; ++i)
        db.exec(QStringLiteral("INSERT INTO seguros_idclientes (seguro, favorecido) VALUES (:s, :f)"),
                {{QStringLiteral("s"), code}, {QStringLiteral("f"), 100 + i}})
            .value();
    return code;
}

PmeRunContext context()
{
    PmeRunContext c;
    c.user = QStringLiteral("MARIA");
    c.bankAccount = QStringLiteral("00002");
    c.today = QDate(2024, 6, 1);
    return c;
}

} // namespace

class TestPmeReceivables : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void bradescoWritesTwentyFourRows();
    void secondRunWritesNothing();
    void stopsAtTheFirstInstallmentWithoutAmount();
    void hapvidaCountsLives_data();
    void hapvidaCountsLives();
    void twoSeatsAtOnceWriteEachInstallmentOnce();
};

void TestPmeReceivables::bradescoWritesTwentyFourRows()
{
    ARVO_TEST_DB(t);
    const int code = addProposal(t.db(), QStringLiteral("BRADESCO"), 1000.0, QStringLiteral("2024/01/10"));
    auto p = loadPmeProposal(t.db(), code);
    QVERIFY(p && p->has_value());
    auto out = writePmeReceivables(t.db(), **p, context());
    QVERIFY2(out, qPrintable(out.ok() ? QString() : out.error().text()));
    QCOMPARE(out->written, 24);
    QVERIFY(out->stopMessage.isEmpty());

    auto rows = t.db().select(QStringLiteral("SELECT * FROM docreceber ORDER BY parc"));
    QVERIFY(rows);
    QCOMPARE(rows->size(), qsizetype(24));
    const Row& first = (*rows)[0];
    QCOMPARE(first["tipo"].toString(), QStringLiteral("OU"));
    QCOMPARE(first["doc"].toString(), (**p).number);
    QCOMPARE(first["producao"].toInt(), code);
    QCOMPARE(first["empresa"].toInt(), 1);
    QCOMPARE(first["emissao"].toDate(), QDate(2024, 1, 10));
    QCOMPARE(first["valorpago"].toDouble(), 1000.0);
    QCOMPARE(first["conta"].toString(), QStringLiteral("00002"));
    QCOMPARE(first["pgto"].toDate(), QDate(2024, 1, 10));
    QCOMPARE(first["vencto"].toDate(), QDate(2024, 1, 10));
    QCOMPARE((*rows)[1]["liquido"].toDouble(), 1000.0);
    QVERIFY((*rows)[1]["pgto"].isNull());
    QCOMPARE((*rows)[4]["liquido"].toDouble(), 520.0);
    QCOMPARE((*rows)[5]["liquido"].toDouble(), 20.0);
    QCOMPARE((*rows)[23]["vencto"].toDate(), QDate(2025, 12, 10));

    auto audit = t.db().select(QStringLiteral("SELECT * FROM rastro ORDER BY obs"));
    QVERIFY(audit);
    QCOMPARE(audit->size(), qsizetype(24));
    QCOMPARE((*audit)[0]["rotina"].toString(), QStringLiteral("DOC. RECEBER"));
    QCOMPARE((*audit)[0]["operacao"].toString(), QStringLiteral("I"));
    QCOMPARE((*audit)[0]["operador"].toString(), QStringLiteral("MARIA"));
    QCOMPARE((*audit)[0]["historico"].toString(), QStringLiteral("P: ") + (**p).number + " ACME LTDA");
    QCOMPARE((*audit)[0]["valor"].toDouble(), 1000.0);
    QCOMPARE((*audit)[0]["obs"].toString(), QStringLiteral("Geração das Parcelas - Parc: 1"));
}

void TestPmeReceivables::secondRunWritesNothing()
{
    ARVO_TEST_DB(t);
    const int code = addProposal(t.db(), QStringLiteral("CNU"), 100.0, QStringLiteral("2024/01/31"));
    auto p = loadPmeProposal(t.db(), code);
    QVERIFY(writePmeReceivables(t.db(), **p, context()));
    auto again = writePmeReceivables(t.db(), **p, context());
    QVERIFY(again);
    QCOMPARE(again->written, 0);
    QCOMPARE(again->alreadyThere, 4);
    auto batch = writeAllPmeReceivables(t.db(), context());
    QVERIFY(batch);
    QCOMPARE(batch->written, 0);
    QCOMPARE(t.db().scalar(QStringLiteral("SELECT COUNT(*) FROM docreceber"))->toInt(), 4);
    QCOMPARE(t.db().scalar(QStringLiteral("SELECT vencto FROM docreceber WHERE parc = 2"))->toDate(),
             QDate(2024, 2, 28));
}

void TestPmeReceivables::stopsAtTheFirstInstallmentWithoutAmount()
{
    ARVO_TEST_DB(t);
    const int code = addProposal(t.db(), QStringLiteral("OUTRA SAUDE"), 100.0, QStringLiteral("2024/03/05"));
    const int cia = t.db().scalar(QStringLiteral("SELECT seguradora FROM seguros WHERE codigo = :c"),
                                  {{QStringLiteral("c"), code}})->toInt();
    QVERIFY(t.db().exec(QStringLiteral("INSERT INTO com_segur_corretora (seguradora, tipo, com1, "
                                       "com2, com3, com4, com5, vitalicio) VALUES (:c, '01', 100, "
                                       "80, 60, 40, 20, 'N')"),
                        {{QStringLiteral("c"), cia}}));
    auto p = loadPmeProposal(t.db(), code);
    auto out = writePmeReceivables(t.db(), **p, context());
    QVERIFY(out);
    QCOMPARE(out->written, 5);
    QCOMPARE(out->stopMessage, QStringLiteral("OUTRA SAUDE"));
    QCOMPARE(t.db().scalar(QStringLiteral("SELECT SUM(liquido) FROM docreceber"))->toDouble(), 300.0);

    // Without a schedule and without a rule nothing is stored.
    const int other = addProposal(t.db(), QStringLiteral("UNIHOSP"), 100.0, QStringLiteral("2024/03/05"));
    out = writePmeReceivables(t.db(), *loadPmeProposal(t.db(), other).value(), context());
    QVERIFY(out);
    QCOMPARE(out->written, 0);
    QCOMPARE(out->stopMessage, QStringLiteral("UNIHOSP"));
}

void TestPmeReceivables::hapvidaCountsLives_data()
{
    QTest::addColumn<int>("lives");
    QTest::addColumn<double>("fifth");
    QTest::newRow("30 lives") << 30 << 50.0;
    QTest::newRow("29 lives") << 29 << 10.0;
}

void TestPmeReceivables::hapvidaCountsLives()
{
    QFETCH(int, lives);
    QFETCH(double, fifth);
    ARVO_TEST_DB(t);
    const int code = addProposal(t.db(), QStringLiteral("HAPVIDA"), 100.0, QStringLiteral("2024/01/10"), lives - 1);
    QVERIFY(t.db().exec(QStringLiteral("INSERT INTO seguros_idterceiros (seguro, favorecido, terceiro) "
                                       "VALUES (:s, 100, 500)"),
                        {{QStringLiteral("s"), code}}));
    auto batch = writeAllPmeReceivables(t.db(), context());
    QVERIFY(batch);
    QCOMPARE(batch->written, 8);
    QCOMPARE(t.db().scalar(QStringLiteral("SELECT liquido FROM docreceber WHERE parc = 5"))->toDouble(), fifth);
}

void TestPmeReceivables::twoSeatsAtOnceWriteEachInstallmentOnce()
{
    ARVO_TEST_DB(t);
    const int code = addProposal(t.db(), QStringLiteral("BRADESCO"), 10.0, QStringLiteral("2024/01/10"));
    const PmeProposal p = *loadPmeProposal(t.db(), code).value();
    int written[2] = {0, 0};
    test::onSeats(t, 2, [&](Db& db, int seat) {
        for (int round = 0; round < 3; ++round) {
            auto out = writePmeReceivables(db, p, context());
            if (out)
                written[seat] += out->written;
        }
    });
    QCOMPARE(written[0] + written[1], 24);
    QCOMPARE(t.db().scalar(QStringLiteral("SELECT COUNT(*) FROM docreceber"))->toInt(), 24);
    QCOMPARE(t.db().scalar(QStringLiteral("SELECT COUNT(DISTINCT parc) FROM docreceber"))->toInt(), 24);
}

QTEST_GUILESS_MAIN(TestPmeReceivables)
#include "tst_pme_receivables.moc"
