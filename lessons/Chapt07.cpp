// Chapter 7's behaviour: the page steps, the extra buttons and the two
// summaries of pages 3 and 4, and the extra-money calculator of page 5 (two
// runs side by side, without and with the extra amount, with stale flags that
// decide which of them a Calculate reruns). Pages and texts: Chapt07Pages.cpp.
#include "lessons/Chapt07.h"

#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>

#include "common/Layout.h"
#include "common/Sentence.h"
#include "core/MoneyText.h"

namespace quenmark {

namespace {

QString q(const std::string& s)
{
    return QString::fromStdString(s);
}

// Money text of an amount followed by three spaces: a computed table cell.
QString cellText(double amount)
{
    return q(AmountToText(amount)) + QStringLiteral("   ");
}

constexpr int kExtraDollars[4] = {0, 5, 10, 20};

// The constant method's saving over the declining method (9,897.00 - 4,864.86).
constexpr double kConstantMethodSaving = 5032.14;

QString extraCaption(int choice)
{
    return QLatin1Char('$') + (choice == 0 ? QString() : QString::number(kExtraDollars[choice]));
}

// Lays out the page that holds `sentence` at once, so it is complete whenever it shows.
void layOutNow(QWidget* sentence)
{
    if (QWidget* page = sentence->parentWidget(); page && page->layout())
        page->layout()->activate();
}

} // namespace

TChapter_007::TChapter_007(QWidget* parent)
    : LessonFrame(chapterLook(7), parent), m_calc(this, CalculatorKind::ExtraMoney)
{
    setWindowTitle(tr("Chapter 7"));
    buildPages();

    // Window creation: no extra choice yet, both gauges at 0 (as built).
    CurrentChoice = ExtraNone;

    connect(m_table.plus[0], &QPushButton::clicked, this, &TChapter_007::BtnPlus05Click);
    connect(m_table.plus[1], &QPushButton::clicked, this, &TChapter_007::BtnPlus10Click);
    connect(m_table.plus[2], &QPushButton::clicked, this, &TChapter_007::BtnPlus20Click);

    // The calculator's inputs are connected through the panel, so nothing of
    // them reaches the chapter once the panel has gone with the window.
    CalculatorPanel* calc = &m_calc;
    for (QLineEdit* edit : {m_calc.nameBox(), m_calc.box(AmountBox::Apr), m_calc.box(AmountBox::Balance),
                            m_calc.box(AmountBox::Payment)})
        connect(edit, &QLineEdit::textChanged, calc, [this] { EditNameChange(); });
    connect(m_treatLike, &QComboBox::currentIndexChanged, calc, [this] { EditNameChange(); });
    connect(m_extraMoney, &QComboBox::currentIndexChanged, calc, [this] { ExtraMoneyChange(); });
    connect(calc, &CalculatorPanel::left, this, [this](QWidget* list) {
        if (list == m_extraMoney)
            ExtraMoneyExit();
        else
            TreatLikeExit();
    });
    connect(m_calc.calculateButton(), &QPushButton::clicked, this, &TChapter_007::BtnCalculateClick);
    connect(calc, &CalculatorPanel::stopped, this, &TChapter_007::markBothStale);
}

// ---- pages --------------------------------------------------------------------------

void TChapter_007::showPage(int page, bool /*forward*/)
{
    static constexpr int kNotebookPage[6] = {0, 0, 1, 2, 2, 3};
    if (page < 1 || page > 5)
        return;
    notebook()->setCurrentIndex(kNotebookPage[page]);
    if (page == 3 || page == 4)
        m_table.notebook2->setCurrentIndex(page - 3);
}

void TChapter_007::pageReached(int page, bool forward)
{
    LessonFrame::pageReached(page, forward);
    if (page == 3 || page == 4)
        showMethod(page == 4);
    else if (page == 5)
        m_calc.focusFirstBox();
}

void TChapter_007::resetForOpening()
{
    WithoutExtraStale = true;
    WithExtraStale = true;
    DecliningExtraChoice = Extra5;
    ConstantExtraChoice = Extra5;
    // Page 3 is made ready: the declining figures with their $5 column.
    CurrentChoice = DecliningExtraChoice;
    m_constantShown = false;
    m_loaded = exampleSet(false);
    fillNoExtraColumn();
    fillExtraColumns();
    writeSummary();
    m_table.notebook2->setCurrentIndex(0);

    // The calculator.
    m_extraMoney->setCurrentIndex(0);
    m_treatLike->setCurrentIndex(0);
    m_calc.reset();
    // The stop flag belongs to a run and is cleared as each run starts.
}

void TChapter_007::showMethod(bool constantMethod)
{
    CurrentChoice = constantMethod ? ConstantExtraChoice : DecliningExtraChoice;
    QLabel* total = m_table.intA[kRows - 1];
    if (constantMethod)
        setCellColours(total, colour::green, colour::white);
    else
        setCellColours(total, colour::silver, colour::black);
    m_table.title->setText(constantMethod ? tr("Constant Payment Method") : tr("Declining Payment Method"));
    setCellColours(m_table.title, QColor(), constantMethod ? colour::green : colour::maroon);
    m_constantShown = constantMethod;
    m_loaded = exampleSet(constantMethod);
    fillNoExtraColumn();
    fillExtraColumns();
    writeSummary();
}

void TChapter_007::fillNoExtraColumn()
{
    for (std::size_t r = 0; r < kRows; ++r)
        m_table.intA[r]->setText(cellText(FromCents(m_loaded.noExtra[r])));
}

void TChapter_007::fillExtraColumns()
{
    const int c = CurrentChoice;
    for (std::size_t r = 0; r < kRows; ++r) {
        if (c == ExtraNone) {
            m_table.intB[r]->clear();
            m_table.extra[r]->clear();
            continue;
        }
        const auto column = static_cast<std::size_t>(c - 1);
        const int dollars = kExtraDollars[c] * (r == kRows - 1 ? 5 : 1);
        m_table.intB[r]->setText(cellText(FromCents(m_loaded.withExtra[column][r])));
        m_table.extra[r]->setText(cellText(dollars));
    }
}

double TChapter_007::noExtraTotal() const
{
    return FromCents(m_loaded.noExtra[kRows - 1]);
}

double TChapter_007::withExtraTotal() const
{
    // No extra chosen: the with-extra cells are empty and count as 0.
    if (CurrentChoice == ExtraNone)
        return 0;
    return FromCents(m_loaded.withExtra[static_cast<std::size_t>(CurrentChoice - 1)][kRows - 1]);
}

void TChapter_007::writeSummary()
{
    const double a = noExtraTotal();
    const double b = withExtraTotal();
    if (!m_constantShown) {
        const double savings = a - b;
        const double percent = a != 0 ? savings * 100 / a : 0;
        Sentence* s = m_table.decliningSummary;
        s->setFigure(m_table.savingsPg2,
                     QStringLiteral(" $") + q(AmountToText(savings)) + QStringLiteral(" "));
        s->setFigure(m_table.extraPg2, extraCaption(CurrentChoice));
        s->setFigure(m_table.percentPg2, q(AmountToText(percent)) + QLatin1Char('%'));
        layOutNow(s);
        return;
    }
    const double additional = a - b;
    const double totalSavings = additional + kConstantMethodSaving;
    const double base = a + kConstantMethodSaving;
    const double percent = (base - b) * 100 / base;
    Sentence* s = m_table.constantSummary;
    s->setFigure(m_table.savingsPg3,
                 QStringLiteral(" $") + q(AmountToText(additional)) + QStringLiteral(" "));
    s->setFigure(m_table.totalSavingsPg3,
                 QStringLiteral(" $") + q(AmountToText(totalSavings)) + QStringLiteral(" "));
    s->setFigure(m_table.percentPg3, QStringLiteral(" ") + q(AmountToText(percent)) + QStringLiteral("% "));
    s->setFigure(m_table.extraPg3, extraCaption(CurrentChoice));
    layOutNow(s);
}

void TChapter_007::chooseExtra(ExtraChoice choice)
{
    const bool declining = currentPage() == 3;
    if (declining)
        DecliningExtraChoice = choice;
    else
        ConstantExtraChoice = choice;
    CurrentChoice = declining ? DecliningExtraChoice : ConstantExtraChoice;
    fillExtraColumns();
    writeSummary();
}

void TChapter_007::BtnPlus05Click()
{
    chooseExtra(Extra5);
}

void TChapter_007::BtnPlus10Click()
{
    chooseExtra(Extra10);
}

void TChapter_007::BtnPlus20Click()
{
    chooseExtra(Extra20);
}

// ---- the calculator -----------------------------------------------------------------

void TChapter_007::ExtraMoneyExit()
{
    ExtraAmount = m_extraMoney->currentText().trimmed().toInt();
}

void TChapter_007::TreatLikeExit()
{
    LoanMode = m_treatLike->currentIndex() > 0;
}

void TChapter_007::EditNameChange()
{
    WithoutExtraStale = true;
    WithExtraStale = true;
    if (m_calc.runner().running())
        m_withoutChangedInRun = m_withChangedInRun = true;
    ClearStaleResults();
}

void TChapter_007::ExtraMoneyChange()
{
    WithExtraStale = true;
    if (m_calc.runner().running())
        m_withChangedInRun = true;
    ClearStaleResults();
}

void TChapter_007::ClearStaleResults()
{
    if (WithoutExtraStale) {
        m_without.clear();
        m_withoutShown.reset();
    }
    if (WithExtraStale)
        m_with.clear(); // MONEY SAVED too
}

// MONEY SAVED, once the right gauge reaches 100: the money paid on the left
// (nothing while the left panel is empty) less the money paid on the right.
void TChapter_007::writeMoneySaved(const PayoffState& withExtra, ChangedFields& changed)
{
    if (withExtra.ProgressPercent < 100)
        return;
    const std::int64_t without = m_withoutShown ? m_withoutShown->Cents.TotalPaid : 0;
    const QString saved = QLatin1Char('$') + q(AmountToText(FromCents(without - withExtra.Cents.TotalPaid)));
    if (m_with.saved->changeText(saved))
        changed.append(m_with.saved);
}

TChapter_007::Comparison TChapter_007::RunComparison()
{
    const bool withoutFirst = WithoutExtraStale;
    ClearStaleResults();
    if (m_calc.boxes().balance() == 0)
        return Comparison::Finished;

    auto outcome = [](PayoffRunner::Outcome o) {
        switch (o) {
        case PayoffRunner::Outcome::Finished: return Comparison::Finished;
        case PayoffRunner::Outcome::Stopped: return Comparison::Stopped;
        case PayoffRunner::Outcome::WindowGone: break;
        }
        return Comparison::WindowGone;
    };
    if (withoutFirst) {
        const Comparison first =
            outcome(m_calc.run(m_without, PayoffOptions::extraMoneyCalculator(0, LoanMode)));
        if (first != Comparison::Finished)
            return first; // stopped: the run with extra money does not start
        m_withoutShown = m_calc.runner().lastState();
    }
    // The pending input is processed once more when the runs end (PayoffRunner::endRuns).
    return outcome(m_calc.run(
        m_with, PayoffOptions::extraMoneyCalculator(ExtraAmount, LoanMode),
        [this](const PayoffState& state, ChangedFields& changed) { writeMoneySaved(state, changed); }));
}

void TChapter_007::BtnCalculateClick()
{
    if (!m_calc.readAndCheck([this] {
            ExtraMoneyExit();
            TreatLikeExit();
        }))
        return;

    Comparison result = Comparison::Finished;
    m_withoutChangedInRun = m_withChangedInRun = false;
    if (m_calc.boxes().balance() > 0) {
        setRunActive(true);
        m_calc.runner().beginRuns();
        result = RunComparison();
        if (result == Comparison::WindowGone)
            return; // this chapter is gone; touch nothing
        if (!m_calc.runner().endRuns())
            return;
    } else {
        result = RunComparison();
    }
    if (result == Comparison::Finished) {
        // Results that match the inputs; a panel whose inputs were changed
        // while it ran still shows figures of the earlier inputs and stays
        // stale, so the next Calculate recomputes it (and MONEY SAVED never
        // compares figures of different inputs).
        WithoutExtraStale = m_withoutChangedInRun;
        WithExtraStale = m_withChangedInRun;
    }
    // Last: ending the runs carries out a close asked for during them.
    setRunActive(false);
}

void TChapter_007::markBothStale()
{
    WithoutExtraStale = true;
    WithExtraStale = true;
}

void TChapter_007::requestStop()
{
    m_calc.requestStop();
    markBothStale();
}

} // namespace quenmark
