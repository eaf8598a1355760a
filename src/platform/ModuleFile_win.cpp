// SPDX-License-Identifier: GPL-3.0-or-later
// Checking a module on Windows before the loader maps it. As elsewhere, only an ordinary file is
// loaded, and one whose sections reach past its end (an interrupted copy, a full disk) is refused:
// the loader would map it and fail somewhere inside. Who may change the module is read from the
// access lists of the module and of its folders up to `installationRoot`: a folder outside Program
// Files inherits write access for every signed-in user unless the installer has set its list.
#include "platform/ModuleFile.h"

#include "platform/FileIo.h"
#include "platform/ModuleDigests.h"
#include "platform/WindowsPath.h"

#include <QDir>
#include <QFileInfo>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>
#include <windows.h>
// After windows.h:
#include <aclapi.h>
#include <sddl.h>

namespace {

// Reads `size` bytes at `offset`; false when the file ends before them.
bool readAt(HANDLE file, std::int64_t offset, void *buffer, DWORD size) {
    LARGE_INTEGER position;
    position.QuadPart = offset;
    DWORD got = 0;
    return SetFilePointerEx(file, position, nullptr, FILE_BEGIN) && ReadFile(file, buffer, size, &got, nullptr) &&
           got == size;
}

// Rights that let their holder change a file or what a folder holds.
constexpr ACCESS_MASK changingRights = FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_WRITE_EA | FILE_DELETE_CHILD |
                                       DELETE | WRITE_DAC | WRITE_OWNER | GENERIC_WRITE | GENERIC_ALL |
                                       MAXIMUM_ALLOWED;

// The user this program runs as.
struct ProgramUser {
    ProgramUser() {
        HANDLE token = nullptr;
        DWORD size = 0;
        if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
            GetTokenInformation(token, TokenUser, nullptr, 0, &size);
            buffer.resize(size);
            if (!GetTokenInformation(token, TokenUser, buffer.data(), size, &size))
                buffer.clear();
            CloseHandle(token);
        }
    }
    PSID sid() const { return buffer.empty() ? nullptr : reinterpret_cast<const TOKEN_USER *>(buffer.data())->User.Sid; }
    std::vector<char> buffer;
};

// Administrators, the system, the installer service and the program's own user may change the
// program: none of them gains anything by replacing a module. Anyone else may not.
bool trusted(PSID sid) {
    static const ProgramUser user;
    for (const WELL_KNOWN_SID_TYPE type : {WinBuiltinAdministratorsSid, WinLocalSystemSid})
        if (IsWellKnownSid(sid, type))
            return true;
    LPWSTR text = nullptr;
    bool installer = false;
    if (ConvertSidToStringSidW(sid, &text)) {
        installer = std::wstring_view(text) == L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";
        LocalFree(text);
    }
    return installer || (user.sid() && EqualSid(sid, user.sid()));
}

// The account's name as Windows shows it ("BUILTIN\Users"), else its SID.
QString accountName(PSID sid) {
    wchar_t name[256], domain[256];
    DWORD nameSize = 256, domainSize = 256;
    SID_NAME_USE use;
    if (LookupAccountSidW(nullptr, sid, name, &nameSize, domain, &domainSize, &use))
        return domainSize ? QString::fromWCharArray(domain) + u'\\' + QString::fromWCharArray(name)
                          : QString::fromWCharArray(name);
    LPWSTR text = nullptr;
    if (!ConvertSidToStringSidW(sid, &text))
        return QStringLiteral("?");
    const QString sidText = QString::fromWCharArray(text);
    LocalFree(text);
    return sidText;
}

// The file or folder `path` belongs to a trusted account and grants no one else a right to change it.
void checkAccess(const QString &module, const QString &path) {
    using Kind = FileError::Kind;
    const std::wstring name = QDir::toNativeSeparators(path).toStdWString();
    PSID owner = nullptr;
    PACL access = nullptr;
    PSECURITY_DESCRIPTOR security = nullptr;
    const DWORD result = GetNamedSecurityInfoW(name.c_str(), SE_FILE_OBJECT,
                                               OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &owner,
                                               nullptr, &access, nullptr, &security);
    if (result != ERROR_SUCCESS)
        throw FileError(Kind::NotLoadable, module, WindowsPath::errorText(result));
    struct Freer {
        PSECURITY_DESCRIPTOR security;
        ~Freer() { LocalFree(security); }
    } freer{security};
    const QString shown = QDir::toNativeSeparators(path);
    if (owner && !trusted(owner))
        throw FileError(Kind::ModuleForeignOwner, module, shown + QStringLiteral(" (%1)").arg(accountName(owner)));
    if (!access)  // no list at all: everyone may do anything
        throw FileError(Kind::ModuleWritableByOthers, module, shown);
    for (DWORD i = 0; i < access->AceCount; ++i) {
        ACE_HEADER *entry = nullptr;
        if (!GetAce(access, i, reinterpret_cast<void **>(&entry)) || entry->AceType != ACCESS_ALLOWED_ACE_TYPE ||
            (entry->AceFlags & INHERIT_ONLY_ACE))
            continue;
        const auto *allowed = reinterpret_cast<const ACCESS_ALLOWED_ACE *>(entry);
        const PSID sid = const_cast<DWORD *>(&allowed->SidStart);
        if ((allowed->Mask & changingRights) && !trusted(sid))
            throw FileError(Kind::ModuleWritableByOthers, module, shown + QStringLiteral(" (%1)").arg(accountName(sid)));
    }
}

}  // namespace

namespace ModuleFile {

void check(const QString &path, const QString &installationRoot) {
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

    // The module and each folder above it, up to the installation root (or the drive's root where
    // it does not lie under it).
    const QString root = QDir::cleanPath(QFileInfo(installationRoot).absoluteFilePath());
    for (QString current = QDir::cleanPath(QFileInfo(path).absoluteFilePath());;) {
        checkAccess(path, current);
        const QString parent = QFileInfo(current).path();
        if (current.compare(root, Qt::CaseInsensitive) == 0 || parent == current)
            break;
        current = parent;
    }
    ModuleDigests::check(path);
}

}  // namespace ModuleFile
