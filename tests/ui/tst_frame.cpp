// The lesson frame on its own: header, page turning, the button rule, Esc,
// the leaving buttons and closing during a calculation (Enter: tst_keyboard).
#include "common/LessonFrame.h"
#include "lessons/Chapters.h"
#include "common/WebStuff.h"
#include "FakePlatform.h"
#include "TestWidgets.h"

#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QtTest>
#include <memory>

using namespace quenmark;

namespace {

// A frame with `pages` empty pages that records its hooks and can run a "calculation".
class TestFrame : public LessonFrame
{
public:
    TestFrame(int chapter, int pages)
        : LessonFrame(chapterLook(chapter))
    {
        for (int i = 1; i <= pages; ++i)
            addPage(QStringLiteral("Page%1").arg(i));
    }
    using LessonFrame::frameButton;
    using LessonFrame::setRunActive;
    QList<int> reached;
    int resets = 0;
    int stops = 0;

protected:
    void resetForOpening() override { ++resets; }
    void pageReached(int page, bool) override { reached.append(page); }
    void requestStop() override { ++stops; }
};

bool shown(LessonFrame* f, const char* name)
{
    auto* b = f->findChild<QPushButton*>(QLatin1String(name));
    return b && !b->isHidden();
}

QString labelText(QWidget* w, const char* name)
{
    auto* l = w->findChild<QLabel*>(QLatin1String(name));
    return l ? l->text() : QStringLiteral("<missing>");
}

} // namespace

class TestFrameTests : public QObject
{
    Q_OBJECT
private slots:
    void header_data();
    void header();
    void buttonsPerPage_data();
    void buttonsPerPage();
    void backRestoresButtons();
    void escapeDoesNothing();
    void leavingButtons_data();
    void leavingButtons();
    void titleBarCloseIsQuit();
    void closeDuringRunWaitsForTheRun();
    void leavingButtonDuringRunWaitsForTheRun();
    void reopeningStartsOnPageOne();
    void buttonsCarryTheirWords();
    void oneEmptyPageChapterCanLeaveBothWays();

private:
    FakePlatform fake;
};

void TestFrameTests::header_data()
{
    QTest::addColumn<int>("chapter");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("hasPrev");
    QTest::addColumn<bool>("hasNext");
    QTest::newRow("1") << 1 << "  Introduction to Quenmark" << false << true;
    QTest::newRow("2") << 2 << "  Terms and Definitions" << true << true;
    QTest::newRow("3") << 3 << "  Minimum Payments vs Constant Payments" << true << true;
    QTest::newRow("4") << 4 << "Year to Date Totals" << true << true;
    QTest::newRow("5") << 5 << "New Purchases & Skipped Payments" << true << true;
    QTest::newRow("6") << 6 << " The Effect of Multiple Credit Cards" << true << true;
    QTest::newRow("7") << 7 << " The Effect of Adding $5 to Each Payment" << true << true;
    QTest::newRow("8") << 8 << " Maximizing the Use of Your Money" << true << true;
    QTest::newRow("9") << 9 << " A Computer Based Rapid Debt Program" << true << false;
}

void TestFrameTests::header()
{
    QFETCH(int, chapter);
    QFETCH(QString, title);
    QFETCH(bool, hasPrev);
    QFETCH(bool, hasNext);
    QCOMPARE(chapterLook(chapter).title, title);
    QCOMPARE(chapterLook(chapter).titleAsPicture, chapter == 4 || chapter == 5);
    std::unique_ptr<LessonFrame> f(createPlainChapter(chapter, nullptr));
    QCOMPARE(f->windowTitle(), QStringLiteral("Chapter %1").arg(chapter));
    QCOMPARE(f->size(), QSize(640, 480));
    f->show();
    QCOMPARE(quenmark::test::spokenName(f->findChild<QLabel*>("HeaderNumber")), QString::number(chapter));
    if (!chapterLook(chapter).titleAsPicture)
        QCOMPARE(labelText(f.get(), "HeaderTitle"), title);
    else
        QVERIFY(!f->findChild<QLabel*>("HeaderTitle")->pixmap().isNull());
    QCOMPARE(quenmark::test::spokenName(f->findChild<QLabel*>("HeaderTitle")), title.trimmed());
    QCOMPARE(labelText(f.get(), "PageNumberPanel"), QStringLiteral("1"));
    QCOMPARE(labelText(f.get(), "TotalPages"), QStringLiteral("1"));
    QCOMPARE(labelText(f.get(), "BottomCopyrightNotice"), gstrCopyright);
    QCOMPARE(f->findChild<QPushButton*>("BtnPrevChapt") != nullptr, hasPrev);
    QCOMPARE(f->findChild<QPushButton*>("BtnNextChapt") != nullptr, hasNext);
    QVERIFY(f->findChild<QStackedWidget*>("Notebook1"));
    QCOMPARE(f->findChild<QStackedWidget*>("Notebook1")->size(), QSize(578, 325));
}

