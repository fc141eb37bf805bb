// Keeping the user's cards safe: saves that fail part-way (a full disk, on
// purpose through the writer's byte budget and for real on a 64 KiB tmpfs where
// the machine lets the test mount one), a file another program changed, an
// unreadable file that cannot be moved aside, things that are not ordinary
// files in the cards' place, and one My Cards window at a time (the lock,
// a stale lock, bringing the open window forward, leftovers of killed saves).
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLockFile>
#include <QPushButton>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest>
#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "FakePlatform.h"
#include "TestWidgets.h"
#include "planner/CardStore.h"
#include "planner/CardsLock.h"
#include "planner/CardsModel.h"
#include "planner/MyCards.h"
#include "planner/SafeFile.h"

using namespace quenmark;
using quenmark::test::child;

namespace {

StoredPlan Sample(int cards = 5)
{
    StoredPlan p;
    for (int i = 0; i < cards; ++i)
        p.cards.append({QStringLiteral("Card %1").arg(i + 1), 19.8, 1000.0 + i, 25});
    p.pledge = 25;
    return p;
}

QByteArray Read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}

bool Write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QStringList Entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// A process id no program has: a child that has already ended.
qint64 DeadPid()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

} // namespace

class StoreTests : public QObject
{
    Q_OBJECT

    FakePlatform fake;
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<MyCardsWindow> w;
    QString mounted;

    QString folder() const { return dir->filePath(QStringLiteral("data")); }
    QString storePath() const { return folder() + QStringLiteral("/cards.json"); }
    void open()
    {
        w = std::make_unique<MyCardsWindow>(nullptr, storePath());
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }
    QString status() { return child<QLabel>(w.get(), "StatusLabel")->text(); }
    void addCard() { QTest::mouseClick(child<QPushButton>(w.get(), "BtnAddCard"), Qt::LeftButton); }
    int savedCards() { return static_cast<int>(CardStore(storePath()).load().plan.cards.size()); }
    // The files kept aside under `kind` ("damaged", "changed").
    QStringList keptAside(const char* kind)
    {
        return QDir(folder()).entryList({QStringLiteral("cards.%1-*.json").arg(QLatin1String(kind))},
                                        QDir::AllEntries | QDir::System);
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init()
    {
        fake.clear();
        fake.onMessage = nullptr;
        fake.onQuestion = nullptr;
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        QVERIFY(QDir().mkpath(folder()));
    }
    void cleanup()
    {
        fileFaults() = FileFaults{};
        w.reset();
        // A window ShowMyCards left open after a failure goes too.
        for (QWidget* top : QApplication::topLevelWidgets())
            if (qobject_cast<MyCardsWindow*>(top))
                delete top;
        if (!mounted.isEmpty())
            ::umount2(QFile::encodeName(std::exchange(mounted, QString())).constData(), MNT_DETACH);
        dir.reset();
    }

    // The writer keeps the old file whole when the disk fills part-way or the
    // rename is refused, removes its temporary file and says why in words.
    void writerKeepsTheOldFile_data()
    {
        QTest::addColumn<qint64>("budget");
        QTest::addColumn<int>("renameError");
        QTest::addColumn<QString>("words");
        QTest::newRow("written") << qint64(-1) << 0 << "";
        QTest::newRow("disk full at once") << qint64(0) << 0 << "the disk is full";
        QTest::newRow("disk full after 1 byte") << qint64(1) << 0 << "the disk is full";
        QTest::newRow("disk full half way") << qint64(5000) << 0 << "the disk is full";
        QTest::newRow("disk full at the last byte") << qint64(9999) << 0 << "the disk is full";
        QTest::newRow("rename refused") << qint64(-1) << int(EACCES) << "permission denied";
    }
    void writerKeepsTheOldFile()
    {
        QFETCH(qint64, budget);
        QFETCH(int, renameError);
        QFETCH(QString, words);
        const QByteArray bytes(10000, 'x');
        for (const bool existing : {true, false}) {
            const QString path = folder() + (existing ? "/old.csv" : "/new.csv");
            if (existing)
                QVERIFY(Write(path, "the old content"));
            FileFaultsForTest faults({budget, ENOSPC, renameError, 0});
            QString error;
            QCOMPARE(WriteFileSafely(path, bytes, &error), words.isEmpty());
            if (words.isEmpty()) {
                QCOMPARE(Read(path), bytes);
                continue;
            }
            QCOMPARE(error, words + " while writing " + QDir::toNativeSeparators(path));
            if (existing)
                QCOMPARE(Read(path), QByteArray("the old content"));
            else
                QVERIFY(!QFile::exists(path));
        }
        QCOMPARE(Entries(folder()), (words.isEmpty() ? QStringList{"new.csv", "old.csv"} : QStringList{"old.csv"}));
    }

    // A full disk while the window saves: the old file stays, the window says
    // why and keeps the cards; closing then asks (try again, close without
    // saving, stay), and a window that stays saves them at the next change.
    void fullDiskWhileSaving_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<int>("saved");
        QTest::newRow("try again after making room") << 0 << true << 6;
        QTest::newRow("close without saving") << 1 << true << 5;
        QTest::newRow("cancel") << 2 << false << 5;
    }
    void fullDiskWhileSaving()
    {
        QFETCH(int, answer);
        QFETCH(bool, closed);
        QFETCH(int, saved);
        QCOMPARE(CardStore(storePath()).save(Sample()), CardStore::SaveResult::Saved);
        const QByteArray before = Read(storePath());
        open();
        fileFaults() = {100, ENOSPC, 0, 0};
        addCard();
        const QString notSaved = "Your cards could not be saved: the disk is full while writing " +
                                 QDir::toNativeSeparators(storePath()) + ".";
        QCOMPARE(status(), notSaved + " They stay in this window and are saved again at your next change.");
        QCOMPARE(Read(storePath()), before);
        QCOMPARE(Entries(folder()), QStringList{"cards.json"});
        QCOMPARE(w->cardsModel()->rowCount(), 6);
        fake.onQuestion = [&](const FakePlatform::Question& q) {
            if (q.choices.value(answer) == QLatin1String("Try Again"))
                fileFaults() = FileFaults{};
            return answer;
        };
        w->close();
        QCOMPARE(fake.questions.size(), 1);
        QVERIFY2(fake.questions[0].text.startsWith(notSaved + " Try again"), qPrintable(fake.questions[0].text));
        QCOMPARE(fake.questions[0].choices, (QStringList{"Try Again", "Close Without Saving", "Cancel"}));
        QCOMPARE(w->isVisible(), !closed);
        fileFaults() = FileFaults{};
        QCOMPARE(savedCards(), saved);
        if (!closed) {
            addCard(); // room again: both new cards are saved
            QCOMPARE(savedCards(), 7);
            QVERIFY(child<QLabel>(w.get(), "StatusLabel")->isHidden());
        }
    }

