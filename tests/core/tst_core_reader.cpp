// Reading the amount boxes and the payment check of both calculators.
#include <QtTest>

#include <string>

#include "core/MoneyText.h"
#include "core/AmountReader.h"

using namespace quenmark;

Q_DECLARE_METATYPE(quenmark::AmountBox)
Q_DECLARE_METATYPE(quenmark::CalculatorKind)
Q_DECLARE_METATYPE(quenmark::PaymentCheck::Outcome)

#define EXACT(actual, expected)                                                                    \
    QVERIFY2((actual) == (expected), qPrintable(QString("%1 != %2").arg(actual, 0, 'g', 17).arg(expected, 0, 'g', 17)))

namespace {

QString AprMessage(const char* entered)
{
    return QString("The Annual Percentage Rate you entered of %1% is too high.\n\n"
                   "The Annual Percentage Rate will automatically be adjusted to 30.00%.\n")
        .arg(entered);
}

QString PaymentMessage(const char* entered, const char* adjusted)
{
    return QString("There's a problem with the payment you entered.\n\n$%1 is too low and will never pay off "
                   "this debt.  It will automatically be adjusted to $%2.")
        .arg(entered, adjusted);
}

} // namespace

class TestReader : public QObject
{
    Q_OBJECT

private slots:
    void readBox_data();
    void readBox();
    void checkPayment_data();
    void checkPayment();
    void checkPaymentAtPlannerApr_data();
    void checkPaymentAtPlannerApr();
    void rereadingIsStable();
};

void TestReader::readBox_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<AmountBox>("box");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("information");

    const AmountBox apr = AmountBox::Apr, bal = AmountBox::Balance, pmt = AmountBox::Payment;
    QTest::newRow("empty") << "" << bal << 0.0 << "0.00" << "";
    QTest::newRow("blanks") << "   " << pmt << 0.0 << "0.00" << "";
    QTest::newRow("letters") << "abc" << bal << 0.0 << "0.00" << "";
    QTest::newRow("1e999") << "1e999" << bal << 0.0 << "0.00" << "";
    QTest::newRow("1e999 apr") << "1e999" << apr << 0.0 << "0.00" << "";
    QTest::newRow("-1e999") << "-1e999" << bal << 0.0 << "0.00" << "";
    QTest::newRow("1e-999") << "1e-999" << bal << 0.0 << "0.00" << "";
    QTest::newRow("nan") << "nan" << bal << 0.0 << "0.00" << "";
    QTest::newRow("NaN") << "NaN" << apr << 0.0 << "0.00" << "";
    QTest::newRow("inf") << "inf" << bal << 0.0 << "0.00" << "";
    QTest::newRow("-inf") << "-inf" << pmt << 0.0 << "0.00" << "";
    QTest::newRow("infinity") << "Infinity" << apr << 0.0 << "0.00" << "";
    QTest::newRow("negative") << "-5" << pmt << 0.0 << "0.00" << "";
    QTest::newRow("negative dollars") << "-$5" << pmt << 0.0 << "0.00" << "";
    QTest::newRow("dollar negative") << "$-5" << pmt << 0.0 << "0.00" << "";
    QTest::newRow("dollars grouped") << "$2,100.00" << bal << 2100.0 << "2100.00" << "";
    QTest::newRow("grouped") << "2,100" << bal << 2100.0 << "2100.00" << "";
    QTest::newRow("blank dollar") << " $ 2 100.5 " << bal << 2100.5 << "2100.50" << "";
    QTest::newRow("percent") << "17.9%" << apr << 17.9 << "17.90" << "";
    QTest::newRow("whole") << "1000" << pmt << 1000.0 << "1000.00" << "";
    QTest::newRow("exponent") << "1e3" << pmt << 1000.0 << "1000.00" << "";
    QTest::newRow("half cent") << "0.125" << pmt << 0.13 << "0.13" << "";
    QTest::newRow("double below half") << "2.675" << pmt << 2.67 << "2.67" << "";
    QTest::newRow("stray after number") << "53abc" << pmt << 53.0 << "53.00" << "";
    QTest::newRow("two points") << "1.2.3" << pmt << 1.2 << "1.20" << "";
    QTest::newRow("two signs") << "--5" << pmt << 0.0 << "0.00" << "";
    QTest::newRow("largest") << "999999999999.99" << bal << kLargestAmount << "999999999999.99" << "";
    QTest::newRow("above largest") << "1,000,000,000,000" << bal << kLargestAmount << "999999999999.99" << "";
    QTest::newRow("just above largest") << "999999999999.994" << bal << kLargestAmount << "999999999999.99" << "";
    QTest::newRow("1e300") << "1e300" << pmt << kLargestAmount << "999999999999.99" << "";
    QTest::newRow("thousand nines") << QString(1000, '9') << bal << 0.0 << "0.00" << "";
    QTest::newRow("three hundred digits") << "1" + QString(300, '0') << bal << kLargestAmount << "999999999999.99"
                                          << "";
    QTest::newRow("ten thousand characters") << "12.5" + QString(9996, 'x') << pmt << 12.5 << "12.50" << "";
    QTest::newRow("ten thousand leading zeros") << QString(9997, '0') + "1.5" << pmt << 1.5 << "1.50" << "";
    QTest::newRow("ten thousand decimals") << "0." + QString(9997, '3') + "9" << pmt << 0.33 << "0.33" << "";
    QTest::newRow("apr 30") << "30" << apr << 30.0 << "30.00" << "";
    QTest::newRow("apr 30.004") << "30.004" << apr << 30.0 << "30.00" << "";
    QTest::newRow("apr 30.005") << "30.005" << apr << 30.0 << "30.00" << "";
    QTest::newRow("apr 30.006") << "30.006" << apr << 30.0 << "30.00" << AprMessage("30.01");
    QTest::newRow("apr 45") << "45" << apr << 30.0 << "30.00" << AprMessage("45.00");
    QTest::newRow("apr 35") << "35" << apr << 30.0 << "30.00" << AprMessage("35.00");
    QTest::newRow("apr huge") << "1e300" << apr << 30.0 << "30.00" << AprMessage("999999999999.99");
    QTest::newRow("balance 45") << "45" << bal << 45.0 << "45.00" << "";
}

