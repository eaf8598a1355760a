// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

// The program works in the current folder: its configuration, language files and pictures are
// read and written there. Each user gets a folder of their own, filled from the installed copies
// on the first start; what is already there (a teacher's own places, translations or photographs)
// is never overwritten, and files that a newer version adds arrive on the next start. On Linux the
// launcher script does this; on Windows the program does it itself.
namespace WorkFolder {

// The user's working folder: `home` (GNOMORA_HOME) when it is set, otherwise "Gnomora" in
// `userData` (%APPDATA% on Windows). Empty when neither is known.
QString location(const QString &userData, const QString &home);

// Fills `work` with every file of `seed` (and its subfolders) that `work` lacks, making the
// folders as needed. True when every installed file is now in the working folder; false when
// `seed` is missing.
bool prepare(const QString &seed, const QString &work);

#ifdef _WIN32
// Windows: prepares the user's folder from data\ beside the program and makes it the current
// folder. When it cannot, GNOMORA_UNPREPARED_FOLDER names it, and the program says so in a window.
void enterOnWindows();
#endif

}  // namespace WorkFolder
