#include "platform/db/Db.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

namespace arvo {

namespace {

Error sqlError(const QSqlError& error, const QString& sql)
{
    QString server = error.databaseText().trimmed();
    if (server.isEmpty())
        server = error.driverText().trimmed();
    QString detail = sql.trimmed();
    if (!error.nativeErrorCode().isEmpty())
        detail = QStringLiteral("[%1] %2").arg(error.nativeErrorCode(), detail);
    return Error{QStringLiteral("Erro no banco de dados: ") + server, detail};
}

bool mentions(const QString& sql, const QString& name)
{
    const QString placeholder = QLatin1Char(':') + name;
    qsizetype from = 0;
    while ((from = sql.indexOf(placeholder, from, Qt::CaseSensitive)) >= 0) {
        const qsizetype end = from + placeholder.size();
        if (end >= sql.size() || !(sql[end].isLetterOrNumber() || sql[end] == QLatin1Char('_')))
            return true;
        from = end;
    }
    return false;
}

void bindAll(QSqlQuery& query, const QString& sql, const Params& params)
{
    for (auto it = params.cbegin(); it != params.cend(); ++it) {
        if (mentions(sql, it.key()))
            query.bindValue(QLatin1Char(':') + it.key(), it.value());
    }
}

Result<Db> openOne(const ConnectionSettings& s, const QString& host, const QString& name)
{
    if (QSqlDatabase::contains(name))
        QSqlDatabase::removeDatabase(name);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), name);
    if (!db.isValid())
        return Error{QStringLiteral("O driver MySQL do Qt não está instalado (QMYSQL)."), {}};
    QString options =
        QStringLiteral("MYSQL_OPT_CONNECT_TIMEOUT=%1").arg(qMax(1, s.connectTimeoutSeconds));
    if (!s.unixSocket.isEmpty()) {
        db.setHostName(QStringLiteral("localhost"));
        options += QStringLiteral(";UNIX_SOCKET=") + s.unixSocket;
    } else {
        db.setHostName(host);
        db.setPort(s.port);
    }
    db.setConnectOptions(options);
    db.setDatabaseName(s.database);
    db.setUserName(s.user);
    db.setPassword(s.password);
    if (!db.open()) {
        Error e = sqlError(db.lastError(), {});
        e.detail = s.unixSocket.isEmpty() ? QStringLiteral("host %1:%2").arg(host).arg(s.port)
                                          : QStringLiteral("socket ") + s.unixSocket;
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
        return e;
    }
    Db handle(db);
    if (auto st = handle.execRaw(QStringLiteral("SET SESSION sql_mode = '%1'")
                                     .arg(QString::fromLatin1(kSqlMode)));
        !st)
        return st.error();
    if (auto st = handle.execRaw(QStringLiteral("SET NAMES utf8mb4")); !st)
        return st.error();
    return handle;
}

} // namespace

QVariant Row::value(const QString& column) const
{
    if (!m_index)
        return {};
    const auto it = m_index->constFind(column.toLower());
    return it == m_index->cend() ? QVariant() : m_values.value(*it);
}

bool Row::has(const QString& column) const
{
    return m_index && m_index->contains(column.toLower());
}

Rows readRows(QSqlQuery& query)
{
    Rows result;
    const QSqlRecord record = query.record();
    auto index = std::make_shared<QHash<QString, int>>();
    for (int i = 0; i < record.count(); ++i) {
        result.columns << record.fieldName(i);
        index->insert(record.fieldName(i).toLower(), i);
    }
    std::shared_ptr<const QHash<QString, int>> shared = index;
    const int count = record.count();
    while (query.next()) {
        QVariantList values;
        values.reserve(count);
        for (int i = 0; i < count; ++i)
            values << query.value(i);
        result.rows << Row(shared, std::move(values));
    }
    return result;
}

Error queryError(const QSqlQuery& query, const QString& sql)
{
    return sqlError(query.lastError(), sql);
}

Result<Db> Db::connect(const ConnectionSettings& settings, const QString& connectionName)
{
    auto first = openOne(settings, settings.host, connectionName);
    if (first || !settings.unixSocket.isEmpty() || settings.fallbackHost.isEmpty())
        return first;
    auto second = openOne(settings, settings.fallbackHost, connectionName);
    if (second)
        return second;
    return Error{QStringLiteral("Não foi possível conectar ao banco de dados."),
                 first.error().message + " (" + first.error().detail + ")\n" +
                     second.error().message + " (" + second.error().detail + ")"};
}

void Db::close()
{
    const QString name = m_db.connectionName();
    m_db.close();
    m_db = QSqlDatabase();
    if (!name.isEmpty())
        QSqlDatabase::removeDatabase(name);
}

QString Db::databaseName() const
{
    return m_db.databaseName();
}

