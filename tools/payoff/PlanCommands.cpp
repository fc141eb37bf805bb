// quenmark-payoff --plan FILE.csv [--pledge N] [--pledge-from MONTH:AMOUNT]...
//     [--extra-in MONTH:AMOUNT]... [--start YYYY-MM] [--by MONTHS]
//     [--order apr|balance|given] [--schedule]
// quenmark-payoff --disclosure APR BALANCE PAYMENT
//
// The plan's options are read strictly, as My Cards reads what is typed: a
// value that is not exactly an amount, a month or a count is refused with a
// message naming the option (exit status 2), never read as 0 or cut short.
#include "PlanCommands.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Output.h"
#include "core/AmountReader.h"
#include "core/Limits.h"
#include "core/MoneyText.h"
#include "core/Payoff.h"
#include "core/Planner.h"

namespace quenmark::tool {

namespace {

constexpr std::size_t kLargestPlanFile = 64u << 20;
// Schedule rows written at a time: the CSV text is never held whole.
constexpr std::size_t kRowsAtATime = 4096;

constexpr const char* kPlanUsage =
    "usage: quenmark-payoff --plan FILE.csv [--pledge N] [--pledge-from MONTH:AMOUNT]...\n"
    "           [--extra-in MONTH:AMOUNT]... [--start YYYY-MM] [--by MONTHS]\n"
    "           [--order apr|balance|given] [--schedule]\n"
    "       quenmark-payoff --disclosure APR BALANCE PAYMENT\n";

int Usage()
{
    std::fputs(kPlanUsage, stderr);
    return kExitUsage;
}

// A malformed option value: the message, then the usage.
int Refused(const std::string& message)
{
    Error(message);
    return Usage();
}

// A value from the command line as a message quotes it: control characters
// replaced, at most 40 bytes.
std::string Quoted(std::string_view text)
{
    const bool cut = text.size() > 40;
    return "\"" + PrintableText(text.substr(0, 40)) + (cut ? "...\"" : "\"");
}

// The whole file, or standard input for "-". False (with `why`) when it cannot be read.
bool ReadAll(const char* path, std::string& text, std::string& why)
{
    const bool standardInput = std::strcmp(path, "-") == 0;
    std::FILE* f = standardInput ? stdin : std::fopen(path, "rb");
    if (!f) {
        why = std::strerror(errno);
        return false;
    }
    char buffer[65536];
    bool ok = true;
    for (;;) {
        const std::size_t n = std::fread(buffer, 1, sizeof buffer, f);
        text.append(buffer, n);
        if (text.size() > kLargestPlanFile) {
            why = "larger than 64 MB";
            ok = false;
            break;
        }
        if (n < sizeof buffer) {
            if (std::ferror(f)) {
                why = std::strerror(errno);
                ok = false;
            }
            break;
        }
    }
    if (!standardInput)
        std::fclose(f);
    return ok;
}

bool ParseOrder(std::string_view text, PlanOrder& order)
{
    if (text == "apr")
        order = PlanOrder::HighestApr;
    else if (text == "balance")
        order = PlanOrder::LowestBalance;
    else if (text == "given")
        order = PlanOrder::Given;
    else
        return false;
    return true;
}

bool IsOption(std::string_view arg, std::string_view name)
{
    return arg == name || (arg.size() > name.size() && arg.substr(0, name.size()) == name && arg[name.size()] == '=');
}

// "--name VALUE" or "--name=VALUE"; advances i over a separate value.
bool OptionValue(int argc, char** argv, int& i, std::string_view name, std::string_view& value)
{
    const std::string_view arg(argv[i]);
    if (arg == name) {
        if (i + 1 >= argc)
            return false;
        value = argv[++i];
        return true;
    }
    value = arg.substr(name.size() + 1);
    return true;
}

// An amount option's value (cents); the message names the option.
std::optional<std::string> ReadAmountOption(std::string_view option, std::string_view text, std::int64_t& cents)
{
    const PlanReading r = ReadPlanValue(text, PlanValue::Money);
    if (!r.ok())
        return std::string(option) + " " + Quoted(text) + " " +
               std::string(PlanInputErrorText(r.error, PlanValue::Money));
    cents = r.value;
    return std::nullopt;
}

// A month of the plan (or, for --by, a number of months), 1 ..
// kSnowballMonthLimit: what is wrong with `text`, or nothing.
std::optional<std::string> MonthProblem(std::string_view text, std::int32_t& month, bool aCount = false)
{
    const PlanReading r = ReadPlanCount(text, kSnowballMonthLimit);
    if (r.error == PlanInputError::TooLarge)
        return (aCount ? "is above " : "is after month ") + std::to_string(kSnowballMonthLimit) +
               " (a plan runs at most " + std::to_string(kPlanYears) + " years)";
    if (!r.ok())
        return std::string(PlanInputErrorText(r.error, PlanValue::Count));
    if (r.value < 1)
        return std::string(aCount ? "is below 1" : "is below 1 (month 1 is the plan's first month)");
    month = static_cast<std::int32_t>(r.value);
    return std::nullopt;
}

// "MONTH:AMOUNT"; the message names the option and the part at fault.
std::optional<std::string> ReadMonthAmount(std::string_view option, std::string_view text, std::int32_t& month,
                                           std::int64_t& cents)
{
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos)
        return std::string(option) + " " + Quoted(text) + " is not MONTH:AMOUNT, such as 13:50";
    const std::string_view monthText = text.substr(0, colon), amountText = text.substr(colon + 1);
    if (const auto problem = MonthProblem(monthText, month))
        return std::string(option) + " " + Quoted(text) + ": the month " + Quoted(monthText) + " " + *problem;
    const PlanReading r = ReadPlanValue(amountText, PlanValue::Money);
    if (!r.ok())
        return std::string(option) + " " + Quoted(text) + ": the amount " + Quoted(amountText) + " " +
               std::string(PlanInputErrorText(r.error, PlanValue::Money));
    cents = r.value;
    return std::nullopt;
}

struct PlanArguments
{
    const char* path = nullptr;
    PlanBudget budget;
    PlanOrder order = PlanOrder::HighestApr;
    bool schedule = false;
    std::optional<CalendarMonth> start;
    std::int32_t by = 0; // 0: no --by
};

// Reads the --plan command's arguments; -1 when they are sound, else the exit status.
int ReadPlanArguments(int argc, char** argv, PlanArguments& a)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg(argv[i]);
        std::string_view value;
        auto take = [&](std::string_view name) { return OptionValue(argc, argv, i, name, value); };
        std::optional<std::string> problem;
        if (IsOption(arg, "--plan")) {
            if (a.path || !take("--plan"))
                return Usage();
            a.path = value.data();
        } else if (IsOption(arg, "--pledge")) {
            if (!take("--pledge"))
                return Usage();
            problem = ReadAmountOption("--pledge", value, a.budget.pledge);
        } else if (IsOption(arg, "--pledge-from")) {
            if (!take("--pledge-from"))
                return Usage();
            PledgeStep step;
            problem = ReadMonthAmount("--pledge-from", value, step.fromMonth, step.amount);
            a.budget.steps.push_back(step);
        } else if (IsOption(arg, "--extra-in")) {
            if (!take("--extra-in"))
                return Usage();
            OneOffSum sum;
            problem = ReadMonthAmount("--extra-in", value, sum.month, sum.amount);
            a.budget.oneOffs.push_back(sum);
        } else if (IsOption(arg, "--start")) {
            if (!take("--start"))
                return Usage();
            CalendarMonth month;
            if (!ReadMonthText(value, month))
                problem = "--start " + Quoted(value) + " is not a month written YYYY-MM (a year from " +
                          std::to_string(kFirstPlanYear) + " to " + std::to_string(kLastPlanYear) +
                          ", a month from 01 to 12)";
            a.start = month;
        } else if (IsOption(arg, "--by")) {
            if (!take("--by"))
                return Usage();
            if (const auto p = MonthProblem(value, a.by, true))
                problem = "--by " + Quoted(value) + " " + *p;
        } else if (IsOption(arg, "--order")) {
            if (!take("--order"))
                return Usage();
            if (!ParseOrder(value, a.order))
                problem = "--order " + Quoted(value) + " is not apr, balance or given";
        } else if (arg == "--schedule") {
            a.schedule = true;
        } else {
            return Usage();
        }
        if (problem)
            return Refused(*problem);
    }
    if (!a.path || !*a.path)
        return Usage();
    return -1;
}

