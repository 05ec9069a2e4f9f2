#include "platform/sheet/WorkbookWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <xlsxwriter.h>

#include <clocale>
#include <locale.h>

namespace arvo {

struct WorkbookWriter::Impl
{
    QString path;
    QByteArray tempPath;
    lxw_workbook* workbook = nullptr;
    lxw_worksheet* sheet = nullptr;
    lxw_format* bold = nullptr;
    lxw_format* date = nullptr;
    lxw_format* money = nullptr;
    lxw_error firstError = LXW_NO_ERROR;

    void note(lxw_error e)
    {
        if (e != LXW_NO_ERROR && firstError == LXW_NO_ERROR)
            firstError = e;
    }
};

WorkbookWriter::WorkbookWriter(const QString& path, const QString& sheetName)
    : m_impl(std::make_unique<Impl>())
{
    m_impl->path = path;
    // Written beside the target and renamed, so a failure never leaves a truncated export.
    m_impl->tempPath = QFile::encodeName(path + QStringLiteral(".part"));
    m_impl->workbook = workbook_new(m_impl->tempPath.constData());
    if (!m_impl->workbook)
        return;
    const QByteArray name = sheetName.toUtf8();
    m_impl->sheet = workbook_add_worksheet(m_impl->workbook, name.constData());
    m_impl->bold = workbook_add_format(m_impl->workbook);
    format_set_bold(m_impl->bold);
    m_impl->date = workbook_add_format(m_impl->workbook);
    format_set_num_format(m_impl->date, "dd/mm/yyyy");
    m_impl->money = workbook_add_format(m_impl->workbook);
    format_set_num_format(m_impl->money, "#,##0.00");
}

WorkbookWriter::~WorkbookWriter()
{
    if (m_impl->workbook) {
        // Never saved: drop what libxlsxwriter holds without leaving a file behind.
        workbook_close(m_impl->workbook);
        QFile::remove(QFile::decodeName(m_impl->tempPath));
    }
}

void WorkbookWriter::write(int row, int column, const QVariant& value, bool bold)
{
    if (!m_impl->sheet || row < 1 || column < 1 || value.isNull())
        return;
    const auto r = lxw_row_t(row - 1);
    const auto c = lxw_col_t(column - 1);
    lxw_format* fmt = bold ? m_impl->bold : nullptr;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        m_impl->note(worksheet_write_number(m_impl->sheet, r, c, value.toDouble(), fmt));
        break;
    case QMetaType::QDate: {
        const QDate d = value.toDate();
        if (!d.isValid())
            return;
        lxw_datetime dt{d.year(), d.month(), d.day(), 0, 0, 0.0};
        m_impl->note(worksheet_write_datetime(m_impl->sheet, r, c, &dt, m_impl->date));
        break;
    }
    default: {
        const QByteArray text = value.toString().toUtf8();
        m_impl->note(worksheet_write_string(m_impl->sheet, r, c, text.constData(), fmt));
        break;
    }
    }
}

void WorkbookWriter::writeMoney(int row, int column, double value)
{
    if (!m_impl->sheet || row < 1 || column < 1)
        return;
    m_impl->note(worksheet_write_number(m_impl->sheet, lxw_row_t(row - 1),
                                        lxw_col_t(column - 1), value, m_impl->money));
}

void WorkbookWriter::setColumnWidth(int column, double width)
{
    if (m_impl->sheet && column >= 1)
        worksheet_set_column(m_impl->sheet, lxw_col_t(column - 1), lxw_col_t(column - 1), width,
                             nullptr);
}

Status WorkbookWriter::save()
{
    if (!m_impl->workbook)
        return Error{QStringLiteral("Não foi possível criar a planilha %1.").arg(m_impl->path), {}};
    // The XML is written with printf: numbers must get a decimal point whatever the user's
    // locale, so this thread writes under the C numeric locale.
    locale_t c = newlocale(LC_NUMERIC_MASK, "C", locale_t(nullptr));
    locale_t previous = c ? uselocale(c) : locale_t(nullptr);
    const lxw_error closed = workbook_close(m_impl->workbook);
    if (c) {
        uselocale(previous);
        freelocale(c);
    }
    m_impl->workbook = nullptr;
    const QString temp = QFile::decodeName(m_impl->tempPath);
    const lxw_error e = m_impl->firstError != LXW_NO_ERROR ? m_impl->firstError : closed;
    if (e != LXW_NO_ERROR) {
        QFile::remove(temp);
        return Error{QStringLiteral("Não foi possível gravar a planilha %1.").arg(m_impl->path),
                     QString::fromUtf8(lxw_strerror(e))};
    }
    QFile::remove(m_impl->path);
    if (!QFile::rename(temp, m_impl->path)) {
        QFile::remove(temp);
        return Error{QStringLiteral("Não foi possível gravar a planilha %1.").arg(m_impl->path),
                     {}};
    }
    return {};
}

Status writeExport(const QString& path, const QString& title, const QStringList& headings,
                   const QList<QVariantList>& rows, int headingRow)
{
    WorkbookWriter w(path);
    w.write(1, 1, title, true);
    for (int c = 0; c < headings.size(); ++c)
        w.write(headingRow, c + 1, headings[c], true);
    int r = headingRow + 1;
    for (const QVariantList& row : rows) {
        for (int c = 0; c < row.size(); ++c)
            w.write(r, c + 1, row[c]);
        ++r;
    }
    return w.save();
}

Status openWithDesktop(const QString& path)
{
    if (!QProcess::startDetached(QStringLiteral("xdg-open"), {QFileInfo(path).absoluteFilePath()}))
        return Error{QStringLiteral("Não foi possível abrir %1.").arg(path),
                     QStringLiteral("xdg-open")};
    return {};
}

} // namespace arvo
