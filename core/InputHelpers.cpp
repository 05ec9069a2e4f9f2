#include "core/InputHelpers.h"

#include <QLocale>

#include <cmath>

namespace arvo {

Result<double> moneyFromText(const QString& text, QChar decimalSeparator)
{
    // Scanned from the right so the first separator met is the one that survives.
    QString kept;
    bool separatorKept = false;
    for (qsizetype i = text.size() - 1; i >= 0; --i) {
        const QChar c = text.at(i);
        if (c.isDigit() && c.unicode() < 128) {
            kept.prepend(c);
        } else if (c == decimalSeparator) {
            if (!separatorKept) {
                kept.prepend(u'.');
                separatorKept = true;
            }
        } else if ((c == u'+' || c == u'-') && i == 0) {
            kept.prepend(c);
        }
    }
    bool hasDigit = false;
    for (QChar c : kept)
        hasDigit = hasDigit || c.isDigit();
    bool ok = false;
    const double value = hasDigit ? kept.toDouble(&ok) : 0.0;
    if (!ok)
        return Error{QStringLiteral("'%1' não é um valor válido").arg(text), {}};
    return value;
}

QString numberTextForSql(const QString& text)
{
    QString out = text;
    out.remove(u'.');
    out.replace(u',', u'.');
    return out;
}

bool isEmptyDateText(const QString& text)
{
    for (QChar c : text)
        if (c.isDigit())
            return false;
    return true;
}

QString dateTextForSql(const QString& text)
{
    if (isEmptyDateText(text))
        return QStringLiteral("0000/00/00");
    return text.mid(6, 4) + u'/' + text.mid(3, 2) + u'/' + text.mid(0, 2);
}

QString withoutAccents(const QString& text)
{
    static const QString accented =
        QStringLiteral("áàâäãéèêëíìîïóòôöõúùûüçÁÀÂÄÃÉÈÊËÍÌÎÏÓÒÔÖÕÚÙÛÜÇ");
    static const QString plain =
        QStringLiteral("aaaaaeeeeiiiiooooouuuucAAAAAEEEEIIIIOOOOOUUUUC");
    QString out = text;
    for (qsizetype i = 0; i < out.size(); ++i) {
        const qsizetype at = accented.indexOf(out.at(i));
        if (at >= 0)
            out[i] = plain.at(at);
    }
    return out;
}

namespace {

// The digits of a document number, or empty when a character other than a digit or the
// punctuation ".", "-", "/" occurs.
QString documentDigits(const QString& text)
{
    QString digits;
    for (QChar c : text) {
        if (c.isDigit() && c.unicode() < 128)
            digits += c;
        else if (c != u'.' && c != u'-' && c != u'/')
            return {};
    }
    return digits;
}

int checkDigit(const QString& digits, qsizetype count, const QList<int>& weights)
{
    int sum = 0;
    for (qsizetype i = 0; i < count; ++i)
        sum += digits.at(i).digitValue() * weights.at(i);
    const int remainder = sum % 11;
    return remainder < 2 ? 0 : 11 - remainder;
}

} // namespace

bool isValidCpf(const QString& text)
{
    const QString d = documentDigits(text);
    if (d.size() != 11)
        return false;
    const int first = checkDigit(d, 9, {10, 9, 8, 7, 6, 5, 4, 3, 2});
    const int second = checkDigit(d, 10, {11, 10, 9, 8, 7, 6, 5, 4, 3, 2});
    return d.at(9).digitValue() == first && d.at(10).digitValue() == second;
}

bool isValidCnpj(const QString& text)
{
    const QString d = documentDigits(text);
    if (d.size() != 14)
        return false;
    const int first = checkDigit(d, 12, {5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2});
    const int second = checkDigit(d, 13, {6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2});
    return d.at(12).digitValue() == first && d.at(13).digitValue() == second;
}

QString moneyForDisplay(double value)
{
    static const QLocale brazil(QLocale::Portuguese, QLocale::Brazil);
    const double cents = std::round(value * 100.0) / 100.0;
    // No "-0,00" for amounts that round to zero.
    return brazil.toString(cents == 0.0 ? 0.0 : cents, 'f', 2);
}

QString plainTwoDecimals(double value)
{
    const double cents = std::round(value * 100.0) / 100.0;
    return QString::number(cents == 0.0 ? 0.0 : cents, 'f', 2);
}

QString zeroPadded(qint64 code, int width)
{
    return QStringLiteral("%1").arg(code, width, 10, QLatin1Char('0'));
}

QString digitsOnly(const QString& text)
{
    QString out;
    for (QChar c : text)
        if (c.isDigit())
            out += c;
    return out;
}

} // namespace arvo
