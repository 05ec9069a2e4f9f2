#include "core/Audit.h"
#include "core/Users.h"
#include "core/screens/RastroReport.h"
#include "core/screens/ScreenKit.h"
#include "core/screens/UnitFrmRastro.h"
#include "platform/report/Report.h"

#include "tests/support/MessageRecorder.h"
#include "tests/support/TestDatabase.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace arvo;
using arvo::test::MessageRecorder;

namespace {

Status addRow(Db& db, QDate date, const QString& time, const QString& user, const QString& routine,
              const QString& op, const QString& text, double value)
{
    return writeAudit(db, {{date, time}, user, routine, op, text, 0, value, QString()});
}

Status fixture(Db& db)
{
    const QDate d(2024, 3, 5);
    for (const auto& s : {addRow(db, d, "08:00:00", "CAIO", "FORNECEDOR", "A", "JOAO D'AVILA", 0),
                          addRow(db, d, "09:00:00", "BETO", "CLIENTE", "E", "MARIA SILVA", 10),
                          addRow(db, d, "10:00:00", "ANA", "DOC. RECEBER", "B", "DOC 15", 1234.5),
                          addRow(db, d.addDays(1), "07:00:00", "ANA", "CLIENTE", "I", "X", 0)})
        if (!s)
            return s;
    return createFullAccessUser(db, "ana", "x");
}

QString column(const QTableView* grid, int col)
{
    QStringList out;
    for (int r = 0; r < grid->model()->rowCount(); ++r)
        out << grid->model()->index(r, col).data().toString();
    return out.join(u',');
}

// A pattern for `text` where each run of blanks matches any run of blanks: pdftotext gives
// several blanks back as one.
QRegularExpression spaced(const QString& text)
{
    QStringList words = text.simplified().split(u' ');
    for (QString& w : words)
        w = QRegularExpression::escape(w);
    return QRegularExpression(words.join(QStringLiteral("\\s+")));
}

QString run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestFrmRastro : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { DateField::setToday(QDate(2024, 3, 5)); }
    void filtersTheDay();
    void filtersAmountAndApostrophe();
    void needsBothDates();
    void reportToPdf();
};

void TestFrmRastro::filtersTheDay()
{
    ARVO_TEST_DB(t);
    QVERIFY(fixture(t.db()).ok());
    MessageRecorder recorder;
    TFrmRastro screen(t.db(), "ANA");
    screen.show();
    QVERIFY(QTest::qWaitForWindowActive(&screen));
    QCOMPARE(screen.windowTitle(), QStringLiteral("Auditoria"));
    auto* start = screen.findChild<QLineEdit*>("medatainicial");
    auto* end = screen.findChild<QLineEdit*>("medatafinal");
    // Entering the empty period fields fills today.
    start->setFocus();
    end->setFocus();
    QCOMPARE(start->text(), QStringLiteral("05/03/2024"));
    QCOMPARE(end->text(), QStringLiteral("05/03/2024"));
    QCOMPARE(screen.findChild<QComboBox*>("cboperador")->itemText(1), QStringLiteral("ANA"));
    screen.findChild<QPushButton*>("btfiltrar")->click();
    auto* grid = screen.findChild<QTableView*>("DBGrid1");
    QCOMPARE(column(grid, 2), QStringLiteral("ANA,BETO,CAIO"));
    QCOMPARE(column(grid, 7), QStringLiteral("1.234,50,10,00,0,00"));
    QCOMPARE(recorder.texts(), QStringList());
}

