// Chapter 6: the page steps by Next and by Back, the two charts in their three
// states, the pointer readouts and the background that clears them, the bar
// geometry, names a screen reader reads, and tidy pages.
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTextDocument>
#include <QtTest>
#include <memory>

#include "FakePlatform.h"
#include "TestWidgets.h"
#include "common/BarChart.h"
#include "lessons/Chapt06.h"
#include "lessons/Chapt06Data.h"
#include "lessons/Chapters.h"

using namespace quenmark;

namespace {
const QColor kLightGreen(168, 255, 168);
const QColor kLightYellow(255, 255, 128);
const char* const kTitles[] = {"Minimum Payment Method", "Constant Payment Method", "Minimum Pmt VS Constant Pmt"};
} // namespace

class TestChapt06 : public QObject
{
    Q_OBJECT

private:
    FakePlatform fake;
    std::unique_ptr<LessonFrame> w;

    template <typename T = QWidget>
    T* find(const char* name)
    {
        return quenmark::test::child<T>(w.get(), name);
    }
    void click(const char* name, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            find<QPushButton>(name)->click();
    }
    void goToPage(int page)
    {
        while (w->currentPage() < page)
            click("BtnNext");
        while (w->currentPage() > page)
            click("BtnBack");
    }
    // Moves the pointer onto `target` at `pos` (its centre by default), from a
    // point outside the page area first.
    void pointAt(QWidget* target, QPoint pos = QPoint(-1, -1))
    {
        QVERIFY(target);
        QWidget* win = target->window();
        if (pos.x() < 0)
            pos = target->rect().center();
        QTest::mouseMove(win->windowHandle(), QPoint(2, 460));
        QTest::mouseMove(win->windowHandle(), target->mapTo(win, pos));
    }
    QList<ChartBar*> bars(const char* panel) { return find(panel)->findChildren<ChartBar*>(); }

private slots:
    void init()
    {
        w.reset(createChapterWindow(6, nullptr));
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }
    void cleanup() { w.reset(); }

    void opening()
    {
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QVERIFY(qobject_cast<TChapter_006*>(w.get()));
        QCOMPARE(w->windowTitle(), QStringLiteral("Chapter 6"));
        QCOMPARE(find<QLabel>("TotalPages")->text(), QStringLiteral("8"));
        QCOMPARE(find<QLabel>("PageNumberPanel")->text(), QStringLiteral("1"));
        QCOMPARE(find<QLabel>("HeaderTitle")->text(), QStringLiteral(" The Effect of Multiple Credit Cards"));
        for (const char* nb : {"Notebook1", "Notebook2", "Notebook3"})
            QCOMPARE(find<QStackedWidget>(nb)->currentIndex(), 0);
        for (const char* panel : {"PanelGraph", "PanelGraph01"})
            for (ChartBar* bar : bars(panel))
                QCOMPARE(bar->isHidden(), bar->objectName().startsWith(QLatin1String("Loan")));
        for (const char* arrow : {"Arrow1", "Arrow01"})
            QVERIFY(find(arrow)->isHidden());
        for (const char* readout : {"LabelValue", "LabelTime"}) {
            QVERIFY(find<QLabel>(readout)->text().isEmpty());
            QCOMPARE(find(readout)->palette().color(QPalette::WindowText), QColor(255, 255, 0));
        }
        QVERIFY(find("BtnPrevChapt")->isVisible());
        QVERIFY(!find("BtnBack")->isVisible());
        click("BtnBack");
        QCOMPARE(w->currentPage(), 1);
        goToPage(8);
        // Next gives way to Next Chapter: the focus it hands on reads out nothing.
        QVERIFY(find<QLabel>("LabelTime")->text().isEmpty());
        click("BtnNext");
        QCOMPARE(w->currentPage(), 8);
        QVERIFY(find("BtnNextChapt")->isVisible() && !find("BtnNext")->isVisible());
    }

