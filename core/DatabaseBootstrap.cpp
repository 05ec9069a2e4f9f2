#include "core/DatabaseBootstrap.h"

#include "core/Users.h"
#include "platform/db/SchemaLoader.h"

namespace arvo {

OpenDatabase::~OpenDatabase()
{
    // Close the connection before the server it runs on goes away.
    if (server && db.isOpen())
        db.close();
}

Status initDatabase(Db& db, const QString& database, const QString& admin,
                    const QString& adminPassword)
{
    auto existing = databaseExists(db, database);
    if (!existing)
        return existing.error();
    if (*existing)
        return Error{QStringLiteral("O banco de dados %1 já existe.").arg(database), {}};
    Status st = createDatabaseFromSchema(db, database);
    if (st)
        st = createFullAccessUser(db, admin, adminPassword);
    if (!st) {
        // Leave no half-made database behind: the next start must create it again.
        (void)db.execRaw(QStringLiteral("DROP DATABASE IF EXISTS ") + Db::quoteName(database));
    }
    return st;
}

Result<OpenDatabase> openDatabase(const AppConfig& config, const QString& connectionName,
                                  const Progress& progress)
{
    OpenDatabase open;
    if (!config.usesEmbeddedServer()) {
        reportProgress(progress, 0, 0, QStringLiteral("Conectando ao banco de dados..."));
        auto db = Db::connect(config.connection(), connectionName);
        if (!db)
            return db.error();
        open.db = std::move(*db);
        return open;
    }

    reportProgress(progress, 0, 0, QStringLiteral("Iniciando o banco de dados local..."));
    open.server = std::make_unique<PrivateServer>(config.embeddedDataDir);
    if (auto st = open.server->start(); !st)
        return st.error();
    auto db = Db::connect(open.server->settings(), connectionName);
    if (!db)
        return db.error();
    auto exists = databaseExists(*db, config.database);
    if (!exists)
        return exists.error();
    if (!*exists) {
        reportProgress(progress, 0, 0, QStringLiteral("Criando o banco de dados..."));
        if (auto st = initDatabase(*db, config.database, QStringLiteral("ADMIN"),
                                   QStringLiteral("ADMIN"));
            !st)
            return st.error();
    }
    db->close();
    auto final = Db::connect(open.server->settings(config.database), connectionName);
    if (!final)
        return final.error();
    open.db = std::move(*final);
    return open;
}

} // namespace arvo
