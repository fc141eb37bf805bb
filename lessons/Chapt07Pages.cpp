// Chapter 7's pages: the overview, the five sample cards, and the table of
// interest figures with its two summaries. Data only; the behaviour is in
// Chapt07.cpp, the calculator page in Chapt07Calculator.cpp.
#include "lessons/Chapt07.h"

#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "common/PageText.h"
#include "common/Sentence.h"
#include "core/MoneyText.h"
#include "core/SampleCards.h"

namespace quenmark {

namespace {

constexpr Words kWords{"quenmark::TChapter_007"};

// ---- the interest figures of the five sample cards -----------------------------------

// Total interest per card, what the extra-money calculator gives for each card
// with no extra money and with $5, $10 and $20: declining payments (" Credit
// Card") and constant payments (" Loan").
constexpr double kDecliningInterest[4][5] = {
    {3936.39, 2487.89, 1444.01, 1192.51, 836.20},
    {1935.27, 1763.36, 1004.89, 561.98, 457.79},
    {1299.60, 1381.43, 775.94, 376.95, 318.07},
    {789.72, 971.10, 536.40, 230.02, 200.34},
};
constexpr double kConstantInterest[4][5] = {
    {1564.17, 1100.63, 744.09, 883.71, 572.26},
    {1092.62, 942.66, 612.11, 484.52, 364.81},
    {849.55, 825.83, 520.91, 340.68, 270.78},
    {594.76, 663.75, 402.65, 216.89, 180.69},
};

// ---- page 1: overview ---------------------------------------------------------------

// A line of the overview: 14 px, eight pixels of room.
PageText line(const char* name, int y, const char* text, bool bold = false, int x = 40)
{
    return {.name = name, .rect = {x, y, 500, 22}, .text = text, .fontPx = 14, .bold = bold};
}

const PageText kOverview[] = {
    heading(QT_TRANSLATE_NOOP("quenmark::TChapter_007", " Chapter Overview: ")),
    line("Overview_Shows", 44,
         QT_TRANSLATE_NOOP("quenmark::TChapter_007", "This chapter shows the effect of adding:"), true, 24),
    line("Overview_Min05", 68,
         QT_TRANSLATE_NOOP("quenmark::TChapter_007", " $5  to the Minimum Monthly Payment ")),
    line("Overview_Min10", 90,
         QT_TRANSLATE_NOOP("quenmark::TChapter_007", " $10  to the Minimum Monthly Payment ")),
    line("Overview_Min20", 112,
         QT_TRANSLATE_NOOP("quenmark::TChapter_007", " $20  to the Minimum Monthly Payment ")),
    line("Overview_AlsoShows", 142,
         QT_TRANSLATE_NOOP("quenmark::TChapter_007", "This chapter also shows the effect of adding:"), true,
         24),
    line("Overview_Const05", 166,
         QT_TRANSLATE_NOOP("quenmark::TChapter_007", " $5  to the Constant Monthly Payment ")),
    line("Overview_Const10", 188,
         QT_TRANSLATE_NOOP("quenmark::TChapter_007", " $10  to the Constant Monthly Payment ")),
    line("Overview_Const20", 210,
         QT_TRANSLATE_NOOP("quenmark::TChapter_007", " $20  to the Constant Monthly Payment ")),
    {.name = "Overview_Calculator",
     .rect = {24, 244, 530, 60},
     .text = QT_TRANSLATE_NOOP(
         "quenmark::TChapter_007",
         "At the end of the chapter, the Credit Card Calculator lets you enter one of your own "
         "cards and see what a little extra money added to each payment saves you."),
     .foreground = colour::maroon,
     .fontPx = 14,
     .align = Qt::AlignLeft | Qt::AlignTop,
     .wordWrap = true},
};

// ---- page 2: the five cards ---------------------------------------------------------

const PageText kCardsTexts[] = {
    heading(QT_TRANSLATE_NOOP("quenmark::TChapter_007", "The Effect of Adding $5 to Each Payment")),
    {.name = "Prose1",
     .rect = {14, 40, 550, 60},
     .text = QT_TRANSLATE_NOOP(
         "quenmark::TChapter_007",
         "Adding as little as $5 to each monthly payment makes a significant difference in the "
         "interest you pay and in the time it takes to pay off a card. We will use the same "
         "five sample cards as in the previous chapter:"),
     .fontPx = 14,
     .align = Qt::AlignLeft | Qt::AlignTop,
     .wordWrap = true},
    {.name = "Prose2",
     .rect = {14, 232, 550, 80},
     .text = QT_TRANSLATE_NOOP(
         "quenmark::TChapter_007",
         "First we add $5, $10 and $20 to the payments of the Declining Payment Method, where "
         "the payment falls with the balance; then to the Constant Payment Method, where the "
         "payment stays the same. At the end of the chapter you can enter a card of your own."),
     .fontPx = 14,
     .align = Qt::AlignLeft | Qt::AlignTop,
     .wordWrap = true},
};

// A column of a card table: its head, the prefix of its cells' names, its width.
struct Column
{
    const char* head;
    const char* prefix; // object names of the column's cells: prefix + 01..05 (prefix + "Total")
    int width;
};

constexpr Column kCardColumns[4] = {
    {QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Name"), "CardName", 90},
    {QT_TRANSLATE_NOOP("quenmark::TChapter_007", "APR"), "CardApr", 80},
    {QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Balance"), "CardBal", 110},
    {QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Payment"), "CardPmt", 100},
};

// ---- pages 3 and 4: the table -------------------------------------------------------

constexpr Column kColumns[7] = {
    {QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Name"), "Name", 70},
    {QT_TRANSLATE_NOOP("quenmark::TChapter_007", "APR"), "Apr", 62},
    {QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Balance"), "Bal", 88},
    {QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Payment"), "Pmt", 76},
    {QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Interest"), "IntA", 92},
    {QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Extra $"), "Extra", 80},
    {QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Interest"), "IntB", 92},
};
constexpr int kTableLeft = 8;
constexpr int kTableTop = 24;
constexpr int kRowHeight = 18;
constexpr int kButtonTop = kTableTop + 7 * (kRowHeight - 1) + 8;
const QColor kHeadColour{212, 212, 212};
const QColor kWithExtraColour{255, 255, 192};

struct ExtraButton
{
    const char* name;
    const char* caption;
    const char* hint;
};
constexpr ExtraButton kExtraButtons[3] = {
    {"BtnPlus05", QT_TRANSLATE_NOOP("quenmark::TChapter_007", "$5 Extra"),
     QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Changes extra amount to $5")},
    {"BtnPlus10", QT_TRANSLATE_NOOP("quenmark::TChapter_007", "$10 Extra"),
     QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Changes extra amount to $10")},
    {"BtnPlus20", QT_TRANSLATE_NOOP("quenmark::TChapter_007", "$20 Extra"),
     QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Changes extra amount to $20")},
};

const PageText kButtonNote{
    .name = "ButtonNote",
    .rect = {286, kButtonTop - 4, 280, 32},
    .text = QT_TRANSLATE_NOOP("quenmark::TChapter_007",
                              "Click each button to see the effect of adding different amounts."),
    .foreground = colour::textBlue,
    .fontPx = 12,
    .bold = true,
    .align = Qt::AlignLeft | Qt::AlignVCenter,
    .wordWrap = true};

QByteArray cellName(const char* prefix, int row)
{
    return row < 5 ? prefix + QByteArray::number(row + 1).rightJustified(2, '0') : prefix + QByteArrayLiteral("Total");
}

// A cell of a table: neighbouring cells share their border.
QLabel* tableCell(QWidget* page, const QByteArray& name, const QRect& rect, const QString& text,
                  const QColor& background, Qt::Alignment align, bool bold = false)
{
    return makeCell(page, {.name = name.constData(),
                           .rect = rect,
                           .text = text,
                           .background = background,
                           .fontPx = 12,
                           .bold = bold,
                           .align = align | Qt::AlignVCenter,
                           .kind = CellKind::Panel});
}

// What a card row shows in a column ("Name", "Apr", "Bal", "Pmt"), as the tables write it.
QString cardText(const SampleCard& card, int column, bool dollarSign)
{
    const QString sign = dollarSign ? QStringLiteral("$") : QString();
    switch (column) {
    case 0:
        return kWords(QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Card %1")).arg(card.number);
    case 1:
        return QString::number(card.apr, 'f', 1) + QLatin1Char('%');
    case 2:
        return sign + QString::fromStdString(AmountToText(card.balance));
    default:
        return sign + QString::fromStdString(AmountToText(card.payment));
    }
}

// A paragraph above a summary, wrapped, in the summary's words.
QLabel* summaryText(QWidget* page, const char* text)
{
    auto* l = new QLabel(kWords(text), page);
    l->setTextFormat(Qt::PlainText);
    l->setFont(arialPx(12));
    l->setWordWrap(true);
    return l;
}

Sentence* summarySentence(QWidget* page, int lineGap)
{
    return new Sentence(page, arialPx(12), arialPx(12, true), colour::maroon, lineGap);
}

} // namespace

// ---- the pages ----------------------------------------------------------------------

void TChapter_007::buildPages()
{
    buildOverviewPage(addPage(QStringLiteral("Overview")));
    buildCardsPage(addPage(QStringLiteral("page00")));
    m_table = buildTablePage(addPage(QStringLiteral("page01")));
    buildCalculatorPage(addPage(QStringLiteral("page002")));
}

TChapter_007::ExampleSet TChapter_007::exampleSet(bool constantMethod)
{
    const double(&figures)[4][5] = constantMethod ? kConstantInterest : kDecliningInterest;
    ExampleSet set;
    auto load = [](std::array<std::int64_t, kRows>& column, const double(&cards)[5]) {
        std::int64_t total = 0;
        for (std::size_t i = 0; i < 5; ++i) {
            column[i] = ToCents(cards[i]);
            total += column[i];
        }
        column[5] = total;
    };
    load(set.noExtra, figures[0]);
    for (std::size_t c = 0; c < 3; ++c)
        load(set.withExtra[c], figures[c + 1]);
    return set;
}

void TChapter_007::buildOverviewPage(QWidget* page)
{
    addTexts(page, kWords, kOverview);
}

void TChapter_007::buildCardsPage(QWidget* page)
{
    addTexts(page, kWords, kCardsTexts);
    // The five cards: Name, APR, Balance, Payment.
    int x = 110;
    for (int c = 0; c < 4; ++c) {
        const Column& column = kCardColumns[c];
        tableCell(page, QByteArray("CardHead") + QByteArray::number(c + 1),
                  QRect(x, 104, column.width, kRowHeight), tr(column.head), kHeadColour, Qt::AlignHCenter,
                  true);
        for (int r = 0; r < 5; ++r)
            tableCell(page, cellName(column.prefix, r),
                      QRect(x, 104 + (r + 1) * (kRowHeight - 1), column.width, kRowHeight),
                      cardText(kSampleCards[static_cast<std::size_t>(r)], c, true) + QStringLiteral("   "),
                      colour::white, c == 0 ? Qt::AlignHCenter : Qt::AlignRight);
        x += column.width - 1;
    }
}

TChapter_007::TablePage TChapter_007::buildTablePage(QWidget* page)
{
    TablePage t;
    t.title = addText(page, kWords,
                      {.name = "Title01",
                       .rect = {kTableLeft, 2, 556, 20},
                       .foreground = colour::maroon,
                       .fontPx = 15,
                       .bold = true,
                       .align = Qt::AlignCenter});

    // Heads, five card rows and the totals row; neighbouring cells share their border.
    int x = kTableLeft;
    for (int c = 0; c < 7; ++c) {
        const Column& col = kColumns[c];
        tableCell(page, QByteArray("Head") + col.prefix, QRect(x, kTableTop, col.width, kRowHeight),
                  tr(col.head), kHeadColour, Qt::AlignHCenter, true);
        for (int r = 0; r < kRows; ++r) {
            const QRect rect(x, kTableTop + (r + 1) * (kRowHeight - 1), col.width, kRowHeight);
            const bool total = r == 5;
            QString text;
            if (c == 0)
                text = total ? tr(QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Totals"))
                             : cardText(kSampleCards[static_cast<std::size_t>(r)], 0, false);
            else if (c < 4 && !total)
                text = cardText(kSampleCards[static_cast<std::size_t>(r)], c, false) + QStringLiteral("   ");
            const QColor background = c == 6 ? kWithExtraColour : (total ? kHeadColour : colour::white);
            QLabel* cell = tableCell(page, cellName(col.prefix, r), rect, text, background,
                                     c == 0 ? Qt::AlignHCenter : Qt::AlignRight, total);
            const auto row = static_cast<std::size_t>(r);
            if (c >= 4)
                (c == 4 ? t.intA : c == 5 ? t.extra : t.intB)[row] = cell;
        }
        x += col.width - 1;
    }

    // The extra buttons and their note.
    for (int i = 0; i < 3; ++i) {
        auto* b = new QPushButton(tr(kExtraButtons[i].caption), page);
        b->setObjectName(QString::fromLatin1(kExtraButtons[i].name));
        b->setGeometry(kTableLeft + i * 92, kButtonTop, 84, 24);
        b->setAutoDefault(false);
        b->setToolTip(tr(kExtraButtons[i].hint));
        b->setAccessibleDescription(tr(kExtraButtons[i].hint));
        t.plus[i] = b;
    }
    addText(page, kWords, kButtonNote);

    // The inner notebook with the two texts and their summaries.
    const int notebookTop = kButtonTop + 32;
    t.notebook2 = new QStackedWidget(page);
    t.notebook2->setObjectName(QStringLiteral("Notebook2"));
    t.notebook2->setGeometry(kTableLeft, notebookTop, 562, 325 - notebookTop - 4);
    buildSummaries(t.notebook2, t);
    return t;
}

void TChapter_007::buildSummaries(QStackedWidget* notebook2, TablePage& t)
{
    auto* declining = new QWidget(notebook2);
    declining->setObjectName(QStringLiteral("Page01"));
    auto* decliningRows = new QVBoxLayout(declining);
    decliningRows->setContentsMargins(4, 4, 4, 4);
    decliningRows->setSpacing(6);
    decliningRows->addWidget(summaryText(
        declining, QT_TRANSLATE_NOOP("quenmark::TChapter_007",
                                     "With the Declining Payment Method the payment falls with the "
                                     "balance, so the debt takes many years to pay off. A small fixed "
                                     "amount added to every payment changes that a great deal:")));
    Sentence* d = t.decliningSummary = summarySentence(declining, 6);
    d->addWords(tr(QT_TRANSLATE_NOOP("quenmark::TChapter_007", "In this example, by adding")));
    t.extraPg2 = d->addFigure(QStringLiteral("lblExtraPg2"));
    d->addWords(tr(QT_TRANSLATE_NOOP("quenmark::TChapter_007", "to each payment you will save")));
    t.savingsPg2 = d->addFigure(QStringLiteral("lblSavingsPg2"));
    d->addWords(tr(QT_TRANSLATE_NOOP("quenmark::TChapter_007", "in interest.")));
    d->addBreak();
    d->addWords(tr(QT_TRANSLATE_NOOP("quenmark::TChapter_007", "That's a savings of")));
    t.percentPg2 = d->addFigure(QStringLiteral("lblPercentPg2"));
    decliningRows->addWidget(d);
    decliningRows->addStretch(1);
    notebook2->addWidget(declining);

    auto* constant = new QWidget(notebook2);
    constant->setObjectName(QStringLiteral("Page02"));
    auto* constantRows = new QVBoxLayout(constant);
    constantRows->setContentsMargins(4, 2, 4, 2);
    constantRows->setSpacing(3);
    QLabel* note =
        summaryText(constant, QT_TRANSLATE_NOOP("quenmark::TChapter_007",
                                                "Look at the total interest from making constant payments.  "
                                                "This, in and of itself, is a savings of $5,032.14   "
                                                "compared to the interest from the declining payment "
                                                "method.  Keep this in mind as you look at these examples."));
    note->setObjectName(QStringLiteral("ConstantNote"));
    constantRows->addWidget(note);
    // One sentence: the additional saving, its full stop, and the total it brings.
    Sentence* s = t.constantSummary = summarySentence(constant, 3);
    s->addWords(tr(QT_TRANSLATE_NOOP("quenmark::TChapter_007", "By adding an extra")));
    t.extraPg3 = s->addFigure(QStringLiteral("lblExtraPg3"));
    s->addWords(
        tr(QT_TRANSLATE_NOOP("quenmark::TChapter_007", "to each payment you will save an additional")));
    t.savingsPg3 = s->addFigure(QStringLiteral("lblSavingsPg3"));
    s->addWords(tr(QT_TRANSLATE_NOOP("quenmark::TChapter_007", ".  When you")));
    s->addWords(
        tr(QT_TRANSLATE_NOOP("quenmark::TChapter_007",
                             "add this to the $5,032.14 that has already been saved by using the constant "
                             "payment method, it brings the total savings to")));
    t.totalSavingsPg3 = s->addFigure(QStringLiteral("lblTotalSavingsPg3"));
    s->addBreak();
    s->addWords(tr(QT_TRANSLATE_NOOP("quenmark::TChapter_007", "That's an overall savings of")));
    t.percentPg3 = s->addFigure(QStringLiteral("lblPercentPg3"));
    constantRows->addWidget(s);
    constantRows->addStretch(1);
    notebook2->addWidget(constant);
}

} // namespace quenmark
