#include "commissions/StatementLayout.h"

#include <QRegularExpression>

namespace arvo {

StatementLayout layoutById(LayoutId id, bool pme)
{
    StatementLayout l;
    l.id = id;
    switch (id) {
    case LayoutId::Qualicorp:
        l.auditName = QStringLiteral("QUALICORP");
        l.firstRow = 2;
        l.keyColumn = 2;
        l.dateColumn = 3;
        l.nameColumn = 12;
        l.baseColumns = {16};
        l.paidColumn = 20;
        l.installmentColumn = 22;
        l.groupByKeyOnly = true;
        l.match = ProposalMatch::AdministratorProposal;
        l.receivableKey = ReceivableKey::Doc;
        break;
    case LayoutId::Affix:
        l.auditName = QStringLiteral("AFFIX");
        l.firstRow = 2;
        l.keyColumn = 6;
        l.dateColumn = 9;
        l.installmentColumn = 11;
        l.baseColumns = {14};
        l.paidColumn = 17;
        l.groupByKeyOnly = true;
        l.match = ProposalMatch::AdministratorProposal;
        l.receivableKey = ReceivableKey::Doc;
        break;
    case LayoutId::Unihosp:
        l.auditName = QStringLiteral("UniHosp");
        l.firstRow = 10;
        l.keyColumn = 2;
        l.installmentColumn = 6;
        l.dateColumn = 9;
        l.baseColumns = {14};
        l.paidColumn = 15;
        l.match = ProposalMatch::InsurerContract;
        l.mode = ReceivableMode::Settle;
        l.receivableKey = ReceivableKey::Nf;
        break;
    case LayoutId::HumanaNew:
        l.auditName = QStringLiteral("Humana");
        l.firstRow = 2;
        l.keyColumn = 1;
        l.nameColumn = 2;
        l.installmentColumn = 8;
        l.dateColumn = 10;
        l.baseColumns = {12};
        l.paidColumn = 13;
        l.receivableKey = ReceivableKey::NfForPmeElseDoc;
        break;
    case LayoutId::HumanaOld:
        l.auditName = QStringLiteral("Humana");
        l.firstRow = 2;
        l.keyColumn = 10;
        l.nameColumn = 14;
        l.dateColumn = 19;
        l.installmentColumn = 22;
        l.baseColumns = {25};
        l.paidColumn = 28;
        l.receivableKey = ReceivableKey::NfForPmeElseDoc;
        break;
    case LayoutId::Geap:
        l.auditName = QStringLiteral("Geap");
        l.firstRow = 24;
        l.keyColumn = 5;
        l.nameColumn = 2;
        l.baseColumns = {13, 16};
        l.dateColumn = 14;
        l.installmentColumn = 19;
        l.paidColumn = 22;
        l.match = ProposalMatch::InsurerContract;
        l.creditCheckByInsurer = false;
        l.receivableKey = ReceivableKey::Nf;
        break;
    case LayoutId::SulAmerica:
        l.auditName = QStringLiteral("SulAmerica");
        l.firstRow = 2;
        l.keyColumn = 25;
        l.dateColumn = 1;
        l.nameColumn = 6;
        l.installmentColumn = 8;
        l.baseColumns = {10};
        l.paidColumn = 11;
        l.receivableKey = ReceivableKey::NfForPmeElseDoc;
        break;
    case LayoutId::Hapvida:
        l.auditName = QStringLiteral("Hapvida");
        l.firstRow = 2;
        l.keyColumn = pme ? 8 : 16;
        l.dateColumn = 11;
        l.baseColumns = {12};
        l.paidColumn = 15;
        l.installmentColumn = 18;
        l.groupKeyLength = 12;
        l.match = ProposalMatch::InsurerPrefix;
        l.receivableKey = ReceivableKey::DocOrNf;
        break;
    case LayoutId::Medplan:
        l.auditName = QStringLiteral("MEDPLAN");
        l.firstRow = 2;
        l.keyColumn = 10;
        l.nameColumn = 14;
        l.dateColumn = 19;
        l.installmentColumn = 22;
        l.baseColumns = {25};
        l.paidColumn = 28;
        l.mode = ReceivableMode::Settle;
        l.receivableKey = ReceivableKey::Doc;
        break;
    case LayoutId::MultiInsurer:
        l.auditName = QStringLiteral("Adms");
        l.firstRow = 6;
        l.keyColumn = 4;
        l.dateColumn = 9;
        l.wholeDateText = true;
        l.installmentColumn = 16;
        l.baseColumns = {17};
        l.paidColumn = 23;
        l.match = ProposalMatch::AnyInsurerProposal;
        l.mode = ReceivableMode::Settle;
        l.receivableKey = ReceivableKey::Doc;
        break;
    }
    return l;
}

std::optional<StatementLayout> administratorLayout(const QString& administrator)
{
    if (administrator == QLatin1String("QUALICORP"))
        return layoutById(LayoutId::Qualicorp);
    if (administrator == QLatin1String("AFFIX"))
        return layoutById(LayoutId::Affix);
    return std::nullopt;
}

std::optional<StatementLayout> insurerLayout(const QString& insurer, bool oldLayout, bool pme)
{
    if (insurer == QLatin1String("UNIHOSP"))
        return layoutById(LayoutId::Unihosp);
    if (insurer == QLatin1String("SUL AMERICA"))
        return layoutById(LayoutId::SulAmerica);
    if (insurer.left(7) == QLatin1String("HAPVIDA"))
        return layoutById(LayoutId::Hapvida, pme);
    if (insurer.left(6) == QLatin1String("HUMANA"))
        return layoutById(oldLayout ? LayoutId::HumanaOld : LayoutId::HumanaNew);
    if (insurer == QLatin1String("GEAP SAUDE"))
        return layoutById(LayoutId::Geap);
    if (insurer.left(7) == QLatin1String("MEDPLAN"))
        return layoutById(LayoutId::Medplan);
    return std::nullopt;
}

StatementLayout multiInsurerLayout()
{
    return layoutById(LayoutId::MultiInsurer);
}

namespace {

Error notInLayout(const QString& fileName, const StatementLayout& layout, int row, int column,
                  const QString& what, const QString& text)
{
    return Error{QStringLiteral("O arquivo %1 não está no layout %2: linha %3, coluna %4 deveria "
                                "conter %5.")
                     .arg(fileName, layout.auditName)
                     .arg(row)
                     .arg(column)
                     .arg(what),
                 QStringLiteral("conteúdo: \"%1\"").arg(text.left(40))};
}

/// An amount or installment cell; empty counts as 0, a text must look like a number.
std::optional<double> numberCell(const Sheet& sheet, int row, int column)
{
    if (column <= 0)
        return 0.0;
    switch (sheet.kind(row, column)) {
    case Sheet::Kind::Empty:
        return 0.0;
    case Sheet::Kind::Number:
        return sheet.number(row, column);
    case Sheet::Kind::Date:
        return std::nullopt;
    case Sheet::Kind::Text:
        break;
    }
    static const QRegularExpression numeric(QStringLiteral("^[-+]?[0-9.,]*[0-9][0-9.,]*$"));
    const QString t = sheet.text(row, column).trimmed();
    if (t.isEmpty())
        return 0.0;
    if (!numeric.match(t).hasMatch())
        return std::nullopt;
    return sheet.number(row, column);
}

/// The line's date; an empty cell is no date, anything unreadable is an error (nullopt).
std::optional<std::optional<QDate>> dateCell(const Sheet& sheet, int row, int column, bool whole)
{
    if (column <= 0)
        return std::optional<QDate>();
    const Sheet::Kind kind = sheet.kind(row, column);
    if (kind == Sheet::Kind::Empty)
        return std::optional<QDate>();
    if (kind == Sheet::Kind::Text) {
        const QString t = sheet.text(row, column).trimmed();
        if (t.isEmpty())
            return std::optional<QDate>();
        const QString part = whole ? t : t.left(10);
        for (const char* format : {"dd/MM/yyyy", "yyyy-MM-dd"}) {
            const QDate d = QDate::fromString(part, QString::fromLatin1(format));
            if (d.isValid())
                return std::optional<QDate>(d);
        }
        return std::nullopt;
    }
    const auto d = sheet.date(row, column);
    if (!d)
        return std::nullopt;
    return std::optional<QDate>(*d);
}

QString cleanKey(const StatementLayout& layout, const QString& raw, bool* skip)
{
    *skip = false;
    switch (layout.id) {
    case LayoutId::Unihosp:
        if (raw.startsWith(QLatin1String("ODC")))
            return raw.mid(3, 10).trimmed();
        return raw;
    case LayoutId::HumanaNew:
    case LayoutId::HumanaOld:
    case LayoutId::Geap:
    case LayoutId::SulAmerica:
        return raw.trimmed();
    case LayoutId::Medplan:
        return raw.mid(2, 20).trimmed();
    case LayoutId::MultiInsurer: {
        const int blank = raw.indexOf(QLatin1Char(' '));
        if (blank < 0) {
            *skip = true;
            return {};
        }
        return raw.left(blank);
    }
    case LayoutId::Qualicorp:
    case LayoutId::Affix:
    case LayoutId::Hapvida:
        break;
    }
    return raw;
}

} // namespace

Result<QList<StatementLine>> readStatement(const Sheet& sheet, const StatementLayout& layout,
                                           const QString& fileName)
{
    QList<StatementLine> lines;
    int row = layout.firstRow;
    for (; !sheet.text(row, layout.keyColumn).isEmpty(); ++row) {
        StatementLine line;
        line.sheetRow = row;
        bool skip = false;
        line.key = cleanKey(layout, sheet.text(row, layout.keyColumn), &skip);
        if (skip)
            continue;

        const auto installment = numberCell(sheet, row, layout.installmentColumn);
        if (!installment)
            return notInLayout(fileName, layout, row, layout.installmentColumn,
                               QStringLiteral("o número da parcela"),
                               sheet.text(row, layout.installmentColumn));
        line.installment = int(qRound64(*installment));
        for (int c : layout.baseColumns) {
            const auto base = numberCell(sheet, row, c);
            if (!base)
                return notInLayout(fileName, layout, row, c, QStringLiteral("o valor base"),
                                   sheet.text(row, c));
            line.base += *base;
        }
        const auto paid = numberCell(sheet, row, layout.paidColumn);
        if (!paid)
            return notInLayout(fileName, layout, row, layout.paidColumn,
                               QStringLiteral("o valor pago"), sheet.text(row, layout.paidColumn));
        line.paid = *paid;
        const auto date = dateCell(sheet, row, layout.dateColumn, layout.wholeDateText);
        if (!date)
            return notInLayout(fileName, layout, row, layout.dateColumn, QStringLiteral("uma data"),
                               sheet.text(row, layout.dateColumn));
        line.date = *date;
        if (layout.nameColumn > 0)
            line.name = sheet.text(row, layout.nameColumn).left(50);
        if (layout.id == LayoutId::Unihosp)
            line.obs = QStringLiteral("OK");

        // Lines that carry nothing to write off for these sources.
        if (layout.id == LayoutId::Hapvida && line.paid <= 0)
            continue;
        if ((layout.id == LayoutId::Qualicorp || layout.id == LayoutId::Affix) && line.base == 0)
            continue;
        // retorno.apolice is 20 characters wide; a longer key cannot be stored.
        line.key = line.key.left(20);
        lines << line;
    }
    if (row == layout.firstRow)
        return Error{QStringLiteral("O arquivo %1 não tem linhas no layout %2: a coluna %3 da linha "
                                    "%4 está vazia.")
                         .arg(fileName, layout.auditName)
                         .arg(layout.keyColumn)
                         .arg(layout.firstRow),
                     {}};
    return lines;
}

} // namespace arvo
