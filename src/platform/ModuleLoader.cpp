// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ModuleLoader.h"

#include "platform/FileIo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLibrary>
#include <QStringList>
#include <cerrno>
#include <cstring>

#ifndef Q_OS_WIN  // Windows loads its modules with its own calls: ModuleLoader_win.cpp

#ifndef GNOMORA_MODULE_FOLDER
#error "GNOMORA_MODULE_FOLDER: the module folder relative to the program's folder"
#endif
#ifndef GNOMORA_BUILD_FOLDER
#error "GNOMORA_BUILD_FOLDER: the build folder, whose programs find their modules in modules/"
#endif

namespace ModuleLoader {

QString fileName(const QString &name) { return QStringLiteral("libgnomora-%1.so").arg(name); }

QStringList searchFolders(const QString &programFolder) {
    QStringList folders{QDir::cleanPath(programFolder + QStringLiteral("/" GNOMORA_MODULE_FOLDER))};
    // A program built but not installed. Only a program inside the build folder looks there, so
    // an installed copy never loads anything from the folder it was built in.
    const QString build = QDir::cleanPath(QStringLiteral(GNOMORA_BUILD_FOLDER));
    const QString program = QDir::cleanPath(programFolder);
    if (program == build || program.startsWith(build + u'/'))
        folders << build + QStringLiteral("/modules");
    return folders;
}

void *entry(const QString &name, const char *entryName) {
    // Loaded libraries are kept for the life of the process: the functions they hand out are used
    // until the end.
    static QHash<QString, QLibrary *> loaded;
    QLibrary *library = loaded.value(name);
    if (!library) {
        const QStringList folders = searchFolders(QCoreApplication::applicationDirPath());
        // Where none is found, the message names the place of an installed one, in the system's
        // words, as for any missing file.
        QString path = folders.first() + u'/' + fileName(name);
        QString reason = QString::fromLocal8Bit(std::strerror(ENOENT));
        for (const QString &folder : folders) {
            const QString candidate = folder + u'/' + fileName(name);
            if (!QFileInfo(candidate).isFile())
                continue;
            auto *attempt = new QLibrary(candidate);
            if (attempt->load()) {
                library = attempt;
                break;
            }
            path = candidate;
            reason = attempt->errorString();
            delete attempt;
        }
        if (!library)
            throw FileError(FileError::Kind::NotLoadable, path, reason);
        loaded.insert(name, library);
    }
    void *function = reinterpret_cast<void *>(library->resolve(entryName));
    if (!function)
        throw FileError(FileError::Kind::NotLoadable, library->fileName(), library->errorString());
    return function;
}

}  // namespace ModuleLoader

#endif  // !Q_OS_WIN
