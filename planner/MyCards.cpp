#include "planner/MyCards.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "common/Layout.h"
#include "common/Platform.h"
#include "core/MoneyText.h"
#include "core/Payoff.h"
#include "core/SampleCards.h"
#include "planner/BalanceChart.h"
#include "planner/CardsLock.h"
#include "planner/CardsModel.h"
#include "planner/SafeFile.h"
#include "planner/ScheduleModel.h"

namespace quenmark {

namespace {

QString Money(double v)
{
    return QLatin1Char('$') + QString::fromStdString(AmountToText(v));
}

QString Money(std::int64_t cents)
{
    return QLatin1Char('$') + QString::fromStdString(CentsToText(cents));
}

// "1 month", "57 months".
QString Months(int months)
{
    return months == 1 ? MyCardsWindow::tr("1 month") : MyCardsWindow::tr("%1 months").arg(months);
}

// "4 years 9 months", "1 year", "9 months".
QString Duration(int months)
{
    const int years = months / 12, rest = months % 12;
    const QString y = years == 1 ? MyCardsWindow::tr("1 year") : MyCardsWindow::tr("%1 years").arg(years);
    if (years == 0)
        return Months(rest);
    return rest == 0 ? y : y + QLatin1Char(' ') + Months(rest);
}

// Chapter 8's five sample cards, in card order: what a first run starts with.
const StoredPlan& SamplePlan()
{
    static const StoredPlan sample = [] {
        StoredPlan p;
        for (const SampleCard& c : kSampleCards)
            p.cards.append({QStringLiteral("Card %1").arg(c.number), c.apr, c.balance, c.payment});
        p.pledge = 25;
        p.order = PlanOrder::HighestApr;
        return p;
    }();
    return sample;
}

QTableWidgetItem* Item(const QString& text, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(align);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

void SetCell(QTableWidget* table, int row, int column, const QString& text, bool right, bool bold = false)
{
    QTableWidgetItem* item = table->item(row, column);
    if (!item) {
        item = Item(text, right ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter);
        table->setItem(row, column, item);
    } else if (item->text() != text) {
        item->setText(text);
    }
    if (item->font().bold() != bold) {
        QFont f = item->font();
        f.setBold(bold);
        item->setFont(f);
    }
}

QTableWidget* MakeResultTable(QWidget* parent, const char* name, const QString& spoken, const QStringList& headers)
{
    auto* t = new QTableWidget(0, static_cast<int>(headers.size()), parent);
    t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 8);
    t->setObjectName(QLatin1String(name));
    t->setAccessibleName(spoken);
    t->setHorizontalHeaderLabels(headers);
    t->verticalHeader()->hide();
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setTabKeyNavigation(false);
    t->setWordWrap(false);
    // Fitted to the figures once they are all written (FitColumns), not after
    // each cell: fitting looks at every row.
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    t->horizontalHeader()->setStretchLastSection(true);
    return t;
}

// Every column but the last as wide as its contents; the last takes the rest.
void FitColumns(QTableWidget* table)
{
    for (int column = 0; column + 1 < table->columnCount(); ++column)
        table->resizeColumnToContents(column);
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

MyCardsWindow::MyCardsWindow(QWidget* parent, const QString& storePath)
    : QWidget(parent, Qt::Window), m_store(storePath)
{
    setObjectName(QStringLiteral("MyCards"));
    setWindowTitle(tr("Quenmark - My Cards"));
    const QDate today = platform().today();
    m_firstMonth = QDate(today.year(), today.month(), 1).addMonths(1);
    m_plan = std::make_shared<PlanResult>();
    build();
    loadStored();
    recompute();
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
           "(payment snowballing, as in chapter 8). Everything below follows as you type."),
        this);
    intro->setObjectName(QStringLiteral("Intro"));
    intro->setWordWrap(true);
    top->addWidget(intro);

