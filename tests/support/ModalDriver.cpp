#include "ModalDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QTest>

namespace quenmark::test {

ModalDriver::ModalDriver()
{
    m_timer.setInterval(10);
    connect(&m_timer, &QTimer::timeout, this, &ModalDriver::poll);
}

ModalDriver::~ModalDriver() = default;

void ModalDriver::fail(const QString& why)
{
    if (m_failure.isEmpty())
        m_failure = why;
}

void ModalDriver::click(QWidget* window, const QString& objectName)
{
    auto* b = window->findChild<QAbstractButton*>(objectName);
    if (!b || !b->isVisible() || !b->isEnabled()) {
        fail(QStringLiteral("%1: button %2 not there to click").arg(window->objectName(), objectName));
        return;
    }
    QMetaObject::invokeMethod(
        b, [b] { QTest::mouseClick(b, Qt::LeftButton); }, Qt::QueuedConnection);
}

void ModalDriver::closeLater(QWidget* window)
{
    QMetaObject::invokeMethod(
        window, [window] { window->close(); }, Qt::QueuedConnection);
}

void ModalDriver::unwind(QWidget* modal)
{
    // Result 2 ends a chapter loop; any dialog closes with it.
    if (auto* d = qobject_cast<QDialog*>(modal))
        QMetaObject::invokeMethod(
            d, [d] { d->done(2); }, Qt::QueuedConnection);
}

void ModalDriver::poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == m_last)
        return;
    m_last = modal;
    seen.append(modal->objectName());
    if (failed()) {
        unwind(modal);
        return;
    }
    if (m_steps.isEmpty()) {
        fail(QStringLiteral("no step left for modal %1").arg(modal->objectName()));
        unwind(modal);
        return;
    }
    Step step = m_steps.takeFirst();
    step(modal);
    if (failed())
        unwind(modal);
}

} // namespace quenmark::test
