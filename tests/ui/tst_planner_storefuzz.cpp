// Hostile saved files: thousands of damaged, odd and oversized cards.json files
// generated from sound ones. Whatever the bytes, reading ends either with a
// plan that is sound (every figure finite, within the planner's ranges, and
// written back and read again unchanged) or with the file set aside byte for
// byte and an empty list; never a crash, never a half-read plan.
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

#include "core/Limits.h"
#include "planner/CardStore.h"

using namespace quenmark;

namespace {

const QList<QByteArray> kHostileValues = {
    "1e999", "-1e999", "-5", "0", "-0", "1e308", "99.999", "100", "30.000001", "999999999999.99",
    "1000000000000", "0.005", "0.0049999", "12345678901234567890", "null", "true", "\"12\"", "\"abc\"",
    "[]", "{}", "\"\"", "1.0e2", "4.9e-324", "\"\\u0000\"", "\"caf\\u00e9\"", "\"\\ud800\"", "-0.001"};

const QList<QByteArray> kKeys = {"name", "apr", "balance", "payment", "pledge", "order", "format", "cards",
                                 "promo_apr", "promo_months", "min_percent", "min_floor", "start"};

QByteArray soundFile(QRandomGenerator& random)
{
    QByteArray cards;
    const int count = random.bounded(0, 6);
    for (int i = 0; i < count; ++i) {
        if (i)
            cards += ",";
        cards += QByteArray("{\"name\":\"Card ") + QByteArray::number(i + 1) +
                 "\",\"apr\":" + QByteArray::number(random.bounded(0, 3000) / 100.0) +
                 ",\"balance\":" + QByteArray::number(random.bounded(0, 10000000) / 100.0, 'f', 2) +
                 ",\"payment\":" + QByteArray::number(random.bounded(0, 100000) / 100.0, 'f', 2) + "}";
    }
    const char* orders[] = {"apr", "balance", "given"};
    return QByteArray("{\"format\":1,\"order\":\"") + orders[random.bounded(3)] +
           "\",\"pledge\":" + QByteArray::number(random.bounded(0, 50000) / 100.0, 'f', 2) + ",\"cards\":[" +
           cards + "]}";
}

// One of several kinds of damage, chosen by the generator.
QByteArray damaged(QByteArray bytes, QRandomGenerator& random)
{
    const int at = bytes.isEmpty() ? 0 : random.bounded(static_cast<int>(bytes.size()));
    switch (random.bounded(9)) {
    case 0: // cut short
        return bytes.left(at);
    case 1: // a flipped byte
        if (!bytes.isEmpty())
            bytes[at] = static_cast<char>(bytes[at] ^ (1 << random.bounded(8)));
        return bytes;
    case 2: { // a value replaced by a hostile one
        const qsizetype colon = bytes.indexOf(':', at);
        if (colon < 0)
            return bytes;
        qsizetype end = colon + 1;
        while (end < bytes.size() && bytes[end] != ',' && bytes[end] != '}')
            ++end;
        return bytes.left(colon + 1) + kHostileValues[random.bounded(static_cast<int>(kHostileValues.size()))] +
               bytes.mid(end);
    }
    case 3: // a key renamed to another known key (duplicates, misplaced fields)
        return bytes.replace(kKeys[random.bounded(static_cast<int>(kKeys.size()))],
                             kKeys[random.bounded(static_cast<int>(kKeys.size()))]);
    case 4: // deep nesting
        return bytes.left(at) + QByteArray(random.bounded(1, 20000), '[') + bytes.mid(at);
    case 5: // a very long name
        return bytes.replace("\"Card 1\"", "\"" + QByteArray(random.bounded(200, 100000), 'x') + "\"");
    case 6: // NUL bytes, a byte-order mark, bytes that are not UTF-8
        return bytes.insert(at, random.bounded(2) ? QByteArray("\0\0", 2) : QByteArray("\xEF\xBB\xBF\xC3\x28"));
    case 7: // another format number
        return bytes.replace("\"format\":1", "\"format\":" + kHostileValues[random.bounded(
                                                                 static_cast<int>(kHostileValues.size()))]);
    default: // many cards
        return bytes.replace("\"cards\":[", "\"cards\":[" + QByteArray("{},").repeated(random.bounded(1, 1500)));
    }
}

bool sound(const StoredCard& card)
{
    auto amount = [](double x) { return std::isfinite(x) && x >= 0 && x <= kLargestAmount; };
    return amount(card.balance) && amount(card.payment) && std::isfinite(card.apr) && card.apr >= 0 &&
           card.apr <= kPlanHighestApr;
}

} // namespace

class TestStoreFuzz : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void hostileFiles_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<int>("runs");
        QTest::newRow("sound files") << 1u << 0;
        QTest::newRow("damaged once") << 2u << 1;
        QTest::newRow("damaged three times") << 3u << 3;
    }

    void hostileFiles()
    {
        QFETCH(quint32, seed);
        QFETCH(int, runs);
        QRandomGenerator random(seed);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("cards.json"));
        int loaded = 0;
        int setAside = 0;
        constexpr int kTries = 700;
        for (int i = 0; i < kTries; ++i) {
            QByteArray bytes = soundFile(random);
            for (int r = 0; r < runs; ++r)
                bytes = damaged(bytes, random);
            QFile::remove(path);
            {
                QFile f(path);
                QVERIFY(f.open(QIODevice::WriteOnly));
                QCOMPARE(f.write(bytes), bytes.size());
            }
            CardStore store(path);
            const CardStore::Loaded got = store.load();
            if (got.status == CardStore::Status::Loaded) {
                ++loaded;
                QVERIFY2(got.message.isEmpty(), qPrintable(got.message));
                QVERIFY(static_cast<std::size_t>(got.plan.cards.size()) <= kMostPlanCards);
                for (const StoredCard& card : got.plan.cards)
                    QVERIFY2(sound(card), bytes.left(300).constData());
                QVERIFY(std::isfinite(got.plan.pledge) && got.plan.pledge >= 0 && got.plan.pledge <= kLargestAmount);
                // Written back and read again: nothing lost or changed.
                StoredPlan again;
                QString why;
                QVERIFY2(CardStore::fromJson(CardStore::toJson(got.plan), again, &why, nullptr), qPrintable(why));
                QVERIFY(again == got.plan);
                continue;
            }
            // Not read: the user is told, the list is empty and the file is kept whole.
            ++setAside;
            QVERIFY(got.status == CardStore::Status::Damaged || got.status == CardStore::Status::Newer);
            QVERIFY(!got.message.isEmpty());
            QVERIFY(got.plan.cards.isEmpty());
            QVERIFY(!got.keptAs.isEmpty());
            QFile kept(got.keptAs);
            QVERIFY(kept.open(QIODevice::ReadOnly));
            QCOMPARE(kept.readAll(), bytes);
            kept.close();
            QVERIFY(QFile::remove(got.keptAs));
        }
        QCOMPARE(loaded + setAside, kTries);
        if (runs == 0)
            QCOMPARE(loaded, kTries);
        qInfo("%d files: %d read, %d set aside", kTries, loaded, setAside);
    }
};

QTEST_GUILESS_MAIN(TestStoreFuzz)
#include "tst_planner_storefuzz.moc"
