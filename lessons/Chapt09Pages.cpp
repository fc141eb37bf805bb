// Chapter 9's pages as data: the overview with the logo, the tour of the
// Owlhaven main screen (picture, eight zones, nine description pages) and the
// quotations; Panel1 under Notebook1 with the two web buttons. The behaviour
// is in Chapt09.cpp.
#include "lessons/Chapt09.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTextDocumentFragment>
#include <array>
#include <span>

#include "common/Layout.h"
#include "common/PageText.h"
#include "pictures/Owlhaven.h"

namespace quenmark {

namespace {

constexpr Words kWords{"quenmark::TChapter_009"};

#define T9(text) QT_TRANSLATE_NOOP("quenmark::TChapter_009", text)

// Page area: Panel1 (the whole page area, white) with Notebook1 (581 x 287,
// a little wider than the page area, as chapter 9 was laid out) over its top.
constexpr QSize kPageArea{578, 325};
constexpr QSize kNotebook1{581, 287};
constexpr QRect kButtonDownload{14, 292, 95, 23};
constexpr QRect kButtonBuyNow{470, 292, 95, 23};

// ---- page 1: overview -----------------------------------------------------------------
constexpr QRect kLogo{12, 9, 372, 56};

const PageText kOverviewCells[] = {
    {.name = "RequirementsHeading",
     .rect = {398, 9, 168, 18},
     .text = T9("System Requirements"),
     .foreground = colour::maroon,
     .fontPx = 13,
     .bold = true},
    {.name = "Requirements",
     .rect = {398, 29, 168, 96},
     .text = T9("<ul style='margin-left:-24px'><li>A computer running Linux, Windows or macOS</li>"
                "<li>256 MB of free memory</li><li>20 MB of disk space</li>"
                "<li>A printer for your payment schedule (optional)</li></ul>"),
     .fontPx = 11,
     .align = Qt::AlignLeft | Qt::AlignTop,
     .wordWrap = true,
     .rich = true},
    {.name = "Recommendation",
     .rect = {12, 76, 374, 170},
     .text = T9("<p>You have seen what paying a little more each month, and paying your debts in the right "
                "order, can do. <b>Owlhaven</b> does the sums for you, for all of your cards and loans at "
                "once.</p>"
                "<p>Enter each debt once. Owlhaven works out which one to pay first, how much to send each "
                "creditor every month, and the month in which you will be <b>debt free</b>. Print the "
                "schedule, follow it, and watch your balances fall.</p>"),
     .fontPx = 12,
     .align = Qt::AlignLeft | Qt::AlignTop,
     .wordWrap = true,
     .rich = true},
    {.name = "Page0Buttons",
     .rect = {12, 252, 554, 32},
     .text = T9("Click \"Download\" below to try Owlhaven free for 30 days, or \"Buy Now\" to order "
                "the full version online."),
     .foreground = colour::textBlue,
     .fontPx = 12,
     .bold = true,
     .align = Qt::AlignLeft | Qt::AlignTop,
     .wordWrap = true},
};

// ---- page 2: the main-screen tour -----------------------------------------------------
constexpr QRect kScreenPicture{11, 22, 292, 218};
constexpr QRect kNotebook2{311, 8, 263, 273};

const PageText kTourCells[] = {
    {.name = "ScreenCaption",
     .rect = {11, 2, 292, 18},
     .text = T9("Owlhaven Main Screen"),
     .foreground = colour::maroon,
     .fontPx = 14,
     .bold = true,
     .align = Qt::AlignHCenter | Qt::AlignVCenter},
    {.name = "ScreenPrompt",
     .rect = {11, 244, 292, 36},
     .text = T9("Move the mouse pointer over the screen for a detailed description"),
     .foreground = colour::textBlue,
     .fontPx = 12,
     .bold = true,
     .align = Qt::AlignHCenter | Qt::AlignTop,
     .wordWrap = true},
};

struct Zone
{
    const char* name;
    QRect rect; // on the tour page
};

// PaintBox k shows description page k.
constexpr std::array<Zone, TChapter_009::kZoneCount> kZones{{
    {"PaintBox1", {16, 39, 57, 25}},
    {"PaintBox2", {80, 39, 97, 25}},
    {"PaintBox3", {184, 39, 49, 25}},
    {"PaintBox4", {240, 39, 57, 25}},
    {"PaintBox5", {18, 71, 241, 97}},
    {"PaintBox6", {264, 71, 33, 89}},
    {"PaintBox7", {32, 175, 105, 49}},
    {"PaintBox8", {176, 175, 105, 49}},
}};

struct Description
{
    const char* heading;
    const char* text; // rich text
};

// Page 0 is the general description; page k describes zone k.
const std::array<Description, TChapter_009::kZoneCount + 1> kDescriptions{{
    {T9("The Main Screen"),
     T9("<p>Everything you need to plan your way out of debt is on this one screen.</p>"
        "<p>Move the mouse pointer over a part of the picture, or press Tab to step from part to part, "
        "and read here what that part does.</p>")},
    {T9("Start Month"),
     T9("<p>Choose the month your plan begins. Usually this is the month of your next payment.</p>"
        "<p>Owlhaven counts every payment from here, so the schedule shows real calendar months and "
        "the month you will be debt free.</p>")},
    {T9("Strategy"),
     T9("<p>Choose the order in which your debts are paid off.</p>"
        "<p><b>Highest Rate First</b> saves the most interest. <b>Smallest Balance First</b> clears "
        "a debt soonest, which many people find encouraging. You may also set your own order.</p>")},
    {T9("Extra Money"),
     T9("<p>Type the amount you can add each month on top of your usual payments, even $5.</p>"
        "<p>The extra goes to the debt at the top of the list. When that debt is paid, its payment "
        "rolls on to the next one.</p>")},
    {T9("Plan"),
     T9("<p>Keep more than one plan and switch between them.</p>"
        "<p>Try a plan with $25 extra and another with $50, and compare the months and the interest "
        "each one saves.</p>")},
    {T9("Your Debts"),
     T9("<p>All of your cards and loans in one list, with balance, interest rate and monthly payment.</p>"
        "<p>The debt marked at the left edge is the one being paid off first. The total line shows "
        "what you owe and what you pay each month.</p>")},
    {T9("Debt Buttons"),
     T9("<p>From the top: <b>add</b> a debt, <b>change</b> the one selected, <b>remove</b> it, and "
        "<b>move</b> it up or down when you set your own order.</p>"
        "<p>A new statement? Update the balance here and the plan follows.</p>")},
    {T9("Calculate Plan"),
     T9("<p>Works out your plan month by month: what to pay each creditor, when each debt is paid "
        "off, and how much interest you save compared with minimum payments.</p>")},
    {T9("Print Schedule"),
     T9("<p>Prints your payment schedule: one line per month with the amount for each creditor.</p>"
        "<p>Keep it where you pay your bills and tick off each month as you go.</p>")},
}};

// ---- page 3: quotations ---------------------------------------------------------------
const PageText kQuoteCells[] = {
    {.name = "QuotesHeading",
     .rect = {12, 6, 554, 26},
     .text = T9("What People Say . . ."),
     .foreground = colour::maroon,
     .fontPx = 18,
     .bold = true},
    {.name = "Quote1",
     .rect = {12, 40, 270, 118},
     .text =
         T9("<p><i>\"I owed on six cards and had no idea where to start. The schedule told me exactly what "
            "to pay, and I was clear in under three years.\"</i></p>"
            "<p align='right'><b>&mdash; a nurse and mother of two</b></p>"),
     .fontPx = 13,
     .align = Qt::AlignLeft | Qt::AlignTop,
     .wordWrap = true,
     .rich = true},
    {.name = "Quote2",
     .rect = {296, 40, 270, 118},
     .text = T9("<p><i>\"Seeing the debt-free date in black and white changed everything. We stopped "
                "guessing and started paying with a plan.\"</i></p>"
                "<p align='right'><b>&mdash; a retired couple</b></p>"),
     .fontPx = 13,
     .align = Qt::AlignLeft | Qt::AlignTop,
     .wordWrap = true,
     .rich = true},
    {.name = "Quote3",
     .rect = {12, 166, 270, 118},
     .text = T9("<p><i>\"Adding just $50 a month cut years off my loans. Owlhaven showed me that before I "
                "spent a cent.\"</i></p>"
                "<p align='right'><b>&mdash; a small-business owner</b></p>"),
     .fontPx = 13,
     .align = Qt::AlignLeft | Qt::AlignTop,
     .wordWrap = true,
     .rich = true},
    {.name = "Quote4",
     .rect = {296, 166, 270, 118},
     .text = T9("<p><i>\"Plain screens, clear figures and a printed plan. For anyone serious about "
                "paying off their cards, this is the place to start.\"</i></p>"
                "<p align='right'><b>&mdash; a home-finance newsletter review</b></p>"),
     .fontPx = 13,
     .align = Qt::AlignLeft | Qt::AlignTop,
     .wordWrap = true,
     .rich = true},
};

// Builds the texts of a table on `page`; every text lets pointer moves through
// to the page beneath.
void addCells(QWidget* page, std::span<const PageText> cells)
{
    for (const PageText& cell : cells)
        addText(page, kWords, cell)->setAttribute(Qt::WA_TransparentForMouseEvents);
}

QPushButton* webButton(QWidget* panel, const char* name, const QRect& rect, const char* words)
{
    auto* b = new QPushButton(kWords(words), panel);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(rect);
    b->setAutoDefault(false);
    b->setFont(arialPx(12, true));
    b->setToolTip(kWords(T9("Click here to order online from our website")));
    return b;
}

} // namespace

TChapter_009::Controls TChapter_009::buildPages()
{
    Controls c;

    // Panel1 fills the page area; Notebook1 covers its top, the buttons stand below.
    QStackedWidget* book = notebook();
    auto* panel = new QWidget(book->parentWidget());
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setGeometry(QRect(book->pos(), kPageArea));
    setBackground(panel, colour::white);
    panel->stackUnder(book);
    book->resize(kNotebook1);
    c.panel1 = panel;
    c.download = webButton(panel, "ButtonDownload", kButtonDownload, T9("Download"));
    c.buyNow = webButton(panel, "ButtonBuyNow", kButtonBuyNow, T9("Buy Now"));

    // Page 1: overview.
    QWidget* overview = addPage(QStringLiteral("Page1"));
    auto* logo = new OwlhavenPicture(OwlhavenPicture::Kind::Logo, overview);
    logo->setObjectName(QStringLiteral("OwlhavenLogo"));
    logo->setGeometry(kLogo);
    logo->setAccessibleName(tr("Owlhaven logo"));
    logo->setAttribute(Qt::WA_TransparentForMouseEvents);
    addCells(overview, kOverviewCells);

    // Page 2: the main-screen tour.
    QWidget* tour = addPage(QStringLiteral("Page2"));
    addCells(tour, kTourCells);
    auto* screen = new OwlhavenPicture(OwlhavenPicture::Kind::MainScreen, tour);
    screen->setObjectName(QStringLiteral("MainScreenPicture"));
    screen->setGeometry(kScreenPicture);
    screen->setAccessibleName(tr("Picture of the Owlhaven main screen"));
    // The bare parts of the picture belong to the page (back to the general description).
    screen->setAttribute(Qt::WA_TransparentForMouseEvents);

    auto* descriptions = new QStackedWidget(tour);
    descriptions->setObjectName(QStringLiteral("Notebook2"));
    descriptions->setGeometry(kNotebook2);
    descriptions->setFrameStyle(QFrame::Box | QFrame::Plain);
    setBackground(descriptions, QColor(255, 255, 240));
    for (std::size_t k = 0; k < kDescriptions.size(); ++k) {
        auto* page = new QWidget(descriptions);
        page->setObjectName(QStringLiteral("Description%1").arg(k));
        const PageText cells[] = {
            {.name = "DescriptionHeading",
             .rect = {8, 6, 245, 22},
             .text = kDescriptions[k].heading,
             .foreground = colour::maroon,
             .fontPx = 15,
             .bold = true},
            {.name = "DescriptionText",
             .rect = {8, 32, 245, 231},
             .text = kDescriptions[k].text,
             .fontPx = 12,
             .align = Qt::AlignLeft | Qt::AlignTop,
             .wordWrap = true,
             .rich = true},
        };
        addCells(page, cells);
        descriptions->addWidget(page);
    }
    c.notebook2 = descriptions;

    // The zones last, so they lie over the picture.
    for (std::size_t k = 0; k < kZones.size(); ++k) {
        auto* zone = new HoverZone(tour);
        zone->setObjectName(QString::fromLatin1(kZones[k].name));
        zone->setGeometry(kZones[k].rect);
        const QString heading = tr(kDescriptions[k + 1].heading);
        zone->setAccessibleName(heading);
        zone->setAccessibleDescription(
            QTextDocumentFragment::fromHtml(tr(kDescriptions[k + 1].text)).toPlainText());
        c.zones.append(zone);
    }

    // Page 3: quotations.
    QWidget* quotes = addPage(QStringLiteral("Page3"));
    addCells(quotes, kQuoteCells);
    return c;
}

} // namespace quenmark
