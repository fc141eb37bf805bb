// The cents plan: each rule on small cards worked by hand, the ledger over
// generated plans with every field (against a plain month-by-month reading of
// the rules), each card alone against the extra-money calculator, ties, the
// pledge needed, rates and calendar months.
#include <QtTest>

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

#include "core/MoneyText.h"
#include "core/Payoff.h"
#include "core/Plan.h"
#include "core/PlanDate.h"

using namespace quenmark;

Q_DECLARE_METATYPE(PlanBudget)

namespace {

PlanCard Card(std::int32_t apr, std::int64_t balance, std::int64_t payment)
{
    PlanCard c;
    c.apr = apr;
    c.balance = balance;
    c.payment = payment;
    return c;
}

PlanCard WithMinimum(PlanCard c, std::int32_t percent, std::int64_t floor, bool plusInterest)
{
    c.hasMinimum = true;
    c.minPercent = percent;
    c.minFloor = floor;
    c.minPlusInterest = plusInterest;
    return c;
}

PlanCard WithPromo(PlanCard c, std::int32_t apr, std::int32_t months)
{
    c.promoApr = apr;
    c.promoMonths = months;
    return c;
}

PlanBudget Budget(std::int64_t pledge, std::vector<PledgeStep> steps = {}, std::vector<OneOffSum> oneOffs = {})
{
    PlanBudget b;
    b.pledge = pledge;
    b.steps = std::move(steps);
    b.oneOffs = std::move(oneOffs);
    return b;
}

PlanOptions Kept(std::int32_t limit = kSnowballMonthLimit)
{
    PlanOptions o;
    o.keepSchedule = true;
    o.monthLimit = limit;
    return o;
}

// The rules read plainly, month by month, with no shortcut: the oracle the
// plan is held to.
struct Reference
{
    std::vector<PlanRow> rows;
    bool paidOff = false;
    std::int32_t months = 0;
};
Reference RunReference(const std::vector<PlanCard>& cards, const PlanBudget& budget,
                       const std::vector<std::size_t>& priority, std::int32_t limit)
{
    Reference ref;
    std::vector<std::int64_t> b(cards.size());
    std::int64_t base = 0;
    for (std::size_t i = 0; i < cards.size(); ++i) {
        const PlanCard& c = cards[i];
        b[i] = c.balance;
        std::int64_t own = c.payment;
        if (c.balance > 0 && c.hasMinimum) {
            const std::int64_t interest = InterestCents(c.balance, PlanRate(c.promoMonths >= 1 ? c.promoApr : c.apr));
            const std::int64_t after = c.balance + interest;
            own = std::max(own, std::max(c.minFloor, (after * c.minPercent + 5000) / 10000 +
                                                         (c.minPlusInterest ? interest : 0)));
        }
        base += own;
    }
    for (std::int32_t m = 1; m <= limit; ++m) {
        if (std::all_of(b.begin(), b.end(), [](std::int64_t x) { return x == 0; })) {
            ref.paidOff = true;
            return ref;
        }
        const std::size_t first = ref.rows.size();
        std::int64_t ownSum = 0;
        for (std::size_t i : priority) {
            if (b[i] == 0)
                continue;
            const PlanCard& c = cards[i];
            const std::int64_t interest = InterestCents(b[i], PlanRate(m <= c.promoMonths ? c.promoApr : c.apr));
            b[i] += interest;
            std::int64_t own = c.payment;
            if (c.hasMinimum)
                own = std::max(own, std::max(c.minFloor, (b[i] * c.minPercent + 5000) / 10000 +
                                                             (c.minPlusInterest ? interest : 0)));
            own = std::min(own, b[i]);
            b[i] -= own;
            ownSum += own;
            ref.rows.push_back({m, static_cast<std::int32_t>(i), own, interest, b[i]});
        }
        std::int64_t left = std::max<std::int64_t>(base + budget.pledgeIn(m) + budget.oneOffsIn(m) - ownSum, 0);
        bool tooLarge = false;
        for (std::size_t r = first; r < ref.rows.size(); ++r) {
            PlanRow& row = ref.rows[r];
            const std::int64_t more = std::min(left, row.balance);
            left -= more;
            row.payment += more;
            row.balance -= more;
            b[static_cast<std::size_t>(row.card)] = row.balance;
            tooLarge = tooLarge || row.balance > kLargestCents;
        }
        ref.months = m;
        if (tooLarge)
            return ref;
    }
    ref.paidOff = std::all_of(b.begin(), b.end(), [](std::int64_t x) { return x == 0; });
    return ref;
}

// A plan with every field, around the point where payments meet the interest.
struct Generated
{
    std::vector<PlanCard> cards;
    PlanBudget budget;
};
Generated Generate(std::mt19937& gen)
{
    auto pick = [&](int from, int to) { return std::uniform_int_distribution<int>(from, to)(gen); };
    Generated g;
    g.cards.resize(static_cast<std::size_t>(pick(0, 6)));
    for (PlanCard& c : g.cards) {
        c.apr = pick(0, 3) == 0 ? pick(0, 9999) : pick(0, 3000);
        c.balance = pick(0, 9) == 0 ? 0 : pick(0, 30) == 0 ? kLargestCents - pick(0, 1000) : pick(1, 600000);
        // Around the monthly interest (up to 8 %), sometimes nothing.
        c.payment = pick(0, 6) == 0 ? 0 : c.balance / 10000 * pick(0, 400) / 10 + pick(0, 3000);
        if (pick(0, 3) == 0)
            c = WithPromo(c, pick(0, 2) == 0 ? 0 : pick(0, 9999), pick(1, 24));
        if (pick(0, 2) == 0)
            c = WithMinimum(c, pick(0, 3) == 0 ? 0 : pick(1, 500), pick(0, 2) == 0 ? 0 : pick(100, 4000), pick(0, 1));
    }
    g.budget.pledge = pick(0, 3) == 0 ? 0 : pick(0, 30000);
    for (int s = pick(0, 2); s > 0; --s)
        g.budget.steps.push_back({pick(0, 40), pick(0, 3) == 0 ? 0 : pick(0, 60000)});
    for (int s = pick(0, 2); s > 0; --s)
        g.budget.oneOffs.push_back({pick(1, 80), pick(0, 300000)});
    return g;
}

} // namespace