    // The cards and the buttons beside them.
    auto* cardsRow = new QHBoxLayout;
    m_cards = new CardsModel(this);
    m_delegate = new CardsDelegate(this);
    m_cardsView = new QTableView(this);
    m_cardsView->setObjectName(QStringLiteral("CardsTable"));
    m_cardsView->setAccessibleName(tr("Your cards"));
    m_cardsView->setModel(m_cards);
    m_cardsView->setItemDelegate(m_delegate);
    m_cardsView->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                 QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    m_cardsView->setSelectionMode(QAbstractItemView::SingleSelection);
    // Arrow keys move between cells and typing edits one; Tab leaves the table
    // (while a cell is being edited Tab goes on to the next cell).
    m_cardsView->setTabKeyNavigation(false);
    // A note wraps, and its row takes the lines it needs (fitNoteRows).
    m_cardsView->setWordWrap(true);
    m_cardsView->horizontalHeader()->setStretchLastSection(true);
    {
        // Wide enough for each heading in bold (the current cell's column is
        // headed in bold) and for the figures beneath it.
        QFont bold = m_cardsView->horizontalHeader()->font();
        bold.setBold(true);
        const QFontMetrics headings(bold);
        const std::pair<CardsModel::Column, int> widths[] = {
            {CardsModel::Name, 140}, {CardsModel::Apr, 70},       {CardsModel::Balance, 100},
            {CardsModel::Payment, 110}, {CardsModel::Priority, 60}, {CardsModel::PaidOff, 140}};
        for (const auto& [column, least] : widths) {
            const QString heading = m_cards->headerData(column, Qt::Horizontal).toString();
            m_cardsView->setColumnWidth(column, std::max(least, headings.horizontalAdvance(heading) + 20));
        }
        // The latest payoff month a plan shows.
        const int paidOff = m_cardsView->fontMetrics().horizontalAdvance(tr("Month %1 (%2)").arg(1200).arg(tr("May 2109")));
        m_cardsView->setColumnWidth(CardsModel::PaidOff, std::max(m_cardsView->columnWidth(CardsModel::PaidOff), paidOff + 16));
    }
    m_cardsView->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 10);
    m_cardsView->setMinimumHeight(150);
    cardsRow->addWidget(m_cardsView, 1);
    auto* buttons = new QVBoxLayout;
    m_add = MakeButton(this, "BtnAddCard", tr("&Add Card"));
    m_remove = MakeButton(this, "BtnRemoveCard", tr("&Remove Card"));
    m_up = MakeButton(this, "BtnMoveUp", tr("Move &Up"));
    m_down = MakeButton(this, "BtnMoveDown", tr("Move Dow&n"));
    for (QPushButton* b : {m_add, m_remove, m_up, m_down})
        buttons->addWidget(b);
    buttons->addStretch(1);
    cardsRow->addLayout(buttons);
    top->addLayout(cardsRow, 3);

    m_hint = new QLabel(tr("These are the five sample cards of chapter 8 with $25 of pledge money: type your own "
                           "cards over them, or remove them and add yours."),
                        this);
    m_hint->setObjectName(QStringLiteral("SampleHint"));
    m_hint->setWordWrap(true);
    m_hint->hide();
    top->addWidget(m_hint);

    // Pledge money and order.
    auto* choices = new QHBoxLayout;
    auto* pledgeLabel = new QLabel(tr("&Pledge money per month: $"), this);
    m_pledgeEdit = new QLineEdit(this);
    m_pledgeEdit->setObjectName(QStringLiteral("EditPledge"));
    m_pledgeEdit->setAccessibleName(tr("Pledge money per month"));
    m_pledgeEdit->setMaximumWidth(120);
    pledgeLabel->setBuddy(m_pledgeEdit);
    auto* orderLabel = new QLabel(tr("&Order:"), this);
    m_orderBox = new QComboBox(this);
    m_orderBox->setObjectName(QStringLiteral("OrderBox"));
    m_orderBox->setAccessibleName(tr("Payoff order"));
    m_orderBox->addItem(tr("Highest APR first (as in chapter 8)"), static_cast<int>(PlanOrder::HighestApr));
    m_orderBox->addItem(tr("Lowest balance first"), static_cast<int>(PlanOrder::LowestBalance));
    m_orderBox->addItem(tr("Your own order (top to bottom)"), static_cast<int>(PlanOrder::Given));
    orderLabel->setBuddy(m_orderBox);
    choices->addWidget(pledgeLabel);
    choices->addWidget(m_pledgeEdit);
    choices->addSpacing(24);
    choices->addWidget(orderLabel);
    choices->addWidget(m_orderBox);
    choices->addStretch(1);
    top->addLayout(choices);

