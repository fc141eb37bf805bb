// The planner's strict reader, plan files (read, written, read back), the
// schedule CSV with its date column, and names made safe to print.
#include <QtTest>

#include <random>
#include <string>
#include <vector>

#include "core/PlanCsv.h"
#include "core/PlanInput.h"

using namespace quenmark;

Q_DECLARE_METATYPE(PlanValue)
Q_DECLARE_METATYPE(PlanInputError)
Q_DECLARE_METATYPE(PlanFileProblem)

namespace {

const std::string kHeader = "name,apr,balance,payment\n";

} // namespace

class TestPlanCsv : public QObject
{
    Q_OBJECT

private slots:
    void strictReader_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<PlanValue>("kind");
        QTest::addColumn<PlanInputError>("error");
        QTest::addColumn<qint64>("value");
        using E = PlanInputError;
        const PlanValue M = PlanValue::Money, A = PlanValue::Apr, P = PlanValue::Percent;
        QTest::newRow("dollars and cents") << "$1,234.56" << M << E::None << qint64(123456);
        QTest::newRow("plain") << "1234.56" << M << E::None << qint64(123456);
        QTest::newRow("grouped whole") << "1,234" << M << E::None << qint64(123400);
        QTest::newRow("blanks around") << "  \t$ 2,100.00 " << M << E::None << qint64(210000);
        QTest::newRow("one decimal") << "17.9" << A << E::None << qint64(1790);
        QTest::newRow("percent sign") << "19.9%" << A << E::None << qint64(1990);
        QTest::newRow("blank before percent") << "19.9 %" << A << E::None << qint64(1990);
        QTest::newRow("point first") << ".5" << M << E::None << qint64(50);
        QTest::newRow("point last") << "5." << M << E::None << qint64(500);
        QTest::newRow("zeros beyond cents") << "1.500" << M << E::None << qint64(150);
        QTest::newRow("leading zeros") << "000000000000000000000012.00" << M << E::None << qint64(1200);
        QTest::newRow("largest amount") << "999,999,999,999.99" << M << E::None << qint64(kLargestCents);
        QTest::newRow("highest APR") << "99.99" << A << E::None << qint64(9999);
        QTest::newRow("whole percent") << "100" << P << E::None << qint64(10000);
        QTest::newRow("zero") << "0" << A << E::None << qint64(0);
        QTest::newRow("empty") << "" << M << E::Empty << qint64(0);
        QTest::newRow("blanks") << "   " << A << E::Empty << qint64(0);
        QTest::newRow("letters") << "abc" << M << E::Malformed << qint64(0);
        QTest::newRow("negative") << "-500" << M << E::Negative << qint64(0);
        QTest::newRow("negative dollars") << "-$500" << M << E::Negative << qint64(0);
        QTest::newRow("dollars negative") << "$-500" << M << E::Negative << qint64(0);
        QTest::newRow("plus sign") << "+5" << M << E::Malformed << qint64(0);
        QTest::newRow("decimal comma") << "1.234,56" << M << E::Malformed << qint64(0);
        QTest::newRow("groups of two") << "12,34" << M << E::Malformed << qint64(0);
        QTest::newRow("group of four") << "1234,567" << M << E::Malformed << qint64(0);
        QTest::newRow("comma first") << ",123" << M << E::Malformed << qint64(0);
        QTest::newRow("blank inside") << "1 234" << M << E::Malformed << qint64(0);
        QTest::newRow("exponent") << "1e5" << M << E::Malformed << qint64(0);
        QTest::newRow("nan") << "nan" << M << E::Malformed << qint64(0);
        QTest::newRow("inf") << "inf" << A << E::Malformed << qint64(0);
        QTest::newRow("hex") << "0x10" << M << E::Malformed << qint64(0);
        QTest::newRow("point alone") << "." << M << E::Malformed << qint64(0);
        QTest::newRow("sign alone") << "-" << M << E::Malformed << qint64(0);
        QTest::newRow("dollar sign alone") << "$" << M << E::Malformed << qint64(0);
        QTest::newRow("dollar sign on a rate") << "$5" << A << E::Malformed << qint64(0);
        QTest::newRow("percent on an amount") << "5%" << M << E::Malformed << qint64(0);
        QTest::newRow("two points") << "1.2.3" << M << E::Malformed << qint64(0);
        QTest::newRow("unicode digits") << QString::fromUtf8("１２３") << M << E::Malformed << qint64(0);
        QTest::newRow("arabic-indic digits") << QString::fromUtf8("٥٠٠") << M << E::Malformed << qint64(0);
        QTest::newRow("three decimals") << "1.234" << M << E::TooManyDecimals << qint64(0);
        QTest::newRow("APR above 99.99") << "100" << A << E::TooLarge << qint64(0);
        QTest::newRow("APR a hair above") << "99.991" << A << E::TooManyDecimals << qint64(0);
        QTest::newRow("percent above 100") << "100.01" << P << E::TooLarge << qint64(0);
        QTest::newRow("above the largest") << "1,000,000,000,000" << M << E::TooLarge << qint64(0);
        QTest::newRow("a thousand digits") << QString(60, '9') << M << E::TooLarge << qint64(0);
        QTest::newRow("10,000 characters") << QString(10000, '1') << M << E::TooLong << qint64(0);
    }
    void strictReader()
    {
        QFETCH(QString, text);
        QFETCH(PlanValue, kind);
        QFETCH(PlanInputError, error);
        QFETCH(qint64, value);
        const PlanReading r = ReadPlanValue(text.toStdString(), kind);
        QCOMPARE(r.error, error);
        QCOMPARE(r.value, value);
        QCOMPARE(r.ok(), error == PlanInputError::None);
        QCOMPARE(PlanInputErrorText(error, kind).empty(), error == PlanInputError::None);
    }

    void countsAndYesNo()
    {
        QCOMPARE(ReadPlanCount(" 12 ", 1200).value, 12);
        QCOMPARE(ReadPlanCount("1200", 1200).error, PlanInputError::None);
        QCOMPARE(ReadPlanCount("1201", 1200).error, PlanInputError::TooLarge);
        QCOMPARE(ReadPlanCount(std::string(40, '9'), 1200).error, PlanInputError::TooLarge);
        QCOMPARE(ReadPlanCount("-3", 1200).error, PlanInputError::Negative);
        QCOMPARE(ReadPlanCount("1.5", 1200).error, PlanInputError::Malformed);
        QCOMPARE(ReadPlanCount("1,200", 1200).error, PlanInputError::Malformed);
        QCOMPARE(ReadPlanCount("", 1200).error, PlanInputError::Empty);
        for (const char* yes : {"yes", "YES", " Yes ", "1"})
            QCOMPARE(ReadPlanYesNo(yes).value, 1);
        for (const char* no : {"no", "No", "0", "", "  "})
            QCOMPARE(ReadPlanYesNo(no).value, 0);
        for (const char* neither : {"y", "true", "2", "yes please"})
            QCOMPARE(ReadPlanYesNo(neither).error, PlanInputError::Malformed);
    }

    void planFile_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("cards");
        QTest::addColumn<int>("errorLine");
        QTest::addColumn<PlanFileProblem>("problem");
        QTest::addColumn<QString>("column");
        using F = PlanFileProblem;
        const QString h = QString::fromStdString(kHeader);
        QTest::newRow("header only") << h << 0 << 0 << F::None << "";
        QTest::newRow("no final line end") << h + "A,1,2,3" << 1 << 0 << F::None << "";
        QTest::newRow("quoted amounts") << h + "\"A, b\",\"19.8\",\"$1,543.68\",32\n" << 1 << 0 << F::None << "";
        QTest::newRow("blank lines, CRLF, BOM") << "\xEF\xBB\xBF\r\n  \nName , APR,Balance,Payment\r\n\n\nA,1,2,3\r\n\n"
                                                << 1 << 0 << F::None << "";
        QTest::newRow("columns in any order") << "payment,balance,name,apr\n3,2,A,1\n" << 1 << 0 << F::None << "";
        QTest::newRow("every column")
            << "name,apr,balance,payment,promo_apr,promo_months,min_percent,min_floor,min_plus_interest\n"
               "A,24.99,1000,,0,12,1,25,yes\nB,18,800,20,,,,,\n"
            << 2 << 0 << F::None << "";
        QTest::newRow("empty") << "" << 0 << 1 << F::NoHeader << "";
        QTest::newRow("blank only") << "\n\n \n" << 0 << 3 << F::NoHeader << "";
        QTest::newRow("unknown columns") << "name,apr,balance,payment,colour,Limit\n" << 0 << 1 << F::UnknownColumns
                                         << "colour,Limit";
        QTest::newRow("missing column") << "name,apr,payment\n" << 0 << 1 << F::MissingColumns << "balance";
        QTest::newRow("named twice") << "name,apr,balance,payment,APR\n" << 0 << 1 << F::RepeatedColumn << "apr";
        QTest::newRow("promo_apr alone") << "name,apr,balance,payment,promo_apr\n" << 0 << 1 << F::PromoHalf
                                         << "promo_months";
        QTest::newRow("promo months without a rate")
            << "name,apr,balance,payment,promo_apr,promo_months\nA,20,100,10,,12\n" << 0 << 2 << F::PromoHalf
            << "promo_apr";
        QTest::newRow("short line") << h + "A,1,2,3\nB,1,2\n" << 0 << 3 << F::TooFewFields << "";
        QTest::newRow("unquoted comma") << h + "A,1,2,100\nB,1,$2,100.00,3\n" << 0 << 3 << F::TooManyFields << "";
        QTest::newRow("open quote") << h + "\"A,1,2,3\n" << 0 << 2 << F::BadQuote << "";
        QTest::newRow("text after a quote") << h + "\"A\"x,1,2,3\n" << 0 << 2 << F::BadQuote << "";
        QTest::newRow("letters") << h + "A,abc,2,3\n" << 0 << 2 << F::BadValue << "apr";
        QTest::newRow("negative") << h + "A,1,-500,3\n" << 0 << 2 << F::BadValue << "balance";
        QTest::newRow("decimal comma") << h + "A,1,\"1.234,56\",3\n" << 0 << 2 << F::BadValue << "balance";
        QTest::newRow("APR above 99.99") << h + "A,100,2,3\n" << 0 << 2 << F::BadValue << "apr";
        QTest::newRow("empty payment") << h + "A,1,2,\n" << 0 << 2 << F::PaymentNeeded << "payment";
        QTest::newRow("empty payment with a floor")
            << "name,apr,balance,payment,min_floor\nA,1,2,,5\n" << 1 << 0 << F::None << "";
        QTest::newRow("plus interest without a rule")
            << "name,apr,balance,payment,min_plus_interest\nA,1,2,3,yes\n" << 0 << 2 << F::PlusWithoutRule
            << "min_plus_interest";
        QTest::newRow("not yes or no") << "name,apr,balance,payment,min_percent,min_plus_interest\nA,1,2,3,1,maybe\n"
                                       << 0 << 2 << F::BadValue << "min_plus_interest";
        QTest::newRow("promo months not whole")
            << "name,apr,balance,payment,promo_apr,promo_months\nA,20,100,10,0,1.5\n" << 0 << 2 << F::BadValue
            << "promo_months";
        QTest::newRow("name of 200 characters") << h + QString(200, QChar(0x00FC)) + ",1,2,3\n" << 1 << 0 << F::None << "";
        QTest::newRow("name of 201 characters") << h + QString(201, 'x') + ",1,2,3\n" << 0 << 2 << F::NameTooLong
                                                << "name";
        QString most = h;
        for (std::size_t i = 0; i < kMostPlanCards; ++i)
            most += "A,1,2,3\n";
        QTest::newRow("the most cards") << most << int(kMostPlanCards) << 0 << F::None << "";
        QTest::newRow("one card more") << most + "B,1,2,3\n" << 0 << int(kMostPlanCards) + 2 << F::TooManyCards << "";
    }
    void planFile()
    {
        QFETCH(QString, text);
        QFETCH(int, cards);
        QFETCH(int, errorLine);
        QFETCH(PlanFileProblem, problem);
        QFETCH(QString, column);
        const PlanFile f = ParsePlanCsv(text.toStdString());
        QCOMPARE(static_cast<int>(f.cards.size()), cards);
        QCOMPARE(f.errorLine, errorLine);
        QCOMPARE(f.problem, problem);
        QCOMPARE(QString::fromStdString(f.errorColumn), column);
        QCOMPARE(f.error.empty(), errorLine == 0);
    }

    // The values of a card with every field, and the names' own rules.
    void planFileValues()
    {
        const PlanFile f = ParsePlanCsv(
            "name,apr,balance,payment,promo_apr,promo_months,min_percent,min_floor,min_plus_interest\n"
            "Gold,24.99%,\"$1,000.00\",,0,12,1,25,Yes\n"
            "\" padded \",18,800,20,,,2,,\n"
            ",0,0,0,,,,,\n"
            "'=1+1,0,0,0,,,,,\n"
            "'plain,0,0,0,,,,,\n");
        QCOMPARE(f.errorLine, 0);
        QCOMPARE(f.cards.size(), std::size_t{5});
        const PlanCard& gold = f.cards[0].card;
        QCOMPARE(gold.apr, 2499);
        QCOMPARE(gold.balance, std::int64_t{100000});
        QCOMPARE(gold.payment, std::int64_t{0});
        QCOMPARE(gold.promoApr, 0);
        QCOMPARE(gold.promoMonths, 12);
        QVERIFY(gold.hasMinimum && gold.minPlusInterest);
        QCOMPARE(gold.minPercent, 100);
        QCOMPARE(gold.minFloor, std::int64_t{2500});
        QCOMPARE(f.cards[1].name, std::string(" padded "));
        QVERIFY(f.cards[1].card.hasMinimum && !f.cards[1].card.minPlusInterest);
        QCOMPARE(f.cards[1].card.minFloor, std::int64_t{0});
        QCOMPARE(f.cards[2].name, std::string("Card 3"));
        QCOMPARE(f.cards[3].name, std::string("=1+1"));
        QCOMPARE(f.cards[4].name, std::string("'plain"));
    }

    // A line of five million commas is refused at the header's width, and so
    // is a header of as many.
    void endlessLines()
    {
        const std::string commas(5000000, ',');
        PlanFile f = ParsePlanCsv(kHeader + "A" + commas + "\n");
        QCOMPARE(f.problem, PlanFileProblem::TooManyFields);
        QCOMPARE(f.errorLine, 2);
        f = ParsePlanCsv("name" + commas + "\n");
        QCOMPARE(f.problem, PlanFileProblem::UnknownColumns);
        QVERIFY(f.error.size() < 300);
        f = ParsePlanCsv("name,apr,balance,payment," + std::string(100000, 'x') + "\n");
        QCOMPARE(f.problem, PlanFileProblem::UnknownColumns);
        QVERIFY(f.error.size() < 300);
    }

    // Generated cards with and without the optional fields: written, read back unchanged.
    void roundTrip_data()
    {
        QTest::addColumn<bool>("promotions");
        QTest::addColumn<bool>("minimums");
        QTest::newRow("plain cards") << false << false;
        QTest::newRow("promotions") << true << false;
        QTest::newRow("minimum rules") << false << true;
        QTest::newRow("everything") << true << true;
    }
    void roundTrip()
    {
        QFETCH(bool, promotions);
        QFETCH(bool, minimums);
        const std::vector<std::string> names = {"Card 1", "Gold, premium", "\"Quoted\"", " padded ", "a\"b,c\"",
                                                "Ünïcödé ✓", "=1+1", "-5 Card", "'quoted'", "''", "@SUM(A1)"};
        std::mt19937 gen(5);
        auto pick = [&](std::int64_t from, std::int64_t to) {
            return std::uniform_int_distribution<std::int64_t>(from, to)(gen);
        };
        for (int t = 0; t < 50; ++t) {
            std::vector<PlanFileCard> cards(static_cast<std::size_t>(pick(0, 12)));
            for (std::size_t i = 0; i < cards.size(); ++i) {
                PlanFileCard& c = cards[i];
                c.name = names[(i + static_cast<std::size_t>(t)) % names.size()];
                c.card.apr = static_cast<std::int32_t>(pick(0, 9999));
                c.card.balance = pick(0, 3) == 0 ? kLargestCents : pick(0, 10000000);
                c.card.payment = pick(0, 100000);
                if (promotions && pick(0, 1) == 0) {
                    c.card.promoApr = static_cast<std::int32_t>(pick(0, 9999));
                    c.card.promoMonths = static_cast<std::int32_t>(pick(0, 60));
                }
                if (minimums && pick(0, 1) == 0) {
                    c.card.hasMinimum = true;
                    c.card.minPercent = static_cast<std::int32_t>(pick(0, 10000));
                    c.card.minFloor = pick(0, 5000);
                    c.card.minPlusInterest = pick(0, 1) == 1;
                    if (pick(0, 3) == 0)
                        c.card.payment = 0;
                }
            }
            std::string text;
            AppendPlanCsv(text, cards);
            const PlanFile back = ParsePlanCsv(text);
            QVERIFY2(back.errorLine == 0, back.error.c_str());
            QCOMPARE(back.cards, cards);
            // Only the columns some card uses.
            const std::string header = text.substr(0, text.find('\n'));
            const bool promoUsed = std::any_of(cards.begin(), cards.end(), [](const PlanFileCard& c) {
                return c.card.promoMonths != 0 || c.card.promoApr != 0;
            });
            const bool minimumUsed =
                std::any_of(cards.begin(), cards.end(), [](const PlanFileCard& c) { return c.card.hasMinimum; });
            QCOMPARE(header.find("promo_months") != std::string::npos, promoUsed);
            QCOMPARE(header.find("min_plus_interest") != std::string::npos, minimumUsed);
        }
        // A plain plan writes the four columns.
        std::string text;
        AppendPlanCsv(text, std::vector<PlanFileCard>{{"Card 1", PlanCard::FromDollars(19.8, 1543.68, 32)}});
        QCOMPARE(text, std::string("name,apr,balance,payment\nCard 1,19.80,1543.68,32.00\n"));
    }

    void printableText_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("shown");
        const QByteArray r = "\xEF\xBF\xBD";
        QTest::newRow("plain") << QByteArray("Card 1") << QByteArray("Card 1");
        QTest::newRow("unicode") << QByteArray("Ünïcödé ✓") << QByteArray("Ünïcödé ✓");
        QTest::newRow("escape sequence") << QByteArray("\x1b[2J\x1b]0;title\x07x") << r + "[2J" + r + "]0;title" + r + "x";
        QTest::newRow("NUL") << QByteArray("a\0b", 3) << "a" + r + "b";
        QTest::newRow("line breaks and tab") << QByteArray("a\r\nb\tc") << "a" + r + r + "b" + r + "c";
        QTest::newRow("DEL") << QByteArray("a\x7f") << "a" + r;
        QTest::newRow("C1 CSI") << QByteArray("a\xC2\x9B" "2J") << "a" + r + "2J";
        QTest::newRow("raw CSI byte") << QByteArray("a\x9B" "2J") << "a" + r + "2J";
        QTest::newRow("right-to-left override") << QByteArray("a\xE2\x80\xAE" "b") << "a" + r + "b";
        QTest::newRow("overlong") << QByteArray("\xC0\xAF") << r + r;
        QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << r + r + r;
        QTest::newRow("cut short") << QByteArray("ab\xE2\x82") << "ab" + r + r;
        QTest::newRow("four bytes") << QByteArray("\xF0\x9F\x92\xB3") << QByteArray("\xF0\x9F\x92\xB3");
    }
    void printableText()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, shown);
        QCOMPARE(QByteArray::fromStdString(PrintableText(text.toStdString())), shown);
    }

    // The schedule as CSV: a header and a line per row, names never formulas
    // nor control characters, amounts to the cent; with a start month a last
    // column "date".
    void scheduleCsv()
    {
        const std::vector<PlanCard> cards = {PlanCard::FromDollars(19.8, 1543.68, 32),
                                             PlanCard::FromDollars(17.9, 2100.00, 53),
                                             PlanCard::FromDollars(12.9, 1784.32, 37),
                                             PlanCard::FromDollars(19.8, 832.91, 17),
                                             PlanCard::FromDollars(21.0, 765.72, 19)};
        PlanOptions options;
        options.keepSchedule = true;
        const PlanResult plan = RunPlan(cards, PlanBudget::Pledge(2500), PlanOrder::HighestApr, options);
        const std::vector<std::string> names = {"Card 1", "=HYPERLINK(\"x\")", "Card, 3", "@SUM(A1)",
                                                "-5 \x1b[2J Card"};
        std::string csv;
        AppendScheduleCsv(csv, plan, names);
        QCOMPARE(static_cast<std::size_t>(std::count(csv.begin(), csv.end(), '\n')), plan.schedule.size() + 1);
        QVERIFY(csv.starts_with("month,card,payment,interest,balance\n1,'-5 \xEF\xBF\xBD[2J Card,44.00,13.40,735.12\n"));
        QVERIFY(csv.find("\n1,\"Card, 3\",37.00,19.18,1766.50\n") != std::string::npos);
        QVERIFY(csv.find("\n1,\"'=HYPERLINK(\"\"x\"\")\",") != std::string::npos);
        QVERIFY(csv.find("\n1,'@SUM(A1),") != std::string::npos);
        QVERIFY(csv.find("\n21,'-5 \xEF\xBF\xBD[2J Card,41.16,0.71,0.00\n") != std::string::npos);

        std::string dated;
        AppendScheduleCsv(dated, plan, names, CalendarMonth{2009, 7});
        QVERIFY(dated.starts_with("month,card,payment,interest,balance,date\n"));
        // Each line is the undated line with its month's date after it.
        std::size_t a = csv.find('\n') + 1, b = dated.find('\n') + 1;
        for (const PlanRow& r : plan.schedule.rows()) {
            const std::size_t ea = csv.find('\n', a), eb = dated.find('\n', b);
            QCOMPARE(dated.substr(b, eb - b), csv.substr(a, ea - a) + "," + MonthText(PlanCalendarMonth({2009, 7}, r.month)));
            a = ea + 1;
            b = eb + 1;
        }
        QVERIFY(dated.ends_with(",2014-03\n")); // month 57

        // Written a piece at a time, the same text.
        for (const std::size_t piece : {std::size_t{1}, std::size_t{7}, std::size_t{100000}}) {
            const ScheduleCsv writer(plan, names, CalendarMonth{2009, 7});
            std::string pieces;
            writer.appendHeader(pieces);
            std::size_t next = 0;
            while (next < plan.schedule.size()) {
                const std::size_t after = writer.appendRows(pieces, next, piece);
                QCOMPARE(after, std::min(next + piece, plan.schedule.size()));
                next = after;
            }
            QCOMPARE(writer.appendRows(pieces, next, piece), plan.schedule.size()); // nothing past the end
            QCOMPARE(pieces, dated);
        }
    }
};

QTEST_GUILESS_MAIN(TestPlanCsv)
#include "tst_core_plancsv.moc"
