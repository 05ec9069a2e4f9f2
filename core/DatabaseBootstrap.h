#pragma once

#include "core/AppConfig.h"
#include "core/Progress.h"
#include "platform/db/Db.h"
#include "platform/db/PrivateServer.h"

#include <memory>

namespace arvo {

/// An open connection to the program's database and, for the embedded default, the private
/// server it runs on (stopped when this is destroyed).
struct OpenDatabase
{
    Db db;
    std::unique_ptr<PrivateServer> server;

    OpenDatabase() = default;
    OpenDatabase(OpenDatabase&&) noexcept = default;
    OpenDatabase& operator=(OpenDatabase&&) noexcept = default;
    ~OpenDatabase();
};

/// Creates `database` from the schema on the server `db` is connected to, with a first user
/// holding every permission. The connection then uses `database`.
Status initDatabase(Db& db, const QString& database, const QString& admin,
                    const QString& adminPassword);

/// Opens the configured database: the configured host, then its fallback. With no host
/// configured, starts the private server in the configured data folder and, on first start,
/// creates the database with the user ADMIN, password ADMIN.
Result<OpenDatabase> openDatabase(const AppConfig& config, const QString& connectionName,
                                  const Progress& progress = {});

} // namespace arvo
