// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Files that are no ordinary files, made under a name in a folder: a named pipe and a link to an
// endless device. Windows keeps its pipes and devices outside the folders (\\.\pipe\..., \\.\NUL),
// so there no such file can stand under a file's name and the tests that need one skip; the tests
// of the file reader check those names directly instead. Nor does Windows have a per-process limit
// on the size of files written.
#include <QFile>
#include <QString>
#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace SpecialFiles {

#ifdef _WIN32
inline constexpr bool available = false;
inline bool makePipe(const QString &) { return false; }
inline bool linkToEndlessDevice(const QString &) { return false; }
#else
inline constexpr bool available = true;
inline bool makePipe(const QString &name) { return ::mkfifo(QFile::encodeName(name).constData(), 0600) == 0; }
inline bool linkToEndlessDevice(const QString &name) { return QFile::link(QStringLiteral("/dev/zero"), name); }
#endif

inline constexpr const char *whyNot =
    "Windows has no named pipe or device inside a folder (they live under \\\\.\\ only)";
inline constexpr const char *noFileSizeLimit = "Windows has no per-process limit on the size of written files";

}  // namespace SpecialFiles
