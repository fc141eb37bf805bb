#include "planner/PlanInputs.h"

#include <QCoreApplication>
#include <QLocale>
#include <algorithm>

#include "core/MoneyText.h"
#include "core/Payoff.h"

namespace quenmark {

namespace {

QString T(const char* text)
{
    return QCoreApplication::translate("quenmark::PlanInputs", text);
}

std::int64_t Cents(double dollars)
{
    return std::clamp<std::int64_t>(ToCents(dollars), 0, kLargestCents);
}

std::int32_t Hundredths(double percent, std::int32_t highest)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(ToCents(percent), 0, highest));
}

} // namespace

PlanCard ToPlanCard(const StoredCard& card)
{
    PlanCard c;
    c.apr = Hundredths(card.apr, kPlanHighestAprHundredths);
    c.balance = Cents(card.balance);
    c.payment = Cents(card.payment);
    if (card.promoMonths > 0) {
        c.promoApr = Hundredths(card.promoApr, kPlanHighestAprHundredths);
        c.promoMonths = std::min(card.promoMonths, CardStore::kMostPromoMonths);
    }
    if (card.hasMinimum) {
        c.hasMinimum = true;
        c.minPercent = Hundredths(card.minPercent, 10000);
        c.minFloor = Cents(card.minFloor);
        c.minPlusInterest = card.minPlusInterest;
    }
    return c;
}

std::vector<PlanCard> ToPlanCards(const QList<StoredCard>& cards)
{
    std::vector<PlanCard> out;
    out.reserve(static_cast<std::size_t>(cards.size()));
    for (const StoredCard& c : cards)
        out.push_back(ToPlanCard(c));
    return out;
}

StoredCard ToStoredCard(const PlanCard& card, const QString& name)
{
    StoredCard c;
    c.name = name;
    c.apr = FromCents(card.apr);
    c.balance = FromCents(card.balance);
    c.payment = FromCents(card.payment);
    if (card.promoMonths > 0) {
        c.promoApr = FromCents(card.promoApr);
        c.promoMonths = card.promoMonths;
    }
    if (card.hasMinimum) {
        c.hasMinimum = true;
        c.minPercent = FromCents(card.minPercent);
        c.minFloor = FromCents(card.minFloor);
        c.minPlusInterest = card.minPlusInterest;
    }
    return c;
}

PlanBudget ToPlanBudget(const StoredPlan& plan)
{
    PlanBudget b;
    b.pledge = Cents(plan.pledge);
    b.steps = plan.pledgeSteps;
    b.oneOffs = plan.oneOffs;
    return b;
}

PlanInputs ToPlanInputs(const StoredPlan& plan, CalendarMonth start)
{
    PlanInputs in;
    in.cards = ToPlanCards(plan.cards);
    in.budget = ToPlanBudget(plan);
    in.order = plan.order;
    in.start = start;
    return in;
}

PlanChanges ChangesOf(const StoredPlan& plan)
{
    return {plan.pledgeSteps, plan.oneOffs};
}

void SetChanges(StoredPlan& plan, const PlanChanges& changes)
{
    plan.pledgeSteps = changes.steps;
    plan.oneOffs = changes.oneOffs;
}

CalendarMonth ToCalendarMonth(const QDate& day)
{
    return day.isValid() ? CalendarMonth{day.year(), day.month()} : CalendarMonth{};
}

QDate FirstDayOf(CalendarMonth month)
{
    const CalendarMonth m = PlanCalendarMonth(month, 1); // the month brought into 1 .. 12
    return QDate(m.year, m.month, 1);
}

CalendarMonth MonthAfter(const QDate& today)
{
    return PlanCalendarMonth(ToCalendarMonth(today), 2);
}

CalendarMonth StartMonthOf(const StoredPlan& plan, const QDate& today)
{
    return plan.start ? *plan.start : MonthAfter(today);
}

std::int32_t PlanMonthOf(CalendarMonth start, CalendarMonth month)
{
    const std::int64_t months = (std::int64_t{month.year} - start.year) * 12 + (month.month - start.month) + 1;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(months, -kSnowballMonthLimit * 100,
                                                              kSnowballMonthLimit * 100));
}

