// Chapter 8's pages: texts, the card table, the pie page with its five pies,
// their frame and shadow panels, the stage texts and the reset zones. Data and
// construction only; the behaviour is in Chapt08.cpp.
#include "lessons/Chapt08.h"

#include <QCoreApplication>
#include <QLabel>
#include <QStackedWidget>
#include <algorithm>
#include <numeric>
#include <span>

#include "common/Layout.h"
#include "common/PageText.h"
#include "core/MoneyText.h"
#include "pictures/DrawnPicture.h"
#include "pictures/Pies.h"

namespace quenmark {

namespace {

constexpr Words kWords{"quenmark::TChapter_008"};

constexpr Qt::Alignment kTopLeft = Qt::AlignLeft | Qt::AlignTop;
constexpr Qt::Alignment kMiddleLeft = Qt::AlignLeft | Qt::AlignVCenter;

// A line of text in one colour and alignment.
PageText line(const char* name, QRect rect, const char* text, int px, bool bold, QColor fg,
              Qt::Alignment align, bool wrap = false)
{
    return {.name = name,
            .rect = rect,
            .text = text,
            .foreground = fg,
            .fontPx = px,
            .bold = bold,
            .align = align,
            .wordWrap = wrap};
}

// A caption on a coloured band; its blanks are part of the text.
PageText band(const char* name, QRect rect, const char* text, const QColor& bg, int px = 13)
{
    return {.name = name,
            .rect = rect,
            .text = text,
            .background = bg,
            .foreground = colour::white,
            .fontPx = px,
            .bold = true,
            .align = Qt::AlignCenter,
            .kind = CellKind::Panel,
            .wordWrap = true};
}

// ---- page 1: overview --------------------------------------------------------------
const PageText kOverview[] = {
    band("OverviewHeading", {14, 12, 176, 28},
         QT_TRANSLATE_NOOP("quenmark::TChapter_008", " Chapter Overview: "), colour::maroon, 16),
    line("OverviewIntro", {14, 56, 550, 22},
         QT_TRANSLATE_NOOP("quenmark::TChapter_008",
                           "In this chapter we will look at how to maximize the use of your money."),
         14, true, colour::textBlue, kMiddleLeft),
    prose(
        "OverviewGoals", {30, 90, 534, 150},
        QT_TRANSLATE_NOOP("quenmark::TChapter_008",
                          "<p>We will:</p><ul>"
                          "<li>introduce <b>payment snowballing</b>,</li>"
                          "<li>explain how payment snowballing works,</li>"
                          "<li>introduce <b>pledge money</b>,</li>"
                          "<li>and show how effective payment snowballing and pledge money are when they are "
                          "used together.</li></ul>")),
};

// ---- page 2: maximizing your money -------------------------------------------------
const PageText kMaximizing[] = {
    heading(QT_TRANSLATE_NOOP("quenmark::TChapter_008", "Maximizing the Use of Your Money"), {14, 8, 550, 28},
            colour::maroon),
    prose("Prose", {14, 44, 550, 270},
          QT_TRANSLATE_NOOP(
              "quenmark::TChapter_008",
              "<p>In the last chapter we added an extra $5, $10 and $20 to each of the five sample card "
              "payments. That saves money, but it is not the most effective way to use it.</p>"
              "<p>Two techniques make the same money go further:</p>"
              "<p><b>Payment snowballing</b>: using the money that is freed each time a debt is paid off "
              "to pay off the next one.</p>"
              "<p><b>Pledge money</b>: combining all of your extra money into one larger amount, instead "
              "of a few dollars added to every payment.</p>"
              "<p>We start with payment snowballing.</p>")),
};

// ---- page 3: the pies --------------------------------------------------------------
const PageText kPieTexts[] = {
    line("PieHeading", {20, 8, 340, 24},
         QT_TRANSLATE_NOOP("quenmark::TChapter_008", "The Concept of Payment Snowballing"), 16, true,
         colour::maroon, kMiddleLeft),
    line("PiePrompt", {22, 40, 113, 50},
         QT_TRANSLATE_NOOP("quenmark::TChapter_008", "Begin by moving the mouse pointer over this graph"), 12,
         true, colour::maroon, Qt::AlignHCenter | Qt::AlignTop, true),
};
constexpr QRect kPromptArrow{73, 92, 11, 16};

constexpr std::array<QPoint, TChapter_008::kStages> kPiePanels{
    {{14, 117}, {14, 221}, {155, 221}, {295, 221}, {436, 221}}};
constexpr QSize kPiePanelSize{129, 89};
constexpr QRect kPieImage{4, 2, 119, 66};    // inside the panel
constexpr QRect kPieCaption{0, 68, 129, 21}; // inside the panel, under the picture
constexpr QPoint kDropShadowOffset{3, 3};

struct ZoneSpec
{
    const char* name;
    QRect rect;
};
// Reset zones on the pie page; PaintBox2 lies on the Stage 5 panel's caption.
constexpr ZoneSpec kPageZones[] = {
    {"PiePaintBox1", {149, 3, 426, 215}}, // above the row of pies, right of the Stage 1 column
    {"PiePaintBox2", {3, 4, 160, 110}},   // above the Stage 1 pie
    {"PaintBox1", {424, 288, 154, 37}},   // right of and below the Stage 5 pie
};
constexpr ZoneSpec kCaptionZone{"PaintBox2", kPieCaption};
constexpr QRect kNotebook3{168, 40, 395, 169};

// ---- the stage texts (Notebook3) -----------------------------------------------------
constexpr QRect kStageBand{0, 2, 395, 36};
constexpr QRect kStageProse{4, 46, 387, 120};

// ---- page 4: what is pledge money --------------------------------------------------
const PageText kPledge[] = {
    heading(QT_TRANSLATE_NOOP("quenmark::TChapter_008", "What is Pledge Money"), {14, 8, 550, 28},
            colour::maroon),
    prose("Prose", {14, 42, 550, 70},
          QT_TRANSLATE_NOOP(
              "quenmark::TChapter_008",
              "<p><b>Pledge money</b> is extra money that you can afford, and are willing to pledge, every "
              "month to paying off your debts. Instead of adding $5, $10 or $20 to each payment, you combine "
              "it into one larger amount.</p>")),
    line("PledgeExample", {14, 116, 550, 20},
         QT_TRANSLATE_NOOP("quenmark::TChapter_008", "For example if there are 5 credit cards:"), 13, true,
         colour::textBlue, kMiddleLeft),
    line("PledgeInsteadHead", {80, 144, 200, 22},
         QT_TRANSLATE_NOOP("quenmark::TChapter_008", "Instead of adding..."), 13, true, colour::maroon,
         kMiddleLeft),
    line("PledgeHaveHead", {300, 144, 200, 22},
         QT_TRANSLATE_NOOP("quenmark::TChapter_008", "You would have..."), 13, true, colour::maroon,
         kMiddleLeft),
    line("PledgeInstead1", {80, 168, 200, 22},
         QT_TRANSLATE_NOOP("quenmark::TChapter_008", "$5 to each payment"), 13, false, colour::black,
         kMiddleLeft),
    line("PledgeHave1", {300, 168, 200, 22},
         QT_TRANSLATE_NOOP("quenmark::TChapter_008", "$25 in Pledge Money"), 13, true, colour::black,
         kMiddleLeft),
    line("PledgeInstead2", {80, 190, 200, 22},
         QT_TRANSLATE_NOOP("quenmark::TChapter_008", "$10 to each payment"), 13, false, colour::black,
         kMiddleLeft),
    line("PledgeHave2", {300, 190, 200, 22},
         QT_TRANSLATE_NOOP("quenmark::TChapter_008", "$50 in Pledge Money"), 13, true, colour::black,
         kMiddleLeft),
    line("PledgeInstead3", {80, 212, 200, 22},
         QT_TRANSLATE_NOOP("quenmark::TChapter_008", "$20 to each payment"), 13, false, colour::black,
         kMiddleLeft),
    line("PledgeHave3", {300, 212, 200, 22},
         QT_TRANSLATE_NOOP("quenmark::TChapter_008", "$100 in Pledge Money"), 13, true, colour::black,
         kMiddleLeft),
    prose("PledgeClosing", {14, 250, 550, 64},
          QT_TRANSLATE_NOOP(
              "quenmark::TChapter_008",
              "<p>The same money is paid each month either way. Combined into one amount, all of it goes to "
              "one card at a time: the card with the highest payoff priority.</p>")),
};

// ---- page 5: determining pledge money ----------------------------------------------
const PageText kDetermining[] = {
    heading(QT_TRANSLATE_NOOP("quenmark::TChapter_008", "Determining Your Pledge Money"), {14, 8, 550, 28},
            colour::maroon),
    prose("Prose", {14, 40, 550, 124},
          QT_TRANSLATE_NOOP(
              "quenmark::TChapter_008",
              "<p>Look at your whole budget, not just your credit cards. Small savings add up: lunch brought "
              "from home twice a week, one evening out less each month, or shopping with a list can free "
              "$25 to $100 a month.</p>"
              "<p>Decide on an amount you can keep up every month, and pledge it to paying off your debts "
              "until they are gone.</p>")),
    {.name = "Heading2",
     .rect = {14, 176, 550, 28},
     .text = QT_TRANSLATE_NOOP("quenmark::TChapter_008", "What If I Don't Have Any Pledge Money"),
     .foreground = colour::maroon,
     .fontPx = 18,
     .bold = true},
    prose(
        "Prose2", {14, 208, 550, 106},
        QT_TRANSLATE_NOOP(
            "quenmark::TChapter_008",
            "<p>Payment snowballing on its own still helps. Keep paying each creditor the same amount every "
            "month, and when a card is paid off, add its payment to the next card's. Every card after the "
            "first is then paid off sooner, and you pay less interest.</p>")),
};

// ---- page 6: combining the two -----------------------------------------------------
const PageText kCombining[] = {
    heading(QT_TRANSLATE_NOOP("quenmark::TChapter_008", "Payment Snowballing With Pledge Money"),
            {14, 8, 550, 28}, colour::maroon),
    prose("Prose", {14, 40, 550, 40},
          QT_TRANSLATE_NOOP(
              "quenmark::TChapter_008",
              "<p>As little as $25 of pledge money a month makes a difference. We use the same five sample "
              "cards as the previous chapter:</p>")),
    line("SortedNote", {14, 232, 550, 22},
         QT_TRANSLATE_NOOP("quenmark::TChapter_008",
                           "First they get sorted by Highest Annual Percentage Rate"),
         14, true, colour::maroon, Qt::AlignCenter),
    prose(
        "ChartsNext", {14, 264, 550, 50},
        QT_TRANSLATE_NOOP(
            "quenmark::TChapter_008",
            "<p>The next three pages show them paid off in that order with payment snowballing and $25, $50 "
            "or $100 of pledge money.</p>")),
};

struct CardColumn
{
    const char* prefix; // object names: prefix + "Head", prefix + row number
    const char* head;
    int left;
    int width;
};
constexpr CardColumn kCardColumns[] = {
    {"CardName", QT_TRANSLATE_NOOP("quenmark::TChapter_008", "Name"), 124, 90},
    {"CardApr", QT_TRANSLATE_NOOP("quenmark::TChapter_008", "APR"), 214, 70},
    {"CardBal", QT_TRANSLATE_NOOP("quenmark::TChapter_008", "Balance"), 284, 100},
    {"CardPmt", QT_TRANSLATE_NOOP("quenmark::TChapter_008", "Payment"), 384, 80},
};
constexpr int kCardTop = 92;
constexpr int kCardRowHeight = 22;

// The sample cards in card order, as the previous chapter lists them: the
// payoff-order list of the chart pages sorted back by card number.
void addCardTable(QWidget* page)
{
    auto cards = ch8::kPriorityCards;
    std::sort(cards.begin(), cards.end(), [](const auto& a, const auto& b) { return a.number < b.number; });
    for (std::size_t col = 0; col < std::size(kCardColumns); ++col) {
        const CardColumn& column = kCardColumns[col];
        const QByteArray headName = QByteArray(column.prefix) + "Head";
        addText(page, kWords,
                band(headName.constData(), {column.left, kCardTop, column.width + 1, kCardRowHeight},
                     column.head, colour::textBlue));
        int row = 1;
        for (const ch8::PriorityCard& card : cards) {
            const QString texts[] = {
                kWords(QT_TRANSLATE_NOOP("quenmark::TChapter_008", "Card %1")).arg(card.number),
                QString::number(card.apr, 'f', 1),
                QStringLiteral("$") + QString::fromStdString(AmountToText(card.balance)),
                QStringLiteral("$") + QString::fromStdString(AmountToText(card.payment)),
            };
            const QByteArray name = QByteArray(column.prefix) + QByteArray::number(row);
            // Neighbouring cells share their border lines; figures stand to the right.
            QLabel* l = addText(
                page, kWords,
                {.name = name.constData(),
                 .rect = {column.left, kCardTop + row * kCardRowHeight, column.width + 1, kCardRowHeight + 1},
                 .background = colour::white,
                 .align = col == 0 ? kMiddleLeft : (Qt::AlignRight | Qt::AlignVCenter),
                 .kind = CellKind::Panel});
            l->setText(texts[col]);
            l->setIndent(6);
            ++row;
        }
    }
}

// A control that passes pointer moves to what lies beneath it.
void passPointer(QWidget* w)
{
    w->setAttribute(Qt::WA_TransparentForMouseEvents);
}

QWidget* addZone(QWidget* parent, const ZoneSpec& spec)
{
    auto* zone = new QWidget(parent);
    zone->setObjectName(QString::fromLatin1(spec.name));
    zone->setGeometry(spec.rect);
    zone->setAccessibleName(kWords(QT_TRANSLATE_NOOP("quenmark::TChapter_008", "Pie walk reset area")));
    zone->setAccessibleDescription(kWords(QT_TRANSLATE_NOOP(
        "quenmark::TChapter_008",
        "Pointing here ends the pie walk: the pies are lowered and the introduction text shows.")));
    return zone;
}

QString dollars(int amount)
{
    return QStringLiteral("$") + QString::number(amount);
}

// What a screen reader hears for the pie of `stage`: its slices and amounts.
QString pieDescription(int stage)
{
    QStringList parts;
    int total = 0;
    for (const PieSlice& s : SnowballPieSlices(TChapter_008::kPiePayments, stage)) {
        parts << kWords(QT_TRANSLATE_NOOP("quenmark::TChapter_008", "slice %1 %2"))
                     .arg(s.priority)
                     .arg(dollars(s.dollars));
        total += s.dollars;
    }
    const QString walk =
        stage == 1 ? kWords(QT_TRANSLATE_NOOP(
                         "quenmark::TChapter_008",
                         "Pointing at it starts the pie walk: the Stage 1 text shows and the pie is lifted."))
                   : kWords(QT_TRANSLATE_NOOP(
                                "quenmark::TChapter_008",
                                "After Stage 1, pointing at it shows the Stage %1 text and lifts the pie."))
                         .arg(stage);
    return kWords(QT_TRANSLATE_NOOP("quenmark::TChapter_008", "%1 of %2 a month. %3"))
        .arg(parts.join(QStringLiteral(", ")), dollars(total), walk);
}

// The six stage texts of Notebook3, their figures taken from the pie's payments.
QWidget* addStagePage(QStackedWidget* notebook3, int index)
{
    auto* p = new QWidget(notebook3);
    p->setObjectName(QStringLiteral("StagePage%1").arg(index));
    setBackground(p, colour::white);
    notebook3->addWidget(p);
    return p;
}

void stageText(QWidget* p, const char* name, QRect rect, const QString& html)
{
    makeProse(p, name, rect, html, 13);
}

// The walk's first two pages: how to use it, and the two rules of snowballing.
void addStageIntroPages(QStackedWidget* notebook3, int total)
{
    auto page = [&](int index) { return addStagePage(notebook3, index); };
    const auto text = stageText;

    QWidget* intro = page(0);
    text(intro, "StageText0", {4, 4, 387, 160},
         kWords(QT_TRANSLATE_NOOP(
             "quenmark::TChapter_008",
             "<p>Payment snowballing is shown here with the same five example cards as the last chapter, "
             "drawn as pie charts.</p>"
             "<p>This is an interactive explanation: move the mouse pointer over the graph labelled "
             "<b>Stage 1</b>, then work your way over to <b>Stage 5</b>.</p>")) +
             kWords(QT_TRANSLATE_NOOP("quenmark::TChapter_008",
                                      "<p>From the keyboard, press Tab to go from pie to pie.</p>")));

    QWidget* first = page(1);
    addText(first, kWords,
            band("StageFirst", {4, 4, 44, 22}, QT_TRANSLATE_NOOP("quenmark::TChapter_008", " 1st "),
                 colour::maroon));
    addText(first, kWords,
            line("StageFirstText", {56, 4, 335, 22},
                 QT_TRANSLATE_NOOP("quenmark::TChapter_008", "Assign a payoff priority to each credit card."),
                 13, true, colour::black, kMiddleLeft));
    addText(first, kWords,
            band("StageSecond", {4, 34, 44, 22}, QT_TRANSLATE_NOOP("quenmark::TChapter_008", " 2nd "),
                 colour::maroon));
    addText(first, kWords,
            line("StageSecondText", {56, 34, 335, 40},
                 QT_TRANSLATE_NOOP("quenmark::TChapter_008",
                                   "Make a commitment to pay each creditor the same amount each and "
                                   "every month. This is critical."),
                 13, true, colour::black, kTopLeft, true));
    text(first, "StageText1", {4, 84, 387, 80},
         kWords(
             QT_TRANSLATE_NOOP(
                 "quenmark::TChapter_008",
                 "<p>The pie is the total you pay your creditors each month, %1. Each section is a separate "
                 "payment, numbered by the card's payoff priority.</p>"))
             .arg(dollars(total)));
}

void addStagePages(QStackedWidget* notebook3)
{
    const auto& pay = TChapter_008::kPiePayments;
    const int total = std::accumulate(pay.begin(), pay.end(), 0);
    auto upTo = [&](int stage) { return std::accumulate(pay.begin(), pay.begin() + stage, 0); };
    addStageIntroPages(notebook3, total);

    struct Stage
    {
        const char* band;
        QString text;
    };
    const Stage stages[] = {
        {QT_TRANSLATE_NOOP("quenmark::TChapter_008",
                           " Look what happens when the 1st credit card gets paid off. "),
         kWords(
             QT_TRANSLATE_NOOP("quenmark::TChapter_008",
                               "<p>Card #1's payment of %1 is added to card #2's payment of %2, so card #2 "
                               "now gets %3 every "
                               "month. The other cards keep their Stage 1 payments.</p>"))
             .arg(dollars(pay[0]), dollars(pay[1]), dollars(upTo(2)))},
        {QT_TRANSLATE_NOOP("quenmark::TChapter_008", " Look what happens when 2 credit cards are paid off. "),
         kWords(QT_TRANSLATE_NOOP("quenmark::TChapter_008",
                                  "<p>The payments of cards #1 and #2 now go to card #3, which gets %1 every "
                                  "month instead of its "
                                  "own %2. Cards #4 and #5 keep their Stage 1 payments.</p>"))
             .arg(dollars(upTo(3)), dollars(pay[2]))},
        {QT_TRANSLATE_NOOP("quenmark::TChapter_008", " Look what happens when 3 credit cards are paid off. "),
         kWords(QT_TRANSLATE_NOOP("quenmark::TChapter_008",
                                  "<p>All the freed payments go to card #4: %1 every "
                                  "month instead of its own %2. Card #5 keeps "
                                  "its Stage 1 payment.</p>"))
             .arg(dollars(upTo(4)), dollars(pay[3]))},
        {QT_TRANSLATE_NOOP("quenmark::TChapter_008", " The final stage: 4 credit cards are paid off. "),
         kWords(QT_TRANSLATE_NOOP("quenmark::TChapter_008",
                                  "<p>All the money, %1 every month, now goes to the "
                                  "last card instead of its own %2, so it is "
                                  "paid off far sooner.</p><p>Next comes pledge "
                                  "money, which makes the snowball bigger from the "
                                  "very first month.</p>"))
             .arg(dollars(total), dollars(pay[4]))},
    };
    int index = 2;
    for (const Stage& s : stages) {
        QWidget* p = addStagePage(notebook3, index);
        const QByteArray bandName = "StageBand" + QByteArray::number(index);
        const QByteArray textName = "StageText" + QByteArray::number(index);
        addText(p, kWords, band(bandName.constData(), kStageBand, s.band, colour::textBlue));
        stageText(p, textName.constData(), kStageProse, s.text);
        ++index;
    }

    // Notebook3 is a reset zone as a whole: its texts pass the pointer to it.
    for (QLabel* l : notebook3->findChildren<QLabel*>())
        passPointer(l);
    for (int i = 0; i < notebook3->count(); ++i)
        notebook3->widget(i)->setMouseTracking(true);
}

} // namespace

TChapter_008::Controls TChapter_008::buildPages()
{
    Controls c;
    addTexts(addPage(QStringLiteral("page00")), kWords, kOverview);
    addTexts(addPage(QStringLiteral("page01")), kWords, kMaximizing);

    // The pie page. Stacking from the bottom: the reset zones, the texts, the
    // frame and shadow panels, the stage panels, and Notebook3.
    QWidget* pies = addPage(QStringLiteral("page02"));
    for (const ZoneSpec& zone : kPageZones)
        c.resetZones << addZone(pies, zone);
    for (const PageText& spec : kPieTexts)
        passPointer(addText(pies, kWords, spec));
    auto* arrow =
        new DrawnPicture([](QPainter& p, const QRectF& r) { DrawDownArrow(p, r, colour::maroon); }, pies);
    arrow->setObjectName(QStringLiteral("PromptArrow"));
    arrow->setGeometry(kPromptArrow);
    passPointer(arrow);

    for (int stage = 1; stage <= kStages; ++stage) {
        Pie& pie = c.pies[static_cast<std::size_t>(stage - 1)];
        const QRect panel(kPiePanels[static_cast<std::size_t>(stage - 1)], kPiePanelSize);
        const QString n = QString::number(stage);
        QLabel* frame = makeCell(pies, shadowSpec(panel.adjusted(-1, -1, 1, 1)));
        frame->setObjectName(QStringLiteral("Pie%1Shadow1").arg(n));
        QLabel* shadow = makeCell(pies, shadowSpec(panel.translated(kDropShadowOffset)));
        shadow->setObjectName(QStringLiteral("Pie%1Shadow2").arg(n));
        pie.frame = frame;
        pie.shadow = shadow;

        auto* box = new QWidget(pies);
        box->setObjectName(QStringLiteral("Pie%1Panel").arg(n));
        box->setGeometry(panel);
        setBackground(box, colour::white);
        pie.panel = box;

        auto* image = new DrawnPicture(
            [stage](QPainter& p, const QRectF& r) { DrawSnowballPie(p, r, kPiePayments, stage); }, box);
        image->setObjectName(QStringLiteral("PieImage%1").arg(n));
        image->setGeometry(kPieImage);
        image->setFocusPolicy(Qt::TabFocus);
        image->setAccessibleName(tr(QT_TRANSLATE_NOOP("quenmark::TChapter_008", "Stage %1 pie")).arg(stage));
        image->setAccessibleDescription(pieDescription(stage));
        pie.image = image;

        const QByteArray captionName = "PieCaption" + n.toLatin1();
        QLabel* caption =
            makeCell(box, textCell(captionName.constData(), kPieCaption,
                                   tr(QT_TRANSLATE_NOOP("quenmark::TChapter_008", "Stage %1")).arg(stage), 12,
                                   true, colour::textBlue, Qt::AlignCenter));
        passPointer(caption);
    }
    c.resetZones << addZone(c.pies.back().panel, kCaptionZone);

    c.notebook3 = new QStackedWidget(pies);
    c.notebook3->setObjectName(QStringLiteral("Notebook3"));
    c.notebook3->setGeometry(kNotebook3);
    setBackground(c.notebook3, colour::white);
    c.notebook3->setAccessibleName(tr(QT_TRANSLATE_NOOP("quenmark::TChapter_008", "Stage text")));
    c.notebook3->setAccessibleDescription(tr(QT_TRANSLATE_NOOP(
        "quenmark::TChapter_008",
        "Pointing here ends the pie walk: the pies are lowered and the introduction text shows.")));
    addStagePages(c.notebook3);
    c.resetZones << c.notebook3;

    for (int i = 1; i < kStages; ++i)
        setTabOrder(c.pies[static_cast<std::size_t>(i - 1)].image, c.pies[static_cast<std::size_t>(i)].image);

    addTexts(addPage(QStringLiteral("page03")), kWords, kPledge);
    addTexts(addPage(QStringLiteral("page04")), kWords, kDetermining);
    QWidget* combining = addPage(QStringLiteral("page05"));
    addTexts(combining, kWords, kCombining);
    addCardTable(combining);

    c.chartPage = addPage(QStringLiteral("page06"));
    return c;
}

} // namespace quenmark
