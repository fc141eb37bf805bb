#include "planner/MyCards.h"

#include <QAccessible>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTableView>
#include <QUndoStack>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "common/Layout.h"
#include "common/BoxAccessible.h"
#include "common/Platform.h"
#include "core/MoneyText.h"
#include "core/Payoff.h"
#include "core/SampleCards.h"
#include "planner/BalanceChart.h"
#include "planner/CardsModel.h"
#include "planner/CardsView.h"
#include "planner/ChangesEditor.h"
#include "planner/ComparisonModel.h"
#include "planner/DebtFreeByPanel.h"
#include "planner/PlanDocument.h"
#include "planner/PlanSummary.h"
#include "planner/PlanText.h"
#include "planner/ScheduleModel.h"
#include "planner/StartMonthPicker.h"
#include "planner/StatementsModel.h"

namespace quenmark {

namespace {

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

QTableView* MakeResultView(QWidget* parent, const char* name, const QString& spoken, QAbstractItemModel* model)
{
    auto* t = new QTableView(parent);
    t->setObjectName(QLatin1String(name));
    t->setAccessibleName(spoken);
    t->setModel(model);
    t->verticalHeader()->hide();
    t->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 8);
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    t->horizontalHeader()->setStretchLastSection(true);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setTabKeyNavigation(false);
    t->setWordWrap(false);
    return t;
}

// Every column but the last as wide as its heading and its widest text (the
// last takes the rest): figures are never cut short. Only widths that change
// are set, so this costs nothing when the figures keep their width.
template <class Model>
void FitColumns(QTableView* view, const Model* model)
{
    // Headings and figures measured in bold: the current column's heading and
    // the chosen plan's row are bold.
    QFont bold = view->horizontalHeader()->font();
    bold.setBold(true);
    QFont boldCells = view->font();
    boldCells.setBold(true);
    const QFontMetrics headings(bold), cells(boldCells);
    for (int c = 0; c + 1 < model->columnCount(); ++c) {
        const int want = std::max(headings.horizontalAdvance(model->headerData(c, Qt::Horizontal).toString()) + 20,
                                  cells.horizontalAdvance(model->widestText(c)) + 20);
        if (view->columnWidth(c) != want)
            view->setColumnWidth(c, want);
    }
}

} // namespace

MyCardsWindow::MyCardsWindow(QWidget* parent, const QString& storePath)
    : QWidget(parent, Qt::Window), m_store(storePath)
{
    setObjectName(QStringLiteral("MyCards"));
    setWindowTitle(tr("Quenmark - My Cards"));
    m_plan = std::make_shared<PlanResult>();
    m_doc = new PlanDocument(this);
    m_doc->setToday(platform().today());
    build();
    connectAll();
    loadStored();
    resize(1040, 760);
}

MyCardsWindow::~MyCardsWindow()
{
    // The children go before this object's connections do: an open editor or
    // the pledge box losing the focus must not call back into a window that is
    // half gone.
    const QList<QObject*> children = findChildren<QObject*>();
    for (QObject* c : children)
        QObject::disconnect(c, nullptr, this, nullptr);
}

QDate MyCardsWindow::firstMonth() const
{
    return FirstDayOf(m_doc->startMonth());
}

QUndoStack* MyCardsWindow::undoStack() const
{
    return m_doc->undoStack();
}

CardsModel* MyCardsWindow::cardsModel() const
{
    return m_doc->cards();
}

PlanOrder MyCardsWindow::order() const
{
    return m_doc->order();
}

double MyCardsWindow::pledge() const
{
    return m_doc->pledge();
}