    // A real full disk: a 64 KiB tmpfs filled up before the window saves.
    void realFullDisk()
    {
        const QByteArray where = QFile::encodeName(folder());
        if (::mount("tmpfs", where.constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP(qPrintable("no tmpfs can be mounted here: " + qt_error_string(errno)));
        mounted = folder();
        QCOMPARE(CardStore(storePath()).save(Sample()), CardStore::SaveResult::Saved);
        QVERIFY(Write(folder() + "/old.csv", "the old schedule"));
        const QByteArray cards = Read(storePath());
        {
            const int fd = ::open((where + "/filler").constData(), O_WRONLY | O_CREAT, 0600);
            QVERIFY(fd >= 0);
            const QByteArray block(4096, 'f');
            while (::write(fd, block.constData(), static_cast<size_t>(block.size())) > 0) {
            }
            ::close(fd);
        }
        open();
        addCard();
        QVERIFY2(status().contains("the disk is full while writing"), qPrintable(status()));
        for (const QString& csv : {QStringLiteral("old.csv"), QStringLiteral("new.csv")}) {
            fake.clear();
            QVERIFY(!w->exportSchedule(folder() + "/" + csv));
            QCOMPARE(fake.messages.size(), 1);
            QVERIFY2(fake.messages[0].text.startsWith("The schedule could not be saved: the disk is full"),
                     qPrintable(fake.messages[0].text));
            QCOMPARE(status(), fake.messages[0].text);
        }
        QCOMPARE(Read(folder() + "/old.csv"), QByteArray("the old schedule"));
        QCOMPARE(Entries(folder()), (QStringList{"cards.json", "filler", "old.csv"}));
        fake.onQuestion = [](const FakePlatform::Question&) { return 1; }; // close without saving
        w->close();
        QVERIFY(!w->isVisible());
        QCOMPARE(fake.questions.size(), 1);
        QCOMPARE(Read(storePath()), cards);
        // Room again: the next start reads the five cards.
        QVERIFY(QFile::remove(folder() + "/filler"));
        QCOMPARE(savedCards(), 5);
    }

    // Another program changed the file since the window read it: asked, and
    // neither side's cards are dropped unasked.
    void changedByAnotherProgram_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("shown");     // cards in the window afterwards
        QTest::addColumn<int>("inFile");    // cards in cards.json afterwards
        QTest::addColumn<bool>("theirsKept"); // their file kept aside as cards.changed-*.json
        QTest::newRow("keep mine") << 0 << 6 << 6 << true;
        QTest::newRow("reload theirs") << 1 << 2 << 2 << false;
        QTest::newRow("decide later") << 2 << 6 << 2 << false;
    }
    void changedByAnotherProgram()
    {
        QFETCH(int, answer);
        QFETCH(int, shown);
        QFETCH(int, inFile);
        QFETCH(bool, theirsKept);
        QCOMPARE(CardStore(storePath()).save(Sample()), CardStore::SaveResult::Saved);
        open();
        QCOMPARE(CardStore(storePath()).save(Sample(2)), CardStore::SaveResult::Saved); // the other program
        const QByteArray theirs = Read(storePath());
        fake.onQuestion = [&](const FakePlatform::Question&) { return answer; };
        addCard();
        QTRY_COMPARE(fake.questions.size(), 1);
        QVERIFY(fake.questions[0].text.startsWith("Another program changed " +
                                                  QDir::toNativeSeparators(storePath()) + " since My Cards read it."));
        QCOMPARE(fake.questions[0].choices, (QStringList{"Keep Mine", "Reload Theirs", "Decide Later"}));
        QCOMPARE(w->cardsModel()->rowCount(), shown);
        QCOMPARE(savedCards(), inFile);
        const QStringList kept = keptAside("changed");
        QCOMPARE(kept.size(), theirsKept ? 1 : 0);
        if (theirsKept) {
            QCOMPARE(Read(folder() + "/" + kept[0]), theirs);
            QVERIFY(status().contains(kept[0]));
        }
        // Closing asks again while it is undecided; the window stays.
        fake.onQuestion = nullptr;
        w->close();
        QCOMPARE(fake.questions.size(), answer == 2 ? 2 : 1);
        QCOMPARE(w->isVisible(), answer == 2);
        QCOMPARE(Read(storePath()).isEmpty(), false);
        if (answer == 2)
            QCOMPARE(Read(storePath()), theirs);
    }

    // An unreadable file that could not be moved aside is never overwritten.
    void unreadableFileInTheWay()
    {
        QVERIFY(Write(storePath(), "{\"format\":1,\"cards\":[{\"na"));
        FileFaultsForTest moveFails({-1, 0, 0, EACCES});
        open();
        QVERIFY2(status().contains("It could not be moved aside, so it stays as"), qPrintable(status()));
        addCard();
        QCOMPARE(status(), "Your cards could not be saved: the unreadable file " +
                               QDir::toNativeSeparators(storePath()) +
                               " is in the way. They stay in this window and are saved again at your next change.");
        QCOMPARE(Read(storePath()), QByteArray("{\"format\":1,\"cards\":[{\"na"));
        QCOMPARE(Entries(folder()), QStringList{"cards.json"});
    }

    // Only an ordinary file is read, and at most the size limit: anything else
    // in its place is set aside like a damaged file, without blocking.
    void onlyOrdinaryFilesAreRead_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("why");
        QTest::newRow("pipe") << "fifo" << "it is not an ordinary file";
        QTest::newRow("link to /dev/zero") << "zero" << "it is not an ordinary file";
        QTest::newRow("folder") << "folder" << "it is not an ordinary file";
        QTest::newRow("too large") << "large" << "it is larger than 16 MB";
        QTest::newRow("link to an ordinary file") << "link" << "";
    }
    void onlyOrdinaryFilesAreRead()
    {
        QFETCH(QString, kind);
        QFETCH(QString, why);
        const QByteArray path = QFile::encodeName(storePath());
        const QString target = dir->filePath(QStringLiteral("elsewhere.json"));
        if (kind == "fifo")
            QCOMPARE(::mkfifo(path.constData(), 0600), 0);
        else if (kind == "zero")
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), storePath()));
        else if (kind == "folder")
            QVERIFY(QDir().mkpath(storePath()));
        else if (kind == "large")
            QVERIFY(Write(storePath(), "{") && QFile(storePath()).resize(CardStore::kLargestFile + 1));
        else if (kind == "link")
            QVERIFY(CardStore(target).save(Sample()) == CardStore::SaveResult::Saved &&
                    QFile::link(target, storePath()));
        const bool wasLink = QFileInfo(storePath()).isSymLink(), wasFolder = QFileInfo(storePath()).isDir();
        open();
        addCard();
        if (why.isEmpty()) {
            // Read through the link, and saved through it: the link stays.
            QCOMPARE(w->cardsModel()->rowCount(), 6);
            QVERIFY(QFileInfo(storePath()).isSymLink());
            QCOMPARE(static_cast<int>(CardStore(target).load().plan.cards.size()), 6);
            return;
        }
        QVERIFY2(status().contains("Your saved cards could not be read: " + why), qPrintable(status()));
        QTRY_COMPARE(fake.messages.size(), 1);
        const QStringList kept = keptAside("damaged");
        QCOMPARE(kept.size(), 1);
        const QFileInfo aside(folder() + "/" + kept[0]);
        QCOMPARE(aside.isSymLink(), wasLink);
        QCOMPARE(aside.isDir(), wasFolder);
        if (kind == "large")
            QCOMPARE(aside.size(), CardStore::kLargestFile + 1);
        // The new save is an ordinary file.
        QVERIFY(QFileInfo(storePath()).isFile() && !QFileInfo(storePath()).isSymLink());
        QCOMPARE(savedCards(), 1);
    }

    // At most one My Cards keeps the cards: a live holder keeps a second one
    // out, a killed holder's lock is taken over, and taking it removes the
    // temporary files of earlier saves (and only those).
    void oneWindowAtATime_data()
    {
        QTest::addColumn<QString>("holder");
        QTest::addColumn<bool>("opens");
        QTest::newRow("nobody") << "none" << true;
        QTest::newRow("a killed program") << "dead" << true;
        QTest::newRow("a running program") << "live" << false;
    }
    void oneWindowAtATime()
    {
        QFETCH(QString, holder);
        QFETCH(bool, opens);
        const QString lockPath = CardsLock::lockPath(storePath());
        QLockFile live(lockPath);
        if (holder == "live")
            QVERIFY(live.tryLock(0));
        if (holder == "dead")
            QVERIFY(Write(lockPath, QByteArray::number(DeadPid()) + "\nquenmark\n" +
                                        QSysInfo::machineHostName().toUtf8() + "\n"));
        const QStringList leftovers{"cards.json.a1B2c3", "cards.json.ZZZZZZ"};
        const QStringList others{"cards.json.a1B2c", "cards.json.a1B2c3d", "cards.json.a1-2c3", "notes.json.a1B2c3"};
        // An hour ago, or (the last) written after the lock was taken.
        for (const QString& name : leftovers + others + QStringList{"cards.json.fresh1"}) {
            QFile f(folder() + "/" + name);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(name.endsWith("fresh1") ? 3600 : -3600),
                                  QFileDevice::FileModificationTime));
        }

        QPointer<MyCardsWindow> opened = ShowMyCards(nullptr, storePath());
        QCOMPARE(bool(opened), opens);
        for (const QString& name : leftovers)
            QCOMPARE(QFile::exists(folder() + "/" + name), !opens);
        for (const QString& name : others + QStringList{"cards.json.fresh1"})
            QVERIFY2(QFile::exists(folder() + "/" + name), qPrintable(name));
        if (!opens) {
            QCOMPARE(fake.messages.size(), 1);
            QVERIFY2(fake.messages[0].text.startsWith(
                         QString("My Cards is already open in another Quenmark window (process %1).")
                             .arg(QCoreApplication::applicationPid())),
                     qPrintable(fake.messages[0].text));
            return;
        }
        QVERIFY(fake.messages.isEmpty());
        // A second start while it is open brings it forward instead.
        opened->hide();
        const CardsLock::Attempt second = CardsLock::take(storePath());
        QCOMPARE(second.outcome, CardsLock::Outcome::ShownElsewhere);
        QVERIFY(!second.lock);
        QVERIFY(opened->isVisible());
        // Closed, it lets the next one in.
        opened->close();
        QTRY_VERIFY(!opened);
        QCOMPARE(CardsLock::take(storePath()).outcome, CardsLock::Outcome::Taken);
    }
};

QTEST_MAIN(StoreTests)
#include "tst_planner_store.moc"
