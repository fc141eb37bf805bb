// Chapter 2's behaviour: what a Calculate runs on the calculator page (the
// calculator's parts are common/CalculatorPanel). Pages and texts: Chapt02Pages.cpp.
#include "lessons/Chapt02.h"

#include <QPushButton>

namespace quenmark {

TChapter_002::TChapter_002(QWidget* parent)
    : LessonFrame(chapterLook(2), parent), m_calc(this, CalculatorKind::Payoff)
{
    setWindowTitle(tr("Chapter 2"));
    buildPages();
    connect(m_calc.calculateButton(), &QPushButton::clicked, this, &TChapter_002::BtnGoFigureClick);
}

void TChapter_002::resetForOpening()
{
    m_why->hide();
    m_calc.reset();
}

void TChapter_002::pageReached(int page, bool forward)
{
    LessonFrame::pageReached(page, forward);
    if (forward && page == totalPageCount())
        m_calc.focusFirstBox();
}

void TChapter_002::BtnGoFigureClick()
{
    if (!m_calc.readAndCheck())
        return;
    const AmountBoxes& boxes = m_calc.boxes();
    const double balance = boxes.balance();

    if (boxes.apr() == 0) {
        // No interest: worked out at once, nothing to stop.
        m_display.reset(balance == 0);
        if (balance > 0)
            m_calc.showResult(m_display, NoInterestPayoff(balance, boxes.payment()));
        return;
    }

    if (balance == 0) {
        m_display.reset(true); // nothing owed: zeros and a full gauge
    } else {
        setRunActive(true);
        m_display.reset(false);
        if (m_calc.run(m_display, PayoffOptions::payoffCalculator()) == PayoffRunner::Outcome::WindowGone)
            return; // this chapter is gone; touch nothing
    }
    m_why->show();
    // Last: ending the run carries out a close asked for during it.
    setRunActive(false);
}

} // namespace quenmark
