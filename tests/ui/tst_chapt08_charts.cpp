// Chapter 8's chart pages 7 to 9 in the real chapter window: the chart step
// and summary panels, bar readouts with the arrow (fast moves between bars,
// moves on other charts in between), the background, geometry, names, keys.
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QtTest>
#include <cmath>
#include <memory>

#include "ChapterFixture.h"
#include "FakePlatform.h"
#include "PageChecks.h"
#include "TestWidgets.h"
#include "common/BarChart.h"
#include "lessons/Chapt08.h"
#include "lessons/Chapt08ChartsData.h"

using namespace quenmark;
using quenmark::test::jumpTo;
using quenmark::test::pointAt;

namespace {

const QColor kTeal(0, 128, 128);
const QColor kDarkBlue(0, 0, 64);

QString boxName(const char* kind, int panel)
{
    return QStringLiteral("%1%2").arg(QLatin1String(kind)).arg(panel, 2, 10, QLatin1Char('0'));
}

} // namespace

class TestChapt08Charts : public QObject, public quenmark::test::ChapterFixture<TChapter_008>
{
    Q_OBJECT

private:
    QWidget* page = nullptr;

    // Info box 1..3 as "count amount / count amount colour"; "" when hidden.
    QString box(int b)
    {
        if (find(boxName("Num", 2 * b - 1))->isHidden())
            return {};
        const QColor c = find(boxName("Num", 2 * b - 1))->palette().color(QPalette::Window);
        return QStringLiteral("%1 %2 / %3 %4 %5")
            .arg(find<QLabel>(boxName("Num", 2 * b - 1))->text(), find<QLabel>(boxName("Pmt", 2 * b - 1))->text(),
                 find<QLabel>(boxName("Num", 2 * b))->text(), find<QLabel>(boxName("Pmt", 2 * b))->text(),
                 c == kTeal ? "teal" : c == kDarkBlue ? "blue" : "?");
    }
    // The card the arrow points at, read from the list row level with it; "" when hidden.
    QString arrowCard()
    {
        QWidget* arrow = find("Arrow1");
        auto* row = qobject_cast<QLabel*>(page->childAt(30, arrow->geometry().center().y()));
        return arrow->isHidden() ? QString() : row ? row->text() : QStringLiteral("?");
    }
    QString summaryInFront()
    {
        for (QWidget* c = page->childAt(QPoint(430, 36)); c && c != page; c = c->parentWidget())
            if (c->objectName().endsWith(QLatin1String("Panel")))
                return c->objectName();
        return {};
    }

private slots:
    void init()
    {
        w = std::make_unique<TChapter_008>();
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        page = w->notebook()->widget(6);
    }
    void cleanup() { w.reset(); }

    void opening()
    {
        for (int b = 1; b <= 3; ++b)
            QVERIFY(box(b).isEmpty());
        QVERIFY(find("Arrow1")->isHidden());
        QCOMPARE(find<QStackedWidget>("Notebook2")->currentIndex(), 0);
        // The list in payoff order, balances in whole dollars.
        goToPage(7);
        const QString rows[] = {"Name APR Balance Payment", "Card 5 21.0% $766.00 $19.00",
                                "Card 1 19.8% $1,544.00 $32.00", "Card 4 19.8% $833.00 $17.00",
                                "Card 2 17.9% $2,100.00 $53.00", "Card 3 12.9% $1,784.00 $37.00"};
        for (int r = 0; r < 6; ++r) {
            QStringList cells;
            for (int x : {30, 100, 170, 240}) {
                auto* cell = qobject_cast<QLabel*>(page->childAt(x, r ? 21 + 14 * (r - 1) + 7 : 10));
                QVERIFY(cell);
                cells << cell->text();
            }
            QCOMPARE(cells.join(QLatin1Char(' ')), rows[r]);
        }
    }

