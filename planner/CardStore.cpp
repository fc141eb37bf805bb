#include "planner/CardStore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QStandardPaths>
#include <algorithm>
#include <cmath>

#include "core/Payoff.h"
#include "core/MoneyText.h"
#include "planner/SafeFile.h"

namespace quenmark {

namespace {

QString T(const char* text)
{
    return QCoreApplication::translate("quenmark::CardStore", text);
}

const char* OrderWord(PlanOrder order)
{
    switch (order) {
    case PlanOrder::HighestApr:
        return "apr";
    case PlanOrder::LowestBalance:
        return "balance";
    case PlanOrder::Given:
        break;
    }
    return "given";
}

// An amount as the boxes keep it: cents, not negative, not above the largest.
double Amount(double x, double highest)
{
    if (!std::isfinite(x) || x < 0)
        return 0;
    return RoundToCents(std::min(x, highest));
}

// A whole number lowest .. highest (a month, a count of months); absent:
// `absent`. With `hold` a number above the highest is held at it.
bool ReadWhole(const QJsonObject& o, const char* key, int lowest, int highest, int absent, int& out,
               bool hold = false)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined()) {
        out = absent;
        return true;
    }
    double x = v.toDouble(-1);
    if (hold)
        x = std::min<double>(x, highest);
    if (!v.isDouble() || x != std::floor(x) || x < lowest || x > highest)
        return false;
    out = static_cast<int>(x);
    return true;
}

bool ReadNumber(const QJsonObject& o, const char* key, double highest, double& out)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined()) {
        out = 0;
        return true;
    }
    if (!v.isDouble())
        return false;
    out = Amount(v.toDouble(), highest);
    return true;
}

// What a file holds, to tell whether another program changed it: the hash of
// an ordinary file's bytes; for anything else its size and time; empty when
// nothing is there.
QByteArray FingerprintOf(const QByteArray& bytes)
{
    return "sha256:" + QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

QByteArray Fingerprint(const QString& path)
{
    QByteArray bytes;
    switch (ReadRegularFile(path, CardStore::kLargestFile, bytes)) {
    case ReadStatus::Missing:
        return {};
    case ReadStatus::Read:
        return FingerprintOf(bytes);
    default:
        break;
    }
    const QFileInfo info(path);
    return "other:" + QByteArray::number(info.size()) + ':' +
           QByteArray::number(info.lastModified().toMSecsSinceEpoch());
}

} // namespace

CardStore::CardStore(QString path)
    : m_path(path.isEmpty() ? defaultPath() : std::move(path))
{
}

QString CardStore::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/cards.json");
}

