#pragma once

#include "core/AppConfig.h"
#include "core/DatabaseBootstrap.h"
#include "platform/db/Db.h"

#include <QCommandLineParser>
#include <QTextStream>

namespace arvo::cli {

/// What every subcommand gets: the parsed command line, the configuration (already overridden
/// by the connection options) and the output streams.
struct CliContext
{
    QCommandLineParser& parser;
    AppConfig config;
    QString socket;         ///< --socket: a server reached over a Unix socket
    bool explicitConnection; ///< a host or socket was given on the command line or in the INI
    QTextStream& out;
    QTextStream& err;

    QString option(const QString& name) const { return parser.value(name); }
    bool isSet(const QString& name) const { return parser.isSet(name); }

    /// Connects to the server: the socket, the configured hosts, or the embedded default
    /// (started for the duration of the command). `database` empty connects to no database.
    Result<OpenDatabase> connect(const QString& database) const;
};

using Command = int (*)(CliContext&);

/// Prints "arvo: message (detail)" on one line and returns the failure exit code.
int fail(CliContext& ctx, const Error& error);

} // namespace arvo::cli
