// Chapter 1's behaviour: the quiz and the answer of page 4. Pages, texts and
// pictures: Chapt01Pages.cpp.
#include "lessons/Chapt01.h"

#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include "common/Announce.h"
#include "common/Layout.h"
#include "common/Platform.h"
#include "common/WebStuff.h"

namespace quenmark {

TChapter_001::TChapter_001(QWidget* parent) : LessonFrame(chapterLook(1), parent)
{
    setWindowTitle(tr("Chapter 1"));
    m_ui = buildPages();

    connect(m_ui.yearsUp, &QToolButton::clicked, this, &TChapter_001::SpinButton_YearsUpClick);
    connect(m_ui.yearsDown, &QToolButton::clicked, this, &TChapter_001::SpinButton_YearsDownClick);
    connect(m_ui.monthsUp, &QToolButton::clicked, this, &TChapter_001::SpinButton_MonthsUpClick);
    connect(m_ui.monthsDown, &QToolButton::clicked, this, &TChapter_001::SpinButton_MonthsDownClick);
    connect(m_ui.checkAnswer, &QPushButton::clicked, this, &TChapter_001::BtnCheckAnswerClick);
    connect(m_ui.showAnswer, &QPushButton::clicked, this, &TChapter_001::BtnShowAnswerClick);
    connect(m_ui.button3, &QPushButton::clicked, this, &TChapter_001::Button3Click);
}

TChapter_001::~TChapter_001() = default;

void TChapter_001::resetForOpening()
{
    // The title page shows the notice line, as the frame's foot does.
    m_ui.copyrightNotice->setText(gstrCopyright);
    m_ui.secondNotice->setText(SecondNoticeLine());
    m_ui.page03Answer->hide();
    m_ui.legalPanel->hide();
    m_ui.showAnswer->hide();
    QuizYears = 1;
    QuizMonths = 1;
    m_ui.years->setText(QStringLiteral("1"));
    m_ui.months->setText(QStringLiteral("1"));
    m_ui.checkAnswer->setText(tr("Check Answer"));
    m_ui.answer->clear();
    setCellColours(m_ui.answer, colour::white, colour::textBlue);
}

void TChapter_001::step(int& value, int delta, int low, int high, QLabel* panel)
{
    const int next = value + delta;
    if (next < low || next > high) {
        platform().beep();
        return;
    }
    value = next;
    panel->setText(QString::number(value));
}

void TChapter_001::SpinButton_YearsUpClick()
{
    step(QuizYears, +1, 1, 20, m_ui.years);
}

void TChapter_001::SpinButton_YearsDownClick()
{
    step(QuizYears, -1, 1, 20, m_ui.years);
}

void TChapter_001::SpinButton_MonthsUpClick()
{
    step(QuizMonths, +1, 1, 12, m_ui.months);
}

void TChapter_001::SpinButton_MonthsDownClick()
{
    step(QuizMonths, -1, 1, 12, m_ui.months);
}

void TChapter_001::BtnCheckAnswerClick()
{
    checkGuess(CheckedBy::CheckAnswer);
}

void TChapter_001::BtnShowAnswerClick()
{
    QuizYears = kAnswerYears;
    m_ui.years->setText(QString::number(QuizYears));
    QuizMonths = kAnswerMonths;
    m_ui.months->setText(QString::number(QuizMonths));
    checkGuess(CheckedBy::ShowAnswer);
}

void TChapter_001::checkGuess(CheckedBy by)
{
    const QString again = tr("\nCheck your answer again or click the \"Next Page\" button.");
    const QString yearsHint = QuizYears < kAnswerYears    ? tr("\nIncrease the number of years.")
                              : QuizYears == kAnswerYears ? tr("\nThe years are correct.")
                                                          : tr("\nDecrease the number of years.");
    const QString monthsHint = (QuizMonths < kAnswerMonths    ? tr("\nIncrease the number of months.")
                                : QuizMonths == kAnswerMonths ? tr("\nThe months are correct.")
                                                              : tr("\nDecrease the number of months."))
                               + again;

    if (QuizYears == kAnswerYears && QuizMonths == kAnswerMonths) {
        m_ui.answer->setText(by == CheckedBy::CheckAnswer
                                 ? tr("Right!!!\nGood job!\n15 Years and 3 Months seems hard to believe doesn't it.")
                                 : tr("\n15 Years and 3 Months.  Seems hard to believe doesn't it."));
        setCellColours(m_ui.answer, colour::white, colour::textBlue);
        announce(m_ui.answer, m_ui.answer->text());
        return;
    }
    m_ui.checkAnswer->setText(tr("Check Again"));
    m_ui.showAnswer->show();
    setCellColours(m_ui.answer, colour::white, colour::maroon);
    platform().beep();
    m_ui.answer->setText(tr("Wrong!!!") + yearsHint + monthsHint);
    announce(m_ui.answer, m_ui.answer->text());
}

void TChapter_001::Button3Click()
{
    m_ui.page03Answer->show();
    m_ui.legalPanel->show();
}

} // namespace quenmark
