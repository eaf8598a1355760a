// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ModulePlugin.h"

#include "platform/FileIo.h"

#include <QJsonObject>
#include <QLatin1String>
#include <QPluginLoader>

namespace {

// The toolkit version a plugin was built with, as its plugin data records it (0xMMmmpp).
bool builtForThisToolkit(const QJsonObject &data) {
    const int built = data.value(QLatin1String("version")).toInt();
    // The toolkit loads plugins of its own major version built with its minor version or an older one.
    return (built >> 16) == QT_VERSION_MAJOR && ((built >> 8) & 0xff) <= QT_VERSION_MINOR;
}

bool names(const QJsonObject &data, const char *iid) {
    return data.value(QLatin1String("IID")).toString() == QLatin1String(iid);
}

}  // namespace

namespace ModulePlugin {

std::unique_ptr<QPluginLoader> open(const QString &path, const char *iid, const std::function<void()> &beforeLoad) {
    auto module = std::make_unique<QPluginLoader>(path);
    // Reads the plugin data from the file without loading it.
    const QJsonObject data = module->metaData();
    if (data.isEmpty())
        throw FileError(FileError::Kind::NotLoadable, path, module->errorString());
    if (!names(data, iid) || !builtForThisToolkit(data))
        throw FileError(FileError::Kind::ModuleOtherVersion, path);
    if (beforeLoad)
        beforeLoad();
    if (!module->load())
        throw FileError(FileError::Kind::NotLoadable, path, module->errorString());
    return module;
}

void *implementation(QPluginLoader &module, const QString &path, const char *iid) {
    if (!names(module.metaData(), iid))
        throw FileError(FileError::Kind::ModuleOtherVersion, path);
    QObject *root = module.instance();
    if (!root)
        throw FileError(FileError::Kind::ModuleEntryMissing, path,
                        QStringLiteral("qt_plugin_instance"));
    void *found = root->qt_metacast(iid);
    if (!found)
        throw FileError(FileError::Kind::ModuleOtherVersion, path);
    return found;
}

}  // namespace ModulePlugin
