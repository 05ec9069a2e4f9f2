#include "platform/report/Report.h"

#include <QFileInfo>
#include <QFont>
#include <QLocale>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <cmath>

namespace arvo::report {

namespace {

// Band heights in mm.
constexpr double kHeaderHeight = 14;
constexpr double kHeadingsHeight = 5.5;
constexpr double kGroupHeaderHeight = 6;
constexpr double kGroupFooterHeight = 5;
constexpr double kSummaryHeight = 6;
constexpr double kFooterLineHeight = 4;

QSizeF pageSizeMm(QPageLayout::Orientation orientation)
{
    const QSizeF a4 = QPageSize(QPageSize::A4).size(QPageSize::Millimeter);
    return orientation == QPageLayout::Landscape ? a4.transposed() : a4;
}

double footerHeight(const ReportDef& def)
{
    const int lines = int(def.footerLines.size()) + (def.productFooter ? 1 : 0);
    return lines == 0 ? 0 : 2 + lines * kFooterLineHeight;
}

double bodyTop(const ReportDef& def)
{
    return def.margin + kHeaderHeight + (def.columns.isEmpty() ? 0 : kHeadingsHeight);
}

Layout layOut(const ReportDef& def, const Rows& rows)
{
    const QSizeF page = pageSizeMm(def.orientation);
    const double top = bodyTop(def);
    const double bottom = page.height() - def.margin - footerHeight(def);
    Layout layout;
    layout.pages.append(QList<Item>());
    double y = top;
    auto place = [&](Item item, double height, double keepWith = 0) {
        if (y + height + keepWith > bottom && y > top) {
            layout.pages.append(QList<Item>());
            y = top;
        }
        item.y = y;
        layout.pages.last().append(std::move(item));
        y += height;
    };

    QString currentKey;
    QList<Row> groupRows;
    bool inGroup = false;
    auto closeGroup = [&]() {
        if (inGroup && def.group->footer)
            place({Item::GroupFooter, 0, -1, def.group->footer(groupRows)}, kGroupFooterHeight);
        groupRows.clear();
    };
    for (int i = 0; i < rows.size(); ++i) {
        const Row& row = rows[i];
        if (def.group) {
            const QString key = def.group->key(row);
            if (!inGroup || key != currentKey) {
                closeGroup();
                // A heading never sits alone at the foot of a page.
                place({Item::GroupHeader, 0, -1, def.group->header(row)}, kGroupHeaderHeight,
                      def.detailHeight);
                currentKey = key;
                inGroup = true;
            }
            groupRows.append(row);
        }
        place({Item::Detail, 0, i, {}}, def.detailHeight);
    }
    if (def.group)
        closeGroup();
    if (def.summary)
        place({Item::Summary, 0, -1, def.summary(rows)}, kSummaryHeight);
    return layout;
}

int textFlags(Align align)
{
    const int h = align == Align::Right    ? Qt::AlignRight
                  : align == Align::Center ? Qt::AlignHCenter
                                           : Qt::AlignLeft;
    return h | Qt::AlignVCenter | Qt::TextSingleLine;
}

} // namespace

QString formatValue(const QVariant& value, Mask mask)
{
    static const QLocale brazil(QLocale::Portuguese, QLocale::Brazil);
    if (value.isNull())
        return {};
    switch (mask) {
    case Mask::Money: {
        const double cents = std::round(value.toDouble() * 100.0) / 100.0;
        return brazil.toString(cents == 0.0 ? 0.0 : cents, 'f', 2);
    }
    case Mask::Date: {
        const QDate d = value.toDate();
        return d.isValid() && d != QDate(1899, 12, 30) ? d.toString(QStringLiteral("dd/MM/yyyy"))
                                                       : QString();
    }
    case Mask::Integer:
        return QString::number(value.toLongLong());
    case Mask::Text:
        break;
    }
    return value.toString();
}

Rows rowsOf(const QStringList& columns, const QList<QVariantList>& values)
{
    auto index = std::make_shared<QHash<QString, int>>();
    for (int i = 0; i < columns.size(); ++i)
        index->insert(columns[i].toLower(), i);
    std::shared_ptr<const QHash<QString, int>> shared = index;
    Rows rows;
    rows.columns = columns;
    rows.rows.reserve(values.size());
    for (const QVariantList& v : values)
        rows.rows.append(Row(shared, v));
    return rows;
}

Report::Report(ReportDef def, Rows rows, QDateTime printedAt)
    : m_def(std::move(def)), m_rows(std::move(rows)), m_printedAt(std::move(printedAt)),
      m_layout(layOut(m_def, m_rows))
{
}

QString Report::cellText(const Column& column, const Row& row) const
{
    if (column.text)
        return column.text(row);
    return formatValue(row.value(column.field), column.mask);
}

void Report::paintPage(QPainter& p, int page, double d) const
{
    const QSizeF size = pageSizeMm(m_def.orientation);
    const double left = m_def.margin;
    const double width = size.width() - 2 * m_def.margin;
    auto rect = [d](double x, double y, double w, double h) {
        return QRectF(x * d, y * d, w * d, h * d);
    };
    auto hline = [&](double y) { p.drawLine(QPointF(left * d, y * d), QPointF((left + width) * d, y * d)); };

    QFont normal(QStringLiteral("DejaVu Sans"));
    normal.setPointSizeF(m_def.fontPoints);
    QFont bold = normal;
    bold.setBold(true);
    QFont titleFont = bold;
    titleFont.setPointSizeF(m_def.fontPoints + 4);

    // Page header: title in the middle, print date, time and page at the right.
    double y = m_def.margin;
    // The title keeps clear of the date/time/page block at the right.
    const double infoWidth = m_def.standardHeader ? 45 : 0;
    p.setFont(titleFont);
    p.drawText(rect(left, y, width - infoWidth, 8), textFlags(Align::Center), m_def.title);
    if (m_def.standardHeader) {
        p.setFont(normal);
        const QString pageText = m_def.pageCount
                                     ? QStringLiteral("%1 de %2").arg(page + 1).arg(pageCount())
                                     : QString::number(page + 1);
        const QStringList info{
            QStringLiteral("Data       : ") + m_printedAt.date().toString(QStringLiteral("dd/MM/yyyy")),
            QStringLiteral("Hora       : ") + m_printedAt.time().toString(QStringLiteral("HH:mm:ss")),
            QStringLiteral("Página    : ") + pageText};
        for (int i = 0; i < info.size(); ++i)
            p.drawText(rect(left + width - infoWidth, y + i * 4, infoWidth, 4), textFlags(Align::Left), info[i]);
    }
    y += kHeaderHeight;
    hline(y - 1);

    if (!m_def.columns.isEmpty()) {
        p.setFont(bold);
        for (const Column& c : m_def.columns)
            p.drawText(rect(left + c.x, y, c.width, kHeadingsHeight - 1), textFlags(c.align),
                       c.heading);
        hline(y + kHeadingsHeight - 0.5);
    }

    for (const Item& item : m_layout.pages.at(page)) {
        switch (item.kind) {
        case Item::Detail: {
            p.setFont(normal);
            const Row& row = m_rows[item.row];
            for (const Column& c : m_def.columns)
                p.drawText(rect(left + c.x, item.y, c.width, m_def.detailHeight),
                           textFlags(c.align), cellText(c, row));
            break;
        }
        case Item::GroupHeader:
            p.setFont(bold);
            p.drawText(rect(left, item.y + 1, width, kGroupHeaderHeight - 1),
                       textFlags(Align::Left), item.text);
            break;
        case Item::GroupFooter:
        case Item::Summary:
            p.setFont(bold);
            hline(item.y + 0.5);
            p.drawText(rect(left, item.y + 0.5, width, kGroupFooterHeight - 0.5),
                       textFlags(Align::Right), item.text);
            break;
        default:
            break;
        }
    }

    // Page footer: the legend lines, then the product name.
    const double footer = footerHeight(m_def);
    if (footer > 0) {
        double fy = size.height() - m_def.margin - footer;
        hline(fy + 1);
        fy += 2;
        p.setFont(normal);
        for (const QString& line : m_def.footerLines) {
            p.drawText(rect(left, fy, width, kFooterLineHeight), textFlags(Align::Left), line);
            fy += kFooterLineHeight;
        }
        if (m_def.productFooter) {
            p.setFont(bold);
            p.drawText(rect(left, fy, width, kFooterLineHeight), textFlags(Align::Center),
                       QStringLiteral("VELMOR"));
        }
    }
}

Status Report::render(QPagedPaintDevice& device) const
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), m_def.orientation,
                                     QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    QPainter painter;
    if (!painter.begin(&device))
        return Error{QStringLiteral("Não foi possível iniciar a impressão do relatório."), {}};
    const double dotsPerMm = device.logicalDpiX() / 25.4;
    QPen pen = painter.pen();
    pen.setWidthF(0.2 * dotsPerMm);
    painter.setPen(pen);
    for (int page = 0; page < pageCount(); ++page) {
        if (page > 0)
            device.newPage();
        paintPage(painter, page, dotsPerMm);
    }
    painter.end();
    return {};
}

Status Report::writePdf(const QString& path) const
{
    QPdfWriter writer(path);
    writer.setResolution(300);
    writer.setTitle(m_def.title);
    writer.setCreator(QStringLiteral("Velmor Arvo"));
    const Status rendered = render(writer);
    if (!rendered)
        return rendered;
    if (!QFileInfo::exists(path))
        return Error{QStringLiteral("Não foi possível gravar o arquivo %1.").arg(path), {}};
    return {};
}

Status Report::print(QPrinter& printer) const
{
    printer.setFullPage(true);
    return render(printer);
}

void Report::preview(QWidget* parent) const
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    printer.setPageOrientation(m_def.orientation);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(m_def.title);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [this](QPrinter* target) { (void)print(*target); });
    dialog.exec();
}

} // namespace arvo::report
