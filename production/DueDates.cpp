#include "production/DueDates.h"

namespace arvo {

QDate installmentDueDate(const QDate& effective, int n)
{
    if (!effective.isValid() || n < 1)
        return {};
    const QDate first(effective.year(), effective.month(), 1);
    const QDate month = first.addMonths(n - 1);
    const int day = effective.day() <= month.daysInMonth() ? effective.day() : 28;
    return QDate(month.year(), month.month(), day);
}

} // namespace arvo
