#include "core/DatabaseBootstrap.h"
#include "core/Password.h"
#include "platform/db/PrivateServer.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace arvo;

namespace {

/// Live server processes whose command line names `dataDir`.
int serversOn(const QString& dataDir)
{
    int count = 0;
    const QStringList pids = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& pid : pids) {
        QFile f(QStringLiteral("/proc/%1/cmdline").arg(pid));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QByteArray cmd = f.readAll();
        if (cmd.contains("mariadbd") && cmd.contains(dataDir.toLocal8Bit()))
            ++count;
    }
    return count;
}

} // namespace

class TestPrivateServer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void embeddedDefaultCreatesDatabaseOnce();
    void staleServerIsStoppedOnNextStart();
    void serverStopsWhenItsOwnerIsKilled();

private:
    QTemporaryDir m_tmp;
};

void TestPrivateServer::embeddedDefaultCreatesDatabaseOnce()
{
    AppConfig config;
    config.embeddedDataDir = m_tmp.filePath(QStringLiteral("embedded"));
    {
        auto first = openDatabase(config, QStringLiteral("first"));
        QVERIFY2(first, qPrintable(first.ok() ? QString() : first.error().text()));
        QCOMPARE(serversOn(config.embeddedDataDir), 1);
        auto admin = first->db.selectOne(QStringLiteral(
            "SELECT senha, cadastro, tabelas, rh, matriz, filial FROM usuarios WHERE nome = "
            "'ADMIN'"));
        QVERIFY(admin && admin->has_value());
        QCOMPARE((**admin)["senha"].toString(), scramblePassword(QStringLiteral("ADMIN")));
        QCOMPARE((**admin)["cadastro"].toString(), QStringLiteral("5"));
        QCOMPARE((**admin)["rh"].toString(), QStringLiteral("5"));
        QCOMPARE((**admin)["matriz"].toString(), QStringLiteral("S"));
        QCOMPARE((**admin)["filial"].toInt(), 0);

        // A second program on the same folder is refused, not handed the same server.
        auto second = openDatabase(config, QStringLiteral("second"));
        QVERIFY(!second);
        QVERIFY2(second.error().message.contains(QStringLiteral("em uso")),
                 qPrintable(second.error().message));
        QVERIFY(first->db.exec(QStringLiteral("INSERT INTO regiao (nome) VALUES ('NORTE')")));
    }
    QCOMPARE(serversOn(config.embeddedDataDir), 0);

    auto again = openDatabase(config, QStringLiteral("again"));
    QVERIFY(again);
    QCOMPARE(again->db.scalar(QStringLiteral("SELECT COUNT(*) FROM usuarios"))->toInt(), 1);
    QCOMPARE(again->db.scalar(QStringLiteral("SELECT nome FROM regiao"))->toString(),
             QStringLiteral("NORTE"));
}

void TestPrivateServer::staleServerIsStoppedOnNextStart()
{
    const QString dir = m_tmp.filePath(QStringLiteral("stale"));
    // A server whose owner is gone, as after a crash.
    QVERIFY(PrivateServer::startDetached(dir, PrivateServer::Options{false, 0}));
    QCOMPARE(serversOn(dir), 1);
    {
        PrivateServer server(dir, PrivateServer::Options{false, 0});
        auto st = server.start();
        QVERIFY2(st, qPrintable(st.ok() ? QString() : st.error().text()));
        QCOMPARE(serversOn(dir), 1);
        QVERIFY(server.isRunning());
    }
    QCOMPARE(serversOn(dir), 0);
    QVERIFY(PrivateServer::stopDataDir(dir));
}

void TestPrivateServer::serverStopsWhenItsOwnerIsKilled()
{
    const QString dir = m_tmp.filePath(QStringLiteral("owner"));
    QProcess owner;
    owner.start(QStringLiteral(ARVO_BINARY_DIR "/cli/arvo"),
                {QStringLiteral("serve"), QStringLiteral("--fast"), QStringLiteral("--datadir"), dir});
    QVERIFY(owner.waitForReadyRead(60000));
    QCOMPARE(serversOn(dir), 1);
    owner.kill(); // no chance to clean up
    owner.waitForFinished();
    QTRY_COMPARE_WITH_TIMEOUT(serversOn(dir), 0, 30000);
}

QTEST_GUILESS_MAIN(TestPrivateServer)
#include "tst_private_server.moc"
