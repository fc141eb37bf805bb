// Money text and the two fixed-place roundings.
#include <QtTest>

#include <clocale>
#include <cmath>
#include <limits>
#include <locale>
#include <string>

#include "core/MoneyText.h"

using namespace quenmark;

// Doubles compared bit for bit (QCOMPARE on doubles is fuzzy).
#define EXACT(actual, expected)                                                                    \
    QVERIFY2((actual) == (expected), qPrintable(QString("%1 != %2").arg(actual, 0, 'g', 17).arg(expected, 0, 'g', 17)))

class TestMoneyText : public QObject
{
    Q_OBJECT

private slots:
    void plainTwoDecimals_data();
    void plainTwoDecimals();
    void amountToText_data();
    void amountToText();
    void countToText_data();
    void countToText();
    void textToAmount_data();
    void textToAmount();
    void textRoundTrip();
    void roundToCents_data();
    void roundToCents();
    void roundToSevenPlaces_data();
    void roundToSevenPlaces();
    void numberPrefix_data();
    void numberPrefix();
    void commaLocale();
};

void TestMoneyText::plainTwoDecimals_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("exact half up") << 0.125 << "0.13";
    QTest::newRow("exact half up 2") << 0.375 << "0.38";
    QTest::newRow("double below half") << 2.675 << "2.67";
    QTest::newRow("double below half 2") << 1.005 << "1.00";
    QTest::newRow("negative half") << -0.125 << "-0.13";
    QTest::newRow("negative to zero") << -0.001 << "0.00";
    QTest::newRow("negative zero") << -0.0 << "0.00";
    QTest::newRow("zero") << 0.0 << "0.00";
    QTest::newRow("whole") << 2100.0 << "2100.00";
    QTest::newRow("carry") << 999.995 << "1000.00";
    QTest::newRow("tiny") << 1e-300 << "0.00";
    QTest::newRow("large") << 1e20 << "100000000000000000000.00";
    QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << "0.00";
    QTest::newRow("inf") << std::numeric_limits<double>::infinity() << "0.00";
    QTest::newRow("-inf") << -std::numeric_limits<double>::infinity() << "0.00";
}

void TestMoneyText::plainTwoDecimals()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(PlainTwoDecimals(value)), text);
}

void TestMoneyText::amountToText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("millions") << 1234567.891 << "1,234,567.89";
    QTest::newRow("rounds to thousand") << 999.999 << "1,000.00";
    QTest::newRow("one decimal") << 123.4 << "123.40";
    QTest::newRow("zero") << 0.0 << "0.00";
    QTest::newRow("money paid") << 4587.89 << "4,587.89";
    QTest::newRow("999.994") << 999.994 << "999.99";
    QTest::newRow("999.995 above half") << 999.995 << "1,000.00";
    QTest::newRow("four digits") << 1000.0 << "1,000.00";
    QTest::newRow("six digits") << 123456.0 << "123,456.00";
    QTest::newRow("seven digits") << 1234567.0 << "1,234,567.00";
    QTest::newRow("twelve digits") << 999999999999.99 << "999,999,999,999.99";
    QTest::newRow("thirteen digits") << 1234567890123.45 << "1,234,567,890,123.45";
    QTest::newRow("ten trillion") << 1e13 << "10000000000000.00";
    QTest::newRow("fifteen digits") << 123456789012345.0 << "123456789012345.00";
    QTest::newRow("negative") << -1234.5 << "-1,234.50";
    QTest::newRow("negative small") << -12.5 << "-12.50";
    QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << "0.00";
}

void TestMoneyText::amountToText()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(AmountToText(value)), text);
}

void TestMoneyText::countToText_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("text");
    QTest::newRow("183") << 183 << "183";
    QTest::newRow("0") << 0 << "0";
    QTest::newRow("999") << 999 << "999";
    QTest::newRow("1000") << 1000 << "1,000";
    QTest::newRow("1234567") << 1234567 << "1,234,567";
    QTest::newRow("max") << 2147483647 << "2,147,483,647";
    QTest::newRow("negative") << -1000 << "-1,000";
    QTest::newRow("min") << std::numeric_limits<int>::min() << "-2,147,483,648";
}

void TestMoneyText::countToText()
{
    QFETCH(int, count);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(CountToText(count)), text);
}

void TestMoneyText::textToAmount_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("commas") << "4,587.89" << 4587.89;
    QTest::newRow("blank") << "4 587.89" << 4587.89;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("only blanks and commas") << " , " << 0.0;
    QTest::newRow("dollar sign not a number") << "$4.00" << 0.0;
    QTest::newRow("exponent") << "1e3" << 1000.0;
    QTest::newRow("exponent upper signed") << "2.5E-1" << 0.25;
    QTest::newRow("plus") << "+2.5" << 2.5;
    QTest::newRow("minus") << "-2.5" << -2.5;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("trailing point") << "5." << 5.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("trailing letters") << "12abc" << 0.0;
    QTest::newRow("too large") << "1e999" << 0.0;
    QTest::newRow("too small") << "1e-999" << 0.0;
    QTest::newRow("nan") << "nan" << 0.0;
    QTest::newRow("inf") << "inf" << 0.0;
    QTest::newRow("two points") << "1.2.3" << 0.0;
    QTest::newRow("grouped millions") << "1,234,567.89" << 1234567.89;
}

void TestMoneyText::textToAmount()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    EXACT(TextToAmount(text.toStdString()), value);
}

