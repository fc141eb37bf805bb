// Chapter 2's pages: headings, prose, the two-column example panels and the
// layout of the calculator page. Data only; the behaviour is in Chapt02.cpp.
#include "lessons/Chapt02.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <array>
#include <span>

#include "common/Layout.h"

namespace quenmark {

namespace {

QString tr2(const char* text)
{
    return QCoreApplication::translate("quenmark::TChapter_002", text);
}

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

constexpr int kPageWidth = 578;
constexpr int kMargin = 14;

void addHeading(QWidget* page, const char* heading)
{
    CellSpec spec;
    spec.name = "Heading";
    spec.rect = QRect(kMargin, 8, kPageWidth - 2 * kMargin, 26);
    spec.text = tr2(heading);
    spec.foreground = colour::textBlue;
    spec.fontPx = 18;
    spec.bold = true;
    makeCell(page, spec);
}

// A framed box of rows: the description on the left, the value on the right.
void addExample(QWidget* page, std::span<const ExampleRow> rows, int top)
{
    constexpr int rowHeight = 26;
    const int height = static_cast<int>(rows.size()) * rowHeight + 12;
    CellSpec frame;
    frame.name = "ExamplePanel";
    frame.rect = QRect(60, top, 458, height);
    frame.background = QColor(255, 255, 224);
    frame.kind = CellKind::Panel;
    makeCell(page, frame);
    int y = top + 6;
    int row = 1;
    for (const ExampleRow& r : rows) {
        CellSpec text;
        const QByteArray textName = "ExampleText" + QByteArray::number(row);
        const QByteArray valueName = "ExampleValue" + QByteArray::number(row);
        text.name = textName.constData();
        text.rect = QRect(70, y, 310, rowHeight);
        text.text = tr2(r.text);
        text.fontPx = 14;
        text.foreground = colour::black;
        QLabel* t = makeCell(page, text);
        t->setTextFormat(Qt::PlainText);
        CellSpec value = text;
        value.name = valueName.constData();
        value.rect = QRect(384, y, 124, rowHeight);
        value.text = QString::fromLatin1(r.value);
        value.foreground = colour::maroon;
        value.bold = true;
        QLabel* v = makeCell(page, value);
        v->setTextFormat(Qt::PlainText);
        y += rowHeight;
        ++row;
    }
}

void buildTermPage(QWidget* page, const TermPage& data)
{
    addHeading(page, data.heading);
    CellSpec prose;
    prose.name = "Prose";
    prose.rect = QRect(kMargin, 40, kPageWidth - 2 * kMargin, data.proseHeight);
    prose.text = tr2(data.prose);
    prose.fontPx = 13;
    prose.align = Qt::AlignLeft | Qt::AlignTop;
    prose.wordWrap = true;
    QLabel* p = makeCell(page, prose);
    p->setTextFormat(Qt::RichText);
    if (!data.rows.empty())
        addExample(page, data.rows, 40 + data.proseHeight + 16);
    if (data.closing) {
        CellSpec closing;
        closing.name = "Closing";
        closing.rect = QRect(kMargin, 40 + data.proseHeight + 20, kPageWidth - 2 * kMargin, 28);
        closing.text = tr2(data.closing);
        closing.fontPx = 16;
        closing.bold = true;
        closing.foreground = colour::maroon;
        closing.align = Qt::AlignCenter;
        makeCell(page, closing);
    }
}

// ---- the calculator page ------------------------------------------------------------

struct InputSpec
{
    const char* labelName;
    const char* editName;
    const char* caption; // label text, also the box's accessible name
    int top;
};

constexpr InputSpec kInputs[] = {
    {"LabelName", "EditName", QT_TRANSLATE_NOOP("quenmark::TChapter_002", "Creditor Name"), 58},
    {"LabelAPR", "EditApr", QT_TRANSLATE_NOOP("quenmark::TChapter_002", "Annual Percentage Rate"), 104},
    {"LabelBal", "EditBal", QT_TRANSLATE_NOOP("quenmark::TChapter_002", "Current Balance"), 150},
    {"LabelPmt", "EditPmt", QT_TRANSLATE_NOOP("quenmark::TChapter_002", "Monthly Payment"), 196},
};
constexpr int kInputLeft = 14;
constexpr int kInputWidth = 200;

// Result rows inside StdPanel: label, box, accessible name of the box.
struct ResultSpec
{
    const char* labelName;
    const char* labelText;
    QRect labelRect;
    const char* editName;
    QRect editRect;
    const char* accessibleName;
};

constexpr ResultSpec kResults[] = {
    {"lblStdTime", QT_TRANSLATE_NOOP("quenmark::TChapter_002", "Payoff Time"), {8, 40, 112, 22}, "EditStdYr",
     {124, 40, 52, 22}, QT_TRANSLATE_NOOP("quenmark::TChapter_002", "Payoff Time Yr")},
    {"lblStdYr", QT_TRANSLATE_NOOP("quenmark::TChapter_002", " Yr "), {176, 40, 30, 22}, "EditStdMo", {208, 40, 52, 22},
     QT_TRANSLATE_NOOP("quenmark::TChapter_002", "Payoff Time Mo")},
    {"lblStdPayments", QT_TRANSLATE_NOOP("quenmark::TChapter_002", " Total Payments "), {8, 70, 112, 22},
     "EditStdPayments", {124, 70, 172, 22}, QT_TRANSLATE_NOOP("quenmark::TChapter_002", "Total Payments")},
    {"lblStdInterest", QT_TRANSLATE_NOOP("quenmark::TChapter_002", "Interest Paid "), {8, 100, 112, 22}, "EditStdInterest",
     {124, 100, 172, 22}, QT_TRANSLATE_NOOP("quenmark::TChapter_002", "Interest Paid")},
    {"lblStdMoney", QT_TRANSLATE_NOOP("quenmark::TChapter_002", "Money Paid "), {8, 130, 112, 22}, "EditStdMoney",
     {124, 130, 172, 22}, QT_TRANSLATE_NOOP("quenmark::TChapter_002", "Money Paid")},
    {"lblStdAverage", QT_TRANSLATE_NOOP("quenmark::TChapter_002", "Average Payment"), {8, 160, 112, 22}, "EditStdAverage",
     {124, 160, 172, 22}, QT_TRANSLATE_NOOP("quenmark::TChapter_002", "Average Payment")},
};
constexpr QRect kMoLabelRect{262, 40, 34, 22}; // lblStdMo " Mo "

constexpr QRect kStdPanelRect{256, 70, 308, 192};
constexpr QRect kGaugeRect{8, 10, 292, 22};
constexpr QRect kAbortRect{256, 46, 308, 20};
constexpr QRect kStopRect{360, 270, 100, 26};
constexpr QRect kGoFigureRect{kInputLeft, 244, 110, 26};
constexpr QRect kWhyRect{kInputLeft, 274, 234, 50}; // three lines of 14 px, padding and a border

} // namespace

void TChapter_002::buildPages()
{
    for (const TermPage& data : kTermPages)
        buildTermPage(addPage(QString::fromLatin1(data.name)), data);
    m_calc = buildCalculatorPage(addPage(QStringLiteral("page07")));
}

TChapter_002::Calculator TChapter_002::buildCalculatorPage(QWidget* page)
{
    Calculator c;
    addHeading(page, QT_TRANSLATE_NOOP("quenmark::TChapter_002", "Check Out One of Your Credit Cards"));
    CellSpec invite;
    invite.name = "Invitation";
    invite.rect = QRect(kMargin, 34, 236, 22);
    invite.text = tr2(QT_TRANSLATE_NOOP("quenmark::TChapter_002", "Fill in the boxes and click \"Calculate\"."));
    invite.fontPx = 12;
    makeCell(page, invite);

    ClickLabel* labels[4];
    QLineEdit* edits[4];
    for (int i = 0; i < 4; ++i) {
        const InputSpec& in = kInputs[i];
        labels[i] = new ClickLabel(tr2(in.caption), page);
        labels[i]->setObjectName(QString::fromLatin1(in.labelName));
        labels[i]->setGeometry(kInputLeft, in.top, kInputWidth, 18);
        labels[i]->setFont(arialPx(13, true));
        edits[i] = new QLineEdit(page);
        edits[i]->setObjectName(QString::fromLatin1(in.editName));
        edits[i]->setGeometry(kInputLeft, in.top + 18, kInputWidth, 24);
        edits[i]->setFont(arialPx(13));
        edits[i]->setAccessibleName(tr2(in.caption));
        labels[i]->setBuddy(edits[i]);
    }
    c.labelName = labels[0];
    c.labelApr = labels[1];
    c.labelBal = labels[2];
    c.labelPmt = labels[3];
    c.editName = edits[0];
    c.editApr = edits[1];
    c.editBal = edits[2];
    c.editPmt = edits[3];

    c.goFigure = new QPushButton(tr2(QT_TRANSLATE_NOOP("quenmark::TChapter_002", "Calculate")), page);
    c.goFigure->setObjectName(QStringLiteral("BtnGoFigure"));
    c.goFigure->setGeometry(kGoFigureRect);
    c.goFigure->setAutoDefault(false);

    CellSpec why;
    why.name = "PanelWhy";
    why.rect = kWhyRect;
    why.text = tr2(QT_TRANSLATE_NOOP("quenmark::TChapter_002", "In the next chapter, I'll explain why credit cards cost so "
                                                     "much and take so long to pay off."));
    why.background = QColor(255, 255, 224);
    why.foreground = colour::textBlue;
    why.fontPx = 12;
    why.bold = true;
    why.kind = CellKind::Panel;
    why.align = Qt::AlignCenter;
    why.wordWrap = true;
    QLabel* whyLabel = makeCell(page, why);
    whyLabel->setMargin(3); // the words keep clear of the border
    c.why = whyLabel;

    CellSpec abort;
    abort.name = "LblAbort";
    abort.rect = kAbortRect;
    abort.text = tr2(QT_TRANSLATE_NOOP("quenmark::TChapter_002", " ** Calculation Aborted by User ** "));
    abort.background = colour::maroon;
    abort.foreground = QColor(255, 255, 160);
    abort.fontPx = 13;
    abort.bold = true;
    abort.align = Qt::AlignCenter;
    c.abort = makeCell(page, abort);

    CellSpec results;
    results.name = "StdPanel";
    results.rect = kStdPanelRect;
    results.background = colour::teal;
    results.kind = CellKind::Panel;
    QWidget* panel = makeCell(page, results);
    c.display.gauge =
        makeGauge(panel, "Gauge", kGaugeRect, tr2(QT_TRANSLATE_NOOP("quenmark::TChapter_002", "Payoff progress")));

    ResultBox* boxes[6];
    for (int i = 0; i < 6; ++i) {
        const ResultSpec& r = kResults[i];
        CellSpec label;
        label.name = r.labelName;
        label.rect = r.labelRect;
        label.text = tr2(r.labelText);
        label.foreground = colour::white;
        label.fontPx = 13;
        label.bold = true;
        makeCell(panel, label)->setTextFormat(Qt::PlainText);
        // The box's rectangle includes its one-pixel border.
        boxes[i] = makeResultBox(panel, r.editName, r.editRect.adjusted(-1, -1, 1, 1), tr2(r.accessibleName));
    }
    CellSpec mo;
    mo.name = "lblStdMo";
    mo.rect = kMoLabelRect;
    mo.text = tr2(QT_TRANSLATE_NOOP("quenmark::TChapter_002", " Mo "));
    mo.foreground = colour::white;
    mo.fontPx = 13;
    mo.bold = true;
    makeCell(panel, mo)->setTextFormat(Qt::PlainText);
    c.display.years = boxes[0];
    c.display.months = boxes[1];
    c.display.payments = boxes[2];
    c.display.interest = boxes[3];
    c.display.money = boxes[4];
    c.display.average = boxes[5];

    c.stop = new QPushButton(tr2(QT_TRANSLATE_NOOP("quenmark::TChapter_002", "Stop")), page);
    c.stop->setObjectName(QStringLiteral("BtnStop"));
    c.stop->setGeometry(kStopRect);
    c.stop->setAutoDefault(false);

    // Tab order: name, APR, balance, payment, Calculate (then Stop while it shows).
    QWidget::setTabOrder(c.editName, c.editApr);
    QWidget::setTabOrder(c.editApr, c.editBal);
    QWidget::setTabOrder(c.editBal, c.editPmt);
    QWidget::setTabOrder(c.editPmt, c.goFigure);
    QWidget::setTabOrder(c.goFigure, c.stop);
    return c;
}

} // namespace quenmark
