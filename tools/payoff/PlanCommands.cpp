// quenmark-payoff --plan FILE.csv [--pledge N] [--order apr|balance|given] [--schedule]
// quenmark-payoff --disclosure APR BALANCE PAYMENT
#include "PlanCommands.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "core/AmountReader.h"
#include "core/Limits.h"
#include "core/MoneyText.h"
#include "core/Payoff.h"
#include "core/Planner.h"

namespace quenmark::tool {

namespace {

constexpr int kExitDone = 0;
constexpr int kExitUsage = 2;
constexpr int kExitRejected = 3;
constexpr std::size_t kLargestPlanFile = 64u << 20;

constexpr const char* kPlanUsage =
    "usage: quenmark-payoff --plan FILE.csv [--pledge N] [--order apr|balance|given] [--schedule]\n"
    "       quenmark-payoff --disclosure APR BALANCE PAYMENT\n";

int Usage()
{
    std::fputs(kPlanUsage, stderr);
    return kExitUsage;
}

void Line(const char* key, const std::string& value)
{
    std::printf("%s: %s\n", key, value.c_str());
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

// "--name VALUE" or "--name=VALUE"; advances i over a separate value.
bool OptionValue(int argc, char** argv, int& i, std::string_view name, const char*& value)
{
    const std::string_view arg(argv[i]);
    if (arg == name) {
        if (i + 1 >= argc)
            return false;
        value = argv[++i];
        return true;
    }
    if (arg.size() > name.size() && arg.substr(0, name.size()) == name && arg[name.size()] == '=') {
        value = argv[i] + name.size() + 1;
        return true;
    }
    return false;
}

bool IsOption(std::string_view arg, std::string_view name)
{
    return arg == name || (arg.size() > name.size() && arg.substr(0, name.size()) == name && arg[name.size()] == '=');
}

int RunPlanCommand(int argc, char** argv)
{
    const char* path = nullptr;
    const char* pledgeText = "0";
    PlanOrder order = PlanOrder::HighestApr;
    bool schedule = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg(argv[i]);
        const char* value = nullptr;
        if (IsOption(arg, "--plan")) {
            if (path || !OptionValue(argc, argv, i, "--plan", value))
                return Usage();
            path = value;
        } else if (IsOption(arg, "--pledge")) {
            if (!OptionValue(argc, argv, i, "--pledge", value))
                return Usage();
            pledgeText = value;
        } else if (IsOption(arg, "--order")) {
            if (!OptionValue(argc, argv, i, "--order", value) || !ParseOrder(value, order))
                return Usage();
        } else if (arg == "--schedule") {
            schedule = true;
        } else {
            return Usage();
        }
    }
    if (!path || !*path)
        return Usage();

    std::string text, why;
    if (!ReadAll(path, text, why)) {
        std::fprintf(stderr, "error: cannot read %s: %s\n", path, why.c_str());
        return kExitUsage;
    }
    const PlanFile file = ParsePlanCsv(text);
    if (file.errorLine > 0) {
        std::fprintf(stderr, "error: %s line %d: %s\n", std::strcmp(path, "-") == 0 ? "standard input" : path,
                     static_cast<int>(file.errorLine), file.error.c_str());
        return kExitUsage;
    }

    std::vector<PlanCard> cards;
    std::vector<std::string> names;
    for (const PlanFileCard& c : file.cards) {
        cards.push_back(c.card);
        names.push_back(c.name);
    }
    const double pledge = ReadAmountBox(pledgeText, AmountBox::Payment).value;
    const std::vector<std::size_t> priority = PriorityOrder(cards, order);
    PlanOptions options;
    options.keepSchedule = schedule;
    const PlanResult plan = RunPlanInPriority(cards, priority, PlanBudget::Pledge(ToCents(pledge)), options);
    if (!plan.paidOff) {
        std::fprintf(stderr, "error: %s is not paid off within %d years\n",
                     names[static_cast<std::size_t>(plan.firstOwing)].c_str(), static_cast<int>(kPlanYears));
        return kExitRejected;
    }
    if (schedule) {
        std::string out;
        AppendScheduleCsv(out, plan, names);
        std::fwrite(out.data(), 1, out.size(), stdout);
        return kExitDone;
    }
    Line("months", std::to_string(plan.months));
    Line("interest", CentsToText(plan.totalInterest));
    for (std::size_t k = 0; k < priority.size(); ++k) {
        const std::size_t i = priority[k];
        std::printf("payoff.%zu: %d %s\n", k + 1, static_cast<int>(plan.cards[i].payoffMonth), names[i].c_str());
    }
    return kExitDone;
}

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

    const BoxReading apr = ReadAmountBox(amounts[0], AmountBox::Apr);
    if (!apr.information.empty())
        std::fputs(apr.information.c_str(), stderr);
    const double balance = ReadAmountBox(amounts[1], AmountBox::Balance).value;
    const BoxReading payment = ReadAmountBox(amounts[2], AmountBox::Payment);
    const PaymentCheck check = CheckPayment(apr.value, balance, payment.value, payment.text, CalculatorKind::Payoff);
    if (check.outcome != PaymentCheck::Outcome::Run) {
        std::fputs(check.error.c_str(), stderr);
        std::fputc('\n', stderr);
        return kExitRejected;
    }
    const CardDisclosure d = DiscloseCard(apr.value, balance, check.payment);
    Line("months", CountToText(d.minimumMonths));
    Line("paid", AmountToText(d.minimumPaid));
    Line("payment_36", AmountToText(d.payment36));
    Line("paid_36", AmountToText(d.paid36));
    Line("saved_36", AmountToText(d.saved36));
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
    int status = -1;
    if (plan)
        status = RunPlanCommand(argc, argv);
    else if (disclosure)
        status = RunDisclosureCommand(argc, argv);
    else
        return -1;
    if (std::fflush(stdout) != 0)
        return 1;
    return status;
}

void PrintPlannerHelp()
{
    std::fputs(
        "\n"
        "Several cards paid off together (payment snowballing):\n"
        "  --plan FILE.csv   the cards: a header line \"name,apr,balance,payment\" and one\n"
        "                    card a line (\"-\" reads standard input); prints the months to\n"
        "                    the last payoff, the total interest and each card's payoff month\n"
        "  --pledge N        money added every month on top of the cards' payments (default 0)\n"
        "  --order ORDER     apr: highest APR first (default); balance: lowest balance first;\n"
        "                    given: the file's order\n"
        "  --schedule        print the plan month by month as CSV instead\n"
        "  Exit status 2: the file cannot be read or a line is malformed (the message names\n"
        "  it); 3: a card is not paid off within 100 years.\n"
        "\n"
        "  --disclosure APR BALANCE PAYMENT\n"
        "                    what paying only the minimum costs (months, paid), the level\n"
        "                    payment that clears the balance in 36 months (payment_36), what\n"
        "                    that costs (paid_36) and saves (saved_36)\n",
        stdout);
}

} // namespace quenmark::tool
