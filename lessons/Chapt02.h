// Chapter 2, "Terms and Definitions": an overview, six pages of card terms with
// worked examples, and the payoff calculator on the last page.
#pragma once

#include "common/CalculatorPanel.h"
#include "common/LessonFrame.h"

namespace quenmark {

class TChapter_002 : public LessonFrame
{
    Q_OBJECT
public:
    explicit TChapter_002(QWidget* parent = nullptr);

    // The calculator's engine runner (tests hook its yields to act inside a run).
    PayoffRunner& payoffRunner() { return m_calc.runner(); }
    // What the calculator's display has drawn and flushed (tests, benchmarks).
    const LiveSurface* liveSurface() { return &m_calc.surface(); }

public slots:
    void BtnGoFigureClick();

protected:
    void resetForOpening() override;
    void pageReached(int page, bool forward) override;
    void requestStop() override { m_calc.requestStop(); }

private:
    // Chapt02Pages.cpp: the pages and their fixed texts, and the calculator page.
    void buildPages();
    void buildCalculatorPage(QWidget* page);

    CalculatorPanel m_calc;
    PayoffDisplay m_display;  // StdPanel with Gauge and the six result boxes
    QWidget* m_why = nullptr; // PanelWhy
};

} // namespace quenmark
