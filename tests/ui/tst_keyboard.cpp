// Enter from the keyboard in a chapter window: it presses the focused button;
// where no button has the focus it presses a shown Next (never what stands in
// Next's place); in an amount box it reads the box first.
#include "common/Calculator.h"
#include "common/ResultBox.h"
#include "lessons/Chapters.h"
#include "common/LessonFrame.h"
#include "FakePlatform.h"
#include "TestWidgets.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QtTest>
#include <memory>

using namespace quenmark;

namespace {

// Three pages, the amount boxes of a calculator on the first (where Next shows).
class BoxFrame : public LessonFrame
{
public:
    BoxFrame() : LessonFrame(chapterLook(3))
    {
        QWidget* first = addPage(QStringLiteral("Page1"));
        QLineEdit* boxes[3];
        for (int i = 0; i < 3; ++i) {
            boxes[i] = new QLineEdit(first);
            boxes[i]->setObjectName(QLatin1String(i == 0 ? "EditApr" : i == 1 ? "EditBal" : "EditPmt"));
            boxes[i]->move(10, 10 + 30 * i);
        }
        addPage(QStringLiteral("Page2"));
        addPage(QStringLiteral("Page3"));
        new AmountBoxes(this, boxes[0], boxes[1], boxes[2], CalculatorKind::Payoff);
    }
};

// Enter as the keyboard sends it: to the focused control, else to the active
// window; what a control ignores goes on to its parents.
void pressEnter(bool keypad = false)
{
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
    if (target) // none once the window has closed (the test then finds it closed)
        QTest::keyClick(target, keypad ? Qt::Key_Enter : Qt::Key_Return, keypad ? Qt::KeypadModifier : Qt::NoModifier);
}

} // namespace

class KeyboardTests : public QObject
{
    Q_OBJECT
    FakePlatform fake;

    // Chapter 0 is the frame with amount boxes on its first page.
    std::unique_ptr<LessonFrame> open(int chapter)
    {
        std::unique_ptr<LessonFrame> w(chapter == 0 ? new BoxFrame : createChapterWindow(chapter, nullptr));
        w->show();
        w->activateWindow();
        if (!QTest::qWaitForWindowActive(w.get()))
            return nullptr;
        return w;
    }

private slots:
    void init() { fake.clear(); }

