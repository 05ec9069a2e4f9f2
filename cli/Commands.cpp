#include "cli/Commands.h"

namespace arvo::cli {

namespace {

QCommandLineOption valueOption(const char* name, const char* help, const char* value)
{
    return QCommandLineOption(QString::fromLatin1(name), QString::fromLatin1(help),
                              QString::fromLatin1(value));
}

QCommandLineOption flagOption(const char* name, const char* help)
{
    return QCommandLineOption(QString::fromLatin1(name), QString::fromLatin1(help));
}

} // namespace

const QList<CommandInfo>& commands()
{
    static const QList<CommandInfo> list = {
        {QStringLiteral("init-db"),
         QStringLiteral("init-db [--database NAME] [--admin NAME --admin-password P]"),
         {valueOption("admin", "First user of a new database (default ADMIN).", "name"),
          valueOption("admin-password", "Password of the first user (default ADMIN).",
                      "password")},
         &initDb},
        {QStringLiteral("serve"), QStringLiteral("serve [--datadir DIR] [--detach] [--fast] [--tcp-port N|auto]"),
         {valueOption("datadir", "Data folder of the private server.", "dir"),
          flagOption("detach", "Leave the server running in the background."),
          flagOption("fast", "Trade durability for speed (tests, benchmarks)."),
          valueOption("tcp-port", "Also listen on 127.0.0.1 at this port (or auto).", "port")},
         &serve},
        {QStringLiteral("stop-server"), QStringLiteral("stop-server [--datadir DIR]"), {},
         &stopServer},
        {QStringLiteral("pme-receivables"),
         QStringLiteral("pme-receivables (--proposal CODE | --all) [--operator NAME]"),
         {valueOption("proposal", "Proposal code.", "code"),
          flagOption("all", "Every PME proposal with an effective date."),
          valueOption("operator", "User name written in the audit rows (default ARVO).", "name")},
         &pmeReceivables},
        {QStringLiteral("import-statement"),
         QStringLiteral("import-statement (--insurer NAME | --administrator NAME | --multi) --file PATH "
                        "--date DD/MM/YYYY [--account DESCRIPTION] [--pme] [--old-layout] [--dry-run] "
                        "[--operator NAME]"),
         {valueOption("insurer", "Insurer (clientes.fantasia) whose statement this is.", "name"),
          valueOption("administrator", "Administrator (adma.nome) whose statement this is.", "name"),
          flagOption("multi", "The multi-insurer sheet."),
          valueOption("file", "Statement workbook.", "path"),
          valueOption("date", "Payment date of the statement.", "dd/mm/yyyy"),
          valueOption("account", "Credited bank account (description).", "description"),
          flagOption("pme", "HAPVIDA: the PME key column."),
          flagOption("old-layout", "HUMANA: the old layout."),
          flagOption("dry-run", "Run the whole import, then write nothing."),
          valueOption("operator", "User name written in the audit rows (default ARVO).", "name")},
         &importStatement},
    };
    return list;
}

const CommandInfo* findCommand(const QString& name)
{
    for (const CommandInfo& c : commands()) {
        if (c.name == name)
            return &c;
    }
    return nullptr;
}

QString commandSummary()
{
    QStringList lines;
    for (const CommandInfo& c : commands())
        lines << c.usage;
    return lines.join(QStringLiteral("\n"));
}

int fail(CliContext& ctx, const Error& error)
{
    QString line = error.message;
    if (!error.detail.isEmpty())
        line += QStringLiteral(" (") + QString(error.detail).replace(QLatin1Char('\n'), QLatin1String("; ")) + QStringLiteral(")");
    ctx.err << "arvo: " << line << "\n";
    ctx.err.flush();
    return 1;
}

Result<OpenDatabase> CliContext::connect(const QString& database) const
{
    const QString name = QStringLiteral("arvo_cli");
    if (!socket.isEmpty()) {
        ConnectionSettings s;
        s.unixSocket = socket;
        s.user = config.user;
        s.password = config.password;
        s.database = database;
        auto db = Db::connect(s, name);
        if (!db)
            return db.error();
        OpenDatabase open;
        open.db = std::move(*db);
        return open;
    }
    AppConfig c = config;
    c.database = database;
    if (!c.usesEmbeddedServer() || database.isEmpty()) {
        if (c.usesEmbeddedServer()) {
            // The embedded server, reached without selecting a database.
            OpenDatabase open;
            open.server = std::make_unique<PrivateServer>(c.embeddedDataDir);
            if (auto st = open.server->start(); !st)
                return st.error();
            auto db = Db::connect(open.server->settings(), name);
            if (!db)
                return db.error();
            open.db = std::move(*db);
            return open;
        }
        auto s = c.connection();
        auto db = Db::connect(s, name);
        if (!db)
            return db.error();
        OpenDatabase open;
        open.db = std::move(*db);
        return open;
    }
    return openDatabase(c, name);
}

} // namespace arvo::cli
