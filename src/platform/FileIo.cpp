// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileIo.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

constexpr std::int64_t MiB = 1024 * 1024;

QString megabytes(std::int64_t bytes) { return QString::number(double(bytes) / MiB, 'g', 3); }

QString englishReason(FileError::Kind kind, const QString &fileName, const QString &detail, std::int64_t limit) {
    using Kind = FileError::Kind;
    switch (kind) {
    case Kind::Missing:
        return QStringLiteral("the file does not exist");
    case Kind::Folder:
        return QStringLiteral("this is a folder, not a file");
    case Kind::NotRegularFile:
        return QStringLiteral("this is not an ordinary file (a device, pipe or socket), so it is not read");
    case Kind::TooLarge:
        return QStringLiteral("the file is larger than %1 MB, more than any real file of its kind, "
                              "so it is not read")
            .arg(megabytes(limit));
    case Kind::ReadFailed:
        return QStringLiteral("the file cannot be read (%1)").arg(detail);
    case Kind::WriteFailed:
        return QStringLiteral("the file cannot be written (%1)").arg(detail);
    case Kind::SizeLimit:
        return QStringLiteral("the file would be larger than the %1 bytes this computer lets the program write; "
                              "the old file was kept")
            .arg(limit);
    case Kind::NotUtf8:
        return QStringLiteral("it begins with the UTF-8 mark, but line %1 is not UTF-8 text").arg(limit);
    case Kind::NulByte:
        return QStringLiteral("line %1 holds a NUL byte, which no text file of the program has, so it is not read")
            .arg(limit);
    case Kind::Utf16:
        return QStringLiteral("line %1 begins with the mark of UTF-16 text (\"Unicode\"), which the program does "
                              "not read; save the file as UTF-8")
            .arg(limit);
    case Kind::InUse:
        return QStringLiteral("another copy of Gnomora works in this folder; nothing was saved");
    case Kind::NotReadAtStart:
        return QStringLiteral("it could not be read at start, so it is not replaced");
    case Kind::NotLoadable:
        return QStringLiteral("this part of the program cannot be loaded (%1); install Gnomora again").arg(detail);
    case Kind::ModuleNotRegularFile:
        return QStringLiteral("this part of the program is not a regular file (a folder, device, pipe or socket); "
                              "install Gnomora again");
    case Kind::ModuleCutShort:
        return QStringLiteral("this part of the program is cut short; install Gnomora again");
    case Kind::ModuleEntryMissing:
        return QStringLiteral("the entry point %1 is missing: this is not a part of this Gnomora; "
                              "install Gnomora again")
            .arg(detail);
    case Kind::ModuleOtherVersion:
        return QStringLiteral("this part of the program belongs to another version of Gnomora; install Gnomora again");
    case Kind::ModuleWritableByOthers:
        return QStringLiteral("%1 is writable by other users, so this part of the program is not run; "
                              "install Gnomora again where only its owner can change it")
            .arg(detail);
    case Kind::ModuleForeignOwner:
        return QStringLiteral("%1 belongs to another user, so this part of the program is not run; "
                              "install Gnomora again")
            .arg(detail);
    case Kind::ModuleAltered:
        return QStringLiteral("this part of the program differs from the one built with this Gnomora (it was changed "
                              "or damaged); install Gnomora again");
    case Kind::NoExtension:
        return QStringLiteral("the name has no extension, so the picture's format is unknown "
                              "(use .jpg, .jpeg, .bmp, .png, .gif or .ico)");
    case Kind::UnknownExtension:
        return QStringLiteral("the extension \".%1\" names no picture format this program reads "
                              "(use .jpg, .jpeg, .bmp, .png, .gif or .ico)")
            .arg(detail);
    case Kind::NoReader:
        return QStringLiteral("pictures of the kind \".%1\" cannot be read on this computer "
                              "(the toolkit's reader for them is missing)")
            .arg(detail);
    case Kind::TooManyPixels:
        return QStringLiteral("the picture claims to be %1 pixels; pictures of more than %2 megapixels "
                              "are refused")
            .arg(detail)
            .arg(limit / 1'000'000);
    case Kind::TooManyScans:
        return QStringLiteral("the JPEG picture is stored in more than %1 scans, more than any camera or "
                              "program writes; it would take minutes to show")
            .arg(limit);
    case Kind::NotAPicture:
        return QStringLiteral("cannot be read as a %1 picture (%2)")
            .arg(QFileInfo(fileName).suffix().toUpper(), detail);
    case Kind::Damaged:
        return QStringLiteral("the picture is damaged or cut short (%1)").arg(detail);
    case Kind::OutOfMemory:
        return QStringLiteral("not enough memory for a picture of %1 pixels").arg(detail);
    }
    return detail;
}

// The most bytes a file this process writes may hold (ulimit -f), or -1 for no limit (Windows has
// no such limit).
std::int64_t fileSizeLimit() {
#ifdef Q_OS_WIN
    return -1;
#else
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return -1;
    return static_cast<std::int64_t>(limit.rlim_cur);
#endif
}

#ifndef Q_OS_WIN  // Windows reads files with its own calls: FileIo_win.cpp

QString systemError(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// Closes a file descriptor however reading ends.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

QByteArray readResource(const QString &fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(FileError::Kind::Missing, fileName);
    return file.readAll();
}

#endif  // !Q_OS_WIN

}  // namespace

