// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DocumentFolder.h"

#include "store/TComm.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace DocumentFolder {

QString startFolder(const TComm &comm) {
    const QString remembered = comm.GetValue(Key);
    if (!remembered.isEmpty() && QFileInfo(remembered).isDir())
        return remembered;
    // A fresh account may lack its documents folder: then the home folder, never the working one.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

QString proposedPath(const TComm &comm, const QString &fileName) { return QDir(startFolder(comm)).filePath(fileName); }

void remember(TComm &comm, const QString &chosenFile) {
    if (!chosenFile.isEmpty())
        comm.SetValue(Key, QDir::toNativeSeparators(QFileInfo(chosenFile).absolutePath()));
}

QString fileName(const QString &pattern, const QStringList &parts, const QString &extension) {
    QString name = pattern.trimmed();
    if (name.isEmpty() || name == QStringLiteral(".")) {
        name = parts.join(u'_');
    } else {
        // From the highest number down, so that %1 does not take the start of a %10.
        for (qsizetype i = parts.size(); i >= 1; --i)
            name.replace(u'%' + QString::number(i), parts[i - 1]);
    }
    static const QRegularExpression refused(QStringLiteral(R"([\\/:*?"<>|\x00-\x1f]|\s)"));
    name.replace(refused, QStringLiteral("_"));
    return name + extension;
}

QString savedText(const QString &message, const QString &file) {
    const QString path = QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath());
    return message.contains(QStringLiteral("%1")) ? message.arg(path) : message + u' ' + path;
}

}  // namespace DocumentFolder
