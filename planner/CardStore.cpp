#include "planner/CardStore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QCoreApplication>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>
#include <cmath>

#include "core/Payoff.h"
#include "core/MoneyText.h"

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
        cards.append(o);
    }
    QJsonObject root;
    root.insert(QStringLiteral("format"), kFormat);
    root.insert(QStringLiteral("pledge"), plan.pledge);
    root.insert(QStringLiteral("order"), QLatin1String(OrderWord(plan.order)));
    root.insert(QStringLiteral("cards"), cards);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

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
    int number = 0;
    for (const QJsonValue& v : cards.toArray()) {
        ++number;
        if (!v.isObject())
            return fail(T("card %1 is not a card").arg(number));
        const QJsonObject o = v.toObject();
        StoredCard c;
        const QJsonValue name = o.value(QStringLiteral("name"));
        if (!name.isUndefined() && !name.isString())
            return fail(T("card %1 has no proper name").arg(number));
        c.name = name.toString();
        if (!ReadNumber(o, "apr", 30, c.apr) || !ReadNumber(o, "balance", kLargestAmount, c.balance) ||
            !ReadNumber(o, "payment", kLargestAmount, c.payment))
            return fail(T("card %1 has an amount that is not a number").arg(number));
        read.cards.append(c);
    }
    plan = std::move(read);
    return true;
}

QString CardStore::keepAside(const char* kind) const
{
    const QFileInfo info(m_path);
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target;
    for (int n = 0;; ++n) {
        target = info.dir().filePath(QStringLiteral("%1.%2-%3%4.json")
                                         .arg(info.completeBaseName(), QLatin1String(kind), stamp,
                                              n ? QStringLiteral("-%1").arg(n) : QString()));
        if (!QFileInfo::exists(target))
            break;
    }
    if (QFile::rename(m_path, target))
        return target;
    // Cannot rename (a read-only folder?): keep a copy if possible; the
    // original then stays where it is and is not overwritten before a save.
    if (QFile::copy(m_path, target))
        return target;
    return QString();
}

CardStore::Loaded CardStore::load()
{
    m_damagedInTheWay = false;
    Loaded result;
    QFile file(m_path);
    if (!file.exists())
        return result;
    QString why;
    bool newer = false;
    if (file.size() > kLargestFile) {
        why = T("it is larger than %1 MB").arg(kLargestFile >> 20);
    } else if (!file.open(QIODevice::ReadOnly)) {
        why = file.errorString();
    } else {
        const QByteArray bytes = file.readAll();
        file.close();
        if (fromJson(bytes, result.plan, &why, &newer)) {
            result.status = Status::Loaded;
            return result;
        }
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

bool CardStore::save(const StoredPlan& plan, QString* error) const
{
    if (m_damagedInTheWay && QFileInfo::exists(m_path)) {
        if (error)
            *error = T("the unreadable file %1 is in the way").arg(QDir::toNativeSeparators(m_path));
        return false;
    }
    const QFileInfo info(m_path);
    if (!QDir().mkpath(info.absolutePath())) {
        if (error)
            *error = T("the folder %1 cannot be made").arg(QDir::toNativeSeparators(info.absolutePath()));
        return false;
    }
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    const QByteArray bytes = toJson(plan);
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace quenmark
