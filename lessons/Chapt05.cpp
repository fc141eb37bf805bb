// Chapter 5's behaviour: the notebook pages, the second half of the purchases
// table and the highlighting that belong to each page counter, reached by
// Next or by Back. Tables and texts: Chapt05Pages.cpp.
#include "lessons/Chapt05.h"

#include <QPushButton>
#include <QStackedWidget>
#include <array>

namespace quenmark {

namespace {

// What entering a page does: where it lies, and the routines run in order,
// those of the way the page was reached. Each counter thus has one highlight
// state, whichever way it is reached.
struct PageStep
{
    int book;       // Notebook1 page
    int textPage;   // Notebook2 page (book 1); -1 unchanged
    std::array<const char*, 3> byNext;
    std::array<const char*, 3> byBack;
};

constexpr std::array<PageStep, 7> kSteps{{
    {0, 0, {}, {}},
    {1, 0, {}, {"RestoreOriginalBal", "RestoreNewBal01"}},
    {1, 1, {"HighlightNewBal01", "HighlightOriginalBal"}, {"RestoreNewBal02", "HighlightNewBal01"}},
    {1, 2, {"RestoreNewBal01", "HighlightNewBal02"}, {"RestorePurchases", "HighlightOriginalBal", "HighlightNewBal02"}},
    {1, 3, {"RestoreOriginalBal", "RestoreNewBal02", "HighlightPurchases"}, {}},
    {2, -1, {}, {}},
    {3, -1, {}, {}},
}};

// Rows 4 to 6 and the second purchase appear from this counter on.
constexpr int kSecondHalfFrom = 4;

} // namespace

TChapter_005::TChapter_005(QWidget* parent) : LessonFrame(chapterLook(5), parent)
{
    setWindowTitle(tr("Chapter 5"));
    buildPages();
    m_highlighter = Highlighter(this, highlightRoutines());
}

TChapter_005::~TChapter_005() = default;

int TChapter_005::pageTotal() const
{
    return m_notebook2->count() + notebook()->count() - 1;
}

void TChapter_005::resetForOpening()
{
    m_notebook2->setCurrentIndex(0);
    m_panel4thru6->hide();
}

void TChapter_005::showPage(int page, bool forward)
{
    if (page < 1 || page > static_cast<int>(kSteps.size()))
        return;
    const PageStep& step = kSteps[static_cast<std::size_t>(page - 1)];
    m_highlighter.runAll(forward ? step.byNext : step.byBack);
    if (step.book <= 1)
        m_panel4thru6->setVisible(page >= kSecondHalfFrom);
    if (step.textPage >= 0)
        m_notebook2->setCurrentIndex(step.textPage);
    notebook()->setCurrentIndex(step.book);
}

} // namespace quenmark
