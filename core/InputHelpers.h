#pragma once

#include "platform/db/Result.h"

#include <QChar>
#include <QString>

namespace arvo {

/// Reads typed money text: digits survive; the decimal separator survives only at its
/// rightmost occurrence; "+"/"-" only as the very first character; everything else (thousands
/// dots, blanks, "R$", a sign that is not first) is dropped. "1.234,56" -> 1234.56,
/// "R$ -5,00" -> 5, "1,2,3" -> 12.3. Fails when nothing numeric is left ("", "R$", ",").
Result<double> moneyFromText(const QString& text, QChar decimalSeparator = u',');

/// A shown number as SQL number text: every "." removed, every "," turned into ".", all other
/// characters kept. "1.234,56" -> "1234.56".
QString numberTextForSql(const QString& text);

/// Whether a masked date field holds no digit ("  /  /    ", "//", "").
bool isEmptyDateText(const QString& text);

/// dd/mm/yyyy as SQL date text yyyy/mm/dd, by position; an empty date field gives
/// "0000/00/00" (the empty date update parameters take).
QString dateTextForSql(const QString& text);

/// Replaces the Portuguese accented letters by their plain letters: "SÃO LUÍS" -> "SAO LUIS".
QString withoutAccents(const QString& text);

/// CPF check digits; ".", "-" and "/" are skipped, any other non-digit or a length other than
/// 11 digits fails.
bool isValidCpf(const QString& text);
/// CNPJ check digits; same skipping; 14 digits.
bool isValidCnpj(const QString& text);

/// Money shown with the mask "#,##0.00" and Brazilian separators: 1234.5 -> "1.234,50".
QString moneyForDisplay(double value);
/// A plain two-decimal number with a point: 1234.5 -> "1234.50".
QString plainTwoDecimals(double value);
/// A code zero-padded to `width` digits: (42, 6) -> "000042".
QString zeroPadded(qint64 code, int width = 6);
/// The digits of a masked text ("12.345-678" -> "12345678").
QString digitsOnly(const QString& text);

} // namespace arvo
