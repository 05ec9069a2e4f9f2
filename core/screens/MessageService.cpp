#include "core/screens/MessageService.h"

#include <QApplication>
#include <QMessageBox>

namespace arvo {

namespace {

MessageService* g_service = nullptr;

MessageBoxService& boxes()
{
    static MessageBoxService service;
    return service;
}

} // namespace

MessageService& messages()
{
    return g_service ? *g_service : boxes();
}

void setMessageService(MessageService* service)
{
    g_service = service;
}

void inform(const QString& text, const QString& caption, MsgIcon icon)
{
    messages().show(text, caption, icon, MsgButtons::Ok);
}

bool ask(const QString& text, const QString& caption)
{
    return messages().show(text, caption, MsgIcon::Question, MsgButtons::YesNo) ==
           MsgAnswer::Yes;
}

void showError(const Error& error)
{
    messages().show(error.text(), QStringLiteral("Erro"), MsgIcon::Error, MsgButtons::Ok);
}

MsgAnswer MessageBoxService::show(const QString& text, const QString& caption, MsgIcon icon,
                                  MsgButtons buttons)
{
    QMessageBox box(QApplication::activeWindow());
    box.setText(text);
    box.setWindowTitle(caption.isEmpty() ? QApplication::applicationDisplayName() : caption);
    switch (icon) {
    case MsgIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MsgIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Error: box.setIcon(QMessageBox::Critical); break;
    case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
    }
    switch (buttons) {
    case MsgButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case MsgButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case MsgButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    case QMessageBox::Cancel: return MsgAnswer::Cancel;
    default: return MsgAnswer::Ok;
    }
}

} // namespace arvo