void TestReader::readBox()
{
    QFETCH(QString, input);
    QFETCH(AmountBox, box);
    QFETCH(double, value);
    QFETCH(QString, text);
    QFETCH(QString, information);
    const BoxReading r = ReadAmountBox(input.toStdString(), box);
    EXACT(r.value, value);
    QCOMPARE(QString::fromStdString(r.text), text);
    QCOMPARE(QString::fromStdString(r.information), information);
    QCOMPARE(r.aprCapped, !information.isEmpty());
}

void TestReader::checkPayment_data()
{
    QTest::addColumn<double>("apr");
    QTest::addColumn<double>("balance");
    QTest::addColumn<double>("payment");
    QTest::addColumn<CalculatorKind>("kind");
    QTest::addColumn<PaymentCheck::Outcome>("outcome");
    QTest::addColumn<double>("newPayment");
    QTest::addColumn<QString>("error");

    using O = PaymentCheck::Outcome;
    const CalculatorKind payoff = CalculatorKind::Payoff, extra = CalculatorKind::ExtraMoney;
    for (CalculatorKind kind : {payoff, extra}) {
        const char* k = kind == payoff ? "payoff" : "extra money";
        QTest::addRow("%s: too low", k) << 17.9 << 2100.0 << 20.0 << kind << O::RaisedToMinimum << 34.0
                                        << PaymentMessage("20.00", "34.00");
        QTest::addRow("%s: least", k) << 17.9 << 2100.0 << 34.0 << kind << O::Run << 34.0 << "";
        QTest::addRow("%s: 19.99", k) << 18.0 << 1234.56 << 19.99 << kind << O::RaisedToMinimum << 20.0
                                      << PaymentMessage("19.99", "20.00");
        QTest::addRow("%s: 20", k) << 18.0 << 1234.56 << 20.0 << kind << O::Run << 20.0 << "";
        QTest::addRow("%s: no balance", k) << 17.9 << 0.0 << 0.0 << kind << O::RaisedToMinimum << 1.0
                                           << PaymentMessage("0.00", "1.00");
        QTest::addRow("%s: no balance, 1", k) << 17.9 << 0.0 << 1.0 << kind << O::Run << 1.0 << "";
        QTest::addRow("%s: apr 0 suggested", k) << 0.0 << 2100.0 << 0.0 << kind << O::ZeroRateSuggested << 58.33
                                                << PaymentMessage("0.00", "58.33");
        QTest::addRow("%s: apr 0 suggested 900", k) << 0.0 << 900.0 << 0.0 << kind << O::ZeroRateSuggested << 25.0
                                                    << PaymentMessage("0.00", "25.00");
        QTest::addRow("%s: apr 0, nothing owed", k) << 0.0 << 0.0 << 0.0 << kind << O::Run << 0.0 << "";
        QTest::addRow("%s: apr 0, 100", k) << 0.0 << 2100.0 << 100.0 << kind << O::Run << 100.0 << "";
        QTest::addRow("%s: apr 30 least", k) << 30.0 << 2100.0 << 54.99 << kind << O::RaisedToMinimum << 55.0
                                             << PaymentMessage("54.99", "55.00");
    }
    // At APR 0 the extra-money calculator wants the debt paid within 100 years.
    QTest::newRow("extra money: apr 0, 1.00") << 0.0 << 2100.0 << 1.0 << extra << O::RaisedToMinimum << 1.75
                                              << PaymentMessage("1.00", "1.75");
    QTest::newRow("extra money: apr 0, 1.75") << 0.0 << 2100.0 << 1.75 << extra << O::Run << 1.75 << "";
    QTest::newRow("extra money: apr 0, largest") << 0.0 << kLargestAmount << 0.01 << extra << O::RaisedToMinimum
                                                 << 833333333.34 << PaymentMessage("0.01", "833333333.34");
    // The payoff calculator at APR 0 counts the months without stepping them;
    // only a payment that would pass the 32-bit month count is raised.
    QTest::newRow("payoff: apr 0, 1.00") << 0.0 << 2100.0 << 1.0 << payoff << O::Run << 1.0 << "";
    QTest::newRow("payoff: apr 0, 0.01") << 0.0 << 2100.0 << 0.01 << payoff << O::Run << 0.01 << "";
    QTest::newRow("payoff: apr 0, largest") << 0.0 << kLargestAmount << 0.01 << payoff << O::RaisedToMinimum
                                            << 465.67 << PaymentMessage("0.01", "465.67");
}

