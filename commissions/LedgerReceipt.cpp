#include "commissions/LedgerReceipt.h"

#include "core/AmountInWords.h"
#include "core/InputHelpers.h"

namespace arvo {

QString longDate(const QDate& date)
{
    static const char* const months[] = {"janeiro", "fevereiro", "março",    "abril",
                                         "maio",    "junho",     "julho",    "agosto",
                                         "setembro", "outubro",  "novembro", "dezembro"};
    return QStringLiteral("%1 de %2 de %3")
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(QString::fromUtf8(months[date.month() - 1]))
        .arg(date.year());
}

Result<LedgerReceipt> ledgerReceipt(const LedgerReceiptInput& in)
{
    auto words = amountInWords(in.amount);
    if (!words)
        return words.error();
    QString payment;
    switch (in.payment) {
    case LedgerPayment::Cheque: payment = QStringLiteral("CHEQUE Nº ") + in.chequeNumber; break;
    case LedgerPayment::Transfer: payment = QStringLiteral("TRANSFERÊNCIA BANCÁRIA"); break;
    default: payment = QStringLiteral("DINHEIRO"); break;
    }
    const QString money = moneyForDisplay(in.amount);
    LedgerReceipt r;
    r.title = QStringLiteral("RECIBO - Nº: %1/%2")
                  .arg(in.number, 5, 10, QLatin1Char('0'))
                  .arg(in.date.year());
    r.body = QStringLiteral("Recebi da ") + in.razaoSocial + QStringLiteral(", a importância de R$ ") +
             money + QStringLiteral(" (") + *words + QStringLiteral("), ") + payment +
             QStringLiteral(",  referente a(o) ") + in.historico;
    r.amount = QStringLiteral("Valor R$ ") + money;
    r.signature = in.producerNickname;
    const QString cpf = digitsOnly(in.producerCpf);
    r.cpf = QStringLiteral("CPF: ") +
            (cpf.size() == 11 ? QStringLiteral("%1.%2.%3-%4")
                                    .arg(cpf.mid(0, 3), cpf.mid(3, 3), cpf.mid(6, 3), cpf.mid(9, 2))
                              : cpf);
    r.dateLine = in.city + QStringLiteral(", ") + longDate(in.date);
    return r;
}

} // namespace arvo