    // The plan in a few words.
    m_debtFree = new QLabel(this);
    m_debtFree->setObjectName(QStringLiteral("DebtFree"));
    QFont big = font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.25);
    m_debtFree->setFont(big);
    m_debtFree->setWordWrap(true);
    m_interest = new QLabel(this);
    m_interest->setObjectName(QStringLiteral("TotalInterest"));
    QFont bold = font();
    bold.setBold(true);
    m_interest->setFont(bold);
    m_saved = new QLabel(this);
    m_saved->setObjectName(QStringLiteral("InterestSaved"));
    m_saved->setWordWrap(true);
    for (QLabel* l : {m_debtFree, m_interest, m_saved}) {
        l->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        l->setFocusPolicy(Qt::TabFocus); // a keyboard user can reach and hear the results
        top->addWidget(l);
    }

    m_compare = MakeResultTable(this, "ComparisonTable", tr("Comparison of the payoff orders"),
                                {tr("Plan"), tr("Debt-free after"), tr("Debt-free in"), tr("Total interest"),
                                 tr("Interest saved")});
    m_compare->setRowCount(4);
    m_compare->setFixedHeight(m_compare->horizontalHeader()->sizeHint().height() +
                              4 * m_compare->verticalHeader()->defaultSectionSize() + 4);
    top->addWidget(m_compare);

    // Chart, schedule and statement figures in tabs.
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("ResultTabs"));
    m_tabs->setAccessibleName(tr("Chart, schedule and statement figures"));
    m_chart = new BalanceChart(this);
    m_tabs->addTab(m_chart, tr("Balance &chart"));

    auto* schedulePage = new QWidget(this);
    auto* scheduleLayout = new QVBoxLayout(schedulePage);
    m_schedule = new ScheduleModel(this);
    m_scheduleView = new QTableView(schedulePage);
    m_scheduleView->setObjectName(QStringLiteral("ScheduleView"));
    m_scheduleView->setAccessibleName(tr("Month-by-month schedule"));
    m_scheduleView->setModel(m_schedule);
    m_scheduleView->verticalHeader()->hide();
    m_scheduleView->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_scheduleView->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    m_scheduleView->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_scheduleView->horizontalHeader()->setStretchLastSection(true);
    m_scheduleView->setColumnWidth(ScheduleModel::Card, 180);
    m_scheduleView->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_scheduleView->setTabKeyNavigation(false);
    m_scheduleView->setWordWrap(false);
    scheduleLayout->addWidget(m_scheduleView);
    auto* saveRow = new QHBoxLayout;
    m_saveCsv = MakeButton(schedulePage, "BtnSaveCsv", tr("Save as C&SV..."));
    saveRow->addStretch(1);
    saveRow->addWidget(m_saveCsv);
    scheduleLayout->addLayout(saveRow);
    m_tabs->addTab(schedulePage, tr("&Month by month"));

    m_statements = MakeResultTable(this, "CardStatements", tr("What each card's statement would tell you"),
                                   {tr("Card"), tr("Paying only the minimum"), tr("Interest"), tr("Money paid"),
                                    tr("Payment to clear it in 36 months"), tr("Money paid in 36 months"),
                                    tr("Saved")});
    m_tabs->addTab(m_statements, tr("Card &statements"));
    top->addWidget(m_tabs, 4);
    connect(m_tabs, &QTabWidget::currentChanged, this, [this] {
        if (m_tabs->currentWidget() == m_statements)
            FitColumns(m_statements);
    });

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("StatusLabel"));
    m_status->setWordWrap(true);
    m_status->hide();
    top->addWidget(m_status);

    connect(m_cards, &CardsModel::cardsChanged, this, [this] {
        if (!m_loading)
            recompute();
    });
    connect(m_delegate, &CardsDelegate::cellEdited, this, &MyCardsWindow::cellEdited);
    connect(m_cardsView->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { updateButtons(); });
    connect(m_cards, &QAbstractItemModel::rowsInserted, this, [this] { updateButtons(); });
    connect(m_cards, &QAbstractItemModel::rowsRemoved, this, [this] { updateButtons(); });
    connect(m_cards, &QAbstractItemModel::modelReset, this, [this] { updateButtons(); });
    // Rows that moved, came or went, and a Note column of another width: every note is fitted again.
    auto refit = [this] { m_notesFitted.clear(); };
    connect(m_cards, &QAbstractItemModel::rowsInserted, this, refit);
    connect(m_cards, &QAbstractItemModel::rowsRemoved, this, refit);
    connect(m_cards, &QAbstractItemModel::rowsMoved, this, refit);
    connect(m_cards, &QAbstractItemModel::modelReset, this, refit);
    // A column or the table resized changes the room of the Note column, which
    // takes what the others leave: the notes are fitted again once the columns
    // have settled.
    connect(m_cardsView->horizontalHeader(), &QHeaderView::sectionResized, this, &MyCardsWindow::refitNotesLater);
    m_cardsView->viewport()->installEventFilter(this);
    connect(m_pledgeEdit, &QLineEdit::textEdited, this, &MyCardsWindow::pledgeEdited);
    connect(m_pledgeEdit, &QLineEdit::editingFinished, this, &MyCardsWindow::pledgeFinished);
    connect(m_orderBox, &QComboBox::currentIndexChanged, this, [this] {
        if (m_loading)
            return;
        recompute();
        saveNow();
    });
    connect(m_add, &QPushButton::clicked, this, &MyCardsWindow::BtnAddCardClick);
    connect(m_remove, &QPushButton::clicked, this, &MyCardsWindow::BtnRemoveCardClick);
    connect(m_up, &QPushButton::clicked, this, [this] { moveCurrentCard(-1); });
    connect(m_down, &QPushButton::clicked, this, [this] { moveCurrentCard(+1); });
    connect(m_saveCsv, &QPushButton::clicked, this, &MyCardsWindow::BtnSaveCsvClick);
    auto* closeKey = new QShortcut(QKeySequence::Close, this);
    connect(closeKey, &QShortcut::activated, this, &QWidget::close);

    setTabOrder(m_cardsView, m_add);
    setTabOrder(m_add, m_remove);
    setTabOrder(m_remove, m_up);
    setTabOrder(m_up, m_down);
    setTabOrder(m_down, m_pledgeEdit);
    setTabOrder(m_pledgeEdit, m_orderBox);
    setTabOrder(m_orderBox, m_debtFree);
    setTabOrder(m_debtFree, m_interest);
    setTabOrder(m_interest, m_saved);
    setTabOrder(m_saved, m_compare);
    setTabOrder(m_compare, m_tabs);
}

