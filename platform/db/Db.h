#pragma once

#include "platform/db/ConnectionSettings.h"
#include "platform/db/Result.h"

#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

#include <memory>
#include <utility>
#include <optional>

class QSqlQuery;

namespace arvo {

/// Named parameters of a statement, without the leading colon: {{"nome", name}, {"id", 3}}.
using Params = QVariantMap;

/// The session sql_mode every connection runs with, and the stored procedures are created with.
/// Strict: a text longer than its column, an impossible date or a division by zero is refused
/// with an error instead of being stored altered, so nothing is corrupted silently; rules cut
/// texts to their column widths where the design truncates, and multi-step writes run in a
/// transaction so a refusal never leaves an operation half-written. The zero date
/// '0000/00/00' and dates written 'yyyy/mm/dd' are accepted, as the design writes them.
inline constexpr const char* kSqlMode = "STRICT_ALL_TABLES,ERROR_FOR_DIVISION_BY_ZERO,"
                                        "NO_ENGINE_SUBSTITUTION";

/// One row of a result; columns by name (case-insensitive) or by position.
class Row
{
public:
    Row() = default;
    Row(std::shared_ptr<const QHash<QString, int>> index, QVariantList values)
        : m_index(std::move(index)), m_values(std::move(values))
    {
    }

    QVariant value(const QString& column) const;
    QVariant value(int position) const { return m_values.value(position); }
    QVariant operator[](const QString& column) const { return value(column); }
    bool has(const QString& column) const;
    const QVariantList& values() const { return m_values; }

private:
    std::shared_ptr<const QHash<QString, int>> m_index;
    QVariantList m_values;
};

/// All rows of a result, in order.
class Rows
{
public:
    QStringList columns;
    QList<Row> rows;

    qsizetype size() const { return rows.size(); }
    bool isEmpty() const { return rows.isEmpty(); }
    const Row& operator[](qsizetype i) const { return rows[i]; }
    auto begin() const { return rows.begin(); }
    auto end() const { return rows.end(); }
};

class Db;

/// A statement prepared once and executed many times with different parameters.
class Statement
{
public:
    Statement(Statement&&) noexcept;
    Statement& operator=(Statement&&) noexcept;
    ~Statement();

    /// Runs the statement; returns the number of rows affected.
    Result<qint64> exec(const Params& params = {});
    /// Runs the statement and reads every row it returns.
    Result<Rows> select(const Params& params = {});

private:
    friend class Db;
    Statement(std::unique_ptr<QSqlQuery> query, QString sql);
    std::unique_ptr<QSqlQuery> m_query;
    QString m_sql;
};

/// The database handle the rules take. A thin wrapper over one QSqlDatabase connection:
/// every call returns its result or an Error carrying the server's message and the SQL text.
/// Copies share the same connection.
class Db
{
public:
    Db() = default;
    explicit Db(QSqlDatabase database) : m_db(std::move(database)) {}
    Db(const Db&) = default;
    Db& operator=(const Db&) = default;
    // A moved-from handle is empty, so closing it never closes the connection it gave away.
    Db(Db&& other) noexcept : m_db(std::exchange(other.m_db, QSqlDatabase())) {}
    Db& operator=(Db&& other) noexcept
    {
        m_db = std::exchange(other.m_db, QSqlDatabase());
        return *this;
    }

    /// Opens a connection: the first host, then the fallback host on any error. The session
    /// gets kSqlMode and utf8mb4. `connectionName` must be unique in the process.
    static Result<Db> connect(const ConnectionSettings& settings, const QString& connectionName);

    /// Closes the connection and removes it from the process.
    void close();

    bool isOpen() const { return m_db.isOpen(); }
    QSqlDatabase& handle() { return m_db; }
    QString connectionName() const { return m_db.connectionName(); }
    QString databaseName() const;

    /// Runs one statement with named parameters; returns the number of rows affected.
    Result<qint64> exec(const QString& sql, const Params& params = {});
    /// Runs a statement without preparing it (DDL, CREATE PROCEDURE, a CALL that returns rows).
    /// Never put typed text into `sql`; use quote() for values.
    Status execRaw(const QString& sql);
    /// Runs a query and reads every row.
    Result<Rows> select(const QString& sql, const Params& params = {});
    /// The first row, or nothing when the query returns no row.
    Result<std::optional<Row>> selectOne(const QString& sql, const Params& params = {});
    /// The first column of the first row; a null QVariant when there is no row.
    Result<QVariant> scalar(const QString& sql, const Params& params = {});
    /// Calls a stored procedure that returns no rows, binding the parameters in the order of
    /// `names`: CALL procedure(:n1, :n2, ...).
    Status call(const QString& procedure, const QStringList& names, const Params& params);
    /// The key the last insert of this connection assigned.
    Result<qint64> lastInsertId();
    /// Prepares a statement for repeated execution.
    Result<Statement> prepare(const QString& sql);

    /// A value written as an SQL literal by the driver (quoted and escaped text, numbers with a
    /// decimal point, NULL).
    QString quote(const QVariant& value) const;
    /// An identifier quoted with back-ticks (database and table names).
    static QString quoteName(const QString& name);

    Status begin();
    Status commit();
    Status rollback();

private:
    QSqlDatabase m_db;
};

/// A transaction that rolls back unless commit() is called.
class Transaction
{
public:
    explicit Transaction(Db& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    /// Whether the transaction could be started; the error says why not.
    const Status& started() const { return m_started; }
    Status commit();

private:
    Db& m_db;
    Status m_started;
    bool m_active = false;
};

/// Reads every row of an executed query.
Rows readRows(QSqlQuery& query);
/// The error of a query as a value.
Error queryError(const QSqlQuery& query, const QString& sql);

} // namespace arvo
