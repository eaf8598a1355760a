// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>

// The program works in the current folder: its configuration, language files and pictures are
// read and written there. Each user gets a folder of their own, filled from the installed copies
// on the first start; what the teacher made or changed there is never overwritten.
//
// Every shipped file has a version the program can compare: its SHA-256 hash, listed in the
// manifest (ManifestName, in `sha256sum` form) that the build writes beside the installed files.
// The working folder keeps the manifest of the copies it was filled with, so on the first start
// after an upgrade a copy the teacher never changed (its hash is the one it was filled with) is
// replaced by the new release's file, while a changed copy stays the teacher's.
namespace WorkFolder {

inline const QString ManifestName = QStringLiteral(".gnomora-files.sha256");

// Relative path ("pictures/place1.jpg") -> lower-case hexadecimal SHA-256 of the file's bytes.
using Manifest = QMap<QString, QByteArray>;

// The entries of a manifest's text; malformed lines and paths leading out of the folder are left out.
Manifest parseManifest(const QByteArray &text);
QByteArray manifestText(const Manifest &manifest);

// What an upgrade may do beyond replacing untouched copies; the program's rules come from the
// layers that know the files (the configuration, the language files).
struct Rules {
    // Shipped files that are never replaced once copied, even untouched: the teacher's settings.
    QStringList neverReplaced;
    // Adds to `own`, the teacher's changed copy of `shipped`, what the new release has and the copy
    // lacks; returns how many entries it added (0 for a file it does not complete). Throws
    // FileError when the copy cannot be read or written.
    std::function<int(const QString &shipped, const QString &own)> completeChangedCopy;
};

// What the preparation did to copies already in the folder: the teacher is told once.
struct Update {
    QStringList replaced;    // untouched copies replaced by the new release's files
    QStringList completed;   // changed copies that gained the new release's entries
    QStringList notUpdated;  // copies that could not be read whole or written: tried at every start
    bool isEmpty() const { return replaced.isEmpty() && completed.isEmpty() && notUpdated.isEmpty(); }
};

struct Preparation {
    QString folder;          // the working folder
    bool complete = false;   // every installed file is in the working folder
    Update update;
};

// The user's working folder: `home` (GNOMORA_HOME) when it is set, otherwise "Gnomora" in
// `userData` (%APPDATA% on Windows). Empty when neither is known.
QString location(const QString &userData, const QString &home);

// Fills `work` with every file of `seed` (and its subfolders) that `work` lacks, making the
// folders as needed, and brings the copies made by an older release up to date (see the top).
// Not complete when `seed` is missing or a file could not be copied. Every write is atomic.
Preparation prepare(const QString &seed, const QString &work, const Rules &rules = {});

// Enters the user's working folder, prepared from the installed files. Windows: %APPDATA%\Gnomora
// (or GNOMORA_HOME) from data\ beside the program, made the current folder. Linux: the current
// folder, which gnomora-launcher chose, from the folder GNOMORA_SEED_FOLDER names; without it
// (the program started by hand in a folder) nothing is prepared.
Preparation enter(const Rules &rules);

}  // namespace WorkFolder
