#include "app/ScreenRegistry.h"
#include "app/UnitFrmPrincipal.h"
#include "app/Unitdm.h"
#include "core/Password.h"
#include "core/Permissions.h"
#include "platform/process/Processes.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/TestDatabase.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace arvo;

Q_DECLARE_METATYPE(arvo::AccessRule)

namespace {

struct Opened
{
    QString screenClass;
    QString caption;
    bool operator==(const Opened&) const = default;
};

QList<Opened> g_opened;
int g_destroyed = 0;

/// Stands in for a screen: records that it was shown modally, with which caption.
class FakeScreen : public QDialog
{
public:
    FakeScreen(const QString& screenClass, QWidget* parent)
        : QDialog(parent), m_class(screenClass)
    {
    }
    ~FakeScreen() override { ++g_destroyed; }
    int exec() override
    {
        g_opened.append({m_class, windowTitle()});
        return Accepted;
    }

private:
    QString m_class;
};

/// The design's table of screen commands: what each reads and what it opens.
struct Expected
{
    const char* name;
    const char* column;
    AccessRule rule;
    const char* screen;
    const char* caption;
};

using R = AccessRule;
const Expected kScreens[] = {
    {"Cadastro ▸ Administradoras", "cadastro", R::ZeroDenies, "TFrmAdministradoras",
     "Administradoras"},
    {"Cadastro ▸ Clientes/Seguradoras", "tabelas", R::ZeroDenies, "TFrmClientes",
     "Cadastro de Clientes/Seguradoras"},
    {"Cadastro ▸ Entidades", "cadastro", R::ZeroDenies, "TFrmEntidades", "Cadastro de Entidades"},
    {"Cadastro ▸ Produtores/Vendedores", "tabelas", R::ZeroDenies, "TFrmCadFornecedores",
     "Cadastro de Produtores/Vendedores"},
    {"Cadastro ▸ Matriz/Filiais", "tabelas", R::ZeroDenies, "TFrmEmpresas",
     "Cadastro de  Matriz/Filiais"},
    {"Cadastro ▸ Produtos", "tabelas", R::ZeroDenies, "TFrmProdutos", "Cadastro de Produtos"},
    {"Cadastro ▸ Profissões", "cadastro", R::ZeroDenies, "TFrmProfissoes",
     "Cadastro de Profissões"},
    {"Cadastro ▸ Regiões", "cadastro", R::ZeroDenies, "TFrmRegioes", "Cadastro de Regiões"},
    {"Cadastro ▸ Status Propostas", "tabelas", R::ZeroDenies, "TFrmStatusProp",
     "Status Propostas"},
    {"Cadastro ▸ Usuários", "usuarios", R::ZeroDenies, "TFrmCadUsuarios", "Cadastro de Usuários"},
    {"Cadastro ▸ Parâmetros", "parametros", R::ZeroDenies, "TFrmParametros", "Parâmetros"},
    {"Produção ▸ Individual/Adesão ▸ Cadastro", "individual", R::ZeroDenies, "TFrmPlanoSaudeInd",
     "Plano de Saúde Individual/Adesão"},
    {"Produção ▸ Individual/Adesão ▸ Relatório", "individual", R::ZeroDenies,
     "TFrmPlanoSaudeIndRel", "Relatório - Planos de Saúde"},
    {"Produção ▸ Individual/Adesão ▸ Curva ABC", "individual", R::ZeroDenies, "TFrmCurvaABCInd",
     "Relatório - Curva ABC Individual/Adesão"},
    {"Produção ▸ PME ▸ Cadastro", "individual", R::ZeroDenies, "TFrmPlanoSaudeEmp",
     "Plano de Saúde Empresarial"},
    {"Produção ▸ PME ▸ Relatório", "individual", R::ZeroDenies, "TFrmPlanoSaudeEmpRel",
     "Relatório - Plano de Saúde Empresarial"},
    {"Produção ▸ PME ▸ Curva ABC", "individual", R::ZeroDenies, "TFrmCurvaABCPME",
     "Relatório - Curva ABC PME"},
    {"Produção ▸ PME ▸ Importar", "individual", R::ZeroDenies, "TFrmPlanoSaudeEmpImp",
     "Importar Propostas PME"},
    {"Produção ▸ Consultar Segurado/Terceiro", "producao", R::ZeroDenies, "TFrmConsSegurado",
     "Consulta Segurado"},
    {"Produção ▸ Metas", "producao", R::ZeroDenies, "TfrmMetas", "Metas"},
    {"Produção ▸ Importar ▸ Dados Plataforma", "individual", R::ZeroDenies,
     "TFrmPlalaformaImport", "Importar - Dados Plataforma"},
    {"Movimentação ▸ Conta do Vendedor", "movimentacao", R::FiveRequired, "TFrmContaVendedor",
     "Conta Produtor"},
    {"Movimentação ▸ Alterar Comissões", "movimentacao", R::FiveRequired, "TFrmAlterarComissoes",
     "Alterar Comissões"},
    {"Movimentação ▸ Baixar Extrato de Comissões", "movimentacao", R::FiveRequired,
     "TFrmBaixarParcAut", "Baixar Extrato de Comissões"},
    {"Movimentação ▸ Baixar Extrato de Comissões - Qualicorp", "individual", R::ZeroDenies,
     "TFrmBaixarQualicorp", "Baixar Extrato de Comissões - Qualicorp"},
    {"Movimentação ▸ Baixar/Antecipar Parcela Manualmente", "movimentacao", R::FiveRequired,
     "TFrmBaixarParcManual", "Baixar Parcela Manual"},
    {"Movimentação ▸ Comissão de Seguradora/Corretora", "movimentacao", R::FiveRequired,
     "TFrmComSeguradoraCorretora", "Comissão de Seguradora/Corretora"},
    {"Movimentação ▸ Comissionamento Personalizado", "movimentacao", R::FiveRequired,
     "TFrmComPersonal", "Comissionamento Personalizado"},
    {"Movimentação ▸ Relatórios ▸ Pagamento Vendedores", "movimentacao", R::FiveRequired,
     "TFrmPgtoVendedores", "Relatório - Pagamento dos Repasses"},
    {"Financeiro ▸ Documentos a Receber", "financeiro", R::ZeroDenies, "TFrmReceber",
     "Contas a Receber"},
    {"Financeiro ▸ Documentos a Pagar", "financeiro", R::ZeroDenies, "TFrmPagar",
     "Financeiro - Contas a Pagar"},
    {"Financeiro ▸ Fluxo de Caixa", "financeiro", R::ZeroDenies, "TFrmFinanceiro",
     "Financeiro - Fluxo Caixa"},
    {"Financeiro ▸ Fornecedores", "financeiro", R::ZeroDenies, "TFrmCadFornecedores",
     "Cadastro de Fornecedores"},
    {"Financeiro ▸ Plano de Contas", "financeiro", R::ZeroDenies, "TFrmPlanoContas",
     "Plano de Contas"},
    {"Financeiro ▸ Contas Corrente", "financeiro", R::ZeroDenies, "TFrmContasCorrentes",
     "Financeiro - Contas Correntes"},
    {"Financeiro ▸ Centro de Custo", "financeiro", R::ZeroDenies, "TFrmContasCorrentes",
     "Financeiro - Contas Correntes"},
    {"Financeiro ▸ Relatórios ▸ Resumo Financeiro", "financeiro", R::ZeroDenies,
     "TFrmResumoGerenciais", "Resumo Financeiro"},
    {"Ferramentas ▸ Alterar Senha", "", R::None, "TFrmAlterarSenha", "Alterar Senha"},
    {"Ferramentas ▸ Auditoria", "", R::None, "TFrmRastro", "Auditoria"},
    // Open commands the menu does not offer.
    {"Recursos Humanos", "rh", R::ZeroDenies, "TFrmCadFornecedores", "Cadastro de Funcionários"},
    {"Atualizar Apólices Empresarial", "producao", R::ZeroDenies, "TFrmAtualizarApolices",
     "Importar Apólices - PME"},
    {"Produção Geral", "producao", R::ZeroDenies, "TFrmProducaoGeralRel",
     "Relatório - Produção Geral"},
    {"Origem de Vendas", "producao", R::ZeroDenies, "TFrmOrigemVendas", "Origem das Vendas"},
    {"Canal das Vendas", "producao", R::ZeroDenies, "TFrmCanalVendas", "Canal das Vendas"},
    {"Relatório Auto", "auto", R::ZeroDenies, "TFrmSegurosAutoRel", "Relatório - Seguros Auto/RE"},
    {"Relatório de Comissão Auto/RE", "auto", R::ZeroDenies, "TFrmComissaoAutoRE",
     "Relatório de Comissão Auto/RE/Consórcio/Vidas"},
    {"Metas Call Center", "producao", R::ZeroDenies, "TFrmMetasCallCenter", "Metas Call Center"},
    {"Gerar Comissão Call Center", "producao", R::ZeroDenies, "TFrmComCallCenter",
     "Gerar Comissão Call Center"},
    {"Base Imperatriz", "financeiro", R::ZeroDenies, "TFrmBaseImperat",
     "Importar - Base Imperatriz"},
    {"Clientes", "producao", R::ZeroDenies, "TFrmRelCliente", "Relatório - Clientes"},
    {"Comissão Geral", "producao", R::ZeroDenies, "TFrmComGeral", "Comissão Geral"},
};

void registerFakes()
{
    clearScreens();
    for (const Expected& e : kScreens) {
        const QString screenClass = QString::fromLatin1(e.screen);
        registerScreen(screenClass, [screenClass](QWidget* parent) {
            return new FakeScreen(screenClass, parent);
        });
    }
}

/// The menu bar as text: one line per entry, indented by level, "-" for separators, marked
/// "(hidden)" or "(disabled)".
void outline(const QList<QAction*>& actions, int level, QStringList& out)
{
    for (QAction* a : actions) {
        QString line = QString(level * 2, QLatin1Char(' ')) +
                       (a->isSeparator() ? QStringLiteral("-") : a->text());
        if (!a->isVisible())
            line += QStringLiteral(" (hidden)");
        // Qt reports every hidden action as disabled too; the table says which are both.
        if (a->isVisible() && !a->isEnabled())
            line += QStringLiteral(" (disabled)");
        out << line;
        if (a->menu())
            outline(a->menu()->actions(), level + 1, out);
    }
}

/// Types `script` into the focused field: "⏎" Enter, "⎋" ESC, other characters as typed.
void typeScript(const QString& script)
{
    for (const QChar c : script) {
        QWidget* target = QApplication::focusWidget();
        if (!target)
            return;
        if (c == QChar(0x23CE))
            QTest::keyClick(target, Qt::Key_Return);
        else if (c == QChar(0x238B))
            QTest::keyClick(target, Qt::Key_Escape);
        else {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(target, &press);
        }
    }
}

/// Types `script` into the login dialog once it is up.
void loginLater(const QString& script)
{
    QTimer::singleShot(0, [script] {
        QWidget* dialog = QApplication::activeModalWidget();
        QVERIFY(dialog);
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        typeScript(script);
    });
}

} // namespace

