#include "planner/MinimumRuleEditor.h"

#include <QApplication>
#include <QCheckBox>
#include <QAbstractItemView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QVBoxLayout>
#include <algorithm>

#include "common/Layout.h"
#include "core/MoneyText.h"
#include "core/Payoff.h"
#include "planner/PlanInputs.h"

namespace quenmark {

namespace {

// "2", "1.5", "1.25": a percentage without needless zeros.
QString PercentText(std::int32_t hundredths)
{
    QString s = QString::fromStdString(PlainCents(hundredths));
    while (s.endsWith(QLatin1Char('0')))
        s.chop(1);
    if (s.endsWith(QLatin1Char('.')))
        s.chop(1);
    return s;
}

QString Dollars(std::int64_t cents)
{
    return QLatin1Char('$') + CentsText(cents);
}

} // namespace

// ---- the rule -----------------------------------------------------------------------

MinimumRule MinimumRule::of(const PlanCard& card)
{
    if (!card.hasMinimum)
        return {};
    return {true, card.minPercent, card.minFloor, card.minPlusInterest};
}

MinimumRule MinimumRule::of(const StoredCard& card)
{
    return of(ToPlanCard(card));
}

void MinimumRule::applyTo(PlanCard& card) const
{
    card.hasMinimum = has;
    card.minPercent = has ? percent : 0;
    card.minFloor = has ? floor : 0;
    card.minPlusInterest = has && plusInterest;
}

void MinimumRule::applyTo(StoredCard& card) const
{
    card.hasMinimum = has;
    card.minPercent = has ? FromCents(percent) : 0;
    card.minFloor = has ? FromCents(floor) : 0;
    card.minPlusInterest = has && plusInterest;
}

QString MinimumRuleText(const MinimumRule& rule)
{
    if (!rule.has)
        return MinimumRuleEditor::tr("Fixed payment");
    QString text = PercentText(rule.percent) + QStringLiteral(" %");
    if (rule.plusInterest)
        text += MinimumRuleEditor::tr(" plus interest");
    if (rule.floor > 0)
        text += MinimumRuleEditor::tr(" or %1").arg(Dollars(rule.floor));
    return text;
}

QString MinimumRuleSentence(const MinimumRule& rule)
{
    if (!rule.has)
        return MinimumRuleEditor::tr("A fixed payment: the card's own monthly payment.");
    const QString share = rule.plusInterest
                              ? MinimumRuleEditor::tr("%1 % of the balance plus the month's interest")
                                    .arg(PercentText(rule.percent))
                              : MinimumRuleEditor::tr("%1 % of the balance").arg(PercentText(rule.percent));
    return rule.floor > 0 ? MinimumRuleEditor::tr("At least the greater of %1 and %2, or the card's own payment "
                                                  "when that is more.")
                                .arg(Dollars(rule.floor), share)
                          : MinimumRuleEditor::tr("At least %1, or the card's own payment when that is more.")
                                .arg(share);
}

bool ParseMinimumRule(const QString& text, MinimumRule& rule, QString* why)
{
    auto refuse = [&](const QString& reason) {
        if (why)
            *why = reason;
        return false;
    };
    const QString form = MinimumRuleEditor::tr("Type a rule such as 2 % or $20.00, or 1 % plus interest or $25.00.");
    if (text.size() > 200)
        return refuse(form);
    const QString s = text.simplified();
    if (s.isEmpty() || s.compare(QLatin1String("fixed"), Qt::CaseInsensitive) == 0 ||
        s.compare(MinimumRuleEditor::tr("Fixed payment"), Qt::CaseInsensitive) == 0 ||
        s.compare(QLatin1String("fixed payment"), Qt::CaseInsensitive) == 0) {
        rule = {};
        return true;
    }
    static const QRegularExpression orWord(QStringLiteral(R"(\s+or\s+)"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression plusInterest(QStringLiteral(R"(\s*(?:\+|\bplus)\s*interest$)"),
                                                 QRegularExpression::CaseInsensitiveOption);
    const QStringList parts = s.split(orWord);
    if (parts.size() > 2)
        return refuse(form);
    QString share = parts[0];
    MinimumRule read;
    read.has = true;
    const QRegularExpressionMatch plus = plusInterest.match(share);
    if (plus.hasMatch()) {
        read.plusInterest = true;
        share.truncate(plus.capturedStart());
    }
    if (share.trimmed().isEmpty())
        return refuse(form);
    const BoxReadingStrict percent = ReadBoxStrictly(share, PlanValue::Percent);
    if (!percent.ok)
        return refuse(percent.refusal);
    read.percent = static_cast<std::int32_t>(percent.value);
    if (parts.size() == 2) {
        const BoxReadingStrict floor = ReadBoxStrictly(parts[1], PlanValue::Money);
        if (!floor.ok)
            return refuse(floor.refusal);
        read.floor = floor.value;
    }
    rule = read;
    return true;
}

// ---- the editor ---------------------------------------------------------------------

MinimumRuleEditor::MinimumRuleEditor(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("MinimumRuleEditor"));
    setAutoFillBackground(true);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(2, 1, 2, 1);
    column->setSpacing(1);
    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    column->addLayout(row);

    m_kind = new QComboBox(this);
    m_kind->setObjectName(QStringLiteral("RuleKindBox"));
    m_kind->setAccessibleName(tr("Payment rule"));
    m_kind->addItem(tr("Fixed payment"));
    m_kind->addItem(tr("Minimum rule"));
    m_percent = new QLineEdit(this);
    m_percent->setObjectName(QStringLiteral("RulePercentEdit"));
    m_percent->setAccessibleName(tr("Minimum, percent of the balance"));
    m_percent->setMaxLength(64);
    m_percent->setMaximumWidth(60);
    auto* percentSign = new QLabel(QStringLiteral("%"), this);
    m_plus = new QCheckBox(tr("plus interest"), this);
    m_plus->setObjectName(QStringLiteral("RulePlusInterest"));
    m_plus->setAccessibleName(tr("Minimum adds the month's interest"));
    auto* orLabel = new QLabel(tr("or at least $"), this);
    m_floor = new QLineEdit(this);
    m_floor->setObjectName(QStringLiteral("RuleFloorEdit"));
    m_floor->setAccessibleName(tr("Minimum, at least this amount"));
    m_floor->setMaxLength(64);
    m_floor->setMaximumWidth(110);
    for (QWidget* w : {static_cast<QWidget*>(m_kind), static_cast<QWidget*>(m_percent),
                       static_cast<QWidget*>(percentSign), static_cast<QWidget*>(m_plus),
                       static_cast<QWidget*>(orLabel), static_cast<QWidget*>(m_floor)})
        row->addWidget(w);

    m_refusal = new QLabel(this);
    m_refusal->setObjectName(QStringLiteral("RuleRefusal"));
    QPalette pal = m_refusal->palette();
    pal.setColor(QPalette::WindowText, colour::maroon);
    m_refusal->setPalette(pal);
    m_refusal->setWordWrap(true);
    m_refusal->hide();
    column->addWidget(m_refusal);

    setFocusProxy(m_kind);
    for (QWidget* w : {static_cast<QWidget*>(m_kind), static_cast<QWidget*>(m_percent),
                       static_cast<QWidget*>(m_plus), static_cast<QWidget*>(m_floor)})
        w->installEventFilter(this);
    connect(m_kind, &QComboBox::currentIndexChanged, this, &MinimumRuleEditor::kindChanged);
    for (QLineEdit* e : {m_percent, m_floor})
        connect(e, &QLineEdit::textEdited, this, [this] {
            showRefusal({});
            emit edited();
        });
    connect(m_plus, &QCheckBox::toggled, this, &MinimumRuleEditor::edited);
    m_focusWatch = connect(qApp, &QApplication::focusChanged, this, &MinimumRuleEditor::focusMoved);
    setValue({});
}

void MinimumRuleEditor::setValue(const MinimumRule& rule)
{
    m_value = rule;
    m_kind->setCurrentIndex(rule.has ? 1 : 0);
    m_percent->setText(rule.has ? PercentText(rule.percent) : QString());
    m_floor->setText(rule.has ? CentsText(rule.floor) : QString());
    m_plus->setChecked(rule.has && rule.plusInterest);
    showRefusal({});
    kindChanged();
}

bool MinimumRuleEditor::read(MinimumRule& rule, QString* why) const
{
    if (m_kind->currentIndex() == 0) {
        rule = {};
        return true;
    }
    // An empty box counts as 0 (a rule may have only a percentage or only a
    // floor), but not both.
    if (m_percent->text().trimmed().isEmpty() && m_floor->text().trimmed().isEmpty()) {
        if (why)
            *why = tr("Type the minimum's percentage of the balance, its least amount, or both.");
        return false;
    }
    const BoxReadingStrict percent = ReadBoxStrictly(m_percent->text(), PlanValue::Percent, 0);
    if (!percent.ok) {
        if (why)
            *why = tr("Percent: %1").arg(percent.refusal);
        return false;
    }
    const BoxReadingStrict floor = ReadBoxStrictly(m_floor->text(), PlanValue::Money, 0);
    if (!floor.ok) {
        if (why)
            *why = tr("At least: %1").arg(floor.refusal);
        return false;
    }
    rule = {true, static_cast<std::int32_t>(percent.value), floor.value, m_plus->isChecked()};
    return true;
}

QString MinimumRuleEditor::refusal() const
{
    return m_refusal->isHidden() ? QString() : m_refusal->text();
}

bool MinimumRuleEditor::commit(Leave leave)
{
    MinimumRule rule;
    QString why;
    if (!read(rule, &why)) {
        showRefusal(why);
        return false;
    }
    m_value = rule;
    showRefusal({});
    m_done = true;
    emit committed(leave);
    return true;
}

void MinimumRuleEditor::cancel()
{
    m_done = true;
    emit cancelled();
}

MinimumRuleEditor::~MinimumRuleEditor()
{
    // The focus leaves the boxes while QWidget's destructor runs: by then this
    // editor is no longer one to be told.
    disconnect(m_focusWatch);
}

QSize MinimumRuleEditor::sizeHint() const
{
    return layout()->sizeHint();
}

void MinimumRuleEditor::kindChanged()
{
    const bool rule = m_kind->currentIndex() == 1;
    for (QWidget* w : {static_cast<QWidget*>(m_percent), static_cast<QWidget*>(m_plus),
                       static_cast<QWidget*>(m_floor)})
        w->setEnabled(rule);
    showRefusal({});
    emit edited();
}

void MinimumRuleEditor::showRefusal(const QString& why)
{
    if (m_refusal->text() == why && m_refusal->isHidden() == why.isEmpty())
        return;
    m_refusal->setText(why);
    m_refusal->setVisible(!why.isEmpty());
    setToolTip(why);
    setAccessibleDescription(why);
    if (parentWidget() && !why.isEmpty())
        resize(width(), std::max(height(), sizeHint().height()));
}

bool MinimumRuleEditor::owns(const QWidget* w) const
{
    // Through window borders too: a combo box's list is a window of its own.
    for (; w; w = w->parentWidget())
        if (w == this)
            return true;
    return false;
}

QList<QWidget*> MinimumRuleEditor::fields() const
{
    QList<QWidget*> out;
    for (QWidget* w : {static_cast<QWidget*>(m_kind), static_cast<QWidget*>(m_percent), static_cast<QWidget*>(m_plus),
                       static_cast<QWidget*>(m_floor)})
        if (w->isEnabled())
            out.append(w);
    return out;
}

bool MinimumRuleEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const bool listOpen = watched == m_kind && m_kind->view() && m_kind->view()->isVisible();
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (listOpen)
            break; // choosing in the open list
        commit(Leave::Stay);
        return true;
    case Qt::Key_Escape:
        if (listOpen)
            break;
        cancel();
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: {
        // Tab moves between the boxes here (whatever the table around does
        // with Tab) and commits when it leaves the last one.
        const bool back = key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier);
        const QList<QWidget*> order = fields();
        const qsizetype at = order.indexOf(static_cast<QWidget*>(watched));
        if (at < 0)
            break;
        const qsizetype next = at + (back ? -1 : 1);
        if (next < 0 || next >= order.size())
            commit(back ? Leave::Previous : Leave::Next);
        else
            order[next]->setFocus(back ? Qt::BacktabFocusReason : Qt::TabFocusReason);
        return true;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void MinimumRuleEditor::focusMoved(QWidget* old, QWidget* now)
{
    // Only a move from inside to somewhere else ends the editing (a window
    // losing the focus does not).
    if (owns(now) && !owns(old)) {
        m_done = false; // editing again
        return;
    }
    if (m_done || !now || !owns(old) || owns(now) || !isVisible())
        return;
    MinimumRule rule;
    QString why;
    m_done = true;
    if (read(rule, &why)) {
        m_value = rule;
        emit committed(Leave::Stay);
    } else {
        emit refused(why);
        emit cancelled();
    }
}

// ---- the delegate -------------------------------------------------------------------

QWidget* MinimumRuleDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const
{
    auto* editor = new MinimumRuleEditor(parent);
    const QString card = index.siblingAtColumn(0).data().toString();
    if (!card.trimmed().isEmpty())
        editor->setAccessibleName(tr("%1, payment rule").arg(card));
    using Hint = QAbstractItemDelegate::EndEditHint;
    connect(editor, &MinimumRuleEditor::committed, this, [this, editor](MinimumRuleEditor::Leave leave) {
        auto* self = const_cast<MinimumRuleDelegate*>(this);
        emit self->commitData(editor);
        emit self->closeEditor(editor, leave == MinimumRuleEditor::Leave::Next       ? Hint::EditNextItem
                                       : leave == MinimumRuleEditor::Leave::Previous ? Hint::EditPreviousItem
                                                                                     : Hint::SubmitModelCache);
    });
    connect(editor, &MinimumRuleEditor::cancelled, this, [this, editor] {
        emit const_cast<MinimumRuleDelegate*>(this)->closeEditor(editor, Hint::RevertModelCache);
    });
    connect(editor, &MinimumRuleEditor::refused, this, &MinimumRuleDelegate::refused);
    return editor;
}

void MinimumRuleDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    auto* e = qobject_cast<MinimumRuleEditor*>(editor);
    if (!e)
        return;
    const QVariant v = index.data(Qt::EditRole);
    MinimumRule rule;
    if (v.canConvert<MinimumRule>() && v.metaType() == QMetaType::fromType<MinimumRule>())
        rule = v.value<MinimumRule>();
    else
        ParseMinimumRule(v.toString(), rule);
    e->setValue(rule);
}

void MinimumRuleDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    auto* e = qobject_cast<MinimumRuleEditor*>(editor);
    MinimumRule rule;
    if (e && e->read(rule))
        model->setData(index, QVariant::fromValue(rule), Qt::EditRole);
}

void MinimumRuleDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                               const QModelIndex&) const
{
    // The boxes need more room than a cell: the editor lies over the cell and
    // its neighbours, within the view.
    QRect r = option.rect;
    const QSize wanted = editor->sizeHint();
    r.setWidth(std::max(r.width(), wanted.width()));
    r.setHeight(std::max(r.height(), wanted.height()));
    if (const QWidget* area = editor->parentWidget(); area && r.right() > area->width())
        r.moveRight(std::max(area->width(), r.width()) - 1);
    editor->setGeometry(r);
}

QString MinimumRuleDelegate::displayText(const QVariant& value, const QLocale& locale) const
{
    if (value.metaType() == QMetaType::fromType<MinimumRule>())
        return MinimumRuleText(value.value<MinimumRule>());
    return QStyledItemDelegate::displayText(value, locale);
}

} // namespace quenmark
