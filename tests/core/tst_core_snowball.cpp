// The snowball schedule: chapter 8's sample cards, invariants over generated
// plans, and plans that never end. (Chapter 8's whole chart table is derived
// from the schedule in tst_core_chart_figures.)
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "core/Snowball.h"

using namespace quenmark;

namespace {

// The five sample cards in chapter 8's priority order: highest APR first, Card 1
// before Card 4 at the same APR.
const std::vector<SnowballCard> kSample = {
    {21.0, 765.72, 19}, {19.8, 1543.68, 32}, {19.8, 832.91, 17}, {17.9, 2100.00, 53}, {12.9, 1784.32, 37}};

// Whole dollars as the charts show them: an exact half goes up.
int Dollars(double x)
{
    return static_cast<int>(std::floor(x + 0.5));
}

} // namespace

class TestSnowball : public QObject
{
    Q_OBJECT

private slots:
    void samplePlans_data()
    {
        QTest::addColumn<double>("pledge");
        QTest::addColumn<int>("months");
        QTest::addColumn<int>("interest");
        QTest::addColumn<std::vector<int>>("payoff");
        QTest::newRow("$25") << 25.0 << 57 << 3294 << std::vector<int>{21, 43, 51, 54, 57};
        QTest::newRow("$50") << 50.0 << 47 << 2620 << std::vector<int>{13, 30, 36, 43, 47};
        QTest::newRow("$100") << 100.0 << 35 << 1884 << std::vector<int>{7, 18, 23, 30, 35};
    }
    void samplePlans()
    {
        QFETCH(double, pledge);
        QFETCH(int, months);
        QFETCH(int, interest);
        QFETCH(std::vector<int>, payoff);
        for (bool withSchedule : {false, true}) {
            const SnowballPlan plan = RunSnowball(kSample, pledge, withSchedule);
            QVERIFY(plan.paidOff);
            QVERIFY(!plan.neverEnds);
            QCOMPARE(plan.firstOwing, -1);
            QCOMPARE(plan.months, months);
            QCOMPARE(Dollars(plan.totalInterest), interest);
            QCOMPARE(plan.payoffMonth, payoff);
            QCOMPARE(plan.schedule.empty(), !withSchedule);
        }
    }

    // Generated plans: what is paid minus the interest is what was owed, no card
    // is paid after its payoff month, the month's budget is never exceeded and is
    // used up whenever a card still owes at the month's end.
    void invariants()
    {
        std::mt19937 gen(20240611);
        std::uniform_int_distribution<int> count(0, 9), cents(0, 600000), aprCents(0, 3000), permille(0, 40);
        std::uniform_int_distribution<int> pledgeCents(0, 20000), zero(0, 9);
        int paidOffPlans = 0, endlessPlans = 0;
        for (int t = 0; t < 400; ++t) {
            std::vector<SnowballCard> cards(count(gen));
            for (auto& c : cards) {
                c.apr = aprCents(gen) / 100.0;
                c.balance = zero(gen) == 0 ? 0 : cents(gen) / 100.0;
                // 0 to 4 % of the balance: around the monthly interest (up to 2.5 %)
                c.payment = std::round(c.balance * permille(gen) / 10) / 100 + zero(gen);
            }
            const double pledge = zero(gen) < 3 ? 0 : pledgeCents(gen) / 100.0;
            double budget = pledge;
            for (const auto& c : cards)
                budget += c.payment;
            const SnowballPlan plan = RunSnowball(cards, pledge, true);
            const SnowballPlan quick = RunSnowball(cards, pledge, false);
            QCOMPARE(quick.months, plan.months);
            QCOMPARE(quick.payoffMonth, plan.payoffMonth);
            QCOMPARE(quick.totalInterest, plan.totalInterest);
            QVERIFY(plan.months <= kSnowballMonthLimit);
            QCOMPARE(plan.paidOff, plan.firstOwing < 0);
            if (plan.paidOff) {
                ++paidOffPlans;
                QCOMPARE(plan.months, cards.empty() ? 0 : *std::max_element(plan.payoffMonth.begin(), plan.payoffMonth.end()));
            } else {
                endlessPlans += plan.neverEnds ? 1 : 0;
                QVERIFY(plan.balanceLeft[plan.firstOwing] > 0);
                for (int i = 0; i < plan.firstOwing; ++i)
                    QCOMPARE(plan.balanceLeft[i], 0.0);
            }

            std::vector<double> paid(cards.size()), interest(cards.size());
            double interestSum = 0;
            std::size_t r = 0;
            for (int month = 1; month <= plan.months; ++month) {
                double spent = 0;
                bool stillOwing = false;
                for (; r < plan.schedule.size() && plan.schedule[r].month == month; ++r) {
                    const SnowballRow& row = plan.schedule[r];
                    QVERIFY(row.payment >= 0 && row.interest >= 0 && row.balance >= 0);
                    QVERIFY2(plan.payoffMonth[row.card] == 0 || month <= plan.payoffMonth[row.card],
                             "paid after its payoff month");
                    QCOMPARE(row.balance == 0, month == plan.payoffMonth[row.card]);
                    // No month of $0.00: a card is never left owing less than half a cent.
                    QVERIFY2(row.balance == 0 || row.balance >= 0.005, "a fraction of a cent left owing");
                    if (row.balance == 0)
                        QVERIFY2(row.payment >= 0.005, "paid off with a $0.00 payment");
                    spent += row.payment;
                    paid[row.card] += row.payment;
                    interest[row.card] += row.interest;
                    interestSum += row.interest;
                    stillOwing = stillOwing || row.balance > 0;
                }
                // At most the fraction of a cent a card's last payment clears beyond it.
                QVERIFY2(spent <= budget + 0.005 + 1e-9 * (1 + budget), "budget exceeded");
                if (stillOwing)
                    QVERIFY2(std::abs(spent - budget) <= 1e-9 * (1 + budget), "budget left unused");
            }
            QCOMPARE(r, plan.schedule.size());
            QVERIFY(std::abs(interestSum - plan.totalInterest) <= 1e-9 * (1 + interestSum));
            for (std::size_t i = 0; i < cards.size(); ++i) {
                const double owed = cards[i].balance - plan.balanceLeft[i];
                QVERIFY2(std::abs(paid[i] - interest[i] - owed) <= 1e-6 * (1 + cards[i].balance + interest[i]),
                         "money paid - interest != the balance repaid");
            }
        }
        QVERIFY(paidOffPlans > 100); // the generator covers both kinds of plan
    }

