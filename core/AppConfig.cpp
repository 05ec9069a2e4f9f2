#include "core/AppConfig.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace arvo {

namespace {

QString userDataFolder()
{
    const QString env = qEnvironmentVariable("ARVO_DATA_DIR");
    if (!env.isEmpty())
        return env;
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return base + QStringLiteral("/velmor-arvo");
}

} // namespace

ConnectionSettings AppConfig::connection() const
{
    ConnectionSettings s;
    s.host = host;
    s.fallbackHost = fallbackHost;
    s.port = port;
    s.database = database;
    s.user = user;
    s.password = password;
    return s;
}

QString AppConfig::path()
{
    const QString env = qEnvironmentVariable("ARVO_CONFIG");
    if (!env.isEmpty())
        return env;
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/Velmor/arvo.ini");
}

AppConfig AppConfig::load()
{
    return load(path());
}

AppConfig AppConfig::load(const QString& file)
{
    AppConfig c;
    QSettings s(file, QSettings::IniFormat);
    const QString data = userDataFolder();
    c.host = s.value("database/host").toString();
    c.fallbackHost = s.value("database/fallbackHost").toString();
    c.port = s.value("database/port", c.port).toInt();
    c.database = s.value("database/database", c.database).toString();
    c.user = s.value("database/user", c.user).toString();
    c.password = s.value("database/password").toString();
    c.embeddedDataDir = s.value("embedded/dataDir", data + QStringLiteral("/mariadb")).toString();
    c.programFolder = s.value("paths/programFolder", data).toString();
    c.statementPdfFolder =
        s.value("paths/statementPdfFolder", data + QStringLiteral("/comissoes_vendedores"))
            .toString();
    c.proposalDocsFolder =
        s.value("paths/proposalDocsFolder", data + QStringLiteral("/comprovantes")).toString();
    c.smtpHost = s.value("smtp/host").toString();
    c.smtpPort = s.value("smtp/port", c.smtpPort).toInt();
    c.smtpUser = s.value("smtp/user").toString();
    c.smtpPassword = s.value("smtp/password").toString();
    c.smtpFrom = s.value("smtp/from").toString();
    c.smtpTls = s.value("smtp/tls", c.smtpTls).toBool();
    c.supportLine = s.value("general/supportLine").toString();
    c.receiptCity = s.value("general/receiptCity", c.receiptCity).toString();
    return c;
}

bool AppConfig::save(const QString& file) const
{
    QSettings s(file, QSettings::IniFormat);
    s.setValue("database/host", host);
    s.setValue("database/fallbackHost", fallbackHost);
    s.setValue("database/port", port);
    s.setValue("database/database", database);
    s.setValue("database/user", user);
    s.setValue("database/password", password);
    s.setValue("embedded/dataDir", embeddedDataDir);
    s.setValue("paths/programFolder", programFolder);
    s.setValue("paths/statementPdfFolder", statementPdfFolder);
    s.setValue("paths/proposalDocsFolder", proposalDocsFolder);
    s.setValue("smtp/host", smtpHost);
    s.setValue("smtp/port", smtpPort);
    s.setValue("smtp/user", smtpUser);
    s.setValue("smtp/password", smtpPassword);
    s.setValue("smtp/from", smtpFrom);
    s.setValue("smtp/tls", smtpTls);
    s.setValue("general/supportLine", supportLine);
    s.setValue("general/receiptCity", receiptCity);
    s.sync();
    return s.status() == QSettings::NoError;
}

} // namespace arvo
