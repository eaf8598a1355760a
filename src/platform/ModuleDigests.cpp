// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ModuleDigests.h"

#include "platform/FileIo.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

namespace ModuleDigests {

void check(const QString &path) {
    const QList<QByteArray> expected = expectedFor(QFileInfo(path).fileName());
    if (expected.isEmpty())
        return;
    QFile file(path);
    QCryptographicHash digest(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !digest.addData(&file))
        throw FileError(FileError::Kind::NotLoadable, path, file.errorString());
    if (!expected.contains(digest.result().toHex()))
        throw FileError(FileError::Kind::ModuleAltered, path);
}

}  // namespace ModuleDigests