void TestFrmRastro::filtersAmountAndApostrophe()
{
    ARVO_TEST_DB(t);
    QVERIFY(fixture(t.db()).ok());
    MessageRecorder recorder;
    TFrmRastro screen(t.db(), "ANA");
    screen.show();
    QVERIFY(QTest::qWaitForWindowActive(&screen));
    screen.findChild<QLineEdit*>("medatainicial")->setText("05/03/2024");
    screen.findChild<QLineEdit*>("medatafinal")->setText("06/03/2024");
    auto* valor = screen.findChild<QLineEdit*>("edvalor");
    valor->setFocus();
    QTest::keyClicks(valor, "1234,5");
    QTest::keyClick(valor, Qt::Key_Return);
    QCOMPARE(valor->text(), QStringLiteral("1.234,50"));
    screen.findChild<QPushButton*>("btfiltrar")->click();
    auto* grid = screen.findChild<QTableView*>("DBGrid1");
    QCOMPARE(column(grid, 5), QStringLiteral("DOC 15"));

    valor->clear();
    auto* historico = screen.findChild<QLineEdit*>("edhistorico");
    historico->setFocus();
    QTest::keyClicks(historico, "d'av");
    QCOMPARE(historico->text(), QStringLiteral("D'AV"));
    screen.findChild<QPushButton*>("btfiltrar")->click();
    QCOMPARE(column(grid, 5), QStringLiteral("JOAO D'AVILA"));
    QCOMPARE(recorder.texts(), QStringList());
}

void TestFrmRastro::needsBothDates()
{
    ARVO_TEST_DB(t);
    QVERIFY(fixture(t.db()).ok());
    MessageRecorder recorder;
    TFrmRastro screen(t.db(), "ANA");
    screen.findChild<QLineEdit*>("medatainicial")->setText("05/03/2024");
    screen.findChild<QPushButton*>("btfiltrar")->click();
    QCOMPARE(screen.findChild<QTableView*>("DBGrid1")->model()->rowCount(), 0);
    QCOMPARE(recorder.texts(), QStringList());
}

void TestFrmRastro::reportToPdf()
{
    ARVO_TEST_DB(t);
    Db& db = t.db();
    // Enough rows of two operators over two days to fill several pages.
    for (int i = 0; i < 150; ++i)
        QVERIFY(addRow(db, QDate(2024, 3, 5 + i % 2), QTime(8, 0).addSecs(i * 60).toString("HH:mm:ss"),
                       i % 3 ? "ANA" : "BETO", "CLIENTE", "I", QStringLiteral("CLIENTE %1").arg(i),
                       i * 10.5)
                    .ok());
    MessageRecorder recorder;
    TFrmRastro screen(db, "ANA");
    screen.findChild<QLineEdit*>("medatainicial")->setText("05/03/2024");
    screen.findChild<QLineEdit*>("medatafinal")->setText("06/03/2024");
    screen.findChild<QPushButton*>("btfiltrar")->click();
    QCOMPARE(screen.rows().size(), 150);

    QTemporaryDir dir;
    const QString pdf = dir.filePath("rastro.pdf");
    const report::Report report = screen.report();
    QVERIFY(report.writePdf(pdf).ok());
    const int pages = report.pageCount();
    QVERIFY(pages >= 3);
    const QString text = run("pdftotext", {"-raw", pdf, "-"});
    QCOMPARE(text.count("Rastro no Período de 05/03/2024 à 06/03/2024"), pages);
    QCOMPARE(text.count(spaced(kRastroLegend)), pages);
    // One heading per operator and date, in date then operator order.
    const QStringList headings{"Operador(a): ANA Data: 05/03/2024", "Operador(a): BETO Data: 05/03/2024",
                               "Operador(a): ANA Data: 06/03/2024", "Operador(a): BETO Data: 06/03/2024"};
    qsizetype at = 0;
    for (const QString& h : headings) {
        const auto m = spaced(h).match(text, at);
        QVERIFY2(m.hasMatch(), qPrintable(h));
        at = m.capturedEnd();
    }
    for (const char* heading : {"Hora", "Rotina", "Op.", "Historico", "Valor", "Observação"})
        QVERIFY(text.contains(QString::fromUtf8(heading)));
    for (int p = 1; p <= pages; ++p)
        QVERIFY(text.contains(QRegularExpression(QStringLiteral("Página\\s+:\\s+%1 de %2").arg(p).arg(pages))));
    QVERIFY(text.contains("1.564,50")); // 149 * 10.5

    // A page image to look at.
    const QString png = QDir::temp().filePath("arvo_rastro_page1");
    run("pdftoppm", {"-png", "-r", "80", "-f", "1", "-l", "1", "-singlefile", pdf, png});
    QVERIFY(QFile::exists(png + ".png"));
}

QTEST_MAIN(TestFrmRastro)
#include "tst_frm_rastro.moc"
