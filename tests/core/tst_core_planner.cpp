// The planner's orders and comparison over the sample cards, and a card
// statement's figures (paying only the minimum against the 36-month payment).
#include <QtTest>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "core/MoneyText.h"
#include "core/Payoff.h"
#include "core/Planner.h"

using namespace quenmark;

Q_DECLARE_METATYPE(PlanOrder)

namespace {

PlanCard Card(double apr, double balance, double payment)
{
    return PlanCard::FromDollars(apr, balance, payment);
}

// The sample cards in card order (Card 1 .. Card 5).
const std::vector<PlanCard> kCards = {Card(19.8, 1543.68, 32), Card(17.9, 2100.00, 53), Card(12.9, 1784.32, 37),
                                      Card(19.8, 832.91, 17), Card(21.0, 765.72, 19)};

// The loan-mode ledger of the extra-money calculator at the planner's APR cap.
PayoffState LoanRun(double apr, double balance, double payment)
{
    PayoffOptions o = PayoffOptions::extraMoneyCalculator(0, true);
    o.highestApr = kPlanHighestApr;
    PayoffState s;
    RunPayoff(apr, balance, payment, o, s, nullptr);
    return s;
}

} // namespace

class TestPlanner : public QObject
{
    Q_OBJECT

private slots:
    void orders_data()
    {
        QTest::addColumn<std::vector<PlanCard>>("cards");
        QTest::addColumn<PlanOrder>("order");
        QTest::addColumn<std::vector<std::size_t>>("priority");
        using V = std::vector<PlanCard>;
        using P = std::vector<std::size_t>;
        // Chapter 8's order: Card 5, Card 1, Card 4, Card 2, Card 3.
        QTest::newRow("apr, sample") << kCards << PlanOrder::HighestApr << P{4, 0, 3, 1, 2};
        QTest::newRow("balance, sample") << kCards << PlanOrder::LowestBalance << P{4, 3, 0, 2, 1};
        QTest::newRow("given, sample") << kCards << PlanOrder::Given << P{0, 1, 2, 3, 4};
        const V ties = {Card(10, 500, 1), Card(20, 500, 1), Card(20, 100, 1), Card(10, 100, 1)};
        QTest::newRow("apr ties") << ties << PlanOrder::HighestApr << P{1, 2, 0, 3};
        QTest::newRow("balance ties") << ties << PlanOrder::LowestBalance << P{2, 3, 0, 1};
        // Out-of-range values sort as the plan reads them: an APR above 99.99
        // counts as 99.99, a negative one as 0.
        V odd(3);
        odd[0].apr = 12000;
        odd[1].apr = 9999;
        odd[2].apr = -5;
        QTest::newRow("apr read as the plan reads it") << odd << PlanOrder::HighestApr << P{0, 1, 2};
        // A promotion does not move a card.
        V promo = {Card(10, 1, 1), Card(20, 1, 1)};
        promo[1].promoMonths = 12;
        QTest::newRow("promotion ignored") << promo << PlanOrder::HighestApr << P{1, 0};
        QTest::newRow("none") << V{} << PlanOrder::LowestBalance << P{};
    }
    void orders()
    {
        QFETCH(std::vector<PlanCard>, cards);
        QFETCH(PlanOrder, order);
        QFETCH(std::vector<std::size_t>, priority);
        QCOMPARE(PriorityOrder(cards, order), priority);
        QCOMPARE(RunPlan(cards, {}, order).priority, priority);
    }

