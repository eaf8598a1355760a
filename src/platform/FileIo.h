// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <stdexcept>

// A file that could not be read, written or shown. `kind` says why in a form the windows can word in
// the class's language; what() reads "File <name>: <reason in English>" for the general error report.
class FileError : public std::runtime_error {
public:
    enum class Kind {
        Missing,         // no file of that name
        Folder,          // a folder has that name
        NotRegularFile,  // a device, pipe or socket (or a link to one): never opened for reading
        TooLarge,        // larger than `limit` bytes, more than any real file of its kind
        ReadFailed,      // it could not be opened or read (no permission, a disk error); see `detail`
        WriteFailed,     // it could not be written (full disk, no permission); the old file is kept
        SizeLimit,       // it would be larger than `limit` bytes, the most this process may write
                         // (ulimit -f); the old file is kept
        NotUtf8,         // it begins with the UTF-8 mark, but line `limit` is not UTF-8 text
        NulByte,         // line `limit` holds a NUL byte: not a text file, or not one in an 8-bit encoding
        Utf16,           // it begins with a UTF-16 mark (an editor's "Unicode"); `limit`: line 1
        InUse,           // another copy of the program works in the folder: this one saves nothing
        NotReadAtStart,  // it could not be read at start, so it is not replaced unasked
        NotLoadable,     // a module of the program that could not be loaded; `detail`: the loader's words
        ModuleNotRegularFile,    // a folder, device, pipe or socket (or a link to one) in a module's place
        ModuleCutShort,          // a module whose loadable parts reach past its end (an interrupted copy)
        ModuleEntryMissing,      // `detail`: the entry point that the module lacks
        ModuleOtherVersion,      // the module hands over no table of functions, or one of another version
        ModuleWritableByOthers,  // `detail`: the module or folder that the group or others may write
        ModuleForeignOwner,      // `detail`: the module or folder that belongs to another user
        ModuleAltered,           // a module of this build whose bytes are not those it was built with

        // Picture files (thrown as PictureError):
        NoExtension,       // the name has no extension, so the format is unknown
        UnknownExtension,  // `detail`: the extension as written, which names no format read here
        NoReader,          // `detail`: the extension; this computer lacks the toolkit's reader for it
        TooManyPixels,     // `detail`: "<width> x <height>" as the file claims; `limit`: pixels
        TooManyScans,      // a JPEG picture of more than `limit` scans, more than any encoder writes
        NotAPicture,       // not a picture of the format its extension names; `detail`: decoder's words
        Damaged,           // damaged or cut short within the part shown; `detail`: the decoder's words
        OutOfMemory,       // `detail`: "<width> x <height>" of the part that would be shown
    };

    // detail: the system's or the decoder's own words (may be empty); limit: see the kinds.
    FileError(Kind kind, const QString &fileName, const QString &detail = {}, std::int64_t limit = 0);

    Kind kind;
    QString fileName;
    QString detail;
    std::int64_t limit;
    QString reason;  // the English reason as what() gives it after the file name

private:
    FileError(Kind kind, const QString &fileName, const QString &detail, std::int64_t limit,
              const QString &english);
};

// The kinds of files the program reads, each with the largest size it accepts.
enum class FileKind {
    Configuration,  // Gnomora_Cfg.ini
    Language,       // Gnomo_Language_<n>.ini
    LessonRecord,   // a lesson's session record kept as a file
    Picture,        // a photograph or illustration
    Lock,           // the working folder's lock (.gnomora.lock)
    Reading,        // one place's reading, saved for the partner school
    Shipped,        // an installed data file, or a working folder's copy of one
    Manifest,       // the list of shipped files with their hashes
};

namespace FileIo {

// Largest accepted size of each kind of file, in bytes: far above any real file, so that only
// something that is not such a file (a disk image, a sparse file of gigabytes) is refused.
std::int64_t maxBytes(FileKind kind);

bool exists(const QString &fileName);  // an existing file that is not a folder

// Reads the whole file. Only a regular file is read: a pipe, device or socket (even behind a link)
// is refused at once without blocking, and so is a file larger than maxBytes(kind), before any
// of it is read. Names starting with ":" are the program's built-in resources. Throws FileError.
QByteArray readAll(const QString &fileName, FileKind kind);

// Writes the whole file atomically: the bytes go to a temporary file that replaces the old one only
// when everything was written, so a failure leaves the old file as it was. Throws FileError.
void writeAtomically(const QString &fileName, const QByteArray &bytes);

// A write past the process's file-size limit (ulimit -f) raises SIGXFSZ, whose default ends the
// program on the spot, losing the run. Run once at start: the signal is ignored, so such a write
// fails with EFBIG and is reported (FileError::Kind::SizeLimit).
void failWritesPastTheSizeLimit();

}  // namespace FileIo
