// Chapter 2's pages: headings, prose, the two-column example panels and the
// layout of the calculator page. Data only; the behaviour is in Chapt02.cpp.
#include "lessons/Chapt02.h"

#include <QLabel>
#include <span>

#include "common/PageText.h"

namespace quenmark {

namespace {

constexpr Words kWords{"quenmark::TChapter_002"};

struct ExampleRow
{
    const char* text;
    const char* value;
};

struct TermPage
{
    const char* name;     // notebook page name
    const char* heading;
    const char* prose;    // rich text
    int proseHeight;
    std::span<const ExampleRow> rows;
    const char* closing;  // a bold line under the prose, or nullptr
};

constexpr ExampleRow kPeriodicRows[] = {
    {QT_TRANSLATE_NOOP("quenmark::TChapter_002", " Example  17.9% divided by 12"), " = 1.4916666%"},
    {QT_TRANSLATE_NOOP("quenmark::TChapter_002", " Rounded"), " = 1.49167%"},
    {QT_TRANSLATE_NOOP("quenmark::TChapter_002", " Converted to a decimal number"), " = 0.0149167"},
};
constexpr ExampleRow kFinanceChargeRows[] = {
    {QT_TRANSLATE_NOOP("quenmark::TChapter_002", " Example $2100 multiplied by 0.0149167"), " = $31.32507"},
    {QT_TRANSLATE_NOOP("quenmark::TChapter_002", " Rounded"), " = $31.33"},
};
constexpr ExampleRow kPercentRows[] = {
    {QT_TRANSLATE_NOOP("quenmark::TChapter_002", " Example Minimum Payment Percentage"), " = 2.5%"},
    {QT_TRANSLATE_NOOP("quenmark::TChapter_002", " Converted to a whole number (divide by 100)"), " = 0.025"},
};
constexpr ExampleRow kPaymentRows[] = {
    {QT_TRANSLATE_NOOP("quenmark::TChapter_002", " Example  $2100 multiplied by 0.025"), " = $52.50"},
    {QT_TRANSLATE_NOOP("quenmark::TChapter_002", " Rounded"), " = $53.00"},
};

const TermPage kTermPages[] = {
    {"page00", QT_TRANSLATE_NOOP("quenmark::TChapter_002", "Chapter Overview:"),
     QT_TRANSLATE_NOOP("quenmark::TChapter_002",
                       "<p>Every credit card statement uses a handful of terms. This chapter explains them "
                       "one page at a time, with the card we follow through the whole tutorial: "
                       "$2,100.00 at 17.9% APR.</p>"
                       "<table width='100%' cellspacing='0' cellpadding='1'><tr>"
                       "<td width='50%' valign='top'><b>The terms:</b><br>"
                       "&nbsp;&nbsp;Periodic Rate<br>&nbsp;&nbsp;Monthly Finance Charge<br>"
                       "&nbsp;&nbsp;Minimum Payment Percent<br>&nbsp;&nbsp;Minimum Monthly Payment<br><br>"
                       "<b>Introductory Offer</b></td>"
                       "<td width='50%' valign='top'><b>Finance Charge Calculation Methods:</b><br>"
                       "&nbsp;&nbsp;Previous Balance Method<br>&nbsp;&nbsp;Average Daily Balance<br>"
                       "&nbsp;&nbsp;Adjusted Balance Method</td></tr></table>"
                       "<p>At the end of the chapter, the <b>Credit Card</b> <b>Calculator</b> lets you "
                       "check one of your own cards.</p>"),
     230, {}, nullptr},
    {"page01", QT_TRANSLATE_NOOP("quenmark::TChapter_002", "PERIODIC RATE"),
     QT_TRANSLATE_NOOP("quenmark::TChapter_002",
                       "<p>Card issuers quote an <b>Annual Percentage Rate</b> (APR). The rate charged for one "
                       "month, the <b>periodic rate</b>, is the APR divided by 12.</p>"
                       "<p>Carry the division to at least five decimal places, then turn the percentage into "
                       "a decimal number so that it can be multiplied by a balance.</p>"),
     110, kPeriodicRows, nullptr},
    {"page02", QT_TRANSLATE_NOOP("quenmark::TChapter_002", "MONTHLY FINANCE CHARGE"),
     QT_TRANSLATE_NOOP("quenmark::TChapter_002",
                       "<p>The <b>monthly finance charge</b> is the interest added to what you owe each month: "
                       "the balance multiplied by the periodic rate.</p>"
                       "<p>Most issuers apply the rate to the <b>average daily balance</b> of the billing "
                       "period. Our examples use the balance carried into the month.</p>"),
     110, kFinanceChargeRows, nullptr},
    {"page03", QT_TRANSLATE_NOOP("quenmark::TChapter_002", "MINIMUM PAYMENT PERCENTAGE"),
     QT_TRANSLATE_NOOP("quenmark::TChapter_002",
                       "<p>Each issuer decides what share of your balance is due every month. It is usually "
                       "between 1/25th and 1/60th of the balance, quoted as a percentage such as 2%, 2.5% "
                       "or 3%.</p>"
                       "<p>The lessons in this tutorial use 2.5%.</p>"),
     110, kPercentRows, nullptr},
    {"page04", QT_TRANSLATE_NOOP("quenmark::TChapter_002", "MINIMUM MONTHLY PAYMENT"),
     QT_TRANSLATE_NOOP("quenmark::TChapter_002",
                       "<p>The <b>minimum monthly payment</b> is the balance multiplied by the minimum payment "
                       "percentage, rounded to whole dollars.</p>"
                       "<p>Because it is a share of the balance, it changes with the balance: as the balance "
                       "goes down, so does the payment, and so does the part of the debt repaid each "
                       "month.</p>"),
     110, kPaymentRows, nullptr},
    {"page05", QT_TRANSLATE_NOOP("quenmark::TChapter_002", "Finance Charge Calculation Methods"),
     QT_TRANSLATE_NOOP("quenmark::TChapter_002",
                       "<p><b>AVERAGE DAILY BALANCE METHOD</b><br>The balances owed at the end of each day of "
                       "the billing period are added up and divided by the number of days. Purchases count "
                       "from the day they are made, payments only from the day they arrive. Most issuers "
                       "use this method.</p>"
                       "<p><b>PREVIOUS BALANCE METHOD</b><br>The finance charge is worked out on the balance "
                       "owed at the start of the billing period. Payments made during the month do not "
                       "lower it, so this method costs you the most.</p>"
                       "<p><b>ADJUSTED BALANCE METHOD</b><br>Payments made during the billing period are "
                       "subtracted from the starting balance before the finance charge is worked out. This "
                       "method costs you the least, and few issuers use it.</p>"),
     280, {}, nullptr},
    {"page06", QT_TRANSLATE_NOOP("quenmark::TChapter_002", "INTRODUCTORY OFFER"),
     QT_TRANSLATE_NOOP("quenmark::TChapter_002",
                       "<p>Many cards win new customers with a low <b>introductory rate</b> that lasts from 90 "
                       "days to a year. When it ends, the rate jumps to the card's regular APR, which is "
                       "often much higher.</p>"
                       "<p>Read the fine print on balance transfers: the low rate may apply only to the "
                       "balance you move to the card, new purchases may be charged the regular rate from the "
                       "first day, and your payments may go to the cheapest balance first.</p>"),
     180, {}, QT_TRANSLATE_NOOP("quenmark::TChapter_002", "Not All Credit Card Offers Are The Same...")},
};

// A framed box of rows: the description on the left, the value on the right.
void addExample(QWidget* page, std::span<const ExampleRow> rows, int top)
{
    constexpr int rowHeight = 26;
    const int height = static_cast<int>(rows.size()) * rowHeight + 12;
    addText(page, kWords,
            {.name = "ExamplePanel",
             .rect = {60, top, 458, height},
             .background = QColor(255, 255, 224),
             .kind = CellKind::Panel});
    int y = top + 6;
    int row = 1;
    for (const ExampleRow& r : rows) {
        const QByteArray textName = "ExampleText" + QByteArray::number(row);
        const QByteArray valueName = "ExampleValue" + QByteArray::number(row);
        addText(
            page, kWords,
            {.name = textName.constData(), .rect = {70, y, 310, rowHeight}, .text = r.text, .fontPx = 14});
        addText(page, kWords,
                {.name = valueName.constData(),
                 .rect = {384, y, 124, rowHeight},
                 .text = r.value,
                 .foreground = colour::maroon,
                 .fontPx = 14,
                 .bold = true});
        y += rowHeight;
        ++row;
    }
}

void buildTermPage(QWidget* page, const TermPage& data)
{
    addText(page, kWords, heading(data.heading));
    addText(page, kWords, prose("Prose", {14, 40, 550, data.proseHeight}, data.prose));
    if (!data.rows.empty())
        addExample(page, data.rows, 40 + data.proseHeight + 16);
    if (data.closing)
        addText(page, kWords,
                {.name = "Closing",
                 .rect = {14, 40 + data.proseHeight + 20, 550, 28},
                 .text = data.closing,
                 .foreground = colour::maroon,
                 .fontPx = 16,
                 .bold = true,
                 .align = Qt::AlignCenter});
}

// ---- the calculator page ------------------------------------------------------------

// Labels above their boxes, 46 pixels apart.
constexpr CalculatorInputs kInputs{
    .labels = {{{14, 58, 200, 18}, {14, 104, 200, 18}, {14, 150, 200, 18}, {14, 196, 200, 18}}},
    .boxes = {{{14, 76, 200, 24}, {14, 122, 200, 24}, {14, 168, 200, 24}, {14, 214, 200, 24}}},
    .labelPx = 13,
};

// The results in StdPanel: labels, and boxes whose rectangles include their one-pixel border.
constexpr ResultItem kResults[] = {
    {.name = "lblStdTime",
     .rect = {8, 40, 112, 22},
     .text = QT_TRANSLATE_NOOP("quenmark::TChapter_002", "Payoff Time")},
    {.name = "EditStdYr",
     .rect = {123, 39, 54, 24},
     .text = QT_TRANSLATE_NOOP("quenmark::TChapter_002", "Payoff Time Yr"),
     .field = ResultField::Years},
    {.name = "lblStdYr",
     .rect = {176, 40, 30, 22},
     .text = QT_TRANSLATE_NOOP("quenmark::TChapter_002", " Yr ")},
    {.name = "EditStdMo",
     .rect = {207, 39, 54, 24},
     .text = QT_TRANSLATE_NOOP("quenmark::TChapter_002", "Payoff Time Mo"),
     .field = ResultField::Months},
    {.name = "lblStdPayments",
     .rect = {8, 70, 112, 22},
     .text = QT_TRANSLATE_NOOP("quenmark::TChapter_002", " Total Payments ")},
    {.name = "EditStdPayments",
     .rect = {123, 69, 174, 24},
     .text = QT_TRANSLATE_NOOP("quenmark::TChapter_002", "Total Payments"),
     .field = ResultField::Payments},
    {.name = "lblStdInterest",
     .rect = {8, 100, 112, 22},
     .text = QT_TRANSLATE_NOOP("quenmark::TChapter_002", "Interest Paid ")},
    {.name = "EditStdInterest",
     .rect = {123, 99, 174, 24},
     .text = QT_TRANSLATE_NOOP("quenmark::TChapter_002", "Interest Paid"),
     .field = ResultField::Interest},
    {.name = "lblStdMoney",
     .rect = {8, 130, 112, 22},
     .text = QT_TRANSLATE_NOOP("quenmark::TChapter_002", "Money Paid ")},
    {.name = "EditStdMoney",
     .rect = {123, 129, 174, 24},
     .text = QT_TRANSLATE_NOOP("quenmark::TChapter_002", "Money Paid"),
     .field = ResultField::Money},
    {.name = "lblStdAverage",
     .rect = {8, 160, 112, 22},
     .text = QT_TRANSLATE_NOOP("quenmark::TChapter_002", "Average Payment")},
    {.name = "EditStdAverage",
     .rect = {123, 159, 174, 24},
     .text = QT_TRANSLATE_NOOP("quenmark::TChapter_002", "Average Payment"),
     .field = ResultField::Average},
    {.name = "lblStdMo",
     .rect = {262, 40, 34, 22},
     .text = QT_TRANSLATE_NOOP("quenmark::TChapter_002", " Mo ")},
};

const ResultPanelSpec kResultPanel{
    .context = kWords.context,
    .name = "StdPanel",
    .rect = {256, 70, 308, 192},
    .gaugeName = "Gauge",
    .gaugeRect = {8, 10, 292, 22},
    .gaugeSpoken = QT_TRANSLATE_NOOP("quenmark::TChapter_002", "Payoff progress"),
    .items = kResults,
};

const PageText kCalculatorTexts[] = {
    heading(QT_TRANSLATE_NOOP("quenmark::TChapter_002", "Check Out One of Your Credit Cards")),
    {.name = "Invitation",
     .rect = {14, 34, 236, 22},
     .text = QT_TRANSLATE_NOOP("quenmark::TChapter_002", "Fill in the boxes and click \"Calculate\"."),
     .fontPx = 12},
};

// Three lines of 14 px, padding and a border; the words keep clear of the border.
const PageText kWhy{
    .name = "PanelWhy",
    .rect = {14, 274, 234, 50},
    .text = QT_TRANSLATE_NOOP("quenmark::TChapter_002",
                              "In the next chapter, I'll explain why credit cards cost so much and "
                              "take so long to pay off."),
    .background = QColor(255, 255, 224),
    .foreground = colour::textBlue,
    .fontPx = 12,
    .bold = true,
    .align = Qt::AlignCenter,
    .kind = CellKind::Panel,
    .wordWrap = true};

} // namespace

void TChapter_002::buildPages()
{
    for (const TermPage& data : kTermPages)
        buildTermPage(addPage(QString::fromLatin1(data.name)), data);
    buildCalculatorPage(addPage(QStringLiteral("page07")));
}

void TChapter_002::buildCalculatorPage(QWidget* page)
{
    addTexts(page, kWords, kCalculatorTexts);
    m_calc.addInputs(page, kInputs);
    m_calc.addCalculate(page, "BtnGoFigure", {14, 244, 110, 26});
    QLabel* why = addText(page, kWords, kWhy);
    why->setMargin(3);
    m_why = why;
    m_calc.addAbortNotice(page, {256, 46, 308, 20});
    m_display = m_calc.addResults(page, kResultPanel);
    m_calc.addStop(page, {360, 270, 100, 26});
    m_calc.finish();
}

} // namespace quenmark
