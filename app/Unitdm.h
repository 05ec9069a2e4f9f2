#pragma once

#include "core/DatabaseBootstrap.h"
#include "platform/db/Db.h"

#include <QHash>
#include <QObject>
#include <QStringList>

#include <memory>

/// A query the screens share, named like its table. It keeps its SQL text as lines, which a
/// screen changes freely and leaves as it was; a screen that needs the whole table sets the
/// select-all text again (restoreSelectAll()) before opening.
class SharedQuery
{
public:
    SharedQuery(arvo::Db& db, QString name, QString selectAll);

    QString name() const { return m_name; }
    QStringList& SQL() { return m_sql; }
    const QStringList& SQL() const { return m_sql; }
    arvo::Params& params() { return m_params; }
    QString selectAllSql() const { return m_selectAll; }
    void restoreSelectAll();

    /// Runs the SQL text and keeps the rows; the first row becomes the current one.
    arvo::Status open();
    void close();
    /// Closes and opens again, so the rows are the database's current contents.
    arvo::Status refresh();
    bool active() const { return m_active; }

    const arvo::Rows& rows() const { return m_rows; }
    qsizetype recordCount() const { return m_rows.size(); }
    /// Makes the first row whose `column` equals `value` exactly the current one; false (and
    /// no current row) when there is none.
    bool locate(const QString& column, const QVariant& value);
    /// The current row; an empty row when there is none.
    arvo::Row current() const;
    QVariant value(const QString& column) const { return current().value(column); }

private:
    arvo::Db& m_db;
    QString m_name;
    QString m_selectAll;
    QStringList m_sql;
    arvo::Params m_params;
    arvo::Rows m_rows;
    qsizetype m_current = -1;
    bool m_active = false;
};

/// The data module: the program's one database connection and the shared queries. The
/// running program has one instance, `dm`; screens use it, rules take the Db handle instead.
class Tdm : public QObject
{
    Q_OBJECT

public:
    explicit Tdm(QObject* parent = nullptr);
    ~Tdm() override;

    /// Takes over an open database (and its private server, if any); `settings` are the ones
    /// it was opened with, used again by reconnect().
    void attach(arvo::OpenDatabase database, const arvo::ConnectionSettings& settings);
    /// Disconnects and connects again: the first host, then the fallback.
    arvo::Status reconnect();

    /// The connection.
    arvo::Db& ZConnection1() { return m_database.db; }
    arvo::Db& db() { return m_database.db; }

    /// The shared query of `table`, created with its select-all text on first use.
    SharedQuery& query(const QString& table);
    bool hasQuery(const QString& table) const { return m_queries.contains(table.toLower()); }
    /// Every shared query the program has, by name.
    static const QStringList& queryNames();

    /// The session: set by the main window once the login succeeds.
    QString currentUser() const { return m_currentUser; }
    QString currentCompany() const { return m_currentCompany; }
    void setSession(const QString& user, const QString& company);

    SharedQuery& rastro() { return query(QStringLiteral("rastro")); }
    SharedQuery& usuarios() { return query(QStringLiteral("usuarios")); }
    SharedQuery& parametros() { return query(QStringLiteral("parametros")); }
    SharedQuery& docreceber() { return query(QStringLiteral("docreceber")); }
    SharedQuery& docpagar() { return query(QStringLiteral("docpagar")); }
    SharedQuery& financeiro() { return query(QStringLiteral("financeiro")); }
    SharedQuery& fornecedores() { return query(QStringLiteral("fornecedores")); }
    SharedQuery& clientes() { return query(QStringLiteral("clientes")); }
    SharedQuery& empresas() { return query(QStringLiteral("empresas")); }
    SharedQuery& produtos() { return query(QStringLiteral("produtos")); }
    SharedQuery& seguros() { return query(QStringLiteral("seguros")); }
    SharedQuery& conta_produtor() { return query(QStringLiteral("conta_produtor")); }
    SharedQuery& retorno() { return query(QStringLiteral("retorno")); }

private:
    arvo::OpenDatabase m_database;
    arvo::ConnectionSettings m_settings;
    QHash<QString, std::shared_ptr<SharedQuery>> m_queries;
    QString m_currentUser;
    QString m_currentCompany;
};

/// The running program's data module (null when none exists).
extern Tdm* dm;
