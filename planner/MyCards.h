// "My Cards": the payoff planner for the user's own cards. An ordinary
// resizable window outside the chapter loop. It only wires things together:
//  - the document (planner/PlanDocument): the cards, the pledge money and the
//    order, every change a step of its undo stack, saved after each step;
//  - the plan, a value worked out once for each new value of the inputs
//    (planner/PlanWork), shown by small views that follow it: the cards'
//    results, the summary, the chart, the schedule, the orders side by side
//    and the card statements; views in tabs not shown wait until they are;
//  - while a cell or the pledge box is typed into, the plan of what is typed
//    is shown as a preview; the document changes when the edit is committed;
//  - the plan's start month, its changes over time and the pledge needed to
//    be debt-free by a month (each change a step of the undo stack);
//  - the cards imported from and exported to a plan file, the plan printed or
//    saved as PDF (planner/MyCardsFiles.cpp).
#pragma once

#include <QDate>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

#include "planner/CardStore.h"
#include "planner/PlanInputs.h"
#include "planner/PlanWork.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableView;
class QUndoStack;

namespace quenmark {

class BalanceChart;
class CardsModel;
class CardsView;
class ChangesEditor;
class ComparisonModel;
class DebtFreeByPanel;
class PlanDocument;
struct PrintablePlan;
class StartMonthPicker;
class PlanSummary;
class ScheduleModel;
class StatementsModel;

class MyCardsWindow : public QWidget
{
    Q_OBJECT
public:
    // `storePath` empty: the user's data folder. The saved cards are read at
    // once; a first run starts with chapter 8's five sample cards.
    explicit MyCardsWindow(QWidget* parent = nullptr, const QString& storePath = {});
    ~MyCardsWindow() override;

    PlanDocument* document() const { return m_doc; }
    QUndoStack* undoStack() const;
    CardsModel* cardsModel() const;
    ScheduleModel* scheduleModel() const { return m_schedule; }
    StatementsModel* statementsModel() const { return m_statements; }
    // The plan shown (the preview's while a cell or the pledge is typed into).
    const PlanResult& plan() const { return *m_plan; }
    const PlanInputs& shownInputs() const { return m_shown; }
    // The orders compared for the plan shown (worked out now if their tab has not been shown).
    const PlanComparison& comparison() { return m_work.comparison(m_shown); }
    PlanOrder order() const;
    double pledge() const;
    // Month 1's first day: the chosen start month, or the month after today's
    // (the platform's date).
    QDate firstMonth() const;

    // Writes the cards now (they are also written after every change); false
    // (with the reason in the status line) when they could not be. When
    // another program changed the file, the user is asked what to keep.
    bool saveNow();
    // Writes the schedule as CSV; false (with the reason told) when it cannot.
    bool exportSchedule(const QString& path);

    // Reads the cards of a plan file and asks whether they are added to the
    // list or replace it (one undoable step); false (with the reason told)
    // when the file cannot be read or the user cancelled.
    bool importCards(const QString& path);
    // Writes the cards as a plan file; false (with the reason told) when it cannot.
    bool exportCards(const QString& path);
    // Writes the plan as PDF; false (with the reason told) when it cannot.
    bool savePdf(const QString& path);
    // The plan as it is printed (the cards as they are, not a preview).
    PrintablePlan printable();

    // Asks where to save the schedule (a file dialog unless replaced, as tests do).
    std::function<QString(QWidget*)> chooseCsvPath;

    void BtnAddCardClick();
    void BtnRemoveCardClick();
    void moveCurrentCard(int delta); // BtnMoveUpClick (-1), BtnMoveDownClick (+1)
    void BtnSaveCsvClick();
    void BtnImportClick();
    void BtnExportClick();
    void BtnPrintClick();
    void BtnSavePdfClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What the status line speaks of: the file (kept), saving (until a save
    // works), or the plan (until it changes).
    enum class Status { Kept, Saving, Told };
    void build();
    QWidget* buildCards();
    QWidget* buildChoices();
    void buildTabs();
    QWidget* buildFileButtons();
    // Tells a file's failure in the status line and in a message.
    void tellFailure(const QString& message);
    void connectAll();
    void loadStored();
    void documentChanged();
    // What the cards and settings are, with what is being typed into a cell
    // or the pledge box (where it reads) in place of what it will replace.
    PlanInputs currentInputs() const;
    // The plan of `in` on every view shown.
    void showPlan(const PlanInputs& in);
    void showCardResults();
    // The tab shown follows the plan shown.
    void refreshTab();
    void cellPreviewed(const QModelIndex& index, const QString& text);
    void pledgeEdited(const QString& text);
    void pledgeFinished();
    void settingsChanged();
    void showPledge();
    void updateButtons();
    void setStatus(const QString& text, Status kind = Status::Told);
    // Saves and says in the status line what went wrong; `failure`: the
    // sentence saying why the cards could not be saved.
    CardStore::SaveResult trySave(QString* failure = nullptr);
    void sayNotSaved(const QString& error, QString* failure);
    // Asks whether to keep this window's cards or reload those another program
    // saved: Saved when settled, Failed when keeping them failed,
    // ChangedElsewhere when left for later.
    CardStore::SaveResult settleChangedFile(QString* failure = nullptr);

    CardStore m_store;
    PlanDocument* m_doc = nullptr;
    PlanWork m_work;
    CardsView* m_cardsView = nullptr;
    QLineEdit* m_pledgeEdit = nullptr;
    QLabel* m_pledgeMessage = nullptr;
    QComboBox* m_orderBox = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_remove = nullptr;
    QPushButton* m_up = nullptr;
    QPushButton* m_down = nullptr;
    QPushButton* m_undo = nullptr;
    QPushButton* m_redo = nullptr;
    QPushButton* m_saveCsv = nullptr;
    QPushButton* m_import = nullptr;
    QPushButton* m_export = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_pdf = nullptr;
    StartMonthPicker* m_startPicker = nullptr;
    ChangesEditor* m_changes = nullptr;
    DebtFreeByPanel* m_debtFreeBy = nullptr;
    QWidget* m_statementsPage = nullptr;
    QLabel* m_hint = nullptr;
    QLabel* m_status = nullptr;
    PlanSummary* m_summary = nullptr;
    QTabWidget* m_tabs = nullptr;
    BalanceChart* m_chart = nullptr;
    ScheduleModel* m_schedule = nullptr;
    QTableView* m_scheduleView = nullptr;
    ComparisonModel* m_compare = nullptr;
    QTableView* m_compareView = nullptr;
    StatementsModel* m_statements = nullptr;
    QTableView* m_statementsView = nullptr;

    PlanInputs m_shown;                       // what the plan shown was worked out from
    std::shared_ptr<const PlanResult> m_plan; // the plan shown
    QStringList m_names;                      // the cards' names as the views show them
    Status m_statusKind = Status::Told;
    double m_pledgeShown = -1;                // the pledge the pledge box was last set to
    QString m_pendingMessage;                 // told once the window is up
    bool m_askingAboutChanges = false;
    bool m_loading = false;
};

// Opens the one My Cards window of the program (or brings it to the front),
// owned by `owner`; it closes when `owner` is hidden. Null when another
// process has My Cards open: its window was brought forward, or the user was
// told. `storePath` empty: the user's data folder.
MyCardsWindow* ShowMyCards(QWidget* owner, const QString& storePath = {});

} // namespace quenmark
