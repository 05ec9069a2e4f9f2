#include "platform/sheet/Sheet.h"
#include "platform/sheet/WorkbookWriter.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace arvo;

class TestSheet : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writtenCellsReadBack();
    void exportLayout();
    void textCellsAsNumbersAndDates_data();
    void textCellsAsNumbersAndDates();
    void csvReads();
    void badFilesGiveAClearError_data();
    void badFilesGiveAClearError();

private:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

void TestSheet::writtenCellsReadBack()
{
    // The tests run under pt_BR: numbers must still be written with a decimal point.
    const QString file = path(QStringLiteral("cells.xlsx"));
    {
        WorkbookWriter w(file);
        w.write(1, 1, QStringLiteral("D'ÁVILA SAÚDE"), true);
        w.write(2, 1, 12345678901.0);
        w.write(2, 2, 1234.56);
        w.write(2, 3, QDate(2024, 3, 5));
        w.write(2, 5, 7);
        w.writeMoney(3, 1, 0.5);
        QVERIFY(w.save());
    }
    auto sheet = readSheet(file);
    QVERIFY2(sheet, qPrintable(sheet.ok() ? QString() : sheet.error().text()));
    QCOMPARE(sheet->text(1, 1), QStringLiteral("D'ÁVILA SAÚDE"));
    QCOMPARE(sheet->kind(1, 1), Sheet::Kind::Text);
    QCOMPARE(sheet->text(2, 1), QStringLiteral("12345678901"));
    QCOMPARE(sheet->number(2, 2), 1234.56);
    QCOMPARE(sheet->text(2, 2), QStringLiteral("1234.56"));
    QCOMPARE(sheet->date(2, 3), std::optional<QDate>(QDate(2024, 3, 5)));
    QCOMPARE(sheet->integer(2, 5), qint64(7));
    QCOMPARE(sheet->number(3, 1), 0.5);
    // Empty cells, inside and outside the data: empty text and 0.
    QVERIFY(sheet->isEmpty(2, 4));
    QCOMPARE(sheet->text(2, 4), QString(QLatin1String("")));
    QCOMPARE(sheet->number(2, 4), 0.0);
    QVERIFY(sheet->isEmpty(500, 50));
    QCOMPARE(sheet->date(500, 50), std::optional<QDate>());
}

void TestSheet::exportLayout()
{
    const QString file = path(QStringLiteral("export.xlsx"));
    QVERIFY(writeExport(file, QStringLiteral("Relatório - Produção"),
                        {QStringLiteral("Vendedor"), QStringLiteral("Valor")},
                        {{QStringLiteral("ANA"), 10.5}, {QStringLiteral("BIA"), 3}}));
    QVERIFY(!QFile::exists(file + QStringLiteral(".part")));
    auto sheet = readSheet(file);
    QVERIFY(sheet);
    QCOMPARE(sheet->text(1, 1), QStringLiteral("Relatório - Produção"));
    QVERIFY(sheet->isEmpty(2, 1));
    QCOMPARE(sheet->text(3, 1), QStringLiteral("Vendedor"));
    QCOMPARE(sheet->text(3, 2), QStringLiteral("Valor"));
    QCOMPARE(sheet->text(4, 1), QStringLiteral("ANA"));
    QCOMPARE(sheet->number(4, 2), 10.5);
    QCOMPARE(sheet->text(5, 1), QStringLiteral("BIA"));
    QCOMPARE(sheet->rowCount(), 5);
}

void TestSheet::textCellsAsNumbersAndDates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("number");
    QTest::addColumn<QDate>("date");
    QTest::newRow("brazilian money") << "1.234,56" << 1234.56 << QDate();
    QTest::newRow("point decimal") << "99.5" << 99.5 << QDate();
    QTest::newRow("not a number") << "ABC" << 0.0 << QDate();
    QTest::newRow("date text") << "05/03/2024" << 0.0 << QDate(2024, 3, 5);
    QTest::newRow("iso date text") << "2024-03-05" << 0.0 << QDate(2024, 3, 5);
}

void TestSheet::textCellsAsNumbersAndDates()
{
    QFETCH(QString, text);
    QFETCH(double, number);
    QFETCH(QDate, date);
    const QString file = path(QStringLiteral("text.xlsx"));
    {
        WorkbookWriter w(file);
        w.write(1, 1, text);
        QVERIFY(w.save());
    }
    auto sheet = readSheet(file);
    QVERIFY(sheet);
    QCOMPARE(sheet->number(1, 1), number);
    QCOMPARE(sheet->date(1, 1).value_or(QDate()), date);
}

void TestSheet::csvReads()
{
    const QString file = path(QStringLiteral("statement.csv"));
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("PROPOSTA,PARCELA,VALOR\n000123,2,150.75\n");
    f.close();
    auto sheet = readSheet(file);
    QVERIFY2(sheet, qPrintable(sheet.ok() ? QString() : sheet.error().text()));
    QCOMPARE(sheet->text(1, 1), QStringLiteral("PROPOSTA"));
    QCOMPARE(sheet->integer(2, 2), qint64(2));
    QCOMPARE(sheet->number(2, 3), 150.75);
}

void TestSheet::badFilesGiveAClearError_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << "empty.xlsx" << QByteArray() << "Não foi possível ler a planilha empty.xlsx.";
    QTest::newRow("random bytes") << "noise.xlsx" << QByteArray("\x01\x02garbage", 9)
                                  << "Não foi possível ler a planilha noise.xlsx.";
    QTest::newRow("zip that is no workbook")
        << "other.xlsx" << QByteArray("PK\x03\x04 not really a zip", 24)
        << "Não foi possível ler a planilha other.xlsx.";
    QTest::newRow("broken xls") << "old.xls"
                                << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1 broken", 15)
                                << "Não foi possível ler a planilha old.xls.";
    QTest::newRow("truncated workbook") << "cut.xlsx" << QByteArray("truncate") // filled below
                                        << "Não foi possível ler a planilha cut.xlsx.";
}

void TestSheet::badFilesGiveAClearError()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    const QString file = path(name);
    if (content == "truncate") {
        const QString whole = path(QStringLiteral("whole.xlsx"));
        WorkbookWriter w(whole);
        for (int r = 1; r <= 200; ++r)
            w.write(r, 1, QStringLiteral("LINHA %1").arg(r));
        QVERIFY(w.save());
        QFile in(whole);
        QVERIFY(in.open(QIODevice::ReadOnly));
        const QByteArray all = in.readAll();
        content = all.left(all.size() / 2);
    }
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
    f.close();
    auto sheet = readSheet(file);
    QVERIFY(!sheet);
    QCOMPARE(sheet.error().message, message);

    auto missing = readSheet(path(QStringLiteral("nowhere.xlsx")));
    QVERIFY(!missing);
    QVERIFY(missing.error().message.startsWith(QStringLiteral("Arquivo não encontrado")));
}

QTEST_GUILESS_MAIN(TestSheet)
#include "tst_sheet.moc"
