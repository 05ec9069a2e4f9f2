#include "app/UnitFrmPrincipal.h"

#include "app/ScreenRegistry.h"
#include "app/Unitdm.h"
#include "core/StartupChecks.h"
#include "core/screens/MessageService.h"
#include "core/screens/UnitFrmBemVindo.h"
#include "platform/process/Processes.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include <memory>

TFrmPrincipal* FrmPrincipal = nullptr;

namespace {

const QString kCaption = QStringLiteral("Atenção");

enum Panel { PanelDate, PanelTime, PanelLabel, PanelUser, PanelSupport, PanelVersion, PanelCompany };

/// The office's logo, drawn so the program needs no picture file.
QPixmap drawLogo()
{
    QPixmap logo(420, 220);
    logo.fill(Qt::transparent);
    QPainter p(&logo);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor green(0x2e, 0x7d, 0x32);
    const QColor light(0x81, 0xc7, 0x84);
    p.setPen(Qt::NoPen);
    p.setBrush(light);
    p.drawEllipse(QRectF(150, 10, 120, 110));
    p.setBrush(green);
    p.drawEllipse(QRectF(175, 35, 70, 65));
    p.drawRect(QRectF(202, 95, 16, 40));
    QFont title(QStringLiteral("Arial"), 30, QFont::Bold);
    p.setFont(title);
    p.setPen(green);
    p.drawText(QRectF(0, 135, 420, 50), Qt::AlignCenter, QStringLiteral("Velmor Corretora"));
    QFont sub(QStringLiteral("Arial"), 12);
    p.setFont(sub);
    p.setPen(QColor(0x55, 0x55, 0x55));
    p.drawText(QRectF(0, 185, 420, 30), Qt::AlignCenter,
               QStringLiteral("Planos de Saúde e Seguros"));
    return logo;
}

} // namespace

TFrmPrincipal::TFrmPrincipal(Tdm& dataModule, const QString& supportLine, QWidget* parent,
                             const QString& shortDateFormat)
    : QMainWindow(parent), m_dm(dataModule)
{
    FrmPrincipal = this;
    setObjectName(QStringLiteral("FrmPrincipal"));
    setWindowTitle(QStringLiteral("Velmor Corretora - Sistema Integrado de Gestão"));
    buildClientArea();
    buildStatusBar(supportLine);
    buildMenu();
    FormCreate(shortDateFormat);
}

TFrmPrincipal::~TFrmPrincipal()
{
    if (FrmPrincipal == this)
        FrmPrincipal = nullptr;
}

void TFrmPrincipal::FormCreate(const QString& shortDateFormat)
{
    // Every date text of the program is written and read as dd/mm/yyyy.
    if (!arvo::isSupportedDateFormat(shortDateFormat)) {
        arvo::inform(arvo::invalidDateFormatText(), kCaption, arvo::MsgIcon::Error);
        m_terminated = true;
        m_quitting = true;
        return;
    }
    m_timer = new QTimer(this);
    connect(m_timer, &QTimer::timeout, this, &TFrmPrincipal::Timer1Timer);
    m_timer->start(100);
    Timer1Timer();
}

void TFrmPrincipal::buildClientArea()
{
    auto* central = new QWidget(this);
    central->setAutoFillBackground(true);
    QPalette palette = central->palette();
    palette.setColor(QPalette::Window, Qt::white);
    central->setPalette(palette);
    auto* layout = new QVBoxLayout(central);
    auto* logo = new QLabel(central);
    logo->setObjectName(QStringLiteral("Image1"));
    logo->setPixmap(drawLogo());
    logo->setAlignment(Qt::AlignCenter);
    m_band = new QLabel(QStringLiteral("Velmor Arvo"), central);
    m_band->setObjectName(QStringLiteral("Panel1"));
    m_band->setAlignment(Qt::AlignCenter);
    m_band->setFont(QFont(QStringLiteral("Arial"), 16, QFont::Bold));
    m_band->setMinimumHeight(40);
    layout->addStretch(1);
    layout->addWidget(logo);
    layout->addWidget(m_band);
    layout->addStretch(1);
    setCentralWidget(central);
}

void TFrmPrincipal::buildStatusBar(const QString& supportLine)
{
    const QStringList initial{QString(), QString(), QStringLiteral("Usuário:"), QString(),
                              supportLine, QString(), QString()};
    for (int i = 0; i < initial.size(); ++i) {
        auto* panel = new QLabel(initial[i], this);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setContentsMargins(4, 0, 4, 0);
        m_panels << panel;
        statusBar()->addWidget(panel, i == PanelSupport ? 1 : 0);
    }
    m_panels[PanelDate]->setMinimumWidth(110);
    m_panels[PanelTime]->setMinimumWidth(90);
    m_panels[PanelUser]->setMinimumWidth(120);
    statusBar()->setSizeGripEnabled(false);
}

