#include "commissions/LedgerReceipt.h"
#include "commissions/SellerLedger.h"
#include "tests/support/TestDatabase.h"

#include "core/AmountInWords.h"

#include <QSet>
#include <QTest>


using namespace arvo;

namespace {

/// One insurer (code 1) and one insured (code 1) for the listing's joins.
void baseRows(Db& db)
{
    db.execRaw(QStringLiteral("INSERT INTO clientes (codigo, nome, fantasia) VALUES (1, 'CIA', 'CIA')")).ok();
    db.execRaw(QStringLiteral("INSERT INTO seguros_clientes (codigo, nome) VALUES (1, 'JOSE')")).ok();
}

void ledgerRow(Db& db, int producer, const QString& date, double credit, double debit,
               const QString& historico = QStringLiteral("COMISSAO"))
{
    QVERIFY(db.exec(QStringLiteral("INSERT INTO conta_produtor (data, segurado, seguradora, "
                                   "repasse, vendedor, credito, debito, historico) VALUES (:d, 1, "
                                   "1, :r, :r, :c, :b, :h)"),
                    {{QStringLiteral("d"), date},
                     {QStringLiteral("r"), producer},
                     {QStringLiteral("c"), credit},
                     {QStringLiteral("b"), debit},
                     {QStringLiteral("h"), historico}}));
}

QList<double> balances(const LedgerListing& l)
{
    QList<double> out;
    for (const Row& r : l.rows)
        out << r["saldo"].toDouble();
    return out;
}

} // namespace

class TestSellerLedger : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void runningBalance();
    void producerWithoutEarlierRowsStartsAtZero();
    void housekeeping();
    void postsEachPaymentForm_data();
    void postsEachPaymentForm();
    void receiptNumbersNeverRepeat();
    void receiptTexts_data();
    void receiptTexts();
};

void TestSellerLedger::runningBalance()
{
    ARVO_TEST_DB(t);
    baseRows(t.db());
    ledgerRow(t.db(), 5, QStringLiteral("2024/02/20"), 100, 0);  // before the period
    ledgerRow(t.db(), 5, QStringLiteral("2024/02/25"), 0, 30);   // before the period
    ledgerRow(t.db(), 5, QStringLiteral("2024/03/10"), 50, 0);
    ledgerRow(t.db(), 5, QStringLiteral("2024/03/05"), 0, 20);   // earlier date, later code
    ledgerRow(t.db(), 5, QStringLiteral("2024/03/10"), 0, 5);
    ledgerRow(t.db(), 9, QStringLiteral("2024/03/06"), 1000, 0); // another producer
    LedgerFilter f;
    f.start = QDate(2024, 3, 1);
    f.end = QDate(2024, 3, 31);
    f.producer = 5;
    auto l = listLedger(t.db(), f);
    QVERIFY2(l, qPrintable(l.ok() ? QString() : l.error().text()));
    QVERIFY(l->balanced);
    QCOMPARE(l->openingBalance, 70.0);
    QCOMPARE(balances(*l), (QList<double>{50, 100, 95}));
    QCOMPARE(l->rows[0]["data"].toDate(), QDate(2024, 3, 5));
    QCOMPARE(t.db().scalar(QStringLiteral("SELECT saldo FROM conta_produtor WHERE repasse = 9"))
                 ->isNull(),
             true);

    // Without a producer only the filters apply and nothing is balanced.
    LedgerFilter loose;
    loose.historico = QStringLiteral("OMISS");
    auto all = listLedger(t.db(), loose);
    QVERIFY(all);
    QVERIFY(!all->balanced);
    QCOMPARE(all->rows.size(), qsizetype(6));
}

void TestSellerLedger::producerWithoutEarlierRowsStartsAtZero()
{
    ARVO_TEST_DB(t);
    baseRows(t.db());
    ledgerRow(t.db(), 5, QStringLiteral("2024/03/02"), 10, 0);
    ledgerRow(t.db(), 5, QStringLiteral("2024/03/03"), 0, 4);
    LedgerFilter f{QDate(2024, 3, 1), QDate(2024, 3, 31), 5, {}, {}, {}, {}};
    auto l = listLedger(t.db(), f);
    QVERIFY(l);
    QCOMPARE(l->openingBalance, 0.0);
    QCOMPARE(balances(*l), (QList<double>{10, 6}));
}

void TestSellerLedger::housekeeping()
{
    ARVO_TEST_DB(t);
    baseRows(t.db());
    ledgerRow(t.db(), 5, QStringLiteral("2024/03/02"), 0, 0, QStringLiteral("Pgto Com. 03/2024"));
    ledgerRow(t.db(), 5, QStringLiteral("2024/03/02"), 0, 0, QStringLiteral("Encargos de produção"));
    ledgerRow(t.db(), 5, QStringLiteral("2024/03/02"), 12, 0, QStringLiteral("Pgto Com. 03/2024"));
    ledgerRow(t.db(), 5, QStringLiteral("2024/03/02"), 0, 3, QStringLiteral("Encargos de produção"));
    ledgerRow(t.db(), 5, QStringLiteral("2024/02/28"), 0, 0, QStringLiteral("Pgto Com. 02/2024"));
    QVERIFY(ledgerHousekeeping(t.db(), QDate(2024, 3, 1), QDate(2024, 3, 31)));
    QCOMPARE(t.db().scalar(QStringLiteral("SELECT COUNT(*) FROM conta_produtor"))->toInt(), 3);
    QCOMPARE(t.db().scalar(QStringLiteral("SELECT nome FROM seguros_clientes WHERE codigo = 0"))
                 ->toString(),
             QStringLiteral("N/I"));
}

