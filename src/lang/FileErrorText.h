// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "platform/FileIo.h"
#include "platform/FolderLock.h"

#include <QString>

class TLang;

// File errors in the class's language. Each kind of failure has its own key (errMissing,
// errTooLarge ...) whose text is the reason, with %1 and %2 for what the kind carries:
//   errTooLarge %1 the limit in MB; errReadFailed, errWriteFailed, errDamaged %1 the system's or
//   the decoder's words; errNotUtf8, errNulByte, errUtf16 %1 the line; errUnknownExtension,
//   errNoReader %1 the extension; errTooManyPixels %1 "<width> x <height>", %2 the limit in
//   megapixels; errTooManyScans %1 the limit; errNotAPicture %1 the format, %2 the decoder's words;
//   errOutOfMemory %1 the size; errModuleEntryMissing %1 the entry point; errModuleWritableByOthers,
//   errModuleForeignOwner %1 the module or folder.
// msgFileError then says "File %1: %2" with the file's name and that reason.

// The key of the reason of a kind of failure.
QString fileErrorReasonKey(FileError::Kind kind);

// The reason in the language in use; the English reason when the language has no text for it.
QString fileErrorReason(const FileError &error, TLang &lang);

// The whole message of the general error report for a file error.
QString fileErrorText(const FileError &error, TLang &lang);

// The working folder's lock. For a lock this computer cannot judge, the question whether to take
// the folder over: naming the computer and process the lock holds (msgFolderLockElsewhere), or
// saying that it names none (msgFolderLockUnreadable, %1 the lock file). For a lock that is no
// small regular file, its file error and that this copy saves nothing (msgFolderLockRefused).
QString folderLockQuestion(const FolderLock::Holder &holder, const QString &lockFile, TLang &lang);
QString folderLockRefusedText(const FileError &error, TLang &lang);
