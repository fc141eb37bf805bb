// The month arithmetic, the payoff run of both calculators, and the ledger row.
// (The sample cards' figures are pinned through chapter 7's page, tst_chapt07,
// and chapter 6's data, tst_core_chart_figures.)
#include <QtTest>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "core/MoneyText.h"
#include "core/AmountReader.h"
#include "core/Payoff.h"

using namespace quenmark;

#define EXACT(actual, expected)                                                                    \
    QVERIFY2((actual) == (expected), qPrintable(QString("%1 != %2").arg(actual, 0, 'g', 17).arg(expected, 0, 'g', 17)))

namespace {

const double kNan = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

// Records what a run tells its observer.
class Recorder : public PayoffObserver
{
public:
    struct Event
    {
        bool isYield;
        std::int32_t month;
        std::int32_t percent;
        double totalPaid;
    };
    std::vector<Event> events;
    PayoffState* state = nullptr;
    std::int32_t stopAtMonth = 0; // set StopRequested during the yield of this month or later

    void notify(const PayoffState& s) override { events.push_back({false, s.MonthCount, s.ProgressPercent, s.TotalPaid}); }
    void yield() override
    {
        const std::int32_t month = events.empty() ? 0 : events.back().month;
        events.push_back({true, month, 0, 0});
        if (stopAtMonth > 0 && state && month >= stopAtMonth)
            state->StopRequested = true;
    }
    int notifications() const
    {
        int n = 0;
        for (const auto& e : events)
            n += e.isYield ? 0 : 1;
        return n;
    }
};

class Rows : public LedgerSink
{
public:
    std::vector<LedgerRow> rows;
    void row(const LedgerRow& r) override { rows.push_back(r); }
};

std::string Money(double v)
{
    return AmountToText(v);
}

// Products of cents and rates worked directly, without the engine's splitting.
__extension__ typedef __int128 Wide;

// The nearest whole number of n / d (n >= 0, d > 0), an exact half to the even one.
Wide NearestEven(Wide n, Wide d)
{
    const Wide q = n / d, twice = 2 * (n % d);
    return twice > d || (twice == d && q % 2 != 0) ? q + 1 : q;
}

// The books of a run that ran to the end, checked from its ledger rows; empty
// when they are kept, otherwise what is wrong.
std::string BooksBroken(double apr, double balance, double firstPayment, const PayoffOptions& o,
                        const PayoffState& s, const std::vector<LedgerRow>& rows)
{
    const std::int64_t rate = RateTenMillionths(PeriodicRate(apr));
    const std::int64_t start = ToCents(balance), first = ToCents(firstPayment), extra = ToCents(o.extraAmount);
    const PayoffCents& c = s.Cents;
    if (static_cast<std::int32_t>(rows.size()) != s.MonthCount || s.Years * 12 + s.ExtraMonths != s.MonthCount)
        return "month count differs from the rows";
    std::int64_t opening = start, paid = 0, interest = 0, principal = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const LedgerCents& r = rows[i].cents;
        const std::string at = " in month " + std::to_string(i + 1);
        if (r.openingBalance != opening || r.interest != (Wide(opening) * rate + 5000000) / 10000000)
            return "opening or interest (opening x rate to the cent, a half up)" + at;
        // The entered payment in month 1 and for a loan; for a card the whole
        // dollars nearest to opening x first / start, at least $15; cut to what is owed.
        Wide nominal = first + extra;
        if (i > 0 && !o.loanMode)
            nominal = std::max<Wide>(100 * NearestEven(Wide(opening) * first, Wide(100) * start), 1500) + extra;
        if (r.payment <= 0 || r.payment != std::min<Wide>(nominal, opening + r.interest))
            return "payment" + at;
        if (r.principal != r.payment - r.interest || r.newBalance != opening + r.interest - r.payment)
            return "row arithmetic" + at;
        if (i + 1 == rows.size() ? r.newBalance != 0 : r.newBalance <= 0)
            return "balance not paid off exactly in the last month" + at;
        opening = r.newBalance;
        paid += r.payment;
        interest += r.interest;
        principal += r.principal;
    }
    if (paid != c.TotalPaid || interest != c.TotalInterest || principal != c.PrincipalPaid)
        return "rows do not add up to the totals";
    if (c.TotalPaid - c.TotalInterest != start || c.Balance != 0 || s.ProgressPercent != 100)
        return "money paid - interest is not the balance";
    if (o.computeAverage ? !(c.AveragePayment * s.MonthCount <= c.TotalPaid &&
                             c.TotalPaid < (c.AveragePayment + 1) * s.MonthCount)
                         : c.AveragePayment != 0)
        return "average is not money paid / months truncated to the cent";
    // What the window shows from the dollar fields (their cents by the text rule) is the exact cents.
    auto shown = [](double dollars) { return std::llround(RoundToCents(dollars) * 100); };
    if (shown(s.TotalPaid) != c.TotalPaid || shown(s.TotalInterest) != c.TotalInterest ||
        shown(s.AveragePayment) != c.AveragePayment)
        return "dollars do not show the cents";
    return {};
}

