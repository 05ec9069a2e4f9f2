// arvo: database set-up and the batch jobs of Velmor Arvo, over the program's own libraries.

#include "cli/CliContext.h"
#include "cli/Commands.h"

#include <QCoreApplication>

#include <clocale>
#include <cstdio>

using namespace arvo;
using namespace arvo::cli;

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("arvo"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ARVO_VERSION));
    std::setlocale(LC_NUMERIC, "C");

    QTextStream out(stdout);
    QTextStream err(stderr);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Velmor Arvo: ferramenta de linha de comando"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions({
        {QStringLiteral("socket"), QStringLiteral("Unix socket of the server."), QStringLiteral("path")},
        {QStringLiteral("host"), QStringLiteral("Database host."), QStringLiteral("host")},
        {QStringLiteral("port"), QStringLiteral("Database port."), QStringLiteral("port")},
        {QStringLiteral("user"), QStringLiteral("Database user."), QStringLiteral("user")},
        {QStringLiteral("password"), QStringLiteral("Database password."), QStringLiteral("password")},
        {QStringLiteral("database"), QStringLiteral("Database name."), QStringLiteral("name")},
    });
    // Subcommands may share an option (--datadir); declare each name once.
    QStringList declared;
    for (const CommandInfo& c : commands()) {
        for (const QCommandLineOption& o : c.options) {
            if (!declared.contains(o.names().first())) {
                declared << o.names().first();
                parser.addOption(o);
            }
        }
    }
    parser.addPositionalArgument(QStringLiteral("command"), commandSummary());

    if (!parser.parse(app.arguments())) {
        err << "arvo: " << parser.errorText() << "\n";
        return 2;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        out << "arvo " << ARVO_VERSION << "\n";
        return 0;
    }
    const QStringList positional = parser.positionalArguments();
    if (parser.isSet(QStringLiteral("help")) || positional.isEmpty()) {
        out << parser.helpText();
        return positional.isEmpty() && !parser.isSet(QStringLiteral("help")) ? 2 : 0;
    }

    AppConfig config = AppConfig::load();
    bool explicitConnection = !config.usesEmbeddedServer();
    if (parser.isSet(QStringLiteral("host"))) {
        config.host = parser.value(QStringLiteral("host"));
        config.fallbackHost.clear();
        explicitConnection = true;
    }
    if (parser.isSet(QStringLiteral("port")))
        config.port = parser.value(QStringLiteral("port")).toInt();
    if (parser.isSet(QStringLiteral("user")))
        config.user = parser.value(QStringLiteral("user"));
    if (parser.isSet(QStringLiteral("password")))
        config.password = parser.value(QStringLiteral("password"));
    if (parser.isSet(QStringLiteral("database")))
        config.database = parser.value(QStringLiteral("database"));
    const QString socket = parser.value(QStringLiteral("socket"));
    if (!socket.isEmpty()) {
        explicitConnection = true;
        if (!parser.isSet(QStringLiteral("user")))
            config.user = QStringLiteral("root");
    }

    CliContext ctx{parser, config, socket, explicitConnection, out, err};
    const CommandInfo* command = findCommand(positional.first());
    if (!command) {
        err << "arvo: comando desconhecido: " << positional.first() << "\n";
        return 2;
    }
    const int rc = command->run(ctx);
    out.flush();
    err.flush();
    return rc;
}
