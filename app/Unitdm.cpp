#include "app/Unitdm.h"

Tdm* dm = nullptr;

namespace {

struct FixedQuery
{
    const char* name;
    const char* sql;
};

// The queries whose SQL is not a select-all of a table of their own name.
const FixedQuery kFixed[] = {
    {"TotalDocPagar", "select sum(valor) as total from docpagar"},
    {"TotalDocReceber", "select sum(liquido) as total from docreceber"},
    // Table names in lower case: the server compares them case-sensitively. The screens add
    // their own conditions to these two.
    {"DocReceberGeral", "select C.fantasia as nome,D.doc,D.emissao,D.vencto,D.liquido as valor\n"
                        "from clientes C, docreceber D\nwhere (D.cliente=C.codigo)"},
    {"DocPagarGeral", "select F.fantasia as nome,D.doc,D.emissao,D.vencto,D.valor\n"
                      "from fornecedores F, docpagar D\n"
                      "where (D.fornecedor=F.codigo) and (D.pgto is null)"},
};

QString sqlFor(const QString& name)
{
    for (const FixedQuery& q : kFixed) {
        if (name.compare(QLatin1String(q.name), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(q.sql);
    }
    // Its screen sets the text.
    if (name.compare(QLatin1String("profissoes"), Qt::CaseInsensitive) == 0)
        return {};
    return QStringLiteral("select * from ") + name;
}

} // namespace

SharedQuery::SharedQuery(arvo::Db& db, QString name, QString selectAll)
    : m_db(db), m_name(std::move(name)), m_selectAll(std::move(selectAll))
{
    restoreSelectAll();
}

void SharedQuery::restoreSelectAll()
{
    close();
    m_sql = m_selectAll.isEmpty() ? QStringList() : m_selectAll.split(QLatin1Char('\n'));
    m_params.clear();
}

arvo::Status SharedQuery::open()
{
    close();
    auto rows = m_db.select(m_sql.join(QLatin1Char('\n')), m_params);
    if (!rows)
        return rows.error();
    m_rows = std::move(*rows);
    m_current = m_rows.isEmpty() ? -1 : 0;
    m_active = true;
    return {};
}

void SharedQuery::close()
{
    m_rows = arvo::Rows();
    m_current = -1;
    m_active = false;
}

arvo::Status SharedQuery::refresh()
{
    return open();
}

bool SharedQuery::locate(const QString& column, const QVariant& value)
{
    for (qsizetype i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].value(column) == value) {
            m_current = i;
            return true;
        }
    }
    m_current = -1;
    return false;
}

arvo::Row SharedQuery::current() const
{
    return m_current >= 0 && m_current < m_rows.size() ? m_rows[m_current] : arvo::Row();
}

Tdm::Tdm(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("dm"));
    if (!dm)
        dm = this;
}

Tdm::~Tdm()
{
    m_queries.clear();
    // The data module owns the connection; a private server goes with m_database after it.
    if (m_database.db.isOpen())
        m_database.db.close();
    if (dm == this)
        dm = nullptr;
}

void Tdm::attach(arvo::OpenDatabase database, const arvo::ConnectionSettings& settings)
{
    m_queries.clear();
    if (m_database.db.isOpen() &&
        m_database.db.connectionName() != database.db.connectionName())
        m_database.db.close();
    m_database = std::move(database);
    m_settings = settings;
}

arvo::Status Tdm::reconnect()
{
    const QString name = m_database.db.connectionName().isEmpty()
                             ? QStringLiteral("velmor_arvo")
                             : m_database.db.connectionName();
    // Rows already read stay readable; the queries run on the new connection from now on.
    m_database.db.close();
    auto db = arvo::Db::connect(m_settings, name);
    if (!db)
        return db.error();
    m_database.db = std::move(*db);
    return {};
}

SharedQuery& Tdm::query(const QString& table)
{
    const QString key = table.toLower();
    auto it = m_queries.find(key);
    if (it == m_queries.end()) {
        QString name = table;
        for (const QString& known : queryNames()) {
            if (known.toLower() == key)
                name = known;
        }
        it = m_queries.insert(key, std::make_shared<SharedQuery>(m_database.db, name,
                                                                 sqlFor(name)));
    }
    return **it;
}

const QStringList& Tdm::queryNames()
{
    static const QStringList names = [] {
        QStringList n{
            "rastro",          "docreceber",           "formapagto",         "financeiro",
            "ContasCorrente",  "PlanoContas",          "docpagar",           "contascorrente_saldo",
            "mapafaturamento", "mapadesembolso",       "centrocusto",        "usuarios",
            "parametros",      "fornecedores",         "faltasfunc",         "horasextras",
            "clientes",        "emprestimos",          "empresas",           "produtos",
            "estados",         "seguros",              "seguros_clientes",   "seguros_idclientes",
            "regiao",          "historico_seguros",    "conta_produtor",     "metas",
            "seguros_idterceiros", "com_seguradora_corr", "com_segur_corretora", "retorno",
            "segurosauto",     "sinistros",            "origemvendas",       "canalvendas",
            "com_prod_filial", "entidades",            "curvaabc",           "metas_callcenter",
            "corretores",      "deppf",                "pf",                 "pj",
            "deppj",           "statusprop",           "adma",               "profissoes"};
        for (const FixedQuery& q : kFixed)
            n << QString::fromLatin1(q.name);
        return n;
    }();
    return names;
}

void Tdm::setSession(const QString& user, const QString& company)
{
    m_currentUser = user;
    m_currentCompany = company;
}
