#pragma once

#include "platform/db/Db.h"

namespace arvo {

/// Inserts a user with every permission column "5", head office "S" and branch 0. The name
/// and the password are upper-cased, as the login fields type them; the password is stored
/// scrambled.
Status createFullAccessUser(Db& db, const QString& name, const QString& password);

} // namespace arvo
