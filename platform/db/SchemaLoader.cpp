#include "platform/db/SchemaLoader.h"

#include <QDir>
#include <QFile>

namespace arvo {

QStringList splitSqlScript(const QString& script)
{
    QStringList statements;
    QString delimiter = QStringLiteral(";");
    QString current;
    const qsizetype n = script.size();
    qsizetype i = 0;
    bool lineStart = true;

    auto flush = [&] {
        const QString s = current.trimmed();
        if (!s.isEmpty())
            statements << s;
        current.clear();
    };

    while (i < n) {
        const QChar c = script[i];
        if (lineStart) {
            // A DELIMITER line may only stand between statements.
            qsizetype j = i;
            while (j < n && (script[j] == QLatin1Char(' ') || script[j] == QLatin1Char('\t')))
                ++j;
            if (current.trimmed().isEmpty() &&
                script.mid(j, 10).compare(QLatin1String("DELIMITER "), Qt::CaseInsensitive) ==
                    0) {
                qsizetype end = script.indexOf(QLatin1Char('\n'), j);
                if (end < 0)
                    end = n;
                delimiter = script.mid(j + 10, end - j - 10).trimmed();
                i = end + 1;
                continue;
            }
        }
        lineStart = false;
        if (c == QLatin1Char('\n')) {
            lineStart = true;
            current += c;
            ++i;
            continue;
        }
        if (c == QLatin1Char('-') && i + 1 < n && script[i + 1] == QLatin1Char('-') &&
            (i + 2 >= n || script[i + 2].isSpace())) {
            while (i < n && script[i] != QLatin1Char('\n'))
                ++i;
            continue;
        }
        if (c == QLatin1Char('#')) {
            while (i < n && script[i] != QLatin1Char('\n'))
                ++i;
            continue;
        }
        if (c == QLatin1Char('/') && i + 1 < n && script[i + 1] == QLatin1Char('*')) {
            const qsizetype end = script.indexOf(QLatin1String("*/"), i + 2);
            i = end < 0 ? n : end + 2;
            current += QLatin1Char(' ');
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`')) {
            current += c;
            ++i;
            while (i < n) {
                const QChar d = script[i];
                current += d;
                ++i;
                if (d == QLatin1Char('\\') && c != QLatin1Char('`') && i < n) {
                    current += script[i];
                    ++i;
                } else if (d == c) {
                    break;
                }
            }
            continue;
        }
        if (script.mid(i, delimiter.size()) == delimiter) {
            flush();
            i += delimiter.size();
            continue;
        }
        current += c;
        ++i;
    }
    flush();
    return statements;
}

QList<QPair<QString, QString>> schemaScripts()
{
    QList<QPair<QString, QString>> scripts;
    const QDir dir(QStringLiteral(":/schema"));
    const QStringList names = dir.entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name);
    for (const QString& name : names) {
        QFile f(dir.filePath(name));
        if (f.open(QIODevice::ReadOnly))
            scripts.append({name, QString::fromUtf8(f.readAll())});
    }
    return scripts;
}

Result<bool> databaseExists(Db& db, const QString& name)
{
    auto found = db.scalar(
        QStringLiteral("SELECT COUNT(*) FROM information_schema.schemata WHERE schema_name = :n"),
        {{QStringLiteral("n"), name}});
    if (!found)
        return found.error();
    return found->toInt() > 0;
}

Status createDatabaseFromSchema(Db& db, const QString& name)
{
    const auto scripts = schemaScripts();
    if (scripts.isEmpty())
        return Error{QStringLiteral("Os scripts do banco de dados não foram encontrados."), {}};
    if (auto st = db.execRaw(QStringLiteral("CREATE DATABASE %1 CHARACTER SET utf8mb4 COLLATE "
                                            "utf8mb4_unicode_ci")
                                 .arg(Db::quoteName(name)));
        !st)
        return st;
    if (auto st = db.execRaw(QStringLiteral("USE ") + Db::quoteName(name)); !st)
        return st;
    for (const auto& [file, text] : scripts) {
        for (const QString& statement : splitSqlScript(text)) {
            if (auto st = db.execRaw(statement); !st) {
                Error e = st.error();
                e.detail = file + ": " + e.detail;
                return e;
            }
        }
    }
    return {};
}

} // namespace arvo