void MyCardsWindow::build()
{
    auto* top = new QVBoxLayout(this);
    auto* heading = new QLabel(tr("My Cards"), this);
    heading->setObjectName(QStringLiteral("Heading"));
    heading->setFont(arialPx(22, true));
    QPalette pal = heading->palette();
    pal.setColor(QPalette::WindowText, colour::textBlue);
    heading->setPalette(pal);
    top->addWidget(heading);
    auto* intro = new QLabel(
        tr("Enter your cards as they stand on your statements. Each month every card gets its own payment; the "
           "pledge money, and the payment of every card already paid off, go to the card of highest priority "
           "(payment snowballing, as in chapter 8). Everything below follows as you type; a card changes when "
           "you press Enter or leave its cell, and Undo takes any change back."),
        this);
    intro->setObjectName(QStringLiteral("Intro"));
    intro->setWordWrap(true);
    top->addWidget(intro);
    top->addWidget(buildCards(), 3);

    m_hint = new QLabel(tr("These are the five sample cards of chapter 8 with $25 of pledge money: type your own "
                           "cards over them, or remove them and add yours."),
                        this);
    m_hint->setObjectName(QStringLiteral("SampleHint"));
    m_hint->setWordWrap(true);
    m_hint->hide();
    top->addWidget(m_hint);
    top->addWidget(buildChoices());
    top->addWidget(buildFileButtons());
    m_summary = new PlanSummary(this);
    top->addWidget(m_summary);
    buildTabs();
    top->addWidget(m_tabs, 4);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("StatusLabel"));
    m_status->setWordWrap(true);
    m_status->hide();
    top->addWidget(m_status);

    QWidget* order[] = {m_cardsView, m_add,      m_remove,           m_up,      m_down,   m_undo,  m_redo,
                        m_pledgeEdit, m_orderBox, m_startPicker->monthBox(), m_import, m_export, m_print, m_pdf};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
    QWidget* last = m_pdf;
    for (QLabel* l : m_summary->lines())
        setTabOrder(std::exchange(last, l), l);
    setTabOrder(last, m_tabs);
}

// The cards and the buttons beside them.
QWidget* MyCardsWindow::buildCards()
{
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    m_cardsView = new CardsView(box);
    m_cardsView->setObjectName(QStringLiteral("CardsTable"));
    m_cardsView->setAccessibleName(tr("Your cards"));
    m_cardsView->setCardsModel(m_doc->cards());
    m_cardsView->setMinimumHeight(150);
    row->addWidget(m_cardsView, 1);
    auto* buttons = new QVBoxLayout;
    m_add = MakeButton(box, "BtnAddCard", tr("&Add Card"));
    m_remove = MakeButton(box, "BtnRemoveCard", tr("&Remove Card"));
    m_up = MakeButton(box, "BtnMoveUp", tr("Move &Up"));
    m_down = MakeButton(box, "BtnMoveDown", tr("Move Dow&n"));
    m_undo = MakeButton(box, "BtnUndo", tr("Un&do"));
    m_redo = MakeButton(box, "BtnRedo", tr("R&edo"));
    for (QPushButton* b : {m_add, m_remove, m_up, m_down})
        buttons->addWidget(b);
    buttons->addSpacing(12);
    buttons->addWidget(m_undo);
    buttons->addWidget(m_redo);
    buttons->addStretch(1);
    row->addLayout(buttons);
    return box;
}

