// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "platform/ModulePlugin.h"

#include <QObject>
#include <QString>
#include <QStringList>

// The parts of the program that need a large library (print support, libjpeg) are built as modules
// and loaded the first time they are needed, so that starting the program neither loads nor binds
// those libraries. A module is a Qt plugin that implements one interface of the program, declared
// with Q_DECLARE_INTERFACE under a versioned id (platform/ModulePlugin.h).
//
// Modules are looked for in lib/gnomora/modules beside the program's bin folder (the installed layout),
// and, for a program that runs from its build folder, in that build folder's modules/. Nothing
// from the environment or the working folder is ever loaded. Before a module is opened, even to read
// its plugin data, it is checked (ModuleFile::check, with the installation root or the build folder
// as the root of its folders).
namespace ModuleLoader {

// The module's file name: "libgnomora-<name>.so" (on Windows "gnomora-<name>.dll", beside the program).
QString fileName(const QString &name);

// A loaded module: the function that makes its root object, and the file it was loaded from.
struct Module {
    ModulePlugin::InstanceFunction instance;
    QString path;
    QByteArray iid;  // the interface id its plugin data names
};

// Loads the module `name` (once; it stays loaded) whose plugin data names the interface `iid`.
// Throws FileError naming the module and what is wrong when it cannot: one of the kinds of
// ModuleFile::check, NotLoadable with the loader's reason, or those of ModulePlugin.
const Module &load(const QString &name, const char *iid);

// The module's implementation of `Interface`, an interface declared with Q_DECLARE_INTERFACE.
template <typename Interface> Interface &plugin(const QString &name) {
    const Module &module = load(name, qobject_interface_iid<Interface *>());
    return ModulePlugin::as<Interface>(ModulePlugin::rootObject(module.instance, module.path), module.path);
}

// The folders searched for modules, in order, for a program in `programFolder`.
QStringList searchFolders(const QString &programFolder);

}  // namespace ModuleLoader
