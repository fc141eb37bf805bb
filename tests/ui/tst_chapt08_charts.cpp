// Chapter 8's chart page (pages 7 to 9), built on a frame that turns its pages
// the way chapter 8 does: the chart step and the summary panels, the bar
// readouts in the info boxes with the arrow, fast moves between bars, the
// background that clears them, the bar geometry, names and keys, tidy pages.
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QtTest>
#include <cmath>
#include <memory>

#include "FakePlatform.h"
#include "TestWidgets.h"
#include "common/BarChart.h"
#include "common/LessonFrame.h"
#include "lessons/Chapt08Charts.h"
#include "lessons/Chapt08ChartsData.h"

using namespace quenmark;

namespace {

const QColor kTeal(0, 128, 128);
const QColor kDarkBlue(0, 0, 64);

// Chapter 8's page handling as far as the chart page goes.
class ChartHost : public LessonFrame
{
public:
    ChartHost() : LessonFrame(chapterLook(8))
    {
        for (int i = 0; i < 6; ++i)
            addPage(QStringLiteral("page%1").arg(i));
        charts = new SnowballCharts(addPage(QStringLiteral("ChartPage")));
    }
    SnowballCharts* charts = nullptr;

protected:
    int pageTotal() const override { return 9; }
    void showPage(int page, bool) override
    {
        notebook()->setCurrentIndex(qMin(page, 7) - 1);
        if (page >= 7)
            charts->showChart(page - 7);
    }
    void resetForOpening() override { charts->resetForOpening(); }
};

} // namespace

class TestChapt08Charts : public QObject
{
    Q_OBJECT

private:
    FakePlatform fake;
    std::unique_ptr<ChartHost> w;

    template <typename T = QWidget>
    T* find(const char* name)
    {
        return quenmark::test::child<T>(w.get(), name);
    }
    template <typename T = QWidget>
    T* find(const QString& name)
    {
        return find<T>(name.toLatin1().constData());
    }
    void goToPage(int page)
    {
        while (w->currentPage() < page)
            find<QPushButton>("BtnNext")->click();
        while (w->currentPage() > page)
            find<QPushButton>("BtnBack")->click();
    }
    // The pointer onto `target` at `pos` (its centre by default); with `direct`
    // it comes straight from where it was, as a fast move does.
    void pointAt(QWidget* target, bool direct = false, QPoint pos = QPoint(-1, -1))
    {
        QVERIFY(target);
        if (pos.x() < 0)
            pos = target->rect().center();
        if (!direct)
            QTest::mouseMove(w->windowHandle(), QPoint(2, 460));
        QTest::mouseMove(w->windowHandle(), target->mapTo(w.get(), pos));
    }
    // The texts of info box `box` (1..3): count, amount / count, amount; empty when hidden.
    QStringList box(int box)
    {
        QStringList texts;
        for (const char* kind : {"Num", "Pmt"})
            for (int line : {1, 2}) {
                auto* l = find<QLabel>(QStringLiteral("%1%2").arg(QLatin1String(kind)).arg(2 * box - 2 + line, 2, 10,
                                                                                         QLatin1Char('0')));
                if (l->isHidden())
                    return {};
                texts << l->text();
            }
        return {texts[0], texts[2], texts[1], texts[3]};
    }
    QColor boxColour(int box)
    {
        return find(QStringLiteral("Num%1").arg(2 * box - 1, 2, 10, QLatin1Char('0')))->palette().color(QPalette::Window);
    }
    // The card the arrow points at, read from the list row at its height; "" when hidden.
    QString arrowCard()
    {
        QWidget* arrow = find("Arrow1");
        if (arrow->isHidden())
            return {};
        QWidget* page = arrow->parentWidget();
        auto* row = qobject_cast<QLabel*>(page->childAt(30, arrow->geometry().center().y()));
        return row ? row->text() : QStringLiteral("?");
    }
    // The summary panel that lies in front.
    QString summaryInFront()
    {
        QWidget* page = find("Arrow1")->parentWidget();
        for (QWidget* c = page->childAt(QPoint(430, 36)); c && c != page; c = c->parentWidget())
            if (c->objectName().startsWith(QLatin1String("Pledge")) && c->objectName().endsWith(QLatin1String("Panel")))
                return c->objectName();
        return {};
    }

private slots:
    void init()
    {
        w = std::make_unique<ChartHost>();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }
    void cleanup() { w.reset(); }

