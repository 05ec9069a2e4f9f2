#pragma once

#include "platform/db/Db.h"

#include <QPair>
#include <QStringList>

namespace arvo {

/// Splits an SQL script into statements at the current delimiter (";" unless a
/// "DELIMITER x" line changes it, as the mysql client does). Comments are dropped; quoted
/// texts are kept whole.
QStringList splitSqlScript(const QString& script);

/// The schema scripts built into the program, as (file name, text), in load order.
QList<QPair<QString, QString>> schemaScripts();

/// Creates database `name` (utf8mb4) on the server `db` is connected to and runs every schema
/// script in it. The connection's current database becomes `name`. Fails if it exists.
Status createDatabaseFromSchema(Db& db, const QString& name);

/// Whether database `name` exists on the server.
Result<bool> databaseExists(Db& db, const QString& name);

} // namespace arvo
