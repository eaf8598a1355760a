// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QStringList>

class TComm;

// Where the file dialogs open and what they propose. A dialog opens in the folder of the file last
// chosen in one (kept in the configuration under DocumentFolder, so that the next run opens there
// too, when the configuration is saved), else in the teacher's documents folder (or home folder
// where there is none): never in the
// program's working folder, which teachers neither know nor find again.
namespace DocumentFolder {

inline const QString Key = QStringLiteral("DocumentFolder");

// The folder the next dialog opens in; a remembered folder that no longer exists is passed over.
QString startFolder(const TComm &comm);
// What a save dialog proposes: the file name in the start folder.
QString proposedPath(const TComm &comm, const QString &fileName);
// Remembers the folder of a file chosen in a dialog; an empty choice (the dialog closed) changes
// nothing.
void remember(TComm &comm, const QString &chosenFile);

// A file name from a pattern of the language ("Odczyt_%1_%2"), its %1, %2 ... replaced by the parts
// in order, then the extension (".txt"). Characters that a file system refuses and blanks become
// "_". Without a pattern (a language file that lacks the key) the parts are joined by "_".
QString fileName(const QString &pattern, const QStringList &parts, const QString &extension);

// The language's message that a file was saved, naming where: its %1 becomes the file's full path
// in the system's form; a text without the %1 gets the path after it.
QString savedText(const QString &message, const QString &file);

}  // namespace DocumentFolder
