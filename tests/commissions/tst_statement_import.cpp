#include "commissions/StatementImport.h"
#include "platform/sheet/WorkbookWriter.h"
#include "tests/support/TestDatabase.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace arvo;

namespace {

struct Line
{
    QString key;
    int parc = 1;
    double base = 1000;
    double paid = 800;
};

/// Writes a statement in the layout's own columns.
QString writeStatement(const QTemporaryDir& dir, const StatementLayout& l, const QList<Line>& lines,
                       const QString& name = QStringLiteral("extrato.xlsx"))
{
    const QString path = dir.filePath(name);
    WorkbookWriter w(path);
    w.write(1, 1, QStringLiteral("Extrato"));
    int row = l.firstRow;
    for (const Line& line : lines) {
        w.write(row, l.keyColumn, line.key);
        w.write(row, l.installmentColumn, line.parc);
        w.write(row, l.baseColumns.first(), line.base);
        w.write(row, l.paidColumn, line.paid);
        w.write(row, l.dateColumn, l.id == LayoutId::SulAmerica ? QStringLiteral("2024-05-10")
                                                                : QStringLiteral("10/05/2024"));
        if (l.nameColumn > 0)
            w.write(row, l.nameColumn, QStringLiteral("JOSE DA SILVA"));
        ++row;
    }
    if (!w.save())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

qint64 insert(Db& db, const QString& sql, const Params& p = {})
{
    auto r = db.exec(sql, p);
    if (!r)
        qFatal("%s", qPrintable(r.error().text()));
    return db.lastInsertId().value();
}

struct Fixture
{
    int insurer = 0;
    int adm = 0;
    int seller = 0;
    int producer = 0;
    int product = 0;
    int insured = 0;
};

Fixture baseFixture(Db& db, const QString& insurerName, int insurerCode = 0, int producerCode = 0,
                    int debencargos = 1, int prodPagarvital = 0, const QString& state = {})
{
    Fixture f;
    f.insurer = int(insert(db, QStringLiteral("INSERT INTO clientes (codigo, nome, fantasia, taxaInd) "
                                              "VALUES (NULLIF(:c, 0), :n, :n, 5)"),
                           {{QStringLiteral("c"), insurerCode}, {QStringLiteral("n"), insurerName}}));
    // An explicit key is not reported back as the inserted id.
    if (insurerCode > 0)
        f.insurer = insurerCode;
    f.adm = int(insert(db, QStringLiteral("INSERT INTO adma (nome, ativo) VALUES ('QUALICORP', 'S')")));
    f.seller = int(insert(db, QStringLiteral("INSERT INTO fornecedores (tipo, nome, apelido) "
                                             "VALUES ('F', 'ANA', 'ANINHA')")));
    f.producer = int(insert(db, QStringLiteral("INSERT INTO fornecedores (codigo, tipo, nome, "
                                               "fantasia, debencargos, pagarvital, estado) VALUES "
                                               "(NULLIF(:c, 0), 'J', 'REPASSE', 'REPASSE', :d, :v, :e)"),
                            {{QStringLiteral("c"), producerCode},
                             {QStringLiteral("d"), debencargos},
                             {QStringLiteral("v"), prodPagarvital},
                             {QStringLiteral("e"), state}}));
    if (producerCode > 0)
        f.producer = producerCode;
    f.product = int(insert(db, QStringLiteral("INSERT INTO produtos (nome) VALUES ('PLANO')")));
    f.insured = int(insert(db, QStringLiteral("INSERT INTO seguros_clientes (nome) VALUES ('JOSE DA SILVA')")));
    return f;
}

int addProposal(Db& db, const Fixture& f, const QString& number, double com, const QString& tipo = QStringLiteral("02"),
                const QDate& effective = QDate(2024, 1, 10), int pagarvital = 0)
{
    return int(insert(db, QStringLiteral("INSERT INTO seguros (segurado, produto, proposta, contrato, "
                                         "seguradora, vendedor, producao, efetivacao, com1, com2, com3, "
                                         "com4, com5, com6, produtor, tipo, administradora, pagarvital) "
                                         "VALUES (:s, :p, :n, :n, :c, :v, '2024/01/02', :e, :m, :m, :m, "
                                         ":m, :m, :m, :r, :t, :a, :pv)"),
                      {{QStringLiteral("s"), f.insured},
                       {QStringLiteral("p"), f.product},
                       {QStringLiteral("n"), number},
                       {QStringLiteral("c"), f.insurer},
                       {QStringLiteral("v"), f.seller},
                       {QStringLiteral("e"), effective},
                       {QStringLiteral("m"), com},
                       {QStringLiteral("r"), f.producer},
                       {QStringLiteral("t"), tipo},
                       {QStringLiteral("a"), f.adm},
                       {QStringLiteral("pv"), pagarvital}}));
}

StatementImportRequest request(const StatementLayout& layout, const Fixture& f, const QString& path)
{
    StatementImportRequest r;
    r.filePath = path;
    r.paymentDate = QDate(2024, 5, 15);
    r.layout = layout;
    r.insurer = f.insurer;
    r.administrator = f.adm;
    r.account = QStringLiteral("00002");
    r.user = QStringLiteral("MARIA");
    r.today = QDate(2024, 5, 20);
    r.encPme = 10;
    r.encInd = 5;
    return r;
}

int count(Db& db, const QString& sql)
{
    return db.scalar(sql).value().toInt();
}

} // namespace

class TestStatementImport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writesLedgerReceivableAndOutcomes();
    void layoutRules_data();
    void layoutRules();
    void failedGroupLeavesNothingHalfWritten();
    void killedConnectionThenRerun();
    void badFileWritesNothing_data();
    void badFileWritesNothing();
    void secondSeatIsTurnedAway();
    void dryRunWritesNothing();
};

