#include "common/Calculator.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <array>

#include "common/Layout.h"
#include "common/Platform.h"
#include "core/MoneyText.h"

namespace quenmark {

namespace {
QString q(const std::string& s)
{
    return QString::fromStdString(s);
}

QString dollars(double amount)
{
    return QLatin1Char('$') + q(AmountToText(amount));
}
} // namespace

// ---- ClickLabel ---------------------------------------------------------------------

void ClickLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit clicked();
    QLabel::mousePressEvent(event);
}

// ---- AmountBoxes --------------------------------------------------------------------

AmountBoxes::AmountBoxes(QWidget* window, QLineEdit* apr, QLineEdit* balance, QLineEdit* payment,
                         CalculatorKind kind)
    : QObject(window), m_window(window), m_boxes{apr, balance, payment}, m_kind(kind)
{
    for (QLineEdit* edit : m_boxes)
        edit->installEventFilter(this);
}

QLineEdit* AmountBoxes::box(AmountBox which) const
{
    return m_boxes[static_cast<int>(which)];
}

void AmountBoxes::reset()
{
    m_apr = m_balance = m_payment = m_minimumAcceptable = 0;
}

bool AmountBoxes::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && !m_reading) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && mods == Qt::NoModifier) {
            for (int i = 0; i < 3; ++i)
                if (watched == m_boxes[i] && readBox(static_cast<AmountBox>(i)))
                    return true; // the correction is on show: the key is used up
        }
    }
    if (event->type() == QEvent::FocusOut && !m_reading) {
        // Only a move to another control of this window counts as leaving the
        // box; a dialog coming up or the window losing the focus does not.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && m_window
            && m_window->isVisible()) {
            for (int i = 0; i < 3; ++i) {
                if (watched != m_boxes[i])
                    continue;
                // The box handles its focus-out first (it drops its selection
                // there); then it is read, which may select it again.
                m_reading = true;
                QCoreApplication::sendEvent(watched, event);
                m_reading = false;
                readBox(static_cast<AmountBox>(i));
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

void AmountBoxes::focusAndSelect(QLineEdit* edit)
{
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}

bool AmountBoxes::readBox(AmountBox which)
{
    QLineEdit* edit = box(which);
    if (edit->text().isEmpty())
        edit->setText(QStringLiteral("0.00"));
    const BoxReading reading = ReadAmountBox(edit->text().toStdString(), which);

    // The corrected value is in the box before any message comes up.
    const bool wasReading = m_reading;
    m_reading = true;
    edit->setText(q(reading.text));
    switch (which) {
    case AmountBox::Apr:
        m_apr = reading.value;
        break;
    case AmountBox::Balance:
        m_balance = reading.value;
        break;
    case AmountBox::Payment:
        m_payment = reading.value;
        break;
    }
    if (!reading.information.empty()) {
        const QPointer<QLineEdit> guard(edit);
        platform().beep();
        platform().showMessage(m_window, Platform::MessageIcon::Information, q(reading.information));
        if (guard)
            focusAndSelect(edit);
    }
    m_reading = wasReading;
    emit boxRead(which);
    return !reading.information.empty();
}

void AmountBoxes::readAll()
{
    readBox(AmountBox::Apr);
    readBox(AmountBox::Balance);
    readBox(AmountBox::Payment);
}

bool AmountBoxes::checkPayment()
{
    QLineEdit* edit = box(AmountBox::Payment);
    const PaymentCheck check = CheckPayment(m_apr, m_balance, m_payment, edit->text().toStdString(), m_kind);
    m_minimumAcceptable = check.minimumAcceptable;
    if (check.outcome == PaymentCheck::Outcome::Run)
        return true;

    const QPointer<QLineEdit> guard(edit);
    const bool wasReading = m_reading;
    m_reading = true;
    m_payment = check.payment;
    edit->setText(q(check.paymentText));
    platform().beep();
    platform().showMessage(m_window, Platform::MessageIcon::Error, q(check.error));
    if (guard)
        focusAndSelect(edit);
    m_reading = wasReading;
    return false;
}

// ---- PayoffDisplay ------------------------------------------------------------------

ResultBox* makeResultBox(QWidget* panel, const char* objectName, const QRect& rect, const QString& spokenName)
{
    auto* box = new ResultBox(panel);
    box->setObjectName(QString::fromLatin1(objectName));
    box->setGeometry(rect);
    box->setAccessibleName(spokenName);
    return box;
}

LightGauge* makeGauge(QWidget* panel, const char* objectName, const QRect& rect, const QString& spokenName)
{
    auto* gauge = new LightGauge(panel);
    gauge->setObjectName(QString::fromLatin1(objectName));
    gauge->setGeometry(rect);
    gauge->setAccessibleName(spokenName);
    return gauge;
}

void PayoffDisplay::fill(int percent, const std::array<QString, 6>& texts, ChangedFields& changed) const
{
    if (gauge->changeValue(percent))
        changed.append(gauge);
    const std::array<ResultBox*, 6> boxes{years, months, payments, interest, money, average};
    for (std::size_t i = 0; i < boxes.size(); ++i)
        if (boxes[i] && boxes[i]->changeText(texts[i]))
            changed.append(boxes[i]);
}

void PayoffDisplay::reset(bool nothingOwed) const
{
    ChangedFields changed;
    fill(nothingOwed ? 100 : 0,
         {QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("$0.00"),
          QStringLiteral("$0.00"), QString()},
         changed);
    draw(changed);
    if (surface)
        surface->flush();
}

void PayoffDisplay::clear() const
{
    ChangedFields changed;
    fill(0, {}, changed);
    if (saved && saved->changeText(QString()))
        changed.append(saved);
    draw(changed);
    if (surface)
        surface->flush();
}

void PayoffDisplay::write(const PayoffState& state, ChangedFields& changed) const
{
    fill(state.ProgressPercent,
         {QString::number(state.Years), QString::number(state.ExtraMonths), q(CountToText(state.MonthCount)),
          dollars(state.TotalInterest), dollars(state.TotalPaid), average ? dollars(state.AveragePayment) : QString()},
         changed);
}

void PayoffDisplay::show(const PayoffState& state) const
{
    ChangedFields changed;
    write(state, changed);
    draw(changed);
}

void PayoffDisplay::draw(const ChangedFields& changed) const
{
    if (changed.isEmpty())
        return;
    const std::span<LightWidget* const> fields(changed.data(), static_cast<std::size_t>(changed.size()));
    if (surface) {
        surface->draw(fields);
    } else {
        for (LightWidget* w : fields)
            w->update();
    }
}

// ---- PayoffRunner -------------------------------------------------------------------

namespace {
// Forwards the engine's notifications while the window lives; once it is gone
// the run is asked to stop and nothing more is shown.
class RunObserver : public PayoffObserver
{
public:
    RunObserver(const QPointer<QWidget>& window, PayoffState& state,
                const std::function<void(const PayoffState&)>& show,
                const std::function<void(const PayoffState&)>& onYield)
        : m_window(window), m_state(state), m_show(show), m_onYield(onYield)
    {
    }

    void notify(const PayoffState& state) override
    {
        if (m_window)
            m_show(state);
    }

    void yield() override
    {
        if (m_window && m_onYield)
            m_onYield(m_state);
        if (m_window)
            QApplication::processEvents();
        if (!m_window)
            m_state.StopRequested = true;
    }

private:
    const QPointer<QWidget>& m_window;
    PayoffState& m_state;
    const std::function<void(const PayoffState&)>& m_show;
    // A copy: the runner that owns the hook may go with the window.
    const std::function<void(const PayoffState&)> m_onYield;
};
} // namespace

PayoffRunner::PayoffRunner(QWidget* window) : m_window(window) {}

void PayoffRunner::lock(bool locked)
{
    if (m_stop && locked)
        m_stop->show();
    for (QWidget* w : std::as_const(m_locked)) {
        w->setEnabled(!locked);
        w->repaint();
    }
    if (m_stop && locked)
        m_stop->repaint();
}

void PayoffRunner::requestStop()
{
    if (m_state)
        m_state->StopRequested = true;
}

void PayoffRunner::beginRuns()
{
    if (m_depth++ > 0)
        return;
    // Stop is shown before Calculate is disabled, so the focus moves on to it.
    m_focusBefore = QApplication::focusWidget();
    lock(true);
}

bool PayoffRunner::endRuns()
{
    if (m_depth == 0 || --m_depth > 0)
        return true;
    const QPointer<QWidget> window = m_window;
    if (m_stop)
        m_stop->hide();
    QApplication::processEvents();
    if (!window)
        return false; // `this` went with the window
    lock(false);
    if (m_focusBefore && (m_focusBefore == m_stop || m_locked.contains(m_focusBefore.data())))
        m_focusBefore->setFocus(Qt::OtherFocusReason);
    m_focusBefore = nullptr;
    if (onRunsEnded)
        onRunsEnded();
    return true;
}

PayoffRunner::Outcome PayoffRunner::run(double apr, double balance, double firstPayment,
                                        const PayoffOptions& options,
                                        const std::function<void(const PayoffState&)>& show)
{
    // Everything the run needs lives on this stack frame, so that a window
    // destroyed during a yield leaves nothing dangling behind.
    const QPointer<QWidget> window = m_window;
    const std::function<void(const PayoffState&)> showCopy = show;
    PayoffState state;
    RunObserver observer(window, state, showCopy, onYield);

    beginRuns();
    ++m_runsStarted;
    m_state = &state;
    const bool finished = RunPayoff(apr, balance, firstPayment, options, state, &observer);
    if (!window)
        return Outcome::WindowGone; // `this` went with the window
    m_state = nullptr;
    // The last figures go to the screen now, whatever the flush interval.
    if (m_surface)
        m_surface->flush();
    m_last = state;
    if (!endRuns())
        return Outcome::WindowGone;
    return finished ? Outcome::Finished : Outcome::Stopped;
}

} // namespace quenmark
