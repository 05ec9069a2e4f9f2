#include "core/Password.h"

namespace arvo {

QString scramblePassword(const QString& text, bool unscramble)
{
    const QByteArray bytes = text.toLatin1();
    QString out;
    out.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        int k = int((i + 1) % 15);
        if (k == 0)
            k = 15;
        const int s = k + 7;
        const int code = static_cast<unsigned char>(bytes[i]);
        const int shifted = (unscramble ? code + s : code - s + 256) % 256;
        out += QChar(char16_t(shifted));
    }
    return out;
}

QString trimControl(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 32)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}

bool passwordMatches(const QString& typed, const QString& stored)
{
    return trimControl(scramblePassword(typed)) == trimControl(stored);
}

} // namespace arvo
