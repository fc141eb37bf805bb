#include "planner/ChangesEditor.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QUndoCommand>
#include <QUndoStack>
#include <QVBoxLayout>

#include "common/Layout.h"
#include "planner/PlanMonthField.h"

namespace quenmark {

using Change = ChangesModel::Change;

// One change to the list, undoable: the whole list before and after.
class ChangesCommand : public QUndoCommand
{
public:
    ChangesCommand(ChangesEditor* editor, PlanChanges before, PlanChanges after, const QString& text)
        : QUndoCommand(text), m_editor(editor), m_before(std::move(before)), m_after(std::move(after))
    {
    }
    void redo() override
    {
        if (m_editor)
            m_editor->apply(m_after);
    }
    void undo() override
    {
        if (m_editor)
            m_editor->apply(m_before);
    }

private:
    QPointer<ChangesEditor> m_editor;
    PlanChanges m_before, m_after;
};

namespace {

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

PlanChanges With(PlanChanges changes, const Change& c)
{
    if (c.kind == Change::Kind::PledgeFrom)
        changes.steps.push_back({c.month, c.amount});
    else
        changes.oneOffs.push_back({c.month, c.amount});
    return changes;
}

PlanChanges Without(const ChangesModel& model, int row)
{
    PlanChanges out;
    for (int i = 0; i < model.rowCount(); ++i)
        if (i != row)
            out = With(std::move(out), model.change(i));
    return out;
}

QString KindWords(Change::Kind kind)
{
    return kind == Change::Kind::PledgeFrom ? ChangesEditor::tr("a pledge change") : ChangesEditor::tr("a one-off sum");
}

} // namespace

ChangesEditor::ChangesEditor(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("ChangesEditor"));
    m_model = new ChangesModel(this);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);

    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("ChangesTable"));
    m_table->setAccessibleName(tr("Changes over time"));
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setTabKeyNavigation(false);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 8);
    m_table->setMinimumHeight(m_table->fontMetrics().height() * 6);
    m_table->installEventFilter(this);
    column->addWidget(m_table, 1);

    auto* form = new QHBoxLayout;
    auto* kindLabel = new QLabel(tr("C&hange:"), this);
    m_kind = new QComboBox(this);
    m_kind->setObjectName(QStringLiteral("ChangeKindBox"));
    m_kind->setAccessibleName(tr("Kind of change"));
    m_kind->addItem(ChangesModel::kindText(Change::Kind::PledgeFrom));
    m_kind->addItem(ChangesModel::kindText(Change::Kind::OneOff));
    kindLabel->setBuddy(m_kind);
    auto* monthLabel = new QLabel(tr("&From or in:"), this);
    m_month = new PlanMonthField(tr("Month of the change"), this);
    m_month->setObjectName(QStringLiteral("ChangeMonth"));
    monthLabel->setBuddy(m_month);
    auto* amountLabel = new QLabel(tr("Amo&unt: $"), this);
    m_amount = new QLineEdit(this);
    m_amount->setObjectName(QStringLiteral("ChangeAmountEdit"));
    m_amount->setAccessibleName(tr("Amount of the change"));
    m_amount->setMaxLength(64);
    m_amount->setMaximumWidth(130);
    amountLabel->setBuddy(m_amount);
    m_add = MakeButton(this, "BtnAddChange", tr("Add Chan&ge"));
    m_replace = MakeButton(this, "BtnReplaceChange", tr("Repla&ce"));
    m_remove = MakeButton(this, "BtnRemoveChange", tr("Remo&ve"));
    for (QWidget* w : {static_cast<QWidget*>(kindLabel), static_cast<QWidget*>(m_kind),
                       static_cast<QWidget*>(monthLabel), static_cast<QWidget*>(m_month),
                       static_cast<QWidget*>(amountLabel), static_cast<QWidget*>(m_amount),
                       static_cast<QWidget*>(m_add), static_cast<QWidget*>(m_replace),
                       static_cast<QWidget*>(m_remove)})
        form->addWidget(w);
    form->addStretch(1);
    column->addLayout(form);

    m_refusal = new QLabel(this);
    m_refusal->setObjectName(QStringLiteral("ChangeRefusal"));
    m_refusal->setWordWrap(true);
    QPalette pal = m_refusal->palette();
    pal.setColor(QPalette::WindowText, colour::maroon);
    m_refusal->setPalette(pal);
    m_refusal->hide();
    column->addWidget(m_refusal);

    setTabOrder(m_table, m_kind);
    setTabOrder(m_kind, m_month->numberBox());
    setTabOrder(m_month->numberBox(), m_month->calendarBox());
    setTabOrder(m_month->calendarBox(), m_amount);
    setTabOrder(m_amount, m_add);
    setTabOrder(m_add, m_replace);
    setTabOrder(m_replace, m_remove);

    connect(m_add, &QPushButton::clicked, this, &ChangesEditor::addChange);
    connect(m_replace, &QPushButton::clicked, this, &ChangesEditor::replaceChange);
    connect(m_remove, &QPushButton::clicked, this, &ChangesEditor::removeChange);
    // Enter adds the change, or sets the amount of the selected one when the
    // form still names its kind and month.
    connect(m_amount, &QLineEdit::returnPressed, this, [this] {
        const int row = selectedRow();
        const Change::Kind kind = m_kind->currentIndex() == 1 ? Change::Kind::OneOff : Change::Kind::PledgeFrom;
        if (row >= 0 && m_model->change(row).kind == kind && m_model->change(row).month == m_month->month())
            replaceChange();
        else
            addChange();
    });
    connect(m_amount, &QLineEdit::textEdited, this, [this] { showRefusal({}); });
    connect(m_kind, &QComboBox::currentIndexChanged, this, [this] { showRefusal({}); });
    connect(m_month, &PlanMonthField::monthChanged, this, [this] { showRefusal({}); });
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this, &ChangesEditor::selectionMoved);
    connect(m_model, &QAbstractItemModel::modelReset, this, &ChangesEditor::updateButtons);
    updateButtons();
}

