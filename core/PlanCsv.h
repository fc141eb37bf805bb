// Plan files and schedules as CSV text, and names made safe to show. Pure
// functions, no I/O: callers read and write the files.
//
// A plan file: a header naming the columns, then one card a line.
//   name,apr,balance,payment                       required, in any order
//   promo_apr,promo_months                         optional, both or neither
//   min_percent,min_floor,min_plus_interest        optional
// Values are read with the planner's strict reader (core/PlanInput.h): apr
// and promo_apr as rates up to 99.99, balance, payment and min_floor as
// amounts, min_percent as a percent up to 100, promo_months as whole months,
// min_plus_interest as yes/no or 1/0 (empty: no). A card has a minimum rule
// when its min_percent or min_floor is given (the other one empty counts as 0);
// only then may its payment be empty (0). A line's promo_apr and promo_months
// are both given or both empty.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/Plan.h"
#include "core/PlanDate.h"
#include "core/PlanInput.h"

namespace quenmark {

struct PlanFileCard
{
    std::string name;
    PlanCard card;
    bool operator==(const PlanFileCard&) const = default;
};

// What is wrong with a plan file.
enum class PlanFileProblem {
    None,
    NoHeader,        // no header line (the file is empty or blank)
    UnknownColumns,  // the header names columns this program does not know (`errorColumn` lists them)
    MissingColumns,  // a required column is missing (`errorColumn` lists them)
    RepeatedColumn,  // a column is named twice
    PromoHalf,       // promo_apr without promo_months or the other way round (header or line)
    BadQuote,        // a quoted field is not closed, or text follows its closing quote
    TooManyFields,   // a line has more fields than the header
    TooFewFields,    // a line has fewer fields than the header
    NameTooLong,     // a name longer than kLongestCardName characters
    BadValue,        // a value the strict reader refuses (`valueError`)
    PaymentNeeded,   // an empty payment on a card without a minimum rule
    PlusWithoutRule, // min_plus_interest yes on a card without min_percent or min_floor
    TooManyCards     // more than kMostPlanCards cards
};

struct PlanFile
{
    std::vector<PlanFileCard> cards;
    std::int32_t errorLine = 0; // 0: the file was read; otherwise the line at fault (1-based)
    PlanFileProblem problem = PlanFileProblem::None;
    std::string errorColumn;    // the column at fault (or the columns, comma-separated)
    PlanInputError valueError = PlanInputError::None;
    std::string error;          // what is wrong, in English ("balance: is negative")
};

// Reads a plan file (any case in the header, blanks around fields, a UTF-8
// byte order mark, Windows line ends and blank lines allowed). Fields may be
// quoted with '"' ("" inside for a quote), so "$2,100.00" can stand in a
// field; a quoted name keeps its blanks. An empty name becomes "Card N" (N the
// card's number in the file); a name starting with an apostrophe followed by
// "=", "+", "-", "@", a tab, a carriage return or another apostrophe loses that
// apostrophe (AppendPlanCsv writes it so spreadsheets show the name as text).
// A line is split only as far as the header's columns: a line with more
// fields is refused without reading the rest. On the first fault the cards
// are dropped and the error names the line (and the column).
PlanFile ParsePlanCsv(std::string_view text);

// Writes cards in the plan-file format: the header names the required columns
// and only the optional ones some card uses (promo_apr,promo_months when a card
// has a promotion; min_percent,min_floor,min_plus_interest when a card has a
// minimum rule). Amounts and rates with two decimals ("19.90", "2100.00"),
// months as whole numbers, yes/no; the optional fields of a card without that
// feature are empty. Names pass through PrintableText and are kept from being
// read as formulas (see ParsePlanCsv), so ParsePlanCsv reads back exactly the
// cards written whenever the names have no control characters.
void AppendPlanCsv(std::string& out, std::span<const PlanFileCard> cards);

// One CSV field: quoted (with "" for a quote) when it holds a comma, a quote,
// a line break, or blanks at either end.
std::string CsvField(std::string_view text);

// `text` as a spreadsheet cell that is never a formula: a text starting with
// "=", "+", "-", "@", a tab or a carriage return gets a leading apostrophe.
std::string SpreadsheetText(std::string_view text);

// `text` safe to print on a terminal or write to a file: each control
// character (C0, DEL, C1), each character that reorders text on screen (the
// bidirectional embeddings, overrides and isolates) and each byte that is not
// part of valid UTF-8 becomes U+FFFD; everything else is kept.
std::string PrintableText(std::string_view text);

// "month,card,payment,interest,balance" and one line per row of the plan's
// schedule: the card's name (PrintableText, never a formula) and plain
// two-decimal amounts. With `start` each line ends with the row's calendar
// month, a last column "date" ("2009-07"). `names` by given index.
void AppendScheduleCsv(std::string& out, const PlanResult& plan, std::span<const std::string> names,
                       std::optional<CalendarMonth> start = std::nullopt);

// The same text a piece at a time, so that a long schedule is written out
// without holding all of its text: the header, then rows [first, first +
// count) of plan.schedule. Keeps references to `plan` (not copied).
class ScheduleCsv
{
public:
    ScheduleCsv(const PlanResult& plan, std::span<const std::string> names,
                std::optional<CalendarMonth> start = std::nullopt);
    void appendHeader(std::string& out) const;
    // Appends the rows from `first` on, at most `count` of them; returns the
    // index after the last row appended (plan.schedule.size() at the end).
    std::size_t appendRows(std::string& out, std::size_t first, std::size_t count) const;

private:
    const PlanResult& m_plan;
    std::vector<std::string> m_written; // each name once, as it is written
    std::optional<CalendarMonth> m_start;
};

} // namespace quenmark
