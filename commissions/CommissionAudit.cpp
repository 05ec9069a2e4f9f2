#include "commissions/CommissionAudit.h"

namespace arvo {

Status writeCommissionAudit(Db& db, const CommissionAuditRow& row)
{
    auto st = db.exec(QStringLiteral("INSERT INTO rastro (data, hora, operador, operacao, rotina, "
                                     "historico, favorecido, valor, obs) VALUES (:d, :h, :u, :o, "
                                     ":r, :hi, :f, :v, :ob)"),
                      {{QStringLiteral("d"), row.date},
                       {QStringLiteral("h"), row.time.left(10)},
                       {QStringLiteral("u"), row.user.left(30)},
                       {QStringLiteral("o"), row.operation.left(1)},
                       {QStringLiteral("r"), row.routine.left(15)},
                       {QStringLiteral("hi"), row.history.left(70)},
                       {QStringLiteral("f"), row.beneficiary},
                       {QStringLiteral("v"), row.value},
                       {QStringLiteral("ob"), row.obs.left(70)}});
    if (!st)
        return st.error();
    return {};
}

} // namespace arvo
