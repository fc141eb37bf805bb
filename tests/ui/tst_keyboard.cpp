// Enter from the keyboard in a chapter window: it presses the focused button;
// where no button has the focus it presses a shown Next (never what stands in
// Next's place); in an amount box it reads the box first. On the frame alone,
// in chapter 1 and on chapter 2's calculator page.
#include "common/Calculator.h"
#include "common/LessonFrame.h"
#include "lessons/Chapt01.h"
#include "lessons/Chapt02.h"
#include "FakePlatform.h"
#include "TestWidgets.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

using namespace quenmark;
using quenmark::test::child;

namespace {

// A frame with `pages` pages; with `boxesOnPage` > 0 that page holds the three
// amount boxes of a calculator, read as the calculators read them.
class KeyFrame : public LessonFrame
{
public:
    KeyFrame(int chapter, int pages, int boxesOnPage = 0) : LessonFrame(chapterLook(chapter))
    {
        for (int i = 1; i <= pages; ++i) {
            QWidget* page = addPage(QStringLiteral("Page%1").arg(i));
            if (i != boxesOnPage)
                continue;
            QLineEdit* boxes[3] = {};
            const char* names[3] = {"EditApr", "EditBal", "EditPmt"};
            for (int b = 0; b < 3; ++b) {
                boxes[b] = new QLineEdit(page);
                boxes[b]->setObjectName(QLatin1String(names[b]));
                boxes[b]->setGeometry(10, 10 + 30 * b, 120, 22);
            }
            reader = new AmountBoxes(this, boxes[0], boxes[1], boxes[2], CalculatorKind::Payoff);
        }
    }
    AmountBoxes* reader = nullptr;
};

// Shows `w` as the active window, so keys go where its focus is.
bool showActive(QWidget* w)
{
    w->show();
    w->activateWindow();
    return QTest::qWaitForWindowActive(w);
}

// Enter as the keyboard sends it: to the focused control, or to the active
// window when nothing has the focus; what a control ignores goes on to its parents.
void pressEnter(bool keypad = false)
{
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
    if (!target)
        return; // no window left to type into (the test then finds it closed)
    QTest::keyClick(target, keypad ? Qt::Key_Enter : Qt::Key_Return, keypad ? Qt::KeypadModifier : Qt::NoModifier);
}

// Gives the focus to the control `name` (as Tab would), or takes it from
// every control for an empty name.
void focusOn(QWidget* window, const QString& name)
{
    if (name.isEmpty()) {
        if (QWidget* f = window->focusWidget())
            f->clearFocus();
        return;
    }
    QWidget* w = window->findChild<QWidget*>(name);
    QVERIFY2(w && w->isVisible(), qPrintable(name));
    w->setFocus(Qt::TabFocusReason);
    QCOMPARE(QApplication::focusWidget(), w);
}

} // namespace

class KeyboardTests : public QObject
{
    Q_OBJECT
private slots:
    void init() { fake.clear(); }

    void frameEnter_data();
    void frameEnter();
    void repeatedEnterStopsOnTheLastPage_data();
    void repeatedEnterStopsOnTheLastPage();
    void enterInAmountBox_data();
    void enterInAmountBox();
    void chapter1Enter_data();
    void chapter1Enter();
    void calculatorPageEnter_data();
    void calculatorPageEnter();
    void enterOnStopDuringRun();

private:
    FakePlatform fake;
};

void KeyboardTests::frameEnter_data()
{
    QTest::addColumn<int>("chapter");
    QTest::addColumn<int>("startPage");
    QTest::addColumn<QString>("focus"); // empty: no control has the focus
    QTest::addColumn<bool>("keypad");
    QTest::addColumn<int>("page");      // after Enter
    QTest::addColumn<int>("result");    // modal result after Enter, 0 while open
    QTest::newRow("nothing focused: Next") << 2 << 1 << "" << false << 2 << 0;
    QTest::newRow("keypad Enter") << 2 << 1 << "" << true << 2 << 0;
    QTest::newRow("Next focused") << 2 << 2 << "BtnNext" << false << 3 << 0;
    QTest::newRow("Page Back focused") << 2 << 3 << "BtnBack" << false << 2 << 0;
    QTest::newRow("Quit focused on page 1") << 2 << 1 << "BtnQuit" << false << 1 << 2;
    QTest::newRow("Contents focused") << 2 << 2 << "BtnContents" << true << 2 << 4;
    QTest::newRow("Prev Chapter focused") << 2 << 1 << "BtnPrevChapt" << false << 1 << 7;
    QTest::newRow("last page, nothing focused") << 2 << 4 << "" << false << 4 << 0;
    QTest::newRow("last page, Next Chapter focused") << 2 << 4 << "BtnNextChapt" << false << 4 << 6;
    QTest::newRow("chapter 9, last page") << 9 << 4 << "" << true << 4 << 0;
}