void TestReader::checkPayment()
{
    QFETCH(double, apr);
    QFETCH(double, balance);
    QFETCH(double, payment);
    QFETCH(CalculatorKind, kind);
    QFETCH(PaymentCheck::Outcome, outcome);
    QFETCH(double, newPayment);
    QFETCH(QString, error);
    const PaymentCheck c = CheckPayment(apr, balance, payment, PlainTwoDecimals(payment), kind);
    QCOMPARE(static_cast<int>(c.outcome), static_cast<int>(outcome));
    EXACT(c.payment, newPayment);
    QCOMPARE(QString::fromStdString(c.paymentText), QString::fromStdString(PlainTwoDecimals(newPayment)));
    QCOMPARE(QString::fromStdString(c.error), error);
    if (outcome != PaymentCheck::Outcome::Run) {
        // Checked again with the new payment, it runs.
        const PaymentCheck again = CheckPayment(apr, balance, c.payment, c.paymentText, kind);
        QCOMPARE(static_cast<int>(again.outcome), static_cast<int>(PaymentCheck::Outcome::Run));
        if (kind == CalculatorKind::Payoff && apr == 0) {
            // The month count of the no-interest payoff stays within 32 bits.
            const PayoffState s = NoInterestPayoff(balance, c.payment);
            QVERIFY(s.MonthCount < std::numeric_limits<std::int32_t>::max());
        }
    }
}

void TestReader::checkPaymentAtPlannerApr_data()
{
    QTest::addColumn<double>("apr");
    QTest::addColumn<double>("payment");
    QTest::addColumn<double>("newPayment"); // 0: it runs

    // $2,100.00: the least payment is truncate(2,100 x (APR / 1200 + 0.001)) + 1.
    QTest::newRow("45 %, 60.00 is below 81.00") << 45.0 << 60.0 << 81.0;
    QTest::newRow("45 %, 81.00 runs") << 45.0 << 81.0 << 0.0;
    QTest::newRow("99.99 %, 170.00 is below 178.00") << 99.99 << 170.0 << 178.0;
    QTest::newRow("above 99.99 counts as 99.99") << 150.0 << 177.99 << 178.0;
    QTest::newRow("17.9 %, as the lessons") << 17.9 << 20.0 << 34.0;
}

void TestReader::checkPaymentAtPlannerApr()
{
    // The planner's card statements count the APR up to 99.99 (the lessons' 30
    // would let a payment below the interest through).
    QFETCH(double, apr);
    QFETCH(double, payment);
    QFETCH(double, newPayment);
    const PaymentCheck c =
        CheckPayment(apr, 2100, payment, PlainTwoDecimals(payment), CalculatorKind::Payoff, kPlanHighestApr);
    EXACT(c.minimumAcceptable, MinimumAcceptablePayment(apr, 2100, CalculatorKind::Payoff, kPlanHighestApr));
    if (newPayment == 0) {
        QCOMPARE(static_cast<int>(c.outcome), static_cast<int>(PaymentCheck::Outcome::Run));
        EXACT(c.payment, payment);
    } else {
        QCOMPARE(static_cast<int>(c.outcome), static_cast<int>(PaymentCheck::Outcome::RaisedToMinimum));
        EXACT(c.payment, newPayment);
        QCOMPARE(QString::fromStdString(c.error),
                 PaymentMessage(PlainTwoDecimals(payment).c_str(), PlainTwoDecimals(newPayment).c_str()));
    }
    if (apr > kLessonHighestApr) // the lessons' check lets it through at 30 %
        QCOMPARE(static_cast<int>(CheckPayment(apr, 2100, payment, "", CalculatorKind::Payoff).outcome),
                 static_cast<int>(PaymentCheck::Outcome::Run));
}

void TestReader::rereadingIsStable()
{
    // What a box shows after reading reads back as the same value.
    const char* inputs[] = {"", "abc", "1e999", "$2,100.00", "17.9%", "30.006", "45", "0.125", "999999999999.995",
                            "-5", "1e300"};
    for (AmountBox box : {AmountBox::Apr, AmountBox::Balance, AmountBox::Payment})
        for (const char* in : inputs) {
            const BoxReading first = ReadAmountBox(in, box);
            const BoxReading second = ReadAmountBox(first.text, box);
            EXACT(second.value, first.value);
            QCOMPARE(second.text, first.text);
            QVERIFY(second.information.empty());
        }
}

QTEST_APPLESS_MAIN(TestReader)
#include "tst_core_reader.moc"
