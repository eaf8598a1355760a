// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WorkFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace WorkFolder {

QString location(const QString &userData, const QString &home) {
    if (!home.isEmpty())
        return QDir::cleanPath(QDir::fromNativeSeparators(home));
    if (!userData.isEmpty())
        return QDir::cleanPath(QDir::fromNativeSeparators(userData) + QStringLiteral("/Gnomora"));
    return {};
}

bool prepare(const QString &seed, const QString &work) {
    // Without the installed files (a damaged installation) the folder would stay empty.
    if (!QFileInfo(seed).isDir() || work.isEmpty() || !QDir().mkpath(work) || !QFileInfo(work).isDir())
        return false;
    bool complete = true;
    QDirIterator files(seed, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString source = files.next();
        const QString target = work + u'/' + QDir(seed).relativeFilePath(source);
        if (QFileInfo::exists(target))
            continue;  // the teacher's own copy, or a file that is there already
        if (!QDir().mkpath(QFileInfo(target).path()) || !QFile::copy(source, target)) {
            complete = false;
            continue;
        }
        // A copy of a file installed read-only must still be the teacher's to change.
        QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner);
    }
    return complete;
}

}  // namespace WorkFolder
