// The planner's core: payoff orders, the comparison, a card statement's
// figures, and the plan file and schedule CSV texts.
#include <QtTest>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "core/Payoff.h"
#include "core/Planner.h"
#include "core/MoneyText.h"

using namespace quenmark;

Q_DECLARE_METATYPE(PlanOrder)

namespace {

// The sample cards in card order (Card 1 .. Card 5).
const std::vector<SnowballCard> kCards = {
    {19.8, 1543.68, 32}, {17.9, 2100.00, 53}, {12.9, 1784.32, 37}, {19.8, 832.91, 17}, {21.0, 765.72, 19}};

} // namespace

class TestPlanner : public QObject
{
    Q_OBJECT

private slots:
    void orders_data()
    {
        QTest::addColumn<std::vector<SnowballCard>>("cards");
        QTest::addColumn<PlanOrder>("order");
        QTest::addColumn<std::vector<std::size_t>>("priority");
        using V = std::vector<SnowballCard>;
        using P = std::vector<std::size_t>;
        // Chapter 8's order: Card 5, Card 1, Card 4, Card 2, Card 3.
        QTest::newRow("apr, sample") << kCards << PlanOrder::HighestApr << P{4, 0, 3, 1, 2};
        QTest::newRow("balance, sample") << kCards << PlanOrder::LowestBalance << P{4, 3, 0, 2, 1};
        QTest::newRow("given, sample") << kCards << PlanOrder::Given << P{0, 1, 2, 3, 4};
        const V ties = {{10, 500, 1}, {20, 500, 1}, {20, 100, 1}, {10, 100, 1}};
        QTest::newRow("apr ties") << ties << PlanOrder::HighestApr << P{1, 2, 0, 3};
        QTest::newRow("balance ties") << ties << PlanOrder::LowestBalance << P{2, 3, 0, 1};
        // Out-of-range values sort as the schedule reads them: APR 45 counts as 30, NaN as 0.
        const V odd = {{45, 1, 1}, {30, 2, 1}, {std::nan(""), 3, 1}};
        QTest::newRow("apr read as the schedule reads it") << odd << PlanOrder::HighestApr << P{0, 1, 2};
        QTest::newRow("none") << V{} << PlanOrder::LowestBalance << P{};
    }
    void orders()
    {
        QFETCH(std::vector<SnowballCard>, cards);
        QFETCH(PlanOrder, order);
        QFETCH(std::vector<std::size_t>, priority);
        QCOMPARE(PriorityOrder(cards, order), priority);
    }