class TestFrmPrincipal : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void menuTree();
    void everyScreenCommandIsListed();
    void openRule_data();
    void openRule();
    void deletedUserIsDenied();
    void entriesWithoutScreenDoNothing();
    void movimentacaoRereadsUsers();
    void firstShowingLogsIn();
    void escAtLoginEndsProgram();
    void unsupportedDateFormatEndsProgram();
    void closeAsksFirst();
    void conectarBdUsesTheFallback();
    void finalizarExcelWithoutSpreadsheetsDoesNothing();
    void sharedQueries();
    void screenshot();

private:
    static bool sharesDatabase();
    std::unique_ptr<test::TestDatabase> m_test;
    std::unique_ptr<Tdm> m_dm;
    int m_connection = 0;
};

void TestFrmPrincipal::init()
{
    registerFakes();
    g_opened.clear();
    g_destroyed = 0;
    // The rows of the permission table share one database: each sets every column itself.
    if (m_test && sharesDatabase())
        return;
    m_dm.reset();
    m_test = std::make_unique<test::TestDatabase>();
    QVERIFY2(m_test->ok(), qPrintable(m_test->error()));
    auto db = m_test->connectAgain(QStringLiteral("principal%1").arg(++m_connection));
    QVERIFY(db);
    OpenDatabase open;
    open.db = std::move(*db);
    m_dm = std::make_unique<Tdm>();
    m_dm->attach(std::move(open), m_test->settings());
    QVERIFY(m_test->db().exec(
        QStringLiteral("INSERT INTO usuarios (nome, senha, cadastro, producao, movimentacao, "
                       "financeiro, usuarios, parametros, rh, pme, individual, auto, tabelas) "
                       "VALUES ('MARIA', :senha, '5','5','5','5','5','5','5','5','5','5','5')"),
        {{QStringLiteral("senha"), scramblePassword(QStringLiteral("ABC"))}}));
}

