// Keeping the user's cards between runs: a small JSON file in the user's data
// folder, written atomically. Nothing leaves the machine.
#pragma once

#include <QList>
#include <QString>

#include "core/Planner.h"

namespace quenmark {

struct StoredCard
{
    QString name;
    double apr = 0;
    double balance = 0;
    double payment = 0;
    bool operator==(const StoredCard&) const = default;
};

struct StoredPlan
{
    QList<StoredCard> cards;
    double pledge = 0;
    PlanOrder order = PlanOrder::HighestApr;
    bool operator==(const StoredPlan&) const = default;
};

class CardStore
{
public:
    // The version this program writes; files of a higher version are newer.
    static constexpr int kFormat = 1;
    // Files larger than this are not read (no one has that many cards).
    static constexpr qint64 kLargestFile = 16 * 1024 * 1024;

    enum class Status {
        NoFile,  // nothing saved yet: start empty
        Loaded,  // read back
        Damaged, // unreadable: kept aside, start empty
        Newer    // from a newer version: kept aside, start empty
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

    // Reads the file; a damaged or newer file is renamed aside (never
    // overwritten later) and the result starts empty with a message.
    Loaded load();
    // Writes the whole plan atomically (a crash leaves the old file); false with
    // `error` when it cannot be written, or when a damaged file that load()
    // could not move aside is still in the way (it is never overwritten).
    bool save(const StoredPlan& plan, QString* error = nullptr) const;

    static QByteArray toJson(const StoredPlan& plan);
    // False with `why` when `json` is not a plan this program can read;
    // `newer` tells a file of a higher version apart.
    static bool fromJson(const QByteArray& json, StoredPlan& plan, QString* why, bool* newer);

private:
    QString keepAside(const char* kind) const;

    QString m_path;
    bool m_damagedInTheWay = false;
};

} // namespace quenmark
