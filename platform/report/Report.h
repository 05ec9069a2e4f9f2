#pragma once

#include "platform/db/Db.h"
#include "platform/db/Result.h"

#include <QDateTime>
#include <QPageLayout>
#include <QString>
#include <QStringList>

#include <functional>

class QPagedPaintDevice;
class QPainter;
class QPrinter;
class QWidget;

namespace arvo::report {

// A banded report over QPainter. Everything is laid out in millimetres with fixed band
// heights, never from device font metrics, so the preview, the printer and the PDF file break
// pages at the same rows.

enum class Align { Left, Right, Center };

/// How a column shows its value.
enum class Mask {
    Text,    ///< the value as text
    Money,   ///< "#,##0.00", Brazilian separators
    Date,    ///< dd/mm/yyyy; the zero date and invalid dates are empty
    Integer, ///< a whole number
};

/// One detail column: heading, position and width in mm from the left margin, and where the
/// value comes from (a field of the row, or a function).
struct Column
{
    QString heading;
    QString field;
    double x = 0;
    double width = 20;
    Mask mask = Mask::Text;
    Align align = Align::Left;
    std::function<QString(const Row&)> text; ///< overrides field and mask when set
};

/// A group of consecutive rows with the same key: a heading before them and, optionally, a
/// footer after them.
struct Group
{
    std::function<QString(const Row&)> key;
    std::function<QString(const Row&)> header;
    std::function<QString(const QList<Row>&)> footer; ///< may be empty
};

/// What a report shows. Later reports declare one of these and hand it their rows.
struct ReportDef
{
    QString title;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    /// The common page header: "Data       :", "Hora       :", "Página    :".
    bool standardHeader = true;
    /// "Página    : n de N" instead of "Página    : n".
    bool pageCount = true;
    /// The footer line with the product name "VELMOR".
    bool productFooter = false;
    /// Lines printed at the foot of every page (a legend).
    QStringList footerLines;
    QList<Column> columns;
    std::optional<Group> group;
    /// A line after the last row; may be empty.
    std::function<QString(const Rows&)> summary;
    double fontPoints = 8;
    double detailHeight = 4.2; ///< mm
    double margin = 10;        ///< mm, all sides
};

/// One laid-out line of a page, in mm from the page's top-left corner.
struct Item
{
    enum Kind { Title, HeaderInfo, Headings, Detail, GroupHeader, GroupFooter, Summary, Footer };
    Kind kind;
    double y;
    int row = -1;   ///< Detail: the row index
    QString text;   ///< other kinds: the text to draw
};

struct Layout
{
    QList<QList<Item>> pages;
    int pageCount() const { return int(pages.size()); }
};

/// A report bound to its rows, ready to be drawn on any paged device.
class Report
{
public:
    Report(ReportDef def, Rows rows, QDateTime printedAt = QDateTime::currentDateTime());

    const Layout& layout() const { return m_layout; }
    int pageCount() const { return m_layout.pageCount(); }
    const ReportDef& definition() const { return m_def; }

    /// Draws every page on `device` (one newPage() between pages). The device's page layout
    /// is set to A4 in the report's orientation without margins.
    Status render(QPagedPaintDevice& device) const;
    /// Writes the report to a PDF file.
    Status writePdf(const QString& path) const;
    /// Prints on `printer` as configured.
    Status print(QPrinter& printer) const;
    /// Shows the print preview, from which the user prints. Modal.
    void preview(QWidget* parent = nullptr) const;

private:
    void paintPage(QPainter& painter, int page, double dotsPerMm) const;
    QString cellText(const Column& column, const Row& row) const;

    ReportDef m_def;
    Rows m_rows;
    QDateTime m_printedAt;
    Layout m_layout;
};

/// Rows built in memory (report data that does not come from a query).
Rows rowsOf(const QStringList& columns, const QList<QVariantList>& values);

/// A value shown with a mask.
QString formatValue(const QVariant& value, Mask mask);

} // namespace arvo::report
