// The planner's orders, comparison, card figures and CSV texts.
#include "core/Planner.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <utility>

#include "core/AmountReader.h"
#include "core/Payoff.h"
#include "core/MoneyText.h"

namespace quenmark {

namespace {

double Finite(double x)
{
    return std::isfinite(x) ? x : 0;
}

// Up to the next cent; a value already on a cent (within float noise) stays.
double UpToCent(double x)
{
    const double cents = x * 100;
    const double nearest = std::round(cents);
    if (std::abs(cents - nearest) < 1e-6 * std::max(1.0, std::abs(cents)))
        return nearest / 100;
    return std::ceil(cents) / 100;
}

} // namespace

std::vector<std::size_t> PriorityOrder(std::span<const SnowballCard> cards, PlanOrder order)
{
    std::vector<std::size_t> p(cards.size());
    std::iota(p.begin(), p.end(), std::size_t{0});
    // Sorted by the values the schedule itself uses (brought into range).
    auto apr = [&](std::size_t i) { return std::clamp(Finite(cards[i].apr), 0.0, kLessonHighestApr); };
    auto balance = [&](std::size_t i) { return std::clamp(Finite(cards[i].balance), 0.0, kLargestAmount); };
    if (order == PlanOrder::HighestApr)
        std::stable_sort(p.begin(), p.end(), [&](std::size_t a, std::size_t b) { return apr(a) > apr(b); });
    else if (order == PlanOrder::LowestBalance)
        std::stable_sort(p.begin(), p.end(), [&](std::size_t a, std::size_t b) { return balance(a) < balance(b); });
    return p;
}

SnowballPlan RunPlanInPriority(std::span<const SnowballCard> cards, std::span<const std::size_t> priority,
                               double pledge, bool withSchedule, std::int32_t monthLimit)
{
    std::vector<SnowballCard> ordered;
    ordered.reserve(priority.size());
    for (std::size_t i : priority)
        ordered.push_back(cards[i]);
    SnowballPlan byPriority = RunSnowball(ordered, pledge, withSchedule, monthLimit);

    SnowballPlan plan = std::move(byPriority);
    std::vector<std::int32_t> payoff(cards.size(), 0);
    std::vector<double> left(cards.size(), 0);
    for (std::size_t k = 0; k < priority.size(); ++k) {
        payoff[priority[k]] = plan.payoffMonth[k];
        left[priority[k]] = plan.balanceLeft[k];
    }
    plan.payoffMonth = std::move(payoff);
    plan.balanceLeft = std::move(left);
    if (plan.firstOwing >= 0)
        plan.firstOwing = static_cast<std::int32_t>(priority[static_cast<std::size_t>(plan.firstOwing)]);
    for (SnowballRow& r : plan.schedule)
        r.card = static_cast<std::int32_t>(priority[static_cast<std::size_t>(r.card)]);
    return plan;
}

SnowballPlan RunPlan(std::span<const SnowballCard> cards, PlanOrder order, double pledge, bool withSchedule,
                     std::int32_t monthLimit)
{
    const std::vector<std::size_t> priority = PriorityOrder(cards, order);
    return RunPlanInPriority(cards, priority, pledge, withSchedule, monthLimit);
}

SnowballPlan RunEachAlone(std::span<const SnowballCard> cards, std::int32_t monthLimit)
{
    SnowballPlan all;
    all.paidOff = true;
    all.payoffMonth.assign(cards.size(), 0);
    all.balanceLeft.assign(cards.size(), 0);
    for (std::size_t i = 0; i < cards.size(); ++i) {
        const SnowballPlan one = RunSnowball(cards.subspan(i, 1), 0, false, monthLimit);
        all.totalInterest += one.totalInterest;
        all.payoffMonth[i] = one.payoffMonth[0];
        all.balanceLeft[i] = one.balanceLeft[0];
        all.months = std::max(all.months, one.months);
        if (!one.paidOff && all.paidOff) {
            all.paidOff = false;
            all.firstOwing = static_cast<std::int32_t>(i);
            all.neverEnds = one.neverEnds;
        }
    }
    return all;
}

const SnowballPlan& PlanComparison::plan(PlanOrder order) const
{
    switch (order) {
    case PlanOrder::HighestApr:
        return highestApr;
    case PlanOrder::LowestBalance:
        return lowestBalance;
    case PlanOrder::Given:
        break;
    }
    return given;
}

double PlanComparison::interestSaved(const SnowballPlan& p) const
{
    if (!p.paidOff || !alone.paidOff)
        return 0;
    return RoundToCents(RoundToCents(alone.totalInterest) - RoundToCents(p.totalInterest));
}

namespace {

PlanComparison Compare(std::span<const SnowballCard> cards, double pledge, const PlanOrder* known,
                       const SnowballPlan* knownPlan)
{
    PlanComparison c;
    const std::pair<PlanOrder, SnowballPlan*> slots[] = {
        {PlanOrder::HighestApr, &c.highestApr}, {PlanOrder::LowestBalance, &c.lowestBalance}, {PlanOrder::Given, &c.given}};
    for (const auto& [order, plan] : slots) {
        SnowballPlan& slot = *plan;
        if (known && *known == order) {
            // Everything but the schedule.
            slot.paidOff = knownPlan->paidOff;
            slot.months = knownPlan->months;
            slot.totalInterest = knownPlan->totalInterest;
            slot.payoffMonth = knownPlan->payoffMonth;
            slot.firstOwing = knownPlan->firstOwing;
            slot.neverEnds = knownPlan->neverEnds;
            slot.balanceLeft = knownPlan->balanceLeft;
        } else {
            slot = RunPlan(cards, order, pledge);
        }
    }
    c.alone = RunEachAlone(cards);
    return c;
}

} // namespace

PlanComparison ComparePlans(std::span<const SnowballCard> cards, double pledge)
{
    return Compare(cards, pledge, nullptr, nullptr);
}

PlanComparison ComparePlans(std::span<const SnowballCard> cards, double pledge, PlanOrder known,
                            const SnowballPlan& knownPlan)
{
    return Compare(cards, pledge, &known, &knownPlan);
}

double MonthlyInterest(const SnowballCard& card)
{
    return MonthlyFinanceCharge(std::clamp(Finite(card.balance), 0.0, kLargestAmount), PeriodicRate(card.apr));
}

bool PaymentNeverPaysOff(const SnowballCard& card)
{
    const SnowballPlan alone = RunSnowball(std::span<const SnowballCard>(&card, 1), 0, false, 0);
    return alone.neverEnds;
}

double LevelPayment(double apr, double balance, std::int32_t months)
{
    balance = std::clamp(Finite(balance), 0.0, kLargestAmount);
    if (!(balance > 0) || months <= 0)
        return 0;
    const double r = PeriodicRate(std::clamp(Finite(apr), 0.0, kLessonHighestApr));
    if (r == 0)
        return UpToCent(balance / months);
    return UpToCent(balance * r / (1 - std::pow(1 + r, -static_cast<double>(months))));
}

CardDisclosure DiscloseCard(double apr, double balance, double payment)
{
    CardDisclosure d;
    apr = std::clamp(Finite(apr), 0.0, kLessonHighestApr);
    balance = std::clamp(Finite(balance), 0.0, kLargestAmount);
    payment = std::clamp(Finite(payment), 0.0, kLargestAmount);
    d.leastPayment = MinimumAcceptablePayment(apr, balance);
    // The payoff calculator's rules: at APR 0 any payment above 0 runs (as the
    // no-interest payoff); otherwise at least the least acceptable payment.
    d.minimumRan = !(balance > 0) || (apr == 0 ? payment > 0 : payment >= d.leastPayment);
    if (d.minimumRan) {
        PayoffState s;
        RunPayoff(apr, balance, payment, PayoffOptions::payoffCalculator(), s, nullptr);
        d.minimumMonths = s.MonthCount;
        d.minimumInterest = s.TotalInterest;
        d.minimumPaid = s.TotalPaid;
    }
    d.payment36 = LevelPayment(apr, balance, 36);
    if (d.payment36 > 0) {
        PayoffState s;
        RunPayoff(apr, balance, d.payment36, PayoffOptions::extraMoneyCalculator(0, true), s, nullptr);
        d.months36 = s.MonthCount;
        d.paid36 = s.TotalPaid;
    }
    if (d.minimumRan)
        d.saved36 = RoundToCents(RoundToCents(d.minimumPaid) - RoundToCents(d.paid36));
    return d;
}

// ---- CSV ----------------------------------------------------------------------------

namespace {

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// Splits one line into fields; false on an unterminated quote or text after a
// closing quote.
bool SplitCsvLine(std::string_view line, std::vector<std::string>& fields)
{
    fields.clear();
    std::size_t i = 0;
    for (;;) {
        // Blanks before a field.
        std::size_t start = i;
        while (start < line.size() && (line[start] == ' ' || line[start] == '\t'))
            ++start;
        std::string field;
        if (start < line.size() && line[start] == '"') {
            std::size_t j = start + 1;
            bool closed = false;
            while (j < line.size()) {
                if (line[j] == '"') {
                    if (j + 1 < line.size() && line[j + 1] == '"') {
                        field.push_back('"');
                        j += 2;
                        continue;
                    }
                    closed = true;
                    ++j;
                    break;
                }
                field.push_back(line[j++]);
            }
            if (!closed)
                return false;
            while (j < line.size() && (line[j] == ' ' || line[j] == '\t'))
                ++j;
            if (j < line.size() && line[j] != ',')
                return false;
            fields.push_back(std::move(field));
            if (j >= line.size())
                return true;
            i = j + 1;
        } else {
            const std::size_t comma = line.find(',', i);
            const std::size_t end = comma == std::string_view::npos ? line.size() : comma;
            fields.emplace_back(Trim(line.substr(i, end - i)));
            if (comma == std::string_view::npos)
                return true;
            i = comma + 1;
        }
    }
}

bool SameWord(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char c = a[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != b[i])
            return false;
    }
    return true;
}

} // namespace

