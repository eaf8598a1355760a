// SPDX-License-Identifier: GPL-3.0-or-later
// Checking a module on Windows before the loader maps it. As elsewhere, only an ordinary file is
// loaded, and one whose sections reach past its end (an interrupted copy, a full disk) is refused:
// the loader would map it and fail somewhere inside. Who may change the module is left to Windows'
// access lists: the installer puts the modules under Program Files, which only administrators may
// change, so `installationRoot` has no part here.
#include "platform/ModuleFile.h"

#include "platform/FileIo.h"
#include "platform/WindowsPath.h"

#include <QFileInfo>
#include <cstdint>
#include <cstring>
#include <windows.h>

namespace {

// Reads `size` bytes at `offset`; false when the file ends before them.
bool readAt(HANDLE file, std::int64_t offset, void *buffer, DWORD size) {
    LARGE_INTEGER position;
    position.QuadPart = offset;
    DWORD got = 0;
    return SetFilePointerEx(file, position, nullptr, FILE_BEGIN) && ReadFile(file, buffer, size, &got, nullptr) &&
           got == size;
}

}  // namespace

namespace ModuleFile {

void check(const QString &path, const QString &) {
    using Kind = FileError::Kind;
    const std::wstring name = WindowsPath::extended(path);
    const HANDLE file = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw FileError(Kind::NotLoadable, path, WindowsPath::errorText(GetLastError()));
    struct Closer {
        HANDLE handle;
        ~Closer() { CloseHandle(handle); }
    } closer{file};

    BY_HANDLE_FILE_INFORMATION information{};
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &information) ||
        (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        throw FileError(Kind::ModuleNotRegularFile, path);
    const std::int64_t size = (std::int64_t(information.nFileSizeHigh) << 32) | information.nFileSizeLow;

    // A file that does not begin as a program file ("MZ") is left to the loader, which refuses it
    // from its first bytes. One that does must hold its headers and every section's data.
    char magic[2] = {};
    if (!readAt(file, 0, magic, 2) || std::memcmp(magic, "MZ", 2) != 0)
        return;
    std::uint32_t headerAt = 0;
    char signature[4] = {};
    IMAGE_FILE_HEADER header{};
    if (!readAt(file, 0x3c, &headerAt, 4) || !readAt(file, headerAt, signature, 4) ||
        std::memcmp(signature, "PE\0\0", 4) != 0 || !readAt(file, headerAt + 4, &header, sizeof header))
        throw FileError(Kind::ModuleCutShort, path);
    std::int64_t sectionAt = std::int64_t(headerAt) + 4 + sizeof header + header.SizeOfOptionalHeader;
    for (WORD i = 0; i < header.NumberOfSections; ++i, sectionAt += sizeof(IMAGE_SECTION_HEADER)) {
        IMAGE_SECTION_HEADER section{};
        if (!readAt(file, sectionAt, &section, sizeof section) ||
            std::int64_t(section.PointerToRawData) + section.SizeOfRawData > size)
            throw FileError(Kind::ModuleCutShort, path);
    }
}

}  // namespace ModuleFile
