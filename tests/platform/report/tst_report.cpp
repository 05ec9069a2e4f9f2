#include "platform/report/Report.h"

#include <QApplication>
#include <QDir>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace arvo;
using namespace arvo::report;

class TestReport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void groupsPagesAndCounts();
    void previewPaginatesLikePdf();
    void landscapeA4();
    void masks_data();
    void masks();
};

namespace {

QString pdfText(const QString& path, const QString& mode = QStringLiteral("-raw"))
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {mode, path, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString pdfInfo(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {path});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// 130 rows in 4 groups of sizes 40, 50, 30, 10.
Rows sampleRows()
{
    QList<QVariantList> values;
    const QList<int> sizes{40, 50, 30, 10};
    int n = 0;
    for (int g = 0; g < sizes.size(); ++g)
        for (int i = 0; i < sizes[g]; ++i, ++n)
            values.append({QStringLiteral("GRUPO %1").arg(g + 1), QStringLiteral("LINHA %1").arg(n),
                           n * 1.5});
    return rowsOf({"grupo", "nome", "valor"}, values);
}

ReportDef sampleDef()
{
    ReportDef def;
    def.title = QStringLiteral("Relatório de Teste");
    def.productFooter = true;
    def.footerLines = {QStringLiteral("Legenda: X - Teste")};
    def.columns = {Column{"Nome", "nome", 0, 60, Mask::Text, Align::Left, {}},
                   Column{"Valor", "valor", 70, 30, Mask::Money, Align::Right, {}}};
    Group g;
    g.key = [](const Row& r) { return r["grupo"].toString(); };
    g.header = [](const Row& r) { return "Grupo: " + r["grupo"].toString(); };
    g.footer = [](const QList<Row>& rows) { return QStringLiteral("Linhas: %1").arg(rows.size()); };
    def.group = g;
    def.summary = [](const Rows& rows) { return QStringLiteral("Total geral: %1").arg(rows.size()); };
    return def;
}

} // namespace

void TestReport::groupsPagesAndCounts()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("r.pdf");
    const Report report(sampleDef(), sampleRows(), QDateTime(QDate(2024, 3, 5), QTime(14, 30, 0)));
    QVERIFY(report.pageCount() >= 3);
    // A group heading never closes a page.
    for (const auto& page : report.layout().pages)
        QVERIFY(page.last().kind != Item::GroupHeader);
    const Status written = report.writePdf(path);
    QVERIFY(written.ok());

    const int pages = report.pageCount();
    QVERIFY(pdfInfo(path).contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pages))));
    const QString text = pdfText(path);
    QCOMPARE(text.count(QStringLiteral("Relatório de Teste")), pages);
    QCOMPARE(text.count(QStringLiteral("VELMOR")), pages);
    QCOMPARE(text.count(QStringLiteral("Legenda: X - Teste")), pages);
    QVERIFY(text.contains(QStringLiteral("Data : 05/03/2024")) ||
            text.contains(QStringLiteral("Data       : 05/03/2024")));
    for (int p = 1; p <= pages; ++p)
        QVERIFY2(text.contains(QRegularExpression(
                     QStringLiteral("Página\\s+:\\s+%1 de %2").arg(p).arg(pages))),
                 qPrintable(QString::number(p)));
    for (int g = 1; g <= 4; ++g)
        QCOMPARE(text.count(QStringLiteral("Grupo: GRUPO %1").arg(g)), 1);
    QVERIFY(text.contains(QStringLiteral("Linhas: 50")));
    QVERIFY(text.contains(QStringLiteral("Total geral: 130")));
    QVERIFY(text.contains(QStringLiteral("LINHA 129")));
    // 129 * 1.5 with the money mask.
    QVERIFY(text.contains(QStringLiteral("193,50")));
}

void TestReport::previewPaginatesLikePdf()
{
    const Report report(sampleDef(), sampleRows());
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewWidget preview(&printer);
    connect(&preview, &QPrintPreviewWidget::paintRequested, this,
            [&](QPrinter* target) { QVERIFY(report.print(*target).ok()); });
    preview.resize(700, 900);
    preview.show();
    preview.updatePreview();
    QCOMPARE(preview.pageCount(), report.pageCount());
    // A picture of the preview to look at.
    QVERIFY(preview.grab().save(QDir::temp().filePath(QStringLiteral("arvo_report_preview.png"))));
}

void TestReport::landscapeA4()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("l.pdf");
    ReportDef def = sampleDef();
    def.orientation = QPageLayout::Landscape;
    const Report report(def, sampleRows());
    QVERIFY(report.writePdf(path).ok());
    QVERIFY2(pdfInfo(path).contains(QStringLiteral("842 x 595")), qPrintable(pdfInfo(path)));
    // Fewer rows fit on a landscape page.
    QVERIFY(report.pageCount() > Report(sampleDef(), sampleRows()).pageCount());
}

void TestReport::masks_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("mask");
    QTest::addColumn<QString>("text");
    QTest::newRow("money") << QVariant(1234567.5) << int(Mask::Money) << "1.234.567,50";
    QTest::newRow("money rounds") << QVariant(0.005) << int(Mask::Money) << "0,01";
    QTest::newRow("date") << QVariant(QDate(2024, 3, 5)) << int(Mask::Date) << "05/03/2024";
    QTest::newRow("zero date is empty") << QVariant(QDate(1899, 12, 30)) << int(Mask::Date) << "";
    QTest::newRow("invalid date is empty") << QVariant(QDate()) << int(Mask::Date) << "";
    QTest::newRow("null") << QVariant() << int(Mask::Money) << "";
}

void TestReport::masks()
{
    QFETCH(QVariant, value);
    QFETCH(int, mask);
    QFETCH(QString, text);
    QCOMPARE(formatValue(value, Mask(mask)), text);
}

QTEST_MAIN(TestReport)
#include "tst_report.moc"
