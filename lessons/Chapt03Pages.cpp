// Chapter 3's pages: the overview, the payment grid with its two buttons, the
// ten text pages under it, and the two fixed tables. Data only; the behaviour
// is in Chapt03.cpp.
#include "lessons/Chapt03.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>

#include "common/Layout.h"
#include "common/PageText.h"

namespace quenmark {

namespace {

constexpr Words kWords{"quenmark::TChapter_003"};

// The minimum payment is 2.5 % of the balance rounded up to whole dollars.
constexpr TChapter_003::FixedRow kMinimumTable[] = {
    {2100.00, 53.00, 31.33}, {2078.33, 52.00, 31.00}, {2057.33, 52.00, 30.69}, {2036.02, 51.00, 30.37},
    {2015.39, 51.00, 30.06}, {1994.45, 50.00, 29.75}, {1974.20, 50.00, 29.45}, {1953.65, 49.00, 29.14},
    {1933.79, 49.00, 28.85}, {1913.64, 48.00, 28.55}, {1894.19, 48.00, 28.26}, {1874.45, 47.00, 27.96},
};
// The loan pays $53.00 every month.
constexpr TChapter_003::FixedRow kConstantTable[] = {
    {2100.00, 53.00, 31.33}, {2078.33, 53.00, 31.00}, {2056.33, 53.00, 30.67}, {2034.00, 53.00, 30.34},
    {2011.34, 53.00, 30.00}, {1988.34, 53.00, 29.66}, {1965.00, 53.00, 29.31}, {1941.31, 53.00, 28.96},
    {1917.27, 53.00, 28.60}, {1892.87, 53.00, 28.24}, {1868.11, 53.00, 27.87}, {1842.98, 53.00, 27.49},
};

// ---- the grid -------------------------------------------------------------------------
constexpr int kGridLeft = 12;
constexpr int kGridTop = 26;
constexpr QRect kGridTitle{12, 4, 435, 20};
constexpr QRect kNextPmt{464, 70, 100, 28};
constexpr QRect kShowAll{464, 108, 100, 28};
// The totals row under row 12: "Totals" and the sums of payments, interest and principal.
constexpr int kTotalColumns[] = {0, 2, 3, 4};
constexpr QRect kNotebook2{8, 242, 562, 80};

// ---- the text pages -------------------------------------------------------------------
constexpr int kTextPx = 12;
constexpr int kLineHeight = 18;

// A piece of an instruction line; button words are drawn like the buttons they name.
struct Piece
{
    const char* text;
    bool buttonWord;
};

struct Line
{
    int y;
    Piece pieces[3];
};

struct TextPage
{
    const char* prose;           // rich text at the top of the page
    int proseHeight;
    const Line* instructions;    // two lines of three pieces: the six labels hidden when the table is full
    const Line* closing;         // a line that stays
};

const Line kCardInstructions[] = {
    {22,
     {{QT_TRANSLATE_NOOP("quenmark::TChapter_003", "The 1st payment is already filled in for you.  Click the"), false},
      {QT_TRANSLATE_NOOP("quenmark::TChapter_003", " Next Pmt "), true},
      {QT_TRANSLATE_NOOP("quenmark::TChapter_003", "button to add"), false}}},
    {40,
     {{QT_TRANSLATE_NOOP("quenmark::TChapter_003", "the payments one at a time, or click the"), false},
      {QT_TRANSLATE_NOOP("quenmark::TChapter_003", " Show All "), true},
      {QT_TRANSLATE_NOOP("quenmark::TChapter_003", "button to add them all at once."), false}}},
};
const Line kLoanInstructions[] = {
    {22,
     {{QT_TRANSLATE_NOOP("quenmark::TChapter_003", "The 1st payment is already filled in for you.  Click on"), false},
      {QT_TRANSLATE_NOOP("quenmark::TChapter_003", " Next Pmt "), true},
      {QT_TRANSLATE_NOOP("quenmark::TChapter_003", "to add the payments one"), false}}},
    {40,
     {{QT_TRANSLATE_NOOP("quenmark::TChapter_003", "at a time, or click the"), false},
      {QT_TRANSLATE_NOOP("quenmark::TChapter_003", " Show All "), true},
      {QT_TRANSLATE_NOOP("quenmark::TChapter_003", "button to add them all at once."), false}}},
};
const Line kContinue{
    60,
    {{QT_TRANSLATE_NOOP("quenmark::TChapter_003", "When you are ready to continue, click the"), false},
     {QT_TRANSLATE_NOOP("quenmark::TChapter_003", " Next Page "), true},
     {QT_TRANSLATE_NOOP("quenmark::TChapter_003", "button."), false}}};

const TextPage kTextPageSpecs[TChapter_003::kTextPages] = {
    {QT_TRANSLATE_NOOP("quenmark::TChapter_003",
                       "The first year of a <b>$2,100.00</b> card balance at <b>17.9%</b> when only the minimum "
                       "payment is made."),
     18, kCardInstructions, &kContinue},
    {QT_TRANSLATE_NOOP("quenmark::TChapter_003",
                       "Look at the <b>Payment</b> column. The payment drops by a dollar every other month or so: "
                       "a <b>Declining Payment</b>. The minimum payment is 2.5% of the unpaid balance, so as the "
                       "balance goes down, the payment goes down with it."),
     78, nullptr, nullptr},
    {QT_TRANSLATE_NOOP("quenmark::TChapter_003",
                       "Now look at the <b>Principal</b> column, the part of each payment that pays off the debt. "
                       "It decreases from $21.67 in the first payment to $19.04 in the twelfth, because the "
                       "minimum payment declines."),
     78, nullptr, nullptr},
    {QT_TRANSLATE_NOOP("quenmark::TChapter_003",
                       "Every minimum payment is about <b>60% interest</b> and only about <b>40% principal</b>, "
                       "and the shares never change as long as you pay the minimum. After a year, $355.41 of the "
                       "$600.00 paid was interest."),
     78, nullptr, nullptr},
    {QT_TRANSLATE_NOOP("quenmark::TChapter_003",
                       "Loans are different. The payment of a car loan or a mortgage is calculated once, when the "
                       "loan is made, and stays the same until the debt is paid: a <b>constant payment.</b> "
                       "Next: the same $2,100.00 at 17.9% repaid with $53.00 every month."),
     78, nullptr, nullptr},
    {QT_TRANSLATE_NOOP("quenmark::TChapter_003",
                       "The first year of the same <b>$2,100.00</b> at <b>17.9%</b> repaid like a loan, with "
                       "<b>$53.00</b> every month."),
     18, kLoanInstructions, nullptr},
    {QT_TRANSLATE_NOOP("quenmark::TChapter_003",
                       "Look at the <b>Payment</b> column. The payment stays the same each and every month: a "
                       "<b>Constant Payment</b>. It does not drop when the balance drops."),
     78, nullptr, nullptr},
    {QT_TRANSLATE_NOOP("quenmark::TChapter_003",
                       "Now look at the <b>Principal</b> column. It increases from $21.67 in payment #1 to $25.51 "
                       "in payment #12: as the balance goes down, less of each $53.00 goes to interest and more "
                       "goes to paying off the debt."),
     78, nullptr, nullptr},
    {QT_TRANSLATE_NOOP("quenmark::TChapter_003",
                       "Payment #1 is about 40% principal and 60% interest. Payment #12 is already about 48% "
                       "principal and 52% interest, and the principal share grows with every payment. After a "
                       "year the loan has paid off $282.53 of the debt, the card only $244.59."),
     78, nullptr, nullptr},
    {QT_TRANSLATE_NOOP("quenmark::TChapter_003",
                       "<b>REMEMBER:</b> <b>Credit Cards</b> use a <b>minimum payment</b> that drops each month, "
                       "because it is recalculated from the unpaid balance. Loans and mortgages use a "
                       "<b>constant payment</b> that is calculated one time."),
     78, nullptr, nullptr},
};

constexpr const char* kOverview = QT_TRANSLATE_NOOP(
    "quenmark::TChapter_003",
    "<p>In this chapter you will see:</p>"
    "<ul><li>the effect of making <b>Minimum Monthly Payments</b> on a credit card,</li>"
    "<li>the effect of making <b>Constant Monthly Payments</b> on a loan,</li>"
    "<li><b>A year's worth of credit card payments</b> beside a year of loan payments, filled in "
    "payment by payment,</li>"
    "<li>and the difference between the two.</li></ul>"
    "<p>Both examples start from the same debt: $2,100.00 at 17.9% APR with a first payment of $53.00.</p>");

// The pieces of one line, left to right, each as wide as its words.
std::vector<QLabel*> flowLine(QWidget* page, const Line& line, const QString& namePrefix)
{
    std::vector<QLabel*> labels;
    int x = 4;
    int i = 0;
    for (const Piece& piece : line.pieces) {
        const QString text = kWords(piece.text);
        CellSpec s = textCell("", QRect(), text, kTextPx, piece.buttonWord);
        const int width = QFontMetrics(arialPx(kTextPx, piece.buttonWord)).horizontalAdvance(text) + 6;
        s.rect = QRect(x, line.y, width, kLineHeight);
        if (piece.buttonWord) {
            s.kind = CellKind::RaisedPanel;
            s.background = colour::silver;
        }
        QLabel* label = makeCell(page, s);
        label->setObjectName(namePrefix + QString::number(++i));
        labels.push_back(label);
        x += width + 3;
    }
    return labels;
}

} // namespace

std::span<const TChapter_003::FixedRow> TChapter_003::minimumPaymentTable()
{
    return kMinimumTable;
}

std::span<const TChapter_003::FixedRow> TChapter_003::constantPaymentTable()
{
    return kConstantTable;
}

void TChapter_003::buildPages()
{
    // Counter 1: the overview.
    QWidget* overview = addPage(QStringLiteral("Overview"));
    makeCell(overview, textCell("Heading", {14, 8, 550, 26},
                                tr(QT_TRANSLATE_NOOP("quenmark::TChapter_003", "Chapter Overview:")), 18,
                                true, colour::textBlue));
    makeProse(overview, "OverviewText", {14, 42, 550, 270}, tr(kOverview), 14);

    // Counters 2 to 11: the table page.
    QWidget* table = addPage(QStringLiteral("TablePage"));
    m_gridTitle = makeCell(table, textCell("GridTitle", kGridTitle, QString(), 14, true, colour::textBlue,
                                           Qt::AlignCenter));

    GridSpec grid;
    grid.columns = kLedgerColumns;
    grid.left = kGridLeft;
    grid.top = kGridTop;
    const std::array<const char*, kRows * std::size(kLedgerColumns)> empty{};
    makeGrid(table, grid, empty);
    for (std::size_t t = 0; t < std::size(kTotalColumns); ++t) {
        const QString name = QStringLiteral("Total%1").arg(t, 2, 10, QLatin1Char('0'));
        makeGridCell(table, name, gridCellRect(grid, kTotalColumns[t], kRows + 1),
                     t == 0 ? tr(QT_TRANSLATE_NOOP("quenmark::TChapter_003", "Totals")) : QString(),
                     {colour::white, colour::maroon}, true);
    }
    for (int c = 0; c < static_cast<int>(std::size(kLedgerColumns)); ++c)
        for (int r = 0; r <= kRows; ++r)
            m_cellLookup.push_back(table->findChild<QLabel*>(gridCellName(grid, c, r)));
    for (std::size_t t = 0; t < std::size(kTotalColumns); ++t)
        m_cellLookup.push_back(table->findChild<QLabel*>(QStringLiteral("Total%1").arg(t, 2, 10, QLatin1Char('0'))));

    auto button = [table](const char* name, const QRect& rect, const char* caption) {
        auto* b = new QPushButton(tr(caption), table);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(rect);
        b->setFont(arialPx(13, true));
        b->setAutoDefault(false); // Enter keeps turning pages
        return b;
    };
    m_nextPmt = button("NextPmt", kNextPmt, QT_TRANSLATE_NOOP("quenmark::TChapter_003", "Next Pmt"));
    m_showAll = button("ShowAll", kShowAll, QT_TRANSLATE_NOOP("quenmark::TChapter_003", "Show All"));

    m_notebook2 = new QStackedWidget(table);
    m_notebook2->setObjectName(QStringLiteral("Notebook2"));
    m_notebook2->setGeometry(kNotebook2);
    for (int p = 0; p < kTextPages; ++p) {
        const TextPage& spec = kTextPageSpecs[p];
        auto* page = new QWidget(m_notebook2);
        page->setObjectName(QStringLiteral("TextPage%1").arg(p));
        setBackground(page, colour::white);
        makeProse(page, "PageText", {4, 0, kNotebook2.width() - 8, spec.proseHeight}, tr(spec.prose),
                  kTextPx);
        if (spec.instructions) {
            auto& labels = m_instructions[p == 0 ? 0 : 1];
            for (int line = 0; line < 2; ++line) {
                const auto made = flowLine(page, spec.instructions[line],
                                           QStringLiteral("Instruction%1_").arg(p) + QString::number(line + 1) +
                                               QLatin1Char('_'));
                labels.insert(labels.end(), made.begin(), made.end());
            }
        }
        if (spec.closing)
            flowLine(page, *spec.closing, QStringLiteral("Continue%1_").arg(p));
        m_notebook2->addWidget(page);
    }

    using R = CellRole;
    m_highlighter = Highlighter(
        this, {
                  {QStringLiteral("HighlightPaymentColumn"), QStringLiteral("RestorePaymentColumn"),
                   QStringLiteral("Pmt00"), colour::maroon,
                   joinCells({{{QStringLiteral("Pmt00"), R::Header}}, cellRange("Pmt", 1, kRows),
                              {{QStringLiteral("Total01"), R::Header}}})},
                  {QStringLiteral("HighlightPrincipalColumn"), QStringLiteral("RestorePrincipalColumn"),
                   QStringLiteral("Prin00"), colour::maroon,
                   joinCells({{{QStringLiteral("Prin00"), R::Header}}, cellRange("Prin", 1, kRows),
                              {{QStringLiteral("Total03"), R::Header}}})},
              });
}

} // namespace quenmark