class TestPlan : public QObject
{
    Q_OBJECT

private slots:
    // The periodic rate of every APR with two decimals is the payoff engine's.
    void rates()
    {
        for (std::int32_t a = 0; a <= kPlanHighestAprHundredths; ++a)
            QCOMPARE(PlanRate(a), RateTenMillionths(PeriodicRate(a / 100.0)));
        QCOMPARE(PlanRate(1790), std::int64_t{149167});
        QCOMPARE(PlanRate(-5), std::int64_t{0});
        QCOMPARE(PlanRate(20000), PlanRate(9999));
    }

    // Each rule on cards small enough to work by hand. `rows`: (month, card,
    // payment, interest, balance) rows the schedule must hold.
    void rules_data()
    {
        QTest::addColumn<std::vector<PlanCard>>("cards");
        QTest::addColumn<PlanBudget>("budget");
        QTest::addColumn<int>("months");   // -1: not paid off
        QTest::addColumn<qint64>("interest");
        QTest::addColumn<std::vector<PlanRow>>("rows");
        using V = std::vector<PlanCard>;
        using R = std::vector<PlanRow>;
        // 0 % for 12 months: $2,000 less 12 x $100; then 24.99 % (0.0208250) on $800.00 is $16.66.
        QTest::newRow("0 % promotion, then 24.99 %")
            << V{WithPromo(Card(2499, 200000, 10000), 0, 12)} << Budget(0) << 21 << qint64(8431)
            << R{{12, 0, 10000, 0, 80000}, {13, 0, 10000, 1666, 71666}};
        // $980.00 at 24.49 % charges $20.00: $1,000.00 after interest, 1 % of it plus
        // the interest is $30.00, above the $25 floor.
        QTest::newRow("1 % + interest, $25 floor")
            << V{WithMinimum(Card(2449, 98000, 0), 100, 2500, true)} << Budget(0) << -2 << qint64(0)
            << R{{1, 0, 3000, 2000, 97000}};
        // 18 %: $800.00 + $12.00, 2 % is $16.24: the $20 floor; $2,000.00 + $30.00: 2 % is $40.60.
        QTest::newRow("2 % with a $20 floor")
            << V{WithMinimum(Card(1800, 80000, 0), 200, 2000, false), WithMinimum(Card(1800, 200000, 0), 200, 2000, false)}
            << Budget(0) << -2 << qint64(0) << R{{1, 0, 2000, 1200, 79200}, {1, 1, 4060, 3000, 198940}};
        // $150 a month for 12 months, then $250: $1,200 left after month 12, paid in 5 more.
        QTest::newRow("pledge raised in month 13")
            << V{Card(0, 300000, 10000)} << Budget(5000, {{13, 15000}}) << 17 << qint64(0)
            << R{{12, 0, 15000, 0, 120000}, {13, 0, 25000, 0, 95000}, {17, 0, 20000, 0, 0}};
        // $1,700 after 3 months; month 4 pays $1,100; six months of $100 more.
        QTest::newRow("one-off $1,000 in month 4")
            << V{Card(0, 200000, 10000)} << Budget(0, {}, {{4, 100000}}) << 10 << qint64(0)
            << R{{3, 0, 10000, 0, 170000}, {4, 0, 110000, 0, 60000}, {5, 0, 10000, 0, 50000}};
        // Exact halves of a cent go up: $15.015 and $16.665; 1 % of $1,004.50 is $10.05.
        QTest::newRow("exact half cents")
            << V{Card(1800, 100100, 10000), Card(1980, 101000, 10000), WithMinimum(Card(0, 100450, 0), 100, 0, false)}
            << Budget(0) << -2 << qint64(0)
            << R{{1, 0, 10000, 1502, 91602}, {1, 1, 10000, 1667, 92667}, {1, 2, 1005, 0, 99445}};
        // The minimum is always paid, even above the month-1 budget: after a
        // month at 0 % the rate is 24 %, and 1 % + interest outgrows $10.
        QTest::newRow("minimums above the budget")
            << V{WithPromo(WithMinimum(Card(2400, 100000, 0), 100, 0, true), 0, 1)} << Budget(0) << -2 << qint64(0)
            << R{{1, 0, 1000, 0, 99000}, {2, 0, 2990, 1980, 97990}};
        // A paid-off card's payment goes on to the next in priority.
        QTest::newRow("snowball") << V{Card(0, 10000, 5000), Card(0, 100000, 5000)} << Budget(0) << 11 << qint64(0)
                                  << R{{2, 0, 5000, 0, 0}, {2, 1, 5000, 0, 90000}, {3, 1, 10000, 0, 80000}};
        // A card owing nothing still brings its payment to the budget.
        QTest::newRow("nothing owed, payment counts")
            << V{Card(0, 0, 5000), Card(0, 20000, 5000)} << Budget(0) << 2 << qint64(0) << R{{1, 1, 10000, 0, 10000}};
        // Stuck at $20 against $31.33 a month, until the one-off in month 24 pays it all.
        QTest::newRow("rescued by a later one-off")
            << V{Card(1790, 210000, 2000)} << Budget(0, {}, {{24, 300000}}) << 24 << qint64(80397) << R{};
        QTest::newRow("never, without it") << V{Card(1790, 210000, 2000)} << Budget(0) << -1 << qint64(0) << R{};
        // Grows past the largest amount in month 1 (no shortcut: the promotion ends later).
        QTest::newRow("past the largest amount")
            << V{WithPromo(Card(0, kLargestCents, 0), 9999, 12)} << Budget(0) << -3 << qint64(0) << R{};
    }
    void rules()
    {
        QFETCH(std::vector<PlanCard>, cards);
        QFETCH(PlanBudget, budget);
        QFETCH(int, months);
        QFETCH(qint64, interest);
        QFETCH(std::vector<PlanRow>, rows);
        const PlanResult plan = RunPlan(cards, budget, PlanOrder::Given, Kept());
        if (months > 0) {
            QVERIFY(plan.paidOff);
            QCOMPARE(plan.months, months);
            QCOMPARE(plan.totalInterest, interest);
        } else if (months == -1) {
            QVERIFY(plan.neverEnds);
            QCOMPARE(plan.months, 0);
        } else if (months == -3) {
            QVERIFY(plan.tooLarge && !plan.neverEnds && !plan.paidOff);
            QCOMPARE(plan.months, 1);
        }
        for (const PlanRow& expected : rows) {
            const std::span<const PlanRow> month = plan.schedule.month(expected.month);
            const auto at = std::find_if(month.begin(), month.end(), [&](const PlanRow& r) { return r.card == expected.card; });
            QVERIFY2(at != month.end(), qPrintable(QString("month %1 card %2").arg(expected.month).arg(expected.card)));
            QCOMPARE(*at, expected);
        }
    }