PlanFile ParsePlanCsv(std::string_view text)
{
    PlanFile file;
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    static constexpr std::string_view kHeader[4] = {"name", "apr", "balance", "payment"};
    bool headerSeen = false;
    std::int32_t lineNumber = 0;
    std::vector<std::string> fields;
    auto fail = [&](std::string message) {
        file.cards.clear();
        file.errorLine = lineNumber;
        file.error = std::move(message);
        return file;
    };
    while (!text.empty() || lineNumber == 0) {
        ++lineNumber;
        const std::size_t nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        text = nl == std::string_view::npos ? std::string_view{} : text.substr(nl + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (Trim(line).empty()) {
            if (text.empty() && !headerSeen)
                return fail("the header \"name,apr,balance,payment\" is missing");
            continue;
        }
        if (!SplitCsvLine(line, fields))
            return fail("a quoted field is not closed properly");
        if (!headerSeen) {
            if (fields.size() != 4 || !SameWord(Trim(fields[0]), kHeader[0]) || !SameWord(Trim(fields[1]), kHeader[1]) ||
                !SameWord(Trim(fields[2]), kHeader[2]) || !SameWord(Trim(fields[3]), kHeader[3]))
                return fail("the header must be \"name,apr,balance,payment\"");
            headerSeen = true;
            continue;
        }
        if (fields.size() != 4)
            return fail("expected 4 fields (name,apr,balance,payment), found " + std::to_string(fields.size()));
        if (file.cards.size() == kMostPlanCards)
            return fail("a plan takes at most " + std::to_string(kMostPlanCards) + " cards");
        PlanFileCard c;
        c.name = fields[0];
        if (Trim(c.name).empty())
            c.name = "Card " + std::to_string(file.cards.size() + 1);
        const BoxReading apr = ReadAmountBox(fields[1], AmountBox::Apr);
        c.card.apr = apr.value;
        c.information = apr.information;
        c.card.balance = ReadAmountBox(fields[2], AmountBox::Balance).value;
        c.card.payment = ReadAmountBox(fields[3], AmountBox::Payment).value;
        file.cards.push_back(std::move(c));
    }
    if (!headerSeen)
        return fail("the header \"name,apr,balance,payment\" is missing");
    return file;
}

std::string CsvField(std::string_view text)
{
    const bool quote = text.find_first_of(",\"\r\n") != std::string_view::npos ||
                       (!text.empty() && (text.front() == ' ' || text.back() == ' ' || text.front() == '\t' ||
                                          text.back() == '\t'));
    if (!quote)
        return std::string(text);
    std::string out = "\"";
    for (char c : text) {
        if (c == '"')
            out.push_back('"');
        out.push_back(c);
    }
    out.push_back('"');
    return out;
}

std::string SpreadsheetText(std::string_view text)
{
    // A spreadsheet opening the schedule would take a cell that starts with one
    // of these as a formula; a leading apostrophe keeps it plain text.
    if (!text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos)
        return "'" + std::string(text);
    return std::string(text);
}

void AppendScheduleCsv(std::string& out, const SnowballPlan& plan, std::span<const std::string> names)
{
    out += "month,card,payment,interest,balance\n";
    for (const SnowballRow& r : plan.schedule) {
        out += std::to_string(r.month);
        out += ',';
        const auto card = static_cast<std::size_t>(r.card);
        out += CsvField(SpreadsheetText(card < names.size() ? std::string_view(names[card]) : std::string_view{}));
        out += ',';
        out += PlainTwoDecimals(r.payment);
        out += ',';
        out += PlainTwoDecimals(r.interest);
        out += ',';
        out += PlainTwoDecimals(r.balance);
        out += '\n';
    }
}

} // namespace quenmark
