// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ModulePlugin.h"

#include <QDir>
#include <QJsonObject>
#include <QLatin1String>
#include <QPluginLoader>
#ifdef Q_OS_WIN
#include "platform/WindowsPath.h"
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

// The toolkit version a plugin was built with, as its plugin data records it (0xMMmmpp).
bool builtForThisToolkit(const QJsonObject &data) {
    const int built = data.value(QLatin1String("version")).toInt();
    // The toolkit loads plugins of its own major version built with its minor version or an older one.
    return (built >> 16) == QT_VERSION_MAJOR && ((built >> 8) & 0xff) <= QT_VERSION_MINOR;
}

// Maps exactly the file `path` and finds the function that makes the plugin's root object. On
// Windows the DLLs it needs in turn come only from its own folder and the system's, never from
// the working folder or along PATH.
ModulePlugin::InstanceFunction mapInstanceFunction(const QString &path) {
#ifdef Q_OS_WIN
    const std::wstring native = QDir::toNativeSeparators(path).toStdWString();
    const HMODULE module =
        LoadLibraryExW(native.c_str(), nullptr, LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
    if (!module)
        throw FileError(FileError::Kind::NotLoadable, path, WindowsPath::errorText(GetLastError()));
    const auto function = reinterpret_cast<ModulePlugin::InstanceFunction>(GetProcAddress(module, "qt_plugin_instance"));
#else
    // Every symbol bound now, so that one missing fails here rather than in the middle of a lesson.
    void *module = ::dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!module)
        throw FileError(FileError::Kind::NotLoadable, path, QString::fromLocal8Bit(::dlerror()));
    const auto function = reinterpret_cast<ModulePlugin::InstanceFunction>(::dlsym(module, "qt_plugin_instance"));
#endif
    if (!function)
        throw FileError(FileError::Kind::ModuleEntryMissing, path, QStringLiteral("qt_plugin_instance"));
    return function;
}

}  // namespace

namespace ModulePlugin {

InstanceFunction open(const QString &path, const char *iid) {
    // Reads the plugin data from the file without loading it.
    const QPluginLoader reader(path);
    const QJsonObject data = reader.metaData();
    if (data.isEmpty())
        throw FileError(FileError::Kind::NotLoadable, path, reader.errorString());
    if (data.value(QLatin1String("IID")).toString() != QLatin1String(iid) || !builtForThisToolkit(data))
        throw FileError(FileError::Kind::ModuleOtherVersion, path);
    return mapInstanceFunction(path);
}

QObject *rootObject(InstanceFunction instance, const QString &path) {
    QObject *root = instance();
    if (!root)
        throw FileError(FileError::Kind::ModuleEntryMissing, path, QStringLiteral("qt_plugin_instance"));
    return root;
}

}  // namespace ModulePlugin