    void enter_data()
    {
        QTest::addColumn<int>("chapter");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("focus"); // empty: no control has it
        QTest::addColumn<QString>("apr");   // typed into EditApr first, where there is one
        QTest::addColumn<int>("pageAfter");
        QTest::addColumn<int>("result");    // 0 while the chapter stays open
        QTest::addColumn<QString>("probe"); // a control Enter changes, and its text
        QTest::addColumn<QString>("expected");
        // The frame: the focused button, else a shown Next, else nothing.
        QTest::newRow("no focus: Next") << 2 << 1 << "" << "" << 2 << 0 << "" << "";
        QTest::newRow("Page Back") << 2 << 3 << "BtnBack" << "" << 2 << 0 << "" << "";
        QTest::newRow("Quit on page 1") << 2 << 1 << "BtnQuit" << "" << 1 << 2 << "" << "";
        QTest::newRow("Contents") << 2 << 2 << "BtnContents" << "" << 2 << 4 << "" << "";
        QTest::newRow("Prev Chapter") << 2 << 1 << "BtnPrevChapt" << "" << 1 << 7 << "" << "";
        QTest::newRow("Next Chapter") << 1 << 5 << "BtnNextChapt" << "" << 5 << 6 << "" << "";
        QTest::newRow("last page, no focus") << 1 << 5 << "" << "" << 5 << 0 << "" << "";
        // Chapter 1's quiz.
        QTest::newRow("years up") << 1 << 3 << "SpinButton_YearsUp" << "" << 3 << 0 << "Page02_Years" << "2";
        QTest::newRow("Check Answer") << 1 << 3 << "BtnCheckAnswer" << "" << 3 << 0 << "BtnCheckAnswer" << "Check Again";
        QTest::newRow("Answer") << 1 << 4 << "Button3" << "" << 4 << 0 << "Page03_Answer" << "5 years and 1 month.";
        // Chapter 2's calculator page (the last: Next hidden).
        QTest::newRow("Calculate runs") << 2 << 8 << "BtnGoFigure" << "17.9" << 8 << 0 << "EditStdPayments" << "183";
        QTest::newRow("APR box read, no run") << 2 << 8 << "EditApr" << "17.9" << 8 << 0 << "EditApr" << "17.90";
        QTest::newRow("APR box corrected") << 2 << 8 << "EditApr" << "45" << 8 << 0 << "EditApr" << "30.00";
        QTest::newRow("name box: nothing") << 2 << 8 << "EditName" << "17.9" << 8 << 0 << "EditStdPayments" << "";
        QTest::newRow("Quit quits") << 2 << 8 << "BtnQuit" << "17.9" << 8 << 2 << "" << "";
        // Chapter 7's calculator page (the last).
        QTest::newRow("ch7 Calculate runs") << 7 << 5 << "BtnCalculate" << "17.9" << 5 << 0 << "TotalPayments1" << "183";
        QTest::newRow("ch7 APR box read") << 7 << 5 << "EditApr" << "17.9" << 5 << 0 << "EditApr" << "17.90";
        // Amount boxes where Next shows: read, then the page turns unless corrected.
        QTest::newRow("box read, page turns") << 0 << 1 << "EditApr" << "17.9" << 2 << 0 << "EditApr" << "17.90";
        QTest::newRow("empty box, page turns") << 0 << 1 << "EditApr" << "" << 2 << 0 << "EditApr" << "0.00";
        QTest::newRow("box corrected, page kept") << 0 << 1 << "EditApr" << "45" << 1 << 0 << "EditApr" << "30.00";
    }
    void enter()
    {
        QFETCH(int, chapter);
        QFETCH(int, page);
        QFETCH(QString, focus);
        QFETCH(QString, apr);
        QFETCH(int, pageAfter);
        QFETCH(int, result);
        QFETCH(QString, probe);
        QFETCH(QString, expected);
        std::unique_ptr<LessonFrame> w = open(chapter);
        QVERIFY(w);
        while (w->currentPage() < page)
            w->BtnNextClick();
        for (const auto& [name, text] : {std::pair{"EditApr", apr}, {"EditBal", "2100"}, {"EditPmt", "53"}})
            if (auto* box = w->findChild<QLineEdit*>(QLatin1String(name)))
                box->setText(text);
        if (focus.isEmpty() && w->focusWidget())
            w->focusWidget()->clearFocus();
        else if (!focus.isEmpty())
            quenmark::test::child(w.get(), focus.toLatin1().constData())->setFocus(Qt::TabFocusReason);
        pressEnter();
        QCOMPARE(w->currentPage(), pageAfter);
        QCOMPARE(w->result(), result);
        QCOMPARE(fake.messages.size(), expected == QLatin1String("30.00") ? 1 : 0);
        if (auto* box = w->findChild<QLineEdit*>(probe); box && !probe.isEmpty())
            QCOMPARE(box->text(), expected);
        else if (auto* figure = w->findChild<ResultBox*>(probe); figure && !probe.isEmpty())
            QCOMPARE(figure->text(), expected);
        else if (auto* label = w->findChild<QLabel*>(probe); label && !probe.isEmpty())
            QVERIFY(label->isVisible() && label->text() == expected);
        else if (auto* button = w->findChild<QAbstractButton*>(probe); button && !probe.isEmpty())
            QCOMPARE(button->text(), expected);
        if (!focus.isEmpty() && result == 0 && pageAfter == page) // nothing moved the focus away
            QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    }

    // Enter on Next turns the page; on the last page Next hides, and Enter
    // must not press the "Next Chapter" now standing in its place: the focus
    // rests on the page, which a screen reader reads by its place.
    void repeatedEnterStopsOnTheLastPage_data()
    {
        QTest::addColumn<int>("chapter");
        QTest::addColumn<QString>("focus"); // where it rests on the last page
        QTest::newRow("chapter 1") << 1 << "Notebook1";
        QTest::newRow("chapter 2") << 2 << "EditName"; // the calculator's first box
        QTest::newRow("chapter 9") << 9 << "Notebook1";
    }
    void repeatedEnterStopsOnTheLastPage()
    {
        QFETCH(int, chapter);
        QFETCH(QString, focus);
        std::unique_ptr<LessonFrame> w = open(chapter);
        QVERIFY(w);
        for (int i = 0; i < w->totalPageCount() + 3; ++i)
            pressEnter(i % 2 == 1);
        QCOMPARE(w->currentPage(), w->totalPageCount());
        QCOMPARE(w->result(), 0);
        QVERIFY(QApplication::focusWidget());
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        const QString total = QString::number(w->totalPageCount());
        QCOMPARE(quenmark::test::spokenName(w->notebook()), QStringLiteral("Page %1 of %1").arg(total));
    }
};

QTEST_MAIN(KeyboardTests)
#include "tst_keyboard.moc"
