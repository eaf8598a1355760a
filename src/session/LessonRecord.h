// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "store/NameValueList.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

class TComm;

// A lesson kept across the end of the program: when a run ends holding measured values that no
// printed sheet has kept, its session record is written to Gnomora_Lesson.ini in the working
// folder, so that the next start can offer to go on with it. Printing the sheet, the reset
// button and clear-all remove the file: the lesson is then finished or given up.
//
// The file is the session record in the program's storage form (name=value lines, CR LF), opened
// by the line LessonRecord=1 that tells it from any other file of that form. It is written in
// Windows-1250, or as UTF-8 with the byte-order mark when it holds a letter that Windows-1250
// lacks (a Ukrainian pupil's name, a place named in a UTF-8 configuration); both are read.
// Decimal numbers are written with "." whatever the computer's settings and read with "." or
// ",", so that a lesson moves between computers (a roaming profile) of any number format; in
// memory the record keeps the locale's mark.
namespace LessonRecord {

inline const QString FileName = QStringLiteral("Gnomora_Lesson.ini");
inline const QString MarkKey = QStringLiteral("LessonRecord");
inline const QString SetAsideSuffix = QStringLiteral(".damaged");

// No real record comes near this; a larger file is not one.
inline constexpr qint64 MaxBytes = 64 * 1024;

bool exists(const QString &fileName = FileName);

// Writes the record atomically (FileError on failure, the old file left as it was).
void keep(const NameValueList &sessionValues, const QString &fileName = FileName);

// The session record held in the file, or nothing when the file is not a kept lesson: missing
// its first line LessonRecord=1, too large, unreadable, or lacking any value that the session
// record always holds (TSession::IsComplete, numbers read with comm's conventions), or holding
// values that the program cannot have written (RecordRanges::hold).
std::optional<NameValueList> read(const TComm &comm, const QString &fileName = FileName);

// A file that is no kept lesson is renamed to its name + ".damaged" (replacing an older one of
// that name), out of the way of the next start but still there to look at. A file that cannot be
// renamed is left.
void setAside(const QString &fileName = FileName);

// What a kept lesson is about, as a question names it: the date of its measurement and the names
// of its two places (empty where none was chosen).
struct About {
    QDate measureDate;
    QString place1;
    QString place2;
};
About aboutOf(const NameValueList &record);

// An older lesson kept beside a newer one is named for its measurement date,
// Gnomora_Lesson-2026-06-21.ini, with "-2", "-3" ... before ".ini" when that name is taken: the
// first such name that no file has.
QString datedFileName(const QDate &measureDate);
// The older lessons kept beside the newest one (Gnomora_Lesson-*.ini), by name.
QStringList olderLessons();
// Renames the kept lesson to a name no file has (FileError when it cannot be renamed; then
// nothing has changed).
void renameTo(const QString &newName, const QString &fileName = FileName);

// Removes the file if it is there; a file that cannot be removed is left (no error: the next
// start asks about it once more).
void discard(const QString &fileName = FileName);

}  // namespace LessonRecord