Result<qint64> Db::exec(const QString& sql, const Params& params)
{
    QSqlQuery query(m_db);
    if (params.isEmpty()) {
        if (!query.exec(sql))
            return queryError(query, sql);
        return qint64(query.numRowsAffected());
    }
    if (!query.prepare(sql))
        return queryError(query, sql);
    bindAll(query, sql, params);
    if (!query.exec())
        return queryError(query, sql);
    return qint64(query.numRowsAffected());
}

Status Db::execRaw(const QString& sql)
{
    QSqlQuery query(m_db);
    if (!query.exec(sql))
        return queryError(query, sql);
    return {};
}

Result<Rows> Db::select(const QString& sql, const Params& params)
{
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    if (params.isEmpty()) {
        if (!query.exec(sql))
            return queryError(query, sql);
    } else {
        if (!query.prepare(sql))
            return queryError(query, sql);
        bindAll(query, sql, params);
        if (!query.exec())
            return queryError(query, sql);
    }
    return readRows(query);
}

Result<std::optional<Row>> Db::selectOne(const QString& sql, const Params& params)
{
    auto rows = select(sql, params);
    if (!rows)
        return rows.error();
    if (rows->isEmpty())
        return std::optional<Row>();
    return std::optional<Row>(rows->rows.first());
}

Result<QVariant> Db::scalar(const QString& sql, const Params& params)
{
    auto row = selectOne(sql, params);
    if (!row)
        return row.error();
    if (!row->has_value())
        return QVariant();
    return (*row)->value(0);
}

Status Db::call(const QString& procedure, const QStringList& names, const Params& params)
{
    QStringList holders;
    for (const QString& n : names)
        holders << QLatin1Char(':') + n;
    const QString sql = QStringLiteral("CALL %1(%2)").arg(procedure, holders.join(", "));
    QSqlQuery query(m_db);
    if (!query.prepare(sql))
        return queryError(query, sql);
    for (const QString& n : names)
        query.bindValue(QLatin1Char(':') + n, params.value(n));
    if (!query.exec())
        return queryError(query, sql);
    return {};
}

Result<qint64> Db::lastInsertId()
{
    auto id = scalar(QStringLiteral("SELECT LAST_INSERT_ID()"));
    if (!id)
        return id.error();
    return id->toLongLong();
}

Result<Statement> Db::prepare(const QString& sql)
{
    auto query = std::make_unique<QSqlQuery>(m_db);
    query->setForwardOnly(true);
    if (!query->prepare(sql))
        return queryError(*query, sql);
    return Statement(std::move(query), sql);
}

QString Db::quote(const QVariant& value) const
{
    if (value.isNull())
        return QStringLiteral("NULL");
    QSqlField field(QStringLiteral("v"), value.metaType());
    field.setValue(value);
    return m_db.driver()->formatValue(field);
}

QString Db::quoteName(const QString& name)
{
    QString escaped = name;
    escaped.replace(QLatin1Char('`'), QStringLiteral("``"));
    return QLatin1Char('`') + escaped + QLatin1Char('`');
}

Status Db::begin()
{
    if (!m_db.transaction())
        return sqlError(m_db.lastError(), QStringLiteral("START TRANSACTION"));
    return {};
}

Status Db::commit()
{
    if (!m_db.commit())
        return sqlError(m_db.lastError(), QStringLiteral("COMMIT"));
    return {};
}

Status Db::rollback()
{
    if (!m_db.rollback())
        return sqlError(m_db.lastError(), QStringLiteral("ROLLBACK"));
    return {};
}

Statement::Statement(std::unique_ptr<QSqlQuery> query, QString sql)
    : m_query(std::move(query)), m_sql(std::move(sql))
{
}

Statement::Statement(Statement&&) noexcept = default;
Statement& Statement::operator=(Statement&&) noexcept = default;
Statement::~Statement() = default;

Result<qint64> Statement::exec(const Params& params)
{
    bindAll(*m_query, m_sql, params);
    if (!m_query->exec())
        return queryError(*m_query, m_sql);
    return qint64(m_query->numRowsAffected());
}

Result<Rows> Statement::select(const Params& params)
{
    bindAll(*m_query, m_sql, params);
    if (!m_query->exec())
        return queryError(*m_query, m_sql);
    Rows rows = readRows(*m_query);
    m_query->finish();
    return rows;
}

Transaction::Transaction(Db& db) : m_db(db), m_started(db.begin())
{
    m_active = m_started.ok();
}

Transaction::~Transaction()
{
    if (m_active)
        (void)m_db.rollback();
}

Status Transaction::commit()
{
    if (!m_active)
        return m_started.ok() ? Status(Error{QStringLiteral("Transação já encerrada."), {}})
                              : m_started;
    m_active = false;
    return m_db.commit();
}

} // namespace arvo
