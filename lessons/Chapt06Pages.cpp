// Chapter 6's pages: the overview, the five sample cards, and the two chart
// pages with their card tables and texts. Layout and texts as data; the
// behaviour is in Chapt06.cpp, the figures in Chapt06Data.h.
#include "lessons/Chapt06.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QStackedWidget>
#include <algorithm>
#include <span>

#include "common/BarChart.h"
#include "common/Layout.h"
#include "common/PageText.h"
#include "core/MoneyText.h"
#include "lessons/Chapt06Data.h"

namespace quenmark {

namespace {

constexpr Words kWords{"quenmark::TChapter_006"};

QString dollars(double value)
{
    return QStringLiteral("$") + QString::fromStdString(AmountToText(value));
}

QString aprText(double apr)
{
    return QString::number(apr, 'f', 1) + QStringLiteral("%");
}

// ---- page 1: overview ----------------------------------------------------------------
constexpr const char* kOverviewPoints[] = {
    QT_TRANSLATE_NOOP("quenmark::TChapter_006", "The effect of outstanding balances on several credit cards."),
    QT_TRANSLATE_NOOP("quenmark::TChapter_006",
                      "The interest cost associated with minimum monthly payments on several cards."),
    QT_TRANSLATE_NOOP("quenmark::TChapter_006",
                      "The interest savings that can be achieved by making constant monthly payments."),
    QT_TRANSLATE_NOOP("quenmark::TChapter_006", "The time required when minimum monthly payments are made."),
    QT_TRANSLATE_NOOP("quenmark::TChapter_006", "The time saved by making constant monthly payments."),
};

void buildOverview(QWidget* page)
{
    addText(page, kWords,
            heading(QT_TRANSLATE_NOOP("quenmark::TChapter_006", " Chapter Overview: "), {14, 8, 300, 28},
                    colour::maroon));
    addText(page, kWords,
            {.name = "Intro",
             .rect = {30, 52, 500, 24},
             .text = QT_TRANSLATE_NOOP("quenmark::TChapter_006", "In this chapter we will see:"),
             .foreground = colour::textBlue,
             .fontPx = 15,
             .bold = true});
    int y = 92;
    int n = 1;
    for (const char* point : kOverviewPoints) {
        const QString name = QStringLiteral("Point%1").arg(n++);
        QLabel* l =
            makeCell(page, textCell("", {46, y, 524, 36}, QStringLiteral("\u2022  ") + kWords(point), 14,
                                    false, colour::black, Qt::AlignLeft | Qt::AlignVCenter, true));
        l->setObjectName(name);
        y += 42;
    }
}

// ---- the card tables -------------------------------------------------------------------
// A table of the five cards on `panel`: heads at `headY`, card rows from `firstRow` every `step`.
void cardTable(QWidget* panel, std::span<const CardListColumn> columns, int headY, int firstRow, int step, int px)
{
    QList<QStringList> cells;
    for (const ch6::Card& card : ch6::kCards)
        cells.append({kWords("Card %1").arg(card.number), aprText(card.apr), dollars(card.balance),
                      dollars(card.payment)});
    MakeCardList(panel, "quenmark::TChapter_006", columns, cells, headY, firstRow, step, px);
}

constexpr CardListColumn kBigTable[] = {
    {QT_TRANSLATE_NOOP("quenmark::TChapter_006", "Name"), 10, 64, Qt::AlignLeft},
    {QT_TRANSLATE_NOOP("quenmark::TChapter_006", "APR"), 78, 56, Qt::AlignRight},
    {QT_TRANSLATE_NOOP("quenmark::TChapter_006", "Balance"), 140, 84, Qt::AlignRight},
    {QT_TRANSLATE_NOOP("quenmark::TChapter_006", "Payment"), 228, 66, Qt::AlignRight},
};

// Beside each chart: rows at y 21, 35, 49, 63, 77; the arrow at x 8.
constexpr CardListColumn kSmallTable[] = {
    {QT_TRANSLATE_NOOP("quenmark::TChapter_006", "Name"), 22, 50, Qt::AlignLeft},
    {QT_TRANSLATE_NOOP("quenmark::TChapter_006", "APR"), 74, 44, Qt::AlignRight},
    {QT_TRANSLATE_NOOP("quenmark::TChapter_006", "Balance"), 122, 70, Qt::AlignRight},
    {QT_TRANSLATE_NOOP("quenmark::TChapter_006", "Payment"), 196, 58, Qt::AlignRight},
};
constexpr int kRowTop = 21;
constexpr int kRowStep = 14;
constexpr int kArrowX = 8;
constexpr int kArrowFirstTop = 25;

// ---- page 2: the five cards ---------------------------------------------------------------
void buildCardsPage(QWidget* page)
{
    addText(page, kWords,
            heading(QT_TRANSLATE_NOOP("quenmark::TChapter_006", "The Effect Of Multiple Credit Cards"),
                    {14, 8, 550, 28}, colour::maroon));
    const CellSpec panelSpec{.name = "CardsPanel",
                             .rect = {14, 48, 304, 110},
                             .background = colour::white,
                             .kind = CellKind::Panel};
    makeCell(page, shadowSpec(panelSpec.rect.translated(4, 4)));
    QLabel* panel = makeCell(page, panelSpec);
    panel->setAccessibleName(kWords("The five sample cards"));
    cardTable(panel, kBigTable, 4, 24, 16, 13);

    makeProse(
        page, "Treadmill", {334, 44, 232, 272},
        kWords(
            "<p>Most people who carry a balance carry it on more than one card. Each card sends its own "
            "statement with its own <b>minimum payment</b>, and each minimum payment gets smaller as its "
            "balance gets smaller.</p>"
            "<p>Paying the minimum on every card puts you on a <b>debt treadmill</b>: you pay every month, "
            "yet the balances hardly move, and interest keeps running on all of them at once.</p>"));
    double owed = 0;
    double payments = 0;
    for (const ch6::Card& card : ch6::kCards) {
        owed += card.balance;
        payments += card.payment;
    }
    makeProse(
        page, "Together", {14, 172, 304, 144},
        kWords("<p>These five cards owe %1 together, and their first payments add up to %2 a month.</p>"
               "<p>On the next pages we see what they cost in interest and how long they take to pay off "
               "with minimum payments and with constant payments.</p>")
            .arg(dollars(RoundToCents(owed)), dollars(RoundToCents(payments))));
}

// ---- the two chart pages ----------------------------------------------------------------
struct ChartSpec
{
    const char* pageName;
    const char* heading;
    const char* panelName;
    QColor background;
    const char* spokenChart;
    const char* titleName;
    const char* readoutName;
    int readoutWidth;
    const char* tableName;
    const char* arrowName;
    const char* textsName;
    const char* minimumPrefix;  // bar names: prefix + card number
    const char* constantPrefix;
    std::array<const char*, 11> axis;
};

const ChartSpec kChartSpecs[] = {
    {"page01", QT_TRANSLATE_NOOP("quenmark::TChapter_006", "Interest Cost"), "PanelGraph", QColor(0, 64, 128),
     QT_TRANSLATE_NOOP("quenmark::TChapter_006", "Interest cost per card"), "Title1", "LabelValue", 64, "CardTable1",
     "Arrow1", "Notebook2", "Card", "Loan",
     {"$4,000", "3,600", "3,200", "2,800", "2,400", "2,000", "1,600", "1,200", "800", "400", "0"}},
    {"page02", QT_TRANSLATE_NOOP("quenmark::TChapter_006", "Pay Off Time In Months"), "PanelGraph01",
     QColor(0, 64, 64), QT_TRANSLATE_NOOP("quenmark::TChapter_006", "Payoff time per card"), "Title01", "LabelTime",
     84, "CardTable01", "Arrow01", "Notebook3", "Card0", "Loan0",
     {"300", "270", "240", "210", "180", "150", "120", "90", "60", "30", "0"}},
};

// Chart geometry inside the 281 x 254 panel.
constexpr QSize kChartSize{281, 254};
constexpr int kAxisX = 42;
constexpr int kAxisTop = 22;
constexpr int kTickStep = 20;
constexpr int kBarWidth = 11;
constexpr int kFirstBarX = 59;
constexpr int kCardStep = 45;
constexpr int kConstantOffset = 10;
constexpr int kReadoutX = 108;
constexpr int kReadoutY = 47;
constexpr int kTitleY = 6;
const QColor kMinimumColour{168, 255, 168};
const QColor kConstantColour{255, 255, 128};

// A white line or tick that belongs to the chart background.
void line(QWidget* panel, QRect rect)
{
    CellSpec s = shadowSpec(rect);
    s.background = colour::white;
    makeCell(panel, s);
}

// What a bar reads out: an amount of interest or a number of months.
QString barValue(int chart, const ch6::Card& card, bool constant)
{
    if (chart == TChapter_006::InterestChart)
        return dollars(constant ? card.interestConstant : card.interestMinimum);
    return kWords("%1 Months").arg(constant ? card.monthsConstant : card.monthsMinimum);
}

// The texts beside the charts, one page each (rich text).
QString longestShortest(bool constant)
{
    const auto months = [constant](const ch6::Card& c) { return constant ? c.monthsConstant : c.monthsMinimum; };
    const auto byMonths = [&](const ch6::Card& a, const ch6::Card& b) { return months(a) < months(b); };
    const auto [shortest, longest] = std::minmax_element(ch6::kCards.begin(), ch6::kCards.end(), byMonths);
    return kWords("The longest is Card %1 (%2 Months) and the shortest is Card %3 (%4 Months).")
        .arg(longest->number)
        .arg(months(*longest))
        .arg(shortest->number)
        .arg(months(*shortest));
}

} // namespace

void TChapter_006::buildPages()
{
    buildOverview(addPage(QStringLiteral("Overview")));
    buildCardsPage(addPage(QStringLiteral("page00")));
    for (Chart chart : {InterestChart, PayoffChart}) {
        QWidget* page = addPage(QString::fromLatin1(kChartSpecs[chart].pageName));
        m_charts[static_cast<std::size_t>(chart)] = buildChartPage(page, chart);
    }

    // The totals the texts quote are the sums of the bars' figures.
    double minimum = 0;
    double constant = 0;
    for (const ch6::Card& card : ch6::kCards) {
        minimum += card.interestMinimum;
        constant += card.interestConstant;
    }
    minimum = RoundToCents(minimum);
    constant = RoundToCents(constant);
    const QString savings = dollars(RoundToCents(minimum - constant));

    QStackedWidget* interestTexts = m_charts[InterestChart].texts;
    const QRect textRect(0, 0, interestTexts->width(), interestTexts->height());
    makeProse(
        interestTexts->widget(0), "Text1", textRect,
        tr("<p>With <b>minimum payments</b> each payment is a small share of what is still owed. It gets "
           "smaller as the balance gets smaller, so the interest keeps running for years.</p>"
           "<p>The bars show the interest each card costs before it is paid off.</p><p>%1</p>")
            .arg(tr("The total interest paid on these 5 credit cards would be %1.").arg(dollars(minimum))));
    makeProse(
        interestTexts->widget(1), "Text2", textRect,
        tr("<p>With <b>constant payments</b> the first payment is paid every month until the card is paid "
           "off, the way a loan is repaid. More of every payment goes to the balance, so far less interest "
           "builds up.</p><p>%1</p>")
            .arg(tr("The total interest paid on these 5 credit cards would be %1.").arg(dollars(constant))));
    QWidget* both = interestTexts->widget(2);
    makeProse(both, "Text3", {0, 0, textRect.width(), 44},
              tr("<p>Side by side, the two methods for the same five cards, in interest paid:</p>"));
    makeCell(both,
             textCell("MinimumTotal", {8, 50, 250, 20}, tr("Minimum Payments - %1").arg(dollars(minimum)), 13,
                      true, colour::black, Qt::AlignLeft | Qt::AlignVCenter));
    makeCell(both, textCell("ConstantLabel", {8, 72, 134, 20}, tr("Constant Payments -"), 13, true,
                            colour::black, Qt::AlignLeft | Qt::AlignVCenter));
    makeCell(both, textCell("ConstantTotal", {142, 72, 100, 20}, dollars(constant), 13, true, colour::black,
                            Qt::AlignLeft | Qt::AlignVCenter));
    makeCell(both, textCell("Savings", {8, 98, 250, 22}, tr("SAVINGS - %1").arg(savings), 15, true,
                            colour::green, Qt::AlignLeft | Qt::AlignVCenter));
    makeProse(both, "Text3b", {0, 130, textRect.width(), 62},
              tr("<p>Keeping each payment the same saves more than half of the interest.</p>"));

    QStackedWidget* payoffTexts = m_charts[PayoffChart].texts;
    const ch6::Card& first = ch6::kCards.front();
    makeProse(
        payoffTexts->widget(0), "Text4", textRect,
        tr("<p>With <b>minimum payments</b> every one of the five cards takes years to pay off.</p><p>%1</p>"
           "<p>Card %2 takes more than %3 years.</p>")
            .arg(longestShortest(false))
            .arg(first.number)
            .arg(first.monthsMinimum / 12));
    makeProse(
        payoffTexts->widget(1), "Text5", textRect,
        tr("<p>With <b>constant payments</b> every card is paid off in well under ten years.</p><p>%1</p>")
            .arg(longestShortest(true)));
    makeProse(
        payoffTexts->widget(2), "Text6", textRect,
        tr("<p>Side by side: keeping the payment the same cuts the time on every card, on Card %1 from %2 "
           "months to %3.</p>"
           "<p>In the next chapter, we'll see what happens when just $5 extra is added to the monthly "
           "payments.</p>")
            .arg(first.number)
            .arg(first.monthsMinimum)
            .arg(first.monthsConstant));
}

// Axes and ticks; the value-axis and card labels. All of them are background.
static void addAxes(QFrame* panel, const ChartSpec& spec)
{
    line(panel, {kAxisX, kAxisTop, 1, ch6::kAxisY - kAxisTop + 1});
    for (int y = kAxisTop; y < ch6::kAxisY; y += kTickStep)
        line(panel, {kAxisX + 1, y, 7, 1});
    line(panel, {kAxisX, ch6::kAxisY, 227, 1});
    for (int k = 0; k < 11; ++k) {
        QLabel* l = makeCell(panel, textCell("", {6, 16 + 20 * k, 33, 13}, QString::fromLatin1(spec.axis[k]), 10,
                                             false, colour::white, Qt::AlignRight | Qt::AlignVCenter));
        l->setObjectName(QStringLiteral("%1Axis%2").arg(QLatin1String(spec.panelName)).arg(k));
        PassPointerThrough(l);
    }
    for (const ch6::Card& card : ch6::kCards) {
        QLabel* l =
            makeCell(panel, textCell("", {54 + kCardStep * (card.number - 1), ch6::kAxisY + 1, 40, 13},
                                     TChapter_006::tr("Card %1").arg(card.number), 10, false, colour::white));
        l->setObjectName(QStringLiteral("%1Card%2").arg(QLatin1String(spec.panelName)).arg(card.number));
        PassPointerThrough(l);
    }
}

TChapter_006::ChartControls TChapter_006::buildChartPage(QWidget* page, Chart chart)
{
    const ChartSpec& spec = kChartSpecs[chart];
    ChartControls c;

    addText(page, kWords, heading(spec.heading, {10, 4, 290, 24}, colour::maroon, 16));
    addText(page, kWords,
            {.name = "Note",
             .rect = {10, 30, 290, 18},
             .text = QT_TRANSLATE_NOOP("quenmark::TChapter_006",
                                       "Move cursor arrow over a bar to see the actual value"),
             .foreground = colour::textBlue,
             .fontPx = 11});

    // The chart panel over its shadow.
    const QRect panelRect(QPoint(10, 54), kChartSize);
    makeCell(page, shadowSpec(panelRect.translated(4, 4)));
    auto* panel = new QFrame(page);
    panel->setObjectName(QString::fromLatin1(spec.panelName));
    panel->setGeometry(panelRect);
    panel->setAccessibleName(tr(spec.spokenChart));
    setBackground(panel, spec.background);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::WindowText, colour::white); // the keyboard focus frame
    panel->setPalette(pal);
    c.panel = panel;

