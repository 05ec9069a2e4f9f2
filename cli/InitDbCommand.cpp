#include "cli/Commands.h"

#include <QElapsedTimer>

namespace arvo::cli {

int initDb(CliContext& ctx)
{
    const QString database = ctx.config.database;
    const QString admin = ctx.isSet(QStringLiteral("admin")) ? ctx.option(QStringLiteral("admin"))
                                                             : QStringLiteral("ADMIN");
    const QString password = ctx.isSet(QStringLiteral("admin-password"))
                                 ? ctx.option(QStringLiteral("admin-password"))
                                 : QStringLiteral("ADMIN");
    if (admin.trimmed().isEmpty() || password.isEmpty())
        return fail(ctx, Error{QStringLiteral("--admin e --admin-password não podem ser vazios."), {}});
    if (password.size() > 6)
        return fail(ctx, Error{QStringLiteral("A senha tem no máximo 6 caracteres."), {}});

    QElapsedTimer timer;
    timer.start();
    auto open = ctx.connect(QString());
    if (!open)
        return fail(ctx, open.error());
    if (auto st = initDatabase(open->db, database, admin, password); !st)
        return fail(ctx, st.error());
    ctx.out << "banco " << database << " criado com o usuário " << admin.trimmed().toUpper()
            << " em " << timer.elapsed() << " ms\n";
    return 0;
}

} // namespace arvo::cli