bool AllFinite(const PayoffState& s)
{
    return std::isfinite(s.Balance) && std::isfinite(s.Payment) && std::isfinite(s.MonthInterest) &&
           std::isfinite(s.PrincipalPaid) && std::isfinite(s.TotalInterest) && std::isfinite(s.TotalPaid) &&
           std::isfinite(s.AveragePayment) && std::isfinite(s.PaymentRatio) && s.ProgressPercent >= 0 &&
           s.ProgressPercent <= 100 && s.MonthCount >= 0;
}

} // namespace

class TestPayoff : public QObject
{
    Q_OBJECT

private slots:
    void periodicRate_data();
    void periodicRate();
    void financeCharge_data();
    void financeCharge();
    void minimumAcceptable_data();
    void minimumAcceptable();
    void zeroRateSuggested();
    void noInterestPayoff();
    void generatedRunsKeepTheBooks();
    void payoffRun_data();
    void payoffRun();
    void firstTwelvePayments();
    void longRunsFinish();
    void notifications();
    void stopPayoffCalculator();
    void stopExtraMoneyCalculator();
    void zeroBalanceAndZeroApr();
    void largestAmountsEnd_data();
    void largestAmountsEnd();
    void absurdInputsStayFinite();
    void ledgerRow();
};

void TestPayoff::periodicRate_data()
{
    QTest::addColumn<double>("apr");
    QTest::addColumn<double>("rate");
    QTest::newRow("17.9") << 17.9 << 0.0149167;
    QTest::newRow("30") << 30.0 << 0.025;
    QTest::newRow("19.8") << 19.8 << 0.0165;
    QTest::newRow("12.9") << 12.9 << 0.01075;
    QTest::newRow("21") << 21.0 << 0.0175;
    QTest::newRow("0") << 0.0 << 0.0;
    QTest::newRow("nan") << kNan << 0.0;
}

void TestPayoff::periodicRate()
{
    QFETCH(double, apr);
    QFETCH(double, rate);
    EXACT(PeriodicRate(apr), rate);
}

void TestPayoff::financeCharge_data()
{
    QTest::addColumn<double>("balance");
    QTest::addColumn<double>("rate");
    QTest::addColumn<double>("charge");
    QTest::newRow("running example") << 2100.00 << 0.0149167 << 31.33;
    QTest::newRow("from the APR") << 2100.00 << PeriodicRate(17.9) << 31.33;
    QTest::newRow("ten dollars") << 10.00 << PeriodicRate(17.9) << 0.15;
    QTest::newRow("half a cent goes up") << 3.00 << 0.025 << 0.08;                 // 0.075
    QTest::newRow("half a cent, large") << 96818.20 << 0.025 << 2420.46;           // 2,420.455
    QTest::newRow("half a cent, 270.50") << 270.50 << 0.025 << 6.76;              // 6.7625
    QTest::newRow("largest") << kLargestAmount << 0.025 << 25000000000.00;        // 24,999,999,999.99975
    QTest::newRow("largest, seven places") << kLargestAmount << 0.0000083 << 8300000.00;
    QTest::newRow("negative is symmetric") << -3.00 << 0.025 << -0.08;
    QTest::newRow("no balance") << 0.0 << 0.025 << 0.0;
    QTest::newRow("nan") << kNan << kNan << 0.0;
}

