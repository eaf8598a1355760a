// SPDX-License-Identifier: GPL-3.0-or-later
// Printing a page: without a printer, through a real print queue (support/CupsQueue.h), and the
// print preview that the print page opens.
#include "print/PagePrinting.h"
#include "report/ResultSheetLayout.h"
#include "support/CupsQueue.h"

#include <QDateTime>
#include <QDialog>
#include <QPageLayout>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QWidget>
#include <gtest/gtest.h>
#include <optional>

using namespace printing;

namespace {

PrintJob jobOf(int copies, const QString &documentName = QStringLiteral("Gnomora")) {
    PrintJob job;
    job.copies = copies;
    job.documentName = documentName;
    job.progressText = QStringLiteral("Printing");
    return job;
}

report::ReportPage captionedSheet() {
    report::ReportPage page = report::resultSheetPage();
    page.setCaption(QStringLiteral("PrintRow1"), QStringLiteral("Printing test"));
    page.setCaption(QStringLiteral("PrintYield3"), QStringLiteral("12:5"));
    return page;
}

TEST(Printing, WithoutAPrinterNothingIsPrintedAndTheCallerIsTold) {
    const report::ReportPage page = captionedSheet();
    for (const QString &printer : {QString(), QStringLiteral("GnomoraNoSuchQueue")}) {
        const PrintResult result = printPage(page, printer, jobOf(2));
        EXPECT_EQ(result.status, PrintStatus::NoPrinter) << printer.toStdString();
        EXPECT_FALSE(result.sent());
    }
    // On a machine without printers the everyday call must say so too, not write a PDF instead.
    if (currentPrinterName().isEmpty()) {
        EXPECT_EQ(printPage(page, PrintJob{}).status, PrintStatus::NoPrinter);
    }
}

struct CopiesRow {
    int asked;
    int pages;  // one page per copy
};

TEST(Printing, TheDefaultQueueReceivesTheSheetWithItsCopyCount) {
    if (const std::string reason = cupsqueue::unavailableReason(); !reason.empty())
        GTEST_SKIP() << reason;
    const CopiesRow rows[] = {{2, 2}, {0, 1}};
    for (const CopiesRow &row : rows) {
        SCOPED_TRACE(row.asked);
        // cups-pdf names the file after the job's title; make it unique to this run and row.
        const QString title = QStringLiteral("GnomoraTest%1x%2x%3")
                                  .arg(QCoreApplication::applicationPid())
                                  .arg(QDateTime::currentMSecsSinceEpoch())
                                  .arg(row.asked);
        const PrintJob job = jobOf(row.asked, title);
        const cupsqueue::JobFiles before = cupsqueue::jobFiles();

        const PrintResult result = printPage(captionedSheet(), job);
        ASSERT_EQ(result.status, PrintStatus::Sent) << result.printerName.toStdString();

        const QString pdf = cupsqueue::waitForNewJob(before, title);
        ASSERT_FALSE(pdf.isEmpty()) << "no output in " << cupsqueue::outputDir().toStdString();
        EXPECT_EQ(cupsqueue::pageCount(pdf), row.pages);
        QFile::remove(pdf);
    }
}

// The preview's own printer and page widget, as its print button and its pages would use them.
struct PreviewParts {
    QPrinter *printer = nullptr;
    QPrintPreviewWidget *pages = nullptr;
};

PreviewParts partsOf(QDialog &dialog) {
    auto *preview = qobject_cast<QPrintPreviewDialog *>(&dialog);
    if (!preview)
        return {};
    return {preview->printer(), preview->findChild<QPrintPreviewWidget *>()};
}

TEST(PrintPreview, ShowsTheOnePageOnAnA4PrinterReadyForTheJob) {
    struct Row {
        int asked;
        int copies;  // what the preview's print button starts with
    };
    for (const Row row : {Row{3, 3}, Row{0, 1}}) {
        SCOPED_TRACE(row.asked);
        std::optional<report::ReportPage> page = captionedSheet();
        const auto dialog = makePreviewDialog(*page, jobOf(row.asked, QStringLiteral("Sheet")));
        page.reset();  // the dialog paints its own copy, long after the caller's page is gone
        const PreviewParts parts = partsOf(*dialog);
        ASSERT_NE(parts.printer, nullptr);
        ASSERT_NE(parts.pages, nullptr);

        EXPECT_EQ(parts.printer->copyCount(), row.copies);
        EXPECT_EQ(parts.printer->docName(), QStringLiteral("Sheet"));
        EXPECT_TRUE(parts.printer->fullPage());
        const QPageLayout layout = parts.printer->pageLayout();
        EXPECT_EQ(layout.orientation(), QPageLayout::Portrait);
        EXPECT_EQ(layout.pageSize().rectPoints().size(), QPageSize(QPageSize::A4).rectPoints().size());
        EXPECT_EQ(layout.margins(), QMarginsF());

        parts.pages->updatePreview();
        EXPECT_EQ(parts.pages->pageCount(), 1);
    }
}

TEST(PrintPreview, IsAsLargeAsTheWindowItOpensOver) {
    QWidget window;
    window.resize(1000, 760);
    auto *panel = new QWidget(&window);
    panel->resize(300, 200);
    const auto dialog = makePreviewDialog(captionedSheet(), PrintJob{}, panel);
    EXPECT_EQ(dialog->size(), QSize(1000, 760));
    EXPECT_EQ(dialog->parentWidget(), panel);
}

}  // namespace
