#pragma once

#include <QString>

namespace arvo {

/// Where and as whom to connect. With a Unix socket the hosts are ignored.
struct ConnectionSettings
{
    QString host;         ///< tried first
    QString fallbackHost; ///< tried when the first attempt fails for any reason; may be empty
    int port = 3306;
    QString unixSocket;
    QString database = QStringLiteral("plataforma"); ///< empty: connect without a database
    QString user = QStringLiteral("cliente");
    QString password;
    int connectTimeoutSeconds = 3;
};

} // namespace arvo
