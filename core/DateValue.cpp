#include "core/DateValue.h"

#include <QDateTime>

namespace arvo {

namespace {

// Written by date parameters for an empty date; shown empty everywhere.
const QDate kEmptyDate(1899, 12, 30);

std::optional<QDate> realDate(QDate date)
{
    if (!date.isValid() || date == kEmptyDate)
        return std::nullopt;
    return date;
}

} // namespace

std::optional<QDate> readDate(const QVariant& value)
{
    if (value.isNull())
        return std::nullopt;
    switch (value.typeId()) {
    case QMetaType::QDate:
        return realDate(value.toDate());
    case QMetaType::QDateTime:
        return realDate(value.toDateTime().date());
    case QMetaType::QString: {
        QString text = value.toString().trimmed();
        text.replace(QLatin1Char('/'), QLatin1Char('-'));
        return realDate(QDate::fromString(text.left(10), Qt::ISODate));
    }
    default:
        return std::nullopt;
    }
}

QString dateForSql(std::optional<QDate> date)
{
    if (date)
        date = realDate(*date);
    return date ? date->toString(QStringLiteral("yyyy/MM/dd")) : QStringLiteral("0000/00/00");
}

} // namespace arvo
