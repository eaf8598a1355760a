// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ModuleFile.h"

#include "platform/FileIo.h"
#include "platform/ModuleDigests.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#ifndef Q_OS_WIN  // Windows checks its DLLs in ModuleFile_win.cpp
#include <elf.h>
#include <fcntl.h>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Kind = FileError::Kind;

[[noreturn]] void refuse(Kind kind, const QString &module, const QString &detail = {}) {
    throw FileError(kind, module, detail);
}

[[noreturn]] void refuseSystemError(const QString &module, int error) {
    refuse(Kind::NotLoadable, module, QString::fromLocal8Bit(std::strerror(error)));
}

// The file or folder `path` belongs to root or to this program's user and only its owner may write it.
void checkTrusted(const QString &module, const QString &path) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        refuseSystemError(module, errno);
    if (status.st_uid != 0 && status.st_uid != ::geteuid())
        refuse(Kind::ModuleForeignOwner, module, path);
    if (status.st_mode & (S_IWGRP | S_IWOTH))
        refuse(Kind::ModuleWritableByOthers, module, path);
}

// The module and each folder above it, up to `root` (or "/" where the path does not lie under it).
void checkTrustedChain(const QString &module, const QString &path, const QString &root) {
    QString current = path;
    for (;;) {
        checkTrusted(module, current);
        if (current == root || current == u'/')
            return;
        current = QFileInfo(current).absolutePath();
    }
}

// Reads exactly `size` bytes at `offset`; false where the file ends before.
bool readAt(int fd, void *into, std::size_t size, off_t offset) {
    auto *bytes = static_cast<char *>(into);
    while (size > 0) {
        const ssize_t got = ::pread(fd, bytes, size, offset);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        bytes += got;
        size -= std::size_t(got);
        offset += got;
    }
    return true;
}

// The loadable segments of the open ELF file `fd` of `fileSize` bytes lie inside it.
void checkSegmentsInside(const QString &module, int fd, std::uint64_t fileSize) {
    unsigned char ident[EI_NIDENT] = {};
    const auto identBytes = std::size_t(std::min<std::uint64_t>(fileSize, EI_NIDENT));
    if (fileSize < SELFMAG || !readAt(fd, ident, identBytes, 0) || std::memcmp(ident, ELFMAG, SELFMAG) != 0)
        return;  // not ELF: the loader refuses it from its first bytes
    if (ident[EI_CLASS] != (sizeof(void *) == 8 ? ELFCLASS64 : ELFCLASS32))
        return;  // another class: the loader refuses it from its header
    ElfW(Ehdr) header{};
    if (fileSize < sizeof header || !readAt(fd, &header, sizeof header, 0))
        refuse(Kind::ModuleCutShort, module);
    if (header.e_phnum == 0 || header.e_phentsize != sizeof(ElfW(Phdr)))
        refuse(Kind::ModuleCutShort, module);
    const std::uint64_t tableBytes = std::uint64_t(header.e_phnum) * sizeof(ElfW(Phdr));
    if (header.e_phoff > fileSize || tableBytes > fileSize - header.e_phoff)
        refuse(Kind::ModuleCutShort, module);
    std::vector<ElfW(Phdr)> segments(header.e_phnum);  // at most 65535 entries
    if (!readAt(fd, segments.data(), tableBytes, off_t(header.e_phoff)))
        refuse(Kind::ModuleCutShort, module);
    for (const ElfW(Phdr) &segment : segments) {
        if (segment.p_type != PT_LOAD)
            continue;
        if (segment.p_offset > fileSize || segment.p_filesz > fileSize - segment.p_offset)
            refuse(Kind::ModuleCutShort, module);
    }
}

}  // namespace

namespace ModuleFile {

void check(const QString &path, const QString &installationRoot) {
    const QByteArray encoded = QFile::encodeName(path);
    struct stat status {};
    if (::stat(encoded.constData(), &status) != 0)
        refuseSystemError(path, errno);
    if (!S_ISREG(status.st_mode))
        refuse(Kind::ModuleNotRegularFile, path);

    // Along the path as named (a linked folder counts as the folder it leads to), then along the
    // path with every link resolved.
    checkTrustedChain(path, QDir::cleanPath(QFileInfo(path).absoluteFilePath()),
                      QDir::cleanPath(QFileInfo(installationRoot).absoluteFilePath()));
    const QString resolvedRoot = QFileInfo(installationRoot).canonicalFilePath();
    checkTrustedChain(path, QFileInfo(path).canonicalFilePath(),
                      resolvedRoot.isEmpty() ? QStringLiteral("/") : resolvedRoot);

    // Non-blocking, so that a pipe put in its place after the checks above is not waited for.
    const int fd = ::open(encoded.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        refuseSystemError(path, errno);
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    if (::fstat(fd, &status) != 0)
        refuseSystemError(path, errno);
    if (!S_ISREG(status.st_mode))
        refuse(Kind::ModuleNotRegularFile, path);
    checkSegmentsInside(path, fd, std::uint64_t(status.st_size));
    ModuleDigests::check(path);
}

}  // namespace ModuleFile

#endif  // !Q_OS_WIN
