#pragma once

#include "core/screens/MessageService.h"

#include <QList>

namespace arvo::test {

/// Records every message a screen shows and answers from a queue (Yes/Ok when it is empty).
/// Installed for its lifetime.
class MessageRecorder : public MessageService
{
public:
    struct Shown
    {
        QString text;
        QString caption;
        MsgIcon icon;
        MsgButtons buttons;
    };

    MessageRecorder();
    ~MessageRecorder() override;

    MsgAnswer show(const QString& text, const QString& caption, MsgIcon icon,
                   MsgButtons buttons) override;

    void answerNext(MsgAnswer answer) { m_answers << answer; }
    const QList<Shown>& shown() const { return m_shown; }
    /// The texts shown, in order.
    QStringList texts() const;
    QString lastText() const { return m_shown.isEmpty() ? QString() : m_shown.last().text; }
    QString lastCaption() const { return m_shown.isEmpty() ? QString() : m_shown.last().caption; }
    void clear() { m_shown.clear(); }

private:
    QList<Shown> m_shown;
    QList<MsgAnswer> m_answers;
};

} // namespace arvo::test
