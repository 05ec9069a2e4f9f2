#include "commissions/StatementFiles.h"

#include <QDir>

namespace arvo {

QString statementPdfPath(const QString& folder, const QString& nickname, const QDate& date)
{
    const QString name = nickname.trimmed() + QLatin1Char(' ')
                         + date.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".PDF");
    return QDir(folder).filePath(name);
}

Status ensureStatementFolder(const QString& folder)
{
    if (folder.trimmed().isEmpty())
        return Error{QStringLiteral("A pasta dos extratos não está configurada."), {}};
    if (QDir().mkpath(folder))
        return {};
    return Error{QStringLiteral("Não foi possível criar a pasta dos extratos: %1").arg(folder),
                 {}};
}

} // namespace arvo