void TestPayoff::financeCharge()
{
    QFETCH(double, balance);
    QFETCH(double, rate);
    QFETCH(double, charge);
    EXACT(MonthlyFinanceCharge(balance, rate), charge);
}

void TestPayoff::minimumAcceptable_data()
{
    QTest::addColumn<double>("apr");
    QTest::addColumn<double>("balance");
    QTest::addColumn<bool>("extraMoney");
    QTest::addColumn<double>("least");
    QTest::newRow("running example") << 17.9 << 2100.0 << false << 34.0;
    QTest::newRow("at 30") << 30.0 << 2100.0 << false << 55.0;
    QTest::newRow("18 and 1234.56") << 18.0 << 1234.56 << false << 20.0;
    // Products that land on a whole dollar: Int(31) + 1, Int(14) + 1, Int(53) + 1.
    QTest::newRow("5 and 6000") << 5.0 << 6000.0 << false << 32.0;
    QTest::newRow("10 and 1500") << 10.0 << 1500.0 << false << 15.0;
    QTest::newRow("20 and 3000") << 20.0 << 3000.0 << true << 54.0;
    QTest::newRow("largest at 30") << 30.0 << kLargestAmount << false << 26000000000.0;
    QTest::newRow("same, extra money") << 18.0 << 1234.56 << true << 20.0;
    QTest::newRow("no balance") << 17.9 << 0.0 << false << 1.0;
    QTest::newRow("apr 0 payoff") << 0.0 << 2100.0 << false << 1.0;
    QTest::newRow("apr 0 extra money") << 0.0 << 2100.0 << true << 1.75;
    QTest::newRow("apr 0 extra money rounds up") << 0.0 << 900.0 << true << 0.75;
    QTest::newRow("apr 0 extra money a cent more") << 0.0 << 1000.01 << true << 0.84;
    QTest::newRow("apr 0 extra money small") << 0.0 << 0.01 << true << 0.01;
    QTest::newRow("apr 0 extra money no balance") << 0.0 << 0.0 << true << 1.0;
    QTest::newRow("apr 0 extra money largest") << 0.0 << kLargestAmount << true << 833333333.34;
    QTest::newRow("nan") << kNan << kNan << false << 1.0;
    QTest::newRow("negative") << -5.0 << -100.0 << true << 1.0;
}

void TestPayoff::minimumAcceptable()
{
    QFETCH(double, apr);
    QFETCH(double, balance);
    QFETCH(bool, extraMoney);
    QFETCH(double, least);
    EXACT(MinimumAcceptablePayment(apr, balance, extraMoney ? CalculatorKind::ExtraMoney : CalculatorKind::Payoff),
          least);
}

void TestPayoff::zeroRateSuggested()
{
    EXACT(ZeroRateSuggestedPayment(2100.00), 58.33);
    EXACT(ZeroRateSuggestedPayment(900.00), 25.00);
    EXACT(ZeroRateSuggestedPayment(3.78), 0.11); // an exact half cent goes up
    EXACT(ZeroRateSuggestedPayment(kNan), 0.0);
}

void TestPayoff::noInterestPayoff()
{
    // 36 payments of $58.33 leave $0.12: 37 months, average 2,100 / 37
    // rounded (56.756...), not truncated.
    PayoffState s = NoInterestPayoff(2100.00, 58.33);
    QCOMPARE(s.MonthCount, 37);
    QCOMPARE(s.Years, 3);
    QCOMPARE(s.ExtraMonths, 1);
    EXACT(s.TotalInterest, 0.0);
    EXACT(s.TotalPaid, 2100.0);
    EXACT(s.AveragePayment, 56.76);
    QCOMPARE(s.ProgressPercent, 100);

    // An exact quotient is that many months (442.20 / 8.04 = 55), however the
    // division falls in binary.
    s = NoInterestPayoff(442.20, 8.04);
    QCOMPARE(s.MonthCount, 55);
    EXACT(s.AveragePayment, 8.04);
    s = NoInterestPayoff(0.27, 0.03);
    QCOMPARE(s.MonthCount, 9);

    // A count beyond 32 bits is held at the largest count.
    s = NoInterestPayoff(kLargestAmount, 0.01);
    QCOMPARE(s.MonthCount, std::numeric_limits<std::int32_t>::max());
    QVERIFY(AllFinite(s));

    s = NoInterestPayoff(2100.00, 0);
    QCOMPARE(s.MonthCount, 0);
    QVERIFY(AllFinite(s));
}