void TestFrmPrincipal::cleanup()
{
    clearScreens();
    if (sharesDatabase())
        return;
    m_dm.reset();
    m_test.reset();
}

bool TestFrmPrincipal::sharesDatabase()
{
    return qstrcmp(QTest::currentTestFunction(), "openRule") == 0;
}

void TestFrmPrincipal::menuTree()
{
    test::MessageRecorder recorder;
    TFrmPrincipal window(*m_dm, {});
    QStringList actual;
    outline(window.menuBar()->actions(), 0, actual);
    const QStringList expected{
        "Cadastro",
        "  Administradoras",
        "  Clientes/Seguradoras",
        "  Entidades",
        "  Produtores/Vendedores",
        "  Matriz/Filiais",
        "  Produtos",
        "  Profissões",
        "  Regiões",
        "  Status Propostas",
        "  -",
        "  Usuários",
        "  Parâmetros",
        "Produção",
        "  Individual/Adesão",
        "    Cadastro",
        "    Relatório",
        "    Curva ABC",
        "  PME",
        "    Cadastro",
        "    Relatório",
        "    Curva ABC",
        "    -",
        "    Importar",
        "  -",
        "  Consultar Segurado/Terceiro",
        "  -",
        "  Metas",
        "  - (hidden)",
        "  Importar (hidden)",
        "    Dados Plataforma (hidden)",
        "Movimentação",
        "  Conta do Vendedor",
        "  -",
        "  Alterar Comissões",
        "  Baixar Extrato de Comissões",
        "  Baixar Extrato de Comissões - Qualicorp (hidden)",
        "  Baixar Extrato de Comissões - Amil (hidden)",
        "  Baixar/Antecipar Parcela Manualmente",
        "  Comissão de Seguradora/Corretora",
        "  Comissionamento Personalizado",
        "  -",
        "  Relatórios",
        "    Pagamento Vendedores",
        "Financeiro",
        "  Documentos a Receber",
        "  Documentos a Pagar",
        "  Fluxo de Caixa",
        "  Fornecedores",
        "  Plano de Contas",
        "  Contas Corrente",
        "  Centro de Custo",
        "  -",
        "  Relatórios",
        "    Resumo Financeiro",
        "Ferramentas",
        "  Agenda",
        "  Alterar Senha",
        "  Auditoria",
        "  -",
        "  Conectar BD",
        "  Finalizar Excel",
        "Sair",
    };
    QCOMPARE(actual, expected);
    QStringList hiddenAndDisabled;
    for (const MenuCommand& c : menuCommands()) {
        if (!c.visible && !c.enabled)
            hiddenAndDisabled << c.displayName();
    }
    QCOMPARE(hiddenAndDisabled,
             (QStringList{"Produção ▸ Importar ▸ Dados Plataforma",
                          "Movimentação ▸ Baixar Extrato de Comissões - Qualicorp",
                          "Movimentação ▸ Baixar Extrato de Comissões - Amil"}));
    QVERIFY(recorder.shown().isEmpty());
}