    // A plan in an order is the plan of the cards laid out in that order, told
    // back by the cards' given places.
    void planInOrderMapsBack()
    {
        std::mt19937 gen(11);
        std::uniform_int_distribution<int> cents(100, 500000), apr(0, 3000), pay(500, 20000);
        PlanOptions withSchedule;
        withSchedule.keepSchedule = true;
        for (int t = 0; t < 50; ++t) {
            std::vector<PlanCard> cards(1 + t % 7);
            for (auto& c : cards)
                c = Card(apr(gen) / 100.0, cents(gen) / 100.0, pay(gen) / 100.0);
            for (PlanOrder order : {PlanOrder::HighestApr, PlanOrder::LowestBalance, PlanOrder::Given}) {
                const auto priority = PriorityOrder(cards, order);
                std::vector<PlanCard> laidOut;
                for (std::size_t i : priority)
                    laidOut.push_back(cards[i]);
                const PlanResult direct = RunPlan(laidOut, PlanBudget::Pledge(3000), PlanOrder::Given, withSchedule);
                const PlanResult plan = RunPlan(cards, PlanBudget::Pledge(3000), order, withSchedule);
                QCOMPARE(plan.months, direct.months);
                QCOMPARE(plan.totalInterest, direct.totalInterest);
                QCOMPARE(plan.schedule.size(), direct.schedule.size());
                for (std::size_t k = 0; k < priority.size(); ++k)
                    QCOMPARE(plan.cards[priority[k]].payoffMonth, direct.cards[k].payoffMonth);
                for (std::size_t r = 0; r < plan.schedule.size(); ++r)
                    QCOMPARE(static_cast<std::size_t>(plan.schedule[r].card),
                             priority[static_cast<std::size_t>(direct.schedule[r].card)]);
                if (!direct.paidOff)
                    QCOMPARE(static_cast<std::size_t>(plan.firstOwing),
                             priority[static_cast<std::size_t>(direct.firstOwing)]);
            }
        }
    }

    void comparison()
    {
        const PlanComparison c = ComparePlans(kCards, PlanBudget::Pledge(2500));
        QCOMPARE(c.highestApr.months, 57);
        QCOMPARE(CentsToText(c.highestApr.totalInterest), std::string("3,294.04"));
        // Alone, each card runs on its own payment with no pledge: chapters 6
        // and 7's constant payments.
        QCOMPARE(CentsToText(c.alone.totalInterest), std::string("4,864.86"));
        std::int64_t interest = 0;
        int months = 0;
        for (std::size_t i = 0; i < kCards.size(); ++i) {
            const PlanResult one = RunEachAlone(std::span(kCards).subspan(i, 1));
            QCOMPARE(c.alone.cards[i].payoffMonth, one.months);
            interest += one.totalInterest;
            months = std::max(months, one.months);
        }
        QCOMPARE(c.alone.months, months);
        QCOMPARE(c.alone.totalInterest, interest);
        for (PlanOrder order : {PlanOrder::HighestApr, PlanOrder::LowestBalance, PlanOrder::Given}) {
            const PlanResult& p = c.plan(order);
            QVERIFY(p.paidOff);
            QVERIFY(p.months < c.alone.months);
            QCOMPARE(c.interestSaved(p), interest - p.totalInterest);
            QVERIFY(c.interestSaved(p) > 0);
        }
        // Highest APR first costs least interest here.
        QVERIFY(c.highestApr.totalInterest <= c.lowestBalance.totalInterest);
        QVERIFY(c.highestApr.totalInterest <= c.given.totalInterest);
        // Handing over one order's plan, run with its schedule, compares the same without keeping the schedule.
        PlanOptions withSchedule;
        withSchedule.keepSchedule = true;
        for (PlanOrder order : {PlanOrder::HighestApr, PlanOrder::LowestBalance, PlanOrder::Given}) {
            const PlanComparison k =
                ComparePlans(kCards, PlanBudget::Pledge(2500), order, RunPlan(kCards, PlanBudget::Pledge(2500), order, withSchedule));
            for (PlanOrder o : {PlanOrder::HighestApr, PlanOrder::LowestBalance, PlanOrder::Given}) {
                QCOMPARE(k.plan(o).months, c.plan(o).months);
                QCOMPARE(k.plan(o).totalInterest, c.plan(o).totalInterest);
                QCOMPARE(k.plan(o).cards, c.plan(o).cards);
                QVERIFY(k.plan(o).schedule.empty());
            }
        }

        // A card that never pays off alone: no saving is claimed.
        std::vector<PlanCard> stuck = kCards;
        stuck.push_back(Card(17.9, 2100, 20));
        const PlanComparison s = ComparePlans(stuck, PlanBudget::Pledge(2500));
        QVERIFY(!s.alone.paidOff);
        QVERIFY(s.alone.neverEnds);
        QCOMPARE(s.alone.firstOwing, 5);
        QVERIFY(s.highestApr.paidOff); // the snowball reaches it
        QCOMPARE(s.interestSaved(s.highestApr), std::int64_t{0});
    }

