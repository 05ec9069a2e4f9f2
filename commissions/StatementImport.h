#pragma once

#include "commissions/StatementLayout.h"
#include "core/Progress.h"
#include "platform/db/Db.h"

#include <QDate>
#include <QMap>
#include <QString>
#include <QStringList>

namespace arvo {

/// Outcome markers stored in retorno.obs.
inline const QString kCommissionWritten = QStringLiteral("COM.GERADA");
inline const QString kNoCommission = QStringLiteral("SEM COMISSÃO");
inline const QString kNotFound = QStringLiteral("NÃO LOC.");
/// Matched, but the ledger already holds this installment.
inline const QString kAlreadyCredited = QStringLiteral("JÁ CREDITADA");
/// Matched, but the layout's rule gives this installment no commission.
inline const QString kNotCommissionable = QStringLiteral("NÃO COMISSIONÁVEL");

/// The codes and dates one installation's rules name; the defaults are this office's.
struct CommissionRules
{
    int affixInsurerHigh = 48;   ///< AFFIX: 50 % on installment 1, 10 % on installment 2
    int affixInsurerMiddle = 54; ///< AFFIX: 30 % on installment 1
    int affixInsurerLow = 47;    ///< AFFIX: 20 % on installment 1
    int geapLifetimeProducer = 1015; ///< GEAP: producer whose lifetime installments earn 2 %
    int geapSupervisor = 1284;       ///< GEAP: supervisor credited on installments 2 and above
    QStringList geapSupervisorExcludedStates = {QStringLiteral("MA"), QStringLiteral("PI")};
    QDate humanaLifetimeBefore = QDate(2024, 7, 1);     ///< effective before it: lifetime 1.5 %
    QDate sulAmericaLifetimeBefore = QDate(2024, 4, 1); ///< effective before it: 1.5 % above 5
};

/// What the import is asked to do.
struct StatementImportRequest
{
    QString filePath;
    QDate paymentDate;          ///< "Data Crédito": data_pgto of every line
    StatementLayout layout;
    int insurer = 0;            ///< clientes.codigo on the insurer route
    int administrator = 0;      ///< adma.codigo on the administrator route
    QString account;            ///< contascorrente.conta of the credited account; empty for none
    QString user;               ///< audit operator
    int company = 1;            ///< corretora / empresa of new rows
    QDate today;                ///< ledger and audit date; the current date when invalid
    double encPme = 0;          ///< parametros.encPME, percent
    double encInd = 0;          ///< parametros.encInd, percent
    bool dryRun = false;        ///< run everything, then roll it all back
};

struct StatementImportOutcome
{
    int lines = 0;
    int groups = 0;
    QMap<QString, int> outcomes; ///< marker -> groups
    int credits = 0;             ///< conta_produtor credit rows written (supervisor included)
    int charges = 0;             ///< production charge rows written
    int receivablesWritten = 0;
    int receivablesSettled = 0;
    double totalPaid = 0;        ///< sum of valor_doc of the statement
};

/// Imports a statement: reads it with the layout (nothing is written when the file is
/// unreadable or not in the layout), fills retorno, then groups, matches, credits, charges and
/// records the receivable of each group in its own transaction, storing the group's outcome.
/// Only one import runs at a time over the whole database; a second one gets an Error. A
/// failure stops the run: the groups done stay, the failed group leaves nothing, and running
/// the same statement again credits only what is still missing.
Result<StatementImportOutcome> importStatement(Db& db, const StatementImportRequest& request,
                                               const CommissionRules& rules = {},
                                               const Progress& progress = {});

} // namespace arvo