// The pledge money and the order.
QWidget* MyCardsWindow::buildChoices()
{
    auto* box = new QWidget(this);
    auto* choices = new QHBoxLayout(box);
    choices->setContentsMargins(0, 0, 0, 0);
    // The dollar sign stands apart, so that the label's words end with the words.
    auto* pledgeLabel = new QLabel(tr("&Pledge money per month:"), box);
    pledgeLabel->setObjectName(QStringLiteral("PledgeLabel"));
    auto* dollar = new QLabel(QStringLiteral("$"), box);
    dollar->setObjectName(QStringLiteral("PledgeDollar"));
    m_pledgeEdit = new QLineEdit(box);
    tellWholeLine(m_pledgeEdit);
    m_pledgeEdit->setObjectName(QStringLiteral("EditPledge"));
    m_pledgeEdit->setAccessibleName(tr("Pledge money per month"));
    m_pledgeEdit->setMaximumWidth(120);
    pledgeLabel->setBuddy(m_pledgeEdit);
    m_pledgeMessage = new QLabel(box);
    m_pledgeMessage->setObjectName(QStringLiteral("PledgeMessage"));
    m_pledgeMessage->setWordWrap(true);
    QPalette pal = m_pledgeMessage->palette();
    pal.setColor(QPalette::WindowText, colour::maroon);
    m_pledgeMessage->setPalette(pal);
    m_pledgeMessage->hide();
    auto* orderLabel = new QLabel(tr("&Order:"), box);
    m_orderBox = new QComboBox(box);
    m_orderBox->setObjectName(QStringLiteral("OrderBox"));
    m_orderBox->setAccessibleName(tr("Payoff order"));
    m_orderBox->addItem(tr("Highest APR first (as in chapter 8)"), static_cast<int>(PlanOrder::HighestApr));
    m_orderBox->addItem(tr("Lowest balance first"), static_cast<int>(PlanOrder::LowestBalance));
    m_orderBox->addItem(tr("Your own order (top to bottom)"), static_cast<int>(PlanOrder::Given));
    orderLabel->setBuddy(m_orderBox);
    choices->addWidget(pledgeLabel);
    choices->addWidget(dollar);
    choices->addWidget(m_pledgeEdit);
    choices->addWidget(m_pledgeMessage, 1);
    choices->addSpacing(24);
    choices->addWidget(orderLabel);
    choices->addWidget(m_orderBox);
    choices->addSpacing(24);
    m_startPicker = new StartMonthPicker(box);
    choices->addWidget(m_startPicker);
    return box;
}

// The chart, the schedule, the orders side by side and the statement figures, in tabs.
void MyCardsWindow::buildTabs()
{
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("ResultTabs"));
    m_tabs->setAccessibleName(tr("Chart, schedule, orders and statement figures"));
    m_chart = new BalanceChart(m_tabs);
    m_tabs->addTab(m_chart, tr("Balance &chart"));

    auto* schedulePage = new QWidget(m_tabs);
    auto* scheduleLayout = new QVBoxLayout(schedulePage);
    m_schedule = new ScheduleModel(this);
    m_scheduleView = MakeResultView(schedulePage, "ScheduleView", tr("Month-by-month schedule"), m_schedule);
    scheduleLayout->addWidget(m_scheduleView);
    auto* saveRow = new QHBoxLayout;
    m_saveCsv = MakeButton(schedulePage, "BtnSaveCsv", tr("Save as C&SV..."));
    saveRow->addStretch(1);
    saveRow->addWidget(m_saveCsv);
    scheduleLayout->addLayout(saveRow);
    m_tabs->addTab(schedulePage, tr("&Month by month"));

    m_compare = new ComparisonModel(this);
    m_compareView = MakeResultView(m_tabs, "ComparisonTable", tr("Comparison of the payoff orders"), m_compare);
    m_tabs->addTab(m_compareView, tr("Orders side &by side"));

    auto* statementsPage = m_statementsPage = new QWidget(m_tabs);
    auto* statementsLayout = new QVBoxLayout(statementsPage);
    auto* explained = new QLabel(
        tr("What each card's statement would tell you. \"Minimum only\" pays just the statement's minimum, which "
           "shrinks with the balance: each month the same share of the balance as the card's payment is of its "
           "balance today, in whole dollars and never below $15; a card with a payment rule pays just what its "
           "rule asks (its promotion counted). The 36-month payment is the level payment that "
           "clears the card in 36 months, interest charged to the cent each month. \"Saved\" is the money paid "
           "with the minimum only less the money paid in 36 months."),
        statementsPage);
    explained->setObjectName(QStringLiteral("StatementsHeading"));
    explained->setWordWrap(true);
    explained->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    explained->setFocusPolicy(Qt::TabFocus);
    m_statements = new StatementsModel(this);
    m_statementsView = MakeResultView(statementsPage, "CardStatements", tr("What each card's statement would tell you"),
                                      m_statements);
    statementsLayout->addWidget(explained);
    statementsLayout->addWidget(m_statementsView, 1);
    m_tabs->addTab(statementsPage, tr("Card &statements"));

    m_changes = new ChangesEditor(m_tabs);
    m_changes->setObjectName(QStringLiteral("ChangesEditor"));
    m_changes->setAccessibleName(tr("Changes over time"));
    m_tabs->addTab(m_changes, tr("Chan&ges over time"));

    m_debtFreeBy = new DebtFreeByPanel(m_tabs);
    m_debtFreeBy->setAccessibleName(tr("Debt-free by"));
    m_tabs->addTab(m_debtFreeBy, tr("Debt-&free by"));
}

