#pragma once

#include "platform/db/Db.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace arvo {

/// How a registry's search tab finds rows.
enum class SearchOption { Codigo, Nome, Fantasia, CnpjCpf, Geral };

/// A registry table as the registry screens use it: key `codigo`, ordered by its name column.
struct RegistryTable
{
    QString table;                         ///< e.g. "regiao"
    QString nameColumn = QStringLiteral("nome");
    QString routine;                       ///< audit routine name, e.g. "REGIÃO"
};

/// The search tab's query: Código matches the key, Nome and Fantasia anywhere in the column,
/// CNPJ/CPF the whole number, Geral lists every row; all ordered by the name column. A code
/// that is not a number finds nothing.
Result<Rows> searchRegistry(Db& db, const RegistryTable& t, SearchOption option,
                            const QString& text);

/// One row by its key; empty when it is gone.
Result<std::optional<Row>> loadRecord(Db& db, const RegistryTable& t, qint64 key);

/// Gravar: inserts (`key` empty) or updates the row with `values` (column -> value), then
/// writes the audit row "I" or "A" with the record's name and key. Returns the row's key.
Result<qint64> saveRecord(Db& db, const RegistryTable& t, std::optional<qint64> key,
                          const QVariantMap& values, const QString& user);

/// Excluir: deletes the row and writes the audit row "E" with the record's name.
Status deleteRecord(Db& db, const RegistryTable& t, qint64 key, const QString& name,
                    const QString& user);

/// Look-up lists: whether `name` is already in the list (exactly, ignoring case as the
/// database compares).
Result<bool> nameExists(Db& db, const RegistryTable& t, const QString& name);
/// Look-up lists: flips `ativo` between "S" and "N".
Status toggleActive(Db& db, const RegistryTable& t, qint64 key);

} // namespace arvo