void TestPayoff::generatedRunsKeepTheBooks()
{
    // Random validated inputs of both calculators, every mode: the books of
    // every run are kept to the cent.
    std::mt19937_64 gen(20240607);
    std::uniform_int_distribution<int> aprCents(1, 3000), pick(0, 9), modes(0, 2);
    std::uniform_real_distribution<double> digits(0, 12);
    const int extras[] = {5, 10, 15, 20, 25, 50, 75, 100, 250, 500, 1000};
    int runs = 0;
    for (int k = 0; k < 3000; ++k) {
        const int mode = modes(gen); // payoff calculator, card with extra, loan with extra
        const CalculatorKind kind = mode == 0 ? CalculatorKind::Payoff : CalculatorKind::ExtraMoney;
        const double apr = mode != 0 && pick(gen) == 0 ? 0.0 : aprCents(gen) / 100.0;
        const double balance = std::min(FromCents(static_cast<std::int64_t>(std::pow(10.0, digits(gen) + 2))),
                                        kLargestAmount);
        const double least = CheckPayment(apr, balance, 0, "0.00", kind).payment;
        const int how = pick(gen);
        const double payment = how < 4    ? least
                               : how < 7  ? least + FromCents(static_cast<std::int64_t>(gen() % 100000))
                               : how < 9  ? RoundToCents(least * (1 + digits(gen) / 6))
                                          : RoundToCents(balance * (1 + digits(gen) / 100));
        const PaymentCheck check = CheckPayment(apr, balance, payment, PlainTwoDecimals(payment), kind);
        QVERIFY(check.outcome == PaymentCheck::Outcome::Run);
        const PayoffOptions o = mode == 0 ? PayoffOptions::payoffCalculator()
                                          : PayoffOptions::extraMoneyCalculator(extras[gen() % 11], mode == 2);
        Rows rows;
        PayoffState s;
        QVERIFY(RunPayoff(apr, balance, payment, o, s, nullptr, &rows));
        if (apr == 0 && mode == 0)
            continue; // the no-interest payoff steps no months
        ++runs;
        const std::string broken = BooksBroken(apr, balance, payment, o, s, rows.rows);
        QVERIFY2(broken.empty(), (broken + " at " + PlainTwoDecimals(apr) + " " + PlainTwoDecimals(balance) + " " +
                                  PlainTwoDecimals(payment) + " mode " + std::to_string(mode))
                                     .c_str());
    }
    QVERIFY(runs > 2500);
}

