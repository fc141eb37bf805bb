// Chapter 7's calculator page as data: the two result panels, the four boxes
// and the note on the left, the two lists, the abort notice, Calculate and Stop
// on the right. Its behaviour is in Chapt07.cpp.
#include "lessons/Chapt07.h"

#include <QComboBox>
#include <QShortcut>

#include "common/PageText.h"

namespace quenmark {

namespace {

constexpr Words kWords{"quenmark::TChapter_007"};

constexpr int kLeftX = 8;
constexpr int kRightX = 294;
constexpr int kColumnWidth = 276;
constexpr int kLabelWidth = 142;

// Left, under the gauge: each label beside its box, 26 pixels apart.
constexpr CalculatorInputs kInputs{
    .labels = {{{8, 166, 142, 22}, {8, 192, 142, 22}, {8, 218, 142, 22}, {8, 244, 142, 22}}},
    .boxes = {{{150, 166, 134, 22}, {150, 192, 134, 22}, {150, 218, 134, 22}, {150, 244, 134, 22}}},
    .labelPx = 12,
};

// A result panel's rows: the title, "Payoff Time" with years and months, the
// totals (and MONEY SAVED on the right).
constexpr ResultItem kResultRows[] = {
    {.name = "Title", .rect = {4, 3, 268, 20}, .align = Qt::AlignCenter}, // its words: the panel's title
    {.name = "lblTime",
     .rect = {6, 26, 100, 22},
     .text = QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Payoff Time")},
    {.name = "Years",
     .rect = {112, 26, 48, 22},
     .text = QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Payoff Time Yr"),
     .field = ResultField::Years},
    {.name = "lblYr", .rect = {160, 26, 28, 22}, .text = QT_TRANSLATE_NOOP("quenmark::TChapter_007", " Yr ")},
    {.name = "Months",
     .rect = {190, 26, 44, 22},
     .text = QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Payoff Time Mo"),
     .field = ResultField::Months},
    {.name = "lblMo", .rect = {236, 26, 34, 22}, .text = QT_TRANSLATE_NOOP("quenmark::TChapter_007", " Mo ")},
    {.name = "lblPayments",
     .rect = {6, 52, 104, 22},
     .text = QT_TRANSLATE_NOOP("quenmark::TChapter_007", " Total Payments ")},
    {.name = "TotalPayments",
     .rect = {112, 52, 158, 22},
     .text = QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Total Payments"),
     .field = ResultField::Payments},
    {.name = "lblInterest",
     .rect = {6, 78, 104, 22},
     .text = QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Interest Paid ")},
    {.name = "InterestPaid",
     .rect = {112, 78, 158, 22},
     .text = QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Interest Paid"),
     .field = ResultField::Interest},
    {.name = "lblMoney",
     .rect = {6, 104, 104, 22},
     .text = QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Money Paid ")},
    {.name = "MoneyPaid",
     .rect = {112, 104, 158, 22},
     .text = QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Money Paid"),
     .field = ResultField::Money},
    {.name = "lblSaved",
     .rect = {6, 130, 104, 22},
     .text = QT_TRANSLATE_NOOP("quenmark::TChapter_007", "MONEY SAVED")},
    {.name = "MoneySaved",
     .rect = {112, 130, 158, 22},
     .text = QT_TRANSLATE_NOOP("quenmark::TChapter_007", "MONEY SAVED"),
     .field = ResultField::Saved},
};

// Left: 132 high, without MONEY SAVED; right: 158 high, with it. Each gauge 4 pixels under its panel.
ResultPanelSpec resultPanel(bool withExtra, std::span<const ResultItem> items)
{
    const int x = withExtra ? kRightX : kLeftX;
    const int height = withExtra ? 158 : 132;
    return {.context = kWords.context,
            .name = withExtra ? "StdPanel" : "Panel3",
            .suffix = withExtra ? "2" : "1",
            .rect = {x, 6, kColumnWidth, height},
            .spokenPanel = withExtra ? QT_TRANSLATE_NOOP("quenmark::TChapter_007", "With Extra Money")
                                     : QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Without Extra Money"),
            .gaugeName = "Gauge",
            .gaugeRect = {x, 6 + height + 4, kColumnWidth, 18},
            .gaugeOnPage = true,
            .gaugeSpoken = QT_TRANSLATE_NOOP("quenmark::TChapter_007", "payoff progress"),
            .items = items};
}

const PageText kNote{
    .name = "Note",
    .rect = {kLeftX, 272, kColumnWidth, 48},
    .text = QT_TRANSLATE_NOOP("quenmark::TChapter_007",
                              "Enter the information about your credit card and click the calculate "
                              "button."),
    .foreground = colour::textBlue,
    .fontPx = 12,
    .bold = true,
    .align = Qt::AlignLeft | Qt::AlignTop,
    .wordWrap = true};

// Right, under the gauge: the two lists, reached by their own keys (they are no tab stops).
struct ListSpec
{
    const char* labelName;
    const char* name;
    const char* caption;
    const char* hint;
    const char* keys;
    int y;
};
constexpr ListSpec kLists[2] = {
    {"LabelExtraMoney", "ExtraMoney", QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Extra Money Amount"),
     QT_TRANSLATE_NOOP("quenmark::TChapter_007", "The amount added to every payment (Alt+E)"), "Alt+E", 192},
    {"LabelTreatLike", "TreatLike", QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Treat Like A ..."),
     QT_TRANSLATE_NOOP("quenmark::TChapter_007",
                       "A credit card payment falls with the balance, a loan payment stays the same (Alt+T)"),
     "Alt+T", 218},
};
constexpr const char* kExtraAmounts[] = {"     5", "   10", "   15", "   20", "   25", "   50",
                                         "   75",  " 100",  " 250",  " 500",  "1000"};

QComboBox* makeList(QWidget* page, const ListSpec& l)
{
    auto* label = new ClickLabel(kWords(l.caption), page);
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
    combo->setAccessibleName(kWords(l.caption));
    combo->setToolTip(kWords(l.hint));
    combo->setAccessibleDescription(kWords(l.hint));
    const QKeySequence keys(QString::fromLatin1(l.keys));
    combo->setProperty("shortcutKeys", keys.toString());
    auto* shortcut = new QShortcut(keys, combo);
    QObject::connect(shortcut, &QShortcut::activated, combo,
                     [combo] { combo->setFocus(Qt::ShortcutFocusReason); });
    label->setBuddy(combo);
    QObject::connect(label, &ClickLabel::clicked, combo, [combo] { combo->setFocus(Qt::MouseFocusReason); });
    return combo;
}

} // namespace

void TChapter_007::buildCalculatorPage(QWidget* page)
{
    // The two result panels; each title is its panel's first row.
    for (const bool withExtra : {false, true}) {
        std::array<ResultItem, std::size(kResultRows)> rows;
        std::copy(std::begin(kResultRows), std::end(kResultRows), rows.begin());
        rows[0].text = withExtra
                           ? QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Calculations With Extra Money")
                           : QT_TRANSLATE_NOOP("quenmark::TChapter_007", "Calculations Without Extra Money");
        const std::size_t count = withExtra ? rows.size() : rows.size() - 2; // MONEY SAVED on the right only
        (withExtra ? m_with : m_without) =
            m_calc.addResults(page, resultPanel(withExtra, std::span(rows.data(), count)));
    }
    m_calc.addInputs(page, kInputs);
    addText(page, kWords, kNote);
    m_extraMoney = makeList(page, kLists[0]);
    m_treatLike = makeList(page, kLists[1]);
    for (const char* item : kExtraAmounts)
        m_extraMoney->addItem(QString::fromLatin1(item));
    m_treatLike->addItem(tr(QT_TRANSLATE_NOOP("quenmark::TChapter_007", " Credit Card")));
    m_treatLike->addItem(tr(QT_TRANSLATE_NOOP("quenmark::TChapter_007", " Loan")));
    m_calc.readOnLeaving(m_extraMoney);
    m_calc.readOnLeaving(m_treatLike);

    m_calc.addAbortNotice(page, {kRightX, 246, kColumnWidth, 20});
    m_calc.addCalculate(page, "BtnCalculate", {kRightX, 272, 130, 26});
    m_calc.addStop(page, {kRightX + kColumnWidth - 130, 272, 130, 26});
    m_calc.finish();
}

} // namespace quenmark
