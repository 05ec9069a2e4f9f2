#pragma once

#include "platform/db/ConnectionSettings.h"

#include <QString>

namespace arvo {

/// The program's configuration: one INI file. Its location is $ARVO_CONFIG when set, otherwise
/// the desktop's per-user configuration folder (~/.config/Velmor/arvo.ini). A missing file or
/// key means the default below; with no database host the program uses its embedded server.
struct AppConfig
{
    // [database]
    QString host;         ///< first host; empty: the embedded default
    QString fallbackHost; ///< tried when the first host fails
    int port = 3306;
    QString database = QStringLiteral("plataforma");
    QString user = QStringLiteral("cliente");
    QString password;

    // [embedded]
    QString embeddedDataDir; ///< data folder of the private server

    // [paths]
    QString programFolder;      ///< statement sub-folders, templates base.xlsx and adesao.xlsx
    QString statementPdfFolder; ///< producers' PDF statements
    QString proposalDocsFolder; ///< proposal documents ("dossier")

    // [smtp]
    QString smtpHost;
    int smtpPort = 587;
    QString smtpUser;
    QString smtpPassword;
    QString smtpFrom;
    bool smtpTls = true;

    // [general]
    QString supportLine;
    QString receiptCity = QStringLiteral("São Luís");

    bool usesEmbeddedServer() const { return host.trimmed().isEmpty(); }
    /// Connection settings for the configured server (not the embedded one).
    ConnectionSettings connection() const;

    /// The configuration file in use.
    static QString path();
    /// Reads the file at path(); defaults for whatever is missing.
    static AppConfig load();
    static AppConfig load(const QString& file);
    /// Writes every value to `file`.
    bool save(const QString& file) const;
};

} // namespace arvo
