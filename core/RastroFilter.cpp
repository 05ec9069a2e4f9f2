#include "core/RastroFilter.h"

#include "core/InputHelpers.h"

#include <QDate>

namespace arvo {

bool rastroFilterReady(const RastroFilter& f)
{
    return !isEmptyDateText(f.dataInicial) && !isEmptyDateText(f.dataFinal);
}

QStringList rastroOperations()
{
    return {QStringLiteral("ALTERAÇÃO"), QStringLiteral("BAIXA"), QStringLiteral("CANCELAMENTO"),
            QStringLiteral("EXCLUSÃO"),  QStringLiteral("INCLUSÃO"), QStringLiteral("RELATÓRIO")};
}

Result<SqlQuery> rastroFilterQuery(const RastroFilter& f)
{
    const QDate start = QDate::fromString(f.dataInicial, QStringLiteral("dd/MM/yyyy"));
    const QDate end = QDate::fromString(f.dataFinal, QStringLiteral("dd/MM/yyyy"));
    if (!start.isValid() || !end.isValid())
        return Error{QStringLiteral("Data Inválida!"), f.dataInicial + " - " + f.dataFinal};

    SqlQuery q;
    QStringList lines{QStringLiteral("select * from rastro"),
                      QStringLiteral("where (data between :inicio and :fim)")};
    q.params = {{"inicio", start}, {"fim", end}};
    if (!f.operador.trimmed().isEmpty()) {
        lines << QStringLiteral("and (operador = :operador)");
        q.params["operador"] = f.operador;
    }
    if (!f.rotina.isEmpty()) {
        lines << QStringLiteral("and (rotina = :rotina)");
        q.params["rotina"] = f.rotina;
    }
    if (!f.operacao.trimmed().isEmpty()) {
        lines << QStringLiteral("and (operacao = :operacao)");
        q.params["operacao"] = f.operacao.trimmed().left(1);
    }
    if (!f.historico.isEmpty()) {
        lines << QStringLiteral("and (historico like :historico)");
        q.params["historico"] = QString(u'%' + f.historico + u'%');
    }
    if (!f.obs.isEmpty()) {
        lines << QStringLiteral("and (obs like :obs)");
        q.params["obs"] = QString(u'%' + f.obs + u'%');
    }
    if (!f.valor.trimmed().isEmpty()) {
        bool ok = false;
        const double value = numberTextForSql(f.valor.trimmed()).toDouble(&ok);
        if (!ok)
            return Error{QStringLiteral("'%1' não é um valor válido").arg(f.valor), {}};
        lines << QStringLiteral("and (valor = :valor)");
        q.params["valor"] = value;
    }
    lines << QStringLiteral("order by data,operador");
    q.sql = lines.join(u'\n');
    return q;
}

Result<Rows> findRastro(Db& db, const RastroFilter& filter)
{
    auto query = rastroFilterQuery(filter);
    if (!query)
        return query.error();
    return db.select(query->sql, query->params);
}

} // namespace arvo