    // Generated plans with every field: the rows are the plain reading of the
    // rules, the ledger adds up, the summary agrees with the schedule, and a
    // plan the shortcut calls endless does not end within the month limit.
    void ledgerOverGeneratedPlans()
    {
        std::mt19937 gen(20240611);
        int paidOff = 0, never = 0, limited = 0;
        for (int t = 0; t < 3000; ++t) {
            const Generated g = Generate(gen);
            const PlanOrder order = static_cast<PlanOrder>(t % 3);
            const std::int32_t limit = t % 10 == 0 ? 60 : kSnowballMonthLimit;
            const PlanResult plan = RunPlan(g.cards, g.budget, order, Kept(limit));
            const PlanResult quick = RunPlan(g.cards, g.budget, order, PlanOptions{false, limit});
            QCOMPARE(quick.months, plan.months);
            QCOMPARE(quick.cards, plan.cards);
            QCOMPARE(quick.totalPaid, plan.totalPaid);
            QVERIFY(quick.schedule.empty());

            const Reference ref = RunReference(g.cards, g.budget, plan.priority, limit);
            if (plan.neverEnds) {
                ++never;
                QVERIFY2(!ref.paidOff, "called endless, but it ends");
                QVERIFY(ref.rows.size() >= plan.schedule.size());
                QVERIFY(std::equal(plan.schedule.rows().begin(), plan.schedule.rows().end(), ref.rows.begin()));
            } else {
                QCOMPARE(plan.paidOff, ref.paidOff);
                QCOMPARE(plan.months, ref.months);
                QVERIFY(std::equal(plan.schedule.rows().begin(), plan.schedule.rows().end(), ref.rows.begin(),
                                   ref.rows.end()));
                (plan.paidOff ? paidOff : limited) += 1;
            }

            // The ledger: each row adds up, the sums are the totals, paid - interest is what was repaid.
            std::vector<std::int64_t> balance(g.cards.size()), paid(g.cards.size()), interest(g.cards.size());
            for (std::size_t i = 0; i < g.cards.size(); ++i)
                balance[i] = g.cards[i].balance;
            std::int64_t paidSum = 0, interestSum = 0;
            for (std::int32_t m = 1; m <= plan.schedule.months(); ++m) {
                std::int32_t lastPriority = -1;
                std::int64_t owed = 0;
                for (const PlanRow& r : plan.schedule.month(m)) {
                    const auto i = static_cast<std::size_t>(r.card);
                    QCOMPARE(r.month, m);
                    QVERIFY(plan.cards[i].priority > lastPriority);
                    lastPriority = plan.cards[i].priority;
                    QCOMPARE(balance[i] + r.interest - r.payment, r.balance);
                    QVERIFY(r.payment >= 0 && r.interest >= 0 && r.balance >= 0);
                    QCOMPARE(r.balance == 0, m == plan.cards[i].payoffMonth);
                    balance[i] = r.balance;
                    paid[i] += r.payment;
                    interest[i] += r.interest;
                    paidSum += r.payment;
                    interestSum += r.interest;
                }
                for (std::size_t i = 0; i < g.cards.size(); ++i) {
                    QCOMPARE(plan.balanceAt(i, m), balance[i]);
                    owed += balance[i];
                }
                QCOMPARE(plan.schedule.owedAt(m), owed);
            }
            QCOMPARE(paidSum, plan.totalPaid);
            QCOMPARE(interestSum, plan.totalInterest);
            for (std::size_t i = 0; i < g.cards.size(); ++i) {
                const PlanCardResult& c = plan.cards[i];
                QCOMPARE(c.paid, paid[i]);
                QCOMPARE(c.interest, interest[i]);
                QCOMPARE(c.balanceLeft, balance[i]);
                QCOMPARE(c.paid - c.interest, c.startBalance - c.balanceLeft);
            }
            if (!plan.paidOff) {
                QCOMPARE(plan.balanceAt(static_cast<std::size_t>(plan.firstOwing), plan.months),
                         plan.cards[static_cast<std::size_t>(plan.firstOwing)].balanceLeft);
                for (std::size_t k = 0; plan.priority[k] != static_cast<std::size_t>(plan.firstOwing); ++k)
                    QCOMPARE(plan.cards[plan.priority[k]].balanceLeft, std::int64_t{0});
            }
        }
        // The generator reaches every kind of ending.
        QVERIFY(paidOff > 500 && never > 100 && limited > 50);
    }