void TFrmPrincipal::buildMenu()
{
    QHash<QString, QMenu*> menus;
    QList<QMenu*> order;
    for (const arvo::MenuCommand& command : arvo::menuCommands()) {
        if (!command.inMenu)
            continue;
        QMenu* menu = nullptr;
        QString key;
        for (qsizetype i = 0; i + 1 < command.path.size(); ++i) {
            key += QStringLiteral("/") + command.path[i];
            QMenu*& entry = menus[key];
            if (!entry) {
                entry = menu ? menu->addMenu(command.path[i])
                             : menuBar()->addMenu(command.path[i]);
                order << entry;
            }
            menu = entry;
        }
        QAction* action = nullptr;
        if (command.kind == arvo::CommandKind::Separator) {
            action = menu->addSeparator();
        } else {
            action = menu ? menu->addAction(command.command)
                          : menuBar()->addAction(command.command);
            m_actions.insert(command.displayName(), action);
            const arvo::MenuCommand* target = &command;
            connect(action, &QAction::triggered, this, [this, target] { runCommand(*target); });
        }
        action->setVisible(command.visible);
        action->setEnabled(command.enabled);
    }
    // A submenu whose entries are all hidden is hidden itself.
    for (QMenu* menu : order) {
        bool anyVisible = false;
        for (QAction* a : menu->actions())
            anyVisible = anyVisible || (a->isVisible() && !a->isSeparator());
        if (!anyVisible)
            menu->menuAction()->setVisible(false);
    }
}

QAction* TFrmPrincipal::actionFor(const QString& displayName) const
{
    return m_actions.value(displayName);
}

void TFrmPrincipal::Timer1Timer()
{
    const QDateTime now = QDateTime::currentDateTime();
    m_panels[PanelDate]->setText(QStringLiteral("Data: ") +
                                 QLocale::system().toString(now.date(), QLocale::ShortFormat));
    m_panels[PanelTime]->setText(QStringLiteral("Hora: ") +
                                 now.time().toString(QStringLiteral("hh:mm:ss")));
}

void TFrmPrincipal::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // A session that already exists needs no login.
    if (m_shown || m_terminated || !m_currentUser.isEmpty())
        return;
    m_shown = true;
    // Log in once the window is on screen, from the running message loop.
    QTimer::singleShot(0, this, [this] {
        if (!FormShow())
            quitWithoutAsking();
    });
}

bool TFrmPrincipal::FormShow()
{
    TFrmBemVindo login(m_dm.db(), this);
    if (login.exec() != QDialog::Accepted)
        return false;
    applyLogin(login.userName(), login.companyCode());
    if (auto st = m_dm.parametros().refresh(); !st)
        arvo::inform(st.error().text(), QStringLiteral("Erro"), arvo::MsgIcon::Error);
    showVersion();
    return true;
}

void TFrmPrincipal::applyLogin(const QString& user, const QString& company)
{
    m_currentUser = user;
    m_currentCompany = company;
    m_dm.setSession(user, company);
    m_band->clear();
    m_panels[PanelUser]->setText(user);
    m_panels[PanelCompany]->setText(company);
}

void TFrmPrincipal::showVersion()
{
    m_panels[PanelVersion]->setText(
        arvo::versionText(QCoreApplication::applicationDirPath(), QStringLiteral("velmor_arvo")));
}

void TFrmPrincipal::runCommand(const QString& displayName)
{
    if (const arvo::MenuCommand* command = arvo::findMenuCommand(displayName))
        runCommand(*command);
}

void TFrmPrincipal::runCommand(const arvo::MenuCommand& command)
{
    switch (command.kind) {
    case arvo::CommandKind::Screen: openScreen(command); break;
    case arvo::CommandKind::ConnectDatabase: ConectarBD1Click(); break;
    case arvo::CommandKind::EndSpreadsheets: FinalizarExcel1Click(); break;
    case arvo::CommandKind::Quit: close(); break;
    case arvo::CommandKind::Nothing:
    case arvo::CommandKind::Separator: break;
    }
}

void TFrmPrincipal::openScreen(const arvo::MenuCommand& command)
{
    if (command.rule != arvo::AccessRule::None) {
        // Keep the shared users query as current as the check itself.
        if (command.rereadsUsers()) {
            if (auto st = m_dm.usuarios().refresh(); !st) {
                arvo::inform(st.error().text(), QStringLiteral("Erro"), arvo::MsgIcon::Error);
                return;
            }
        }
        auto access = arvo::checkAccess(m_dm.db(), m_currentUser, command.column, command.rule);
        if (!access) {
            arvo::inform(access.error().text(), QStringLiteral("Erro"), arvo::MsgIcon::Error);
            return;
        }
        if (*access == arvo::Access::Denied) {
            arvo::inform(arvo::accessDeniedText(), kCaption, arvo::MsgIcon::Information);
            return;
        }
        if (*access == arvo::Access::Silent)
            return;
    }
    std::unique_ptr<QDialog> screen(createScreen(command.screen, this));
    if (!screen)
        return;
    if (!command.caption.isEmpty())
        screen->setWindowTitle(command.caption);
    screen->setModal(true);
    screen->exec();
}

void TFrmPrincipal::ConectarBD1Click()
{
    if (auto st = m_dm.reconnect(); !st)
        arvo::inform(st.error().text(), QStringLiteral("Erro"), arvo::MsgIcon::Error);
}

void TFrmPrincipal::FinalizarExcel1Click()
{
    arvo::terminateProcessesNamed(QStringLiteral("EXCEL.EXE"));
}

void TFrmPrincipal::quitWithoutAsking()
{
    m_quitting = true;
    close();
    QCoreApplication::exit(0);
}

void TFrmPrincipal::closeEvent(QCloseEvent* event)
{
    if (m_quitting ||
        arvo::messages().show(QStringLiteral("Deseja sair do sistemas"), kCaption,
                              arvo::MsgIcon::Question,
                              arvo::MsgButtons::YesNo) == arvo::MsgAnswer::Yes) {
        m_quitting = true;
        event->accept();
        return;
    }
    event->ignore();
}
