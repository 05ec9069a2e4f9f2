#pragma once

#include "platform/db/ConnectionSettings.h"
#include "platform/db/Result.h"

#include <QString>

#include <memory>

class QLockFile;
class QProcess;

namespace arvo {

/// A MariaDB server of our own: a data folder, a `mariadbd` child process on a Unix socket, and
/// a clean stop. The data folder is initialised on first start. While a PrivateServer runs it
/// holds a lock file in the data folder, so a second program on the same folder is refused
/// instead of sharing or killing the server; a server left behind by a crashed owner is
/// detected by its stale lock and stopped before a new one starts. A watchdog stops the
/// server at once if its owner dies.
class PrivateServer
{
public:
    struct Options
    {
        /// false trades durability of the last second for speed (tests, benchmarks).
        bool durable = true;
        /// Also listen on 127.0.0.1 at this port; 0 keeps the server on its socket only.
        int port = 0;
    };

    explicit PrivateServer(QString dataDir);
    PrivateServer(QString dataDir, Options options);
    ~PrivateServer(); ///< stops the server
    PrivateServer(const PrivateServer&) = delete;
    PrivateServer& operator=(const PrivateServer&) = delete;

    /// Initialises the data folder when needed, stops a stale server, starts the child and
    /// waits until it accepts connections.
    Status start(int timeoutMs = 60000);
    /// Stops the child and waits for it to exit. Safe to call twice.
    Status stop();
    bool isRunning() const;

    QString dataDir() const { return m_dataDir; }
    QString socketPath() const { return socketPathFor(m_dataDir); }
    /// Settings that reach this server as its administrator (root over the socket).
    ConnectionSettings settings(const QString& database = {}) const;

    /// The socket a server on `dataDir` listens on: inside the folder when the path is short
    /// enough for a Unix socket, otherwise a name in the temporary folder.
    static QString socketPathFor(const QString& dataDir);

    /// Starts a server on `dataDir` that outlives this process (`arvo serve --detach`).
    static Status startDetached(const QString& dataDir, Options options, int timeoutMs = 60000);
    /// Stops whatever server runs on `dataDir` (from its pid file); nothing running is fine.
    static Status stopDataDir(const QString& dataDir, int timeoutMs = 60000);

private:
    QString m_dataDir;
    Options m_options;
    std::unique_ptr<QProcess> m_process;
    std::unique_ptr<QProcess> m_watchdog;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace arvo
