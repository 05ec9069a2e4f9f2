#include "platform/process/Processes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <csignal>
#include <sys/types.h>

namespace arvo {

namespace {

QString lastSegment(const QString& path)
{
    const qsizetype cut = qMax(path.lastIndexOf(QLatin1Char('/')),
                               path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(cut + 1);
}

QString executableOf(const QString& procDir)
{
    const QString target = QFileInfo(procDir + QStringLiteral("/exe")).symLinkTarget();
    if (!target.isEmpty()) {
        QString name = lastSegment(target);
        // The kernel marks a replaced or deleted file; the process still runs it.
        if (name.endsWith(QLatin1String(" (deleted)")))
            name.chop(10);
        return name;
    }
    QFile cmdline(procDir + QStringLiteral("/cmdline"));
    if (cmdline.open(QIODevice::ReadOnly)) {
        const QByteArray all = cmdline.readAll();
        const QByteArray first = all.left(all.indexOf('\0'));
        if (!first.isEmpty())
            return lastSegment(QString::fromLocal8Bit(first));
    }
    return {};
}

} // namespace

QList<ProcessInfo> runningProcesses()
{
    QList<ProcessInfo> list;
    const QDir proc(QStringLiteral("/proc"));
    const QStringList entries = proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        bool numeric = false;
        const qint64 pid = entry.toLongLong(&numeric);
        if (!numeric || pid <= 0)
            continue;
        const QString name = executableOf(proc.filePath(entry));
        if (!name.isEmpty())
            list.append({pid, name});
    }
    return list;
}

bool terminateProcess(qint64 pid)
{
    if (pid <= 0)
        return false;
    return ::kill(static_cast<pid_t>(pid), SIGKILL) == 0;
}

int terminateProcessesNamed(const QString& executable)
{
    const qint64 self = QCoreApplication::applicationPid();
    int ended = 0;
    for (const ProcessInfo& p : runningProcesses()) {
        if (p.pid != self && p.executable == executable && terminateProcess(p.pid))
            ++ended;
    }
    return ended;
}

} // namespace arvo
