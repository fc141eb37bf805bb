// Chapter 7's pages: the overview, the five sample cards, the table of
// interest figures with its two summaries, and the layout of the extra-money
// calculator. Data only; the behaviour is in Chapt07.cpp.
#include "lessons/Chapt07.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "common/Layout.h"

namespace quenmark {

namespace {

QString tr7(const char* text)
{
    return QCoreApplication::translate("quenmark::TChapter_007", text);
}

constexpr int kPageWidth = 578;
constexpr int kMargin = 14;

// ---- the five sample cards and their interest figures -------------------------------

struct SampleCard
{
    const char* name;
    const char* apr;     // as the tables show it
    const char* balance; // money text without "$"
    const char* payment;
};

constexpr SampleCard kCards[5] = {
    {QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Card 1"), "19.8%", "1,543.68", "32.00"},
    {QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Card 2"), "17.9%", "2,100.00", "53.00"},
    {QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Card 3"), "12.9%", "1,784.32", "37.00"},
    {QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Card 4"), "19.8%", "832.91", "17.00"},
    {QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Card 5"), "21.0%", "765.72", "19.00"},
};

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

CellSpec line(const char* name, int y, const char* text, int px = 14, bool bold = false,
              const QColor& fg = colour::black, int x = 40, int width = 500)
{
    return textCell(name, QRect(x, y, width, px + 8), tr7(text), px, bold, fg);
}

// ---- page 3 and 4: the table --------------------------------------------------------

struct Column
{
    const char* head;
    const char* prefix; // object names of the column's cells: prefix + 01..05, prefix + "Total"
    int width;
};

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
const QColor kHeadColour{212, 212, 212};
const QColor kWithExtraColour{255, 255, 192};

QByteArray cellName(const char* prefix, int row)
{
    return row < 5 ? prefix + QByteArray::number(row + 1).rightJustified(2, '0') : prefix + QByteArrayLiteral("Total");
}

QLabel* tableCell(QWidget* page, const QByteArray& name, const QRect& rect, const QString& text,
                  const QColor& background, Qt::Alignment align, bool bold = false)
{
    CellSpec spec;
    spec.name = name.constData();
    spec.rect = rect;
    spec.text = text;
    spec.background = background;
    spec.fontPx = 12;
    spec.bold = bold;
    spec.align = align | Qt::AlignVCenter;
    spec.kind = CellKind::Panel;
    return makeCell(page, spec);
}

// A row of a summary sentence: fixed words and value labels side by side.
struct Piece
{
    const char* text;      // the fixed words; null for a value label
    QLabel** value;        // the value label to create (named `name`)
    const char* name;
    bool wrap = false;     // a long piece that wraps in a column of its own
};

QLabel* summaryLabel(QWidget* parent, const QString& text, bool value)
{
    auto* l = new QLabel(text, parent);
    l->setTextFormat(Qt::PlainText);
    l->setFont(arialPx(12, value));
    if (value) {
        QPalette pal = l->palette();
        pal.setColor(QPalette::WindowText, colour::maroon);
        l->setPalette(pal);
    }
    return l;
}

void addSentenceRow(QWidget* parent, QVBoxLayout* rows, std::initializer_list<Piece> pieces)
{
    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    for (const Piece& piece : pieces) {
        if (piece.text) {
            QLabel* l = summaryLabel(parent, tr7(piece.text), false);
            if (piece.wrap) {
                // Wrapped within 400 pixels and no wider than its longest
                // line, so the value follows the words closely.
                l->setWordWrap(true);
                const QRect lines = l->fontMetrics().boundingRect(QRect(0, 0, 400, 1000), Qt::TextWordWrap, l->text());
                l->setFixedWidth(lines.width() + 2);
            }
            row->addWidget(l, 0, Qt::AlignBottom);
        } else {
            QLabel* l = summaryLabel(parent, QString(), true);
            l->setObjectName(QString::fromLatin1(piece.name));
            *piece.value = l;
            row->addWidget(l, 0, Qt::AlignBottom); // beside the last line of wrapped words
        }
    }
    row->addStretch(1);
    rows->addLayout(row);
}

// ---- page 5: the calculator ---------------------------------------------------------

struct InputSpec
{
    const char* labelName;
    const char* editName;
    const char* caption;
};

constexpr InputSpec kInputs[] = {
    {"LabelName", "EditName", QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Creditor Name")},
    {"LabelAPR", "EditApr", QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Annual Percentage Rate")},
    {"LabelBal", "EditBal", QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Current Balance")},
    {"LabelPmt", "EditPmt", QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Monthly Payment")},
};

constexpr int kLeftX = 8;
constexpr int kRightX = 294;
constexpr int kColumnWidth = 276;
constexpr int kInputTop = 166;
constexpr int kInputPitch = 26;
constexpr int kLabelWidth = 142;

// One row of a result panel: a label and a box, with the box's spoken words.
struct ResultRow
{
    const char* labelText;
    const char* boxPrefix; // "Years" -> Years1 / Years2
};

constexpr int kPanelRowTop = 26;
constexpr int kPanelPitch = 26;
constexpr int kBoxLeft = 112;
constexpr int kBoxWidth = 158;

QLabel* panelLabel(QWidget* panel, const char* name, const QRect& rect, const QString& text, int px = 13)
{
    CellSpec spec = textCell(name, rect, text, px, true, colour::white);
    return makeCell(panel, spec);
}

// A result panel: its title and the rows of Part "Payoff Time", " Total
// Payments ", "Interest Paid ", "Money Paid " (and "MONEY SAVED" on the right).
PayoffDisplay buildResultPanel(QWidget* page, const char* panelName, int x, int height, const char* title,
                               const char* spokenPanel, int number, ResultBox** moneySaved)
{
    CellSpec spec;
    spec.name = panelName;
    spec.rect = QRect(x, 6, kColumnWidth, height);
    spec.background = colour::teal;
    spec.kind = CellKind::Panel;
    QWidget* panel = makeCell(page, spec);
    const QByteArray n = QByteArray::number(number);
    panelLabel(panel, ("Title" + n).constData(), QRect(4, 3, kColumnWidth - 8, 20), tr7(title))
        ->setAlignment(Qt::AlignCenter);

    const QString spoken = tr7(spokenPanel) + QStringLiteral(": ");
    auto box = [&](const char* prefix, const QRect& rect, const QString& words) {
        return makeResultBox(panel, (prefix + n).constData(), rect, spoken + words);
    };
    PayoffDisplay d;
    int y = kPanelRowTop;
    panelLabel(panel, ("lblTime" + n).constData(), QRect(6, y, 100, 22),
               tr7(QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Payoff Time")));
    d.years = box("Years", QRect(kBoxLeft, y, 48, 22), tr7(QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Payoff Time Yr")));
    panelLabel(panel, ("lblYr" + n).constData(), QRect(160, y, 28, 22),
               tr7(QT_TRANSLATE_NOOP("quenmark::TChapter_007", " Yr ")));
    d.months =
        box("Months", QRect(190, y, 44, 22), tr7(QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Payoff Time Mo")));
    panelLabel(panel, ("lblMo" + n).constData(), QRect(236, y, 34, 22),
               tr7(QT_TRANSLATE_NOOP("quenmark::TChapter_007", " Mo ")));

    struct Row
    {
        const char* label;
        const char* labelName;
        const char* prefix;
        const char* words;
        ResultBox** target;
    };
    ResultBox* payments = nullptr;
    ResultBox* interest = nullptr;
    ResultBox* money = nullptr;
    ResultBox* saved = nullptr;
    const Row rows[] = {
        {QT_TRANSLATE_NOOP("quenmark::TChapter_007", " Total Payments "), "lblPayments", "TotalPayments",
         QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Total Payments"), &payments},
        {QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Interest Paid "), "lblInterest", "InterestPaid",
         QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Interest Paid"), &interest},
        {QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Money Paid "), "lblMoney", "MoneyPaid",
         QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Money Paid"), &money},
        {QT_TRANSLATE_NOOP("quenmark::TChapter_007", "MONEY SAVED"), "lblSaved", "MoneySaved",
         QT_TRANSLATE_NOOP("quenmark::TChapter_007", "MONEY SAVED"), &saved},
    };
    for (const Row& row : rows) {
        if (row.target == &saved && !moneySaved)
            break;
        y += kPanelPitch;
        panelLabel(panel, (row.labelName + n).constData(), QRect(6, y, kBoxLeft - 8, 22), tr7(row.label));
        *row.target = box(row.prefix, QRect(kBoxLeft, y, kBoxWidth, 22), tr7(row.words));
    }
    d.payments = payments;
    d.interest = interest;
    d.money = money;
    if (moneySaved)
        *moneySaved = saved;

    d.gauge = makeGauge(page, ("Gauge" + n).constData(), QRect(x, 6 + height + 4, kColumnWidth, 18),
                        spoken + tr7(QT_TRANSLATE_NOOP("quenmark::TChapter_007", "payoff progress")));
    return d;
}

} // namespace

// ---- the pages ----------------------------------------------------------------------

void TChapter_007::buildPages()
{
    buildOverviewPage(addPage(QStringLiteral("Overview")));
    buildCardsPage(addPage(QStringLiteral("page00")));
    m_table = buildTablePage(addPage(QStringLiteral("page01")));
    m_calc = buildCalculatorPage(addPage(QStringLiteral("page002")));
}

TChapter_007::ExampleSet TChapter_007::exampleSet(bool constantMethod)
{
    const double(&figures)[4][5] = constantMethod ? kConstantInterest : kDecliningInterest;
    ExampleSet set;
    auto load = [](std::array<double, kRows>& column, const double(&cards)[5]) {
        double total = 0;
        for (int i = 0; i < 5; ++i) {
            column[static_cast<std::size_t>(i)] = cards[i];
            total += cards[i];
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
    const CellSpec cells[] = {
        textCell("Heading", QRect(kMargin, 8, 550, 26),
                 tr7(QT_TRANSLATE_NOOP("quenmark::TChapter_007", " Chapter Overview: ")), 18, true, colour::textBlue),
        line("Overview_Shows", 44, QT_TRANSLATE_NOOP("quenmark::TChapter_007", "This chapter shows the effect of adding:"),
             14, true, colour::black, 24),
        line("Overview_Min05", 68, QT_TRANSLATE_NOOP("quenmark::TChapter_007", " $5  to the Minimum Monthly Payment ")),
        line("Overview_Min10", 90, QT_TRANSLATE_NOOP("quenmark::TChapter_007", " $10  to the Minimum Monthly Payment ")),
        line("Overview_Min20", 112, QT_TRANSLATE_NOOP("quenmark::TChapter_007", " $20  to the Minimum Monthly Payment ")),
        line("Overview_AlsoShows", 142,
             QT_TRANSLATE_NOOP("quenmark::TChapter_007", "This chapter also shows the effect of adding:"), 14, true,
             colour::black, 24),
        line("Overview_Const05", 166, QT_TRANSLATE_NOOP("quenmark::TChapter_007", " $5  to the Constant Monthly Payment ")),
        line("Overview_Const10", 188,
             QT_TRANSLATE_NOOP("quenmark::TChapter_007", " $10  to the Constant Monthly Payment ")),
        line("Overview_Const20", 210,
             QT_TRANSLATE_NOOP("quenmark::TChapter_007", " $20  to the Constant Monthly Payment ")),
        textCell("Overview_Calculator", QRect(24, 244, 530, 60),
                 tr7(QT_TRANSLATE_NOOP("quenmark::TChapter_007",
                                       "At the end of the chapter, the Credit Card Calculator lets you enter one of "
                                       "your own cards and see what a little extra money added to each payment "
                                       "saves you.")),
                 14, false, colour::maroon, Qt::AlignLeft | Qt::AlignTop, true),
    };
    makeCells(page, cells);
}

void TChapter_007::buildCardsPage(QWidget* page)
{
    const CellSpec cells[] = {
        textCell("Heading", QRect(kMargin, 8, 550, 26),
                 tr7(QT_TRANSLATE_NOOP("quenmark::TChapter_007", "The Effect of Adding $5 to Each Payment")), 18, true,
                 colour::textBlue),
        textCell("Prose1", QRect(kMargin, 40, 550, 60),
                 tr7(QT_TRANSLATE_NOOP("quenmark::TChapter_007",
                                       "Adding as little as $5 to each monthly payment makes a significant "
                                       "difference in the interest you pay and in the time it takes to pay off a "
                                       "card. We will use the same five sample cards as in the previous chapter:")),
                 14, false, colour::black, Qt::AlignLeft | Qt::AlignTop, true),
        textCell("Prose2", QRect(kMargin, 232, 550, 80),
                 tr7(QT_TRANSLATE_NOOP("quenmark::TChapter_007",
                                       "First we add $5, $10 and $20 to the payments of the Declining Payment "
                                       "Method, where the payment falls with the balance; then to the Constant "
                                       "Payment Method, where the payment stays the same. At the end of the "
                                       "chapter you can enter a card of your own.")),
                 14, false, colour::black, Qt::AlignLeft | Qt::AlignTop, true),
    };
    makeCells(page, cells);

    // The five cards: Name, APR, Balance, Payment.
    constexpr int widths[4] = {90, 80, 110, 100};
    const char* heads[4] = {QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Name"),
                            QT_TRANSLATE_NOOP("quenmark::TChapter_007", "APR"),
                            QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Balance"),
                            QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Payment")};
    const char* prefixes[4] = {"CardName", "CardApr", "CardBal", "CardPmt"};
    int x = 110;
    for (int c = 0; c < 4; ++c) {
        const int w = widths[c];
        tableCell(page, QByteArray("CardHead") + QByteArray::number(c + 1), QRect(x, 104, w, kRowHeight),
                  tr7(heads[c]), kHeadColour, Qt::AlignHCenter, true);
        for (int r = 0; r < 5; ++r) {
            const SampleCard& card = kCards[r];
            QString text;
            switch (c) {
            case 0: text = tr7(card.name); break;
            case 1: text = QString::fromLatin1(card.apr); break;
            case 2: text = QStringLiteral("$") + QString::fromLatin1(card.balance); break;
            default: text = QStringLiteral("$") + QString::fromLatin1(card.payment); break;
            }
            tableCell(page, cellName(prefixes[c], r), QRect(x, 104 + (r + 1) * (kRowHeight - 1), w, kRowHeight),
                      text + QStringLiteral("   "), colour::white, c == 0 ? Qt::AlignHCenter : Qt::AlignRight);
        }
        x += w - 1;
    }
}

TChapter_007::TablePage TChapter_007::buildTablePage(QWidget* page)
{
    TablePage t;
    CellSpec title = textCell("Title01", QRect(kTableLeft, 2, 556, 20), QString(), 15, true, colour::maroon,
                              Qt::AlignCenter);
    t.title = makeCell(page, title);

    // Heads, five card rows and the totals row; neighbouring cells share their border.
    int x = kTableLeft;
    for (const Column& col : kColumns) {
        tableCell(page, QByteArray("Head") + col.prefix, QRect(x, kTableTop, col.width, kRowHeight), tr7(col.head),
                  kHeadColour, Qt::AlignHCenter, true);
        for (int r = 0; r < kRows; ++r) {
            const QRect rect(x, kTableTop + (r + 1) * (kRowHeight - 1), col.width, kRowHeight);
            const bool total = r == 5;
            QString text;
            Qt::Alignment align = Qt::AlignRight;
            const QLatin1String prefix(col.prefix);
            if (prefix == QLatin1String("Name")) {
                text = total ? tr7(QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Totals")) : tr7(kCards[r].name);
                align = Qt::AlignHCenter;
            } else if (!total && prefix == QLatin1String("Apr")) {
                text = QString::fromLatin1(kCards[r].apr) + QStringLiteral("   ");
            } else if (!total && prefix == QLatin1String("Bal")) {
                text = QString::fromLatin1(kCards[r].balance) + QStringLiteral("   ");
            } else if (!total && prefix == QLatin1String("Pmt")) {
                text = QString::fromLatin1(kCards[r].payment) + QStringLiteral("   ");
            }
            const QColor background =
                prefix == QLatin1String("IntB") ? kWithExtraColour : (total ? kHeadColour : colour::white);
            QLabel* cell = tableCell(page, cellName(col.prefix, r), rect, text, background, align, total);
            const auto row = static_cast<std::size_t>(r);
            if (prefix == QLatin1String("IntA"))
                t.intA[row] = cell;
            else if (prefix == QLatin1String("Extra"))
                t.extra[row] = cell;
            else if (prefix == QLatin1String("IntB"))
                t.intB[row] = cell;
        }
        x += col.width - 1;
    }

    // The extra buttons and their note.
    constexpr int buttonTop = kTableTop + 7 * (kRowHeight - 1) + 8;
    const char* captions[3] = {QT_TRANSLATE_NOOP("quenmark::TChapter_007", "$5 Extra"),
                               QT_TRANSLATE_NOOP("quenmark::TChapter_007", "$10 Extra"),
                               QT_TRANSLATE_NOOP("quenmark::TChapter_007", "$20 Extra")};
    const char* hints[3] = {QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Changes extra amount to $5"),
                            QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Changes extra amount to $10"),
                            QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Changes extra amount to $20")};
    const char* names[3] = {"BtnPlus05", "BtnPlus10", "BtnPlus20"};
    for (int i = 0; i < 3; ++i) {
        auto* b = new QPushButton(tr7(captions[i]), page);
        b->setObjectName(QString::fromLatin1(names[i]));
        b->setGeometry(kTableLeft + i * 92, buttonTop, 84, 24);
        b->setAutoDefault(false);
        b->setToolTip(tr7(hints[i]));
        b->setAccessibleDescription(tr7(hints[i]));
        t.plus[i] = b;
    }
    makeCell(page, textCell("ButtonNote", QRect(286, buttonTop - 4, 280, 32),
                            tr7(QT_TRANSLATE_NOOP("quenmark::TChapter_007",
                                                  "Click each button to see the effect of adding different amounts.")),
                            12, true, colour::textBlue, Qt::AlignLeft | Qt::AlignVCenter, true));

    // The inner notebook with the two texts and their summaries.
    const int notebookTop = buttonTop + 32;
    t.notebook2 = new QStackedWidget(page);
    t.notebook2->setObjectName(QStringLiteral("Notebook2"));
    t.notebook2->setGeometry(kTableLeft, notebookTop, 562, 325 - notebookTop - 4);

    auto* declining = new QWidget(t.notebook2);
    declining->setObjectName(QStringLiteral("Page01"));
    auto* decliningRows = new QVBoxLayout(declining);
    decliningRows->setContentsMargins(4, 4, 4, 4);
    decliningRows->setSpacing(6);
    QLabel* decliningText = summaryLabel(
        declining,
        tr7(QT_TRANSLATE_NOOP("quenmark::TChapter_007",
                              "With the Declining Payment Method the payment falls with the balance, so the debt "
                              "takes many years to pay off. A small fixed amount added to every payment changes "
                              "that a great deal:")),
        false);
    decliningText->setWordWrap(true);
    decliningRows->addWidget(decliningText);
    addSentenceRow(declining, decliningRows,
                   {{QT_TRANSLATE_NOOP("quenmark::TChapter_007", "In this example, by adding"), nullptr, nullptr},
                    {nullptr, &t.extraPg2, "lblExtraPg2"},
                    {QT_TRANSLATE_NOOP("quenmark::TChapter_007", "to each payment you will save"), nullptr, nullptr},
                    {nullptr, &t.savingsPg2, "lblSavingsPg2"},
                    {QT_TRANSLATE_NOOP("quenmark::TChapter_007", "in interest."), nullptr, nullptr}});
    addSentenceRow(declining, decliningRows,
                   {{QT_TRANSLATE_NOOP("quenmark::TChapter_007", "That's a savings of"), nullptr, nullptr},
                    {nullptr, &t.percentPg2, "lblPercentPg2"}});
    decliningRows->addStretch(1);
    t.notebook2->addWidget(declining);

    auto* constant = new QWidget(t.notebook2);
    constant->setObjectName(QStringLiteral("Page02"));
    auto* constantRows = new QVBoxLayout(constant);
    constantRows->setContentsMargins(4, 2, 4, 2);
    constantRows->setSpacing(3);
    QLabel* constantText = summaryLabel(
        constant,
        tr7(QT_TRANSLATE_NOOP("quenmark::TChapter_007",
                              "Look at the total interest from making constant payments.  This, in and of itself, "
                              "is a savings of $5,032.14   compared to the interest from the declining payment "
                              "method.  Keep this in mind as you look at these examples.")),
        false);
    constantText->setObjectName(QStringLiteral("ConstantNote"));
    constantText->setWordWrap(true);
    constantRows->addWidget(constantText);
    addSentenceRow(constant, constantRows,
                   {{QT_TRANSLATE_NOOP("quenmark::TChapter_007", "By adding an extra"), nullptr, nullptr},
                    {nullptr, &t.extraPg3, "lblExtraPg3"},
                    {QT_TRANSLATE_NOOP("quenmark::TChapter_007", "to each payment you will save an additional"), nullptr,
                     nullptr},
                    {nullptr, &t.savingsPg3, "lblSavingsPg3"},
                    {QT_TRANSLATE_NOOP("quenmark::TChapter_007", ".  When you"), nullptr, nullptr}});
    addSentenceRow(constant, constantRows,
                   {{QT_TRANSLATE_NOOP("quenmark::TChapter_007",
                                       "add this to the $5,032.14 that has already been saved by using the constant "
                                       "payment method, it brings the total savings to"),
                     nullptr, nullptr, true},
                    {nullptr, &t.totalSavingsPg3, "lblTotalSavingsPg3"}});
    addSentenceRow(constant, constantRows,
                   {{QT_TRANSLATE_NOOP("quenmark::TChapter_007", "That's an overall savings of"), nullptr, nullptr},
                    {nullptr, &t.percentPg3, "lblPercentPg3"}});
    constantRows->addStretch(1);
    t.notebook2->addWidget(constant);
    return t;
}

TChapter_007::Calculator TChapter_007::buildCalculatorPage(QWidget* page)
{
    Calculator c;
    c.without = buildResultPanel(page, "Panel3", kLeftX, 132,
                                 QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Calculations Without Extra Money"),
                                 QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Without Extra Money"), 1, nullptr);
    c.with = buildResultPanel(page, "StdPanel", kRightX, 158,
                              QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Calculations With Extra Money"),
                              QT_TRANSLATE_NOOP("quenmark::TChapter_007", "With Extra Money"), 2, &c.moneySaved);

    // Left, under the gauge: the four boxes and the note.
    QLineEdit* edits[4];
    for (int i = 0; i < 4; ++i) {
        const InputSpec& in = kInputs[i];
        const int y = kInputTop + i * kInputPitch;
        auto* label = new ClickLabel(tr7(in.caption), page);
        label->setObjectName(QString::fromLatin1(in.labelName));
        label->setGeometry(kLeftX, y, kLabelWidth, 22);
        label->setFont(arialPx(12, true));
        edits[i] = new QLineEdit(page);
        edits[i]->setObjectName(QString::fromLatin1(in.editName));
        edits[i]->setGeometry(kLeftX + kLabelWidth, y, kColumnWidth - kLabelWidth, 22);
        edits[i]->setFont(arialPx(13));
        edits[i]->setAccessibleName(tr7(in.caption));
        label->setBuddy(edits[i]);
        QLineEdit* edit = edits[i];
        connect(label, &ClickLabel::clicked, edit, [edit] { edit->setFocus(Qt::MouseFocusReason); });
    }
    c.editName = edits[0];
    c.editApr = edits[1];
    c.editBal = edits[2];
    c.editPmt = edits[3];
    makeCell(page, textCell("Note", QRect(kLeftX, kInputTop + 4 * kInputPitch + 2, kColumnWidth, 48),
                            tr7(QT_TRANSLATE_NOOP("quenmark::TChapter_007",
                                                  "Enter the information about your credit card and click the "
                                                  "calculate button.")),
                            12, true, colour::textBlue, Qt::AlignLeft | Qt::AlignTop, true));

    // Right, under the gauge: the two lists, the abort notice, Calculate and Stop.
    struct ListSpec
    {
        const char* labelName;
        const char* name;
        const char* caption;
        const char* hint;
        const char* keys;
        int y;
    };
    const ListSpec lists[2] = {
        {"LabelExtraMoney", "ExtraMoney", QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Extra Money Amount"),
         QT_TRANSLATE_NOOP("quenmark::TChapter_007", "The amount added to every payment (Alt+E)"), "Alt+E", 192},
        {"LabelTreatLike", "TreatLike", QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Treat Like A ..."),
         QT_TRANSLATE_NOOP("quenmark::TChapter_007",
                           "A credit card payment falls with the balance, a loan payment stays the same (Alt+T)"),
         "Alt+T", 218},
    };
    QComboBox* combos[2];
    for (int i = 0; i < 2; ++i) {
        const ListSpec& l = lists[i];
        auto* label = new ClickLabel(tr7(l.caption), page);
        label->setObjectName(QString::fromLatin1(l.labelName));
        label->setGeometry(kRightX, l.y, kLabelWidth, 22);
        label->setFont(arialPx(12, true));
        auto* combo = new QComboBox(page);
        combo->setObjectName(QString::fromLatin1(l.name));
        combo->setGeometry(kRightX + kLabelWidth, l.y, kColumnWidth - kLabelWidth, 22);
        combo->setEditable(false);
        combo->setFont(arialPx(13));
        // Not in the Tab chain; the keyboard reaches each by its own keys
        // (while the page shows), which its hint and description name.
        combo->setFocusPolicy(Qt::ClickFocus);
        combo->setAccessibleName(tr7(l.caption));
        combo->setToolTip(tr7(l.hint));
        combo->setAccessibleDescription(tr7(l.hint));
        const QKeySequence keys(QString::fromLatin1(l.keys));
        combo->setProperty("shortcutKeys", keys.toString());
        auto* shortcut = new QShortcut(keys, combo);
        connect(shortcut, &QShortcut::activated, combo, [combo] { combo->setFocus(Qt::ShortcutFocusReason); });
        label->setBuddy(combo);
        connect(label, &ClickLabel::clicked, combo, [combo] { combo->setFocus(Qt::MouseFocusReason); });
        combos[i] = combo;
    }
    c.extraMoney = combos[0];
    c.treatLike = combos[1];
    for (const char* item : {"     5", "   10", "   15", "   20", "   25", "   50", "   75", " 100", " 250", " 500", "1000"})
        c.extraMoney->addItem(QString::fromLatin1(item));
    c.treatLike->addItem(tr7(QT_TRANSLATE_NOOP("quenmark::TChapter_007", " Credit Card")));
    c.treatLike->addItem(tr7(QT_TRANSLATE_NOOP("quenmark::TChapter_007", " Loan")));

    CellSpec abort = textCell("LblAbort", QRect(kRightX, 246, kColumnWidth, 20),
                              tr7(QT_TRANSLATE_NOOP("quenmark::TChapter_007", " ** Calculation Aborted by User ** ")), 13,
                              true, QColor(255, 255, 160), Qt::AlignCenter);
    abort.background = colour::maroon;
    c.abort = makeCell(page, abort);

    c.calculate = new QPushButton(tr7(QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Calculate")), page);
    c.calculate->setObjectName(QStringLiteral("BtnCalculate"));
    c.calculate->setGeometry(kRightX, 272, 130, 26);
    c.calculate->setAutoDefault(false);
    c.stop = new QPushButton(tr7(QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Stop")), page);
    c.stop->setObjectName(QStringLiteral("BtnStop"));
    c.stop->setGeometry(kRightX + kColumnWidth - 130, 272, 130, 26);
    c.stop->setAutoDefault(false);

    // Tab: name, APR, balance, payment, Calculate, Stop (the lists are no tab stops).
    QWidget::setTabOrder(c.editName, c.editApr);
    QWidget::setTabOrder(c.editApr, c.editBal);
    QWidget::setTabOrder(c.editBal, c.editPmt);
    QWidget::setTabOrder(c.editPmt, c.calculate);
    QWidget::setTabOrder(c.calculate, c.stop);
    return c;
}

} // namespace quenmark