    // Each card alone is the extra-money calculator's loan-mode run of that card.
    void aloneIsTheLoanModeCalculator()
    {
        std::mt19937 gen(7);
        std::uniform_int_distribution<std::int64_t> cents(1, 2000000), apr(0, 3000), permille(0, 40);
        int compared = 0;
        for (int t = 0; t < 300; ++t) {
            std::vector<PlanCard> cards(8);
            for (PlanCard& c : cards) {
                c = Card(static_cast<std::int32_t>(apr(gen)), cents(gen), 0);
                c.payment = c.balance * permille(gen) / 1000 + cents(gen) % 2000;
            }
            const PlanResult alone = RunEachAlone(cards);
            for (std::size_t i = 0; i < cards.size(); ++i) {
                PayoffState s;
                const bool ended = RunPayoff(cards[i].apr / 100.0, FromCents(cards[i].balance),
                                             FromCents(cards[i].payment), PayoffOptions::extraMoneyCalculator(0, true), s,
                                             nullptr);
                const PlanCardResult& c = alone.cards[i];
                QCOMPARE(c.payoffMonth > 0, ended && s.MonthCount <= kSnowballMonthLimit);
                if (c.payoffMonth == 0)
                    continue;
                ++compared;
                QCOMPARE(c.payoffMonth, s.MonthCount);
                QCOMPARE(c.interest, s.Cents.TotalInterest);
                QCOMPARE(c.paid, s.Cents.TotalPaid);
            }
        }
        QVERIFY(compared > 1000);
    }

