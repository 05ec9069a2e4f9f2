#include "tests/support/MessageRecorder.h"

#include <QStringList>

namespace arvo::test {

MessageRecorder::MessageRecorder()
{
    setMessageService(this);
}

MessageRecorder::~MessageRecorder()
{
    setMessageService(nullptr);
}

MsgAnswer MessageRecorder::show(const QString& text, const QString& caption, MsgIcon icon,
                                MsgButtons buttons)
{
    m_shown.append({text, caption, icon, buttons});
    if (!m_answers.isEmpty())
        return m_answers.takeFirst();
    return buttons == MsgButtons::Ok || buttons == MsgButtons::OkCancel ? MsgAnswer::Ok
                                                                        : MsgAnswer::Yes;
}

QStringList MessageRecorder::texts() const
{
    QStringList list;
    for (const Shown& s : m_shown)
        list << s.text;
    return list;
}

} // namespace arvo::test
