// The fixed figures of the chart chapters, derived from the core: chapter 6's
// interest totals, payoff months and bar heights from the payoff run of each
// sample card; chapter 8's whole chart table (months each bar covers, payment
// counts, both amounts, totals) from the snowball schedule over the cards in
// the order the list shows them.
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

#include "core/Payoff.h"
#include "core/Snowball.h"
#include "core/MoneyText.h"
#include "lessons/Chapt06Data.h"
#include "lessons/Chapt08ChartsData.h"

using namespace quenmark;

namespace {

// Whole dollars as the charts show them: an exact half goes up.
int Dollars(double x)
{
    return static_cast<int>(std::floor(x + 0.5));
}

struct DerivedBar
{
    int row = 0;
    ch8::BarKind kind = ch8::BarKind::PaymentOnly;
    int firstMonth = 0, lastMonth = 0, count = 0, amount = -1, lastAmount = -1;
};

// The readout of one bar: the payments before its last month (all the same
// whole-dollar amount, else -1), and the payment of the last month.
DerivedBar Derive(const SnowballPlan& plan, int row, ch8::BarKind kind, int first, int last)
{
    DerivedBar bar{row, kind, first, last, last - first};
    std::set<int> amounts;
    for (const SnowballRow& r : plan.schedule) {
        if (r.card != row - 1 || r.month < first || r.month > last)
            continue;
        if (r.month == last)
            bar.lastAmount = Dollars(r.payment);
        else
            amounts.insert(Dollars(r.payment));
    }
    bar.amount = amounts.size() == 1 ? *amounts.begin() : -1;
    return bar;
}

} // namespace

class TestChartFigures : public QObject
{
    Q_OBJECT

private slots:
    // Chapter 6: the calculator of chapter 7 with no extra money, as a card
    // (minimum payments) and as a loan (constant payments).
    void chapter6_data()
    {
        QTest::addColumn<int>("card");
        for (std::size_t i = 0; i < ch6::kCards.size(); ++i)
            QTest::addRow("card %d", ch6::kCards[i].number) << static_cast<int>(i);
    }
    void chapter6()
    {
        QFETCH(int, card);
        const ch6::Card& c = ch6::kCards[static_cast<std::size_t>(card)];
        for (bool loan : {false, true}) {
            PayoffState state;
            QVERIFY(RunPayoff(c.apr, c.balance, c.payment, PayoffOptions::extraMoneyCalculator(0, loan), state, nullptr));
            const double interest = loan ? c.interestConstant : c.interestMinimum;
            const int months = loan ? c.monthsConstant : c.monthsMinimum;
            QCOMPARE(AmountToText(state.TotalInterest), AmountToText(interest));
            QCOMPARE(state.MonthCount, months);
            // Heights: the value over the axis unit, to the nearest pixel.
            const auto k = static_cast<std::size_t>(loan ? 1 : 0);
            QCOMPARE(c.heights[k], static_cast<int>(std::lround(interest / ch6::kDollarsPerPixel)));
            QCOMPARE(c.heights[k + 2], static_cast<int>(std::lround(months / ch6::kMonthsPerPixel)));
            QVERIFY(c.heights[k] <= 200 && c.heights[k + 2] <= 200);
        }
    }

    // Chapter 8 lists chapter 6's cards in payoff order: highest APR first, and
    // at the same APR in card order.
    void chapter8PayoffOrder()
    {
        auto sorted = ch6::kCards;
        std::stable_sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) { return a.apr > b.apr; });
        for (std::size_t i = 0; i < sorted.size(); ++i) {
            const ch8::PriorityCard& p = ch8::kPriorityCards[i];
            QCOMPARE(p.number, sorted[i].number);
            QCOMPARE(p.apr, sorted[i].apr);
            QCOMPARE(p.balance, sorted[i].balance);
            QCOMPARE(p.payment, sorted[i].payment);
            QCOMPARE(ch8::PriorityPayments()[i], static_cast<int>(std::lround(p.payment)));
        }
    }

    // The whole chart table of each pledge amount from the schedule.
    void chapter8Charts_data()
    {
        QTest::addColumn<int>("chart");
        for (std::size_t i = 0; i < ch8::kCharts.size(); ++i)
            QTest::addRow("$%d", ch8::kCharts[i].pledge) << static_cast<int>(i);
    }
    void chapter8Charts()
    {
        QFETCH(int, chart);
        const ch8::PledgeChart& spec = ch8::kCharts[static_cast<std::size_t>(chart)];
        std::vector<SnowballCard> cards;
        for (const ch8::PriorityCard& p : ch8::kPriorityCards)
            cards.push_back({p.apr, p.balance, p.payment});
        const SnowballPlan plan = RunSnowball(cards, spec.pledge, true);
        QVERIFY(plan.paidOff);
        QCOMPARE(plan.months, spec.months);
        QCOMPARE(Dollars(plan.totalInterest), spec.totalInterest);

        // Row r: the teal bar up to the month the card before it is paid off,
        // then the dark blue bar up to its own payoff (row 1: dark blue only).
        std::vector<DerivedBar> derived;
        for (int row = 1; row <= static_cast<int>(cards.size()); ++row) {
            const int before = row == 1 ? 0 : plan.payoffMonth[static_cast<std::size_t>(row - 2)];
            const int own = plan.payoffMonth[static_cast<std::size_t>(row - 1)];
            QVERIFY(own > before);
            if (row > 1)
                derived.push_back(Derive(plan, row, ch8::BarKind::PaymentOnly, 1, before));
            derived.push_back(Derive(plan, row, ch8::BarKind::PaymentAndPledge, before + 1, own));
        }

        std::vector<ch8::Bar> shown;
        std::copy_if(ch8::kBars.begin(), ch8::kBars.end(), std::back_inserter(shown),
                     [chart](const ch8::Bar& b) { return b.chart == chart; });
        QCOMPARE(shown.size(), derived.size());
        for (std::size_t i = 0; i < shown.size(); ++i) {
            const ch8::Bar& s = shown[i];
            const DerivedBar& d = derived[i];
            const QByteArray what = QByteArray(s.name);
            QVERIFY2(s.row == d.row && s.kind == d.kind, what);
            QVERIFY2(s.firstMonth == d.firstMonth && s.lastMonth == d.lastMonth, what);
            QVERIFY2(d.amount > 0, what + " payments differ within the bar");
            QCOMPARE(s.count, d.count);
            QCOMPARE(s.amount, d.amount);
            QCOMPARE(s.lastAmount, d.lastAmount);
            // On the time axis the bar ends where its last month ends (to a pixel).
            const double end = ch8::kMonthZeroX + ch8::kPixelsPerMonth * s.lastMonth;
            QVERIFY2(std::abs(s.left + s.width - end) <= 1.0, what);
        }
    }
};

QTEST_APPLESS_MAIN(TestChartFigures)
#include "tst_core_chart_figures.moc"
