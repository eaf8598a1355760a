// SPDX-License-Identifier: GPL-3.0-or-later
// Reading whole files on Windows: the same rules as elsewhere (only an ordinary file is read, its
// size is checked before any of it is read), with the system's wide-character calls, so that names
// with Polish letters and paths longer than 260 characters are read too.
#include "platform/FileIo.h"
#include "platform/WindowsPath.h"

#include <QFile>
#include <algorithm>
#include <windows.h>

namespace {

// Closes a file handle however reading ends.
class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
    }
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

}  // namespace

namespace FileIo {

QByteArray readAll(const QString &fileName, FileKind kind) {
    using Kind = FileError::Kind;
    if (fileName.startsWith(u':')) {
        QFile file(fileName);
        if (!file.open(QIODevice::ReadOnly))
            throw FileError(Kind::Missing, fileName);
        return file.readAll();
    }
    if (fileName.isEmpty())
        throw FileError(Kind::Missing, fileName);

    // Others may go on reading, writing or replacing the file while it is read. A folder opens only
    // with FILE_FLAG_BACKUP_SEMANTICS, which lets it be told apart from a file that cannot be read.
    // Opening a pipe that has no server fails at once rather than waiting.
    const std::wstring path = WindowsPath::extended(fileName);
    const Handle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME)
            throw FileError(Kind::Missing, fileName);
        throw FileError(Kind::ReadFailed, fileName, WindowsPath::errorText(error));
    }
    if (GetFileType(file.get()) != FILE_TYPE_DISK)
        throw FileError(Kind::NotRegularFile, fileName);
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(file.get(), &information))
        throw FileError(Kind::ReadFailed, fileName, WindowsPath::errorText(GetLastError()));
    if (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        throw FileError(Kind::Folder, fileName);
    const std::int64_t size = (std::int64_t(information.nFileSizeHigh) << 32) | information.nFileSizeLow;
    const std::int64_t limit = maxBytes(kind);
    if (size > limit)
        throw FileError(Kind::TooLarge, fileName, {}, limit);

    // Reads up to one byte past the limit, in case the file grew since its size was taken.
    QByteArray bytes(qsizetype(size) + 1, Qt::Uninitialized);
    qsizetype total = 0;
    for (;;) {
        if (total == bytes.size()) {
            if (total > limit)
                throw FileError(Kind::TooLarge, fileName, {}, limit);
            bytes.resize(std::min<qsizetype>(limit + 1, total * 2 + 4096));
        }
        DWORD got = 0;
        const DWORD wanted = DWORD(std::min<qsizetype>(bytes.size() - total, 1 << 30));
        if (!ReadFile(file.get(), bytes.data() + total, wanted, &got, nullptr))
            throw FileError(Kind::ReadFailed, fileName, WindowsPath::errorText(GetLastError()));
        if (got == 0)
            break;
        total += got;
    }
    bytes.truncate(total);
    return bytes;
}

}  // namespace FileIo
