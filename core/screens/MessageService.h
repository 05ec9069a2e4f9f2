#pragma once

#include "platform/db/Result.h"

#include <QString>

namespace arvo {

enum class MsgIcon { None, Information, Warning, Error, Question };
enum class MsgButtons { Ok, YesNo, OkCancel, YesNoCancel };
enum class MsgAnswer { Ok, Yes, No, Cancel };

/// The one way screens show a message: text, caption, icon and buttons. The program uses
/// message boxes; tests install a recorder and assert the exact text and caption.
class MessageService
{
public:
    virtual ~MessageService() = default;
    virtual MsgAnswer show(const QString& text, const QString& caption, MsgIcon icon,
                           MsgButtons buttons) = 0;
};

/// The service screens use; message boxes unless another was installed.
MessageService& messages();
/// Installs `service` (not owned); nullptr restores the message boxes.
void setMessageService(MessageService* service);

/// Shorthands for the common cases.
void inform(const QString& text, const QString& caption = {}, MsgIcon icon = MsgIcon::Information);
bool ask(const QString& text, const QString& caption = QStringLiteral("Atenção"));
/// A database or file error as the screens show it: caption "Erro", error icon.
void showError(const Error& error);

/// Message boxes, parented to the active window.
class MessageBoxService : public MessageService
{
public:
    MsgAnswer show(const QString& text, const QString& caption, MsgIcon icon,
                   MsgButtons buttons) override;
};

} // namespace arvo
