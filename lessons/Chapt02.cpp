// Chapter 2's behaviour: the calculator page (reading the boxes, the payment
// check, the run with its display and Stop). Pages and texts: Chapt02Pages.cpp.
#include "lessons/Chapt02.h"

#include <QLineEdit>
#include <QPushButton>

namespace quenmark {

TChapter_002::TChapter_002(QWidget* parent) : LessonFrame(chapterLook(2), parent), m_runner(this)
{
    setWindowTitle(tr("Chapter 2"));
    buildPages();

    m_boxes = new AmountBoxes(this, m_calc.editApr, m_calc.editBal, m_calc.editPmt, CalculatorKind::Payoff);
    m_calc.display.surface = &m_surface;
    m_runner.setSurface(&m_surface);
    m_runner.setStopButton(m_calc.stop);
    QList<QWidget*> locked{m_calc.goFigure};
    for (const char* name : {"BtnQuit", "BtnContents", "BtnBack", "BtnNextChapt"})
        if (QPushButton* b = frameButton(name))
            locked.append(b);
    m_runner.setLockedDuringRun(locked);

    connect(m_calc.goFigure, &QPushButton::clicked, this, &TChapter_002::BtnGoFigureClick);
    connect(m_calc.stop, &QPushButton::clicked, this, &TChapter_002::BtnStopClick);
    connect(m_calc.labelName, &ClickLabel::clicked, this, &TChapter_002::LabelNameClick);
    connect(m_calc.labelApr, &ClickLabel::clicked, this, &TChapter_002::LabelAPRClick);
    connect(m_calc.labelBal, &ClickLabel::clicked, this, &TChapter_002::LabelBalClick);
    connect(m_calc.labelPmt, &ClickLabel::clicked, this, &TChapter_002::LabelPmtClick);
}

TChapter_002::~TChapter_002()
{
    // The boxes go first: their reading must not run while the window's
    // widgets are being torn down.
    delete m_boxes;
    m_boxes = nullptr;
}

void TChapter_002::resetForOpening()
{
    m_calc.abort->hide();
    m_calc.why->hide();
    m_calc.stop->hide();
    m_boxes->reset();
}

void TChapter_002::pageReached(int page, bool forward)
{
    LessonFrame::pageReached(page, forward);
    if (forward && page == totalPageCount())
        m_calc.editName->setFocus(Qt::OtherFocusReason);
}

void TChapter_002::requestStop()
{
    m_runner.requestStop();
}

void TChapter_002::EditAprExit()
{
    m_boxes->readBox(AmountBox::Apr);
}

void TChapter_002::EditBalExit()
{
    m_boxes->readBox(AmountBox::Balance);
}

void TChapter_002::EditPmtExit()
{
    m_boxes->readBox(AmountBox::Payment);
}

void TChapter_002::BtnGoFigureClick()
{
    if (m_runner.running())
        return;
    if (m_calc.abort->isVisible())
        m_calc.abort->hide();
    m_boxes->readAll();
    if (!m_boxes->checkPayment())
        return;

    const double apr = m_boxes->apr();
    const double balance = m_boxes->balance();
    const double payment = m_boxes->payment();
    const PayoffDisplay& display = m_calc.display;

    if (apr == 0) {
        // No interest: worked out at once, nothing to stop.
        display.reset(balance == 0);
        if (balance > 0) {
            display.show(NoInterestPayoff(balance, payment));
            m_surface.flush();
        }
        return;
    }

    if (balance == 0) {
        display.reset(true); // nothing owed: zeros and a full gauge
    } else {
        setRunActive(true);
        display.reset(false);
        const PayoffRunner::Outcome outcome =
            m_runner.run(apr, balance, payment, PayoffOptions::payoffCalculator(),
                         [display](const PayoffState& state) { display.show(state); });
        if (outcome == PayoffRunner::Outcome::WindowGone)
            return; // this chapter is gone; touch nothing
    }
    m_calc.why->show();
    // Last: ending the run carries out a close asked for during it.
    setRunActive(false);
}

void TChapter_002::BtnStopClick()
{
    m_calc.abort->show();
    m_runner.requestStop();
}

void TChapter_002::LabelNameClick()
{
    m_calc.editName->setFocus(Qt::MouseFocusReason);
}

void TChapter_002::LabelAPRClick()
{
    m_calc.editApr->setFocus(Qt::MouseFocusReason);
}

void TChapter_002::LabelBalClick()
{
    m_calc.editBal->setFocus(Qt::MouseFocusReason);
}

void TChapter_002::LabelPmtClick()
{
    m_calc.editPmt->setFocus(Qt::MouseFocusReason);
}

} // namespace quenmark