    void opening()
    {
        for (int b = 1; b <= 3; ++b)
            QVERIFY(box(b).isEmpty());
        QVERIFY(find("Arrow1")->isHidden());
        QCOMPARE(find<QStackedWidget>("Notebook2")->currentIndex(), 0);
        QCOMPARE(find("Notebook2")->geometry(), QRect(8, 112, 561, 208));
        // The list in payoff order, balances in whole dollars.
        goToPage(7);
        const char* rows[5][4] = {{"Card 5", "21.0%", "$766.00", "$19.00"},
                                  {"Card 1", "19.8%", "$1,544.00", "$32.00"},
                                  {"Card 4", "19.8%", "$833.00", "$17.00"},
                                  {"Card 2", "17.9%", "$2,100.00", "$53.00"},
                                  {"Card 3", "12.9%", "$1,784.00", "$37.00"}};
        QWidget* page = find("Arrow1")->parentWidget();
        const int xs[] = {30, 100, 170, 240};
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 4; ++c) {
                auto* l = qobject_cast<QLabel*>(page->childAt(xs[c], 21 + 14 * r + 7));
                QVERIFY(l);
                QCOMPARE(l->text(), QString::fromLatin1(rows[r][c]));
            }
        auto* head = qobject_cast<QLabel*>(page->childAt(30, 10));
        QCOMPARE(head->text(), QStringLiteral("Name"));
        QCOMPARE(head->palette().color(QPalette::WindowText), QColor(128, 0, 0));
    }

    // Each chart page brings its summary panel to the front, also going back.
    void chartStep_data()
    {
        QTest::addColumn<QList<int>>("pages");
        QTest::addColumn<int>("chart");
        QTest::addColumn<QString>("total");
        QTest::newRow("page 7") << QList<int>{7} << 0 << "Total Interest Paid  $3,294";
        QTest::newRow("page 8") << QList<int>{8} << 1 << "Total Interest Paid  $2,620";
        QTest::newRow("page 9") << QList<int>{9} << 2 << "Total Interest Paid  $1,884";
        QTest::newRow("page 9 back to 8") << QList<int>{9, 8} << 1 << "Total Interest Paid  $2,620";
        QTest::newRow("page 8 back to 7") << QList<int>{8, 7} << 0 << "Total Interest Paid  $3,294";
    }
    void chartStep()
    {
        QFETCH(QList<int>, pages);
        QFETCH(int, chart);
        QFETCH(QString, total);
        for (int page : pages)
            goToPage(page);
        QCOMPARE(w->notebook()->currentIndex(), 6);
        QCOMPARE(find<QStackedWidget>("Notebook2")->currentIndex(), chart);
        const ch8::PledgeChart& spec = ch8::kCharts[static_cast<std::size_t>(chart)];
        QCOMPARE(summaryInFront(), QString::fromLatin1(spec.summary));
        QCOMPARE(find<QLabel>(QStringLiteral("%1Line3").arg(QLatin1String(spec.summary)))->text(), total);
        QCOMPARE(find<QLabel>(QStringLiteral("%1Line3").arg(QLatin1String(spec.summary)))->palette().color(QPalette::WindowText),
                 QColor(255, 255, 0));
        QVERIFY(find(spec.panel)->isVisible());
    }

    // Pointing at single bars: box colour and texts, the arrow at the card.
    void barReadout_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("bar");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("card");
        QTest::newRow("$50 card 4 teal") << 8 << "Panel58" << kTeal << QStringList{"29", "$17", "1", "$116"} << "Card 4";
        QTest::newRow("$25 card 1 teal") << 7 << "Panel28" << kTeal << QStringList{"20", "$32", "1", "$35"} << "Card 1";
        QTest::newRow("$25 card 5 blue") << 7 << "Panel26" << kDarkBlue << QStringList{"20", "$44", "1", "$41"} << "Card 5";
        QTest::newRow("$100 card 3 blue") << 9 << "Panel93" << kDarkBlue << QStringList{"4", "$258", "1", "$139"} << "Card 3";
    }
    void barReadout()
    {
        QFETCH(int, page);
        QFETCH(QString, bar);
        QFETCH(QColor, colour);
        QFETCH(QStringList, texts);
        QFETCH(QString, card);
        goToPage(page);
        pointAt(find(bar));
        const int b = page - 6;
        QCOMPARE(box(b), texts);
        QCOMPARE(boxColour(b), colour);
        QCOMPARE(arrowCard(), card);
        QCOMPARE(find<QLabel>(QStringLiteral("Title%1").arg(2 * b - 1, 2, 10, QLatin1Char('0')))->text(),
                 QStringLiteral("Payments of"));
        QCOMPARE(find<QLabel>(QStringLiteral("Title%1").arg(2 * b, 2, 10, QLatin1Char('0')))->text(),
                 QStringLiteral("Payment  of"));
    }

    // Straight from one bar onto another: the box always shows the bar under
    // the pointer, whatever colour the box already has.
    void directMoves_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("card");
        QTest::newRow("card 1 teal to its blue") << 7 << "Panel28" << "Panel30" << kDarkBlue
                                                 << QStringList{"21", "$76", "1", "$56"} << "Card 1";
        QTest::newRow("teal to teal, next row") << 7 << "Panel28" << "Panel29" << kTeal
                                                << QStringList{"42", "$17", "1", "$37"} << "Card 4";
        QTest::newRow("blue to blue, next row") << 8 << "Panel59" << "Panel61" << kDarkBlue
                                                << QStringList{"5", "$118", "1", "$52"} << "Card 4";
        QTest::newRow("onto the first bar of $25") << 7 << "Panel30" << "Panel26" << kDarkBlue
                                                   << QStringList{"20", "$44", "1", "$41"} << "Card 5";
    }
    void directMoves()
    {
        QFETCH(int, page);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QColor, colour);
        QFETCH(QStringList, texts);
        QFETCH(QString, card);
        goToPage(page);
        pointAt(find(from));
        QWidget* target = find(to);
        // Right onto the near end of the target, no background move between.
        const QPoint near = target->y() > find(from)->y() ? QPoint(2, 0) : QPoint(2, target->height() - 1);
        pointAt(target, true, near);
        QCOMPARE(box(page - 6), texts);
        QCOMPARE(boxColour(page - 6), colour);
        QCOMPARE(arrowCard(), card);
    }

    // More moves over the bar the box already shows change nothing.
    void sameBarAgain()
    {
        goToPage(7);
        pointAt(find("Panel31"));
        find<QLabel>("Num01")->setText(QStringLiteral("marker"));
        pointAt(find("Panel31"), true, QPoint(3, 3));
        QCOMPARE(find<QLabel>("Num01")->text(), QStringLiteral("marker"));
        pointAt(find("Panel33"), true, QPoint(3, 1));
        QCOMPARE(box(1), QStringList({"53", "$37", "1", "$95"}));
    }

    // The background, its axes and labels clear the box and the arrow; the
    // title and the info box do not.
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
        QVERIFY(!box(1).isEmpty());
        QTest::mouseMove(w->windowHandle(), find(zone)->mapTo(w.get(), pos));
        QCOMPARE(box(1).isEmpty(), clears);
        QCOMPARE(find("Arrow1")->isHidden(), clears);
        // Turning pages leaves a shown box as it is.
        if (!clears) {
            goToPage(8);
            goToPage(7);
            QVERIFY(!box(1).isEmpty());
        }
    }

    // Every bar at its place: on its row, on the time axis where its months
    // end, inside the chart; the rows read the card the arrow points at.
    void barGeometry()
    {
        int lastRight[3][6] = {};
        for (std::size_t i = 0; i < ch8::kBars.size(); ++i) {
            const ch8::Bar& bar = ch8::kBars[i];
            goToPage(7 + bar.chart);
            auto* widget = find<ChartBar>(bar.name);
            QVERIFY(widget);
            QWidget* panel = widget->parentWidget();
            QCOMPARE(panel->objectName(), QString::fromLatin1(ch8::kCharts[static_cast<std::size_t>(bar.chart)].panel));
            QCOMPARE(panel->geometry(), QRect(15, 7, 529, 190));
            const bool only = bar.kind == ch8::BarKind::PaymentOnly;
            QCOMPARE(widget->colour(), only ? kTeal : kDarkBlue);
            QCOMPARE(widget->height(), only ? 7 : 11);
            QVERIFY(panel->rect().contains(widget->geometry()));
            const double end = ch8::kMonthZeroX + ch8::kPixelsPerMonth * bar.lastMonth;
            QVERIFY2(std::abs(widget->geometry().right() + 1 - end) <= 1.0, bar.name);
            // A teal bar starts at the axis; a dark blue one where the row's teal bar ends.
            QCOMPARE(widget->x(), only || bar.row == 1 ? 64 : lastRight[bar.chart][bar.row]);
            lastRight[bar.chart][bar.row] = widget->geometry().right() + 1;
            // The row label level with the bar names the card the arrow will point at.
            auto* rowLabel = find<QLabel>(QStringLiteral("%1Row%2").arg(panel->objectName()).arg(bar.row));
            QVERIFY(std::abs(rowLabel->geometry().center().y() - widget->geometry().center().y()) <= 4);
            pointAt(widget);
            QCOMPARE(arrowCard(), rowLabel->text());
            QCOMPARE(boxColour(bar.chart + 1), widget->colour());
        }
    }

    void namesAndKeys()
    {
        goToPage(8);
        QCOMPARE(quenmark::test::spokenName(find("Panel58")),
                 QStringLiteral("$50 pledge, Card 4, 29 payments of $17, then 1 payment of $116"));
        QCOMPARE(quenmark::test::spokenName(find("Pledge50Panel")),
                 QStringLiteral("Payment Snowballing With, $50 Pledge Money, Total Interest Paid  $2,620"));
        // Every bar's name tells what pointing at it shows.
        for (ChartBar* bar : w->findChildren<ChartBar*>()) {
            const ch8::Bar& row = ch8::kBars[static_cast<std::size_t>(bar->index())];
            QVERIFY(bar->accessibleName().contains(QStringLiteral("%1 payments of $%2").arg(row.count).arg(row.amount)));
            QVERIFY(bar->accessibleName().endsWith(QStringLiteral("1 payment of $%1").arg(row.lastAmount)));
        }
        // Tab to the chart, then the arrow keys through its nine bars.
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QWidget* panel = find("Panel36");
        for (int i = 0; i < 20 && QApplication::focusWidget() != panel; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), panel);
        QTest::keyClick(panel, Qt::Key_Down);
        QStringList order;
        for (int i = 0; i < 9; ++i) {
            auto* bar = qobject_cast<ChartBar*>(QApplication::focusWidget());
            QVERIFY(bar);
            order << bar->objectName();
            QVERIFY(!box(2).isEmpty());
            QCOMPARE(bar->accessibleName().section(QLatin1Char(','), 1, 1).trimmed(), arrowCard());
            QTest::keyClick(bar, Qt::Key_Right);
        }
        QCOMPARE(order, QStringList({"Panel56", "Panel57", "Panel59", "Panel58", "Panel61", "Panel60", "Panel63",
                                     "Panel62", "Panel64"}));
    }

    // Everything lies inside the page and every text fits. With QUENMARK_SHOTS
    // set to a folder, the three chart pages are saved there as pictures.
    void pagesAreTidy()
    {
        for (int page = 7; page <= 9; ++page) {
            goToPage(page);
            pointAt(find(ch8::kBars[static_cast<std::size_t>(9 * (page - 7) + 4)].name));
            QWidget* current = w->notebook()->currentWidget();
            for (QWidget* child : current->findChildren<QWidget*>()) {
                if (!child->isVisible())
                    continue;
                const QRect r(child->mapTo(current, QPoint(0, 0)), child->size());
                QVERIFY2(current->rect().contains(r), qPrintable(child->objectName() + " leaves the page"));
                auto* l = qobject_cast<QLabel*>(child);
                if (!l || l->text().isEmpty())
                    continue;
                if (l->wordWrap()) {
                    QVERIFY(l->heightForWidth(l->width()) <= l->height());
                    continue;
                }
                QVERIFY2(l->fontMetrics().horizontalAdvance(l->text()) <= l->contentsRect().width(),
                         qPrintable(QStringLiteral("'%1' too narrow").arg(l->text())));
                QVERIFY2(l->fontMetrics().height() <= l->contentsRect().height() + 2,
                         qPrintable(QStringLiteral("'%1' too low").arg(l->text())));
            }
            const QString dir = qEnvironmentVariable("QUENMARK_SHOTS");
            if (!dir.isEmpty())
                QVERIFY(w->grab().save(QStringLiteral("%1/ch8_page%2.png").arg(dir).arg(page)));
        }
    }
};

QTEST_MAIN(TestChapt08Charts)
#include "tst_chapt08_charts.moc"
