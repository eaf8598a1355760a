// SPDX-License-Identifier: GPL-3.0-or-later
// Modules on Windows: gnomora-<name>.dll beside the program, and only there. A DLL loaded by its
// bare name would be looked for in the working folder and along PATH too, where anyone may put a
// file of that name; the module is therefore checked and loaded by its full path, and the DLLs it
// needs in turn come only from its own folder and the system's.
#include "platform/ModuleLoader.h"

#include "platform/FileIo.h"
#include "platform/ModuleFile.h"
#include "platform/WindowsPath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QStringList>
#include <windows.h>

namespace {

struct Loaded {
    HMODULE module;
    QString path;
};

const Loaded &library(const QString &name) {
    // Loaded modules are kept for the life of the process: the functions they hand out are used
    // until the end.
    static QHash<QString, Loaded> loaded;
    if (const auto known = loaded.constFind(name); known != loaded.cend())
        return *known;
    const QString path = ModuleLoader::searchFolders(QCoreApplication::applicationDirPath()).first() + u'/' +
                         ModuleLoader::fileName(name);
    if (!QFileInfo::exists(path))
        throw FileError(FileError::Kind::NotLoadable, path, WindowsPath::errorText(ERROR_FILE_NOT_FOUND));
    ModuleFile::check(path, QFileInfo(path).path());
    const std::wstring native = QDir::toNativeSeparators(path).toStdWString();
    const HMODULE module =
        LoadLibraryExW(native.c_str(), nullptr, LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
    if (!module)
        throw FileError(FileError::Kind::NotLoadable, path, WindowsPath::errorText(GetLastError()));
    return *loaded.insert(name, {module, path});
}

}  // namespace

namespace ModuleLoader {

QString fileName(const QString &name) { return QStringLiteral("gnomora-%1.dll").arg(name); }

QStringList searchFolders(const QString &programFolder) { return {QDir::cleanPath(programFolder)}; }

void *entry(const QString &name, const char *entryName) {
    const Loaded &module = library(name);
    void *function = reinterpret_cast<void *>(GetProcAddress(module.module, entryName));
    if (!function)
        throw FileError(FileError::Kind::ModuleEntryMissing, module.path, QString::fromLatin1(entryName));
    return function;
}

const void *table(const QString &name, const char *entryName, std::uint32_t version, std::uint32_t size) {
    using Entry = const ModuleTable *(*)();
    const ModuleTable *header = reinterpret_cast<Entry>(entry(name, entryName))();
    if (!header || header->version != version || header->size != size)
        throw FileError(FileError::Kind::ModuleOtherVersion, library(name).path);
    return header;
}

}  // namespace ModuleLoader
