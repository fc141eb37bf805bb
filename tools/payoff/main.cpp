// quenmark-payoff: the card payoff calculators on the command line.
//
//   quenmark-payoff APR BALANCE PAYMENT
//   quenmark-payoff --compare [--extra N] [--loan] APR BALANCE PAYMENT
//   --schedule with either form prints one CSV line per month instead.
// The planner's commands (--plan, --disclosure) are in PlanCommands.cpp.
//
// Exit status: 0 done, 1 standard output could not be written, 2 malformed
// arguments, 3 the payment was rejected (Output.h).
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "core/MoneyText.h"
#include "core/AmountReader.h"
#include "core/Payoff.h"
#include "Output.h"
#include "PlanCommands.h"

using namespace quenmark;
using quenmark::tool::Line;
using quenmark::tool::Put;

namespace {

constexpr const char* kVersion = "1.0.0";
constexpr const char* kUsage =
    "usage: quenmark-payoff [--schedule] [--compare [--extra N] [--loan]] APR BALANCE PAYMENT\n";
constexpr int kExtraAmounts[] = {5, 10, 15, 20, 25, 50, 75, 100, 250, 500, 1000};

constexpr int kExitDone = tool::kExitDone;
constexpr int kExitUsage = tool::kExitUsage;
constexpr int kExitRejected = tool::kExitRejected;

void PrintHelp()
{
    Put(kUsage);
    tool::PrintPlannerUsage();
    Put("\n"
        "Works out how long a credit-card balance takes to pay off and what it costs.\n"
        "\n"
        "  APR        annual percentage rate in percent (above 30 counts as 30)\n"
        "  BALANCE    the balance owed, in dollars\n"
        "  PAYMENT    the first monthly payment, in dollars; later payments are the\n"
        "             same share of the balance, rounded to whole dollars, at least $15\n"
        "\n"
        "  --compare     run twice, without and with an extra amount added to every\n"
        "                payment, and print what the extra amount saves\n"
        "  --extra N     the extra amount for --compare: 5, 10, 15, 20, 25, 50, 75, 100,\n"
        "                250, 500 or 1000 (default 5)\n"
        "  --loan        with --compare: pay the entered payment every month, like a loan\n"
        "  --schedule    print the months of the run as CSV instead of the totals\n"
        "                (with --compare: the run with the extra amount):\n"
        "                month,balance,payment,interest,principal,new_balance\n"
        "  --help        show this text\n"
        "  --version     show the version\n"
        "\n"
        "Prints months, years, extra_months, interest, paid and average (with\n"
        "--compare: each but average as without. and with., then saved). Amounts may\n"
        "carry a leading \"$\" and \",\" separators and are read as the calculators'\n"
        "boxes read them.\n");
    tool::PrintPlannerHelp();
    Put("\n"
        "Exit status: 0 done; 1 standard output could not be written (the error is on\n"
        "standard error); 2 malformed arguments, an option value or a plan file line\n"
        "that is malformed (the message names the option, or the line and column), or\n"
        "an APR above 99.99 in a plan or a disclosure; 3 the payment is too low (the\n"
        "message names the least one), a plan does not end within 100 years (the\n"
        "message names the first card still owing), or no pledge meets --by.\n");
}

int Usage()
{
    std::fputs(kUsage, stderr);
    return kExitUsage;
}

class CsvRows : public LedgerSink
{
public:
    void row(const LedgerRow& r) override
    {
        Put(std::to_string(r.number) + "," + PlainTwoDecimals(r.openingBalance) + "," + PlainTwoDecimals(r.payment) +
            "," + PlainTwoDecimals(r.interest) + "," + PlainTwoDecimals(r.principal) + "," +
            PlainTwoDecimals(r.newBalance) + "\n");
    }
};

void ScheduleHeader()
{
    Put("month,balance,payment,interest,principal,new_balance\n");
}

// The months of the no-interest payoff, which the engine counts rather than steps.
void NoInterestSchedule(double balance, double payment)
{
    const std::int64_t owed = ToCents(balance);
    const std::int64_t pay = ToCents(payment);
    if (owed <= 0 || pay <= 0)
        return;
    CsvRows out;
    std::int64_t left = owed;
    // The payment check keeps the count within 32 bits; a failed write stops it.
    for (std::int64_t month = 1; left > 0 && !tool::OutputFailed(); ++month) {
        const std::int64_t p = pay < left ? pay : left;
        LedgerRow r;
        r.number = static_cast<std::int32_t>(month);
        r.openingBalance = FromCents(left);
        r.payment = FromCents(p);
        r.principal = r.payment;
        left -= p;
        r.newBalance = FromCents(left);
        out.row(r);
    }
}

struct Arguments
{
    bool compare = false;
    bool loan = false;
    bool schedule = false;
    bool extraGiven = false;
    int extra = 5;
    const char* amounts[3] = {nullptr, nullptr, nullptr};
    int amountCount = 0;
};

bool ParseExtra(std::string_view text, int& extra)
{
    if (text.empty() || text.size() > 4)
        return false;
    int v = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    for (int allowed : kExtraAmounts)
        if (v == allowed) {
            extra = v;
            return true;
        }
    return false;
}

// Reads the three amounts as the calculators' boxes do; the APR message goes to stderr.
void ReadAmounts(const Arguments& a, double& apr, double& balance, double& payment, std::string& paymentText)
{
    const BoxReading r = ReadAmountBox(a.amounts[0], AmountBox::Apr);
    if (!r.information.empty())
        std::fputs(r.information.c_str(), stderr);
    apr = r.value;
    balance = ReadAmountBox(a.amounts[1], AmountBox::Balance).value;
    const BoxReading p = ReadAmountBox(a.amounts[2], AmountBox::Payment);
    payment = p.value;
    paymentText = p.text;
}

void PrintSide(const char* prefix, const PayoffState& s)
{
    const std::string p(prefix);
    Line(p + "months", CountToText(s.MonthCount));
    Line(p + "years", std::to_string(s.Years));
    Line(p + "extra_months", std::to_string(s.ExtraMonths));
    Line(p + "interest", AmountToText(s.TotalInterest));
    Line(p + "paid", AmountToText(s.TotalPaid));
}

int RunSingle(double apr, double balance, double payment, bool schedule)
{
    PayoffState s;
    if (schedule) {
        ScheduleHeader();
        if (balance > 0 && apr == 0) {
            NoInterestSchedule(balance, payment);
        } else {
            CsvRows rows;
            RunPayoff(apr, balance, payment, PayoffOptions::payoffCalculator(), s, nullptr, &rows);
        }
        return kExitDone;
    }
    RunPayoff(apr, balance, payment, PayoffOptions::payoffCalculator(), s, nullptr);
    PrintSide("", s);
    Line("average", AmountToText(s.AveragePayment));
    return kExitDone;
}

int RunCompare(double apr, double balance, double payment, const Arguments& a)
{
    PayoffState without, with;
    if (a.schedule) {
        ScheduleHeader();
        CsvRows rows;
        RunPayoff(apr, balance, payment, PayoffOptions::extraMoneyCalculator(a.extra, a.loan), with, nullptr, &rows);
        return kExitDone;
    }
    RunPayoff(apr, balance, payment, PayoffOptions::extraMoneyCalculator(0, a.loan), without, nullptr);
    RunPayoff(apr, balance, payment, PayoffOptions::extraMoneyCalculator(a.extra, a.loan), with, nullptr);
    PrintSide("without.", without);
    PrintSide("with.", with);
    // What is saved is worked from the two money texts, as the window shows them.
    const double saved = TextToAmount(AmountToText(without.TotalPaid)) - TextToAmount(AmountToText(with.TotalPaid));
    Line("saved", AmountToText(saved));
    return kExitDone;
}

} // namespace

