// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and writing whole files, including files that are no ordinary files and writes that run
// out of room.
#include "platform/FileIo.h"
#include "platform/FolderLock.h"
#include "support/FileSizeLimit.h"
#include "support/PipeGuard.h"
#include "support/SpecialFiles.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <optional>
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif
#include <gtest/gtest.h>

namespace {

using Kind = FileError::Kind;

std::optional<FileError> writeError(const QString &fileName, const QByteArray &bytes) {
    try {
        FileIo::writeAtomically(fileName, bytes);
    } catch (const FileError &e) {
        return e;
    }
    return std::nullopt;
}

std::optional<FileError> readError(const QString &fileName, FileKind kind) {
    try {
        FileIo::readAll(fileName, kind);
    } catch (const FileError &e) {
        return e;
    }
    return std::nullopt;
}

// A file of `bytes` bytes that takes no room on the disk.
void writeSparse(const QString &fileName, qint64 bytes) {
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(bytes));
}

}  // namespace

TEST(FileIo, ReadErrorsNameTheFileAndTheKindOfFailure) {
    TempWorkDir dir;
    QDir().mkdir(QStringLiteral("folder.ini"));
    dir.write(QStringLiteral("locked.ini"), "x=1\r\n");
    QFile::setPermissions(QStringLiteral("locked.ini"), QFileDevice::WriteOwner);
    const bool rootReadsAnything = QFile(QStringLiteral("locked.ini")).open(QIODevice::ReadOnly);
    struct Row {
        const char *name;
        Kind kind;
    } rows[] = {{"missing.ini", Kind::Missing},
                {"", Kind::Missing},
                {"missing/inside.ini", Kind::Missing},
                {"folder.ini", Kind::Folder},
                {"locked.ini", Kind::ReadFailed}};
    for (const Row &row : rows) {
        const QString name = QString::fromLatin1(row.name);
        if (row.kind == Kind::ReadFailed && rootReadsAnything)
            continue;  // permissions do not bind the superuser
        const std::optional<FileError> e = readError(name, FileKind::Configuration);
        ASSERT_TRUE(e) << row.name;
        EXPECT_EQ(e->kind, row.kind) << row.name;
        EXPECT_EQ(e->fileName, name);
        EXPECT_NE(std::string(e->what()).find("File " + name.toStdString() + ": "), std::string::npos);
        EXPECT_EQ(e->kind == Kind::ReadFailed, !e->detail.isEmpty()) << "the system's words, only where they help";
    }
}

TEST(FileIo, OnlyRegularFilesAreReadAndAPipeNeverBlocks) {
    if (!SpecialFiles::available)
        GTEST_SKIP() << SpecialFiles::whyNot;
    TempWorkDir dir;
    ASSERT_TRUE(SpecialFiles::makePipe(QStringLiteral("pipe.ini")));
    ASSERT_TRUE(SpecialFiles::linkToEndlessDevice(QStringLiteral("zero.jpg")));
    ASSERT_TRUE(QFile::link(QStringLiteral("pipe.ini"), QStringLiteral("link-to-pipe.ini")));

    for (const QString &name : {QStringLiteral("pipe.ini"), QStringLiteral("link-to-pipe.ini")}) {
        const std::optional<FileError> e = withoutHangingOn(name, [&] { return readError(name, FileKind::Language); });
        ASSERT_TRUE(e) << name.toStdString();
        EXPECT_EQ(e->kind, Kind::NotRegularFile);
    }
    const std::optional<FileError> zero = readError(QStringLiteral("zero.jpg"), FileKind::Picture);
    ASSERT_TRUE(zero);
    EXPECT_EQ(zero->kind, Kind::NotRegularFile);
    EXPECT_EQ(zero->fileName, QStringLiteral("zero.jpg"));

    // A link to a regular file is read as that file.
    dir.write(QStringLiteral("real.ini"), "a=1\r\n");
    ASSERT_TRUE(QFile::link(QStringLiteral("real.ini"), QStringLiteral("link.ini")));
    EXPECT_EQ(FileIo::readAll(QStringLiteral("link.ini"), FileKind::Configuration), QByteArray("a=1\r\n"));
}

