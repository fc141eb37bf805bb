// Chapter 3, "Minimum Payments vs Constant Payments": a year of minimum
// payments on a card beside a year of constant payments on a loan. One page
// holds a payment table that the user fills row by row ("Next Pmt") or at once
// ("Show All"), over ten text pages that highlight the columns they talk about.
// Page counter 1 is the overview; counter k from 2 to 11 is the table page
// with text page k - 2.
#pragma once

#include <array>
#include <span>
#include <vector>

#include "common/Grid.h"
#include "common/LessonFrame.h"

class QLabel;
class QPushButton;
class QStackedWidget;

namespace quenmark {

class TChapter_003 : public LessonFrame
{
    Q_OBJECT
public:
    explicit TChapter_003(QWidget* parent = nullptr);
    ~TChapter_003() override;

    static constexpr int kRows = 12;
    static constexpr int kTextPages = 10;
    static constexpr int kConstantTextPage = 5; // the first text page of the loan table

    // What a table holds as fixed data; principal and new balance are worked
    // out when the table is loaded.
    struct FixedRow
    {
        double balance;
        double payment;
        double interest;
    };
    static std::span<const FixedRow> minimumPaymentTable();  // "Minimum Payments on a Credit Card"
    static std::span<const FixedRow> constantPaymentTable(); // "Constant Payments from a Loan"

    int rowsShown() const { return RowsShown; }
    int textPage() const;

public slots:
    void NextPmtClick();
    void ShowAllClick();

protected:
    int pageTotal() const override;
    void showPage(int page, bool forward) override;
    void resetForOpening() override;

private:
    struct Row
    {
        double balance = 0, payment = 0, interest = 0, principal = 0, newBalance = 0;
    };
    enum class Table { Minimum, Constant };

    // Chapt03Pages.cpp: the overview, the grid, the buttons and the ten text pages.
    void buildPages();

    void arriveByNext(int page);
    void arriveByBack(int page);
    void loadTable(Table table);
    void showNextRow();
    void clearGrid();
    void restartCount();
    void fillTable();          // every remaining row
    void tableFull();          // 12 rows: buttons and instructions go
    void setButtonsShown(bool shown);
    void setInstructionsShown(int textPage, bool shown);
    void setHighlightFor(int textPage);
    QLabel* cell(int column, int row) const; // row 0 header, 1..12 body
    QLabel* total(int index) const;          // 0 "Totals", 1 payment, 2 interest, 3 principal

    // Column by column (numbers, balances, payments, interest, principal, new
    // balances; each header first and then rows 1 to 12), then the four totals.
    std::vector<QLabel*> m_cellLookup;
    std::array<Row, kRows> m_table{};
    int RowsShown = 0;
    double TotalPayment = 0, TotalInterest = 0, TotalPrincipal = 0;

    QStackedWidget* m_notebook2 = nullptr;
    QLabel* m_gridTitle = nullptr;
    QPushButton* m_nextPmt = nullptr;
    QPushButton* m_showAll = nullptr;
    std::array<std::vector<QLabel*>, 2> m_instructions; // of text page 0 and text page 5
    Highlighter m_highlighter;
};

} // namespace quenmark