    // A plan in an order is the schedule of the cards laid out in that order,
    // told back by the cards' given places.
    void planInOrderMapsBack()
    {
        std::mt19937 gen(11);
        std::uniform_int_distribution<int> cents(100, 500000), apr(0, 3000), pay(500, 20000);
        for (int t = 0; t < 50; ++t) {
            std::vector<SnowballCard> cards(1 + t % 7);
            for (auto& c : cards)
                c = {apr(gen) / 100.0, cents(gen) / 100.0, pay(gen) / 100.0};
            for (PlanOrder order : {PlanOrder::HighestApr, PlanOrder::LowestBalance, PlanOrder::Given}) {
                const auto priority = PriorityOrder(cards, order);
                std::vector<SnowballCard> laidOut;
                for (std::size_t i : priority)
                    laidOut.push_back(cards[i]);
                const SnowballPlan direct = RunSnowball(laidOut, 30, true);
                const SnowballPlan plan = RunPlan(cards, order, 30, true);
                QCOMPARE(plan.months, direct.months);
                QCOMPARE(plan.totalInterest, direct.totalInterest);
                QCOMPARE(plan.schedule.size(), direct.schedule.size());
                for (std::size_t k = 0; k < priority.size(); ++k)
                    QCOMPARE(plan.payoffMonth[priority[k]], direct.payoffMonth[k]);
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
        const PlanComparison c = ComparePlans(kCards, 25);
        QCOMPARE(c.highestApr.months, 57);
        QCOMPARE(AmountToText(c.highestApr.totalInterest), std::string("3,294.10"));
        // Alone, each card runs on its own payment with no pledge.
        double interest = 0;
        int months = 0;
        for (std::size_t i = 0; i < kCards.size(); ++i) {
            const SnowballPlan one = RunSnowball(std::span(kCards).subspan(i, 1), 0);
            QCOMPARE(c.alone.payoffMonth[i], one.months);
            interest += one.totalInterest;
            months = std::max(months, one.months);
        }
        QCOMPARE(c.alone.months, months);
        QCOMPARE(c.alone.totalInterest, interest);
        for (PlanOrder order : {PlanOrder::HighestApr, PlanOrder::LowestBalance, PlanOrder::Given}) {
            const SnowballPlan& p = c.plan(order);
            QVERIFY(p.paidOff);
            QVERIFY(p.months < c.alone.months);
            QCOMPARE(c.interestSaved(p), RoundToCents(RoundToCents(interest) - RoundToCents(p.totalInterest)));
            QVERIFY(c.interestSaved(p) > 0);
        }
        // Highest APR first costs least interest here.
        QVERIFY(c.highestApr.totalInterest <= c.lowestBalance.totalInterest);
        QVERIFY(c.highestApr.totalInterest <= c.given.totalInterest);
        // Handing over one order's plan, run with its schedule, compares the same without keeping the schedule.
        for (PlanOrder order : {PlanOrder::HighestApr, PlanOrder::LowestBalance, PlanOrder::Given}) {
            const PlanComparison k = ComparePlans(kCards, 25, order, RunPlan(kCards, order, 25, true));
            for (PlanOrder o : {PlanOrder::HighestApr, PlanOrder::LowestBalance, PlanOrder::Given}) {
                QCOMPARE(k.plan(o).months, c.plan(o).months);
                QCOMPARE(k.plan(o).totalInterest, c.plan(o).totalInterest);
                QCOMPARE(k.plan(o).payoffMonth, c.plan(o).payoffMonth);
                QVERIFY(k.plan(o).schedule.empty());
            }
        }

        // A card that never pays off alone: no saving is claimed.
        std::vector<SnowballCard> stuck = kCards;
        stuck.push_back({17.9, 2100, 20});
        const PlanComparison s = ComparePlans(stuck, 25);
        QVERIFY(!s.alone.paidOff);
        QVERIFY(s.alone.neverEnds);
        QCOMPARE(s.alone.firstOwing, 5);
        QVERIFY(s.highestApr.paidOff); // the snowball reaches it
        QCOMPARE(s.interestSaved(s.highestApr), 0.0);
    }

    void cardFigures_data()
    {
        QTest::addColumn<SnowballCard>("card");
        QTest::addColumn<double>("interest");
        QTest::addColumn<bool>("never");
        QTest::addColumn<double>("level36");
        QTest::newRow("running example") << SnowballCard{17.9, 2100, 53} << 31.33 << false << 75.82;
        QTest::newRow("$20 on it") << SnowballCard{17.9, 2100, 20} << 31.33 << true << 75.82;
        // 31.33 is above the unrounded 31.32507: it pays off, slowly.
        QTest::newRow("just above the interest") << SnowballCard{17.9, 2100, 31.33} << 31.33 << false << 75.82;
        QTest::newRow("at the interest") << SnowballCard{12, 1000, 10} << 10.0 << true << 33.22;
        QTest::newRow("APR 0, rounded up") << SnowballCard{0, 2100, 0} << 0.0 << true << 58.34;
        QTest::newRow("APR 0, on a cent") << SnowballCard{0, 3600, 100} << 0.0 << false << 100.0;
        QTest::newRow("nothing owed") << SnowballCard{20, 0, 0} << 0.0 << false << 0.0;
    }
    void cardFigures()
    {
        QFETCH(SnowballCard, card);
        QFETCH(double, interest);
        QFETCH(bool, never);
        QFETCH(double, level36);
        QCOMPARE(MonthlyInterest(card), interest);
        QCOMPARE(PaymentNeverPaysOff(card), never);
        QCOMPARE(LevelPayment(card.apr, card.balance), level36);
        if (level36 > 0) {
            // One cent less no longer clears it in 36 months of the loan-mode run.
            PayoffState s;
            RunPayoff(card.apr, card.balance, level36, PayoffOptions::extraMoneyCalculator(0, true), s, nullptr);
            QVERIFY(s.MonthCount <= 36);
            RunPayoff(card.apr, card.balance, level36 - 0.01, PayoffOptions::extraMoneyCalculator(0, true), s,
                      nullptr);
            QVERIFY(s.MonthCount > 36 || card.apr == 0);
        }
    }

    void disclosure_data()
    {
        QTest::addColumn<SnowballCard>("card");
        QTest::addColumn<bool>("ran");
        QTest::addColumn<int>("months");
        QTest::addColumn<QString>("paid");
        QTest::addColumn<QString>("paid36");
        QTest::addColumn<QString>("saved36");
        QTest::newRow("running example") << SnowballCard{17.9, 2100, 53} << true << 183 << "4,587.89" << "2,729.28"
                                         << "1,858.61";
        QTest::newRow("least accepted") << SnowballCard{17.9, 2100, 34} << true << 834 << "17,860.05" << "2,729.28"
                                        << "15,130.77";
        QTest::newRow("below the least") << SnowballCard{17.9, 2100, 33.99} << false << 0 << "0.00" << "2,729.28"
                                         << "0.00";
        QTest::newRow("paying more than the level payment")
            << SnowballCard{17.9, 2100, 3000} << true << 1 << "2,131.33" << "2,729.28" << "-597.95";
        QTest::newRow("APR 0") << SnowballCard{0, 2100, 100} << true << 21 << "2,100.00" << "2,100.00" << "0.00";
        QTest::newRow("APR 0, no payment") << SnowballCard{0, 2100, 0} << false << 0 << "0.00" << "2,100.00"
                                           << "0.00";
    }
    void disclosure()
    {
        QFETCH(SnowballCard, card);
        QFETCH(bool, ran);
        QFETCH(int, months);
        QFETCH(QString, paid);
        QFETCH(QString, paid36);
        QFETCH(QString, saved36);
        const CardDisclosure d = DiscloseCard(card.apr, card.balance, card.payment);
        QCOMPARE(d.minimumRan, ran);
        QCOMPARE(d.minimumMonths, months);
        QCOMPARE(QString::fromStdString(AmountToText(d.minimumPaid)), paid);
        QCOMPARE(QString::fromStdString(AmountToText(d.paid36)), paid36);
        QCOMPARE(QString::fromStdString(AmountToText(d.saved36)), saved36);
        QCOMPARE(d.leastPayment, MinimumAcceptablePayment(card.apr, card.balance));
    }

    void planFile_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("cards");
        QTest::addColumn<int>("errorLine");
        QTest::newRow("header only") << "name,apr,balance,payment\n" << 0 << 0;
        QTest::newRow("no final line end") << "name,apr,balance,payment\nA,1,2,3" << 1 << 0;
        QTest::newRow("quoted amounts") << "name,apr,balance,payment\n\"A, b\",\"19.8\",\"$1,543.68\",32\n" << 1 << 0;
        QTest::newRow("blank lines") << "\n  \nname,apr,balance,payment\n\n\nA,1,2,3\n\n" << 1 << 0;
        QTest::newRow("empty") << "" << 0 << 1;
        QTest::newRow("blank only") << "\n\n \n" << 0 << 3;
        QTest::newRow("wrong header") << "name,apr,payment,balance\n" << 0 << 1;
        QTest::newRow("short line") << "name,apr,balance,payment\nA,1,2,3\nB,1,2\n" << 0 << 3;
        QTest::newRow("unquoted comma") << "name,apr,balance,payment\nA,1,2,100\nB,1,$2,100.00,3\n" << 0 << 3;
        QTest::newRow("open quote") << "name,apr,balance,payment\n\"A,1,2,3\n" << 0 << 2;
        QString most = "name,apr,balance,payment\n";
        for (std::size_t i = 0; i < kMostPlanCards; ++i)
            most += "A,1,2,3\n";
        QTest::newRow("the most cards") << most << int(kMostPlanCards) << 0;
        QTest::newRow("one card more") << most + "B,1,2,3\n" << 0 << int(kMostPlanCards) + 2;
        QTest::newRow("10,000 characters of name") << "name,apr,balance,payment\n" + QString(10000, 'x') + ",1,2,3\n"
                                                   << 1 << 0;
    }
    void planFile()
    {
        QFETCH(QString, text);
        QFETCH(int, cards);
        QFETCH(int, errorLine);
        const PlanFile f = ParsePlanCsv(text.toStdString());
        QCOMPARE(static_cast<int>(f.cards.size()), cards);
        QCOMPARE(f.errorLine, errorLine);
        QCOMPARE(f.error.empty(), errorLine == 0);
    }

    // Names written with CsvField read back unchanged, amounts as the boxes read them.
    void csvRoundTrip()
    {
        const std::vector<std::string> names = {"Card 1", "Gold, premium", "\"Quoted\"", " padded ", "a\"b,c\"",
                                                "Ünïcödé ✓", "=1+1"};
        std::string text = "name,apr,balance,payment\n";
        for (const std::string& n : names)
            text += CsvField(n) + ",45,\"$1,234.567\",abc\n";
        const PlanFile f = ParsePlanCsv(text);
        QCOMPARE(f.errorLine, 0);
        QCOMPARE(f.cards.size(), names.size());
        for (std::size_t i = 0; i < names.size(); ++i) {
            QCOMPARE(f.cards[i].name, names[i]);
            QCOMPARE(f.cards[i].card.apr, 30.0);
            QVERIFY(!f.cards[i].information.empty());
            QCOMPARE(f.cards[i].card.balance, 1234.57);
            QCOMPARE(f.cards[i].card.payment, 0.0);
        }
        QCOMPARE(ParsePlanCsv("name,apr,balance,payment\n,1,2,3\n").cards[0].name, std::string("Card 1"));

        // The schedule text: a header and one line per row, names quoted.
        const SnowballPlan plan = RunPlan(kCards, PlanOrder::HighestApr, 25, true);
        std::vector<std::string> cardNames = {"Card 1", "=HYPERLINK(\"x\")", "Card, 3", "@SUM(A1)", "-5 Card"};
        std::string csv;
        AppendScheduleCsv(csv, plan, cardNames);
        QCOMPARE(static_cast<std::size_t>(std::count(csv.begin(), csv.end(), '\n')), plan.schedule.size() + 1);
        QVERIFY(csv.starts_with("month,card,payment,interest,balance\n1,'-5 Card,44.00,13.40,735.12\n"));
        QVERIFY(csv.find("\n1,\"Card, 3\",37.00,") != std::string::npos);
        // Names a spreadsheet would run as formulas stay text.
        QVERIFY(csv.find("\n1,\"'=HYPERLINK(\"\"x\"\")\",") != std::string::npos);
        QVERIFY(csv.find("\n1,'@SUM(A1),") != std::string::npos);
    }
};

QTEST_GUILESS_MAIN(TestPlanner)
#include "tst_core_planner.moc"
