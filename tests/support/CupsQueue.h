// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "print/PagePrinting.h"
#include "support/ToolRun.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QString>
#include <QThread>
#include <string>

// The real print queue of the printing tests: tests/print/cups_pdf_printer.sh (run as root, as
// ./test.sh does) starts a local CUPS server whose default printer "GnomoraPDF" is a cups-pdf
// queue. Each job becomes a PDF file named after the job's title, in which a test counts the
// pages the printer received.
namespace CupsQueue {

inline const QString kName = QStringLiteral("GnomoraPDF");

// Why a test that prints on the queue must skip, or an empty text when the queue is the default
// printer.
inline std::string unavailableReason() {
    if (toolsUnavailable)
        return toolsUnavailable;
    if (Printing::currentPrinterName() == kName)
        return {};
    return "the default printer is not the " + kName.toStdString() +
           " test queue; run tests/print/cups_pdf_printer.sh as root first";
}

// Where cups-pdf puts this user's jobs: GNOMORA_PRINT_OUTPUT_DIR if set (./test.sh sets it from
// the setup script's answer), else the "Out" folder of cups-pdf's configuration with ${HOME}
// expanded, else cups-pdf's default ${HOME}/PDF.
inline QString outputDir() {
    const QString fromEnv = qEnvironmentVariable("GNOMORA_PRINT_OUTPUT_DIR");
    if (!fromEnv.isEmpty())
        return fromEnv;
    QString out = QStringLiteral("${HOME}/PDF");
    QFile conf(QStringLiteral("/etc/cups/cups-pdf.conf"));
    if (conf.open(QIODevice::ReadOnly)) {
        const QRegularExpression key(QStringLiteral("^\\s*Out\\s+(\\S.*)$"));
        for (const QString &line : QString::fromUtf8(conf.readAll()).split(u'\n')) {
            const auto match = key.match(line.trimmed());
            if (match.hasMatch())
                out = match.captured(1).trimmed();
        }
    }
    return out.replace(QStringLiteral("${HOME}"), QDir::homePath());
}

// The job files in the output folder and when each was last written; a test takes them before it
// prints. (cups-pdf writes a job over an older file of the same title.)
using JobFiles = QMap<QString, QDateTime>;

inline JobFiles jobFiles(const QString &dir = outputDir()) {
    JobFiles files;
    for (const QFileInfo &file : QDir(dir).entryInfoList({QStringLiteral("*.pdf")}, QDir::Files))
        files.insert(file.fileName(), file.lastModified());
    return files;
}

// Waits (at most a minute) until the queue has finished its jobs and a file whose name contains
// the job's title has been written since `before`; returns its path, or an empty string.
inline QString waitForNewJob(const JobFiles &before, const QString &title, const QString &dir = outputDir()) {
    for (int attempt = 0; attempt < 240; ++attempt) {
        const ToolRun pending = runTool(QStringLiteral("lpstat"), {QStringLiteral("-o"), kName});
        if (pending.ok && pending.output.trimmed().isEmpty()) {
            const JobFiles now = jobFiles(dir);
            for (auto file = now.cbegin(); file != now.cend(); ++file)
                if (file.key().contains(title) && before.value(file.key()) != file.value())
                    return QDir(dir).filePath(file.key());
        }
        QThread::msleep(250);
        QCoreApplication::processEvents();
    }
    return QString();
}

// The number of pages of a PDF file (pdfinfo), or -1 when it cannot be read.
inline int pageCount(const QString &pdf) {
    const ToolRun info = runTool(QStringLiteral("pdfinfo"), {pdf});
    const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info.output);
    return info.ok && match.hasMatch() ? match.captured(1).toInt() : -1;
}

}  // namespace CupsQueue