    // Any number of tied cards keep their given order.
    void tiesKeepTheGivenOrder()
    {
        std::vector<PlanCard> cards;
        for (int i = 0; i < 40; ++i)
            cards.push_back(Card(i % 2 == 0 ? 1990 : 2490, i % 3 == 0 ? 50000 : 90000, 3000));
        std::vector<std::size_t> byApr, byBalance;
        for (int pass = 0; pass < 2; ++pass)
            for (std::size_t i = 0; i < cards.size(); ++i) {
                if ((i % 2 == 1) == (pass == 0))
                    byApr.push_back(i);
                if ((i % 3 == 0) == (pass == 0))
                    byBalance.push_back(i);
            }
        QCOMPARE(PriorityOrder(cards, PlanOrder::HighestApr), byApr);
        QCOMPARE(PriorityOrder(cards, PlanOrder::LowestBalance), byBalance);
        // Month 1's rows follow it.
        const PlanResult plan = RunPlan(cards, Budget(0), PlanOrder::HighestApr, Kept());
        std::vector<std::size_t> month1;
        for (const PlanRow& r : plan.schedule.month(1))
            month1.push_back(static_cast<std::size_t>(r.card));
        QCOMPARE(month1, byApr);
    }

    void pledgeNeeded_data()
    {
        QTest::addColumn<std::vector<PlanCard>>("cards");
        QTest::addColumn<PlanBudget>("budget");
        QTest::addColumn<int>("months");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<qint64>("pledge"); // -1: only checked for minimality
        using V = std::vector<PlanCard>;
        using O = PledgeNeeded::Outcome;
        const V sample = {Card(1980, 154368, 3200), Card(1790, 210000, 5300), Card(1290, 178432, 3700),
                          Card(1980, 83291, 1700), Card(2100, 76572, 1900)};
        QTest::newRow("sample by 57 months") << sample << Budget(0) << 57 << int(O::Found) << qint64(-1);
        QTest::newRow("sample by 35 months") << sample << Budget(0) << 35 << int(O::Found) << qint64(-1);
        QTest::newRow("sample in one month") << sample << Budget(0) << 1 << int(O::Found) << qint64(-1);
        QTest::newRow("no pledge needed") << sample << Budget(99999) << 120 << int(O::NotNeeded) << qint64(0);
        // $1,200 at 0 % paying $100: 6 months needs $100 more.
        QTest::newRow("by hand") << V{Card(0, 120000, 10000)} << Budget(0) << 6 << int(O::Found) << qint64(10000);
        // The steps still apply: from month 4 the pledge is $200, so months 1-3 need (1,200 - 3 x 300) / 3 ... at least
        // enough that 3 months of (100 + X) and 2 of 300 cover $1,200: X = $100.
        QTest::newRow("with a later step")
            << V{Card(0, 120000, 10000)} << Budget(0, {{4, 20000}}) << 5 << int(O::Found) << qint64(10000);
        QTest::newRow("a step from month 1") << V{Card(0, 120000, 10000)} << Budget(0, {{1, 0}}) << 6
                                             << int(O::Impossible) << qint64(0);
        QTest::newRow("no months") << V{Card(0, 120000, 10000)} << Budget(0) << 0 << int(O::Impossible) << qint64(0);
        QTest::newRow("nothing owed") << V{Card(0, 0, 0)} << Budget(0) << 1 << int(O::NotNeeded) << qint64(0);
    }
    void pledgeNeeded()
    {
        QFETCH(std::vector<PlanCard>, cards);
        QFETCH(PlanBudget, budget);
        QFETCH(int, months);
        QFETCH(int, outcome);
        QFETCH(qint64, pledge);
        const PledgeNeeded needed = FindPledgeNeeded(cards, budget, PlanOrder::HighestApr, months);
        QCOMPARE(int(needed.outcome), outcome);
        if (pledge >= 0)
            QCOMPARE(needed.pledge, pledge);
        if (needed.outcome == PledgeNeeded::Outcome::Found) {
            PlanBudget b = budget;
            b.pledge = needed.pledge;
            const PlanResult with = RunPlan(cards, b, PlanOrder::HighestApr);
            QVERIFY(with.paidOff && with.months <= months);
            b.pledge = needed.pledge - 1;
            const PlanResult less = RunPlan(cards, b, PlanOrder::HighestApr);
            QVERIFY(!less.paidOff || less.months > months);
        }
    }

