// Chapter 6: page steps by Next and by Back, the two charts in their three
// states, every bar's place and readout by pointer and by keyboard, the
// background that clears them, and the quoted texts. (The pages' tidiness
// and names are checked for every chapter by tst_look and tst_audit.)
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QtTest>
#include <memory>

#include "ChapterFixture.h"
#include "FakePlatform.h"
#include "PageChecks.h"
#include "TestWidgets.h"
#include "common/BarChart.h"
#include "lessons/Chapt06.h"
#include "lessons/Chapt06Data.h"
#include "lessons/Chapters.h"

using namespace quenmark;
using quenmark::test::jumpTo;
using quenmark::test::pointAt;

namespace {
const QColor kLightGreen(168, 255, 168);
const QColor kLightYellow(255, 255, 128);
} // namespace

class TestChapt06 : public QObject, public quenmark::test::ChapterFixture<LessonFrame>
{
    Q_OBJECT

private:
    QString readout(bool payoff) { return find<QLabel>(payoff ? "LabelTime" : "LabelValue")->text(); }

private slots:
    void init()
    {
        w.reset(createChapterWindow(6, nullptr));
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
    }
    void cleanup() { w.reset(); }

    void opening()
    {
        QVERIFY(qobject_cast<TChapter_006*>(w.get()));
        QCOMPARE(find<QLabel>("TotalPages")->text(), QStringLiteral("8"));
        for (const char* nb : {"Notebook1", "Notebook2", "Notebook3"})
            QCOMPARE(find<QStackedWidget>(nb)->currentIndex(), 0);
        for (ChartBar* bar : w->findChildren<ChartBar*>())
            QCOMPARE(bar->isHidden(), bar->objectName().startsWith(QLatin1String("Loan")));
        QVERIFY(find("Arrow1")->isHidden() && find("Arrow01")->isHidden());
        QVERIFY(readout(false).isEmpty());
        QCOMPARE(find("LabelValue")->palette().color(QPalette::WindowText), QColor(255, 255, 0));
        find<QPushButton>("BtnBack")->click();
        QCOMPARE(w->currentPage(), 1);
        goToPage(8);
        // Next gives way to Next Chapter: the focus it hands on reads out nothing.
        QVERIFY(readout(true).isEmpty());
        find<QPushButton>("BtnNext")->click();
        QCOMPARE(w->currentPage(), 8);
    }

