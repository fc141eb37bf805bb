// The one place that touches the clock, today's date, the beep, message
// dialogs, questions to the user, file dialogs and the browser. The program installs QtPlatform; tests install a
// double (tests/support/FakePlatform.h) to drive the clock and to see what was
// said and opened.
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <cstdint>

class QWidget;

namespace quenmark {

class Platform
{
public:
    enum class MessageIcon { Information, Error };

    virtual ~Platform() = default;

    // Monotonic milliseconds (64-bit: never wraps).
    virtual std::uint64_t tickMs() = 0;
    // Holds the calling (GUI) thread until tickMs() >= deadline without
    // processing any window messages; sleeps rather than spins.
    virtual void waitUntil(std::uint64_t deadlineMs) = 0;
    virtual QDate today() = 0;
    virtual void beep() = 0;
    // A modal message dialog with the given icon, the title "Information" or
    // "Error", and one "OK" button. Returns when it is closed.
    virtual void showMessage(QWidget* parent, MessageIcon icon, const QString& text) = 0;
    // A modal question titled "Question" with one button per choice (the first
    // is the default); returns the index of the choice made. Escape and the
    // title bar's close give the last choice.
    virtual int question(QWidget* parent, const QString& text, const QStringList& choices) = 0;
    // A modal file dialog: a file to open (`save` false) or where to save one
    // (`save` true, asking before a file is replaced), starting at
    // `suggested`, showing the files of `filter` ("CSV files (*.csv)").
    // Empty when cancelled.
    virtual QString chooseFile(QWidget* parent, bool save, const QString& title, const QString& suggested,
                               const QString& filter) = 0;
    // Opens a fixed web address of the program in the user's browser; the
    // answer is not examined.
    virtual void openUrl(const QString& address) = 0;
};

// The platform in use. Never null: the Qt implementation until another is set.
Platform& platform();
// Installs `p` (not owned); nullptr restores the Qt implementation.
void setPlatform(Platform* p);

// The real implementation on top of Qt.
class QtPlatform : public Platform
{
public:
    std::uint64_t tickMs() override;
    void waitUntil(std::uint64_t deadlineMs) override;
    QDate today() override;
    void beep() override;
    void showMessage(QWidget* parent, MessageIcon icon, const QString& text) override;
    int question(QWidget* parent, const QString& text, const QStringList& choices) override;
    QString chooseFile(QWidget* parent, bool save, const QString& title, const QString& suggested,
                       const QString& filter) override;
    void openUrl(const QString& address) override;
};

} // namespace quenmark