void TestFrmPrincipal::everyScreenCommandIsListed()
{
    QStringList inTable;
    for (const MenuCommand& c : menuCommands()) {
        if (c.kind == CommandKind::Screen)
            inTable << c.displayName();
    }
    QStringList expected;
    for (const Expected& e : kScreens)
        expected << QString::fromUtf8(e.name);
    QCOMPARE(inTable, expected);
}

void TestFrmPrincipal::openRule_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QVariant>("level");
    QTest::addColumn<QString>("outcome"); // opens, denied or silent
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("caption");
    const QList<QVariant> levels{QStringLiteral("0"), QStringLiteral("4"), QStringLiteral("5"),
                                 QVariant()};
    for (const Expected& e : kScreens) {
        for (const QVariant& level : levels) {
            const QString text = level.toString();
            QString outcome = QStringLiteral("opens");
            if (e.rule == R::ZeroDenies && text == QLatin1String("0"))
                outcome = QStringLiteral("denied");
            if (e.rule == R::FiveRequired && text != QLatin1String("5"))
                outcome = QStringLiteral("silent");
            const QString row = QStringLiteral("%1 / %2").arg(
                QString::fromUtf8(e.name), level.isNull() ? QStringLiteral("NULL") : text);
            QTest::newRow(qPrintable(row))
                << QString::fromUtf8(e.name) << QString::fromLatin1(e.column) << level << outcome
                << QString::fromLatin1(e.screen) << QString::fromUtf8(e.caption);
        }
    }
}