void TestMoneyText::textRoundTrip()
{
    // The text AmountToText wrote reads back as the amount with the same two decimals.
    const double amounts[] = {0.0, 0.01, 0.1, 1.0, 31.33, 999.99, 1000.0, 4587.89, 123456.78, 1234567.89,
                              999999999999.99, 1234567890123.45, 9999999999999.99};
    for (double a : amounts) {
        const std::string text = AmountToText(a);
        EXACT(TextToAmount(text), RoundToCents(a));
        QCOMPARE(AmountToText(TextToAmount(text)), text);
    }
    for (std::int64_t cents = 0; cents < 2000000; cents += 997) {
        const double a = static_cast<double>(cents) / 100;
        EXACT(TextToAmount(AmountToText(a)), a);
    }
}

void TestMoneyText::roundToCents_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("rounded");
    QTest::newRow("finance charge") << 31.32507 << 31.33;
    QTest::newRow("half") << 0.125 << 0.13;
    QTest::newRow("negative half") << -0.125 << -0.13;
    QTest::newRow("below half") << 2.675 << 2.67;
    QTest::newRow("below half 2") << 1.005 << 1.00;
    QTest::newRow("above half") << 999.995 << 1000.0;
    QTest::newRow("below") << 999.994 << 999.99;
    QTest::newRow("30.004") << 30.004 << 30.0;
    QTest::newRow("30.005") << 30.005 << 30.0;
    QTest::newRow("30.006") << 30.006 << 30.01;
    QTest::newRow("zero") << 0.0 << 0.0;
    QTest::newRow("negative tiny") << -0.004 << 0.0;
    QTest::newRow("large") << 1e300 << 1e300;
    QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << 0.0;
    QTest::newRow("inf") << std::numeric_limits<double>::infinity() << 0.0;
    QTest::newRow("-inf") << -std::numeric_limits<double>::infinity() << 0.0;
}

void TestMoneyText::roundToCents()
{
    QFETCH(double, value);
    QFETCH(double, rounded);
    const double r = RoundToCents(value);
    EXACT(r, rounded);
    QVERIFY(!std::signbit(r) || rounded < 0);
    EXACT(RoundToCentsByText(value), rounded);
}

void TestMoneyText::roundToSevenPlaces_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("rounded");
    QTest::newRow("17.9 / 1200") << 17.9 / 1200 << 0.0149167;
    QTest::newRow("30 / 1200") << 30.0 / 1200 << 0.025;
    QTest::newRow("19.8 / 1200") << 19.8 / 1200 << 0.0165;
    QTest::newRow("12.9 / 1200") << 12.9 / 1200 << 0.01075;
    QTest::newRow("21 / 1200") << 21.0 / 1200 << 0.0175;
    QTest::newRow("18 / 1200") << 18.0 / 1200 << 0.015;
    QTest::newRow("exact half") << 0.00390625 << 0.0039063;
    QTest::newRow("negative exact half") << -0.00390625 << -0.0039063;
    QTest::newRow("double below half") << 0.00000005 << 0.0;
    QTest::newRow("negative") << -17.9 / 1200 << -0.0149167;
    QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << 0.0;
}

void TestMoneyText::roundToSevenPlaces()
{
    QFETCH(double, value);
    QFETCH(double, rounded);
    EXACT(RoundToSevenPlaces(value), rounded);
    EXACT(RoundToSevenPlacesByText(value), rounded);
}

void TestMoneyText::numberPrefix_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("length");
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("percent") << "17.9%" << 4;
    QTest::newRow("sign only") << "-" << 0;
    QTest::newRow("point only") << "." << 0;
    QTest::newRow("exponent without digits") << "1e" << 1;
    QTest::newRow("exponent sign without digits") << "1e+" << 1;
    QTest::newRow("full") << "-1.5e-3x" << 7;
    QTest::newRow("letters") << "nan" << 0;
}

void TestMoneyText::numberPrefix()
{
    QFETCH(QString, text);
    QFETCH(int, length);
    QCOMPARE(static_cast<int>(NumberPrefixLength(text.toStdString())), length);
}

void TestMoneyText::commaLocale()
{
    const char* names[] = {"de_DE.UTF-8", "de_DE.utf8"};
    const char* found = nullptr;
    for (const char* n : names) {
        if (std::setlocale(LC_ALL, n)) {
            found = n;
            break;
        }
    }
    if (!found)
        QSKIP("The locale de_DE.UTF-8 is not installed (tools/setup-debian.sh generates it); "
              "the comma-decimal-point check is skipped.");
    std::locale previous;
    try {
        previous = std::locale::global(std::locale(found));
    } catch (const std::exception&) {
        std::setlocale(LC_ALL, "C");
        QSKIP("The C++ library cannot open de_DE.UTF-8; the comma-decimal-point check is skipped.");
    }
    // The C library now writes "," as the decimal point.
    QCOMPARE(std::string(std::localeconv()->decimal_point), std::string(","));

    const double cents = RoundToCents(31.32507);
    const double centsByText = RoundToCentsByText(31.32507);
    const double rate = RoundToSevenPlaces(17.9 / 1200);
    const double rateByText = RoundToSevenPlacesByText(17.9 / 1200);
    const std::string amount = AmountToText(31.32507);
    const std::string big = AmountToText(1234567.891);
    const double read = TextToAmount("4,587.89");
    const std::string count = CountToText(1234567);

    std::locale::global(previous);
    std::setlocale(LC_ALL, "C");

    EXACT(cents, 31.33);
    EXACT(centsByText, 31.33);
    EXACT(rate, 0.0149167);
    EXACT(rateByText, 0.0149167);
    QCOMPARE(amount, std::string("31.33"));
    QCOMPARE(big, std::string("1,234,567.89"));
    EXACT(read, 4587.89);
    QCOMPARE(count, std::string("1,234,567"));
}

QTEST_APPLESS_MAIN(TestMoneyText)
#include "tst_core_moneytext.moc"
