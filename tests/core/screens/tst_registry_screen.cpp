#include "core/screens/RegistryScreen.h"

#include "tests/support/MessageRecorder.h"
#include "tests/support/TestDatabase.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

using namespace arvo;
using arvo::test::MessageRecorder;

namespace {

// A small registry declared only for the test: the regions list.
RegistryDecl regionDecl()
{
    RegistryDecl d;
    d.table = {QStringLiteral("regiao"), QStringLiteral("nome"), QStringLiteral("REGIÃO")};
    d.caption = QStringLiteral("Cadastro de Regiões");
    d.selectMessage = QStringLiteral("Selecione uma Região");
    d.fields = {{"nome", "ednome", "Nome", RegistryField::Text, 40, true,
                 "Nome da Região Deve Ser Preenchido"},
                {"ativo", "edativo", "Ativo", RegistryField::Text, 1, true, {}}};
    d.grid = {{"Código", "codigo"}, {"Nome", "nome"}};
    return d;
}

QPushButton* button(QWidget& w, const char* name)
{
    return w.findChild<QPushButton*>(QString::fromLatin1(name));
}

QStringList auditRows(Db& db)
{
    QStringList out;
    auto rows = db.select(QStringLiteral("select * from rastro order by hora"));
    for (const Row& r : rows.value())
        out << r["rotina"].toString() + u' ' + r["operacao"].toString() + u' ' +
                   r["historico"].toString() + u' ' + r["operador"].toString();
    return out;
}

} // namespace

class TestRegistryScreen : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void browseNewSaveBrowse();
    void changeAndCancel();
    void deleteAsksFirst();
    void deleteWithoutRecord();
    void pickerReturnsTheKey();
};

void TestRegistryScreen::browseNewSaveBrowse()
{
    ARVO_TEST_DB(t);
    MessageRecorder recorder;
    RegistryScreen screen(t.db(), QStringLiteral("ANA"), regionDecl());
    screen.show();
    QVERIFY(QTest::qWaitForWindowActive(&screen));
    auto* gravar = button(screen, "btgravar");
    auto* sair = button(screen, "btsair");
    auto* nome = screen.field("nome");

    QCOMPARE(screen.state(), RegistryScreen::State::Browse);
    QVERIFY(!gravar->isEnabled());
    QVERIFY(!nome->isEnabled());
    QCOMPARE(sair->text(), QStringLiteral("Sair"));
    QCOMPARE(button(screen, "btproximo")->toolTip(), QStringLiteral("Próximo Registro"));

    button(screen, "btnovo")->click();
    QCOMPARE(screen.state(), RegistryScreen::State::New);
    QCOMPARE(screen.mode(), 1);
    QCOMPARE(sair->text(), QStringLiteral("Cancelar"));
    QVERIFY(gravar->isEnabled());
    QVERIFY(!button(screen, "btexcluir")->isEnabled());
    QCOMPARE(QApplication::focusWidget(), nome);

    // A required field names itself.
    gravar->click();
    QCOMPARE(recorder.lastText(), QStringLiteral("Nome da Região Deve Ser Preenchido"));
    QCOMPARE(recorder.lastCaption(), QStringLiteral("Erro de Preenchimento de Campo"));
    QCOMPARE(screen.state(), RegistryScreen::State::New);

    // Typed text is upper-cased and bound: the apostrophe is just a character.
    QTest::keyClicks(nome, "norte d'oeste");
    QCOMPARE(nome->text(), QStringLiteral("NORTE D'OESTE"));
    gravar->click();
    QCOMPARE(screen.state(), RegistryScreen::State::Browse);
    QCOMPARE(sair->text(), QStringLiteral("Sair"));
    QVERIFY(screen.currentKey().has_value());
    auto stored = t.db().scalar(QStringLiteral("select nome from regiao where codigo = :c"),
                                {{"c", *screen.currentKey()}});
    QCOMPARE(stored->toString(), QStringLiteral("NORTE D'OESTE"));
    QCOMPARE(nome->text(), QStringLiteral("NORTE D'OESTE"));
    QCOMPARE(auditRows(t.db()), QStringList{"REGIÃO I NORTE D'OESTE ANA"});
    QCOMPARE(screen.findChild<QTableView*>("DBGrid1")->model()->rowCount(), 1);
}

