#include "planner/CardsLock.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <unistd.h>

#include "planner/CardStore.h"

namespace quenmark {

namespace {

const QByteArray kShow = "show\n";
const QByteArray kShown = "shown\n";
// A holder that does not answer within this is taken as not answering (it
// answers from its event loop at once, a modal dialog included).
constexpr int kAnswerWithinMs = 3000;

} // namespace

CardsLock::CardsLock(const QString& storePath)
    : m_storePath(storePath), m_file(lockPath(storePath))
{
    // Held as long as the window is open: only a dead holder makes it stale.
    m_file.setStaleLockTime(0);
}

CardsLock::~CardsLock()
{
    if (m_server)
        m_server->close();
    m_file.unlock();
}

QString CardsLock::lockPath(const QString& storePath)
{
    return QFileInfo(storePath).absoluteFilePath() + QStringLiteral(".lock");
}

QString CardsLock::serverName(const QString& storePath)
{
    const QByteArray folder = QFileInfo(storePath).absoluteFilePath().toUtf8();
    return QStringLiteral("quenmark-cards-%1-%2")
        .arg(::getuid())
        .arg(QString::fromLatin1(QCryptographicHash::hash(folder, QCryptographicHash::Sha1).toHex().left(16)));
}

CardsLock::Attempt CardsLock::take(const QString& storePath)
{
    Attempt attempt;
    QDir().mkpath(QFileInfo(storePath).absolutePath());
    std::unique_ptr<CardsLock> lock(new CardsLock(storePath));
    const QDateTime before = QDateTime::currentDateTime();
    if (lock->m_file.tryLock(0)) {
        // No other window writes these cards now: a temporary file of a save
        // from before is what a killed program left.
        CardStore::removeLeftovers(storePath, before);
        lock->listen();
        attempt.outcome = Outcome::Taken;
        attempt.lock = std::move(lock);
        return attempt;
    }
    if (lock->m_file.error() != QLockFile::LockFailedError)
        return attempt; // NoLock
    if (askHolderToShow(storePath)) {
        attempt.outcome = Outcome::ShownElsewhere;
        return attempt;
    }
    qint64 pid = 0;
    QString host, program;
    lock->m_file.getLockInfo(&pid, &host, &program);
    attempt.outcome = Outcome::OpenElsewhere;
    attempt.message = tr("My Cards is already open in another Quenmark window (process %1). Only one My Cards "
                         "window at a time keeps your cards, so none is opened here: use that one, or close it "
                         "and open My Cards again.")
                          .arg(pid);
    return attempt;
}

void CardsLock::listen()
{
    const QString name = serverName(m_storePath);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(name)) {
        // A socket left by a killed holder: this process holds the lock now.
        QLocalServer::removeServer(name);
        if (!m_server->listen(name))
            return; // no bringing forward; the lock still keeps a second window out
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (!socket->canReadLine())
                    return;
                if (socket->readLine(64) == kShow) {
                    emit showRequested();
                    socket->write(kShown);
                    socket->flush();
                }
                socket->disconnectFromServer();
            });
        }
    });
}

bool CardsLock::askHolderToShow(const QString& storePath)
{
    QLocalSocket socket;
    QEventLoop loop;
    bool shown = false;
    connect(&socket, &QLocalSocket::connected, &loop, [&] { socket.write(kShow); });
    connect(&socket, &QLocalSocket::readyRead, &loop, [&] {
        if (socket.canReadLine()) {
            shown = socket.readLine(64) == kShown;
            loop.quit();
        }
    });
    connect(&socket, &QLocalSocket::errorOccurred, &loop, &QEventLoop::quit);
    connect(&socket, &QLocalSocket::disconnected, &loop, &QEventLoop::quit);
    QTimer::singleShot(kAnswerWithinMs, &loop, &QEventLoop::quit);
    socket.connectToServer(serverName(storePath));
    // Clicks and keys wait: the button that asked cannot be pressed again meanwhile.
    if (socket.state() != QLocalSocket::UnconnectedState)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!shown && socket.canReadLine()) // the answer came with the hang-up
        shown = socket.readLine(64) == kShown;
    return shown;
}

} // namespace quenmark
