#include "planner/CardsCsv.h"

#include <QCoreApplication>
#include <QDir>

#include "common/Platform.h"
#include "core/PlanCsv.h"
#include "planner/PlanInputs.h"
#include "planner/SafeFile.h"

namespace quenmark {

namespace {

QString T(const char* text)
{
    return QCoreApplication::translate("quenmark::CardsCsv", text);
}

// What a column holds, for the words of a refusal.
PlanValue KindOf(const std::string& column)
{
    if (column == "apr" || column == "promo_apr")
        return PlanValue::Apr;
    if (column == "min_percent")
        return PlanValue::Percent;
    if (column == "promo_months")
        return PlanValue::Count;
    return PlanValue::Money;
}

QString Where(const PlanFile& file)
{
    const QString column = QString::fromStdString(file.errorColumn);
    return column.isEmpty() || column.contains(QLatin1Char(','))
               ? T("Line %1").arg(file.errorLine)
               : T("Line %1, column %2").arg(file.errorLine).arg(column);
}

QString Words(const PlanFile& file)
{
    const QString where = Where(file);
    const QString columns = QString::fromStdString(file.errorColumn).replace(QLatin1Char(','), QStringLiteral(", "));
    switch (file.problem) {
    case PlanFileProblem::None:
        break;
    case PlanFileProblem::NoHeader:
        return T("The file has no header: its first line must name the columns, such as name,apr,balance,payment.");
    case PlanFileProblem::UnknownColumns:
        return T("%1: the header names columns this program does not know (%2). It knows name, apr, balance, "
                 "payment, promo_apr, promo_months, min_percent, min_floor and min_plus_interest.")
            .arg(T("Line %1").arg(file.errorLine), columns.isEmpty() ? T("more than 32 columns") : columns);
    case PlanFileProblem::MissingColumns:
        return T("%1: the header lacks the columns %2 (name, apr, balance and payment are needed).")
            .arg(T("Line %1").arg(file.errorLine), columns);
    case PlanFileProblem::RepeatedColumn:
        return T("%1: the column is named twice.").arg(where);
    case PlanFileProblem::PromoHalf:
        return T("%1: promo_apr and promo_months are given together or not at all.").arg(where);
    case PlanFileProblem::BadQuote:
        return T("%1: a quoted field is not closed properly.").arg(where);
    case PlanFileProblem::TooManyFields:
        return T("%1 has more fields than the header (an amount with commas needs quotes: \"$1,234.56\").")
            .arg(where);
    case PlanFileProblem::TooFewFields:
        return T("%1 has fewer fields than the header.").arg(where);
    case PlanFileProblem::NameTooLong:
        return T("%1: the name is longer than %2 characters.").arg(where).arg(kLongestCardName);
    case PlanFileProblem::BadValue:
        if (file.errorColumn == "min_plus_interest")
            return T("%1: type yes or no (or 1 or 0).").arg(where);
        return T("%1: %2").arg(where, RefusalText(file.valueError, KindOf(file.errorColumn)));
    case PlanFileProblem::PaymentNeeded:
        return T("%1: the payment is empty; only a card with min_percent or min_floor may leave it empty.")
            .arg(where);
    case PlanFileProblem::PlusWithoutRule:
        return T("%1: a minimum plus interest needs min_percent or min_floor.").arg(where);
    case PlanFileProblem::TooManyCards:
        return T("%1: a plan takes at most %2 cards.").arg(where).arg(kMostPlanCards);
    }
    return QString::fromStdString(file.error);
}

} // namespace

CardsFromCsv ReadCardsCsv(QByteArrayView text)
{
    CardsFromCsv out;
    const PlanFile file = ParsePlanCsv(std::string_view(text.data(), static_cast<std::size_t>(text.size())));
    if (file.errorLine != 0 || file.problem != PlanFileProblem::None) {
        out.error = Words(file);
        out.line = file.errorLine;
        out.column = QString::fromStdString(file.errorColumn);
        return out;
    }
    if (file.cards.empty()) {
        out.error = T("The file holds no cards, only its header.");
        return out;
    }
    out.ok = true;
    for (const PlanFileCard& c : file.cards)
        out.cards.append(ToStoredCard(c.card, QString::fromStdString(PrintableText(c.name))));
    return out;
}

CardsFromCsv ImportCardsCsv(const QString& path)
{
    QByteArray bytes;
    QString why;
    const QString file = QDir::toNativeSeparators(path);
    CardsFromCsv out;
    switch (ReadRegularFile(path, kLargestCardsCsv, bytes, &why)) {
    case ReadStatus::Read:
        return ReadCardsCsv(bytes);
    case ReadStatus::Missing:
        out.error = T("%1 does not exist.").arg(file);
        break;
    case ReadStatus::NotRegular:
        out.error = T("%1 is not an ordinary file.").arg(file);
        break;
    case ReadStatus::TooLarge:
        out.error = T("%1 is larger than %2 MB: no list of cards is that long.").arg(file).arg(kLargestCardsCsv >> 20);
        break;
    case ReadStatus::Failed:
        out.error = T("%1 could not be read: %2.").arg(file, why);
        break;
    }
    return out;
}

QByteArray CardsCsvText(const QList<StoredCard>& cards)
{
    std::vector<PlanFileCard> file;
    file.reserve(static_cast<std::size_t>(cards.size()));
    int number = 0;
    for (const StoredCard& c : cards) {
        ++number;
        const QString name = c.name.trimmed().isEmpty() ? T("Card %1").arg(number) : c.name;
        file.push_back({name.toStdString(), ToPlanCard(c)});
    }
    std::string text;
    AppendPlanCsv(text, file);
    return QByteArray::fromStdString(text);
}

bool ExportCardsCsv(const QString& path, const QList<StoredCard>& cards, QString* error)
{
    return WriteFileSafely(path, CardsCsvText(cards), error);
}

ImportChoice AskAddOrReplace(QWidget* parent, int imported, int existing)
{
    if (existing == 0)
        return ImportChoice::Replace;
    const QString holds = imported == 1 ? T("The file holds 1 card.") : T("The file holds %1 cards.").arg(imported);
    const QString yours = existing == 1 ? T("your card") : T("your %1 cards").arg(existing);
    const QString text =
        holds + QLatin1Char(' ') +
        T("Add them to %1, or replace your cards with them? Either can be undone.").arg(yours);
    const int answer =
        platform().question(parent, text, {T("Add to My Cards"), T("Replace My Cards"), T("Cancel")});
    return answer == 0 ? ImportChoice::Add : answer == 1 ? ImportChoice::Replace : ImportChoice::Cancel;
}

bool CombineImported(const QList<StoredCard>& existing, const QList<StoredCard>& imported, ImportChoice choice,
                     QList<StoredCard>& result, QString* why)
{
    switch (choice) {
    case ImportChoice::Replace:
        result = imported;
        return true;
    case ImportChoice::Add:
        if (static_cast<std::size_t>(existing.size() + imported.size()) > kMostPlanCards) {
            if (why)
                *why = T("Adding %1 cards to your %2 would make more than %3: replace your cards with them, or "
                         "remove some first.")
                           .arg(imported.size())
                           .arg(existing.size())
                           .arg(kMostPlanCards);
            return false;
        }
        result = existing + imported;
        return true;
    case ImportChoice::Cancel:
        break;
    }
    return false;
}

ImportOutcome ImportCards(QWidget* parent, const QString& path, const QList<StoredCard>& existing,
                          QList<StoredCard>& result, QString* error)
{
    const CardsFromCsv read = ImportCardsCsv(path);
    if (!read.ok) {
        if (error)
            *error = read.error;
        return ImportOutcome::Failed;
    }
    const ImportChoice choice =
        AskAddOrReplace(parent, static_cast<int>(read.cards.size()), static_cast<int>(existing.size()));
    if (choice == ImportChoice::Cancel)
        return ImportOutcome::Cancelled;
    return CombineImported(existing, read.cards, choice, result, error) ? ImportOutcome::Imported
                                                                        : ImportOutcome::Failed;
}

} // namespace quenmark
