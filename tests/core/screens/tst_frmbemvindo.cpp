#include "core/Password.h"
#include "core/screens/UnitFrmBemVindo.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/TestDatabase.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

using namespace arvo;

namespace {

/// Types `script` into whichever field has the focus, as a user would: "⏎" is Enter, "⎋" ESC,
/// anything else a key with that text (accents included).
void typeScript(const QString& script)
{
    for (const QChar c : script) {
        QWidget* target = QApplication::focusWidget();
        QVERIFY(target);
        if (c == QChar(0x23CE))
            QTest::keyClick(target, Qt::Key_Return);
        else if (c == QChar(0x238B))
            QTest::keyClick(target, Qt::Key_Escape);
        else {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(target, &press);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(target, &release);
        }
    }
}

bool addUser(Db& db, const QString& name, const QString& password)
{
    return db
        .exec(QStringLiteral("INSERT INTO usuarios (nome, senha) VALUES (:nome, :senha)"),
              {{QStringLiteral("nome"), name}, {QStringLiteral("senha"), scramblePassword(password)}})
        .ok();
}

} // namespace

class TestFrmBemVindo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void login_data();
    void login();
    void closeRequestRefusedUntilLoggedIn();
};

void TestFrmBemVindo::login_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("outcome"); // open, accepted or rejected
    QTest::addColumn<QString>("focus");   // field focused while the dialog stays open
    QTest::addColumn<QString>("user");    // user logged in

    // Logged in: the fields type upper case, so "abc" is the stored "ABC" ("999").
    QTest::newRow("lower case name and password")
        << "maria⏎abc⏎" << QStringList() << "accepted" << "" << "MARIA";
    QTest::newRow("accented name") << "joão⏎xyz⏎" << QStringList() << "accepted" << "" << "JOÃO";
    QTest::newRow("second try after a wrong password")
        << "maria⏎abd⏎⏎abc⏎" << QStringList{"Acesso não permitido"} << "accepted" << ""
        << "MARIA";

    // Refused: the dialog stays open.
    QTest::newRow("wrong password") << "maria⏎abd⏎" << QStringList{"Acesso não permitido"}
                                    << "open" << "edusuario" << "";
    QTest::newRow("unknown user") << "pedro⏎" << QStringList{"Usuário não cadastrado"} << "open"
                                  << "edusuario" << "";
    QTest::newRow("empty password") << "maria⏎⏎" << QStringList{"Senha Obrigatória"} << "open"
                                    << "edsenha" << "";

    // The program ends, without a message.
    QTest::newRow("both fields empty") << "⏎⏎" << QStringList() << "rejected" << "" << "";
    QTest::newRow("ESC in the name") << "mar⎋" << QStringList() << "rejected" << "" << "";
    QTest::newRow("ESC in the password") << "maria⏎ab⎋" << QStringList() << "rejected" << ""
                                         << "";
}

void TestFrmBemVindo::login()
{
    QFETCH(QString, script);
    QFETCH(QStringList, messages);
    QFETCH(QString, outcome);
    QFETCH(QString, focus);
    QFETCH(QString, user);
    ARVO_TEST_DB(t);
    QVERIFY(addUser(t.db(), QStringLiteral("MARIA"), QStringLiteral("ABC")));
    QVERIFY(addUser(t.db(), QStringLiteral("JOÃO"), QStringLiteral("XYZ")));
    test::MessageRecorder recorder;

    TFrmBemVindo dialog(t.db());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(QApplication::focusWidget(), dialog.edusuario());
    typeScript(script);

    QCOMPARE(recorder.texts(), messages);
    for (const auto& shown : recorder.shown()) {
        QCOMPARE(shown.caption, QStringLiteral("Atenção"));
        QCOMPARE(shown.icon, MsgIcon::Warning);
    }
    if (outcome == QLatin1String("open")) {
        QVERIFY(dialog.isVisible());
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        // A refused password is never left in its field.
        if (messages.contains(QStringLiteral("Acesso não permitido")))
            QCOMPARE(dialog.edsenha()->text(), QString());
        QCOMPARE(dialog.userName(), QString());
    } else {
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), outcome == QLatin1String("accepted") ? int(QDialog::Accepted)
                                                                       : int(QDialog::Rejected));
        QCOMPARE(dialog.userName(), user);
        QCOMPARE(dialog.companyCode(), user.isEmpty() ? QString() : QStringLiteral("1"));
    }
}

void TestFrmBemVindo::closeRequestRefusedUntilLoggedIn()
{
    ARVO_TEST_DB(t);
    QVERIFY(addUser(t.db(), QStringLiteral("MARIA"), QStringLiteral("ABC")));
    test::MessageRecorder recorder;
    TFrmBemVindo dialog(t.db());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Bem Vindo"));
    QCOMPARE(dialog.edsenha()->echoMode(), QLineEdit::Password);
    QCOMPARE(dialog.edusuario()->toolTip(), QStringLiteral("Pressione ESC para sair"));
    QVERIFY(!(dialog.windowFlags() & Qt::WindowCloseButtonHint));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QVERIFY(!dialog.close());
    QVERIFY(dialog.isVisible());
    typeScript(QStringLiteral("maria⏎abc⏎"));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(recorder.shown().isEmpty());
}

QTEST_MAIN(TestFrmBemVindo)
#include "tst_frmbemvindo.moc"