    // Over generated plans: X ends within the months, X - 0.01 does not.
    void pledgeNeededIsMinimal()
    {
        std::mt19937 gen(99);
        int found = 0;
        for (int t = 0; t < 400; ++t) {
            Generated g = Generate(gen);
            const std::int32_t months = std::uniform_int_distribution<int>(1, 120)(gen);
            const PledgeNeeded needed = FindPledgeNeeded(g.cards, g.budget, PlanOrder::LowestBalance, months);
            auto endsWith = [&](std::int64_t pledge) {
                PlanBudget b = g.budget;
                b.pledge = pledge;
                const PlanResult r = RunPlan(g.cards, b, PlanOrder::LowestBalance);
                return r.paidOff && r.months <= months;
            };
            const bool stepFromMonth1 =
                std::any_of(g.budget.steps.begin(), g.budget.steps.end(), [](const PledgeStep& s) { return s.fromMonth <= 1; });
            switch (needed.outcome) {
            case PledgeNeeded::Outcome::NotNeeded:
                QVERIFY(endsWith(0));
                break;
            case PledgeNeeded::Outcome::Impossible:
                QVERIFY(stepFromMonth1 && !endsWith(0));
                break;
            case PledgeNeeded::Outcome::Found:
                ++found;
                QVERIFY(!stepFromMonth1);
                QVERIFY(needed.pledge > 0);
                QVERIFY(endsWith(needed.pledge));
                QVERIFY(!endsWith(needed.pledge - 1));
                break;
            }
        }
        QVERIFY(found > 100);
    }