void MyCardsWindow::loadStored()
{
    m_loading = true;
    const CardStore::Loaded loaded = m_store.load();
    const StoredPlan& plan = loaded.status == CardStore::Status::NoFile ? SamplePlan() : loaded.plan;
    m_cards->setStored(plan.cards);
    m_pledge = plan.pledge;
    m_pledgeEdit->setText(QString::fromStdString(PlainTwoDecimals(plan.pledge)));
    m_orderBox->setCurrentIndex(m_orderBox->findData(static_cast<int>(plan.order)));
    m_hint->setVisible(loaded.status == CardStore::Status::NoFile);
    if (!loaded.message.isEmpty()) {
        setStatus(loaded.message);
        m_pendingMessage = loaded.message;
    }
    m_loading = false;
    if (m_cards->rowCount() > 0)
        m_cardsView->setCurrentIndex(m_cards->index(0, CardsModel::Name));
    updateButtons();
}

void MyCardsWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_pendingMessage.isEmpty()) {
        const QString message = std::exchange(m_pendingMessage, QString());
        QTimer::singleShot(0, this, [this, message] {
            platform().beep();
            platform().showMessage(this, Platform::MessageIcon::Information, message);
        });
    }
}

PlanOrder MyCardsWindow::order() const
{
    return static_cast<PlanOrder>(m_orderBox->currentData().toInt());
}

const CardDisclosure& MyCardsWindow::disclosure(const PlanCard& card)
{
    // A card's figures depend on its own three amounts only: typing into one
    // card works out that card's figures alone.
    const auto key = std::make_tuple(card.apr, card.balance, card.payment);
    auto it = m_disclosures.find(key);
    if (it == m_disclosures.end()) {
        if (m_disclosures.size() > 2000)
            m_disclosures.clear();
        it = m_disclosures.insert(key, DiscloseCard(card));
    }
    return it.value();
}

void MyCardsWindow::recompute()
{
    const std::vector<PlanCard> cards = m_cards->cards();
    const PlanOrder chosen = order();
    const PlanBudget budget = PlanBudget::Pledge(ToCents(m_pledge));
    m_priority = PriorityOrder(cards, chosen);
    PlanOptions withSchedule;
    withSchedule.keepSchedule = true;
    m_plan = std::make_shared<const PlanResult>(RunPlanInPriority(cards, m_priority, budget, withSchedule));
    // The chosen order's plan is not run twice.
    m_comparison = ComparePlans(cards, budget, chosen, *m_plan);
    showResults();
}

