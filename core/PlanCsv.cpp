// Plan files and schedules as CSV text.
#include "core/PlanCsv.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>

#include "core/MoneyText.h"

namespace quenmark {

namespace {

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

enum Column { Name, Apr, Balance, Payment, PromoApr, PromoMonths, MinPercent, MinFloor, MinPlusInterest, ColumnCount };
constexpr std::array<std::string_view, ColumnCount> kColumnNames = {
    "name", "apr", "balance", "payment", "promo_apr", "promo_months", "min_percent", "min_floor", "min_plus_interest"};

// A header names at most this many columns (every known one, with room for
// a few unknown ones to be named in the message).
constexpr std::size_t kMostHeaderFields = 32;
// The most promotional months a card takes (far beyond any plan).
constexpr std::int64_t kMostPromoMonths = 10 * kSnowballMonthLimit;
// Unknown columns named in a message at most.
constexpr std::size_t kUnknownNamed = 5;

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

enum class Split { Done, BadQuote, TooMany };

// Splits one line into at most `most` fields (reusing `fields`' strings).
// Unquoted fields are trimmed; quoted ones keep their blanks. TooMany as soon
// as a separator follows the last field allowed: the rest is not looked at.
Split SplitCsvLine(std::string_view line, std::size_t most, std::vector<std::string>& fields, std::size_t& count)
{
    count = 0;
    std::size_t i = 0;
    for (;;) {
        if (count == most)
            return Split::TooMany;
        if (fields.size() <= count)
            fields.emplace_back();
        std::string& field = fields[count];
        field.clear();
        std::size_t start = i;
        while (start < line.size() && (line[start] == ' ' || line[start] == '\t'))
            ++start;
        if (start < line.size() && line[start] == '"') {
            std::size_t j = start + 1;
            bool closed = false;
            while (j < line.size()) {
                const std::size_t quote = line.find('"', j);
                if (quote == std::string_view::npos) {
                    j = line.size();
                    break;
                }
                field.append(line.substr(j, quote - j));
                if (quote + 1 < line.size() && line[quote + 1] == '"') {
                    field.push_back('"');
                    j = quote + 2;
                    continue;
                }
                closed = true;
                j = quote + 1;
                break;
            }
            if (!closed)
                return Split::BadQuote;
            while (j < line.size() && (line[j] == ' ' || line[j] == '\t'))
                ++j;
            if (j < line.size() && line[j] != ',')
                return Split::BadQuote;
            ++count;
            if (j >= line.size())
                return Split::Done;
            i = j + 1;
        } else {
            const std::size_t comma = line.find(',', i);
            const std::size_t end = comma == std::string_view::npos ? line.size() : comma;
            field.assign(Trim(line.substr(i, end - i)));
            ++count;
            if (comma == std::string_view::npos)
                return Split::Done;
            i = comma + 1;
        }
    }
}

// Characters of UTF-8 text (bytes that do not continue a character).
std::size_t Characters(std::string_view s)
{
    return static_cast<std::size_t>(std::count_if(s.begin(), s.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// A name's first character a spreadsheet would take as the start of a formula.
bool FormulaStart(char c)
{
    return std::string_view("=+-@\t\r").find(c) != std::string_view::npos;
}

std::string AprText(std::int32_t hundredths)
{
    return PlainCents(hundredths);
}

} // namespace

namespace {

using Columns = std::array<int, ColumnCount>; // field index of each column, -1 when absent

// Why a plan file is refused, before the line number is known.
struct Refusal
{
    Refusal(PlanFileProblem problem_, std::string message_, std::string column_ = {},
            PlanInputError valueError_ = PlanInputError::None)
        : problem(problem_), message(std::move(message_)), column(std::move(column_)), valueError(valueError_)
    {
    }
    PlanFileProblem problem;
    std::string message;
    std::string column;
    PlanInputError valueError;
};

// The header's column names: every one known, none twice, the four required
// ones there and a promotion's two columns together.
std::optional<Refusal> ReadHeader(std::span<const std::string> names, Columns& at)
{
    std::string unknown;
    std::size_t unknownCount = 0;
    for (std::size_t f = 0; f < names.size(); ++f) {
        const std::string_view name = Trim(names[f]);
        std::size_t c = 0;
        while (c < ColumnCount && !SameWord(name, kColumnNames[c]))
            ++c;
        if (c == ColumnCount) {
            if (++unknownCount <= kUnknownNamed)
                unknown += (unknown.empty() ? "" : ",") + PrintableText(name.substr(0, 40));
            continue;
        }
        if (at[c] >= 0)
            return Refusal{PlanFileProblem::RepeatedColumn,
                           "the column " + std::string(kColumnNames[c]) + " is named twice",
                           std::string(kColumnNames[c])};
        at[c] = static_cast<int>(f);
    }
    if (unknownCount > 0)
        return Refusal{PlanFileProblem::UnknownColumns,
                       "unknown column" + std::string(unknownCount > 1 ? "s " : " ") + unknown +
                           (unknownCount > kUnknownNamed ? ",..." : "") +
                           " (known: name,apr,balance,payment,promo_apr,promo_months,min_percent,min_floor,"
                           "min_plus_interest)",
                       unknown};
    std::string missing;
    for (std::size_t c = Name; c <= Payment; ++c)
        if (at[c] < 0)
            missing += (missing.empty() ? "" : ",") + std::string(kColumnNames[c]);
    if (!missing.empty())
        return Refusal{PlanFileProblem::MissingColumns,
                       "the header must name the columns name,apr,balance,payment (missing: " + missing + ")",
                       missing};
    if ((at[PromoApr] < 0) != (at[PromoMonths] < 0))
        return Refusal{PlanFileProblem::PromoHalf, "promo_apr and promo_months come together or not at all",
                       at[PromoApr] < 0 ? "promo_apr" : "promo_months"};
    return std::nullopt;
}

// One card's line, its fields already split; `number` is the card's place in
// the file (for the name of a card without one).
std::optional<Refusal> ReadCard(const std::vector<std::string>& fields, const Columns& at, std::size_t number,
                                PlanFileCard& card)
{
    auto field = [&](Column c) -> std::string_view {
        return at[c] >= 0 ? std::string_view(fields[static_cast<std::size_t>(at[c])]) : std::string_view{};
    };
    std::string_view name = field(Name);
    if (Characters(name) > kLongestCardName)
        return Refusal{PlanFileProblem::NameTooLong,
                       "the name is longer than " + std::to_string(kLongestCardName) + " characters", "name"};
    if (name.size() >= 2 && name.front() == '\'' && (FormulaStart(name[1]) || name[1] == '\''))
        name.remove_prefix(1);
    card.name = Trim(name).empty() ? "Card " + std::to_string(number) : std::string(name);

    // Reads one value; a refusal unless it is sound. Empty is refused unless
    // `emptyAllowed`; `given` tells an empty field apart.
    std::optional<Refusal> refused;
    auto read = [&](Column c, PlanValue kind, std::int64_t& value, bool emptyAllowed, bool& given) {
        given = false;
        if (refused)
            return;
        const PlanReading r = kind == PlanValue::Count ? ReadPlanCount(field(c), kMostPromoMonths)
                                                       : ReadPlanValue(field(c), kind);
        if (r.error == PlanInputError::Empty && emptyAllowed)
            return;
        if (!r.ok()) {
            const std::string column(kColumnNames[c]);
            refused = Refusal{PlanFileProblem::BadValue,
                              column + ": \"" + PrintableText(field(c).substr(0, 40)) + "\" " +
                                  std::string(PlanInputErrorText(r.error, kind)),
                              column, r.error};
            return;
        }
        value = r.value;
        given = true;
    };
    std::int64_t apr = 0, promoApr = 0, promoMonths = 0, percent = 0;
    bool given = false, promoAprGiven = false, promoMonthsGiven = false, percentGiven = false, floorGiven = false,
         paymentGiven = false;
    read(Apr, PlanValue::Apr, apr, false, given);
    read(Balance, PlanValue::Money, card.card.balance, false, given);
    read(Payment, PlanValue::Money, card.card.payment, true, paymentGiven);
    read(PromoApr, PlanValue::Apr, promoApr, true, promoAprGiven);
    read(PromoMonths, PlanValue::Count, promoMonths, true, promoMonthsGiven);
    read(MinPercent, PlanValue::Percent, percent, true, percentGiven);
    read(MinFloor, PlanValue::Money, card.card.minFloor, true, floorGiven);
    if (refused)
        return refused;
    const PlanReading plus = ReadPlanYesNo(field(MinPlusInterest));
    if (!plus.ok())
        return Refusal{PlanFileProblem::BadValue,
                       "min_plus_interest: \"" + PrintableText(field(MinPlusInterest).substr(0, 40)) +
                           "\" is not yes, no, 1 or 0",
                       "min_plus_interest", plus.error};
    if (promoAprGiven != promoMonthsGiven)
        return Refusal{PlanFileProblem::PromoHalf, "promo_apr and promo_months are given together or not at all",
                       promoAprGiven ? "promo_months" : "promo_apr"};
    card.card.apr = static_cast<std::int32_t>(apr);
    card.card.promoApr = static_cast<std::int32_t>(promoApr);
    card.card.promoMonths = static_cast<std::int32_t>(promoMonths);
    card.card.hasMinimum = percentGiven || floorGiven;
    card.card.minPercent = static_cast<std::int32_t>(percent);
    card.card.minPlusInterest = plus.value != 0;
    if (card.card.minPlusInterest && !card.card.hasMinimum)
        return Refusal{PlanFileProblem::PlusWithoutRule, "min_plus_interest needs min_percent or min_floor",
                       "min_plus_interest"};
    if (!paymentGiven && !card.card.hasMinimum)
        return Refusal{PlanFileProblem::PaymentNeeded,
                       "payment: is empty (only a card with min_percent or min_floor may leave it empty)", "payment",
                       PlanInputError::Empty};
    return std::nullopt;
}

} // namespace

PlanFile ParsePlanCsv(std::string_view text)
{
    PlanFile file;
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    Columns at;
    at.fill(-1);
    std::size_t width = 0; // fields of the header
    bool headerSeen = false;
    std::int32_t lineNumber = 0;
    std::vector<std::string> fields;
    std::size_t count = 0;
    auto fail = [&](Refusal refusal) {
        file.cards.clear();
        file.errorLine = lineNumber;
        file.problem = refusal.problem;
        file.errorColumn = std::move(refusal.column);
        file.valueError = refusal.valueError;
        file.error = std::move(refusal.message);
        return file;
    };
    while (!text.empty()) {
        ++lineNumber;
        const std::size_t nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        text = nl == std::string_view::npos ? std::string_view{} : text.substr(nl + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (Trim(line).empty())
            continue;

        // The header's fields are split up to a few more than there are
        // columns; a card's up to one more than the header has.
        const Split split = SplitCsvLine(line, headerSeen ? width : kMostHeaderFields, fields, count);
        if (split == Split::BadQuote)
            return fail({PlanFileProblem::BadQuote, "a quoted field is not closed properly"});
        if (!headerSeen) {
            if (split == Split::TooMany)
                return fail({PlanFileProblem::UnknownColumns,
                             "the header has more than " + std::to_string(kMostHeaderFields) + " columns"});
            if (std::optional<Refusal> refused = ReadHeader(std::span(fields.data(), count), at))
                return fail(std::move(*refused));
            width = count;
            headerSeen = true;
            continue;
        }
        if (split == Split::TooMany)
            return fail({PlanFileProblem::TooManyFields,
                         "more fields than the header's " + std::to_string(width) + " (a comma in an amount needs "
                         "quotes: \"$1,234.56\")"});
        if (count != width)
            return fail({PlanFileProblem::TooFewFields, "expected " + std::to_string(width) +
                                                            " fields as in the header, found " + std::to_string(count)});
        if (file.cards.size() == kMostPlanCards)
            return fail({PlanFileProblem::TooManyCards,
                         "a plan takes at most " + std::to_string(kMostPlanCards) + " cards"});
        PlanFileCard card;
        if (std::optional<Refusal> refused = ReadCard(fields, at, file.cards.size() + 1, card))
            return fail(std::move(*refused));
        file.cards.push_back(std::move(card));
    }
    if (!headerSeen) {
        lineNumber = std::max<std::int32_t>(lineNumber, 1);
        return fail({PlanFileProblem::NoHeader, "the header \"name,apr,balance,payment\" is missing"});
    }
    return file;
}

void AppendPlanCsv(std::string& out, std::span<const PlanFileCard> cards)
{
    const bool promo = std::any_of(cards.begin(), cards.end(), [](const PlanFileCard& c) {
        return c.card.promoMonths != 0 || c.card.promoApr != 0;
    });
    const bool minimum = std::any_of(cards.begin(), cards.end(), [](const PlanFileCard& c) { return c.card.hasMinimum; });
    out += "name,apr,balance,payment";
    if (promo)
        out += ",promo_apr,promo_months";
    if (minimum)
        out += ",min_percent,min_floor,min_plus_interest";
    out += '\n';
    for (const PlanFileCard& c : cards) {
        std::string name = PrintableText(c.name);
        if (!name.empty() && (FormulaStart(name.front()) || name.front() == '\''))
            name.insert(name.begin(), '\'');
        out += CsvField(name);
        out += ',';
        out += AprText(c.card.apr);
        out += ',';
        out += PlainCents(c.card.balance);
        out += ',';
        out += PlainCents(c.card.payment);
        if (promo) {
            out += ',';
            if (c.card.promoMonths != 0 || c.card.promoApr != 0) {
                out += AprText(c.card.promoApr);
                out += ',';
                out += std::to_string(c.card.promoMonths);
            } else {
                out += ',';
            }
        }
        if (minimum) {
            out += ',';
            if (c.card.hasMinimum) {
                out += AprText(c.card.minPercent);
                out += ',';
                out += PlainCents(c.card.minFloor);
                out += ',';
                out += c.card.minPlusInterest ? "yes" : "no";
            } else {
                out += ",,";
            }
        }
        out += '\n';
    }
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
    if (!text.empty() && FormulaStart(text.front()))
        return "'" + std::string(text);
    return std::string(text);
}

std::string PrintableText(std::string_view text)
{
    static constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b < 0x80) {
            if (b < 0x20 || b == 0x7F)
                out += kReplacement;
            else
                out.push_back(static_cast<char>(b));
            ++i;
            continue;
        }
        // A UTF-8 sequence: its length, the least code point of that length.
        const std::size_t length = b >= 0xF0 && b <= 0xF4 ? 4 : b >= 0xE0 && b <= 0xEF ? 3 : b >= 0xC2 && b <= 0xDF ? 2 : 0;
        char32_t cp = length == 4 ? b & 0x07 : length == 3 ? b & 0x0F : b & 0x1F;
        bool valid = length > 0 && i + length <= text.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            const auto c = static_cast<unsigned char>(text[i + k]);
            valid = (c & 0xC0) == 0x80;
            cp = (cp << 6) | (c & 0x3F);
        }
        const char32_t least = length == 4 ? 0x10000 : length == 3 ? 0x800 : 0x80;
        valid = valid && cp >= least && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
        if (!valid) {
            out += kReplacement;
            ++i;
            continue;
        }
        const bool control = cp <= 0x9F;                                  // C1
        const bool reorders = (cp >= 0x202A && cp <= 0x202E) || (cp >= 0x2066 && cp <= 0x2069);
        if (control || reorders)
            out += kReplacement;
        else
            out.append(text.substr(i, length));
        i += length;
    }
    return out;
}

ScheduleCsv::ScheduleCsv(const PlanResult& plan, std::span<const std::string> names,
                         std::optional<CalendarMonth> start)
    : m_plan(plan), m_written(names.size()), m_start(start)
{
    for (std::size_t i = 0; i < names.size(); ++i)
        m_written[i] = CsvField(SpreadsheetText(PrintableText(names[i])));
}

void ScheduleCsv::appendHeader(std::string& out) const
{
    out += m_start ? "month,card,payment,interest,balance,date\n" : "month,card,payment,interest,balance\n";
}

std::size_t ScheduleCsv::appendRows(std::string& out, std::size_t first, std::size_t count) const
{
    const std::span<const PlanRow> rows = m_plan.schedule.rows();
    const std::size_t end = first >= rows.size() ? rows.size() : first + std::min(count, rows.size() - first);
    std::string date;
    std::int32_t dateMonth = 0;
    for (std::size_t i = std::min(first, end); i < end; ++i) {
        const PlanRow& r = rows[i];
        out += std::to_string(r.month);
        out += ',';
        const auto card = static_cast<std::size_t>(r.card);
        if (card < m_written.size())
            out += m_written[card];
        out += ',';
        out += PlainCents(r.payment);
        out += ',';
        out += PlainCents(r.interest);
        out += ',';
        out += PlainCents(r.balance);
        if (m_start) {
            if (r.month != dateMonth) {
                dateMonth = r.month;
                date = MonthText(PlanCalendarMonth(*m_start, r.month));
            }
            out += ',';
            out += date;
        }
        out += '\n';
    }
    return end;
}

void AppendScheduleCsv(std::string& out, const PlanResult& plan, std::span<const std::string> names,
                       std::optional<CalendarMonth> start)
{
    const ScheduleCsv csv(plan, names, start);
    csv.appendHeader(out);
    csv.appendRows(out, 0, plan.schedule.size());
}

} // namespace quenmark
