// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/LessonRecord.h"

#include "platform/FileIo.h"
#include "session/RecordRanges.h"
#include "session/TSession.h"
#include "store/TComm.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace LessonRecord {

bool exists(const QString &fileName) { return FileIo::exists(fileName); }

void keep(const NameValueList &sessionValues, const QString &fileName) {
    QStringList lines{MarkKey + QStringLiteral("=1")};
    lines += TSession::WithDecimalMark(sessionValues, u'.').lines();
    NameValueList file(lines);
    if (!file.linesItCannotHold().isEmpty())
        file.setEncoding(TextEncoding::Utf8WithMark);
    FileIo::writeAtomically(fileName, file.toBytes());
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
    const NameValueList record =
        TSession::WithDecimalMark(NameValueList(file.lines().mid(1)), comm.locale().decimalSeparator);
    if (!TSession::IsComplete(record, comm) || !RecordRanges::hold(record, comm))
        return std::nullopt;
    return record;
}

void setAside(const QString &fileName) {
#ifdef Q_OS_WIN
    // Windows' rename() refuses to replace a file: MoveFileEx replaces an older set-aside file in
    // one step, with wide names.
    const std::wstring from = QDir::toNativeSeparators(QFileInfo(fileName).absoluteFilePath()).toStdWString();
    const std::wstring to = from + SetAsideSuffix.toStdWString();
    if (exists(fileName))
        MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING);
#else
    // rename() replaces an older set-aside file in one step.
    const QByteArray from = QFile::encodeName(fileName);
    const QByteArray to = QFile::encodeName(fileName + SetAsideSuffix);
    if (exists(fileName))
        std::rename(from.constData(), to.constData());
#endif
}

About aboutOf(const NameValueList &record) {
    return {QDate::fromString(record.value(QStringLiteral("MeasureDate")), Qt::ISODate),
            record.value(QStringLiteral("PlaceName1")), record.value(QStringLiteral("PlaceName2"))};
}

namespace {
const QString kDatedPrefix = QStringLiteral("Gnomora_Lesson-");
const QString kDatedSuffix = QStringLiteral(".ini");
}  // namespace

QString datedFileName(const QDate &measureDate) {
    const QString stem = kDatedPrefix + measureDate.toString(Qt::ISODate);
    QString name = stem + kDatedSuffix;
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = stem + u'-' + QString::number(n) + kDatedSuffix;
    return name;
}

QStringList olderLessons() {
    return QDir().entryList({kDatedPrefix + u'*' + kDatedSuffix}, QDir::Files, QDir::Name);
}

void renameTo(const QString &newName, const QString &fileName) {
    // QFile::rename never replaces a file of the new name.
    QFile file(fileName);
    if (!file.rename(newName))
        throw FileError(FileError::Kind::WriteFailed, newName, file.errorString());
}

void discard(const QString &fileName) {
    if (exists(fileName))
        QFile::remove(fileName);
}

}  // namespace LessonRecord
