#include "core/screens/ScreenKit.h"

#include "tests/support/MessageRecorder.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QVBoxLayout>

using namespace arvo;
using arvo::test::MessageRecorder;

namespace {

// A form with a period (start, end), an amount and a plain field, shown and active.
struct PeriodForm
{
    QDialog form;
    QLineEdit* start = new QLineEdit(&form);
    QLineEdit* end = new QLineEdit(&form);
    QLineEdit* amount = new QLineEdit(&form);
    QLineEdit* other = new QLineEdit(&form);
    QPushButton* save = new QPushButton(QStringLiteral("Gravar"), &form);
    QTableView* grid = new QTableView(&form);

    PeriodForm()
    {
        auto* l = new QVBoxLayout(&form);
        for (QWidget* w : std::initializer_list<QWidget*>{start, end, amount, other, save, grid})
            l->addWidget(w);
        new DateField(start, true);
        new DateField(end, true, start);
        makeMoneyField(amount);
        FieldConventions::install(&form, {true, true, save});
        form.show();
        form.activateWindow();
    }

    void leaveTo(QWidget* next)
    {
        next->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
    }
};

} // namespace

class TestScreenKit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { DateField::setToday(QDate(2024, 3, 5)); }
    void enterMovesAndFocusIsYellow();
    void keysOfDataFields();
    void dateFields_data();
    void dateFields();
    void enteringFilledDateKeepsIt();
    void moneyFieldReformats();
    void ctrlDeleteDoesNothingInGrids();
    void f10WritesThePickedKey();
};

void TestScreenKit::enterMovesAndFocusIsYellow()
{
    PeriodForm f;
    QVERIFY(QTest::qWaitForWindowActive(&f.form));
    f.amount->setFocus();
    QCOMPARE(f.amount->palette().color(QPalette::Base), kFocusColour);
    QTest::keyClick(f.amount, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), f.other);
    QVERIFY(f.amount->palette().color(QPalette::Base) != kFocusColour);
    QCOMPARE(f.other->palette().color(QPalette::Base), kFocusColour);
    // Swallowed: the field kept its text and the dialog did not take Enter as accept.
    QVERIFY(f.form.isVisible());
}

void TestScreenKit::keysOfDataFields()
{
    PeriodForm f;
    QVERIFY(QTest::qWaitForWindowActive(&f.form));
    int saved = 0;
    connect(f.save, &QPushButton::clicked, this, [&]() { ++saved; });
    f.other->setFocus();
    QTest::keyClick(f.other, Qt::Key_Up);
    QCOMPARE(QApplication::focusWidget(), f.amount);
    QTest::keyClick(f.amount, Qt::Key_F12);
    QCOMPARE(saved, 1);
    QTest::keyClick(f.amount, Qt::Key_Escape);
    QVERIFY(!f.form.isVisible());
}

void TestScreenKit::dateFields_data()
{
    QTest::addColumn<QString>("startText");
    QTest::addColumn<QString>("endText");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("icon");
    QTest::newRow("valid period") << "01/03/2024" << "05/03/2024" << "" << 0;
    QTest::newRow("impossible end date") << "01/03/2024" << "31/02/2024" << "Data Inválida!"
                                         << int(MsgIcon::Error);
    QTest::newRow("end before start") << "10/03/2024" << "05/03/2024"
                                      << "Data inferior à data inicial de pesquisa!!"
                                      << int(MsgIcon::Warning);
    QTest::newRow("empty end date is accepted") << "10/03/2024" << "" << "" << 0;
}

void TestScreenKit::dateFields()
{
    QFETCH(QString, startText);
    QFETCH(QString, endText);
    QFETCH(QString, message);
    QFETCH(int, icon);
    MessageRecorder recorder;
    PeriodForm f;
    QVERIFY(QTest::qWaitForWindowActive(&f.form));
    f.start->setText(startText);
    f.end->setFocus();
    f.end->setText(endText);
    f.leaveTo(f.other);
    if (message.isEmpty()) {
        QCOMPARE(recorder.texts(), QStringList());
        QCOMPARE(QApplication::focusWidget(), f.other);
        return;
    }
    QCOMPARE(recorder.texts(), QStringList{message});
    QCOMPARE(recorder.lastCaption(), QStringLiteral("Atenção"));
    QCOMPARE(int(recorder.shown().last().icon), icon);
    QCOMPARE(QApplication::focusWidget(), f.end);
}

void TestScreenKit::enteringFilledDateKeepsIt()
{
    PeriodForm f;
    QVERIFY(QTest::qWaitForWindowActive(&f.form));
    f.start->setFocus();
    QCOMPARE(f.start->text(), QStringLiteral("05/03/2024"));
    QCOMPARE(f.start->selectedText(), QStringLiteral("05/03/2024"));
    f.end->setText(QStringLiteral("20/03/2024"));
    f.leaveTo(f.end);
    QCOMPARE(f.end->text(), QStringLiteral("20/03/2024"));
}

void TestScreenKit::moneyFieldReformats()
{
    PeriodForm f;
    QVERIFY(QTest::qWaitForWindowActive(&f.form));
    QCOMPARE(f.amount->alignment() & Qt::AlignRight, Qt::AlignRight);
    f.amount->setFocus();
    QTest::keyClicks(f.amount, "1234,5");
    QTest::keyClick(f.amount, Qt::Key_Return);
    QCOMPARE(f.amount->text(), QStringLiteral("1.234,50"));
}

void TestScreenKit::ctrlDeleteDoesNothingInGrids()
{
    PeriodForm f;
    QKeyEvent ctrlDelete(QEvent::KeyPress, Qt::Key_Delete, Qt::ControlModifier);
    QKeyEvent plainDelete(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    auto* conventions = f.form.findChild<FieldConventions*>();
    QVERIFY(conventions);
    // The filter eats the key before the grid sees it; other keys pass.
    QVERIFY(conventions->eventFilter(f.grid, &ctrlDelete));
    QVERIFY(!conventions->eventFilter(f.grid, &plainDelete));
}

void TestScreenKit::f10WritesThePickedKey()
{
    PeriodForm f;
    std::optional<qint64> answer = 123;
    int lookedUp = 0;
    installPickerKey(f.other, [&]() { return answer; });
    connect(f.other, &QLineEdit::editingFinished, this, [&]() { ++lookedUp; });
    QTest::keyClick(f.other, Qt::Key_F10);
    QCOMPARE(f.other->text(), QStringLiteral("123"));
    QCOMPARE(f.other->cursorPosition(), 0);
    QCOMPARE(lookedUp, 1);
    // Closing the picker without a choice leaves the field alone.
    answer.reset();
    QTest::keyClick(f.other, Qt::Key_F10);
    QCOMPARE(f.other->text(), QStringLiteral("123"));
    QCOMPARE(lookedUp, 1);
}

QTEST_MAIN(TestScreenKit)
#include "tst_screen_kit.moc"
