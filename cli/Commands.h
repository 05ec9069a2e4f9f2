#pragma once

#include "cli/CliContext.h"

#include <QCommandLineOption>
#include <QList>

namespace arvo::cli {

struct CommandInfo
{
    QString name;
    QString usage; ///< one line for the help text
    QList<QCommandLineOption> options;
    Command run;
};

/// Every subcommand; a batch job adds its entry here.
const QList<CommandInfo>& commands();
const CommandInfo* findCommand(const QString& name);
QString commandSummary();

// Subcommands, one file each.
int initDb(CliContext& ctx);
int serve(CliContext& ctx);
int stopServer(CliContext& ctx);
int pmeReceivables(CliContext& ctx);
int importStatement(CliContext& ctx);

} // namespace arvo::cli