void TestFrmPrincipal::openRule()
{
    QFETCH(QString, command);
    QFETCH(QString, column);
    QFETCH(QVariant, level);
    QFETCH(QString, outcome);
    QFETCH(QString, screen);
    QFETCH(QString, caption);

    // Every other column holds the level that would give the opposite outcome, so a command
    // reading the wrong column shows.
    if (!column.isEmpty()) {
        const QString opposite = outcome == QLatin1String("opens") ? QStringLiteral("0")
                                                                   : QStringLiteral("5");
        for (const QString& c : permissionColumns()) {
            QVERIFY(m_test->db().exec(
                QStringLiteral("UPDATE usuarios SET %1 = :v WHERE nome = 'MARIA'")
                    .arg(Db::quoteName(c)),
                {{QStringLiteral("v"), c == column ? level : QVariant(opposite)}}));
        }
    }
    test::MessageRecorder recorder;
    TFrmPrincipal window(*m_dm, {});
    window.applyLogin(QStringLiteral("MARIA"), QStringLiteral("1"));
    QAction* action = window.actionFor(command);
    if (action && action->isEnabled())
        action->trigger();
    else
        window.runCommand(command);

    if (outcome == QLatin1String("opens")) {
        QCOMPARE(g_opened, (QList<Opened>{{screen, caption}}));
        QCOMPARE(g_destroyed, 1);
        QVERIFY(recorder.shown().isEmpty());
    } else {
        QCOMPARE(g_opened, QList<Opened>());
        const QStringList messages = outcome == QLatin1String("denied")
                                         ? QStringList{QStringLiteral("Acesso não Permitido")}
                                         : QStringList();
        QCOMPARE(recorder.texts(), messages);
        for (const auto& shown : recorder.shown()) {
            QCOMPARE(shown.caption, QStringLiteral("Atenção"));
            QCOMPARE(shown.icon, MsgIcon::Information);
        }
    }
}

void TestFrmPrincipal::deletedUserIsDenied()
{
    // JOSE, entered before MARIA, may do everything; MARIA is deleted while logged in.
    QVERIFY(m_test->db().exec(QStringLiteral(
        "INSERT INTO usuarios (codigo, nome, movimentacao, financeiro) VALUES (0, 'JOSE', '5', '5')")));
    QVERIFY(m_test->db().exec(QStringLiteral("DELETE FROM usuarios WHERE nome = 'MARIA'")));
    test::MessageRecorder recorder;
    TFrmPrincipal window(*m_dm, {});
    window.applyLogin(QStringLiteral("MARIA"), QStringLiteral("1"));
    window.runCommand(QStringLiteral("Movimentação ▸ Conta do Vendedor"));
    window.runCommand(QStringLiteral("Financeiro ▸ Documentos a Receber"));
    QCOMPARE(g_opened, QList<Opened>());
    QCOMPARE(recorder.texts(),
             (QStringList{QStringLiteral("Acesso não Permitido"),
                          QStringLiteral("Acesso não Permitido")}));
}