// Why the plan does not end, naming the first card in priority order still owing.
std::string NotPaidOff(const PlanResult& plan, const std::vector<std::string>& names)
{
    const auto first = static_cast<std::size_t>(plan.firstOwing);
    const std::string name = PrintableText(first < names.size() ? names[first] : std::string("a card"));
    if (plan.tooLarge)
        return name + " is not paid off: a balance grows past the largest amount, " + CentsToText(kLargestCents);
    return name + " is not paid off within " + std::to_string(kPlanYears) + " years";
}

void WriteSchedule(const PlanResult& plan, const std::vector<std::string>& names, std::optional<CalendarMonth> start)
{
    const ScheduleCsv csv(plan, names, start);
    std::string piece;
    csv.appendHeader(piece);
    Put(piece);
    for (std::size_t row = 0; row < plan.schedule.size() && !OutputFailed();) {
        piece.clear();
        row = csv.appendRows(piece, row, kRowsAtATime);
        Put(piece);
    }
}

int RunPlanCommand(int argc, char** argv)
{
    PlanArguments a;
    if (const int status = ReadPlanArguments(argc, argv, a); status >= 0)
        return status;

    const bool standardInput = std::strcmp(a.path, "-") == 0;
    const std::string shownPath = standardInput ? "standard input" : PrintableText(a.path);
    std::string text, why;
    if (!ReadAll(a.path, text, why)) {
        Error("cannot read " + shownPath + ": " + why);
        return kExitUsage;
    }
    const PlanFile file = ParsePlanCsv(text);
    text = std::string();
    if (file.errorLine > 0) {
        Error(shownPath + " line " + std::to_string(file.errorLine) + ": " + file.error);
        return kExitUsage;
    }

    std::vector<PlanCard> cards;
    std::vector<std::string> names;
    for (const PlanFileCard& c : file.cards) {
        cards.push_back(c.card);
        names.push_back(c.name);
    }

    std::optional<std::string> pledgeNeeded;
    if (a.by > 0) {
        const PledgeNeeded needed = FindPledgeNeeded(cards, a.budget, a.order, a.by);
        if (needed.outcome == PledgeNeeded::Outcome::Impossible) {
            Error("no pledge can pay the plan off within " + std::to_string(a.by) +
                  " months: --pledge-from sets the pledge from month 1 on");
            return kExitRejected;
        }
        a.budget.pledge = needed.outcome == PledgeNeeded::Outcome::Found ? needed.pledge : 0;
        pledgeNeeded = CentsToText(a.budget.pledge);
    }

    PlanOptions options;
    options.keepSchedule = a.schedule;
    const PlanResult plan = RunPlan(cards, a.budget, a.order, options);
    if (!plan.paidOff) {
        Error(NotPaidOff(plan, names));
        return kExitRejected;
    }
    if (a.schedule) {
        if (pledgeNeeded)
            std::fprintf(stderr, "pledge_needed: %s\n", pledgeNeeded->c_str());
        WriteSchedule(plan, names, a.start);
        return kExitDone;
    }
    if (pledgeNeeded)
        Line("pledge_needed", *pledgeNeeded);
    Line("months", std::to_string(plan.months));
    if (a.start)
        Line("debt_free", MonthText(PlanCalendarMonth(*a.start, plan.months)));
    Line("interest", CentsToText(plan.totalInterest));
    Line("paid", CentsToText(plan.totalPaid));
    for (std::size_t k = 0; k < plan.priority.size() && !OutputFailed(); ++k) {
        const std::size_t i = plan.priority[k];
        Line("payoff." + std::to_string(k + 1),
             std::to_string(plan.cards[i].payoffMonth) + " " + PrintableText(names[i]));
    }
    return kExitDone;
}

