// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FolderLock.h"

#include "platform/FileIo.h"

#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>
#include <algorithm>

FolderLock::FolderLock(QString fileName) : fileName_(std::move(fileName)) {}

FolderLock::~FolderLock() = default;

FolderLock::Outcome FolderLock::claim() {
    // Before the toolkit opens an existing lock to judge it, the lock is checked as every file is.
    if (QFileInfo::exists(fileName_))
        FileIo::readAll(fileName_, FileKind::Lock);
    lock_ = std::make_unique<QLockFile>(fileName_);
    // Held for the whole run, however long: only a copy that has died leaves a stale lock.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0))
        return Outcome::Claimed;
    const QLockFile::LockError error = lock_->error();
    lock_.reset();
    if (error != QLockFile::LockFailedError)
        return Outcome::Unlockable;
    // The toolkit has judged a lock of this computer whose process has ended stale, and replaced
    // it; a lock it kept names a running copy here, or what cannot be judged here.
    const Holder named = holder();
    const QByteArray ourId = QSysInfo::machineUniqueId();
    const bool sameComputer = !named.computerId.isEmpty() && !ourId.isEmpty()
                                  ? named.computerId == ourId
                                  : named.computer.isEmpty() || named.computer == QSysInfo::machineHostName();
    return named.process > 0 && sameComputer ? Outcome::HeldHere : Outcome::HeldUnjudged;
}

FolderLock::Holder FolderLock::holder() const {
    // Read by the checked reader: the lock may have been replaced since it was claimed.
    Holder named;
    QByteArray bytes;
    try {
        bytes = FileIo::readAll(fileName_, FileKind::Lock);
    } catch (const FileError &) {
        return named;
    }
    // The toolkit writes the process number, the program's name, the computer's name and its
    // unique id, a line each, as text: a lock holding other control bytes (the NUL bytes that an
    // interrupted copy leaves) names nothing that could be shown.
    if (std::any_of(bytes.cbegin(), bytes.cend(), [](char c) { return uchar(c) < 0x20 && c != '\n' && c != '\r'; }))
        return named;
    const QList<QByteArray> lines = bytes.split('\n');
    bool isNumber = false;
    const qint64 process = lines.value(0).trimmed().toLongLong(&isNumber);
    if (!isNumber || process <= 0 || lines.size() < 3)
        return named;
    named.process = process;
    named.program = QString::fromUtf8(lines.value(1).trimmed()).left(64);
    named.computer = QString::fromUtf8(lines.value(2).trimmed()).left(64);
    named.computerId = lines.value(3).trimmed().left(64);
    return named;
}

bool FolderLock::takeOver() {
    FileIo::readAll(fileName_, FileKind::Lock);  // still a small regular file
    auto lock = std::make_unique<QLockFile>(fileName_);
    lock->setStaleLockTime(0);
    if (!lock->removeStaleLockFile() || !lock->tryLock(0))
        return false;
    lock_ = std::move(lock);
    return true;
}
