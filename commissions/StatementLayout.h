#pragma once

#include "platform/db/Result.h"
#include "platform/sheet/Sheet.h"

#include <QDate>
#include <QList>
#include <QString>

#include <optional>

namespace arvo {

/// Every commission statement layout the import knows.
enum class LayoutId {
    Qualicorp,
    Affix,
    Unihosp,
    HumanaNew,
    HumanaOld,
    Geap,
    SulAmerica,
    Hapvida,
    Medplan,
    MultiInsurer,
};

/// How a group of statement lines finds its proposal.
enum class ProposalMatch {
    AdministratorProposal,     ///< administradora and proposta
    InsurerContract,           ///< seguradora and contrato
    InsurerProposalOrContract, ///< seguradora and (proposta or contrato)
    InsurerPrefix,             ///< seguradora and (proposta or contrato) beginning with the key
    AnyInsurerProposal,        ///< proposta only
};

/// Which column of docreceber the statement key is compared with.
enum class ReceivableKey {
    Doc,          ///< doc = key
    Nf,           ///< nf = key
    DocOrNf,      ///< doc = key or nf = key
    NfForPmeElseDoc, ///< nf for line "01" proposals, doc for the others
};

enum class ReceivableMode {
    Replace, ///< delete the installment's receivable and write it again settled
    Settle,  ///< settle the one found, or write a settled one when there is none
};

/// Where a layout's values are and how its lines are grouped, matched and written off.
/// Columns and rows are 1-based; 0 means the layout has no such column.
struct StatementLayout
{
    LayoutId id = LayoutId::Qualicorp;
    QString auditName;   ///< "Baixar " + this in the import's audit row
    int firstRow = 2;
    int keyColumn = 0;   ///< reading stops at the first empty key
    int dateColumn = 0;
    bool wholeDateText = false; ///< the date is the cell's whole text, not its first 10 characters
    int nameColumn = 0;
    int installmentColumn = 0;
    QList<int> baseColumns; ///< summed
    int paidColumn = 0;
    bool groupByKeyOnly = false;
    int groupKeyLength = 0;   ///< keys are grouped and matched by their first N characters
    bool sumPaid = true;
    ProposalMatch match = ProposalMatch::InsurerProposalOrContract;
    bool creditCheckByInsurer = true;
    ReceivableMode mode = ReceivableMode::Replace;
    ReceivableKey receivableKey = ReceivableKey::Doc;
};

/// One line of a statement as read.
struct StatementLine
{
    int sheetRow = 0;
    QString key;
    int installment = 0;
    double base = 0;  ///< reais
    double paid = 0;  ///< reais
    std::optional<QDate> date;
    QString name;
    QString obs;      ///< what the layout stores on every line ("OK" for one of them)
};

/// The layout of a source: administrator "QUALICORP"/"AFFIX", an insurer by its name (with the
/// old HUMANA layout or the PME key of HAPVIDA when asked), or the multi-insurer sheet. Nothing
/// when the source has no layout.
std::optional<StatementLayout> administratorLayout(const QString& administrator);
std::optional<StatementLayout> insurerLayout(const QString& insurer, bool oldLayout, bool pme);
StatementLayout multiInsurerLayout();
StatementLayout layoutById(LayoutId id, bool pme = false);

/// Reads the statement lines of a sheet, with the layout's key cleaning and row filters. A cell
/// that should hold an amount, installment or date and holds something else gives an Error
/// naming the row and column (the file is not in this layout); so does a sheet without lines.
Result<QList<StatementLine>> readStatement(const Sheet& sheet, const StatementLayout& layout,
                                           const QString& fileName);

} // namespace arvo
