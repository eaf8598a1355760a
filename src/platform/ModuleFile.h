// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

// What a module file must be before the dynamic loader may map it and run its code. The loader maps
// whatever it is given: a file cut short by an interrupted copy or a full disk ends the program with
// a bus error inside the loader, and a file that other users can replace runs their code as the
// teacher. So a module is checked first, and refused with a FileError that says what is wrong:
// - it is a regular file (links followed): a folder, pipe, socket or device is ModuleNotRegularFile;
// - the module and every folder above it, up to and including `installationRoot`, both along the
//   path as named and along the path with its links resolved (a linked folder counts as the folder
//   it leads to), belong to root or to the program's effective user (else ModuleForeignOwner) and
//   cannot be written by the group or others (else ModuleWritableByOthers). Where a path leaves the
//   installation root through a link, every folder up to "/" is checked;
// - the loadable segments that its ELF program headers list lie inside the file (else
//   ModuleCutShort). A file that is not an ELF file of this computer's class is left to the loader,
//   which refuses it from its header alone, without mapping it;
// - a module that this build made has the bytes it was built with (ModuleDigests, else ModuleAltered).
namespace ModuleFile {

void check(const QString &path, const QString &installationRoot);

}  // namespace ModuleFile