void TestFrmPrincipal::entriesWithoutScreenDoNothing()
{
    clearScreens(); // no screen built yet
    test::MessageRecorder recorder;
    TFrmPrincipal window(*m_dm, {});
    window.applyLogin(QStringLiteral("MARIA"), QStringLiteral("1"));
    window.actionFor(QStringLiteral("Ferramentas ▸ Agenda"))->trigger();
    window.actionFor(QStringLiteral("Ferramentas ▸ Auditoria"))->trigger();
    window.actionFor(QStringLiteral("Cadastro ▸ Administradoras"))->trigger();
    window.runCommand(QStringLiteral("Movimentação ▸ Baixar Extrato de Comissões - Amil"));
    QVERIFY(recorder.shown().isEmpty());
    QCOMPARE(g_opened, QList<Opened>());
    QCOMPARE(window.findChildren<QDialog*>().size(), 0);

    // A screen registered later is what the entry opens.
    registerScreen(QStringLiteral("TFrmRastro"),
                   [](QWidget* parent) { return new FakeScreen(QStringLiteral("TFrmRastro"), parent); });
    window.actionFor(QStringLiteral("Ferramentas ▸ Auditoria"))->trigger();
    QCOMPARE(g_opened, (QList<Opened>{{QStringLiteral("TFrmRastro"), QStringLiteral("Auditoria")}}));
}

void TestFrmPrincipal::movimentacaoRereadsUsers()
{
    test::MessageRecorder recorder;
    TFrmPrincipal window(*m_dm, {});
    window.applyLogin(QStringLiteral("MARIA"), QStringLiteral("1"));
    QVERIFY(m_dm->usuarios().open());
    QCOMPARE(m_dm->usuarios().recordCount(), qsizetype(1));
    QVERIFY(m_test->db().exec(QStringLiteral("INSERT INTO usuarios (nome) VALUES ('JOSE')")));
    window.runCommand(QStringLiteral("Cadastro ▸ Administradoras"));
    QCOMPARE(m_dm->usuarios().recordCount(), qsizetype(1));
    window.runCommand(QStringLiteral("Movimentação ▸ Conta do Vendedor"));
    QCOMPARE(m_dm->usuarios().recordCount(), qsizetype(2));
    QCOMPARE(g_opened.size(), 2);
}

void TestFrmPrincipal::firstShowingLogsIn()
{
    test::MessageRecorder recorder;
    TFrmPrincipal window(*m_dm, QStringLiteral("Suporte: (98) 3232-0000"));
    QCOMPARE(window.windowTitle(),
             QStringLiteral("Velmor Corretora - Sistema Integrado de Gestão"));
    QVERIFY(!window.band()->text().isEmpty());
    loginLater(QStringLiteral("maria⏎abc⏎"));
    QVERIFY(window.FormShow());
    QVERIFY(recorder.shown().isEmpty());
    QCOMPARE(window.currentUser(), QStringLiteral("MARIA"));
    QCOMPARE(window.currentCompany(), QStringLiteral("1"));
    QCOMPARE(m_dm->currentUser(), QStringLiteral("MARIA"));
    QCOMPARE(window.band()->text(), QString());
    QVERIFY(m_dm->parametros().active());

    QStringList panels;
    for (QLabel* p : window.statusPanels())
        panels << p->text();
    QCOMPARE(panels.size(), 7);
    QCOMPARE(panels[0], QStringLiteral("Data: ") + QDate::currentDate().toString("dd/MM/yyyy"));
    QVERIFY2(QRegularExpression(QStringLiteral("^Hora: \\d\\d:\\d\\d:\\d\\d$")).match(panels[1]).hasMatch(),
             qPrintable(panels[1]));
    QCOMPARE(panels.mid(2, 3),
             (QStringList{"Usuário:", "MARIA", "Suporte: (98) 3232-0000"}));
    // The test program's folder holds no velmor_arvo.
    QCOMPARE(panels[5], QStringLiteral("Versão: Nome de Arquivo Inválido"));
    QCOMPARE(panels[6], QStringLiteral("1"));
}

