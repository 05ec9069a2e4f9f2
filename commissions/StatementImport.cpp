#include "commissions/StatementImport.h"

#include "core/Audit.h"

#include <QFileInfo>
#include <QTime>

#include <algorithm>
#include <optional>

namespace arvo {

namespace {

struct Group
{
    QString key;
    int installment = 0;
    double base = 0;
    double paid = 0;
    int retornoCode = 0; ///< the group's first line: where its outcome is stored
    QDate paymentDate;
};

struct Proposal
{
    int code = 0;
    QString tipo;
    int insured = 0;
    double com[6] = {0, 0, 0, 0, 0, 0};
    int pagarvital = 0;
    QString number;   ///< proposta
    QString contract; ///< contrato
    int insurer = 0;
    int seller = 0;
    int producer = 0;
    QDate effective;
    QString sellerNick;
    QString insuredName;
    int producerPagarvital = 0;
    int producerDebencargos = 0;
    QString producerState;
    double insurerTaxaInd = 0;
};

/// A credit the layout's rule gives a group.
struct Credit
{
    double rate = 0;     ///< comissao, percent
    double premio = 0;   ///< the base written with it
    double amount = 0;   ///< credito, reais
    double discount = 0; ///< desconto, reais
    double auditValue = 0;
};

/// What one group wrote; added to the outcome only once its transaction committed.
struct GroupResult
{
    QString marker;
    int credits = 0;
    int charges = 0;
    int receivablesWritten = 0;
    int receivablesSettled = 0;
};

struct Run
{
    Db& db;
    const StatementImportRequest& req;
    const CommissionRules& rules;
    QString fileName; ///< the file's name, as docorigem and the audit name it
    QString origin;   ///< docorigem: first 50 characters of the file name
    QDate today;
    QString time;
};

const char* kProposalSelect =
    "SELECT S.codigo, S.tipo, S.segurado, S.com1, S.com2, S.com3, S.com4, S.com5, S.com6, "
    "S.pagarvital, S.proposta, S.contrato, S.seguradora, S.vendedor, S.produtor, S.efetivacao, "
    "V.apelido, F.nome AS nomesegurado, PR.pagarvital AS prod_pagarvital, "
    "PR.debencargos AS prod_debencargos, PR.estado AS prod_estado, C.taxaInd "
    "FROM seguros S JOIN fornecedores V ON S.vendedor = V.codigo "
    "JOIN clientes C ON S.seguradora = C.codigo JOIN produtos P ON S.produto = P.codigo "
    "JOIN seguros_clientes F ON S.segurado = F.codigo "
    "LEFT JOIN fornecedores PR ON PR.codigo = S.produtor WHERE ";

QString likePrefix(const QString& key)
{
    QString k = key;
    k.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    k.replace(QLatin1Char('%'), QLatin1String("\\%"));
    k.replace(QLatin1Char('_'), QLatin1String("\\_"));
    return k + QLatin1Char('%');
}

Result<std::optional<Proposal>> findProposal(Run& run, const Group& g)
{
    QString where;
    Params p{{QStringLiteral("k"), g.key}};
    switch (run.req.layout.match) {
    case ProposalMatch::AdministratorProposal:
        where = QStringLiteral("S.administradora = :a AND S.proposta = :k");
        p.insert(QStringLiteral("a"), run.req.administrator);
        break;
    case ProposalMatch::InsurerContract:
        where = QStringLiteral("S.seguradora = :c AND S.contrato = :k");
        p.insert(QStringLiteral("c"), run.req.insurer);
        break;
    case ProposalMatch::InsurerProposalOrContract:
        where = QStringLiteral("S.seguradora = :c AND (S.proposta = :k OR S.contrato = :k)");
        p.insert(QStringLiteral("c"), run.req.insurer);
        break;
    case ProposalMatch::InsurerPrefix:
        where = QStringLiteral("S.seguradora = :c AND (S.proposta LIKE :k OR S.contrato LIKE :k)");
        p.insert(QStringLiteral("c"), run.req.insurer);
        p.insert(QStringLiteral("k"), likePrefix(g.key));
        break;
    case ProposalMatch::AnyInsurerProposal:
        where = QStringLiteral("S.proposta = :k");
        break;
    }
    // Several proposals: the first one is used, always the same.
    auto row = run.db.selectOne(QString::fromLatin1(kProposalSelect) + where +
                                    QStringLiteral(" ORDER BY S.codigo LIMIT 1"),
                                p);
    if (!row)
        return row.error();
    if (!row->has_value())
        return std::optional<Proposal>();
    const Row& r = **row;
    Proposal s;
    s.code = r["codigo"].toInt();
    s.tipo = r["tipo"].toString();
    s.insured = r["segurado"].toInt();
    for (int i = 0; i < 6; ++i)
        s.com[i] = r.value(3 + i).toDouble();
    s.pagarvital = r["pagarvital"].toInt();
    s.number = r["proposta"].toString();
    s.contract = r["contrato"].toString();
    s.insurer = r["seguradora"].toInt();
    s.seller = r["vendedor"].toInt();
    s.producer = r["produtor"].toInt();
    s.effective = r["efetivacao"].toDate();
    s.sellerNick = r["apelido"].toString();
    s.insuredName = r["nomesegurado"].toString();
    s.producerPagarvital = r["prod_pagarvital"].toInt();
    s.producerDebencargos = r["prod_debencargos"].toInt();
    s.producerState = r["prod_estado"].toString();
    s.insurerTaxaInd = r["taxaInd"].toDouble();
    return std::optional<Proposal>(s);
}

/// The proposal's rate for installment n; nothing above 6, which has no rate column.
std::optional<double> comN(const Proposal& s, int n)
{
    if (n < 1 || n > 6)
        return std::nullopt;
    return s.com[n - 1];
}

bool effectiveBefore(const Proposal& s, const QDate& cutoff)
{
    return s.effective.isValid() && s.effective > QDate(1899, 12, 30) && s.effective < cutoff;
}

Credit fromRate(double rate, const Group& g)
{
    Credit c;
    c.rate = rate;
    c.premio = g.base;
    c.amount = g.base * rate / 100;
    c.auditValue = g.base;
    return c;
}

/// The credit the layout's rule gives this installment, or nothing.
std::optional<Credit> eligibleCredit(const Run& run, const Proposal& s, const Group& g)
{
    const int n = g.installment;
    const CommissionRules& rules = run.rules;
    const auto com = comN(s, n);
    switch (run.req.layout.id) {
    case LayoutId::Qualicorp:
        if (n == 1)
            return fromRate(*com, g);
        return std::nullopt;
    case LayoutId::Affix:
        if (s.insurer == rules.affixInsurerHigh && n == 1)
            return fromRate(50, g);
        if (s.insurer == rules.affixInsurerHigh && n == 2)
            return fromRate(10, g);
        if (s.insurer == rules.affixInsurerMiddle && n == 1)
            return fromRate(30, g);
        if (s.insurer == rules.affixInsurerLow && n == 1)
            return fromRate(20, g);
        return std::nullopt;
    case LayoutId::Unihosp: {
        if (n >= 5 || !com || *com <= 0)
            return std::nullopt;
        Credit c;
        c.rate = *com;
        c.premio = g.base;
        if (n == 2 && s.tipo != QLatin1String("01") && s.insurerTaxaInd > 0)
            c.discount = s.insurerTaxaInd;
        c.amount = g.paid * *com / 100 - c.discount;
        c.auditValue = g.paid;
        return c;
    }
    case LayoutId::HumanaNew:
    case LayoutId::HumanaOld:
        if (n <= 5)
            return fromRate(*com, g);
        if (s.producerPagarvital > 0 && s.pagarvital > 0 &&
            effectiveBefore(s, rules.humanaLifetimeBefore))
            return fromRate(1.5, g);
        return std::nullopt;
    case LayoutId::Geap:
        if (n <= 2)
            return fromRate(*com, g);
        if (s.producerPagarvital > 0 && s.producer == rules.geapLifetimeProducer)
            return fromRate(2, g);
        return std::nullopt;
    case LayoutId::SulAmerica:
        if (n > 5 && effectiveBefore(s, rules.sulAmericaLifetimeBefore))
            return fromRate(1.5, g);
        if (com && *com > 0)
            return fromRate(*com, g);
        return std::nullopt;
    case LayoutId::Hapvida:
        if (n <= 4 && *com > 0)
            return fromRate(*com, g);
        return std::nullopt;
    case LayoutId::Medplan:
        if (n <= (s.tipo == QLatin1String("01") ? 4 : 3))
            return fromRate(*com, g);
        return std::nullopt;
    case LayoutId::MultiInsurer:
        if (n <= 3 && *com > 0)
            return fromRate(*com, g);
        return std::nullopt;
    }
    return std::nullopt;
}

Result<bool> ledgerHas(Run& run, const QString& extra, const Params& params)
{
    auto v = run.db.scalar(QStringLiteral("SELECT COUNT(*) FROM conta_produtor WHERE producao = :p "
                                          "AND parcelas = :n") +
                               extra,
                           params);
    if (!v)
        return v.error();
    return v->toInt() > 0;
}

Status insertLedger(Run& run, const Proposal& s, int n, int seller, int repasse, double rate,
                    double premio, std::optional<double> credit, std::optional<double> debit,
                    double discount, const QString& historico, bool withOrigin)
{
    auto st = run.db.exec(
        QStringLiteral("INSERT INTO conta_produtor (producao, data, parcelas, segurado, seguradora, "
                       "vendedor, corretora, repasse, comissao, premio, credito, debito, desconto, "
                       "taxa, historico, apolice, proposta, docorigem) VALUES (:p, :d, :n, :s, :c, "
                       ":v, :co, :r, :rate, :pr, :cr, :de, :ds, 0, :h, :a, :pp, :o)"),
        {{QStringLiteral("p"), s.code},
         {QStringLiteral("d"), run.today},
         {QStringLiteral("n"), n},
         {QStringLiteral("s"), s.insured},
         {QStringLiteral("c"), s.insurer},
         {QStringLiteral("v"), seller},
         {QStringLiteral("co"), run.req.company},
         {QStringLiteral("r"), repasse},
         {QStringLiteral("rate"), rate},
         {QStringLiteral("pr"), premio},
         {QStringLiteral("cr"), credit ? QVariant(*credit) : QVariant()},
         {QStringLiteral("de"), debit ? QVariant(*debit) : QVariant()},
         {QStringLiteral("ds"), credit ? QVariant(discount) : QVariant()},
         {QStringLiteral("h"), historico.left(50)},
         {QStringLiteral("a"), s.contract.left(15)},
         {QStringLiteral("pp"), s.number.left(15)},
         {QStringLiteral("o"), withOrigin ? QVariant(run.origin) : QVariant()}});
    if (!st)
        return st.error();
    return {};
}

Status audit(Run& run, const QString& operation, const QString& routine, const QString& history,
             int beneficiary, double value, const QString& obs)
{
    AuditEntry e;
    e.stamp = AuditStamp{run.today, run.time};
    e.operador = run.req.user;
    e.rotina = routine;
    e.operacao = operation;
    e.historico = history;
    e.favorecido = beneficiary;
    e.valor = value;
    e.obs = obs;
    return writeAudit(run.db, e, AuditWay::DirectInsert);
}

QString parcText(const Proposal& s, int n)
{
    return s.sellerNick + QStringLiteral(" - Parc. ") + QString::number(n);
}

/// The production charge on a credit just written, where the producer bears one.
Status writeCharge(Run& run, const Proposal& s, int n, double credit, GroupResult& out)
{
    const double p = s.tipo == QLatin1String("01") ? run.req.encPme : run.req.encInd;
    if (p <= 0 || s.producerDebencargos <= 0)
        return {};
    auto has = ledgerHas(run, QStringLiteral(" AND seguradora = :c AND historico = :h"),
                         {{QStringLiteral("p"), s.code},
                          {QStringLiteral("n"), n},
                          {QStringLiteral("c"), s.insurer},
                          {QStringLiteral("h"), QStringLiteral("Encargos de produção")}});
    if (!has)
        return has.error();
    if (*has)
        return {};
    const double debit = credit * p / 100;
    if (auto st = insertLedger(run, s, n, s.seller, s.producer, p, credit, std::nullopt, debit, 0,
                               QStringLiteral("Encargos de produção"), false);
        !st)
        return st;
    ++out.charges;
    return audit(run, QStringLiteral("I"), QStringLiteral("CONTA_PRODUTOR"), parcText(s, n), 0,
                 debit, QStringLiteral("DEB. - ") + s.insuredName);
}

Status writeSupervisorCredit(Run& run, const Proposal& s, const Group& g, GroupResult& out)
{
    const int n = g.installment;
    if (n <= 1 || run.rules.geapSupervisorExcludedStates.contains(s.producerState))
        return {};
    const int sup = run.rules.geapSupervisor;
    auto has = ledgerHas(run, QStringLiteral(" AND seguradora = :c AND repasse = :r"),
                         {{QStringLiteral("p"), s.code},
                          {QStringLiteral("n"), n},
                          {QStringLiteral("c"), s.insurer},
                          {QStringLiteral("r"), sup}});
    if (!has)
        return has.error();
    if (*has)
        return {};
    const double rate = n == 2 ? 30 : 2;
    const double credit = g.base * rate / 100;
    if (auto st = insertLedger(run, s, n, sup, sup, rate, g.base, credit, std::nullopt, 0,
                               QStringLiteral("Pgto Com. Parc. ") + QString::number(n), true);
        !st)
        return st;
    ++out.credits;
    return audit(run, QStringLiteral("I"), QStringLiteral("CONTA_PRODUTOR"), parcText(s, n), 0,
                 g.base, QStringLiteral("CRED. SUP. - ") + s.insuredName.left(50));
}

/// The receivable condition of the layout, on docreceber's own columns.
QString receivableCondition(const Run& run, const Proposal& s)
{
    switch (run.req.layout.receivableKey) {
    case ReceivableKey::Doc:
        return QStringLiteral("doc = :k");
    case ReceivableKey::Nf:
        return QStringLiteral("nf = :k");
    case ReceivableKey::DocOrNf:
        return QStringLiteral("(doc = :k OR nf = :k)");
    case ReceivableKey::NfForPmeElseDoc:
        return s.tipo == QLatin1String("01") ? QStringLiteral("nf = :k") : QStringLiteral("doc = :k");
    }
    return QStringLiteral("doc = :k");
}

Status insertSettledReceivable(Run& run, const Proposal& s, const Group& g)
{
    auto st = run.db.exec(
        QStringLiteral("INSERT INTO docreceber (cliente, empresa, tipo, doc, emissao, vencto, pgto, "
                       "valor, liquido, valorpago, nf, conta, parc, docorigem, producao) VALUES "
                       "(:c, :e, 'OU', :doc, :d, :d, :d, :v, :l, :l, :nf, :conta, :n, :o, :p)"),
        {{QStringLiteral("c"), s.insurer},
         {QStringLiteral("e"), run.req.company},
         {QStringLiteral("doc"), s.number.left(20)},
         {QStringLiteral("d"), g.paymentDate},
         {QStringLiteral("v"), g.base},
         {QStringLiteral("l"), g.paid},
         {QStringLiteral("nf"), g.key.left(20)},
         {QStringLiteral("conta"), run.req.account.isEmpty() ? QVariant() : QVariant(run.req.account)},
         {QStringLiteral("n"), g.installment},
         {QStringLiteral("o"), run.origin},
         {QStringLiteral("p"), s.code}});
    if (!st)
        return st.error();
    return {};
}

Status writeReceivable(Run& run, const Proposal& s, const Group& g, GroupResult& out)
{
    const Params keyParams{{QStringLiteral("c"), s.insurer},
                           {QStringLiteral("k"), g.key},
                           {QStringLiteral("n"), g.installment}};
    const QString where = QStringLiteral(" WHERE cliente = :c AND ") + receivableCondition(run, s) +
                          QStringLiteral(" AND parc = :n");
    if (run.req.layout.mode == ReceivableMode::Replace) {
        auto del = run.db.exec(QStringLiteral("DELETE FROM docreceber") + where, keyParams);
        if (!del)
            return del.error();
        if (auto st = insertSettledReceivable(run, s, g); !st)
            return st;
        ++out.receivablesWritten;
        return {};
    }
    auto found = run.db.selectOne(QStringLiteral("SELECT cod, cliente, liquido FROM docreceber") +
                                      where + QStringLiteral(" ORDER BY cod LIMIT 1"),
                                  keyParams);
    if (!found)
        return found.error();
    if (!found->has_value()) {
        if (auto st = insertSettledReceivable(run, s, g); !st)
            return st;
        ++out.receivablesWritten;
        return {};
    }
    const Row& r = **found;
    const QString pgto = g.paymentDate.isValid() ? g.paymentDate.toString(QStringLiteral("yyyy/MM/dd"))
                                                 : QStringLiteral("0000/00/00");
    if (auto st = run.db.call(QStringLiteral("sp_a_bxdocreceber"),
                              {QStringLiteral("d_cod"), QStringLiteral("d_conta"),
                               QStringLiteral("d_pgto"), QStringLiteral("d_valorpago"),
                               QStringLiteral("d_liquido"), QStringLiteral("d_docorigem")},
                              {{QStringLiteral("d_cod"), r["cod"]},
                               {QStringLiteral("d_conta"), run.req.account.isEmpty()
                                                               ? QVariant()
                                                               : QVariant(run.req.account)},
                               {QStringLiteral("d_pgto"), pgto},
                               {QStringLiteral("d_valorpago"), g.paid},
                               {QStringLiteral("d_liquido"), r["liquido"]},
                               {QStringLiteral("d_docorigem"), run.origin}});
        !st)
        return st;
    ++out.receivablesSettled;
    return audit(run, QStringLiteral("B"), QStringLiteral("DOC. RECEBER"),
                 QStringLiteral("A: ") + g.key + QStringLiteral(" - Parc. ") +
                     QString::number(g.installment),
                 r["cliente"].toInt(), g.paid, QStringLiteral("BAIXA AUTOMÁTICA"));
}

Result<GroupResult> processGroup(Run& run, const Group& g)
{
    GroupResult out;
    if (g.installment < 1) {
        out.marker = kNoCommission;
    } else {
        auto found = findProposal(run, g);
        if (!found)
            return found.error();
        if (!found->has_value()) {
            out.marker = kNotFound;
        } else {
            const Proposal& s = **found;
            const int n = g.installment;
            Params check{{QStringLiteral("p"), s.code}, {QStringLiteral("n"), n}};
            QString extra;
            if (run.req.layout.creditCheckByInsurer) {
                extra = QStringLiteral(" AND seguradora = :c");
                check.insert(QStringLiteral("c"), s.insurer);
            }
            auto has = ledgerHas(run, extra, check);
            if (!has)
                return has.error();
            const auto credit = *has ? std::nullopt : eligibleCredit(run, s, g);
            if (*has) {
                out.marker = kAlreadyCredited;
            } else if (!credit) {
                out.marker = kNotCommissionable;
            } else {
                if (auto st = insertLedger(run, s, n, s.seller, s.producer, credit->rate,
                                           credit->premio, credit->amount, std::nullopt,
                                           credit->discount,
                                           QStringLiteral("Pgto Com. Parc. ") + QString::number(n),
                                           true);
                    !st)
                    return st.error();
                ++out.credits;
                if (auto st = writeCharge(run, s, n, credit->amount, out); !st)
                    return st.error();
                if (auto st = audit(run, QStringLiteral("I"), QStringLiteral("CONTA_PRODUTOR"),
                                    parcText(s, n), 0, credit->auditValue,
                                    QStringLiteral("CRED. - ") + s.insuredName.left(50));
                    !st)
                    return st.error();
                out.marker = kCommissionWritten;
            }
            if (run.req.layout.id == LayoutId::Geap) {
                const int before = out.credits;
                if (auto st = writeSupervisorCredit(run, s, g, out); !st)
                    return st.error();
                if (out.credits > before)
                    out.marker = kCommissionWritten;
            }
            if (auto st = writeReceivable(run, s, g, out); !st)
                return st.error();
        }
    }
    auto st = run.db.exec(QStringLiteral("UPDATE retorno SET obs = :t WHERE codigo = :c"),
                          {{QStringLiteral("t"), out.marker}, {QStringLiteral("c"), g.retornoCode}});
    if (!st)
        return st.error();
    return out;
}

/// Empties retorno and stores the statement's lines; returns the code of each line, in order.
Result<QList<int>> fillRetorno(Db& db, const QList<StatementLine>& lines, const QDate& paymentDate)
{
    if (auto st = db.exec(QStringLiteral("DELETE FROM retorno")); !st)
        return st.error();
    const QString pgto = db.quote(paymentDate);
    constexpr int chunk = 1000;
    for (qsizetype from = 0; from < lines.size(); from += chunk) {
        QStringList values;
        for (qsizetype i = from; i < std::min(lines.size(), from + chunk); ++i) {
            const StatementLine& l = lines[i];
            values << QStringLiteral("(%1, %2, %3, %4, %5, %6, %7, %8)")
                          .arg(pgto, db.quote(l.paid),
                               l.date ? db.quote(*l.date) : QStringLiteral("NULL"),
                               db.quote(l.key), QString::number(l.installment), db.quote(l.base),
                               db.quote(l.name),
                               l.obs.isEmpty() ? QStringLiteral("NULL") : db.quote(l.obs));
        }
        auto st = db.exec(QStringLiteral("INSERT INTO retorno (data_pgto, valor_doc, data_baixa, "
                                         "apolice, parcela, valor_base, nome, obs) VALUES ") +
                          values.join(QStringLiteral(", ")));
        if (!st)
            return st.error();
    }
    auto codes = db.select(QStringLiteral("SELECT codigo FROM retorno ORDER BY codigo"));
    if (!codes)
        return codes.error();
    QList<int> out;
    out.reserve(codes->size());
    for (const Row& r : *codes)
        out << r.value(0).toInt();
    if (out.size() != lines.size())
        return Error{QStringLiteral("As linhas do extrato não foram gravadas por inteiro."),
                     QStringLiteral("%1 de %2").arg(out.size()).arg(lines.size())};
    return out;
}

QList<Group> groupLines(const StatementLayout& layout, const QList<StatementLine>& lines,
                        const QList<int>& codes, const QDate& paymentDate)
{
    QMap<std::pair<QString, int>, int> index;
    QList<Group> groups;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const StatementLine& l = lines[i];
        const QString key = layout.groupKeyLength > 0 ? l.key.left(layout.groupKeyLength) : l.key;
        const std::pair<QString, int> id{key.toUpper(), layout.groupByKeyOnly ? 0 : l.installment};
        auto it = index.find(id);
        if (it == index.end()) {
            Group g;
            g.key = key;
            g.installment = l.installment;
            g.retornoCode = codes[i];
            g.paymentDate = paymentDate;
            it = index.insert(id, int(groups.size()));
            groups << g;
        }
        Group& g = groups[*it];
        g.base += l.base;
        // Every line's payment counts: taking one line's amount would settle a receivable
        // for less than the statement paid.
        g.paid += l.paid;
    }
    // The order a grouped select returns them in: by key, then installment.
    std::stable_sort(groups.begin(), groups.end(), [](const Group& a, const Group& b) {
        const int c = a.key.compare(b.key, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a.installment < b.installment;
    });
    return groups;
}

/// One import at a time per database: retorno is shared by every seat.
class ImportLock
{
public:
    explicit ImportLock(Db& db) : m_db(db) {}
    ~ImportLock()
    {
        if (m_held)
            (void)m_db.scalar(QStringLiteral("SELECT RELEASE_LOCK(:n)"), {{QStringLiteral("n"), m_name}});
    }
    ImportLock(const ImportLock&) = delete;
    ImportLock& operator=(const ImportLock&) = delete;

