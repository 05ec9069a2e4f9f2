#include "platform/db/Db.h"
#include "tests/support/TestDatabase.h"

#include <QDate>
#include <QElapsedTimer>
#include <QTest>

using namespace arvo;

class TestDb : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void boundTextPassesUnchanged_data();
    void boundTextPassesUnchanged();
    void insertWithoutKeyGetsNextKey();
    void auditProcedureAppendsTheNineValues();
    void strictModeRefusesAndReports_data();
    void strictModeRefusesAndReports();
    void zeroDateIsAccepted();
    void transactionRollsBackUnlessCommitted();
    void preparedStatementRunsRepeatedly();
    void fallbackHost_data();
    void fallbackHost();
};

void TestDb::boundTextPassesUnchanged_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("apostrophe and accent") << QStringLiteral("D'ÁVILA");
    QTest::newRow("percent") << QStringLiteral("100% SAÚDE");
    QTest::newRow("backslash") << QStringLiteral("C:\\PASTA\\ARQ");
    QTest::newRow("quotes and semicolon") << QStringLiteral("A\"B'; DROP TABLE clientes; --");
    QTest::newRow("colon word") << QStringLiteral("HORA :nome 10:30");
}

void TestDb::boundTextPassesUnchanged()
{
    QFETCH(QString, text);
    ARVO_TEST_DB(t);
    auto inserted = t.db().exec(QStringLiteral("INSERT INTO clientes (nome, fantasia) "
                                               "VALUES (:nome, :nome)"),
                                {{QStringLiteral("nome"), text}});
    QVERIFY2(inserted, qPrintable(inserted.ok() ? QString() : inserted.error().text()));
    QCOMPARE(*inserted, qint64(1));
    auto found = t.db().select(QStringLiteral("SELECT nome, fantasia FROM clientes "
                                              "WHERE nome = :nome"),
                               {{QStringLiteral("nome"), text}});
    QVERIFY(found);
    QCOMPARE(found->size(), qsizetype(1));
    QCOMPARE((*found)[0]["nome"].toString(), text);
    QCOMPARE((*found)[0]["fantasia"].toString(), text);
    // The same text written as a literal by the driver selects the same row.
    auto literal = t.db().scalar(QStringLiteral("SELECT COUNT(*) FROM clientes WHERE nome = ") +
                                 t.db().quote(text));
    QVERIFY(literal);
    QCOMPARE(literal->toInt(), 1);
}

void TestDb::insertWithoutKeyGetsNextKey()
{
    ARVO_TEST_DB(t);
    for (const char* table : {"clientes", "empresas", "fornecedores", "usuarios", "produtos",
                              "adma", "entidades", "profissoes", "regiao", "statusprop"}) {
        const QString name = QString::fromLatin1(table);
        const QString column = QStringLiteral("nome");
        QVERIFY(t.db().exec(QStringLiteral("INSERT INTO %1 (%2) VALUES ('A')").arg(name, column)));
        QCOMPARE(t.db().lastInsertId().value(), qint64(1));
        QVERIFY(t.db().exec(QStringLiteral("INSERT INTO %1 (%2) VALUES ('B')").arg(name, column)));
        QCOMPARE(t.db().lastInsertId().value(), qint64(2));
    }
    for (const char* table : {"origemvendas", "canalvendas"}) {
        const QString name = QString::fromLatin1(table);
        QVERIFY(t.db().exec(QStringLiteral("INSERT INTO %1 (descricao) VALUES ('A')").arg(name)));
        QVERIFY(t.db().exec(QStringLiteral("INSERT INTO %1 (descricao) VALUES ('B')").arg(name)));
        QCOMPARE(t.db().scalar(QStringLiteral("SELECT MAX(codigo) FROM ") + name)->toInt(), 2);
    }
}

void TestDb::auditProcedureAppendsTheNineValues()
{
    ARVO_TEST_DB(t);
    const QStringList names = {"r_data",     "r_hora",      "r_operador",
                               "r_rotina",   "r_operacao",  "r_historico",
                               "r_favorecido", "r_valor",   "r_obs"};
    const Params values = {{"r_data", QDate(2024, 3, 5)},
                           {"r_hora", QStringLiteral("10:11:12")},
                           {"r_operador", QStringLiteral("MARIA")},
                           {"r_rotina", QStringLiteral("CLIENTE")},
                           {"r_operacao", QStringLiteral("I")},
                           {"r_historico", QStringLiteral("D'ÁVILA SEGUROS")},
                           {"r_favorecido", 42},
                           {"r_valor", 1234.5},
                           {"r_obs", QStringLiteral("obs")}};
    QVERIFY(t.db().call(QStringLiteral("sp_i_rastro"), names, values));
    auto rows = t.db().select(QStringLiteral("SELECT data, hora, operador, rotina, operacao, "
                                             "historico, favorecido, valor, obs FROM rastro"));
    QVERIFY(rows);
    QCOMPARE(rows->size(), qsizetype(1));
    const Row& r = (*rows)[0];
    QCOMPARE(r["data"].toDate(), QDate(2024, 3, 5));
    QCOMPARE(r["hora"].toString(), QStringLiteral("10:11:12"));
    QCOMPARE(r["operador"].toString(), QStringLiteral("MARIA"));
    QCOMPARE(r["rotina"].toString(), QStringLiteral("CLIENTE"));
    QCOMPARE(r["operacao"].toString(), QStringLiteral("I"));
    QCOMPARE(r["historico"].toString(), QStringLiteral("D'ÁVILA SEGUROS"));
    QCOMPARE(r["favorecido"].toInt(), 42);
    QCOMPARE(r["valor"].toDouble(), 1234.5);
    QCOMPARE(r["obs"].toString(), QStringLiteral("obs"));
}