void TestFrmPrincipal::escAtLoginEndsProgram()
{
    test::MessageRecorder recorder;
    TFrmPrincipal window(*m_dm, {});
    loginLater(QStringLiteral("⎋"));
    QVERIFY(!window.FormShow());
    QCOMPARE(window.currentUser(), QString());
    QVERIFY(recorder.shown().isEmpty());
}

void TestFrmPrincipal::unsupportedDateFormatEndsProgram()
{
    test::MessageRecorder recorder;
    {
        TFrmPrincipal window(*m_dm, {}, nullptr, QStringLiteral("dd/MM/yyyy"));
        QVERIFY(!window.terminated());
        QVERIFY(recorder.shown().isEmpty());
    }
    TFrmPrincipal window(*m_dm, {}, nullptr, QStringLiteral("d/M/yyyy"));
    QVERIFY(window.terminated());
    QCOMPARE(recorder.texts(), QStringList{QStringLiteral("Configuração da Data do Windows, Inválida")});
    QCOMPARE(recorder.lastCaption(), QStringLiteral("Atenção"));
    QCOMPARE(recorder.shown().last().icon, MsgIcon::Error);
}

void TestFrmPrincipal::closeAsksFirst()
{
    test::MessageRecorder recorder;
    TFrmPrincipal window(*m_dm, {});
    window.applyLogin(QStringLiteral("MARIA"), QStringLiteral("1"));
    window.show();
    recorder.answerNext(MsgAnswer::No);
    window.actionFor(QStringLiteral("Sair"))->trigger();
    QVERIFY(window.isVisible());
    QCOMPARE(recorder.texts(), QStringList{QStringLiteral("Deseja sair do sistemas")});
    QCOMPARE(recorder.lastCaption(), QStringLiteral("Atenção"));
    QCOMPARE(recorder.shown().last().icon, MsgIcon::Question);
    QCOMPARE(recorder.shown().last().buttons, MsgButtons::YesNo);

    recorder.answerNext(MsgAnswer::Yes);
    QVERIFY(window.close());
    QVERIFY(!window.isVisible());
    QCOMPARE(recorder.shown().size(), 2);
}

void TestFrmPrincipal::conectarBdUsesTheFallback()
{
    const int port = test::serverTcpPort();
    QVERIFY(port > 0);
    QVERIFY(m_test->db().execRaw(QStringLiteral("CREATE USER IF NOT EXISTS 'cliente'@'127.0.0.1' "
                                                "IDENTIFIED BY 'Xy9.k2-Qw7pL3zRt'")));
    QVERIFY(m_test->db().execRaw(QStringLiteral("GRANT ALL ON *.* TO 'cliente'@'127.0.0.1'")));
    ConnectionSettings s;
    s.host = QStringLiteral("nohost1.invalid");
    s.fallbackHost = QStringLiteral("127.0.0.1");
    s.port = port;
    s.database = m_test->name();
    s.user = QStringLiteral("cliente");
    s.password = QStringLiteral("Xy9.k2-Qw7pL3zRt");
    s.connectTimeoutSeconds = 2;
    auto first = Db::connect(s, QStringLiteral("principal_tcp"));
    QVERIFY(first);
    OpenDatabase open;
    open.db = std::move(*first);
    m_dm->attach(std::move(open), s);

    test::MessageRecorder recorder;
    TFrmPrincipal window(*m_dm, {});
    window.applyLogin(QStringLiteral("MARIA"), QStringLiteral("1"));
    const auto before = m_dm->db().scalar(QStringLiteral("SELECT CONNECTION_ID()"));
    QVERIFY(before);
    window.actionFor(QStringLiteral("Ferramentas ▸ Conectar BD"))->trigger();
    QVERIFY(recorder.shown().isEmpty());
    const auto after = m_dm->db().scalar(QStringLiteral("SELECT CONNECTION_ID()"));
    QVERIFY(after);
    QVERIFY(after->toLongLong() != before->toLongLong());
    QCOMPARE(m_dm->db().scalar(QStringLiteral("SELECT DATABASE()"))->toString(), m_test->name());

    // Both hosts gone: the error is shown and the program goes on.
    s.fallbackHost = QStringLiteral("nohost2.invalid");
    open = OpenDatabase();
    open.db = m_dm->db();
    m_dm->attach(std::move(open), s);
    window.actionFor(QStringLiteral("Ferramentas ▸ Conectar BD"))->trigger();
    QCOMPARE(recorder.shown().size(), 1);
    QCOMPARE(recorder.shown().last().icon, MsgIcon::Error);
}

