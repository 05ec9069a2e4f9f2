#pragma once

#include "platform/db/Db.h"

#include <QString>

#include <functional>

namespace arvo::test {

/// The test run's server: the socket and loopback port the db_server fixture started.
QString serverSocket();
int serverTcpPort();
/// Administrator settings for the test server, optionally with a database selected.
ConnectionSettings serverSettings(const QString& database = {});

/// A fresh database created from the schema for one test case, dropped when destroyed.
/// Construct it in init() (or at the top of a test) and check ok().
class TestDatabase
{
public:
    TestDatabase();
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    bool ok() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }
    Db& db() { return m_db; }
    QString name() const { return m_name; }
    /// Settings that reach this database (a second seat, a command-line run).
    ConnectionSettings settings() const { return serverSettings(m_name); }
    /// Another connection to the same database.
    Result<Db> connectAgain(const QString& connectionName) const;

private:
    QString m_name;
    QString m_error;
    Db m_db;
};

/// Runs `work` on `seats` connections of their own at the same time, as several seats of the
/// office would, and waits for all of them.
void onSeats(const TestDatabase& database, int seats, const std::function<void(Db&, int seat)>& work);

} // namespace arvo::test

/// Declares a fresh test database `var` and fails the test when it could not be created.
#define ARVO_TEST_DB(var)                                                                        \
    arvo::test::TestDatabase var;                                                                \
    QVERIFY2(var.ok(), qPrintable(var.error()))
