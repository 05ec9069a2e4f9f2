#include "cli/Commands.h"

#include "core/Parameters.h"
#include "production/PmeReceivables.h"

#include <QElapsedTimer>

namespace arvo::cli {

int pmeReceivables(CliContext& ctx)
{
    const bool all = ctx.isSet(QStringLiteral("all"));
    const QString code = ctx.option(QStringLiteral("proposal"));
    if (all == !code.isEmpty())
        return fail(ctx, Error{QStringLiteral("Informe --proposal CODIGO ou --all."), {}});
    bool numeric = false;
    const int proposalCode = code.toInt(&numeric);
    if (!all && !numeric)
        return fail(ctx, Error{QStringLiteral("Código de proposta inválido: ") + code, {}});

    auto open = ctx.connect(ctx.config.database);
    if (!open)
        return fail(ctx, open.error());
    Db& db = open->db;
    auto params = loadParameters(db);
    if (!params)
        return fail(ctx, params.error());
    PmeRunContext run;
    run.user = ctx.isSet(QStringLiteral("operator")) ? ctx.option(QStringLiteral("operator"))
                                                     : QStringLiteral("ARVO");
    run.bankAccount = params->contaBanco;

    QElapsedTimer timer;
    timer.start();
    if (!all) {
        auto proposal = loadPmeProposal(db, proposalCode);
        if (!proposal)
            return fail(ctx, proposal.error());
        if (!proposal->has_value())
            return fail(ctx, Error{QStringLiteral("Proposta PME %1 não encontrada.").arg(code), {}});
        auto out = writePmeReceivables(db, **proposal, run);
        if (!out)
            return fail(ctx, out.error());
        ctx.out << "parcelas gravadas: " << out->written << "\n"
                << "parcelas já existentes: " << out->alreadyThere << "\n";
        if (!out->stopMessage.isEmpty())
            ctx.out << "interrompido: " << out->stopMessage << "\n";
    } else {
        auto out = writeAllPmeReceivables(db, run, [&ctx](qint64 done, qint64 total, const QString&) {
            if (done == total || done % 1000 == 0) {
                ctx.err << "arvo: " << done << "/" << total << "\n";
                ctx.err.flush();
            }
        });
        if (!out)
            return fail(ctx, out.error());
        ctx.out << "propostas: " << out->proposals << "\n"
                << "parcelas gravadas: " << out->written << "\n"
                << "propostas interrompidas: " << out->stopped << "\n";
        for (const QString& m : out->stopMessages)
            ctx.out << "interrompido: " << m << "\n";
    }
    ctx.err << "arvo: " << timer.elapsed() << " ms\n";
    return 0;
}

} // namespace arvo::cli