void TestFrameTests::buttonsPerPage_data()
{
    QTest::addColumn<int>("chapter");
    QTest::addColumn<int>("total");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("expected"); // PrevChapt Back Next NextChapt as 1/0
    QTest::newRow("5 pages, first") << 3 << 5 << 1 << "1010";
    QTest::newRow("5 pages, second") << 3 << 5 << 2 << "0110";
    QTest::newRow("5 pages, middle") << 3 << 5 << 3 << "0110";
    QTest::newRow("5 pages, second-to-last") << 3 << 5 << 4 << "0110";
    QTest::newRow("5 pages, last") << 3 << 5 << 5 << "0101";
    QTest::newRow("11 pages, 10") << 3 << 11 << 10 << "0110";
    QTest::newRow("11 pages, 11") << 3 << 11 << 11 << "0101";
    QTest::newRow("3 pages, last") << 9 << 3 << 3 << "0100"; // no Next Chapter in 9
    QTest::newRow("3 pages, second") << 9 << 3 << 2 << "0110";
    QTest::newRow("chapter 1, first") << 1 << 5 << 1 << "0010"; // no Prev Chapter in 1
    QTest::newRow("2 pages, last") << 2 << 2 << 2 << "0101";
}

void TestFrameTests::buttonsPerPage()
{
    QFETCH(int, chapter);
    QFETCH(int, total);
    QFETCH(int, page);
    QFETCH(QString, expected);
    TestFrame f(chapter, total);
    f.show();
    for (int i = 1; i < page; ++i)
        f.BtnNextClick();
    QCOMPARE(f.currentPage(), page);
    QCOMPARE(labelText(&f, "PageNumberPanel"), QString::number(page));
    // A screen reader reads the page number as it is now, not as designed.
    QCOMPARE(quenmark::test::spokenName(f.findChild<QLabel*>("PageNumberPanel")), QString::number(page));
    QCOMPARE(f.notebook()->currentIndex(), page - 1);
    const QString got = QString("%1%2%3%4")
                            .arg(int(shown(&f, "BtnPrevChapt")))
                            .arg(int(shown(&f, "BtnBack")))
                            .arg(int(shown(&f, "BtnNext")))
                            .arg(int(shown(&f, "BtnNextChapt")));
    QCOMPARE(got, expected);
    // The page number never leaves 1..total.
    f.BtnNextClick();
    QVERIFY(f.currentPage() <= total);
}

void TestFrameTests::backRestoresButtons()
{
    TestFrame f(4, 6);
    f.show();
    for (int i = 1; i < 6; ++i)
        f.BtnNextClick();
    QVERIFY(shown(&f, "BtnNextChapt"));
    f.BtnBackClick();
    QCOMPARE(f.currentPage(), 5);
    QVERIFY(shown(&f, "BtnBack") && shown(&f, "BtnNext") && !shown(&f, "BtnNextChapt"));
    for (int i = 0; i < 10; ++i)
        f.BtnBackClick();
    QCOMPARE(f.currentPage(), 1);
    QVERIFY(shown(&f, "BtnPrevChapt") && !shown(&f, "BtnBack"));
    QCOMPARE(f.reached, (QList<int>{2, 3, 4, 5, 6, 5, 4, 3, 2, 1}));
}

void TestFrameTests::escapeDoesNothing()
{
    TestFrame f(2, 3);
    f.show();
    QTest::keyClick(&f, Qt::Key_Escape);
    QVERIFY(f.isVisible());
    QCOMPARE(f.result(), 0);
}

void TestFrameTests::leavingButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("result");
    QTest::newRow("Quit") << "BtnQuit" << 1 << 2;
    QTest::newRow("Contents") << "BtnContents" << 2 << 4;
    QTest::newRow("Prev Chapter") << "BtnPrevChapt" << 1 << 7;
    QTest::newRow("Next Chapter") << "BtnNextChapt" << 3 << 6;
}

