#include "cli/Commands.h"

#include "commissions/StatementImport.h"
#include "core/Parameters.h"

#include <QElapsedTimer>

namespace arvo::cli {

namespace {

/// The code of a registered row found by its name; nothing when it is not registered.
Result<std::optional<QVariant>> codeByName(Db& db, const QString& sql, const QString& name)
{
    auto row = db.selectOne(sql, {{QStringLiteral("n"), name}});
    if (!row)
        return row.error();
    if (!row->has_value())
        return std::optional<QVariant>();
    return std::optional<QVariant>((**row).value(0));
}

} // namespace

int importStatement(CliContext& ctx)
{
    const QString insurer = ctx.option(QStringLiteral("insurer"));
    const QString administrator = ctx.option(QStringLiteral("administrator"));
    const bool multi = ctx.isSet(QStringLiteral("multi"));
    if (int(!insurer.isEmpty()) + int(!administrator.isEmpty()) + int(multi) != 1)
        return fail(ctx, Error{QStringLiteral("Informe uma origem: --insurer NOME, --administrator "
                                              "NOME ou --multi."),
                               {}});
    const QString file = ctx.option(QStringLiteral("file"));
    if (file.isEmpty())
        return fail(ctx, Error{QStringLiteral("Informe o arquivo do extrato: --file CAMINHO."), {}});
    const QDate date = QDate::fromString(ctx.option(QStringLiteral("date")), QStringLiteral("dd/MM/yyyy"));
    if (!date.isValid())
        return fail(ctx, Error{QStringLiteral("Data Inválida!"),
                               QStringLiteral("--date DD/MM/AAAA")});

    auto open = ctx.connect(ctx.config.database);
    if (!open)
        return fail(ctx, open.error());
    Db& db = open->db;
    auto params = loadParameters(db);
    if (!params)
        return fail(ctx, params.error());

    StatementImportRequest req;
    req.filePath = file;
    req.paymentDate = date;
    req.encPme = params->encPme;
    req.encInd = params->encInd;
    req.dryRun = ctx.isSet(QStringLiteral("dry-run"));
    req.user = ctx.isSet(QStringLiteral("operator")) ? ctx.option(QStringLiteral("operator"))
                                                     : QStringLiteral("ARVO");
    if (!insurer.isEmpty()) {
        auto code = codeByName(db, QStringLiteral("SELECT codigo FROM clientes WHERE fantasia = :n "
                                                  "ORDER BY codigo LIMIT 1"),
                               insurer);
        if (!code)
            return fail(ctx, code.error());
        if (!code->has_value())
            return fail(ctx, Error{QStringLiteral("Seguradora não Cadastrada!"), insurer});
        req.insurer = (**code).toInt();
        auto layout = insurerLayout(insurer, ctx.isSet(QStringLiteral("old-layout")),
                                    ctx.isSet(QStringLiteral("pme")));
        if (!layout)
            return fail(ctx, Error{QStringLiteral("Não há layout de extrato para a seguradora %1; "
                                                  "nada foi importado.")
                                       .arg(insurer),
                                   {}});
        req.layout = *layout;
    } else if (!administrator.isEmpty()) {
        auto code = codeByName(db, QStringLiteral("SELECT codigo FROM adma WHERE nome = :n AND "
                                                  "ativo = 'S' ORDER BY codigo LIMIT 1"),
                               administrator);
        if (!code)
            return fail(ctx, code.error());
        if (!code->has_value())
            return fail(ctx, Error{QStringLiteral("Administradora não Cadastrada!"), administrator});
        req.administrator = (**code).toInt();
        auto layout = administratorLayout(administrator);
        if (!layout)
            return fail(ctx, Error{QStringLiteral("Não há layout de extrato para a administradora "
                                                  "%1; nada foi importado.")
                                       .arg(administrator),
                                   {}});
        req.layout = *layout;
    } else {
        req.layout = multiInsurerLayout();
    }

    // The credited account: the one named, else the office's bank account when registered.
    const QString description = ctx.option(QStringLiteral("account"));
    if (!description.isEmpty()) {
        auto code = codeByName(db, QStringLiteral("SELECT conta FROM contascorrente WHERE "
                                                  "descricao = :n ORDER BY conta LIMIT 1"),
                               description);
        if (!code)
            return fail(ctx, code.error());
        if (!code->has_value())
            return fail(ctx, Error{QStringLiteral("Conta não Cadastrada"), description});
        req.account = (**code).toString();
    } else if (!params->contaBanco.isEmpty()) {
        auto code = codeByName(db, QStringLiteral("SELECT conta FROM contascorrente WHERE conta = :n"),
                               params->contaBanco);
        if (!code)
            return fail(ctx, code.error());
        if (code->has_value())
            req.account = (**code).toString();
    }

    QElapsedTimer timer;
    timer.start();
    auto out = arvo::importStatement(db, req, {}, [&ctx](qint64 done, qint64 total, const QString&) {
        if (total > 0 && done > 0 && done % 1000 == 0) {
            ctx.err << "arvo: " << done << "/" << total << "\n";
            ctx.err.flush();
        }
    });
    if (!out)
        return fail(ctx, out.error());
    ctx.out << "linhas: " << out->lines << "\n"
            << "grupos: " << out->groups << "\n";
    for (auto it = out->outcomes.cbegin(); it != out->outcomes.cend(); ++it)
        ctx.out << it.key() << ": " << it.value() << "\n";
    ctx.out << "créditos: " << out->credits << "\n"
            << "encargos: " << out->charges << "\n"
            << "recebimentos gravados: " << out->receivablesWritten << "\n"
            << "recebimentos baixados: " << out->receivablesSettled << "\n"
            << "total pago: " << QString::number(out->totalPaid, 'f', 2) << "\n";
    if (req.dryRun)
        ctx.out << "simulação: nada foi gravado\n";
    ctx.err << "arvo: " << timer.elapsed() << " ms\n";
    return 0;
}

} // namespace arvo::cli
