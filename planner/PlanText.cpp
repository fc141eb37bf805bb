#include "planner/PlanText.h"

#include <QLocale>

#include "core/Limits.h"
#include "core/MoneyText.h"

namespace quenmark {

QString PlanText::money(std::int64_t cents)
{
    return QLatin1Char('$') + QString::fromStdString(CentsToText(cents));
}

QString PlanText::money(double dollars)
{
    return QLatin1Char('$') + QString::fromStdString(AmountToText(dollars));
}

QString PlanText::months(int months)
{
    return months == 1 ? tr("1 month") : tr("%1 months").arg(months);
}

QString PlanText::duration(int months)
{
    const int years = months / 12, rest = months % 12;
    if (years == 0)
        return PlanText::months(rest);
    const QString y = years == 1 ? tr("1 year") : tr("%1 years").arg(years);
    return rest == 0 ? y : y + QLatin1Char(' ') + PlanText::months(rest);
}

QString PlanText::planYears()
{
    return tr("%1 years").arg(kPlanYears);
}

QString PlanText::month(const QDate& firstMonth, int month, bool longName)
{
    const QDate d = firstMonth.addMonths(month - 1);
    return QLocale::c().toString(d, longName ? QStringLiteral("MMMM yyyy") : QStringLiteral("MMM yyyy"));
}

QString PlanText::monthAndDate(const QDate& firstMonth, int month)
{
    return tr("Month %1 (%2)").arg(QString::number(month), PlanText::month(firstMonth, month));
}

QString PlanText::refusal(const QString& text, PlanInputError error, PlanValue kind)
{
    // The text quoted as typed, shortened when long.
    QString quoted = text.trimmed();
    if (quoted.size() > 24)
        quoted = quoted.left(20) + QChar(0x2026);
    const std::string_view phrase = PlanInputErrorText(error, kind);
    const QString why = QString::fromUtf8(phrase.data(), static_cast<qsizetype>(phrase.size()));
    const QString accepted = kind == PlanValue::Apr     ? tr("Type an APR from 0 to 99.99, such as 19.9 or 19.9%.")
                             : kind == PlanValue::Count ? tr("Type a whole number of months, such as 12.")
                             : kind == PlanValue::Percent
                                 ? tr("Type a percentage from 0 to 100, such as 2 or 1.5.")
                                 : tr("Type an amount such as 1234.56, 1,234.56 or $1,234.56.");
    return tr("\u201c%1\u201d %2. %3").arg(quoted, why, accepted);
}

} // namespace quenmark