void ChangesEditor::setValue(const PlanChanges& changes)
{
    m_model->setChanges(changes);
    updateButtons();
}

void ChangesEditor::setStartMonth(CalendarMonth start)
{
    m_model->setStartMonth(start);
    m_month->setStartMonth(start);
}

QString ChangesEditor::refusal() const
{
    return m_refusal->isHidden() ? QString() : m_refusal->text();
}

int ChangesEditor::selectedRow() const
{
    const QModelIndexList rows = m_table->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void ChangesEditor::selectRow(int row)
{
    if (row < 0 || row >= m_model->rowCount()) {
        m_table->clearSelection();
        return;
    }
    m_table->setCurrentIndex(m_model->index(row, ChangesModel::Kind));
    m_table->selectRow(row);
}

void ChangesEditor::showRefusal(const QString& why)
{
    m_refusal->setText(why);
    m_refusal->setVisible(!why.isEmpty());
    m_amount->setAccessibleDescription(why);
}

bool ChangesEditor::readForm(Change& change)
{
    change.kind = m_kind->currentIndex() == 1 ? Change::Kind::OneOff : Change::Kind::PledgeFrom;
    change.month = m_month->month();
    const BoxReadingStrict amount = ReadBoxStrictly(m_amount->text(), PlanValue::Money);
    if (!amount.ok) {
        showRefusal(amount.refusal);
        return false;
    }
    if (change.kind == Change::Kind::OneOff && amount.value == 0) {
        showRefusal(tr("A one-off sum of $0.00 adds nothing: type the sum to add."));
        return false;
    }
    change.amount = amount.value;
    return true;
}

bool ChangesEditor::addChange()
{
    Change c;
    if (!readForm(c))
        return false;
    if (m_model->rowOf(c.kind, c.month) >= 0) {
        showRefusal(tr("Month %1 already has %2: select it to replace or remove it.")
                        .arg(c.month)
                        .arg(KindWords(c.kind)));
        return false;
    }
    showRefusal({});
    const QString what = c.kind == Change::Kind::PledgeFrom ? tr("Add a pledge change") : tr("Add a one-off sum");
    const PlanChanges after = ChangesModel::normalized(With(value(), c));
    change(after, what);
    selectRow(m_model->rowOf(c.kind, c.month));
    return true;
}

bool ChangesEditor::replaceChange()
{
    const int row = selectedRow();
    if (row < 0) {
        showRefusal(tr("Select the change to replace first."));
        return false;
    }
    Change c;
    if (!readForm(c))
        return false;
    const int clash = m_model->rowOf(c.kind, c.month);
    if (clash >= 0 && clash != row) {
        showRefusal(tr("Month %1 already has %2: select it to replace or remove it.")
                        .arg(c.month)
                        .arg(KindWords(c.kind)));
        return false;
    }
    showRefusal({});
    if (m_model->change(row) == c)
        return true;
    const QString what =
        c.kind == Change::Kind::PledgeFrom ? tr("Change a pledge change") : tr("Change a one-off sum");
    change(ChangesModel::normalized(With(Without(*m_model, row), c)), what);
    selectRow(m_model->rowOf(c.kind, c.month));
    return true;
}

bool ChangesEditor::removeChange()
{
    const int row = selectedRow();
    if (row < 0) {
        showRefusal(tr("Select the change to remove first."));
        return false;
    }
    showRefusal({});
    const QString what = m_model->change(row).kind == Change::Kind::PledgeFrom ? tr("Remove a pledge change")
                                                                                : tr("Remove a one-off sum");
    change(Without(*m_model, row), what);
    selectRow(std::min(row, m_model->rowCount() - 1));
    return true;
}

void ChangesEditor::change(const PlanChanges& changes, const QString& what)
{
    if (m_undo)
        m_undo->push(new ChangesCommand(this, value(), changes, what));
    else
        apply(changes);
}

void ChangesEditor::apply(const PlanChanges& changes)
{
    m_model->setChanges(changes);
    updateButtons();
    emit changesChanged(m_model->changes());
}

void ChangesEditor::selectionMoved()
{
    const int row = selectedRow();
    if (row >= 0) {
        const Change& c = m_model->change(row);
        m_kind->setCurrentIndex(c.kind == Change::Kind::OneOff ? 1 : 0);
        m_month->setMonth(c.month);
        m_amount->setText(CentsText(c.amount));
        showRefusal({});
    }
    updateButtons();
}

void ChangesEditor::updateButtons()
{
    const bool selected = selectedRow() >= 0;
    m_replace->setEnabled(selected);
    m_remove->setEnabled(selected);
}

bool ChangesEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_table && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Delete || key == Qt::Key_Backspace) && selectedRow() >= 0) {
            removeChange();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace quenmark