void MyCardsWindow::showResults()
{
    const std::vector<PlanCard> cards = m_cards->cards();
    const PlanResult& plan = *m_plan;
    const int n = static_cast<int>(cards.size());
    QStringList names;
    for (int i = 0; i < n; ++i)
        names << m_cards->name(i);

    // Beside each card: its priority, its payoff month, and a warning when its
    // own payment can never pay it off.
    QList<CardsModel::Result> results(n);
    for (std::size_t k = 0; k < m_priority.size(); ++k)
        results[static_cast<int>(m_priority[k])].priority = static_cast<int>(k) + 1;
    for (int i = 0; i < n; ++i) {
        const PlanCard& c = cards[static_cast<std::size_t>(i)];
        CardsModel::Result& r = results[i];
        const int month = plan.cards[static_cast<std::size_t>(i)].payoffMonth;
        if (!(c.balance > 0))
            r.paidOff = tr("Nothing owed");
        else if (month > 0)
            r.paidOff = tr("Month %1 (%2)").arg(QString::number(month), PlanMonthText(m_firstMonth, month));
        else
            r.paidOff = plan.neverEnds ? tr("Never") : tr("Not within 100 years");
        if (c.balance > 0 && PaymentNeverPaysOff(c)) {
            r.warning = true;
            const std::int64_t interest = MonthlyInterest(c);
            if (!(c.payment > 0))
                r.note = tr("With no payment this card is never paid off on its own");
            else if (c.payment < interest)
                r.note = tr("%1 is below this card's monthly interest of %2").arg(Money(c.payment), Money(interest));
            else
                r.note = tr("%1 only covers this card's monthly interest of %2").arg(Money(c.payment), Money(interest));
        }
    }
    m_cards->setResults(results);
    fitNoteRows();

    // The plan in a few words.
    const bool anyOwed = std::any_of(cards.begin(), cards.end(), [](const PlanCard& c) { return c.balance > 0; });
    if (!anyOwed) {
        m_debtFree->setText(n == 0 ? tr("Add your cards to see when you will be debt-free.")
                                   : tr("Nothing is owed on these cards."));
        m_interest->setText(tr("Total interest: %1").arg(Money(std::int64_t{0})));
        m_saved->clear();
    } else if (plan.paidOff) {
        m_debtFree->setText(plan.months < 12 ? tr("Debt-free after %1, in %2.")
                                                   .arg(Months(plan.months), PlanMonthText(m_firstMonth, plan.months, true))
                                             : tr("Debt-free after %1 (%2), in %3.")
                                                   .arg(Months(plan.months), Duration(plan.months),
                                                        PlanMonthText(m_firstMonth, plan.months, true)));
        m_interest->setText(tr("Total interest: %1").arg(Money(plan.totalInterest)));
        const PlanResult& alone = m_comparison.alone;
        if (alone.paidOff) {
            const int sooner = alone.months - plan.months;
            m_saved->setText(tr("Against paying each card only its own payment, with no snowball and no pledge: "
                                "%1 less interest, debt-free %2 sooner.")
                                 .arg(Money(m_comparison.interestSaved(plan)),
                                      sooner > 0 ? Duration(sooner) : tr("no")));
        } else {
            m_saved->setText(tr("Paying each card only its own payment, with no snowball and no pledge, %1 would "
                                "not be paid off within 100 years.")
                                 .arg(names.value(alone.firstOwing)));
        }
    } else {
        const QString who = names.value(plan.firstOwing);
        m_debtFree->setText(plan.neverEnds
                                ? tr("%1 can never be paid off: the money of each month does not cover its interest. "
                                     "Raise its payment or the pledge money.")
                                      .arg(who)
                                : tr("%1 is not paid off within 100 years. Raise its payment or the pledge money.")
                                      .arg(who));
        m_interest->setText(tr("Total interest: no end in sight"));
        m_saved->clear();
    }

    // The orders side by side.
    struct Line
    {
        QString name;
        const PlanResult* plan;
        bool chosen;
        bool alone;
    };
    const Line lines[4] = {
        {tr("Highest APR first"), &m_comparison.highestApr, order() == PlanOrder::HighestApr, false},
        {tr("Lowest balance first"), &m_comparison.lowestBalance, order() == PlanOrder::LowestBalance, false},
        {tr("Your own order"), &m_comparison.given, order() == PlanOrder::Given, false},
        {tr("Each card alone: no snowball, no pledge"), &m_comparison.alone, false, true},
    };
    for (int row = 0; row < 4; ++row) {
        const Line& l = lines[row];
        const PlanResult& p = *l.plan;
        const bool ends = p.paidOff && anyOwed;
        SetCell(m_compare, row, 0, l.chosen ? l.name + tr(" (chosen)") : l.name, false, l.chosen);
        SetCell(m_compare, row, 1, !anyOwed ? QString() : ends ? Months(p.months) : tr("over 100 years"),
                true, l.chosen);
        SetCell(m_compare, row, 2, ends ? PlanMonthText(m_firstMonth, p.months) : QString(), false, l.chosen);
        SetCell(m_compare, row, 3, ends || !anyOwed ? Money(p.totalInterest) : QString(), true, l.chosen);
        // Nothing to compare with when paying each card alone never ends.
        const bool compared = !l.alone && ends && m_comparison.alone.paidOff;
        SetCell(m_compare, row, 4, compared ? Money(m_comparison.interestSaved(p)) : QString(), true, l.chosen);
    }
    FitColumns(m_compare);

    // What each card's statement would say.
    m_statements->setRowCount(n);
    for (int i = 0; i < n; ++i) {
        const PlanCard& c = cards[static_cast<std::size_t>(i)];
        const CardDisclosure& d = disclosure(c);
        SetCell(m_statements, i, 0, names[i], false);
        if (!(c.balance > 0)) {
            for (int col = 1; col < 7; ++col)
                SetCell(m_statements, i, col, col == 1 ? tr("Nothing owed") : QString(), col > 1);
            continue;
        }
        if (d.minimumRan) {
            SetCell(m_statements, i, 1, Duration(d.minimumMonths), false);
            SetCell(m_statements, i, 2, Money(d.minimumInterest), true);
            SetCell(m_statements, i, 3, Money(d.minimumPaid), true);
            SetCell(m_statements, i, 6, Money(d.saved36), true);
        } else {
            SetCell(m_statements, i, 1,
                    c.apr > 0 ? tr("needs at least %1 a month").arg(Money(d.leastPayment)) : tr("needs a payment"),
                    false);
            SetCell(m_statements, i, 2, QString(), true);
            SetCell(m_statements, i, 3, QString(), true);
            SetCell(m_statements, i, 6, QString(), true);
        }
        SetCell(m_statements, i, 4, Money(d.payment36), true);
        SetCell(m_statements, i, 5, Money(d.paid36), true);
    }
    if (m_statements->isVisible()) // otherwise when its tab is chosen
        FitColumns(m_statements);

    m_schedule->setPlan(m_plan, names, m_firstMonth);
    std::vector<double> start;
    start.reserve(cards.size());
    for (const PlanCard& c : cards)
        start.push_back(FromCents(c.balance));
    m_chart->setPlan(m_plan, m_priority, std::move(start), names, m_firstMonth);
    m_saveCsv->setEnabled(!plan.schedule.empty());
    updateButtons();
}

