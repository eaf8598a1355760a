// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QList>
#include <QString>

// The modules built together with this program, known by their SHA-256 digests. A module whose
// bytes differ (a zeroed or overwritten code section that leaves the file's layout intact, a file
// of another build) would run code nobody built for this program, so it is refused before it is
// mapped. The build writes the digests of each module as built and as `cmake --install --strip`
// and the Debian package strip it (module-digests.cmake); the installer for Windows ships the
// files as built. A module name that this build did not make is not checked here.
namespace ModuleDigests {

// The digests (lower-case hexadecimal) that the module file named `fileName` (no folder) may have;
// empty for a file name this build did not make. Written by the build.
QList<QByteArray> expectedFor(const QString &fileName);

// Refuses the module at `path` with FileError ModuleAltered when this build made a module of its
// name and the file's digest is none of those; FileError NotLoadable when it cannot be read.
void check(const QString &path);

}  // namespace ModuleDigests
