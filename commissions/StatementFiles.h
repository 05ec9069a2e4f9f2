#pragma once

#include "platform/db/Db.h"

#include <QDate>
#include <QString>

namespace arvo {

/// Where a producer's PDF statement is written: `folder`/nickname + " " + yyyymmdd + ".PDF".
/// The ledger's e-mail and the payment statements share this naming.
QString statementPdfPath(const QString& folder, const QString& nickname, const QDate& date);

/// Creates `folder` (and its parents) when it is missing; an error when it cannot.
Status ensureStatementFolder(const QString& folder);

} // namespace arvo
