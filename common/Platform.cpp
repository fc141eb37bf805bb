#include "common/Platform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>
#include <QUrl>

namespace quenmark {

namespace {
QtPlatform& qtPlatform()
{
    static QtPlatform instance;
    return instance;
}
Platform* g_platform = nullptr;
} // namespace

Platform& platform()
{
    return g_platform ? *g_platform : qtPlatform();
}

void setPlatform(Platform* p)
{
    g_platform = p;
}

std::uint64_t QtPlatform::tickMs()
{
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return static_cast<std::uint64_t>(clock.elapsed());
}

void QtPlatform::waitUntil(std::uint64_t deadlineMs)
{
    // No message processing: input made meanwhile waits in the queue.
    for (std::uint64_t now = tickMs(); now < deadlineMs; now = tickMs())
        QThread::msleep(static_cast<unsigned long>(deadlineMs - now));
}

QDate QtPlatform::today()
{
    return QDate::currentDate();
}

void QtPlatform::beep()
{
    QApplication::beep();
}

void QtPlatform::showMessage(QWidget* parent, MessageIcon icon, const QString& text)
{
    const bool info = icon == MessageIcon::Information;
    QMessageBox box(info ? QMessageBox::Information : QMessageBox::Critical,
                    info ? QObject::tr("Information") : QObject::tr("Error"), text, QMessageBox::NoButton,
                    parent);
    box.addButton(QObject::tr("OK"), QMessageBox::AcceptRole);
    box.exec();
}

int QtPlatform::question(QWidget* parent, const QString& text, const QStringList& choices)
{
    QMessageBox box(QMessageBox::Warning, QObject::tr("Question"), text, QMessageBox::NoButton, parent);
    QList<QAbstractButton*> buttons;
    for (qsizetype i = 0; i < choices.size(); ++i)
        buttons.append(box.addButton(choices[i], i + 1 == choices.size() ? QMessageBox::RejectRole
                                                                          : QMessageBox::AcceptRole));
    if (!buttons.isEmpty()) {
        box.setDefaultButton(static_cast<QPushButton*>(buttons.first()));
        box.setEscapeButton(buttons.last());
    }
    box.exec();
    const qsizetype chosen = buttons.indexOf(box.clickedButton());
    return static_cast<int>(chosen >= 0 ? chosen : choices.size() - 1);
}

QString QtPlatform::chooseFile(QWidget* parent, bool save, const QString& title, const QString& suggested,
                              const QString& filter)
{
    return save ? QFileDialog::getSaveFileName(parent, title, suggested, filter)
                : QFileDialog::getOpenFileName(parent, title, suggested, filter);
}

void QtPlatform::openUrl(const QString& address)
{
    QDesktopServices::openUrl(QUrl(address));
}

} // namespace quenmark