void TestStatementImport::writesLedgerReceivableAndOutcomes()
{
    ARVO_TEST_DB(t);
    QTemporaryDir dir;
    Db& db = t.db();
    const Fixture f = baseFixture(db, QStringLiteral("AMIL"));
    const int p1 = addProposal(db, f, QStringLiteral("P100"), 20);
    // A producer without production charge.
    Fixture noCharge = f;
    noCharge.producer = int(insert(db, QStringLiteral("INSERT INTO fornecedores (tipo, nome, debencargos) VALUES ('J', 'SEM', 0)")));
    addProposal(db, noCharge, QStringLiteral("P200"), 10);
    // An expected receivable that the settled one replaces.
    insert(db, QStringLiteral("INSERT INTO docreceber (cliente, tipo, doc, emissao, vencto, valor, "
                              "liquido, parc) VALUES (:c, 'OU', 'P100', '2024/01/10', '2024/02/10', 1, 1, 1)"),
           {{QStringLiteral("c"), f.insurer}});

    const StatementLayout l = layoutById(LayoutId::Qualicorp);
    const QString path = writeStatement(dir, l,
                                        {{QStringLiteral("P100"), 1, 600, 500},
                                         {QStringLiteral("P100"), 1, 400, 300},
                                         {QStringLiteral("P200"), 1, 1000, 800},
                                         {QStringLiteral("P999"), 1, 50, 40},
                                         {QStringLiteral("P300"), 0, 10, 10},
                                         {QStringLiteral("P400"), 1, 0, 10}});
    auto out = importStatement(db, request(l, f, path));
    QVERIFY2(out, qPrintable(out.ok() ? QString() : out.error().text()));
    QCOMPARE(out->lines, 5); // the line without a base is dropped
    QCOMPARE(out->groups, 4);
    QCOMPARE(out->outcomes.value(kCommissionWritten), 2);
    QCOMPARE(out->outcomes.value(kNotFound), 1);
    QCOMPARE(out->outcomes.value(kNoCommission), 1);

    auto ret = db.select(QStringLiteral("SELECT apolice, parcela, obs FROM retorno WHERE obs IS NOT NULL ORDER BY apolice"));
    QCOMPARE(ret->size(), qsizetype(4));
    QCOMPARE((*ret)[0]["obs"].toString(), kCommissionWritten);
    QCOMPARE((*ret)[2]["obs"].toString(), kNoCommission);
    QCOMPARE((*ret)[3]["apolice"].toString(), QStringLiteral("P999"));
    QCOMPARE((*ret)[3]["obs"].toString(), kNotFound);

    auto ledger = db.select(QStringLiteral("SELECT * FROM conta_produtor ORDER BY codigo"));
    QCOMPARE(ledger->size(), qsizetype(3)); // two credits, one charge
    const Row& credit = (*ledger)[0];
    QCOMPARE(credit["producao"].toInt(), p1);
    QCOMPARE(credit["data"].toDate(), QDate(2024, 5, 20));
    QCOMPARE(credit["parcelas"].toInt(), 1);
    QCOMPARE(credit["vendedor"].toInt(), f.seller);
    QCOMPARE(credit["repasse"].toInt(), f.producer);
    QCOMPARE(credit["corretora"].toInt(), 1);
    QCOMPARE(credit["comissao"].toDouble(), 20.0);
    QCOMPARE(credit["premio"].toDouble(), 1000.0);
    QCOMPARE(credit["credito"].toDouble(), 200.0);
    QCOMPARE(credit["historico"].toString(), QStringLiteral("Pgto Com. Parc. 1"));
    QCOMPARE(credit["docorigem"].toString(), QStringLiteral("extrato.xlsx"));
    const Row& charge = (*ledger)[1];
    QCOMPARE(charge["historico"].toString(), QStringLiteral("Encargos de produção"));
    QCOMPARE(charge["comissao"].toDouble(), 5.0);
    QCOMPARE(charge["premio"].toDouble(), 200.0);
    QCOMPARE(charge["debito"].toDouble(), 10.0);
    QCOMPARE((*ledger)[2]["credito"].toDouble(), 100.0);

    auto rec = db.select(QStringLiteral("SELECT * FROM docreceber ORDER BY doc"));
    QCOMPARE(rec->size(), qsizetype(2)); // the expected P100 row was replaced
    QCOMPARE((*rec)[0]["doc"].toString(), QStringLiteral("P100"));
    QCOMPARE((*rec)[0]["valor"].toDouble(), 1000.0);
    QCOMPARE((*rec)[0]["liquido"].toDouble(), 800.0);
    QCOMPARE((*rec)[0]["valorpago"].toDouble(), 800.0);
    QCOMPARE((*rec)[0]["pgto"].toDate(), QDate(2024, 5, 15));
    QCOMPARE((*rec)[0]["conta"].toString(), QStringLiteral("00002"));
    QCOMPARE((*rec)[0]["nf"].toString(), QStringLiteral("P100"));
    QCOMPARE((*rec)[0]["producao"].toInt(), p1);
    QCOMPARE(count(db, QStringLiteral("SELECT COUNT(*) FROM rastro WHERE rotina = 'Retorno' AND historico = 'Baixar QUALICORP'")), 1);
    QCOMPARE(count(db, QStringLiteral("SELECT COUNT(*) FROM rastro WHERE obs = 'CRED. - JOSE DA SILVA'")), 2);

    // The same statement again: nothing more in the ledger, the receivables written again.
    auto again = importStatement(db, request(l, f, path));
    QVERIFY(again);
    QCOMPARE(again->outcomes.value(kAlreadyCredited), 2);
    QCOMPARE(again->credits, 0);
    QCOMPARE(count(db, QStringLiteral("SELECT COUNT(*) FROM conta_produtor")), 3);
    QCOMPARE(count(db, QStringLiteral("SELECT COUNT(*) FROM docreceber")), 2);
}

