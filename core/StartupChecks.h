#pragma once

#include <QDateTime>
#include <QString>

namespace arvo {

/// Whether a short date format writes dates the way every date text of the program expects:
/// it must contain "dd/MM/yyyy".
bool isSupportedDateFormat(const QString& shortDateFormat);

/// The message shown before the program ends on an unsupported date format.
inline QString invalidDateFormatText()
{
    return QStringLiteral("Configuração da Data do Windows, Inválida");
}

/// The version panel's text for the executable `fileName` in `folder`: "Versão: " and the
/// file's modification date (short date format) and time (hh:mm:ss); "Versão: Nome de Arquivo
/// Inválido" when the file is not there; "Versão não Loc." when its date cannot be read.
QString versionText(const QString& folder, const QString& fileName);

} // namespace arvo