void TestFrmPrincipal::finalizarExcelWithoutSpreadsheetsDoesNothing()
{
    for (const ProcessInfo& p : runningProcesses()) {
        if (p.executable == QLatin1String("EXCEL.EXE"))
            QSKIP("a spreadsheet process runs on this machine; it is not ours to end");
    }
    test::MessageRecorder recorder;
    TFrmPrincipal window(*m_dm, {});
    window.applyLogin(QStringLiteral("MARIA"), QStringLiteral("1"));
    window.actionFor(QStringLiteral("Ferramentas ▸ Finalizar Excel"))->trigger();
    QVERIFY(recorder.shown().isEmpty());
    QCOMPARE(g_opened, QList<Opened>());
}

void TestFrmPrincipal::sharedQueries()
{
    QCOMPARE(m_dm->usuarios().SQL(), QStringList{QStringLiteral("select * from usuarios")});
    QCOMPARE(m_dm->query(QStringLiteral("contascorrente")).name(),
             QStringLiteral("ContasCorrente"));
    QCOMPARE(m_dm->query(QStringLiteral("TotalDocPagar")).SQL().join(' '),
             QStringLiteral("select sum(valor) as total from docpagar"));
    QCOMPARE(m_dm->query(QStringLiteral("profissoes")).SQL(), QStringList());
    // A table that does not exist yet fails only when its query is opened.
    SharedQuery& seguros = m_dm->seguros();
    QCOMPARE(seguros.SQL(), QStringList{QStringLiteral("select * from seguros")});
    QVERIFY(m_dm->usuarios().open());
    QVERIFY(m_dm->usuarios().locate(QStringLiteral("nome"), QStringLiteral("MARIA")));
    QCOMPARE(m_dm->usuarios().value(QStringLiteral("cadastro")).toString(), QStringLiteral("5"));
    QVERIFY(!m_dm->usuarios().locate(QStringLiteral("nome"), QStringLiteral("JOSE")));
    QVERIFY(!m_dm->usuarios().value(QStringLiteral("cadastro")).isValid());
    // A screen changes the text and leaves it; the select-all text comes back on request.
    m_dm->usuarios().SQL() = QStringList{QStringLiteral("select * from usuarios where 1=0")};
    QVERIFY(m_dm->usuarios().open());
    QCOMPARE(m_dm->usuarios().recordCount(), qsizetype(0));
    m_dm->usuarios().restoreSelectAll();
    QVERIFY(m_dm->usuarios().open());
    QCOMPARE(m_dm->usuarios().recordCount(), qsizetype(1));
}

void TestFrmPrincipal::screenshot()
{
    const QString path = qEnvironmentVariable("ARVO_SCREENSHOT");
    if (path.isEmpty())
        QSKIP("set ARVO_SCREENSHOT to a PNG path and run under a display to take it");
    test::MessageRecorder recorder;
    TFrmPrincipal window(*m_dm, QStringLiteral("Suporte: (98) 3232-0000"));
    window.applyLogin(QStringLiteral("MARIA"), QStringLiteral("1"));
    window.statusPanels()[5]->setText(QStringLiteral("Versão: 11/12/2026 14:30:00"));
    window.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QMenu* financeiro = nullptr;
    for (QAction* a : window.menuBar()->actions()) {
        if (a->text() == QLatin1String("Financeiro"))
            financeiro = a->menu();
    }
    QVERIFY(financeiro);
    window.menuBar()->setActiveAction(financeiro->menuAction());
    QTest::qWait(500);
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0);
    QVERIFY(shot.save(path));
    financeiro->close();
}

QTEST_MAIN(TestFrmPrincipal)
#include "tst_frmprincipal.moc"
