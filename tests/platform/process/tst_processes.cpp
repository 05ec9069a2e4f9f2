#include "platform/process/Processes.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace arvo;

namespace {

/// Starts a copy of sleep under the file name `name`.
std::unique_ptr<QProcess> startAs(const QTemporaryDir& dir, const QString& name)
{
    const QString path = dir.filePath(name);
    if (!QFile::exists(path) && !QFile::copy(QStringLiteral("/bin/sleep"), path))
        return nullptr;
    auto process = std::make_unique<QProcess>();
    process->start(path, {QStringLiteral("60")});
    if (!process->waitForStarted())
        return nullptr;
    return process;
}

bool listed(qint64 pid, const QString& name)
{
    for (const ProcessInfo& p : runningProcesses()) {
        if (p.pid == pid)
            return p.executable == name;
    }
    return false;
}

/// A name no other process of the machine has, so parallel test runs never end each other's
/// processes.
QString uniqueName()
{
    return QStringLiteral("XL%1.EXE").arg(QCoreApplication::applicationPid());
}

} // namespace

class TestProcesses : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void endsOnlyTheExactName();
    void nothingToEnd();
};

void TestProcesses::endsOnlyTheExactName()
{
    QTemporaryDir dir;
    const QString name = uniqueName();
    auto excel = startAs(dir, name);
    auto lower = startAs(dir, name.toLower());
    auto longer = startAs(dir, name + QStringLiteral(".old"));
    QVERIFY(excel && lower && longer);
    QVERIFY(listed(excel->processId(), name));
    QVERIFY(listed(lower->processId(), name.toLower()));

    QCOMPARE(terminateProcessesNamed(name), 1);
    QVERIFY(excel->waitForFinished(5000));
    QCOMPARE(excel->exitStatus(), QProcess::CrashExit);
    QCOMPARE(lower->state(), QProcess::Running);
    QCOMPARE(longer->state(), QProcess::Running);
    for (auto* p : {lower.get(), longer.get()}) {
        p->kill();
        p->waitForFinished();
    }
}

void TestProcesses::nothingToEnd()
{
    QCOMPARE(terminateProcessesNamed(uniqueName()), 0);
}

QTEST_GUILESS_MAIN(TestProcesses)
#include "tst_processes.moc"
