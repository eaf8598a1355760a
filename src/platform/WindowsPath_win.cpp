// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WindowsPath.h"

#include <QDir>
#include <QFileInfo>
#include <windows.h>

namespace WindowsPath {

std::wstring extended(const QString &fileName) {
    // Pipes and devices (\\.\pipe\..., \\.\NUL) are named as they are.
    if (fileName.startsWith(QStringLiteral("\\\\.\\")) || fileName.startsWith(QStringLiteral("//./")))
        return QDir::toNativeSeparators(fileName).toStdWString();
    QString path = QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(fileName).absoluteFilePath()));
    if (path.startsWith(QStringLiteral("\\\\?\\")))
        ;  // already in that form
    else if (path.startsWith(QStringLiteral("\\\\")))
        path = QStringLiteral("\\\\?\\UNC\\") + path.mid(2);
    else
        path = QStringLiteral("\\\\?\\") + path;
    return path.toStdWString();
}

QString errorText(unsigned long code) {
    wchar_t *buffer = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                                            | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, reinterpret_cast<wchar_t *>(&buffer), 0, nullptr);
    QString text = length ? QString::fromWCharArray(buffer, int(length)).trimmed()
                          : QStringLiteral("error %1").arg(code);
    LocalFree(buffer);
    while (text.endsWith(u'.'))
        text.chop(1);
    return text;
}

}  // namespace WindowsPath
