// A platform double for tests: a clock that only moves when told to (or when a
// wait jumps it to its deadline), a fixed date, and records of beeps, messages,
// questions and opened addresses.
#pragma once

#include "common/Platform.h"

#include <QList>
#include <QString>
#include <functional>

namespace quenmark {

class FakePlatform : public Platform
{
public:
    struct Message
    {
        MessageIcon icon;
        QString title; // "Information" or "Error"
        QString text;
    };

    FakePlatform() { setPlatform(this); }
    ~FakePlatform() override { setPlatform(nullptr); }

    std::uint64_t now = 1000;         // the fake tick counter
    std::uint64_t autoAdvance = 0;    // added to `now` at every tickMs() call
    QDate date = QDate(2009, 6, 30);  // before the update-reminder date by default
    struct Question
    {
        QString text;
        QStringList choices;
    };

    int beeps = 0;
    QList<Message> messages;
    QList<Question> questions;
    // The answer to a question (an index into its choices); unset: the last
    // choice, as Escape gives.
    std::function<int(const Question&)> onQuestion;
    struct FileQuestion
    {
        bool save = false;
        QString title;
        QString suggested;
        QString filter;
    };
    QList<FileQuestion> fileQuestions;
    // The file chosen; unset: none (the dialog cancelled).
    std::function<QString(const FileQuestion&)> onChooseFile;
    QStringList openedUrls;
    QList<std::uint64_t> waits;       // every deadline waited for
    std::function<void(const Message&)> onMessage; // runs while "the dialog is up"
    std::function<void(std::uint64_t)> onWait;      // runs at the start of every wait

    std::uint64_t tickMs() override
    {
        const std::uint64_t t = now;
        now += autoAdvance;
        return t;
    }
    void waitUntil(std::uint64_t deadlineMs) override
    {
        waits.append(deadlineMs);
        if (onWait)
            onWait(deadlineMs);
        if (now < deadlineMs)
            now = deadlineMs;
    }
    QDate today() override { return date; }
    void beep() override { ++beeps; }
    void showMessage(QWidget*, MessageIcon icon, const QString& text) override
    {
        Message m{icon, icon == MessageIcon::Information ? QStringLiteral("Information") : QStringLiteral("Error"),
                  text};
        messages.append(m);
        if (onMessage)
            onMessage(m);
    }
    int question(QWidget*, const QString& text, const QStringList& choices) override
    {
        questions.append({text, choices});
        return onQuestion ? onQuestion(questions.last()) : static_cast<int>(choices.size()) - 1;
    }
    QString chooseFile(QWidget*, bool save, const QString& title, const QString& suggested,
                       const QString& filter) override
    {
        fileQuestions.append({save, title, suggested, filter});
        return onChooseFile ? onChooseFile(fileQuestions.last()) : QString();
    }
    void openUrl(const QString& address) override { openedUrls.append(address); }

    void clear()
    {
        beeps = 0;
        messages.clear();
        questions.clear();
        fileQuestions.clear();
        openedUrls.clear();
        waits.clear();
    }
};

} // namespace quenmark
