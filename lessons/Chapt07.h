// Chapter 7, "The Effect of Adding $5 to Each Payment": what $5, $10 or $20
// added to every payment of the five sample cards saves, with declining and
// with constant payments, and the extra-money calculator on the last page.
#pragma once

#include <array>

#include "common/Calculator.h"
#include "common/LessonFrame.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;

namespace quenmark {

class TChapter_007 : public LessonFrame
{
    Q_OBJECT
public:
    explicit TChapter_007(QWidget* parent = nullptr);
    ~TChapter_007() override;

    // The extra amount chosen on pages 3 and 4.
    enum ExtraChoice { ExtraNone = 0, Extra5 = 1, Extra10 = 2, Extra20 = 3 };

    // The calculator's engine runner (tests hook its yields to act inside a run).
    PayoffRunner& payoffRunner() { return m_runner; }
    // What the calculator's panels have drawn and flushed (tests, benchmarks).
    const LiveSurface* liveSurface() const { return &m_surface; }
    // Whether each result panel no longer matches the inputs.
    bool withoutExtraStale() const { return WithoutExtraStale; }
    bool withExtraStale() const { return WithExtraStale; }

public slots:
    void BtnPlus05Click();
    void BtnPlus10Click();
    void BtnPlus20Click();

    void EditAprExit();
    void EditBalExit();
    void EditPmtExit();
    void ExtraMoneyExit();
    void TreatLikeExit();
    void EditNameChange();
    void ExtraMoneyChange();
    void BtnCalculateClick();
    void BtnStopClick();
    void ClearStaleResults();

protected:
    int pageTotal() const override { return 5; }
    void showPage(int page, bool forward) override;
    void resetForOpening() override;
    void pageReached(int page, bool forward) override;
    void requestStop() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static constexpr int kRows = 6; // five cards and the total row

    // One method's interest figures: the no-extra column and the $5, $10 and
    // $20 columns, each with its total (row 5) added up when loaded.
    struct ExampleSet
    {
        std::array<double, kRows> noExtra{};
        std::array<std::array<double, kRows>, 3> withExtra{};
    };

    // Controls of pages 3 and 4 (the table page "page01").
    struct TablePage
    {
        QStackedWidget* notebook2 = nullptr;
        QLabel* title = nullptr; // Title01
        std::array<QLabel*, kRows> intA{};
        std::array<QLabel*, kRows> extra{};
        std::array<QLabel*, kRows> intB{};
        QPushButton* plus[3] = {};
        QLabel* extraPg2 = nullptr;
        QLabel* savingsPg2 = nullptr;
        QLabel* percentPg2 = nullptr;
        QLabel* extraPg3 = nullptr;
        QLabel* savingsPg3 = nullptr;
        QLabel* totalSavingsPg3 = nullptr;
        QLabel* percentPg3 = nullptr;
    };

    // Controls of the calculator page ("page002").
    struct Calculator
    {
        QLineEdit* editName = nullptr;
        QLineEdit* editApr = nullptr;
        QLineEdit* editBal = nullptr;
        QLineEdit* editPmt = nullptr;
        QComboBox* extraMoney = nullptr;
        QComboBox* treatLike = nullptr;
        QPushButton* calculate = nullptr;
        QPushButton* stop = nullptr;
        QLabel* abort = nullptr;
        PayoffDisplay without; // Panel3, Gauge1
        PayoffDisplay with;    // StdPanel, Gauge2
        ResultBox* moneySaved = nullptr;
    };

    // Chapt07Pages.cpp: the pages, their fixed texts and figures.
    void buildPages();
    void buildOverviewPage(QWidget* page);
    void buildCardsPage(QWidget* page);
    TablePage buildTablePage(QWidget* page);
    Calculator buildCalculatorPage(QWidget* page);
    static ExampleSet exampleSet(bool constantMethod);

    // Pages 3 and 4.
    void showMethod(bool constantMethod);
    void fillNoExtraColumn();
    void fillExtraColumns();
    void writeDecliningSummary();
    void writeConstantSummary();
    void chooseExtra(ExtraChoice choice);

    // Page 5.
    enum class Comparison { Finished, Stopped, WindowGone };
    Comparison RunComparison();
    void showWithExtra(const PayoffState& state);

    TablePage m_table;
    Calculator m_calc;

    int DecliningExtraChoice = ExtraNone;
    int ConstantExtraChoice = ExtraNone;
    int CurrentChoice = ExtraNone;
    ExampleSet m_loaded;

    AmountBoxes* m_boxes = nullptr;
    LiveSurface m_surface{this};
    PayoffRunner m_runner;
    int ExtraAmount = 0;
    bool LoanMode = false;
    bool WithoutExtraStale = true;
    bool WithExtraStale = true;
    // Inputs changed while the runs were under way: those panels stay stale.
    bool m_withoutChangedInRun = false;
    bool m_withChangedInRun = false;
};

} // namespace quenmark
