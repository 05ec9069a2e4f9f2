#include "platform/db/PrivateServer.h"

#include "platform/db/Db.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <QUuid>

#include <csignal>
#include <unistd.h>

namespace arvo {

namespace {

QString findTool(const QStringList& names)
{
    const QStringList extra = {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/local/sbin"),
                               QStringLiteral("/usr/libexec"), QStringLiteral("/sbin")};
    for (const QString& n : names) {
        QString path = QStandardPaths::findExecutable(n);
        if (path.isEmpty())
            path = QStandardPaths::findExecutable(n, extra);
        if (!path.isEmpty())
            return path;
    }
    return {};
}

QString pidFile(const QString& dataDir)
{
    return QDir(dataDir).filePath(QStringLiteral("mariadbd.pid"));
}

QString logFile(const QString& dataDir)
{
    return QDir(dataDir).filePath(QStringLiteral("server.log"));
}

QString tailOfLog(const QString& dataDir)
{
    QFile f(logFile(dataDir));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray all = f.readAll();
    return QString::fromLocal8Bit(all.right(1500));
}

qint64 readPid(const QString& dataDir)
{
    QFile f(pidFile(dataDir));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    return f.readAll().trimmed().toLongLong();
}

/// A live mariadbd (or mysqld) process whose command line names this data folder.
bool isServerOf(qint64 pid, const QString& dataDir)
{
    if (pid <= 0)
        return false;
    QFile f(QStringLiteral("/proc/%1/cmdline").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray cmd = f.readAll();
    return (cmd.contains("mariadbd") || cmd.contains("mysqld")) &&
           cmd.contains(QDir(dataDir).absolutePath().toLocal8Bit());
}

bool waitGone(qint64 pid, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (QFileInfo::exists(QStringLiteral("/proc/%1").arg(pid))) {
        // A zombie child of ours counts as gone.
        QFile st(QStringLiteral("/proc/%1/stat").arg(pid));
        if (st.open(QIODevice::ReadOnly) && st.readAll().contains(") Z "))
            return true;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(20);
    }
    return true;
}

Status stopPid(qint64 pid, int timeoutMs)
{
    ::kill(pid_t(pid), SIGTERM);
    if (waitGone(pid, timeoutMs))
        return {};
    ::kill(pid_t(pid), SIGKILL);
    if (waitGone(pid, 5000))
        return {};
    return Error{QStringLiteral("O servidor de banco de dados (pid %1) não terminou.").arg(pid),
                 {}};
}

Status initialise(const QString& dataDir)
{
    if (QFileInfo::exists(QDir(dataDir).filePath(QStringLiteral("mysql"))))
        return {};
    const QString tool = findTool({QStringLiteral("mariadb-install-db"),
                                   QStringLiteral("mysql_install_db")});
    if (tool.isEmpty())
        return Error{QStringLiteral("O servidor MariaDB não está instalado "
                                    "(mariadb-install-db não encontrado)."),
                     QStringLiteral("Execute scripts/setup.")};
    // Initialise beside the folder and move it in place, so an interrupted set-up never
    // leaves a half-made data folder behind.
    const QString staging = QDir::cleanPath(dataDir) + QStringLiteral(".init");
    QDir(staging).removeRecursively();
    QDir().mkpath(staging);
    QStringList args = {QStringLiteral("--no-defaults"), QStringLiteral("--datadir=") + staging,
                        QStringLiteral("--auth-root-authentication-method=normal"),
                        QStringLiteral("--skip-test-db"), QStringLiteral("--skip-name-resolve"),
                        QStringLiteral("--innodb-log-file-size=8M")};
    if (::geteuid() == 0)
        args << QStringLiteral("--user=root");
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(tool, args);
    if (!p.waitForFinished(180000) || p.exitStatus() != QProcess::NormalExit ||
        p.exitCode() != 0) {
        const QString out = QString::fromLocal8Bit(p.readAll());
        QDir(staging).removeRecursively();
        return Error{QStringLiteral("Não foi possível preparar a pasta do banco de dados %1.")
                         .arg(dataDir),
                     out.right(1500)};
    }
    QDir(dataDir).removeRecursively();
    QDir().mkpath(QFileInfo(dataDir).absolutePath());
    if (!QDir().rename(staging, dataDir))
        return Error{QStringLiteral("Não foi possível criar a pasta %1.").arg(dataDir), {}};
    return {};
}

QStringList serverArguments(const QString& dataDir, const PrivateServer::Options& options)
{
    QStringList args = {QStringLiteral("--no-defaults"),
                        QStringLiteral("--datadir=") + QDir(dataDir).absolutePath(),
                        QStringLiteral("--socket=") + PrivateServer::socketPathFor(dataDir),
                        QStringLiteral("--pid-file=") + pidFile(dataDir),
                        QStringLiteral("--log-error=") + logFile(dataDir),
                        QStringLiteral("--character-set-server=utf8mb4"),
                        QStringLiteral("--collation-server=utf8mb4_unicode_ci"),
                        QStringLiteral("--sql-mode=") + QString::fromLatin1(kSqlMode),
                        QStringLiteral("--skip-log-bin")};
    if (options.port > 0)
        args << QStringLiteral("--port=%1").arg(options.port)
             << QStringLiteral("--bind-address=127.0.0.1");
    else
        args << QStringLiteral("--skip-networking");
    if (!options.durable)
        args << QStringLiteral("--innodb-flush-log-at-trx-commit=0")
             << QStringLiteral("--innodb-doublewrite=0") << QStringLiteral("--sync-frm=0");
    if (::geteuid() == 0)
        args << QStringLiteral("--user=root");
    return args;
}

Status waitReady(const QString& dataDir, int timeoutMs, const std::function<bool()>& alive)
{
    ConnectionSettings s;
    s.unixSocket = PrivateServer::socketPathFor(dataDir);
    s.user = QStringLiteral("root");
    s.database.clear();
    s.connectTimeoutSeconds = 2;
    const QString name = QStringLiteral("arvo_probe_") + QUuid::createUuid().toString();
    QDeadlineTimer deadline(timeoutMs);
    while (true) {
        if (QFileInfo::exists(s.unixSocket)) {
            auto db = Db::connect(s, name);
            if (db) {
                db->close();
                return {};
            }
        }
        if (!alive())
            return Error{QStringLiteral("O servidor de banco de dados não iniciou."),
                         tailOfLog(dataDir)};
        if (deadline.hasExpired())
            return Error{QStringLiteral("O servidor de banco de dados não respondeu a tempo."),
                         tailOfLog(dataDir)};
        QThread::msleep(15);
    }
}

Status prepareStart(const QString& dataDir)
{
    const QString server = findTool({QStringLiteral("mariadbd"), QStringLiteral("mysqld")});
    if (server.isEmpty())
        return Error{QStringLiteral("O servidor MariaDB não está instalado (mariadbd)."),
                     QStringLiteral("Execute scripts/setup.")};
    if (auto st = initialise(dataDir); !st)
        return st;
    // A server left running on this folder by a crashed owner is stale: stop it first.
    const qint64 stale = readPid(dataDir);
    if (isServerOf(stale, dataDir)) {
        if (auto st = stopPid(stale, 60000); !st)
            return st;
    }
    QFile::remove(pidFile(dataDir));
    QFile::remove(PrivateServer::socketPathFor(dataDir));
    return {};
}

} // namespace

PrivateServer::PrivateServer(QString dataDir) : PrivateServer(std::move(dataDir), Options{}) {}

PrivateServer::PrivateServer(QString dataDir, Options options)
    : m_dataDir(QDir(dataDir).absolutePath()), m_options(options)
{
}

PrivateServer::~PrivateServer()
{
    (void)stop();
}

QString PrivateServer::socketPathFor(const QString& dataDir)
{
    const QString inside = QDir(QDir(dataDir).absolutePath()).filePath(QStringLiteral("mysqld.sock"));
    if (inside.toLocal8Bit().size() < 100)
        return inside;
    const QByteArray hash = QCryptographicHash::hash(QDir(dataDir).absolutePath().toUtf8(),
                                                     QCryptographicHash::Sha1)
                                .toHex()
                                .left(16);
    return QDir::temp().filePath(QStringLiteral("arvo-%1.sock").arg(QString::fromLatin1(hash)));
}

ConnectionSettings PrivateServer::settings(const QString& database) const
{
    ConnectionSettings s;
    s.unixSocket = socketPath();
    s.user = QStringLiteral("root");
    s.password.clear();
    s.database = database;
    return s;
}

bool PrivateServer::isRunning() const
{
    return m_process && m_process->state() == QProcess::Running;
}

Status PrivateServer::start(int timeoutMs)
{
    if (isRunning())
        return {};
    QDir().mkpath(QFileInfo(m_dataDir).absolutePath());
    m_lock = std::make_unique<QLockFile>(m_dataDir + QStringLiteral(".lock"));
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        qint64 pid = 0;
        QString host, app;
        m_lock->getLockInfo(&pid, &host, &app);
        m_lock.reset();
        return Error{QStringLiteral("O banco de dados local já está em uso por outro programa "
                                    "(processo %1).")
                         .arg(pid),
                     m_dataDir};
    }
    if (auto st = prepareStart(m_dataDir); !st)
        return st;

