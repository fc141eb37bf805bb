// RoundToCents and RoundToSevenPlaces decide without formatting text; here
// they are held against the text rule (18 significant digits, then half away
// from zero) on millions of values of the kinds the arithmetic meets.
#include <QtTest>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>

#include "core/MoneyText.h"

using namespace quenmark;

namespace {

bool SameDouble(double a, double b)
{
    std::uint64_t x, y;
    std::memcpy(&x, &a, sizeof x);
    std::memcpy(&y, &b, sizeof y);
    return x == y;
}

struct Tally
{
    std::int64_t checked = 0;
    std::int64_t wrong = 0;
    double firstWrong = 0;
    int places = 0;

    void check(double v)
    {
        ++checked;
        const bool cents = SameDouble(RoundToCents(v), RoundToCentsByText(v));
        const bool seven = SameDouble(RoundToSevenPlaces(v), RoundToSevenPlacesByText(v));
        if (!cents || !seven) {
            if (wrong == 0) {
                firstWrong = v;
                places = cents ? 7 : 2;
            }
            ++wrong;
        }
    }
    void checkBoth(double v)
    {
        check(v);
        check(-v);
    }
};

} // namespace

class TestRounding : public QObject
{
    Q_OBJECT

private slots:
    void centAmounts();
    void balanceTimesRate();
    void halves();
    void nearHalves();
    void anyMagnitude();

private:
    static void verify(const Tally& t)
    {
        QVERIFY2(t.wrong == 0, qPrintable(QString("%1 of %2 values differ, first %3 at %4 places")
                                              .arg(t.wrong)
                                              .arg(t.checked)
                                              .arg(t.firstWrong, 0, 'g', 17)
                                              .arg(t.places)));
    }
};

void TestRounding::centAmounts()
{
    // Cent amounts up to 1e13, and the same divided and multiplied as the
    // month step and the average do.
    std::mt19937_64 gen(1);
    std::uniform_int_distribution<std::int64_t> cents(0, 1000000000000000LL);
    std::uniform_int_distribution<int> months(1, 30000);
    Tally t;
    for (int i = 0; i < 300000; ++i) {
        const double a = static_cast<double>(cents(gen)) / 100;
        t.checkBoth(a);
        t.check(a / months(gen));
    }
    verify(t);
}

void TestRounding::balanceTimesRate()
{
    std::mt19937_64 gen(2);
    std::uniform_int_distribution<std::int64_t> cents(0, 100000000000000LL);
    std::uniform_int_distribution<std::int64_t> small(0, 10000000);
    std::uniform_int_distribution<int> aprCents(0, 3000);
    Tally t;
    for (int i = 0; i < 300000; ++i) {
        const double apr = aprCents(gen) / 100.0;
        const double rate = RoundToSevenPlacesByText(apr / 1200);
        t.check(apr / 1200);
        const double balance = static_cast<double>(cents(gen)) / 100;
        const double smallBalance = static_cast<double>(small(gen)) / 100;
        t.checkBoth(balance * rate);
        t.checkBoth(static_cast<double>(static_cast<long double>(balance) * rate));
        t.checkBoth(smallBalance * rate);
        t.checkBoth(smallBalance * 0.025); // many exact half cents
        t.checkBoth(static_cast<double>(static_cast<long double>(smallBalance) * 0.025L));
    }
    verify(t);
}

void TestRounding::halves()
{
    // The doubles nearest to the halves of the cent and of the seventh decimal.
    std::mt19937_64 gen(3);
    std::uniform_int_distribution<std::int64_t> units(0, 4000000000000000LL);
    std::uniform_int_distribution<std::int64_t> sevenths(0, 4000000000000000LL);
    Tally t;
    for (std::int64_t n = 0; n < 200000; ++n) {
        t.checkBoth((2.0 * n + 1) / 200);
        t.checkBoth((2.0 * n + 1) / 20000000);
    }
    for (int i = 0; i < 200000; ++i) {
        t.checkBoth((2.0 * static_cast<double>(units(gen)) + 1) / 200);
        t.checkBoth((2.0 * static_cast<double>(sevenths(gen) % 8000000000000000LL) + 1) / 20000000);
    }
    // Halves exactly representable in binary.
    for (std::int64_t k = 0; k < 100000; ++k) {
        t.checkBoth(static_cast<double>(k) + 0.125);
        t.checkBoth(static_cast<double>(k) + 0.375);
        t.checkBoth(static_cast<double>(k) / 1000 + 0.00390625);
    }
    verify(t);
}

void TestRounding::nearHalves()
{
    // A few representable neighbours on each side of a half.
    std::mt19937_64 gen(4);
    std::uniform_int_distribution<std::int64_t> units(0, 2000000000000LL);
    std::uniform_int_distribution<int> magnitude(0, 14);
    Tally t;
    for (int i = 0; i < 150000; ++i) {
        const std::int64_t limit = static_cast<std::int64_t>(std::pow(10.0, magnitude(gen)));
        const double base2 = (2.0 * static_cast<double>(units(gen) % (limit + 1)) + 1) / 200;
        const double base7 = (2.0 * static_cast<double>(units(gen) % (limit + 1)) + 1) / 20000000;
        for (double base : {base2, base7}) {
            double up = base, down = base;
            for (int k = 0; k < 4; ++k) {
                up = std::nextafter(up, 1e300);
                down = std::nextafter(down, -1e300);
                t.checkBoth(up);
                t.checkBoth(down);
            }
        }
    }
    verify(t);
}

void TestRounding::anyMagnitude()
{
    // Doubles spread over every magnitude, tiny to huge.
    std::mt19937_64 gen(5);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-20, 25);
    Tally t;
    for (int i = 0; i < 200000; ++i)
        t.checkBoth(mantissa(gen) * std::pow(10.0, exponent(gen)));
    for (std::uint64_t bits = 0x3F00000000000000ULL; bits < 0x4330000000000000ULL; bits += 0x0000123456789ABCULL) {
        double v;
        std::memcpy(&v, &bits, sizeof v);
        t.checkBoth(v);
    }
    verify(t);
}

QTEST_APPLESS_MAIN(TestRounding)
#include "tst_core_rounding.moc"