void TestStatementImport::layoutRules_data()
{
    QTest::addColumn<int>("layout");
    QTest::addColumn<QString>("insurer");
    QTest::addColumn<int>("insurerCode");
    QTest::addColumn<int>("producerCode");
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("tipo");
    QTest::addColumn<int>("parc");
    QTest::addColumn<QDate>("effective");
    QTest::addColumn<int>("vital");       // producer and proposal pagarvital
    QTest::addColumn<QString>("cell");    // statement key cell; the proposal is "K123456789AB"
    QTest::addColumn<double>("credit");   // -1: no producer credit
    QTest::addColumn<int>("supervisor");  // supervisor credits
    QTest::addColumn<QString>("marker");

    const QDate early(2024, 1, 10);
    const QDate late(2024, 8, 1);
    const QString k = QStringLiteral("K123456789AB");
    const QString ok = kCommissionWritten;
    const QString none = kNotCommissionable;
    auto row = [&](const char* name, LayoutId l, const QString& insurer, int insurerCode, int producerCode,
                   const QString& state, const QString& tipo, int parc, QDate eff, int vital,
                   const QString& cell, double credit, int sup, const QString& marker) {
        QTest::newRow(name) << int(l) << insurer << insurerCode << producerCode << state << tipo << parc
                            << eff << vital << cell << credit << sup << marker;
    };
    // Base 1000, paid 800, every com column 10.
    // AFFIX: fixed rates by insurer code.
    row("affix 48 parc 1", LayoutId::Affix, "X", 48, 0, "", "02", 1, early, 0, k, 500, 0, ok);
    row("affix 48 parc 2", LayoutId::Affix, "X", 48, 0, "", "02", 2, early, 0, k, 100, 0, ok);
    row("affix 54 parc 1", LayoutId::Affix, "X", 54, 0, "", "02", 1, early, 0, k, 300, 0, ok);
    row("affix 47 parc 2", LayoutId::Affix, "X", 47, 0, "", "02", 2, early, 0, k, -1, 0, none);
    row("affix other insurer", LayoutId::Affix, "X", 60, 0, "", "02", 1, early, 0, k, -1, 0, none);
    // UNIHOSP: on the paid amount, installment 2 less the insurer's fee.
    row("unihosp parc 1", LayoutId::Unihosp, "UNIHOSP", 0, 0, "", "02", 1, early, 0, k, 80, 0, ok);
    row("unihosp parc 2 fee", LayoutId::Unihosp, "UNIHOSP", 0, 0, "", "02", 2, early, 0, k, 75, 0, ok);
    row("unihosp parc 5", LayoutId::Unihosp, "UNIHOSP", 0, 0, "", "02", 5, early, 0, k, -1, 0, none);
    // HUMANA: lifetime 1.5 % only before the cut-off.
    row("humana parc 5", LayoutId::HumanaNew, "HUMANA SAUDE", 0, 0, "", "02", 5, late, 0, " " + k + " ", 100, 0, ok);
    row("humana 6 early vital", LayoutId::HumanaNew, "HUMANA SAUDE", 0, 0, "", "02", 6, early, 1, k, 15, 0, ok);
    row("humana 6 late", LayoutId::HumanaOld, "HUMANA SAUDE", 0, 0, "", "02", 6, late, 1, k, -1, 0, none);
    row("humana 7 early no vital", LayoutId::HumanaNew, "HUMANA SAUDE", 0, 0, "", "02", 7, early, 0, k, -1, 0, none);
    // GEAP: supervisor credit from installment 2, not for MA/PI producers.
    row("geap parc 1", LayoutId::Geap, "GEAP SAUDE", 0, 0, "SP", "02", 1, early, 0, k, 100, 0, ok);
    row("geap parc 2 supervisor", LayoutId::Geap, "GEAP SAUDE", 0, 0, "SP", "02", 2, early, 0, k, 100, 1, ok);
    row("geap parc 2 MA", LayoutId::Geap, "GEAP SAUDE", 0, 0, "MA", "02", 2, early, 0, k, 100, 0, ok);
    row("geap parc 3 lifetime 1015", LayoutId::Geap, "GEAP SAUDE", 0, 1015, "PI", "02", 3, early, 1, k, 20, 0, ok);
    row("geap parc 3 other producer", LayoutId::Geap, "GEAP SAUDE", 0, 0, "PI", "02", 3, early, 1, k, -1, 0, none);
    // SUL AMERICA: 1.5 % above 5 before the cut-off.
    row("sulamerica 7 early", LayoutId::SulAmerica, "SUL AMERICA", 0, 0, "", "01", 7, early, 0, k, 15, 0, ok);
    row("sulamerica 7 late", LayoutId::SulAmerica, "SUL AMERICA", 0, 0, "", "01", 7, late, 0, k, -1, 0, none);
    // HAPVIDA: matched by the first 12 characters of a longer key.
    row("hapvida long key", LayoutId::Hapvida, "HAPVIDA", 0, 0, "", "02", 4, early, 0, k + "0001", 100, 0, ok);
    row("hapvida parc 5", LayoutId::Hapvida, "HAPVIDA", 0, 0, "", "02", 5, early, 0, k, -1, 0, none);
    // MEDPLAN: the key is characters 3 to 22; PME up to 4, others up to 3.
    row("medplan pme 4", LayoutId::Medplan, "MEDPLAN", 0, 0, "", "01", 4, early, 0, "XX" + k, 100, 0, ok);
    row("medplan ind 4", LayoutId::Medplan, "MEDPLAN", 0, 0, "", "02", 4, early, 0, "XX" + k, -1, 0, none);
    // Multi-insurer: the key before the first blank.
    row("multi parc 3", LayoutId::MultiInsurer, "X", 0, 0, "", "02", 3, early, 0, k + " JOSE", 100, 0, ok);
    // Above 6 without a lifetime rule: no credit, no failure.
    row("multi parc 9", LayoutId::MultiInsurer, "X", 0, 0, "", "02", 9, early, 0, k + " JOSE", -1, 0, none);
}

