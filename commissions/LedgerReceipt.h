#pragma once

#include "commissions/SellerLedger.h"
#include "platform/db/Result.h"

#include <QDate>
#include <QString>

namespace arvo {

/// The texts of the receipt a producer signs for a ledger payment.
struct LedgerReceipt
{
    QString title;     ///< "RECIBO - Nº: 00042/2024"
    QString body;      ///< "Recebi da ..., a importância de R$ ... (...), ...,  referente a(o) ..."
    QString amount;    ///< "Valor R$ 1.234,56"
    QString signature; ///< the producer's nickname
    QString cpf;       ///< "CPF: 529.982.247-25"
    QString dateLine;  ///< "São Luís, 05 de março de 2024"
};

struct LedgerReceiptInput
{
    int number = 0;
    QString razaoSocial;
    double amount = 0;
    LedgerPayment payment = LedgerPayment::Cash;
    QString chequeNumber;
    QString historico;
    QString producerNickname;
    QString producerCpf; ///< 11 digits
    QString city;        ///< the receipt's city (configuration)
    QDate date;
};

/// Fails only when the amount cannot be written in words (below one cent).
Result<LedgerReceipt> ledgerReceipt(const LedgerReceiptInput& input);

/// "05 de março de 2024".
QString longDate(const QDate& date);

} // namespace arvo
