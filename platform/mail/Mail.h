#pragma once

#include "platform/db/Result.h"

#include <QString>
#include <QStringList>

namespace arvo {

struct SmtpSettings
{
    enum class Security { None, StartTls, ImplicitTls };

    QString host;
    int port = 465;
    QString user;
    QString password;
    Security security = Security::ImplicitTls;
    int timeoutSeconds = 30;

    /// The usual choice for a port when TLS is on: implicit TLS on 465, STARTTLS otherwise.
    static Security securityFor(int port, bool tls)
    {
        return !tls ? Security::None : port == 465 ? Security::ImplicitTls : Security::StartTls;
    }
};

struct MailMessage
{
    QString from;
    QStringList to; ///< addresses; "a@x;b@y" entries are split
    QString subject;
    QString body; ///< plain text, UTF-8
    QStringList attachments; ///< file paths; each attached under its file name
};

/// What happened to a message that was sent.
struct MailReport
{
    /// One line per attachment that could not be added; the message went without it.
    QStringList attachmentErrors;
};

/// Sends one message over SMTP. A message that could not be sent gives an Error whose detail
/// is the SMTP client's text.
Result<MailReport> sendMail(const SmtpSettings& settings, const MailMessage& message);

/// A header value in RFC 2047 form when it is not plain ASCII ("=?UTF-8?B?...?=").
QByteArray encodeHeader(const QString& text);

} // namespace arvo
