// What My Cards keeps and exchanges: the saved file (format 2 with the
// promotions, minimum rules, start month and changes over time; format-1
// files read as before), the conversions between the window's cards and the
// plan's, exact to the cent over generated values, and cards imported from
// and exported to plan files.
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>
#include <cerrno>

#include "FakePlatform.h"
#include "core/MoneyText.h"
#include "core/Payoff.h"
#include "planner/CardStore.h"
#include "planner/CardsCsv.h"
#include "planner/PlanInputs.h"
#include "planner/SafeFile.h"

using namespace quenmark;

namespace {

StoredCard Card(const QString& name, double apr, double balance, double payment)
{
    StoredCard c;
    c.name = name;
    c.apr = apr;
    c.balance = balance;
    c.payment = payment;
    return c;
}

StoredCard Promo(StoredCard c, double apr, int months)
{
    c.promoApr = apr;
    c.promoMonths = months;
    return c;
}

StoredCard Rule(StoredCard c, double percent, double floor, bool plus)
{
    c.hasMinimum = true;
    c.minPercent = percent;
    c.minFloor = floor;
    c.minPlusInterest = plus;
    return c;
}

// A plan with every field.
StoredPlan Full()
{
    StoredPlan p;
    p.cards = {Promo(Card("Zero then 24.99", 24.99, 3000, 90), 0, 12),
               Rule(Card("One plus interest", 19.9, 1000, 0), 1, 25, true),
               Rule(Promo(Card(QString::fromUtf8("Ünïcödé \"q\", ✓"), 36, 999999999999.99, 20), 9.99, 6), 2, 20, false),
               Card("Plain", 12.9, 0.01, 15)};
    p.pledge = 25.5;
    p.order = PlanOrder::Given;
    p.start = CalendarMonth{2026, 7};
    p.pledgeSteps = {{13, 10000}, {25, 0}};
    p.oneOffs = {{4, 100000}, {4, 1}, {1200, kLargestCents}};
    return p;
}

QByteArray Read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}

bool Write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Cents spread over every magnitude up to `most`, the ends included.
std::int64_t SomeCents(QRandomGenerator& random, std::int64_t most)
{
    switch (random.bounded(6)) {
    case 0:
        return 0;
    case 1:
        return most;
    case 2:
        return most - random.bounded(100);
    default:
        break;
    }
    const int digits = random.bounded(1, 15);
    std::int64_t limit = 1;
    for (int i = 0; i < digits; ++i)
        limit *= 10;
    return static_cast<std::int64_t>(random.bounded(static_cast<quint64>(std::min(limit, most + 1))));
}

} // namespace

class InputsTests : public QObject
{
    Q_OBJECT

    FakePlatform fake;
    std::unique_ptr<QTemporaryDir> dir;
    QString path(const char* name) const { return dir->filePath(QLatin1String(name)); }

private slots:
    void init()
    {
        fake.clear();
        fake.onQuestion = nullptr;
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
    }
    void cleanup() { fileFaults() = FileFaults{}; }

    // ---- the saved file ----------------------------------------------------------------

    void storeRoundTrip_data()
    {
        QTest::addColumn<StoredPlan>("plan");
        QTest::newRow("every field") << Full();
        StoredPlan plain = Full();
        plain.start.reset();
        plain.pledgeSteps.clear();
        plain.oneOffs.clear();
        QTest::newRow("no start, no changes") << plain;
        QTest::newRow("empty") << StoredPlan{};
        StoredPlan zeroRule;
        zeroRule.cards = {Rule(Card("", 0, 0, 0), 0, 0, false), Promo(Card("x", 99.99, 1, 1), 99.99, 12000)};
        zeroRule.start = CalendarMonth{kLastPlanYear, 12};
        QTest::newRow("a rule of zeros, the highest figures") << zeroRule;
    }
    void storeRoundTrip()
    {
        QFETCH(StoredPlan, plan);
        const QByteArray json = CardStore::toJson(plan);
        QVERIFY(json.contains("\"format\": 2"));
        StoredPlan back;
        QString why;
        QVERIFY2(CardStore::fromJson(json, back, &why, nullptr), qPrintable(why));
        QCOMPARE(back, plan);
        CardStore store(path("cards.json"));
        QCOMPARE(store.save(plan), CardStore::SaveResult::Saved);
        const CardStore::Loaded loaded = CardStore(path("cards.json")).load();
        QCOMPARE(loaded.status, CardStore::Status::Loaded);
        QCOMPARE(loaded.plan, plan);
    }

