// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileIo.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

FileError::FileError(const QString &file, const QString &why)
    : std::runtime_error(QStringLiteral("File %1: %2").arg(file, why).toStdString()),
      fileName(file), reason(why) {}

namespace FileIo {

bool exists(const QString &fileName) {
    const QFileInfo info(fileName);
    return info.exists() && !info.isDir();
}

QByteArray readAll(const QString &fileName) {
    const QFileInfo info(fileName);
    if (!info.exists())
        throw FileError(fileName, QStringLiteral("the file does not exist"));
    if (info.isDir())
        throw FileError(fileName, QStringLiteral("this is a folder, not a file"));
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(fileName, file.errorString());
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw FileError(fileName, file.errorString());
    return bytes;
}

void writeAtomically(const QString &fileName, const QByteArray &bytes) {
    if (QFileInfo(fileName).isDir())
        throw FileError(fileName, QStringLiteral("a folder of this name is in the way"));
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw FileError(fileName, file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString why = file.errorString();
        file.cancelWriting();
        throw FileError(fileName, why);
    }
    if (!file.commit())
        throw FileError(fileName, file.errorString());
}

}  // namespace FileIo