    void cardFigures_data()
    {
        QTest::addColumn<PlanCard>("card");
        QTest::addColumn<qint64>("interest");
        QTest::addColumn<bool>("never");
        QTest::addColumn<double>("level36");
        QTest::newRow("running example") << Card(17.9, 2100, 53) << qint64(3133) << false << 75.82;
        QTest::newRow("$20 on it") << Card(17.9, 2100, 20) << qint64(3133) << true << 75.82;
        // The interest is $31.33 to the cent: paying exactly that never ends.
        QTest::newRow("at the interest, to the cent") << Card(17.9, 2100, 31.33) << qint64(3133) << true << 75.82;
        QTest::newRow("a cent above the interest") << Card(17.9, 2100, 31.34) << qint64(3133) << false << 75.82;
        QTest::newRow("at the interest") << Card(12, 1000, 10) << qint64(1000) << true << 33.22;
        QTest::newRow("APR 0, rounded up") << Card(0, 2100, 0) << qint64(0) << true << 58.34;
        QTest::newRow("APR 0, on a cent") << Card(0, 3600, 100) << qint64(0) << false << 100.0;
        QTest::newRow("nothing owed") << Card(20, 0, 0) << qint64(0) << false << 0.0;
        // Above the lessons' 30 %: worked at the rate given.
        QTest::newRow("APR 36") << Card(36, 2100, 60) << qint64(6300) << true << 96.19;
        PlanCard promo = Card(24.99, 1200, 20);
        promo.promoMonths = 12; // 0 % for a year: $20 pays $240 of it; $960 then charges $19.99, below $20
        QTest::newRow("0 % promotion, then paid off") << promo << qint64(0) << false << 47.71;
        PlanCard promoStuck = Card(24.99, 1200, 15);
        promoStuck.promoMonths = 12; // $960 left after a year charges $19.99 > $15
        QTest::newRow("0 % promotion, then stuck") << promoStuck << qint64(0) << true << 47.71;
    }
    void cardFigures()
    {
        QFETCH(PlanCard, card);
        QFETCH(qint64, interest);
        QFETCH(bool, never);
        QFETCH(double, level36);
        QCOMPARE(MonthlyInterest(card), interest);
        QCOMPARE(PaymentNeverPaysOff(card), never);
        const double apr = card.apr / 100.0, balance = FromCents(card.balance);
        QCOMPARE(LevelPayment(apr, balance), level36);
        if (level36 > 0) {
            // It clears in 36 months of the loan-mode run; one cent less does not.
            QVERIFY(LoanRun(apr, balance, level36).MonthCount <= 36);
            QVERIFY(LoanRun(apr, balance, level36 - 0.01).MonthCount > 36);
        }
    }

