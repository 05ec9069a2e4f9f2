#pragma once

#include <QDate>
#include <QString>
#include <QVariant>

#include <optional>

namespace arvo {

/// The one rule for reading a stored date: NULL, the zero date 0000-00-00 and 30/12/1899 all
/// mean "no date" and give nothing. Accepts what QtSql returns for a DATE or DATETIME column
/// (a QDate, a QDateTime, an invalid QDate for the zero date) and date text written
/// yyyy-mm-dd or yyyy/mm/dd; any other value is no date.
std::optional<QDate> readDate(const QVariant& value);

/// A date as the update procedures and SQL text take it: 'yyyy/mm/dd', or "0000/00/00" when
/// there is no date (the procedures store that as NULL). Without quotes.
QString dateForSql(std::optional<QDate> date);

} // namespace arvo