void MyCardsWindow::refitNotesLater()
{
    if (m_refitPending)
        return;
    m_refitPending = true;
    QTimer::singleShot(0, this, [this] {
        m_refitPending = false;
        m_notesFitted.clear();
        fitNoteRows();
    });
}

void MyCardsWindow::fitNoteRows()
{
    // A row with a note takes the lines the note needs; the others one line.
    // Only rows whose note changed are measured again.
    QHeaderView* rows = m_cardsView->verticalHeader();
    const int n = m_cards->rowCount();
    if (m_notesFitted.size() != n)
        m_notesFitted = QStringList(n, QStringLiteral("\n"));
    bool resized = false;
    for (int i = 0; i < n; ++i) {
        const QString note = m_cards->index(i, CardsModel::Note).data().toString();
        if (note == m_notesFitted[i])
            continue;
        m_notesFitted[i] = note;
        const int before = rows->sectionSize(i), one = rows->defaultSectionSize();
        if (!note.isEmpty())
            m_cardsView->resizeRowToContents(i);
        rows->resizeSection(i, note.isEmpty() ? one : std::max(one, rows->sectionSize(i) + 6));
        resized = resized || rows->sectionSize(i) != before;
    }
    // The card being worked on stays in sight when rows above it grow.
    if (resized && m_cardsView->currentIndex().isValid())
        m_cardsView->scrollTo(m_cardsView->currentIndex());
}

void MyCardsWindow::updateButtons()
{
    const int row = m_cardsView->currentIndex().isValid() ? m_cardsView->currentIndex().row() : -1;
    const int n = m_cards->rowCount();
    m_add->setEnabled(static_cast<std::size_t>(n) < kMostPlanCards);
    m_remove->setEnabled(row >= 0 && row < n);
    m_up->setEnabled(row > 0 && row < n);
    m_down->setEnabled(row >= 0 && row + 1 < n);
}

void MyCardsWindow::setStatus(const QString& text)
{
    m_status->setText(text);
    m_status->setVisible(!text.isEmpty());
}

