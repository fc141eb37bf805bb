#include "planner/SafeFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quenmark {

namespace {

QString T(const char* text)
{
    return QCoreApplication::translate("quenmark::SafeFile", text);
}

QString Native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// The file a save replaces: `path`, or what its symbolic links lead to.
QString FinalTarget(const QString& path)
{
    QFileInfo info(path);
    for (int depth = 0; depth < 40 && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    return info.absoluteFilePath();
}

mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// write(2) with the test's byte budget standing in for the disk's room.
ssize_t WriteSome(int fd, const char* data, std::size_t size)
{
    FileFaults& faults = fileFaults();
    if (faults.writeBudget >= 0) {
        if (faults.writeBudget == 0) {
            errno = faults.writeError ? faults.writeError : ENOSPC;
            return -1;
        }
        size = std::min<std::size_t>(size, static_cast<std::size_t>(faults.writeBudget));
    }
    const ssize_t n = ::write(fd, data, size);
    if (n > 0 && faults.writeBudget >= 0)
        faults.writeBudget -= n;
    return n;
}

bool WriteAll(int fd, QByteArrayView bytes)
{
    const char* data = bytes.data();
    std::size_t left = static_cast<std::size_t>(bytes.size());
    while (left > 0) {
        const ssize_t n = WriteSome(fd, data, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC; // nothing taken: no room
            return false;
        }
        data += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

// The folder's entry for the new name reaches the disk too (errors here do not
// undo a rename that has happened).
void SyncFolder(const QByteArray& folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

FileFaults& fileFaults()
{
    static FileFaults faults;
    return faults;
}

QString OsErrorInWords(int code)
{
    switch (code) {
    case ENOSPC:
        return T("the disk is full");
#ifdef EDQUOT
    case EDQUOT:
        return T("your disk quota is used up");
#endif
    case EACCES:
    case EPERM:
        return T("permission denied");
    case EROFS:
        return T("the disk is read-only");
    case EFBIG:
        return T("the file is too large for the disk");
    case EIO:
        return T("the disk reported an error");
    case EISDIR:
        return T("a folder of that name is in the way");
    case ENOTDIR:
        return T("part of the path is not a folder");
    case ENAMETOOLONG:
        return T("the name is too long");
    case EMFILE:
    case ENFILE:
        return T("too many files are open");
    default:
        break;
    }
    QString words = qt_error_string(code);
    if (words.size() > 1 && words[0].isUpper() && words[1].isLower())
        words[0] = words[0].toLower();
    return words;
}

bool WriteFileSafely(const QString& path, QByteArrayView bytes, QString* error)
{
    const QString target = FinalTarget(path);
    const QByteArray targetName = QFile::encodeName(target);
    const QByteArray folder = QFile::encodeName(QFileInfo(target).absolutePath());
    auto fail = [&](int code) {
        if (error) {
            if (code == ENOENT)
                *error = T("the folder %1 does not exist").arg(Native(QFileInfo(path).absolutePath()));
            else
                *error = T("%1 while writing %2").arg(OsErrorInWords(code), Native(path));
        }
        return false;
    };

    // Only an ordinary file is replaced (never a folder, a device or a pipe,
    // even through a link).
    struct stat old{};
    const bool exists = ::stat(targetName.constData(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) {
        if (error)
            *error = T("%1 is not an ordinary file").arg(Native(path));
        return false;
    }

    QByteArray temporary = targetName + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return fail(errno);
    auto abandon = [&](int code, bool open) {
        if (open)
            ::close(fd);
        ::unlink(temporary.constData());
        return fail(code);
    };
    // The permissions the file had, or those of any new file.
    ::fchmod(fd, exists ? (old.st_mode & 07777) : NewFileMode());
    if (!WriteAll(fd, bytes))
        return abandon(errno, true);
    if (::fsync(fd) != 0 && errno != EINVAL)
        return abandon(errno, true);
    if (::close(fd) != 0 && errno != EINTR)
        return abandon(errno, false);
    if (const int code = fileFaults().renameError)
        return abandon(code, false);
    if (::rename(temporary.constData(), targetName.constData()) != 0)
        return abandon(errno, false);
    SyncFolder(folder);
    return true;
}

ReadStatus ReadRegularFile(const QString& path, qint64 limit, QByteArray& bytes, QString* why)
{
    bytes.clear();
    const QByteArray name = QFile::encodeName(path);
    auto failed = [&](int code) {
        if (why)
            *why = OsErrorInWords(code);
        return ReadStatus::Failed;
    };
    // The type first: a pipe or a device is never opened.
    struct stat info{};
    if (::stat(name.constData(), &info) != 0)
        return errno == ENOENT || errno == ENOTDIR ? ReadStatus::Missing : failed(errno);
    if (!S_ISREG(info.st_mode))
        return ReadStatus::NotRegular;
    if (info.st_size > limit)
        return ReadStatus::TooLarge;
    // Non-blocking, and the type checked again on what was opened: it may have
    // been replaced in between.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? ReadStatus::Missing : failed(errno);
    ReadStatus status = ReadStatus::Read;
    if (::fstat(fd, &info) != 0) {
        status = failed(errno);
    } else if (!S_ISREG(info.st_mode)) {
        status = ReadStatus::NotRegular;
    } else {
        bytes.resize(static_cast<qsizetype>(std::min<qint64>(info.st_size, limit) + 1));
        qint64 total = 0;
        for (;;) {
            if (total == bytes.size())
                bytes.resize(static_cast<qsizetype>(std::min<qint64>(total * 2, limit + 1)));
            if (total > limit) {
                status = ReadStatus::TooLarge; // grown while being read
                break;
            }
            const ssize_t n = ::read(fd, bytes.data() + total, static_cast<std::size_t>(bytes.size() - total));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                status = failed(errno);
                break;
            }
            if (n == 0)
                break;
            total += n;
        }
        bytes.resize(status == ReadStatus::Read ? static_cast<qsizetype>(total) : 0);
    }
    ::close(fd);
    return status;
}

bool MoveAside(const QString& from, const QString& to, bool* copied)
{
    if (copied)
        *copied = false;
    if (const int code = fileFaults().moveAsideError) {
        errno = code;
        return false;
    }
    const QByteArray source = QFile::encodeName(from);
    if (::rename(source.constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    // A copy, only of an ordinary file (a pipe or a device is never read).
    struct stat info{};
    if (::lstat(source.constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    if (!QFile::copy(from, to))
        return false;
    if (copied)
        *copied = true;
    return true;
}

bool IsTemporaryFileOf(const QString& fileName, const QString& targetName)
{
    if (fileName.size() != targetName.size() + 7 || !fileName.startsWith(targetName) ||
        fileName[targetName.size()] != QLatin1Char('.'))
        return false;
    for (qsizetype i = targetName.size() + 1; i < fileName.size(); ++i) {
        const char16_t c = fileName[i].unicode();
        if (!((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')))
            return false;
    }
    return true;
}

QStringList RemoveLeftoverTemporaries(const QString& path, const QDateTime& before)
{
    const QFileInfo target(path);
    QDir folder = target.absoluteDir();
    QStringList removed;
    const QStringList names = folder.entryList({target.fileName() + QStringLiteral(".??????")},
                                               QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QString& name : names) {
        if (!IsTemporaryFileOf(name, target.fileName()))
            continue;
        const QFileInfo leftover(folder.filePath(name));
        if (!leftover.isFile() || leftover.isSymLink() || leftover.lastModified() >= before)
            continue;
        if (QFile::remove(leftover.filePath()))
            removed.append(name);
    }
    return removed;
}

} // namespace quenmark