QString CalendarMonthText(CalendarMonth start, std::int32_t month, bool longName)
{
    return CalendarMonthText(PlanCalendarMonth(start, month), longName);
}

QString CalendarMonthText(CalendarMonth month, bool longName)
{
    const CalendarMonth m = PlanCalendarMonth(month, 1);
    const QLocale c = QLocale::c();
    return (longName ? c.monthName(m.month, QLocale::LongFormat) : c.monthName(m.month, QLocale::ShortFormat)) +
           QLatin1Char(' ') + QString::number(m.year);
}

QString RefusalText(PlanInputError error, PlanValue kind)
{
    switch (kind) {
    case PlanValue::Money:
        switch (error) {
        case PlanInputError::None:
            return {};
        case PlanInputError::Empty:
            return T("Type an amount, such as 1,234.56.");
        case PlanInputError::Malformed:
            return T("Not an amount: type it as 1,234.56, 1234.56 or $1,234.56.");
        case PlanInputError::Negative:
            return T("An amount cannot be negative.");
        case PlanInputError::TooManyDecimals:
            return T("An amount has at most two decimals (the cents).");
        case PlanInputError::TooLarge:
            return T("The largest amount is $999,999,999,999.99.");
        case PlanInputError::TooLong:
            return T("Too long for an amount: type it as 1,234.56.");
        }
        break;
    case PlanValue::Apr:
        switch (error) {
        case PlanInputError::None:
            return {};
        case PlanInputError::Empty:
            return T("Type an APR, such as 19.99.");
        case PlanInputError::Malformed:
            return T("Not an APR: type it as 19.99 or 19.99%.");
        case PlanInputError::Negative:
            return T("An APR cannot be negative.");
        case PlanInputError::TooManyDecimals:
            return T("An APR has at most two decimals.");
        case PlanInputError::TooLarge:
            return T("The highest APR is 99.99%.");
        case PlanInputError::TooLong:
            return T("Too long for an APR: type it as 19.99.");
        }
        break;
    case PlanValue::Percent:
        switch (error) {
        case PlanInputError::None:
            return {};
        case PlanInputError::Empty:
            return T("Type a percentage, such as 2 or 1.5.");
        case PlanInputError::Malformed:
            return T("Not a percentage: type it as 2, 1.5 or 1.5%.");
        case PlanInputError::Negative:
            return T("A percentage cannot be negative.");
        case PlanInputError::TooManyDecimals:
            return T("A percentage has at most two decimals.");
        case PlanInputError::TooLarge:
            return T("The highest percentage is 100.");
        case PlanInputError::TooLong:
            return T("Too long for a percentage: type it as 1.5.");
        }
        break;
    case PlanValue::Count:
        switch (error) {
        case PlanInputError::None:
            return {};
        case PlanInputError::Empty:
            return T("Type a number of months, such as 12.");
        case PlanInputError::Malformed:
        case PlanInputError::TooManyDecimals:
            return T("Not a number of months: type whole months, such as 12.");
        case PlanInputError::Negative:
            return T("A number of months cannot be negative.");
        case PlanInputError::TooLarge:
            return T("Too many months.");
        case PlanInputError::TooLong:
            return T("Too long for a number of months: type it as 12.");
        }
        break;
    }
    return {};
}

BoxReadingStrict ReadBoxStrictly(const QString& text, PlanValue kind, std::int64_t emptyValue)
{
    // Longer text is refused before it is converted at all.
    const PlanReading r = text.size() > static_cast<qsizetype>(kLongestPlanInput)
                              ? PlanReading{PlanInputError::TooLong, 0}
                              : ReadPlanValue(text.toStdString(), kind);
    if (r.error == PlanInputError::Empty && emptyValue >= 0)
        return {true, emptyValue, {}};
    if (!r.ok())
        return {false, 0, RefusalText(r.error, kind)};
    return {true, r.value, {}};
}

QString CentsText(std::int64_t cents)
{
    return QString::fromStdString(CentsToText(cents));
}

} // namespace quenmark
