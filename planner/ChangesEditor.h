// "Changes over time": the list of pledge changes and one-off sums of a plan,
// with a small form to add, change and remove them. Months are typed as month
// numbers or chosen as calendar months; amounts are read strictly, and what
// cannot be read is refused beside the box in words (nothing is corrected).
// Every change can go through the window's undo stack.
#pragma once

#include <QPointer>
#include <QUndoStack>
#include <QWidget>

#include "planner/ChangesModel.h"
#include "planner/PlanInputs.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace quenmark {

class PlanMonthField;

class ChangesEditor : public QWidget
{
    Q_OBJECT
public:
    explicit ChangesEditor(QWidget* parent = nullptr);

    // Shows `changes` (tidied as ChangesModel keeps them) without telling
    // changesChanged() and without an undo step: for loading a plan.
    void setValue(const PlanChanges& changes);
    PlanChanges value() const { return m_model->changes(); }

    void setStartMonth(CalendarMonth start);
    // Changes made from now on are pushed onto `stack` (not owned; null: made
    // at once, without undo).
    void setUndoStack(QUndoStack* stack) { m_undo = stack; }

    ChangesModel* model() const { return m_model; }
    // The refusal shown beside the form (empty when none).
    QString refusal() const;

    // What the buttons do; false (with the refusal shown) when the form cannot
    // be read or the change would clash with another.
    bool addChange();
    bool replaceChange(); // the selected change becomes what the form holds
    bool removeChange();  // the selected change goes

signals:
    // The changes are now `changes` (by the form, an undo or a redo).
    void changesChanged(const quenmark::PlanChanges& changes);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class ChangesCommand;
    void apply(const PlanChanges& changes);
    void change(const PlanChanges& changes, const QString& what);
    void selectionMoved();
    void updateButtons();
    void showRefusal(const QString& why);
    bool readForm(ChangesModel::Change& change);
    int selectedRow() const;
    void selectRow(int row);

    ChangesModel* m_model = nullptr;
    QTableView* m_table = nullptr;
    QComboBox* m_kind = nullptr;
    PlanMonthField* m_month = nullptr;
    QLineEdit* m_amount = nullptr;
    QLabel* m_refusal = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_replace = nullptr;
    QPushButton* m_remove = nullptr;
    QPointer<QUndoStack> m_undo;
};

} // namespace quenmark