    void disclosure_data()
    {
        QTest::addColumn<double>("apr");
        QTest::addColumn<double>("balance");
        QTest::addColumn<double>("payment");
        QTest::addColumn<bool>("ran");
        QTest::addColumn<int>("months");
        QTest::addColumn<QString>("paid");
        QTest::addColumn<QString>("payment36");
        QTest::addColumn<QString>("paid36");
        QTest::addColumn<bool>("faster");
        QTest::addColumn<QString>("saved36");
        QTest::newRow("running example") << 17.9 << 2100.0 << 53.0 << true << 183 << "4,587.89" << "75.82"
                                         << "2,729.28" << false << "1,858.61";
        QTest::newRow("least accepted") << 17.9 << 2100.0 << 34.0 << true << 834 << "17,860.05" << "75.82"
                                        << "2,729.28" << false << "15,130.77";
        QTest::newRow("below the least") << 17.9 << 2100.0 << 33.99 << false << 0 << "0.00" << "75.82" << "2,729.28"
                                         << false << "0.00";
        // The card's own payment is already faster: no negative saving.
        QTest::newRow("paying more than the level payment")
            << 17.9 << 2100.0 << 3000.0 << true << 1 << "2,131.33" << "75.82" << "2,729.28" << true << "0.00";
        QTest::newRow("5 % on $500 at $20") << 5.0 << 500.0 << 20.0 << true << 35 << "536.38" << "14.99" << "539.49"
                                            << true << "0.00";
        QTest::newRow("APR 0") << 0.0 << 2100.0 << 100.0 << true << 21 << "2,100.00" << "58.34" << "2,100.00" << true
                               << "0.00";
        QTest::newRow("APR 0, no payment") << 0.0 << 2100.0 << 0.0 << false << 0 << "0.00" << "58.34" << "2,100.00"
                                           << false << "0.00";
        // The formula gives 367.3302: 367.33 takes 37 months.
        QTest::newRow("a cent up from 367.33") << 19.8 << 9911.30 << 174.01 << true << 2541 << "154,251.35"
                                               << "367.34" << "13,223.75" << false << "141,027.60";
        // 123,456,789.01 / 36 = 3,429,355.2502...: up to the next cent.
        QTest::newRow("APR 0, a large balance") << 0.0 << 123456789.01 << 0.06 << true << 2057613151
                                                << "123,456,789.01" << "3,429,355.26" << "123,456,789.01" << false
                                                << "0.00";
        // 3.61 is the formula's cent, but monthly rounding makes it take 37 months.
        QTest::newRow("rounding takes a month more") << 17.9 << 99.99 << 15.0 << true << 8 << "106.12" << "3.62"
                                                     << "129.81" << true << "0.00";
        QTest::newRow("APR 45") << 45.0 << 2100.0 << 100.0 << true << 229 << "9,032.15" << "107.25" << "3,860.88"
                                << false << "5,171.27";
        // Near $250 the whole-dollar minimum no longer covers 99.99 %: the
        // balance goes round in circles (found, not run to the engine's guard).
        QTest::newRow("the minimum stalls at 99.99 %") << 99.99 << 1000.0 << 85.0 << true << -1 << "0.00" << "88.28"
                                                       << "3,176.96" << false << "0.00";
        QTest::newRow("APR above the highest") << 150.0 << 2100.0 << 200.0 << true << 0 << "" << "" << "" << false
                                               << "";
    }
    void disclosure()
    {
        QFETCH(double, apr);
        QFETCH(double, balance);
        QFETCH(double, payment);
        QFETCH(bool, ran);
        QFETCH(int, months);
        QFETCH(QString, paid);
        QFETCH(QString, payment36);
        QFETCH(QString, paid36);
        QFETCH(bool, faster);
        QFETCH(QString, saved36);
        const CardDisclosure d = DiscloseCard(apr, balance, payment);
        if (paid.isEmpty()) {
            // Counted as the highest APR.
            const CardDisclosure highest = DiscloseCard(kPlanHighestApr, balance, payment);
            QCOMPARE(d.minimumMonths, highest.minimumMonths);
            QCOMPARE(d.payment36, highest.payment36);
            QCOMPARE(d.saved36, highest.saved36);
            return;
        }
        QCOMPARE(d.minimumRan, ran);
        QCOMPARE(d.minimumNotPaidOff, months < 0);
        QCOMPARE(d.minimumMonths, std::max(months, 0));
        QCOMPARE(QString::fromStdString(AmountToText(d.minimumPaid)), paid);
        QCOMPARE(QString::fromStdString(AmountToText(d.payment36)), payment36);
        QCOMPARE(QString::fromStdString(AmountToText(d.paid36)), paid36);
        QCOMPARE(d.alreadyFaster, faster);
        QCOMPARE(QString::fromStdString(AmountToText(d.saved36)), saved36);
        QCOMPARE(d.leastPayment, MinimumAcceptablePayment(apr, balance, CalculatorKind::Payoff, kPlanHighestApr));
        QVERIFY(d.months36 <= 36);
    }

