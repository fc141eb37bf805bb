// Chapter 5's pages: the overview, the purchases table with its text pages,
// the skipping-payments page and the two skipped-payment tables, and the
// highlight routines as a table. Data only; the page steps are in Chapt05.cpp.
#include "lessons/Chapt05.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QStackedWidget>

#include "common/Layout.h"
#include "common/PageText.h"

namespace quenmark {

namespace {

constexpr Words kWords{"quenmark::TChapter_005"};

// ---- the purchases table (counters 2 to 5) --------------------------------------------
constexpr int kPurchaseLeft = 70;
constexpr int kPurchaseTop = 30;

// Three minimum payments on $2,100.00 at 17.9 %...
constexpr const char* kFirstRows[] = {
    "1", "$2,100.00", "$53.00", "$31.33", "$21.67", "$2,078.33", //
    "2", "$2,078.33", "$52.00", "$31.00", "$21.00", "$2,057.33", //
    "3", "$2,057.33", "$52.00", "$30.69", "$21.31", "$2,036.02", //
};
// ...then $60.00 of purchases, three more payments, and $60.00 more.
constexpr const char* kSecondRows[] = {
    "4", "$2,096.02", "$52.00", "$31.27", "$20.73", "$2,075.29", //
    "5", "$2,075.29", "$52.00", "$30.96", "$21.04", "$2,054.25", //
    "6", "$2,054.25", "$51.00", "$30.64", "$20.36", "$2,033.89", //
};

// A purchase line and a new-balance line under a block of three rows: the
// caption in a label, the amount in a cell under the new-balance column.
struct PurchaseLines
{
    const char* purchaseCell;
    const char* purchase;
    const char* balanceCell;
    const char* balance;
};
constexpr PurchaseLines kFirstPurchase{"Purchase01", "+   $60.00", "NewBal01", "$2,096.02"};
constexpr PurchaseLines kSecondPurchase{"Purchase02", "+   $60.00", "NewBal02", "$2,093.89"};

constexpr QRect kPanel4thru6{0, kPurchaseTop + 4 * kGridPitch + 2 * kGridPitch, 578, 5 * kGridPitch + 1};
constexpr QRect kNotebook2{8, 206, 562, 114};

const char* const kPurchaseTexts[] = {
    QT_TRANSLATE_NOOP("quenmark::TChapter_005",
                      "The table shows the first three minimum payments on $2,100.00 at 17.9%. Then "
                      "<b>$60.00</b> in new purchases are added to the balance before the next payment."),
    QT_TRANSLATE_NOOP("quenmark::TChapter_005",
                      "Three payments have been made, but after $60 of new charges the new balance of "
                      "<b>$2,096.02</b> is only <b>$3.98</b> below the $2100 we started with."),
    QT_TRANSLATE_NOOP("quenmark::TChapter_005",
                      "Three more payments, then another $60 of purchases: the balance of <b>$2,093.89</b> is only "
                      "<b>$6.11</b> below the $2100 of six months ago, although <b>$312</b> was paid."),
    QT_TRANSLATE_NOOP("quenmark::TChapter_005",
                      "Pay, charge, pay, charge: this cycle is the <b>debt treadmill</b>. As long as new purchases "
                      "are added, the balance hardly moves, so the new purchases must stop. Next: what happens "
                      "when a payment is skipped."),
};

// ---- the skipped-payment tables (counter 7) -------------------------------------------
constexpr int kSkipLeft = 8;
constexpr const char* kNoSkipRows[] = {
    "10", "$1,913.64", "$48.00", "$28.55", "$19.45", "$1,894.19", //
    "11", "$1,894.19", "$48.00", "$28.26", "$19.74", "$1,874.45", //
    "12", "$1,874.45", "$47.00", "$27.96", "$19.04", "$1,855.41", //
};
// Payment 12 skipped: the finance charge is still added, nothing goes to principal.
constexpr const char* kSkipRows[] = {
    "10", "$1,913.64", "$48.00",  "$28.55", "$19.45",  "$1,894.19", //
    "11", "$1,894.19", "$48.00",  "$28.26", "$19.74",  "$1,874.45", //
    "12", "$1,874.45", "  $0.00", "$27.96", "  $0.00", "$1,902.41", //
};

struct SkipTable
{
    int top;          // of the title; the header row follows 36 px lower
    int number;       // of the header cells' names
    const char* subtitle;
    std::span<const char* const> rows;
};
const SkipTable kSkipTables[] = {
    {4, 70, QT_TRANSLATE_NOOP("quenmark::TChapter_005", "No Skipped Payments"), kNoSkipRows},
    {110, 80, QT_TRANSLATE_NOOP("quenmark::TChapter_005", "Skipped Payment No. 12"), kSkipRows},
};

// ---- prose ----------------------------------------------------------------------------
constexpr const char* kSkippingText = QT_TRANSLATE_NOOP(
    "quenmark::TChapter_005",
    "<p>Around the holidays, or after you have made a large payment, some card issuers send a statement "
    "with a minimum payment due of <b>$0.00</b>. It looks like a gift.</p>"
    "<p>It is a calculated move by the issuers: the finance charge is added to the balance whether you "
    "pay or not. A payment you skip pays nothing off, and next month you pay interest on the interest.</p>"
    "<p>The next page shows what one skipped payment does to the card we have followed since "
    "chapter 3.</p>");

constexpr const char* kSkippedText = QT_TRANSLATE_NOOP(
    "quenmark::TChapter_005",
    "Payment 12 is skipped. The finance charge of $27.96 is still added, nothing goes to principal, and "
    "the new balance of <b>$1,902.41</b> lies between the balances of months 10 and 11: one skipped "
    "payment costs about two months of payments.");

GridSpec purchaseGrid(int top, int number, bool withHeader)
{
    GridSpec g;
    g.columns = kLedgerColumns;
    g.left = kPurchaseLeft;
    g.top = top;
    g.number = number;
    g.withHeader = withHeader;
    return g;
}

// The purchase and new-balance lines under a block whose last row ends at
// `y`: a caption from the payment column on, an amount under the new balances.
void addPurchaseLines(QWidget* parent, int y, const PurchaseLines& lines)
{
    const QRect amount = gridCellRect(purchaseGrid(y, 0, false), 5, 1);
    const int captionLeft = gridCellRect(purchaseGrid(y, 0, false), 2, 1).left();
    const QRect caption(captionLeft, y, amount.left() - captionLeft - 6, kGridRowHeight);
    const char* const captions[] = {QT_TRANSLATE_NOOP("quenmark::TChapter_005", "add new purchases"),
                                    QT_TRANSLATE_NOOP("quenmark::TChapter_005", "New Balance · · · · · · ·")};
    const char* const cells[] = {lines.purchaseCell, lines.balanceCell};
    const char* const amounts[] = {lines.purchase, lines.balance};
    for (int i = 0; i < 2; ++i) {
        const QString cell = QString::fromLatin1(cells[i]);
        makeCell(parent, textCell("", caption.translated(0, i * kGridPitch), kWords(captions[i]), kGridFontPx,
                                  true, colour::maroon, Qt::AlignRight | Qt::AlignVCenter))
            ->setObjectName(cell + QStringLiteral("Caption"));
        makeGridCell(parent, cell, amount.translated(0, i * kGridPitch), QString::fromUtf8(amounts[i]), kNormalCell);
    }
}

} // namespace

std::vector<HighlightRow> TChapter_005::highlightRoutines()
{
    auto single = [](const char* cell) {
        const QString name = QString::fromLatin1(cell);
        return HighlightRow{QStringLiteral("Highlight") + name, QStringLiteral("Restore") + name, name, colour::black,
                            {{name, CellRole::Body}}};
    };
    return {
        single("OriginalBal"),
        single("NewBal01"),
        single("NewBal02"),
        {QStringLiteral("HighlightPurchases"), QStringLiteral("RestorePurchases"), QStringLiteral("Purchase01"),
         colour::black, {{QStringLiteral("Purchase01"), CellRole::Body}, {QStringLiteral("Purchase02"), CellRole::Body}}},
    };
}

void TChapter_005::buildPages()
{
    // Counter 1: the overview.
    QWidget* overview = addPage(QStringLiteral("Overview"));
    addText(overview, kWords,
            heading(QT_TRANSLATE_NOOP("quenmark::TChapter_005", "Chapter Overview:"), {14, 8, 550, 26}));
    makeProse(overview, "OverviewText", {14, 44, 550, 40},
              tr(QT_TRANSLATE_NOOP(
                  "quenmark::TChapter_005",
                  "In this chapter you will see two ways a credit card balance stays high even while "
                  "you pay:")),
              14);
    const char* const topics[] = {QT_TRANSLATE_NOOP("quenmark::TChapter_005", " New Purchases "),
                                  QT_TRANSLATE_NOOP("quenmark::TChapter_005", " Payments are Skipped ")};
    const char* const topicTexts[] = {
        QT_TRANSLATE_NOOP("quenmark::TChapter_005", "what happens when new charges are added between payments"),
        QT_TRANSLATE_NOOP("quenmark::TChapter_005", "what happens when a payment is left out"),
    };
    for (int i = 0; i < 2; ++i) {
        const int y = 96 + 36 * i;
        const QString topic = tr(topics[i]);
        CellSpec s = textCell(i == 0 ? "TopicPurchases" : "TopicSkipped", QRect(), topic, 14, true, colour::white,
                              Qt::AlignCenter);
        s.rect = QRect(34, y, QFontMetrics(arialPx(14, true)).horizontalAdvance(topic) + 8, 24);
        s.background = colour::maroon;
        s.kind = CellKind::RaisedPanel;
        makeCell(overview, s);
        makeCell(overview,
                 textCell(i == 0 ? "TopicPurchasesText" : "TopicSkippedText",
                          QRect(s.rect.right() + 10, y, 560 - s.rect.right() - 10, 24), tr(topicTexts[i]), 14,
                          false, colour::black, Qt::AlignLeft | Qt::AlignVCenter));
    }
    makeProse(overview, "OverviewClosing", {14, 180, 550, 60},
              tr(QT_TRANSLATE_NOOP(
                  "quenmark::TChapter_005",
                  "Both examples use the card we have followed so far: $2,100.00 at 17.9% APR with a "
                  "minimum payment of 2.5% of the balance.")),
              14);

    // Counters 2 to 5: the purchases table.
    QWidget* purchases = addPage(QStringLiteral("NewPurchases"));
    addText(purchases, kWords,
            heading(QT_TRANSLATE_NOOP("quenmark::TChapter_005", "The Effect of Adding New Purchases"),
                    {14, 4, 550, 24}));
    makeGrid(purchases, purchaseGrid(kPurchaseTop, 0, true), kFirstRows);
    // Row 1's balance is the one the purchases are measured against.
    purchases->findChild<QLabel*>(QStringLiteral("Bal01"))->setObjectName(QStringLiteral("OriginalBal"));
    addPurchaseLines(purchases, kPurchaseTop + 4 * kGridPitch, kFirstPurchase);

    m_panel4thru6 = new QWidget(purchases);
    m_panel4thru6->setObjectName(QStringLiteral("Panel4thru6"));
    m_panel4thru6->setGeometry(kPanel4thru6);
    makeGrid(m_panel4thru6, purchaseGrid(0, 3, false), kSecondRows);
    addPurchaseLines(m_panel4thru6, 3 * kGridPitch, kSecondPurchase);

    m_notebook2 = makeTextBook(purchases, "Notebook2", kNotebook2, kPurchaseTexts, kWords, 14);

    // Counter 6: skipping payments.
    QWidget* skipping = addPage(QStringLiteral("SkippingPayments"));
    addText(skipping, kWords,
            heading(QT_TRANSLATE_NOOP("quenmark::TChapter_005", "The Effect of Skipping Payments"),
                    {14, 8, 550, 26}));
    makeProse(skipping, "SkippingText", {14, 44, 550, 270}, tr(kSkippingText), 14);

    // Counter 7: the two tables.
    QWidget* skipped = addPage(QStringLiteral("SkippedPayment"));
    for (const SkipTable& t : kSkipTables) {
        makeCell(skipped, textCell("", {kSkipLeft, t.top, kLedgerWidth, 18},
                                   tr(QT_TRANSLATE_NOOP("quenmark::TChapter_005", "Credit Card")), 14, true,
                                   colour::maroon, Qt::AlignCenter))
            ->setObjectName(QStringLiteral("Title%1").arg(t.number));
        makeCell(skipped, textCell("", {kSkipLeft, t.top + 18, kLedgerWidth, 16}, tr(t.subtitle), 12, true,
                                   colour::textBlue, Qt::AlignCenter))
            ->setObjectName(QStringLiteral("Subtitle%1").arg(t.number));
        GridSpec g;
        g.columns = kLedgerColumns;
        g.left = kSkipLeft;
        g.top = t.top + 36;
        g.number = t.number;
        makeGrid(skipped, g, t.rows);
    }
    // Beside row 12 of the second table.
    const int row12 = kSkipTables[1].top + 36 + 3 * kGridPitch;
    makeCell(skipped, textCell("SkipNote", {452, row12 - 36, 120, 34},
                               tr(QT_TRANSLATE_NOOP("quenmark::TChapter_005", "finance charges never stop")),
                               13, true, colour::maroon, Qt::AlignLeft | Qt::AlignBottom, true));
    makeCell(skipped, textCell("SkipNoteBalance", {452, row12 - 1, 120, 18},
                               tr(QT_TRANSLATE_NOOP("quenmark::TChapter_005", "$1,902.41")), 13, true,
                               colour::maroon, Qt::AlignLeft | Qt::AlignVCenter));
    makeProse(skipped, "SkippedText", {14, 230, 550, 88}, tr(kSkippedText), 14);
}

} // namespace quenmark
