#include "platform/mail/Mail.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <curl/curl.h>

#include <memory>

namespace arvo {

namespace {

struct CurlGlobal
{
    CurlGlobal() { curl_global_init(CURL_GLOBAL_DEFAULT); }
    ~CurlGlobal() { curl_global_cleanup(); }
};

QStringList splitAddresses(const QStringList& list)
{
    QStringList out;
    for (const QString& entry : list) {
        for (const QString& a : entry.split(QRegularExpression(QStringLiteral("[;,]")),
                                            Qt::SkipEmptyParts)) {
            if (!a.trimmed().isEmpty())
                out << a.trimmed();
        }
    }
    return out;
}

QByteArray angle(const QString& address)
{
    return "<" + address.trimmed().toUtf8() + ">";
}

} // namespace

QByteArray encodeHeader(const QString& text)
{
    bool ascii = true;
    for (QChar c : text) {
        if (c.unicode() < 32 || c.unicode() > 126) {
            ascii = false;
            break;
        }
    }
    if (ascii)
        return text.toLatin1();
    return "=?UTF-8?B?" + text.toUtf8().toBase64() + "?=";
}

Result<MailReport> sendMail(const SmtpSettings& settings, const MailMessage& message)
{
    static CurlGlobal global;
    const QStringList recipients = splitAddresses(message.to);
    if (settings.host.trimmed().isEmpty())
        return Error{QStringLiteral("Servidor de e-mail não configurado."), {}};
    if (recipients.isEmpty())
        return Error{QStringLiteral("Nenhum destinatário."), {}};

    std::unique_ptr<CURL, void (*)(CURL*)> curl(curl_easy_init(), curl_easy_cleanup);
    if (!curl)
        return Error{QStringLiteral("Não foi possível iniciar o envio de e-mail."), {}};
    CURL* h = curl.get();

    const char* scheme = settings.security == SmtpSettings::Security::ImplicitTls ? "smtps"
                                                                                 : "smtp";
    const QByteArray url =
        QStringLiteral("%1://%2:%3").arg(QLatin1String(scheme), settings.host).arg(settings.port).toUtf8();
    curl_easy_setopt(h, CURLOPT_URL, url.constData());
    if (settings.security == SmtpSettings::Security::StartTls)
        curl_easy_setopt(h, CURLOPT_USE_SSL, long(CURLUSESSL_ALL));
    const QByteArray user = settings.user.toUtf8();
    const QByteArray password = settings.password.toUtf8();
    if (!user.isEmpty()) {
        curl_easy_setopt(h, CURLOPT_USERNAME, user.constData());
        curl_easy_setopt(h, CURLOPT_PASSWORD, password.constData());
    }
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, long(qMin(settings.timeoutSeconds, 15)));
    curl_easy_setopt(h, CURLOPT_TIMEOUT, long(settings.timeoutSeconds * 4));
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);

    const QByteArray from = angle(message.from);
    curl_easy_setopt(h, CURLOPT_MAIL_FROM, from.constData());
    std::unique_ptr<curl_slist, void (*)(curl_slist*)> rcpt(nullptr, curl_slist_free_all);
    QList<QByteArray> keep;
    for (const QString& r : recipients) {
        keep << angle(r);
        rcpt.reset(curl_slist_append(rcpt.release(), keep.last().constData()));
    }
    curl_easy_setopt(h, CURLOPT_MAIL_RCPT, rcpt.get());

    std::unique_ptr<curl_slist, void (*)(curl_slist*)> headers(nullptr, curl_slist_free_all);
    keep << "From: " + message.from.toUtf8();
    headers.reset(curl_slist_append(headers.release(), keep.last().constData()));
    keep << "To: " + recipients.join(QStringLiteral(", ")).toUtf8();
    headers.reset(curl_slist_append(headers.release(), keep.last().constData()));
    keep << "Subject: " + encodeHeader(message.subject);
    headers.reset(curl_slist_append(headers.release(), keep.last().constData()));
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());

    std::unique_ptr<curl_mime, void (*)(curl_mime*)> mime(curl_mime_init(h), curl_mime_free);
    curl_mimepart* text = curl_mime_addpart(mime.get());
    QByteArray body = message.body.toUtf8();
    body.replace("\r\n", "\n").replace("\n", "\r\n");
    curl_mime_data(text, body.constData(), size_t(body.size()));
    curl_mime_type(text, "text/plain; charset=UTF-8");
    curl_mime_encoder(text, "quoted-printable");

    MailReport report;
    for (const QString& path : message.attachments) {
        QFileInfo info(path);
        if (!info.isFile() || !info.isReadable()) {
            report.attachmentErrors << QStringLiteral("arquivo não encontrado: ") + path;
            continue;
        }
        curl_mimepart* part = curl_mime_addpart(mime.get());
        const QByteArray file = QFile::encodeName(info.absoluteFilePath());
        const QByteArray name = info.fileName().toUtf8();
        CURLcode rc = curl_mime_filedata(part, file.constData());
        if (rc == CURLE_OK)
            rc = curl_mime_filename(part, name.constData());
        if (rc == CURLE_OK)
            rc = curl_mime_type(part, info.suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0
                                          ? "application/pdf"
                                          : "application/octet-stream");
        if (rc == CURLE_OK)
            rc = curl_mime_encoder(part, "base64");
        if (rc != CURLE_OK)
            report.attachmentErrors << QString::fromUtf8(curl_easy_strerror(rc));
    }
    curl_easy_setopt(h, CURLOPT_MIMEPOST, mime.get());

    char errorText[CURL_ERROR_SIZE] = {0};
    curl_easy_setopt(h, CURLOPT_ERRORBUFFER, errorText);
    const CURLcode rc = curl_easy_perform(h);
    if (rc != CURLE_OK) {
        const QString detail = errorText[0] ? QString::fromUtf8(errorText)
                                            : QString::fromUtf8(curl_easy_strerror(rc));
        return Error{QStringLiteral("Falha ao enviar o e-mail."), detail};
    }
    return report;
}

} // namespace arvo