    Status acquire()
    {
        auto name = m_db.scalar(QStringLiteral("SELECT CONCAT('arvo_retorno_', DATABASE())"));
        if (!name)
            return name.error();
        m_name = name->toString().left(64);
        auto got = m_db.scalar(QStringLiteral("SELECT GET_LOCK(:n, 0)"), {{QStringLiteral("n"), m_name}});
        if (!got)
            return got.error();
        if (got->toInt() != 1)
            return Error{QStringLiteral("Outra estação está importando um extrato de comissões. "
                                        "Aguarde o fim da importação e tente de novo."),
                         m_name};
        m_held = true;
        return {};
    }

private:
    Db& m_db;
    QString m_name;
    bool m_held = false;
};

} // namespace

Result<StatementImportOutcome> importStatement(Db& db, const StatementImportRequest& req,
                                               const CommissionRules& rules,
                                               const Progress& progress)
{
    if (!req.paymentDate.isValid())
        return Error{QStringLiteral("Data Inválida!"), {}};
    const QString fileName = QFileInfo(req.filePath).fileName();

    // Everything is read and checked before the first write.
    auto sheet = readSheet(req.filePath);
    if (!sheet)
        return sheet.error();
    auto lines = readStatement(*sheet, req.layout, fileName);
    if (!lines)
        return lines.error();

    ImportLock lock(db);
    if (auto st = lock.acquire(); !st)
        return st.error();

    Run run{db, req, rules, fileName, fileName.left(50),
            req.today.isValid() ? req.today : QDate::currentDate(),
            QTime::currentTime().toString(QStringLiteral("hh:mm:ss"))};

    std::optional<Transaction> whole;
    if (req.dryRun) {
        whole.emplace(db);
        if (!whole->started())
            return whole->started().error();
    }

    StatementImportOutcome out;
    out.lines = int(lines->size());
    QList<int> codes;
    {
        std::optional<Transaction> tx;
        if (!req.dryRun) {
            tx.emplace(db);
            if (!tx->started())
                return tx->started().error();
        }
        auto filled = fillRetorno(db, *lines, req.paymentDate);
        if (!filled)
            return filled.error();
        codes = *filled;
        if (auto st = audit(run, QStringLiteral("I"), QStringLiteral("Retorno"),
                            QStringLiteral("Baixar ") + req.layout.auditName, 0, 0, fileName);
            !st)
            return st.error();
        if (tx) {
            if (auto st = tx->commit(); !st)
                return st.error();
        }
    }
    for (const StatementLine& l : *lines)
        out.totalPaid += l.paid;

    const QList<Group> groups = groupLines(req.layout, *lines, codes, req.paymentDate);
    out.groups = int(groups.size());
    qint64 done = 0;
    for (const Group& g : groups) {
        reportProgress(progress, done, groups.size(),
               QStringLiteral("Aguarde...Processando Apólice: ") + g.key);
        GroupResult one;
        {
            std::optional<Transaction> tx;
            if (!req.dryRun) {
                tx.emplace(db);
                if (!tx->started())
                    return tx->started().error();
            }
            auto r = processGroup(run, g);
            if (!r)
                return Error{QStringLiteral("A importação parou na apólice %1, parcela %2; as "
                                            "apólices anteriores foram baixadas e esta não foi "
                                            "alterada. Importe o mesmo arquivo de novo para "
                                            "completar.")
                                 .arg(g.key)
                                 .arg(g.installment),
                             r.error().text()};
            one = *r;
            if (tx) {
                if (auto st = tx->commit(); !st)
                    return st.error();
            }
        }
        out.outcomes[one.marker] += 1;
        out.credits += one.credits;
        out.charges += one.charges;
        out.receivablesWritten += one.receivablesWritten;
        out.receivablesSettled += one.receivablesSettled;
        ++done;
    }
    reportProgress(progress, done, groups.size(), QStringLiteral("Importação Finalizada!!!"));
    // A dry run's transaction rolls back as it goes out of scope.
    return out;
}

} // namespace arvo
