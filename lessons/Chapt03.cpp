// Chapter 3's behaviour: filling the payment table row by row, the two
// tables, and the column highlight of each text page. Pages, texts and the
// fixed tables: Chapt03Pages.cpp.
#include "lessons/Chapt03.h"

#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>

#include "core/MoneyText.h"

namespace quenmark {

namespace {

constexpr int kColumns = 6; // number, balance, payment, interest, principal, new balance
constexpr int kColumnCells = TChapter_003::kRows + 1;

// Which columns each text page talks about: {payment, principal}.
constexpr std::array<std::array<bool, 2>, TChapter_003::kTextPages> kPageHighlight{{
    {false, false}, // 0 the card's table is filled
    {true, false},  // 1 a declining payment
    {false, true},  // 2 principal goes down
    {true, true},   // 3 60 % interest, 40 % principal
    {true, true},   // 4 loans are different
    {false, false}, // 5 the loan's table is filled
    {true, false},  // 6 a constant payment
    {false, true},  // 7 principal goes up
    {true, true},   // 8 the shares move
    {true, true},   // 9 remember
}};

// Amounts in the grid: "$", two decimals, no thousands separators.
QString dollars(double amount)
{
    return QLatin1Char('$') + QString::fromStdString(PlainTwoDecimals(amount));
}

void write(QLabel* cell, const QString& text)
{
    cell->setText(text);
    cell->repaint();
}

} // namespace

TChapter_003::TChapter_003(QWidget* parent) : LessonFrame(chapterLook(3), parent)
{
    setWindowTitle(tr("Chapter 3"));
    buildPages();
    connect(m_nextPmt, &QPushButton::clicked, this, &TChapter_003::NextPmtClick);
    connect(m_showAll, &QPushButton::clicked, this, &TChapter_003::ShowAllClick);
}

TChapter_003::~TChapter_003() = default;

int TChapter_003::pageTotal() const
{
    return m_notebook2->count() + 1;
}

int TChapter_003::textPage() const
{
    return m_notebook2->currentIndex();
}

void TChapter_003::resetForOpening()
{
    m_notebook2->setCurrentIndex(0);
    m_gridTitle->setText(tr("Minimum Payments on a Credit Card"));
    loadTable(Table::Minimum);
    clearGrid();
    restartCount();
    setHighlightFor(0);
    setButtonsShown(false);
    setInstructionsShown(0, true);
    setInstructionsShown(kConstantTextPage, true);
}

QLabel* TChapter_003::cell(int column, int row) const
{
    return m_cellLookup[static_cast<std::size_t>(column * kColumnCells + row)];
}

QLabel* TChapter_003::total(int index) const
{
    return m_cellLookup[static_cast<std::size_t>(kColumns * kColumnCells + index)];
}

void TChapter_003::showPage(int page, bool forward)
{
    if (page <= 1) {
        notebook()->setCurrentIndex(0);
        return;
    }
    if (forward)
        arriveByNext(page);
    else
        arriveByBack(page);
}

void TChapter_003::arriveByNext(int page)
{
    if (page == 2) {
        notebook()->setCurrentIndex(1);
        m_notebook2->setCurrentIndex(0);
        if (RowsShown == 0)
            showNextRow();
        if (RowsShown < kRows)
            setButtonsShown(true);
        return;
    }
    // Leaving a text page: a table not yet full is filled at once.
    setButtonsShown(false);
    if (RowsShown < kRows) {
        fillTable();
        setInstructionsShown(textPage(), false);
    }
    if (textPage() < kTextPages - 1) {
        m_notebook2->setCurrentIndex(textPage() + 1);
        if (textPage() == kConstantTextPage) {
            setInstructionsShown(kConstantTextPage, true);
            m_gridTitle->setText(tr("Constant Payments from a Loan"));
            loadTable(Table::Constant);
            setHighlightFor(kConstantTextPage);
            clearGrid();
            restartCount();
            showNextRow();
            setButtonsShown(true);
        }
    }
    setHighlightFor(textPage());
}

void TChapter_003::arriveByBack(int page)
{
    if (page == 2) {
        notebook()->setCurrentIndex(1);
        m_notebook2->setCurrentIndex(0);
        setHighlightFor(0);
        return;
    }
    if (textPage() == kConstantTextPage) {
        // Back from the loan's table: the card's table again, full.
        setButtonsShown(false);
        m_notebook2->setCurrentIndex(kConstantTextPage - 1);
        m_gridTitle->setText(tr("Minimum Payments on a Credit Card"));
        setHighlightFor(kConstantTextPage - 1);
        clearGrid();
        loadTable(Table::Minimum);
        restartCount();
        fillTable();
    } else if (textPage() > 0) {
        m_notebook2->setCurrentIndex(textPage() - 1);
        setHighlightFor(textPage());
    }
}

void TChapter_003::NextPmtClick()
{
    if (RowsShown < kRows)
        showNextRow();
    if (RowsShown >= kRows)
        tableFull();
}

void TChapter_003::ShowAllClick()
{
    fillTable();
    tableFull();
}

void TChapter_003::tableFull()
{
    setButtonsShown(false);
    setInstructionsShown(textPage(), false);
}

void TChapter_003::loadTable(Table table)
{
    const std::span<const FixedRow> rows = table == Table::Minimum ? minimumPaymentTable() : constantPaymentTable();
    for (std::size_t i = 0; i < m_table.size() && i < rows.size(); ++i) {
        Row& row = m_table[i];
        row.balance = rows[i].balance;
        row.payment = rows[i].payment;
        row.interest = rows[i].interest;
        row.principal = RoundToCents(row.payment - row.interest);
        row.newBalance = RoundToCents(row.balance - row.principal);
    }
}

void TChapter_003::showNextRow()
{
    if (RowsShown >= kRows)
        return;
    const int k = ++RowsShown;
    const Row& row = m_table[static_cast<std::size_t>(k - 1)];
    const std::array<QString, kColumns> texts{QString::number(k), dollars(row.balance), dollars(row.payment),
                                              dollars(row.interest), dollars(row.principal), dollars(row.newBalance)};
    for (int c = 0; c < kColumns; ++c)
        write(cell(c, k), texts[static_cast<std::size_t>(c)]);
    TotalPayment += row.payment;
    TotalInterest += row.interest;
    TotalPrincipal += row.principal;
    write(total(1), dollars(TotalPayment));
    write(total(2), dollars(TotalInterest));
    write(total(3), dollars(TotalPrincipal));
}

void TChapter_003::fillTable()
{
    while (RowsShown < kRows)
        showNextRow();
}

void TChapter_003::clearGrid()
{
    for (int c = 0; c < kColumns; ++c)
        for (int r = 1; r <= kRows; ++r)
            cell(c, r)->clear();
    for (int t = 1; t <= 3; ++t)
        total(t)->clear();
}

void TChapter_003::restartCount()
{
    RowsShown = 0;
    TotalPayment = TotalInterest = TotalPrincipal = 0;
}

void TChapter_003::setButtonsShown(bool shown)
{
    // Hiding the focused button would hand the focus on along the tab chain,
    // round to "Quit", where the next Enter or Space would end the chapter.
    // Next Page takes it instead, so Enter goes on through the pages.
    if (QWidget* focused = focusWidget(); !shown && (focused == m_nextPmt || focused == m_showAll)) {
        if (QPushButton* next = frameButton("BtnNext"); next && next->isVisible())
            next->setFocus();
        else
            focused->clearFocus();
    }
    m_nextPmt->setVisible(shown);
    m_showAll->setVisible(shown);
}

void TChapter_003::setInstructionsShown(int page, bool shown)
{
    const int which = page == 0 ? 0 : page == kConstantTextPage ? 1 : -1;
    if (which < 0)
        return;
    for (QLabel* label : m_instructions[static_cast<std::size_t>(which)])
        label->setVisible(shown);
}

void TChapter_003::setHighlightFor(int page)
{
    if (page < 0 || page >= kTextPages)
        return;
    const auto& columns = kPageHighlight[static_cast<std::size_t>(page)];
    const auto& rows = m_highlighter.rows(); // the payment column, then the principal column
    for (std::size_t i = 0; i < columns.size() && i < rows.size(); ++i)
        m_highlighter.set(rows[i], columns[i]);
}

} // namespace quenmark
