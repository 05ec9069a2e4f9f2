// Velmor Arvo: start-up and wiring only.

#include "app/ScreenRegistry.h"
#include "app/UnitFrmPrincipal.h"
#include "app/Unitdm.h"
#include "core/AppConfig.h"
#include "core/DatabaseBootstrap.h"
#include "core/screens/MessageService.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTimer>
#include <QTranslator>

#include <atomic>
#include <clocale>
#include <csignal>

namespace {

std::atomic_bool g_terminate{false};

extern "C" void onTerminate(int)
{
    g_terminate = true;
}

/// SIGTERM/SIGINT end the program without the close question, so the embedded server is
/// stopped cleanly even while a dialog is open.
void quitOnTerminationSignals(QObject* owner)
{
    std::signal(SIGTERM, onTerminate);
    std::signal(SIGINT, onTerminate);
    auto* poll = new QTimer(owner);
    QObject::connect(poll, &QTimer::timeout, [] {
        if (!g_terminate)
            return;
        if (FrmPrincipal)
            FrmPrincipal->quitWithoutAsking();
        else
            QCoreApplication::exit(0);
    });
    poll->start(200);
}

arvo::ConnectionSettings settingsOf(const arvo::AppConfig& config,
                                    const arvo::OpenDatabase& database)
{
    return database.server ? database.server->settings(config.database) : config.connection();
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("velmor_arvo"));
    QApplication::setApplicationDisplayName(QStringLiteral("Velmor Arvo"));
    // Spreadsheet writers format numbers with the C library's locale: keep the point.
    std::setlocale(LC_NUMERIC, "C");

    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QStringLiteral("pt_BR")), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    Tdm data;
    const arvo::AppConfig config = arvo::AppConfig::load();
    // The configured host, then its fallback; a failure of both ends the program.
    auto database = arvo::openDatabase(config, QStringLiteral("velmor_arvo"));
    if (!database) {
        arvo::inform(database.error().text(), QStringLiteral("Erro"), arvo::MsgIcon::Error);
        return 1;
    }
    const arvo::ConnectionSettings settings = settingsOf(config, *database);
    data.attach(std::move(*database), settings);
    registerScreens();

    TFrmPrincipal window(data, config.supportLine);
    if (window.terminated())
        return 1;
    quitOnTerminationSignals(&window);
    window.showMaximized();
    return QApplication::exec();
}
