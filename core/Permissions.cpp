#include "core/Permissions.h"

namespace arvo {

namespace {

using R = AccessRule;

QStringList splitPath(const char* path)
{
    return QString::fromUtf8(path).split(QStringLiteral(" > "));
}

MenuCommand screen(const char* path, const char* column, AccessRule rule, const char* screenClass,
                   const char* caption)
{
    MenuCommand c;
    c.path = splitPath(path);
    c.command = c.path.last();
    c.kind = CommandKind::Screen;
    c.column = QString::fromLatin1(column);
    c.rule = rule;
    c.screen = QString::fromLatin1(screenClass);
    c.caption = QString::fromUtf8(caption);
    return c;
}

MenuCommand hidden(MenuCommand c)
{
    c.visible = false;
    c.enabled = false;
    return c;
}

MenuCommand special(const char* path, CommandKind kind)
{
    MenuCommand c;
    c.path = splitPath(path);
    c.command = c.path.last();
    c.kind = kind;
    return c;
}

MenuCommand separator(const char* menu, bool visible = true)
{
    MenuCommand c = special(menu, CommandKind::Separator);
    c.path << QStringLiteral("-");
    c.command = QStringLiteral("-");
    c.visible = visible;
    return c;
}

MenuCommand withoutEntry(const char* command, const char* column, AccessRule rule,
                         const char* screenClass, const char* caption)
{
    MenuCommand c = screen(command, column, rule, screenClass, caption);
    c.path.clear();
    c.inMenu = false;
    return c;
}

QList<MenuCommand> buildTable()
{
    QList<MenuCommand> t;
    // Cadastro
    t << screen("Cadastro > Administradoras", "cadastro", R::ZeroDenies, "TFrmAdministradoras",
                "Administradoras");
    t << screen("Cadastro > Clientes/Seguradoras", "tabelas", R::ZeroDenies, "TFrmClientes",
                "Cadastro de Clientes/Seguradoras");
    t << screen("Cadastro > Entidades", "cadastro", R::ZeroDenies, "TFrmEntidades",
                "Cadastro de Entidades");
    t << screen("Cadastro > Produtores/Vendedores", "tabelas", R::ZeroDenies,
                "TFrmCadFornecedores", "Cadastro de Produtores/Vendedores");
    t << screen("Cadastro > Matriz/Filiais", "tabelas", R::ZeroDenies, "TFrmEmpresas",
                "Cadastro de  Matriz/Filiais");
    t << screen("Cadastro > Produtos", "tabelas", R::ZeroDenies, "TFrmProdutos",
                "Cadastro de Produtos");
    t << screen("Cadastro > Profissões", "cadastro", R::ZeroDenies, "TFrmProfissoes",
                "Cadastro de Profissões");
    t << screen("Cadastro > Regiões", "cadastro", R::ZeroDenies, "TFrmRegioes",
                "Cadastro de Regiões");
    t << screen("Cadastro > Status Propostas", "tabelas", R::ZeroDenies, "TFrmStatusProp",
                "Status Propostas");
    t << separator("Cadastro");
    t << screen("Cadastro > Usuários", "usuarios", R::ZeroDenies, "TFrmCadUsuarios",
                "Cadastro de Usuários");
    t << screen("Cadastro > Parâmetros", "parametros", R::ZeroDenies, "TFrmParametros",
                "Parâmetros");

    // Produção
    t << screen("Produção > Individual/Adesão > Cadastro", "individual", R::ZeroDenies,
                "TFrmPlanoSaudeInd", "Plano de Saúde Individual/Adesão");
    t << screen("Produção > Individual/Adesão > Relatório", "individual", R::ZeroDenies,
                "TFrmPlanoSaudeIndRel", "Relatório - Planos de Saúde");
    t << screen("Produção > Individual/Adesão > Curva ABC", "individual", R::ZeroDenies,
                "TFrmCurvaABCInd", "Relatório - Curva ABC Individual/Adesão");
    t << screen("Produção > PME > Cadastro", "individual", R::ZeroDenies, "TFrmPlanoSaudeEmp",
                "Plano de Saúde Empresarial");
    t << screen("Produção > PME > Relatório", "individual", R::ZeroDenies,
                "TFrmPlanoSaudeEmpRel", "Relatório - Plano de Saúde Empresarial");
    t << screen("Produção > PME > Curva ABC", "individual", R::ZeroDenies, "TFrmCurvaABCPME",
                "Relatório - Curva ABC PME");
    t << separator("Produção > PME");
    t << screen("Produção > PME > Importar", "individual", R::ZeroDenies,
                "TFrmPlanoSaudeEmpImp", "Importar Propostas PME");
    t << separator("Produção");
    t << screen("Produção > Consultar Segurado/Terceiro", "producao", R::ZeroDenies,
                "TFrmConsSegurado", "Consulta Segurado");
    t << separator("Produção");
    t << screen("Produção > Metas", "producao", R::ZeroDenies, "TfrmMetas", "Metas");
    t << separator("Produção", false);
    t << hidden(screen("Produção > Importar > Dados Plataforma", "individual", R::ZeroDenies,
                       "TFrmPlalaformaImport", "Importar - Dados Plataforma"));

    // Movimentação
    t << screen("Movimentação > Conta do Vendedor", "movimentacao", R::FiveRequired,
                "TFrmContaVendedor", "Conta Produtor");
    t << separator("Movimentação");
    t << screen("Movimentação > Alterar Comissões", "movimentacao", R::FiveRequired,
                "TFrmAlterarComissoes", "Alterar Comissões");
    t << screen("Movimentação > Baixar Extrato de Comissões", "movimentacao", R::FiveRequired,
                "TFrmBaixarParcAut", "Baixar Extrato de Comissões");
    t << hidden(screen("Movimentação > Baixar Extrato de Comissões - Qualicorp", "individual",
                       R::ZeroDenies, "TFrmBaixarQualicorp",
                       "Baixar Extrato de Comissões - Qualicorp"));
    t << hidden(special("Movimentação > Baixar Extrato de Comissões - Amil", CommandKind::Nothing));
    t << screen("Movimentação > Baixar/Antecipar Parcela Manualmente", "movimentacao",
                R::FiveRequired, "TFrmBaixarParcManual", "Baixar Parcela Manual");
    t << screen("Movimentação > Comissão de Seguradora/Corretora", "movimentacao",
                R::FiveRequired, "TFrmComSeguradoraCorretora",
                "Comissão de Seguradora/Corretora");
    t << screen("Movimentação > Comissionamento Personalizado", "movimentacao", R::FiveRequired,
                "TFrmComPersonal", "Comissionamento Personalizado");
    t << separator("Movimentação");
    t << screen("Movimentação > Relatórios > Pagamento Vendedores", "movimentacao",
                R::FiveRequired, "TFrmPgtoVendedores", "Relatório - Pagamento dos Repasses");

    // Financeiro
    t << screen("Financeiro > Documentos a Receber", "financeiro", R::ZeroDenies, "TFrmReceber",
                "Contas a Receber");
    t << screen("Financeiro > Documentos a Pagar", "financeiro", R::ZeroDenies, "TFrmPagar",
                "Financeiro - Contas a Pagar");
    t << screen("Financeiro > Fluxo de Caixa", "financeiro", R::ZeroDenies, "TFrmFinanceiro",
                "Financeiro - Fluxo Caixa");
    t << screen("Financeiro > Fornecedores", "financeiro", R::ZeroDenies, "TFrmCadFornecedores",
                "Cadastro de Fornecedores");
    t << screen("Financeiro > Plano de Contas", "financeiro", R::ZeroDenies, "TFrmPlanoContas",
                "Plano de Contas");
    t << screen("Financeiro > Contas Corrente", "financeiro", R::ZeroDenies,
                "TFrmContasCorrentes", "Financeiro - Contas Correntes");
    // Cost centres are kept on the bank-accounts screen.
    t << screen("Financeiro > Centro de Custo", "financeiro", R::ZeroDenies,
                "TFrmContasCorrentes", "Financeiro - Contas Correntes");
    t << separator("Financeiro");
    t << screen("Financeiro > Relatórios > Resumo Financeiro", "financeiro", R::ZeroDenies,
                "TFrmResumoGerenciais", "Resumo Financeiro");

    // Ferramentas
    t << special("Ferramentas > Agenda", CommandKind::Nothing);
    t << screen("Ferramentas > Alterar Senha", "", R::None, "TFrmAlterarSenha", "Alterar Senha");
    t << screen("Ferramentas > Auditoria", "", R::None, "TFrmRastro", "Auditoria");
    t << separator("Ferramentas");
    t << special("Ferramentas > Conectar BD", CommandKind::ConnectDatabase);
    t << special("Ferramentas > Finalizar Excel", CommandKind::EndSpreadsheets);

    t << special("Sair", CommandKind::Quit);

    // Open commands the menu does not offer.
    t << withoutEntry("Recursos Humanos", "rh", R::ZeroDenies, "TFrmCadFornecedores",
                      "Cadastro de Funcionários");
    t << withoutEntry("Atualizar Apólices Empresarial", "producao", R::ZeroDenies,
                      "TFrmAtualizarApolices", "Importar Apólices - PME");
    t << withoutEntry("Produção Geral", "producao", R::ZeroDenies, "TFrmProducaoGeralRel",
                      "Relatório - Produção Geral");
    t << withoutEntry("Origem de Vendas", "producao", R::ZeroDenies, "TFrmOrigemVendas",
                      "Origem das Vendas");
    t << withoutEntry("Canal das Vendas", "producao", R::ZeroDenies, "TFrmCanalVendas",
                      "Canal das Vendas");
    t << withoutEntry("Relatório Auto", "auto", R::ZeroDenies, "TFrmSegurosAutoRel",
                      "Relatório - Seguros Auto/RE");
    t << withoutEntry("Relatório de Comissão Auto/RE", "auto", R::ZeroDenies,
                      "TFrmComissaoAutoRE", "Relatório de Comissão Auto/RE/Consórcio/Vidas");
    t << withoutEntry("Metas Call Center", "producao", R::ZeroDenies, "TFrmMetasCallCenter",
                      "Metas Call Center");
    t << withoutEntry("Gerar Comissão Call Center", "producao", R::ZeroDenies,
                      "TFrmComCallCenter", "Gerar Comissão Call Center");
    t << withoutEntry("Base Imperatriz", "financeiro", R::ZeroDenies, "TFrmBaseImperat",
                      "Importar - Base Imperatriz");
    t << withoutEntry("Clientes", "producao", R::ZeroDenies, "TFrmRelCliente",
                      "Relatório - Clientes");
    t << withoutEntry("Comissão Geral", "producao", R::ZeroDenies, "TFrmComGeral",
                      "Comissão Geral");
    return t;
}

} // namespace

const QStringList& permissionColumns()
{
    static const QStringList columns{
        QStringLiteral("cadastro"),   QStringLiteral("producao"),     QStringLiteral("movimentacao"),
        QStringLiteral("financeiro"), QStringLiteral("tabelas"),      QStringLiteral("rh"),
        QStringLiteral("parametros"), QStringLiteral("usuarios"),     QStringLiteral("pme"),
        QStringLiteral("individual"), QStringLiteral("auto")};
    return columns;
}

Access accessForLevel(AccessRule rule, const std::optional<QString>& level)
{
    if (rule == AccessRule::None)
        return Access::Open;
    if (!level)
        return Access::Denied;
    if (rule == AccessRule::ZeroDenies)
        return *level == QLatin1String("0") ? Access::Denied : Access::Open;
    return *level == QLatin1String("5") ? Access::Open : Access::Silent;
}

Result<Access> checkAccess(Db& db, const QString& userName, const QString& column,
                           AccessRule rule)
{
    if (rule == AccessRule::None)
        return Access::Open;
    if (!permissionColumns().contains(column))
        return Error{QStringLiteral("Coluna de permissão desconhecida: ") + column, {}};
    // The column comparison ignores case and trailing blanks; the name must match exactly.
    auto rows = db.select(QStringLiteral("SELECT nome, %1 AS nivel FROM usuarios "
                                         "WHERE nome = :nome ORDER BY codigo")
                              .arg(Db::quoteName(column)),
                          {{QStringLiteral("nome"), userName}});
    if (!rows)
        return rows.error();
    for (const Row& row : *rows) {
        if (row.value(QStringLiteral("nome")).toString() == userName)
            return accessForLevel(rule, row.value(QStringLiteral("nivel")).toString());
    }
    return accessForLevel(rule, std::nullopt);
}

bool MenuCommand::rereadsUsers() const
{
    return !path.isEmpty() && path.first() == QStringLiteral("Movimentação");
}

QString MenuCommand::displayName() const
{
    return inMenu ? path.join(QStringLiteral(" ▸ ")) : command;
}

const QList<MenuCommand>& menuCommands()
{
    static const QList<MenuCommand> table = buildTable();
    return table;
}

const MenuCommand* findMenuCommand(const QString& displayName)
{
    for (const MenuCommand& c : menuCommands()) {
        if (c.kind != CommandKind::Separator && c.displayName() == displayName)
            return &c;
    }
    return nullptr;
}

} // namespace arvo