// Import, export, print and PDF.
QWidget* MyCardsWindow::buildFileButtons()
{
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    m_import = MakeButton(box, "BtnImportCards", tr("&Import Cards..."));
    m_import->setAccessibleName(tr("Import cards from a plan file"));
    m_export = MakeButton(box, "BtnExportCards", tr("E&xport Cards..."));
    m_export->setAccessibleName(tr("Export the cards as a plan file"));
    m_print = MakeButton(box, "BtnPrintPlan", tr("Prin&t..."));
    m_print->setAccessibleName(tr("Print the plan"));
    m_pdf = MakeButton(box, "BtnSavePdf", tr("Sa&ve as PDF..."));
    m_pdf->setAccessibleName(tr("Save the plan as PDF"));
    for (QPushButton* b : {m_import, m_export, m_print, m_pdf}) {
        b->setToolTip(b->accessibleName());
        row->addWidget(b);
    }
    row->addStretch(1);
    return box;
}

void MyCardsWindow::connectAll()
{
    CardsModel* cards = m_doc->cards();
    connect(m_doc, &PlanDocument::changed, this, &MyCardsWindow::documentChanged);
    connect(m_doc, &PlanDocument::settingsChanged, this, &MyCardsWindow::settingsChanged);
    connect(m_doc, &PlanDocument::cardTouched, this, [this](int row) {
        const int column = std::max(0, m_cardsView->currentIndex().column());
        m_cardsView->setCurrentIndex(cardsModel()->index(row, column));
    });
    connect(m_cardsView, &CardsView::previewed, this, &MyCardsWindow::cellPreviewed);
    // Escape, or an edit that changed nothing: the plan of the cards as they are.
    connect(m_cardsView, &CardsView::editingEnded, this, [this] { showPlan(currentInputs()); });
    connect(m_cardsView->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { updateButtons(); });
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(cards, signal, this, [this] { updateButtons(); });
    connect(m_pledgeEdit, &QLineEdit::textEdited, this, &MyCardsWindow::pledgeEdited);
    connect(m_pledgeEdit, &QLineEdit::editingFinished, this, &MyCardsWindow::pledgeFinished);
    connect(m_orderBox, &QComboBox::currentIndexChanged, this, [this] {
        m_doc->setOrder(static_cast<PlanOrder>(m_orderBox->currentData().toInt()));
    });
    connect(m_tabs, &QTabWidget::currentChanged, this, [this] { showPlan(m_shown); });
    connect(m_add, &QPushButton::clicked, this, &MyCardsWindow::BtnAddCardClick);
    connect(m_remove, &QPushButton::clicked, this, &MyCardsWindow::BtnRemoveCardClick);
    connect(m_up, &QPushButton::clicked, this, [this] { moveCurrentCard(-1); });
    connect(m_down, &QPushButton::clicked, this, [this] { moveCurrentCard(+1); });
    connect(m_saveCsv, &QPushButton::clicked, this, &MyCardsWindow::BtnSaveCsvClick);
    connect(m_import, &QPushButton::clicked, this, &MyCardsWindow::BtnImportClick);
    connect(m_export, &QPushButton::clicked, this, &MyCardsWindow::BtnExportClick);
    connect(m_print, &QPushButton::clicked, this, &MyCardsWindow::BtnPrintClick);
    connect(m_pdf, &QPushButton::clicked, this, &MyCardsWindow::BtnSavePdfClick);
    // The start month, the changes over time and the pledge needed: each a step of the undo stack.
    connect(m_startPicker, &StartMonthPicker::startMonthChanged, this,
            [this](std::optional<CalendarMonth> chosen, CalendarMonth) { m_doc->setStart(chosen); });
    connect(m_changes, &ChangesEditor::changesChanged, this,
            [this](const PlanChanges& changes) { m_doc->setChanges(changes); });
    connect(m_debtFreeBy, &DebtFreeByPanel::applyPledge, this,
            [this](std::int64_t pledge) { m_doc->setPledge(FromCents(pledge)); });

    // Undo and Redo: the buttons, Ctrl+Z and Ctrl+Shift+Z (an open editor keeps
    // them for its own text).
    QUndoStack* undo = m_doc->undoStack();
    connect(m_undo, &QPushButton::clicked, undo, &QUndoStack::undo);
    connect(m_redo, &QPushButton::clicked, undo, &QUndoStack::redo);
    // One shortcut per action with every key of it: two shortcuts on one key
    // (Ctrl+Shift+Z is the desktop's own Redo on some) would cancel each other.
    connect(new QShortcut(QKeySequence::Undo, this), &QShortcut::activated, undo, &QUndoStack::undo);
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    if (const QKeySequence ctrlShiftZ(tr("Ctrl+Shift+Z")); !redoKeys.contains(ctrlShiftZ))
        redoKeys.append(ctrlShiftZ);
    auto* redo = new QShortcut(this);
    redo->setKeys(redoKeys);
    connect(redo, &QShortcut::activated, undo, &QUndoStack::redo);
    auto name = [](QPushButton* b, const QString& word, const QString& what) {
        b->setAccessibleName(what.isEmpty() ? word : tr("%1 %2").arg(word, what));
        b->setToolTip(b->accessibleName());
    };
    connect(undo, &QUndoStack::undoTextChanged, this, [this, name](const QString& what) { name(m_undo, tr("Undo"), what); });
    connect(undo, &QUndoStack::redoTextChanged, this, [this, name](const QString& what) { name(m_redo, tr("Redo"), what); });
    name(m_undo, tr("Undo"), {});
    name(m_redo, tr("Redo"), {});
    connect(undo, &QUndoStack::canUndoChanged, m_undo, &QWidget::setEnabled);
    connect(undo, &QUndoStack::canRedoChanged, m_redo, &QWidget::setEnabled);
    connect(new QShortcut(QKeySequence::Close, this), &QShortcut::activated, this, &QWidget::close);
}

