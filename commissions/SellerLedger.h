#pragma once

#include "platform/db/Db.h"

#include <QDate>
#include <QString>

#include <optional>

namespace arvo {

/// What the producer's ledger listing filters by. With a producer and a period the listing
/// carries a running balance; otherwise only the filled filters apply.
struct LedgerFilter
{
    QDate start;
    QDate end;
    int producer = 0;   ///< conta_produtor.repasse; 0 for none
    QString insured;    ///< insured name: a prefix with a producer and period, else "contains"
    QString historico;  ///< contains
    QString proposta;   ///< whole
    QString apolice;    ///< whole
};

struct LedgerListing
{
    Rows rows;                 ///< in date-then-code order, with saldo when balanced
    bool balanced = false;
    double openingBalance = 0; ///< credits minus debits before the period
};

/// Opening the ledger screen: names the insured with code 0 "N/I" and removes, within the
/// period, zero-value "Pgto Com" credits and zero-value production-charge debits.
Status ledgerHousekeeping(Db& db, const QDate& start, const QDate& end);

/// Credits minus debits of the producer's rows dated before `start` (each sum 0 when not
/// above 0).
Result<double> openingBalance(Db& db, int producer, const QDate& start);

/// Lists the ledger. With a producer and a period the running balance of the listed rows is
/// computed from the opening balance and stored in their saldo column, in one statement.
Result<LedgerListing> listLedger(Db& db, const LedgerFilter& filter);

/// How a manual ledger entry was paid.
enum class LedgerPayment { None, Cash, Transfer, Cheque };

/// A manual credit or debit typed on the ledger screen.
struct LedgerEntry
{
    QDate data;
    int producer = 0;              ///< vendedor and repasse
    QString producerNickname;
    std::optional<int> segurado;   ///< insured code; 0 for none
    std::optional<int> seguradora; ///< insurer code
    QString proposta;              ///< looked up with the insurer for producao
    std::optional<double> comissao, desconto, taxa;
    std::optional<int> parcelas;
    double premio = 0;
    QString apolice;
    QString historico;             ///< stored cut to 50 characters
    std::optional<int> corretora;  ///< branch code
    bool credit = false;           ///< credit or debit
    double valor = 0;
    LedgerPayment payment = LedgerPayment::None;
    std::optional<int> ncheque;
    QString conta;                 ///< bank account code
};

/// Stores a manual entry with its audit row and its payment posting — a payable for a cheque,
/// a cash-book debit for cash or a transfer — all or nothing. Returns the new row's code.
Result<int> postLedgerEntry(Db& db, const LedgerEntry& entry, const QString& user);

/// Takes the next receipt number: parametros.recibo + 1, stored back. One atomic statement,
/// so two seats never get the same number.
Result<int> nextReceiptNumber(Db& db);

} // namespace arvo
