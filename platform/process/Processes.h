#pragma once

#include <QList>
#include <QString>

namespace arvo {

/// One running process of the machine.
struct ProcessInfo
{
    qint64 pid = 0;
    QString executable; ///< the executable's file name, without its folder
};

/// A snapshot of the running processes, read from /proc. The executable name is the file the
/// process runs; where that cannot be read (another user's process) it is the file name of
/// the command's first word, with '/' and '\\' both taken as folder separators.
QList<ProcessInfo> runningProcesses();

/// Ends a process at once (SIGKILL). False when it could not be ended (gone, not ours).
bool terminateProcess(qint64 pid);

/// Ends every process whose executable name equals `executable` exactly (case included),
/// except this program itself. Returns how many were ended.
int terminateProcessesNamed(const QString& executable);

} // namespace arvo