void MyCardsWindow::cellEdited(const QModelIndex& index)
{
    const BoxReading reading = m_cards->normalize(index);
    m_hint->hide();
    saveNow();
    if (reading.aprCapped) {
        platform().beep();
        platform().showMessage(this, Platform::MessageIcon::Information, QString::fromStdString(reading.information));
    }
}

void MyCardsWindow::pledgeEdited()
{
    m_pledge = ReadAmountBox(m_pledgeEdit->text().toStdString(), AmountBox::Payment).value;
    recompute();
}

void MyCardsWindow::pledgeFinished()
{
    const BoxReading reading = ReadAmountBox(m_pledgeEdit->text().toStdString(), AmountBox::Payment);
    const QString corrected = QString::fromStdString(reading.text);
    if (m_pledgeEdit->text() != corrected)
        m_pledgeEdit->setText(corrected);
    if (reading.value != m_pledge) {
        m_pledge = reading.value;
        recompute();
    }
    m_hint->hide();
    saveNow();
}

bool MyCardsWindow::saveNow()
{
    const CardStore::SaveResult result = trySave();
    if (result != CardStore::SaveResult::ChangedElsewhere)
        return result == CardStore::SaveResult::Saved;
    // Asked once the edit that saved has finished (an answer may reload the table).
    if (!m_askingAboutChanges) {
        m_askingAboutChanges = true;
        QTimer::singleShot(0, this, [this] {
            if (isVisible() && trySave() == CardStore::SaveResult::ChangedElsewhere)
                settleChangedFile();
            m_askingAboutChanges = false;
        });
    }
    return false;
}

StoredPlan MyCardsWindow::shownPlan() const
{
    StoredPlan plan;
    plan.cards = m_cards->stored();
    plan.pledge = m_pledge;
    plan.order = order();
    return plan;
}

CardStore::SaveResult MyCardsWindow::trySave(QString* failure)
{
    QString error;
    const CardStore::SaveResult result = m_store.save(shownPlan(), &error);
    if (result == CardStore::SaveResult::Failed)
        sayNotSaved(error, failure);
    else if (result == CardStore::SaveResult::ChangedElsewhere)
        setStatus(tr("Your cards were not saved: another program changed %1 since My Cards read it.")
                      .arg(QDir::toNativeSeparators(m_store.path())));
    else if (m_status->text().startsWith(tr("Your cards could not be saved")) ||
             m_status->text().startsWith(tr("Your cards were not saved")))
        setStatus({});
    return result;
}

void MyCardsWindow::sayNotSaved(const QString& error, QString* failure)
{
    const QString notSaved = tr("Your cards could not be saved: %1.").arg(error);
    setStatus(notSaved + QLatin1Char(' ') + tr("They stay in this window and are saved again at your next change."));
    if (failure)
        *failure = notSaved;
}

CardStore::SaveResult MyCardsWindow::settleChangedFile(QString* failure)
{
    const QString file = QDir::toNativeSeparators(m_store.path());
    const int answer = platform().question(
        this,
        tr("Another program changed %1 since My Cards read it.\n\nKeep Mine saves the cards of this window and keeps "
           "the other program's file aside as a copy. Reload Theirs shows the cards the other program saved and "
           "drops the changes made in this window.").arg(file),
        {tr("Keep Mine"), tr("Reload Theirs"), tr("Decide Later")});
    if (answer == 0) {
        QString keptAs, error;
        const CardStore::SaveResult kept = m_store.saveKeepingTheirsAside(shownPlan(), &keptAs, &error);
        if (kept == CardStore::SaveResult::Failed)
            sayNotSaved(error, failure);
        if (kept != CardStore::SaveResult::Saved)
            return kept;
        setStatus(keptAs.isEmpty() ? QString()
                                   : tr("Your cards were saved; what the other program saved was kept as %1.")
                                         .arg(QDir::toNativeSeparators(keptAs)));
        return CardStore::SaveResult::Saved;
    }
    if (answer == 1) {
        setStatus({});
        loadStored();
        recompute();
        if (!m_pendingMessage.isEmpty()) {
            platform().beep();
            platform().showMessage(this, Platform::MessageIcon::Information, std::exchange(m_pendingMessage, {}));
        }
        return CardStore::SaveResult::Saved;
    }
    return CardStore::SaveResult::ChangedElsewhere;
}

void MyCardsWindow::BtnAddCardClick()
{
    const int row = m_cards->addCard();
    if (row < 0)
        return;
    const QModelIndex name = m_cards->index(row, CardsModel::Name);
    m_cardsView->setCurrentIndex(name);
    m_cardsView->setFocus();
    m_cardsView->edit(name);
    m_hint->hide();
    saveNow();
}

