// Chapter 4's behaviour: which notebook pages and which highlighting belong
// to each page counter, reached by Next or by Back. The tables, texts and
// highlight routines: Chapt04Pages.cpp.
#include "lessons/Chapt04.h"

#include <QPushButton>
#include <QStackedWidget>
#include <array>

namespace quenmark {

namespace {

// What entering a page does. The notebook pages are where the page lies;
// the routines are run in order, those of the way the page was reached.
struct PageStep
{
    int book;      // Notebook1 page
    int commentary; // page of Notebook2 (book 1) or Notebook3 (book 2); -1 none
    std::array<const char*, 2> byNext;
    std::array<const char*, 2> byBack;
};

constexpr std::array<PageStep, 10> kSteps{{
    {0, 0, {}, {}},
    {1, 0, {}, {"RestorePayment24"}},
    {1, 1, {"HighlightPayment24"}, {"HighlightPayment24"}},
    {1, 2, {"HighlightPayment24"}, {"HighlightPayment24"}},
    {2, 0, {"RestoreCardPrincipal", "RestoreLoanPrincipal"}, {"RestoreCardPrincipal", "RestoreLoanPrincipal"}},
    {2, 1, {"HighlightCardPrincipal"}, {"RestoreLoanPrincipal", "HighlightCardPrincipal"}},
    {2, 2, {"RestoreCardPrincipal", "HighlightLoanPrincipal"}, {"RestoreCardPercents", "HighlightLoanPrincipal"}},
    {2, 3, {"RestoreLoanPrincipal", "HighlightCardPercents"}, {"RestoreLoanPercents", "HighlightCardPercents"}},
    // By Back from the closing page the loan percent columns are still highlighted.
    {2, 4, {"RestoreCardPercents", "HighlightLoanPercents"}, {}},
    {3, -1, {}, {}},
}};

} // namespace

TChapter_004::TChapter_004(QWidget* parent) : LessonFrame(chapterLook(4), parent)
{
    setWindowTitle(tr("Chapter 4"));
    buildPages();
    m_highlighter = Highlighter(this, highlightRoutines());
}

TChapter_004::~TChapter_004() = default;

int TChapter_004::pageTotal() const
{
    return m_notebook2->count() + m_notebook3->count() + 2;
}

void TChapter_004::resetForOpening()
{
    m_notebook2->setCurrentIndex(0);
    m_notebook3->setCurrentIndex(0);
}

void TChapter_004::showPage(int page, bool forward)
{
    if (page < 1 || page > static_cast<int>(kSteps.size()))
        return;
    const PageStep& step = kSteps[static_cast<std::size_t>(page - 1)];
    m_highlighter.runAll(forward ? step.byNext : step.byBack);
    if (step.commentary >= 0) {
        QStackedWidget* commentary = step.book == 2 ? m_notebook3 : m_notebook2;
        commentary->setCurrentIndex(step.commentary);
    }
    notebook()->setCurrentIndex(step.book);
}

} // namespace quenmark