void TestPayoff::payoffRun_data()
{
    QTest::addColumn<double>("apr");
    QTest::addColumn<double>("balance");
    QTest::addColumn<double>("payment");
    QTest::addColumn<int>("months");
    QTest::addColumn<int>("years");
    QTest::addColumn<int>("extraMonths");
    QTest::addColumn<QString>("interest");
    QTest::addColumn<QString>("paid");
    QTest::addColumn<QString>("average");
    QTest::newRow("running example") << 17.9 << 2100.0 << 53.0 << 183 << 15 << 3 << "2,487.89" << "4,587.89" << "25.07";
    QTest::newRow("least accepted") << 17.9 << 2100.0 << 34.0 << 834 << 69 << 6 << "15,760.05" << "17,860.05" << "21.41";
    QTest::newRow("ten dollars") << 17.9 << 10.0 << 10.0 << 2 << 0 << 2 << "0.15" << "10.15" << "5.07";
    QTest::newRow("paid at once") << 17.9 << 2100.0 << 3000.0 << 1 << 0 << 1 << "31.33" << "2,131.33" << "2,131.33";
    // Month 72 (and month 3) pays the card off to the cent: no last month of 0.00.
    QTest::newRow("no phantom month") << 19.26 << 636.38 << 13.78 << 72 << 6 << 0 << "442.40" << "1,078.78" << "14.98";
    QTest::newRow("no phantom month, large")
        << 28.49 << 60001.98 << 60292.95 << 3 << 0 << 3 << "1,451.97" << "61,453.95" << "20,484.65";
    // At 30 % one interest in 40 is an exact half cent, and each goes up.
    QTest::newRow("exact halves") << 30.0 << 99451.08 << 3341.64 << 681 << 56 << 9 << "288,118.82" << "387,569.90"
                                  << "569.11";
    QTest::newRow("exact halves, long") << 30.0 << 100000.0 << 2601.0 << 5381 << 448 << 5 << "2,466,013.82"
                                        << "2,566,013.82" << "476.86";
    // Money paid - interest is the balance at the largest amounts too.
    QTest::newRow("largest") << 30.0 << kLargestAmount << 26000000001.0 << 21554 << 1796 << 2 << "24999999965658.83"
                             << "25999999965658.82" << "1,206,272,616.01";
}

void TestPayoff::payoffRun()
{
    QFETCH(double, apr);
    QFETCH(double, balance);
    QFETCH(double, payment);
    QFETCH(int, months);
    QFETCH(int, years);
    QFETCH(int, extraMonths);
    QFETCH(QString, interest);
    QFETCH(QString, paid);
    QFETCH(QString, average);
    PayoffState s;
    Rows rows;
    const PayoffOptions o = PayoffOptions::payoffCalculator();
    QVERIFY(RunPayoff(apr, balance, payment, o, s, nullptr, &rows));
    const std::string broken = BooksBroken(apr, balance, payment, o, s, rows.rows);
    QVERIFY2(broken.empty(), broken.c_str());
    QCOMPARE(s.MonthCount, months);
    QCOMPARE(s.Years, years);
    QCOMPARE(s.ExtraMonths, extraMonths);
    QCOMPARE(QString::fromStdString(Money(s.TotalInterest)), interest);
    QCOMPARE(QString::fromStdString(Money(s.TotalPaid)), paid);
    QCOMPARE(QString::fromStdString(Money(s.AveragePayment)), average);
    QCOMPARE(s.ProgressPercent, 100);
    EXACT(s.Balance, 0.0);
    EXACT(s.StartingBalance, balance);
    EXACT(s.PaymentRatio, payment / balance);
}

void TestPayoff::firstTwelvePayments()
{
    Rows rows;
    PayoffState s;
    RunPayoff(17.9, 2100, 53, PayoffOptions::payoffCalculator(), s, nullptr, &rows);
    const double expected[12] = {53, 52, 52, 51, 51, 50, 50, 49, 49, 48, 48, 47};
    QCOMPARE(static_cast<int>(rows.rows.size()), 183);
    for (int i = 0; i < 12; ++i) {
        QCOMPARE(rows.rows[i].number, i + 1);
        EXACT(rows.rows[i].payment, expected[i]);
    }
    EXACT(rows.rows[0].interest, 31.33);
    EXACT(rows.rows[0].newBalance, 2078.33);
}

void TestPayoff::longRunsFinish()
{
    // $2,100.00 at 30 with the least accepted $55.00 runs for more than a
    // thousand months, keeping its books ($100,000.00 with $2,601.00: payoffRun).
    Rows rows;
    PayoffState s;
    const PayoffOptions o = PayoffOptions::payoffCalculator();
    QVERIFY(RunPayoff(30, 2100, 55, o, s, nullptr, &rows));
    QVERIFY(s.MonthCount > 1000);
    const std::string broken = BooksBroken(30, 2100, 55, o, s, rows.rows);
    QVERIFY2(broken.empty(), broken.c_str());
}

