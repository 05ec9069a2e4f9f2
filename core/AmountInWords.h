#pragma once

#include "platform/db/Result.h"

#include <QString>

namespace arvo {

/// The amount in reais in Portuguese words with the currency names, as receipts print it:
/// 1.00 -> "Um real", 0.50 -> "Cinquenta  centavos" (the tens word keeps its trailing blank).
/// The amount is rounded to whole cents first. Fails with "%g Valor fora da faixa %g..%g"
/// below 0.01 or above 4294967295.99.
Result<QString> amountInWords(double amount);

} // namespace arvo
