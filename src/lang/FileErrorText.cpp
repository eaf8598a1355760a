// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/FileErrorText.h"

#include "lang/TLang.h"

#include <QFileInfo>

namespace {

// A text the language file has (not missing, not the "." of a missing key).
bool usable(const QString &text) { return !text.isEmpty() && text != QStringLiteral("."); }

}  // namespace

QString fileErrorReasonKey(FileError::Kind kind) {
    using Kind = FileError::Kind;
    switch (kind) {
    case Kind::Missing: return QStringLiteral("errMissing");
    case Kind::Folder: return QStringLiteral("errFolder");
    case Kind::NotRegularFile: return QStringLiteral("errNotRegularFile");
    case Kind::TooLarge: return QStringLiteral("errTooLarge");
    case Kind::ReadFailed: return QStringLiteral("errReadFailed");
    case Kind::WriteFailed: return QStringLiteral("errWriteFailed");
    case Kind::SizeLimit: return QStringLiteral("errSizeLimit");
    case Kind::NotUtf8: return QStringLiteral("errNotUtf8");
    case Kind::NulByte: return QStringLiteral("errNulByte");
    case Kind::Utf16: return QStringLiteral("errUtf16");
    case Kind::InUse: return QStringLiteral("errInUse");
    case Kind::NotReadAtStart: return QStringLiteral("errNotReadAtStart");
    case Kind::NotLoadable: return QStringLiteral("errNotLoadable");
    case Kind::ModuleNotRegularFile: return QStringLiteral("errModuleNotRegularFile");
    case Kind::ModuleCutShort: return QStringLiteral("errModuleCutShort");
    case Kind::ModuleEntryMissing: return QStringLiteral("errModuleEntryMissing");
    case Kind::ModuleOtherVersion: return QStringLiteral("errModuleOtherVersion");
    case Kind::ModuleWritableByOthers: return QStringLiteral("errModuleWritableByOthers");
    case Kind::ModuleForeignOwner: return QStringLiteral("errModuleForeignOwner");
    case Kind::ModuleAltered: return QStringLiteral("errModuleAltered");
    case Kind::NoExtension: return QStringLiteral("errNoExtension");
    case Kind::UnknownExtension: return QStringLiteral("errUnknownExtension");
    case Kind::NoReader: return QStringLiteral("errNoReader");
    case Kind::TooManyPixels: return QStringLiteral("errTooManyPixels");
    case Kind::TooManyScans: return QStringLiteral("errTooManyScans");
    case Kind::NotAPicture: return QStringLiteral("errNotAPicture");
    case Kind::Damaged: return QStringLiteral("errDamaged");
    case Kind::OutOfMemory: return QStringLiteral("errOutOfMemory");
    }
    return QString();
}

QString fileErrorReason(const FileError &error, TLang &lang) {
    using Kind = FileError::Kind;
    const QString text = lang.GetText(fileErrorReasonKey(error.kind));
    if (!usable(text))
        return error.reason;
    switch (error.kind) {
    case Kind::TooLarge:
        return FillPlaceholders(text, {QString::number(double(error.limit) / (1024 * 1024), 'g', 3)});
    case Kind::SizeLimit:
    case Kind::NotUtf8:
    case Kind::NulByte:
    case Kind::Utf16:
    case Kind::TooManyScans:
        return FillPlaceholders(text, {QString::number(error.limit)});
    case Kind::TooManyPixels:
        return FillPlaceholders(text, {error.detail, QString::number(error.limit / 1'000'000)});
    case Kind::NotAPicture:
        return FillPlaceholders(text, {QFileInfo(error.fileName).suffix().toUpper(), error.detail});
    case Kind::ReadFailed:
    case Kind::WriteFailed:
    case Kind::NotLoadable:
    case Kind::ModuleEntryMissing:
    case Kind::ModuleWritableByOthers:
    case Kind::ModuleForeignOwner:
    case Kind::Damaged:
    case Kind::UnknownExtension:
    case Kind::NoReader:
    case Kind::OutOfMemory:
        return FillPlaceholders(text, {error.detail});
    default:
        return text;
    }
}

QString fileErrorText(const FileError &error, TLang &lang) {
    const QString text = lang.GetText(QStringLiteral("msgFileError"));
    const QString reason = fileErrorReason(error, lang);
    return usable(text) ? FillPlaceholders(text, {error.fileName, reason}) : QStringLiteral("File %1: %2").arg(error.fileName, reason);
}

QString folderLockQuestion(const FolderLock::Holder &holder, const QString &lockFile, TLang &lang) {
    if (holder.process > 0)
        return lang.GetText(QStringLiteral("msgFolderLockElsewhere"), {holder.computer, QString::number(holder.process)});
    return lang.GetText(QStringLiteral("msgFolderLockUnreadable"), {lockFile});
}

QString folderLockRefusedText(const FileError &error, TLang &lang) {
    return fileErrorText(error, lang) + QStringLiteral("\n\n") + lang.GetText(QStringLiteral("msgFolderLockRefused"));
}
