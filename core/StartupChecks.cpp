#include "core/StartupChecks.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace arvo {

bool isSupportedDateFormat(const QString& shortDateFormat)
{
    return shortDateFormat.contains(QLatin1String("dd/MM/yyyy"));
}

QString versionText(const QString& folder, const QString& fileName)
{
    const QFileInfo file(QDir(folder).filePath(fileName));
    if (!file.exists())
        return QStringLiteral("Versão: Nome de Arquivo Inválido");
    const QDateTime modified = file.lastModified();
    if (!modified.isValid())
        return QStringLiteral("Versão não Loc.");
    const QLocale locale = QLocale::system();
    return QStringLiteral("Versão: ") + locale.toString(modified.date(), QLocale::ShortFormat) +
           QLatin1Char(' ') + modified.time().toString(QStringLiteral("hh:mm:ss"));
}

} // namespace arvo
