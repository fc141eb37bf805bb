// Chapter 5, "New Purchases & Skipped Payments": two ways a card balance stays
// high. A payment table with $60 of new purchases after every three payments,
// over four text pages that highlight the cells they talk about, then a
// skipped payment set beside the same months paid.
//
// Page counter: 1 overview; 2 to 5 the purchases table with text pages 0 to 3
// (Notebook2); 6 skipping payments; 7 the two skipped-payment tables.
#pragma once

#include <vector>

#include "common/Grid.h"
#include "common/LessonFrame.h"

class QStackedWidget;

namespace quenmark {

class TChapter_005 : public LessonFrame
{
    Q_OBJECT
public:
    explicit TChapter_005(QWidget* parent = nullptr);
    ~TChapter_005() override;

    // HighlightOriginalBal, HighlightNewBal01, HighlightNewBal02 and
    // HighlightPurchases (both purchase cells), each with its Restore.
    static std::vector<HighlightRow> highlightRoutines();
    Highlighter& highlighter() { return m_highlighter; }

protected:
    int pageTotal() const override;
    void showPage(int page, bool forward) override;
    void resetForOpening() override;

private:
    // Chapt05Pages.cpp: the four pages and their tables.
    void buildPages();

    QStackedWidget* m_notebook2 = nullptr;
    QWidget* m_panel4thru6 = nullptr;
    Highlighter m_highlighter;
};

} // namespace quenmark
