// A card's payment rule: a fixed payment (the card's own payment and nothing
// else), or a minimum that follows the balance: the greater of a floor and a
// percentage of the balance after the month's interest, plus that interest when
// the rule says so. The compact editor works alone or as a table cell's editor
// (MinimumRuleDelegate): Enter and Tab commit, leaving it commits, Escape
// cancels; what it cannot read is refused in words and never corrected.
#pragma once

#include <QMetaType>
#include <QString>
#include <QStyledItemDelegate>
#include <QWidget>
#include <cstdint>

#include "core/Plan.h"
#include "planner/CardStore.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace quenmark {

struct MinimumRule
{
    bool has = false;          // false: a fixed payment
    std::int32_t percent = 0;  // hundredths of a percent (1 % -> 100), 0 .. 10000
    std::int64_t floor = 0;    // cents
    bool plusInterest = false;
    bool operator==(const MinimumRule&) const = default;

    static MinimumRule of(const PlanCard& card);
    static MinimumRule of(const StoredCard& card);
    // Sets the card's rule (its other figures stay).
    void applyTo(PlanCard& card) const;
    void applyTo(StoredCard& card) const;
};

// The rule in one line, as the table shows it: "Fixed payment", "2 %",
// "2 % or $20.00", "1 % plus interest or $25.00".
QString MinimumRuleText(const MinimumRule& rule);
// The rule in a sentence, for screen readers and tooltips.
QString MinimumRuleSentence(const MinimumRule& rule);
// Reads what MinimumRuleText writes (any case, blanks as one likes, "+" for
// "plus", "$" optional, amounts and percentages read strictly; empty text or
// "fixed" is a fixed payment). False with the reason in words otherwise.
bool ParseMinimumRule(const QString& text, MinimumRule& rule, QString* why = nullptr);

class MinimumRuleEditor : public QWidget
{
    Q_OBJECT
public:
    // How the editing ended: where the keyboard goes next.
    enum class Leave { Stay, Next, Previous };

    explicit MinimumRuleEditor(QWidget* parent = nullptr);
    ~MinimumRuleEditor() override;

    void setValue(const MinimumRule& rule);
    // The rule as the boxes hold it now; false with the refusal in words when
    // a box cannot be read.
    bool read(MinimumRule& rule, QString* why = nullptr) const;
    // The last rule read or set.
    MinimumRule value() const { return m_value; }
    // The refusal shown beside the boxes (empty when none).
    QString refusal() const;

    // Commits what the boxes hold: true (and committed()) when they can be
    // read, false with the refusal shown otherwise.
    bool commit(Leave leave = Leave::Stay);
    void cancel();

    QSize sizeHint() const override;

signals:
    // The boxes were read (value() holds the rule); `leave` tells whether Tab or
    // Shift+Tab ended the editing.
    void committed(quenmark::MinimumRuleEditor::Leave leave);
    void cancelled();
    // The focus left with text that cannot be read: the old rule stays.
    void refused(const QString& why);
    // The boxes changed (not yet committed).
    void edited();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void kindChanged();
    void focusMoved(QWidget* old, QWidget* now);
    void showRefusal(const QString& why);
    bool owns(const QWidget* w) const;
    // The boxes Tab goes through, in order (those in use).
    QList<QWidget*> fields() const;

    QComboBox* m_kind = nullptr;
    QLineEdit* m_percent = nullptr;
    QCheckBox* m_plus = nullptr;
    QLineEdit* m_floor = nullptr;
    QLabel* m_refusal = nullptr;
    MinimumRule m_value;
    QMetaObject::Connection m_focusWatch;
    bool m_done = false; // committed or cancelled: leaving tells nothing more until the focus comes back
};

// The editor in a table: the cell's Qt::EditRole holds a MinimumRule (or its
// text, read with ParseMinimumRule); a committed rule is written back as a
// MinimumRule. refused() passes on what the editor refused.
class MinimumRuleDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;
    QString displayText(const QVariant& value, const QLocale& locale) const override;

signals:
    void refused(const QString& why) const;
};

} // namespace quenmark

Q_DECLARE_METATYPE(quenmark::MinimumRule)
