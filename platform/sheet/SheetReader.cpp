// Workbook readers: orcus for .xlsx, .ods and .csv, FreeXL for the legacy .xls.

#include "platform/sheet/Sheet.h"

#include <QFile>
#include <QFileInfo>

#include <freexl.h>
#include <ixion/address.hpp>
#include <ixion/cell_access.hpp>
#include <ixion/model_context.hpp>
#include <orcus/format_detection.hpp>
#include <orcus/orcus_csv.hpp>
#include <orcus/orcus_ods.hpp>
#include <orcus/orcus_xlsx.hpp>
#include <orcus/spreadsheet/document.hpp>
#include <orcus/spreadsheet/factory.hpp>
#include <orcus/spreadsheet/sheet.hpp>
#include <orcus/spreadsheet/view.hpp>

#include <exception>
#include <memory>

namespace arvo {

namespace {

Error unreadable(const QString& path, const QString& why)
{
    return Error{QStringLiteral("Não foi possível ler a planilha %1.")
                     .arg(QFileInfo(path).fileName()),
                 why};
}

bool isOle2(const QByteArray& head)
{
    static const char magic[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
    return head.startsWith(QByteArray(magic, 8));
}

Result<Sheet> readXls(const QString& path)
{
    const void* handle = nullptr;
    const QByteArray file = QFile::encodeName(path);
    int rc = freexl_open(file.constData(), &handle);
    auto closer = std::unique_ptr<const void, void (*)(const void*)>(
        handle, [](const void* h) {
            if (h)
                freexl_close(h);
        });
    if (rc != FREEXL_OK)
        return unreadable(path, QStringLiteral("FreeXL código %1").arg(rc));
    if (freexl_select_active_worksheet(handle, 0) != FREEXL_OK)
        return unreadable(path, QStringLiteral("a pasta não tem planilhas"));
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_worksheet_dimensions(handle, &rows, &columns) != FREEXL_OK)
        return unreadable(path, QStringLiteral("dimensões ilegíveis"));
    Sheet sheet;
    for (unsigned int r = 0; r < rows; ++r) {
        for (unsigned short c = 0; c < columns; ++c) {
            FreeXL_CellValue v;
            if (freexl_get_cell_value(handle, r, c, &v) != FREEXL_OK)
                return unreadable(path, QStringLiteral("célula %1,%2").arg(r + 1).arg(c + 1));
            Sheet::Cell cell;
            switch (v.type) {
            case FREEXL_CELL_INT:
                cell.kind = Sheet::Kind::Number;
                cell.number = v.value.int_value;
                break;
            case FREEXL_CELL_DOUBLE:
                cell.kind = Sheet::Kind::Number;
                cell.number = v.value.double_value;
                break;
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT:
            case FREEXL_CELL_TIME:
                cell.kind = Sheet::Kind::Text;
                cell.text = QString::fromUtf8(v.value.text_value);
                break;
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_DATETIME: {
                const QDate d = QDate::fromString(QString::fromLatin1(v.value.text_value).left(10),
                                                  QStringLiteral("yyyy-MM-dd"));
                cell.kind = Sheet::Kind::Date;
                cell.number = serialFromDate(d);
                break;
            }
            default: continue;
            }
            sheet.set(int(r) + 1, int(c) + 1, std::move(cell));
        }
    }
    return sheet;
}

Result<Sheet> readWithOrcus(const QString& path, orcus::format_t format)
{
    using namespace orcus;
    spreadsheet::range_size_t size{1048576, 16384};
    spreadsheet::document doc{size};
    spreadsheet::view view{doc};
    spreadsheet::import_factory factory{doc, view};
    const std::string file = QFile::encodeName(path).toStdString();
    try {
        switch (format) {
        case format_t::xlsx: {
            orcus_xlsx filter(&factory);
            filter.read_file(file);
            break;
        }
        case format_t::ods: {
            orcus_ods filter(&factory);
            filter.read_file(file);
            break;
        }
        default: {
            orcus_csv filter(&factory);
            filter.read_file(file);
            break;
        }
        }
    } catch (const std::exception& e) {
        return unreadable(path, QString::fromUtf8(e.what()));
    }
    if (doc.get_sheet_count() == 0)
        return unreadable(path, QStringLiteral("a pasta não tem planilhas"));
    spreadsheet::sheet_t index = view.get_active_sheet();
    if (index < 0 || size_t(index) >= doc.get_sheet_count())
        index = 0;
    const spreadsheet::sheet* sh = doc.get_sheet(index);
    const ixion::model_context& cxt = doc.get_model_context();
    Sheet sheet;
    sheet.setName(QString::fromUtf8(doc.get_sheet_name(index).data(),
                                    qsizetype(doc.get_sheet_name(index).size())));
    const ixion::abs_range_t range = sh->get_data_range();
    if (!range.valid())
        return sheet;
    try {
        for (ixion::row_t r = range.first.row; r <= range.last.row; ++r) {
            for (ixion::col_t c = range.first.column; c <= range.last.column; ++c) {
                const ixion::abs_address_t addr(index, r, c);
                const ixion::cell_access access = cxt.get_cell_access(addr);
                Sheet::Cell cell;
                switch (access.get_value_type()) {
                case ixion::cell_value_t::string: {
                    const std::string_view s = access.get_string_value();
                    cell.kind = Sheet::Kind::Text;
                    cell.text = QString::fromUtf8(s.data(), qsizetype(s.size()));
                    break;
                }
                case ixion::cell_value_t::numeric:
                case ixion::cell_value_t::boolean:
                    cell.kind = Sheet::Kind::Number;
                    cell.number = access.get_numeric_value();
                    break;
                default: continue;
                }
                sheet.set(int(r) + 1, int(c) + 1, std::move(cell));
            }
        }
    } catch (const std::exception& e) {
        return unreadable(path, QString::fromUtf8(e.what()));
    }
    return sheet;
}

} // namespace

Result<Sheet> readSheet(const QString& path)
{
    QFile f(path);
    if (!f.exists())
        return Error{QStringLiteral("Arquivo não encontrado: %1").arg(path), {}};
    if (!f.open(QIODevice::ReadOnly))
        return unreadable(path, f.errorString());
    const QByteArray head = f.read(4096);
    f.close();
    if (head.isEmpty())
        return unreadable(path, QStringLiteral("arquivo vazio"));
    if (isOle2(head))
        return readXls(path);
    orcus::format_t format = orcus::format_t::unknown;
    if (head.startsWith("PK")) {
        // Zip containers: tell the workbook kinds apart by what they hold.
        QFile whole(path);
        if (!whole.open(QIODevice::ReadOnly))
            return unreadable(path, whole.errorString());
        const QByteArray all = whole.readAll();
        try {
            format = orcus::detect(reinterpret_cast<const unsigned char*>(all.constData()),
                                   size_t(all.size()));
        } catch (const std::exception& e) {
            return unreadable(path, QString::fromUtf8(e.what()));
        }
        if (format != orcus::format_t::xlsx && format != orcus::format_t::ods)
            return unreadable(path, QStringLiteral("formato desconhecido"));
    } else if (path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive) ||
               path.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive)) {
        format = orcus::format_t::csv;
    } else {
        return unreadable(path, QStringLiteral("formato desconhecido"));
    }
    return readWithOrcus(path, format);
}

} // namespace arvo
