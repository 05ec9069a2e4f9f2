// Velmor Arvo: start-up and wiring only.

#include "core/AppConfig.h"
#include "core/DatabaseBootstrap.h"
#include "core/screens/MessageService.h"

#include <QApplication>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QMainWindow>
#include <QTranslator>

#include <QTimer>

#include <atomic>
#include <clocale>
#include <csignal>

namespace {

std::atomic_bool g_terminate{false};

extern "C" void onTerminate(int)
{
    g_terminate = true;
}

/// SIGTERM/SIGINT end the message loop normally, so the embedded server is stopped cleanly.
void quitOnTerminationSignals(QObject* owner)
{
    std::signal(SIGTERM, onTerminate);
    std::signal(SIGINT, onTerminate);
    auto* poll = new QTimer(owner);
    QObject::connect(poll, &QTimer::timeout, [] {
        if (g_terminate)
            QApplication::quit();
    });
    poll->start(200);
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

    const arvo::AppConfig config = arvo::AppConfig::load();
    auto database = arvo::openDatabase(config, QStringLiteral("velmor_arvo"));
    if (!database) {
        arvo::inform(database.error().text(), QStringLiteral("Erro"), arvo::MsgIcon::Error);
        return 1;
    }

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Velmor Corretora - Sistema Integrado de Gestão"));
    auto* label = new QLabel(QStringLiteral("Velmor Arvo"), &window);
    label->setAlignment(Qt::AlignCenter);
    window.setCentralWidget(label);
    window.resize(1024, 700);
    window.show();
    quitOnTerminationSignals(&window);
    return QApplication::exec();
}
