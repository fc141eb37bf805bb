// Files written whole or not at all, and files read only when they are
// ordinary files of a bounded size. Every file the program saves goes through
// WriteFileSafely: the bytes go to a temporary file beside the target
// ("<name>.XXXXXX"), every write, the flush to the disk and the close are
// checked, and only then is the temporary renamed over the target. On any
// failure the old file stays as it was, the temporary is removed and the
// caller gets the reason in words.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace quenmark {

// Writes `bytes` as the whole new content of `path` (a symbolic link is
// followed: its target is replaced). False with `error` ("the disk is full
// while writing /home/ann/schedule.csv") when anything fails; the file at
// `path` is then untouched.
bool WriteFileSafely(const QString& path, QByteArrayView bytes, QString* error = nullptr);

// The reason for an operating-system error code in words: "the disk is full",
// "permission denied", ...
QString OsErrorInWords(int code);

enum class ReadStatus {
    Missing,    // nothing at the path
    Read,       // `bytes` holds the whole file
    NotRegular, // a folder, a pipe, a device, a socket (or a link to one)
    TooLarge,   // more than `limit` bytes
    Failed      // could not be opened or read (`why`)
};

// Reads an ordinary file of at most `limit` bytes, never blocking on a pipe
// and never reading more than `limit` + 1 bytes.
ReadStatus ReadRegularFile(const QString& path, qint64 limit, QByteArray& bytes, QString* why = nullptr);

// Moves `from` to `to` (a new name in the same folder); where it cannot be
// renamed, an ordinary file is copied instead and `copied` is set.
bool MoveAside(const QString& from, const QString& to, bool* copied = nullptr);

// True when `fileName` is the name of a temporary file WriteFileSafely makes
// for a target named `targetName` ("cards.json.a1B2c3" for "cards.json").
bool IsTemporaryFileOf(const QString& fileName, const QString& targetName);
// Removes the ordinary temporary files of `path` left by earlier runs that
// were last written before `before`; returns the names removed.
QStringList RemoveLeftoverTemporaries(const QString& path, const QDateTime& before);

// Faults on purpose, for tests: an operating-system error code, or 0 for none.
struct FileFaults
{
    qint64 writeBudget = -1; // bytes the writes may still put out in all; -1: no limit
    int writeError = 0;      // the error once the budget is spent (e.g. ENOSPC)
    int renameError = 0;     // the rename into place fails with this
    int moveAsideError = 0;  // MoveAside fails (rename and copy) with this
};
// The faults in force; tests set them and put them back (FileFaultsForTest).
FileFaults& fileFaults();

class FileFaultsForTest
{
public:
    explicit FileFaultsForTest(const FileFaults& faults) { fileFaults() = faults; }
    ~FileFaultsForTest() { fileFaults() = FileFaults{}; }
    FileFaultsForTest(const FileFaultsForTest&) = delete;
    FileFaultsForTest& operator=(const FileFaultsForTest&) = delete;
};

} // namespace quenmark