    // Each chart page shows its chart and brings its summary panel to the
    // front, going back too; a screen reader finds only that one.
    void chartStep_data()
    {
        QTest::addColumn<QList<int>>("pages");
        QTest::addColumn<int>("chart");
        QTest::addColumn<QString>("total");
        QTest::newRow("page 7") << QList<int>{7} << 0 << "Total Interest Paid  $3,294";
        QTest::newRow("page 8") << QList<int>{8} << 1 << "Total Interest Paid  $2,620";
        QTest::newRow("page 9") << QList<int>{9} << 2 << "Total Interest Paid  $1,884";
        QTest::newRow("page 9 back to 7") << QList<int>{9, 7} << 0 << "Total Interest Paid  $3,294";
    }
    void chartStep()
    {
        QFETCH(QList<int>, pages);
        QFETCH(int, chart);
        QFETCH(QString, total);
        for (int p : pages)
            goToPage(p);
        QCOMPARE(w->notebook()->currentWidget(), page);
        QCOMPARE(find<QStackedWidget>("Notebook2")->currentIndex(), chart);
        const QString summary = QString::fromLatin1(ch8::kCharts[static_cast<std::size_t>(chart)].summary);
        QCOMPARE(summaryInFront(), summary);
        QCOMPARE(find<QLabel>(summary + QStringLiteral("Line3"))->text(), total);
        QCOMPARE(find(summary + QStringLiteral("Line3"))->palette().color(QPalette::WindowText), QColor(255, 255, 0));
        for (const ch8::PledgeChart& other : ch8::kCharts)
            QCOMPARE(find(QLatin1String(other.summary))->isVisible(), summary == QLatin1String(other.summary));
    }

    // Pointer moves in turn ("pN" turns to page N, "bg" is the chart's
    // background, ">" a fast jump from the last bar): the box always shows the
    // bar under the pointer and the arrow marks that bar's card.
    void readouts_data()
    {
        QTest::addColumn<QString>("moves");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("card");
        QTest::newRow("$50 card 4 teal") << "p8 Panel58" << "29 $17 / 1 $116 teal" << "Card 4";
        QTest::newRow("$25 card 5 blue") << "p7 Panel26" << "20 $44 / 1 $41 blue" << "Card 5";
        QTest::newRow("$100 card 3 blue") << "p9 Panel93" << "4 $258 / 1 $139 blue" << "Card 3";
        QTest::newRow("card 1 teal onto its blue") << "p7 Panel28 >Panel30" << "21 $76 / 1 $56 blue" << "Card 1";
        QTest::newRow("teal onto teal") << "p7 Panel28 >Panel29" << "42 $17 / 1 $37 teal" << "Card 4";
        QTest::newRow("blue onto blue") << "p8 Panel59 >Panel61" << "5 $118 / 1 $52 blue" << "Card 4";
        QTest::newRow("onto the first $25 bar") << "p7 Panel30 >Panel26" << "20 $44 / 1 $41 blue" << "Card 5";
        QTest::newRow("arrow moved on the $50 chart") << "p7 Panel30 p8 Panel58 p7 >Panel30" << "21 $76 / 1 $56 blue"
                                                      << "Card 1";
        QTest::newRow("arrow hidden on the $50 chart") << "p7 Panel30 p8 bg p7 >Panel30" << "21 $76 / 1 $56 blue"
                                                       << "Card 1";
    }
    void readouts()
    {
        QFETCH(QString, moves);
        QFETCH(QString, box);
        QFETCH(QString, card);
        for (const QString& move : moves.split(QLatin1Char(' '))) {
            if (move.startsWith(QLatin1Char('p')) && !move.startsWith(QLatin1String("Panel")))
                goToPage(move.mid(1).toInt());
            else if (move == QLatin1String("bg"))
                pointAt(find(QLatin1String(ch8::kCharts[static_cast<std::size_t>(w->currentPage() - 7)].panel)),
                        QPoint(500, 100));
            else if (move.startsWith(QLatin1Char('>')))
                jumpTo(find(move.mid(1)), QPoint(2, 3));
            else
                pointAt(find(move));
        }
        const int b = w->currentPage() - 6;
        QCOMPARE(this->box(b), box);
        QCOMPARE(arrowCard(), card);
        QCOMPARE(find<QLabel>(boxName("Title", 2 * b - 1))->text(), QStringLiteral("Payments of"));
        QCOMPARE(find<QLabel>(boxName("Title", 2 * b))->text(), QStringLiteral("Payment  of"));
    }

    // More moves over the bar the box shows change nothing.
    void sameBarAgain()
    {
        goToPage(7);
        pointAt(find("Panel31"));
        find<QLabel>("Num01")->setText(QStringLiteral("marker"));
        jumpTo(find("Panel31"), QPoint(3, 3));
        QCOMPARE(find<QLabel>("Num01")->text(), QStringLiteral("marker"));
    }

