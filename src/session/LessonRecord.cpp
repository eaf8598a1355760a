// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/LessonRecord.h"

#include "platform/FileIo.h"
#include "session/TSession.h"

#include <QFile>
#include <QFileInfo>

namespace LessonRecord {

bool exists(const QString &fileName) { return FileIo::exists(fileName); }

void keep(const NameValueList &sessionValues, const QString &fileName) {
    QStringList lines{MarkKey + QStringLiteral("=1")};
    lines += sessionValues.lines();
    FileIo::writeAtomically(fileName, NameValueList(lines).toBytes());
}

std::optional<NameValueList> read(const TComm &comm, const QString &fileName) {
    if (!exists(fileName) || QFileInfo(fileName).size() > MaxBytes)
        return std::nullopt;
    NameValueList file;
    try {
        file.load(fileName, FileKind::LessonRecord);
    } catch (const FileError &) {
        return std::nullopt;
    }
    if (file.size() == 0 || file.lines().first() != MarkKey + QStringLiteral("=1"))
        return std::nullopt;
    NameValueList record(file.lines().mid(1));
    if (!TSession::IsComplete(record, comm))
        return std::nullopt;
    return record;
}

void discard(const QString &fileName) {
    if (exists(fileName))
        QFile::remove(fileName);
}

}  // namespace LessonRecord
