// Chapter 7's behaviour: the page steps, the extra buttons and the two
// summaries of pages 3 and 4, and the extra-money calculator of page 5 (two
// runs side by side, without and with the extra amount, with stale flags that
// decide which of them a Calculate reruns). Pages and texts: Chapt07Pages.cpp.
#include "lessons/Chapt07.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>

#include "common/Layout.h"
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

// A table cell's amount, read back as the summaries read it.
double cellAmount(const QLabel* cell)
{
    return TextToAmount(cell->text().toStdString());
}

constexpr int kExtraDollars[4] = {0, 5, 10, 20};

// Lays out the summary rows of the page that holds `label` at once, so the
// page is complete whenever it shows.
void layOutNow(QLabel* label)
{
    if (QWidget* page = label->parentWidget(); page && page->layout())
        page->layout()->activate();
}

// The constant method's saving over the declining method (9,897.00 - 4,864.86).
constexpr double kConstantMethodSaving = 5032.14;

} // namespace

TChapter_007::TChapter_007(QWidget* parent) : LessonFrame(chapterLook(7), parent), m_runner(this)
{
    setWindowTitle(tr("Chapter 7"));
    buildPages();

    // Window creation: no extra choice yet, both gauges at 0 (as built).
    CurrentChoice = ExtraNone;

    connect(m_table.plus[0], &QPushButton::clicked, this, &TChapter_007::BtnPlus05Click);
    connect(m_table.plus[1], &QPushButton::clicked, this, &TChapter_007::BtnPlus10Click);
    connect(m_table.plus[2], &QPushButton::clicked, this, &TChapter_007::BtnPlus20Click);

    m_boxes = new AmountBoxes(this, m_calc.editApr, m_calc.editBal, m_calc.editPmt, CalculatorKind::ExtraMoney);
    m_calc.without.surface = &m_surface;
    m_calc.with.surface = &m_surface;
    m_runner.setSurface(&m_surface);
    m_runner.setStopButton(m_calc.stop);
    QList<QWidget*> locked{m_calc.calculate};
    for (const char* name : {"BtnQuit", "BtnContents", "BtnBack", "BtnNextChapt"})
        if (QPushButton* b = frameButton(name))
            locked.append(b);
    m_runner.setLockedDuringRun(locked);

    for (QLineEdit* edit : {m_calc.editName, m_calc.editApr, m_calc.editBal, m_calc.editPmt})
        connect(edit, &QLineEdit::textChanged, this, &TChapter_007::EditNameChange);
    connect(m_calc.treatLike, &QComboBox::currentIndexChanged, this, &TChapter_007::EditNameChange);
    connect(m_calc.extraMoney, &QComboBox::currentIndexChanged, this, &TChapter_007::ExtraMoneyChange);
    m_calc.extraMoney->installEventFilter(this);
    m_calc.treatLike->installEventFilter(this);
    connect(m_calc.calculate, &QPushButton::clicked, this, &TChapter_007::BtnCalculateClick);
    connect(m_calc.stop, &QPushButton::clicked, this, &TChapter_007::BtnStopClick);
}

TChapter_007::~TChapter_007()
{
    // The boxes go first: their reading must not run while the window's
    // widgets are being torn down.
    delete m_boxes;
    m_boxes = nullptr;
    // Nothing of this chapter runs while its controls are torn down.
    for (QObject* control : std::initializer_list<QObject*>{m_calc.editName, m_calc.editApr, m_calc.editBal,
                                                             m_calc.editPmt, m_calc.extraMoney, m_calc.treatLike}) {
        control->removeEventFilter(this);
        disconnect(control, nullptr, this, nullptr);
    }
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
        m_calc.editName->setFocus(Qt::OtherFocusReason);
}

void TChapter_007::resetForOpening()
{
    WithoutExtraStale = true;
    WithExtraStale = true;
    DecliningExtraChoice = Extra5;
    ConstantExtraChoice = Extra5;
    // Page 3 is made ready: the declining figures with their $5 column.
    CurrentChoice = DecliningExtraChoice;
    m_loaded = exampleSet(false);
    fillNoExtraColumn();
    fillExtraColumns();
    writeDecliningSummary();
    m_table.notebook2->setCurrentIndex(0);

    // The calculator.
    m_calc.extraMoney->setCurrentIndex(0);
    m_calc.treatLike->setCurrentIndex(0);
    m_calc.abort->hide();
    m_boxes->reset();
    m_calc.stop->hide();
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
    m_loaded = exampleSet(constantMethod);
    fillNoExtraColumn();
    fillExtraColumns();
    if (constantMethod)
        writeConstantSummary();
    else
        writeDecliningSummary();
}

void TChapter_007::fillNoExtraColumn()
{
    for (std::size_t r = 0; r < kRows; ++r)
        m_table.intA[r]->setText(cellText(m_loaded.noExtra[r]));
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
        m_table.intB[r]->setText(cellText(m_loaded.withExtra[column][r]));
        m_table.extra[r]->setText(cellText(dollars));
    }
}

namespace {
QString extraCaption(int choice)
{
    return QLatin1Char('$') + (choice == 0 ? QString() : QString::number(kExtraDollars[choice]));
}
} // namespace

void TChapter_007::writeDecliningSummary()
{
    const double a = cellAmount(m_table.intA[kRows - 1]);
    const double b = cellAmount(m_table.intB[kRows - 1]);
    const double savings = a - b;
    const double percent = a != 0 ? savings * 100 / a : 0;
    m_table.savingsPg2->setText(QStringLiteral(" $") + q(AmountToText(savings)) + QStringLiteral(" "));
    m_table.extraPg2->setText(extraCaption(CurrentChoice));
    m_table.percentPg2->setText(q(AmountToText(percent)) + QLatin1Char('%'));
    layOutNow(m_table.percentPg2);
}

