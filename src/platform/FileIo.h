// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QString>
#include <stdexcept>

// A file that could not be read or written; what() names the file and the reason.
class FileError : public std::runtime_error {
public:
    FileError(const QString &fileName, const QString &reason);
    QString fileName;
    QString reason;
};

namespace FileIo {

bool exists(const QString &fileName);  // an existing regular file (not a folder)

// Reads the whole file. Throws FileError when it is missing, a folder or unreadable.
QByteArray readAll(const QString &fileName);

// Writes the whole file atomically: the bytes go to a temporary file that replaces the old one only
// when everything was written, so a failure leaves the old file as it was. Throws FileError.
void writeAtomically(const QString &fileName, const QByteArray &bytes);

}  // namespace FileIo
