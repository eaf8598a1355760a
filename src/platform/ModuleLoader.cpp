// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ModuleLoader.h"

#include "platform/FileIo.h"
#include "platform/ModuleFile.h"
#include "platform/ModulePlugin.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <cerrno>
#include <cstring>
#include <optional>
#include <sys/stat.h>
#include <utility>

#ifndef Q_OS_WIN  // Windows loads its modules with its own calls: ModuleLoader_win.cpp

#ifndef GNOMORA_MODULE_FOLDER
#error "GNOMORA_MODULE_FOLDER: the module folder relative to the program's folder"
#endif
#ifndef GNOMORA_BUILD_FOLDER
#error "GNOMORA_BUILD_FOLDER: the build folder, whose programs find their modules in modules/"
#endif

namespace {

struct SearchFolder {
    QString folder;
    QString root;  // the installation (or build folder) that holds it: its folders are checked up to here
};

QList<SearchFolder> searchPlaces(const QString &programFolder) {
    const QString program = QDir::cleanPath(programFolder);
    QList<SearchFolder> places{{QDir::cleanPath(program + QStringLiteral("/" GNOMORA_MODULE_FOLDER)),
                                QDir::cleanPath(program + QStringLiteral("/.."))}};
    // A program built but not installed. Only a program inside the build folder looks there, so
    // an installed copy never loads anything from the folder it was built in.
    const QString build = QDir::cleanPath(QStringLiteral(GNOMORA_BUILD_FOLDER));
    if (program == build || program.startsWith(build + u'/'))
        places.append({build + QStringLiteral("/modules"), build});
    return places;
}

// Something (file, folder, pipe, link to a device...) has the name: stat() without opening it.
bool somethingNamed(const QString &path) {
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0;
}

}  // namespace

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

    // Where none is found, the message names the place of an installed one, in the system's words,
    // as for any missing file. Otherwise the first module found that is refused is named.
    const QList<SearchFolder> places = searchPlaces(QCoreApplication::applicationDirPath());
    std::optional<FileError> refusal;
    for (const SearchFolder &place : places) {
        const QString candidate = place.folder + u'/' + ModuleLoader::fileName(name);
        if (!somethingNamed(candidate))
            continue;
        try {
            ModuleFile::check(candidate, place.root);
            // The file checked, not a link that might be changed to lead elsewhere meanwhile.
            const QString resolved = QFileInfo(candidate).canonicalFilePath();
            return *loaded.insert(name, {ModulePlugin::open(resolved, iid), candidate, iid});
        } catch (const FileError &error) {
            if (!refusal)
                refusal = error;
        }
    }
    if (refusal)
        throw *refusal;
    throw FileError(FileError::Kind::NotLoadable, places.first().folder + u'/' + ModuleLoader::fileName(name),
                    QString::fromLocal8Bit(std::strerror(ENOENT)));
}

QString fileName(const QString &name) { return QStringLiteral("libgnomora-%1.so").arg(name); }

QStringList searchFolders(const QString &programFolder) {
    QStringList folders;
    for (const SearchFolder &place : searchPlaces(programFolder))
        folders << place.folder;
    return folders;
}

}  // namespace ModuleLoader

#endif  // !Q_OS_WIN
