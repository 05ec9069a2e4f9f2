#include "core/Login.h"
#include "core/Permissions.h"
#include "tests/support/TestDatabase.h"

#include <QTest>

using namespace arvo;

Q_DECLARE_METATYPE(arvo::LoginCheck)
Q_DECLARE_METATYPE(arvo::Access)
Q_DECLARE_METATYPE(arvo::AccessRule)

namespace {

bool addUser(Db& db, const QString& name, const QString& scrambled,
             const QVariant& movimentacao = QStringLiteral("5"))
{
    return db
        .exec(QStringLiteral("INSERT INTO usuarios (nome, senha, cadastro, movimentacao) "
                             "VALUES (:nome, :senha, '5', :mov)"),
              {{QStringLiteral("nome"), name},
               {QStringLiteral("senha"), scrambled},
               {QStringLiteral("mov"), movimentacao}})
        .ok();
}

} // namespace

class TestLogin : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void checksLogin_data();
    void checksLogin();
    void accessReadsTheCurrentUsersOwnRow_data();
    void accessReadsTheCurrentUsersOwnRow();
    void unknownPermissionColumnIsAnError();
};

void TestLogin::checksLogin_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<LoginCheck>("expected");
    // Stored: MARIA with "999" (ABC scrambled), JOSE with " 999 " (blanks around).
    QTest::newRow("right password") << "MARIA" << "ABC" << LoginCheck::Granted;
    QTest::newRow("stored password trimmed") << "JOSE" << "ABC" << LoginCheck::Granted;
    QTest::newRow("wrong password") << "MARIA" << "ABD" << LoginCheck::AccessDenied;
    QTest::newRow("unknown user") << "PEDRO" << "ABC" << LoginCheck::AccessDenied;
    QTest::newRow("name differs by a blank") << "MARIA " << "ABC" << LoginCheck::AccessDenied;
    QTest::newRow("empty password") << "MARIA" << "" << LoginCheck::PasswordRequired;
    QTest::newRow("empty name") << "" << "ABC" << LoginCheck::AccessDenied;
    QTest::newRow("both empty") << "" << "" << LoginCheck::EndProgram;
}

void TestLogin::checksLogin()
{
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(LoginCheck, expected);
    ARVO_TEST_DB(t);
    QVERIFY(addUser(t.db(), QStringLiteral("MARIA"), QStringLiteral("999")));
    QVERIFY(addUser(t.db(), QStringLiteral("JOSE"), QStringLiteral(" 999 ")));
    auto check = checkLogin(t.db(), user, password);
    QVERIFY2(check, qPrintable(check.ok() ? QString() : check.error().text()));
    QCOMPARE(*check, expected);
}

void TestLogin::accessReadsTheCurrentUsersOwnRow_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<AccessRule>("rule");
    QTest::addColumn<Access>("expected");
    // MARIA has movimentacao "4"; JOSE, entered before her, has "5".
    QTest::newRow("own level four") << "MARIA" << AccessRule::FiveRequired << Access::Silent;
    QTest::newRow("deleted user, five required")
        << "ANA" << AccessRule::FiveRequired << Access::Denied;
    QTest::newRow("deleted user, zero denies") << "ANA" << AccessRule::ZeroDenies << Access::Denied;
    QTest::newRow("name in other case is not the user")
        << "jose" << AccessRule::FiveRequired << Access::Denied;
    QTest::newRow("no check") << "ANA" << AccessRule::None << Access::Open;
}

void TestLogin::accessReadsTheCurrentUsersOwnRow()
{
    QFETCH(QString, user);
    QFETCH(AccessRule, rule);
    QFETCH(Access, expected);
    ARVO_TEST_DB(t);
    QVERIFY(addUser(t.db(), QStringLiteral("JOSE"), QStringLiteral("999")));
    QVERIFY(addUser(t.db(), QStringLiteral("ANA"), QStringLiteral("999")));
    QVERIFY(addUser(t.db(), QStringLiteral("MARIA"), QStringLiteral("999"), QStringLiteral("4")));
    // ANA logged in and was deleted by someone else meanwhile.
    QVERIFY(t.db().exec(QStringLiteral("DELETE FROM usuarios WHERE nome = 'ANA'")));
    auto access = checkAccess(t.db(), user, QStringLiteral("movimentacao"), rule);
    QVERIFY2(access, qPrintable(access.ok() ? QString() : access.error().text()));
    QCOMPARE(*access, expected);
}

void TestLogin::unknownPermissionColumnIsAnError()
{
    ARVO_TEST_DB(t);
    QVERIFY(addUser(t.db(), QStringLiteral("MARIA"), QStringLiteral("999")));
    auto access = checkAccess(t.db(), QStringLiteral("MARIA"), QStringLiteral("senha"),
                              AccessRule::ZeroDenies);
    QVERIFY(!access.ok());
}

QTEST_GUILESS_MAIN(TestLogin)
#include "tst_login.moc"