TEST(FileIo, AFileLargerThanAnyOfItsKindIsRefusedBeforeReadingAndTheLimitNamed) {
    TempWorkDir dir;
    const qint64 limit = FileIo::maxBytes(FileKind::Language);
    writeSparse(QStringLiteral("at-limit.ini"), limit);
    EXPECT_EQ(FileIo::readAll(QStringLiteral("at-limit.ini"), FileKind::Language).size(), limit);

    writeSparse(QStringLiteral("one-more.ini"), limit + 1);
    writeSparse(QStringLiteral("huge.ini"), qint64(1) << 40);  // a terabyte would never fit in memory
    for (const QString &name : {QStringLiteral("one-more.ini"), QStringLiteral("huge.ini")}) {
        const std::optional<FileError> e = readError(name, FileKind::Language);
        ASSERT_TRUE(e) << name.toStdString();
        EXPECT_EQ(e->kind, Kind::TooLarge);
        EXPECT_EQ(e->limit, limit);
        EXPECT_NE(std::string(e->what()).find("larger than 4 MB"), std::string::npos) << e->what();
    }
    // Each kind has its own limit: a picture may be far larger than a configuration.
    EXPECT_EQ(FileIo::readAll(QStringLiteral("one-more.ini"), FileKind::Picture).size(), limit + 1);
    EXPECT_GT(FileIo::maxBytes(FileKind::Picture), FileIo::maxBytes(FileKind::Configuration));
}

TEST(FileIo, BuiltInResourcesAreRead) {
    // The program's own pictures live in its resources, which are no files of the file system.
    QDirIterator resources(QStringLiteral(":/"), QDir::Files, QDirIterator::Subdirectories);
    if (!resources.hasNext())
        GTEST_SKIP() << "this test program holds no resources";
    const QString name = resources.next();
    QFile resource(name);
    ASSERT_TRUE(resource.open(QIODevice::ReadOnly));
    EXPECT_EQ(FileIo::readAll(name, FileKind::Picture), resource.readAll());
    const std::optional<FileError> e = readError(QStringLiteral(":/no-such-resource.jpg"), FileKind::Picture);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->kind, Kind::Missing);
}

TEST(FileIo, FailedWriteLeavesTheOldFileIntact) {
    TempWorkDir dir;
    dir.write(QStringLiteral("keep.ini"), "old\r\n");
    // A missing folder in the path: the write cannot even start.
    const std::optional<FileError> noFolder = writeError(QStringLiteral("nofolder/keep.ini"), "new");
    ASSERT_TRUE(noFolder);
    EXPECT_EQ(noFolder->kind, Kind::WriteFailed);
    // A folder in the file's place is reported as a folder.
    QDir().mkdir(QStringLiteral("taken.ini"));
    const std::optional<FileError> folder = writeError(QStringLiteral("taken.ini"), "new");
    ASSERT_TRUE(folder);
    EXPECT_EQ(folder->kind, Kind::Folder);
    EXPECT_EQ(folder->fileName, QStringLiteral("taken.ini"));
    EXPECT_TRUE(QFileInfo(QStringLiteral("taken.ini")).isDir());
    // A successful write replaces the whole content and leaves no temporary file behind.
    FileIo::writeAtomically(QStringLiteral("keep.ini"), "new");
    EXPECT_EQ(dir.read(QStringLiteral("keep.ini")), QByteArray("new"));
    EXPECT_EQ(QDir().entryList(QDir::Files), QStringList{QStringLiteral("keep.ini")});
}

TEST(FileIo, WriteBeyondTheFileSizeLimitKeepsTheOldFile) {
#ifdef _WIN32
    GTEST_SKIP() << SpecialFiles::noFileSizeLimit;
#else
    // Smaller than the toolkit's write buffer, so the failure shows only when the buffer is written.
    TempWorkDir dir;
    dir.write(QStringLiteral("keep.ini"), "old");
    std::optional<FileError> error;
    {
        FileSizeLimit limit(4);
        try {
            FileIo::writeAtomically(QStringLiteral("keep.ini"), QByteArray(100, 'n'));
        } catch (const FileError &e) {
            error = e;
        }
    }
    ASSERT_TRUE(error) << "the cut write was not reported";
    EXPECT_EQ(error->kind, Kind::SizeLimit);
    EXPECT_EQ(error->limit, 4);
    EXPECT_EQ(error->fileName, QStringLiteral("keep.ini"));
    EXPECT_EQ(dir.read(QStringLiteral("keep.ini")), QByteArray("old"));
    EXPECT_EQ(QDir().entryList(QDir::Files), QStringList{QStringLiteral("keep.ini")});
#endif
}