// The disclosure's lines for what paying only the minimum cannot give.
constexpr const char* kNeverPaidOff = "never, paying only the minimum never pays it off";
constexpr const char* kNotCounted = "not counted, paying only the minimum never pays it off";
constexpr const char* kAlreadyFaster = "none, your payment is already faster";
constexpr const char* kAlreadyCheaper = "none, your payment already costs less";

int RunDisclosureCommand(int argc, char** argv)
{
    const char* amounts[3] = {nullptr, nullptr, nullptr};
    int count = 0;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg(argv[i]);
        if (!optionsEnded && arg == "--disclosure")
            continue;
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && arg.substr(0, 2) == "--")
            return Usage();
        if (count == 3)
            return Usage();
        amounts[count++] = argv[i];
    }
    if (count != 3)
        return Usage();

    // The amounts are read as the calculators' boxes read them; the APR goes
    // up to the planner's 99.99 and is refused above it, never lowered.
    const double apr = ReadAmountBox(amounts[0], AmountBox::Balance).value;
    if (apr > kPlanHighestApr) {
        Error("--disclosure: the APR " + Quoted(amounts[0]) + " " +
              std::string(PlanInputErrorText(PlanInputError::TooLarge, PlanValue::Apr)));
        return kExitUsage;
    }
    const double balance = ReadAmountBox(amounts[1], AmountBox::Balance).value;
    const BoxReading payment = ReadAmountBox(amounts[2], AmountBox::Payment);
    const PaymentCheck check =
        CheckPayment(apr, balance, payment.value, payment.text, CalculatorKind::Payoff, kPlanHighestApr);
    if (check.outcome != PaymentCheck::Outcome::Run) {
        std::fputs(check.error.c_str(), stderr);
        std::fputc('\n', stderr);
        return kExitRejected;
    }
    const CardDisclosure d = DiscloseCard(apr, balance, check.payment);
    Line("months", d.minimumNotPaidOff ? kNeverPaidOff : CountToText(d.minimumMonths));
    Line("paid", d.minimumNotPaidOff ? kNeverPaidOff : AmountToText(d.minimumPaid));
    Line("payment_36", AmountToText(d.payment36));
    Line("paid_36", AmountToText(d.paid36));
    // Never a negative saving: a minimum that is already as fast, or that takes
    // longer but costs less (a high first payment), says so.
    const char* none = d.minimumNotPaidOff                            ? kNotCounted
                       : d.alreadyFaster                              ? kAlreadyFaster
                       : ToCents(d.minimumPaid) < ToCents(d.paid36) ? kAlreadyCheaper
                                                                      : nullptr;
    Line("saved_36", none ? none : AmountToText(d.saved36));
    return kExitDone;
}

} // namespace

