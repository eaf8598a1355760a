// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WorkFolder.h"

#include <QDir>
#include <QFileInfo>
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

Preparation enter(const Rules &rules) {
    const QString work = location(qEnvironmentVariable("APPDATA"), qEnvironmentVariable("GNOMORA_HOME"));
    Preparation prepared = prepare(programFolder() + QStringLiteral("/data"), work, rules);
    if (prepared.complete && !QDir::setCurrent(work))
        prepared.complete = false;
    prepared.folder = work.isEmpty() ? QStringLiteral("%APPDATA%\\Gnomora") : QDir::toNativeSeparators(work);
    return prepared;
}

}  // namespace WorkFolder