int main(int argc, char** argv)
{
    tool::ReportBrokenPipes();
    if (const int status = tool::RunPlannerCommands(argc, argv); status >= 0)
        return status;
    Arguments a;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg(argv[i]);
        // Options are long ("--name") apart from -h; anything else is an amount,
        // negative ones ("-5", "-inf") included.
        const bool looksLikeOption = !optionsEnded && (arg.substr(0, 2) == "--" || arg == "-h");
        if (!looksLikeOption) {
            if (a.amountCount == 3)
                return Usage();
            a.amounts[a.amountCount++] = argv[i];
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            PrintHelp();
            return tool::FinishOutput(kExitDone);
        } else if (arg == "--version") {
            Put(std::string("quenmark-payoff ") + kVersion + "\n");
            return tool::FinishOutput(kExitDone);
        } else if (arg == "--compare") {
            a.compare = true;
        } else if (arg == "--loan") {
            a.loan = true;
        } else if (arg == "--schedule") {
            a.schedule = true;
        } else if (arg == "--extra") {
            if (i + 1 >= argc || !ParseExtra(argv[i + 1], a.extra))
                return Usage();
            a.extraGiven = true;
            ++i;
        } else if (arg.substr(0, 8) == "--extra=") {
            if (!ParseExtra(arg.substr(8), a.extra))
                return Usage();
            a.extraGiven = true;
        } else {
            return Usage();
        }
    }
    if (a.amountCount != 3)
        return Usage();
    if ((a.extraGiven || a.loan) && !a.compare)
        return Usage();

    double apr = 0, balance = 0, payment = 0;
    std::string paymentText;
    ReadAmounts(a, apr, balance, payment, paymentText);
    const CalculatorKind kind = a.compare ? CalculatorKind::ExtraMoney : CalculatorKind::Payoff;
    const PaymentCheck check = CheckPayment(apr, balance, payment, paymentText, kind);
    if (check.outcome != PaymentCheck::Outcome::Run) {
        std::fputs(check.error.c_str(), stderr);
        std::fputc('\n', stderr);
        return kExitRejected;
    }
    payment = check.payment;

    const int status = a.compare ? RunCompare(apr, balance, payment, a) : RunSingle(apr, balance, payment, a.schedule);
    return tool::FinishOutput(status);
}
