// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WorkFolder.h"

#include <QDir>
#include <QFileInfo>
#include <cstdlib>
#include <windows.h>

namespace {

// The folder of the running program, before any application object exists.
QString programFolder() {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, name.data(), DWORD(name.size()));
        if (length < name.size()) {
            name.resize(length);
            break;
        }
        name.resize(name.size() * 2);
    }
    return QFileInfo(QString::fromStdWString(name)).absolutePath();
}

}  // namespace

namespace WorkFolder {

void enterOnWindows() {
    const QString work = location(qEnvironmentVariable("APPDATA"), qEnvironmentVariable("GNOMORA_HOME"));
    if (!prepare(programFolder() + QStringLiteral("/data"), work) || !QDir::setCurrent(work)) {
        const QString shown = work.isEmpty() ? QStringLiteral("%APPDATA%\\Gnomora") : QDir::toNativeSeparators(work);
        _wputenv_s(L"GNOMORA_UNPREPARED_FOLDER", shown.toStdWString().c_str());
    }
}

}  // namespace WorkFolder
