// Chapter 1's pages: texts, pictures and the controls of the quiz, as data.
// The behaviour is in Chapt01.cpp.
#include "lessons/Chapt01.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <span>
#include <tuple>
#include <utility>

#include "common/Layout.h"
#include "common/PageText.h"
#include "pictures/Pictures.h"

namespace quenmark {

namespace {

constexpr Words kWords{"quenmark::TChapter_001"};

// A picture on a page, optionally with a grey shadow panel behind it.
struct PictureSpec
{
    const char* name;
    QRect rect;
    const char* art; // file under :/art
    bool shadow;
    const char* spoken = nullptr; // what a screen reader says for the picture
};

struct PageSpec
{
    const char* name;
    std::span<const PageText> cells;
    std::span<const PictureSpec> pictures;
};

PageText text(const char* name, QRect rect, const char* caption, int px = 13, bool bold = false,
              QColor fg = colour::black, Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop, bool wrap = true)
{
    return {.name = name,
            .rect = rect,
            .text = caption,
            .foreground = fg,
            .fontPx = px,
            .bold = bold,
            .align = align,
            .wordWrap = wrap};
}

// ---- page 1: title ------------------------------------------------------------------
// The product's name drawn as a picture: the splash screen's, at its own size,
// centred on the page.
const PictureSpec kTitlePictures[] = {{"TitlePicture", {135, 8, 307, 239}, "splash_name.png", false, "Quenmark"}};
const PageText kTitleCells[] = {
    text("CopyrightNotice", {14, 254, 550, 20}, "gstrCopyright", 12, true, colour::black, Qt::AlignCenter,
         false),
    text("SecondNotice", {14, 276, 550, 40}, "", 12, false, colour::textBlue,
         Qt::AlignHCenter | Qt::AlignTop),
};

// ---- page 2: background -------------------------------------------------------------
const PageText kBackgroundCells[] = {
    heading(QT_TRANSLATE_NOOP("quenmark::TChapter_001", "Credit Card Debt Is Growing"), kHeadingRect,
            colour::maroon),
    text("Prose", {14, 40, 550, 276},
         QT_TRANSLATE_NOOP(
             "quenmark::TChapter_001",
             "<p>In 1996 the bankers' association reported that credit card debt had reached a "
             "record high, and that over 3% of consumers were labelled delinquent: at least "
             "<b>30 days</b> behind with their payments.</p>"
             "<p>In a survey taken in the spring of 1996, <b>47% of working women</b> named "
             "getting out of debt as their main goal for working. Today <b>7 out of every 10</b> "
             "Americans carry a balance on their credit cards from month to month.</p>"
             "<p>Card issuers disguise the <b>true hidden costs</b> of that balance. Quenmark "
             "explains them step by step, with one typical card, so that you can see what your "
             "own cards cost you and how to pay them off sooner.</p>")),
};

// ---- page 3: the quiz ---------------------------------------------------------------
const PictureSpec kQuizPictures[] = {
    {"CardPicture", {14, 34, 170, 108}, "ch1_card.jpg", true, QT_TRANSLATE_NOOP("quenmark::TChapter_001", "A credit card")}};
const PageText kQuizCells[] = {
    text("Page02_Intro", {14, 8, 340, 20},
         QT_TRANSLATE_NOOP("quenmark::TChapter_001", "Let's begin by looking at a typical credit card..."),
         14, true, colour::textBlue, Qt::AlignLeft | Qt::AlignVCenter, false),
    text("Page02_AprLabel", {200, 40, 70, 20}, QT_TRANSLATE_NOOP("quenmark::TChapter_001", "APR"), 13, true),
    text("Page02_AprValue", {272, 40, 70, 20}, "17.9%", 13, true, colour::maroon),
    text("Page02_BalLabel", {200, 76, 70, 20}, QT_TRANSLATE_NOOP("quenmark::TChapter_001", "Balance"), 13,
         true),
    text("Page02_BalValue", {272, 76, 70, 20}, "$2,100", 13, true, colour::maroon),
    text("Page02_PmtLabel", {200, 112, 70, 20}, QT_TRANSLATE_NOOP("quenmark::TChapter_001", "Payment"), 13,
         true),
    text("Page02_PmtValue", {272, 112, 70, 20}, "$53", 13, true, colour::maroon),
    text("Page02_Question", {360, 34, 206, 110},
         QT_TRANSLATE_NOOP("quenmark::TChapter_001",
                           "How long do you think it would take to pay off this credit card if you only made "
                           "the minimum payments shown on the monthly statement?"),
         13),
    text("Page02_Guess", {14, 156, 160, 20}, QT_TRANSLATE_NOOP("quenmark::TChapter_001", "Take a guess..."),
         14, true, colour::textBlue, Qt::AlignLeft | Qt::AlignVCenter, false),
    text("Page02_YearsLabel", {80, 184, 56, 26}, QT_TRANSLATE_NOOP("quenmark::TChapter_001", "Years"), 13,
         true, colour::black, Qt::AlignLeft | Qt::AlignVCenter, false),
    text("Page02_MonthsLabel", {216, 184, 60, 26}, QT_TRANSLATE_NOOP("quenmark::TChapter_001", "Months"), 13,
         true, colour::black, Qt::AlignLeft | Qt::AlignVCenter, false),
};
constexpr QRect kYearsPanel{14, 184, 40, 26};
constexpr QRect kMonthsPanel{150, 184, 40, 26};
constexpr int kSpinWidth = 18;
constexpr QRect kCheckAnswer{14, 220, 120, 26};
constexpr QRect kShowAnswer{146, 220, 120, 26};
constexpr QRect kAnswer{14, 252, 401, 66};

// ---- page 4: the loan-style question ------------------------------------------------
const PictureSpec kLoanPictures[] = {
    {"HousePicture", {14, 70, 150, 104}, "ch1_house.jpg", true, QT_TRANSLATE_NOOP("quenmark::TChapter_001", "A house")},
    {"CarPicture", {184, 70, 150, 104}, "ch1_car.jpg", true, QT_TRANSLATE_NOOP("quenmark::TChapter_001", "A car")},
};
const PageText kLoanCells[] = {
    text("Page03_Question", {14, 6, 550, 54},
         QT_TRANSLATE_NOOP(
             "quenmark::TChapter_001",
             "If credit card issuers used the same method for repayment that banks use for "
             "automobiles, airplanes  and homes, how long do you think it would take to pay off?"),
         14, true, colour::textBlue),
    text("Page03_Now", {356, 66, 210, 20}, QT_TRANSLATE_NOOP("quenmark::TChapter_001", "Now..."), 14, true,
         colour::maroon),
    text("Page03_NowText", {356, 86, 210, 36},
         QT_TRANSLATE_NOOP("quenmark::TChapter_001",
                           "the payment stays the same every month until the debt is paid."),
         12),
    text("Page03_Remember", {356, 126, 210, 20}, QT_TRANSLATE_NOOP("quenmark::TChapter_001", "Remember..."),
         14, true, colour::maroon),
    text("Page03_Using", {356, 146, 210, 36},
         QT_TRANSLATE_NOOP("quenmark::TChapter_001",
                           "We are using $2100.00 at 17.9% APR with a monthly payment of $53.00"),
         12),
};
constexpr QRect kButton3{14, 196, 100, 26};
constexpr QRect kPage03Answer{126, 196, 240, 26};
constexpr QRect kLegalPanel{14, 230, 552, 86};

// ---- page 5: why the big difference -------------------------------------------------
const PictureSpec kGraphPictures[] = {
    {"GraphPicture", {14, 38, 360, 280}, "ch1_graph.png", false,
     QT_TRANSLATE_NOOP("quenmark::TChapter_001", "Graph of the time to repay $2100 at 17.9% by card and by loan")}};
const PageText kGraphCells[] = {
    heading(QT_TRANSLATE_NOOP("quenmark::TChapter_001", "Why The Big Difference?"), {14, 6, 550, 28},
            colour::maroon),
    text(
        "Page04_Statement", {388, 44, 178, 270},
        QT_TRANSLATE_NOOP("quenmark::TChapter_001",
                          "<p>The graph shows $2100 at 17.9% repaid two ways, starting with $53 a month.</p>"
                          "<p>Repaid like a loan, the same $53 every month, the debt is gone in "
                          "<b>61 months</b>.</p>"
                          "<p>Paying only the minimum, which shrinks with the balance, the credit card takes "
                          "<b>183 months</b> to pay off.</p>"),
        13),
};

const PageSpec kPages[] = {
    {"page00", kTitleCells, kTitlePictures},
    {"page01", kBackgroundCells, {}},
    {"page02", kQuizCells, kQuizPictures},
    {"page03", kLoanCells, kLoanPictures},
    {"Page04", kGraphCells, kGraphPictures},
};

void addPicture(QWidget* page, const PictureSpec& spec)
{
    if (spec.shadow)
        makeCell(page, {.rect = spec.rect.translated(6, 6), .background = QColor(128, 128, 128)})
            ->setObjectName(QString::fromLatin1(spec.name) + QStringLiteral("Shadow"));
    auto* picture = new QLabel(page);
    picture->setObjectName(QString::fromLatin1(spec.name));
    picture->setGeometry(spec.rect);
    picture->setPixmap(LoadArt(QString::fromLatin1(spec.art)));
    picture->setScaledContents(true);
    if (spec.spoken)
        picture->setAccessibleName(kWords(spec.spoken));
}

// The spin button beside a panel (SpinButton_Years, SpinButton_Months): an up
// and a down half, each a button of its own that Tab reaches.
std::pair<QToolButton*, QToolButton*> spinButton(QWidget* page, const QRect& panel, const char* name,
                                                 const QString& upName, const QString& downName)
{
    auto* spin = new QWidget(page);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setGeometry(panel.right() + 3, panel.top(), kSpinWidth, panel.height());
    QToolButton* halves[2];
    for (int i = 0; i < 2; ++i) {
        const bool up = i == 0;
        auto* b = new QToolButton(spin);
        b->setObjectName(QString::fromLatin1(name) + (up ? QStringLiteral("Up") : QStringLiteral("Down")));
        b->setArrowType(up ? Qt::UpArrow : Qt::DownArrow);
        const int half = panel.height() / 2;
        b->setGeometry(0, up ? 0 : half, kSpinWidth, up ? half : panel.height() - half);
        b->setAccessibleName(up ? upName : downName);
        b->setFocusPolicy(Qt::TabFocus);
        halves[i] = b;
    }
    return {halves[0], halves[1]};
}

QLabel* spinPanel(QWidget* page, const char* name, const QRect& rect)
{
    return makeCell(page, {.name = name,
                           .rect = rect,
                           .text = QStringLiteral("1"),
                           .background = colour::white,
                           .fontPx = 16,
                           .bold = true,
                           .align = Qt::AlignCenter,
                           .kind = CellKind::Panel});
}

QPushButton* button(QWidget* page, const char* name, const QRect& rect, const char* caption)
{
    auto* b = new QPushButton(kWords(caption), page);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(rect);
    b->setAutoDefault(false);
    return b;
}

} // namespace

TChapter_001::Controls TChapter_001::buildPages()
{
    QWidget* pages[5] = {};
    int i = 0;
    for (const PageSpec& spec : kPages) {
        QWidget* page = addPage(QString::fromLatin1(spec.name));
        for (const PictureSpec& picture : spec.pictures)
            addPicture(page, picture);
        addTexts(page, kWords, spec.cells);
        pages[i++] = page;
    }

    Controls c;
    c.copyrightNotice = pages[0]->findChild<QLabel*>(QStringLiteral("CopyrightNotice"));
    c.secondNotice = pages[0]->findChild<QLabel*>(QStringLiteral("SecondNotice"));
    // Prose with emphasis is rich text.
    for (const char* name : {"Prose", "Page04_Statement"})
        for (QWidget* page : pages)
            if (auto* l = page->findChild<QLabel*>(QString::fromLatin1(name)))
                l->setTextFormat(Qt::RichText);

    QWidget* quiz = pages[2];
    c.years = spinPanel(quiz, "Page02_Years", kYearsPanel);
    // Read as the number shown, then what it counts.
    c.years->setAccessibleDescription(tr("Years"));
    c.months = spinPanel(quiz, "Page02_Months", kMonthsPanel);
    c.months->setAccessibleDescription(tr("Months"));
    std::tie(c.yearsUp, c.yearsDown) =
        spinButton(quiz, kYearsPanel, "SpinButton_Years", tr("Years up"), tr("Years down"));
    std::tie(c.monthsUp, c.monthsDown) =
        spinButton(quiz, kMonthsPanel, "SpinButton_Months", tr("Months up"), tr("Months down"));
    c.checkAnswer = button(quiz, "BtnCheckAnswer", kCheckAnswer, QT_TRANSLATE_NOOP("quenmark::TChapter_001", "Check Answer"));
    c.showAnswer = button(quiz, "BtnShowAnswer", kShowAnswer, QT_TRANSLATE_NOOP("quenmark::TChapter_001", "Show Answer"));

    c.answer = makeCell(quiz, {.name = "Page02_Answer",
                               .rect = kAnswer,
                               .background = colour::white,
                               .foreground = colour::textBlue,
                               .fontPx = 12,
                               .bold = true,
                               .align = Qt::AlignLeft | Qt::AlignTop});

    QWidget* loan = pages[3];
    c.button3 = button(loan, "Button3", kButton3, QT_TRANSLATE_NOOP("quenmark::TChapter_001", "Answer"));
    c.page03Answer = addText(loan, kWords,
                             text("Page03_Answer", kPage03Answer,
                                  QT_TRANSLATE_NOOP("quenmark::TChapter_001", "5 years and 1 month."), 16,
                                  true, colour::maroon, Qt::AlignLeft | Qt::AlignVCenter, false));
    QLabel* legalPanel = makeCell(loan, {.name = "Page03_LegalPanel",
                                         .rect = kLegalPanel,
                                         .background = QColor(255, 255, 224),
                                         .kind = CellKind::Panel});
    const PageText legalLines[] = {
        text("Page03_LegalQuestion", {8, 6, 536, 22},
             QT_TRANSLATE_NOOP("quenmark::TChapter_001",
                               "This should raise a few questions.   Is this legal?   How do they do that?"),
             13, true, colour::maroon, Qt::AlignLeft | Qt::AlignVCenter, false),
        text("Page03_LegalAnswer", {8, 30, 536, 50},
             QT_TRANSLATE_NOOP(
                 "quenmark::TChapter_001",
                 "Yes it is legal.  They do it every day.  To understand how they do this is rather "
                 "complicated.  Just follow along and I will explain how this is done."),
             13, false, colour::black),
    };
    addTexts(legalPanel, kWords, legalLines);
    c.legalPanel = legalPanel;

    // Texts whose blanks matter are shown as plain text.
    for (const char* name : {"Page03_Question", "Page03_Using"})
        if (auto* l = loan->findChild<QLabel*>(QString::fromLatin1(name)))
            l->setTextFormat(Qt::PlainText);
    return c;
}

} // namespace quenmark
