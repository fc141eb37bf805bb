// One calculator page's working parts, shared by the payoff calculator
// (chapter 2) and the extra-money calculator (chapter 7): the four boxes
// (creditor name, APR, balance, payment) with their labels, Calculate, Stop and
// the abort notice, the result panels, the reading of the boxes and the payment
// check, and the run that writes a display live and can be stopped.
//
// A chapter makes its panel a member (so it goes before the window's widgets
// and nothing it connected runs while they are torn down), builds the page's
// parts through it in the order the page stacks them, and calls finish(). A
// Calculate first calls readAndCheck(); the chapter then runs what its
// calculator runs with run() or showResult(). Each finished result is reported
// by finished().
#pragma once

#include <QObject>
#include <QRect>
#include <array>
#include <functional>
#include <span>
#include <vector>

#include "common/Calculator.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace quenmark {

class LessonFrame;

// Where the four labels and boxes of a calculator stand (creditor name, APR,
// balance, payment), and the size of the labels' words.
struct CalculatorInputs
{
    std::array<QRect, 4> labels = {};
    std::array<QRect, 4> boxes = {};
    int labelPx = 13;
};

// The figure a result box shows.
enum class ResultField { None, Years, Months, Payments, Interest, Money, Average, Saved };

// One item of a result panel: a white bold label (field None) or a result box
// (`text` is then what a screen reader calls it). Names get the panel's suffix.
struct ResultItem
{
    const char* name = "";
    QRect rect = {};
    const char* text = "";
    ResultField field = ResultField::None;
    Qt::Alignment align = {};
};

// A teal result panel with its gauge and items; texts are translated in `context`.
struct ResultPanelSpec
{
    const char* context = "";
    const char* name = "";
    const char* suffix = ""; // added to every item's name ("1", "2"; "" for none)
    QRect rect = {};
    const char* spokenPanel = nullptr; // put before every box's spoken name ("With Extra Money: ")
    const char* gaugeName = "";
    QRect gaugeRect = {};
    bool gaugeOnPage = false; // under the panel on the page (else inside the panel)
    const char* gaugeSpoken = "";
    std::span<const ResultItem> items = {};
};

class CalculatorPanel : public QObject
{
    Q_OBJECT
public:
    CalculatorPanel(LessonFrame* window, CalculatorKind kind);
    ~CalculatorPanel() override;

    // ---- building the page (in the order the page stacks its parts) ----
    void addInputs(QWidget* page, const CalculatorInputs& spec);
    void addCalculate(QWidget* page, const char* objectName, const QRect& rect);
    void addStop(QWidget* page, const QRect& rect);
    void addAbortNotice(QWidget* page, const QRect& rect);
    PayoffDisplay addResults(QWidget* page, const ResultPanelSpec& spec);
    // Once everything is made: the Tab order (name, APR, balance, payment,
    // Calculate, Stop, then every result box panel by panel), the controls a
    // run locks, the clicks, and the summary a screen reader hears when a run
    // ends or is stopped.
    void finish();

    // ---- the parts ----
    QLineEdit* nameBox() const { return m_edits[0]; }
    QLineEdit* box(AmountBox which) const { return m_edits[static_cast<std::size_t>(which) + 1]; }
    QPushButton* calculateButton() const { return m_calculate; }
    AmountBoxes& boxes() { return *m_boxes; }
    PayoffRunner& runner() { return m_runner; }
    LiveSurface& surface() { return m_surface; }

    // The opening reset: the abort notice and Stop hidden, the stored values 0.
    void reset();
    // The focus to the creditor name (arriving on the page).
    void focusFirstBox();

    // The first part of a Calculate: nothing while a run is under way; the
    // abort notice hidden, the three boxes read (then `alsoRead`), the payment
    // checked. True when the calculator is to run with the values read.
    bool readAndCheck(const std::function<void()>& alsoRead = {});

    // Runs the engine into `display` (each notification written, then
    // `alsoWrite` adds its fields, then all drawn at once). A finished run is
    // reported by finished().
    PayoffRunner::Outcome run(const PayoffDisplay& display, const PayoffOptions& options,
                              const std::function<void(const PayoffState&, ChangedFields&)>& alsoWrite = {});
    // A result worked out at once (no run): shown, flushed and reported.
    void showResult(const PayoffDisplay& display, const PayoffState& state);

    // Stop: the abort notice shows and the run ends before its next month.
    void stop();
    // Ends a run without the notice (the window is being closed).
    void requestStop() { m_runner.requestStop(); }

    // One sentence of what the result panels show now ("Paid off in 15 years
    // 3 months, 183 payments, interest $2,487.89, ..."; each panel by its
    // name, then the money saved); prefixed by the abort notice after a Stop.
    QString summary() const;
    // Tells a screen reader the result boxes changed and says summary().
    void announceSummary();

    // Reports left() when the focus leaves `control` for another control of
    // the window (not for a popup or another window): a further input that a
    // chapter reads on leaving it.
    void readOnLeaving(QWidget* control);

signals:
    // A result is on show in full (a run that ran to its end, or a result worked out at once).
    void finished(const quenmark::PayoffState& state);
    // Stop was pressed.
    void stopped();
    // The focus left a control given to readOnLeaving().
    void left(QWidget* control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPushButton* button(QWidget* page, const char* objectName, const QString& words, const QRect& rect);

    LessonFrame* m_window;
    CalculatorKind m_kind;
    std::array<ClickLabel*, 4> m_labels{};
    std::array<QLineEdit*, 4> m_edits{};
    QPushButton* m_calculate = nullptr;
    QPushButton* m_stop = nullptr;
    QLabel* m_abort = nullptr;
    AmountBoxes* m_boxes = nullptr; // made by finish(), owned by the panel
    struct ShownPanel
    {
        PayoffDisplay display;
        QString spoken; // the panel's name for a screen reader ("With Extra Money"), may be empty
    };
    std::vector<ShownPanel> m_panels; // in the order made
    LiveSurface m_surface;
    PayoffRunner m_runner;
};

} // namespace quenmark