void TestPayoff::notifications()
{
    Recorder rec;
    PayoffState s;
    rec.state = &s;
    RunPayoff(17.9, 2100, 53, PayoffOptions::payoffCalculator(), s, &rec);
    // After month 1, after every multiple of 7 (each followed by a yield), and at the end.
    std::vector<Recorder::Event> expected;
    expected.push_back({false, 1, 0, 0});
    for (int m = 7; m <= 183; m += 7) {
        expected.push_back({false, m, 0, 0});
        expected.push_back({true, m, 0, 0});
    }
    expected.push_back({false, 183, 0, 0});
    QCOMPARE(rec.events.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        QCOMPARE(rec.events[i].isYield, expected[i].isYield);
        QCOMPARE(rec.events[i].month, expected[i].month);
    }
    // Inside the loop the progress stays below 100; the last notification shows 100.
    for (std::size_t i = 0; i + 1 < rec.events.size(); ++i)
        if (!rec.events[i].isYield)
            QVERIFY(rec.events[i].percent < 100);
    QCOMPARE(rec.events.back().percent, 100);
    QCOMPARE(rec.events[0].percent, 1); // 21.67 x 100 / 2100 = 1.03
}

void TestPayoff::stopPayoffCalculator()
{
    Recorder rec;
    PayoffState s;
    rec.state = &s;
    rec.stopAtMonth = 300;
    QVERIFY(!RunPayoff(30, 100000, 2601, PayoffOptions::payoffCalculator(), s, &rec));
    QVERIFY(s.StopRequested);
    QCOMPARE(s.MonthCount, 301); // the first multiple of 7 from month 300
    QVERIFY(s.ProgressPercent < 100);
    QVERIFY(s.Balance > 0);
    QCOMPARE(s.Years, 25);
    QCOMPARE(s.ExtraMonths, 1);
    // The stopped run still makes its last notification, with the reached totals.
    QVERIFY(!rec.events.back().isYield);
    QCOMPARE(rec.events.back().month, 301);
    QCOMPARE(rec.events.back().percent, s.ProgressPercent);
    QCOMPARE(rec.notifications(), 1 + 43 + 1);

    // The totals are those of the 301 months completed.
    Rows rows;
    PayoffState full;
    RunPayoff(30, 100000, 2601, PayoffOptions::payoffCalculator(), full, nullptr, &rows);
    double paid = 0;
    for (int i = 0; i < 301; ++i)
        paid += rows.rows[static_cast<std::size_t>(i)].payment;
    QCOMPARE(Money(s.TotalPaid), Money(paid));
    EXACT(s.Balance, rows.rows[300].newBalance);
}

void TestPayoff::stopExtraMoneyCalculator()
{
    Recorder rec;
    PayoffState s;
    rec.state = &s;
    rec.stopAtMonth = 14;
    QVERIFY(!RunPayoff(17.9, 2100, 53, PayoffOptions::extraMoneyCalculator(5, false), s, &rec));
    QCOMPARE(s.MonthCount, 14);
    // No last notification: the last event is the yield of month 14.
    QVERIFY(rec.events.back().isYield);
    QCOMPARE(rec.notifications(), 3); // months 1, 7, 14
    QVERIFY(s.ProgressPercent < 100);

    // A flag already set before the run: month 1 runs, then it ends.
    Recorder rec2;
    PayoffState t;
    t.StopRequested = true;
    QVERIFY(!RunPayoff(17.9, 2100, 53, PayoffOptions::payoffCalculator(), t, &rec2));
    QCOMPARE(t.MonthCount, 1);
    QCOMPARE(rec2.notifications(), 2);
}

void TestPayoff::zeroBalanceAndZeroApr()
{
    Recorder rec;
    PayoffState s;
    QVERIFY(RunPayoff(17.9, 0, 1, PayoffOptions::payoffCalculator(), s, &rec));
    QCOMPARE(s.MonthCount, 0);
    QCOMPARE(s.ProgressPercent, 100);
    EXACT(s.TotalPaid, 0.0);
    QCOMPARE(rec.notifications(), 0);

    // The payoff calculator at APR 0: the no-interest payoff with one notification.
    Recorder rec2;
    QVERIFY(RunPayoff(0, 2100, 100, PayoffOptions::payoffCalculator(), s, &rec2));
    QCOMPARE(s.MonthCount, 21);
    EXACT(s.AveragePayment, 100.0);
    QCOMPARE(rec2.notifications(), 1);
}