    // Generated cards up to the highest APR: the 36-month payment clears within
    // 36 months of the cents ledger, the saving is never negative, and the
    // lessons' 30 % cap is left as it was.
    void disclosureInvariants()
    {
        std::mt19937 gen(36);
        std::uniform_int_distribution<std::int64_t> cents(1, 2000000000), apr(0, 9999), ratio(0, 60);
        for (int t = 0; t < 3000; ++t) {
            const double a = apr(gen) / 100.0;
            const double b = FromCents(t % 3 == 0 ? cents(gen) % 100000 + 1 : cents(gen));
            const double p = std::max(MinimumAcceptablePayment(a, b, CalculatorKind::Payoff, kPlanHighestApr),
                                      RoundToCents(b * ratio(gen) / 1000));
            const CardDisclosure d = DiscloseCard(a, b, p);
            QVERIFY2(LoanRun(a, b, d.payment36).MonthCount <= 36, qPrintable(QString("%1 %2").arg(a).arg(b)));
            QVERIFY(d.months36 <= 36);
            QVERIFY(d.saved36 >= 0);
            if (d.alreadyFaster || d.minimumNotPaidOff)
                QCOMPARE(d.saved36, 0.0);
            // Paying only the minimum at up to 30 % always ends.
            QVERIFY(!d.minimumNotPaidOff || a > 30);
            // With a plain card a plan card discloses the same.
            PlanCard card = Card(a, b, p);
            const CardDisclosure same = DiscloseCard(card);
            QCOMPARE(same.payment36, d.payment36);
            QCOMPARE(same.minimumPaid, d.minimumPaid);
        }
        // The lessons' engine still counts an APR above 30 as 30.
        PayoffState lesson, capped;
        RunPayoff(45, 2100, 100, PayoffOptions::payoffCalculator(), lesson, nullptr);
        RunPayoff(30, 2100, 100, PayoffOptions::payoffCalculator(), capped, nullptr);
        QCOMPARE(lesson.TotalPaid, capped.TotalPaid);
        QCOMPARE(MinimumAcceptablePayment(45, 2100), MinimumAcceptablePayment(30, 2100));
    }

    // A card with a minimum rule discloses paying only what its rule asks.
    void disclosureWithMinimumRule()
    {
        PlanCard card = Card(24.99, 1000, 0);
        card.hasMinimum = true;
        card.minPercent = 100;      // 1 %
        card.minPlusInterest = true;
        card.minFloor = 2500;       // $25
        const CardDisclosure d = DiscloseCard(card);
        QVERIFY(d.minimumRan);
        PlanCard alone = card;
        const PlanResult r = RunEachAlone(std::span<const PlanCard>(&alone, 1));
        QCOMPARE(d.minimumMonths, r.months);
        QCOMPARE(ToCents(d.minimumPaid), r.totalPaid);
        QCOMPARE(d.payment36, LevelPayment(24.99, 1000));
        // 1 % of the balance, no interest added, at 24.99 %: never ends.
        card.minPlusInterest = false;
        card.minFloor = 0;
        QVERIFY(DiscloseCard(card).minimumNotPaidOff);
        QCOMPARE(DiscloseCard(card).saved36, 0.0);
    }
};

QTEST_GUILESS_MAIN(TestPlanner)
#include "tst_core_planner.moc"