void TestStatementImport::layoutRules()
{
    QFETCH(int, layout);
    QFETCH(QString, insurer);
    QFETCH(int, insurerCode);
    QFETCH(int, producerCode);
    QFETCH(QString, state);
    QFETCH(QString, tipo);
    QFETCH(int, parc);
    QFETCH(QDate, effective);
    QFETCH(int, vital);
    QFETCH(QString, cell);
    QFETCH(double, credit);
    QFETCH(int, supervisor);
    QFETCH(QString, marker);

    ARVO_TEST_DB(t);
    QTemporaryDir dir;
    Db& db = t.db();
    const Fixture f = baseFixture(db, insurer, insurerCode, producerCode, 0, vital, state);
    addProposal(db, f, QStringLiteral("K123456789AB"), 10, tipo, effective, vital);
    const StatementLayout l = layoutById(LayoutId(layout));
    QList<Line> lines{{cell, parc, 1000, 800}};
    if (l.id == LayoutId::MultiInsurer)
        lines.prepend({QStringLiteral("SEMESPACO"), 1, 1000, 800}); // no blank: ignored
    const QString path = writeStatement(dir, l, lines);
    auto out = importStatement(db, request(l, f, path));
    QVERIFY2(out, qPrintable(out.ok() ? QString() : out.error().text()));
    QCOMPARE(out->lines, 1);
    QCOMPARE(out->outcomes.value(marker), 1);

    auto ledger = db.select(QStringLiteral("SELECT credito FROM conta_produtor WHERE repasse = :r"),
                            {{QStringLiteral("r"), f.producer}});
    QCOMPARE(ledger->size(), qsizetype(credit < 0 ? 0 : 1));
    if (credit >= 0)
        QCOMPARE((*ledger)[0].value(0).toDouble(), credit);
    QCOMPARE(count(db, QStringLiteral("SELECT COUNT(*) FROM conta_produtor WHERE repasse = 1284")), supervisor);
    // Every matched installment leaves one settled receivable.
    auto rec = db.select(QStringLiteral("SELECT valorpago, pgto FROM docreceber"));
    QCOMPARE(rec->size(), qsizetype(1));
    QCOMPARE((*rec)[0].value(0).toDouble(), 800.0);
    QCOMPARE((*rec)[0].value(1).toDate(), QDate(2024, 5, 15));
}

