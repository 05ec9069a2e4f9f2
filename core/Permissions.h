#pragma once

#include "platform/db/Db.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace arvo {

/// How a command reads the user's permission level.
enum class AccessRule {
    None,        ///< no check: the command always runs
    ZeroDenies,  ///< "0" refuses with a message; anything else, empty included, opens
    FiveRequired ///< only "5" opens; anything else does nothing, without a message
};

/// The outcome of a permission check.
enum class Access {
    Open,   ///< go on and open the screen
    Denied, ///< refuse with "Acesso não Permitido"
    Silent  ///< do nothing and say nothing
};

/// The message of a refused command (caption "Atenção", information icon).
inline QString accessDeniedText()
{
    return QStringLiteral("Acesso não Permitido");
}

/// The permission columns of usuarios, in the registry's order.
const QStringList& permissionColumns();

/// The rule applied to one level. `level` is the column's text (a null or empty text for
/// NULL); nothing means the user's row was not found, which is always refused.
Access accessForLevel(AccessRule rule, const std::optional<QString>& level);

/// Reads the current row of `userName` (exact name) and applies `rule` to its `column`.
/// A row that is no longer there (the user was deleted meanwhile) is refused, never read from
/// another user. An unknown column is an error.
Result<Access> checkAccess(Db& db, const QString& userName, const QString& column,
                           AccessRule rule);

/// What choosing a command does.
enum class CommandKind {
    Screen,          ///< open a screen modally under the command's rule
    Nothing,         ///< the entry exists and does nothing
    Separator,       ///< a separator line in its menu
    ConnectDatabase, ///< reconnect: first host, then the fallback
    EndSpreadsheets, ///< end every spreadsheet process
    Quit             ///< close the main window (it asks first)
};

/// One entry of the main menu, or one open command without a menu entry. The main window
/// builds its menu bar from these, in order, and runs every command through them.
struct MenuCommand
{
    QStringList path;    ///< menu path; the last item is the entry (for separators "-")
    QString command;     ///< the command's name: the last path item, or the name of a
                         ///< command without menu entry
    CommandKind kind = CommandKind::Screen;
    QString column;      ///< permission column of usuarios
    AccessRule rule = AccessRule::None;
    QString screen;      ///< screen class the registry creates
    QString caption;     ///< caption set on the screen before it is shown
    bool visible = true;
    bool enabled = true;
    bool inMenu = true;  ///< false: an open command the menu does not offer

    /// The Movimentação commands re-read the shared usuarios query before checking.
    bool rereadsUsers() const;
    /// "Cadastro ▸ Administradoras", or the command's name when it has no menu entry.
    QString displayName() const;
};

/// Every menu entry in menu order, then the open commands without a menu entry.
const QList<MenuCommand>& menuCommands();

/// The command with this display name (see MenuCommand::displayName), or nullptr.
const MenuCommand* findMenuCommand(const QString& displayName);

} // namespace arvo