    // Every page reached by Next (from page 1) and by Back (from page 8).
    void pageSteps_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<bool>("forward");
        QTest::addColumn<int>("book1");
        QTest::addColumn<int>("inner"); // the chart's text page; -1: no chart
        QTest::addColumn<int>("sets");  // 0 minimum, 1 constant, 2 both
        const int rows[8][3] = {{0, -1, 0}, {1, -1, 0}, {2, 0, 0}, {2, 1, 1}, {2, 2, 2}, {3, 0, 0}, {3, 1, 1}, {3, 2, 2}};
        for (bool forward : {true, false})
            for (int page = 1; page <= 8; ++page)
                QTest::addRow("%s to %d", forward ? "next" : "back", page)
                    << page << forward << rows[page - 1][0] << rows[page - 1][1] << rows[page - 1][2];
    }
    void pageSteps()
    {
        QFETCH(int, page);
        QFETCH(bool, forward);
        QFETCH(int, book1);
        QFETCH(int, inner);
        QFETCH(int, sets);
        if (!forward)
            goToPage(8);
        goToPage(page);
        QCOMPARE(find<QLabel>("PageNumberPanel")->text(), QString::number(page));
        QCOMPARE(find<QStackedWidget>("Notebook1")->currentIndex(), book1);
        if (inner < 0)
            return;
        const bool payoff = book1 == 3;
        QCOMPARE(find<QStackedWidget>(payoff ? "Notebook3" : "Notebook2")->currentIndex(), inner);
        auto* title = find<QLabel>(payoff ? "Title01" : "Title1");
        QCOMPARE(title->text(), QString::fromLatin1(kTitles[sets]));
        QCOMPARE(title->x(), 281 / 2 - title->width() / 2);
        QCOMPARE(title->y(), 6);
        QVERIFY(title->fontMetrics().horizontalAdvance(title->text()) <= title->width());
        for (ChartBar* bar : bars(payoff ? "PanelGraph01" : "PanelGraph")) {
            const bool constant = bar->objectName().startsWith(QLatin1String("Loan"));
            QCOMPARE(bar->isVisible(), sets == 2 || (sets == 1) == constant);
        }
    }

    // The figures the pointer reads out, with the arrow at the card's row.
    void barReadout_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("bar");
        QTest::addColumn<QString>("readout");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<QString>("arrow");
        QTest::addColumn<int>("arrowY");
        QTest::newRow("card 1 minimum, page 3") << 3 << "Card1" << "LabelValue" << "$3,936.39" << kLightGreen << "Arrow1" << 25;
        QTest::newRow("card 1 constant, page 5") << 5 << "Loan1" << "LabelValue" << "$1,564.17" << kLightYellow << "Arrow1" << 25;
        QTest::newRow("card 5 constant, page 4") << 4 << "Loan5" << "LabelValue" << "$572.26" << kLightYellow << "Arrow1" << 81;
        QTest::newRow("card 3 minimum, page 6") << 6 << "Card03" << "LabelTime" << "159 Months" << kLightGreen << "Arrow01" << 53;
        QTest::newRow("card 4 constant, page 8") << 8 << "Loan04" << "LabelTime" << "101 Months" << kLightYellow << "Arrow01" << 67;
    }
    void barReadout()
    {
        QFETCH(int, page);
        QFETCH(QString, bar);
        QFETCH(QString, readout);
        QFETCH(QString, text);
        QFETCH(QColor, colour);
        QFETCH(QString, arrow);
        QFETCH(int, arrowY);
        goToPage(page);
        pointAt(find(bar.toLatin1().constData()));
        auto* label = find<QLabel>(readout.toLatin1().constData());
        QCOMPARE(label->text(), text);
        QCOMPARE(label->palette().color(QPalette::WindowText), colour);
        QWidget* a = find(arrow.toLatin1().constData());
        QVERIFY(a->isVisible());
        QCOMPARE(a->geometry(), QRect(8, arrowY, 11, 7));
    }

    // Over all twenty bars: the readout shows what the bar's name says, in the
    // bar's colour, and the arrow points at the card's row.
    void everyBarReadsItsName()
    {
        for (int page : {5, 8}) {
            goToPage(page);
            const bool payoff = page == 8;
            auto* label = find<QLabel>(payoff ? "LabelTime" : "LabelValue");
            QWidget* a = find(payoff ? "Arrow01" : "Arrow1");
            for (ChartBar* bar : bars(payoff ? "PanelGraph01" : "PanelGraph")) {
                pointAt(bar, QPoint(5, 2));
                const int card = bar->objectName().right(1).toInt();
                QVERIFY2(bar->accessibleName().endsWith(QStringLiteral(": ") + label->text()),
                         qPrintable(bar->objectName()));
                QVERIFY(bar->accessibleName().startsWith(QStringLiteral("Card %1, ").arg(card)));
                QCOMPARE(label->palette().color(QPalette::WindowText), bar->colour());
                QCOMPARE(a->y(), 25 + 14 * (card - 1));
                QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->width());
            }
        }
    }

    // The background and its axis labels clear the readout; the title and the readout itself do not.
    void backgroundClears_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("zone");
        QTest::addColumn<bool>("clears");
        QTest::newRow("interest background") << 3 << "PanelGraph" << true;
        QTest::newRow("interest value label") << 3 << "PanelGraphAxis4" << true;
        QTest::newRow("interest card label") << 3 << "PanelGraphCard2" << true;
        QTest::newRow("interest title") << 3 << "Title1" << false;
        QTest::newRow("interest readout") << 3 << "LabelValue" << false;
        QTest::newRow("payoff background") << 7 << "PanelGraph01" << true;
        QTest::newRow("payoff value label") << 7 << "PanelGraph01Axis0" << true;
        QTest::newRow("payoff card label") << 7 << "PanelGraph01Card5" << true;
        QTest::newRow("payoff title") << 7 << "Title01" << false;
    }
    void backgroundClears()
    {
        QFETCH(int, page);
        QFETCH(QString, zone);
        QFETCH(bool, clears);
        goToPage(page);
        const bool payoff = page >= 6;
        QWidget* panel = find(payoff ? "PanelGraph01" : "PanelGraph");
        auto* label = find<QLabel>(payoff ? "LabelTime" : "LabelValue");
        QWidget* arrow = find(payoff ? "Arrow01" : "Arrow1");
        pointAt(find(payoff ? "Loan02" : "Card2"));
        QVERIFY(!label->text().isEmpty());
        QWidget* target = find(zone.toLatin1().constData());
        // The background is reached at an empty spot in the upper right.
        const QPoint pos = target == panel ? QPoint(260, 100) : target->rect().center();
        QVERIFY(!target->isHidden());
        QTest::mouseMove(w->windowHandle(), target->mapTo(w.get(), pos));
        QCOMPARE(label->text().isEmpty(), clears);
        QCOMPARE(arrow->isHidden(), clears);
    }

    // Bars stand on the axis at the chart's pixel geometry with the heights of the figures.
    void barGeometry()
    {
        for (int chart = 0; chart < 2; ++chart) {
            QWidget* panel = find(chart ? "PanelGraph01" : "PanelGraph");
            QCOMPARE(panel->size(), QSize(281, 254));
            QCOMPARE(panel->palette().color(QPalette::Window), chart ? QColor(0, 64, 64) : QColor(0, 64, 128));
            for (int constant = 0; constant < 2; ++constant) {
                for (const ch6::Card& card : ch6::kCards) {
                    const QString name = QStringLiteral("%1%2%3")
                                             .arg(constant ? "Loan" : "Card", chart ? "0" : "")
                                             .arg(card.number);
                    auto* bar = panel->findChild<ChartBar*>(name);
                    QVERIFY2(bar, qPrintable(name));
                    const int height = card.heights[static_cast<std::size_t>(chart * 2 + constant)];
                    QCOMPARE(bar->geometry(),
                             QRect(59 + 45 * (card.number - 1) + 10 * constant, 222 - height, 11, height));
                    QCOMPARE(bar->colour(), constant ? kLightYellow : kLightGreen);
                }
            }
        }
        QCOMPARE(find("LabelValue")->geometry(), QRect(108, 47, 64, 16));
        QCOMPARE(find("LabelTime")->geometry(), QRect(108, 47, 84, 16));
    }

    // A set is touched only when its first bar is not in the wanted state.
    void barSetGuard()
    {
        goToPage(3);
        find("Card3")->hide();
        click("BtnNext"); // constant bars only: the minimum set is hidden whole
        click("BtnBack");
        QVERIFY(find("Card3")->isVisible());
        find("Card3")->hide();
        click("BtnBack");
        click("BtnNext"); // the minimum set already shows (Card1): Card3 is left alone
        QVERIFY(find("Card3")->isHidden());
    }

    // Tab reaches the chart, the arrow keys read its bars left to right; a
    // focused bar reads out like a pointed one.
    void keyboardReadsBars()
    {
        goToPage(5);
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QWidget* panel = find("PanelGraph");
        auto* label = find<QLabel>("LabelValue");
        for (int i = 0; i < 20 && QApplication::focusWidget() != panel; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), panel);
        QVERIFY(label->text().isEmpty());
        QTest::keyClick(panel, Qt::Key_Right);
        QStringList order;
        for (int i = 0; i < 12; ++i) {
            auto* bar = qobject_cast<ChartBar*>(QApplication::focusWidget());
            QVERIFY(bar);
            if (!order.isEmpty() && order.last() == bar->objectName())
                break; // the last bar keeps the focus
            order << bar->objectName();
            QVERIFY(bar->accessibleName().endsWith(QStringLiteral(": ") + label->text()));
            QTest::keyClick(bar, Qt::Key_Right);
        }
        QCOMPARE(order, QStringList({"Card1", "Loan1", "Card2", "Loan2", "Card3", "Loan3", "Card4", "Loan4", "Card5",
                                     "Loan5"}));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
        QCOMPARE(label->text(), QStringLiteral("$836.20")); // back to Card 5's minimum bar
        QCOMPARE(quenmark::test::spokenName(find("Card1")), QStringLiteral("Card 1, minimum payments: $3,936.39"));
        QCOMPARE(quenmark::test::spokenName(find("Loan05")), QStringLiteral("Card 5, constant payments: 71 Months"));
    }

    // The sentences the pages quote, with the totals summed from the bars' figures.
    void quotedTexts_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("quote");
        QTest::newRow("overview") << 1 << "In this chapter we will see:";
        QTest::newRow("cards") << 2 << "The Effect Of Multiple Credit Cards";
        QTest::newRow("card 2 balance") << 2 << "$2,100.00";
        QTest::newRow("interest heading") << 3 << "Interest Cost";
        QTest::newRow("note") << 3 << "Move cursor arrow over a bar to see the actual value";
        QTest::newRow("minimum total") << 3 << "The total interest paid on these 5 credit cards would be $9,897.00.";
        QTest::newRow("constant total") << 4 << "The total interest paid on these 5 credit cards would be $4,864.86.";
        QTest::newRow("both minimum") << 5 << "Minimum Payments - $9,897.00";
        QTest::newRow("both constant") << 5 << "Constant Payments -";
        QTest::newRow("both constant amount") << 5 << "$4,864.86";
        QTest::newRow("savings") << 5 << "SAVINGS - $5,032.14";
        QTest::newRow("payoff heading") << 6 << "Pay Off Time In Months";
        QTest::newRow("minimum longest") << 6 << "The longest is Card 1 (277 Months) and the shortest is Card 5 (103 Months).";
        QTest::newRow("constant longest") << 7 << "The longest is Card 4 (101 Months) and the shortest is Card 2 (61 Months).";
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
            if (!l->isVisible())
                continue;
            QTextDocument doc;
            doc.setHtml(l->text());
            shown << (l->textFormat() == Qt::RichText ? doc.toPlainText() : l->text());
        }
        QVERIFY2(shown.join(QLatin1Char('\n')).contains(quote), qPrintable(quote));
    }

    // Every control lies inside the page and every text fits its label.
    // With QUENMARK_SHOTS set to a folder, each page is saved there as a picture.
    void pagesAreTidy()
    {
        for (int page = 1; page <= 8; ++page) {
            goToPage(page);
            if (page == 5)
                pointAt(find("Card1"));
            QWidget* current = w->notebook()->currentWidget();
            for (QWidget* child : current->findChildren<QWidget*>()) {
                if (!child->isVisible())
                    continue;
                const QRect r(child->mapTo(current, QPoint(0, 0)), child->size());
                QVERIFY2(current->rect().contains(r), qPrintable(child->objectName() + " leaves the page"));
                auto* l = qobject_cast<QLabel*>(child);
                if (!l || l->text().isEmpty())
                    continue;
                int needed = 0;
                if (l->textFormat() == Qt::RichText) {
                    QTextDocument doc;
                    doc.setDefaultFont(l->font());
                    doc.setDocumentMargin(0);
                    doc.setHtml(l->text());
                    doc.setTextWidth(l->contentsRect().width());
                    needed = qCeil(doc.size().height());
                } else if (l->wordWrap()) {
                    needed = l->heightForWidth(l->width());
                } else {
                    QVERIFY2(l->fontMetrics().horizontalAdvance(l->text()) <= l->contentsRect().width(),
                             qPrintable(QStringLiteral("page %1: '%2' too narrow").arg(page).arg(l->text())));
                    needed = l->fontMetrics().height();
                }
                QVERIFY2(needed <= l->contentsRect().height(),
                         qPrintable(QStringLiteral("page %1: '%2' too low").arg(page).arg(l->text().left(40))));
            }
            const QString dir = qEnvironmentVariable("QUENMARK_SHOTS");
            if (!dir.isEmpty())
                QVERIFY(w->grab().save(QStringLiteral("%1/ch6_page%2.png").arg(dir).arg(page)));
        }
    }
};

QTEST_MAIN(TestChapt06)
#include "tst_chapt06.moc"