#ifndef _WIN32  // Windows has neither a file-size limit nor fork
// The program's start-up makes a write past the file-size limit (ulimit -f) an error it can
// report, not a signal that ends the process. Run in a child process, whose end tells which.
TEST(FileIo, WriteBeyondTheFileSizeLimitFailsInsteadOfEndingTheProgram) {
    TempWorkDir dir;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        FileIo::failWritesPastTheSizeLimit();
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = 1024;
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const std::optional<FileError> error = writeError(QStringLiteral("places.ini"), QByteArray(4096, 'p'));
        ::_exit(error && error->kind == Kind::SizeLimit ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_FALSE(WIFSIGNALED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "no write error was reported";
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("places.ini")));
}

// A small file system of its own, mounted for the test's lifetime (needs the superuser).
class SmallTmpfs {
public:
    explicit SmallTmpfs(const char *size) {
        const QByteArray options = QByteArray("size=") + size;
        mounted_ = ::mount("tmpfs", QFile::encodeName(dir_.path()).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                           options.constData()) == 0;
    }
    ~SmallTmpfs() {
        if (mounted_)
            ::umount(QFile::encodeName(dir_.path()).constData());
    }
    SmallTmpfs(const SmallTmpfs &) = delete;
    SmallTmpfs &operator=(const SmallTmpfs &) = delete;
    bool mounted() const { return mounted_; }
    QString file(const QString &name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
};

#endif

TEST(FileIo, WriteOnAFullDiskKeepsTheOldFile) {
#ifdef _WIN32
    GTEST_SKIP() << "Wine has no small disk of its own to fill";
#else
    SmallTmpfs disk("64k");
    if (!disk.mounted())
        GTEST_SKIP() << "mounting a small tmpfs needs the superuser and a system that allows it";
    const QString keep = disk.file(QStringLiteral("keep.ini"));
    {
        QFile old(keep);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        ASSERT_EQ(old.write("old"), 3);
    }
    {
        // Fills every remaining page of the file system.
        QFile filler(disk.file(QStringLiteral("filler")));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray page(4096, 'f');
        while (filler.write(page) == page.size()) {
        }
    }
    // A file far below the file-size limit: the disk is to blame, not the limit.
    const std::optional<FileError> error = writeError(keep, QByteArray(100, 'n'));
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind, Kind::WriteFailed);
    QFile old(keep);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("old"));
    EXPECT_EQ(QDir(QFileInfo(keep).path()).entryList(QDir::Files),
              (QStringList{QStringLiteral("filler"), QStringLiteral("keep.ini")}));
#endif
}

TEST(FileIo, NamesWithPolishLettersAndPathsBeyond260CharactersAreReadAndWritten) {
    // A teacher's folder such as C:\Users\Łukasz\Documents\..., nested deeper than the old
    // 260-character limit of Windows paths.
    TempWorkDir dir;
    QString folder = QDir::currentPath() + QString::fromUtf8("/Łukasz Żółć");
    while (folder.size() < 300)
        folder += QString::fromUtf8("/pomiary cienia gnomonu w klasie ósmej");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString file = folder + QString::fromUtf8("/Gnomora_Cfg źdźbło.ini");
    FileIo::writeAtomically(file, "Place1=Łódź\r\n");
    EXPECT_EQ(FileIo::readAll(file, FileKind::Configuration), QByteArray("Place1=Łódź\r\n"));
    FileIo::writeAtomically(file, "Place1=Kraków\r\n");
    EXPECT_EQ(FileIo::readAll(file, FileKind::Configuration), QByteArray("Place1=Kraków\r\n"));
    EXPECT_TRUE(FileIo::exists(file));
    EXPECT_FALSE(FileIo::exists(folder));
}