void MyCardsWindow::BtnRemoveCardClick()
{
    const QModelIndex current = m_cardsView->currentIndex();
    if (!current.isValid())
        return;
    const int row = current.row();
    const int column = current.column();
    m_cards->removeCard(row);
    const int n = m_cards->rowCount();
    if (n > 0)
        m_cardsView->setCurrentIndex(m_cards->index(std::min(row, n - 1), column));
    m_hint->hide();
    updateButtons();
    saveNow();
}

void MyCardsWindow::moveCurrentCard(int delta)
{
    const QModelIndex current = m_cardsView->currentIndex();
    if (!current.isValid() || !m_cards->moveCard(current.row(), delta))
        return;
    m_cardsView->setCurrentIndex(m_cards->index(current.row() + delta, current.column()));
    // Moving cards is choosing one's own order.
    if (order() != PlanOrder::Given) {
        m_loading = true;
        m_orderBox->setCurrentIndex(m_orderBox->findData(static_cast<int>(PlanOrder::Given)));
        m_loading = false;
        recompute();
    }
    m_hint->hide();
    updateButtons();
    saveNow();
}

void MyCardsWindow::BtnSaveCsvClick()
{
    const QString path = chooseCsvPath
                             ? chooseCsvPath(this)
                             : QFileDialog::getSaveFileName(this, tr("Save the schedule"),
                                                            QDir::home().filePath(QStringLiteral("my-cards-schedule.csv")),
                                                            tr("CSV files (*.csv)"));
    if (!path.isEmpty())
        exportSchedule(path);
}

bool MyCardsWindow::exportSchedule(const QString& path)
{
    std::string csv;
    AppendScheduleCsv(csv, *m_plan, m_cards->names());
    QString error;
    if (!WriteFileSafely(path, QByteArrayView(csv.data(), static_cast<qsizetype>(csv.size())), &error)) {
        const QString message = tr("The schedule could not be saved: %1.").arg(error);
        setStatus(message);
        platform().beep();
        platform().showMessage(this, Platform::MessageIcon::Error, message);
        return false;
    }
    setStatus(tr("The schedule was saved as %1.").arg(QDir::toNativeSeparators(path)));
    return true;
}

void MyCardsWindow::closeEvent(QCloseEvent* event)
{
    // The last chance to keep the cards: none are dropped without a word.
    for (;;) {
        QString failure;
        CardStore::SaveResult result = trySave(&failure);
        if (result == CardStore::SaveResult::ChangedElsewhere)
            result = settleChangedFile(&failure);
        if (result == CardStore::SaveResult::Saved)
            break;
        if (result == CardStore::SaveResult::ChangedElsewhere)
            return event->ignore(); // decided later: the window stays
        platform().beep();
        const int answer = platform().question(
            this, failure + QLatin1Char(' ') +
                      tr("Try again (after making room, for instance), or close and lose the changes made since "
                         "the last save?"),
            {tr("Try Again"), tr("Close Without Saving"), tr("Cancel")});
        if (answer == 1)
            break;
        if (answer != 0)
            return event->ignore();
    }
    QWidget::closeEvent(event);
}

bool MyCardsWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_cardsView->viewport() && event->type() == QEvent::Resize)
        refitNotesLater();
    if (watched == parentWidget() && event->type() == QEvent::Hide && isVisible())
        close();
    return QWidget::eventFilter(watched, event);
}

MyCardsWindow* ShowMyCards(QWidget* owner, const QString& storePath)
{
    static QPointer<MyCardsWindow> window;
    if (!window) {
        const QString path = storePath.isEmpty() ? CardStore::defaultPath() : storePath;
        // One window at a time keeps the cards, in this process or another.
        CardsLock::Attempt attempt = CardsLock::take(path);
        if (attempt.outcome == CardsLock::Outcome::ShownElsewhere)
            return nullptr;
        if (attempt.outcome == CardsLock::Outcome::OpenElsewhere) {
            platform().beep();
            platform().showMessage(owner, Platform::MessageIcon::Information, attempt.message);
            return nullptr;
        }
        window = new MyCardsWindow(owner, path);
        window->setAttribute(Qt::WA_DeleteOnClose);
        if (attempt.lock) {
            CardsLock* lock = attempt.lock.release();
            lock->setParent(window);
            QObject::connect(lock, &CardsLock::showRequested, window, [] { ShowMyCards(nullptr); });
        }
        if (owner)
            owner->installEventFilter(window);
    }
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

} // namespace quenmark