    m_process = std::make_unique<QProcess>();
    m_process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process->setStandardOutputFile(QProcess::nullDevice());
    m_process->start(findTool({QStringLiteral("mariadbd"), QStringLiteral("mysqld")}),
                     serverArguments(m_dataDir, m_options));
    if (!m_process->waitForStarted(10000)) {
        m_process.reset();
        return Error{QStringLiteral("O servidor de banco de dados não iniciou."), {}};
    }
    // The server must not outlive us, even when we crash. The parent-death signal does not
    // survive mariadbd switching user, so a shell waits on a pipe only we hold open: when we
    // die the pipe closes and the shell stops the server.
    m_watchdog = std::make_unique<QProcess>();
    m_watchdog->start(QStringLiteral("/bin/sh"),
                      {QStringLiteral("-c"),
                       QStringLiteral("read _ignored; kill -TERM \"$1\" 2>/dev/null"),
                       QStringLiteral("arvo-watchdog"),
                       QString::number(m_process->processId())});
    QProcess* process = m_process.get();
    auto st = waitReady(m_dataDir, timeoutMs, [process] {
        return process->state() == QProcess::Running && !process->waitForFinished(0);
    });
    if (!st)
        (void)stop();
    return st;
}

Status PrivateServer::stop()
{
    Status result;
    if (m_process) {
        if (m_process->state() != QProcess::NotRunning) {
            m_process->terminate();
            if (!m_process->waitForFinished(60000)) {
                m_process->kill();
                m_process->waitForFinished(5000);
                result = Error{QStringLiteral("O servidor de banco de dados não terminou."), {}};
            }
        }
        m_process.reset();
    }
    if (m_watchdog) {
        m_watchdog->kill();
        m_watchdog->waitForFinished(5000);
        m_watchdog.reset();
    }
    if (m_lock) {
        m_lock->unlock();
        m_lock.reset();
    }
    return result;
}

Status PrivateServer::startDetached(const QString& dataDir, Options options, int timeoutMs)
{
    const QString dir = QDir(dataDir).absolutePath();
    if (auto st = prepareStart(dir); !st)
        return st;
    qint64 pid = 0;
    if (!QProcess::startDetached(findTool({QStringLiteral("mariadbd"), QStringLiteral("mysqld")}),
                                 serverArguments(dir, options), QString(), &pid))
        return Error{QStringLiteral("O servidor de banco de dados não iniciou."), {}};
    return waitReady(dir, timeoutMs, [pid] {
        return QFileInfo::exists(QStringLiteral("/proc/%1").arg(pid));
    });
}

Status PrivateServer::stopDataDir(const QString& dataDir, int timeoutMs)
{
    const QString dir = QDir(dataDir).absolutePath();
    const qint64 pid = readPid(dir);
    if (!isServerOf(pid, dir))
        return {};
    return stopPid(pid, timeoutMs);
}

} // namespace arvo