void TestRegistryScreen::changeAndCancel()
{
    ARVO_TEST_DB(t);
    MessageRecorder recorder;
    QVERIFY(t.db().exec("insert into regiao (nome, ativo) values ('NORTE', 'S'), ('SUL', 'S')").ok());
    RegistryScreen screen(t.db(), QStringLiteral("ANA"), regionDecl());
    screen.show();
    auto* nome = screen.field("nome");
    QCOMPARE(nome->text(), QStringLiteral("NORTE"));
    button(screen, "btproximo")->click();
    QCOMPARE(nome->text(), QStringLiteral("SUL"));

    button(screen, "btalterar")->click();
    QCOMPARE(screen.mode(), 0);
    nome->setText(QStringLiteral("SUDESTE"));
    // Cancelar abandons the edit and shows the record again.
    button(screen, "btsair")->click();
    QCOMPARE(screen.state(), RegistryScreen::State::Browse);
    QCOMPARE(nome->text(), QStringLiteral("SUL"));
    QVERIFY(screen.isVisible());

    button(screen, "btalterar")->click();
    nome->setText(QStringLiteral("SUDESTE"));
    button(screen, "btgravar")->click();
    auto names = t.db().select(QStringLiteral("select nome from regiao order by codigo"));
    QCOMPARE(names->size(), 2);
    QCOMPARE(names.value()[1]["nome"].toString(), QStringLiteral("SUDESTE"));
    QCOMPARE(auditRows(t.db()), QStringList{"REGIÃO A SUDESTE ANA"});
    QCOMPARE(recorder.texts(), QStringList());
}

void TestRegistryScreen::deleteAsksFirst()
{
    ARVO_TEST_DB(t);
    MessageRecorder recorder;
    QVERIFY(t.db().exec("insert into regiao (nome, ativo) values ('NORTE', 'S')").ok());
    RegistryScreen screen(t.db(), QStringLiteral("ANA"), regionDecl());
    screen.show();

    recorder.answerNext(MsgAnswer::No);
    button(screen, "btexcluir")->click();
    QCOMPARE(recorder.lastText(), QStringLiteral("Deseja excluir o registro?"));
    QCOMPARE(recorder.lastCaption(), QStringLiteral("Atenção"));
    QCOMPARE(int(recorder.shown().last().icon), int(MsgIcon::Question));
    QCOMPARE(int(recorder.shown().last().buttons), int(MsgButtons::YesNo));
    QCOMPARE(t.db().scalar("select count(*) from regiao")->toInt(), 1);

    button(screen, "btexcluir")->click();
    QCOMPARE(t.db().scalar("select count(*) from regiao")->toInt(), 0);
    QCOMPARE(auditRows(t.db()), QStringList{"REGIÃO E NORTE ANA"});
    QVERIFY(!screen.currentKey().has_value());
    QCOMPARE(screen.field("nome")->text(), QString());
}

void TestRegistryScreen::deleteWithoutRecord()
{
    ARVO_TEST_DB(t);
    MessageRecorder recorder;
    RegistryScreen screen(t.db(), QStringLiteral("ANA"), regionDecl());
    screen.show();
    screen.findChild<QTabWidget*>()->setCurrentIndex(1);
    button(screen, "btexcluir")->click();
    QCOMPARE(recorder.texts(), QStringList{"Selecione uma Região"});
    QCOMPARE(int(recorder.shown().last().icon), int(MsgIcon::Information));
    QCOMPARE(screen.findChild<QTabWidget*>()->currentIndex(), 0);
}

void TestRegistryScreen::pickerReturnsTheKey()
{
    ARVO_TEST_DB(t);
    QVERIFY(t.db().exec("insert into regiao (nome, ativo) values ('NORTE', 'S'), ('SUL', 'S')").ok());
    RegistryScreen screen(t.db(), QStringLiteral("ANA"), regionDecl());
    screen.setPicker(true);
    screen.show();
    auto* grid = screen.findChild<QTableView*>("DBGrid1");
    grid->setCurrentIndex(grid->model()->index(1, 0));
    QTest::keyClick(grid, Qt::Key_Return);
    QCOMPARE(screen.result(), int(QDialog::Accepted));
    auto sul = t.db().scalar("select codigo from regiao where nome = 'SUL'");
    QCOMPARE(screen.chosenKey(), std::optional<qint64>(sul->toLongLong()));
}

QTEST_MAIN(TestRegistryScreen)
#include "tst_registry_screen.moc"
