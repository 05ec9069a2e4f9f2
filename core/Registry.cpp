#include "core/Registry.h"

#include "core/Audit.h"

namespace arvo {

namespace {

QString name(const QString& identifier)
{
    return Db::quoteName(identifier);
}

Status audit(Db& db, const RegistryTable& t, const QString& op, const QString& historico,
             qint64 key, const QString& user)
{
    AuditEntry e;
    e.stamp = AuditStamp::now();
    e.operador = user;
    e.rotina = t.routine;
    e.operacao = op;
    e.historico = historico;
    e.favorecido = key;
    return writeAudit(db, e);
}

} // namespace

Result<Rows> searchRegistry(Db& db, const RegistryTable& t, SearchOption option,
                            const QString& text)
{
    QString sql = QStringLiteral("select * from ") + name(t.table) + u'\n';
    Params params;
    switch (option) {
    case SearchOption::Codigo: {
        bool ok = false;
        const qint64 key = text.trimmed().toLongLong(&ok);
        if (!ok)
            return Rows{};
        sql += QStringLiteral("where codigo = :codigo\n");
        params["codigo"] = key;
        break;
    }
    case SearchOption::Nome:
        sql += QStringLiteral("where ") + name(t.nameColumn) + QStringLiteral(" like :texto\n");
        params["texto"] = QString(u'%' + text + u'%');
        break;
    case SearchOption::Fantasia:
        sql += QStringLiteral("where fantasia like :texto\n");
        params["texto"] = QString(u'%' + text + u'%');
        break;
    case SearchOption::CnpjCpf:
        sql += QStringLiteral("where cnpj_cpf = :texto\n");
        params["texto"] = text;
        break;
    case SearchOption::Geral:
        break;
    }
    sql += QStringLiteral("order by ") + name(t.nameColumn);
    return db.select(sql, params);
}

Result<std::optional<Row>> loadRecord(Db& db, const RegistryTable& t, qint64 key)
{
    return db.selectOne(QStringLiteral("select * from ") + name(t.table) +
                            QStringLiteral(" where codigo = :codigo"),
                        {{"codigo", key}});
}

Result<qint64> saveRecord(Db& db, const RegistryTable& t, std::optional<qint64> key,
                          const QVariantMap& values, const QString& user)
{
    QStringList columns = values.keys();
    qint64 savedKey = 0;
    if (!key) {
        QStringList quoted, binds;
        for (const QString& c : columns) {
            quoted << name(c);
            binds << u':' + c;
        }
        auto inserted = db.exec(QStringLiteral("insert into ") + name(t.table) + QStringLiteral(" (") +
                                    quoted.join(QStringLiteral(", ")) +
                                    QStringLiteral(")\nvalues (") + binds.join(QStringLiteral(", ")) +
                                    u')',
                                values);
        if (!inserted)
            return inserted.error();
        auto id = db.lastInsertId();
        if (!id)
            return id.error();
        savedKey = id.value();
    } else {
        QStringList assignments;
        for (const QString& c : columns)
            assignments << name(c) + QStringLiteral(" = :") + c;
        Params params = values;
        params[QStringLiteral("arvo_key")] = *key;
        auto updated = db.exec(QStringLiteral("update ") + name(t.table) + QStringLiteral(" set\n") +
                                   assignments.join(QStringLiteral(",\n")) +
                                   QStringLiteral("\nwhere codigo = :arvo_key"),
                               params);
        if (!updated)
            return updated.error();
        savedKey = *key;
    }
    const Status audited = audit(db, t, key ? QStringLiteral("A") : QStringLiteral("I"),
                                 values.value(t.nameColumn).toString(), savedKey, user);
    if (!audited)
        return audited.error();
    return savedKey;
}

Status deleteRecord(Db& db, const RegistryTable& t, qint64 key, const QString& recordName,
                    const QString& user)
{
    auto deleted = db.exec(QStringLiteral("delete from ") + name(t.table) +
                               QStringLiteral(" where codigo = :codigo"),
                           {{"codigo", key}});
    if (!deleted)
        return deleted.error();
    return audit(db, t, QStringLiteral("E"), recordName, key, user);
}

Result<bool> nameExists(Db& db, const RegistryTable& t, const QString& recordName)
{
    auto found = db.scalar(QStringLiteral("select count(*) from ") + name(t.table) +
                               QStringLiteral(" where ") + name(t.nameColumn) +
                               QStringLiteral(" = :nome"),
                           {{"nome", recordName}});
    if (!found)
        return found.error();
    return found->toLongLong() > 0;
}

Status toggleActive(Db& db, const RegistryTable& t, qint64 key)
{
    auto updated = db.exec(QStringLiteral("update ") + name(t.table) +
                               QStringLiteral(" set ativo = if(ativo = 'S', 'N', 'S') "
                                              "where codigo = :codigo"),
                           {{"codigo", key}});
    if (!updated)
        return updated.error();
    return {};
}

} // namespace arvo
