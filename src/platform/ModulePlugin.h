// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "platform/FileIo.h"

#include <QObject>
#include <QString>

// A module is a Qt plugin whose root object implements one interface of the program, named by a
// versioned interface id ("org.gnomora.<Interface>/<version>", Q_DECLARE_INTERFACE). An interface
// whose functions change takes the next version, so a module of another version of the program
// is refused before its code runs instead of being called through the wrong functions.
namespace ModulePlugin {

// The function of a loaded module that makes (once) and returns its root object.
using InstanceFunction = QObject *(*)();

// Maps the module file at `path`, which ModuleFile::check has passed, once its plugin data (read
// from the file, nothing of it run) names `iid` and a toolkit version this program can load, and
// returns the function that makes its root object. Exactly that file is mapped: the toolkit's own
// loader would first try variants beside it ("<file>.avx2" on a processor that has those
// instructions), which nothing has checked. Throws FileError naming `path`: NotLoadable with the
// toolkit's or the system's words for a file that holds no plugin data or does not load,
// ModuleOtherVersion for a plugin of another interface, interface version or toolkit version,
// ModuleEntryMissing when it lacks the function.
InstanceFunction open(const QString &path, const char *iid);

// The root object that `instance` of the module loaded from `path` makes; FileError
// ModuleEntryMissing when it makes none.
QObject *rootObject(InstanceFunction instance, const QString &path);

// The root object of the module loaded from `path` as `Interface`. The root object's answer to
// the interface id (qobject_cast) is taken only where its C++ type implements the interface too
// (dynamic_cast): a root object of another class that claims the id would be called through
// functions it does not have. Throws FileError ModuleOtherVersion otherwise.
template <typename Interface> Interface &as(QObject *root, const QString &path) {
    Interface *byId = qobject_cast<Interface *>(root);
    if (!byId || byId != dynamic_cast<Interface *>(root))
        throw FileError(FileError::Kind::ModuleOtherVersion, path);
    return *byId;
}

}  // namespace ModulePlugin