void TestPayoff::largestAmountsEnd_data()
{
    QTest::addColumn<double>("apr");
    QTest::addColumn<bool>("extraMoney");
    QTest::addColumn<bool>("loan");
    QTest::addColumn<int>("extra");
    QTest::newRow("30, payoff") << 30.0 << false << false << 0;
    QTest::newRow("30, card") << 30.0 << true << false << 1000;
    QTest::newRow("30, loan") << 30.0 << true << true << 5;
    QTest::newRow("0.01, card") << 0.01 << true << false << 5;
    QTest::newRow("0, card") << 0.0 << true << false << 0;
    QTest::newRow("0, card, extra") << 0.0 << true << false << 1000;
    QTest::newRow("0, loan") << 0.0 << true << true << 0;
}

void TestPayoff::largestAmountsEnd()
{
    // The largest balance with the least accepted payment ends within about 30,000 months.
    QFETCH(double, apr);
    QFETCH(bool, extraMoney);
    QFETCH(bool, loan);
    QFETCH(int, extra);
    const CalculatorKind kind = extraMoney ? CalculatorKind::ExtraMoney : CalculatorKind::Payoff;
    const double least = MinimumAcceptablePayment(apr, kLargestAmount, kind);
    const PaymentCheck check = CheckPayment(apr, kLargestAmount, least, PlainTwoDecimals(least), kind);
    QVERIFY(check.outcome == PaymentCheck::Outcome::Run);
    PayoffState s;
    const PayoffOptions options =
        extraMoney ? PayoffOptions::extraMoneyCalculator(extra, loan) : PayoffOptions::payoffCalculator();
    QVERIFY(RunPayoff(apr, kLargestAmount, least, options, s, nullptr));
    QVERIFY2(s.MonthCount <= 30000, qPrintable(QString::number(s.MonthCount)));
    EXACT(s.Balance, 0.0);
    QVERIFY(AllFinite(s));
}

void TestPayoff::absurdInputsStayFinite()
{
    const double values[] = {kNan, kInf, -kInf, -1.0, 0.0, 1e308};
    for (double apr : {kNan, kInf, -5.0, 0.0, 17.9, 1000.0})
        for (double balance : values)
            for (double payment : values) {
                PayoffState s;
                RunPayoff(apr, balance, payment, PayoffOptions::payoffCalculator(), s, nullptr);
                QVERIFY(AllFinite(s));
                RunPayoff(apr, balance, payment, PayoffOptions::extraMoneyCalculator(kNan, true), s, nullptr);
                QVERIFY(AllFinite(s));
            }
    // An unvalidated caller that pays nothing ends at the month guard.
    PayoffState s;
    QVERIFY(!RunPayoff(0, 100, 0, PayoffOptions::extraMoneyCalculator(0, true), s, nullptr));
    QCOMPARE(s.MonthCount, kMonthGuard);
    QVERIFY(s.ProgressPercent < 100);
}

void TestPayoff::ledgerRow()
{
    const double rate = PeriodicRate(17.9);
    LedgerRow r = MakeLedgerRow(1, 2100.00, 53.00, rate);
    QCOMPARE(r.number, 1);
    EXACT(r.interest, 31.33);
    EXACT(r.principal, 21.67);
    EXACT(r.newBalance, 2078.33);
    r = MakeLedgerRow(2, r.newBalance, 52.00, rate);
    EXACT(r.interest, 31.00);
    EXACT(r.principal, 21.00);
    EXACT(r.newBalance, 2057.33);
    // A constant $53.00 payment.
    r = MakeLedgerRow(2, 2078.33, 53.00, rate);
    EXACT(r.principal, 22.00);
    EXACT(r.newBalance, 2056.33);
}

QTEST_APPLESS_MAIN(TestPayoff)
#include "tst_core_payoff.moc"
