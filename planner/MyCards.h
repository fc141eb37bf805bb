// "My Cards": the payoff planner for the user's own cards. An ordinary
// resizable window outside the chapter loop: the cards in an editable table,
// the pledge money and the payoff order; the plan, the comparison of the
// orders, each card's statement figures, the balance chart and the
// month-by-month schedule follow every keystroke. The cards are kept between
// runs in the user's data folder.
#pragma once

#include <QDate>
#include <QMap>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>
#include <tuple>

#include "core/Planner.h"
#include "planner/CardStore.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QTableWidget;
class QTabWidget;

namespace quenmark {

class BalanceChart;
class CardsDelegate;
class CardsModel;
class ScheduleModel;

class MyCardsWindow : public QWidget
{
    Q_OBJECT
public:
    // `storePath` empty: the user's data folder. The saved cards are read at
    // once; a first run starts with chapter 8's five sample cards.
    explicit MyCardsWindow(QWidget* parent = nullptr, const QString& storePath = {});
    ~MyCardsWindow() override;

    CardsModel* cardsModel() const { return m_cards; }
    ScheduleModel* scheduleModel() const { return m_schedule; }
    const PlanComparison& comparison() const { return m_comparison; }
    const PlanResult& plan() const { return *m_plan; }
    PlanOrder order() const;
    double pledge() const { return m_pledge; }
    // Month 1 of every plan is the month after today's (the platform's date).
    QDate firstMonth() const { return m_firstMonth; }

    // Everything worked out again from the table, the pledge and the order.
    void recompute();
    // Writes the cards now (they are also written after every finished edit);
    // false (with the reason in the status line) when they could not be. When
    // another program changed the file, the user is asked what to keep.
    bool saveNow();
    // Writes the schedule as CSV; false (with the reason told) when it cannot.
    bool exportSchedule(const QString& path);

    // Asks where to save the schedule (a file dialog unless replaced, as tests do).
    std::function<QString(QWidget*)> chooseCsvPath;

    void BtnAddCardClick();
    void BtnRemoveCardClick();
    void moveCurrentCard(int delta); // BtnMoveUpClick (-1), BtnMoveDownClick (+1)
    void BtnSaveCsvClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void loadStored();
    void cellEdited(const QModelIndex& index);
    void pledgeEdited();
    void pledgeFinished();
    void updateButtons();
    void fitNoteRows();
    void refitNotesLater();
    void showResults();
    void setStatus(const QString& text);
    StoredPlan shownPlan() const;
    // Saves and says in the status line what went wrong; `failure`: the
    // sentence saying why the cards could not be saved.
    CardStore::SaveResult trySave(QString* failure = nullptr);
    void sayNotSaved(const QString& error, QString* failure);
    // Asks whether to keep this window's cards or reload those another program
    // saved: Saved when settled, Failed when keeping them failed,
    // ChangedElsewhere when left for later.
    CardStore::SaveResult settleChangedFile(QString* failure = nullptr);
    const CardDisclosure& disclosure(const PlanCard& card);

    CardStore m_store;
    CardsModel* m_cards = nullptr;
    CardsDelegate* m_delegate = nullptr;
    ScheduleModel* m_schedule = nullptr;
    QTableView* m_cardsView = nullptr;
    QLineEdit* m_pledgeEdit = nullptr;
    QComboBox* m_orderBox = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_remove = nullptr;
    QPushButton* m_up = nullptr;
    QPushButton* m_down = nullptr;
    QPushButton* m_saveCsv = nullptr;
    QLabel* m_hint = nullptr;
    QLabel* m_debtFree = nullptr;
    QLabel* m_interest = nullptr;
    QLabel* m_saved = nullptr;
    QLabel* m_status = nullptr;
    QTableWidget* m_compare = nullptr;
    QTableWidget* m_statements = nullptr;
    QTabWidget* m_tabs = nullptr;
    QTableView* m_scheduleView = nullptr;
    BalanceChart* m_chart = nullptr;

    double m_pledge = 0;
    QDate m_firstMonth;
    PlanComparison m_comparison;
    std::shared_ptr<const PlanResult> m_plan;
    std::vector<std::size_t> m_priority;
    QMap<std::tuple<std::int32_t, std::int64_t, std::int64_t>, CardDisclosure> m_disclosures;
    QStringList m_notesFitted; // the note each row's height was fitted to
    QString m_pendingMessage;  // told once the window is up
    bool m_loading = false;
    bool m_refitPending = false;
    bool m_askingAboutChanges = false;
};

// Opens the one My Cards window of the program (or brings it to the front),
// owned by `owner`; it closes when `owner` is hidden. Null when another
// process has My Cards open: its window was brought forward, or the user was
// told. `storePath` empty: the user's data folder.
MyCardsWindow* ShowMyCards(QWidget* owner, const QString& storePath = {});

} // namespace quenmark