#ifdef _WIN32
TEST(FileIo, WindowsPipesAndDevicesAreRefusedWithoutBlocking) {
    // A pipe whose server never writes: reading it would wait for good.
    const QString pipe = QStringLiteral("\\\\.\\pipe\\gnomora-test-%1").arg(GetCurrentProcessId());
    const HANDLE server = CreateNamedPipeW(reinterpret_cast<const wchar_t *>(pipe.utf16()), PIPE_ACCESS_OUTBOUND,
                                           PIPE_TYPE_BYTE | PIPE_NOWAIT, 1, 4096, 4096, 0, nullptr);
    ASSERT_NE(server, INVALID_HANDLE_VALUE);
    for (const QString &name : {pipe, QStringLiteral("\\\\.\\NUL")}) {
        const std::optional<FileError> e = readError(name, FileKind::Language);
        ASSERT_TRUE(e) << name.toStdString();
        EXPECT_EQ(e->kind, Kind::NotRegularFile) << name.toStdString();
        EXPECT_EQ(e->fileName, name);
    }
    CloseHandle(server);
}
#endif

// The working folder's lock, as a folder on a USB stick or a share, or a crash, can leave it.
TEST(FolderLock, ALockThatIsNoSmallFileIsRefusedWithoutOpeningIt) {
    TempWorkDir dir;
    if (SpecialFiles::available) {
        ASSERT_TRUE(SpecialFiles::makePipe(QStringLiteral("pipe.lock")));
        ASSERT_TRUE(SpecialFiles::linkToEndlessDevice(QStringLiteral("zero.lock")));
    }
    ASSERT_TRUE(QDir().mkdir(QStringLiteral("folder.lock")));
    writeSparse(QStringLiteral("huge.lock"), qint64(1) << 30);
    const std::pair<const char *, Kind> rows[] = {{"pipe.lock", Kind::NotRegularFile},
                                                  {"zero.lock", Kind::NotRegularFile},
                                                  {"folder.lock", Kind::Folder},
                                                  {"huge.lock", Kind::TooLarge}};
    for (const auto &[name, kind] : rows) {
        if (kind == Kind::NotRegularFile && !SpecialFiles::available)
            continue;  // see SpecialFiles::whyNot
        const std::optional<FileError> e = withoutHangingOn(name, [name = QString(name)]() -> std::optional<FileError> {
            try {
                FolderLock(name).claim();
            } catch (const FileError &error) {
                return error;
            }
            return std::nullopt;
        });
        ASSERT_TRUE(e) << name;
        EXPECT_EQ(e->kind, kind) << name;
    }
    EXPECT_EQ(QFileInfo(QStringLiteral("huge.lock")).size(), qint64(1) << 30);  // left as it was
}

TEST(FolderLock, ALockThisComputerCannotJudgeNamesWhatItCanAndMayBeTakenOver) {
    TempWorkDir dir;
    struct Row {
        const char *name;
        QByteArray bytes;
        FolderLock::Holder holder;
    };
    const QByteArray junk("\x8f\x01\xff\xfe garbage\n\n", 14);
    const Row rows[] = {
        {"other-computer", "4242\ngnomora\nsala-23\n5f1c\n", {QStringLiteral("sala-23"), 4242, QStringLiteral("gnomora")}},
        {"empty", "", {}},
        {"random bytes", junk, {}},
        {"no computer named", "-7\ngnomora\n", {}},
        // An interrupted copy leaves the rest of the file as NUL bytes: no computer of that name.
        {"second half zeroed", QByteArray("4242\ngnomora\n").leftJustified(26, '\0'), {}},
    };
    for (const Row &row : rows) {
        dir.write(QStringLiteral(".gnomora.lock"), row.bytes);
        FolderLock lock(QStringLiteral(".gnomora.lock"));
        ASSERT_EQ(lock.claim(), FolderLock::Outcome::HeldUnjudged) << row.name;
        const FolderLock::Holder holder = lock.holder();
        EXPECT_EQ(holder.computer, row.holder.computer) << row.name;
        EXPECT_EQ(holder.process, row.holder.process) << row.name;
        EXPECT_EQ(holder.program, row.holder.program) << row.name;
        ASSERT_TRUE(lock.takeOver()) << row.name;
        // Now this copy's: a second claim in the folder sees a running copy here.
        FolderLock second(QStringLiteral(".gnomora.lock"));
        EXPECT_EQ(second.claim(), FolderLock::Outcome::HeldHere) << row.name;
        EXPECT_EQ(second.holder().process, QCoreApplication::applicationPid()) << row.name;
    }
}
