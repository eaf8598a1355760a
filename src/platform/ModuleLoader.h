// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

// The parts of the program that need a large library (print support, libjpeg) are built as modules
// and loaded the first time they are needed, so that starting the program neither loads nor binds
// those libraries. A module hands over one table of functions through a C entry point.
//
// Modules are looked for in lib/gnomora/modules beside the program's bin folder (the installed layout),
// and, for a program that runs from its build folder, in that build folder's modules/. Nothing
// from the environment or the working folder is ever loaded.
namespace ModuleLoader {

// The module's file name: "libgnomora-<name>.so" (on Windows "gnomora-<name>.dll", beside the program).
QString fileName(const QString &name);

// Loads the module `name` (once; it stays loaded) and returns its entry point `entry`.
// Throws FileError (NotLoadable) naming the module and the loader's reason when it cannot.
void *entry(const QString &name, const char *entry);

// The table of functions that the module's entry point returns, loaded on the first call and kept.
// Throws as entry() does.
template <typename Functions> const Functions &functions(const QString &name, const char *entryName) {
    static const Functions *table = nullptr;
    if (!table)
        table = reinterpret_cast<const Functions *(*)()>(entry(name, entryName))();
    return *table;
}

// The folders searched for modules, in order, for a program in `programFolder`.
QStringList searchFolders(const QString &programFolder);

}  // namespace ModuleLoader