void TestDb::strictModeRefusesAndReports_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("serverSays");
    QTest::newRow("text longer than its column")
        << QStringLiteral("INSERT INTO usuarios (nome) VALUES (REPEAT('X', 31))")
        << QStringLiteral("Data too long");
    QTest::newRow("impossible date")
        << QStringLiteral("INSERT INTO clientes (nome, dtnasc) VALUES ('A', '2024/02/30')")
        << QStringLiteral("Incorrect date value");
    QTest::newRow("unknown column") << QStringLiteral("SELECT nao_existe FROM clientes")
                                    << QStringLiteral("Unknown column");
}

void TestDb::strictModeRefusesAndReports()
{
    QFETCH(QString, sql);
    QFETCH(QString, serverSays);
    ARVO_TEST_DB(t);
    auto done = t.db().exec(sql);
    QVERIFY(!done);
    QVERIFY2(done.error().message.contains(serverSays), qPrintable(done.error().message));
    QVERIFY(done.error().detail.contains(sql));
    QCOMPARE(t.db().scalar(QStringLiteral("SELECT COUNT(*) FROM usuarios"))->toInt(), 0);
}

void TestDb::zeroDateIsAccepted()
{
    ARVO_TEST_DB(t);
    QVERIFY(t.db().exec(QStringLiteral("INSERT INTO clientes (nome, dtnasc, cadastro) "
                                       "VALUES ('A', '0000/00/00', '2024/03/05')")));
    auto row = t.db().selectOne(QStringLiteral("SELECT dtnasc, cadastro FROM clientes"));
    QVERIFY(row && row->has_value());
    QVERIFY(!(**row)["dtnasc"].toDate().isValid());
    QCOMPARE((**row)["cadastro"].toDate(), QDate(2024, 3, 5));
}

void TestDb::transactionRollsBackUnlessCommitted()
{
    ARVO_TEST_DB(t);
    {
        Transaction tx(t.db());
        QVERIFY(tx.started());
        QVERIFY(t.db().exec(QStringLiteral("INSERT INTO clientes (nome) VALUES ('LOST')")));
    }
    {
        Transaction tx(t.db());
        QVERIFY(t.db().exec(QStringLiteral("INSERT INTO clientes (nome) VALUES ('KEPT')")));
        QVERIFY(tx.commit());
    }
    auto rows = t.db().select(QStringLiteral("SELECT nome FROM clientes"));
    QVERIFY(rows);
    QCOMPARE(rows->size(), qsizetype(1));
    QCOMPARE((*rows)[0]["nome"].toString(), QStringLiteral("KEPT"));
}

void TestDb::preparedStatementRunsRepeatedly()
{
    ARVO_TEST_DB(t);
    auto st = t.db().prepare(QStringLiteral("INSERT INTO regiao (nome, ativo) VALUES (:n, 'S')"));
    QVERIFY(st);
    for (int i = 0; i < 50; ++i)
        QVERIFY(st->exec({{QStringLiteral("n"), QStringLiteral("R%1").arg(i)}}));
    QCOMPARE(t.db().scalar(QStringLiteral("SELECT COUNT(*) FROM regiao"))->toInt(), 50);
    auto none = t.db().selectOne(QStringLiteral("SELECT * FROM regiao WHERE nome = :n"),
                                 {{QStringLiteral("n"), QStringLiteral("NONE")}});
    QVERIFY(none);
    QVERIFY(!none->has_value());
}

void TestDb::fallbackHost_data()
{
    QTest::addColumn<QString>("firstHost");
    QTest::newRow("does not resolve") << QStringLiteral("nohost.invalid");
    QTest::newRow("nothing listens") << QStringLiteral("127.0.0.2");
    QTest::newRow("does not answer") << QStringLiteral("10.255.255.1");
}

void TestDb::fallbackHost()
{
    QFETCH(QString, firstHost);
    ARVO_TEST_DB(t);
    const int port = test::serverTcpPort();
    QVERIFY(port > 0);
    // A password account reachable over TCP, like an office server's.
    QVERIFY(t.db().execRaw(QStringLiteral("CREATE USER IF NOT EXISTS 'cliente'@'127.0.0.1' "
                                          "IDENTIFIED BY 'Xy9.k2-Qw7pL3zRt'")));
    QVERIFY(t.db().execRaw(QStringLiteral("GRANT ALL ON *.* TO 'cliente'@'127.0.0.1'")));

    ConnectionSettings s;
    s.host = firstHost;
    s.fallbackHost = QStringLiteral("127.0.0.1");
    s.port = port;
    s.database = t.name();
    s.user = QStringLiteral("cliente");
    s.password = QStringLiteral("Xy9.k2-Qw7pL3zRt");
    s.connectTimeoutSeconds = 2;

    QElapsedTimer timer;
    timer.start();
    auto db = Db::connect(s, QStringLiteral("fallback"));
    QVERIFY2(db, qPrintable(db.ok() ? QString() : db.error().text()));
    QVERIFY2(timer.elapsed() < 8000, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(db->scalar(QStringLiteral("SELECT DATABASE()"))->toString(), t.name());
    db->close();

    // Both hosts failing: a clear error within seconds, no hang.
    s.fallbackHost = QStringLiteral("nohost2.invalid");
    timer.restart();
    auto none = Db::connect(s, QStringLiteral("fallback"));
    QVERIFY(!none);
    QCOMPARE(none.error().message, QStringLiteral("Não foi possível conectar ao banco de dados."));
    QVERIFY2(timer.elapsed() < 8000, qPrintable(QString::number(timer.elapsed())));
}

QTEST_GUILESS_MAIN(TestDb)
#include "tst_db.moc"
