#include "core/Login.h"

#include "core/Password.h"

namespace arvo {

Result<std::optional<Row>> findUser(Db& db, const QString& name)
{
    // The column comparison ignores case and trailing blanks; keep only the exact name.
    auto rows = db.select(QStringLiteral("SELECT * FROM usuarios WHERE nome = :nome "
                                         "ORDER BY codigo"),
                          {{QStringLiteral("nome"), name}});
    if (!rows)
        return rows.error();
    for (const Row& row : *rows) {
        if (row.value(QStringLiteral("nome")).toString() == name)
            return std::optional<Row>(row);
    }
    return std::optional<Row>();
}

Result<LoginCheck> checkLogin(Db& db, const QString& userName, const QString& password)
{
    if (userName.isEmpty() && password.isEmpty())
        return LoginCheck::EndProgram;
    if (password.isEmpty())
        return LoginCheck::PasswordRequired;
    if (userName.isEmpty())
        return LoginCheck::AccessDenied;
    auto user = findUser(db, userName);
    if (!user)
        return user.error();
    if (!*user)
        return LoginCheck::AccessDenied;
    const QString stored = (*user)->value(QStringLiteral("senha")).toString();
    return passwordMatches(password, stored) ? LoginCheck::Granted : LoginCheck::AccessDenied;
}

} // namespace arvo