    void calendarMonths_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("planMonth");
        QTest::addColumn<QString>("text");
        QTest::newRow("month 1") << 2009 << 7 << 1 << "2009-07";
        QTest::newRow("end of the year") << 2009 << 7 << 6 << "2009-12";
        QTest::newRow("next year") << 2009 << 7 << 7 << "2010-01";
        QTest::newRow("the month before") << 2009 << 7 << 0 << "2009-06";
        QTest::newRow("January, month 0") << 2010 << 1 << 0 << "2009-12";
        QTest::newRow("100 years") << 2009 << 7 << 1200 << "2109-06";
        QTest::newRow("the latest") << kLastPlanYear << 12 << 1200 << "9999-11";
    }
    void calendarMonths()
    {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, planMonth);
        QFETCH(QString, text);
        const CalendarMonth m = PlanCalendarMonth({year, month}, planMonth);
        QCOMPARE(QString::fromStdString(MonthText(m)), text);
        CalendarMonth back;
        QCOMPARE(ReadMonthText(text.toStdString(), back), m.year <= kLastPlanYear);
        if (m.year <= kLastPlanYear)
            QCOMPARE(back, m);
    }

    void readMonthText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("read");
        QTest::newRow("plain") << "2026-03" << true;
        QTest::newRow("earliest") << "1000-01" << true;
        QTest::newRow("one digit month") << "2026-3" << false;
        QTest::newRow("month 13") << "2026-13" << false;
        QTest::newRow("month 0") << "2026-00" << false;
        QTest::newRow("blank before") << " 2026-03" << false;
        QTest::newRow("blank after") << "2026-03 " << false;
        QTest::newRow("slash") << "2026/03" << false;
        QTest::newRow("year too early") << "0999-12" << false;
        QTest::newRow("year too late") << "9900-01" << false;
        QTest::newRow("sign") << "+026-03" << false;
        QTest::newRow("unicode digits") << QString::fromUtf8("２０２６-03") << false;
        QTest::newRow("day") << "2026-03-01" << false;
        QTest::newRow("empty") << "" << false;
    }
    void readMonthText()
    {
        QFETCH(QString, text);
        QFETCH(bool, read);
        CalendarMonth m{1, 1};
        QCOMPARE(ReadMonthText(text.toStdString(), m), read);
        if (!read)
            QCOMPARE(m, (CalendarMonth{1, 1}));
    }
};

QTEST_GUILESS_MAIN(TestPlan)
#include "tst_core_plan.moc"
