#pragma once

#include "core/Permissions.h"

#include <QHash>
#include <QLocale>
#include <QMainWindow>

class QLabel;
class QMenu;
class QTimer;
class Tdm;

/// The main window: logo, blank band, status bar and the menu that opens every screen under
/// the user's permissions (one modal screen at a time). It holds the session's user name and
/// company code once the login succeeds.
class TFrmPrincipal : public QMainWindow
{
    Q_OBJECT

public:
    /// Checks `shortDateFormat` on creation; when it is not supported the message is shown
    /// and terminated() is true: the program must end without showing the window.
    TFrmPrincipal(Tdm& dataModule, const QString& supportLine, QWidget* parent = nullptr,
                  const QString& shortDateFormat =
                      QLocale::system().dateFormat(QLocale::ShortFormat));
    ~TFrmPrincipal() override;

    bool terminated() const { return m_terminated; }
    QString currentUser() const { return m_currentUser; }
    QString currentCompany() const { return m_currentCompany; }

    /// Runs the login dialog, then the rest of the first showing. False: the program ends.
    bool FormShow();
    /// What a successful login stores: user, company, the cleared band, the status bar.
    void applyLogin(const QString& user, const QString& company);

    /// Runs one command of the menu table, as choosing it does.
    void runCommand(const arvo::MenuCommand& command);
    void runCommand(const QString& displayName);
    /// The menu action of a command (by its display name), or nullptr.
    QAction* actionFor(const QString& displayName) const;

    /// Ends the program without the close question (termination signal).
    void quitWithoutAsking();

    /// Status bar panels, left to right: date, time, "Usuário:", user, support, version,
    /// company.
    QList<QLabel*> statusPanels() const { return m_panels; }
    QLabel* band() const { return m_band; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate(const QString& shortDateFormat);
    void buildClientArea();
    void buildStatusBar(const QString& supportLine);
    void buildMenu();
    void Timer1Timer();
    void openScreen(const arvo::MenuCommand& command);
    void ConectarBD1Click();
    void FinalizarExcel1Click();
    void showVersion();

    Tdm& m_dm;
    QString m_currentUser;
    QString m_currentCompany;
    QLabel* m_band = nullptr;
    QList<QLabel*> m_panels;
    QTimer* m_timer = nullptr;
    QHash<QString, QAction*> m_actions;
    bool m_terminated = false;
    bool m_quitting = false;
    bool m_shown = false;
};

/// The running program's main window (null when none exists).
extern TFrmPrincipal* FrmPrincipal;
