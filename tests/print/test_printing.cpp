// SPDX-License-Identifier: GPL-3.0-or-later
// Printing a page: without a printer, through a real print queue (support/CupsQueue.h), and the
// print preview that the print page opens.
#include "print/PagePrinting.h"
#include "print/PreviewIcons.h"
#include "report/ResultSheetLayout.h"
#include "support/CupsQueue.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QIcon>
#include <QPointer>
#include <QTemporaryDir>
#include <QDialog>
#include <QPageLayout>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QWidget>
#include <gtest/gtest.h>
#include <optional>

using namespace Printing;

namespace {

PrintJob jobOf(int copies, const QString &documentName = QStringLiteral("Gnomora")) {
    PrintJob job;
    job.copies = copies;
    job.documentName = documentName;
    job.progressText = QStringLiteral("Printing");
    return job;
}

Report::ReportPage captionedSheet() {
    Report::ReportPage page = Report::resultSheetPage();
    page.setCaption(QStringLiteral("PrintRow1"), QStringLiteral("Printing test"));
    page.setCaption(QStringLiteral("PrintYield3"), QStringLiteral("12:5"));
    return page;
}

TEST(Printing, WithoutAPrinterNothingIsPrintedAndTheCallerIsTold) {
    const Report::ReportPage page = captionedSheet();
    for (const QString &printer : {QString(), QStringLiteral("GnomoraNoSuchQueue")}) {
        const PrintResult result = printPage(page, printer, jobOf(2));
        EXPECT_EQ(result.status, PrintStatus::NoPrinter) << printer.toStdString();
        EXPECT_FALSE(result.sent());
    }
    // On a machine without printers the everyday call must say so too, not write a PDF instead.
    if (currentPrinterName().isEmpty()) {
        EXPECT_EQ(printPage(page, currentPrinterName(), PrintJob{}).status, PrintStatus::NoPrinter);
    }
}

struct CopiesRow {
    int asked;
    int pages;  // one page per copy
};

TEST(Printing, TheDefaultQueueReceivesTheSheetWithItsCopyCount) {
    if (const std::string reason = CupsQueue::unavailableReason(); !reason.empty())
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
        const CupsQueue::JobFiles before = CupsQueue::jobFiles();

        const PrintResult result = printPage(captionedSheet(), currentPrinterName(), job);
        ASSERT_EQ(result.status, PrintStatus::Sent) << result.printerName.toStdString();

        const QString pdf = CupsQueue::waitForNewJob(before, title);
        ASSERT_FALSE(pdf.isEmpty()) << "no output in " << CupsQueue::outputDir().toStdString();
        EXPECT_EQ(CupsQueue::pageCount(pdf), row.pages);
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
        std::optional<Report::ReportPage> page = captionedSheet();
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

namespace {

// The preview over a window is built once: later openings get the same dialog, set to the new
// page's job, with the printer it started with; another window or another language gets a new one.
TEST(PrintPreview, IsKeptForItsWindowAndSetToEachNewJob) {
    QWidget window;
    QWidget other;
    QDialog &first = keptPreviewDialog(captionedSheet(), jobOf(3, QStringLiteral("First")), window);
    PreviewParts parts = partsOf(first);
    ASSERT_NE(parts.printer, nullptr);
    const QPrinter::OutputFormat format = parts.printer->outputFormat();
    // What the user may choose in the preview's print dialog.
    parts.printer->setOutputFileName(QDir::temp().filePath(QStringLiteral("gnomora-preview-test.pdf")));

    QDialog &again = keptPreviewDialog(Report::resultSheetPage(), jobOf(0, QStringLiteral("Again")), window);
    EXPECT_EQ(&again, &first);
    EXPECT_EQ(parts.printer->docName(), QStringLiteral("Again"));
    EXPECT_EQ(parts.printer->copyCount(), 1);
    EXPECT_EQ(parts.printer->outputFileName(), QString());
    EXPECT_EQ(parts.printer->outputFormat(), format);
    parts.pages->updatePreview();
    EXPECT_EQ(parts.pages->pageCount(), 1);

    QPointer<QDialog> overWindow = &again;
    QDialog &elsewhere = keptPreviewDialog(captionedSheet(), jobOf(1), other);
    EXPECT_EQ(elsewhere.parentWidget(), &other);
    EXPECT_TRUE(overWindow.isNull());  // one preview is kept, not one per window ever opened

    QPointer<QDialog> beforeSwitch = &keptPreviewDialog(captionedSheet(), jobOf(1), window);
    QEvent languageChange(QEvent::LanguageChange);
    QCoreApplication::sendEvent(beforeSwitch.data(), &languageChange);
    keptPreviewDialog(captionedSheet(), jobOf(1), window);
    // The dialog in the old language is gone (the new one may well take its address).
    EXPECT_TRUE(beforeSwitch.isNull());
}

// An icon as the tool bar shows it, at the tool bar's size.
QImage iconImage(const QAction *action) { return action->icon().pixmap(QSize(24, 24)).toImage(); }

QAction *actionNamed(QDialog &dialog, const char *text) {
    for (QAction *action : dialog.findChildren<QAction *>())
        if (action->text() == QLatin1String(text))
            return action;
    return nullptr;
}

// The tool bar is given its icons without the toolkit searching the theme's folders, and shows
// what the toolkit's own dialog shows: the theme's icon where the theme has one, the toolkit's
// picture where it has none.
TEST(PrintPreview, ToolBarShowsTheThemesIconsOrTheToolkitsOwn) {
    QTemporaryDir themes;
    ASSERT_TRUE(themes.isValid());
    const QString actions = themes.filePath(QStringLiteral("GnomoraTest/24x24/actions"));
    ASSERT_TRUE(QDir().mkpath(actions));
    QFile index(themes.filePath(QStringLiteral("GnomoraTest/index.theme")));
    ASSERT_TRUE(index.open(QIODevice::WriteOnly));
    index.write("[Icon Theme]\nName=GnomoraTest\nDirectories=24x24/actions\n\n"
                "[24x24/actions]\nSize=24\nType=Fixed\n");
    index.close();
    QImage red(24, 24, QImage::Format_ARGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(actions + QStringLiteral("/zoom-in.png")));

    const QStringList searchPaths = QIcon::themeSearchPaths();
    const QString themeName = QIcon::themeName();
    QIcon::setThemeSearchPaths({themes.path()});
    QIcon::setThemeName(QStringLiteral("GnomoraTest"));
    EXPECT_EQ(PreviewIcons::namesInIconTheme(PreviewIcons::toolBarIconNames()), QSet<QString>{"zoom-in"});
    {
        const auto ours = makePreviewDialog(captionedSheet(), PrintJob{});
        QPrintPreviewDialog toolkits;
        for (const char *text : {"Zoom in", "Next page", "Print", "Show overview of all pages"}) {
            SCOPED_TRACE(text);
            QAction *shown = actionNamed(*ours, text);
            QAction *expected = actionNamed(toolkits, text);
            ASSERT_NE(shown, nullptr);
            ASSERT_NE(expected, nullptr);
            EXPECT_EQ(iconImage(shown), iconImage(expected));
        }
        EXPECT_EQ(iconImage(actionNamed(*ours, "Zoom in")).pixelColor(12, 12), QColor(Qt::red));
        EXPECT_NE(iconImage(actionNamed(*ours, "Zoom out")).pixelColor(12, 12), QColor(Qt::red));
    }
    QIcon::setThemeName(themeName);
    QIcon::setThemeSearchPaths(searchPaths);
}

}  // namespace