void TestStatementImport::failedGroupLeavesNothingHalfWritten()
{
    ARVO_TEST_DB(t);
    QTemporaryDir dir;
    Db& db = t.db();
    const Fixture f = baseFixture(db, QStringLiteral("AMIL"));
    addProposal(db, f, QStringLiteral("A1"), 10);
    addProposal(db, f, QStringLiteral("B1"), 10);
    insert(db, QStringLiteral("INSERT INTO docreceber (cliente, tipo, doc, emissao, vencto, valor, "
                              "liquido, parc) VALUES (:c, 'OU', 'B1', '2024/01/10', '2024/02/10', 7, 7, 1)"),
           {{QStringLiteral("c"), f.insurer}});
    // The server refuses the second proposal's settled receivable, after its credit, its
    // charge and the delete of its expected receivable.
    QVERIFY(db.execRaw(QStringLiteral("CREATE TRIGGER fail_b1 BEFORE INSERT ON docreceber FOR EACH ROW "
                              "IF NEW.doc = 'B1' AND NEW.pgto IS NOT NULL THEN "
                              "SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'falha'; END IF")));
    const StatementLayout l = layoutById(LayoutId::Qualicorp);
    const QString path = writeStatement(dir, l, {{QStringLiteral("A1")}, {QStringLiteral("B1")}});
    auto out = importStatement(db, request(l, f, path));
    QVERIFY(!out);
    QVERIFY(out.error().message.contains(QStringLiteral("B1")));
    QCOMPARE(count(db, QStringLiteral("SELECT COUNT(*) FROM conta_produtor WHERE proposta = 'A1'")), 2);
    QCOMPARE(count(db, QStringLiteral("SELECT COUNT(*) FROM conta_produtor WHERE proposta = 'B1'")), 0);
    QCOMPARE(count(db, QStringLiteral("SELECT COUNT(*) FROM docreceber WHERE doc = 'B1' AND valor = 7")), 1);

    QVERIFY(db.execRaw(QStringLiteral("DROP TRIGGER fail_b1")));
    auto again = importStatement(db, request(l, f, path));
    QVERIFY2(again, qPrintable(again.ok() ? QString() : again.error().text()));
    QCOMPARE(again->outcomes.value(kAlreadyCredited), 1);
    QCOMPARE(again->outcomes.value(kCommissionWritten), 1);
    QCOMPARE(count(db, QStringLiteral("SELECT COUNT(*) FROM conta_produtor WHERE historico = 'Encargos de produção'")), 2);
    QCOMPARE(count(db, QStringLiteral("SELECT COUNT(*) FROM conta_produtor")), 4);
    QCOMPARE(count(db, QStringLiteral("SELECT COUNT(*) FROM docreceber")), 2);
}