    // The background, axes and labels clear the box and the arrow; the title
    // and the info box do not, and turning pages leaves the box as it is.
    void background_data()
    {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<bool>("clears");
        QTest::newRow("background") << "Panel1" << QPoint(500, 100) << true;
        QTest::newRow("row label") << "Panel1Row2" << QPoint(10, 6) << true;
        QTest::newRow("month axis") << "Panel1" << QPoint(300, 157) << true;
        QTest::newRow("title") << "Panel1Title" << QPoint(30, 6) << false;
        QTest::newRow("info box") << "Title01" << QPoint(40, 10) << false;
    }
    void background()
    {
        QFETCH(QString, zone);
        QFETCH(QPoint, pos);
        QFETCH(bool, clears);
        goToPage(7);
        pointAt(find("Panel32"));
        jumpTo(find(zone), pos);
        QCOMPARE(box(1).isEmpty(), clears);
        QCOMPARE(find("Arrow1")->isHidden(), clears);
        goToPage(8);
        goToPage(7);
        QCOMPARE(box(1).isEmpty(), clears);
    }

    // Every bar on its row, ending where its last month ends on the time axis,
    // the dark blue bar continuing the teal one; its row label names the card
    // the arrow points at; its name says what the box shows, and the box's
    // figures fit their panels.
    void everyBar()
    {
        int rowEnd[3][6] = {};
        for (const ch8::Bar& bar : ch8::kBars) {
            goToPage(7 + bar.chart);
            auto* widget = find<ChartBar>(bar.name);
            QWidget* panel = widget->parentWidget();
            QCOMPARE(panel->objectName(), QString::fromLatin1(ch8::kCharts[static_cast<std::size_t>(bar.chart)].panel));
            const bool only = bar.kind == ch8::BarKind::PaymentOnly;
            QCOMPARE(widget->height(), only ? 7 : 11);
            const double end = ch8::kMonthZeroX + ch8::kPixelsPerMonth * bar.lastMonth;
            QVERIFY2(std::abs(widget->geometry().right() + 1 - end) <= 1.0, bar.name);
            QCOMPARE(widget->x(), only || bar.row == 1 ? 64 : rowEnd[bar.chart][bar.row]);
            rowEnd[bar.chart][bar.row] = widget->geometry().right() + 1;
            auto* rowLabel = find<QLabel>(QStringLiteral("%1Row%2").arg(panel->objectName()).arg(bar.row));
            QVERIFY(std::abs(rowLabel->geometry().center().y() - widget->geometry().center().y()) <= 4);
            pointAt(widget);
            QCOMPARE(arrowCard(), rowLabel->text());
            const QStringList b = box(bar.chart + 1).split(QLatin1Char(' '));
            QCOMPARE(b.last(), QString::fromLatin1(only ? "teal" : "blue"));
            QCOMPARE(widget->accessibleName(),
                     QStringLiteral("$%1 pledge, %2, %3 payments of %4, then 1 payment of %5")
                         .arg(ch8::kCharts[static_cast<std::size_t>(bar.chart)].pledge)
                         .arg(rowLabel->text(), b[0], b[1], b[4]));
            const QString fault = quenmark::test::untidy(page);
            QVERIFY2(fault.isEmpty(), qPrintable(fault));
        }
    }

    // Tab reaches the chart, then the arrow keys walk its nine bars row by row.
    void keyboard()
    {
        goToPage(8);
        QWidget* panel = find("Panel36");
        QVERIFY(quenmark::test::tabTo(panel));
        QTest::keyClick(panel, Qt::Key_Down);
        QStringList order;
        for (int i = 0; i < 9; ++i) {
            auto* bar = qobject_cast<ChartBar*>(QApplication::focusWidget());
            QVERIFY(bar);
            order << bar->objectName();
            QCOMPARE(bar->accessibleName().section(QLatin1Char(','), 1, 1).trimmed(), arrowCard());
            QTest::keyClick(bar, Qt::Key_Right);
        }
        QCOMPARE(order.join(QLatin1Char(' ')),
                 QStringLiteral("Panel56 Panel57 Panel59 Panel58 Panel61 Panel60 Panel63 Panel62 Panel64"));
        QCOMPARE(quenmark::test::spokenName(find("Pledge50Panel")),
                 QStringLiteral("Payment Snowballing With, $50 Pledge Money, Total Interest Paid  $2,620"));
    }
};

QTEST_MAIN(TestChapt08Charts)
#include "tst_chapt08_charts.moc"
