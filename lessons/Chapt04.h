// Chapter 4, "Year to Date Totals": the credit-card way of paying (a declining
// minimum payment) beside the loan way (one constant payment) over the first
// five years of the same debt. Payment tables and yearly-total tables with a
// commentary under them; page by page the cells the commentary talks about
// are highlighted.
//
// Page counter: 1 overview; 2 to 4 the payment tables with commentary pages
// 0 to 2 (Notebook2); 5 to 9 the yearly totals with commentary pages 0 to 4
// (Notebook3); 10 the closing page.
#pragma once

#include <vector>

#include "common/Grid.h"
#include "common/LessonFrame.h"

class QStackedWidget;

namespace quenmark {

class InterestBarsPicture;

class TChapter_004 : public LessonFrame
{
    Q_OBJECT
public:
    explicit TChapter_004(QWidget* parent = nullptr);
    ~TChapter_004() override;

    // The ten highlight routines in five pairs (HighlightPayment24 /
    // RestorePayment24, ... HighlightLoanPercents / RestoreLoanPercents).
    static std::vector<HighlightRow> highlightRoutines();
    Highlighter& highlighter() { return m_highlighter; }

    const InterestBarsPicture* closingPicture() const { return m_closingPicture; }

protected:
    int pageTotal() const override;
    void showPage(int page, bool forward) override;
    void resetForOpening() override;

private:
    // Chapt04Pages.cpp: the four pages, the tables and the commentary.
    void buildPages();

    QStackedWidget* m_notebook2 = nullptr;
    QStackedWidget* m_notebook3 = nullptr;
    InterestBarsPicture* m_closingPicture = nullptr;
    Highlighter m_highlighter;
};

} // namespace quenmark
