#include "commissions/SellerLedger.h"

#include "core/Audit.h"
#include "core/DateValue.h"

namespace arvo {

namespace {

/// FROM and WHERE of the listing; the balance runs over exactly the rows it lists.
QString listingBody(const LedgerFilter& f, bool balanced, Params& params)
{
    QString sql = QStringLiteral(" FROM conta_produtor C, clientes S, seguros_clientes P"
                                 " WHERE C.seguradora = S.codigo AND C.segurado = P.codigo");
    if (f.start.isValid() && f.end.isValid()) {
        sql += QStringLiteral(" AND C.data BETWEEN :start AND :end");
        params.insert(QStringLiteral("start"), dateForSql(f.start));
        params.insert(QStringLiteral("end"), dateForSql(f.end));
    }
    if (balanced) {
        sql += QStringLiteral(" AND C.repasse = :producer");
        params.insert(QStringLiteral("producer"), f.producer);
        if (!f.insured.isEmpty()) {
            sql += QStringLiteral(" AND P.nome LIKE :insured");
            params.insert(QStringLiteral("insured"), f.insured + QLatin1Char('%'));
        }
        return sql;
    }
    if (!f.insured.isEmpty()) {
        sql += QStringLiteral(" AND P.nome LIKE :insured");
        params.insert(QStringLiteral("insured"), QLatin1Char('%') + f.insured + QLatin1Char('%'));
    }
    if (!f.historico.isEmpty()) {
        sql += QStringLiteral(" AND C.historico LIKE :historico");
        params.insert(QStringLiteral("historico"),
                      QLatin1Char('%') + f.historico + QLatin1Char('%'));
    }
    if (!f.proposta.isEmpty()) {
        sql += QStringLiteral(" AND C.proposta = :proposta");
        params.insert(QStringLiteral("proposta"), f.proposta);
    }
    if (!f.apolice.isEmpty()) {
        sql += QStringLiteral(" AND C.apolice = :apolice");
        params.insert(QStringLiteral("apolice"), f.apolice);
    }
    return sql;
}

const char* kListingColumns =
    "SELECT C.codigo, C.producao, C.data, C.segurado, C.seguradora, C.vendedor, C.repasse, "
    "C.comissao, C.desconto, C.premio, C.taxa, C.parcelas, C.apolice, C.historico, C.cancelado, "
    "C.corretora, C.credito, C.debito, C.saldo, S.fantasia, P.nome, C.pago, C.proposta, "
    "C.pgtoem, C.ncheque, C.conta";

} // namespace

Status ledgerHousekeeping(Db& db, const QDate& start, const QDate& end)
{
    Transaction tx(db);
    if (!tx.started())
        return tx.started();
    if (auto r = db.exec(QStringLiteral("UPDATE seguros_clientes SET nome = :busca WHERE codigo = 0"),
                         {{QStringLiteral("busca"), QStringLiteral("N/I")}});
        !r)
        return r.error();
    const Params period = {{QStringLiteral("start"), dateForSql(start)},
                           {QStringLiteral("end"), dateForSql(end)}};
    if (auto r = db.exec(QStringLiteral("DELETE FROM conta_produtor WHERE data BETWEEN :start AND "
                                        ":end AND historico LIKE '%Pgto Com%' AND credito = 0"),
                         period);
        !r)
        return r.error();
    if (auto r = db.exec(QStringLiteral("DELETE FROM conta_produtor WHERE data BETWEEN :start AND "
                                        ":end AND historico LIKE '%Encargos de produção%' "
                                        "AND debito = 0"),
                         period);
        !r)
        return r.error();
    return tx.commit();
}

Result<double> openingBalance(Db& db, int producer, const QDate& start)
{
    auto row = db.selectOne(QStringLiteral("SELECT SUM(credito) AS Credito, SUM(debito) AS Debito "
                                           "FROM conta_produtor WHERE repasse = :r AND data < :d"),
                            {{QStringLiteral("r"), producer}, {QStringLiteral("d"), dateForSql(start)}});
    if (!row)
        return row.error();
    const double credit = qMax(0.0, (**row)["Credito"].toDouble());
    const double debit = qMax(0.0, (**row)["Debito"].toDouble());
    return credit - debit;
}

Result<LedgerListing> listLedger(Db& db, const LedgerFilter& filter)
{
    LedgerListing listing;
    listing.balanced = filter.producer > 0 && filter.start.isValid() && filter.end.isValid();
    Params params;
    const QString body = listingBody(filter, listing.balanced, params);
    if (listing.balanced) {
        auto opening = openingBalance(db, filter.producer, filter.start);
        if (!opening)
            return opening.error();
        listing.openingBalance = *opening;
        Params update = params;
        update.insert(QStringLiteral("opening"), *opening);
        // One statement for the whole running balance, in date-then-code order.
        auto done = db.exec(
            QStringLiteral("UPDATE conta_produtor T JOIN (SELECT C.codigo, :opening + SUM("
                           "COALESCE(C.credito, 0) - COALESCE(C.debito, 0)) OVER (ORDER BY "
                           "C.data, C.codigo) AS running") +
                body + QStringLiteral(") B ON B.codigo = T.codigo SET T.saldo = B.running"),
            update);
        if (!done)
            return done.error();
    }
    auto rows = db.select(QString::fromLatin1(kListingColumns) + body +
                              QStringLiteral(" ORDER BY C.data, C.codigo"),
                          params);
    if (!rows)
        return rows.error();
    listing.rows = std::move(*rows);
    return listing;
}

Result<int> postLedgerEntry(Db& db, const LedgerEntry& e, const QString& user)
{
    Transaction tx(db);
    if (!tx.started())
        return tx.started().error();
    QVariant producao;
    if (e.seguradora && !e.proposta.isEmpty()) {
        auto found = db.scalar(QStringLiteral("SELECT codigo FROM seguros WHERE seguradora = :s "
                                              "AND proposta = :p LIMIT 1"),
                               {{QStringLiteral("s"), *e.seguradora},
                                {QStringLiteral("p"), e.proposta}});
        if (!found)
            return found.error();
        producao = *found;
    }
    auto opt = [](const auto& v) { return v ? QVariant(*v) : QVariant(); };
    const char* payment = e.payment == LedgerPayment::Cash       ? "D"
                          : e.payment == LedgerPayment::Transfer ? "T"
                          : e.payment == LedgerPayment::Cheque   ? "C"
                                                                 : nullptr;
    auto inserted = db.exec(
        QStringLiteral("INSERT INTO conta_produtor (data, segurado, seguradora, producao, vendedor, "
                       "repasse, comissao, desconto, taxa, parcelas, premio, apolice, historico, "
                       "corretora, credito, debito, pgtoem, ncheque, conta) VALUES (:data, "
                       ":segurado, :seguradora, :producao, :producer, :producer, :comissao, "
                       ":desconto, :taxa, :parcelas, :premio, :apolice, :historico, :corretora, "
                       ":credito, :debito, :pgtoem, :ncheque, :conta)"),
        {{QStringLiteral("data"), e.data},
         {QStringLiteral("segurado"), opt(e.segurado)},
         {QStringLiteral("seguradora"), opt(e.seguradora)},
         {QStringLiteral("producao"), producao},
         {QStringLiteral("producer"), e.producer},
         {QStringLiteral("comissao"), opt(e.comissao)},
         {QStringLiteral("desconto"), opt(e.desconto)},
         {QStringLiteral("taxa"), opt(e.taxa)},
         {QStringLiteral("parcelas"), opt(e.parcelas)},
         {QStringLiteral("premio"), e.premio},
         {QStringLiteral("apolice"), e.apolice.left(15)},
         {QStringLiteral("historico"), e.historico.left(50)},
         {QStringLiteral("corretora"), opt(e.corretora)},
         {QStringLiteral("credito"), e.credit ? QVariant(e.valor) : QVariant()},
         {QStringLiteral("debito"), e.credit ? QVariant() : QVariant(e.valor)},
         {QStringLiteral("pgtoem"), payment ? QVariant(QString::fromLatin1(payment)) : QVariant()},
         {QStringLiteral("ncheque"), opt(e.ncheque)},
         {QStringLiteral("conta"), e.conta.isEmpty() ? QVariant() : QVariant(e.conta.left(5))}});
    if (!inserted)
        return inserted.error();
    auto code = db.lastInsertId();
    if (!code)
        return code.error();

    const AuditStamp stamp = AuditStamp::now();
    AuditEntry audit;
    audit.stamp = stamp;
    audit.operador = user;
    audit.rotina = QStringLiteral("CONTA_PRODUTOR");
    audit.operacao = QStringLiteral("I");
    audit.historico = (e.credit ? QStringLiteral("Crédito ") : QStringLiteral("Dédito ")) +
                      e.producerNickname;
    audit.favorecido = e.producer;
    audit.valor = e.valor;
    audit.obs = e.historico;
    if (auto st = writeAudit(db, audit); !st)
        return st.error();

    if (e.payment == LedgerPayment::Cheque) {
        auto posted = db.exec(
            QStringLiteral("INSERT INTO docpagar (fornecedor, fixa, tipo, doc, emissao, vencto, "
                           "valor, obs, Operador, Data_Operacao, Hora_Operacao, vale) VALUES "
                           "(:f, 'N', 'CH', :doc, :d, :d, :v, :obs, :op, :today, :time, 'N')"),
            {{QStringLiteral("f"), e.producer},
             {QStringLiteral("doc"), e.ncheque ? QString::number(*e.ncheque) : QString()},
             {QStringLiteral("d"), e.data},
             {QStringLiteral("v"), e.valor},
             {QStringLiteral("obs"), e.historico.left(120)},
             {QStringLiteral("op"), user.left(20)},
             {QStringLiteral("today"), stamp.date},
             {QStringLiteral("time"), stamp.time}});
        if (!posted)
            return posted.error();
    } else if (e.payment == LedgerPayment::Cash || e.payment == LedgerPayment::Transfer) {
        auto posted = db.exec(
            QStringLiteral("INSERT INTO financeiro (conta, data, doc, historico, tipo, debito, "
                           "Operador, Data_Operacao, Hora_Operacao) VALUES (:conta, :d, :doc, "
                           ":h, 'D', :v, :op, :today, :time)"),
            {{QStringLiteral("conta"), e.conta.isEmpty() ? QVariant() : QVariant(e.conta.left(5))},
             {QStringLiteral("d"), e.data},
             {QStringLiteral("doc"), e.data.toString(QStringLiteral("yyyyMMdd"))},
             {QStringLiteral("h"), (QStringLiteral("Vlr ref pagto ") + e.producerNickname).left(80)},
             {QStringLiteral("v"), e.valor},
             {QStringLiteral("op"), user.left(30)},
             {QStringLiteral("today"), stamp.date},
             {QStringLiteral("time"), stamp.time}});
        if (!posted)
            return posted.error();
    }
    if (auto st = tx.commit(); !st)
        return st.error();
    return int(*code);
}

Result<int> nextReceiptNumber(Db& db)
{
    auto done = db.exec(QStringLiteral("UPDATE parametros SET recibo = "
                                       "LAST_INSERT_ID(COALESCE(recibo, 0) + 1)"));
    if (!done)
        return done.error();
    if (*done == 0)
        return Error{QStringLiteral("Parâmetros não cadastrados."), QStringLiteral("parametros")};
    auto number = db.scalar(QStringLiteral("SELECT LAST_INSERT_ID()"));
    if (!number)
        return number.error();
    return number->toInt();
}

} // namespace arvo