    // Format-1 files (the program before promotions and rules) are read as
    // they always were: fields they did not have are ignored, the APR held at 30.
    void formatOneFile()
    {
        const QByteArray file = R"({
            "format": 1, "pledge": 25, "order": "balance",
            "start": "2030-01", "pledge_changes": [{"from_month": 2, "amount": 5}],
            "cards": [
                {"name": "Card 1", "apr": 19.8, "balance": 1543.68, "payment": 32},
                {"name": "Card 2", "apr": 45, "balance": 2100, "payment": 53,
                 "promo_apr": 0, "promo_months": 12, "minimum": {"percent": 1, "floor": 25}}
            ]})";
        StoredPlan plan;
        QString why;
        QVERIFY2(CardStore::fromJson(file, plan, &why, nullptr), qPrintable(why));
        StoredPlan expected;
        expected.pledge = 25;
        expected.order = PlanOrder::LowestBalance;
        expected.cards = {Card("Card 1", 19.8, 1543.68, 32), Card("Card 2", 30, 2100, 53)};
        QCOMPARE(plan, expected);
        // Saved again, it becomes a format-2 file of the same plan.
        StoredPlan again;
        QVERIFY(CardStore::fromJson(CardStore::toJson(plan), again, &why, nullptr));
        QCOMPARE(again, expected);
    }

    // What a format-2 file may hold: figures out of range are brought into it
    // (as format 1 does), what is not a figure at all makes the file unreadable
    // (kept aside by the store), a higher format is newer.
    void formatTwoFaults_data()
    {
        QTest::addColumn<QByteArray>("cards");  // the cards' list
        QTest::addColumn<QByteArray>("others"); // more members of the file
        QTest::addColumn<QString>("why");       // empty: read
        QTest::addColumn<bool>("newer");
        const QByteArray one = R"([{"name":"A","apr":19.9,"balance":100,"payment":10}])";
        QTest::newRow("plain") << one << QByteArray() << "" << false;
        QTest::newRow("start not a month") << one << QByteArray(R"("start":"2026-13",)")
                                           << "the start month is not a month such as 2026-07" << false;
        QTest::newRow("start a number") << one << QByteArray(R"("start":202607,)")
                                        << "the start month is not a month such as 2026-07" << false;
        QTest::newRow("step month 0") << one << QByteArray(R"("pledge_changes":[{"from_month":0,"amount":5}],)")
                                      << "change over time 1 is not a month from 1 to 1200 with an amount" << false;
        QTest::newRow("step month 1201") << one << QByteArray(R"("pledge_changes":[{"from_month":1201,"amount":5}],)")
                                         << "change over time 1 is not a month" << false;
        QTest::newRow("one-off without month") << one << QByteArray(R"("one_off_sums":[{"amount":5}],)")
                                               << "change over time 1 is not a month" << false;
        QTest::newRow("one-off amount text") << one << QByteArray(R"("one_off_sums":[{"month":2,"amount":"5"}],)")
                                             << "change over time 1 is not a month" << false;
        QTest::newRow("changes not a list") << one << QByteArray(R"("one_off_sums":{},)")
                                            << "its changes over time are not a list" << false;
        QTest::newRow("promo months not whole")
            << QByteArray(R"([{"apr":1,"balance":1,"payment":1,"promo_apr":0,"promo_months":1.5}])") << QByteArray()
            << "card 1 has a promotion that is not a rate and a number of months" << false;
        QTest::newRow("promo months negative")
            << QByteArray(R"([{"apr":1,"balance":1,"payment":1,"promo_apr":0,"promo_months":-1}])") << QByteArray()
            << "card 1 has a promotion" << false;
        QTest::newRow("rule not an object")
            << QByteArray(R"([{"apr":1,"balance":1,"payment":1,"minimum":2}])") << QByteArray()
            << "card 1 has a minimum payment rule that cannot be read" << false;
        QTest::newRow("rule plus as text")
            << QByteArray(R"([{"apr":1,"balance":1,"payment":1,"minimum":{"percent":1,"plus_interest":"yes"}}])")
            << QByteArray() << "card 1 has a minimum payment rule" << false;
        QTest::newRow("figures out of range are held")
            << QByteArray(R"([{"apr":150,"balance":1,"payment":1,"promo_apr":120,"promo_months":99999,)"
                          R"("minimum":{"percent":250,"floor":-3}}])")
            << QByteArray(R"("pledge_changes":[{"from_month":3,"amount":1e300}],)") << "" << false;
        QTest::newRow("newer") << one << QByteArray(R"("format":3,)") << "it was written by a newer version (format 3)"
                               << true;
    }
    void formatTwoFaults()
    {
        QFETCH(QByteArray, cards);
        QFETCH(QByteArray, others);
        QFETCH(QString, why);
        QFETCH(bool, newer);
        QByteArray file = "{" + others;
        if (!others.contains("\"format\""))
            file += R"("format":2,)";
        file += R"("cards":)" + cards + "}";
        StoredPlan plan;
        QString said;
        bool isNewer = false;
        const bool read = CardStore::fromJson(file, plan, &said, &isNewer);
        QCOMPARE(read, why.isEmpty());
        QCOMPARE(isNewer, newer);
        if (!read) {
            QVERIFY2(said.startsWith(why), qPrintable(said));
            return;
        }
        for (const StoredCard& c : plan.cards) {
            QVERIFY(c.apr <= kPlanHighestApr && c.promoApr <= kPlanHighestApr);
            QVERIFY(c.promoMonths >= 0 && c.promoMonths <= CardStore::kMostPromoMonths);
            QVERIFY(c.minPercent >= 0 && c.minPercent <= 100 && c.minFloor >= 0);
        }
        for (const PledgeStep& s : plan.pledgeSteps)
            QVERIFY(s.amount >= 0 && s.amount <= kLargestCents);
    }

    // ---- conversions -------------------------------------------------------------------

    // The window's cards and the plan's agree to the cent both ways, through
    // the saved file too, over cards with every figure from 0 to the largest.
    void conversionsExact()
    {
        QRandomGenerator random(20260701);
        QList<StoredCard> stored;
        std::vector<PlanCard> cards;
        for (int i = 0; i < 3000; ++i) {
            PlanCard c;
            c.balance = SomeCents(random, kLargestCents);
            c.payment = SomeCents(random, kLargestCents);
            c.apr = static_cast<std::int32_t>(SomeCents(random, kPlanHighestAprHundredths));
            if (random.bounded(2)) {
                c.promoMonths = random.bounded(1, CardStore::kMostPromoMonths + 1);
                c.promoApr = static_cast<std::int32_t>(SomeCents(random, kPlanHighestAprHundredths));
            }
            if (random.bounded(2)) {
                c.hasMinimum = true;
                c.minPercent = static_cast<std::int32_t>(SomeCents(random, 10000));
                c.minFloor = SomeCents(random, kLargestCents);
                c.minPlusInterest = random.bounded(2) == 1;
            }
            const StoredCard s = ToStoredCard(c, QStringLiteral("Card %1").arg(i));
            QCOMPARE(ToPlanCard(s), c);
            // As typed: the text of the cents read as a double gives the same cents.
            StoredCard typed = s;
            typed.balance = QString::fromStdString(PlainCents(c.balance)).toDouble();
            typed.minFloor = QString::fromStdString(PlainCents(c.minFloor)).toDouble();
            QCOMPARE(ToPlanCard(typed), c);
            stored.append(s);
            cards.push_back(c);
        }
        StoredPlan plan;
        plan.cards = stored.mid(0, static_cast<qsizetype>(kMostPlanCards));
        plan.pledge = FromCents(kLargestCents);
        StoredPlan back;
        QVERIFY(CardStore::fromJson(CardStore::toJson(plan), back, nullptr, nullptr));
        QCOMPARE(ToPlanCards(back.cards), std::vector<PlanCard>(cards.begin(), cards.begin() + kMostPlanCards));
        QCOMPARE(ToPlanBudget(back).pledge, kLargestCents);
    }

    // Figures outside the plan's ranges are held within them; non-numbers are 0.
    void conversionsHeld()
    {
        StoredCard c = Rule(Promo(Card("x", 150, -5, 1e300), -3, 1 << 30), 250, qQNaN(), true);
        const PlanCard p = ToPlanCard(c);
        QCOMPARE(p.apr, kPlanHighestAprHundredths);
        QCOMPARE(p.balance, std::int64_t{0});
        QCOMPARE(p.payment, kLargestCents);
        QCOMPARE(p.promoApr, 0);
        QCOMPARE(p.promoMonths, CardStore::kMostPromoMonths);
        QCOMPARE(p.minPercent, 10000);
        QCOMPARE(p.minFloor, std::int64_t{0});
        QVERIFY(p.hasMinimum && p.minPlusInterest);
    }

    void calendarMonths_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QString>("next");
        QTest::newRow("June") << QDate(2009, 6, 30) << "Jul 2009";
        QTest::newRow("December") << QDate(2025, 12, 31) << "Jan 2026";
        QTest::newRow("January 1st") << QDate(2026, 1, 1) << "Feb 2026";
    }
    void calendarMonths()
    {
        QFETCH(QDate, today);
        QFETCH(QString, next);
        const CalendarMonth start = MonthAfter(today);
        QCOMPARE(CalendarMonthText(start), next);
        QCOMPARE(StartMonthOf(StoredPlan{}, today), start);
        StoredPlan chosen;
        chosen.start = CalendarMonth{2030, 2};
        QCOMPARE(StartMonthOf(chosen, today), (CalendarMonth{2030, 2}));
        for (int month : {1, 2, 12, 13, 600, 1200}) {
            const CalendarMonth m = PlanCalendarMonth(start, month);
            QCOMPARE(PlanMonthOf(start, m), month);
            QCOMPARE(ToCalendarMonth(FirstDayOf(m)), m);
            QCOMPARE(FirstDayOf(m).day(), 1);
        }
    }

    // ---- plan files --------------------------------------------------------------------

    void csvRoundTrip_data()
    {
        QTest::addColumn<QList<StoredCard>>("cards");
        QTest::addColumn<QByteArray>("header");
        const QList<StoredCard> plain = {Card("Card 1", 19.8, 1543.68, 32), Card("=SUM(A1)", 0, 0, 0),
                                         Card(QString::fromUtf8("Ünïcödé, \"quoted\""), 99.99, 999999999999.99, 0.01)};
        QTest::newRow("plain cards") << plain << QByteArray("name,apr,balance,payment");
        QTest::newRow("a promotion") << (QList<StoredCard>(plain) << Promo(Card("P", 24.99, 3000, 90), 0, 12))
                                     << QByteArray("name,apr,balance,payment,promo_apr,promo_months");
        QTest::newRow("a rule") << (QList<StoredCard>(plain) << Rule(Card("R", 19.9, 1000, 0), 1, 25, true))
                                << QByteArray("name,apr,balance,payment,min_percent,min_floor,min_plus_interest");
        QTest::newRow("every field") << Full().cards
                                     << QByteArray("name,apr,balance,payment,promo_apr,promo_months,min_percent,"
                                                   "min_floor,min_plus_interest");
    }
    void csvRoundTrip()
    {
        QFETCH(QList<StoredCard>, cards);
        QFETCH(QByteArray, header);
        const QString file = path("cards.csv");
        QString error;
        QVERIFY2(ExportCardsCsv(file, cards, &error), qPrintable(error));
        const QByteArray text = Read(file);
        QCOMPARE(text.left(text.indexOf('\n')), header);
        const CardsFromCsv back = ImportCardsCsv(file);
        QVERIFY2(back.ok, qPrintable(back.error));
        QCOMPARE(back.cards, cards);
        QCOMPARE(ToPlanCards(back.cards), ToPlanCards(cards));
    }

    // A card without a name is written as the window names it.
    void csvUnnamedCard()
    {
        const CardsFromCsv back = ReadCardsCsv(CardsCsvText({Card("A", 1, 1, 1), Card("  ", 2, 2, 2)}));
        QVERIFY(back.ok);
        QCOMPARE(back.cards[1].name, QStringLiteral("Card 2"));
    }

    // The first fault of a file is named by line and column, in words that say what is accepted.
    void csvFaults_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("error");
        QTest::newRow("empty") << QByteArray() << 1 << "The file has no header";
        QTest::newRow("header only") << QByteArray("name,apr,balance,payment\n") << 0
                                     << "The file holds no cards, only its header.";
        QTest::newRow("unknown column") << QByteArray("name,apr,balance,payment,colour\nA,1,1,1\n") << 1
                                        << "Line 1: the header names columns this program does not know (colour).";
        QTest::newRow("missing column") << QByteArray("name,apr,balance\nA,1,1\n") << 1
                                        << "Line 1: the header lacks the columns payment";
        QTest::newRow("negative balance") << QByteArray("name,apr,balance,payment\nA,1,1,1\n\nB,2,-5,1\n") << 4
                                          << "Line 4, column balance: An amount cannot be negative.";
        QTest::newRow("APR too high") << QByteArray("name,apr,balance,payment\nA,100,1,1\n") << 2
                                      << "Line 2, column apr: The highest APR is 99.99%.";
        QTest::newRow("European amount") << QByteArray("name,apr,balance,payment\nA,1,\"1.234,56\",1\n") << 2
                                         << "Line 2, column balance: Not an amount";
        QTest::newRow("percent") << QByteArray("name,apr,balance,payment,min_percent,min_floor,min_plus_interest\n"
                                               "A,1,1,,101,,\n")
                                 << 2 << "Line 2, column min_percent: The highest percentage is 100.";
        QTest::newRow("plus interest word") << QByteArray("name,apr,balance,payment,min_percent,min_floor,"
                                                          "min_plus_interest\nA,1,1,,1,,maybe\n")
                                            << 2 << "Line 2, column min_plus_interest: type yes or no";
        QTest::newRow("promo half") << QByteArray("name,apr,balance,payment,promo_apr,promo_months\nA,1,1,1,0,\n")
                                    << 2 << "Line 2, column promo_months: promo_apr and promo_months";
        QTest::newRow("payment empty") << QByteArray("name,apr,balance,payment\nA,1,1,\n") << 2
                                       << "Line 2, column payment: the payment is empty";
        QTest::newRow("too many fields") << QByteArray("name,apr,balance,payment\nA,1,1,234.56,1\n") << 2
                                         << "Line 2 has more fields than the header";
        QTest::newRow("open quote") << QByteArray("name,apr,balance,payment\n\"A,1,1,1\n") << 2
                                    << "Line 2: a quoted field is not closed properly.";
        QTest::newRow("long name") << "name,apr,balance,payment\n" + QByteArray(201, 'n') + ",1,1,1\n" << 2
                                   << "Line 2, column name: the name is longer than 200 characters.";
        QByteArray many = "name,apr,balance,payment\n";
        for (std::size_t i = 0; i <= kMostPlanCards; ++i)
            many += "A,1,1,1\n";
        QTest::newRow("too many cards") << many << 1002 << "Line 1002: a plan takes at most 1000 cards.";
        QTest::newRow("binary") << QByteArray("\x00\xff\xfe,,,\n", 8) << 1 << "Line 1";
    }
    void csvFaults()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, line);
        QFETCH(QString, error);
        const CardsFromCsv read = ReadCardsCsv(text);
        QVERIFY(!read.ok);
        QVERIFY(read.cards.isEmpty());
        QCOMPARE(read.line, line);
        QVERIFY2(read.error.startsWith(error), qPrintable(read.error));
    }

    // Only an ordinary file of bounded size is read; a failed export says why
    // and leaves the old file whole.
    void csvFiles()
    {
        QCOMPARE(ImportCardsCsv(path("none.csv")).error, QDir::toNativeSeparators(path("none.csv")) + " does not exist.");
        QVERIFY(QDir().mkpath(path("folder.csv")));
        QCOMPARE(ImportCardsCsv(path("folder.csv")).error,
                 QDir::toNativeSeparators(path("folder.csv")) + " is not an ordinary file.");
        QVERIFY(Write(path("big.csv"), QByteArray(kLargestCardsCsv + 1, ' ')));
        QVERIFY(ImportCardsCsv(path("big.csv")).error.contains("is larger than 16 MB"));

        QVERIFY(Write(path("old.csv"), "the old content"));
        FileFaultsForTest faults({20, ENOSPC, 0, 0});
        QString error;
        QVERIFY(!ExportCardsCsv(path("old.csv"), Full().cards, &error));
        QCOMPARE(error, "the disk is full while writing " + QDir::toNativeSeparators(path("old.csv")));
        QCOMPARE(Read(path("old.csv")), QByteArray("the old content"));
    }

    // Importing asks whether to add or replace (through the platform layer),
    // and never makes more cards than a plan takes.
    void importAddOrReplace_data()
    {
        QTest::addColumn<int>("existing");
        QTest::addColumn<int>("answer"); // -1: not asked
        QTest::addColumn<int>("outcome");
        QTest::addColumn<int>("cards");
        QTest::newRow("no cards yet: not asked") << 0 << -1 << int(ImportOutcome::Imported) << 2;
        QTest::newRow("add") << 3 << 0 << int(ImportOutcome::Imported) << 5;
        QTest::newRow("replace") << 3 << 1 << int(ImportOutcome::Imported) << 2;
        QTest::newRow("cancel") << 3 << 2 << int(ImportOutcome::Cancelled) << 3;
        QTest::newRow("add past the most") << 999 << 0 << int(ImportOutcome::Failed) << 999;
        QTest::newRow("replace at the most") << 999 << 1 << int(ImportOutcome::Imported) << 2;
    }
    void importAddOrReplace()
    {
        QFETCH(int, existing);
        QFETCH(int, answer);
        QFETCH(int, outcome);
        QFETCH(int, cards);
        QVERIFY(ExportCardsCsv(path("two.csv"), {Card("A", 1, 1, 1), Rule(Card("B", 2, 2, 0), 2, 20, false)}));
        QList<StoredCard> list;
        for (int i = 0; i < existing; ++i)
            list.append(Card(QStringLiteral("Mine %1").arg(i), 10, 100, 10));
        fake.onQuestion = [answer](const FakePlatform::Question&) { return answer; };
        QList<StoredCard> result = list;
        QString error;
        QCOMPARE(int(ImportCards(nullptr, path("two.csv"), list, result, &error)), outcome);
        QCOMPARE(fake.questions.size(), answer < 0 ? 0 : 1);
        if (answer >= 0) {
            QCOMPARE(fake.questions[0].choices, (QStringList{"Add to My Cards", "Replace My Cards", "Cancel"}));
            QVERIFY2(fake.questions[0].text.startsWith("The file holds 2 cards."), qPrintable(fake.questions[0].text));
        }
        QCOMPARE(result.size(), cards);
        if (outcome == int(ImportOutcome::Failed))
            QVERIFY2(error.startsWith("Adding 2 cards to your 999 would make more than 1000"), qPrintable(error));
        if (outcome == int(ImportOutcome::Imported))
            QCOMPARE(result.last().name, QStringLiteral("B"));
    }
};

QTEST_MAIN(InputsTests)
#include "tst_planner_inputs.moc"
