#include "tests/support/TestDatabase.h"

#include "platform/db/SchemaLoader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <atomic>
#include <thread>
#include <vector>

namespace arvo::test {

namespace {

std::atomic_int g_counter{0};

QString serverDir()
{
    return QFileInfo(serverSocket()).absolutePath();
}

} // namespace

QString serverSocket()
{
    return qEnvironmentVariable("ARVO_TEST_SOCKET");
}

int serverTcpPort()
{
    QFile f(QDir(serverDir()).filePath(QStringLiteral("tcp-port")));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    return f.readAll().trimmed().toInt();
}

ConnectionSettings serverSettings(const QString& database)
{
    ConnectionSettings s;
    s.unixSocket = serverSocket();
    s.user = QStringLiteral("root");
    s.database = database;
    return s;
}

TestDatabase::TestDatabase()
{
    if (serverSocket().isEmpty()) {
        m_error = QStringLiteral("ARVO_TEST_SOCKET is not set: run the tests through ctest");
        return;
    }
    const int n = ++g_counter;
    m_name = QStringLiteral("t_%1_%2").arg(QCoreApplication::applicationPid()).arg(n);
    auto db = Db::connect(serverSettings(), QStringLiteral("test_%1").arg(n));
    if (!db) {
        m_error = db.error().text();
        return;
    }
    m_db = *db;
    (void)m_db.execRaw(QStringLiteral("DROP DATABASE IF EXISTS ") + Db::quoteName(m_name));
    if (auto st = createDatabaseFromSchema(m_db, m_name); !st)
        m_error = st.error().text();
}

TestDatabase::~TestDatabase()
{
    if (m_db.isOpen()) {
        (void)m_db.execRaw(QStringLiteral("DROP DATABASE IF EXISTS ") + Db::quoteName(m_name));
        m_db.close();
    }
}

Result<Db> TestDatabase::connectAgain(const QString& connectionName) const
{
    return Db::connect(settings(), connectionName);
}

void onSeats(const TestDatabase& database, int seats,
             const std::function<void(Db&, int seat)>& work)
{
    std::vector<std::thread> threads;
    for (int i = 0; i < seats; ++i) {
        threads.emplace_back([&database, &work, i] {
            auto db = database.connectAgain(QStringLiteral("seat_%1").arg(i));
            if (!db)
                return;
            work(*db, i);
            db->close();
        });
    }
    for (auto& t : threads)
        t.join();
}

} // namespace arvo::test