// After every step, undo and redo: the table fitted, the plan shown, the cards saved.
void MyCardsWindow::documentChanged()
{
    if (m_statusKind == Status::Told)
        setStatus({}); // it spoke of the plan before this change
    m_names = cardsModel()->shownNames();
    m_cardsView->fitFigures();
    showPlan(currentInputs());
    if (m_doc->undoStack()->count() > 0)
        m_hint->hide();
    if (!m_pledgeEdit->hasFocus())
        m_pledgeMessage->hide();
    updateButtons();
    m_undo->setEnabled(m_doc->undoStack()->canUndo());
    m_redo->setEnabled(m_doc->undoStack()->canRedo());
    if (!m_loading) // what was just read is not written back
        saveNow();
}

void MyCardsWindow::showPlan(const PlanInputs& in)
{
    QWidget* tab = m_tabs->currentWidget();
    const bool schedule = tab == m_chart || tab == m_scheduleView->parentWidget();
    m_plan = m_work.plan(in, schedule);
    m_shown = in;
    showCardResults();
    m_summary->setPlan(*m_plan, m_work.alone(in), m_names, FirstDayOf(in.start), in.budget.pledge > 0);
    refreshTab();
}

// Beside each card: its priority, its payoff month, and a warning when its own
// payment can never pay it off.
void MyCardsWindow::showCardResults()
{
    const std::vector<PlanCard>& cards = m_shown.cards;
    const PlanResult& plan = *m_plan;
    QList<CardsModel::Result> results(static_cast<qsizetype>(cards.size()));
    for (std::size_t i = 0; i < cards.size(); ++i) {
        const PlanCard& c = cards[i];
        CardsModel::Result& r = results[static_cast<qsizetype>(i)];
        r.priority = plan.cards[i].priority + 1;
        const int month = plan.cards[i].payoffMonth;
        if (!(c.balance > 0))
            r.paidOff = tr("Nothing owed");
        else if (month > 0)
            r.paidOff = PlanText::monthAndDate(FirstDayOf(m_shown.start), month);
        else
            r.paidOff = plan.neverEnds ? tr("Never") : tr("Not within %1").arg(PlanText::planYears());
        if (c.balance > 0 && PaymentNeverPaysOff(c)) {
            r.warning = true;
            const std::int64_t interest = MonthlyInterest(c);
            if (!(c.payment > 0))
                r.note = tr("With no payment this card is never paid off on its own");
            else if (c.payment < interest)
                r.note = tr("%1 is below this card's monthly interest of %2").arg(PlanText::money(c.payment), PlanText::money(interest));
            else
                r.note = tr("%1 only covers this card's monthly interest of %2").arg(PlanText::money(c.payment), PlanText::money(interest));
        }
    }
    cardsModel()->setResults(results);
    m_cardsView->fitNotes();
}

