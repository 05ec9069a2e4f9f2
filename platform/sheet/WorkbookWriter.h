#pragma once

#include "platform/db/Result.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>

namespace arvo {

/// Writes an .xlsx workbook with one sheet. Rows and columns are numbered from 1. Texts are
/// written as texts, numbers as numbers, QDate as dates shown dd/mm/yyyy; numbers keep their
/// decimal point whatever the C library's locale.
class WorkbookWriter
{
public:
    explicit WorkbookWriter(const QString& path, const QString& sheetName = QStringLiteral("Plan1"));
    ~WorkbookWriter();
    WorkbookWriter(const WorkbookWriter&) = delete;
    WorkbookWriter& operator=(const WorkbookWriter&) = delete;

    void write(int row, int column, const QVariant& value, bool bold = false);
    /// Writes "0.00"-style numbers with two decimals ("#,##0.00").
    void writeMoney(int row, int column, double value);
    void setColumnWidth(int column, double width);
    /// Writes the file; nothing is on disk before this succeeds.
    Status save();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

/// The look of every export: the title in row 1 (bold), the headings in `headingRow` (bold,
/// row 3 unless a report says row 1) and the data below them.
Status writeExport(const QString& path, const QString& title, const QStringList& headings,
                   const QList<QVariantList>& rows, int headingRow = 3);

/// Opens a file with the desktop's associated application (the spreadsheet program for an
/// export); returns at once.
Status openWithDesktop(const QString& path);

} // namespace arvo