void TestFrameTests::leavingButtons()
{
    QFETCH(QString, button);
    QFETCH(int, page);
    QFETCH(int, result);
    TestFrame f(5, 3);
    f.show();
    for (int i = 1; i < page; ++i)
        f.BtnNextClick();
    QPushButton* b = f.findChild<QPushButton*>(button);
    QVERIFY(b && b->isVisible());
    QTest::mouseClick(b, Qt::LeftButton);
    QVERIFY(!f.isVisible());
    QCOMPARE(f.result(), result);
}

void TestFrameTests::titleBarCloseIsQuit()
{
    TestFrame f(6, 3);
    f.show();
    f.close();
    QVERIFY(!f.isVisible());
    QCOMPARE(f.result(), 2);
}

void TestFrameTests::closeDuringRunWaitsForTheRun()
{
    TestFrame f(2, 3);
    f.show();
    f.setRunActive(true);
    f.close();
    QCOMPARE(f.stops, 1);
    QVERIFY(f.isVisible());
    f.setRunActive(false);
    QVERIFY(!f.isVisible());
    QCOMPARE(f.result(), 2);
}

void TestFrameTests::leavingButtonDuringRunWaitsForTheRun()
{
    TestFrame f(7, 3);
    f.show();
    f.setRunActive(true);
    QTest::mouseClick(f.frameButton("BtnContents"), Qt::LeftButton);
    f.close(); // a second request keeps the first result
    QCOMPARE(f.stops, 2);
    QVERIFY(f.isVisible());
    f.setRunActive(false);
    QVERIFY(!f.isVisible());
    QCOMPARE(f.result(), 4);
}

void TestFrameTests::reopeningStartsOnPageOne()
{
    TestFrame f(3, 4);
    f.show();
    f.BtnNextClick();
    f.BtnNextClick();
    f.BtnQuitClick();
    f.setResult(0);
    f.show();
    QCOMPARE(f.currentPage(), 1);
    QCOMPARE(labelText(&f, "PageNumberPanel"), QStringLiteral("1"));
    QCOMPARE(f.notebook()->currentIndex(), 0);
    QCOMPARE(f.resets, 2);
    QVERIFY(shown(&f, "BtnPrevChapt") && !shown(&f, "BtnBack") && shown(&f, "BtnNext"));
}

void TestFrameTests::buttonsCarryTheirWords()
{
    TestFrame f(5, 3);
    const QList<QPair<const char*, const char*>> words{{"BtnQuit", "Quit"},
                                                       {"BtnContents", "Table of Contents"},
                                                       {"BtnPrevChapt", "Prev Chapter"},
                                                       {"BtnBack", "Page Back"},
                                                       {"BtnNext", "Next Page"},
                                                       {"BtnNextChapt", "Next Chapter"}};
    for (const auto& [name, text] : words) {
        QPushButton* b = f.frameButton(name);
        QVERIFY2(b, name);
        QCOMPARE(b->accessibleName(), QString::fromLatin1(text));
        QVERIFY(!b->icon().isNull());
        QVERIFY(!b->icon().pixmap(b->iconSize(), QIcon::Disabled).isNull());
    }
    QVERIFY(f.frameButton("BtnNext")->isDefault());
    QCOMPARE(f.frameButton("BtnQuit")->geometry(), QRect(22, 389, 91, 30));
    QCOMPARE(f.frameButton("BtnContents")->geometry(), QRect(147, 389, 139, 30));
    QCOMPARE(f.frameButton("BtnPrevChapt")->geometry(), QRect(361, 389, 107, 30));
    QCOMPARE(f.frameButton("BtnBack")->geometry(), QRect(369, 389, 91, 30));
    QCOMPARE(f.frameButton("BtnNextChapt")->geometry(), QRect(491, 389, 107, 30));
    QCOMPARE(f.frameButton("BtnNext")->geometry(), QRect(499, 389, 91, 30));
}

void TestFrameTests::oneEmptyPageChapterCanLeaveBothWays()
{
    std::unique_ptr<LessonFrame> f(createPlainChapter(5, nullptr));
    f->show();
    QCOMPARE(f->totalPageCount(), 1);
    QVERIFY(shown(f.get(), "BtnPrevChapt") && shown(f.get(), "BtnNextChapt"));
    QVERIFY(!shown(f.get(), "BtnBack") && !shown(f.get(), "BtnNext"));
}

QTEST_MAIN(TestFrameTests)
#include "tst_frame.moc"
