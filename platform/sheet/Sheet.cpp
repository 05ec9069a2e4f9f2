#include "platform/sheet/Sheet.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <cmath>

namespace arvo {

namespace {

const Sheet::Cell kEmpty;

QString numberText(double v)
{
    if (std::isfinite(v) && std::floor(v) == v && std::fabs(v) < 1e15)
        return QString::number(qint64(v));
    return QString::number(v, 'g', 15);
}

std::optional<double> parseNumber(const QString& raw)
{
    const QString t = raw.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    bool ok = false;
    double v = QLocale::c().toDouble(t, &ok);
    if (ok)
        return v;
    QString br = t;
    br.remove(QLatin1Char('.'));
    br.replace(QLatin1Char(','), QLatin1Char('.'));
    v = QLocale::c().toDouble(br, &ok);
    if (ok)
        return v;
    return std::nullopt;
}

} // namespace

QDate dateFromSerial(double serial)
{
    return QDate(1899, 12, 30).addDays(qint64(std::floor(serial)));
}

double serialFromDate(const QDate& date)
{
    return double(QDate(1899, 12, 30).daysTo(date));
}

const Sheet::Cell& Sheet::cell(int row, int column) const
{
    if (row < 1 || column < 1 || row > int(m_rows.size()))
        return kEmpty;
    const auto& r = m_rows[size_t(row - 1)];
    if (column > int(r.size()))
        return kEmpty;
    return r[size_t(column - 1)];
}

void Sheet::set(int row, int column, Cell c)
{
    if (row < 1 || column < 1)
        return;
    if (int(m_rows.size()) < row)
        m_rows.resize(size_t(row));
    auto& r = m_rows[size_t(row - 1)];
    if (int(r.size()) < column)
        r.resize(size_t(column));
    r[size_t(column - 1)] = std::move(c);
    m_columns = std::max(m_columns, column);
}

bool Sheet::isEmpty(int row, int column) const
{
    const Cell& c = cell(row, column);
    return c.kind == Kind::Empty || (c.kind == Kind::Text && c.text.trimmed().isEmpty());
}

QString Sheet::text(int row, int column) const
{
    const Cell& c = cell(row, column);
    switch (c.kind) {
    case Kind::Empty: return QString(QLatin1String(""));
    case Kind::Text: return c.text;
    case Kind::Number: return numberText(c.number);
    case Kind::Date: return dateFromSerial(c.number).toString(QStringLiteral("dd/MM/yyyy"));
    }
    return {};
}

double Sheet::number(int row, int column) const
{
    const Cell& c = cell(row, column);
    if (c.kind == Kind::Number || c.kind == Kind::Date)
        return c.number;
    if (c.kind == Kind::Text)
        return parseNumber(c.text).value_or(0.0);
    return 0.0;
}

qint64 Sheet::integer(int row, int column) const
{
    return qint64(std::llround(number(row, column)));
}

std::optional<QDate> Sheet::date(int row, int column) const
{
    const Cell& c = cell(row, column);
    if (c.kind == Kind::Date || (c.kind == Kind::Number && c.number > 0))
        return dateFromSerial(c.number);
    if (c.kind == Kind::Text) {
        const QString t = c.text.trimmed();
        for (const char* f : {"dd/MM/yyyy", "d/M/yyyy", "yyyy-MM-dd", "dd/MM/yy"}) {
            QDate d = QDate::fromString(t.left(10), QString::fromLatin1(f));
            if (d.isValid())
                return d;
        }
    }
    return std::nullopt;
}

} // namespace arvo
