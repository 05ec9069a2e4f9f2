#pragma once

#include "platform/db/Result.h"

#include <QDate>
#include <QString>
#include <QVariant>

#include <optional>
#include <vector>

namespace arvo {

/// One sheet of a workbook read into memory. Rows and columns are numbered from 1, as the
/// statement layouts give them; reading outside the data gives an empty cell.
class Sheet
{
public:
    enum class Kind { Empty, Text, Number, Date };

    struct Cell
    {
        Kind kind = Kind::Empty;
        QString text;      ///< the text as read (for numbers and dates: their text)
        double number = 0; ///< numbers; dates as their serial number (days since 30/12/1899)
    };

    int rowCount() const { return int(m_rows.size()); }
    int columnCount() const { return m_columns; }
    QString name() const { return m_name; }

    Kind kind(int row, int column) const { return cell(row, column).kind; }
    bool isEmpty(int row, int column) const;
    /// The cell as text: empty text for an empty cell; a whole number without decimals
    /// ("12345678901"), other numbers with a decimal point; dates as dd/mm/yyyy.
    QString text(int row, int column) const;
    /// The cell as a number: 0 for an empty cell or a text that is not a number; texts are
    /// read with a decimal point or the Brazilian comma ("1.234,56").
    double number(int row, int column) const;
    /// The number rounded to the nearest integer.
    qint64 integer(int row, int column) const;
    /// A date cell, a serial number, or a text dd/mm/yyyy or yyyy-mm-dd; nothing otherwise.
    std::optional<QDate> date(int row, int column) const;

    const Cell& cell(int row, int column) const;

    // Filled by the readers.
    void setName(const QString& name) { m_name = name; }
    void set(int row, int column, Cell cell);

private:
    QString m_name;
    std::vector<std::vector<Cell>> m_rows;
    int m_columns = 0;
};

/// Reads the active sheet (or the first) of a workbook: .xlsx, .ods, .csv or the legacy .xls,
/// told apart by their content. An unreadable, truncated or unknown file gives an Error whose
/// message names the file.
Result<Sheet> readSheet(const QString& path);

/// The serial day number of spreadsheets (1 = 31/12/1899) as a date.
QDate dateFromSerial(double serial);
double serialFromDate(const QDate& date);

} // namespace arvo
