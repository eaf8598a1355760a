// SPDX-License-Identifier: GPL-3.0-or-later
// Modules on Windows: gnomora-<name>.dll beside the program, and only there. A DLL loaded by its
// bare name would be looked for in the working folder and along PATH too, where anyone may put a
// file of that name; the module is therefore checked and loaded by its full path (ModulePlugin
// maps it so that the DLLs it needs in turn come only from its own folder and the system's).
#include "platform/ModuleLoader.h"

#include "platform/FileIo.h"
#include "platform/ModuleFile.h"
#include "platform/ModulePlugin.h"
#include "platform/WindowsPath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QStringList>
#include <windows.h>

namespace ModuleLoader {

const Module &load(const QString &name, const char *iid) {
    // Loaded modules are kept for the life of the process: the objects they hand out are used
    // until the end.
    static QHash<QString, Module> loaded;
    if (const auto known = loaded.constFind(name); known != loaded.cend()) {
        if (known->iid != iid)
            throw FileError(FileError::Kind::ModuleOtherVersion, known->path);
        return *known;
    }
    const QString path = searchFolders(QCoreApplication::applicationDirPath()).first() + u'/' + fileName(name);
    if (!QFileInfo::exists(path))
        throw FileError(FileError::Kind::NotLoadable, path, WindowsPath::errorText(ERROR_FILE_NOT_FOUND));
    ModuleFile::check(path, QFileInfo(path).path());
    return *loaded.insert(name, {ModulePlugin::open(path, iid), path, iid});
}

QString fileName(const QString &name) { return QStringLiteral("gnomora-%1.dll").arg(name); }

QStringList searchFolders(const QString &programFolder) { return {QDir::cleanPath(programFolder)}; }

}  // namespace ModuleLoader
