// Chapter 7, "The Effect of Adding $5 to Each Payment": what $5, $10 or $20
// added to every payment of the five sample cards saves, with declining and
// with constant payments, and the extra-money calculator on the last page.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "common/CalculatorPanel.h"
#include "common/LessonFrame.h"

class QComboBox;
class QLabel;
class QPushButton;
class QStackedWidget;

namespace quenmark {

class Sentence;

class TChapter_007 : public LessonFrame
{
    Q_OBJECT
public:
    explicit TChapter_007(QWidget* parent = nullptr);

    // The extra amount chosen on pages 3 and 4.
    enum ExtraChoice { ExtraNone = 0, Extra5 = 1, Extra10 = 2, Extra20 = 3 };

    // The calculator's engine runner (tests hook its yields to act inside a run).
    PayoffRunner& payoffRunner() { return m_calc.runner(); }
    // What the calculator's panels have drawn and flushed (tests, benchmarks).
    const LiveSurface* liveSurface() { return &m_calc.surface(); }
    // Whether each result panel no longer matches the inputs.
    bool withoutExtraStale() const { return WithoutExtraStale; }
    bool withExtraStale() const { return WithExtraStale; }

public slots:
    void BtnPlus05Click();
    void BtnPlus10Click();
    void BtnPlus20Click();

    void ExtraMoneyExit();
    void TreatLikeExit();
    void EditNameChange();
    void ExtraMoneyChange();
    void BtnCalculateClick();
    void ClearStaleResults();

protected:
    int pageTotal() const override { return 5; }
    void showPage(int page, bool forward) override;
    void resetForOpening() override;
    void pageReached(int page, bool forward) override;
    void requestStop() override;

private:
    static constexpr int kRows = 6; // five cards and the total row

    // One method's interest figures in cents: the no-extra column and the $5,
    // $10 and $20 columns, each with its total (row 5) added up when loaded.
    struct ExampleSet
    {
        std::array<std::int64_t, kRows> noExtra{};
        std::array<std::array<std::int64_t, kRows>, 3> withExtra{};
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
        Sentence* decliningSummary = nullptr;
        QLabel* extraPg2 = nullptr;
        QLabel* savingsPg2 = nullptr;
        QLabel* percentPg2 = nullptr;
        Sentence* constantSummary = nullptr;
        QLabel* extraPg3 = nullptr;
        QLabel* savingsPg3 = nullptr;
        QLabel* totalSavingsPg3 = nullptr;
        QLabel* percentPg3 = nullptr;
    };

    // Chapt07Pages.cpp: the pages, their fixed texts and figures.
    void buildPages();
    void buildOverviewPage(QWidget* page);
    void buildCardsPage(QWidget* page);
    TablePage buildTablePage(QWidget* page);
    void buildSummaries(QStackedWidget* notebook2, TablePage& t);
    void buildCalculatorPage(QWidget* page);
    static ExampleSet exampleSet(bool constantMethod);

    // Pages 3 and 4.
    void showMethod(bool constantMethod);
    void fillNoExtraColumn();
    void fillExtraColumns();
    void writeSummary();
    void chooseExtra(ExtraChoice choice);
    // The no-extra and the with-extra totals of the loaded set, in dollars.
    double noExtraTotal() const;
    double withExtraTotal() const;

    // Page 5.
    enum class Comparison { Finished, Stopped, WindowGone };
    Comparison RunComparison();
    void writeMoneySaved(const PayoffState& withExtra, ChangedFields& changed);
    void markBothStale();

    TablePage m_table;

    int DecliningExtraChoice = ExtraNone;
    int ConstantExtraChoice = ExtraNone;
    int CurrentChoice = ExtraNone;
    bool m_constantShown = false; // the loaded set is the constant method's
    ExampleSet m_loaded;

    CalculatorPanel m_calc;
    QComboBox* m_extraMoney = nullptr;
    QComboBox* m_treatLike = nullptr;
    PayoffDisplay m_without; // Panel3, Gauge1
    PayoffDisplay m_with;    // StdPanel, Gauge2, MoneySaved2
    // The finished run the left panel shows (none while it is empty).
    std::optional<PayoffState> m_withoutShown;
    int ExtraAmount = 0;
    bool LoanMode = false;
    bool WithoutExtraStale = true;
    bool WithExtraStale = true;
    // Inputs changed while the runs were under way: those panels stay stale.
    bool m_withoutChangedInRun = false;
    bool m_withChangedInRun = false;
};

} // namespace quenmark