void TChapter_007::writeConstantSummary()
{
    const double a = cellAmount(m_table.intA[kRows - 1]);
    const double b = cellAmount(m_table.intB[kRows - 1]);
    const double additional = a - b;
    const double totalSavings = additional + kConstantMethodSaving;
    const double base = a + kConstantMethodSaving;
    const double percent = (base - b) * 100 / base;
    m_table.savingsPg3->setText(QStringLiteral(" $") + q(AmountToText(additional)) + QStringLiteral(" "));
    m_table.totalSavingsPg3->setText(QStringLiteral(" $") + q(AmountToText(totalSavings)) + QStringLiteral(" "));
    m_table.percentPg3->setText(QStringLiteral(" ") + q(AmountToText(percent)) + QStringLiteral("% "));
    m_table.extraPg3->setText(extraCaption(CurrentChoice));
    layOutNow(m_table.extraPg3);
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
    if (declining)
        writeDecliningSummary();
    else
        writeConstantSummary();
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

bool TChapter_007::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut && (watched == m_calc.extraMoney || watched == m_calc.treatLike)) {
        // Leaving a list for another control of this window (not a popup,
        // not another window) reads it.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
            if (watched == m_calc.extraMoney)
                ExtraMoneyExit();
            else
                TreatLikeExit();
        }
    }
    return LessonFrame::eventFilter(watched, event);
}

void TChapter_007::EditAprExit()
{
    m_boxes->readBox(AmountBox::Apr);
}

void TChapter_007::EditBalExit()
{
    m_boxes->readBox(AmountBox::Balance);
}

void TChapter_007::EditPmtExit()
{
    m_boxes->readBox(AmountBox::Payment);
}

void TChapter_007::ExtraMoneyExit()
{
    ExtraAmount = m_calc.extraMoney->currentText().trimmed().toInt();
}

void TChapter_007::TreatLikeExit()
{
    LoanMode = m_calc.treatLike->currentIndex() > 0;
}

void TChapter_007::EditNameChange()
{
    WithoutExtraStale = true;
    WithExtraStale = true;
    if (m_runner.running())
        m_withoutChangedInRun = m_withChangedInRun = true;
    ClearStaleResults();
}

void TChapter_007::ExtraMoneyChange()
{
    WithExtraStale = true;
    if (m_runner.running())
        m_withChangedInRun = true;
    ClearStaleResults();
}

void TChapter_007::ClearStaleResults()
{
    if (WithoutExtraStale)
        m_calc.without.clear();
    if (WithExtraStale) {
        m_calc.with.clear();
        if (m_calc.moneySaved->changeText(QString()))
            m_surface.drawAndFlush({m_calc.moneySaved});
    }
}

void TChapter_007::showWithExtra(const PayoffState& state)
{
    ChangedFields changed;
    m_calc.with.write(state, changed);
    if (m_calc.with.gauge->value() == 100) {
        // Money saved: the two money-paid texts without their "$", read back.
        const double a = TextToAmount(m_calc.without.money->text().mid(1).toStdString());
        const double b = TextToAmount(m_calc.with.money->text().mid(1).toStdString());
        if (m_calc.moneySaved->changeText(QLatin1Char('$') + q(AmountToText(a - b))))
            changed.append(m_calc.moneySaved);
    }
    m_calc.with.draw(changed);
}

TChapter_007::Comparison TChapter_007::RunComparison()
{
    const bool withoutFirst = WithoutExtraStale;
    ClearStaleResults();
    const double balance = m_boxes->balance();
    if (balance == 0)
        return Comparison::Finished;
    const double apr = m_boxes->apr();
    const double payment = m_boxes->payment();

    auto outcome = [](PayoffRunner::Outcome o) {
        switch (o) {
        case PayoffRunner::Outcome::Finished: return Comparison::Finished;
        case PayoffRunner::Outcome::Stopped: return Comparison::Stopped;
        case PayoffRunner::Outcome::WindowGone: break;
        }
        return Comparison::WindowGone;
    };
    if (withoutFirst) {
        const PayoffDisplay left = m_calc.without;
        const Comparison first =
            outcome(m_runner.run(apr, balance, payment, PayoffOptions::extraMoneyCalculator(0, LoanMode),
                                 [left](const PayoffState& state) { left.show(state); }));
        if (first != Comparison::Finished)
            return first; // stopped: the run with extra money does not start
    }
    // The pending input is processed once more when the runs end (PayoffRunner::endRuns).
    return outcome(m_runner.run(apr, balance, payment, PayoffOptions::extraMoneyCalculator(ExtraAmount, LoanMode),
                                [this](const PayoffState& state) { showWithExtra(state); }));
}

void TChapter_007::BtnCalculateClick()
{
    if (m_runner.running())
        return;
    if (m_calc.abort->isVisible())
        m_calc.abort->hide();
    m_boxes->readAll();
    ExtraMoneyExit();
    TreatLikeExit();
    if (!m_boxes->checkPayment())
        return;

    Comparison result = Comparison::Finished;
    m_withoutChangedInRun = m_withChangedInRun = false;
    if (m_boxes->balance() > 0) {
        setRunActive(true);
        m_runner.beginRuns();
        result = RunComparison();
        if (result == Comparison::WindowGone)
            return; // this chapter is gone; touch nothing
        if (!m_runner.endRuns())
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

void TChapter_007::BtnStopClick()
{
    m_calc.abort->show();
    m_runner.requestStop();
    WithoutExtraStale = true;
    WithExtraStale = true;
}

void TChapter_007::requestStop()
{
    m_runner.requestStop();
    WithoutExtraStale = true;
    WithExtraStale = true;
}

} // namespace quenmark
