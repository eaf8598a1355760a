// SPDX-License-Identifier: GPL-3.0-or-later
// Modules on Windows: gnomora-<name>.dll beside the program, and only there. A DLL loaded by its
// bare name would be looked for in the working folder and along PATH too, where anyone may put a
// file of that name; the module is therefore loaded by its full path, and the DLLs it needs in
// turn only from its own folder and the system's.
#include "platform/ModuleLoader.h"

#include "platform/FileIo.h"
#include "platform/WindowsPath.h"

#include <QCoreApplication>
#include <QDir>
#include <QHash>
#include <QStringList>
#include <windows.h>

namespace ModuleLoader {

QString fileName(const QString &name) { return QStringLiteral("gnomora-%1.dll").arg(name); }

QStringList searchFolders(const QString &programFolder) { return {QDir::cleanPath(programFolder)}; }

void *entry(const QString &name, const char *entryName) {
    // Loaded modules are kept for the life of the process: the functions they hand out are used
    // until the end.
    static QHash<QString, HMODULE> loaded;
    const QString path = searchFolders(QCoreApplication::applicationDirPath()).first() + u'/' + fileName(name);
    HMODULE module = loaded.value(name);
    if (!module) {
        const std::wstring native = QDir::toNativeSeparators(path).toStdWString();
        module = LoadLibraryExW(native.c_str(), nullptr,
                                LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
        if (!module)
            throw FileError(FileError::Kind::NotLoadable, path, WindowsPath::errorText(GetLastError()));
        loaded.insert(name, module);
    }
    void *function = reinterpret_cast<void *>(GetProcAddress(module, entryName));
    if (!function)
        throw FileError(FileError::Kind::NotLoadable, path, WindowsPath::errorText(GetLastError()));
    return function;
}

}  // namespace ModuleLoader