void KeyboardTests::frameEnter()
{
    QFETCH(int, chapter);
    QFETCH(int, startPage);
    QFETCH(QString, focus);
    QFETCH(bool, keypad);
    QFETCH(int, page);
    QFETCH(int, result);
    KeyFrame f(chapter, 4);
    QVERIFY(showActive(&f));
    while (f.currentPage() < startPage)
        f.BtnNextClick();
    focusOn(&f, focus);
    pressEnter(keypad);
    QCOMPARE(f.currentPage(), page);
    QCOMPARE(f.result(), result);
    QCOMPARE(f.isVisible(), result == 0);
}

void KeyboardTests::repeatedEnterStopsOnTheLastPage_data()
{
    QTest::addColumn<int>("chapter");
    QTest::addColumn<int>("pages");
    for (int chapter : {2, 9})
        for (int pages : {2, 3, 5, 11})
            QTest::addRow("chapter %d, %d pages", chapter, pages) << chapter << pages;
}

void KeyboardTests::repeatedEnterStopsOnTheLastPage()
{
    // Enter on Next turns the page; on the last page Next hides, and the next
    // Enter must not press the "Next Chapter" that now stands in its place.
    QFETCH(int, chapter);
    QFETCH(int, pages);
    KeyFrame f(chapter, pages);
    QVERIFY(showActive(&f));
    QCOMPARE(QApplication::focusWidget(), f.findChild<QWidget*>("BtnNext"));
    for (int i = 0; i < pages + 3; ++i)
        pressEnter(i % 2 == 1);
    QCOMPARE(f.currentPage(), pages);
    QVERIFY(f.isVisible());
    QCOMPARE(f.result(), 0);
    QVERIFY(!qobject_cast<QAbstractButton*>(QApplication::focusWidget()));
}

void KeyboardTests::enterInAmountBox_data()
{
    QTest::addColumn<bool>("lastPage"); // the boxes on the last page, where Next is hidden
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("read");  // the box's text after Enter
    QTest::addColumn<int>("messages");
    QTest::addColumn<bool>("turns");
    QTest::newRow("Next shows") << false << "17.9" << "17.90" << 0 << true;
    QTest::newRow("Next shows, empty box") << false << "" << "0.00" << 0 << true;
    QTest::newRow("Next shows, APR corrected") << false << "45" << "30.00" << 1 << false;
    QTest::newRow("last page") << true << "17.9" << "17.90" << 0 << false;
    QTest::newRow("last page, APR corrected") << true << "45" << "30.00" << 1 << false;
    QTest::newRow("last page, letters") << true << "abc" << "0.00" << 0 << false;
}

void KeyboardTests::enterInAmountBox()
{
    QFETCH(bool, lastPage);
    QFETCH(QString, typed);
    QFETCH(QString, read);
    QFETCH(int, messages);
    QFETCH(bool, turns);
    const int pages = 3;
    const int boxesOn = lastPage ? pages : 1;
    KeyFrame f(3, pages, boxesOn);
    QVERIFY(showActive(&f));
    while (f.currentPage() < boxesOn)
        f.BtnNextClick();
    auto* apr = child<QLineEdit>(&f, "EditApr");
    focusOn(&f, QStringLiteral("EditApr"));
    QTest::keyClicks(apr, typed);
    pressEnter();
    QCOMPARE(apr->text(), read);
    QCOMPARE(fake.messages.size(), messages);
    QCOMPARE(f.reader->apr(), read.toDouble());
    QCOMPARE(f.currentPage(), boxesOn + (turns ? 1 : 0));
    QVERIFY(f.isVisible());
    if (turns)
        QCOMPARE(QApplication::focusWidget(), f.findChild<QWidget*>("BtnNext"));
    else
        QCOMPARE(QApplication::focusWidget(), apr);
    if (messages > 0)
        QCOMPARE(apr->selectedText(), read); // the corrected value, ready to type over
}

void KeyboardTests::chapter1Enter_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("probe");    // a control whose state Enter changes
    QTest::addColumn<QString>("expected"); // its text, or "<shown>"
    QTest::addColumn<int>("pageAfter");
    QTest::addColumn<int>("result");
    QTest::newRow("title page") << 1 << "" << "PageNumberPanel" << "2" << 2 << 0;
    QTest::newRow("Quit") << 1 << "BtnQuit" << "" << "" << 1 << 2;
    QTest::newRow("years up") << 3 << "SpinButton_YearsUp" << "Page02_Years" << "2" << 3 << 0;
    QTest::newRow("months up") << 3 << "SpinButton_MonthsUp" << "Page02_Months" << "2" << 3 << 0;
    QTest::newRow("Check Answer") << 3 << "BtnCheckAnswer" << "BtnCheckAnswer" << "Check Again" << 3 << 0;
    QTest::newRow("Answer") << 4 << "Button3" << "Page03_Answer" << "<shown>" << 4 << 0;
    QTest::newRow("quiz page, nothing focused") << 3 << "" << "Page02_Answer" << "" << 4 << 0;
    QTest::newRow("last page") << 5 << "" << "PageNumberPanel" << "5" << 5 << 0;
    QTest::newRow("Next Chapter") << 5 << "BtnNextChapt" << "" << "" << 5 << 6;
}

