// Drives modal windows in tests: a 10 ms timer looks at the active modal
// widget and runs the next scripted step for each new one. Clicks from a step
// must be queued (see click()), or the nested exec() starves the timer.
// When the script runs out or a step fails, every modal is closed so that the
// loops unwind and the test fails instead of hanging.
#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <functional>

class QWidget;

namespace quenmark::test {

class ModalDriver : public QObject
{
    Q_OBJECT
public:
    using Step = std::function<void(QWidget* modal)>;

    ModalDriver();
    ~ModalDriver() override;

    void add(Step step) { m_steps.append(std::move(step)); }
    void start() { m_timer.start(); }
    void stop() { m_timer.stop(); }

    bool failed() const { return !m_failure.isEmpty(); }
    QString failure() const { return m_failure; }
    int stepsLeft() const { return int(m_steps.size()); }
    // Object names of the modal windows met, in order.
    QStringList seen;

    // Records a failure; the modals are then closed.
    void fail(const QString& why);

    // A queued left click on the child `objectName` of `window`; fails if it is
    // missing or not visible and enabled.
    void click(QWidget* window, const QString& objectName);
    // A queued close of `window` (its title-bar close button).
    static void closeLater(QWidget* window);

private:
    void poll();
    void unwind(QWidget* modal);

    QTimer m_timer;
    QList<Step> m_steps;
    QPointer<QWidget> m_last;
    QString m_failure;
};

} // namespace quenmark::test
