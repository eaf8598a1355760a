// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <memory>

class QLockFile;

// The lock of the working folder: one copy of the program holds it for its whole run, so that a
// second copy started in the same folder knows to save nothing.
//
// The lock file is outside input like every other file. The folder may be on a USB stick or a
// network share used by several computers, so a lock may have been left by a crash on another
// computer, be empty or hold random bytes: such a lock cannot be judged here and is reported with
// what it names, for the teacher to take over. A lock that is not a small regular file (a pipe,
// a link to a device, a folder) is never opened: the toolkit would wait on a pipe forever.
class FolderLock {
public:
    explicit FolderLock(QString fileName);
    ~FolderLock();
    FolderLock(const FolderLock &) = delete;
    FolderLock &operator=(const FolderLock &) = delete;

    enum class Outcome {
        Claimed,       // this copy holds the folder
        Unlockable,    // no lock can be made here at all (a read-only folder): nothing to guard
        HeldHere,      // a copy running on this computer holds the folder
        HeldUnjudged,  // a lock from another computer, or one that names no process
    };
    // Throws FileError when the lock is not a small regular file; it is then left as it is.
    Outcome claim();

    // What an existing lock names; all empty when it names nothing readable.
    struct Holder {
        QString computer;
        qint64 process = 0;
        QString program;
        QByteArray computerId;  // the toolkit's machine id, where the lock has one
    };
    Holder holder() const;

    // Removes a lock that the teacher judged abandoned and claims the folder. false when another
    // copy claimed it in between or the lock cannot be removed.
    bool takeOver();

private:
    QString fileName_;
    std::unique_ptr<QLockFile> lock_;
};