void MyCardsWindow::refreshTab()
{
    QWidget* tab = m_tabs->currentWidget();
    if (tab == m_chart || tab == m_scheduleView->parentWidget()) {
        const QDate first = FirstDayOf(m_shown.start);
        if (m_chart->plan() != m_plan.get() || tab == m_chart)
            m_chart->setPlan(m_plan, m_names, first);
        m_chart->setChanges(m_shown.budget);
        m_schedule->setPlan(m_plan, m_names, first);
        m_saveCsv->setEnabled(!m_plan->schedule.empty());
        if (tab != m_chart)
            FitColumns(m_scheduleView, m_schedule);
    } else if (tab == m_compareView) {
        const bool anyOwed = std::any_of(m_shown.cards.begin(), m_shown.cards.end(),
                                         [](const PlanCard& c) { return c.balance > 0; });
        m_compare->setComparison(m_work.comparison(m_shown), m_shown.order, anyOwed, FirstDayOf(m_shown.start));
        FitColumns(m_compareView, m_compare);
    } else if (tab == m_statementsPage) {
        m_statements->setCards(m_shown.cards, m_names);
        FitColumns(m_statementsView, m_statements);
    }
    // Worked out only while its tab is shown.
    m_debtFreeBy->setInputs(m_shown.cards, m_shown.budget, m_shown.order, m_shown.start);
}

PlanInputs MyCardsWindow::currentInputs() const
{
    PlanInputs in = m_doc->inputs();
    const PlanReading pledge = ReadPlanValue(m_pledgeEdit->text().toStdString(), PlanValue::Money);
    if (pledge.ok() || pledge.error == PlanInputError::Empty)
        in.budget.pledge = pledge.value;
    QModelIndex index;
    QString text;
    if (m_cardsView->editedText(&index, &text) && index.row() < static_cast<int>(in.cards.size())) {
        StoredCard card = cardsModel()->card(index.row());
        if (CardsModel::readCell(card, index.column(), text).isEmpty())
            in.cards[static_cast<std::size_t>(index.row())] = ToPlanCard(card);
    }
    return in;
}

void MyCardsWindow::cellPreviewed(const QModelIndex&, const QString&)
{
    showPlan(currentInputs());
}

