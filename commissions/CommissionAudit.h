#pragma once

#include "platform/db/Db.h"

#include <QDate>
#include <QString>

namespace arvo {

/// One audit row as the commission rules write it.
struct CommissionAuditRow
{
    QDate date;
    QString time; ///< hh:mm:ss
    QString user;
    QString operation; ///< one letter: I, B ...
    QString routine;
    QString history;
    int beneficiary = 0;
    double value = 0; ///< reais
    QString obs;
};

/// Appends an audit row, texts cut to their column widths. The commission rules write their
/// audit rows only through here, so the shared audit writer can take its place in one step.
Status writeCommissionAudit(Db& db, const CommissionAuditRow& row);

} // namespace arvo
