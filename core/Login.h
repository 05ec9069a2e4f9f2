#pragma once

#include "platform/db/Db.h"

#include <QString>

#include <optional>

namespace arvo {

/// The company code every session works under.
inline QString sessionCompanyCode()
{
    return QStringLiteral("1");
}

/// The usuarios row whose nome equals `name` exactly (case and blanks included), or nothing.
Result<std::optional<Row>> findUser(Db& db, const QString& name);

/// What leaving the password field leads to.
enum class LoginCheck {
    Granted,          ///< the user is logged in
    EndProgram,       ///< both fields empty: the program ends without a message
    PasswordRequired, ///< "Senha Obrigatória"
    AccessDenied      ///< "Acesso não permitido": wrong password or unknown user
};

/// Checks a login as typed (the fields have already upper-cased the texts). The user is looked
/// up again by the name typed now, so a name changed after its lookup can never log in with
/// another user's password; the typed password is scrambled and compared with the stored one,
/// both trimmed of characters of code 32 or less.
Result<LoginCheck> checkLogin(Db& db, const QString& userName, const QString& password);

} // namespace arvo
