#pragma once

#include <QDate>

namespace arvo {

/// Due date of commission installment `n` (from 1) of a schedule that starts on `effective`:
/// the effective day, n - 1 months later; the 28th when that day does not exist in the month.
QDate installmentDueDate(const QDate& effective, int n);

} // namespace arvo
