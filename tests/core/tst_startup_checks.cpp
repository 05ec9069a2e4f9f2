#include "core/StartupChecks.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace arvo;

class TestStartupChecks : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dateFormat_data();
    void dateFormat();
    void versionOfExecutable();
    void versionOfMissingExecutable();
};

void TestStartupChecks::dateFormat_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("supported");
    QTest::newRow("dd/MM/yyyy") << "dd/MM/yyyy" << true;
    QTest::newRow("with weekday around it") << "ddd dd/MM/yyyy" << true;
    QTest::newRow("no leading zeros") << "d/M/yyyy" << false;
    QTest::newRow("two-digit year") << "dd/MM/yy" << false;
    QTest::newRow("month first") << "MM/dd/yyyy" << false;
    QTest::newRow("dots") << "dd.MM.yyyy" << false;
}

void TestStartupChecks::dateFormat()
{
    QFETCH(QString, format);
    QFETCH(bool, supported);
    QCOMPARE(isSupportedDateFormat(format), supported);
}

void TestStartupChecks::versionOfExecutable()
{
    // The tests run under pt_BR, as the program.
    QCOMPARE(QLocale::system().dateFormat(QLocale::ShortFormat), QStringLiteral("dd/MM/yyyy"));
    QTemporaryDir dir;
    QFile exe(dir.filePath(QStringLiteral("velmor_arvo")));
    QVERIFY(exe.open(QIODevice::WriteOnly));
    exe.write("x");
    exe.flush();
    QVERIFY(exe.setFileTime(QDateTime(QDate(2026, 3, 7), QTime(9, 5, 2)),
                            QFileDevice::FileModificationTime));
    exe.close();
    QCOMPARE(versionText(dir.path(), QStringLiteral("velmor_arvo")),
             QStringLiteral("Versão: 07/03/2026 09:05:02"));
}

void TestStartupChecks::versionOfMissingExecutable()
{
    QTemporaryDir dir;
    QCOMPARE(versionText(dir.path(), QStringLiteral("velmor_arvo")),
             QStringLiteral("Versão: Nome de Arquivo Inválido"));
}

QTEST_GUILESS_MAIN(TestStartupChecks)
#include "tst_startup_checks.moc"
