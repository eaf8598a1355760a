// SPDX-License-Identifier: GPL-3.0-or-later
// Modules on Windows: gnomora-<name>.dll beside the program, and only there. A DLL loaded by its
// bare name would be looked for in the working folder and along PATH too, where anyone may put a
// file of that name; the module is therefore checked and loaded by its full path, and the DLLs it
// needs in turn come only from its own folder and the system's: the module is mapped with that
// search order before the toolkit's plugin loader, whose own call would also search the working
// folder, opens it (and then finds it mapped already).
#include "platform/ModuleLoader.h"

#include "platform/FileIo.h"
#include "platform/ModuleFile.h"
#include "platform/ModulePlugin.h"
#include "platform/WindowsPath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QPluginLoader>
#include <QStringList>
#include <windows.h>

namespace {

struct Loaded {
    QPluginLoader *module;
    QString path;
};

const Loaded &library(const QString &name, const char *iid) {
    // Loaded modules are kept for the life of the process: the objects they hand out are used
    // until the end.
    static QHash<QString, Loaded> loaded;
    if (const auto known = loaded.constFind(name); known != loaded.cend())
        return *known;
    const QString path = ModuleLoader::searchFolders(QCoreApplication::applicationDirPath()).first() + u'/' +
                         ModuleLoader::fileName(name);
    if (!QFileInfo::exists(path))
        throw FileError(FileError::Kind::NotLoadable, path, WindowsPath::errorText(ERROR_FILE_NOT_FOUND));
    ModuleFile::check(path, QFileInfo(path).path());
    const auto mapSafely = [&path] {
        const std::wstring native = QDir::toNativeSeparators(path).toStdWString();
        if (!LoadLibraryExW(native.c_str(), nullptr,
                            LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS))
            throw FileError(FileError::Kind::NotLoadable, path, WindowsPath::errorText(GetLastError()));
    };
    return *loaded.insert(name, {ModulePlugin::open(path, iid, mapSafely).release(), path});
}

}  // namespace

namespace ModuleLoader {

QString fileName(const QString &name) { return QStringLiteral("gnomora-%1.dll").arg(name); }

QStringList searchFolders(const QString &programFolder) { return {QDir::cleanPath(programFolder)}; }

void *load(const QString &name, const char *iid) {
    // Asked for at every use (each JPEG picture): looked up once.
    static QHash<QString, void *> implementations;
    const QString key = name + u'/' + QLatin1String(iid);
    if (void *known = implementations.value(key))
        return known;
    const Loaded &module = library(name, iid);
    return *implementations.insert(key, ModulePlugin::implementation(*module.module, module.path, iid));
}

}  // namespace ModuleLoader
