// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WorkFolder.h"

#include "platform/FileIo.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <optional>

namespace WorkFolder {

namespace {

QByteArray hashOf(const QByteArray &bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

bool isHash(const QByteArray &text) {
    if (text.size() != 64)
        return false;
    for (const char c : text)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    return true;
}

// A manifest's entries name files inside the folder, never beside or above it.
bool isInsideFolder(const QString &path) {
    return !path.isEmpty() && QDir::isRelativePath(path) && !path.contains(u':') &&
           !path.split(u'/').contains(QStringLiteral("..")) && !path.contains(u'\\');
}

std::optional<Manifest> readManifest(const QString &fileName) {
    try {
        return parseManifest(FileIo::readAll(fileName, FileKind::Manifest));
    } catch (const FileError &) {
        return std::nullopt;  // none: a folder filled before files had versions, or the first start
    }
}

void copyFile(const QString &source, const QString &target) {
    if (!QDir().mkpath(QFileInfo(target).path()))
        throw FileError(FileError::Kind::WriteFailed, target, QStringLiteral("no folder"));
    FileIo::writeAtomically(target, FileIo::readAll(source, FileKind::Shipped));
}

// Brings one copy made by an earlier start up to the shipped file; returns the hash to record
// for it in the folder's manifest (empty: not recorded, the file is the teacher's own).
QByteArray update(const QString &source, const QString &target, const QString &name, const QByteArray &shipped,
                  const std::optional<Manifest> &seeded, const Rules &rules, Update &done) {
    const QByteArray seededHash = seeded ? seeded->value(name) : QByteArray();
    QByteArray own;
    try {
        own = hashOf(FileIo::readAll(target, FileKind::Shipped));
    } catch (const FileError &) {
        return seededHash;  // a folder or something unreadable in its place: left as it is
    }
    if (own == shipped)
        return shipped;
    // Filled with a list that lacks this file: the teacher's own file of that name.
    if (seeded && seededHash.isEmpty())
        return {};
    try {
        if (own == seededHash && !rules.neverReplaced.contains(name)) {
            copyFile(source, target);
            done.replaced << name;
        } else if (rules.completeChangedCopy && rules.completeChangedCopy(source, target) > 0) {
            // Changed by the teacher. A folder filled by a release that kept no manifest cannot
            // tell the teacher's change from an older release's copy: both keep what they hold
            // and only gain what is missing, which loses nothing either way.
            done.completed << name;
        }
    } catch (const FileError &) {
        done.notUpdated << name;
    }
    return shipped;
}

}  // namespace

Manifest parseManifest(const QByteArray &text) {
    Manifest manifest;
    for (QByteArray line : text.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        // "<hash>  <path>", or "<hash> *<path>" as sha256sum writes in its binary mode.
        if (line.size() < 67 || line.at(64) != ' ' || (line.at(65) != ' ' && line.at(65) != '*'))
            continue;
        const QByteArray hash = line.left(64).toLower();
        const QString path = QString::fromUtf8(line.mid(66));
        if (isHash(hash) && isInsideFolder(path))
            manifest.insert(path, hash);
    }
    return manifest;
}

QByteArray manifestText(const Manifest &manifest) {
    QByteArray text;
    for (auto entry = manifest.cbegin(); entry != manifest.cend(); ++entry)
        text += entry.value() + "  " + entry.key().toUtf8() + '\n';
    return text;
}

QString location(const QString &userData, const QString &home) {
    if (!home.isEmpty())
        return QDir::cleanPath(QDir::fromNativeSeparators(home));
    if (!userData.isEmpty())
        return QDir::cleanPath(QDir::fromNativeSeparators(userData) + QStringLiteral("/Gnomora"));
    return {};
}

Preparation prepare(const QString &seed, const QString &work, const Rules &rules) {
    Preparation result;
    result.folder = work;
    // Without the installed files (a damaged installation) the folder would stay empty.
    if (!QFileInfo(seed).isDir() || work.isEmpty() || !QDir().mkpath(work) || !QFileInfo(work).isDir())
        return result;
    const std::optional<Manifest> shipped = readManifest(seed + u'/' + ManifestName);
    const std::optional<Manifest> seeded = readManifest(work + u'/' + ManifestName);
    // Filled by this very release: only files the teacher deleted need copying again.
    const bool upgrade = shipped && shipped != seeded;
    Manifest record;
    result.complete = true;
    QDirIterator files(seed, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString source = files.next();
        const QString name = QDir(seed).relativeFilePath(source);
        if (name == ManifestName)
            continue;
        const QString target = work + u'/' + name;
        const QByteArray shippedHash = shipped ? shipped->value(name) : QByteArray();
        if (!QFileInfo::exists(target)) {
            try {
                copyFile(source, target);
                if (!shippedHash.isEmpty())
                    record.insert(name, shippedHash);
            } catch (const FileError &) {
                result.complete = false;
            }
        } else if (upgrade && !shippedHash.isEmpty()) {
            if (const QByteArray hash = update(source, target, name, shippedHash, seeded, rules, result.update);
                !hash.isEmpty())
                record.insert(name, hash);
        }
    }
    // Named in the order the teacher finds them in the folder.
    for (QStringList *names : {&result.update.replaced, &result.update.completed, &result.update.notUpdated})
        names->sort();
    // The folder's list changes only once every copy is up to date: until then each start compares
    // the copies again by the old list, finds those updated so far current and tries the others.
    if (upgrade && result.update.notUpdated.isEmpty()) {
        try {
            FileIo::writeAtomically(work + u'/' + ManifestName, manifestText(record));
        } catch (const FileError &) {
            // A folder that takes no new file: the same comparison runs again at the next start.
        }
    }
    return result;
}

#ifndef _WIN32
Preparation enter(const Rules &rules) {
    const QString seed = qEnvironmentVariable("GNOMORA_SEED_FOLDER");
    if (seed.isEmpty())
        return {QDir::currentPath(), true, {}};
    return prepare(seed, QDir::currentPath(), rules);
}
#endif

}  // namespace WorkFolder