void MyCardsWindow::pledgeEdited(const QString& text)
{
    const PlanReading reading = ReadPlanValue(text.toStdString(), PlanValue::Money);
    const bool empty = reading.error == PlanInputError::Empty;
    const QString why = reading.ok() || empty ? QString() : PlanText::refusal(text, reading.error, PlanValue::Money);
    if (why != m_pledgeMessage->text()) {
        m_pledgeMessage->setText(why);
        m_pledgeMessage->setVisible(!why.isEmpty());
        m_pledgeEdit->setAccessibleDescription(why);
        if (!why.isEmpty()) {
            QAccessibleEvent alert(m_pledgeMessage, QAccessible::Alert);
            QAccessible::updateAccessibility(&alert);
        }
    }
    showPlan(currentInputs());
}

void MyCardsWindow::pledgeFinished()
{
    const QString typed = m_pledgeEdit->text();
    const PlanReading reading = ReadPlanValue(typed.toStdString(), PlanValue::Money);
    if (reading.ok() || reading.error == PlanInputError::Empty) {
        m_pledgeMessage->hide();
        m_doc->setPledge(FromCents(reading.value));
    } else {
        // Refused: the pledge stays as it was, and the message says so.
        m_pledgeMessage->setText(PlanText::refusal(typed, reading.error, PlanValue::Money) + QLatin1Char(' ') +
                                 tr("Nothing changed: the pledge money is still %1.").arg(PlanText::money(pledge())));
        m_pledgeMessage->show();
    }
    showPledge(); // the box shows the pledge as it now is
    showPlan(currentInputs());
}

// The pledge box and the order box show the document's settings (the pledge
// box keeps what is being typed into it while the pledge itself stays).
void MyCardsWindow::settingsChanged()
{
    if (pledge() != m_pledgeShown)
        showPledge();
    const int at = m_orderBox->findData(static_cast<int>(order()));
    if (m_orderBox->currentIndex() != at)
        m_orderBox->setCurrentIndex(at);
    const StoredPlan& settings = m_doc->settings();
    if (m_startPicker->chosen() != settings.start)
        m_startPicker->setChosen(settings.start);
    m_changes->setStartMonth(m_doc->startMonth());
    if (m_changes->value() != ChangesOf(settings))
        m_changes->setValue(ChangesOf(settings));
}

void MyCardsWindow::showPledge()
{
    m_pledgeShown = pledge();
    const QString text = QString::fromStdString(PlainTwoDecimals(m_pledgeShown));
    if (m_pledgeEdit->text() != text)
        m_pledgeEdit->setText(text);
}

void MyCardsWindow::updateButtons()
{
    const int row = m_cardsView->currentIndex().isValid() ? m_cardsView->currentIndex().row() : -1;
    const int n = cardsModel()->rowCount();
    m_add->setEnabled(static_cast<std::size_t>(n) < kMostPlanCards);
    m_remove->setEnabled(row >= 0 && row < n);
    m_up->setEnabled(row > 0 && row < n);
    m_down->setEnabled(row >= 0 && row + 1 < n);
}

void MyCardsWindow::setStatus(const QString& text, Status kind)
{
    m_statusKind = kind;
    if (m_status->text() == text)
        return;
    m_status->setText(text);
    m_status->setVisible(!text.isEmpty());
    if (!text.isEmpty()) {
        // Heard when it changes, wherever the focus is.
        QAccessibleEvent alert(m_status, QAccessible::Alert);
        QAccessible::updateAccessibility(&alert);
    }
}

void MyCardsWindow::BtnAddCardClick()
{
    const int row = m_doc->addCard();
    if (row < 0)
        return;
    const QModelIndex name = cardsModel()->index(row, CardsModel::Name);
    m_cardsView->setCurrentIndex(name);
    m_cardsView->setFocus();
    m_cardsView->edit(name);
}

void MyCardsWindow::BtnRemoveCardClick()
{
    const QModelIndex current = m_cardsView->currentIndex();
    if (current.isValid())
        m_doc->removeCard(current.row()); // undoable: no question asked
}

void MyCardsWindow::moveCurrentCard(int delta)
{
    const QModelIndex current = m_cardsView->currentIndex();
    if (current.isValid())
        m_doc->moveCard(current.row(), delta);
}

} // namespace quenmark
