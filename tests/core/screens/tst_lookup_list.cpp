#include "core/screens/LookupListScreen.h"

#include "tests/support/MessageRecorder.h"
#include "tests/support/TestDatabase.h"

#include <QLineEdit>
#include <QTableView>
#include <QTest>

using namespace arvo;
using arvo::test::MessageRecorder;

class TestLookupList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void insertToggleDelete();
    void refusesDeletingInUse();
};

namespace {

LookupDecl regions()
{
    return {{QStringLiteral("regiao"), QStringLiteral("nome"), QStringLiteral("REGIÃO")},
            QStringLiteral("Região"),
            {}};
}

QStringList table(Db& db)
{
    QStringList out;
    const auto rows = db.select("select nome, ativo from regiao order by nome");
    for (const Row& r : rows.value())
        out << r["nome"].toString() + u' ' + r["ativo"].toString();
    return out;
}

} // namespace

void TestLookupList::insertToggleDelete()
{
    ARVO_TEST_DB(t);
    MessageRecorder recorder;
    LookupListScreen screen(t.db(), "ANA", regions());
    screen.show();
    QVERIFY(QTest::qWaitForWindowActive(&screen));
    auto* name = screen.findChild<QLineEdit*>("ednome");
    auto* grid = screen.findChild<QTableView*>("DBGrid1");
    QCOMPARE(grid->toolTip(), QStringLiteral("Dê um duplo clique para Excluir o Registro"));

    name->setFocus();
    QTest::keyClicks(name, "norte");
    QTest::keyClick(name, Qt::Key_Return);
    name->setFocus();
    // A name already listed is not inserted twice.
    QTest::keyClicks(name, "norte");
    QTest::keyClick(name, Qt::Key_Return);
    QCOMPARE(table(t.db()), QStringList{"NORTE S"});

    grid->setCurrentIndex(grid->model()->index(0, 0));
    QTest::keyClick(grid, Qt::Key_F12);
    QCOMPARE(table(t.db()), QStringList{"NORTE N"});
    QTest::keyClick(grid, Qt::Key_F12);
    QCOMPARE(table(t.db()), QStringList{"NORTE S"});

    recorder.answerNext(MsgAnswer::No);
    screen.DBGrid1DblClick();
    QCOMPARE(table(t.db()), QStringList{"NORTE S"});
    screen.DBGrid1DblClick();
    QCOMPARE(recorder.lastText(), QStringLiteral("Deseja excluir o registro?"));
    QCOMPARE(recorder.lastCaption(), QStringLiteral("Velmor"));
    QCOMPARE(table(t.db()), QStringList());
    QCOMPARE(t.db().scalar("select group_concat(operacao order by operacao) from rastro")
                 ->toString(), QStringLiteral("E,I"));
}

void TestLookupList::refusesDeletingInUse()
{
    ARVO_TEST_DB(t);
    MessageRecorder recorder;
    QVERIFY(t.db().exec("insert into regiao (nome, ativo) values ('SUL', 'S')").ok());
    LookupDecl decl = regions();
    decl.inUse = [](Db&, qint64) -> Result<std::optional<QString>> {
        return std::optional<QString>(QStringLiteral("Região em uso"));
    };
    LookupListScreen screen(t.db(), "ANA", decl);
    auto* grid = screen.findChild<QTableView*>("DBGrid1");
    grid->setCurrentIndex(grid->model()->index(0, 0));
    screen.DBGrid1DblClick();
    QCOMPARE(recorder.texts(), QStringList{"Região em uso"});
    QCOMPARE(table(t.db()), QStringList{"SUL S"});
}

QTEST_MAIN(TestLookupList)
#include "tst_lookup_list.moc"
