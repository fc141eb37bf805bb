// Chapter 2, "Terms and Definitions": an overview, six pages of card terms with
// worked examples, and the payoff calculator on the last page.
#pragma once

#include "common/Calculator.h"
#include "common/LessonFrame.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace quenmark {

class TChapter_002 : public LessonFrame
{
    Q_OBJECT
public:
    explicit TChapter_002(QWidget* parent = nullptr);
    ~TChapter_002() override;

    // The calculator's engine runner (tests hook its yields to act inside a run).
    PayoffRunner& payoffRunner() { return m_runner; }
    // What the calculator's display has drawn and flushed (tests, benchmarks).
    const LiveSurface* liveSurface() const { return &m_surface; }

public slots:
    void EditAprExit();
    void EditBalExit();
    void EditPmtExit();
    void BtnGoFigureClick();
    void BtnStopClick();
    void LabelNameClick();
    void LabelAPRClick();
    void LabelBalClick();
    void LabelPmtClick();

protected:
    void resetForOpening() override;
    void pageReached(int page, bool forward) override;
    void requestStop() override;

private:
    // The controls of the calculator page (built from the page tables).
    struct Calculator
    {
        ClickLabel* labelName = nullptr;
        ClickLabel* labelApr = nullptr;
        ClickLabel* labelBal = nullptr;
        ClickLabel* labelPmt = nullptr;
        QLineEdit* editName = nullptr;
        QLineEdit* editApr = nullptr;
        QLineEdit* editBal = nullptr;
        QLineEdit* editPmt = nullptr;
        QPushButton* goFigure = nullptr;
        QPushButton* stop = nullptr;
        QLabel* abort = nullptr;
        QWidget* why = nullptr;
        PayoffDisplay display;
    };

    // Chapt02Pages.cpp: the pages and their fixed texts.
    void buildPages();
    Calculator buildCalculatorPage(QWidget* page);

    Calculator m_calc;
    AmountBoxes* m_boxes = nullptr;
    LiveSurface m_surface{this};
    PayoffRunner m_runner;
};

} // namespace quenmark