void TestStatementImport::killedConnectionThenRerun()
{
    ARVO_TEST_DB(t);
    QTemporaryDir dir;
    const Fixture f = baseFixture(t.db(), QStringLiteral("AMIL"));
    QList<Line> lines;
    for (const char* key : {"A1", "B1", "C1", "D1"}) {
        addProposal(t.db(), f, QLatin1String(key), 10);
        lines << Line{QLatin1String(key)};
    }
    auto seat = t.connectAgain(QStringLiteral("seat1"));
    QVERIFY(seat);
    const int id = seat->scalar(QStringLiteral("SELECT CONNECTION_ID()"))->toInt();
    const StatementLayout l = layoutById(LayoutId::Qualicorp);
    const QString path = writeStatement(dir, l, lines);
    // The server goes away for this seat after two groups.
    auto out = importStatement(*seat, request(l, f, path), {},
                               [&](qint64 done, qint64, const QString&) {
                                   if (done == 2)
                                       (void)t.db().exec(QStringLiteral("KILL CONNECTION %1").arg(id));
                               });
    QVERIFY(!out);
    QCOMPARE(count(t.db(), QStringLiteral("SELECT COUNT(*) FROM conta_produtor WHERE historico LIKE 'Pgto%'")), 2);
    QCOMPARE(count(t.db(), QStringLiteral("SELECT COUNT(*) FROM conta_produtor WHERE historico = 'Encargos de produção'")), 2);
    QCOMPARE(count(t.db(), QStringLiteral("SELECT COUNT(*) FROM docreceber")), 2);

    auto again = importStatement(t.db(), request(l, f, path));
    QVERIFY2(again, qPrintable(again.ok() ? QString() : again.error().text()));
    QCOMPARE(again->outcomes.value(kAlreadyCredited), 2);
    QCOMPARE(again->outcomes.value(kCommissionWritten), 2);
    QCOMPARE(count(t.db(), QStringLiteral("SELECT COUNT(*) FROM conta_produtor WHERE historico LIKE 'Pgto%'")), 4);
    QCOMPARE(count(t.db(), QStringLiteral("SELECT COUNT(*) FROM conta_produtor WHERE historico = 'Encargos de produção'")), 4);
    QCOMPARE(count(t.db(), QStringLiteral("SELECT COUNT(*) FROM docreceber")), 4);
}