    // Every page reached by Next (from page 1) and by Back (from page 8).
    void pageSteps_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<bool>("forward");
        const char* names[] = {"next", "back"};
        for (bool forward : {true, false})
            for (int page = 1; page <= 8; ++page)
                QTest::addRow("%s to %d", names[forward ? 0 : 1], page) << page << forward;
    }
    void pageSteps()
    {
        QFETCH(int, page);
        QFETCH(bool, forward);
        const int book1[] = {0, 1, 2, 2, 2, 3, 3, 3};
        const char* titles[] = {"Minimum Payment Method", "Constant Payment Method", "Minimum Pmt VS Constant Pmt"};
        if (!forward)
            goToPage(8);
        goToPage(page);
        QCOMPARE(find<QLabel>("PageNumberPanel")->text(), QString::number(page));
        QCOMPARE(find<QStackedWidget>("Notebook1")->currentIndex(), book1[page - 1]);
        if (page < 3)
            return;
        const bool payoff = page >= 6;
        const int state = (page - 3) % 3; // 0 minimum, 1 constant, 2 both
        QCOMPARE(find<QStackedWidget>(payoff ? "Notebook3" : "Notebook2")->currentIndex(), state);
        auto* title = find<QLabel>(payoff ? "Title01" : "Title1");
        QCOMPARE(title->text(), QString::fromLatin1(titles[state]));
        QCOMPARE(title->pos(), QPoint(281 / 2 - title->width() / 2, 6));
        QVERIFY(title->fontMetrics().horizontalAdvance(title->text()) <= title->width());
        for (ChartBar* bar : find(payoff ? "PanelGraph01" : "PanelGraph")->findChildren<ChartBar*>())
            QCOMPARE(bar->isVisible(), state == 2 || (state == 1) == bar->objectName().startsWith(QLatin1String("Loan")));
    }

    // The cases users see first: Card 1's bar on page 3 and its constant bar on page 5.
    void barReadout_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("bar");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("card 1 minimum, page 3") << 3 << "Card1" << "$3,936.39" << kLightGreen;
        QTest::newRow("card 1 constant, page 5") << 5 << "Loan1" << "$1,564.17" << kLightYellow;
    }
    void barReadout()
    {
        QFETCH(int, page);
        QFETCH(QString, bar);
        QFETCH(QString, text);
        QFETCH(QColor, colour);
        goToPage(page);
        pointAt(find(bar));
        QCOMPARE(readout(false), text);
        QCOMPARE(find("LabelValue")->palette().color(QPalette::WindowText), colour);
        QVERIFY(find("Arrow1")->isVisible());
        QCOMPARE(find("Arrow1")->geometry(), QRect(8, 25, 11, 7));
    }

    // The background and its axis labels clear the readout and the arrow; the
    // title and the readout itself do not.
    void backgroundClears_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("zone");
        QTest::addColumn<QPoint>("pos"); // (-1, -1): the centre
        QTest::addColumn<bool>("clears");
        const QPoint centre(-1, -1);
        const QPoint empty(260, 100); // the background right of the bars
        QTest::newRow("interest background") << 3 << "PanelGraph" << empty << true;
        QTest::newRow("interest card label") << 3 << "PanelGraphCard2" << centre << true;
        QTest::newRow("interest title") << 3 << "Title1" << centre << false;
        QTest::newRow("interest readout") << 3 << "LabelValue" << centre << false;
        QTest::newRow("payoff background") << 7 << "PanelGraph01" << empty << true;
        QTest::newRow("payoff value label") << 7 << "PanelGraph01Axis0" << centre << true;
    }
    void backgroundClears()
    {
        QFETCH(int, page);
        QFETCH(QString, zone);
        QFETCH(QPoint, pos);
        QFETCH(bool, clears);
        goToPage(page);
        const bool payoff = page >= 6;
        pointAt(find(payoff ? "Loan02" : "Card2"));
        QVERIFY(!readout(payoff).isEmpty());
        jumpTo(find(zone), pos);
        QCOMPARE(readout(payoff).isEmpty(), clears);
        QCOMPARE(find(payoff ? "Arrow01" : "Arrow1")->isHidden(), clears);
    }

    // Every bar stands on the axis at its place with the height of its figure,
    // and pointing at it reads out what its name says, in its colour, in a
    // readout wide enough, with the arrow at its card's row.
    void everyBar()
    {
        QCOMPARE(find("LabelValue")->geometry(), QRect(108, 47, 64, 16));
        QCOMPARE(find("LabelTime")->geometry(), QRect(108, 47, 84, 16));
        for (int chart = 0; chart < 2; ++chart) {
            goToPage(chart ? 8 : 5); // both bar sets
            QWidget* panel = find(chart ? "PanelGraph01" : "PanelGraph");
            auto* label = find<QLabel>(chart ? "LabelTime" : "LabelValue");
            QCOMPARE(panel->size(), QSize(281, 254));
            for (int constant = 0; constant < 2; ++constant)
                for (const ch6::Card& card : ch6::kCards) {
                    auto* bar = panel->findChild<ChartBar*>(
                        QStringLiteral("%1%2%3").arg(constant ? "Loan" : "Card", chart ? "0" : "").arg(card.number));
                    QVERIFY(bar);
                    const int height = card.heights[static_cast<std::size_t>(chart * 2 + constant)];
                    QCOMPARE(bar->geometry(),
                             QRect(59 + 45 * (card.number - 1) + 10 * constant, 222 - height, 11, height));
                    const QColor colour = constant ? kLightYellow : kLightGreen;
                    QCOMPARE(bar->colour(), colour);
                    pointAt(bar);
                    QCOMPARE(bar->accessibleName(), QStringLiteral("Card %1, %2 payments: %3")
                                                        .arg(card.number)
                                                        .arg(constant ? "constant" : "minimum", label->text()));
                    QCOMPARE(label->palette().color(QPalette::WindowText), colour);
                    QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->width());
                    QCOMPARE(find(chart ? "Arrow01" : "Arrow1")->geometry(),
                             QRect(8, 25 + 14 * (card.number - 1), 11, 7));
                }
        }
    }

    // A set is touched only when its first bar is not in the wanted state.
    void barSetGuard()
    {
        goToPage(3);
        find("Card3")->hide();
        goToPage(4); // the minimum set is hidden whole...
        goToPage(3); // ...and shown whole
        QVERIFY(find("Card3")->isVisible());
        find("Card3")->hide();
        goToPage(2);
        goToPage(3); // the minimum set already shows (Card1): Card3 is left alone
        QVERIFY(find("Card3")->isHidden());
    }

    // Tab reaches the chart, the arrow keys read its bars left to right, each
    // as its accessible name says.
    void keyboardReadsBars()
    {
        goToPage(5);
        QWidget* panel = find("PanelGraph");
        QVERIFY(quenmark::test::tabTo(panel));
        QVERIFY(readout(false).isEmpty());
        QTest::keyClick(panel, Qt::Key_Right);
        QStringList order;
        while (auto* bar = qobject_cast<ChartBar*>(QApplication::focusWidget())) {
            if (order.contains(bar->objectName()))
                break; // the last bar keeps the focus
            order << bar->objectName();
            QVERIFY(bar->accessibleName().endsWith(readout(false)));
            QTest::keyClick(bar, Qt::Key_Right);
        }
        QCOMPARE(order, QStringList({"Card1", "Loan1", "Card2", "Loan2", "Card3", "Loan3", "Card4", "Loan4", "Card5",
                                     "Loan5"}));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
        QCOMPARE(readout(false), QStringLiteral("$836.20")); // back to Card 5's minimum bar
    }

    // The sentences the pages quote, the totals summed from the bars' figures.
    void quotedTexts_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("quote");
        QTest::newRow("minimum total") << 3 << "The total interest paid on these 5 credit cards would be $9,897.00.";
        QTest::newRow("constant total") << 4 << "The total interest paid on these 5 credit cards would be $4,864.86.";
        QTest::newRow("both") << 5 << "Minimum Payments - $9,897.00\nConstant Payments -\n$4,864.86\nSAVINGS - $5,032.14";
        QTest::newRow("minimum months") << 6 << "The longest is Card 1 (277 Months) and the shortest is Card 5 (103 Months).";
        QTest::newRow("constant months") << 7 << "The longest is Card 4 (101 Months) and the shortest is Card 2 (61 Months).";
        QTest::newRow("next chapter")
            << 8 << "In the next chapter, we'll see what happens when just $5 extra is added to the monthly payments.";
    }
    void quotedTexts()
    {
        QFETCH(int, page);
        QFETCH(QString, quote);
        goToPage(page);
        QStringList shown;
        for (auto* l : w->findChildren<QLabel*>()) {
            QTextDocument doc;
            doc.setHtml(l->text());
            if (l->isVisible())
                shown << (l->textFormat() == Qt::RichText ? doc.toPlainText() : l->text());
        }
        QVERIFY2(shown.join(QLatin1Char('\n')).contains(quote), qPrintable(quote));
    }
};

QTEST_MAIN(TestChapt06)
#include "tst_chapt06.moc"
