#include "core/Password.h"
#include "tests/support/TestDatabase.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

using namespace arvo;

namespace {

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

Run runArvo(const QStringList& args, int timeoutMs = 60000)
{
    QProcess p;
    p.start(QStringLiteral(ARVO_BINARY_DIR "/cli/arvo"), args);
    Run r;
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        r.err = QStringLiteral("timed out");
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QString uniqueName(const char* tag)
{
    return QStringLiteral("cli_%1_%2").arg(QCoreApplication::applicationPid()).arg(QLatin1String(tag));
}

} // namespace

class TestArvoCli : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void initDbCreatesSchemaAndFirstUser_data();
    void initDbCreatesSchemaAndFirstUser();
    void initDbRefusesAnExistingDatabase();
    void unreachableHostFailsWithOneLine();
    void printsVersion();

private:
    Db m_admin;
    QStringList m_created;
};

void TestArvoCli::initTestCase()
{
    auto db = Db::connect(test::serverSettings(), QStringLiteral("admin"));
    QVERIFY2(db, qPrintable(db.ok() ? QString() : db.error().text()));
    m_admin = *db;
}

void TestArvoCli::cleanupTestCase()
{
    for (const QString& name : m_created)
        (void)m_admin.execRaw(QStringLiteral("DROP DATABASE IF EXISTS ") + Db::quoteName(name));
    m_admin.close();
}

void TestArvoCli::initDbCreatesSchemaAndFirstUser_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<bool>("optionsFirst");
    QTest::addColumn<QString>("admin");
    QTest::addColumn<QString>("password");
    QTest::newRow("options after the subcommand") << "after" << false << "MARIA" << "abc";
    QTest::newRow("options before the subcommand") << "before" << true << QString() << QString();
}

void TestArvoCli::initDbCreatesSchemaAndFirstUser()
{
    QFETCH(QString, tag);
    QFETCH(bool, optionsFirst);
    QFETCH(QString, admin);
    QFETCH(QString, password);
    const QString name = uniqueName(qPrintable(tag));
    m_created << name;
    QStringList args;
    if (optionsFirst)
        args << "--socket" << test::serverSocket() << "--user" << "root" << "init-db"
             << "--database" << name;
    else
        args << "init-db" << "--database" << name << "--admin" << admin << "--admin-password"
             << password << "--socket" << test::serverSocket();
    const Run r = runArvo(args);
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));

    auto tables = m_admin.select(
        QStringLiteral("SELECT table_name FROM information_schema.tables WHERE table_schema = :s"),
        {{QStringLiteral("s"), name}});
    QVERIFY(tables);
    QStringList names;
    for (const Row& row : *tables)
        names << row.value(0).toString();
    for (const char* t : {"usuarios", "parametros", "rastro", "clientes", "fornecedores",
                          "empresas", "produtos", "adma", "entidades", "profissoes", "regiao",
                          "statusprop", "origemvendas", "canalvendas", "estados", "corretores"})
        QVERIFY2(names.contains(QString::fromLatin1(t)), t);
    QCOMPARE(m_admin
                 .scalar(QStringLiteral("SELECT COUNT(*) FROM information_schema.routines WHERE "
                                        "routine_schema = :s AND routine_name = 'sp_i_rastro'"),
                         {{QStringLiteral("s"), name}})
                 ->toInt(),
             1);

    const QString expectedUser = admin.isEmpty() ? QStringLiteral("ADMIN") : admin;
    const QString expectedSenha = admin.isEmpty() ? scramblePassword(QStringLiteral("ADMIN"))
                                                  : QStringLiteral("999");
    auto user = m_admin.selectOne(QStringLiteral("SELECT nome, senha, movimentacao FROM %1.usuarios")
                                      .arg(Db::quoteName(name)));
    QVERIFY(user && user->has_value());
    QCOMPARE((**user)["nome"].toString(), expectedUser);
    QCOMPARE((**user)["senha"].toString(), expectedSenha);
    QCOMPARE((**user)["movimentacao"].toString(), QStringLiteral("5"));
}

void TestArvoCli::initDbRefusesAnExistingDatabase()
{
    const QString name = uniqueName("twice");
    m_created << name;
    QCOMPARE(runArvo({"init-db", "--database", name, "--socket", test::serverSocket()}).exitCode, 0);
    QVERIFY(m_admin.exec(QStringLiteral("INSERT INTO %1.regiao (nome) VALUES ('KEEP')")
                             .arg(Db::quoteName(name))));
    const Run r = runArvo({"init-db", "--database", name, "--socket", test::serverSocket()});
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.contains(QStringLiteral("já existe")), qPrintable(r.err));
    QCOMPARE(r.err.count(QLatin1Char('\n')), 1);
    // Nothing of the existing database was touched.
    QCOMPARE(m_admin.scalar(QStringLiteral("SELECT COUNT(*) FROM %1.regiao").arg(Db::quoteName(name)))
                 ->toInt(),
             1);
}

void TestArvoCli::unreachableHostFailsWithOneLine()
{
    QElapsedTimer timer;
    timer.start();
    const Run r = runArvo({"--host", "nohost.invalid", "init-db", "--database", "x"}, 30000);
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.startsWith(QStringLiteral("arvo: ")), qPrintable(r.err));
    QCOMPARE(r.err.count(QLatin1Char('\n')), 1);
    QVERIFY2(timer.elapsed() < 10000, qPrintable(QString::number(timer.elapsed())));
}

void TestArvoCli::printsVersion()
{
    const Run r = runArvo({"--version"});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.out.startsWith(QStringLiteral("arvo ")));
}

QTEST_GUILESS_MAIN(TestArvoCli)
#include "tst_arvo_cli.moc"