void KeyboardTests::chapter1Enter()
{
    QFETCH(int, page);
    QFETCH(QString, focus);
    QFETCH(QString, probe);
    QFETCH(QString, expected);
    QFETCH(int, pageAfter);
    QFETCH(int, result);
    TChapter_001 w;
    QVERIFY(showActive(&w));
    while (w.currentPage() < page)
        w.BtnNextClick();
    focusOn(&w, focus);
    pressEnter();
    QCOMPARE(w.currentPage(), pageAfter);
    QCOMPARE(w.result(), result);
    if (probe.isEmpty())
        return;
    QWidget* target = w.findChild<QWidget*>(probe);
    QVERIFY(target);
    if (expected == QLatin1String("<shown>"))
        QVERIFY(target->isVisible());
    else if (auto* label = qobject_cast<QLabel*>(target))
        QCOMPARE(label->text(), expected);
    else
        QCOMPARE(qobject_cast<QAbstractButton*>(target)->text(), expected);
}

void KeyboardTests::calculatorPageEnter_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("apr");        // typed into EditApr first
    QTest::addColumn<QString>("aprAfter");   // EditApr after Enter
    QTest::addColumn<QString>("payments");   // EditStdPayments after Enter
    QTest::addColumn<int>("messages");
    QTest::addColumn<int>("result");
    QTest::newRow("Calculate runs") << "BtnGoFigure" << "17.9" << "17.90" << "183" << 0 << 0;
    QTest::newRow("APR box reads, no run") << "EditApr" << "17.9" << "17.90" << "" << 0 << 0;
    QTest::newRow("APR box corrects") << "EditApr" << "45" << "30.00" << "" << 1 << 0;
    QTest::newRow("name box: nothing") << "EditName" << "17.9" << "17.9" << "" << 0 << 0;
    QTest::newRow("Quit quits") << "BtnQuit" << "17.9" << "17.9" << "" << 0 << 2;
    QTest::newRow("Next Chapter leaves") << "BtnNextChapt" << "17.9" << "17.9" << "" << 0 << 6;
}

void KeyboardTests::calculatorPageEnter()
{
    QFETCH(QString, focus);
    QFETCH(QString, apr);
    QFETCH(QString, aprAfter);
    QFETCH(QString, payments);
    QFETCH(int, messages);
    QFETCH(int, result);
    TChapter_002 w;
    QVERIFY(showActive(&w));
    // Enter all the way: page by page to the calculator, which takes the focus to its first box.
    while (w.currentPage() < w.totalPageCount())
        pressEnter();
    QCOMPARE(QApplication::focusWidget(), w.findChild<QWidget*>("EditName"));
    const std::pair<const char*, QString> typed[] = {
        {"EditBal", QStringLiteral("2100")}, {"EditPmt", QStringLiteral("53")}, {"EditApr", apr}};
    for (const auto& [name, text] : typed)
        child<QLineEdit>(&w, name)->setText(text);
    focusOn(&w, focus);
    pressEnter();
    QCOMPARE(w.result(), result);
    QCOMPARE(w.currentPage(), w.totalPageCount());
    QCOMPARE(child<QLineEdit>(&w, "EditApr")->text(), aprAfter);
    QCOMPARE(child<QLineEdit>(&w, "EditStdPayments")->text(), payments);
    QCOMPARE(fake.messages.size(), messages);
}

void KeyboardTests::enterOnStopDuringRun()
{
    // Enter on Calculate starts a long run; the focus moves on to Stop, and
    // an Enter while the run yields presses Stop.
    TChapter_002 w;
    QVERIFY(showActive(&w));
    while (w.currentPage() < w.totalPageCount())
        w.BtnNextClick();
    const std::pair<const char*, const char*> typed[] = {{"EditApr", "30"}, {"EditBal", "100000"}, {"EditPmt", "2601"}};
    for (const auto& [name, text] : typed)
        child<QLineEdit>(&w, name)->setText(QString::fromLatin1(text));
    focusOn(&w, QStringLiteral("BtnGoFigure"));
    QWidget* focusDuringRun = nullptr;
    QMetaObject::invokeMethod(
        &w,
        [&] {
            focusDuringRun = QApplication::focusWidget();
            pressEnter();
        },
        Qt::QueuedConnection);
    pressEnter();
    QCOMPARE(focusDuringRun, w.findChild<QWidget*>("BtnStop"));
    QVERIFY(child<QWidget>(&w, "LblAbort")->isVisible());
    QVERIFY(child<QWidget>(&w, "BtnStop")->isHidden());
    QVERIFY(child<QWidget>(&w, "BtnGoFigure")->isEnabled());
    QCOMPARE(QApplication::focusWidget(), w.findChild<QWidget*>("BtnGoFigure"));
    QVERIFY(w.isVisible());
}

QTEST_MAIN(KeyboardTests)
#include "tst_keyboard.moc"
