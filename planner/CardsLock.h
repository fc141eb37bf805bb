// One My Cards at a time per user and data folder: a lock file beside the
// saved cards ("cards.json.lock"). The process holding it also listens on a
// local socket, so that a second start (the desktop entry while the contents
// screen's window is open, or the other way round) brings the open window
// forward instead of opening a second window that would overwrite the first.
// The lock of a program that was killed is taken over.
#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;

namespace quenmark {

class CardsLock : public QObject
{
    Q_OBJECT
public:
    enum class Outcome {
        Taken,          // this process keeps the cards
        ShownElsewhere, // another process keeps them and brought its window forward
        OpenElsewhere,  // another process keeps them and did not answer
        NoLock          // no lock can be made there (a read-only folder): opened without one
    };
    struct Attempt
    {
        Outcome outcome = Outcome::NoLock;
        std::unique_ptr<CardsLock> lock; // when Taken
        QString message;                 // what to tell the user when OpenElsewhere
    };

    // Takes the lock for the cards at `storePath`. When taken, temporary files
    // that earlier runs left beside the cards are removed and other starts are
    // listened for; when another process holds it, that process is asked to
    // show its window.
    static Attempt take(const QString& storePath);
    // Asks the process holding the lock to bring its window forward; true when
    // it answered that it did.
    static bool askHolderToShow(const QString& storePath);
    static QString lockPath(const QString& storePath);
    // The local socket's name: one per user and data folder.
    static QString serverName(const QString& storePath);

    ~CardsLock() override;

signals:
    // Another start asked for the window.
    void showRequested();

private:
    explicit CardsLock(const QString& storePath);
    void listen();

    QString m_storePath;
    QLockFile m_file;
    QLocalServer* m_server = nullptr;
};

} // namespace quenmark