    void endings_data()
    {
        QTest::addColumn<std::vector<SnowballCard>>("cards");
        QTest::addColumn<double>("pledge");
        QTest::addColumn<bool>("paidOff");
        QTest::addColumn<bool>("neverEnds");
        QTest::addColumn<int>("months");
        QTest::addColumn<int>("firstOwing");
        const double nan = std::numeric_limits<double>::quiet_NaN();
        const double inf = std::numeric_limits<double>::infinity();
        using V = std::vector<SnowballCard>;
        QTest::newRow("no cards") << V{} << 25.0 << true << false << 0 << -1;
        QTest::newRow("nothing owed") << V{{18, 0, 20}} << 0.0 << true << false << 0 << -1;
        // $2,100.00 at 17.9 % charges about $31.33 a month.
        QTest::newRow("payment below interest") << V{{17.9, 2100, 20}} << 0.0 << false << true << 0 << 0;
        QTest::newRow("payment equals interest") << V{{12, 1000, 10}} << 0.0 << false << true << 0 << 0;
        QTest::newRow("no payment, no interest") << V{{0, 500, 0}} << 0.0 << false << true << 0 << 0;
        // $35 a month against $31.33 of interest: -ln(1 - 31.33 / 35) / ln(1.0149167) = 152.2.
        QTest::newRow("the pledge rescues it") << V{{17.9, 2100, 20}} << 15.0 << true << false << 153 << -1;
        // The stuck second card waits for the first one's payment.
        QTest::newRow("snowball to come") << V{{10, 100, 50}, {17.9, 2100, 20}} << 0.0 << true << false << 43 << -1;
        // The first card is paid off in month 3; the whole budget then still
        // falls short of the second card's interest.
        QTest::newRow("stuck after a payoff") << V{{0, 100, 40}, {30, 10000, 100}} << 0.0 << false << true << 3 << 1;
        // $1.00 against $0.83 of interest takes about 21,500 months.
        QTest::newRow("beyond 100 years") << V{{0.1, 10000, 1}} << 0.0 << false << false << 1200 << 0;
        QTest::newRow("absurd inputs") << V{{nan, inf, -5}, {1e9, 1e300, nan}} << -inf << false << true << 0 << 1;
        // Month 8 leaves $0.0048 owing (interest is not rounded): paid with month 8,
        // not by a ninth month of $0.00.
        QTest::newRow("a fraction of a cent left") << V{{28.88, 242.89, 33.74}} << 0.0 << true << false << 8 << -1;
        QTest::newRow("huge but payable") << V{{30, 1e300, 1e300}} << nan << true << false << 2 << -1;
    }
    void endings()
    {
        QFETCH(std::vector<SnowballCard>, cards);
        QFETCH(double, pledge);
        QFETCH(bool, paidOff);
        QFETCH(bool, neverEnds);
        QFETCH(int, months);
        QFETCH(int, firstOwing);
        const SnowballPlan plan = RunSnowball(cards, pledge, true);
        QCOMPARE(plan.paidOff, paidOff);
        QCOMPARE(plan.neverEnds, neverEnds);
        QCOMPARE(plan.months, months);
        QCOMPARE(plan.firstOwing, firstOwing);
        QVERIFY(std::isfinite(plan.totalInterest));
        for (const SnowballRow& r : plan.schedule)
            QVERIFY(std::isfinite(r.payment) && std::isfinite(r.balance) && std::isfinite(r.interest));
        for (double b : plan.balanceLeft)
            QVERIFY(std::isfinite(b));
    }
};

QTEST_GUILESS_MAIN(TestSnowball)
#include "tst_core_snowball.moc"
