// Keeping the user's cards between runs: a small JSON file in the user's data
// folder, written whole or not at all (planner/SafeFile). Nothing leaves the
// machine. A save first checks that the file is still the one this store read
// or wrote last: what another program wrote there is never overwritten unasked.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QStringList>
#include <QString>
#include <optional>
#include <vector>

#include "core/PlanDate.h"
#include "core/Planner.h"

namespace quenmark {

// One card as the window keeps it: amounts in dollars, rates in percent, each
// a whole number of cents (hundredths). planner/PlanInputs.h turns it into the
// plan's card and back, exactly.
struct StoredCard
{
    QString name;
    double apr = 0;
    double balance = 0;
    double payment = 0;
    // A promotional APR for months 1 .. promoMonths (0 months: no promotion).
    double promoApr = 0;
    int promoMonths = 0;
    // The minimum rule: the card's payment is at least the greater of minFloor
    // and minPercent % of the balance after the month's interest (plus that
    // interest when minPlusInterest). Without a rule the payment is fixed.
    bool hasMinimum = false;
    double minPercent = 0;
    double minFloor = 0;
    bool minPlusInterest = false;
    bool operator==(const StoredCard&) const = default;
};

struct StoredPlan
{
    QList<StoredCard> cards;
    double pledge = 0;
    PlanOrder order = PlanOrder::HighestApr;
    // The calendar month of month 1; none: the month after the day My Cards opens.
    std::optional<CalendarMonth> start;
    // From a month on the pledge is another amount (cents), in the order given
    // (of two for one month the later counts; the changes editor keeps one a
    // month, in month order).
    std::vector<PledgeStep> pledgeSteps;
    // Sums added once to a month's money (cents).
    std::vector<OneOffSum> oneOffs;
    bool operator==(const StoredPlan&) const = default;
};

class CardStore
{
public:
    // The version this program writes; files of a higher version are newer.
    // Format 1 (cards with a fixed payment, the pledge, the order) is still read.
    static constexpr int kFormat = 2;
    // The most pledge changes, and the most one-off sums, a file holds.
    static constexpr int kMostChanges = kSnowballMonthLimit;
    // The most promotional months a card keeps (as many as a plan file takes).
    static constexpr int kMostPromoMonths = 10 * kSnowballMonthLimit;
    // Files larger than this are not read (no one has that many cards).
    static constexpr qint64 kLargestFile = 16 * 1024 * 1024;

    enum class Status {
        NoFile,  // nothing saved yet: start empty
        Loaded,  // read back
        Damaged, // unreadable, or not an ordinary file: kept aside, start empty
        Newer    // from a newer version: kept aside, start empty
    };

    enum class SaveResult {
        Saved,
        Failed,          // nothing written (`error` says why); the old file is untouched
        ChangedElsewhere // another program changed the file since it was read: nothing written
    };

    struct Loaded
    {
        Status status = Status::NoFile;
        StoredPlan plan;
        QString keptAs;  // where a damaged or newer file was moved
        QString message; // what to tell the user (empty when all went well)
    };

    // `path` empty: cards.json in the user's data folder (AppDataLocation).
    explicit CardStore(QString path = {});
    static QString defaultPath();
    const QString& path() const { return m_path; }

    // Reads the file (only an ordinary file, of at most kLargestFile bytes);
    // a damaged or newer file, or anything else in its place, is renamed aside
    // (never overwritten later) and the result starts empty with a message.
    Loaded load();
    // Writes the whole plan atomically and checked (a crash or a full disk
    // leaves the old file). Failed with `error` when it cannot be written, or
    // when a damaged file that load() could not move aside is still in the way
    // (it is never overwritten). ChangedElsewhere when the file is no longer
    // what this store last read or wrote (a store that has not read the file
    // yet writes without asking).
    SaveResult save(const StoredPlan& plan, QString* error = nullptr);
    // After ChangedElsewhere, keeping this plan: the other program's file is
    // moved aside (`keptAs`) and the plan is saved in its place.
    SaveResult saveKeepingTheirsAside(const StoredPlan& plan, QString* keptAs, QString* error = nullptr);

    // Removes the temporary files of earlier saves that were cut short (a
    // killed program) and were last written before `before`.
    static QStringList removeLeftovers(const QString& path, const QDateTime& before);

    static QByteArray toJson(const StoredPlan& plan);
    // False with `why` when `json` is not a plan this program can read;
    // `newer` tells a file of a higher version apart.
    static bool fromJson(const QByteArray& json, StoredPlan& plan, QString* why, bool* newer);

private:
    // Moves the file aside under a new name; empty when it could be neither
    // moved nor copied.
    QString keepAside(const char* kind);

    QString m_path;
    bool m_damagedInTheWay = false;
    bool m_known = false;  // the file's state was seen by load() or save()
    QByteArray m_expected; // what the file was then (empty: no file)
};

} // namespace quenmark