void TestSellerLedger::postsEachPaymentForm_data()
{
    QTest::addColumn<int>("payment");
    QTest::addColumn<int>("payables");
    QTest::addColumn<int>("cashRows");
    QTest::newRow("cheque") << int(LedgerPayment::Cheque) << 1 << 0;
    QTest::newRow("cash") << int(LedgerPayment::Cash) << 0 << 1;
    QTest::newRow("transfer") << int(LedgerPayment::Transfer) << 0 << 1;
    QTest::newRow("none") << int(LedgerPayment::None) << 0 << 0;
}

void TestSellerLedger::postsEachPaymentForm()
{
    QFETCH(int, payment);
    QFETCH(int, payables);
    QFETCH(int, cashRows);
    ARVO_TEST_DB(t);
    LedgerEntry e;
    e.data = QDate(2024, 3, 15);
    e.producer = 5;
    e.producerNickname = QStringLiteral("D'ÁVILA");
    e.segurado = 0;
    e.historico = QStringLiteral("ADIANTAMENTO DE COMISSÃO DE MARÇO PARA O PRODUTOR, COM TEXTO LONGO");
    e.valor = 250.0;
    e.payment = LedgerPayment(payment);
    e.ncheque = 123;
    e.conta = QStringLiteral("00001");
    auto code = postLedgerEntry(t.db(), e, QStringLiteral("MARIA"));
    QVERIFY2(code, qPrintable(code.ok() ? QString() : code.error().text()));
    auto row = t.db().selectOne(QStringLiteral("SELECT * FROM conta_produtor WHERE codigo = :c"),
                                {{QStringLiteral("c"), *code}});
    QCOMPARE((**row)["debito"].toDouble(), 250.0);
    QVERIFY((**row)["credito"].isNull());
    QCOMPARE((**row)["repasse"].toInt(), 5);
    QCOMPARE((**row)["historico"].toString(), e.historico.left(50));
    QCOMPARE(t.db().scalar(QStringLiteral("SELECT COUNT(*) FROM docpagar WHERE tipo = 'CH' AND "
                                          "doc = '123' AND valor = 250 AND fornecedor = 5"))
                 ->toInt(),
             payables);
    QCOMPARE(t.db().scalar(QStringLiteral("SELECT COUNT(*) FROM financeiro WHERE tipo = 'D' AND "
                                          "debito = 250 AND doc = '20240315' AND historico = "
                                          "'Vlr ref pagto D''ÁVILA'"))
                 ->toInt(),
             cashRows);
    auto audit = t.db().selectOne(QStringLiteral("SELECT * FROM rastro"));
    QCOMPARE((**audit)["rotina"].toString(), QStringLiteral("CONTA_PRODUTOR"));
    QCOMPARE((**audit)["historico"].toString(), QStringLiteral("Dédito D'ÁVILA"));
    QCOMPARE((**audit)["favorecido"].toInt(), 5);
}

void TestSellerLedger::receiptNumbersNeverRepeat()
{
    ARVO_TEST_DB(t);
    QList<int> taken[2];
    test::onSeats(t, 2, [&](Db& db, int seat) {
        for (int n = 0; n < 50; ++n) {
            auto number = nextReceiptNumber(db);
            if (number)
                taken[seat] << *number;
        }
    });
    QSet<int> all;
    for (const auto& list : taken)
        for (int n : list)
            all.insert(n);
    QCOMPARE(taken[0].size() + taken[1].size(), qsizetype(100));
    QCOMPARE(all.size(), qsizetype(100));
    QCOMPARE(t.db().scalar(QStringLiteral("SELECT recibo FROM parametros"))->toInt(), 100);
}

void TestSellerLedger::receiptTexts_data()
{
    QTest::addColumn<int>("payment");
    QTest::addColumn<QString>("paymentText");
    QTest::newRow("cash") << int(LedgerPayment::Cash) << "DINHEIRO";
    QTest::newRow("transfer") << int(LedgerPayment::Transfer) << "TRANSFERÊNCIA BANCÁRIA";
    QTest::newRow("cheque") << int(LedgerPayment::Cheque) << "CHEQUE Nº 000123";
}

void TestSellerLedger::receiptTexts()
{
    QFETCH(int, payment);
    QFETCH(QString, paymentText);
    LedgerReceiptInput in;
    in.number = 42;
    in.razaoSocial = QStringLiteral("VELMOR CORRETORA LTDA");
    in.amount = 1234.56;
    in.payment = LedgerPayment(payment);
    in.chequeNumber = QStringLiteral("000123");
    in.historico = QStringLiteral("COMISSÕES DE MARÇO");
    in.producerNickname = QStringLiteral("ANA");
    in.producerCpf = QStringLiteral("52998224725");
    in.city = QStringLiteral("São Luís");
    in.date = QDate(2024, 3, 5);
    auto r = ledgerReceipt(in);
    QVERIFY(r);
    auto words = amountInWords(1234.56);
    QCOMPARE(r->title, QStringLiteral("RECIBO - Nº: 00042/2024"));
    QCOMPARE(r->body, QStringLiteral("Recebi da VELMOR CORRETORA LTDA, a importância de R$ 1.234,56 (") +
                          *words + QStringLiteral("), ") + paymentText +
                          QStringLiteral(",  referente a(o) COMISSÕES DE MARÇO"));
    QCOMPARE(r->amount, QStringLiteral("Valor R$ 1.234,56"));
    QCOMPARE(r->cpf, QStringLiteral("CPF: 529.982.247-25"));
    QCOMPARE(r->dateLine, QStringLiteral("São Luís, 05 de março de 2024"));
}

QTEST_GUILESS_MAIN(TestSellerLedger)
#include "tst_seller_ledger.moc"
