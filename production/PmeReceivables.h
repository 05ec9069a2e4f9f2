#pragma once

#include "core/Progress.h"
#include "platform/db/Db.h"

#include <QDate>
#include <QList>
#include <QString>

#include <optional>

namespace arvo {

/// What the receivables of a PME proposal are computed from.
struct PmeProposal
{
    int code = 0;          ///< seguros.codigo
    QString number;        ///< proposal number (docreceber.doc)
    int insurer = 0;       ///< clientes.codigo
    QString insurerName;   ///< the insurer as the screen shows it
    QDate effective;       ///< effective date
    double premium = 0;    ///< commission base, reais
    QString companyName;   ///< the insured company
    int lives = 0;         ///< holder plus dependant links
};

/// The brokerage's own schedule for an insurer, line "01".
struct BrokerSchedule
{
    double com[5] = {0, 0, 0, 0, 0}; ///< percent on installments 1 to 5
    bool lifetime = false;           ///< vitalicio = "S"
};

/// One expected installment, or none when no rule gives it an amount.
struct PlannedInstallment
{
    int parc = 0;
    bool hasAmount = false;
    double valor = 0;
    double liquido = 0;
    QDate vencto;
    /// First installments recorded as received (in full or at nil): paid on `vencto`.
    bool settled = false;
    double valorpago = 0;
};

/// How many installments an insurer's PME receivables have.
int pmeInstallmentCount(const QString& insurerName);

/// Every installment 1..N of the proposal with its amounts.
QList<PlannedInstallment> planPmeReceivables(const PmeProposal& proposal,
                                             const std::optional<BrokerSchedule>& schedule);

struct PmeReceivablesOutcome
{
    int written = 0;
    int alreadyThere = 0;
    /// Set when an installment without an amount ended the run: the insurer's name, the
    /// message the screen shows. Installments written before it stay.
    QString stopMessage;
};

struct PmeRunContext
{
    QString user;         ///< audit operator
    int company = 1;      ///< docreceber.empresa
    QString bankAccount;  ///< parametros.ContaBanco
    QDate today;          ///< audit date; the current date when invalid
};

/// Writes the installments the proposal does not have yet (by insurer, proposal number and
/// installment), in order, each with its audit row, and stops at the first one without an
/// amount. Safe against a second seat doing the same at once.
Result<PmeReceivablesOutcome> writePmeReceivables(Db& db, const PmeProposal& proposal,
                                                  const PmeRunContext& context);

/// Loads a PME proposal (line "01") with its insurer name and lives; nothing when the code
/// is not a PME proposal.
Result<std::optional<PmeProposal>> loadPmeProposal(Db& db, int code);

struct PmeBatchOutcome
{
    int proposals = 0;
    int written = 0;
    int stopped = 0; ///< proposals that ended at an installment without an amount
    QStringList stopMessages;
};

/// Runs the receivables of every PME proposal with an effective date that is not cancelled.
Result<PmeBatchOutcome> writeAllPmeReceivables(Db& db, const PmeRunContext& context,
                                               const Progress& progress = {});

} // namespace arvo