int RunPlannerCommands(int argc, char** argv)
{
    bool plan = false, disclosure = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg(argv[i]);
        if (arg == "--")
            break;
        plan = plan || IsOption(arg, "--plan");
        disclosure = disclosure || arg == "--disclosure";
    }
    if (plan && disclosure)
        return Usage();
    if (plan)
        return FinishOutput(RunPlanCommand(argc, argv));
    if (disclosure)
        return FinishOutput(RunDisclosureCommand(argc, argv));
    return -1;
}

void PrintPlannerUsage()
{
    // Below the calculators' usage line: "usage: " becomes blanks.
    Put("       ");
    Put(std::string_view(kPlanUsage).substr(std::string_view("usage: ").size()));
}

void PrintPlannerHelp()
{
    Put("\n"
        "Several cards paid off together (payment snowballing), in whole cents:\n"
        "  --plan FILE.csv   the cards: a header line naming the columns (in any order)\n"
        "                    and one card a line; \"-\" reads standard input. Columns:\n"
        "                      name,apr,balance,payment (required; APR 0 to 99.99)\n"
        "                      promo_apr,promo_months (optional, together: the APR of\n"
        "                        the first promo_months months)\n"
        "                      min_percent,min_floor,min_plus_interest (optional: the\n"
        "                        card pays at least the greater of min_floor and\n"
        "                        min_percent of the balance, plus the month's interest\n"
        "                        when min_plus_interest is yes; payment may be empty)\n"
        "                    Prints months, interest, paid (all money paid) and for each\n"
        "                    card in priority order payoff.K: MONTH NAME.\n"
        "  --pledge N        money added every month on top of the cards' payments\n"
        "                    (default 0)\n"
        "  --pledge-from MONTH:AMOUNT\n"
        "                    from month MONTH on the pledge is AMOUNT (repeatable)\n"
        "  --extra-in MONTH:AMOUNT\n"
        "                    a one-off sum added to month MONTH (repeatable)\n"
        "  --start YYYY-MM   month 1 is this calendar month: adds debt_free: YYYY-MM\n"
        "                    (the month of the last payment) and the schedule's date\n"
        "                    column\n"
        "  --by MONTHS       prints first pledge_needed: the least pledge with which\n"
        "                    the plan ends within MONTHS months (in place of --pledge),\n"
        "                    then the plan with it; with --schedule pledge_needed goes\n"
        "                    to standard error\n"
        "  --order ORDER     apr: highest APR first (default); balance: lowest balance\n"
        "                    first; given: the file's order\n"
        "  --schedule        print the plan month by month as CSV instead, one line for\n"
        "                    each card that owes: month,card,payment,interest,balance\n"
        "                    (month,card,payment,interest,balance,date with --start)\n"
        "  Option values are read strictly: amounts such as 1234.56 or $1,234.56,\n"
        "  months from 1 to 1200.\n"
        "\n"
        "  --disclosure APR BALANCE PAYMENT\n"
        "                    what a card statement tells (APR 0 to 99.99): what paying\n"
        "                    only the minimum costs (months, paid), the level payment\n"
        "                    that clears the balance in at most 36 months (payment_36),\n"
        "                    what that costs (paid_36) and saves (saved_36). Where\n"
        "                    there is no saving saved_36 says why: \"none, your payment\n"
        "                    is already faster\" or \"none, your payment already costs\n"
        "                    less\"; when paying only the minimum never pays the card\n"
        "                    off, months and paid say \"never, ...\" and saved_36\n"
        "                    \"not counted, ...\".\n");
}

} // namespace quenmark::tool