void TestStatementImport::badFileWritesNothing_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("text in an amount column") << QStringLiteral("layout");
    QTest::newRow("truncated workbook") << QStringLiteral("truncated");
    QTest::newRow("no lines") << QStringLiteral("empty");
}

void TestStatementImport::badFileWritesNothing()
{
    QFETCH(QString, kind);
    ARVO_TEST_DB(t);
    QTemporaryDir dir;
    Db& db = t.db();
    const Fixture f = baseFixture(db, QStringLiteral("AMIL"));
    addProposal(db, f, QStringLiteral("A1"), 10);
    insert(db, QStringLiteral("INSERT INTO retorno (data_pgto, valor_doc, apolice) VALUES ('2024/01/01', 1, 'OLD')"));
    const StatementLayout l = layoutById(LayoutId::Qualicorp);
    QString path = writeStatement(dir, l, {{QStringLiteral("A1")}});
    if (kind == QLatin1String("layout")) {
        WorkbookWriter w(path);
        w.write(2, l.keyColumn, QStringLiteral("A1"));
        w.write(2, l.paidColumn, QStringLiteral("PAGO"));
        QVERIFY(w.save());
    } else if (kind == QLatin1String("truncated")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        file.resize(file.size() / 2);
    } else {
        path = writeStatement(dir, l, {});
    }
    auto out = importStatement(db, request(l, f, path));
    QVERIFY(!out);
    QVERIFY(!out.error().message.isEmpty());
    QCOMPARE(count(db, QStringLiteral("SELECT COUNT(*) FROM retorno WHERE apolice = 'OLD'")), 1);
    QCOMPARE(count(db, QStringLiteral("SELECT COUNT(*) FROM conta_produtor")), 0);
    QCOMPARE(count(db, QStringLiteral("SELECT COUNT(*) FROM rastro")), 0);
}

void TestStatementImport::secondSeatIsTurnedAway()
{
    ARVO_TEST_DB(t);
    QTemporaryDir dir;
    const Fixture f = baseFixture(t.db(), QStringLiteral("AMIL"));
    addProposal(t.db(), f, QStringLiteral("A1"), 10);
    auto other = t.connectAgain(QStringLiteral("seat2"));
    QVERIFY(other);
    // The other seat is in the middle of an import.
    QCOMPARE(other->scalar(QStringLiteral("SELECT GET_LOCK(CONCAT('arvo_retorno_', DATABASE()), 0)"))->toInt(), 1);
    const StatementLayout l = layoutById(LayoutId::Qualicorp);
    const QString path = writeStatement(dir, l, {{QStringLiteral("A1")}});
    auto out = importStatement(t.db(), request(l, f, path));
    QVERIFY(!out);
    QCOMPARE(out.error().message, QStringLiteral("Outra estação está importando um extrato de "
                                                 "comissões. Aguarde o fim da importação e tente de novo."));
    QCOMPARE(count(t.db(), QStringLiteral("SELECT COUNT(*) FROM conta_produtor")), 0);
    other->scalar(QStringLiteral("SELECT RELEASE_LOCK(CONCAT('arvo_retorno_', DATABASE()))")).value();
    QVERIFY(importStatement(t.db(), request(l, f, path)));
}

void TestStatementImport::dryRunWritesNothing()
{
    ARVO_TEST_DB(t);
    QTemporaryDir dir;
    Db& db = t.db();
    const Fixture f = baseFixture(db, QStringLiteral("AMIL"));
    addProposal(db, f, QStringLiteral("A1"), 10);
    const StatementLayout l = layoutById(LayoutId::Qualicorp);
    auto req = request(l, f, writeStatement(dir, l, {{QStringLiteral("A1")}}));
    req.dryRun = true;
    auto out = importStatement(db, req);
    QVERIFY(out);
    QCOMPARE(out->credits, 1);
    QCOMPARE(out->receivablesWritten, 1);
    for (const char* table : {"conta_produtor", "docreceber", "retorno", "rastro"})
        QCOMPARE(count(db, QStringLiteral("SELECT COUNT(*) FROM ") + QLatin1String(table)), 0);
}

QTEST_GUILESS_MAIN(TestStatementImport)
#include "tst_statement_import.moc"
