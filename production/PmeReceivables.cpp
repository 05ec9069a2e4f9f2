#include "production/PmeReceivables.h"

#include "core/DateValue.h"
#include "production/DueDates.h"

#include <QHash>
#include <QSet>
#include <QTime>

namespace arvo {

namespace {

bool isAmil(const QString& name)
{
    return name.left(4) == QLatin1String("AMIL");
}

/// Installment n of an insurer without a schedule, by its fixed rule.
PlannedInstallment byInsurerRule(const PmeProposal& p, int n)
{
    const QString& cia = p.insurerName;
    const double v = p.premium;
    PlannedInstallment r;
    r.parc = n;
    r.vencto = installmentDueDate(p.effective, n);
    auto amount = [&](double valor, double liquido) {
        r.hasAmount = true;
        r.valor = valor;
        r.liquido = liquido;
    };
    auto settledFirst = [&](double paid) {
        amount(v, v);
        r.settled = true;
        r.valorpago = paid;
        r.vencto = installmentDueDate(p.effective, 1);
    };
    if (cia == QLatin1String("BRADESCO")) {
        if (n == 1)
            settledFirst(v);
        else
            amount(v, n <= 3 ? v : n <= 5 ? v * 0.52 : v * 0.02);
    } else if (cia == QLatin1String("HAPVIDA")) {
        if (n == 1)
            settledFirst(v);
        else if (n <= 4)
            amount(v, v * 0.5);
        else
            amount(v, p.lives > 29 ? v * 0.5 : v * 0.1);
    } else if (cia == QLatin1String("ODONTOPREV")) {
        if (n == 1)
            settledFirst(v);
        else
            amount(v, n <= 3 ? v : v * 0.02);
    } else if (cia == QStringLiteral("SULAMÉRICA")) {
        if (n == 1)
            settledFirst(v);
        else
            amount(v, n <= 3 ? v : v * 0.05);
    } else if (isAmil(cia)) {
        if (n == 1)
            settledFirst(0);
        else
            amount(v, v * 0.7);
    } else if (cia == QLatin1String("HAPVIDA AFFIX")) {
        if (n == 1)
            settledFirst(0);
        else
            amount(v, v);
    } else if (cia == QLatin1String("CNU")) {
        const double base = 3 * v;
        if (n == 1)
            amount(base, base * 0.33);
        else if (n <= 3)
            amount(base, base * 0.25);
        else if (n == 4)
            amount(base, base * 0.17);
    }
    return r;
}

PlannedInstallment bySchedule(const PmeProposal& p, const BrokerSchedule& s, int n)
{
    PlannedInstallment r;
    r.parc = n;
    r.vencto = installmentDueDate(p.effective, n);
    if (n <= 5 && s.com[n - 1] > 0) {
        r.hasAmount = true;
        r.valor = p.premium;
        r.liquido = p.premium * s.com[n - 1] / 100;
    } else if (n > 5 && s.lifetime) {
        r.hasAmount = true;
        r.valor = p.premium;
        r.liquido = p.premium * 0.02;
    }
    return r;
}

QString sqlDate(const QDate& d)
{
    return QLatin1Char('\'') + dateForSql(d) + QLatin1Char('\'');
}

QString sqlNumber(double v)
{
    return QString::number(v, 'g', 17);
}

const char* kScheduleSelect = "SELECT seguradora, com1, com2, com3, com4, com5, vitalicio "
                              "FROM com_segur_corretora WHERE tipo = '01'";

BrokerSchedule scheduleFrom(const Row& r)
{
    BrokerSchedule s;
    for (int i = 0; i < 5; ++i)
        s.com[i] = r.value(i + 1).toDouble();
    s.lifetime = r["vitalicio"].toString() == QLatin1String("S");
    return s;
}

Result<std::optional<BrokerSchedule>> loadSchedule(Db& db, int insurer)
{
    auto row = db.selectOne(QString::fromLatin1(kScheduleSelect) +
                                QStringLiteral(" AND seguradora = :s LIMIT 1"),
                            {{QStringLiteral("s"), insurer}});
    if (!row)
        return row.error();
    if (!row->has_value())
        return std::optional<BrokerSchedule>();
    return std::optional<BrokerSchedule>(scheduleFrom(**row));
}

/// Writes the missing installments of one proposal inside the caller's transaction.
Result<PmeReceivablesOutcome> writeMissing(Db& db, const PmeProposal& p,
                                           const std::optional<BrokerSchedule>& schedule,
                                           const PmeRunContext& ctx, const QString& time)
{
    PmeReceivablesOutcome out;
    const int count = pmeInstallmentCount(p.insurerName);
    auto existing = db.select(QStringLiteral("SELECT parc FROM docreceber WHERE cliente = :c "
                                             "AND doc = :d AND parc BETWEEN 1 AND :n"),
                              {{QStringLiteral("c"), p.insurer},
                               {QStringLiteral("d"), p.number},
                               {QStringLiteral("n"), count}});
    if (!existing)
        return existing.error();
    QSet<int> have;
    for (const Row& r : *existing)
        have.insert(r.value(0).toInt());

    const QList<PlannedInstallment> plan = planPmeReceivables(p, schedule);
    QStringList rows;
    QStringList audits;
    const QString doc = db.quote(p.number);
    const QString historico =
        db.quote((QStringLiteral("P: ") + p.number + QLatin1Char(' ') + p.companyName).left(70));
    const QString operador = db.quote(ctx.user.left(30));
    const QDate today = ctx.today.isValid() ? ctx.today : QDate::currentDate();
    for (const PlannedInstallment& i : plan) {
        if (have.contains(i.parc)) {
            ++out.alreadyThere;
            continue;
        }
        if (!i.hasAmount) {
            out.stopMessage = p.insurerName;
            break;
        }
        rows << QStringLiteral("(%1, %2, 'OU', %3, %4, %5, %6, %7, %8, %9, %10, %11, %12)")
                    .arg(p.insurer)
                    .arg(ctx.company)
                    .arg(doc, sqlDate(p.effective))
                    .arg(p.code)
                    .arg(sqlNumber(i.valor), sqlNumber(i.liquido), sqlDate(i.vencto))
                    .arg(i.parc)
                    .arg(i.settled ? sqlNumber(i.valorpago) : QStringLiteral("NULL"),
                         i.settled ? db.quote(ctx.bankAccount.left(5)) : QStringLiteral("NULL"),
                         i.settled ? sqlDate(i.vencto) : QStringLiteral("NULL"));
        audits << QStringLiteral("(%1, '%2', %3, 'I', 'DOC. RECEBER', %4, 0, %5, %6)")
                      .arg(sqlDate(today), time, operador, historico, sqlNumber(p.premium),
                           db.quote(QStringLiteral("Geração das Parcelas - Parc: %1").arg(i.parc)));
        ++out.written;
    }
    if (!rows.isEmpty()) {
        auto ins = db.exec(QStringLiteral("INSERT INTO docreceber (cliente, empresa, tipo, doc, "
                                          "emissao, producao, valor, liquido, vencto, parc, "
                                          "valorpago, conta, pgto) VALUES ") +
                           rows.join(QStringLiteral(", ")));
        if (!ins)
            return ins.error();
        auto audit = db.exec(QStringLiteral("INSERT INTO rastro (data, hora, operador, operacao, "
                                            "rotina, historico, favorecido, valor, obs) VALUES ") +
                             audits.join(QStringLiteral(", ")));
        if (!audit)
            return audit.error();
    }
    return out;
}

Result<PmeReceivablesOutcome> writeLocked(Db& db, const PmeProposal& p,
                                          const std::optional<BrokerSchedule>& schedule,
                                          const PmeRunContext& ctx, const QString& time)
{
    // Two seats saving the same proposal must not both find an installment missing: the
    // check and the insert run under a lock named after the insurer and proposal number.
    const QString lockName = QStringLiteral("arvo_docreceber_%1_%2").arg(p.insurer).arg(p.number).left(64);
    auto locked = db.scalar(QStringLiteral("SELECT GET_LOCK(:n, 30)"), {{QStringLiteral("n"), lockName}});
    if (!locked)
        return locked.error();
    if (locked->toInt() != 1)
        return Error{QStringLiteral("As parcelas desta proposta estão sendo geradas em outra estação."),
                     lockName};
    Result<PmeReceivablesOutcome> out = PmeReceivablesOutcome{};
    {
        Transaction tx(db);
        if (!tx.started()) {
            out = tx.started().error();
        } else {
            out = writeMissing(db, p, schedule, ctx, time);
            if (out) {
                if (auto st = tx.commit(); !st)
                    out = st.error();
            }
        }
    }
    (void)db.scalar(QStringLiteral("SELECT RELEASE_LOCK(:n)"), {{QStringLiteral("n"), lockName}});
    return out;
}

} // namespace

int pmeInstallmentCount(const QString& name)
{
    if (isAmil(name) || name == QLatin1String("UNIHOSP") || name == QLatin1String("CNU"))
        return 4;
    if (name == QLatin1String("HAPVIDA AFFIX"))
        return 3;
    if (name == QLatin1String("HAPVIDA"))
        return 8;
    return 24;
}

QList<PlannedInstallment> planPmeReceivables(const PmeProposal& proposal,
                                             const std::optional<BrokerSchedule>& schedule)
{
    QList<PlannedInstallment> plan;
    const int count = pmeInstallmentCount(proposal.insurerName);
    for (int n = 1; n <= count; ++n)
        plan << (schedule ? bySchedule(proposal, *schedule, n) : byInsurerRule(proposal, n));
    return plan;
}

Result<PmeReceivablesOutcome> writePmeReceivables(Db& db, const PmeProposal& proposal,
                                                  const PmeRunContext& context)
{
    if (!proposal.effective.isValid())
        return PmeReceivablesOutcome{};
    auto schedule = loadSchedule(db, proposal.insurer);
    if (!schedule)
        return schedule.error();
    return writeLocked(db, proposal, *schedule, context,
                       QTime::currentTime().toString(QStringLiteral("hh:mm:ss")));
}

namespace {

const char* kProposalSelect =
    "SELECT s.codigo, s.proposta, s.seguradora, c.fantasia AS cia, s.efetivacao, "
    "s.vlrcomissionado, sc.nome AS empresa, s.status_prop "
    "FROM seguros s LEFT JOIN clientes c ON c.codigo = s.seguradora "
    "LEFT JOIN seguros_clientes sc ON sc.codigo = s.segurado "
    "WHERE s.tipo = '01' ";

PmeProposal proposalFrom(const Row& r)
{
    PmeProposal p;
    p.code = r["codigo"].toInt();
    p.number = r["proposta"].toString();
    p.insurer = r["seguradora"].toInt();
    p.insurerName = r["cia"].toString();
    p.effective = readDate(r["efetivacao"]).value_or(QDate());
    p.premium = r["vlrcomissionado"].toDouble();
    p.companyName = r["empresa"].toString();
    return p;
}

} // namespace

Result<std::optional<PmeProposal>> loadPmeProposal(Db& db, int code)
{
    auto row = db.selectOne(QString::fromLatin1(kProposalSelect) +
                                QStringLiteral("AND s.codigo = :c"),
                            {{QStringLiteral("c"), code}});
    if (!row)
        return row.error();
    if (!row->has_value())
        return std::optional<PmeProposal>();
    PmeProposal p = proposalFrom(**row);
    auto lives = db.scalar(QStringLiteral("SELECT (SELECT COUNT(*) FROM seguros_idclientes "
                                          "WHERE seguro = :c) + (SELECT COUNT(*) FROM "
                                          "seguros_idterceiros WHERE seguro = :c)"),
                           {{QStringLiteral("c"), code}});
    if (!lives)
        return lives.error();
    p.lives = lives->toInt();
    return std::optional<PmeProposal>(p);
}

Result<PmeBatchOutcome> writeAllPmeReceivables(Db& db, const PmeRunContext& context,
                                               const Progress& progress)
{
    // Set-based reads: the proposals, their lives and the schedules in three queries.
    auto proposals = db.select(QString::fromLatin1(kProposalSelect) +
                               QStringLiteral("AND s.efetivacao IS NOT NULL "
                                              "AND s.efetivacao > '1899/12/30' "
                                              "AND COALESCE(s.status_prop, 0) <> 8 "
                                              "ORDER BY s.codigo"));
    if (!proposals)
        return proposals.error();
    auto lives = db.select(QStringLiteral(
        "SELECT seguro, SUM(n) FROM (SELECT seguro, COUNT(*) AS n FROM seguros_idclientes "
        "GROUP BY seguro UNION ALL SELECT seguro, COUNT(*) FROM seguros_idterceiros "
        "GROUP BY seguro) l GROUP BY seguro"));
    if (!lives)
        return lives.error();
    QHash<int, int> livesBy;
    for (const Row& r : *lives)
        livesBy.insert(r.value(0).toInt(), r.value(1).toInt());
    auto schedules = db.select(QString::fromLatin1(kScheduleSelect));
    if (!schedules)
        return schedules.error();
    QHash<int, BrokerSchedule> scheduleBy;
    for (const Row& r : *schedules) {
        const int insurer = r.value(0).toInt();
        if (!scheduleBy.contains(insurer)) // the first row counts, as a single look-up finds it
            scheduleBy.insert(insurer, scheduleFrom(r));
    }

    PmeBatchOutcome out;
    const QString time = QTime::currentTime().toString(QStringLiteral("hh:mm:ss"));
    const qint64 total = proposals->size();
    qint64 done = 0;
    for (const Row& r : *proposals) {
        PmeProposal p = proposalFrom(r);
        p.lives = livesBy.value(p.code);
        const auto it = scheduleBy.constFind(p.insurer);
        const std::optional<BrokerSchedule> schedule =
            it == scheduleBy.cend() ? std::nullopt : std::optional<BrokerSchedule>(*it);
        auto one = writeLocked(db, p, schedule, context, time);
        if (!one)
            return one.error();
        ++out.proposals;
        out.written += one->written;
        if (!one->stopMessage.isEmpty()) {
            ++out.stopped;
            out.stopMessages << QStringLiteral("%1 (proposta %2)").arg(one->stopMessage, p.number);
        }
        if (++done % 100 == 0 || done == total)
            reportProgress(progress, done, total, QStringLiteral("Gerando parcelas: %1 de %2").arg(done).arg(total));
    }
    return out;
}

} // namespace arvo
