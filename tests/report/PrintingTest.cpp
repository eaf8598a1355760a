// SPDX-License-Identifier: GPL-3.0-or-later
// Printing through a real print queue. The queue test needs the local CUPS server that
// tests/report/cups_pdf_printer.sh sets up (as root): its default printer "GnomoraPDF" turns each
// job into a PDF file, in which the test counts the pages the printer received.
#include "ReportTestSupport.h"
#include "report/PagePrinting.h"
#include "report/ResultSheetLayout.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QThread>
#include <gtest/gtest.h>

using namespace report;
using namespace reporttest;

namespace {

const QString kTestQueue = QStringLiteral("GnomoraPDF");

ReportPage captionedSheet() {
    ReportPage page = resultSheetPage();
    page.setCaption(QStringLiteral("PrintRow1"), QStringLiteral("Printing test"));
    page.setCaption(QStringLiteral("PrintYield3"), QStringLiteral("12:5"));
    return page;
}

// Where cups-pdf puts the jobs of this user: GNOMORA_PRINT_OUTPUT_DIR if set, else the "Out"
// folder of cups-pdf's configuration with ${HOME} expanded.
QString cupsPdfOutputDir() {
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

// Waits (at most a minute) until the queue has finished its jobs and a PDF whose name carries
// the job title has appeared; returns its path, or an empty string.
QString waitForJobOutput(const QString &dir, const QString &title) {
    for (int attempt = 0; attempt < 240; ++attempt) {
        const ToolRun pending = runTool(QStringLiteral("lpstat"), {QStringLiteral("-o"), kTestQueue});
        const QStringList found =
            QDir(dir).entryList({QStringLiteral("*%1*.pdf").arg(title)}, QDir::Files, QDir::Time);
        if (!found.isEmpty() && pending.ok && pending.output.trimmed().isEmpty())
            return QDir(dir).filePath(found.first());
        QThread::msleep(250);
        QCoreApplication::processEvents();
    }
    return QString();
}

int pageCount(const QString &pdf) {
    const ToolRun info = runTool(QStringLiteral("pdfinfo"), {pdf});
    const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info.output);
    return info.ok && match.hasMatch() ? match.captured(1).toInt() : -1;
}

TEST(Printing, WithoutAPrinterNothingIsPrintedAndTheCallerIsTold) {
    const ReportPage page = captionedSheet();
    const QPrinterInfo none[] = {QPrinterInfo(), QPrinterInfo::printerInfo(QStringLiteral("GnomoraNoSuchQueue"))};
    for (const QPrinterInfo &printer : none) {
        const PrintResult result = printPage(page, printer, PrintJob{.copies = 2});
        EXPECT_EQ(result.status, PrintStatus::NoPrinter);
        EXPECT_FALSE(result.sent());
    }
    // On a machine without printers the everyday call must say so too, not write a PDF instead.
    if (currentPrinter().isNull()) {
        EXPECT_EQ(printPage(page, PrintJob{}).status, PrintStatus::NoPrinter);
    }
}

struct CopiesRow {
    int asked;
    int pages;  // one page per copy
};

TEST(Printing, TheDefaultQueueReceivesTheSheetWithItsCopyCount) {
    if (currentPrinter().printerName() != kTestQueue)
        GTEST_SKIP() << "the default printer is not the " << kTestQueue.toStdString()
                     << " test queue; run tests/report/cups_pdf_printer.sh as root first";
    const QString outputDir = cupsPdfOutputDir();
    const CopiesRow rows[] = {{2, 2}, {0, 1}};
    for (const CopiesRow &row : rows) {
        SCOPED_TRACE(row.asked);
        // cups-pdf names the file after the job's title; make it unique to this run and row.
        const QString title = QStringLiteral("GnomoraTest%1x%2x%3")
                                  .arg(QCoreApplication::applicationPid())
                                  .arg(QDateTime::currentMSecsSinceEpoch())
                                  .arg(row.asked);
        const PrintJob job{.copies = row.asked, .documentName = title, .progressText = QStringLiteral("Printing")};

        const PrintResult result = printPage(captionedSheet(), job);
        ASSERT_EQ(result.status, PrintStatus::Sent) << result.printerName.toStdString();

        const QString pdf = waitForJobOutput(outputDir, title);
        ASSERT_FALSE(pdf.isEmpty()) << "no output in " << outputDir.toStdString();
        EXPECT_EQ(pageCount(pdf), row.pages);
        QFile::remove(pdf);
    }
}

TEST(Printing, PreviewPaintsTheOnePage) {
    const ReportPage page = captionedSheet();
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer, page, PrintJob{});
    const auto dialog = makePreviewDialog(page, printer);
    auto *preview = dialog->findChild<QPrintPreviewWidget *>();
    ASSERT_NE(preview, nullptr);
    preview->updatePreview();
    EXPECT_EQ(preview->pageCount(), 1);
}

}  // namespace
