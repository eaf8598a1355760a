// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <functional>
#include <memory>

class QPluginLoader;

// A module is a Qt plugin whose root object implements one interface of the program, named by a
// versioned interface id ("org.gnomora.<Interface>/<version>", Q_DECLARE_INTERFACE). An interface
// whose functions change takes the next version, so a module of another version of the program
// is refused before its code runs instead of being called through the wrong functions.
namespace ModulePlugin {

// Opens the module file at `path`, which ModuleFile::check has passed, and loads it once its
// plugin data (read from the file, nothing of it run) names `iid` and a toolkit version this
// program can load; `beforeLoad` runs just before. Throws FileError naming `path`: NotLoadable
// with the toolkit's words for a file that holds no plugin data or does not load,
// ModuleOtherVersion for a plugin of another interface, interface version or toolkit version.
std::unique_ptr<QPluginLoader> open(const QString &path, const char *iid,
                                    const std::function<void()> &beforeLoad = {});

// The implementation of `iid` in the module loaded from `path`. Throws FileError naming `path`:
// ModuleOtherVersion when its plugin data names another interface or its root object does not
// implement this one, ModuleEntryMissing when it has no root object.
void *implementation(QPluginLoader &module, const QString &path, const char *iid);

}  // namespace ModulePlugin
