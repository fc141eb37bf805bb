// Chapter 4's pages: the overview, the payment tables, the yearly-total
// tables, their commentary pages, the closing page with its picture, and the
// ten highlight routines as a table. Data only; the page steps are in
// Chapt04.cpp.
#include "lessons/Chapt04.h"

#include <QCoreApplication>
#include <QLabel>
#include <QStackedWidget>

#include "common/Layout.h"
#include "common/PageText.h"
#include "pictures/InterestBars.h"

namespace quenmark {

namespace {

constexpr Words kWords{"quenmark::TChapter_004"};

// ---- payment tables (page 2) ----------------------------------------------------------
// The December payments of five years. Balance is before the payment; New
// Balance is Balance minus Principal. The card pays its declining minimum.
constexpr const char* kCardPayments[] = {
    "12", "$1,874.45", "$47.00", "$27.96", "$19.04", "$1,855.41", //
    "24", "$1,655.68", "$42.00", "$24.70", "$17.30", "$1,638.38", //
    "36", "$1,461.74", "$37.00", "$21.80", "$15.20", "$1,446.54", //
    "48", "$1,289.95", "$33.00", "$19.24", "$13.76", "$1,276.19", //
    "60", "$1,138.07", "$29.00", "$16.98", "$12.02", "$1,126.05", //
};
// The loan pays $53.00 every month.
constexpr const char* kLoanPayments[] = {
    "12", "$1,842.98", "$53.00", "$27.49", "$25.51", "$1,817.47", //
    "24", "$1,510.45", "$53.00", "$22.53", "$30.47", "$1,479.98", //
    "36", "$1,113.29", "$53.00", "$16.61", "$36.39", "$1,076.90", //
    "48", "$638.90",   "$53.00", "$9.53",  "$43.47", "$595.43",   //
    "60", "$72.25",    "$53.00", "$1.08",  "$51.92", "$20.33",    //
};

// ---- yearly totals (page 5) -----------------------------------------------------------
constexpr GridColumn kYearColumns[] = {
    {"Yr", 134, 30, QT_TRANSLATE_NOOP("quenmark::TChapter_004", "Yr")},
    {"Total", 166, 67, QT_TRANSLATE_NOOP("quenmark::TChapter_004", "Total Paid")},
    {"Int", 242, 67, QT_TRANSLATE_NOOP("quenmark::TChapter_004", "Interest")},
    {"IPct", 308, 51, QT_TRANSLATE_NOOP("quenmark::TChapter_004", "Pmt %")},
    {"Prin", 368, 67, QT_TRANSLATE_NOOP("quenmark::TChapter_004", "Principal")},
    {"PPct", 434, 51, QT_TRANSLATE_NOOP("quenmark::TChapter_004", "Pmt %")},
    {"Unpaid", 494, 67, QT_TRANSLATE_NOOP("quenmark::TChapter_004", "Unpaid Bal")},
};

// Year to date: everything paid from the first payment through the end of the year.
constexpr const char* kCardYears[] = {
    "1", "$600.00",   "$355.41",   "59.24%", "$244.59", "40.76%", "$1,855.41", //
    "2", "$1,131.00", "$669.38",   "59.18%", "$461.62", "40.82%", "$1,638.38", //
    "3", "$1,600.00", "$946.54",   "59.16%", "$653.46", "40.84%", "$1,446.54", //
    "4", "$2,015.00", "$1,191.19", "59.12%", "$823.81", "40.88%", "$1,276.19", //
    "5", "$2,381.00", "$1,407.05", "59.09%", "$973.95", "40.91%", "$1,126.05", //
};
constexpr const char* kLoanYears[] = {
    "1", "$636.00",   "$353.47",   "55.57%", "$282.53",   "44.43%", "$1,817.47", //
    "2", "$1,272.00", "$651.98",   "51.25%", "$620.02",   "48.75%", "$1,479.98", //
    "3", "$1,908.00", "$884.90",   "46.37%", "$1,023.10", "53.63%", "$1,076.90", //
    "4", "$2,544.00", "$1,039.43", "40.85%", "$1,504.57", "59.15%", "$595.43",   //
    "5", "$3,180.00", "$1,100.33", "34.60%", "$2,079.67", "65.40%", "$20.33",    //
};

// ---- "Here's Payment 60" (commentary pages 3 and 4 of the yearly totals) --------------
constexpr GridColumn kPayment60Columns[] = {
    {"Num", 180, 36, QT_TRANSLATE_NOOP("quenmark::TChapter_004", "Pmt")},
    {"Pmt", 215, 80, QT_TRANSLATE_NOOP("quenmark::TChapter_004", "Monthly Pmt")},
    {"Int", 294, 64, QT_TRANSLATE_NOOP("quenmark::TChapter_004", "Interest")},
    {"IPct", 357, 56, QT_TRANSLATE_NOOP("quenmark::TChapter_004", "Pmt %")},
    {"Prin", 412, 64, QT_TRANSLATE_NOOP("quenmark::TChapter_004", "Principal")},
    {"PPct", 475, 56, QT_TRANSLATE_NOOP("quenmark::TChapter_004", "Pmt %")},
};
constexpr const char* kCardPayment60[] = {"60", "$29.00", "$16.98", "58.55%", "$12.02", "41.45%"};
constexpr const char* kLoanPayment60[] = {"60", "$53.00", "$1.08", "2.04%", "$51.92", "97.96%"};

// The tables of a page: upper one (card, maroon headers) and lower one (loan, green).
struct TableSpec
{
    std::span<const GridColumn> columns;
    int left;
    int top;
    int number;
    QColor header;
    std::span<const char* const> texts;
};

// Captions at the left of a table.
struct SideCaption
{
    const char* name;
    QRect rect;
    const char* text;
    int px;
    bool bold;
    QColor colour;
};

constexpr int kPaymentLeft = 130;
constexpr int kUpperTop = 11;
constexpr int kLowerTop = 115;

const SideCaption kPaymentCaptions[] = {
    {"CardCaption", {4, 20, 122, 18}, QT_TRANSLATE_NOOP("quenmark::TChapter_004", "Credit Cards"), 14, true, colour::maroon},
    {"CardMethod", {4, 40, 122, 32}, QT_TRANSLATE_NOOP("quenmark::TChapter_004", "Declining Payment Method"), 12, true,
     colour::maroon},
    {"LoanCaption", {4, 124, 122, 18}, QT_TRANSLATE_NOOP("quenmark::TChapter_004", "Loans"), 14, true, colour::green},
    {"LoanMethod", {4, 144, 122, 32}, QT_TRANSLATE_NOOP("quenmark::TChapter_004", "Straight Amortization Method"), 12,
     true, colour::green},
};
const SideCaption kYearCaptions[] = {
    {"CardCaption", {4, 14, 126, 18}, QT_TRANSLATE_NOOP("quenmark::TChapter_004", "Credit Cards"), 14, true, colour::maroon},
    {"CardMethod", {4, 34, 126, 32}, QT_TRANSLATE_NOOP("quenmark::TChapter_004", "Declining Payment Method"), 12, true,
     colour::maroon},
    {"CardYearly", {4, 68, 126, 16}, QT_TRANSLATE_NOOP("quenmark::TChapter_004", "Yearly Totals"), 12, false,
     colour::black},
    {"LoanCaption", {4, 118, 126, 18}, QT_TRANSLATE_NOOP("quenmark::TChapter_004", "Loans"), 14, true, colour::green},
    {"LoanMethod", {4, 138, 126, 32}, QT_TRANSLATE_NOOP("quenmark::TChapter_004", "Straight Amortization Method"), 12,
     true, colour::green},
    {"LoanYearly", {4, 172, 126, 16}, QT_TRANSLATE_NOOP("quenmark::TChapter_004", "Yearly Totals"), 12, false,
     colour::black},
};

// ---- commentary -----------------------------------------------------------------------
constexpr QRect kNotebook2{8, 220, 562, 93};
constexpr QRect kNotebook3{8, 225, 561, 88};

const char* const kPaymentCommentary[] = {
    QT_TRANSLATE_NOOP("quenmark::TChapter_004",
                      "The upper table pays the <b>minimum payment</b> suggested by card issuers, 2.5% of the "
                      "balance; the lower one the <b>constant payment</b> of car and home loans, $53.00. Both start "
                      "from $2,100.00 at 17.9%. The first payment is due in January, so each row is a December "
                      "payment: 12, 24, 36, 48 and 60."),
    QT_TRANSLATE_NOOP("quenmark::TChapter_004",
                      "Look at <b>payment 24</b> in both examples. In the loan the interest, $22.53, is already "
                      "less than the principal, $30.47: the change came at payment 15. In the credit card the "
                      "interest, $24.70, is greater than the principal, $17.30, and it always will be."),
    QT_TRANSLATE_NOOP("quenmark::TChapter_004",
                      "This is why minimum payments take so long: the payment shrinks with the balance, so most of "
                      "it keeps going to interest. After 60 payments the card still owes $1,126.05, the loan only "
                      "$20.33. Next, the <b>year to date totals</b> of both."),
};

const char* const kYearCommentary[] = {
    QT_TRANSLATE_NOOP("quenmark::TChapter_004",
                      "The yearly totals add up everything paid from the first payment to the end of each year: "
                      "the total paid, how much of it was <b>interest</b> and how much was <b>principal</b>, each "
                      "as a percent of the total paid, and the balance still unpaid."),
    QT_TRANSLATE_NOOP("quenmark::TChapter_004",
                      "After 5 years of credit card payments, $2,381.00 has been paid, but only <b>$973.95</b> of "
                      "it went to the balance: an average of $16.23 per month."),
    QT_TRANSLATE_NOOP("quenmark::TChapter_004",
                      "In the loan, <b>$2079.67</b> of the $3,180.00 paid went to the balance in the same 5 years: "
                      "an average of $34.66 per month. The debt is almost gone."),
    QT_TRANSLATE_NOOP("quenmark::TChapter_004",
                      "In the credit card almost <b>60%</b> of every payment is interest and only 40% reduces the "
                      "balance. After 60 payments it is still almost 60%."),
    QT_TRANSLATE_NOOP("quenmark::TChapter_004",
                      "In the loan the principal share always rises and the interest share always falls, until "
                      "interest is only <b>2%</b> of payment 60."),
};

// ---- overview and closing page --------------------------------------------------------
constexpr const char* kOverview = QT_TRANSLATE_NOOP(
    "quenmark::TChapter_004",
    "<p>In this chapter we will:</p>"
    "<ul><li>look at the <b>year to date totals</b> of 5 years of payments,</li>"
    "<li>see the effect of making <b>minimum monthly payments</b> for 5 years,</li>"
    "<li>see the effect of making <b>constant monthly payments</b> for 5 years,</li>"
    "<li>and compare the difference between the two.</li></ul>"
    "<p>Both use the same debt as before: $2,100.00 at 17.9% APR, with a minimum payment of 2.5% of the "
    "balance and a constant payment of $53.00.</p>");

constexpr const char* kBottomLine = QT_TRANSLATE_NOOP(
    "quenmark::TChapter_004",
    "<p>Whenever you borrow money you pay interest. The only question is how much, and how you repay "
    "decides that.</p>"
    "<p>Card issuers profit from low, declining minimum payments: the smaller the payment, the longer you "
    "pay, and the more interest they collect.</p>"
    "<p><b>Remember . . .</b> the minimum payment is only the least you may pay, not what you should "
    "pay.</p>");

// The interest the running example costs, paid off in full each way.
constexpr double kCardInterest = 2487.89;
constexpr double kLoanInterest = 1100.63;
constexpr QRect kClosingPicture{343, 44, 221, 258};

void makeSideCaptions(QWidget* page, std::span<const SideCaption> captions)
{
    for (const SideCaption& c : captions)
        makeCell(page, textCell(c.name, c.rect, kWords(c.text), c.px, c.bold, c.colour,
                                Qt::AlignHCenter | Qt::AlignTop, true));
}

GridSpec gridOf(const TableSpec& t)
{
    GridSpec g;
    g.columns = t.columns;
    g.left = t.left;
    g.top = t.top;
    g.number = t.number;
    g.headerText = t.header;
    if (t.columns.data() != kLedgerColumns)
        g.context = kWords.context;
    return g;
}

// A "Here's Payment 60" table under a commentary: the caption at the left,
// headers in the table's colour with white text.
void addPayment60(QWidget* page, int number, const QColor& colour, std::span<const char* const> texts)
{
    QLabel* text = page->findChild<QLabel*>(QStringLiteral("PageText"));
    text->setGeometry(text->x(), text->y(), text->width(), 38);
    makeCell(page, textCell(number == 50 ? "CardPayment60Caption" : "LoanPayment60Caption", {4, 52, 170, 20},
                            kWords(QT_TRANSLATE_NOOP("quenmark::TChapter_004", "Here's Payment 60")), 13,
                            true, colour, Qt::AlignRight | Qt::AlignVCenter));
    GridSpec g;
    g.columns = kPayment60Columns;
    g.top = 48;
    g.number = number;
    g.headerText = colour::white;
    g.headerBackground = colour;
    g.context = kWords.context;
    makeGrid(page, g, texts);
}

} // namespace

std::vector<HighlightRow> TChapter_004::highlightRoutines()
{
    using R = CellRole;
    auto one = [](const char* name, R role = R::Body) {
        return std::vector<MarkedCell>{{QString::fromLatin1(name), role}};
    };
    // Payment 24 is the second row of both payment tables (rows 02 and 12).
    std::vector<MarkedCell> payment24;
    for (const char* table : {"0", "1"})
        for (const char* column : {"Num", "Bal", "Pmt", "Int", "Prin", "NBal"})
            payment24.push_back({QString::fromLatin1(column) + QLatin1String(table) + QLatin1Char('2'), R::Body});

    auto principal = [&](const char* header, const char* fifth, const char* year, const char* total,
                         const char* interest, const char* share, int first) {
        return joinCells({one(header, R::Header), cellRange("Prin", first, first + 3), one(fifth, R::Cross),
                          one(year, R::Cross), one(total), one(interest), one(share)});
    };
    auto percents = [&](const char* interestHeader, const char* principalHeader, int first) {
        return joinCells({one(interestHeader, R::Header), one(principalHeader, R::Header),
                          cellRange("IPct", first, first + 4), cellRange("PPct", first, first + 4)});
    };
    auto s = [](const char* text) { return QString::fromLatin1(text); };
    return {
        {s("HighlightPayment24"), s("RestorePayment24"), s("Num02"), colour::maroon, payment24},
        {s("HighlightCardPrincipal"), s("RestoreCardPrincipal"), s("Prin30"), colour::maroon,
         principal("Prin30", "Prin35", "Yr35", "Total35", "Int35", "IPct35", 31)},
        {s("HighlightLoanPrincipal"), s("RestoreLoanPrincipal"), s("Prin40"), colour::green,
         principal("Prin40", "Prin45", "Yr45", "Total45", "Int45", "IPct45", 41)},
        {s("HighlightCardPercents"), s("RestoreCardPercents"), s("IPct30"), colour::maroon, percents("IPct30", "PPct30", 31)},
        {s("HighlightLoanPercents"), s("RestoreLoanPercents"), s("IPct40"), colour::green, percents("IPct40", "PPct40", 41)},
    };
}

void TChapter_004::buildPages()
{
    // Page 1: the overview.
    QWidget* overview = addPage(QStringLiteral("Overview"));
    makeCell(overview, textCell("Heading", {14, 8, 550, 26},
                                tr(QT_TRANSLATE_NOOP("quenmark::TChapter_004", " Chapter Overview: ")), 18,
                                true, colour::textBlue));
    makeProse(overview, "OverviewText", {14, 42, 550, 270}, tr(kOverview), 14);

    // Pages 2 to 4: the payment tables.
    QWidget* payments = addPage(QStringLiteral("PaymentTables"));
    makeSideCaptions(payments, kPaymentCaptions);
    const TableSpec paymentTables[] = {
        {kLedgerColumns, kPaymentLeft, kUpperTop, 0, colour::maroon, kCardPayments},
        {kLedgerColumns, kPaymentLeft, kLowerTop, 10, colour::green, kLoanPayments},
    };
    for (const TableSpec& t : paymentTables)
        makeGrid(payments, gridOf(t), t.texts, true);
    // The third new balance of the card table is spelled this way.
    payments->findChild<QLabel*>(QStringLiteral("NBal03"))->setObjectName(QStringLiteral("Nbal03"));
    m_notebook2 = makeTextBook(payments, "Notebook2", kNotebook2, kPaymentCommentary, kWords, 12);

    // Pages 5 to 9: the yearly totals.
    QWidget* years = addPage(QStringLiteral("YearlyTotals"));
    makeSideCaptions(years, kYearCaptions);
    const TableSpec yearTables[] = {
        {kYearColumns, 0, kUpperTop, 30, colour::maroon, kCardYears},
        {kYearColumns, 0, kLowerTop, 40, colour::green, kLoanYears},
    };
    for (const TableSpec& t : yearTables)
        makeGrid(years, gridOf(t), t.texts, true);
    m_notebook3 = makeTextBook(years, "Notebook3", kNotebook3, kYearCommentary, kWords, 12);
    addPayment60(m_notebook3->widget(3), 50, colour::maroon, kCardPayment60);
    addPayment60(m_notebook3->widget(4), 60, colour::green, kLoanPayment60);

    // Page 10: the bottom line.
    QWidget* closing = addPage(QStringLiteral("BottomLine"));
    makeCell(closing, textCell("Heading", {14, 8, 320, 26},
                               tr(QT_TRANSLATE_NOOP("quenmark::TChapter_004", "The Bottom Line . . .")), 18,
                               true, colour::maroon));
    makeProse(closing, "BottomLineText", {14, 44, 316, 270}, tr(kBottomLine), 14);
    InterestChart chart;
    chart.title = tr(
        QT_TRANSLATE_NOOP("quenmark::TChapter_004", "Interest paid on $2100 at 17.9%\nwith a $53 payment"));
    chart.bars = {
        {tr(QT_TRANSLATE_NOOP("quenmark::TChapter_004", "Credit Card")), kCardInterest, colour::maroon},
        {tr(QT_TRANSLATE_NOOP("quenmark::TChapter_004", "Loan")), kLoanInterest, colour::green}};
    chart.scaleStep = 250;
    chart.scaleTop = 2500;
    m_closingPicture = new InterestBarsPicture(chart, kClosingPicture.size(), closing);
    m_closingPicture->setObjectName(QStringLiteral("BottomLinePicture"));
    m_closingPicture->move(kClosingPicture.topLeft());
}

} // namespace quenmark
