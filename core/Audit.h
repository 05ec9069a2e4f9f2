#pragma once

#include "platform/db/Db.h"

#include <QDate>
#include <QDateTime>
#include <QString>

namespace arvo {

/// When an audited operation happened: taken once per operation, so every row the operation
/// writes carries the same date and time.
struct AuditStamp
{
    QDate date;
    QString time; ///< hh:mm:ss

    static AuditStamp at(const QDateTime& moment);
    static AuditStamp now() { return at(QDateTime::currentDateTime()); }
};

/// One row of the audit trail `rastro`.
struct AuditEntry
{
    AuditStamp stamp;
    QString operador;   ///< the current user name
    QString rotina;     ///< fixed routine name, e.g. "CLIENTE"
    QString operacao;   ///< A, B, C, E, I or R
    QString historico;  ///< as a rule the record's name
    qint64 favorecido = 0;
    double valor = 0;
    QString obs;
};

/// How the row is appended: through the procedure sp_i_rastro, or by a direct insert into
/// rastro (the way the user registry, the bank accounts and the cash-flow report use).
enum class AuditWay { Procedure, DirectInsert };

/// Appends one audit row. Texts are cut to their column widths (rotina 15, historico 70,
/// obs 70, operador 30, hora 10, operacao 1), so a long name never makes the audit fail.
/// Both ways store the same row. The error of a failed write is returned to the caller.
Status writeAudit(Db& db, const AuditEntry& entry, AuditWay way = AuditWay::Procedure);

} // namespace arvo