FileError::FileError(Kind why, const QString &file, const QString &systemDetail, std::int64_t limitValue)
    : FileError(why, file, systemDetail, limitValue, englishReason(why, file, systemDetail, limitValue)) {}

FileError::FileError(Kind why, const QString &file, const QString &systemDetail, std::int64_t limitValue,
                     const QString &english)
    : std::runtime_error(QStringLiteral("File %1: %2").arg(file, english).toStdString()),
      kind(why), fileName(file), detail(systemDetail), limit(limitValue), reason(english) {}

namespace FileIo {

std::int64_t maxBytes(FileKind kind) {
    switch (kind) {
    case FileKind::Configuration:
        // The program itself writes at most about 1.2 MB: 35 texts of the places editor, each cut
        // at 32 767 characters. A typical file is under 2 KB.
        return 4 * MiB;
    case FileKind::Language:
        // The shipped files hold about 7 KB; a translation with long help texts stays far below.
        return 4 * MiB;
    case FileKind::LessonRecord:
        // Names, numbers and a few texts: a few kilobytes.
        return 4 * MiB;
    case FileKind::Reading:
        // A dozen short lines; anything near this size is some other file.
        return 64 * 1024;
    case FileKind::Picture:
        // A 50-megapixel camera JPEG is under 40 MB; an uncompressed 24-bit BMP of 40 megapixels is
        // 120 MB. Larger pictures are refused by their pixel count anyway.
        return 128 * MiB;
    case FileKind::Lock:
        // A process number, the program's and the computer's names and a boot id: under 1 KB.
        return 64 * 1024;
    case FileKind::Shipped:
        // Language files, the sample configuration and pictures: a picture is the largest.
        return maxBytes(FileKind::Picture);
    case FileKind::Manifest:
        // One line of about 100 bytes per shipped file.
        return 1 * MiB;
    }
    return 0;
}

bool exists(const QString &fileName) {
    const QFileInfo info(fileName);
    return info.exists() && !info.isDir();
}

#ifndef Q_OS_WIN
QByteArray readAll(const QString &fileName, FileKind kind) {
    using Kind = FileError::Kind;
    if (fileName.startsWith(u':'))
        return readResource(fileName);

    // O_NONBLOCK: opening a pipe with no writer would otherwise wait forever. Nothing is read before
    // fstat has shown a regular file of an acceptable size.
    const QByteArray path = QFile::encodeName(fileName);
    const Descriptor fd(::open(path.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR)
            throw FileError(Kind::Missing, fileName);
        throw FileError(Kind::ReadFailed, fileName, systemError(error));
    }
    struct stat status {};
    if (::fstat(fd.get(), &status) != 0)
        throw FileError(Kind::ReadFailed, fileName, systemError(errno));
    if (S_ISDIR(status.st_mode))
        throw FileError(Kind::Folder, fileName);
    if (!S_ISREG(status.st_mode))
        throw FileError(Kind::NotRegularFile, fileName);
    const std::int64_t limit = maxBytes(kind);
    if (status.st_size > limit)
        throw FileError(Kind::TooLarge, fileName, {}, limit);

    // Reads up to one byte past the limit, in case the file grew since fstat.
    QByteArray bytes(qsizetype(status.st_size) + 1, Qt::Uninitialized);
    qsizetype total = 0;
    for (;;) {
        if (total == bytes.size()) {
            if (total > limit)
                throw FileError(Kind::TooLarge, fileName, {}, limit);
            bytes.resize(std::min<qsizetype>(limit + 1, total * 2 + 4096));
        }
        const ssize_t got = ::read(fd.get(), bytes.data() + total, std::size_t(bytes.size() - total));
        if (got == 0)
            break;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw FileError(Kind::ReadFailed, fileName, systemError(errno));
        }
        total += got;
    }
    bytes.truncate(total);
    return bytes;
}
#endif  // !Q_OS_WIN

void writeAtomically(const QString &fileName, const QByteArray &bytes) {
    using Kind = FileError::Kind;
    if (QFileInfo(fileName).isDir())
        throw FileError(Kind::Folder, fileName);
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw FileError(Kind::WriteFailed, fileName, file.errorString());
    // The toolkit's commit() renames the temporary file even when its buffered data could not be
    // written (a full disk, a file-size limit), which would replace the old file with a cut one:
    // everything is flushed and checked first, and the temporary file dropped on any failure.
    const bool complete = file.write(bytes) == bytes.size() && file.flush()
                          && file.error() == QFileDevice::NoError && file.size() == bytes.size();
    if (!complete) {
        const QString why = file.errorString();
        file.cancelWriting();
        // The system's own words for this ("File too large") would blame the file.
        if (const std::int64_t limit = fileSizeLimit(); limit >= 0 && bytes.size() > limit)
            throw FileError(Kind::SizeLimit, fileName, why, limit);
        throw FileError(Kind::WriteFailed, fileName, why);
    }
    if (!file.commit())
        throw FileError(Kind::WriteFailed, fileName, file.errorString());
}

void failWritesPastTheSizeLimit() {
#ifndef Q_OS_WIN  // Windows has neither the limit nor the signal
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

}  // namespace FileIo
