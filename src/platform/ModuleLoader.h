// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "platform/ModuleTable.h"

#include <QString>
#include <QStringList>
#include <cstdint>

// The parts of the program that need a large library (print support, libjpeg) are built as modules
// and loaded the first time they are needed, so that starting the program neither loads nor binds
// those libraries. A module hands over one table of functions through a C entry point; the table
// begins with a ModuleTable header.
//
// Modules are looked for in lib/gnomora/modules beside the program's bin folder (the installed layout),
// and, for a program that runs from its build folder, in that build folder's modules/. Nothing
// from the environment or the working folder is ever loaded. Before a module is loaded it is checked
// (ModuleFile::check, with the installation root or the build folder as the root of its folders).
namespace ModuleLoader {

// The module's file name: "libgnomora-<name>.so" (on Windows "gnomora-<name>.dll", beside the program).
QString fileName(const QString &name);

// Loads the module `name` (once; it stays loaded) and returns its entry point `entry`.
// Throws FileError naming the module and what is wrong when it cannot: one of the kinds of
// ModuleFile::check, ModuleEntryMissing, or NotLoadable with the loader's reason.
void *entry(const QString &name, const char *entry);

// Calls the entry point `entry` of module `name` and returns the table of functions it hands over,
// after checking that the table's header holds `version` and `size`. Throws as entry() does, and
// FileError (ModuleOtherVersion) for no table or a table of another version or size.
const void *table(const QString &name, const char *entry, std::uint32_t version, std::uint32_t size);

// The checked table of functions of module `name`, loaded on the first call and kept. `Functions`
// begins with a ModuleTable and names its layout's `Version`. Throws as table() does.
template <typename Functions> const Functions &functions(const QString &name, const char *entryName) {
    static const Functions &checked =
        *static_cast<const Functions *>(table(name, entryName, Functions::Version, sizeof(Functions)));
    return checked;
}

// The folders searched for modules, in order, for a program in `programFolder`.
QStringList searchFolders(const QString &programFolder);

}  // namespace ModuleLoader
