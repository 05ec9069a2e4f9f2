#include "core/Audit.h"

#include <QStringList>

namespace arvo {

AuditStamp AuditStamp::at(const QDateTime& moment)
{
    return {moment.date(), moment.time().toString(QStringLiteral("HH:mm:ss"))};
}

namespace {

// Parameter names in the order the procedure takes them.
const QStringList kProcedureNames{"r_data",      "r_hora",       "r_operador",
                                  "r_rotina",    "r_operacao",   "r_historico",
                                  "r_favorecido", "r_valor",      "r_obs"};

Params auditParams(const AuditEntry& e)
{
    return {{"r_data", e.stamp.date},
            {"r_hora", e.stamp.time.left(10)},
            {"r_operador", e.operador.left(30)},
            {"r_rotina", e.rotina.left(15)},
            {"r_operacao", e.operacao.left(1)},
            {"r_historico", e.historico.left(70)},
            {"r_favorecido", e.favorecido},
            {"r_valor", e.valor},
            {"r_obs", e.obs.left(70)}};
}

} // namespace

Status writeAudit(Db& db, const AuditEntry& entry, AuditWay way)
{
    const Params params = auditParams(entry);
    if (way == AuditWay::Procedure)
        return db.call(QStringLiteral("sp_i_rastro"), kProcedureNames, params);
    auto inserted = db.exec(
        QStringLiteral("insert into rastro (data, hora, operador, rotina, operacao, historico, "
                       "favorecido, valor, obs) values (:r_data, :r_hora, :r_operador, "
                       ":r_rotina, :r_operacao, :r_historico, :r_favorecido, :r_valor, :r_obs)"),
        params);
    if (!inserted)
        return inserted.error();
    return {};
}

} // namespace arvo
