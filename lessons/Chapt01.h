// Chapter 1, "Introduction to Quenmark": a title page, background on card
// debt, the payoff quiz, the same question for a loan-style repayment, and
// the graph that contrasts the two.
#pragma once

#include "common/LessonFrame.h"

class QLabel;
class QPushButton;
class QToolButton;

namespace quenmark {

class TChapter_001 : public LessonFrame
{
    Q_OBJECT
public:
    explicit TChapter_001(QWidget* parent = nullptr);
    ~TChapter_001() override;

    // The correct answer of the quiz.
    static constexpr int kAnswerYears = 15;
    static constexpr int kAnswerMonths = 3;

public slots:
    void SpinButton_YearsUpClick();
    void SpinButton_YearsDownClick();
    void SpinButton_MonthsUpClick();
    void SpinButton_MonthsDownClick();
    void BtnCheckAnswerClick();
    void BtnShowAnswerClick();
    void Button3Click();

protected:
    void resetForOpening() override;

private:
    struct Controls
    {
        QLabel* copyrightNotice = nullptr; // page 0
        QLabel* secondNotice = nullptr;
        QLabel* years = nullptr;           // Page02_Years
        QLabel* months = nullptr;          // Page02_Months
        QToolButton* yearsUp = nullptr;
        QToolButton* yearsDown = nullptr;
        QToolButton* monthsUp = nullptr;
        QToolButton* monthsDown = nullptr;
        QPushButton* checkAnswer = nullptr;
        QPushButton* showAnswer = nullptr;
        QLabel* answer = nullptr;          // Page02_Answer
        QPushButton* button3 = nullptr;
        QLabel* page03Answer = nullptr;
        QWidget* legalPanel = nullptr;     // Page03_LegalPanel
    };

    // Chapt01Pages.cpp: the pages, their texts and pictures.
    Controls buildPages();

    enum class CheckedBy { CheckAnswer, ShowAnswer };
    void checkGuess(CheckedBy by);
    static void step(int& value, int delta, int low, int high, QLabel* panel);

    Controls m_ui;
    int QuizYears = 1;
    int QuizMonths = 1;
};

} // namespace quenmark