    addAxes(panel, spec);

    // The bars: minimum bars have index 0..4, constant bars 5..9. Made card by
    // card, so the arrow keys read them left to right.
    for (std::size_t i = 0; i < ch6::kCards.size(); ++i) {
        for (int constant = 0; constant < 2; ++constant) {
            const ch6::Card& card = ch6::kCards[i];
            const int height = card.heights[static_cast<std::size_t>(chart * 2 + constant)];
            const int x = kFirstBarX + kCardStep * (card.number - 1) + (constant ? kConstantOffset : 0);
            const QString value = barValue(chart, card, constant != 0);
            const QString name = QStringLiteral("%1%2")
                                     .arg(QLatin1String(constant ? spec.constantPrefix : spec.minimumPrefix))
                                     .arg(card.number);
            const QString spoken =
                (constant ? tr("Card %1, constant payments: %2") : tr("Card %1, minimum payments: %2"))
                    .arg(card.number)
                    .arg(value);
            auto* bar = new ChartBar(panel, name, {x, ch6::kAxisY - height, kBarWidth, height},
                                     constant ? kConstantColour : kMinimumColour,
                                     static_cast<int>(i) + 5 * constant, spoken);
            (constant ? c.constant : c.minimum)[i] = bar;
            c.values[i + 5 * static_cast<std::size_t>(constant)] = value;
        }
    }