QByteArray CardStore::toJson(const StoredPlan& plan)
{
    QJsonArray cards;
    for (const StoredCard& c : plan.cards) {
        QJsonObject o;
        o.insert(QStringLiteral("name"), c.name);
        o.insert(QStringLiteral("apr"), c.apr);
        o.insert(QStringLiteral("balance"), c.balance);
        o.insert(QStringLiteral("payment"), c.payment);
        if (c.promoMonths != 0 || c.promoApr != 0) {
            o.insert(QStringLiteral("promo_apr"), c.promoApr);
            o.insert(QStringLiteral("promo_months"), c.promoMonths);
        }
        if (c.hasMinimum) {
            QJsonObject rule;
            rule.insert(QStringLiteral("percent"), c.minPercent);
            rule.insert(QStringLiteral("floor"), c.minFloor);
            rule.insert(QStringLiteral("plus_interest"), c.minPlusInterest);
            o.insert(QStringLiteral("minimum"), rule);
        }
        cards.append(o);
    }
    QJsonObject root;
    root.insert(QStringLiteral("format"), kFormat);
    root.insert(QStringLiteral("pledge"), plan.pledge);
    root.insert(QStringLiteral("order"), QLatin1String(OrderWord(plan.order)));
    if (plan.start)
        root.insert(QStringLiteral("start"), QString::fromStdString(MonthText(*plan.start)));
    if (!plan.pledgeSteps.empty()) {
        QJsonArray steps;
        for (const PledgeStep& step : plan.pledgeSteps)
            steps.append(QJsonObject{{QStringLiteral("from_month"), step.fromMonth},
                                     {QStringLiteral("amount"), FromCents(step.amount)}});
        root.insert(QStringLiteral("pledge_changes"), steps);
    }
    if (!plan.oneOffs.empty()) {
        QJsonArray sums;
        for (const OneOffSum& sum : plan.oneOffs)
            sums.append(QJsonObject{{QStringLiteral("month"), sum.month},
                                    {QStringLiteral("amount"), FromCents(sum.amount)}});
        root.insert(QStringLiteral("one_off_sums"), sums);
    }
    root.insert(QStringLiteral("cards"), cards);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

namespace {

// The start month and the changes over time of a format-2 file; empty when
// they are sound, else why not.
QString ReadStartAndChanges(const QJsonObject& root, StoredPlan& read)
{
    const QJsonValue start = root.value(QStringLiteral("start"));
    if (!start.isUndefined()) {
        CalendarMonth month;
        if (!start.isString() || !ReadMonthText(start.toString().toStdString(), month))
            return T("the start month is not a month such as 2026-07");
        read.start = month;
    }
    // The changes over time: a list of {month, amount}.
    auto readChanges = [&](const char* key, const char* monthKey, auto add) -> QString {
        const QJsonValue list = root.value(QLatin1String(key));
        if (list.isUndefined())
            return {};
        if (!list.isArray())
            return T("its changes over time are not a list");
        if (list.toArray().size() > CardStore::kMostChanges)
            return T("it holds more than %1 changes over time of one kind").arg(CardStore::kMostChanges);
        int number = 0;
        for (const QJsonValue& v : list.toArray()) {
            ++number;
            int month = 0;
            double amount = 0;
            if (!v.isObject() || !ReadWhole(v.toObject(), monthKey, 1, kSnowballMonthLimit, 0, month) ||
                month == 0 || !ReadNumber(v.toObject(), "amount", kLargestAmount, amount))
                return T("change over time %1 is not a month from 1 to %2 with an amount")
                    .arg(number)
                    .arg(kSnowballMonthLimit);
            add(month, ToCents(amount));
        }
        return {};
    };
    QString why = readChanges("pledge_changes", "from_month", [&](int month, std::int64_t cents) {
        read.pledgeSteps.push_back({month, cents});
    });
    if (why.isEmpty())
        why = readChanges("one_off_sums", "month", [&](int month, std::int64_t cents) {
            read.oneOffs.push_back({month, cents});
        });
    return why;
}

// One card of the file; empty when it is sound, else why not.
QString ReadCard(const QJsonValue& v, int number, int version, double highestApr, StoredCard& c)
{
    if (!v.isObject())
        return T("card %1 is not a card").arg(number);
    const QJsonObject o = v.toObject();
    const QJsonValue name = o.value(QStringLiteral("name"));
    if (!name.isUndefined() && !name.isString())
        return T("card %1 has no proper name").arg(number);
    c.name = name.toString();
    if (!ReadNumber(o, "apr", highestApr, c.apr) || !ReadNumber(o, "balance", kLargestAmount, c.balance) ||
        !ReadNumber(o, "payment", kLargestAmount, c.payment))
        return T("card %1 has an amount that is not a number").arg(number);
    if (version >= 2) {
        if (!ReadNumber(o, "promo_apr", kPlanHighestApr, c.promoApr) ||
            !ReadWhole(o, "promo_months", 0, CardStore::kMostPromoMonths, 0, c.promoMonths, true))
            return T("card %1 has a promotion that is not a rate and a number of months").arg(number);
        const QJsonValue rule = o.value(QStringLiteral("minimum"));
        if (!rule.isUndefined()) {
            const QJsonValue plus = rule.toObject().value(QStringLiteral("plus_interest"));
            if (!rule.isObject() || !ReadNumber(rule.toObject(), "percent", 100, c.minPercent) ||
                !ReadNumber(rule.toObject(), "floor", kLargestAmount, c.minFloor) ||
                !(plus.isUndefined() || plus.isBool()))
                return T("card %1 has a minimum payment rule that cannot be read").arg(number);
            c.hasMinimum = true;
            c.minPlusInterest = plus.toBool(false);
        }
    }
    return {};
}

} // namespace

bool CardStore::fromJson(const QByteArray& json, StoredPlan& plan, QString* why, bool* newer)
{
    auto fail = [&](const QString& reason) {
        if (why)
            *why = reason;
        return false;
    };
    if (newer)
        *newer = false;
    if (json.trimmed().isEmpty())
        return fail(T("the file is empty"));
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        return fail(T("the file is damaged (%1 at byte %2)").arg(error.errorString(), QString::number(error.offset)));
    if (!doc.isObject())
        return fail(T("it holds no list of cards"));
    const QJsonObject root = doc.object();
    const QJsonValue format = root.value(QStringLiteral("format"));
    if (!format.isDouble() || format.toDouble() < 1 || format.toDouble() != std::floor(format.toDouble()))
        return fail(T("it has no format number"));
    if (format.toDouble() > kFormat) {
        if (newer)
            *newer = true;
        return fail(T("it was written by a newer version (format %1)").arg(format.toDouble()));
    }
    // Format 1 came from the lessons' boxes, which kept an APR at most 30.
    const int version = static_cast<int>(format.toDouble());
    const double highestApr = version == 1 ? kLessonHighestApr : kPlanHighestApr;
    StoredPlan read;
    if (!ReadNumber(root, "pledge", kLargestAmount, read.pledge))
        return fail(T("the pledge is not a number"));
    const QString order = root.value(QStringLiteral("order")).toString(QStringLiteral("apr"));
    if (order == QLatin1String("apr"))
        read.order = PlanOrder::HighestApr;
    else if (order == QLatin1String("balance"))
        read.order = PlanOrder::LowestBalance;
    else if (order == QLatin1String("given"))
        read.order = PlanOrder::Given;
    else
        return fail(T("the order \"%1\" is unknown").arg(order.left(40)));
    const QJsonValue cards = root.value(QStringLiteral("cards"));
    if (!cards.isArray())
        return fail(T("it holds no list of cards"));
    if (static_cast<std::size_t>(cards.toArray().size()) > kMostPlanCards)
        return fail(T("it holds more than %1 cards").arg(kMostPlanCards));

    if (version >= 2) {
        if (const QString why2 = ReadStartAndChanges(root, read); !why2.isEmpty())
            return fail(why2);
    }

    int number = 0;
    for (const QJsonValue& v : cards.toArray()) {
        ++number;
        StoredCard c;
        if (const QString why2 = ReadCard(v, number, version, highestApr, c); !why2.isEmpty())
            return fail(why2);
        read.cards.append(c);
    }
    plan = std::move(read);
    return true;
}

QString CardStore::keepAside(const char* kind)
{
    const QFileInfo info(m_path);
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target;
    for (int n = 0;; ++n) {
        target = info.dir().filePath(QStringLiteral("%1.%2-%3%4.json")
                                         .arg(info.completeBaseName(), QLatin1String(kind), stamp,
                                              n ? QStringLiteral("-%1").arg(n) : QString()));
        if (!QFileInfo::exists(target) && !QFileInfo(target).isSymLink())
            break;
    }
    // Renamed, or where the folder forbids that (read-only?) an ordinary file
    // is copied: the original then stays and may be replaced by the next save.
    bool copied = false;
    if (!MoveAside(m_path, target, &copied))
        return QString();
    m_expected = copied ? Fingerprint(m_path) : QByteArray();
    return target;
}

CardStore::Loaded CardStore::load()
{
    m_damagedInTheWay = false;
    m_known = true;
    m_expected.clear();
    Loaded result;
    QByteArray bytes;
    QString why;
    bool newer = false;
    switch (ReadRegularFile(m_path, kLargestFile, bytes, &why)) {
    case ReadStatus::Missing:
        return result;
    case ReadStatus::Read:
        if (fromJson(bytes, result.plan, &why, &newer)) {
            m_expected = FingerprintOf(bytes);
            result.status = Status::Loaded;
            return result;
        }
        break;
    case ReadStatus::NotRegular:
        why = T("it is not an ordinary file");
        break;
    case ReadStatus::TooLarge:
        why = T("it is larger than %1 MB").arg(kLargestFile >> 20);
        break;
    case ReadStatus::Failed:
        break;
    }
    result.plan = StoredPlan{};
    result.status = newer ? Status::Newer : Status::Damaged;
    result.keptAs = keepAside(newer ? "newer" : "damaged");
    m_damagedInTheWay = result.keptAs.isEmpty(); // a kept copy lets the original be replaced
    const QString kept = result.keptAs.isEmpty()
                             ? T("It could not be moved aside, so it stays as %1.").arg(QDir::toNativeSeparators(m_path))
                             : T("It was kept as %1.").arg(QDir::toNativeSeparators(result.keptAs));
    result.message = T("Your saved cards could not be read: %1. %2 My Cards starts with an empty list.")
                         .arg(why, kept);
    return result;
}

CardStore::SaveResult CardStore::save(const StoredPlan& plan, QString* error)
{
    auto failed = [&](const QString& why) {
        if (error)
            *error = why;
        return SaveResult::Failed;
    };
    const QFileInfo info(m_path);
    if (m_damagedInTheWay && (info.exists() || info.isSymLink()))
        return failed(T("the unreadable file %1 is in the way").arg(QDir::toNativeSeparators(m_path)));
    if (!QDir().mkpath(info.absolutePath()))
        return failed(T("the folder %1 cannot be made").arg(QDir::toNativeSeparators(info.absolutePath())));
    const QByteArray bytes = toJson(plan);
    const QByteArray written = FingerprintOf(bytes);
    if (m_known) {
        // Gone is no change worth asking about (nothing of theirs is lost), nor
        // is the very file this save would write.
        const QByteArray now = Fingerprint(m_path);
        if (now != m_expected && !now.isEmpty() && now != written)
            return SaveResult::ChangedElsewhere;
    }
    QString why;
    if (!WriteFileSafely(m_path, bytes, &why))
        return failed(why);
    m_known = true;
    m_expected = written;
    m_damagedInTheWay = false;
    return SaveResult::Saved;
}

CardStore::SaveResult CardStore::saveKeepingTheirsAside(const StoredPlan& plan, QString* keptAs, QString* error)
{
    const QFileInfo info(m_path);
    if (info.exists() || info.isSymLink()) {
        const QString kept = keepAside("changed");
        if (kept.isEmpty()) {
            if (error)
                *error = T("the other program's file %1 could not be kept aside")
                             .arg(QDir::toNativeSeparators(m_path));
            return SaveResult::Failed;
        }
        if (keptAs)
            *keptAs = kept;
    }
    m_known = true; // kept aside: what is there now may be replaced
    return save(plan, error);
}

QStringList CardStore::removeLeftovers(const QString& path, const QDateTime& before)
{
    return RemoveLeftoverTemporaries(path, before);
}

} // namespace quenmark
