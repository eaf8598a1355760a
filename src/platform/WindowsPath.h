// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Windows only: file names as the system's wide-character calls take them, and the system's
// own words for an error code.
#include <QString>
#include <string>

namespace WindowsPath {

// The absolute name with backslashes, in the "\\?\" form that lifts the 260-character limit on
// paths (a class folder deep in a teacher's documents); UNC names become "\\?\UNC\server\...";
// pipes and devices ("\\.\...") keep their names.
std::wstring extended(const QString &fileName);

// The system's message for a GetLastError() code, in the language of Windows, without the
// closing full stop and line end.
QString errorText(unsigned long code);

}  // namespace WindowsPath
