#include "cli/Commands.h"

#include "platform/db/PrivateServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <QElapsedTimer>
#include <QTimer>

#include <atomic>
#include <csignal>

namespace arvo::cli {

namespace {

std::atomic_bool g_stop{false};

extern "C" void onSignal(int)
{
    g_stop = true;
}

QString dataDir(CliContext& ctx)
{
    return ctx.isSet(QStringLiteral("datadir")) ? ctx.option(QStringLiteral("datadir"))
                                                : ctx.config.embeddedDataDir;
}

/// --tcp-port N, or "auto" for a free loopback port.
Result<int> tcpPort(CliContext& ctx)
{
    if (!ctx.isSet(QStringLiteral("tcp-port")))
        return 0;
    const QString value = ctx.option(QStringLiteral("tcp-port"));
    int port = value.toInt();
    if (value == QLatin1String("auto")) {
        QTcpServer probe;
        if (!probe.listen(QHostAddress::LocalHost, 0))
            return Error{QStringLiteral("Nenhuma porta livre."), probe.errorString()};
        port = probe.serverPort();
    }
    if (port <= 0 || port > 65535)
        return Error{QStringLiteral("Porta inválida: ") + value, {}};
    return port;
}

// Written once the server runs: setting up a new data folder replaces the whole folder.
void writeTcpPort(const QString& dir, int port)
{
    if (port <= 0)
        return;
    QFile f(QDir(dir).filePath(QStringLiteral("tcp-port")));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(QByteArray::number(port));
}

} // namespace

int serve(CliContext& ctx)
{
    const QString dir = dataDir(ctx);
    PrivateServer::Options options;
    options.durable = !ctx.isSet(QStringLiteral("fast"));
    auto port = tcpPort(ctx);
    if (!port)
        return fail(ctx, port.error());
    options.port = *port;
    QElapsedTimer timer;
    timer.start();
    if (ctx.isSet(QStringLiteral("detach"))) {
        if (auto st = PrivateServer::startDetached(dir, options); !st)
            return fail(ctx, st.error());
        writeTcpPort(dir, *port);
        ctx.out << PrivateServer::socketPathFor(dir) << "\n";
        ctx.err << "arvo: servidor pronto em " << timer.elapsed() << " ms\n";
        return 0;
    }
    PrivateServer server(dir, options);
    if (auto st = server.start(); !st)
        return fail(ctx, st.error());
    writeTcpPort(dir, *port);
    ctx.out << server.socketPath() << "\n";
    ctx.out.flush();
    ctx.err << "arvo: servidor pronto em " << timer.elapsed() << " ms; Ctrl+C termina\n";
    ctx.err.flush();

    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&server] {
        if (g_stop || !server.isRunning())
            QCoreApplication::quit();
    });
    poll.start(100);
    QCoreApplication::exec();
    const bool crashed = !g_stop;
    if (auto st = server.stop(); !st)
        return fail(ctx, st.error());
    if (crashed)
        return fail(ctx, Error{QStringLiteral("O servidor de banco de dados terminou sozinho."), {}});
    return 0;
}

int stopServer(CliContext& ctx)
{
    if (auto st = PrivateServer::stopDataDir(dataDir(ctx)); !st)
        return fail(ctx, st.error());
    return 0;
}

} // namespace arvo::cli