    // The readout and the title do not react to the pointer.
    const CellSpec readout{.name = spec.readoutName,
                           .rect = {kReadoutX, kReadoutY, spec.readoutWidth, 16},
                           .foreground = colour::yellow,
                           .fontPx = 12,
                           .bold = true,
                           .align = Qt::AlignCenter};
    c.readout = makeCell(panel, readout);
    c.title = makeCell(panel, textCell(spec.titleName, {0, kTitleY, 10, 16}, QString(), 13, true, colour::white));
    SetCentredTitle(c.title, tr("Minimum Payment Method"));

    // Beside the chart: the five cards with the arrow, and the texts.
    const CellSpec tableSpec{.name = spec.tableName,
                             .rect = {305, 8, 262, 94},
                             .background = colour::white,
                             .kind = CellKind::Panel};
    QLabel* table = makeCell(page, tableSpec);
    table->setAccessibleName(tr("The five sample cards"));
    cardTable(table, kSmallTable, 3, kRowTop, kRowStep, 11);
    c.arrow = new RowArrow(table, QString::fromLatin1(spec.arrowName), kArrowX, kArrowFirstTop, kRowStep);

    c.texts = new QStackedWidget(page);
    c.texts->setObjectName(QString::fromLatin1(spec.textsName));
    c.texts->setGeometry(305, 110, 262, 207);
    for (int i = 0; i < 3; ++i) {
        auto* textPage = new QWidget(c.texts);
        textPage->setObjectName(QStringLiteral("%1Page%2").arg(QLatin1String(spec.textsName)).arg(i));
        setBackground(textPage, colour::white);
        c.texts->addWidget(textPage);
    }
    return c;
}

} // namespace quenmark
