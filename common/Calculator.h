// The calculator pattern shared by the payoff calculator (chapter 2) and the
// extra-money calculator (chapter 7):
//
//   amount boxes --> core reader --> platform messages (beep + dialog)
//                --> payment check --> engine run with an observer that writes
//                    the display and lets pending input through every seventh month
//
// AmountBoxes reads and corrects the three boxes (on leaving a box and at each
// Calculate) and makes the payment check. PayoffRunner runs the engine with the
// controls that could start a second run or leave the chapter disabled, and
// ends the run early when Stop is pressed or the window goes away.
// PayoffDisplay is the block of light result fields (common/ResultBox.h) one
// run writes into; each update is drawn at once through the page's LiveSurface.
#pragma once

#include <QLabel>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QVarLengthArray>
#include <array>
#include <functional>

#include "common/ResultBox.h"
#include "core/AmountReader.h"
#include "core/Payoff.h"

class QLineEdit;
class QPushButton;
class QWidget;

namespace quenmark {

// A label that reports a click; the calculators' labels put the focus into their box.
class ClickLabel : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

// The APR, balance and payment boxes of one calculator with their last accepted values.
class AmountBoxes : public QObject
{
    Q_OBJECT
public:
    // `window` parents the messages. The boxes are read when the focus leaves
    // them for another control of the window (not when the window itself loses
    // the focus to a dialog or another program), and when Enter is pressed in
    // them: the key then goes on to the window (which may turn the page),
    // unless the reading reported a correction.
    AmountBoxes(QWidget* window, QLineEdit* apr, QLineEdit* balance, QLineEdit* payment, CalculatorKind kind);

    double apr() const { return m_apr; }
    double balance() const { return m_balance; }
    double payment() const { return m_payment; }
    // The least acceptable payment worked out at the last check.
    double minimumAcceptable() const { return m_minimumAcceptable; }

    // Stored values back to 0 (the boxes keep their text).
    void reset();

    // Reads one box: empty -> "0.00", the core's reading written back with two
    // decimals; an APR above 30 is capped with a beep and the information
    // message, after which the APR box has the focus with its text selected.
    // True when a message reported a correction.
    bool readBox(AmountBox box);
    // The three readers in the order APR, balance, payment.
    void readAll();
    // The payment check of a Calculate. True: run with payment(). False: the
    // payment was replaced (beep, error message, box rewritten, focused and
    // selected) and nothing is to run.
    bool checkPayment();

    QLineEdit* box(AmountBox which) const;

signals:
    // A box was read (by leaving it or by a Calculate).
    void boxRead(quenmark::AmountBox box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void focusAndSelect(QLineEdit* edit);

    QPointer<QWidget> m_window;
    QLineEdit* m_boxes[3];
    CalculatorKind m_kind;
    double m_apr = 0;
    double m_balance = 0;
    double m_payment = 0;
    double m_minimumAcceptable = 0;
    bool m_reading = false; // a reading (with its message and refocus) is under way
};

// A result box of a calculator panel: `rect` is the box with its border; the
// box is read by a screen reader as `spokenName`.
ResultBox* makeResultBox(QWidget* panel, const char* objectName, const QRect& rect, const QString& spokenName);
// The panel's progress gauge.
LightGauge* makeGauge(QWidget* panel, const char* objectName, const QRect& rect, const QString& spokenName);

// The fields one display update changed, in the order they were written.
using ChangedFields = QVarLengthArray<LightWidget*, 8>;

// The result fields of one run. `average` may be null (chapter 7 shows none);
// `saved` is a box of the panel that the display empties with the others but
// never writes (chapter 7's MONEY SAVED, written by the chapter).
struct PayoffDisplay
{
    LiveSurface* surface = nullptr; // draws every update at once
    LightGauge* gauge = nullptr;
    ResultBox* years = nullptr;
    ResultBox* months = nullptr;
    ResultBox* payments = nullptr;
    ResultBox* interest = nullptr;
    ResultBox* money = nullptr;
    ResultBox* average = nullptr;
    ResultBox* saved = nullptr;

    // Gauge 0 (100 when there is nothing to pay), "0", "0", "0", "$0.00",
    // "$0.00", average empty; drawn and flushed at once.
    void reset(bool nothingOwed) const;
    // Every box (`saved` too) emptied and the gauge at 0; drawn and flushed at once.
    void clear() const;
    // Writes gauge, years, months, payments, interest, money paid and average
    // in that order, adding each field whose text changed to `changed`.
    void write(const PayoffState& state, ChangedFields& changed) const;
    // write(), then the changed fields drawn at once in one go.
    void show(const PayoffState& state) const;
    // Draws `changed` at once (flushed when the flush interval allows).
    void draw(const ChangedFields& changed) const;

private:
    // The gauge, then years, months, payments, interest, money paid and average.
    void fill(int percent, const std::array<QString, 6>& texts, ChangedFields& changed) const;
};

// Runs the payoff engine for a calculator page.
class PayoffRunner
{
public:
    enum class Outcome {
        Finished,  // ran to the end
        Stopped,   // Stop was pressed (or the window asked to close)
        WindowGone // the window was destroyed during the run: touch nothing of it
    };

    // `window` is watched during the run: once it is destroyed nothing more is
    // shown and the run ends at the next yield.
    explicit PayoffRunner(QWidget* window);

    // Controls disabled for the duration of a run (Calculate, the leaving and
    // page buttons), and the Stop button shown during it.
    void setLockedDuringRun(QList<QWidget*> controls) { m_locked = std::move(controls); }
    void setStopButton(QPushButton* stop) { m_stop = stop; }
    // The surface the run's display draws through: flushed when a run ends,
    // finished or stopped, so its last figures are on screen.
    void setSurface(LiveSurface* surface) { m_surface = surface; }

    // Disables the locked controls, shows Stop, runs the engine (each
    // notification goes to `show`, each yield processes pending events), hides
    // Stop, processes pending events, enables the controls again (the last
    // three only when no beginRuns() holds them). The runner must be owned by
    // the window it watches.
    Outcome run(double apr, double balance, double firstPayment, const PayoffOptions& options,
                const std::function<void(const PayoffState&)>& show);

    // A page that makes several runs in a row (chapter 7 runs without and
    // with the extra money) keeps its controls locked across them by
    // bracketing the runs with these. endRuns() returns false when the window
    // was destroyed meanwhile (then touch nothing of it).
    void beginRuns();
    bool endRuns();

    // True from the start of a run (or of beginRuns) to its end.
    bool running() const { return m_depth > 0; }
    // Ends the current run before its next month; nothing when idle.
    void requestStop();

    // The state the last run ended with (valid after a Finished or Stopped run).
    const PayoffState& lastState() const { return m_last; }
    // How many runs have started so far.
    int runsStarted() const { return m_runsStarted; }

    // Called when the outermost run (or beginRuns/endRuns bracket) has ended,
    // finished or stopped, with the controls unlocked and the window still there.
    std::function<void()> onRunsEnded;

    // Test hook: called at every yield of a run, before pending events are processed.
    std::function<void(const PayoffState&)> onYield;

private:
    void lock(bool locked);

    QPointer<QWidget> m_window;
    QList<QWidget*> m_locked;
    QPushButton* m_stop = nullptr;
    LiveSurface* m_surface = nullptr;
    PayoffState* m_state = nullptr; // the running state, on the run's stack
    int m_depth = 0;                // nesting of beginRuns/endRuns
    int m_runsStarted = 0;
    QPointer<QWidget> m_focusBefore;
    PayoffState m_last;
};

} // namespace quenmark
